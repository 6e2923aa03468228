// Picking and snapping in a document without a viewport: the zoom is 1 x 1, so one pixel of pick
// tolerance is one drawing unit (half a unit at drawing scale 2).

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <utility>

#include "document/layerbag.h"
#include "document/objlist.h"
#include "entities/arc3d.h"
#include "entities/line3d.h"
#include "entities/multi3d.h"
#include "entities/redge3d.h"
#include "support/document_builder.h"
#include "support/outline_builders.h"
#include "support/smartobject_builders.h"

namespace {

ObjItem* AddLine(Objlist& doc, double x1, double y1, double x2, double y2,
                 const char* layer = nullptr) {
  return doc.Add(new Line3D(x1, y1, 0.0, x2, y2, 0.0), layer);
}

Multi3D* AddOutline(Objlist& doc, std::unique_ptr<Multi3D> m) {
  ObjItem* item = doc.Add(m.get());
  return item != nullptr ? static_cast<Multi3D*>(m.release()) : nullptr;
}

const Box3D* Click(Objlist& doc, double x, double y, int add = 0) {
  Point3D p(x, y, 0.0);
  return doc.Locate(nullptr, &p, add);
}

const Box3D* Drag(Objlist& doc, double x0, double y0, double x1, double y1) {
  Point3D a(x0, y0, 0.0), b(x1, y1, 0.0);
  Box3D box(&a, &b);
  return doc.Locate(&box, nullptr, 0);
}

bool AtXY(const Point3D& p, double x, double y) {
  return std::abs(p.x - x) < 1e-9 && std::abs(p.y - y) < 1e-9;
}

TEST(ObjlistLocate, PointPickHonoursThePixelToleranceAtEveryScale) {
  Objlist doc;
  AddLine(doc, 0, 0, 100, 0);
  const Box3D* box = Click(doc, 50, 20);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box, doc.GetSelectionBox());
  EXPECT_EQ(doc.NumSelected(), 1);
  EXPECT_NE(Click(doc, 50, 30), nullptr);  // exactly at the 30-pixel tolerance
  EXPECT_EQ(Click(doc, 50, 30.001), nullptr);
  EXPECT_EQ(doc.NumSelected(), 0);  // a miss leaves the selection cleared
  EXPECT_EQ(Click(doc, 50, 40), nullptr);

  // At drawing scale 2 the 30 pixels are 15 drawing units.
  doc.SetDrawingScale(2.0, nullptr, 0);
  EXPECT_NE(Click(doc, 50, 15), nullptr);
  EXPECT_EQ(Click(doc, 50, 16), nullptr);
}

TEST(ObjlistLocate, NearestWinsAndTheEarlierItemWinsATie) {
  Objlist doc;
  AddLine(doc, 0, -12, 100, -12);
  ObjItem* above = AddLine(doc, 0, 10, 100, 10);
  ASSERT_NE(Click(doc, 50, 0), nullptr);
  EXPECT_EQ(above->Selected(), 1);
  EXPECT_EQ(doc.FoundList().size(), 2u);  // both were near

  Objlist tie;
  ObjItem* first = AddLine(tie, 0, -10, 100, -10);
  AddLine(tie, 0, 10, 100, 10);
  ASSERT_NE(Click(tie, 50, 0), nullptr);
  EXPECT_EQ(first->Selected(), 1);

  // add keeps what was selected; a miss with add changes nothing.
  ASSERT_NE(Click(tie, 50, 12, 1), nullptr);
  EXPECT_EQ(tie.NumSelected(), 2);
  EXPECT_EQ(Click(tie, 500, 500, 1), nullptr);
  EXPECT_EQ(tie.NumSelected(), 2);
  EXPECT_EQ(tie.Locate(nullptr, nullptr, 0), nullptr);
  EXPECT_EQ(tie.NumSelected(), 0);
}

