// The text form of the group-code stream: exact output bytes, keyword and section mapping,
// number parsing, line handling and every result code of the text reader.

#include <gtest/gtest.h>

#include <string>

#include "io/dxfgroup.h"
#include "support/stream_fixture.h"

using namespace std::string_literals;

namespace {

std::string TextOfReal(double value) {
  return WrittenBytes(false, [&](DXFGroup& s) { s.PutReal(10, value); });
}

}  // namespace

// ---- Writing ------------------------------------------------------------------------------------

TEST(DXFGroupTextWrite, SmallRecordHasExactBytes) {
  const std::string text = WrittenBytes(false, [](DXFGroup& s) {
    EXPECT_EQ(s.PutKeyword(kDxfSection), kDxfOk);
    EXPECT_EQ(s.PutString(2, "ENTITIES"), kDxfOk);
    EXPECT_EQ(s.PutKeyword(kDxfLine), kDxfOk);
    EXPECT_EQ(s.PutString(8, "ROOF"), kDxfOk);
    EXPECT_EQ(s.PutInteger(62, 1), kDxfOk);
    EXPECT_EQ(s.PutReal(10, 0.0), kDxfOk);
    EXPECT_EQ(s.PutReal(20, 1.5), kDxfOk);
    EXPECT_EQ(s.PutReal(30, -2.5), kDxfOk);
    EXPECT_EQ(s.PutInteger(1071, -300), kDxfOk);
    EXPECT_EQ(s.PutKeyword(kDxfEndsec), kDxfOk);
    EXPECT_EQ(s.PutKeyword(kDxfEof), kDxfOk);
  });
  EXPECT_EQ(text,
            "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  8\nROOF\n 62\n     1\n"
            " 10\n0.0\n 20\n1.5\n 30\n-2.5\n1071\n  -300\n  0\nENDSEC\n  0\nEOF\n");
}

TEST(DXFGroupTextWrite, RealsUseTwelveSignificantDigits) {
  EXPECT_EQ(TextOfReal(0.0), " 10\n0.0\n");
  EXPECT_EQ(TextOfReal(-0.0), " 10\n-0.0\n");
  EXPECT_EQ(TextOfReal(1.5), " 10\n1.5\n");
  EXPECT_EQ(TextOfReal(-2.5), " 10\n-2.5\n");
  EXPECT_EQ(TextOfReal(1.0 / 3.0), " 10\n0.333333333333\n");
  EXPECT_EQ(TextOfReal(2.0 / 3.0), " 10\n0.666666666667\n");
  EXPECT_EQ(TextOfReal(123456789012345.0), " 10\n1.23456789012e+14\n");
  EXPECT_EQ(TextOfReal(1e-20), " 10\n1e-20\n");
  EXPECT_EQ(TextOfReal(1e20), " 10\n1e+20\n");
  EXPECT_EQ(TextOfReal(0.0001), " 10\n0.0001\n");
  EXPECT_EQ(TextOfReal(0.00001), " 10\n1e-05\n");
  EXPECT_EQ(TextOfReal(100000000000.0), " 10\n100000000000\n");
  EXPECT_EQ(TextOfReal(1000000000000.0), " 10\n1e+12\n");
}

TEST(DXFGroupTextWrite, CodesAndIntegersAreRightAligned) {
  EXPECT_EQ(WrittenBytes(false, [](DXFGroup& s) { s.PutString(5, "A1"); }), "  5\nA1\n");
  EXPECT_EQ(WrittenBytes(false, [](DXFGroup& s) { s.PutInteger(70, 1); }), " 70\n     1\n");
  EXPECT_EQ(WrittenBytes(false, [](DXFGroup& s) { s.PutInteger(70, -32768); }), " 70\n-32768\n");
  EXPECT_EQ(WrittenBytes(false, [](DXFGroup& s) { s.PutInteger(999, 32767); }), "999\n 32767\n");
}

