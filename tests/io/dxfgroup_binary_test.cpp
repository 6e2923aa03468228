// The binary form of the group-code stream: exact bytes, the 255 escape, the 510-character
// string cut, truncated files, the bytes-consumed counter, and round trips in both forms.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "io/dxfgroup.h"
#include "support/stream_fixture.h"

using namespace std::string_literals;

// ---- Writing ------------------------------------------------------------------------------------

TEST(DXFGroupBinaryWrite, SmallRecordHasExactBytes) {
  const std::string bytes = WrittenBytes(true, [](DXFGroup& s) {
    EXPECT_EQ(s.PutKeyword(kDxfSection), kDxfOk);
    EXPECT_EQ(s.PutString(2, "ENTITIES"), kDxfOk);
    EXPECT_EQ(s.PutInteger(62, -2), kDxfOk);
    EXPECT_EQ(s.PutReal(10, 1.5), kDxfOk);
    EXPECT_EQ(s.PutString(1, ""), kDxfOk);
  });
  EXPECT_EQ(bytes,
            "\x00SECTION\x00"
            "\x02"
            "ENTITIES\x00"
            "\x3E\xFE\xFF"
            "\x0A\x00\x00\x00\x00\x00\x00\xF8\x3F"
            "\x01\x00"s);
}

TEST(DXFGroupBinaryWrite, CodeAboveByteKeepsItsLowByte) {
  // 1071 is 0x042F; the writer has no escape, so only 0x2F goes out.
  const std::string bytes = WrittenBytes(true, [](DXFGroup& s) { s.PutInteger(1071, 258); });
  EXPECT_EQ(bytes, "\x2F\x02\x01"s);
}

TEST(DXFGroupBinaryWrite, RefusedWriteIsResultSeven) {
  char storage[16] = {};
  FILE* readOnly = fmemopen(storage, sizeof storage, "r");
  ASSERT_NE(readOnly, nullptr);
  DXFGroup stream(readOnly, true);
  EXPECT_EQ(stream.PutInteger(70, 1), kDxfEnd);
  EXPECT_EQ(stream.PutKeyword(kDxfLine), kDxfEnd);
  std::fclose(readOnly);
}

// ---- Reading
// --------------------------------------------------------------------------------------

TEST(DXFGroupBinaryRead, TypedGroupsAndKeywords) {
  const std::string bytes = BinaryBytes()
                                .Code(0)
                                .String("LINE")
                                .Code(2)
                                .String("BLOCKS")
                                .Code(8)
                                .String("ROOF")
                                .Code(70)
                                .Int(-300)
                                .Code(40)
                                .Real(0.125)
                                .Code(100)
                                .String("raw")
                                .Code(0)
                                .String("EOF")
                                .str();
  StreamOver in(bytes, true);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.Code(), kDxfLine);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.Code(), kDxfBlocks);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_STREQ(in.stream.StringValue(), "ROOF");
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.IntValue(), -300);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.RealValue(), 0.125);  // bit-exact in the binary form
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.Code(), 100);
  EXPECT_STREQ(in.stream.LineBuffer(), "raw");
  EXPECT_STREQ(in.stream.StringValue(), "ROOF");  // only text lines empty the string value
  EXPECT_EQ(in.stream.GetGroup(), kDxfEnd);
  EXPECT_EQ(in.stream.Code(), kDxfEof);
}

TEST(DXFGroupBinaryRead, EscapedCodesUseTheExtendedTable) {
  const std::string bytes = BinaryBytes()
                                .Escaped(1000)
                                .String("xdata")
                                .Escaped(1009)
                                .String("last string")
                                .Escaped(1040)
                                .Real(-7.5)
                                .Escaped(1071)
                                .Int(1234)
                                .Escaped(1079)
                                .Int(-1)
                                .Escaped(300)
                                .String("raw three hundred")
                                .Escaped(10)
                                .String("escaped ten is raw")
                                .Escaped(0)
                                .String("SECTION")
                                .str();
  StreamOver in(bytes, true);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.Code(), 1000);
  EXPECT_STREQ(in.stream.StringValue(), "xdata");
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_STREQ(in.stream.StringValue(), "last string");
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.Code(), 1040);
  EXPECT_EQ(in.stream.RealValue(), -7.5);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.Code(), 1071);
  EXPECT_EQ(in.stream.IntValue(), 1234);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.IntValue(), -1);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.Code(), 300);
  EXPECT_STREQ(in.stream.LineBuffer(), "raw three hundred");
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.Code(), 10);
  EXPECT_STREQ(in.stream.LineBuffer(), "escaped ten is raw");
  EXPECT_EQ(in.stream.RealValue(), -7.5);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.Code(), 0);  // an escaped 0 is no keyword
  EXPECT_STREQ(in.stream.LineBuffer(), "SECTION");
}

