// The text form of the group-code stream: exact output bytes, keywords and section names, line
// handling, number reading and every result code of the text reader. Groups read are checked as
// transcripts (see ReadGroups in support/stream_fixture.h).

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "io/dxfgroup.h"
#include "support/stream_fixture.h"

using namespace std::string_literals;

namespace {

// Every writable keyword with its code, in code order: the codes are the numbers the record
// parsers switch on, the texts are what files carry.
const std::pair<short, const char*> kKeywordTable[] = {
    {1500, "SECTION"},     {1501, "ENDSEC"},         {1502, "TABLE"},       {1503, "ENDTAB"},
    {1504, "EOF"},         {1511, "APPID"},          {1512, "DIMSTYLE"},    {1513, "LAYER"},
    {1514, "LTYPE"},       {1515, "STYLE"},          {1516, "VIEW"},        {1517, "VPORT"},
    {1518, "UCS"},         {1520, "ENDBLK"},         {1521, "SEQEND"},      {1522, "TEMPLATE"},
    {1523, "ENDTEMP"},     {1524, "RSECTION"},       {1525, "ENDRSECTION"}, {1526, "ATTRIB"},
    {1527, "ENDATTRIB"},   {1528, "VIEWPORT"},       {1529, "SMARTOBJECT"}, {1530, "ENDSMARTOBJ"},
    {1531, "SECTIONDATA"}, {1532, "ENDSECTIONDATA"}, {1533, "BASE"},        {1534, "ENDBASE"},
    {2001, "LINE"},        {2002, "VERTEX"},         {2003, "ELLIPSE"},     {2004, "CIRCLE"},
    {2005, "ARC"},         {2006, "POLYLINE"},       {2008, "TEXT"},        {2009, "DIMENSION"},
    {2011, "INSERT"},      {2012, "REDGE"},          {2013, "PCURVE"},      {2014, "IMAGE"},
    {2015, "EDGE"},        {2016, "BLOCK"},          {2017, "CHORD"},       {2018, "TRACE"},
    {2019, "SEGMENT"},     {2020, "SOLID"}};

// The text with every "\n" replaced by the given line end.
std::string WithLineEnds(const std::string& text, const std::string& end) {
  std::string out;
  for (const char c : text)
    out += c == '\n' ? end : std::string(1, c);
  return out;
}

}  // namespace

// ---- Writing ----

TEST(DXFGroupTextWrite, RecordHasExactBytes) {
  const std::string text = WrittenBytes(false, [](DXFGroup& s) {
    for (const int result :
         {s.PutKeyword(kDxfSection), s.PutString(2, "ENTITIES"), s.PutKeyword(kDxfLine),
          s.PutString(5, "A1"), s.PutString(8, "ROOF"), s.PutInteger(62, 1),
          s.PutInteger(70, -32768), s.PutReal(10, 0.0), s.PutReal(20, 1.5), s.PutReal(30, -2.5),
          s.PutInteger(999, 32767), s.PutInteger(1071, -300), s.PutKeyword(kDxfEndsec),
          s.PutKeyword(kDxfEof)}) {
      EXPECT_EQ(result, kDxfOk);
    }
  });
  EXPECT_EQ(text,
            "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  5\nA1\n  8\nROOF\n 62\n     1\n"
            " 70\n-32768\n 10\n0.0\n 20\n1.5\n 30\n-2.5\n999\n 32767\n1071\n  -300\n"
            "  0\nENDSEC\n  0\nEOF\n");
}