TEST(ObjlistLocate, ClickOnASideSelectsThatSideAndTheOutline) {
  Objlist doc;
  Multi3D* m = AddOutline(doc, RectangleOutline(0, 0, 100, 100));
  ASSERT_NE(Click(doc, 50, 3), nullptr);  // 3 pixels off the bottom side
  EXPECT_EQ(m->IsSegmentSelected(), 1);
  EXPECT_EQ(m->Segment(1)->IsSelected(), 1);
  EXPECT_TRUE(doc.FoundList().empty());
  ASSERT_NE(Click(doc, 50, 2), nullptr);  // the second click keeps the side
  EXPECT_EQ(m->IsSegmentSelected(), 1);
  EXPECT_EQ(doc.NumSelected(), 1);

  // Within 30 pixels but not 4, the whole outline is picked.
  ASSERT_NE(Click(doc, 50, 10), nullptr);
  EXPECT_EQ(m->AllSegmentSelected(), 1);
  EXPECT_EQ(doc.NumSelected(), 1);
}

TEST(ObjlistLocate, RectanglePickNeedsTheEntityNotJustItsBox) {
  Objlist doc;
  ObjItem* diagonal = AddLine(doc, 0, 0, 100, 100);
  EXPECT_EQ(Drag(doc, 80, 0, 100, 20), nullptr);      // inside the line's box, off the line
  EXPECT_NE(Drag(doc, 110, 110, -10, -10), nullptr);  // enclosing, dragged either way
  EXPECT_EQ(diagonal->Selected(), 1);
  Multi3D* m = AddOutline(doc, RectangleOutline(200, 0, 300, 100));
  EXPECT_NE(Drag(doc, 190, -10, 310, 110), nullptr);
  EXPECT_EQ(m->AllSegmentSelected(), 1);
}

TEST(ObjlistLocate, CurrentRoofLimitsPickingToItsEntities) {
  Objlist doc;
  Multi3D* roof = AddOutline(doc, RectangleOutline(0, 0, 100, 100));
  ObjItem* inside = AddLine(doc, 10, 10, 40, 10);
  AddLine(doc, 200, 0, 300, 0);
  AddLine(doc, 200, 50, 300, 50, kFormatLayerName);
  auto* eave = new Line3D(40.0, 50.0, 0.0, 60.0, 50.0, 0.0);
  Attach(*eave, {Item(6105, "Eave")});  // on the roof, but carrying an item of no roof
  doc.Add(eave);
  doc.SetCurrentRoofId(roof->Id());
  EXPECT_NE(Click(doc, 25, 12), nullptr);
  EXPECT_EQ(inside->Selected(), 1);
  EXPECT_EQ(Click(doc, 250, 2), nullptr);   // off the roof
  EXPECT_NE(Click(doc, 250, 52), nullptr);  // the drawing format always takes part
  EXPECT_EQ(Click(doc, 50, 52), nullptr);
  doc.SetCurrentRoofId(0);
  EXPECT_NE(Click(doc, 250, 2), nullptr);
}

TEST(ObjlistLocate, LayersDecideWhatIsPickedAndSnappedTo) {
  Objlist doc;
  doc.Add_Layer("Work", 0, 7, 0);
  doc.Add_Layer("Hidden", kLayerOff, 7, 0);
  doc.Add_Layer("Frozen", kLayerFrozen, 7, 0);
  ASSERT_NE(doc.CurrentLayer("Work"), nullptr);
  ObjItem* hidden = AddLine(doc, 0, 0, 100, 0, "Hidden");
  AddLine(doc, 0, 500, 100, 500, "Frozen");
  EXPECT_EQ(Click(doc, 50, 5), nullptr);
  EXPECT_EQ(Click(doc, 50, 505), nullptr);

  tagLPOINT lp{90, 510};
  Point3D out;
  EXPECT_EQ(doc.SnapToVertex(&lp, &out, nullptr), 1);  // frozen: snapped to all the same
  EXPECT_TRUE(AtXY(out, 100, 500));
  tagLPOINT nearHidden{5, 5};
  EXPECT_EQ(doc.SnapToVertex(&nearHidden, &out, nullptr), 0);  // not to the hidden line

  // The current layer takes part whatever its flags.
  ASSERT_NE(doc.CurrentLayer("Hidden"), nullptr);
  EXPECT_NE(Click(doc, 50, 5), nullptr);
  EXPECT_EQ(hidden->Selected(), 1);
}

