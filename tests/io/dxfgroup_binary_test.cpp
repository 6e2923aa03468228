// The binary form of the group-code stream: exact bytes, the 255 escape, the 510-character
// string cut, truncated files and the bytes-consumed counter; then round trips in both forms.
// Groups read are checked as transcripts (see ReadGroups in support/stream_fixture.h).

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <limits>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "io/dxfgroup.h"
#include "support/stream_fixture.h"

using namespace std::string_literals;
using namespace bin;

// ---- Writing ----

TEST(DXFGroupBinaryWrite, RecordHasExactBytes) {
  const std::string bytes = WrittenBytes(true, [](DXFGroup& s) {
    for (const int result :
         {s.PutKeyword(kDxfSection), s.PutString(2, "ENTITIES"), s.PutInteger(62, -2),
          s.PutReal(10, 1.5), s.PutString(1, ""), s.PutInteger(1071, 258),
          s.PutString(1, std::string(511, 'g').c_str())}) {
      EXPECT_EQ(result, kDxfOk);
    }
  });
  // 1071 is 0x042F: the writer has no escape, so only its low byte goes out. A string keeps at
  // most the 510 characters the reader takes, so that the file reads back group for group.
  EXPECT_EQ(bytes,
            "\x00SECTION\x00\x02"
            "ENTITIES\x00\x3E\xFE\xFF\x0A\x00\x00\x00\x00\x00\x00\xF8\x3F\x01\x00\x2F\x02\x01"s +
                Code(1) + Str(std::string(510, 'g')));
}

TEST(DXFGroupWrite, NullTextIsEmptyAndMissingOrRefusingFileIsSeven) {
  EXPECT_EQ(WrittenBytes(false, [](DXFGroup& s) { EXPECT_EQ(s.PutString(1, nullptr), 0); }),
            "  1\n\n");
  char storage[16] = {};
  FILE* readOnly = fmemopen(storage, sizeof storage, "r");
  ASSERT_NE(readOnly, nullptr);
  for (const bool binary : {false, true}) {
    DXFGroup unattached;
    unattached.Binary(binary);
    DXFGroup refused(readOnly, binary);
    for (DXFGroup* s : {&unattached, &refused}) {
      EXPECT_EQ(s->PutString(1, "x"), kDxfEnd) << binary;
      EXPECT_EQ(s->PutKeyword(kDxfEof), kDxfEnd) << binary;
    }
  }
  std::fclose(readOnly);
}

// ---- Reading ----

TEST(DXFGroupBinaryRead, TypedGroupsAndKeywords) {
  // Only text lines empty the string value; reals are bit-exact.
  ExpectGroups(Code(0) + Str("LINE") + Code(2) + Str("BLOCKS") + Code(8) + Str("ROOF") + Code(70) +
                   Int(-300) + Code(40) + Real(0.1) + Code(100) + Str("raw") + Code(0) + Str("EOF"),
               true,
               {"0 2001 sLINE", "0 1507", "0 8 sROOF", "0 70 i-300", "0 40 r0.1",
                "0 100 lraw|sROOF", "7 1504"});
}

TEST(DXFGroupBinaryRead, EscapedCodesUseTheExtendedTable) {
  // Escaped, only 1000-1079 are typed: 10 is a raw line, 0 no keyword, 0xFFFF a negative code.
  ExpectGroups(Escaped(1000) + Str("xdata") + Escaped(1009) + Str("last") + Escaped(1040) +
                   Real(-7.5) + Escaped(1071) + Int(1234) + Escaped(1079) + Int(-1) + Escaped(300) +
                   Str("three hundred") + Escaped(10) + Str("ten") + Escaped(0) + Str("SECTION") +
                   Escaped(0xFFFF) + Str("x"),
               true,
               {"0 1000 sxdata", "0 1009 slast", "0 1040 r-7.5", "0 1071 i1234", "0 1079 i-1",
                "0 300 lthree hundred", "0 10 lten|r-7.5", "0 0 lSECTION", "11 -1"});
}

