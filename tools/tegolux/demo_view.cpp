// The viewing part of tegolux demo: the program plays the host, with a window of its own, and
// the sample roof is zoomed, picked and snapped to the way a user's clicks would do it.

#include "demo_steps.h"

#include <cstdio>
#include <new>

#include "tegolux.h"

namespace {

constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;
constexpr int kBorder = 20;
constexpr const char* kRoofLayer = "Roof";

// What the window procedure needs: the view it scrolls.
struct HostView {
  Viewport* view = nullptr;
};

void SetScrollPos(HWND window, int bar, int pos) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_POS;
  info.nPos = pos;
  SetScrollInfo(window, bar, &info, TRUE);
}

// The host's part of scrolling: the view asks, the host moves its bars. After a zoom the bars'
// ranges are set to cover the drawing limits at the new size.
LRESULT ViewWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* host = static_cast<HostView*>(GetHostWindowUser(window));
  if (message != kViewportScrollMessage || host == nullptr || host->view == nullptr) return 0;
  Viewport* view = host->view;
  switch (wparam) {
    case kScrollHorizontal:
      SetScrollPos(window, SB_HORZ, static_cast<int>(lparam));
      break;
    case kScrollVertical:
      SetScrollPos(window, SB_VERT, static_cast<int>(lparam));
      break;
    case kScrollRangesChanged:
      view->SetXScrollRange(view->WpXToScroll(view->LimitWidth()));
      view->SetYScrollRange(view->WpYToScroll(view->LimitsMin().y));
      break;
    default:
      break;
  }
  return 0;
}

tagPOINT ToDevice(Objlist& drawing, const Point3D& p) {
  tagPOINT dp{};
  drawing.WpToDp(&p, &dp);
  return dp;
}

Point3D ToWorld(Objlist& drawing, const tagPOINT& dp) {
  Point3D p;
  drawing.DpToWp(&dp, &p);
  return p;
}

bool AddSides(Objlist& drawing, const std::vector<Point3D>& corners) {
  for (size_t i = 0; i < corners.size(); ++i) {
    auto* side = new (std::nothrow) Line3D(&corners[i], &corners[(i + 1) % corners.size()]);
    if (side == nullptr) return false;
    if (drawing.Add(side, kRoofLayer) == nullptr) {
      delete side;
      return false;
    }
  }
  return true;
}

bool RunView(Objlist& drawing, HostView& host, HWND window, const std::vector<Point3D>& corners) {
  if (!AddSides(drawing, corners)) return false;
  // Limits a little larger than the plan, as a drawing sheet would be.
  Point3D min, max;
  drawing.CalcExtents(&min, &max, 0);
  const Point3D limitsMin(min.x - 10, min.y - 10), limitsMax(max.x + 10, max.y + 10);
  drawing.SetLimits(&limitsMin, &limitsMax);
  host.view = drawing.SetupViewport(window, kBorder);
  if (host.view == nullptr) return false;
  std::printf(
      "\nView: a %d x %d pixel window with a %d px border, drawing limits (%.0f, %.0f) to "
      "(%.0f, %.0f) ft\n",
      kWindowWidth, kWindowHeight, kBorder, limitsMin.x, limitsMin.y, limitsMax.x, limitsMax.y);

  Box3D roofBox(&min, &max);
  drawing.SetZoom(kZoomBox, &roofBox, nullptr);
  std::printf("Zoomed to the roof: stretch %.4f, %.4f pixels per ft, scrolled to (%d, %d)\n",
              drawing.GetStretch(), drawing.GetScale() * drawing.GetStretch(),
              host.view->GetXScrollPos(), host.view->GetYScrollPos());
  for (const Point3D& corner : {min, max}) {
    const tagPOINT dp = ToDevice(drawing, corner);
    std::printf("  plan corner (%6.2f, %6.2f) ft is at pixel (%ld, %ld)\n", corner.x, corner.y,
                static_cast<long>(dp.x), static_cast<long>(dp.y));
  }

  // A click 5 pixels left of the middle of the right end (the side from corner 2 to corner 3).
  Point3D middle(corners[1]);
  middle.mid_pt(&corners[2]);
  tagPOINT click = ToDevice(drawing, middle);
  click.x -= 5;
  Point3D clickWorld = ToWorld(drawing, click);
  drawing.Locate(nullptr, &clickWorld, 0);
  ObjItem* picked = drawing.GetSHead();
  if (picked == nullptr || picked->Obj() == nullptr) {
    std::printf("Click at pixel (%ld, %ld) = (%.2f, %.2f) ft picked nothing\n",
                static_cast<long>(click.x), static_cast<long>(click.y), clickWorld.x, clickWorld.y);
    return false;
  }
  Curve3D* side = picked->Obj();
  std::printf(
      "Click at pixel (%ld, %ld) = (%.2f, %.2f) ft picked side id %d, (%.2f, %.2f) to "
      "(%.2f, %.2f) ft, %d selected\n",
      static_cast<long>(click.x), static_cast<long>(click.y), clickWorld.x, clickWorld.y,
      side->Id(), side->Spt()->x, side->Spt()->y, side->Ept()->x, side->Ept()->y,
      drawing.NumSelected());

  // A cursor resting a few pixels off the inner corner of the L snaps onto it.
  tagPOINT cursor = ToDevice(drawing, corners[3]);
  cursor.x += 7;
  cursor.y -= 4;
  const Point3D cursorWorld = ToWorld(drawing, cursor);
  tagLPOINT lp{};
  drawing.DpToLp(&cursor, &lp);
  Point3D snapped;
  if (drawing.SnapToVertex(&lp, &snapped, nullptr) != 1) {
    std::printf("Cursor at pixel (%ld, %ld) found no vertex to snap to\n",
                static_cast<long>(cursor.x), static_cast<long>(cursor.y));
    return false;
  }
  tagPOINT snappedDevice{};
  drawing.LpToDp(&lp, &snappedDevice);
  std::printf(
      "Cursor at pixel (%ld, %ld) = (%.2f, %.2f) ft snaps to the vertex (%.2f, %.2f) ft "
      "at pixel (%ld, %ld)\n",
      static_cast<long>(cursor.x), static_cast<long>(cursor.y), cursorWorld.x, cursorWorld.y,
      snapped.x, snapped.y, static_cast<long>(snappedDevice.x), static_cast<long>(snappedDevice.y));
  return true;
}

}  // namespace

bool PrintViewDemo(const std::vector<Point3D>& corners) {
  HostView host;
  const HWND window = RegisterHostWindow(ViewWindowProc, &host, kWindowWidth, kWindowHeight);
  if (window == nullptr) return false;
  bool ok = false;
  {
    Objlist drawing;
    drawing.SetParentHwnd(window);
    ok = RunView(drawing, host, window, corners);
    host.view = nullptr;
  }
  DestroyHostWindow(window);
  return ok;
}