TEST(DXFGroupTextWrite, RealsUseTwelveSignificantDigits) {
  std::string lines;
  for (const double value :
       {0.0, -0.0, 2.0, 1.5, 0.1, 0.3333333333333333, 0.6666666666666666, 123456789012345.0,
        100000000000.0, 1000000000000.0, 999999999999.5, 1e-20, -1e-7, 0.0001, 0.00001,
        0.000123456789012345, 5e-324, 1.7976931348623157e308})
    lines += WrittenBytes(false, [&](DXFGroup& s) { s.PutReal(10, value); }).substr(4);  // " 10\n"
  EXPECT_EQ(lines,
            "0.0\n-0.0\n2\n1.5\n0.1\n0.333333333333\n0.666666666667\n1.23456789012e+14\n"
            "100000000000\n1e+12\n1e+12\n1e-20\n-1e-07\n0.0001\n1e-05\n0.000123456789012\n"
            "4.94065645841e-324\n1.79769313486e+308\n");
}

TEST(DXFGroupTextWrite, ValueFollowsTheWritingTable) {
  // Numbers that are not writable keywords (gaps of the keyword ranges, section codes, the
  // unknown keyword) go out as integers.
  const std::string text = WrittenBytes(false, [](DXFGroup& s) {
    s.StringValue("S");
    s.IntValue(7);
    s.RealValue(2.5);
    for (short code : {9,    59,   60,   80,   209,  210,  239,  240,  999,  1000, 1009,
                       1010, 1059, 1060, 1505, 1509, 1510, 1519, 2000, 2007, 2010}) {
      s.Code(code);
      EXPECT_EQ(s.PutGroup(), kDxfOk) << code;
    }
  });
  EXPECT_EQ(text,
            "  9\nS\n 59\n2.5\n 60\n     7\n 80\n     7\n209\n     7\n210\n2.5\n239\n2.5\n"
            "240\n     7\n999\n     7\n1000\nS\n1009\nS\n1010\n2.5\n1059\n2.5\n1060\n     7\n"
            "1505\n     7\n1509\n     7\n1510\n     7\n1519\n     7\n2000\n     7\n"
            "2007\n     7\n2010\n     7\n");
}

// ---- Keywords and section names ----

TEST(DXFGroupKeywords, TableMapsEveryKeywordBothWaysAndNothingElse) {
  std::string written;
  std::vector<std::string> groups;
  for (const auto& [code, text] : kKeywordTable) {
    EXPECT_STREQ(DXFGroup::KeywordText(code), text) << code;
    EXPECT_EQ(DXFGroup::KeywordCode(text), code) << text;
    written += "  0\n"s + text + "\n";
    groups.push_back(std::string(code == kDxfEof ? "7 " : "0 ") + std::to_string(code) + " s" +
                     text);
  }
  size_t writable = 0;
  for (int code = -1; code <= 40000; ++code)
    writable += DXFGroup::KeywordText(code) != nullptr ? 1 : 0;
  EXPECT_EQ(writable, std::size(kKeywordTable));
  for (const char* text : {"section", "SECTION ", "HEADER", "LINES", "LIN", "ENDSECTIONDATAX", "",
                           static_cast<const char*>(nullptr)})
    EXPECT_EQ(DXFGroup::KeywordCode(text), kDxfUnknownKeyword) << (text ? text : "null");
  // Every keyword written as a code-0 group and read back.
  const std::string bytes = WrittenBytes(false, [](DXFGroup& s) {
    for (const auto& keyword : kKeywordTable)
      EXPECT_EQ(s.PutKeyword(keyword.first), kDxfOk);
  });
  EXPECT_EQ(bytes, written);
  groups.push_back("15");
  ExpectGroups(bytes, false, groups);
}

TEST(DXFGroupKeywords, SectionNamesOnlyUnderCodeTwoAndKeywordsCaseSensitive) {
  ExpectGroups(
      "  2\nHEADER\n  2\nTABLES\n  2\nBLOCKS\n  2\nRSECTIONS\n  2\nENTITIES\n  2\nEntities\n"
      "  2\nLAYER\n  1\nENTITIES\n  0\nENTITIES\n  0\nsection\n  0\nSECTION \n  0\nEOF\n",
      false,
      {"0 1505", "0 1506", "0 1507", "0 1508", "0 1509 sENTITIES", "0 2 sEntities", "0 2 sLAYER",
       "0 1 sENTITIES", "0 2000 sENTITIES", "0 2000 ssection", "0 2000 sSECTION ", "7 1504 sEOF",
       "15"});
}

