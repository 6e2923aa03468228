#include "document/viewport.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "detail/pixelround.h"
#include "geometry/tolerance.h"
#include "settings/hostglobals.h"

namespace {

// MessageBeep(-1): the plain beep, the only feedback a failed conversion gives.
constexpr UINT kSimpleBeep = 0xFFFFFFFF;

double SnapComponent(double v) {
  return std::fabs(v) < kSnapTolerance ? 0.0 : v;
}

void StoreSnapped(Point3D& dst, const Point3D& src) {
  dst = src;
  dst.x = SnapComponent(src.x);
  dst.y = SnapComponent(src.y);
  dst.z = SnapComponent(src.z);
}

// A stretch or scale the mapping can divide by and multiply with.
bool UsableFactor(double v) {
  return std::isfinite(v) && v != 0.0;
}

// Nearest multiple of unit; a zero unit leaves the coordinate where it is.
double SnapToUnit(double v, double unit) {
  if (unit == 0.0) return v;
  return unit * std::floor(v / unit + 0.5);
}

}  // namespace

Viewport::Viewport(HWND window, int border) : window_(window), border_(border) {
  ReadClientSize();
  SetWCOffset(nullptr);
}

Viewport::Viewport(const Viewport* src) {
  if (src != nullptr) *this = *src;
}

Viewport& Viewport::operator=(const Viewport&) = default;

void Viewport::ReadClientSize() {
  // A window that is gone keeps the last size it was known to have.
  RECT r{};
  if (GetClientRect(window_, &r) == FALSE) return;
  client_width_ = static_cast<double>(r.right) - r.left;
  client_height_ = static_cast<double>(r.bottom) - r.top;
}

void Viewport::Size(int, int) {
  ReadClientSize();
  SetWCOffset(nullptr);
}

Point3D* Viewport::GetSnapUnit(Point3D* out) {
  if (out != nullptr) *out = snap_unit_;
  return out;
}

double Viewport::GetScale() {
  return scale_;
}

double Viewport::GetStretch() {
  return stretch_;
}

// Infinite or NaN factors are refused: they would poison every later conversion. Zero is kept
// because it is a state the conversions answer (with a beep).
double Viewport::SetStretch(double s) {
  const double previous = stretch_;
  if (std::isfinite(s)) stretch_ = s;
  SetWCOffset(nullptr);
  return previous;
}

double Viewport::SetScale(double s) {
  const double previous = scale_;
  if (std::isfinite(s)) scale_ = s;
  SetWCOffset(nullptr);
  return previous;
}

void Viewport::SetSnapUnit(const Point3D* p) {
  if (p != nullptr) StoreSnapped(snap_unit_, *p);
}

void Viewport::SetExtents(const Point3D* min, const Point3D* max) {
  if (min != nullptr) extents_min_ = *min;
  if (max != nullptr) extents_max_ = *max;
  SetWCOffset(nullptr);
}

void Viewport::SetLimits(const Point3D* min, const Point3D* max) {
  if (min != nullptr) limits_min_ = *min;
  if (max != nullptr) {
    limits_max_ = *max;
    limit_width_ = max->x;
    limit_height_ = max->y;
  }
  SetWCOffset(nullptr);
}

double Viewport::SetZoom(Box3D* b) {
  const double previous = stretch_;
  if (b == nullptr) return previous;
  // A side of no size does not limit the fit. A box of no size at all (or a window of none, or
  // a scale of 0) has no stretch that fits it: the view stays as it is rather than take an
  // infinite, NaN or zero stretch.
  const double width = std::fabs(b->Width());
  const double height = std::fabs(b->Height());
  if (scale_ == 0.0 || !(width > 0.0 || height > 0.0)) return previous;
  double fit = std::numeric_limits<double>::infinity();
  if (width > 0.0) fit = client_width_ / width;
  if (height > 0.0) fit = std::min(fit, client_height_ / height);
  fit = fit * kZoomBoxFill / scale_;
  if (!UsableFactor(fit)) return previous;
  stretch_ = fit;

  Point3D centre;
  b->Ctr(&centre);
  const double sx = stretch_ * scale_;
  Point3D origin;
  origin.x = border_ / scale_ + (centre.x - (client_width_ / sx) * 0.5);
  origin.y = (client_height_ / sx) * 0.5 + centre.y - border_ / scale_;
  FinishZoom(&origin);
  return previous;
}

