// Number reading of the text form against an independent reference: every real must read
// bit for bit as std::from_chars reads the same text, and every code line as "%hd" would.

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "io/dxfgroup.h"
#include "support/stream_fixture.h"

namespace {

// Texts of reals in the shapes files carry: the writer's 12 digits, fixed notation with up to
// 25 fraction digits, exponents, leading zeros, long mantissas.
std::vector<std::string> RealTexts() {
  std::mt19937_64 random(20240611);
  std::uniform_real_distribution<double> magnitude(-12.0, 12.0);
  std::vector<std::string> texts = {"0.0",
                                    "-0.0",
                                    "1",
                                    "-1.",
                                    ".5",
                                    "-.125",
                                    "007.250",
                                    "12345678901234567890.5",
                                    "9007199254740993",
                                    "0.1000000000000000055511151231257827",
                                    "123456.789012345678",
                                    "1e-300",
                                    "2.5E+10",
                                    "3.14159e0"};
  char buffer[64];
  for (int i = 0; i < 3000; ++i) {
    const double value = std::pow(10.0, magnitude(random)) * (i % 2 == 0 ? 1.0 : -1.0);
    const int precision = 1 + i % 17;
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
    texts.emplace_back(buffer, result.ptr);
    result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, i % 26);
    if (result.ec == std::errc()) texts.emplace_back(buffer, result.ptr);
  }
  return texts;
}

}  // namespace

TEST(DXFGroupTextNumbers, RealsReadExactlyAsAFullParse) {
  const std::vector<std::string> texts = RealTexts();
  std::string file;
  for (const std::string& text : texts)
    file += " 40\n" + text + "\n";
  StreamOver in(file, false);
  for (const std::string& text : texts) {
    double expected = 0.0;
    const auto parsed = std::from_chars(text.data(), text.data() + text.size(), expected);
    ASSERT_EQ(parsed.ec, std::errc()) << text;
    ASSERT_EQ(in.stream.GetGroup(), kDxfOk) << text;
    // Bit-exact: the same double, including the sign of zero.
    const double read = in.stream.RealValue();
    EXPECT_EQ(std::memcmp(&read, &expected, sizeof read), 0) << text;
  }
}

TEST(DXFGroupTextNumbers, CodeLinesOfAnyShapeReadLikePercentHd) {
  struct Case {
    const char* line;
    short code;
  };
  const Case cases[] = {{"  1", 1}, {"  9", 9},     {" 10", 10},  {"999", 999},  {"1 5", 1},
                        {" 1 ", 1}, {"\t7", 7},     {"007", 7},   {"+12", 12},   {"5", 5},
                        {"62", 62}, {"1071", 1071}, {"10\r", 10}, {"  8abc", 8}, {"0009999", 9999}};
  for (const Case& c : cases) {
    // "5" is a valid value of every type.
    StreamOver in(std::string(c.line) + "\n5\n", false);
    EXPECT_EQ(in.stream.GetGroup(), kDxfOk) << c.line;
    EXPECT_EQ(in.stream.Code(), c.code) << c.line;
  }
  for (const char* bad : {" - 1", "- 1", "x10", " \t "}) {
    StreamOver in(std::string(bad) + "\n5\n", false);
    EXPECT_EQ(in.stream.GetGroup(), kDxfBadCode) << bad;
  }
  StreamOver negative("-1 \n5\n", false);
  EXPECT_EQ(negative.stream.GetGroup(), kDxfNegativeCode);
}