TEST(DXFGroupTextWrite, ValueFollowsTheWritingTable) {
  const std::string text = WrittenBytes(false, [](DXFGroup& s) {
    s.StringValue("S");
    s.IntValue(7);
    s.RealValue(2.5);
    for (short code : {9, 59, 60, 80, 209, 210, 239, 240, 999, 1000, 1009, 1010, 1059, 1060}) {
      s.Code(code);
      EXPECT_EQ(s.PutGroup(), kDxfOk) << code;
    }
  });
  EXPECT_EQ(text,
            "  9\nS\n 59\n2.5\n 60\n     7\n 80\n     7\n209\n     7\n210\n2.5\n239\n2.5\n"
            "240\n     7\n999\n     7\n1000\nS\n1009\nS\n1010\n2.5\n1059\n2.5\n1060\n     7\n");
}

TEST(DXFGroupTextWrite, NumbersThatAreNotWritableKeywordsGoOutAsIntegers) {
  // Unused numbers of the keyword range, the section codes and the unknown keyword.
  for (short code : {1510, 1519, 2007, 2010, 1505, 1509, 2000}) {
    const std::string text = WrittenBytes(false, [&](DXFGroup& s) { s.PutInteger(code, 4); });
    EXPECT_EQ(text, std::to_string(code) + "\n     4\n");
  }
}

TEST(DXFGroupTextWrite, NullTextAndNullFile) {
  EXPECT_EQ(WrittenBytes(false, [](DXFGroup& s) { EXPECT_EQ(s.PutString(1, nullptr), 0); }),
            "  1\n\n");
  DXFGroup unattached;
  EXPECT_EQ(unattached.PutInteger(70, 1), kDxfEnd);
  EXPECT_EQ(unattached.PutKeyword(kDxfEof), kDxfEnd);
}

TEST(DXFGroupTextWrite, RefusedWriteIsResultSeven) {
  char storage[16] = {};
  FILE* readOnly = fmemopen(storage, sizeof storage, "r");
  ASSERT_NE(readOnly, nullptr);
  DXFGroup stream(readOnly, false);
  EXPECT_EQ(stream.PutString(1, "x"), kDxfEnd);
  EXPECT_EQ(stream.PutReal(10, 1.0), kDxfEnd);
  std::fclose(readOnly);
}

// ---- Keywords and section names ---------------------------------------------------------------

TEST(DXFGroupKeywords, TableHoldsEveryKeywordBothWays) {
  int writable = 0;
  for (int code = 1490; code <= 2030; ++code) {
    const char* text = DXFGroup::KeywordText(code);
    if (text == nullptr) continue;
    ++writable;
    EXPECT_EQ(DXFGroup::KeywordCode(text), code) << text;
  }
  EXPECT_EQ(writable, 46);
  EXPECT_STREQ(DXFGroup::KeywordText(kDxfSection), "SECTION");
  EXPECT_STREQ(DXFGroup::KeywordText(kDxfEndSectionData), "ENDSECTIONDATA");
  EXPECT_STREQ(DXFGroup::KeywordText(kDxfEndSmartObj), "ENDSMARTOBJ");
  EXPECT_STREQ(DXFGroup::KeywordText(kDxfUcs), "UCS");
  EXPECT_STREQ(DXFGroup::KeywordText(kDxfSolid), "SOLID");
  EXPECT_STREQ(DXFGroup::KeywordText(kDxfLine), "LINE");
}

TEST(DXFGroupKeywords, GapsSectionCodesAndUnknownAreNotKeywords) {
  for (int code : {1499, 1505, 1506, 1507, 1508, 1509, 1510, 1519, 1535, 2000, 2007, 2010, 2021, 0,
                   -1, 40000}) {
    EXPECT_EQ(DXFGroup::KeywordText(code), nullptr) << code;
  }
  EXPECT_EQ(DXFGroup::KeywordCode("section"), kDxfUnknownKeyword);
  EXPECT_EQ(DXFGroup::KeywordCode("HEADER"), kDxfUnknownKeyword);
  EXPECT_EQ(DXFGroup::KeywordCode("LINES"), kDxfUnknownKeyword);
  EXPECT_EQ(DXFGroup::KeywordCode("LIN"), kDxfUnknownKeyword);
  EXPECT_EQ(DXFGroup::KeywordCode("ENDSECTIONDATAX"), kDxfUnknownKeyword);
  EXPECT_EQ(DXFGroup::KeywordCode(""), kDxfUnknownKeyword);
  EXPECT_EQ(DXFGroup::KeywordCode(nullptr), kDxfUnknownKeyword);
}