double Viewport::SetZoom(int mode, double percent, tagPOINT* at) {
  const double previous = stretch_;
  ReadClientSize();
  SetWCOffset(nullptr);

  Point3D origin;
  ScrollToWP(&origin, -1, -1);
  Point3D cursor;
  if (at != nullptr) DpToWp(at, &cursor);

  // A factor of zero or less (percent at or below -100) would flip or collapse the drawing.
  const double factor = percent / 100.0 + 1.0;
  const bool usable_factor = std::isfinite(factor) && factor > 0.0;
  if (mode == kZoomReset) {
    stretch_ = 1.0;
  } else if (mode == kZoomIn && usable_factor) {
    stretch_ = stretch_ * factor;
  } else if (mode == kZoomOut && usable_factor) {
    stretch_ = stretch_ / factor;
  }
  if (!std::isfinite(stretch_)) stretch_ = previous;

  if (at != nullptr && stretch_ != 0.0 && scale_ != 0.0) {
    // The new scroll origin puts the cursor's world point back under the cursor.
    const double sx = stretch_ * scale_;
    origin.x = border_ / scale_ + (cursor.x - at->x / sx);
    origin.y = (at->y / sx + cursor.y) - border_ / scale_;
  }
  FinishZoom(&origin);
  return previous;
}

void Viewport::FinishZoom(const Point3D* p) {
  SetWCOffset(nullptr);
  SendMessageA(window_, kViewportScrollMessage, kScrollRangesChanged, 0);
  ScrollToWPos(p);
  ReadClientSize();
  SetWCOffset(nullptr);
}

void Viewport::SnapToGrid(tagLPOINT* lp, Point3D* out) {
  if (lp == nullptr) return;
  Point3D w;
  LpToWp(lp, &w);
  w.x = SnapToUnit(w.x - uc_offset_.x, snap_unit_.x) + uc_offset_.x;
  w.y = SnapToUnit(w.y - uc_offset_.y, snap_unit_.y) + uc_offset_.y;
  if (out != nullptr) *out = w;
  WpToLp(&w, lp);
}

// ---- Device and logical ----------------------------------------------------------------------

int Viewport::DpXToLp(int x) {
  return x;
}

int Viewport::DpYToLp(int y) {
  return TruncToInt(client_height_ - y);
}

tagLPOINT* Viewport::DpToLp(const tagPOINT* dp, tagLPOINT* lp) {
  if (dp == nullptr || lp == nullptr) return lp;
  lp->x = DpXToLp(dp->x);
  lp->y = DpYToLp(dp->y);
  return lp;
}

int Viewport::LpXToDp(int x) {
  return x;
}

int Viewport::LpYToDp(int y) {
  return TruncToInt(client_height_ - y);
}

tagPOINT* Viewport::LpToDp(const tagLPOINT* lp, tagPOINT* dp) {
  if (lp == nullptr || dp == nullptr) return dp;
  dp->x = LpXToDp(lp->x);
  dp->y = LpYToDp(lp->y);
  return dp;
}

// ---- To world ---------------------------------------------------------------------------------

double Viewport::PixelsToWorld(double pixels) {
  if (stretch_ == 0.0 || scale_ == 0.0) {
    MessageBeep(kSimpleBeep);
    return 0.0;
  }
  return pixels / stretch_ / scale_;
}

double Viewport::DpXToWp(int x) {
  return PixelsToWorld(x + offset_x_ + ScrolledX());
}

double Viewport::DpYToWp(int y) {
  return PixelsToWorld((client_height_ - y) + (offset_y_ - ScrolledY()));
}

// z is not a screen coordinate: the point's own z is kept.
Point3D* Viewport::DpToWp(const tagPOINT* dp, Point3D* wp) {
  if (dp == nullptr || wp == nullptr) return wp;
  wp->x = DpXToWp(dp->x);
  wp->y = DpYToWp(dp->y);
  return wp;
}

double Viewport::LpXToWp(int x) {
  return DpXToWp(x);
}

double Viewport::LpYToWp(int y) {
  return PixelsToWorld((offset_y_ - ScrolledY()) + y);
}

Point3D* Viewport::LpToWp(const tagLPOINT* lp, Point3D* wp) {
  if (lp == nullptr || wp == nullptr) return wp;
  wp->x = LpXToWp(lp->x);
  wp->y = LpYToWp(lp->y);
  return wp;
}

// ---- From world -------------------------------------------------------------------------------

int Viewport::WpXToLp(double x) {
  return RoundPixel(stretch_ * scale_ * x - (ScrolledX() + offset_x_));
}

int Viewport::WpYToLp(double y) {
  return RoundPixel(stretch_ * scale_ * y - (offset_y_ - ScrolledY()));
}

tagLPOINT* Viewport::WpToLp(const Point3D* wp, tagLPOINT* lp) {
  if (wp == nullptr || lp == nullptr) return lp;
  lp->x = WpXToLp(wp->x);
  lp->y = WpYToLp(wp->y);
  return lp;
}

int Viewport::WpXToDp(double x) {
  return WpXToLp(x);
}

