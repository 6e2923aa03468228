// Fill patterns: what each pattern draws on a recording DC (first pieces, spacing, counts,
// pen, containment, state restored) and how it looks on an image compared with stored renders.

#include "render/patterns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/surface.h"
#include "platform/win32.h"
#include "render/colours.h"
#include "support/image_dc.h"

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
// 60 x 30, away from the origin so that offsets from the edges show.
constexpr RECT kArea{10, 20, 70, 50};
constexpr RECT kPage{0, 0, 200, 120};

std::vector<RecordedCall> Record(int pattern, RECT area = kArea, double scale = 1.0,
                                 COLORREF colour = kBlue) {
  ScopedDC dc(CreateRecordingDC(400, 400));
  PaintPattern(dc, pattern, colour, scale, &area);
  return GetRecordedCalls(dc);
}

std::vector<RecordedCall> Named(const std::vector<RecordedCall>& calls, const std::string& name) {
  std::vector<RecordedCall> out;
  for (const RecordedCall& call : calls)
    if (call.name == name) out.push_back(call);
  return out;
}

// A drawn line piece: where LineTo started and where it went.
struct Piece {
  int x0, y0, x1, y1;
  bool operator==(const Piece&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Piece& p) {
  return os << "(" << p.x0 << "," << p.y0 << ")-(" << p.x1 << "," << p.y1 << ")";
}

std::vector<Piece> Pieces(const std::vector<RecordedCall>& calls) {
  std::vector<Piece> out;
  for (const RecordedCall& call : Named(calls, "LineTo"))
    out.push_back(Piece{call.from.x, call.from.y, call.args[0], call.args[1]});
  return out;
}

// Calls compared by what they draw (name, coordinates, points, pen).
std::string Describe(const std::vector<RecordedCall>& calls) {
  std::ostringstream out;
  for (const RecordedCall& call : calls) {
    out << call.name;
    for (int a : call.args)
      out << ' ' << a;
    for (const POINT& p : call.points)
      out << ' ' << p.x << ',' << p.y;
    out << " pen " << call.pen_width << '/' << call.pen_colour << '\n';
  }
  return out.str();
}

// An Ellipse call's bounding box (the recording may carry unused trailing arguments).
std::vector<int> Box(const RecordedCall& call) {
  if (call.args.size() < 4) return call.args;
  return std::vector<int>(call.args.begin(), call.args.begin() + 4);
}

bool Inside(const RECT& r, long x, long y) {
  return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
}

// Every call drawn within r, edges included: where lines start, coordinates (an ellipse's box,
// the recording may carry unused trailing arguments), points; and at least one call.
void ExpectInside(const std::vector<RecordedCall>& calls, const RECT& r) {
  EXPECT_FALSE(calls.empty());
  for (const RecordedCall& c : calls) {
    EXPECT_TRUE(c.name != "LineTo" || Inside(r, c.from.x, c.from.y)) << "from";
    for (size_t i = 0; i + 1 < c.args.size() && i < 4; i += 2)
      EXPECT_TRUE(Inside(r, c.args[i], c.args[i + 1])) << c.name << " " << i;
    for (const POINT& p : c.points)
      EXPECT_TRUE(Inside(r, p.x, p.y)) << c.name;
  }
}

struct PiecesCase {
  int pattern;
  size_t count;                           // LineTo calls; 0: not checked
  std::vector<std::pair<int, Piece>> at;  // pieces by position; negative counts from the end
  double scale = 1.0;
  RECT area = kArea;
};

// Worked out by hand on the 60 x 30 area at (10, 20).
// clang-format off
const PiecesCase kPieces[] = {
    // rows 23, 30, 37, 44 and columns 13, 20, ..., 69 across the whole area: the last ones are
    // within a spacing of the far edge, so no band is left bare
    {0, 4, {{0, {10, 23, 70, 23}}, {1, {10, 30, 70, 30}}, {3, {10, 44, 70, 44}}}},
    {1, 9, {{0, {13, 20, 13, 50}}, {1, {20, 20, 20, 50}}, {8, {69, 20, 69, 50}}}},
    // bottom-edge starts 14 + 8k for k = -4 .. 6; the first two begin left of the area, and
    // "starting 4 in" the line through (14, bottom) rises to the top 30 further right
    {2, 11, {{0, {10, 22, 12, 20}}, {1, {10, 30, 20, 20}}, {4, {14, 50, 44, 20}}}},
    {3, 11, {{0, {10, 48, 12, 50}}, {1, {10, 40, 20, 50}}}},
    // rows 22, 31, 40, 49 (4 + 3 + 4 + 3 dashes), odd rows 9 later; then columns 14, 23, ...,
    // even ones from 6 below the top, odd ones from 2 above it (cut there)
    {10, 0, {{0, {10, 22, 19, 22}}, {1, {28, 22, 37, 22}}, {4, {19, 31, 28, 31}},
             {14, {14, 26, 14, 35}}, {15, {14, 44, 14, 50}}, {16, {23, 20, 23, 27}}}},
    // ticks chain on: (x, y) to (x + 2, y + 2) to (x + 5, y - 1); rows 22 + 4k, 7 rows
    {11, 2 * 7 * 6, {{0, {10, 22, 12, 24}}, {1, {12, 24, 15, 21}}, {2, {20, 22, 22, 24}}}},
    // courses 22, 26, ..., 46; column 12 crosses those from 22, 30, ...; column 16 those from
    // 26, 34, ... and the partial course above the first line
    {12, 0, {{0, {10, 22, 70, 22}}, {6, {10, 46, 70, 46}}, {7, {12, 22, 12, 26}},
             {8, {12, 30, 12, 34}}, {11, {16, 20, 16, 22}}, {12, {16, 26, 16, 30}}}},
    // rows 23, 28, ...: forward from x = 10, 20, ...; every second row backward from 17; the
    // last row (48, backward) is cut by the bottom edge 2 of its 4 pixels down
    {13, 6 * 6, {{0, {10, 23, 14, 27}}, {1, {20, 23, 24, 27}}, {6, {17, 28, 13, 32}},
                 {-6, {17, 48, 15, 50}}}},
    // A printer's scale of 4 multiplies every distance: lines 3 x 4 below the top, then 7 x 4
    // apart; ticks' offsets; dots become strokes 2 long, rows 20 and dots 40 apart, every second
    // row 20 further right.
    {0, 4, {{0, {0, 12, 200, 12}}, {3, {0, 96, 200, 96}}}, 4.0, kPage},
    {11, 0, {{0, {0, 8, 8, 16}}, {1, {8, 16, 20, 4}}}, 4.0, kPage},
    {6, 6 * 5, {{0, {0, 0, 2, 0}}, {1, {40, 0, 42, 0}}, {5, {20, 20, 22, 20}}}, 4.0, kPage},
};
// clang-format on

TEST(PaintPattern, PiecesCountsAndSpacingFollowTheFigure) {
  for (const PiecesCase& c : kPieces) {
    SCOPED_TRACE(testing::Message() << c.pattern << " at scale " << c.scale);
    const std::vector<Piece> pieces = Pieces(Record(c.pattern, c.area, c.scale));
    if (c.count != 0) {
      ASSERT_EQ(pieces.size(), c.count);
    }
    for (const auto& [index, piece] : c.at) {
      const size_t i = index < 0 ? pieces.size() + index : static_cast<size_t>(index);
      ASSERT_LT(i, pieces.size()) << index;
      EXPECT_EQ(pieces[i], piece) << index;
    }
  }
  // Woven dashes and bricks run only across and down, dashes at most 9 long, joints on a grid
  // of 4 from column 12.
  for (const Piece& p : Pieces(Record(10))) {
    EXPECT_TRUE(p.x0 == p.x1 || p.y0 == p.y1) << p;
    EXPECT_LE(std::abs(p.x1 - p.x0) + std::abs(p.y1 - p.y0), 9) << p;
  }
  for (const Piece& p : Pieces(Record(12)))
    EXPECT_TRUE(p.y0 == p.y1 || (p.x0 == p.x1 && (p.x0 - 12) % 4 == 0)) << p;

  // Diagonals run at 45 degrees, 8 apart.
  for (const int pattern : {2, 3}) {
    SCOPED_TRACE(pattern);
    const bool rising = pattern == 2;
    // The x where the line crosses the bottom edge (extended when it leaves sideways).
    auto bottom = [&](const Piece& p) {
      return rising ? p.x0 - (kArea.bottom - p.y0) : p.x1 + (kArea.bottom - p.y1);
    };
    const std::vector<Piece> pieces = Pieces(Record(pattern));
    for (size_t i = 0; i < pieces.size(); ++i) {
      const Piece& p = pieces[i];
      EXPECT_EQ(p.x1 - p.x0, rising ? p.y0 - p.y1 : p.y1 - p.y0) << p;
      EXPECT_GT(p.x1, p.x0) << p;  // drawn left to right
      EXPECT_TRUE(i == 0 || bottom(p) - bottom(pieces[i - 1]) == 8) << p;
    }
  }
}

TEST(PaintPattern, DotsAreStaggeredPixelsAndStonesOutlinesOnAGridOfFive) {
  struct DotCase {
    int pattern, along, apart, shift;
  };
  for (const DotCase& c : {DotCase{6, 10, 5, 5}, {7, 10, 3, 5}, {8, 6, 3, 3}, {9, 4, 1, 2}}) {
    SCOPED_TRACE(c.pattern);
    const std::vector<RecordedCall> calls = Record(c.pattern);
    std::vector<int> expected;
    for (int row = 0, y = kArea.top; y < kArea.bottom; ++row, y += c.apart) {
      for (int x = kArea.left + (row % 2 ? c.shift : 0); x < kArea.right; x += c.along)
        expected.insert(expected.end(), {x, y, static_cast<int>(kBlue)});
    }
    std::vector<int> got;
    for (const RecordedCall& dot : calls) {
      EXPECT_EQ(dot.name, "SetPixel");  // nothing but dots on screen
      got.insert(got.end(), dot.args.begin(), dot.args.end());
    }
    EXPECT_EQ(got, expected);
  }
  const std::vector<RecordedCall> stones = Record(14);
  // 12 x 6 whole cells, half of each kind.
  EXPECT_EQ((std::vector{Named(stones, "Ellipse").size(), Named(stones, "Polygon").size(),
                         stones.size()}),
            (std::vector<size_t>{36, 36, 72}));
  EXPECT_EQ(Box(Named(stones, "Ellipse")[0]), (std::vector<int>{10, 21, 15, 24}));
  for (const RecordedCall& c : stones) {
    EXPECT_EQ(c.brush_style, BS_NULL) << "stones are outlines";
    EXPECT_TRUE(c.name != "Polygon" || c.points.size() == 3u) << c.points.size();
  }
}

TEST(PaintPattern, EveryPatternDrawsInsideTheAreaEvenAtTheRangesEdgesWithThePenOfTheColour) {
  const COLORREF colour = GetColor(9);
  for (int pattern = 0; pattern < kPatternCount; ++pattern) {
    SCOPED_TRACE(pattern);
    const std::vector<RecordedCall> calls = Record(pattern, kArea, 1.0, colour);
    ExpectInside(calls, kArea);
    for (const RecordedCall& c : calls) {
      EXPECT_EQ(std::tie(c.pen_colour, c.pen_width, c.pen_style),
                std::make_tuple(colour, 0, static_cast<int>(PS_SOLID)))
          << c.name;
      if (c.name == "SetPixel") {  // a pixel is the square right and below its point
        EXPECT_EQ(static_cast<COLORREF>(c.args[2]), colour);
        EXPECT_TRUE(c.args[0] < kArea.right && c.args[1] < kArea.bottom);
      }
    }
  }
  // Rectangles at the edges of the coordinate range. The drawing layer adds an ellipse's box
  // corners in int, so the stone motif (the one figure with ellipses) is checked half-way out.
  constexpr LONG kMin = std::numeric_limits<LONG>::min();
  constexpr LONG kMax = std::numeric_limits<LONG>::max();
  const RECT corners[2][2] = {
      {{kMin, kMin, kMin + 40, kMin + 30}, {kMax - 40, kMax - 30, kMax, kMax}},
      {{kMin / 2, kMin / 2, kMin / 2 + 40, kMin / 2 + 30},
       {kMax / 2 - 40, kMax / 2 - 30, kMax / 2, kMax / 2}}};
  constexpr int kStonePattern = 14;
  for (int side = 0; side < 2; ++side) {
    for (int pattern = 0; pattern < kPatternCount; ++pattern) {
      const RECT& r = corners[pattern == kStonePattern ? 1 : 0][side];
      for (const double scale : {1.0, 2.5}) {
        SCOPED_TRACE(testing::Message() << pattern << " at " << scale << " on side " << side);
        ExpectInside(Record(pattern, r, scale), r);
      }
    }
  }
}

TEST(PaintPattern, SameFigureForGridsUnknownNumbersAndUpsideDownRectangles) {
  EXPECT_EQ(Describe(Record(4)), Describe(Record(0)) + Describe(Record(1)));
  EXPECT_EQ(Describe(Record(5)), Describe(Record(2)) + Describe(Record(3)));
  for (const int pattern : {-1, 15, 1000, std::numeric_limits<int>::min()})
    EXPECT_EQ(Describe(Record(pattern)), Describe(Record(0))) << pattern;
  for (int pattern = 0; pattern < kPatternCount; ++pattern) {
    const std::string normal = Describe(Record(pattern));
    EXPECT_EQ(Describe(Record(pattern, RECT{10, 50, 70, 20})), normal) << pattern;
    EXPECT_EQ(Describe(Record(pattern, RECT{70, 50, 10, 20})), normal) << pattern;
  }
}

TEST(PaintPattern, NothingHappensWithoutSomethingToDrawOrAUsableScaleAndStateIsRestored) {
  ScopedDC dc(CreateRecordingDC(200, 200));
  PaintPattern(dc, 0, kBlue, 1.0, nullptr);
  for (RECT flat : {RECT{10, 20, 70, 20}, RECT{10, 20, 10, 50}})
    PaintPattern(dc, 4, kBlue, 1.0, &flat);
  RECT area = kArea;
  for (const double scale :
       {0.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity(), 1e300})
    PaintPattern(dc, 4, kBlue, scale, &area);
  EXPECT_TRUE(GetRecordedCalls(dc).empty());
  EXPECT_EQ(SaveDC(dc), 1) << "no SaveDC left behind";
  PaintPattern(nullptr, 4, kBlue, 1.0, &area);  // no DC: nothing, no crash
  RestoreDC(dc, -1);

  // The caller's state is restored after drawing.
  HPEN red = CreatePen(PS_DASH, 3, RGB(255, 0, 0));
  HGDIOBJ grey = GetStockObject(GRAY_BRUSH);
  SelectObject(dc, red);
  SelectObject(dc, grey);
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, 10, 10, nullptr);
  SetViewportExtEx(dc, 20, 30, nullptr);
  SetViewportOrgEx(dc, 7, 9, nullptr);
  for (int pattern = 0; pattern < kPatternCount; ++pattern)
    PaintPattern(dc, pattern, kBlue, pattern % 2 ? 1.0 : 3.0, &area);
  EXPECT_EQ(GetMapMode(dc), MM_ANISOTROPIC);
  EXPECT_EQ((std::vector{GetCurrentObject(dc, OBJ_PEN), GetCurrentObject(dc, OBJ_BRUSH)}),
            (std::vector<HGDIOBJ>{red, grey}));
  SIZE ext{};
  POINT org{};
  GetViewportExtEx(dc, &ext);
  GetViewportOrgEx(dc, &org);
  EXPECT_EQ(std::tie(ext.cx, ext.cy, org.x, org.y), std::make_tuple(20, 30, 7, 9));
  EXPECT_EQ(SaveDC(dc), 1) << "every SaveDC was restored";
  // Drawing itself used the pattern's pen and the hollow brush, not the caller's.
  for (const RecordedCall& c : GetRecordedCalls(dc))
    ASSERT_TRUE(c.pen_colour == kBlue && c.brush_style == BS_NULL) << c.name;
  RestoreDC(dc, -1);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  DeleteObject(red);
}

