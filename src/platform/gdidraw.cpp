// GDI drawing on a device context: lines, figures, pixels and painted regions, with GDI's pixel
// conventions (a line leaves out its last pixel; Rectangle and Ellipse leave out the right and
// bottom edge; Arc and Chord run counter-clockwise on the y-down device) and its raster
// operations done bit by bit on images, so that not-xor drawing undoes itself.

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/detail/devicecontext.h"

namespace {

// GDI's dash patterns for one-pixel pens, in device pixels.
constexpr double kDash[] = {18, 6};
constexpr double kDot[] = {3, 3};
constexpr double kDashDot[] = {9, 6, 3, 6};
constexpr double kDashDotDot[] = {9, 3, 3, 3, 3, 3};
constexpr double kHalfPixel = 0.5;
constexpr int kHatchSize = 8;

bool IsCosmetic(const HDC__& d) {
  return d.DevicePenWidth() <= 1.0;
}

void SetPen(cairo_t* cr, const HDC__& d) {
  const double width = d.DevicePenWidth();
  cairo_set_line_width(cr, width);
  if (width > 1.0) {
    // Wide pens are geometric pens: round ends and joins, and always solid, as in GDI.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_dash(cr, nullptr, 0, 0);
    return;
  }
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  switch (d.state.pen.style) {
    case PS_DASH:
      cairo_set_dash(cr, kDash, 2, 0);
      break;
    case PS_DOT:
      cairo_set_dash(cr, kDot, 2, 0);
      break;
    case PS_DASHDOT:
      cairo_set_dash(cr, kDashDot, 4, 0);
      break;
    case PS_DASHDOTDOT:
      cairo_set_dash(cr, kDashDotDot, 6, 0);
      break;
    default:
      cairo_set_dash(cr, nullptr, 0, 0);
      break;
  }
}

// The hatch brushes as a repeating 8 x 8 tile.
cairo_pattern_t* HatchPattern(const BrushSpec& brush, const DcState& state) {
  cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kHatchSize, kHatchSize);
  cairo_t* cr = cairo_create(tile);
  if (state.bk_mode == OPAQUE) {
    SetCairoColour(cr, state.bk_colour);
    cairo_paint(cr);
  }
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  SetCairoColour(cr, brush.colour);
  const bool horizontal = brush.hatch == HS_HORIZONTAL || brush.hatch == HS_CROSS;
  const bool vertical = brush.hatch == HS_VERTICAL || brush.hatch == HS_CROSS;
  const bool forward = brush.hatch == HS_FDIAGONAL || brush.hatch == HS_DIAGCROSS;
  const bool backward = brush.hatch == HS_BDIAGONAL || brush.hatch == HS_DIAGCROSS;
  for (int i = 0; i < kHatchSize; ++i) {
    if (horizontal) cairo_rectangle(cr, i, kHatchSize / 2, 1, 1);
    if (vertical) cairo_rectangle(cr, kHatchSize / 2, i, 1, 1);
    if (forward) cairo_rectangle(cr, i, i, 1, 1);
    if (backward) cairo_rectangle(cr, kHatchSize - 1 - i, i, 1, 1);
  }
  cairo_fill(cr);
  cairo_destroy(cr);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(tile);
  cairo_surface_destroy(tile);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
  return pattern;
}

void SetBrush(cairo_t* cr, const BrushSpec& brush, const DcState& state) {
  if (brush.style != BS_HATCHED) {
    SetCairoColour(cr, brush.colour);
    return;
  }
  cairo_pattern_t* pattern = HatchPattern(brush, state);
  cairo_set_source(cr, pattern);
  cairo_pattern_destroy(pattern);
}

uint32_t ToPixel(COLORREF c) {
  return (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) |
         GetBValue(c);
}

COLORREF FromPixel(uint32_t p) {
  return RGB(static_cast<BYTE>(p >> 16), static_cast<BYTE>(p >> 8), static_cast<BYTE>(p));
}

