// The image backend against GDI's pixel rules.

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/surface.h"
#include "platform/win32.h"
#include "support/image_dc.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

struct Canvas : ScopedDC {
  Canvas(int w = 12, int h = 8) : ScopedDC(CreateImageDC(w, h)) {}
};

TEST(GdiDrawing, RectangleLeavesOutRightAndBottomEdges) {
  Canvas dc;
  HBRUSH red = CreateSolidBrush(kRed);
  {
    Selected brush(dc, red);
    EXPECT_TRUE(Rectangle(dc, 8, 6, 2, 1));  // corners in any order
  }
  EXPECT_EQ(Picture(dc, 0, 0, 12, 8),
            "............\n"
            "..######....\n"
            "..#oooo#....\n"
            "..#oooo#....\n"
            "..#oooo#....\n"
            "..######....\n"
            "............\n"
            "............\n");
  EXPECT_EQ(GetPixel(dc, 4, 3), kRed);
  EXPECT_EQ(GetPixel(dc, 2, 1), kBlack);
  DeleteObject(red);
}

TEST(GdiDrawing, RectangleWithoutPenIsOnePixelSmaller) {
  Canvas dc;
  Selected pen(dc, GetStockObject(NULL_PEN));
  Selected brush(dc, GetStockObject(BLACK_BRUSH));
  Rectangle(dc, 2, 1, 8, 6);
  EXPECT_EQ(Picture(dc, 0, 0, 12, 7),
            "............\n"
            "..#####.....\n"
            "..#####.....\n"
            "..#####.....\n"
            "..#####.....\n"
            "............\n"
            "............\n");
}

TEST(GdiDrawing, LineToLeavesOutItsLastPixelInEitherDirection) {
  Canvas dc;
  MoveToEx(dc, 2, 1, nullptr);
  LineTo(dc, 8, 1);
  MoveToEx(dc, 8, 3, nullptr);
  LineTo(dc, 2, 3);
  MoveToEx(dc, 1, 4, nullptr);
  LineTo(dc, 4, 7);  // diagonal: (1,4) (2,5) (3,6), not (4,7)
  POINT previous{};
  MoveToEx(dc, 10, 7, &previous);
  EXPECT_EQ(previous.x, 4);
  EXPECT_EQ(previous.y, 7);
  LineTo(dc, 10, 7);  // zero length draws nothing
  EXPECT_EQ(Picture(dc, 0, 0, 12, 8),
            "............\n"
            "..######....\n"
            "............\n"
            "...######...\n"
            ".#..........\n"
            "..#.........\n"
            "...#........\n"
            "............\n");
}

TEST(GdiDrawing, PolylineJoinsSegmentsAndLeavesOutOnlyTheFinalPixel) {
  Canvas dc;
  const POINT corner[] = {{2, 1}, {6, 1}, {6, 5}};
  EXPECT_TRUE(Polyline(dc, corner, 3));
  EXPECT_FALSE(Polyline(dc, corner, 1));
  EXPECT_FALSE(Polyline(dc, nullptr, 3));
  EXPECT_EQ(Picture(dc, 0, 0, 8, 6),
            "........\n"
            "..#####.\n"
            "......#.\n"
            "......#.\n"
            "......#.\n"
            "........\n");
}

TEST(GdiDrawing, EllipseStaysInsideItsHalfOpenBox) {
  Canvas dc(16, 12);
  Selected brush(dc, GetStockObject(BLACK_BRUSH));
  Ellipse(dc, 2, 1, 14, 10);
  const std::string picture = Picture(dc, 0, 0, 16, 12);
  // Rows 1 to 9 and columns 2 to 13 only, touching every side of that box.
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 16; ++x) {
      const bool inked = picture[static_cast<size_t>(y * 17 + x)] == '#';
      if (y < 1 || y > 9 || x < 2 || x > 13) {
        EXPECT_FALSE(inked) << x << "," << y;
      }
    }
  }
  EXPECT_EQ(GetPixel(dc, 2, 5), kBlack);
  EXPECT_EQ(GetPixel(dc, 13, 5), kBlack);
  EXPECT_EQ(GetPixel(dc, 8, 1), kBlack);
  EXPECT_EQ(GetPixel(dc, 8, 9), kBlack);
  EXPECT_EQ(GetPixel(dc, 2, 1), kWhite);
}

