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
#include <vector>

#include "platform/surface.h"
#include "platform/win32.h"
#include "render/colours.h"
#include "support/image_dc.h"

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
// 60 x 30, away from the origin so that offsets from the edges show.
constexpr RECT kArea{10, 20, 70, 50};

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

// ---- First pieces and counts, pattern by pattern -----------------------------------------------

struct FirstPiecesCase {
  int pattern;
  size_t count;              // LineTo calls
  std::vector<Piece> first;  // the first LineTo pieces, in order
};

// Worked out by hand on the 60 x 30 area at (10, 20).
const FirstPiecesCase kFirstPieces[] = {
    // rows 23, 30, 37, 44
    {0, 4, {{10, 23, 70, 23}, {10, 30, 70, 30}}},
    // columns 13, 20, ..., 69
    {1, 9, {{13, 20, 13, 50}, {20, 20, 20, 50}}},
    // bottom-edge starts 14 + 8k for k = -4 .. 6; the first two begin left of the area
    {2, 11, {{10, 22, 12, 20}, {10, 30, 20, 20}}},
    {3, 11, {{10, 48, 12, 50}, {10, 40, 20, 50}}},
    // ticks chain on: (x, y) to (x + 2, y + 2) to (x + 5, y - 1); rows 22 + 4k, 7 rows
    {11, 2 * 7 * 6, {{10, 22, 12, 24}, {12, 24, 15, 21}, {20, 22, 22, 24}}},
    // strokes on rows 23, 28, ...: forward from x = 10, 20, ...; the second row backward from 17
    {13, 6 * 6, {{10, 23, 14, 27}, {20, 23, 24, 27}}},
};

TEST(PaintPattern, FirstPiecesAndCountsFollowTheFigure) {
  for (const FirstPiecesCase& c : kFirstPieces) {
    SCOPED_TRACE(c.pattern);
    const std::vector<Piece> pieces = Pieces(Record(c.pattern));
    ASSERT_EQ(pieces.size(), c.count);
    for (size_t i = 0; i < c.first.size(); ++i)
      EXPECT_EQ(pieces[i], c.first[i]) << i;
  }
}

TEST(PaintPattern, StraightLinesAreSevenApartAcrossTheWholeArea) {
  const std::vector<Piece> rows = Pieces(Record(0));
  const std::vector<Piece> columns = Pieces(Record(1));
  for (size_t i = 1; i < rows.size(); ++i)
    EXPECT_EQ(rows[i].y0 - rows[i - 1].y0, 7);
  for (size_t i = 1; i < columns.size(); ++i)
    EXPECT_EQ(columns[i].x0 - columns[i - 1].x0, 7);
  for (const Piece& p : rows)
    EXPECT_EQ(p, (Piece{10, p.y0, 70, p.y0}));
  for (const Piece& p : columns)
    EXPECT_EQ(p, (Piece{p.x0, 20, p.x0, 50}));
  // The last ones are within a spacing of the far edge, so no band is left bare.
  EXPECT_GT(rows.back().y0 + 7, kArea.bottom);
  EXPECT_GT(columns.back().x0 + 7, kArea.right);
}

// The x where a 45-degree line crosses the bottom edge (extended when it leaves sideways).
int BottomCrossing(const Piece& p, bool rising) {
  return rising ? p.x0 - (kArea.bottom - p.y0) : p.x1 + (kArea.bottom - p.y1);
}

TEST(PaintPattern, DiagonalsRunAtFortyFiveDegreesEightApart) {
  for (const int pattern : {2, 3}) {
    SCOPED_TRACE(pattern);
    const bool rising = pattern == 2;
    const std::vector<Piece> pieces = Pieces(Record(pattern));
    for (size_t i = 0; i < pieces.size(); ++i) {
      const Piece& p = pieces[i];
      EXPECT_EQ(p.x1 - p.x0, rising ? p.y0 - p.y1 : p.y1 - p.y0) << p;
      EXPECT_GT(p.x1, p.x0) << p;  // drawn left to right
      if (i > 0) {
        EXPECT_EQ(BottomCrossing(p, rising) - BottomCrossing(pieces[i - 1], rising), 8);
      }
    }
  }
  // "Starting 4 in": the line through (14, bottom) rises to the top 30 further right... cut at 70.
  const std::vector<Piece> rising = Pieces(Record(2));
  EXPECT_EQ(rising[4], (Piece{14, 50, 44, 20}));
}