int Viewport::WpYToDp(double y) {
  return RoundPixel(client_height_ - (stretch_ * scale_ * y - (offset_y_ - ScrolledY())));
}

tagPOINT* Viewport::WpToDp(const Point3D* wp, tagPOINT* dp) {
  if (wp == nullptr || dp == nullptr) return dp;
  dp->x = WpXToDp(wp->x);
  dp->y = WpYToDp(wp->y);
  return dp;
}

// ---- Scrolling --------------------------------------------------------------------------------

int Viewport::WpXToScroll(double x) {
  if (x_scroll_unit_ == 0) {
    MessageBeep(kSimpleBeep);
    return 0;
  }
  return TruncToInt((x - limits_min_.x) * stretch_ * scale_ / x_scroll_unit_);
}

int Viewport::WpYToScroll(double y) {
  if (y_scroll_unit_ == 0) {
    MessageBeep(kSimpleBeep);
    return 0;
  }
  return TruncToInt((limit_height_ - y) * stretch_ * scale_ / y_scroll_unit_);
}

Point3D* Viewport::ScrollToWP(Point3D* p, int xpos, int ypos) {
  if (p == nullptr) return p;
  p->x = ScrollXtoWP(xpos);
  p->y = ScrollYtoWP(ypos);
  return p;
}

double Viewport::ScrollXtoWP(int pos) {
  if (pos == -1) pos = GetXScrollPos();
  return PixelsToWorld(static_cast<double>(x_scroll_unit_) * pos);
}

double Viewport::ScrollYtoWP(int pos) {
  if (pos == -1) pos = GetYScrollPos();
  return PixelsToWorld(limit_height_ * stretch_ * scale_ -
                       static_cast<double>(y_scroll_unit_) * pos);
}

void Viewport::ScrollTo(int x, int y) {
  SendMessageA(window_, kViewportScrollMessage, kScrollHorizontal, std::max(x, 0));
  SendMessageA(window_, kViewportScrollMessage, kScrollVertical, std::max(y, 0));
}

void Viewport::ScrollToWPos(const Point3D* p) {
  if (p == nullptr) return;
  ScrollTo(WpXToScroll(p->x), WpYToScroll(p->y));
}

namespace {

// The bar's position; 0 when the window has none (not registered, or destroyed).
int ReadScrollPos(HWND window, int bar) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_POS;
  if (GetScrollInfo(window, bar, &info) == FALSE) return 0;
  return info.nPos;
}

void WriteScrollRange(HWND window, int bar, int n) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE;
  info.nMin = 0;
  info.nMax = n;
  SetScrollInfo(window, bar, &info, TRUE);
}

}  // namespace

int Viewport::GetXScrollPos() {
  return ReadScrollPos(window_, SB_HORZ);
}

int Viewport::GetYScrollPos() {
  return ReadScrollPos(window_, SB_VERT);
}

void Viewport::SetXScrollRange(int n) {
  WriteScrollRange(window_, SB_HORZ, n);
}

void Viewport::SetYScrollRange(int n) {
  WriteScrollRange(window_, SB_VERT, n);
}

double Viewport::ScrolledX() {
  return static_cast<double>(GetXScrollPos()) * x_scroll_unit_;
}

double Viewport::ScrolledY() {
  return static_cast<double>(GetYScrollPos()) * y_scroll_unit_;
}

// A scroll step below one pixel would make the scroll conversions divide by zero or flip.
void Viewport::SetScrollUnits(int x, int y) {
  if (x >= 1) x_scroll_unit_ = x;
  if (y >= 1) y_scroll_unit_ = y;
  SetWCOffset(nullptr);
}

// ---- Offsets ----------------------------------------------------------------------------------

Point3D* Viewport::GetWCOffset(Point3D* out) {
  SetWCOffset(out);
  if (out == nullptr) return out;
  out->x += ScrolledX();
  out->y -= ScrolledY();
  return out;
}

Point3D* Viewport::SetWCOffset(Point3D* out) {
  offset_x_ = limits_min_.x * scale_ * stretch_ - border_ * stretch_;
  offset_y_ = border_ * stretch_ + (limit_height_ * stretch_ * scale_ - client_height_);
  if (out != nullptr) {
    out->x = offset_x_;
    out->y = offset_y_;
  }
  const Point3D screen(offset_x_ + ScrolledX(), offset_y_ - ScrolledY(), 0.0);
  SetDrawingSettings(scale_, stretch_, &screen);
  return out;
}

Point3D* Viewport::GetUCOffset(Point3D* out) {
  if (out != nullptr) *out = uc_offset_;
  return out;
}

void Viewport::SetUCOffset(const Point3D* p) {
  if (p != nullptr) StoreSnapped(uc_offset_, *p);
}