// Counts inked pixels in each quadrant around the centre of a 21 x 21 box.
struct Quadrants {
  int top_left = 0, top_right = 0, bottom_left = 0, bottom_right = 0;
};

Quadrants CountQuadrants(HDC dc) {
  Quadrants q;
  for (int y = 0; y < 21; ++y) {
    for (int x = 0; x < 21; ++x) {
      if (GetPixel(dc, x, y) == kWhite || x == 10 || y == 10) continue;
      int& n =
          y < 10 ? (x < 10 ? q.top_left : q.top_right) : (x < 10 ? q.bottom_left : q.bottom_right);
      ++n;
    }
  }
  return q;
}

TEST(GdiDrawing, ArcRunsCounterClockwiseOnTheDevice) {
  {
    Canvas dc(21, 21);
    Arc(dc, 0, 0, 21, 21, 20, 10, 10, 0);  // from 3 o'clock to 12 o'clock
    const Quadrants q = CountQuadrants(dc);
    EXPECT_GT(q.top_right, 0);
    EXPECT_EQ(q.top_left + q.bottom_left + q.bottom_right, 0);
  }
  {
    Canvas dc(21, 21);
    Arc(dc, 0, 0, 21, 21, 10, 0, 20, 10);  // the other three quarters
    const Quadrants q = CountQuadrants(dc);
    EXPECT_EQ(q.top_right, 0);
    EXPECT_GT(q.top_left, 0);
    EXPECT_GT(q.bottom_left, 0);
    EXPECT_GT(q.bottom_right, 0);
  }
  {
    Canvas dc(21, 21);
    Selected brush(dc, GetStockObject(BLACK_BRUSH));
    Chord(dc, 0, 0, 21, 21, 20, 10, 0, 10);  // the upper half, filled
    EXPECT_EQ(GetPixel(dc, 10, 5), kBlack);
    EXPECT_EQ(GetPixel(dc, 10, 15), kWhite);
  }
}

TEST(GdiDrawing, PolygonFillsAlternateOrWinding) {
  // A five-pointed star: its centre is outside under ALTERNATE, inside under WINDING.
  const POINT star[] = {{20, 2}, {31, 37}, {2, 15}, {38, 15}, {9, 37}};
  for (const int mode : {ALTERNATE, WINDING}) {
    Canvas dc(40, 40);
    Selected pen(dc, GetStockObject(NULL_PEN));
    Selected brush(dc, GetStockObject(BLACK_BRUSH));
    SetPolyFillMode(dc, mode);
    EXPECT_TRUE(Polygon(dc, star, 5));
    EXPECT_EQ(GetPixel(dc, 20, 21), mode == WINDING ? kBlack : kWhite);
    EXPECT_EQ(GetPixel(dc, 20, 8), kBlack);
  }
}

TEST(GdiDrawing, NotXorTwiceRestoresTheImage) {
  Canvas dc(40, 30);
  // Something to draw over: coloured blocks and lines.
  HBRUSH teal = CreateSolidBrush(RGB(0, 128, 128));
  {
    Selected brush(dc, teal);
    Rectangle(dc, 5, 5, 25, 20);
  }
  MoveToEx(dc, 0, 0, nullptr);
  LineTo(dc, 39, 29);
  const std::vector<COLORREF> before = Pixels(dc);

  SetROP2(dc, R2_NOTXORPEN);
  Selected pen(dc, GetStockObject(BLACK_PEN));
  Selected brush(dc, GetStockObject(BLACK_BRUSH));
  const POINT tri[] = {{3, 25}, {35, 2}, {30, 28}};
  Rectangle(dc, 10, 10, 30, 26);
  Polygon(dc, tri, 3);
  Ellipse(dc, 1, 1, 15, 12);
  EXPECT_NE(Pixels(dc), before);
  EXPECT_EQ(GetPixel(dc, 31, 15), kBlack) << "not-xor with black inverts white";
  Ellipse(dc, 1, 1, 15, 12);
  Polygon(dc, tri, 3);
  Rectangle(dc, 10, 10, 30, 26);
  EXPECT_EQ(Pixels(dc), before);
  DeleteObject(teal);
}

