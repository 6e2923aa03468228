#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <memory>

#include "document/objlist.h"
#include "document/viewport.h"
#include "entities/line3d.h"
#include "platform/host.h"
#include "platform/surface.h"
#include "settings/hostglobals.h"

namespace {

LRESULT QuietProc(HWND, UINT, WPARAM, LPARAM) {
  return 0;
}

using TestWindow = std::unique_ptr<HWND__, bool (*)(HWND)>;
TestWindow Window(int width, int height) {
  return TestWindow(RegisterHostWindow(QuietProc, nullptr, width, height), DestroyHostWindow);
}

Line3D* NewLine(double x1, double y1, double x2, double y2) {
  const Point3D a(x1, y1), b(x2, y2);
  return new Line3D(&a, &b);
}

TEST(ObjlistView, WithoutViewportScreenAndWorldAreTheSameNumbers) {
  Objlist doc;
  EXPECT_EQ(doc.GetViewPort(), nullptr);
  EXPECT_EQ(doc.WXToD(2.7), 2);
  EXPECT_EQ(doc.WYToL(-2.7), -2);  // toward zero
  EXPECT_EQ(doc.WXToL(1e300), INT_MAX);
  EXPECT_EQ(doc.WYToD(std::nan("")), 0);
  EXPECT_DOUBLE_EQ(doc.DXToW(5), 5.0);
  EXPECT_DOUBLE_EQ(doc.LYToW(-7), -7.0);
  EXPECT_EQ(doc.DYToL(9), 9);
  EXPECT_EQ(doc.LXToD(-3), -3);
  EXPECT_DOUBLE_EQ(doc.GetScale(), 1.0);
  EXPECT_DOUBLE_EQ(doc.GetStretch(), 1.0);

  const tagPOINT dp{12, 34};
  Point3D wp(99, 99, 7);
  doc.DpToWp(&dp, &wp);
  EXPECT_EQ(wp, Point3D(12, 34, 7));  // z is not a screen coordinate
  EXPECT_EQ(doc.DpToWp(nullptr, &wp), &wp);
  EXPECT_EQ(doc.LpToWp(nullptr, &wp), &wp);
  EXPECT_EQ(wp, Point3D(12, 34, 7));
  tagLPOINT lp{0, 0};
  const Point3D w(3.9, -3.9);
  doc.WpToLp(&w, &lp);
  EXPECT_EQ(lp.x, 3);
  EXPECT_EQ(lp.y, -3);

  // The box's first corner comes from the rectangle's lower device edge (the larger y), which
  // without a view is simply the larger number; the round trip gives the rectangle back.
  const tagRECT r{10, 20, 30, 50};
  Box3D b;
  doc.RectToBox(&r, &b);
  EXPECT_EQ(*b.Minpt(), Point3D(10, 50));
  EXPECT_EQ(*b.Maxpt(), Point3D(30, 20));
  tagRECT back{};
  doc.BoxToRect(&b, &back);
  EXPECT_EQ(back.left, 10);
  EXPECT_EQ(back.right, 30);
  EXPECT_EQ(back.bottom, 50);
  EXPECT_EQ(back.top, 20);

  // Zooming needs a view; snapping to the grid without one leaves the point where it is.
  EXPECT_DOUBLE_EQ(doc.SetZoom(kZoomIn, nullptr, nullptr), 0.0);
  tagLPOINT cursor{4, 5};
  Point3D snapped;
  doc.SnapToGrid(&cursor, &snapped);
  EXPECT_EQ(snapped, Point3D(4, 5));
}

TEST(ObjlistView, ConversionsGoThroughTheViewportOnceThereIsOne) {
  auto window = Window(400, 300);
  Objlist doc;
  const Point3D lmin(0, 0), lmax(100, 80);
  doc.SetLimits(&lmin, &lmax);
  ASSERT_TRUE(doc.SetDrawingScale(4.0, nullptr, 0) == 4.0);
  Viewport* view = doc.SetupViewport(window.get(), 10);
  ASSERT_NE(view, nullptr);
  // The view starts from the document's scale and limits.
  EXPECT_DOUBLE_EQ(view->GetScale(), 4.0);
  EXPECT_DOUBLE_EQ(view->LimitHeight(), 80.0);
  view->SetStretch(1.5);
  EXPECT_DOUBLE_EQ(doc.GetStretch(), 1.5);
  for (int v : {-20, 0, 7, 299}) {
    EXPECT_DOUBLE_EQ(doc.DXToW(v), view->DpXToWp(v));
    EXPECT_DOUBLE_EQ(doc.DYToW(v), view->DpYToWp(v));
    EXPECT_DOUBLE_EQ(doc.LYToW(v), view->LpYToWp(v));
    EXPECT_EQ(doc.DYToL(v), view->DpYToLp(v));
    EXPECT_EQ(doc.WYToD(v / 3.0), view->WpYToDp(v / 3.0));
  }
  // A world box comes back from the device rectangle it covers within a pixel.
  Box3D box(&lmin, &lmax);
  tagRECT r{};
  doc.BoxToRect(&box, &r);
  Box3D back;
  doc.RectToBox(&r, &back);
  const double pixel = 1.0 / (4.0 * 1.5);
  EXPECT_NEAR(back.Left(), 0.0, pixel);
  EXPECT_NEAR(back.Top(), 80.0, pixel);
  EXPECT_NEAR(back.Right(), 100.0, pixel);
  EXPECT_NEAR(back.Bottom(), 0.0, pixel);

  // A second set-up replaces the view.
  EXPECT_NE(doc.SetupViewport(window.get(), 0), nullptr);
  EXPECT_DOUBLE_EQ(doc.GetStretch(), 1.0);
}

TEST(ObjlistView, DrawingScaleKeepsTheFormatOnPaperAndRefusesUnusableScales) {
  Objlist doc;
  Curve3D* frame = NewLine(0, 0, 10, 0);
  Curve3D* ridge = NewLine(0, 0, 10, 0);
  ASSERT_NE(doc.Add(frame, kFormatLayerName), nullptr);
  ASSERT_NE(doc.Add(ridge, "Roof"), nullptr);
  Point3D base(0, 0);
  EXPECT_DOUBLE_EQ(doc.SetDrawingScale(2.0, &base, 0), 2.0);
  // From scale 1 to 2 the format shrinks by half about the base; the drawing itself stays.
  EXPECT_NEAR(frame->Length(0), 5.0, 1e-12);
  EXPECT_NEAR(ridge->Length(0), 10.0, 1e-12);
  EXPECT_DOUBLE_EQ(doc.GetScale(), 2.0);
  for (const double bad : {0.0, -1.0, std::nan(""), static_cast<double>(INFINITY)})
    EXPECT_DOUBLE_EQ(doc.SetDrawingScale(bad, &base, 0), 2.0);
  EXPECT_NEAR(frame->Length(0), 5.0, 1e-12);
  // Without a base the format is left alone.
  EXPECT_DOUBLE_EQ(doc.SetDrawingScale(4.0, nullptr, 0), 4.0);
  EXPECT_NEAR(frame->Length(0), 5.0, 1e-12);

  double scale = 0.0, stretch = 0.0;
  doc.SetStretch(3.0);
  GetDrawingSettings(&scale, &stretch, nullptr);
  EXPECT_DOUBLE_EQ(scale, 4.0);
  EXPECT_DOUBLE_EQ(stretch, 3.0);
  SetDrawingSettings(1.0, 1.0, nullptr);
}

TEST(HostGlobals, DrawingSettingsAndScreenResolution) {
  const Point3D offset(5, -6);
  SetDrawingSettings(2.5, 0.5, &offset);
  double scale = 0.0, stretch = 0.0;
  Point3D read;
  GetDrawingSettings(&scale, &stretch, &read);
  EXPECT_DOUBLE_EQ(scale, 2.5);
  EXPECT_DOUBLE_EQ(stretch, 0.5);
  EXPECT_EQ(read, offset);
  // A null offset keeps the stored one.
  SetDrawingSettings(1.0, 1.0, nullptr);
  GetDrawingSettings(nullptr, nullptr, &read);
  EXPECT_EQ(read, offset);
  const Point3D origin;
  SetDrawingSettings(1.0, 1.0, &origin);

  SetScreenPixelsPerInch(120);
  EXPECT_EQ(SetLogPixelsInch(), 120);
  EXPECT_EQ(GetLogPixelsInch(), 120);
  SetScreenPixelsPerInch(96);
  EXPECT_EQ(SetLogPixelsInch(), 96);
}

}  // namespace