TEST(PaintPattern, PrinterPensStayThinForLinesGrowForDotsAndWorkStaysProportional) {
  EXPECT_EQ(Record(0, kPage, 4.0)[0].pen_width, 0);
  const std::vector<RecordedCall> dots = Record(6, kPage, 4.0);
  EXPECT_TRUE(Named(dots, "SetPixel").empty());
  for (const RecordedCall& c : Named(dots, "LineTo"))
    EXPECT_EQ(c.pen_width, 2);  // half the scale
  // A scale just off 1 is a printer's too: dots are never lost, however short.
  const std::vector<RecordedCall> near_one = Record(9, kPage, 1.25);
  EXPECT_TRUE(Named(near_one, "SetPixel").empty());
  EXPECT_FALSE(near_one.empty());
  for (const Piece& p : Pieces(near_one))
    EXPECT_EQ(p.x1 - p.x0, 1) << p;

  // A tiny scale cannot repeat closer than one pixel: one line per pixel row at most.
  EXPECT_EQ(Pieces(Record(0, kArea, 1e-9)).size(), 30u);
  EXPECT_EQ(Named(Record(9, kArea, 1e-9), "LineTo").size(), 60u * 30u);
  // A large one leaves one repeat or none.
  EXPECT_LE(Record(5, kArea, 1e5).size(), 2u);
}

