#include "settings/units.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

namespace {

// Conversions chain at most four floating operations; a relative 1e-12 is far tighter than any
// wrong factor and far looser than rounding noise.
constexpr double kRelTolerance = 1e-12;

void ExpectNear(double actual, double expected, const std::string& what) {
  EXPECT_NEAR(actual, expected, kRelTolerance * std::max(1.0, std::abs(expected))) << what;
}

struct ConvertRow {
  int kind, from, to;
  double expected;  // for a value of 10 in the source unit
};

// Each factor in each direction, and the pairs that never convert (millimetres stay as they
// are, code 4 and non-units too, and there are no square millimetres).
const ConvertRow kConvertRows[] = {
    {kMeasureLength, 1, 0, 10 / 0.3048},
    {kMeasureLength, 0, 1, 3.048},
    {kMeasureLength, 0, 2, 120},
    {kMeasureLength, 2, 3, 10 / 12.0 * 30.48},
    {kMeasureLength, 3, 0, 0.1 / 0.3048},
    {kMeasureLength, 1, 5, 10000},
    {kMeasureLength, 5, 1, 10},
    {kMeasureLength, 4, 0, 10},
    {kMeasureLength, -1, 1, 10},
    {kMeasureLength, 1, 6, 10},
    {kMeasureArea, 0, 1, 0.929},
    {kMeasureArea, 1, 2, 10 / 0.0929 * 144},
    {kMeasureArea, 3, 0, 0.001 / 0.0929},
    {kMeasureArea, 0, 5, 10},
    {2, 0, 1, 10},
    {-1, 0, 2, 10},
};

}  // namespace

TEST(ConvertVal, FollowsTheConversionTables) {
  for (const ConvertRow& row : kConvertRows)
    ExpectNear(
        ConvertVal(10, row.kind, row.from, row.to), row.expected,
        std::to_string(row.kind) + ": " + std::to_string(row.from) + "->" + std::to_string(row.to));
  ExpectNear(ConvertVal(-2, kMeasureLength, kUnitFeet, kUnitInches), -24, "negative");
}

TEST(Round, ModesFloorCeilAndHalfUpTruncated) {
  struct Row {
    double value;
    int mode;
    double expected;
  };
  const Row rows[] = {
      {2.5, 3, 3},   {-2.5, 3, -2}, {-2.7, 3, -2},  {2.49, 3, 2}, {-0.4, 3, 0},
      {2.1, 2, 3},   {-2.1, 2, -2}, {-2.1, 1, -3},  {2.9, 1, 2},  {3.0, 1, 3},
      {2.7, 0, 2.7}, {2.7, 4, 2.7}, {2.7, -1, 2.7},
  };
  for (const Row& row : rows)
    EXPECT_EQ(Round(row.value, row.mode), row.expected) << row.value << " mode " << row.mode;
}

TEST(Round, HalfUpSaturatesInsteadOfOverflowing) {
  EXPECT_EQ(Round(1e300, kRoundHalfUpTruncated), 2147483647.0);
  EXPECT_EQ(Round(-1e300, kRoundHalfUpTruncated), -2147483648.0);
  EXPECT_EQ(Round(std::nan(""), kRoundHalfUpTruncated), 0.0);
}

TEST(DecToUnit, SplitsIntoMajorAndMinorParts) {
  struct Row {
    double value;
    int kind, from, to;
    double whole, minor;
  };
  const Row rows[] = {
      {5.5, kMeasureLength, 0, 0, 5, 6},
      {-0.5, kMeasureLength, 0, 0, 0, -6},  // the sign moves to the inches
      {-5.5, kMeasureLength, 0, 0, -5, 6},  // lengths keep the inches positive
      {5.5, kMeasureLength, 0, 2, 5, 6},    // to inches: 66" is 5' 6"
      {-66, kMeasureLength, 2, 2, -5, 6},
      {1.25, kMeasureLength, 1, 1, 1, 25},
      {125, kMeasureLength, 3, 3, 1, 25},
      {10, kMeasureLength, 0, 1, 3, 4.8},  // 3.048 m
      {2.5, kMeasureArea, 0, 0, 2, 72},
      {-2.5, kMeasureArea, 0, 0, -2, -72},  // areas keep the sign on both parts
      {360, kMeasureArea, 2, 2, 2, 72},
      {-0.5, kMeasureArea, 0, 0, 0, -72},
      {1.5, kMeasureArea, 1, 1, 1, 5000},
  };
  for (const Row& row : rows) {
    double whole = -99, minor = -99;
    DecToUnit(row.value, whole, minor, row.kind, row.from, row.to);
    const std::string what = std::to_string(row.value) + " to " + std::to_string(row.to);
    ExpectNear(whole, row.whole, what);
    EXPECT_NEAR(minor, row.minor, 1e-9) << what;
  }
}