// The sixteen binary raster operations on 24-bit colour: pen P, destination D.
uint32_t ApplyRop(int rop, uint32_t pen, uint32_t dst) {
  constexpr uint32_t kAll = 0x00FFFFFF;
  switch (rop) {
    case R2_BLACK:
      return 0;
    case R2_NOTMERGEPEN:
      return ~(dst | pen) & kAll;
    case R2_MASKNOTPEN:
      return dst & ~pen & kAll;
    case R2_NOTCOPYPEN:
      return ~pen & kAll;
    case R2_MASKPENNOT:
      return pen & ~dst & kAll;
    case R2_NOT:
      return ~dst & kAll;
    case R2_XORPEN:
      return (dst ^ pen) & kAll;
    case R2_NOTMASKPEN:
      return ~(dst & pen) & kAll;
    case R2_MASKPEN:
      return dst & pen & kAll;
    case R2_NOTXORPEN:
      return ~(dst ^ pen) & kAll;
    case R2_NOP:
      return dst & kAll;
    case R2_MERGENOTPEN:
      return (dst | ~pen) & kAll;
    case R2_MERGEPENNOT:
      return (pen | ~dst) & kAll;
    case R2_MERGEPEN:
      return (dst | pen) & kAll;
    case R2_WHITE:
      return kAll;
    default:
      return pen & kAll;
  }
}

// A figure: the path Cairo fills and the path it strokes (strokes run through pixel centres).
class Figure {
 public:
  virtual ~Figure() = default;
  virtual void FillPath(cairo_t* cr) const = 0;
  virtual void StrokePath(cairo_t* cr) const = 0;
  bool fill = false;
  bool stroke = true;
};

class ClipMask {
 public:
  ClipMask(int w, int h) : surface_(cairo_image_surface_create(CAIRO_FORMAT_A8, w, h)) {}
  ~ClipMask() { cairo_surface_destroy(surface_); }
  ClipMask(const ClipMask&) = delete;
  ClipMask& operator=(const ClipMask&) = delete;
  cairo_surface_t* surface() const { return surface_; }
  bool ok() const { return cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS; }
  bool At(int x, int y) const {
    return cairo_image_surface_get_data(
               surface_)[y * cairo_image_surface_get_stride(surface_) + x] != 0;
  }

 private:
  cairo_surface_t* surface_;
};