TEST(DXFGroupBinaryRead, LongStringIsCutAndTheTerminatorTakenOnlyRightAfterIt) {
  // 600 'a': 510 are kept and the rest stays in the file, so the next code is 'a' (97, a raw
  // line) with the other 89 as its value.
  ExpectGroups(Code(1) + Str(std::string(600, 'a')) + Code(70) + Int(5), true,
               {"0 1 s" + std::string(510, 'a'), "0 97 l" + std::string(89, 'a'), "0 70 i5"});
  ExpectGroups(Code(1) + Str(std::string(509, 'f')) + Code(70) + Int(5), true,
               {"0 1 s" + std::string(509, 'f'), "0 70 i5"});
  // Exactly 510 characters: the terminator directly after them is consumed too.
  StreamOver full(Code(1) + Str(std::string(510, 'f')) + Code(0) + Str("X"), true);
  DXFGroup::ResetBytesConsumed();
  ExpectGroups(full.stream, {"0 1 s" + std::string(510, 'f')});
  EXPECT_EQ(DXFGroup::BytesConsumed(), 1u + 511u);
  ExpectGroups(full.stream, {"0 2000 sX"});
}

TEST(DXFGroupBinaryRead, TruncatedFilesGiveTheResultOfTheValueRead) {
  // A string cut off by the end of the file reads as "EOF" with result 7.
  const std::pair<std::string, const char*> cases[] = {
      {"", "12"},
      {Code(255) + "\xE8", "12"},
      {Code(70) + "\x05", "14"},
      {Code(70), "14"},
      {Code(10) + "\0\0\0"s, "13"},
      {Escaped(1071), "14"},
      {Escaped(1010) + "\x01", "13"},
      {Code(1) + "abc", "7 1 sEOF"},
      {Code(0) + "SECT", "7 0 sEOF"},
      {Code(100) + "raw", "7 100 sEOF"},
  };
  for (const auto& [bytes, want] : cases) {
    SCOPED_TRACE(want);
    ExpectGroups(bytes, true, {want});
  }
  DXFGroup unattached;
  unattached.Binary(true);
  EXPECT_EQ(unattached.GetGroup(), kDxfBadCode);
}

TEST(DXFGroupBinaryRead, FailedValueKeepsThePreviousOne) {
  ExpectGroups(Code(70) + Int(9) + Code(10) + Real(2.0) + Code(71) + "\x01", true,
               {"0 70 i9", "0 10 r2", "14 71 i9|r2"});
  // A non-finite real is refused, but its eight bytes are consumed.
  for (const double bad :
       {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity()}) {
    ExpectGroups(Code(10) + Real(1.0) + Code(20) + Real(bad) + Code(70) + Int(3), true,
                 {"0 10 r1", "13 20 r1", "0 70 i3"});
  }
}

TEST(DXFGroupBinaryRead, BytesConsumedIsExact) {
  // 1 + 5, 1 + 2, 1 + 8, 3 + 3, then a string cut off after 1 + 2.
  const std::string bytes = Code(0) + Str("LINE") + Code(70) + Int(1) + Code(10) + Real(1.0) +
                            Escaped(1000) + Str("ab") + Code(1) + "xy";
  StreamOver in(bytes, true);
  DXFGroup::ResetBytesConsumed();
  for (const uint32_t total : {6u, 9u, 18u, 24u}) {
    ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
    EXPECT_EQ(DXFGroup::BytesConsumed(), total);
  }
  in.stream.Requeue();
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(DXFGroup::BytesConsumed(), 24u);
  EXPECT_EQ(in.stream.GetGroup(), kDxfEnd);
  EXPECT_EQ(DXFGroup::BytesConsumed(), static_cast<uint32_t>(bytes.size()));
}

TEST(DXFGroupBinarySignature, TwentyTwoBytesEndingInCrLfCtrlZAndZero) {
  EXPECT_EQ(std::string(kTggSignature, kBinarySignatureSize), "Tegolux Binary TGG\r\n\x1a\0"s);
  EXPECT_EQ(std::string(kTgmSignature, kBinarySignatureSize), "Tegolux Binary TGM\r\n\x1a\0"s);
}