TEST(DecToUnit, ZeroAndUnsplittableUnitsLeaveTheOutputs) {
  double whole = 7, minor = 3;
  DecToUnit(0.0, whole, minor, kMeasureLength, kUnitFeet, kUnitFeet);
  DecToUnit(-4.0, whole, minor, kMeasureLength, kUnitMillimetres, kUnitMillimetres);
  EXPECT_EQ(whole, 7.0);
  EXPECT_EQ(minor, 3.0);
}

TEST(UnitToDec, JoinsPartsAndConverts) {
  struct Row {
    double whole, minor;
    int kind, unit, to;
    double expected;
  };
  const Row rows[] = {
      {5, 6, kMeasureLength, 0, 0, 5.5},
      {5, 6, kMeasureLength, 2, 2, 5.5},  // joined in the major unit, feet, before converting
      {0, -6, kMeasureLength, 0, 0, -0.5},
      {1, 25, kMeasureLength, 1, 1, 1.25},
      {1, 25, kMeasureLength, 3, 3, 1.25},
      {5, 6, kMeasureLength, 0, 1, 5.5 * 0.3048},
      {2, 72, kMeasureArea, 0, 0, 2.5},
      {1, 5000, kMeasureArea, 1, 0, 1.5 / 0.0929},
      {5, 6, kMeasureLength, 4, 0, 0},
      {5, 6, kMeasureLength, 5, 5, 0},
      {5, 6, kMeasureLength, -1, 0, 0},
  };
  for (const Row& row : rows)
    ExpectNear(UnitToDec(row.whole, row.minor, row.kind, row.unit, row.to), row.expected,
               std::to_string(row.whole) + " unit " + std::to_string(row.unit));
}

TEST(FormatUnits, RoundsToWholeInchesAndCarriesIntoFeet) {
  struct Row {
    double value;
    int unit;  // given and shown in
    bool omitZero;
    const char* expected;
  };
  const Row rows[] = {
      {5.5, 0, false, "5' 6\""},
      {5.99, 0, false, "6' 0\""},    // 11.88" round to 12 and carry
      {71.5, 2, false, "6' 0\""},    // half an inch short of a foot carries
      {-66.5, 2, false, "-5' 7\""},  // halves round away from zero
      {-0.5, 0, false, "0' -6\""},
      {-0.99, 0, false, "-1' 0\""},  // without feet the carry takes
                                     // the sign
      {0.0, 0, false, "0' 0\""},
      {-0.5, 0, true, "-6\""},
      {5.99, 0, true, "6'"},
      {0.0, 0, true, "0\""},
  };
  for (const Row& row : rows) {
    char buffer[kUnitTextBufferSize];
    EXPECT_EQ(FormatUnits(row.value, buffer, kMeasureLength, row.unit, row.unit, row.omitZero),
              buffer);
    EXPECT_STREQ(buffer, row.expected) << row.value;
  }
}

TEST(FormatUnits, ConvertsBeforeFormatting) {
  char buffer[kUnitTextBufferSize];
  // 1 m is 3.2808 ft, 3' 3.37".
  EXPECT_STREQ(FormatUnits(1.0, buffer, kMeasureLength, kUnitMetres, kUnitFeet, false), "3' 3\"");
  EXPECT_STREQ(FormatUnits(5.5, buffer, kMeasureLength, kUnitFeet, kUnitInches, false), "5' 6\"");
}

TEST(FormatUnits, HostileValuesFitTheBuffer) {
  EXPECT_EQ(FormatUnits(1.0, nullptr, kMeasureLength, 0, 0, false), nullptr);
  const double values[] = {1e300, -1e300, std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity(), std::nan("")};
  for (double value : values) {
    char buffer[kUnitTextBufferSize + 8];
    std::memset(buffer, 'x', sizeof(buffer));
    FormatUnits(value, buffer, kMeasureLength, kUnitFeet, kUnitFeet, false);
    EXPECT_LT(std::strlen(buffer), static_cast<size_t>(kUnitTextBufferSize)) << value;
    EXPECT_NE(std::strchr(buffer, '\''), nullptr) << value;
  }
  char buffer[kUnitTextBufferSize];
  EXPECT_STREQ(FormatUnits(1e300, buffer, kMeasureLength, 0, 0, false), "2147483647' 0\"");
}