// Renders one part of the figure (fill or stroke) into an 8-bit coverage mask of the box.
void RenderMask(const ClipMask& mask, const HDC__& d, const Figure& figure, bool stroke, int x0,
                int y0) {
  cairo_t* cr = cairo_create(mask.surface());
  cairo_translate(cr, -x0, -y0);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  if (d.state.clip) {
    AddRegionPath(cr, *d.state.clip);
    cairo_clip(cr);
  }
  cairo_new_path(cr);
  cairo_set_source_rgba(cr, 0, 0, 0, 1);
  if (stroke) {
    figure.StrokePath(cr);
    SetPen(cr, d);
    cairo_stroke(cr);
  } else {
    figure.FillPath(cr);
    cairo_set_fill_rule(
        cr, d.state.poly_fill_mode == WINDING ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
    cairo_fill(cr);
  }
  cairo_destroy(cr);
  cairo_surface_flush(mask.surface());
}

// Raster operations other than copying, done on the image's own bits: each pixel of the
// figure is combined once, the outline with the pen's colour and the inside with the brush's.
void DrawWithRop(HDC__& d, const Figure& figure) {
  cairo_t* cr = d.Canvas();
  cairo_surface_t* surface = d.Surface();
  double ax0 = 0, ay0 = 0, ax1 = 0, ay1 = 0;
  cairo_new_path(cr);
  if (figure.stroke) {
    figure.StrokePath(cr);
    SetPen(cr, d);
    cairo_stroke_extents(cr, &ax0, &ay0, &ax1, &ay1);
  }
  if (figure.fill) {
    double fx0, fy0, fx1, fy1;
    cairo_new_path(cr);
    figure.FillPath(cr);
    cairo_fill_extents(cr, &fx0, &fy0, &fx1, &fy1);
    if (!figure.stroke) ax0 = fx0, ay0 = fy0, ax1 = fx1, ay1 = fy1;
    ax0 = std::min(ax0, fx0), ay0 = std::min(ay0, fy0);
    ax1 = std::max(ax1, fx1), ay1 = std::max(ay1, fy1);
  }
  cairo_new_path(cr);
  const int x0 = std::max(0, static_cast<int>(std::floor(ax0)) - 1);
  const int y0 = std::max(0, static_cast<int>(std::floor(ay0)) - 1);
  const int x1 = std::min(d.width, static_cast<int>(std::ceil(ax1)) + 1);
  const int y1 = std::min(d.height, static_cast<int>(std::ceil(ay1)) + 1);
  if (x1 <= x0 || y1 <= y0) return;
  ClipMask stroke_mask(x1 - x0, y1 - y0);
  ClipMask fill_mask(x1 - x0, y1 - y0);
  if (!stroke_mask.ok() || !fill_mask.ok()) return;
  if (figure.stroke) RenderMask(stroke_mask, d, figure, true, x0, y0);
  if (figure.fill) RenderMask(fill_mask, d, figure, false, x0, y0);

  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const uint32_t pen = ToPixel(d.state.pen.colour);
  const uint32_t brush = ToPixel(d.state.brush.colour);
  for (int y = y0; y < y1; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
    for (int x = x0; x < x1; ++x) {
      const bool on_outline = figure.stroke && stroke_mask.At(x - x0, y - y0);
      if (!on_outline && !(figure.fill && fill_mask.At(x - x0, y - y0))) continue;
      row[x] = ApplyRop(d.state.rop, on_outline ? pen : brush, row[x]);
    }
  }
  cairo_surface_mark_dirty_rectangle(surface, x0, y0, x1 - x0, y1 - y0);
}

// On vector output there are no bits to combine: the inverting operations become Cairo's
// difference with the inverted colour (the same result on the common black and white), the
// constant ones a plain colour.
bool SetVectorOperator(cairo_t* cr, int rop, COLORREF* colour) {
  switch (rop) {
    case R2_NOP:
      return false;
    case R2_BLACK:
      *colour = RGB(0, 0, 0);
      break;
    case R2_WHITE:
      *colour = RGB(255, 255, 255);
      break;
    case R2_NOT:
      *colour = RGB(255, 255, 255);
      cairo_set_operator(cr, CAIRO_OPERATOR_DIFFERENCE);
      break;
    case R2_NOTXORPEN:
      *colour = ~*colour & 0x00FFFFFF;
      cairo_set_operator(cr, CAIRO_OPERATOR_DIFFERENCE);
      break;
    case R2_XORPEN:
      cairo_set_operator(cr, CAIRO_OPERATOR_DIFFERENCE);
      break;
    default:
      break;
  }
  return true;
}

void Draw(HDC__& d, Figure& figure) {
  cairo_t* cr = d.Canvas();
  if (cr == nullptr) return;
  figure.fill = figure.fill && d.state.brush.style != BS_NULL;
  figure.stroke = figure.stroke && d.state.pen.style != PS_NULL;
  if (!figure.fill && !figure.stroke) return;
  if (d.state.rop != R2_COPYPEN && d.dc_kind == DcKind::kImage) {
    DrawWithRop(d, figure);
    return;
  }
  cairo_save(cr);
  if (figure.fill) {
    COLORREF colour = d.state.brush.colour;
    if (SetVectorOperator(cr, d.state.rop, &colour)) {
      cairo_new_path(cr);
      figure.FillPath(cr);
      cairo_set_fill_rule(cr, d.state.poly_fill_mode == WINDING ? CAIRO_FILL_RULE_WINDING
                                                                : CAIRO_FILL_RULE_EVEN_ODD);
      BrushSpec brush = d.state.brush;
      brush.colour = colour;
      SetBrush(cr, brush, d.state);
      cairo_fill(cr);
    }
  }
  if (figure.stroke) {
    COLORREF colour = d.state.pen.colour;
    if (SetVectorOperator(cr, d.state.rop, &colour)) {
      cairo_new_path(cr);
      figure.StrokePath(cr);
      SetPen(cr, d);
      SetCairoColour(cr, colour);
      cairo_stroke(cr);
    }
  }
  cairo_restore(cr);
}

// ---- Figures ------------------------------------------------------------------------------

struct DPoint {
  double x;
  double y;
};

DPoint Centre(POINT p) {
  return DPoint{p.x + kHalfPixel, p.y + kHalfPixel};
}

// An open run of device points. One-pixel pens leave out the last pixel, as GDI does: the
// stroke is moved back half a pixel along its end segments, so it starts on the first pixel's
// edge and stops on the last pixel's edge.
class OpenLine : public Figure {
 public:
  OpenLine(std::vector<POINT> points, bool cosmetic) : points_(std::move(points)) {
    for (const POINT& p : points_)
      centres_.push_back(Centre(p));
    if (!cosmetic || centres_.size() < 2) return;
    ShiftBack(centres_[0], centres_[1], &centres_.front());
    const size_t n = centres_.size();
    ShiftBack(centres_[n - 2], centres_[n - 1], &centres_.back());
  }
  void FillPath(cairo_t*) const override {}
  void StrokePath(cairo_t* cr) const override {
    if (centres_.empty()) return;
    cairo_move_to(cr, centres_[0].x, centres_[0].y);
    for (size_t i = 1; i < centres_.size(); ++i)
      cairo_line_to(cr, centres_[i].x, centres_[i].y);
  }

 private:
  static void ShiftBack(DPoint from, DPoint to, DPoint* moved) {
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double length = std::hypot(dx, dy);
    if (length == 0) return;
    moved->x -= kHalfPixel * dx / length;
    moved->y -= kHalfPixel * dy / length;
  }
  std::vector<POINT> points_;
  std::vector<DPoint> centres_;
};

class PolygonFigure : public Figure {
 public:
  explicit PolygonFigure(std::vector<POINT> points) : points_(std::move(points)) { fill = true; }
  void FillPath(cairo_t* cr) const override { AddPath(cr, 0); }
  void StrokePath(cairo_t* cr) const override { AddPath(cr, kHalfPixel); }

 private:
  void AddPath(cairo_t* cr, double offset) const {
    if (points_.empty()) return;
    cairo_move_to(cr, points_[0].x + offset, points_[0].y + offset);
    for (size_t i = 1; i < points_.size(); ++i) {
      cairo_line_to(cr, points_[i].x + offset, points_[i].y + offset);
    }
    cairo_close_path(cr);
  }
  std::vector<POINT> points_;
};

// A normalised device box, right and bottom excluded; 64-bit so that its width never overflows.
struct Box {
  int64_t left;
  int64_t top;
  int64_t right;
  int64_t bottom;
  bool Empty() const { return right <= left || bottom <= top; }
};

Box DeviceBox(const HDC__& d, int left, int top, int right, int bottom) {
  const POINT a = d.ToDevice(left, top);
  const POINT b = d.ToDevice(right, bottom);
  return Box{std::min<int64_t>(a.x, b.x), std::min<int64_t>(a.y, b.y), std::max<int64_t>(a.x, b.x),
             std::max<int64_t>(a.y, b.y)};
}

class RectangleFigure : public Figure {
 public:
  RectangleFigure(Box box, bool null_pen) : box_(box), null_pen_(null_pen) { fill = true; }
  void FillPath(cairo_t* cr) const override {
    // Without a pen GDI's rectangle is one pixel smaller each way.
    const int shrink = null_pen_ ? 1 : 0;
    cairo_rectangle(cr, static_cast<double>(box_.left), static_cast<double>(box_.top),
                    static_cast<double>(box_.right - box_.left - shrink),
                    static_cast<double>(box_.bottom - box_.top - shrink));
  }
  void StrokePath(cairo_t* cr) const override {
    cairo_rectangle(cr, static_cast<double>(box_.left) + kHalfPixel,
                    static_cast<double>(box_.top) + kHalfPixel,
                    static_cast<double>(box_.right - box_.left - 1),
                    static_cast<double>(box_.bottom - box_.top - 1));
  }

 private:
  Box box_;
  bool null_pen_;
};

// The ellipse inscribed in a box through the centres of its edge pixels; Arc and Chord take a
// piece of it from the start radial counter-clockwise (as seen on the y-down device) to the end
// radial, the whole ellipse when the two radials coincide.
class EllipseFigure : public Figure {
 public:
  enum class Part { kWhole, kArc, kChord };
  EllipseFigure(Box box, Part part, POINT start = {}, POINT end = {}) : part_(part) {
    cx_ = static_cast<double>(box.left + box.right) / 2.0;
    cy_ = static_cast<double>(box.top + box.bottom) / 2.0;
    rx_ = static_cast<double>(box.right - box.left - 1) / 2.0;
    ry_ = static_cast<double>(box.bottom - box.top - 1) / 2.0;
    start_ = Angle(Centre(start));
    end_ = Angle(Centre(end));
    fill = part != Part::kArc;
  }
  bool Degenerate() const { return rx_ <= 0 || ry_ <= 0; }
  void FillPath(cairo_t* cr) const override { AddPath(cr); }
  void StrokePath(cairo_t* cr) const override { AddPath(cr); }

 private:
  double Angle(DPoint p) const {
    if (Degenerate()) return 0;
    return std::atan2((p.y - cy_) / ry_, (p.x - cx_) / rx_);
  }
  void AddPath(cairo_t* cr) const {
    cairo_save(cr);
    cairo_translate(cr, cx_, cy_);
    cairo_scale(cr, rx_, ry_);
    cairo_new_sub_path(cr);
    if (part_ == Part::kWhole || start_ == end_) {
      cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    } else {
      // Decreasing angles are counter-clockwise on a y-down device.
      cairo_arc_negative(cr, 0, 0, 1, start_, end_);
    }
    if (part_ != Part::kArc) cairo_close_path(cr);
    cairo_restore(cr);
  }
  Part part_;
  double cx_, cy_, rx_, ry_, start_ = 0, end_ = 0;
};

std::vector<POINT> DevicePoints(const HDC__& d, const POINT* points, int count) {
  std::vector<POINT> out;
  out.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i)
    out.push_back(d.ToDevice(points[i].x, points[i].y));
  return out;
}