// ---- Lines ----

TEST(DXFGroupTextLines, CrLfReadsLikeLfAndTheLastLineNeedsNoEnd) {
  const std::pair<const char*, const char*> endings[] = {
      {"\n", "\n"}, {"\r\n", "\r\n"}, {"\n", ""}, {"\r\n", "\r"}};
  for (const auto& [end, last] : endings) {
    SCOPED_TRACE(testing::PrintToString(std::string(end) + "/" + last));
    ExpectGroups(
        WithLineEnds("  0\nLINE\n  8\nROOF A\n 10\n1.25\n 70\n    12\n999\nnote\n  0\n", end) +
            "EOF" + last,
        false,
        {"0 2001 sLINE", "0 8 sROOF A", "0 10 r1.25", "0 70 i12", "0 999 lnote", "7 1504 sEOF",
         "15"});
  }
}

TEST(DXFGroupTextLines, LongLinesAreCutTo511CharactersAndPairsStayAligned) {
  const std::string x511(511, 'x');
  for (const std::string end : {"\n", "\r\n"}) {
    SCOPED_TRACE(end.size());
    ExpectGroups(
        WithLineEnds("  1\n" + x511 + "\n  1\n" + std::string(600, 'a') + "TAIL\n 10\n2.5\n  1\n" +
                         std::string(512, 'b') + "\n 70\n     3\n",
                     end),
        false,
        {"0 1 s" + x511, "0 1 s" + std::string(511, 'a'), "0 10 r2.5",
         "0 1 s" + std::string(511, 'b'), "0 70 i3", "15"});
  }
  ExpectGroups("  1\n" + std::string(5000, 'z'), false, {"0 1 s" + std::string(511, 'z'), "15"});
  ExpectGroups("  1\nab\0cd\n 10\n2.5\n"s, false, {"0 1 sab", "0 10 r2.5"});
}

TEST(DXFGroupTextLines, RawLinesStayInTheLineBuffer) {
  // Reading any text line empties the string value; codes 1060 to 1079 carry integers.
  ExpectGroups("  1\nname\n999\n a comment \n100\nAcDbEntity\n1071\n    42\n", false,
               {"0 1 sname", "0 999 l a comment |s", "0 100 lAcDbEntity", "0 1071 i42"});
}

// ---- Values and result codes ----

TEST(DXFGroupTextNumbers, ValueFollowsTheReadingTable) {
  // Distinct values, so that one read as the wrong type shows; "x" only reads as a raw line.
  ExpectGroups(
      "  9\nS\n 10\n1\n 59\n5.9\n 60\n60\n 79\n79\n 80\nx\n209\nx\n210\n21\n239\n23.9\n240\nx\n"
      "999\nx\n1000\nT\n1009\nU\n1010\n101\n1059\n105.9\n1060\n1060\n1079\n1079\n1080\nx\n",
      false,
      {"0 9 sS", "0 10 r1", "0 59 r5.9", "0 60 i60", "0 79 i79", "0 80 lx|s", "0 209 lx|s",
       "0 210 r21", "0 239 r23.9", "0 240 lx|s", "0 999 lx|s", "0 1000 sT", "0 1009 sU",
       "0 1010 r101", "0 1059 r105.9", "0 1060 i1060", "0 1079 i1079", "0 1080 lx|s"});
}

TEST(DXFGroupTextNumbers, IntegersReadLikePercentHdAndWrapToSixteenBits) {
  // 70000 - 65536 = 4464, and 10^20 - 1 is -1 modulo 2^16; a failed read keeps the old value.
  ExpectGroups(
      " 70\n  7abc\n 70\n\t-12\n 70\n+5\n 70\n70000\n 70\n-70000\n 70\n99999999999999999999\n"
      " 62\n abc\n",
      false,
      {"0 70 i7", "0 70 i-12", "0 70 i5", "0 70 i4464", "0 70 i-4464", "0 70 i-1", "14 62 i-1"});
}

