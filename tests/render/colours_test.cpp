#include "render/colours.h"

#include <gtest/gtest.h>

namespace {

struct ColourRow {
  const char* name;
  BYTE r, g, b;
};

// The 16-colour table, index by index.
const ColourRow kColourTable[] = {
    {"Black", 0, 0, 0},           {"Red", 255, 0, 0},       {"Yellow", 255, 255, 0},
    {"Green", 0, 255, 0},         {"Aqua", 0, 255, 255},    {"Blue", 0, 0, 255},
    {"Pink", 255, 0, 255},        {"White", 255, 255, 255}, {"Gray", 192, 192, 192},
    {"Dark Red", 128, 0, 0},      {"Mustard", 128, 128, 0}, {"Dark Green", 0, 128, 0},
    {"Teal", 0, 128, 128},        {"Dark Blue", 0, 0, 128}, {"Violet", 128, 0, 128},
    {"Dark Gray", 128, 128, 128},
};

const char* const kLineTypeNames[] = {"CONTINUOUS", "DASH", "DOT", "DASHDOT", "DASHDOTDOT"};

}  // namespace

TEST(Colours, TableGivesRgbAndNameForEachIndex) {
  static_assert(sizeof(kColourTable) / sizeof(kColourTable[0]) == kColourCount);
  const COLORREF* table = GetColors();
  for (int i = 0; i < kColourCount; ++i) {
    const ColourRow& row = kColourTable[i];
    EXPECT_EQ(GetColor(i), RGB(row.r, row.g, row.b)) << i;
    EXPECT_EQ(table[i], GetColor(i)) << i;
    EXPECT_STREQ(GetColorName(i), row.name) << i;
  }
  // COLORREF stores red in the low byte.
  EXPECT_EQ(GetColor(1), 0x000000FFu);
  EXPECT_EQ(GetColor(5), 0x00FF0000u);
}

TEST(Colours, IndicesOutsideTheTableAreWhiteAndUnnamed) {
  for (int i : {-1, -100, 16, 255}) {
    EXPECT_EQ(GetColor(i), RGB(255, 255, 255)) << i;
    EXPECT_STREQ(GetColorName(i), "") << i;
  }
}

TEST(Colours, LineTypeIndexIsItsPenStyleAndNamesMatchExactly) {
  for (int i = 0; i < kLineTypeCount; ++i) {
    EXPECT_EQ(GetLineType(i), i);
    EXPECT_STREQ(GetStyleName(i), kLineTypeNames[i]);
    EXPECT_EQ(GetLineType(kLineTypeNames[i]), i);
  }
  EXPECT_EQ(GetLineType(5), 0);
  EXPECT_EQ(GetLineType(-1), 0);
  // Names compare with case: anything unknown reads as the last style.
  EXPECT_EQ(GetLineType("dash"), 4);
  EXPECT_EQ(GetLineType("DASH "), 4);
  EXPECT_EQ(GetLineType(""), 4);
  EXPECT_EQ(GetLineType(static_cast<const char*>(nullptr)), 4);
}

TEST(Colours, StyleNamesPastTheTableClampToTheLast) {
  EXPECT_STREQ(GetStyleName(5), "DASHDOTDOT");
  EXPECT_STREQ(GetStyleName(7), "DASHDOTDOT");
  EXPECT_STREQ(GetStyleName(-1), "CONTINUOUS");
}

TEST(Colours, PatternsMapToThemselvesWithinTheTable) {
  for (int i = 0; i < kPatternCount; ++i)
    EXPECT_EQ(GetPattern(i), i);
  EXPECT_EQ(GetPattern(15), 0);
  EXPECT_EQ(GetPattern(-1), 0);
  EXPECT_EQ(GetPattern(-2), 0);
}

TEST(Colours, AciNumbersMapToTheirNearestTableEntry) {
  struct Row {
    int aci;
    int index;
  };
  // Everything not listed here is black, white (7) included: drawings are shown on a white page.
  // clang-format off
  const Row rows[] = {
      {0, 0},   {1, 1},    {2, 2},    {3, 3},    {4, 4},    {5, 5},   {6, 6},  {8, 15},
      {19, 15}, {9, 8},    {21, 8},   {10, 1},   {20, 1},   {11, 9},  {12, 9}, {13, 9},
      {14, 9},  {15, 9},   {16, 9},   {17, 9},   {22, 9},   {56, 10}, {96, 11}, {136, 12},
      {176, 13}, {216, 14}, {7, 0},   {18, 0},   {23, 0},   {55, 0},  {57, 0}, {250, 0},
      {255, 0}, {256, 0},  {-1, 0},   {-6, 0},
  };
  // clang-format on
  for (const Row& row : rows)
    EXPECT_EQ(GetTGColorIndexFromACI(row.aci), row.index) << "ACI " << row.aci;
}

TEST(Colours, MaxDevColoursIsTheScreensTrueColourCountEveryTime) {
  // The screen stand-in has 24 bits per pixel in one plane.
  HDC screen = GetDC(nullptr);
  const int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
  ReleaseDC(nullptr, screen);
  ASSERT_EQ(bits, 24);
  EXPECT_EQ(GetMaxDevColours(), 1 << 24);
  EXPECT_EQ(GetMaxDevColours(), 1 << 24);
}