// ---- Images ------------------------------------------------------------------------------------
// Each pattern drawn in blue on a 64 x 48 image, over a rectangle inset from the edges, is
// compared with a stored render. After an intended change of a figure, regenerate the stored
// images by running the tests with TEGOLUX_UPDATE_PATTERNS=1 in the environment (they are then
// written instead of compared) and review the new pictures before keeping them.

constexpr int kImageWidth = 64;
constexpr int kImageHeight = 48;
constexpr RECT kImageArea{4, 4, 60, 44};
// A few pixels may move with the rasteriser's rounding; a wrong figure moves far more.
constexpr size_t kAllowedDifferences = kImageWidth * kImageHeight / 100;

std::string StoredImagePath(int pattern) {
  return std::string(TEGOLUX_TEST_DATA_DIR) + "/patterns/pattern_" + std::to_string(pattern) +
         ".png";
}

bool UpdatingStoredImages() {
  const char* flag = std::getenv("TEGOLUX_UPDATE_PATTERNS");
  return flag != nullptr && std::string(flag) == "1";
}

HDC RenderPattern(int pattern) {
  HDC dc = CreateImageDC(kImageWidth, kImageHeight);
  RECT area = kImageArea;
  PaintPattern(dc, pattern, GetColor(5), 1.0, &area);
  return dc;
}

