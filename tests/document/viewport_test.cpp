#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

#include "document/viewport.h"
#include "platform/host.h"
#include "settings/hostglobals.h"

namespace {

// What the test host saw of the viewport's scroll message.
struct HostLog {
  std::vector<std::pair<WPARAM, LPARAM>> scrolls;  // wParam 0 or 1 with the position
  int zoom_messages = 0;                           // wParam 2
};

// Handles the viewport's message as a host would: scrolls the bar to the asked position, and
// only notes the zoom (a real host would recompute its scroll ranges there).
LRESULT HostProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* log = static_cast<HostLog*>(GetHostWindowUser(window));
  if (log == nullptr || message != kViewportScrollMessage) return 0;
  if (wparam == kScrollRangesChanged) {
    ++log->zoom_messages;
    return 0;
  }
  log->scrolls.emplace_back(wparam, lparam);
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_POS;
  info.nPos = static_cast<int>(lparam);
  SetScrollInfo(window, wparam == kScrollHorizontal ? SB_HORZ : SB_VERT, &info, TRUE);
  return 0;
}

// A host view window, destroyed with the test. Its bars start with a range wide enough that no
// position of these tests is cut.
struct Host {
  HostLog log;
  std::unique_ptr<HWND__, bool (*)(HWND)> window;
  Host(int width, int height)
      : window(RegisterHostWindow(HostProc, &log, width, height), DestroyHostWindow) {
    SCROLLINFO range{};
    range.cbSize = sizeof(range);
    range.fMask = SIF_RANGE;
    range.nMax = 1000000;
    SetScrollInfo(window.get(), SB_HORZ, &range, TRUE);
    SetScrollInfo(window.get(), SB_VERT, &range, TRUE);
  }
  HWND get() const { return window.get(); }
};

// The mapping written out independently of the class, for the expected values.
struct Expected {
  double scale, stretch, border, limit_min_x, limit_height, client_height;
  double px = 0.0, py = 0.0;  // scroll position times scroll unit
  double sx() const { return stretch * scale; }
  double offset_x() const { return limit_min_x * sx() - border * stretch; }
  double offset_y() const { return border * stretch + limit_height * sx() - client_height; }
  int DeviceX(double x) const { return static_cast<int>(sx() * x - (px + offset_x()) + 0.5); }
  int DeviceY(double y) const {
    return static_cast<int>(client_height - (sx() * y - (offset_y() - py)) + 0.5);
  }
  int LogicalY(double y) const { return static_cast<int>(sx() * y - (offset_y() - py) + 0.5); }
};

TEST(Viewport, StartsFromTheWindowAndPublishesEveryChangeOfTheMapping) {
  Host host(400, 300);
  Viewport view(host.get(), 10);
  Point3D unit;
  view.GetSnapUnit(&unit);
  EXPECT_EQ(unit, Point3D(0.083, 0.083, 0));
  double scale = 0, stretch = 0;
  Point3D offset;
  GetDrawingSettings(&scale, &stretch, &offset);
  EXPECT_EQ(offset, Point3D(-10, 10 + 1000 - 300, 0));

  const Point3D lmin(20, 5), lmax(500, 400);
  view.SetLimits(&lmin, &lmax);
  EXPECT_DOUBLE_EQ(view.SetScale(2.0), 1.0);
  EXPECT_DOUBLE_EQ(view.SetStretch(1.5), 1.0);
  view.SetScrollUnits(3, 2);
  view.ScrollTo(7, 11);
  const Expected e{2.0, 1.5, 10, 20, 400, 300, 7 * 3.0, 11 * 2.0};
  view.SetWCOffset(nullptr);
  GetDrawingSettings(&scale, &stretch, &offset);
  EXPECT_DOUBLE_EQ(scale, 2.0);
  EXPECT_DOUBLE_EQ(stretch, 1.5);
  EXPECT_DOUBLE_EQ(offset.x, e.offset_x() + e.px);
  EXPECT_DOUBLE_EQ(offset.y, e.offset_y() - e.py);
  Point3D raw, screen;
  view.SetWCOffset(&raw);
  view.GetWCOffset(&screen);
  EXPECT_DOUBLE_EQ(raw.x, e.offset_x());
  EXPECT_DOUBLE_EQ(raw.y, e.offset_y());
  EXPECT_EQ(screen, offset);

  // Size re-reads the window and ignores its arguments.
  SetHostWindowClientSize(host.get(), 640, 480);
  view.Size(1, 1);
  EXPECT_DOUBLE_EQ(view.ClientHeight(), 480.0);
  GetDrawingSettings(nullptr, nullptr, &offset);
  EXPECT_DOUBLE_EQ(offset.y, e.offset_y() - 180 - e.py);

  // Tiny components are stored as 0; units below one pixel are refused.
  const Point3D tiny(0.5, 9e-13, -9e-13), uco(1e-13, 2, 0);
  view.SetSnapUnit(&tiny);
  view.SetUCOffset(&uco);
  EXPECT_EQ(*view.GetSnapUnit(&unit), Point3D(0.5, 0, 0));
  EXPECT_EQ(*view.GetUCOffset(&unit), Point3D(0, 2, 0));
  view.SetScrollUnits(0, -4);
  EXPECT_EQ(view.XScrollUnit(), 3);
  EXPECT_EQ(view.YScrollUnit(), 2);

  // A copy maps the same way; a view of no window has no client area and no scroll position.
  Viewport copy(view);
  EXPECT_EQ(copy.Window(), host.get());
  EXPECT_EQ(copy.WpYToDp(123.4), view.WpYToDp(123.4));
  EXPECT_DOUBLE_EQ(copy.DpXToWp(-17), view.DpXToWp(-17));
  Viewport orphan(nullptr, 4);
  EXPECT_DOUBLE_EQ(orphan.ClientHeight(), 0.0);
  EXPECT_EQ(orphan.GetYScrollPos(), 0);
  EXPECT_EQ(Viewport(static_cast<const Viewport*>(nullptr)).Window(), nullptr);
}

