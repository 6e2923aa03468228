#pragma once
// The mapping between a drawing and the window that shows it.
//
// Three spaces: world (doubles, drawing units, y up), logical (integer pixels of the whole
// scaled drawing, y up, origin tied to the limits and the scroll position) and device (integer
// pixels of the window's client area, y down). sx = stretch x scale is the number of pixels per
// drawing unit; the window's scroll bars are read each time a conversion needs them, so the host
// may scroll its view between calls. Integer results add 0.5 and truncate toward zero.
//
// Every change of the mapping republishes the process-wide drawing settings (scale, stretch and
// the screen offset) that entity painting reads.

#include "geometry/box3d.h"
#include "geometry/point3d.h"
#include "platform/win32.h"

// Sent to the view window: wParam 0 scrolls horizontally to lParam, 1 vertically, 2 asks the
// host to update its scroll ranges after a zoom.
inline constexpr UINT kViewportScrollMessage = 11098;
inline constexpr WPARAM kScrollHorizontal = 0;
inline constexpr WPARAM kScrollVertical = 1;
inline constexpr WPARAM kScrollRangesChanged = 2;

// SetZoom(mode, percent, at) modes.
inline constexpr int kZoomReset = 0;  // stretch back to 1
inline constexpr int kZoomBox = 1;    // the document's mode for zooming to a box
inline constexpr int kZoomIn = 2;     // stretch x (1 + percent / 100)
inline constexpr int kZoomOut = 3;    // stretch / (1 + percent / 100)

// The grid spacing a new viewport snaps to, in drawing units (one inch in feet).
inline constexpr double kDefaultSnapUnit = 0.083;
// Limits maximum a new viewport assumes until SetLimits is called.
inline constexpr double kDefaultLimitSize = 1000.0;
// Share of the window a box fills after SetZoom(Box3D*).
inline constexpr double kZoomBoxFill = 0.95;

class Viewport {
 public:
  // Defaults, the client size read from window, then SetWCOffset(null).
  Viewport(HWND window, int border);
  // Every field of src (the defaults for a null src, with no window).
  explicit Viewport(const Viewport* src);
  Viewport(const Viewport& src) : Viewport(&src) {}
  Viewport& operator=(const Viewport& src);
  virtual ~Viewport() = default;

  // Re-reads the client size (the arguments are not used) and recomputes the offsets.
  virtual void Size(int width, int height);
  virtual Point3D* GetSnapUnit(Point3D* out);
  virtual double GetScale();
  virtual double GetStretch();
  // Both return the previous value.
  virtual double SetStretch(double s);
  virtual double SetScale(double s);
  // Components below 1e-12 in magnitude are stored as 0.
  virtual void SetSnapUnit(const Point3D* p);
  virtual void SetExtents(const Point3D* min, const Point3D* max);
  // Also takes max.x and max.y as the limit width and height.
  virtual void SetLimits(const Point3D* min, const Point3D* max);
  // Fits the box into the window with a 5 % margin and centres it; returns the previous stretch.
  virtual double SetZoom(Box3D* b);
  // Zooms by mode (kZoomReset, kZoomIn, kZoomOut; others keep the stretch), keeping the world
  // point under the device point at (when given) fixed. Returns the previous stretch.
  virtual double SetZoom(int mode, double percent, tagPOINT* at);
  // Moves lp to the nearest grid point (grid origin the user-coordinate offset); out, when
  // given, receives the world point.
  virtual void SnapToGrid(tagLPOINT* lp, Point3D* out);