BOOL DrawEllipsePart(HDC dc, const char* name, EllipseFigure::Part part, int left, int top,
                     int right, int bottom, int xs, int ys, int xe, int ye) {
  HDC__* d = LiveDC(dc);
  if (d == nullptr) return FALSE;
  if (part == EllipseFigure::Part::kWhole) {
    d->Record(name, {left, top, right, bottom});
  } else {
    d->Record(name, {left, top, right, bottom, xs, ys, xe, ye});
  }
  const Box box = DeviceBox(*d, left, top, right, bottom);
  if (box.Empty()) return TRUE;
  EllipseFigure figure(box, part, d->ToDevice(xs, ys), d->ToDevice(xe, ye));
  if (!figure.Degenerate()) Draw(*d, figure);
  return TRUE;
}

// Region coordinates are logical when painting: Win32 maps them through the DC.
void FillPaths(HDC__& d, const RegionShape& region, const BrushSpec& brush) {
  cairo_t* cr = d.Canvas();
  if (cr == nullptr || brush.style == BS_NULL) return;
  cairo_save(cr);
  cairo_new_path(cr);
  AddRegionPath(cr, region, &d);
  SetBrush(cr, brush, d.state);
  cairo_fill(cr);
  cairo_restore(cr);
}

BOOL PaintRegion(HDC dc, HRGN rgn, const char* name, const BrushSpec* brush) {
  HDC__* d = LiveDC(dc);
  const HRGN__* region = LiveRegion(rgn);
  if (d == nullptr || region == nullptr) return FALSE;
  RECT box{};
  region->shape.Box(&box);
  if (RecordedCall* call = d->Record(name, {box.left, box.top, box.right, box.bottom})) {
    call->brush_style = brush->style;
    call->brush_colour = brush->colour;
  }
  FillPaths(*d, region->shape, *brush);
  return TRUE;
}

}  // namespace