TEST(DXFGroupBinaryRead, EscapedNegativeCodeIsEleven) {
  StreamOver in(BinaryBytes().Escaped(0xFFFF).String("x").str(), true);
  EXPECT_EQ(in.stream.GetGroup(), kDxfNegativeCode);
  EXPECT_EQ(in.stream.Code(), -1);
}

TEST(DXFGroupBinaryRead, LongStringIsCutAndTheRestReadsAsGroups) {
  // 600 'a' characters: 510 are kept, the other 90 stay in the file. The next code byte is then
  // 'a' (97, a raw-line code), whose value is the remaining 89 characters.
  const std::string bytes =
      BinaryBytes().Code(1).String(std::string(600, 'a')).Code(70).Int(5).str();
  StreamOver in(bytes, true);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(std::string(in.stream.StringValue()), std::string(510, 'a'));
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.Code(), 'a');
  EXPECT_EQ(std::string(in.stream.LineBuffer()), std::string(89, 'a'));
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.Code(), 70);
  EXPECT_EQ(in.stream.IntValue(), 5);
}

TEST(DXFGroupBinaryRead, TerminatorIsConsumedOnlyWithinTheKeptCharacters) {
  // 509 characters and the terminator fit in the 510 bytes read.
  StreamOver fits(BinaryBytes().Code(1).String(std::string(509, 'f')).Code(70).Int(5).str(), true);
  ASSERT_EQ(fits.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(std::string(fits.stream.StringValue()), std::string(509, 'f'));
  ASSERT_EQ(fits.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(fits.stream.IntValue(), 5);

  // With exactly 510 characters the terminator follows the kept characters and is taken too.
  StreamOver full(BinaryBytes().Code(1).String(std::string(510, 'f')).Code(0).String("X").str(),
                  true);
  DXFGroup::ResetBytesConsumed();
  ASSERT_EQ(full.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(std::string(full.stream.StringValue()), std::string(510, 'f'));
  EXPECT_EQ(DXFGroup::BytesConsumed(), 1u + 511u);
  ASSERT_EQ(full.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(full.stream.Code(), kDxfUnknownKeyword);
  EXPECT_STREQ(full.stream.StringValue(), "X");
}

TEST(DXFGroupBinaryWrite, LongStringsAreCutToWhatTheReaderKeeps) {
  // The string value holds up to 511 characters; the binary form carries 510 of them so that
  // the file reads back group for group.
  const std::string bytes = WrittenBytes(true, [](DXFGroup& s) {
    EXPECT_EQ(s.PutString(1, std::string(511, 'g').c_str()), kDxfOk);
    EXPECT_EQ(s.PutInteger(70, 9), kDxfOk);
  });
  EXPECT_EQ(bytes.size(), 1u + 510u + 1u + 1u + 2u);
  StreamOver in(bytes, true);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(std::string(in.stream.StringValue()), std::string(510, 'g'));
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.Code(), 70);
  EXPECT_EQ(in.stream.IntValue(), 9);
}

TEST(DXFGroupBinaryRead, TruncatedFilesGiveTheResultOfTheValueRead) {
  struct Case {
    std::string bytes;
    int result;
  };
  const Case cases[] = {
      {"", kDxfBadCode},
      {BinaryBytes().Code(255).Raw("\xE8").str(), kDxfBadCode},
      {BinaryBytes().Code(70).Raw("\x05").str(), kDxfBadInteger},
      {BinaryBytes().Code(70).str(), kDxfBadInteger},
      {BinaryBytes().Code(10).Raw("\x00\x00\x00"s).str(), kDxfBadReal},
      {BinaryBytes().Escaped(1071).str(), kDxfBadInteger},
      {BinaryBytes().Escaped(1010).Raw("\x01").str(), kDxfBadReal},
      {BinaryBytes().Code(1).Raw("abc").str(), kDxfEnd},
      {BinaryBytes().Code(0).Raw("SECT").str(), kDxfEnd},
      {BinaryBytes().Code(100).Raw("raw").str(), kDxfEnd},
  };
  for (const Case& c : cases) {
    StreamOver in(c.bytes, true);
    EXPECT_EQ(in.stream.GetGroup(), c.result) << c.bytes.size() << " bytes";
    if (c.result == kDxfEnd) {
      EXPECT_STREQ(in.stream.StringValue(), "EOF");
    }
  }
  DXFGroup unattached;
  unattached.Binary(true);
  EXPECT_EQ(unattached.GetGroup(), kDxfBadCode);
}

TEST(DXFGroupBinaryRead, FailedValueKeepsThePreviousOne) {
  StreamOver in(BinaryBytes().Code(70).Int(9).Code(10).Real(2.0).Code(71).Raw("\x01").str(), true);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.GetGroup(), kDxfBadInteger);
  EXPECT_EQ(in.stream.Code(), 71);
  EXPECT_EQ(in.stream.IntValue(), 9);
  EXPECT_EQ(in.stream.RealValue(), 2.0);
}

TEST(DXFGroupBinaryRead, NonFiniteRealIsThirteen) {
  for (double bad :
       {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity()}) {
    StreamOver in(BinaryBytes().Code(10).Real(1.0).Code(20).Real(bad).Code(70).Int(3).str(), true);
    ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
    EXPECT_EQ(in.stream.GetGroup(), kDxfBadReal);
    EXPECT_EQ(in.stream.RealValue(), 1.0);
    // The eight bytes were consumed: the stream goes on with the next group.
    ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
    EXPECT_EQ(in.stream.IntValue(), 3);
  }
}

TEST(DXFGroupBinaryRead, BytesConsumedIsExact) {
  const std::string bytes = BinaryBytes()
                                .Code(0)
                                .String("LINE")  // 1 + 5
                                .Code(70)
                                .Int(1)  // 1 + 2
                                .Code(10)
                                .Real(1.0)  // 1 + 8
                                .Escaped(1000)
                                .String("ab")  // 3 + 3
                                .Code(1)
                                .Raw("xy")  // 1 + 2, cut off
                                .str();
  StreamOver in(bytes, true);
  DXFGroup::ResetBytesConsumed();
  const uint32_t expected[] = {6, 9, 18, 24};
  for (uint32_t total : expected) {
    ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
    EXPECT_EQ(DXFGroup::BytesConsumed(), total);
  }
  in.stream.Requeue();
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(DXFGroup::BytesConsumed(), 24u);
  EXPECT_EQ(in.stream.GetGroup(), kDxfEnd);
  EXPECT_EQ(DXFGroup::BytesConsumed(), static_cast<uint32_t>(bytes.size()));
}

// ---- Round trips
// ------------------------------------------------------------------------------------

namespace {

enum class Kind { kKeyword, kString, kInteger, kReal };

struct Group {
  short code;
  Kind kind;
  std::string text;
  short integer;
  double real;
};

std::vector<Group> VariedGroups(bool extendedCodes) {
  std::vector<Group> groups = {
      {kDxfSection, Kind::kKeyword, "SECTION", 0, 0},
      {2, Kind::kString, "ENTITIES", 0, 0},
      {kDxfPolyline, Kind::kKeyword, "POLYLINE", 0, 0},
      {5, Kind::kString, "1F", 0, 0},
      {8, Kind::kString, "", 0, 0},
      {3, Kind::kString, std::string(300, 'n'), 0, 0},
      {70, Kind::kInteger, "", -32768, 0},
      {71, Kind::kInteger, "", 32767, 0},
      {62, Kind::kInteger, "", 0, 0},
      {10, Kind::kReal, "", 0, 0.0},
      {20, Kind::kReal, "", 0, 1.0 / 3.0},
      {30, Kind::kReal, "", 0, -2.5},
      {40, Kind::kReal, "", 0, 1e-20},
      {41, Kind::kReal, "", 0, 1e20},
      {50, Kind::kReal, "", 0, -123456.789012345},
      {210, Kind::kReal, "", 0, 1e300},
      {kDxfSmartObject, Kind::kKeyword, "SMARTOBJECT", 0, 0},
      {2, Kind::kString, "Hip roof", 0, 0},
      {kDxfEndsec, Kind::kKeyword, "ENDSEC", 0, 0},
  };
  if (extendedCodes) {
    groups.push_back({1000, Kind::kString, "app data", 0, 0});
    groups.push_back({1040, Kind::kReal, "", 0, 0.1});
    groups.push_back({1071, Kind::kInteger, "", -5, 0});
  }
  groups.push_back({kDxfEof, Kind::kKeyword, "EOF", 0, 0});
  return groups;
}

void WriteGroups(DXFGroup& out, const std::vector<Group>& groups) {
  for (const Group& g : groups) {
    int result = kDxfOk;
    switch (g.kind) {
      case Kind::kKeyword:
        result = out.PutKeyword(g.code);
        break;
      case Kind::kString:
        result = out.PutString(g.code, g.text.c_str());
        break;
      case Kind::kInteger:
        result = out.PutInteger(g.code, g.integer);
        break;
      case Kind::kReal:
        result = out.PutReal(g.code, g.real);
        break;
    }
    ASSERT_EQ(result, kDxfOk) << g.code;
  }
}

// Reals keep twelve significant digits in the text form and every bit in the binary form.
void ExpectSameGroups(const std::string& bytes, bool binary, const std::vector<Group>& groups) {
  StreamOver in(bytes, binary);
  for (const Group& g : groups) {
    const int expected = g.code == kDxfEof ? kDxfEnd : kDxfOk;
    ASSERT_EQ(in.stream.GetGroup(), expected) << g.code;
    EXPECT_EQ(in.stream.Code(), g.code == 2 && g.text == "ENTITIES" ? kDxfEntities : g.code);
    switch (g.kind) {
      case Kind::kKeyword:
      case Kind::kString:
        EXPECT_EQ(std::string(in.stream.StringValue()), g.text);
        break;
      case Kind::kInteger:
        EXPECT_EQ(in.stream.IntValue(), g.integer);
        break;
      case Kind::kReal:
        if (binary) {
          EXPECT_EQ(in.stream.RealValue(), g.real);
        } else {
          EXPECT_NEAR(in.stream.RealValue(), g.real, std::fabs(g.real) * 1e-11) << g.code;
        }
        break;
    }
  }
}

}  // namespace

TEST(DXFGroupRoundTrip, TextFormReadsBackWhatWasWritten) {
  const std::vector<Group> groups = VariedGroups(true);
  const std::string bytes = WrittenBytes(false, [&](DXFGroup& s) { WriteGroups(s, groups); });
  ExpectSameGroups(bytes, false, groups);
}

TEST(DXFGroupRoundTrip, BinaryFormReadsBackWhatWasWritten) {
  // Codes above 255 cannot be written in the binary form, so the extended codes are left out.
  const std::vector<Group> groups = VariedGroups(false);
  const std::string bytes = WrittenBytes(true, [&](DXFGroup& s) { WriteGroups(s, groups); });
  ExpectSameGroups(bytes, true, groups);
}

TEST(DXFGroupRoundTrip, ManyGroupsAcrossInputBlocks) {
  ScratchFile file;
  {
    DXFGroup writer(file.get(), true);
    for (int i = 0; i < 30000; ++i) {
      ASSERT_EQ(writer.PutString(1, std::string(static_cast<size_t>(i % 23), 's').c_str()), 0);
      ASSERT_EQ(writer.PutReal(10, i * 0.5), 0);
      ASSERT_EQ(writer.PutInteger(70, static_cast<short>(i)), 0);
    }
  }
  StreamOver in(file.Contents(), true);
  for (int i = 0; i < 30000; ++i) {
    ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
    ASSERT_EQ(std::string(in.stream.StringValue()), std::string(static_cast<size_t>(i % 23), 's'));
    ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
    ASSERT_EQ(in.stream.RealValue(), i * 0.5);
    ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
    ASSERT_EQ(in.stream.IntValue(), static_cast<short>(i));
  }
  EXPECT_EQ(in.stream.GetGroup(), kDxfBadCode);
}

TEST(DXFGroupBinarySignature, TwentyTwoBytesEndingInCrLfCtrlZAndZero) {
  for (const char* signature : {kTggSignature, kTgmSignature}) {
    const std::string bytes(signature, kBinarySignatureSize);
    EXPECT_EQ(bytes.substr(0, 15), "Tegolux Binary ");
    EXPECT_EQ(bytes.substr(18), std::string("\r\n\x1a\0", 4));
  }
  EXPECT_EQ(std::string(kTggSignature, 18), "Tegolux Binary TGG");
  EXPECT_EQ(std::string(kTgmSignature, 18), "Tegolux Binary TGM");
}