TEST(ObjlistLocate, EndPointsOfLinesAndOpenOutlines) {
  Objlist doc;
  Multi3D* open = AddOutline(doc, OpenOutline({{0, 0}, {50, 0}, {50, 50}}));
  AddOutline(doc, RectangleOutline(200, 0, 300, 100));
  Curve3D* line = AddLine(doc, 400, 0, 500, 0)->Obj();
  Point3D out, p(52, 1, 0);
  EXPECT_EQ(doc.LocateEndPt(&p, &out), nullptr);  // an inner vertex is no end
  p = Point3D(53, 52, 0);
  EXPECT_EQ(doc.LocateEndPt(&p, &out), open);
  EXPECT_TRUE(AtXY(out, 50, 50));
  p = Point3D(203, 0, 0);
  EXPECT_EQ(doc.LocateEndPt(&p, &out), nullptr);  // closed outlines have no ends
  p = Point3D(504, 3, 0);
  EXPECT_EQ(doc.LocateEndPt(&p, &out), line);
  EXPECT_TRUE(AtXY(out, 500, 0));
  p = Point3D(504, 4, 0);  // 5.66 from the end
  EXPECT_EQ(doc.LocateEndPt(&p, &out), nullptr);
  EXPECT_EQ(doc.LocateEndPt(nullptr, &out), nullptr);
}

TEST(ObjlistLocate, LocateLineMatchesACollinearSideOfTheTarget) {
  Objlist doc;
  Curve3D* line = AddLine(doc, 0, 0, 100, 0)->Obj();
  Multi3D* outline = AddOutline(doc, RectangleOutline(200, 0, 300, 100));
  Point3D p(50, 5, 0);
  EXPECT_EQ(doc.LocateLine(&p, 0, nullptr), line);

  // The bottom side lies on the line; the top side is parallel (reversed) but 80 away.
  auto collinear = RectangleOutline(-20, 0, 120, 80);
  EXPECT_EQ(doc.LocateLine(&p, 0, collinear.get()), line);
  EXPECT_EQ(collinear->Segment(1)->Segment(), 1);
  auto slightlyOff = RectangleOutline(-20, 2, 120, 80);  // within 3 pixels
  EXPECT_EQ(doc.LocateLine(&p, 0, slightlyOff.get()), line);
  auto offset = RectangleOutline(-20, 10, 120, 80);
  EXPECT_EQ(doc.LocateLine(&p, 0, offset.get()), nullptr);
  EXPECT_EQ(offset->Segment(1)->Segment(), 0);

  // Outlines only with withOutlines, answered by their straight side.
  Point3D q(250, 5, 0);
  EXPECT_EQ(doc.LocateLine(&q, 0, nullptr), nullptr);
  EXPECT_EQ(doc.LocateLine(&q, 1, nullptr), outline->Segment(1));
}

TEST(ObjlistLocate, LocateMultiAndDimensionableItems) {
  Objlist doc;
  Multi3D* open = AddOutline(doc, OpenOutline({{0, 0}, {100, 0}, {100, 100}}));
  Multi3D* closed = AddOutline(doc, RectangleOutline(0, -100, 100, -10));
  Point3D p(50, -4, 0);
  EXPECT_EQ(doc.LocateMulti(&p, 0, 0), open);
  EXPECT_EQ(doc.LocateMulti(&p, 1, 1), closed);
  EXPECT_EQ(doc.NumSelected(), 1);
  EXPECT_EQ(closed->AllSegmentSelected(), 1);

  // A dimension measures one piece: the nearest side of an outline.
  Point3D nearRight(96, 50, 0);
  EXPECT_EQ(doc.LocateDimensionableItem(&nearRight), open->Segment(2));
}

TEST(ObjlistLocate, HipValleyTargets) {
  Objlist doc;
  const Point3D a(0, 0, 0), b(100, 0, 0), down(0, -50, 0);
  auto* eave = new REdge3D(&a, &b, 0, 1, 1);
  Attach(*eave, {Item(6105, "Eave")});
  ASSERT_NE(doc.Add(eave), nullptr);
  eave->GetEdge()->Translate(&down, false);  // the overhang line, 50 below
  AddLine(doc, 0, -40, 100, -40);            // carries nothing: no target
  auto plan = RectangleOutline(200, 0, 300, 100);
  Attach(*plan->Segment(3), {Item(6156, "Slope change")});
  Multi3D* m = AddOutline(doc, std::move(plan));

  doc.SelectItemById(m->Id(), true);
  Point3D p(50, -45, 0);
  EXPECT_EQ(doc.LocateHipValleyTarget(&p), eave);  // through its overhang line
  EXPECT_EQ(doc.NumSelected(), 0);
  p = Point3D(50, -2, 0);
  EXPECT_EQ(doc.LocateHipValleyTarget(&p), nullptr);  // the eave's own line does not count
  p = Point3D(250, 95, 0);
  EXPECT_EQ(doc.LocateHipValleyTarget(&p), m->Segment(3));
  p = Point3D(205, 50, 0);  // near a side without a target item
  EXPECT_EQ(doc.LocateHipValleyTarget(&p), nullptr);
}

