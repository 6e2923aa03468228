#include "render/patterns.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>

#include "render/colours.h"

namespace {

// ---- Spacing of the figures, in device pixels on screen ------------------------------------

// Patterns 0, 1 and 4: straight lines.
constexpr double kLineSpacing = 7;
constexpr double kLineInset = 3;
// Patterns 2, 3 and 5: 45-degree lines, measured along the edge they start from.
constexpr double kDiagonalSpacing = 8;
constexpr double kDiagonalInset = 4;

// Patterns 6 to 9: staggered dots, the first row on the top edge and the first dot on the left.
struct DotRows {
  double along;  // between dots of a row
  double apart;  // between rows
  double shift;  // every second row starts this much further right
};
constexpr int kFirstDotPattern = 6;
constexpr DotRows kDotRows[] = {
    {10, 5, 5},  // 6
    {10, 3, 5},  // 7
    {6, 3, 3},   // 8
    {4, 1, 2},   // 9: dense
};

// Pattern 10: dashes woven across and down; dash, gap and row spacing are all the same length.
constexpr double kWeaveDash = 9;
constexpr double kWeaveFirstRow = 2;
constexpr double kWeaveFirstColumn = 4;
constexpr double kWeaveColumnStart = 6;          // first dash of an even column, below the top
constexpr double kWeaveShiftedColumnStart = -2;  // first dash of an odd column, above the top

// Pattern 11: ticks, each a short fall and a longer rise.
constexpr double kTickRowSpacing = 4;
constexpr double kTickFirstRow = 2;
constexpr double kTickSpacing = 10;
constexpr double kTickShift = 5;
constexpr double kTickDip = 2;    // (x, y) to (x + 2, y + 2)
constexpr double kTickReach = 5;  // ... and on to (x + 5, y - 1)
constexpr double kTickRise = 1;

// Pattern 12: running-bond bricks, 8 long and 4 high, joints of odd columns half a brick lower.
constexpr double kBrickHeight = 4;
constexpr double kBrickLength = 8;
constexpr double kBrickFirstCourse = 2;
constexpr double kBrickFirstColumn = 2;
constexpr double kBrickColumnSpacing = kBrickLength / 2;

// Pattern 13: short 45-degree strokes, every second row slanting the other way.
constexpr double kStrokeRowSpacing = 5;
constexpr double kStrokeFirstRow = 3;
constexpr double kStrokeSpacing = 10;
constexpr double kStrokeShift = 7;
constexpr double kStrokeRun = 4;

// Pattern 14: stones on a grid of 5, pebbles (ellipses) and chips (triangles) alternating like a
// chequer board, the chips pointing up on even rows and down on odd ones.
constexpr double kStoneGrid = 5;
constexpr double kPebbleTop = 1;
constexpr double kPebbleBottom = 4;
constexpr double kChipWidth = 4;
constexpr double kChipHigh = 1;
constexpr double kChipLow = 4;

// ---- Scale -----------------------------------------------------------------------------------

// Distances are device pixels only on screen; any other scale is a printer's.
constexpr double kScreenScale = 1.0;
// Beyond this no pattern repeat fits on any real device; such a scale is treated as bad input.
constexpr double kLargestScale = 1e6;
// Printed dots are strokes half a scale long, drawn with a pen half a scale wide.
constexpr double kPrintedDotLength = 0.5;
constexpr double kPrintedDotPenWidth = 0.5;
constexpr double kLargestPenWidth = 1000;
// A repeat is never closer than one device pixel, so the work stays proportional to the area.
constexpr double kSmallestStep = 1;

// ---- Drawing into the rectangle ------------------------------------------------------------

struct DPoint {
  double x;
  double y;
};

// The normalised rectangle, in doubles so that the far corners of LONG coordinates never
// overflow.
struct Area {
  double left;
  double top;
  double right;
  double bottom;
};

int RoundToInt(double v) {
  if (!(v > std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  if (!(v < std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  return static_cast<int>(std::lround(v));
}

// Cuts the segment a-b to the closed area (Liang-Barsky); false when nothing of it is inside.
bool ClipToArea(const Area& area, DPoint* a, DPoint* b) {
  const double dx = b->x - a->x;
  const double dy = b->y - a->y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a->x - area.left, area.right - a->x, a->y - area.top, area.bottom - a->y};
  double t0 = 0;
  double t1 = 1;
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;  // parallel to this edge and outside it
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
  }
  if (t0 > t1) return false;
  const DPoint start{a->x + t0 * dx, a->y + t0 * dy};
  *b = DPoint{a->x + t1 * dx, a->y + t1 * dy};
  *a = start;
  return true;
}

// Calls visit(position, index) for anchor + index * step, from the first such position at or
// after `from` while the position stays before `end`. The index keeps its parity relative to
// the anchor, so "every second row" is the same rows however far back the run starts.
template <typename Visit>
void ForEachStep(double anchor, double step, double from, double end, Visit visit) {
  const auto first = static_cast<int64_t>(std::ceil((from - anchor) / step));
  for (int64_t i = first;; ++i) {
    const double position = anchor + static_cast<double>(i) * step;
    if (!(position < end)) return;
    visit(position, i);
  }
}

template <typename Visit>
void ForEachStep(double anchor, double step, double end, Visit visit) {
  ForEachStep(anchor, step, anchor, end, visit);
}

bool IsOdd(int64_t i) {
  return (i & 1) != 0;
}

// Draws pattern pieces into the area with the pen already selected: every line piece is cut to
// the area, dots are pixels on screen and short strokes elsewhere.
class PatternPainter {
 public:
  PatternPainter(HDC dc, const Area& area, COLORREF colour, double scale)
      : dc_(dc), area_(area), colour_(colour), scale_(scale) {}

  const Area& area() const { return area_; }
  double Height() const { return area_.bottom - area_.top; }
  // A distance of the figure on this device.
  double D(double pixels) const { return pixels * scale_; }
  // A repeat distance on this device, never under one pixel.
  double Step(double pixels) const { return std::max(kSmallestStep, pixels * scale_); }

  void Line(DPoint a, DPoint b) {
    if (!ClipToArea(area_, &a, &b)) return;
    const POINT from{RoundToInt(a.x), RoundToInt(a.y)};
    const POINT to{RoundToInt(b.x), RoundToInt(b.y)};
    if (from.x == to.x && from.y == to.y) return;
    // A piece that continues the previous one (a tick's second stroke) is drawn on from there.
    if (!has_position_ || position_.x != from.x || position_.y != from.y) {
      MoveToEx(dc_, from.x, from.y, nullptr);
    }
    LineTo(dc_, to.x, to.y);
    position_ = to;
    has_position_ = true;
  }

  void Dot(DPoint p) {
    if (scale_ == kScreenScale) {
      SetPixel(dc_, RoundToInt(p.x), RoundToInt(p.y), colour_);
      return;
    }
    const double length = std::max(kSmallestStep, kPrintedDotLength * scale_);
    Line(p, DPoint{p.x + length, p.y});
  }

  // A figure of the motif is drawn only when its whole cell lies inside the area.
  bool CellFits(DPoint corner, double size) const {
    return corner.x + size <= area_.right && corner.y + size <= area_.bottom;
  }

  void EllipseIn(DPoint top_left, DPoint bottom_right) {
    Ellipse(dc_, RoundToInt(top_left.x), RoundToInt(top_left.y), RoundToInt(bottom_right.x),
            RoundToInt(bottom_right.y));
  }

  void Triangle(DPoint a, DPoint b, DPoint c) {
    const POINT points[] = {{RoundToInt(a.x), RoundToInt(a.y)},
                            {RoundToInt(b.x), RoundToInt(b.y)},
                            {RoundToInt(c.x), RoundToInt(c.y)}};
    Polygon(dc_, points, 3);
  }

 private:
  HDC dc_;
  Area area_;
  COLORREF colour_;
  double scale_;
  POINT position_{0, 0};
  bool has_position_ = false;
};

// ---- The figures ---------------------------------------------------------------------------

void DrawHorizontalLines(PatternPainter& p) {
  const Area& a = p.area();
  ForEachStep(a.top + p.D(kLineInset), p.Step(kLineSpacing), a.bottom, [&](double y, int64_t) {
    p.Line({a.left, y}, {a.right, y});
  });
}

void DrawVerticalLines(PatternPainter& p) {
  const Area& a = p.area();
  ForEachStep(a.left + p.D(kLineInset), p.Step(kLineSpacing), a.right, [&](double x, int64_t) {
    p.Line({x, a.top}, {x, a.bottom});
  });
}

enum class Slant { kRising, kFalling };

// Each line starts on the edge it leaves from (the bottom for rising lines, the top for falling
// ones) and runs one rectangle height across; lines starting left of the rectangle are needed
// to cover its left part.
void DrawDiagonals(PatternPainter& p, Slant slant) {
  const Area& a = p.area();
  const double run = p.Height();
  const double from = slant == Slant::kRising ? a.bottom : a.top;
  const double to = slant == Slant::kRising ? a.top : a.bottom;
  ForEachStep(a.left + p.D(kDiagonalInset), p.Step(kDiagonalSpacing), a.left - run, a.right,
              [&](double x, int64_t) {
                p.Line({x, from}, {x + run, to});
              });
}

void DrawDots(PatternPainter& p, const DotRows& rows) {
  const Area& a = p.area();
  ForEachStep(a.top, p.Step(rows.apart), a.bottom, [&](double y, int64_t row) {
    const double first = a.left + (IsOdd(row) ? p.D(rows.shift) : 0);
    ForEachStep(first, p.Step(rows.along), a.right, [&](double x, int64_t) { p.Dot({x, y}); });
  });
}

void DrawWoven(PatternPainter& p) {
  const Area& a = p.area();
  const double dash = p.D(kWeaveDash);
  const double period = p.Step(2 * kWeaveDash);
  ForEachStep(a.top + p.D(kWeaveFirstRow), p.Step(kWeaveDash), a.bottom,
              [&](double y, int64_t row) {
                const double first = a.left + (IsOdd(row) ? dash : 0);
                ForEachStep(first, period, a.right, [&](double x, int64_t) {
                  p.Line({x, y}, {x + dash, y});
                });
              });
  ForEachStep(a.left + p.D(kWeaveFirstColumn), p.Step(kWeaveDash), a.right,
              [&](double x, int64_t column) {
                const double first =
                    a.top + p.D(IsOdd(column) ? kWeaveShiftedColumnStart : kWeaveColumnStart);
                ForEachStep(first, period, a.bottom, [&](double y, int64_t) {
                  p.Line({x, y}, {x, y + dash});
                });
              });
}

void DrawTicks(PatternPainter& p) {
  const Area& a = p.area();
  ForEachStep(a.top + p.D(kTickFirstRow), p.Step(kTickRowSpacing), a.bottom,
              [&](double y, int64_t row) {
                const double first = a.left + (IsOdd(row) ? p.D(kTickShift) : 0);
                ForEachStep(first, p.Step(kTickSpacing), a.right, [&](double x, int64_t) {
                  const DPoint dip{x + p.D(kTickDip), y + p.D(kTickDip)};
                  p.Line({x, y}, dip);
                  p.Line(dip, {x + p.D(kTickReach), y - p.D(kTickRise)});
                });
              });
}

// The joints of a column cross one course in two, those of the next column the others; the
// partial course above the first line belongs to the odd columns.
void DrawBricks(PatternPainter& p) {
  const Area& a = p.area();
  const double first_course = a.top + p.D(kBrickFirstCourse);
  ForEachStep(first_course, p.Step(kBrickHeight), a.bottom, [&](double y, int64_t) {
    p.Line({a.left, y}, {a.right, y});
  });
  const double joint = p.D(kBrickHeight);
  ForEachStep(a.left + p.D(kBrickFirstColumn), p.Step(kBrickColumnSpacing), a.right,
              [&](double x, int64_t column) {
                const double anchor = first_course + (IsOdd(column) ? joint : 0);
                ForEachStep(anchor, p.Step(kBrickLength), a.top - joint, a.bottom,
                            [&](double y, int64_t) {
                              p.Line({x, y}, {x, y + joint});
                            });
              });
}

void DrawStrokes(PatternPainter& p) {
  const Area& a = p.area();
  const double run = p.D(kStrokeRun);
  ForEachStep(a.top + p.D(kStrokeFirstRow), p.Step(kStrokeRowSpacing), a.bottom,
              [&](double y, int64_t row) {
                const bool backward = IsOdd(row);
                const double first = a.left + (backward ? p.D(kStrokeShift) : 0);
                const double slant = backward ? -run : run;
                ForEachStep(first, p.Step(kStrokeSpacing), a.right, [&](double x, int64_t) {
                  p.Line({x, y}, {x + slant, y + run});
                });
              });
}

void DrawStone(PatternPainter& p, DPoint cell, int64_t row, int64_t column) {
  const double x = cell.x;
  const double y = cell.y;
  if (!IsOdd(row + column)) {
    p.EllipseIn({x, y + p.D(kPebbleTop)}, {x + p.D(kStoneGrid), y + p.D(kPebbleBottom)});
    return;
  }
  const double high = y + p.D(kChipHigh);
  const double low = y + p.D(kChipLow);
  const double right = x + p.D(kChipWidth);
  const double middle = x + p.D(kChipWidth / 2);
  if (IsOdd(row)) {
    p.Triangle({x, high}, {right, high}, {middle, low});
  } else {
    p.Triangle({x, low}, {middle, high}, {right, low});
  }
}

void DrawStones(PatternPainter& p) {
  const Area& a = p.area();
  const double cell = p.D(kStoneGrid);
  ForEachStep(a.top, p.Step(kStoneGrid), a.bottom, [&](double y, int64_t row) {
    ForEachStep(a.left, p.Step(kStoneGrid), a.right, [&](double x, int64_t column) {
      if (p.CellFits({x, y}, cell)) DrawStone(p, {x, y}, row, column);
    });
  });
}

// The figure of each pattern number.
using Figure = void (*)(PatternPainter&);
const Figure kFigures[] = {
    DrawHorizontalLines,                                           // 0
    DrawVerticalLines,                                             // 1
    [](PatternPainter& p) { DrawDiagonals(p, Slant::kRising); },   // 2
    [](PatternPainter& p) { DrawDiagonals(p, Slant::kFalling); },  // 3
    [](PatternPainter& p) {                                        // 4: square grid
      DrawHorizontalLines(p);
      DrawVerticalLines(p);
    },
    [](PatternPainter& p) {  // 5: diagonal cross-hatch
      DrawDiagonals(p, Slant::kRising);
      DrawDiagonals(p, Slant::kFalling);
    },
    [](PatternPainter& p) { DrawDots(p, kDotRows[0]); },  // 6
    [](PatternPainter& p) { DrawDots(p, kDotRows[1]); },  // 7
    [](PatternPainter& p) { DrawDots(p, kDotRows[2]); },  // 8
    [](PatternPainter& p) { DrawDots(p, kDotRows[3]); },  // 9
    DrawWoven,                                            // 10
    DrawTicks,                                            // 11
    DrawBricks,                                           // 12
    DrawStrokes,                                          // 13
    DrawStones,                                           // 14
};
static_assert(std::size(kFigures) == kPatternCount);

bool IsDotPattern(int pattern) {
  return pattern >= kFirstDotPattern &&
         pattern < kFirstDotPattern + static_cast<int>(std::size(kDotRows));
}

// Lines are one device pixel wide everywhere; printed dots get a pen that grows with the scale
// so that they stay visible at printer resolutions.
int PenWidth(int pattern, double scale) {
  if (!IsDotPattern(pattern) || scale == kScreenScale) return 0;
  return static_cast<int>(std::min(kLargestPenWidth, kPrintedDotPenWidth * scale));
}

bool UsableScale(double scale) {
  return scale > 0 && scale <= kLargestScale;  // false for NaN too
}

// Makes one unit one device pixel, since the rectangle is given in device coordinates (a
// region's box). The window origin is reset too, so a caller's scrolled origin cannot shift it.
void MapUnitsToPixels(HDC dc) {
  SetMapMode(dc, MM_ISOTROPIC);
  SetWindowExtEx(dc, 1, 1, nullptr);
  SetViewportExtEx(dc, 1, 1, nullptr);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetViewportOrgEx(dc, 0, 0, nullptr);
}

}  // namespace

void PaintPattern(HDC dc, int pattern, COLORREF colour, double scale, tagRECT* r) {
  if (r == nullptr || !UsableScale(scale)) return;
  // Normalised before the emptiness test: a rectangle given bottom-up or right-to-left is the
  // same area and draws the same figure.
  const RECT box{std::min(r->left, r->right), std::min(r->top, r->bottom),
                 std::max(r->left, r->right), std::max(r->top, r->bottom)};
  if (IsRectEmpty(&box)) return;
  if (SaveDC(dc) == 0) return;  // also the null DC
  const Area area{static_cast<double>(box.left), static_cast<double>(box.top),
                  static_cast<double>(box.right), static_cast<double>(box.bottom)};
  const int figure = GetPattern(pattern);
  HPEN pen = CreatePen(PS_SOLID, PenWidth(figure, scale), colour);
  if (pen != nullptr) {
    MapUnitsToPixels(dc);
    SelectObject(dc, pen);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    PatternPainter painter(dc, area, colour, scale);
    kFigures[figure](painter);
  }
  // Restored before the pen is deleted, so the pen is never deleted while selected.
  RestoreDC(dc, -1);
  DeleteObject(pen);
}