TEST(PaintPattern, DotsAreStaggeredPixelsInTheColour) {
  struct DotCase {
    int pattern;
    int along, apart, shift;
  };
  const DotCase cases[] = {{6, 10, 5, 5}, {7, 10, 3, 5}, {8, 6, 3, 3}, {9, 4, 1, 2}};
  for (const DotCase& c : cases) {
    SCOPED_TRACE(c.pattern);
    const std::vector<RecordedCall> calls = Record(c.pattern);
    std::vector<std::pair<int, int>> expected;
    for (int row = 0, y = kArea.top; y < kArea.bottom; ++row, y += c.apart) {
      for (int x = kArea.left + (row % 2 ? c.shift : 0); x < kArea.right; x += c.along)
        expected.emplace_back(x, y);
    }
    const std::vector<RecordedCall> dots = Named(calls, "SetPixel");
    ASSERT_EQ(dots.size(), calls.size());  // nothing but dots on screen
    ASSERT_EQ(dots.size(), expected.size());
    for (size_t i = 0; i < dots.size(); ++i) {
      EXPECT_EQ(dots[i].args[0], expected[i].first) << i;
      EXPECT_EQ(dots[i].args[1], expected[i].second) << i;
      EXPECT_EQ(static_cast<COLORREF>(dots[i].args[2]), kBlue);
    }
  }
}

TEST(PaintPattern, WovenDashesAlternateAcrossAndDown) {
  const std::vector<Piece> pieces = Pieces(Record(10));
  std::vector<Piece> across, down;
  for (const Piece& p : pieces)
    (p.y0 == p.y1 ? across : down).push_back(p);
  ASSERT_EQ(across.size() + down.size(), pieces.size());
  // Rows 22, 31, 40, 49; even rows dash from the left edge, odd rows 9 later.
  ASSERT_GE(across.size(), 4u);
  EXPECT_EQ(across[0], (Piece{10, 22, 19, 22}));
  EXPECT_EQ(across[1], (Piece{28, 22, 37, 22}));
  EXPECT_EQ(across[4], (Piece{19, 31, 28, 31}));
  // Columns 14, 23, ...; even columns start 6 below the top, odd ones 2 above it (cut there).
  ASSERT_GE(down.size(), 4u);
  EXPECT_EQ(down[0], (Piece{14, 26, 14, 35}));
  EXPECT_EQ(down[1], (Piece{14, 44, 14, 50}));
  EXPECT_EQ(down[2], (Piece{23, 20, 23, 27}));
  for (const Piece& p : pieces)
    EXPECT_LE(std::abs(p.x1 - p.x0) + std::abs(p.y1 - p.y0), 9);
}

TEST(PaintPattern, BricksHaveCoursesAndStaggeredJoints) {
  const std::vector<Piece> pieces = Pieces(Record(12));
  std::vector<Piece> courses, joints;
  for (const Piece& p : pieces)
    (p.y0 == p.y1 ? courses : joints).push_back(p);
  ASSERT_EQ(courses.size(), 7u);  // 22, 26, ..., 46
  for (size_t i = 0; i < courses.size(); ++i)
    EXPECT_EQ(courses[i],
              (Piece{10, 22 + 4 * static_cast<int>(i), 70, 22 + 4 * static_cast<int>(i)}));
  // Column 12 crosses the courses starting at 22, 30, ...; column 16 those at 26, 34, ... and the
  // partial course above the first line.
  ASSERT_GE(joints.size(), 8u);
  EXPECT_EQ(joints[0], (Piece{12, 22, 12, 26}));
  EXPECT_EQ(joints[1], (Piece{12, 30, 12, 34}));
  const auto column16 =
      std::find_if(joints.begin(), joints.end(), [](const Piece& p) { return p.x0 == 16; });
  ASSERT_NE(column16, joints.end());
  EXPECT_EQ(column16[0], (Piece{16, 20, 16, 22}));
  EXPECT_EQ(column16[1], (Piece{16, 26, 16, 30}));
  // Every joint sits between two course lines (or an edge), so each brick is 8 long.
  for (const Piece& p : joints) {
    EXPECT_EQ(p.x0, p.x1);
    EXPECT_EQ((p.x0 - 12) % 4, 0);
  }
}