TEST(ObjlistLocate, SnapToVertexAndMidPoint) {
  Objlist doc;
  AddLine(doc, 10, 0, 50, 0);
  tagLPOINT lp{12, 20};
  Point3D out;
  ASSERT_EQ(doc.SnapToVertex(&lp, &out, nullptr), 1);
  EXPECT_TRUE(AtXY(out, 10, 0));
  EXPECT_EQ(lp.x, 10);

  // The own outline is searched first, so it wins a tie with the document.
  auto own = OpenOutline({{-50, 0}, {-10, 0}});
  tagLPOINT middle{0, 0};
  ASSERT_EQ(doc.SnapToVertex(&middle, &out, own.get()), 1);
  EXPECT_TRUE(AtXY(out, -10, 0));
  middle = {0, 0};
  ASSERT_EQ(doc.SnapToVertex(&middle, &out, nullptr), 1);
  EXPECT_TRUE(AtXY(out, 10, 0));
  tagLPOINT tooFar{400, 0};  // 350 from the nearest vertex
  EXPECT_EQ(doc.SnapToVertex(&tooFar, &out, nullptr), 0);

  tagLPOINT nearLine{28, 3};
  ASSERT_EQ(doc.SnapToMidPt(&nearLine, &out, nullptr), 1);
  EXPECT_TRUE(AtXY(out, 30, 0));
  const Point3D centre(500, 500, 0), s(600, 500, 0), e(500, 600, 0);
  doc.Add(new Arc3D(&centre, 100.0, &s, &e, kArcCounterClockwise));
  tagLPOINT nearArc{570, 575};
  ASSERT_EQ(doc.SnapToMidPt(&nearArc, &out, nullptr), 1);
  EXPECT_TRUE(AtXY(out, 500, 500));
  EXPECT_EQ(doc.SnapToMidPt(nullptr, &out, nullptr), 0);
}

TEST(ObjlistLocate, SnapToLineFootPointsAndArcs) {
  Objlist doc;
  AddLine(doc, 0, 0, 100, 0);
  const Point3D c(500, 0, 0);
  doc.Add(new Arc3D(&c, 100.0));
  tagLPOINT lp{30, 25};
  Point3D out;
  ASSERT_EQ(doc.SnapToLine(&lp, nullptr, &out, nullptr), 1);
  EXPECT_TRUE(AtXY(out, 30, 0));
  EXPECT_EQ(lp.x, 30);
  tagLPOINT diagonal{580, 80};  // snapped radially from the centre
  ASSERT_EQ(doc.SnapToLine(&diagonal, nullptr, &out, nullptr), 1);
  EXPECT_NEAR(out.x, 500 + 100 / std::sqrt(2.0), 1e-9);
  EXPECT_NEAR(out.y, 100 / std::sqrt(2.0), 1e-9);

  // A quarter arc whose axes differ a little is near by its box edge: a cursor there, off the
  // arc's sweep, falls back to the nearer end.
  Objlist arcDoc;
  const Point3D o(0, 0, 0), s(100, 0, 0), e(0, 100, 0), minor(0, 98, 0);
  auto* arc = new Arc3D(&o, 100.0, &s, &e, kArcCounterClockwise);
  arc->Minor(&minor);
  arcDoc.Add(arc);
  tagLPOINT offSweep{-5, 60};
  ASSERT_EQ(arcDoc.SnapToLine(&offSweep, nullptr, &out, nullptr), 1);
  EXPECT_TRUE(AtXY(out, 0, 100));
}

}  // namespace