TEST(GdiDrawing, ClipRegionLimitsDrawingAndIsSavedWithTheContext) {
  Canvas dc(20, 10);
  HRGN clip = CreateRectRgn(5, 2, 10, 6);
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  const RECT all{0, 0, 20, 10};
  const int saved = SaveDC(dc);
  EXPECT_EQ(SelectClipRgn(dc, clip), SIMPLEREGION);
  DeleteObject(clip);  // the DC keeps its own copy
  FillRect(dc, &all, black);
  EXPECT_EQ(GetPixel(dc, 5, 2), kBlack);
  EXPECT_EQ(GetPixel(dc, 9, 5), kBlack);
  EXPECT_EQ(GetPixel(dc, 10, 5), kWhite);
  EXPECT_EQ(GetPixel(dc, 4, 2), kWhite);
  EXPECT_TRUE(RestoreDC(dc, saved));
  SetPixel(dc, 15, 8, kRed);
  EXPECT_EQ(GetPixel(dc, 15, 8), kRed) << "the clip went with RestoreDC";
}

TEST(GdiDrawing, PaintRgnFillsAComplexRegionWithItsHole) {
  Canvas dc(20, 20);
  HRGN outer = CreateRectRgn(2, 2, 18, 18);
  HRGN hole = CreateRectRgn(6, 6, 12, 12);
  EXPECT_EQ(CombineRgn(outer, outer, hole, RGN_DIFF), COMPLEXREGION);
  Selected brush(dc, GetStockObject(BLACK_BRUSH));
  EXPECT_TRUE(PaintRgn(dc, outer));
  EXPECT_EQ(GetPixel(dc, 2, 2), kBlack);
  EXPECT_EQ(GetPixel(dc, 17, 17), kBlack);
  EXPECT_EQ(GetPixel(dc, 18, 17), kWhite);
  EXPECT_EQ(GetPixel(dc, 8, 8), kWhite);
  EXPECT_EQ(PtInRegion(outer, 8, 8), FALSE);
  EXPECT_EQ(PtInRegion(outer, 3, 8), TRUE);
  DeleteObject(outer);
  DeleteObject(hole);
}

TEST(GdiDrawing, WidePensScaleWithTheMappingAndDashesBreakLines) {
  Canvas dc(60, 20);
  HPEN wide = CreatePen(PS_SOLID, 2, kBlack);
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, 1, 1, nullptr);
  SetViewportExtEx(dc, 3, 3, nullptr);  // 2 logical = 6 device pixels
  {
    Selected pen(dc, wide);
    MoveToEx(dc, 2, 3, nullptr);
    LineTo(dc, 15, 3);
  }
  SetMapMode(dc, MM_TEXT);  // GetPixel reads logical coordinates too
  int thickness = 0;
  for (int y = 0; y < 20; ++y)
    thickness += GetPixel(dc, 20, y) == kBlack;
  EXPECT_EQ(thickness, 6);
  DeleteObject(wide);

  HPEN dash = CreatePen(PS_DASH, 0, kBlack);
  Selected pen(dc, dash);
  MoveToEx(dc, 0, 18, nullptr);
  LineTo(dc, 60, 18);
  const std::string row = Picture(dc, 0, 18, 60, 19);
  EXPECT_EQ(std::count(row.begin(), row.end(), '#'), 18 + 18 + 12) << row;
  DeleteObject(dash);
}

}  // namespace