TEST(PaintPattern, StrokesSlantTheOtherWayOnEverySecondRow) {
  const std::vector<Piece> pieces = Pieces(Record(13));
  const auto second_row =
      std::find_if(pieces.begin(), pieces.end(), [](const Piece& p) { return p.y0 == 28; });
  ASSERT_NE(second_row, pieces.end());
  EXPECT_EQ(*second_row, (Piece{17, 28, 13, 32}));
  // The last row (48, a backward one) is cut by the bottom edge 2 of its 4 pixels down.
  EXPECT_EQ(pieces[pieces.size() - 6], (Piece{17, 48, 15, 50}));
}

TEST(PaintPattern, StonesAreOutlinedPebblesAndChipsOnAGridOfFive) {
  const std::vector<RecordedCall> calls = Record(14);
  const std::vector<RecordedCall> pebbles = Named(calls, "Ellipse");
  const std::vector<RecordedCall> chips = Named(calls, "Polygon");
  // 12 x 6 whole cells, half of each kind.
  EXPECT_EQ(pebbles.size(), 36u);
  EXPECT_EQ(chips.size(), 36u);
  EXPECT_EQ(pebbles.size() + chips.size(), calls.size());
  EXPECT_EQ(Box(pebbles[0]), (std::vector<int>{10, 21, 15, 24}));
  for (const RecordedCall& c : calls) {
    EXPECT_EQ(c.brush_style, BS_NULL) << "stones are outlines";
    if (c.name == "Polygon") {
      EXPECT_EQ(c.points.size(), 3u);
    }
  }
}

// ---- What every pattern has in common ----------------------------------------------------------

TEST(PaintPattern, EveryPatternDrawsInsideTheAreaWithThePenOfTheColour) {
  const COLORREF colour = GetColor(9);
  for (int pattern = 0; pattern < kPatternCount; ++pattern) {
    SCOPED_TRACE(pattern);
    const std::vector<RecordedCall> calls = Record(pattern, kArea, 1.0, colour);
    EXPECT_FALSE(calls.empty());
    for (const RecordedCall& c : calls) {
      EXPECT_EQ(c.pen_colour, colour) << c.name;
      EXPECT_EQ(c.pen_width, 0) << c.name;
      EXPECT_EQ(c.pen_style, PS_SOLID) << c.name;
      if (c.name == "SetPixel") {
        EXPECT_EQ(static_cast<COLORREF>(c.args[2]), colour);
        EXPECT_TRUE(c.args[0] < kArea.right && c.args[1] < kArea.bottom);
      }
      if (c.name == "LineTo") {
        EXPECT_TRUE(Inside(kArea, c.from.x, c.from.y)) << c.name;
      }
      const std::vector<int> corners = c.name == "Ellipse" ? Box(c) : c.args;
      for (size_t i = 0; i + 1 < corners.size() && c.name != "SetPixel"; i += 2)
        EXPECT_TRUE(Inside(kArea, corners[i], corners[i + 1])) << c.name << " " << i;
      for (const POINT& p : c.points)
        EXPECT_TRUE(Inside(kArea, p.x, p.y)) << c.name;
    }
  }
}

TEST(PaintPattern, GridsAreTheirTwoFamiliesTogether) {
  auto joined = [](int a, int b) { return Describe(Record(a)) + Describe(Record(b)); };
  EXPECT_EQ(Describe(Record(4)), joined(0, 1));
  EXPECT_EQ(Describe(Record(5)), joined(2, 3));
}

TEST(PaintPattern, UnknownPatternNumbersDrawTheFirstPattern) {
  const std::string first = Describe(Record(0));
  for (const int pattern : {-1, 15, 1000, std::numeric_limits<int>::min()})
    EXPECT_EQ(Describe(Record(pattern)), first) << pattern;
}

TEST(PaintPattern, RectangleGivenEitherWayUpDrawsTheSame) {
  for (int pattern = 0; pattern < kPatternCount; ++pattern) {
    const std::string normal = Describe(Record(pattern));
    EXPECT_EQ(Describe(Record(pattern, RECT{10, 50, 70, 20})), normal) << pattern;
    EXPECT_EQ(Describe(Record(pattern, RECT{70, 50, 10, 20})), normal) << pattern;
  }
}