TEST(DXFGroupKeywords, EveryKeywordRoundTripsThroughTheTextForm) {
  ScratchFile file;
  DXFGroup writer(file.get(), false);
  for (int code = kDxfSection; code <= kDxfSolid; ++code) {
    if (DXFGroup::KeywordText(code) != nullptr) {
      ASSERT_EQ(writer.PutKeyword(static_cast<short>(code)), kDxfOk);
    }
  }
  StreamOver in(file.Contents(), false);
  for (int code = kDxfSection; code <= kDxfSolid; ++code) {
    const char* text = DXFGroup::KeywordText(code);
    if (text == nullptr) continue;
    const int expected = code == kDxfEof ? kDxfEnd : kDxfOk;
    ASSERT_EQ(in.stream.GetGroup(), expected) << text;
    EXPECT_EQ(in.stream.Code(), code);
    EXPECT_STREQ(in.stream.StringValue(), text);
  }
  EXPECT_EQ(in.stream.GetGroup(), kDxfLineEof);
}

TEST(DXFGroupKeywords, KeywordsCompareCaseSensitively) {
  StreamOver in("  0\nSECTION\n  0\nsection\n  0\nSECTION \n", false);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.Code(), kDxfSection);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.Code(), kDxfUnknownKeyword);
  EXPECT_STREQ(in.stream.StringValue(), "section");
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.Code(), kDxfUnknownKeyword);
}

TEST(DXFGroupKeywords, SectionNamesMapOnlyUnderCodeTwo) {
  StreamOver in(
      "  2\nHEADER\n  2\nTABLES\n  2\nBLOCKS\n  2\nRSECTIONS\n  2\nENTITIES\n"
      "  2\nEntities\n  2\nLAYER\n  1\nENTITIES\n  0\nENTITIES\n",
      false);
  for (short expected : {kDxfHeader, kDxfTables, kDxfBlocks, kDxfRSections, kDxfEntities}) {
    ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
    EXPECT_EQ(in.stream.Code(), expected);
  }
  EXPECT_STREQ(in.stream.StringValue(), "ENTITIES");
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.Code(), 2);
  EXPECT_STREQ(in.stream.StringValue(), "Entities");
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.Code(), 2);
  EXPECT_STREQ(in.stream.StringValue(), "LAYER");
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.Code(), 1);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.Code(), kDxfUnknownKeyword);
}

TEST(DXFGroupKeywords, EofKeywordEndsWithResultSeven) {
  StreamOver in("  0\nEOF\n", false);
  EXPECT_EQ(in.stream.GetGroup(), kDxfEnd);
  EXPECT_EQ(in.stream.Code(), kDxfEof);
  EXPECT_EQ(in.stream.GetGroup(), kDxfLineEof);
}

// ---- Lines
// ----------------------------------------------------------------------------------------

TEST(DXFGroupTextLines, CrlfReadsLikeLf) {
  const std::string lf = "  0\nLINE\n  8\nROOF A\n 10\n1.25\n 70\n    12\n999\nnote\n  0\nEOF\n";
  std::string crlf;
  for (char c : lf)
    crlf += c == '\n' ? "\r\n"s : std::string(1, c);
  StreamOver unix_like(lf, false);
  StreamOver windows_like(crlf, false);
  for (;;) {
    const int a = unix_like.stream.GetGroup();
    const int b = windows_like.stream.GetGroup();
    ASSERT_EQ(a, b);
    EXPECT_EQ(unix_like.stream.Code(), windows_like.stream.Code());
    EXPECT_STREQ(unix_like.stream.StringValue(), windows_like.stream.StringValue());
    EXPECT_STREQ(unix_like.stream.LineBuffer(), windows_like.stream.LineBuffer());
    EXPECT_EQ(unix_like.stream.IntValue(), windows_like.stream.IntValue());
    EXPECT_DOUBLE_EQ(unix_like.stream.RealValue(), windows_like.stream.RealValue());
    if (a != kDxfOk) break;
  }
  EXPECT_STREQ(windows_like.stream.StringValue(), "EOF");
  EXPECT_EQ(windows_like.stream.IntValue(), 12);
}