TEST(FormatDouble, MatchesThreeDecimalPrintfInTheCLocale) {
  const double values[] = {
      1.25, 3.0,     12.3456,  0.0,    -0.0, 1.2345,   0.0005, 999.9999,
      0.1,  1.0 / 3, -2.0 / 3, 0.0025, 1e20, -7.77777, 1e-9,   4503599627370496.5};
  for (double value : values) {
    char expected[400];
    std::snprintf(expected, sizeof(expected), "%.3f", value);
    const size_t length = std::strlen(expected);
    if (expected[length - 1] == '0') expected[length - 1] = '\0';
    char buffer[kUnitTextBufferSize];
    EXPECT_STREQ(FormatDouble(value, buffer), expected) << value;
  }
  EXPECT_EQ(FormatDouble(1.0, nullptr), nullptr);
}

TEST(FormatDouble, ValuesTooWideForTheBufferTurnScientific) {
  char buffer[kUnitTextBufferSize];
  EXPECT_STREQ(FormatDouble(1e40, buffer), "1.000e+40");
  EXPECT_STREQ(FormatDouble(-1.7976931348623157e308, buffer), "-1.798e+308");
  // The widest fixed text that still fits: 28 digits and two decimals.
  EXPECT_EQ(std::strlen(FormatDouble(1e27, buffer)), static_cast<size_t>(31));
  EXPECT_STREQ(FormatDouble(std::numeric_limits<double>::infinity(), buffer), "inf");
}

TEST(UnitStringToDec, ReadsTypedFeetAndInches) {
  struct Row {
    const char* text;
    double expected;  // feet
  };
  const Row rows[] = {
      {"5'6-1/2\"", 5 + 6.5 / 12},
      {"5' 6\"", 5.5},
      {"5'11-15/16\"", 5 + (11 + 15.0 / 16) / 12},
      {"6-1/2\"", 6.5 / 12},
      {"0'-6\"", -0.5},
      {"-7", -7},
      {"5.6-1/2", 5 + 6.5 / 12},  // the point stands for the feet mark
      {"12.25", 12 + 25.0 / 12},
      {"5'6-1/0", 5.5},  // a zero denominator adds nothing
      {"5'6-1", 5.5},    // no slash, no fraction
      {"5'6/2-1", 5.5},  // the slash must follow the hyphen
      {"", 0},
      {"abc", 0},
      {"'", 0},
      {"-", 0},
      {"1e999", 0},
      {"x'6", 0.5},
  };
  for (const Row& row : rows) {
    char text[64];
    std::snprintf(text, sizeof(text), "%s", row.text);
    ExpectNear(UnitStringToDec(text, kMeasureLength, kUnitFeet, kUnitFeet), row.expected, row.text);
  }
}

TEST(UnitStringToDec, ReplacesTheFirstDecimalPointInTheCallersText) {
  char text[] = "5.6";
  ExpectNear(UnitStringToDec(text, kMeasureLength, kUnitFeet, kUnitFeet), 5.5, "5.6");
  EXPECT_STREQ(text, "5'6");
  char marked[] = "5'6.5\"";  // with a feet mark the text is left alone
  ExpectNear(UnitStringToDec(marked, kMeasureLength, kUnitFeet, kUnitFeet), 5 + 6.5 / 12, marked);
  EXPECT_STREQ(marked, "5'6.5\"");
}

TEST(UnitStringToDec, ConvertsToTheRequestedUnit) {
  char text[] = "5'6\"";
  ExpectNear(UnitStringToDec(text, kMeasureLength, kUnitFeet, kUnitMetres), 5.5 * 0.3048, text);
  char metric[] = "1'25";
  ExpectNear(UnitStringToDec(metric, kMeasureLength, kUnitMetres, kUnitCentimetres), 125, metric);
  char area[] = "2'72";
  ExpectNear(UnitStringToDec(area, kMeasureArea, kUnitFeet, kUnitFeet), 2.5, area);
  char millimetres[] = "5";
  EXPECT_EQ(UnitStringToDec(millimetres, kMeasureLength, kUnitMillimetres, kUnitFeet), 0.0);
  EXPECT_EQ(UnitStringToDec(nullptr, kMeasureLength, kUnitFeet, kUnitFeet), 0.0);
}