TEST(DXFGroupTextNumbers, RealsReadTheLongestValidPrefixAndRefuseNonFinite) {
  ExpectGroups(" 10\n1.5e3junk\n 10\n0,1\n 10\n  +2.5\n 10\n-.25\n 10\n7\n 10\n4.9e-324\n", false,
               {"0 10 r1500", "0 10 r0", "0 10 r2.5", "0 10 r-0.25", "0 10 r7", "0 10 r5e-324"});
  for (const char* bad : {"abc", "nan", "inf", "-infinity", "1e999", "+-2", ""}) {
    SCOPED_TRACE(bad);
    ExpectGroups(" 10\n3.25\n 20\n"s + bad + "\n", false, {"0 10 r3.25", "13 20 r3.25"});
  }
}

TEST(DXFGroupTextNumbers, EndOfFileAtEitherLineIsFifteen) {
  for (const char* cut : {"", "  1\n", "  2\n", " 10\n", " 70\n", "  0\n", "999\n"}) {
    SCOPED_TRACE(cut);
    ExpectGroups(cut, false, {"15"});
  }
}

// ---- Stream state ----

TEST(DXFGroupTextState, NewStreamIsEmptyAndStringValueIsBounded) {
  DXFGroup s;
  EXPECT_TRUE(s.Code() == 0 && !s.Binary() && !s.Requeued() && s.File() == nullptr);
  EXPECT_STREQ(s.LineBuffer(), "");
  EXPECT_STREQ(s.StringValue(), "");
  s.StringValue(std::string(600, 'q').c_str());
  EXPECT_EQ(std::string(s.StringValue()), std::string(511, 'q'));
  s.StringValue(nullptr);
  EXPECT_STREQ(s.StringValue(), "");
  EXPECT_EQ(s.GetGroup(), kDxfLineEof);  // no file
}

TEST(DXFGroupTextState, RequeueDeliversTheSameGroupOnceWithoutReading) {
  StreamOver in(" 70\n     9\n  1\nnext\n", false);
  DXFGroup::ResetBytesConsumed();
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.Requeue(), 0);
  EXPECT_EQ(in.stream.Requeue(), 0);  // a second push-back changes nothing
  EXPECT_TRUE(in.stream.Requeued());
  ExpectGroups(in.stream, {"0 70 i9"});
  EXPECT_FALSE(in.stream.Requeued());
  EXPECT_EQ(DXFGroup::BytesConsumed(), 11u);  // the first group's two lines only
  ExpectGroups(in.stream, {"0 1 snext", "15"});
}

TEST(DXFGroupTextState, BytesConsumedCountsLinesAsTextMode) {
  // Each line counts its kept characters and one terminator: also a CR LF line, the last line
  // without an end, and an overlong line (cut to 511).
  StreamOver in("  0\nSECTION\n  1\nab\n  1\n" + std::string(900, 'w') + "\n  1\r\nab\r\n  1\r\nab",
                false);
  DXFGroup::ResetBytesConsumed();
  for (const uint32_t total : {12u, 19u, 19u + 4u + 512u, 542u, 549u}) {
    ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
    EXPECT_EQ(DXFGroup::BytesConsumed(), total);
  }
}

TEST(DXFGroupTextState, SettingAFileDropsBufferedInputAndPushBack) {
  StreamOver in("  1\none\n  1\nstill in buffer\n", false);
  ScratchFile second("  1\ntwo\n");
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  in.stream.Requeue();
  in.stream.File(second.get());
  EXPECT_FALSE(in.stream.Requeued());
  ExpectGroups(in.stream, {"0 1 stwo", "15"});
}