TEST(DXFGroupTextLines, FinalLineWithoutTerminatorIsWhole) {
  StreamOver in("  1\nabc\n  0\nEOF", false);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_STREQ(in.stream.StringValue(), "abc");
  EXPECT_EQ(in.stream.GetGroup(), kDxfEnd);
  EXPECT_EQ(in.stream.Code(), kDxfEof);

  StreamOver crOnly("  0\nEOF\r", false);
  EXPECT_EQ(crOnly.stream.GetGroup(), kDxfEnd);
}

TEST(DXFGroupTextLines, LongestLineIsKeptWhole) {
  const std::string longest(511, 'x');
  StreamOver in("  1\n" + longest + "\r\n  1\n" + longest + "\n 70\n     3\n", false);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(std::string(in.stream.StringValue()), longest);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(std::string(in.stream.StringValue()), longest);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.IntValue(), 3);
}

TEST(DXFGroupTextLines, OverlongLineIsCutAndPairsStayAligned) {
  const std::string value = std::string(600, 'a') + "TAIL";
  for (const std::string& end : {"\n"s, "\r\n"s}) {
    StreamOver in(
        "  1\n" + value + end + " 10\n2.5\n  1\n" + std::string(512, 'b') + end + "  0\nEOF" + end,
        false);
    ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
    EXPECT_EQ(std::string(in.stream.StringValue()), std::string(511, 'a'));
    ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
    EXPECT_EQ(in.stream.Code(), 10);
    EXPECT_NEAR(in.stream.RealValue(), 2.5, 1e-15);
    ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
    EXPECT_EQ(std::string(in.stream.StringValue()), std::string(511, 'b'));
    EXPECT_EQ(in.stream.GetGroup(), kDxfEnd);
  }
}

TEST(DXFGroupTextLines, OverlongFinalLineEndsTheFile) {
  StreamOver in("  1\n" + std::string(5000, 'z'), false);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(std::string(in.stream.StringValue()), std::string(511, 'z'));
  EXPECT_EQ(in.stream.GetGroup(), kDxfLineEof);
}

TEST(DXFGroupTextLines, EmbeddedZeroEndsTheString) {
  StreamOver in("  1\nab\0cd\n 10\n2.5\n"s, false);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_STREQ(in.stream.StringValue(), "ab");
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_NEAR(in.stream.RealValue(), 2.5, 1e-15);
}

TEST(DXFGroupTextLines, RawLinesStayInTheLineBuffer) {
  StreamOver in("  1\nname\n999\n a comment \n100\nAcDbEntity\n1071\n    42\n", false);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_STREQ(in.stream.StringValue(), "name");
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.Code(), 999);
  EXPECT_STREQ(in.stream.LineBuffer(), " a comment ");
  EXPECT_STREQ(in.stream.StringValue(), "");  // reading a text line empties it
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.Code(), 100);
  EXPECT_STREQ(in.stream.LineBuffer(), "AcDbEntity");
  // Extended-data codes 1060 to 1079 carry integers.
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.Code(), 1071);
  EXPECT_EQ(in.stream.IntValue(), 42);
}

// ---- Numbers
// --------------------------------------------------------------------------------------

TEST(DXFGroupTextNumbers, IntegersReadLikePercentHd) {
  StreamOver in(
      " 70\n  7abc\n 70\n\t-12\n 70\n+5\n 70\n70000\n 70\n-70000\n 70\n99999999999999999999\n",
      false);
  // Wrapped to 16 bits: 70000 - 65536 = 4464, and 10^20 - 1 is -1 modulo 2^16.
  const short expected[] = {7, -12, 5, 4464, -4464, -1};
  for (short value : expected) {
    ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
    EXPECT_EQ(in.stream.IntValue(), value);
  }
}