TEST(Viewport, IntegerResultsAddAHalfAndTruncateTowardZero) {
  Host host(200, 100);
  Viewport view(host.get(), 0);
  // Limits as high as the window: logical and world coincide at scale and stretch 1.
  const Point3D lmin(0, 0), lmax(200, 100);
  view.SetLimits(&lmin, &lmax);
  EXPECT_EQ(view.WpXToLp(2.49), 2);
  EXPECT_EQ(view.WpXToLp(2.5), 3);
  EXPECT_EQ(view.WpXToDp(-0.6), 0);  // -0.1 truncates up to 0
  EXPECT_EQ(view.WpXToDp(-2.7), -2);
  EXPECT_EQ(view.WpYToLp(-1.51), -1);
  EXPECT_EQ(view.WpYToLp(-3.5), -3);
  EXPECT_EQ(view.WpYToDp(30.49), 70);  // 100 - 30.49 + 0.5 = 70.01
  EXPECT_EQ(view.WpYToDp(30.51), 69);
  // Hostile coordinates are held to the 32-bit range.
  EXPECT_EQ(view.WpXToLp(1e300), INT_MAX);
  EXPECT_EQ(view.WpYToDp(1e300), INT_MIN);
  EXPECT_EQ(view.WpXToDp(std::nan("")), 0);
  EXPECT_EQ(view.DpYToLp(INT_MIN), INT_MAX);

  // Device y grows downward from the client height.
  EXPECT_EQ(view.DpYToLp(0), 100);
  EXPECT_EQ(view.DpYToLp(100), 0);
  EXPECT_EQ(view.LpYToDp(-20), 120);
  const tagPOINT dp{15, 25};
  tagLPOINT lp{};
  tagPOINT back{};
  view.LpToDp(view.DpToLp(&dp, &lp), &back);
  EXPECT_EQ(lp.y, 75);
  EXPECT_EQ(back.y, 25);

  // The left limit lies one zoomed border in from the window's edge.
  Viewport bordered(host.get(), 10);
  const Point3D shifted(-40, 0);
  bordered.SetLimits(&shifted, &lmax);
  bordered.SetScale(3.0);
  bordered.SetStretch(1.5);
  EXPECT_EQ(bordered.WpXToDp(-40), 15);
}

TEST(Viewport, WorldDeviceRoundTripsStayWithinHalfAPixel) {
  Host host(640, 480);
  Viewport view(host.get(), 12);
  const Point3D lmin(-50, -20), lmax(400, 300);
  view.SetLimits(&lmin, &lmax);
  view.SetScrollUnits(3, 2);
  // Small scroll offsets keep the device points of these world points at or right of and below
  // the window's corner, where adding a half and truncating is rounding to the nearest pixel.
  view.ScrollTo(2, 1);
  for (double scale : {0.5, 1.0, 4.0, 12.0}) {
    for (double stretch : {0.25, 1.0, 3.7}) {
      view.SetScale(scale);
      view.SetStretch(stretch);
      const Expected e{scale, stretch, 12, -50, 300, 480, 2 * 3.0, 1 * 2.0};
      const double half_pixel = 0.5 / e.sx() + 1e-9;
      for (double w : {0.0, 12.25, 199.9, 287.6}) {
        const int dx = view.WpXToDp(w), dy = view.WpYToDp(w), ly = view.WpYToLp(w);
        EXPECT_EQ(dx, e.DeviceX(w));
        EXPECT_EQ(dy, e.DeviceY(w));
        EXPECT_EQ(ly, e.LogicalY(w));
        EXPECT_NEAR(view.DpXToWp(dx), w, half_pixel);
        EXPECT_NEAR(view.DpYToWp(dy), w, half_pixel);
        // ly is mostly negative here, where adding a half and truncating toward zero moves
        // up to 1.5 pixels.
        EXPECT_NEAR(view.LpYToWp(ly), w, 3 * half_pixel);
      }
    }
  }
}