TEST(PaintPattern, NothingHappensWithoutSomethingToDrawOrAUsableScale) {
  ScopedDC dc(CreateRecordingDC(100, 100));
  PaintPattern(dc, 0, kBlue, 1.0, nullptr);
  RECT flat{10, 20, 70, 20};
  RECT thin{10, 20, 10, 50};
  PaintPattern(dc, 4, kBlue, 1.0, &flat);
  PaintPattern(dc, 4, kBlue, 1.0, &thin);
  RECT area = kArea;
  for (const double scale :
       {0.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity(), 1e300}) {
    PaintPattern(dc, 4, kBlue, scale, &area);
  }
  EXPECT_TRUE(GetRecordedCalls(dc).empty());
  EXPECT_EQ(SaveDC(dc), 1) << "no SaveDC left behind";
  PaintPattern(nullptr, 4, kBlue, 1.0, &area);  // no DC: nothing, no crash
}

TEST(PaintPattern, DeviceContextStateIsRestored) {
  ScopedDC dc(CreateRecordingDC(200, 200));
  HPEN red = CreatePen(PS_DASH, 3, RGB(255, 0, 0));
  HGDIOBJ grey = GetStockObject(GRAY_BRUSH);
  SelectObject(dc, red);
  SelectObject(dc, grey);
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, 10, 10, nullptr);
  SetViewportExtEx(dc, 20, 30, nullptr);
  SetViewportOrgEx(dc, 7, 9, nullptr);
  RECT area = kArea;
  for (int pattern = 0; pattern < kPatternCount; ++pattern)
    PaintPattern(dc, pattern, kBlue, pattern % 2 ? 1.0 : 3.0, &area);
  EXPECT_EQ(GetMapMode(dc), MM_ANISOTROPIC);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), red);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), grey);
  SIZE ext{};
  POINT org{};
  GetViewportExtEx(dc, &ext);
  GetViewportOrgEx(dc, &org);
  EXPECT_EQ(ext.cx, 20);
  EXPECT_EQ(ext.cy, 30);
  EXPECT_EQ(org.x, 7);
  EXPECT_EQ(org.y, 9);
  EXPECT_EQ(SaveDC(dc), 1) << "every SaveDC was restored";
  // Drawing itself used the pattern's pen and the hollow brush, not the caller's.
  for (const RecordedCall& c : GetRecordedCalls(dc)) {
    ASSERT_EQ(c.pen_colour, kBlue);
    ASSERT_EQ(c.brush_style, BS_NULL);
  }
  RestoreDC(dc, -1);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  DeleteObject(red);
}

TEST(PaintPattern, PrinterScaleStretchesDistancesAndDrawsDotsAsStrokes) {
  constexpr double kScale = 4.0;
  const RECT page{0, 0, 200, 120};
  // Lines: the first 3 x 4 below the top, then 7 x 4 apart (12, 40, 68, 96), pen still thin.
  const std::vector<RecordedCall> line_calls = Record(0, page, kScale);
  const std::vector<Piece> rows = Pieces(line_calls);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0], (Piece{0, 12, 200, 12}));
  EXPECT_EQ(rows[3], (Piece{0, 96, 200, 96}));
  EXPECT_EQ(line_calls[0].pen_width, 0);
  // Ticks: every offset times 4.
  EXPECT_EQ(Pieces(Record(11, page, kScale))[0], (Piece{0, 8, 8, 16}));
  EXPECT_EQ(Pieces(Record(11, page, kScale))[1], (Piece{8, 16, 20, 4}));
  // Dots: strokes half the scale long with a pen half the scale wide; rows 20 apart, dots 40
  // apart, every second row 20 further right.
  const std::vector<RecordedCall> dot_calls = Record(6, page, kScale);
  EXPECT_TRUE(Named(dot_calls, "SetPixel").empty());
  const std::vector<Piece> strokes = Pieces(dot_calls);
  ASSERT_EQ(strokes.size(), 6u * 5u);
  EXPECT_EQ(strokes[0], (Piece{0, 0, 2, 0}));
  EXPECT_EQ(strokes[1], (Piece{40, 0, 42, 0}));
  EXPECT_EQ(strokes[5], (Piece{20, 20, 22, 20}));
  for (const RecordedCall& c : Named(dot_calls, "LineTo"))
    EXPECT_EQ(c.pen_width, 2);
  // A scale just off 1 is a printer's too: dots are never lost, however short.
  const std::vector<RecordedCall> near_one = Record(9, page, 1.25);
  EXPECT_TRUE(Named(near_one, "SetPixel").empty());
  for (const Piece& p : Pieces(near_one))
    EXPECT_EQ(p.x1 - p.x0, 1) << p;
}