BOOL MoveToEx(HDC dc, int x, int y, LPPOINT previous) {
  HDC__* d = LiveDC(dc);
  if (d == nullptr) return FALSE;
  d->Record("MoveToEx", {x, y});
  if (previous != nullptr) *previous = d->state.position;
  d->state.position = POINT{x, y};
  return TRUE;
}

BOOL LineTo(HDC dc, int x, int y) {
  HDC__* d = LiveDC(dc);
  if (d == nullptr) return FALSE;
  d->Record("LineTo", {x, y});
  const POINT from = d->ToDevice(d->state.position.x, d->state.position.y);
  const POINT to = d->ToDevice(x, y);
  d->state.position = POINT{x, y};
  if (from.x == to.x && from.y == to.y) return TRUE;  // a zero-length line draws nothing
  if (d->Canvas() == nullptr) return TRUE;
  OpenLine line({from, to}, IsCosmetic(*d));
  Draw(*d, line);
  return TRUE;
}

BOOL Polyline(HDC dc, const POINT* points, int count) {
  HDC__* d = LiveDC(dc);
  if (d == nullptr || points == nullptr || count < 2) return FALSE;
  if (RecordedCall* call = d->Record("Polyline")) call->points.assign(points, points + count);
  if (d->Canvas() == nullptr) return TRUE;
  OpenLine line(DevicePoints(*d, points, count), IsCosmetic(*d));
  Draw(*d, line);
  return TRUE;
}

BOOL Polygon(HDC dc, const POINT* points, int count) {
  HDC__* d = LiveDC(dc);
  if (d == nullptr || points == nullptr || count < 2) return FALSE;
  if (RecordedCall* call = d->Record("Polygon")) call->points.assign(points, points + count);
  if (d->Canvas() == nullptr) return TRUE;
  PolygonFigure figure(DevicePoints(*d, points, count));
  Draw(*d, figure);
  return TRUE;
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
  HDC__* d = LiveDC(dc);
  if (d == nullptr) return FALSE;
  d->Record("Rectangle", {left, top, right, bottom});
  const Box box = DeviceBox(*d, left, top, right, bottom);
  if (box.Empty() || d->Canvas() == nullptr) return TRUE;
  RectangleFigure figure(box, d->state.pen.style == PS_NULL);
  Draw(*d, figure);
  return TRUE;
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
  return DrawEllipsePart(dc, "Ellipse", EllipseFigure::Part::kWhole, left, top, right, bottom, 0, 0,
                         0, 0);
}