TEST(DXFGroupTextNumbers, CodesOutsideSixteenBitsAreRefused) {
  StreamOver big("70000\n1\n", false);
  EXPECT_EQ(big.stream.GetGroup(), kDxfBadCode);
  StreamOver low("-32769\n1\n", false);
  EXPECT_EQ(low.stream.GetGroup(), kDxfBadCode);
  StreamOver edge("32767\n1\n", false);
  EXPECT_EQ(edge.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(edge.stream.Code(), 32767);
}

TEST(DXFGroupTextNumbers, CodeLineWithoutNumberIsTwelve) {
  for (const char* bytes : {"abc\n1\n", "\n1\n", "   \n1\n", "-\n1\n", "+-1\n1\n"}) {
    StreamOver in(bytes, false);
    EXPECT_EQ(in.stream.GetGroup(), kDxfBadCode) << bytes;
  }
}

TEST(DXFGroupTextNumbers, NegativeCodeIsEleven) {
  StreamOver in(" -5\nvalue\n  1\nnext\n", false);
  EXPECT_EQ(in.stream.GetGroup(), kDxfNegativeCode);
  EXPECT_EQ(in.stream.Code(), -5);
}

TEST(DXFGroupTextNumbers, IntegerWithoutDigitsIsFourteenAndKeepsOldValue) {
  StreamOver in(" 70\n     5\n 62\n abc\n", false);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.GetGroup(), kDxfBadInteger);
  EXPECT_EQ(in.stream.Code(), 62);
  EXPECT_EQ(in.stream.IntValue(), 5);
}

TEST(DXFGroupTextNumbers, RealsReadTheLongestValidPrefix) {
  StreamOver in(" 10\n1.5e3junk\n 10\n0,1\n 10\n  +2.5\n 10\n-.25\n 10\n7\n 10\n4.9e-324\n", false);
  const double expected[] = {1500.0, 0.0, 2.5, -0.25, 7.0, 4.9e-324};
  for (double value : expected) {
    ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
    EXPECT_DOUBLE_EQ(in.stream.RealValue(), value);
  }
}

TEST(DXFGroupTextNumbers, UnreadableOrNonFiniteRealIsThirteenAndKeepsOldValue) {
  for (const char* bad : {"abc", "nan", "inf", "-infinity", "1e999", "+-2", ""}) {
    StreamOver in(" 10\n3.25\n 20\n"s + bad + "\n", false);
    ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
    EXPECT_EQ(in.stream.GetGroup(), kDxfBadReal) << bad;
    EXPECT_EQ(in.stream.Code(), 20);
    EXPECT_DOUBLE_EQ(in.stream.RealValue(), 3.25);
  }
}

TEST(DXFGroupTextNumbers, EndOfFileAtEitherLineIsFifteen) {
  StreamOver empty("", false);
  EXPECT_EQ(empty.stream.GetGroup(), kDxfLineEof);
  for (const char* cut : {"  1\n", " 10\n", " 70\n", "  0\n", "999\n"}) {
    StreamOver in(cut, false);
    EXPECT_EQ(in.stream.GetGroup(), kDxfLineEof) << cut;
  }
  DXFGroup unattached;
  EXPECT_EQ(unattached.GetGroup(), kDxfLineEof);
}

// ---- Stream state
// ---------------------------------------------------------------------------------

TEST(DXFGroupTextState, NewStreamIsEmpty) {
  const DXFGroup stream;
  EXPECT_EQ(stream.Code(), 0);
  EXPECT_EQ(stream.IntValue(), 0);
  EXPECT_EQ(stream.RealValue(), 0.0);
  EXPECT_STREQ(stream.StringValue(), "");
  EXPECT_STREQ(stream.LineBuffer(), "");
  EXPECT_EQ(stream.Mode(), 0);
  EXPECT_FALSE(stream.Binary());
  EXPECT_FALSE(stream.Requeued());
  EXPECT_EQ(stream.File(), nullptr);
}