// ---- Round trips ----

namespace {

// Writes the groups that transcript entries describe: a keyword code as a keyword, otherwise
// the field letter picks PutString, PutInteger or PutReal.
void WriteDescribed(DXFGroup& out, const std::vector<std::string>& groups) {
  for (const std::string& entry : groups) {
    std::istringstream parts(entry);
    int result = 0;
    short code = 0;
    std::string value;
    parts >> result >> code;
    parts.get();
    std::getline(parts, value);
    const char field = value.empty() ? 's' : value[0];
    value = value.substr(value.empty() ? 0 : 1);
    if (DXFGroup::KeywordText(code) != nullptr)
      result = out.PutKeyword(code);
    else if (field == 'i')
      result = out.PutInteger(code, static_cast<short>(std::stoi(value)));
    else if (field == 'r')
      result = out.PutReal(code, std::stod(value));
    else
      result = out.PutString(code, value.c_str());
    ASSERT_EQ(result, kDxfOk) << entry;
  }
}

}  // namespace

TEST(DXFGroupRoundTrip, BothFormsReadBackWhatWasWritten) {
  // Text keeps twelve significant digits and codes above 255; binary keeps every bit of a real.
  const std::vector<std::string> common = {"0 1500 sSECTION",
                                           "0 5 s1F",
                                           "0 8 s",
                                           "0 3 s" + std::string(300, 'n'),
                                           "0 70 i-32768",
                                           "0 71 i32767",
                                           "0 62 i0",
                                           "0 10 r0",
                                           "0 11 r-0",
                                           "0 30 r-2.5",
                                           "0 40 r1e-20",
                                           "0 41 r1e+20",
                                           "0 50 r-123456.789012",
                                           "0 210 r1e+300",
                                           "0 2 sHip roof",
                                           "0 1529 sSMARTOBJECT"};
  const std::vector<std::string> textOnly = {"0 1000 sapp data", "0 1040 r0.1", "0 1071 i-5"};
  const std::vector<std::string> binaryOnly = {"0 20 r0.3333333333333333",
                                               "0 51 r-123456.789012345"};
  for (const bool binary : {false, true}) {
    std::vector<std::string> groups = common;
    for (const std::string& entry : binary ? binaryOnly : textOnly)
      groups.push_back(entry);
    groups.push_back("7 1504 sEOF");
    const std::string bytes = WrittenBytes(binary, [&](DXFGroup& s) { WriteDescribed(s, groups); });
    SCOPED_TRACE(binary);
    ExpectGroups(bytes, binary, groups);
  }
}

TEST(DXFGroupRoundTrip, ManyGroupsAcrossInputBlocks) {
  // Enough groups to cross several internal refills at varying offsets, in both forms.
  constexpr int kCount = 30000;
  for (const bool binary : {false, true}) {
    ScratchFile file;
    {
      DXFGroup writer(file.get(), binary);
      for (int i = 0; i < kCount; ++i) {
        ASSERT_EQ(writer.PutString(1, std::string(static_cast<size_t>(i % 37), 's').c_str()), 0);
        ASSERT_EQ(writer.PutReal(10, i * 0.5), 0);
        ASSERT_EQ(writer.PutInteger(70, static_cast<short>(i)), 0);
      }
    }
    StreamOver in(file.Contents(), binary);
    for (int i = 0; i < kCount; ++i) {
      ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
      ASSERT_EQ(std::string(in.stream.StringValue()),
                std::string(static_cast<size_t>(i % 37), 's'));
      ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
      ASSERT_EQ(in.stream.RealValue(), i * 0.5);  // exact: a multiple of 0.5 below 2^53
      ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
      ASSERT_EQ(in.stream.IntValue(), static_cast<short>(i));
    }
    EXPECT_EQ(in.stream.GetGroup(), binary ? kDxfBadCode : kDxfLineEof);
  }
}