BOOL Arc(HDC dc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
  return DrawEllipsePart(dc, "Arc", EllipseFigure::Part::kArc, left, top, right, bottom, xs, ys, xe,
                         ye);
}

BOOL Chord(HDC dc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
  return DrawEllipsePart(dc, "Chord", EllipseFigure::Part::kChord, left, top, right, bottom, xs, ys,
                         xe, ye);
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour) {
  HDC__* d = LiveDC(dc);
  if (d == nullptr) return CLR_INVALID;
  colour &= 0x00FFFFFF;
  d->Record("SetPixel", {x, y, static_cast<int>(colour)});
  cairo_t* cr = d->Canvas();
  if (cr == nullptr) return colour;
  const POINT p = d->ToDevice(x, y);
  if (d->dc_kind == DcKind::kImage && (p.x < 0 || p.y < 0 || p.x >= d->width || p.y >= d->height)) {
    return CLR_INVALID;
  }
  cairo_save(cr);
  cairo_rectangle(cr, p.x, p.y, 1, 1);
  SetCairoColour(cr, colour);
  cairo_fill(cr);
  cairo_restore(cr);
  return colour;
}

COLORREF GetPixel(HDC dc, int x, int y) {
  HDC__* d = LiveDC(dc);
  if (d == nullptr || d->dc_kind != DcKind::kImage || d->Surface() == nullptr) return CLR_INVALID;
  const POINT p = d->ToDevice(x, y);
  if (p.x < 0 || p.y < 0 || p.x >= d->width || p.y >= d->height) return CLR_INVALID;
  cairo_surface_t* surface = d->Surface();
  cairo_surface_flush(surface);
  const unsigned char* row = cairo_image_surface_get_data(surface) +
                             static_cast<ptrdiff_t>(p.y) * cairo_image_surface_get_stride(surface);
  return FromPixel(reinterpret_cast<const uint32_t*>(row)[p.x]);
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  HDC__* d = LiveDC(dc);
  const HBRUSH__* b = LiveBrush(brush);
  if (d == nullptr || rect == nullptr || b == nullptr) return 0;
  if (RecordedCall* call =
          d->Record("FillRect", {rect->left, rect->top, rect->right, rect->bottom})) {
    call->brush_style = b->spec.style;
    call->brush_colour = b->spec.colour;
  }
  const Box box = DeviceBox(*d, rect->left, rect->top, rect->right, rect->bottom);
  cairo_t* cr = d->Canvas();
  if (box.Empty() || cr == nullptr || b->spec.style == BS_NULL) return 1;
  cairo_save(cr);
  cairo_rectangle(cr, static_cast<double>(box.left), static_cast<double>(box.top),
                  static_cast<double>(box.right - box.left),
                  static_cast<double>(box.bottom - box.top));
  SetBrush(cr, b->spec, d->state);
  cairo_fill(cr);
  cairo_restore(cr);
  return 1;
}

BOOL PaintRgn(HDC dc, HRGN region) {
  const HDC__* d = LiveDC(dc);
  if (d == nullptr) return FALSE;
  const BrushSpec brush = d->state.brush;
  return PaintRegion(dc, region, "PaintRgn", &brush);
}

BOOL FillRgn(HDC dc, HRGN region, HBRUSH brush) {
  const HBRUSH__* b = LiveBrush(brush);
  if (b == nullptr) return FALSE;
  const BrushSpec spec = b->spec;
  return PaintRegion(dc, region, "FillRgn", &spec);
}

int SelectClipRgn(HDC dc, HRGN region) {
  HDC__* d = LiveDC(dc);
  if (d == nullptr) return ERROR;
  if (region == nullptr) {
    d->state.clip.reset();
    d->ApplyClip();
    return SIMPLEREGION;
  }
  const HRGN__* r = LiveRegion(region);
  if (r == nullptr) return ERROR;
  try {
    d->state.clip = std::make_shared<const RegionShape>(r->shape);
  } catch (...) {
    return ERROR;
  }
  d->ApplyClip();
  return r->shape.Type();
}