TEST(PaintPattern, WorkStaysProportionalToTheAreaAtAnyScale) {
  // A tiny scale cannot repeat closer than one pixel: one line per pixel row at most.
  EXPECT_EQ(Pieces(Record(0, kArea, 1e-9)).size(), 30u);
  EXPECT_EQ(Named(Record(9, kArea, 1e-9), "LineTo").size(), 60u * 30u);
  // A large one leaves one repeat or none.
  EXPECT_LE(Record(5, kArea, 1e5).size(), 2u);
}

TEST(PaintPattern, RectanglesAtTheEdgesOfTheCoordinateRangeStayInside) {
  constexpr LONG kMin = std::numeric_limits<LONG>::min();
  constexpr LONG kMax = std::numeric_limits<LONG>::max();
  const RECT corners[] = {{kMin, kMin, kMin + 40, kMin + 30}, {kMax - 40, kMax - 30, kMax, kMax}};
  // The drawing layer adds an ellipse's box corners in int, so the stone motif (the one figure
  // with ellipses) is checked half-way out instead.
  const RECT half_way[] = {{kMin / 2, kMin / 2, kMin / 2 + 40, kMin / 2 + 30},
                           {kMax / 2 - 40, kMax / 2 - 30, kMax / 2, kMax / 2}};
  constexpr int kStonePattern = 14;
  for (int side = 0; side < 2; ++side) {
    for (int pattern = 0; pattern < kPatternCount; ++pattern) {
      const RECT& r = pattern == kStonePattern ? half_way[side] : corners[side];
      for (const double scale : {1.0, 2.5}) {
        SCOPED_TRACE(pattern);
        const std::vector<RecordedCall> calls = Record(pattern, r, scale);
        EXPECT_FALSE(calls.empty());
        for (const RecordedCall& c : calls) {
          if (c.name == "SetPixel" || c.name == "MoveToEx" || c.name == "LineTo") {
            EXPECT_TRUE(Inside(r, c.args[0], c.args[1])) << c.name;
          }
          for (const POINT& p : c.points)
            EXPECT_TRUE(Inside(r, p.x, p.y));
          if (c.name == "Ellipse") {
            EXPECT_TRUE(Inside(r, c.args[0], c.args[1]) && Inside(r, c.args[2], c.args[3]));
          }
        }
      }
    }
  }
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

TEST(PaintPatternImage, EachPatternMatchesItsStoredRender) {
  for (int pattern = 0; pattern < kPatternCount; ++pattern) {
    SCOPED_TRACE(pattern);
    ScopedDC fresh(RenderPattern(pattern));
    ASSERT_NE(static_cast<HDC>(fresh), nullptr);
    const std::string path = StoredImagePath(pattern);
    if (UpdatingStoredImages()) {
      EXPECT_TRUE(WriteSurfaceDC(fresh, path.c_str()));
      continue;
    }
    ScopedDC stored(LoadImageDC(path.c_str()));
    ASSERT_NE(static_cast<HDC>(stored), nullptr) << "missing " << path;
    const std::vector<COLORREF> want = Pixels(stored);
    const std::vector<COLORREF> got = Pixels(fresh);
    ASSERT_EQ(want.size(), got.size());
    size_t differences = 0;
    for (size_t i = 0; i < want.size(); ++i)
      differences += want[i] != got[i] ? 1 : 0;
    EXPECT_LE(differences, kAllowedDifferences);
  }
}

TEST(PaintPatternImage, OnlyTheColourIsDrawnAndOnlyOverTheArea) {
  for (int pattern = 0; pattern < kPatternCount; ++pattern) {
    SCOPED_TRACE(pattern);
    ScopedDC dc(RenderPattern(pattern));
    size_t painted = 0;
    for (int y = 0; y < kImageHeight; ++y) {
      for (int x = 0; x < kImageWidth; ++x) {
        const COLORREF c = GetPixel(dc, x, y);
        if (c == RGB(255, 255, 255)) continue;
        ++painted;
        EXPECT_EQ(c, GetColor(5)) << x << "," << y;
        // The caller's clipping region trims the far edges exactly; without one a piece may
        // reach one pixel onto them.
        EXPECT_TRUE(Inside(kImageArea, x, y)) << x << "," << y;
      }
    }
    // Some of the area is patterned and most of it is left open.
    EXPECT_GT(painted, 20u);
    EXPECT_LT(painted, static_cast<size_t>(56 * 40 * 3 / 4));
  }
}

TEST(PaintPatternImage, RectangleIsInDevicePixelsWhateverTheCallersMapping) {
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
