// Number reading of the text form against independent references: every real must read bit for
// bit as std::from_chars reads the same text, and every code line as "%hd" would.

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "io/dxfgroup.h"
#include "support/stream_fixture.h"

TEST(DXFGroupTextNumbers, RealsReadExactlyAsAFullParse) {
  // All texts in one file, so that lines of every length follow each other in the buffer.
  std::string file;
  std::vector<std::string> want;
  const auto add = [&](const std::string& text) {
    double expected = 0.0;
    ASSERT_EQ(std::from_chars(text.data(), text.data() + text.size(), expected).ec, std::errc());
    file += " 40\n" + text + "\n";
    want.push_back("0 40 r" + RealText(expected));  // exact, sign of zero too
  };
  // Shapes files carry: the writer's 12 digits, fixed notation with up to 25 fraction digits,
  // exponents, leading zeros, long mantissas.
  for (const char* text :
       {"0.0", "-0.0", "1", "-1.", ".5", "-.125", "007.250", "12345678901234567890.5",
        "9007199254740993", "0.1000000000000000055511151231257827", "123456.789012345678", "1e-300",
        "2.5E+10", "3.14159e0"})
    add(text);
  std::mt19937_64 random(20240611);
  std::uniform_real_distribution<double> magnitude(-12.0, 12.0);
  char text[64];
  for (int i = 0; i < 3000; ++i) {
    const double value = std::pow(10.0, magnitude(random)) * (i % 2 == 0 ? 1.0 : -1.0);
    std::snprintf(text, sizeof text, "%.*g", 1 + i % 17, value);
    add(text);
    std::snprintf(text, sizeof text, "%.*f", i % 26, value);
    add(text);
  }
  ExpectGroups(file, false, want);
}

TEST(DXFGroupTextNumbers, CodeLinesReadLikePercentHdWithinSixteenBits) {
  // Each code line is followed by "5", a valid value of every type; "12" is no number or one
  // outside 16 bits.
  const std::pair<const char*, const char*> cases[] = {
      {"  1", "0 1"},        {" 10", "0 10"},      {"999", "0 999"}, {"1 5", "0 1"},
      {" 1 ", "0 1"},        {"\t7", "0 7"},       {"007", "0 7"},   {"+12", "0 12"},
      {"5", "0 5"},          {"1071", "0 1071"},   {"10\r", "0 10"}, {"  8abc", "0 8"},
      {"0009999", "0 9999"}, {"32767", "0 32767"}, {" -5", "11 -5"}, {"-32768", "11 -32768"},
      {"70000", "12"},       {"-32769", "12"},     {"32768", "12"},  {" - 1", "12"},
      {"x10", "12"},         {" \t ", "12"},       {"", "12"},       {"+-1", "12"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first);
    ExpectGroups(std::string(c.first) + "\n5\n", false, {c.second});
  }
}