  virtual int DpXToLp(int x);
  virtual int DpYToLp(int y);
  virtual tagLPOINT* DpToLp(const tagPOINT* dp, tagLPOINT* lp);
  virtual int LpXToDp(int x);
  virtual int LpYToDp(int y);
  virtual tagPOINT* LpToDp(const tagLPOINT* lp, tagPOINT* dp);
  // The conversions to world beep and answer 0 while stretch or scale is 0.
  virtual double DpXToWp(int x);
  virtual double DpYToWp(int y);
  virtual Point3D* DpToWp(const tagPOINT* dp, Point3D* wp);
  virtual double LpXToWp(int x);
  virtual double LpYToWp(int y);
  virtual Point3D* LpToWp(const tagLPOINT* lp, Point3D* wp);
  virtual int WpXToLp(double x);
  virtual int WpYToLp(double y);
  virtual tagLPOINT* WpToLp(const Point3D* wp, tagLPOINT* lp);
  virtual int WpXToDp(double x);
  virtual int WpYToDp(double y);
  virtual tagPOINT* WpToDp(const Point3D* wp, tagPOINT* dp);

  // Scroll positions (in scroll units) of world coordinates and back; a scroll unit of 0 beeps
  // and answers 0. A position of -1 means the window's current one.
  virtual int WpXToScroll(double x);
  virtual int WpYToScroll(double y);
  virtual Point3D* ScrollToWP(Point3D* p, int xpos, int ypos);
  virtual double ScrollXtoWP(int pos);
  virtual double ScrollYtoWP(int pos);
  // Asks the host to scroll (message kViewportScrollMessage; negative positions are sent as 0).
  virtual void ScrollTo(int x, int y);
  virtual void ScrollToWPos(const Point3D* p);
  virtual int GetXScrollPos();
  virtual int GetYScrollPos();
  // Sets the scroll bar's range to 0..n and redraws it.
  virtual void SetXScrollRange(int n);
  virtual void SetYScrollRange(int n);

  // The screen offset: SetWCOffset's result with the scroll position applied.
  virtual Point3D* GetWCOffset(Point3D* out);
  // Recomputes the world-to-logical offsets from the limits, scale, stretch, border and client
  // height; out (when given) receives them. Republishes the drawing settings.
  virtual Point3D* SetWCOffset(Point3D* out);
  virtual Point3D* GetUCOffset(Point3D* out);
  virtual void SetUCOffset(const Point3D* p);

  // Not virtual: the host's helpers and tests read the state directly.
  HWND Window() const { return window_; }
  double ClientWidth() const { return client_width_; }
  double ClientHeight() const { return client_height_; }
  double Border() const { return border_; }
  double LimitWidth() const { return limit_width_; }
  double LimitHeight() const { return limit_height_; }
  const Point3D& LimitsMin() const { return limits_min_; }
  const Point3D& ExtentsMin() const { return extents_min_; }
  const Point3D& ExtentsMax() const { return extents_max_; }
  int XScrollUnit() const { return x_scroll_unit_; }
  int YScrollUnit() const { return y_scroll_unit_; }
  // Pixels per scroll step; where the host sets them is its own choice.
  void SetScrollUnits(int x, int y);

 private:
  void ReadClientSize();
  // Scroll position times scroll unit, in pixels.
  double ScrolledX();
  double ScrolledY();
  // Pixels divided by stretch and scale, or 0 (after a beep) when either is 0.
  double PixelsToWorld(double pixels);
  // Scrolls so that the world point p is the window's scroll origin, then settles the offsets.
  void FinishZoom(const Point3D* p);

  HWND window_ = nullptr;
  Point3D limits_min_;
  Point3D limits_max_;
  Point3D snap_unit_{kDefaultSnapUnit, kDefaultSnapUnit, 0.0};
  Point3D uc_offset_;
  Point3D extents_min_;
  Point3D extents_max_;
  double stretch_ = 1.0;
  double scale_ = 1.0;
  double limit_width_ = kDefaultLimitSize;
  double limit_height_ = kDefaultLimitSize;
  double client_width_ = 0.0;
  double client_height_ = 0.0;
  double border_ = 0.0;
  double offset_x_ = 0.0;
  double offset_y_ = 0.0;
  int x_scroll_unit_ = 1;
  int y_scroll_unit_ = 1;
};