TEST(DXFGroupTextState, StringValueIsBounded) {
  DXFGroup stream;
  stream.StringValue(std::string(600, 'q').c_str());
  EXPECT_EQ(std::string(stream.StringValue()), std::string(511, 'q'));
  stream.StringValue(nullptr);
  EXPECT_STREQ(stream.StringValue(), "");
}

TEST(DXFGroupTextState, RequeueDeliversTheSameGroupOnceWithoutReading) {
  StreamOver in(" 70\n     9\n  1\nnext\n", false);
  DXFGroup::ResetBytesConsumed();
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  const uint32_t afterFirst = DXFGroup::BytesConsumed();
  EXPECT_EQ(in.stream.Requeue(), 0);
  EXPECT_EQ(in.stream.Requeue(), 0);  // a second push-back changes nothing
  EXPECT_TRUE(in.stream.Requeued());
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_FALSE(in.stream.Requeued());
  EXPECT_EQ(in.stream.Code(), 70);
  EXPECT_EQ(in.stream.IntValue(), 9);
  EXPECT_EQ(DXFGroup::BytesConsumed(), afterFirst);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.Code(), 1);
  EXPECT_STREQ(in.stream.StringValue(), "next");
}

TEST(DXFGroupTextState, BytesConsumedCountsLinesAsTextMode) {
  StreamOver lf("  0\nSECTION\n  1\nab\n", false);
  DXFGroup::ResetBytesConsumed();
  ASSERT_EQ(lf.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(DXFGroup::BytesConsumed(), 12u);
  ASSERT_EQ(lf.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(DXFGroup::BytesConsumed(), 19u);

  StreamOver crlf("  0\r\nSECTION\r\n  1\r\nab", false);
  DXFGroup::ResetBytesConsumed();
  ASSERT_EQ(crlf.stream.GetGroup(), kDxfOk);
  ASSERT_EQ(crlf.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(DXFGroup::BytesConsumed(), 19u);  // the final line counts one terminator too

  // An overlong line counts as the line that was kept.
  StreamOver overlong("  1\n" + std::string(900, 'w') + "\n", false);
  DXFGroup::ResetBytesConsumed();
  ASSERT_EQ(overlong.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(DXFGroup::BytesConsumed(), 4u + 512u);
}

TEST(DXFGroupTextState, SettingAFileDropsBufferedInputAndPushBack) {
  ScratchFile first("  1\none\n  1\nstill in buffer\n");
  ScratchFile second("  1\ntwo\n");
  DXFGroup stream(first.get(), false);
  ASSERT_EQ(stream.GetGroup(), kDxfOk);
  stream.Requeue();
  stream.File(second.get());
  EXPECT_FALSE(stream.Requeued());
  ASSERT_EQ(stream.GetGroup(), kDxfOk);
  EXPECT_STREQ(stream.StringValue(), "two");
  EXPECT_EQ(stream.GetGroup(), kDxfLineEof);
}

TEST(DXFGroupTextState, LinesSpanningTheInputBlockReadWhole) {
  // Enough groups to cross several internal refills at varying offsets.
  ScratchFile file;
  {
    DXFGroup writer(file.get(), false);
    for (int i = 0; i < 20000; ++i) {
      ASSERT_EQ(writer.PutString(1, std::string(static_cast<size_t>(i % 37), 'k').c_str()), 0);
      ASSERT_EQ(writer.PutInteger(70, static_cast<short>(i)), 0);
    }
  }
  StreamOver in(file.Contents(), false);
  for (int i = 0; i < 20000; ++i) {
    ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
    ASSERT_EQ(std::string(in.stream.StringValue()), std::string(static_cast<size_t>(i % 37), 'k'));
    ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
    ASSERT_EQ(in.stream.IntValue(), static_cast<short>(i));
  }
  EXPECT_EQ(in.stream.GetGroup(), kDxfLineEof);
}