TEST(PaintPatternImage, EachPatternMatchesItsStoredRenderInItsColourOverTheDevicePixelArea) {
  for (int pattern = 0; pattern < kPatternCount; ++pattern) {
    SCOPED_TRACE(pattern);
    ScopedDC fresh(RenderPattern(pattern));
    ASSERT_NE(static_cast<HDC>(fresh), nullptr);
    const std::vector<COLORREF> got = Pixels(fresh);
    ASSERT_EQ(got.size(), static_cast<size_t>(kImageWidth * kImageHeight));
    size_t painted = 0;
    for (size_t i = 0; i < got.size(); ++i) {
      if (got[i] == RGB(255, 255, 255)) continue;
      ++painted;
      const int x = static_cast<int>(i % kImageWidth), y = static_cast<int>(i / kImageWidth);
      EXPECT_EQ(got[i], GetColor(5)) << x << "," << y;
      // The caller's clipping region trims the far edges exactly; without one a piece may
      // reach one pixel onto them.
      EXPECT_TRUE(Inside(kImageArea, x, y)) << x << "," << y;
    }
    // Some of the area is patterned and most of it is left open.
    EXPECT_GT(painted, 20u);
    EXPECT_LT(painted, static_cast<size_t>(56 * 40 * 3 / 4));

    const std::string path = StoredImagePath(pattern);
    if (UpdatingStoredImages()) {
      EXPECT_TRUE(WriteSurfaceDC(fresh, path.c_str()));
      continue;
    }
    ScopedDC stored(LoadImageDC(path.c_str()));
    ASSERT_NE(static_cast<HDC>(stored), nullptr) << "missing " << path;
    const std::vector<COLORREF> want = Pixels(stored);
    ASSERT_EQ(want.size(), got.size());
    size_t differences = 0;
    for (size_t i = 0; i < want.size(); ++i)
      differences += want[i] != got[i] ? 1 : 0;
    EXPECT_LE(differences, kAllowedDifferences);
  }

  // The rectangle is in device pixels whatever the caller's mapping.
  ScopedDC plain(RenderPattern(0));
  ScopedDC moved(CreateImageDC(kImageWidth, kImageHeight));
  SetMapMode(moved, MM_ISOTROPIC);
  SetWindowExtEx(moved, 1, 1, nullptr);
  SetViewportExtEx(moved, 2, 2, nullptr);
  SetWindowOrgEx(moved, 3, 3, nullptr);
  SetViewportOrgEx(moved, 11, 13, nullptr);
  RECT area = kImageArea;
  PaintPattern(moved, 0, GetColor(5), 1.0, &area);
  // Read back in device pixels.
  SetMapMode(moved, MM_TEXT);
  SetWindowOrgEx(moved, 0, 0, nullptr);
  SetViewportOrgEx(moved, 0, 0, nullptr);
  EXPECT_EQ(Pixels(moved), Pixels(plain));
  EXPECT_EQ(GetPixel(plain, 4, 7), GetColor(5));  // first line 3 below the top, in pixels
}

}  // namespace