TEST(Viewport, ScrollingSendsNonNegativePositionsAndReadsTheBars) {
  Host host(300, 200);
  Viewport view(host.get(), 0);
  view.ScrollTo(-5, 7);
  using Sent = std::vector<std::pair<WPARAM, LPARAM>>;
  EXPECT_EQ(host.log.scrolls, (Sent{{kScrollHorizontal, 0}, {kScrollVertical, 7}}));
  EXPECT_EQ(view.GetXScrollPos(), 0);
  EXPECT_EQ(view.GetYScrollPos(), 7);

  // The range set by the viewport bounds the host's scrolling at both ends.
  view.SetXScrollRange(50);
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE;
  ASSERT_TRUE(GetScrollInfo(host.get(), SB_HORZ, &info));
  EXPECT_EQ(info.nMin, 0);
  EXPECT_EQ(info.nMax, 50);
  view.ScrollTo(80, 7);
  EXPECT_EQ(view.GetXScrollPos(), 50);
  view.SetYScrollRange(0);
  EXPECT_EQ(view.GetYScrollPos(), 0);

  // Scroll positions of world points and back, with scroll steps of 4 pixels at 2 px/unit.
  view.SetScale(2.0);
  view.SetScrollUnits(4, 4);
  view.SetXScrollRange(100000);
  view.SetYScrollRange(100000);
  EXPECT_EQ(view.WpXToScroll(10.9), 5);   // 21.8 / 4 truncated
  EXPECT_EQ(view.WpYToScroll(990.1), 4);  // (1000 - 990.1) * 2 / 4 = 4.95
  const Point3D target(100, 600);
  view.ScrollToWPos(&target);
  EXPECT_EQ(view.GetXScrollPos(), 50);
  EXPECT_EQ(view.GetYScrollPos(), 200);
  Point3D p;
  view.ScrollToWP(&p, -1, -1);
  EXPECT_DOUBLE_EQ(p.x, 100.0);
  EXPECT_DOUBLE_EQ(p.y, 600.0);

  // Once the window is gone the bars read as 0.
  const HWND gone = host.window.release();
  DestroyHostWindow(gone);
  EXPECT_EQ(view.GetXScrollPos(), 0);
}

TEST(Viewport, ZoomStepsKeepTheWorldPointUnderTheCursor) {
  Host host(400, 300);
  Viewport view(host.get(), 10);
  view.SetScale(2.0);
  view.ScrollTo(200, 900);
  tagPOINT at{100, 80};
  Point3D before;
  view.DpToWp(&at, &before);

  EXPECT_DOUBLE_EQ(view.SetZoom(kZoomIn, 25, &at), 1.0);
  EXPECT_DOUBLE_EQ(view.GetStretch(), 1.25);
  EXPECT_EQ(host.log.zoom_messages, 1);
  Point3D after;
  view.DpToWp(&at, &after);
  EXPECT_NEAR(after.x, before.x, 1.0 / 2.5);  // one pixel at the new stretch
  EXPECT_NEAR(after.y, before.y, 1.0 / 2.5);

  EXPECT_DOUBLE_EQ(view.SetZoom(kZoomOut, 25, &at), 1.25);
  EXPECT_DOUBLE_EQ(view.GetStretch(), 1.0);
  view.DpToWp(&at, &after);
  EXPECT_NEAR(after.x, before.x, 1.0 / 2.0);
  EXPECT_NEAR(after.y, before.y, 1.0 / 2.0);

  // Other modes and factors of zero or less keep the stretch; reset goes back to 1.
  view.SetZoom(kZoomOut, -100, nullptr);
  view.SetZoom(kZoomBox, 50, nullptr);
  EXPECT_DOUBLE_EQ(view.GetStretch(), 1.0);
  view.SetZoom(kZoomIn, 100, nullptr);
  EXPECT_DOUBLE_EQ(view.SetZoom(kZoomReset, 0, nullptr), 2.0);
  EXPECT_DOUBLE_EQ(view.GetStretch(), 1.0);
}

