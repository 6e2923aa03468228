#include "platform/win32.h"

#include <gtest/gtest.h>

TEST(Win32Rect, PtInRectIncludesLeftTopExcludesRightBottom) {
  const RECT r{7, 17, 13, 23};
  EXPECT_TRUE(PtInRect(&r, POINT{7, 17}));
  EXPECT_TRUE(PtInRect(&r, POINT{12, 22}));
  EXPECT_FALSE(PtInRect(&r, POINT{13, 20}));
  EXPECT_FALSE(PtInRect(&r, POINT{10, 23}));
  EXPECT_FALSE(PtInRect(&r, POINT{6, 20}));
  EXPECT_FALSE(PtInRect(nullptr, POINT{10, 20}));
}

TEST(Win32Rect, EmptyOrInvertedRectangleHoldsNoPoint) {
  const RECT empty{5, 5, 5, 5};
  EXPECT_FALSE(PtInRect(&empty, POINT{5, 5}));
  const RECT inverted{10, 10, 0, 0};
  EXPECT_FALSE(PtInRect(&inverted, POINT{5, 5}));
}

TEST(Win32Rect, OffsetRectMovesAllEdges) {
  RECT r{1, 2, 3, 4};
  EXPECT_TRUE(OffsetRect(&r, 10, -20));
  EXPECT_EQ(r.left, 11);
  EXPECT_EQ(r.top, -18);
  EXPECT_EQ(r.right, 13);
  EXPECT_EQ(r.bottom, -16);
  EXPECT_FALSE(OffsetRect(nullptr, 1, 1));
}

TEST(Win32Strings, CharUpperBuffAUpperCasesAsciiOnlyWithinLength) {
  char text[] = "abc xyz\xe9!";
  EXPECT_EQ(CharUpperBuffA(text, 5), 5u);
  EXPECT_STREQ(text, "ABC Xyz\xe9!");
  EXPECT_EQ(CharUpperBuffA(text, static_cast<DWORD>(sizeof text - 1)), sizeof text - 1);
  EXPECT_STREQ(text, "ABC XYZ\xe9!");
  EXPECT_EQ(CharUpperBuffA(nullptr, 3), 0u);
}

TEST(Win32Colours, RgbPacksAsBlueGreenRed) {
  const COLORREF c = RGB(0x12, 0x34, 0x56);
  EXPECT_EQ(c, 0x00563412u);
  EXPECT_EQ(GetRValue(c), 0x12);
  EXPECT_EQ(GetGValue(c), 0x34);
  EXPECT_EQ(GetBValue(c), 0x56);
}

TEST(Win32Strings, LstrcmpiAIgnoresAsciiCaseOnly) {
  EXPECT_EQ(lstrcmpiA("Walls", "WALLS"), 0);
  EXPECT_LT(lstrcmpiA("a", "B"), 0);
  EXPECT_GT(lstrcmpiA("b", "A"), 0);
  EXPECT_LT(lstrcmpiA("wall", "walls"), 0);
  EXPECT_NE(lstrcmpiA("\xe9", "\xc9"), 0);
  EXPECT_EQ(lstrcmpiA(nullptr, nullptr), 0);
  EXPECT_LT(lstrcmpiA(nullptr, ""), 0);
  EXPECT_GT(lstrcmpiA("", nullptr), 0);
}
