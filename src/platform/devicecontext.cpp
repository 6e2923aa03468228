// The device-context state machine: attributes, mapping modes, the SaveDC stack and object
// selection. Drawing itself is in gdidraw.cpp and gditext.cpp.

#include "platform/detail/devicecontext.h"

#include <cmath>
#include <limits>
#include <new>

namespace {

constexpr int kBitsPerPixel = 24;
constexpr int kPlanes = 1;
// Logical units per inch of the fixed mapping modes.
constexpr int kLoMetricPerInch = 254;    // 0.1 mm
constexpr int kHiMetricPerInch = 2540;   // 0.01 mm
constexpr int kLoEnglishPerInch = 100;   // 0.01 inch
constexpr int kHiEnglishPerInch = 1000;  // 0.001 inch
constexpr int kTwipsPerInch = 1440;

int ClampToInt(double value) {
  if (!(value == value)) return 0;  // NaN
  if (value >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(std::lround(value));
}

bool IsFixedMapMode(int mode) {
  return mode >= MM_LOMETRIC && mode <= MM_TWIPS;
}

int UnitsPerInch(int mode) {
  switch (mode) {
    case MM_LOMETRIC:
      return kLoMetricPerInch;
    case MM_HIMETRIC:
      return kHiMetricPerInch;
    case MM_LOENGLISH:
      return kLoEnglishPerInch;
    case MM_HIENGLISH:
      return kHiEnglishPerInch;
    default:
      return kTwipsPerInch;
  }
}

void SelectDefaults(DcState& state) {
  state.pen_handle = GetStockObject(BLACK_PEN);
  state.brush_handle = GetStockObject(WHITE_BRUSH);
  state.font_handle = GetStockObject(SYSTEM_FONT);
  state.font = DefaultLogFont();
}

}  // namespace

HDC__::HDC__(DcKind kind, int dc_width, int dc_height, int ppi)
    : GdiObject(GdiKind::kDeviceContext),
      dc_kind(kind),
      width(dc_width),
      height(dc_height),
      pixels_per_inch(ppi) {
  SelectDefaults(state);
}

HDC__::~HDC__() {
  Finish();
  if (canvas_ != nullptr) cairo_destroy(canvas_);
  if (surface_ != nullptr) cairo_surface_destroy(surface_);
  if (measure_ != nullptr) cairo_destroy(measure_);
  if (measure_surface_ != nullptr) cairo_surface_destroy(measure_surface_);
}

void HDC__::AttachCanvas(cairo_surface_t* surface, double units_per_pixel) {
  surface_ = surface;
  canvas_ = cairo_create(surface);
  if (units_per_pixel != 1.0) cairo_scale(canvas_, units_per_pixel, units_per_pixel);
  // GDI does not smooth edges; crisp pixels keep not-xor drawing its own inverse.
  cairo_set_antialias(canvas_, CAIRO_ANTIALIAS_NONE);
  if (dc_kind == DcKind::kImage) {
    cairo_set_source_rgb(canvas_, 1, 1, 1);
    cairo_paint(canvas_);
  }
}

bool HDC__::Finish() {
  if (surface_ == nullptr) return false;
  if (dc_kind != DcKind::kPdf && dc_kind != DcKind::kSvg) return true;
  if (!finished_) {
    finished_ = true;
    cairo_surface_finish(surface_);
  }
  return cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS;
}

double HDC__::ScaleX() const {
  if (state.map_mode == MM_TEXT) return 1.0;
  if (state.window_ext.cx == 0) return 1.0;
  double sx = static_cast<double>(state.viewport_ext.cx) / state.window_ext.cx;
  if (state.map_mode == MM_ISOTROPIC && state.window_ext.cy != 0) {
    const double sy = static_cast<double>(state.viewport_ext.cy) / state.window_ext.cy;
    sx = std::copysign(std::min(std::fabs(sx), std::fabs(sy)), sx);
  }
  return sx;
}

double HDC__::ScaleY() const {
  if (state.map_mode == MM_TEXT) return 1.0;
  if (state.window_ext.cy == 0) return 1.0;
  double sy = static_cast<double>(state.viewport_ext.cy) / state.window_ext.cy;
  if (state.map_mode == MM_ISOTROPIC && state.window_ext.cx != 0) {
    const double sx = static_cast<double>(state.viewport_ext.cx) / state.window_ext.cx;
    sy = std::copysign(std::min(std::fabs(sx), std::fabs(sy)), sy);
  }
  return sy;
}

double HDC__::DeviceX(double x) const {
  return (x - state.window_org.x) * ScaleX() + state.viewport_org.x;
}

double HDC__::DeviceY(double y) const {
  return (y - state.window_org.y) * ScaleY() + state.viewport_org.y;
}

POINT HDC__::ToDevice(int x, int y) const {
  return POINT{ClampToInt(DeviceX(x)), ClampToInt(DeviceY(y))};
}

POINT HDC__::ToLogical(int x, int y) const {
  const double lx = (x - static_cast<double>(state.viewport_org.x)) / ScaleX() + state.window_org.x;
  const double ly = (y - static_cast<double>(state.viewport_org.y)) / ScaleY() + state.window_org.y;
  return POINT{ClampToInt(lx), ClampToInt(ly)};
}

double HDC__::DevicePenWidth() const {
  const double w = std::round(state.pen.width * std::fabs(ScaleX()));
  return w < 1.0 ? 1.0 : w;
}

cairo_t* HDC__::TextContext() {
  if (canvas_ != nullptr) return canvas_;
  if (measure_ == nullptr) {
    measure_surface_ = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    measure_ = cairo_create(measure_surface_);
  }
  return measure_;
}

void HDC__::ApplyClip() {
  cairo_t* cr = Canvas();
  if (cr == nullptr) return;
  cairo_reset_clip(cr);
  if (!state.clip) return;
  cairo_new_path(cr);
  AddRegionPath(cr, *state.clip);
  cairo_clip(cr);
}

void AddRegionPath(cairo_t* cr, const RegionShape& region, const HDC__* dc) {
  for (const RegionShape::Path& path : region.Paths()) {
    if (path.empty()) continue;
    for (size_t i = 0; i < path.size(); ++i) {
      const POINT p = dc != nullptr ? dc->ToDevice(path[i].x, path[i].y) : path[i];
      if (i == 0) {
        cairo_move_to(cr, p.x, p.y);
      } else {
        cairo_line_to(cr, p.x, p.y);
      }
    }
    cairo_close_path(cr);
  }
  cairo_set_fill_rule(
      cr, region.FillMode() == WINDING ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
}

void SetCairoColour(cairo_t* cr, COLORREF colour) {
  cairo_set_source_rgb(cr, GetRValue(colour) / 255.0, GetGValue(colour) / 255.0,
                       GetBValue(colour) / 255.0);
}

RecordedCall* HDC__::Record(const char* name, std::vector<int> args) {
  if (!Records()) return nullptr;
  RecordedCall call;
  call.name = name;
  call.args = std::move(args);
  call.from = state.position;
  call.pen_style = state.pen.style;
  call.pen_width = state.pen.width;
  call.pen_colour = state.pen.colour;
  call.brush_style = state.brush.style;
  call.brush_colour = state.brush.colour;
  call.text_colour = state.text_colour;
  call.rop = state.rop;
  call.clipped = state.clip != nullptr;
  try {
    calls.push_back(std::move(call));
  } catch (...) {
    return nullptr;
  }
  return &calls.back();
}

HDC__* NewDeviceContext(DcKind kind, int width, int height, int pixels_per_inch) {
  if (width <= 0 || height <= 0 || pixels_per_inch <= 0) return nullptr;
  HDC__* dc = new (std::nothrow) HDC__(kind, width, height, pixels_per_inch);
  if (dc == nullptr) return nullptr;
  return RegisterGdiObject(dc, dc) != nullptr ? dc : nullptr;
}

bool FreeDeviceContext(HDC dc) {
  HDC__* live = LiveDC(dc);
  if (live == nullptr || !UnregisterGdiObject(dc)) return false;
  delete live;
  return true;
}

// ---- Attributes -------------------------------------------------------------------------

int GetDeviceCaps(HDC dc, int index) {
  const HDC__* d = LiveDC(dc);
  if (d == nullptr) return 0;
  switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY:
      return d->pixels_per_inch;
    case BITSPIXEL:
      return kBitsPerPixel;
    case PLANES:
      return kPlanes;
    case HORZRES:
      return d->width;
    case VERTRES:
      return d->height;
    default:
      return 0;
  }
}

int SaveDC(HDC dc) {
  HDC__* d = LiveDC(dc);
  if (d == nullptr) return 0;
  try {
    d->saved.push_back(d->state);
  } catch (...) {
    return 0;
  }
  return static_cast<int>(d->saved.size());
}

BOOL RestoreDC(HDC dc, int saved) {
  HDC__* d = LiveDC(dc);
  if (d == nullptr || saved == 0) return FALSE;
  const int depth = static_cast<int>(d->saved.size());
  // Negative: that many levels back from the newest; positive: the level SaveDC returned.
  const int level = saved < 0 ? depth + saved + 1 : saved;
  if (level < 1 || level > depth) return FALSE;
  d->state = d->saved[static_cast<size_t>(level - 1)];
  d->saved.resize(static_cast<size_t>(level - 1));
  d->ApplyClip();
  return TRUE;
}

int SetROP2(HDC dc, int mode) {
  HDC__* d = LiveDC(dc);
  if (d == nullptr || mode < R2_BLACK || mode > R2_WHITE) return 0;
  const int previous = d->state.rop;
  d->state.rop = mode;
  return previous;
}

int GetROP2(HDC dc) {
  const HDC__* d = LiveDC(dc);
  return d == nullptr ? 0 : d->state.rop;
}

int SetBkMode(HDC dc, int mode) {
  HDC__* d = LiveDC(dc);
  if (d == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  const int previous = d->state.bk_mode;
  d->state.bk_mode = mode;
  return previous;
}

int GetBkMode(HDC dc) {
  const HDC__* d = LiveDC(dc);
  return d == nullptr ? 0 : d->state.bk_mode;
}

COLORREF SetBkColor(HDC dc, COLORREF colour) {
  HDC__* d = LiveDC(dc);
  if (d == nullptr) return CLR_INVALID;
  const COLORREF previous = d->state.bk_colour;
  d->state.bk_colour = colour & 0x00FFFFFF;
  return previous;
}

COLORREF GetBkColor(HDC dc) {
  const HDC__* d = LiveDC(dc);
  return d == nullptr ? CLR_INVALID : d->state.bk_colour;
}

COLORREF SetTextColor(HDC dc, COLORREF colour) {
  HDC__* d = LiveDC(dc);
  if (d == nullptr) return CLR_INVALID;
  const COLORREF previous = d->state.text_colour;
  d->state.text_colour = colour & 0x00FFFFFF;
  return previous;
}

COLORREF GetTextColor(HDC dc) {
  const HDC__* d = LiveDC(dc);
  return d == nullptr ? CLR_INVALID : d->state.text_colour;
}

UINT SetTextAlign(HDC dc, UINT align) {
  HDC__* d = LiveDC(dc);
  if (d == nullptr) return static_cast<UINT>(GDI_ERROR);
  const UINT previous = d->state.text_align;
  d->state.text_align = align;
  return previous;
}

UINT GetTextAlign(HDC dc) {
  const HDC__* d = LiveDC(dc);
  return d == nullptr ? static_cast<UINT>(GDI_ERROR) : d->state.text_align;
}

int SetPolyFillMode(HDC dc, int mode) {
  HDC__* d = LiveDC(dc);
  if (d == nullptr || (mode != ALTERNATE && mode != WINDING)) return 0;
  const int previous = d->state.poly_fill_mode;
  d->state.poly_fill_mode = mode;
  return previous;
}

int GetPolyFillMode(HDC dc) {
  const HDC__* d = LiveDC(dc);
  return d == nullptr ? 0 : d->state.poly_fill_mode;
}

// ---- Mapping ----------------------------------------------------------------------------

int SetMapMode(HDC dc, int mode) {
  HDC__* d = LiveDC(dc);
  if (d == nullptr || mode < MM_TEXT || mode > MM_ANISOTROPIC) return 0;
  DcState& s = d->state;
  const int previous = s.map_mode;
  s.map_mode = mode;
  if (mode == MM_TEXT) {
    s.window_ext = SIZE{1, 1};
    s.viewport_ext = SIZE{1, 1};
  } else if (IsFixedMapMode(mode)) {
    // Fixed units with y growing upward, as Win32 sets them up.
    const int units = UnitsPerInch(mode);
    s.window_ext = SIZE{units, units};
    s.viewport_ext = SIZE{d->pixels_per_inch, -d->pixels_per_inch};
  }
  return previous;
}

int GetMapMode(HDC dc) {
  const HDC__* d = LiveDC(dc);
  return d == nullptr ? 0 : d->state.map_mode;
}

namespace {

// Extents can be changed only in the two scalable modes; zero extents are refused.
BOOL SetExtent(HDC dc, int x, int y, LPSIZE previous, SIZE DcState::*extent) {
  HDC__* d = LiveDC(dc);
  if (d == nullptr) return FALSE;
  if (previous != nullptr) *previous = d->state.*extent;
  if (d->state.map_mode != MM_ISOTROPIC && d->state.map_mode != MM_ANISOTROPIC) return TRUE;
  if (x == 0 || y == 0) return FALSE;
  d->state.*extent = SIZE{x, y};
  return TRUE;
}

BOOL SetOrigin(HDC dc, int x, int y, LPPOINT previous, POINT DcState::*origin) {
  HDC__* d = LiveDC(dc);
  if (d == nullptr) return FALSE;
  if (previous != nullptr) *previous = d->state.*origin;
  d->state.*origin = POINT{x, y};
  return TRUE;
}

template <typename T>
BOOL GetField(HDC dc, T* out, T DcState::*field) {
  const HDC__* d = LiveDC(dc);
  if (d == nullptr || out == nullptr) return FALSE;
  *out = d->state.*field;
  return TRUE;
}

}  // namespace

BOOL SetWindowExtEx(HDC dc, int x, int y, LPSIZE previous) {
  return SetExtent(dc, x, y, previous, &DcState::window_ext);
}

BOOL SetViewportExtEx(HDC dc, int x, int y, LPSIZE previous) {
  return SetExtent(dc, x, y, previous, &DcState::viewport_ext);
}

BOOL SetWindowOrgEx(HDC dc, int x, int y, LPPOINT previous) {
  return SetOrigin(dc, x, y, previous, &DcState::window_org);
}

BOOL SetViewportOrgEx(HDC dc, int x, int y, LPPOINT previous) {
  return SetOrigin(dc, x, y, previous, &DcState::viewport_org);
}

BOOL GetWindowExtEx(HDC dc, LPSIZE size) {
  return GetField(dc, size, &DcState::window_ext);
}

BOOL GetViewportExtEx(HDC dc, LPSIZE size) {
  return GetField(dc, size, &DcState::viewport_ext);
}

BOOL GetWindowOrgEx(HDC dc, LPPOINT point) {
  return GetField(dc, point, &DcState::window_org);
}

BOOL GetViewportOrgEx(HDC dc, LPPOINT point) {
  return GetField(dc, point, &DcState::viewport_org);
}

BOOL LPtoDP(HDC dc, LPPOINT points, int count) {
  const HDC__* d = LiveDC(dc);
  if (d == nullptr || (points == nullptr && count > 0)) return FALSE;
  for (int i = 0; i < count; ++i)
    points[i] = d->ToDevice(points[i].x, points[i].y);
  return TRUE;
}

BOOL DPtoLP(HDC dc, LPPOINT points, int count) {
  const HDC__* d = LiveDC(dc);
  if (d == nullptr || (points == nullptr && count > 0)) return FALSE;
  for (int i = 0; i < count; ++i)
    points[i] = d->ToLogical(points[i].x, points[i].y);
  return TRUE;
}

// ---- Objects ----------------------------------------------------------------------------

HGDIOBJ SelectObject(HDC dc, HGDIOBJ handle) {
  HDC__* d = LiveDC(dc);
  GdiObject* object = LiveGdiObject(handle);
  if (d == nullptr || object == nullptr) return nullptr;
  DcState& s = d->state;
  HGDIOBJ previous = nullptr;
  switch (object->kind) {
    case GdiKind::kPen:
      previous = s.pen_handle;
      s.pen_handle = handle;
      s.pen = static_cast<HPEN__*>(object)->spec;
      return previous;
    case GdiKind::kBrush:
      previous = s.brush_handle;
      s.brush_handle = handle;
      s.brush = static_cast<HBRUSH__*>(object)->spec;
      return previous;
    case GdiKind::kFont:
      previous = s.font_handle;
      s.font_handle = handle;
      s.font = static_cast<HFONT__*>(object)->font;
      return previous;
    case GdiKind::kRegion:
      // Win32 answers a region selection with the region's type, in a handle.
      return reinterpret_cast<HGDIOBJ>(
          static_cast<intptr_t>(SelectClipRgn(dc, static_cast<HRGN>(handle))));
    case GdiKind::kDeviceContext:
      return nullptr;
  }
  return nullptr;
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
  const HDC__* d = LiveDC(dc);
  if (d == nullptr) return nullptr;
  switch (type) {
    case OBJ_PEN:
      return d->state.pen_handle;
    case OBJ_BRUSH:
      return d->state.brush_handle;
    case OBJ_FONT:
      return d->state.font_handle;
    default:
      return nullptr;
  }
}