TEST(Viewport, ZoomToBoxFitsTheWiderSideWithAMarginAndCentresIt) {
  Host host(400, 400);
  Viewport view(host.get(), 10);
  view.SetScale(2.0);
  Box3D box(100, 300, 300, 200);  // 200 wide, 100 high
  EXPECT_DOUBLE_EQ(view.SetZoom(&box), 1.0);
  // min(400 / 200, 400 / 100) x 0.95 / scale.
  EXPECT_DOUBLE_EQ(view.GetStretch(), 0.95);
  EXPECT_EQ(host.log.zoom_messages, 1);
  // 5 % of the width is left over, half on each side; the box centre is the window's.
  EXPECT_NEAR(view.WpXToDp(100), 10, 1);
  EXPECT_NEAR(view.WpXToDp(300), 390, 1);
  EXPECT_NEAR(view.WpYToDp(250), 200, 1);

  // A box of no size has no fit: nothing moves, and the stretch is returned unchanged.
  Box3D point(5, 5, 5, 5);
  EXPECT_DOUBLE_EQ(view.SetZoom(&point), 0.95);
  EXPECT_DOUBLE_EQ(view.SetZoom(static_cast<Box3D*>(nullptr)), 0.95);
  EXPECT_DOUBLE_EQ(view.GetStretch(), 0.95);
  EXPECT_EQ(host.log.zoom_messages, 1);
  // A box of no height still fits its width.
  Box3D flat(0, 50, 100, 50);
  view.SetZoom(&flat);
  EXPECT_DOUBLE_EQ(view.GetStretch(), 400.0 / 100 * 0.95 / 2.0);
}

TEST(Viewport, SnapToGridMovesToTheNearestGridPoint) {
  Host host(300, 300);
  Viewport view(host.get(), 0);
  view.SetScale(1000.0);
  const Expected e{1000.0, 1.0, 0, 0, 1000, 300};
  tagLPOINT lp{e.DeviceX(0.2), e.LogicalY(0.2)};
  Point3D out;
  view.SnapToGrid(&lp, &out);
  EXPECT_NEAR(out.x, 0.166, 1e-9);  // 0.2 / 0.083 = 2.41 lines
  EXPECT_NEAR(out.y, 0.166, 1e-9);
  EXPECT_EQ(lp.x, e.DeviceX(0.166));
  EXPECT_EQ(lp.y, e.LogicalY(0.166));

  // The grid starts at the user-coordinate offset; a zero unit leaves that coordinate free.
  const Point3D origin(0.05, 0.05), unit(0.083, 0);
  view.SetUCOffset(&origin);
  view.SetSnapUnit(&unit);
  lp = {e.DeviceX(0.2), e.LogicalY(0.2)};
  const double free_y = (e.offset_y() + lp.y) / e.sx();
  view.SnapToGrid(&lp, &out);
  EXPECT_NEAR(out.x, 0.05 + 2 * 0.083, 1e-9);
  EXPECT_NEAR(out.y, free_y, 1e-9);
  view.SnapToGrid(nullptr, &out);
  view.SnapToGrid(&lp, nullptr);
}

TEST(Viewport, ZeroFactorsBeepAndAnswerZero) {
  Host host(300, 200);
  Viewport view(host.get(), 5);
  ResetBeepCount();
  view.SetScale(0.0);
  EXPECT_DOUBLE_EQ(view.DpXToWp(40), 0.0);
  EXPECT_DOUBLE_EQ(view.LpYToWp(40), 0.0);
  EXPECT_DOUBLE_EQ(view.ScrollXtoWP(3), 0.0);
  EXPECT_EQ(GetBeepCount(), 3);
  view.SetScale(1.0);
  view.SetStretch(0.0);
  EXPECT_DOUBLE_EQ(view.DpYToWp(40), 0.0);
  EXPECT_EQ(GetBeepCount(), 4);
  EXPECT_EQ(view.WpXToDp(1e9), 0);  // a collapsed drawing sits at one pixel
  // Infinite or NaN factors are refused, so the conversions stay finite.
  view.SetStretch(std::numeric_limits<double>::infinity());
  view.SetScale(std::nan(""));
  EXPECT_DOUBLE_EQ(view.GetStretch(), 0.0);
  EXPECT_DOUBLE_EQ(view.GetScale(), 1.0);
  // The scroll units cannot reach 0, so scroll conversions never beep.
  view.SetStretch(1.0);
  view.SetScrollUnits(0, 0);
  EXPECT_EQ(view.WpXToScroll(10), 10);
  EXPECT_EQ(GetBeepCount(), 4);
}

}  // namespace
