// The selection by command (all, next and previous, roof, smart objects), the questions about the
// selection and the grips. The document has no viewport here, so world, logical and device
// coordinates are the same numbers and the expected grip positions follow from the boxes.

#include <gtest/gtest.h>

#include <initializer_list>
#include <tuple>
#include <utility>
#include <vector>

#include "document/layerbag.h"
#include "document/layeritem.h"
#include "document/objlist.h"
#include "entities/arc3d.h"
#include "entities/line3d.h"
#include "entities/multi3d.h"
#include "geometry/dblplist.h"
#include "geometry/dblrlist.h"
#include "support/box_matchers.h"
#include "support/document_builder.h"
#include "support/outline_builders.h"
#include "support/smartobject_builders.h"

namespace {

constexpr int kEaveType = 6105;
constexpr int kRoofAreaType = 6114;

using Grip = std::pair<int, std::pair<int, int>>;  // number, centre

// The grips in list order with the centres of their rectangles.
std::vector<Grip> Grips(const Objlist& doc) {
  std::vector<Grip> grips;
  DblRlistIterator it(doc.GetCornerBoxes());
  while (DblRitem* grip = it.Next()) {
    const RECT* r = grip->Rect();
    grips.push_back({grip->Id(), {(r->left + r->right) / 2, (r->top + r->bottom) / 2}});
  }
  return grips;
}

// A bare entity of a kind that has no class of its own yet.
Curve3D* OfKind(int type) {
  auto* e = new Curve3D(0.0, 0.0, 0.0, 1.0, 1.0, 0.0, 0, 0, 1, -1, -2);
  e->Type(type);
  return e;
}

void Select(Objlist& doc, std::initializer_list<ObjItem*> items) {
  doc.DeSelectAll(0);
  for (ObjItem* item : items)
    doc.SelectItemById(item->Obj()->Id(), true);
}

}  // namespace

TEST(ObjlistSelect, SelectAllTakesTheCurrentLayerOrEveryLayerButEplanOnes) {
  TwoLayerDrawing d;
  d.doc.Add_Layer("Plan", kLayerEplan, 7, 0);
  d.doc.Add_Layer("Locked", kLayerFrozen, 7, 0);
  ObjItem* plan = d.doc.Add(new Line3D(0.0, 0.0, 0.0, 5.0, 5.0, 0.0), "Plan");
  ObjItem* locked = d.doc.Add(new Line3D(0.0, 0.0, 0.0, 6.0, 6.0, 0.0), "Locked");
  ObjItem* outline = d.doc.Add(RectangleOutline(0, 0, 4, 4).release(), "Walls");
  ASSERT_TRUE(plan && locked && outline);
  d.doc.CurrentLayer("Walls");
  d.Select({d.roof});  // cleared first

  EXPECT_EQ(d.doc.SelectAll(0), 3);
  EXPECT_EQ(SelectionChain(d.doc), (Items{d.wallA, d.wallB, outline}));
  EXPECT_EQ(static_cast<Multi3D*>(outline->Obj())->AllSegmentSelected(), 1);  // whole
  EXPECT_FALSE(d.roof->Selected());

  // Neither the imported plan nor the locked layer is taken.
  EXPECT_EQ(d.doc.SelectAll(1), 4);
  EXPECT_EQ(SelectionChain(d.doc), (Items{d.wallA, d.roof, d.wallB, outline}));
  EXPECT_THAT(*d.doc.GetSelectionBox(), BoxIs(0.0, 0.0, 0.0, 10.0, 8.0, 0.0));

  d.doc.CurrentLayer("Locked");
  EXPECT_EQ(d.doc.SelectAll(0), 0);
  EXPECT_TRUE(SelectionChain(d.doc).empty());
}

TEST(ObjlistSelect, SelectNextAndPrevMoveASingleSelectionAndReScanFollowsEntities) {
  TwoLayerDrawing d;
  const auto selected = [&d] { return SelectionChain(d.doc); };
  EXPECT_EQ(d.doc.SelectNext(), 0);  // nothing selected
  d.Select({d.wallA});
  ASSERT_EQ(d.doc.SelectNext(), 1);
  EXPECT_EQ(selected(), Items{d.roof});
  d.doc.SelectNext();
  d.doc.SelectNext();  // past the last: back to the first
  EXPECT_EQ(selected(), Items{d.wallA});
  ASSERT_EQ(d.doc.SelectPrev(), 1);  // before the first: the last
  EXPECT_EQ(selected(), Items{d.wallB});
  d.doc.SelectPrev();
  EXPECT_EQ(selected(), Items{d.roof});
  EXPECT_THAT(*d.doc.GetSelectionBox(), BoxIs(0.0, 0.0, 0.0, 0.0, 8.0, 0.0));

  Select(d.doc, {d.wallA, d.roof});
  EXPECT_EQ(std::make_pair(d.doc.SelectNext(), d.doc.SelectPrev()), std::make_pair(0, 0));
  EXPECT_EQ(selected(), (Items{d.wallA, d.roof}));

  // The box is kept, not recomputed, until the selection is re-scanned.
  const Point3D shift(5.0, 100.0, 0.0);
  d.roof->Obj()->Translate(&shift, false);
  EXPECT_THAT(*d.doc.GetSelectionBox(), BoxIs(0.0, 0.0, 0.0, 10.0, 8.0, 0.0));
  d.doc.ReScanSelected();
  EXPECT_THAT(*d.doc.GetSelectionBox(), BoxIs(0.0, 0.0, 0.0, 10.0, 108.0, 0.0));
  EXPECT_EQ(d.doc.NumSelected(), 2);
}

TEST(ObjlistSelect, EntitiesWithQuantitiesOnCurvesAreNotStretchable) {
  Objlist doc;
  auto* arc = ArcFrom({0, 0}, 5.0, {5, 0}, {0, 5}, kArcCounterClockwise);
  const Point3D centre(20, 20, 0);
  auto* circle = new Arc3D(&centre, 3.0);
  auto* line = LineFrom({0, 0}, {10, 0});
  auto arcSquare = ArcTopSquare(true);
  auto square = RectangleOutline(0, 0, 10, 10);
  EXPECT_TRUE(doc.IsItemStretchable(arc) && doc.IsItemStretchable(arcSquare.get()));
  EXPECT_TRUE(doc.IsItemStretchable(nullptr));
  for (Curve3D* e :
       std::initializer_list<Curve3D*>{arc, circle, line, arcSquare.get(), square.get()})
    Attach(*e, {Item(kEaveType, "Eave")});
  EXPECT_EQ(circle->Type(), kEntityCircle);
  EXPECT_FALSE(doc.IsItemStretchable(arc) || doc.IsItemStretchable(circle) ||
               doc.IsItemStretchable(arcSquare.get()));
  EXPECT_TRUE(doc.IsItemStretchable(line) && doc.IsItemStretchable(square.get()));

  EXPECT_TRUE(doc.IsSelectionStretchable());  // empty
  ObjItem* lineItem = doc.Add(line);
  ObjItem* arcItem = doc.Add(arc);
  delete circle;
  Select(doc, {lineItem, arcItem});
  EXPECT_FALSE(doc.IsSelectionStretchable());
}

TEST(ObjlistSelect, SingleKindQuestionsAskForExactlyOneOfTheKind) {
  Objlist doc;
  ObjItem* text = doc.Add(OfKind(kEntityText));
  ObjItem* dim = doc.Add(OfKind(kEntityDimension));
  ObjItem* insert = doc.Add(OfKind(kEntityInsert));
  ObjItem* image = doc.Add(OfKind(kEntityImage));
  ObjItem* outline = doc.Add(RectangleOutline(0, 0, 4, 4).release());
  ObjItem* other = doc.Add(RectangleOutline(5, 5, 9, 9).release());

  Select(doc, {text});
  EXPECT_TRUE(doc.IsSelectedObjText() == text->Obj() && !doc.IsSelectedObjDimension());
  Select(doc, {dim});
  EXPECT_TRUE(doc.IsSelectedObjDimension() == dim->Obj() && !doc.IsSelectedObjText());
  Select(doc, {text, dim});  // two: neither
  EXPECT_TRUE(!doc.IsSelectedObjText() && !doc.IsSelectedObjDimension());
  EXPECT_EQ(doc.IsInsertSelected(), 0);
  Select(doc, {text, insert});
  EXPECT_EQ(doc.IsInsertSelected(), 1);

  // An outline or image with dimensions beside it still counts; with anything else it does not.
  Select(doc, {dim, outline});
  EXPECT_EQ(doc.IsSelectedObjMultiLine(), outline->Obj());
  Select(doc, {outline, other});
  EXPECT_EQ(doc.IsSelectedObjMultiLine(), nullptr);
  Select(doc, {outline, text});
  EXPECT_EQ(doc.IsSelectedObjMultiLine(), nullptr);
  Select(doc, {image, dim});
  EXPECT_TRUE(doc.IsSelectedObjImage() == image->Obj() && !doc.IsSelectedObjMultiLine());
  Select(doc, {image, outline});
  EXPECT_EQ(doc.IsSelectedObjImage(), nullptr);
}

TEST(ObjlistSelect, DescriptionsAndNamesOfTheSelection) {
  TwoLayerDrawing d;
  char buffer[32] = "stale";
  EXPECT_STREQ(d.doc.ObjectDescription(), "<No Object Selected>");
  EXPECT_STREQ(d.doc.ObjectName(buffer, sizeof buffer), "<No Object Selected>");

  d.wallA->Obj()->Name("Ridge line");
  Attach(*d.roof->Obj(), {Item(kEaveType, "Front eave")});
  d.roof->Obj()->Name("Roof line");
  d.Select({d.wallA});
  EXPECT_STREQ(d.doc.ObjectDescription(), "Ridge line");
  EXPECT_EQ(d.doc.ObjectName(buffer, 6), buffer);
  EXPECT_STREQ(buffer, "Ridge");  // cut to the buffer, terminator included
  // The description is the entity's own name; the name prefers its smart object's.
  Select(d.doc, {d.roof});
  EXPECT_STREQ(d.doc.ObjectDescription(), "Roof line");
  EXPECT_STREQ(d.doc.ObjectName(buffer, sizeof buffer), "Front eave");

  d.Select({d.wallA});
  EXPECT_STREQ(d.doc.ObjectDescription(), "<Multiple Selection>");
  EXPECT_STREQ(d.doc.ObjectName(buffer, 4), "<Mu");
  EXPECT_STREQ(d.doc.ObjectName(buffer, 1), "");
  EXPECT_TRUE(!d.doc.ObjectName(buffer, 0) && !d.doc.ObjectName(nullptr, 10));
}

TEST(ObjlistSelect, RectangleGripsSitAroundTheSelectionAndPairUpOpposite) {
  TwoLayerDrawing d;
  EXPECT_EQ(d.doc.SetCornerBoxes(0), 0);  // nothing selected
  ObjItem* top = d.doc.Add(new Line3D(10.0, 60.0, 0.0, 50.0, 60.0, 0.0));
  ObjItem* bottom = d.doc.Add(new Line3D(10.0, 20.0, 0.0, 50.0, 20.0, 0.0));
  Select(d.doc, {top, bottom});
  ASSERT_EQ(d.doc.SetCornerBoxes(0), 8);
  // Without a viewport the rectangle's top is the box's upper edge: clockwise from top-left.
  EXPECT_EQ(Grips(d.doc), (std::vector<Grip>{{-1, {10, 60}},
                                             {-2, {30, 60}},
                                             {-3, {50, 60}},
                                             {-4, {50, 40}},
                                             {-5, {50, 20}},
                                             {-6, {30, 20}},
                                             {-7, {10, 20}},
                                             {-8, {10, 40}}}));

  tagLPOINT a{-1, -1}, b{-1, -1}, c{-1, -1};
  EXPECT_EQ(d.doc.GetRectOppositeCorner(-3, &a, &b, &c), -7);
  EXPECT_EQ(std::make_tuple(a.x, a.y, b.x, b.y, c.x, c.y), std::make_tuple(10, 20, 10, 20, 50, 60));
  EXPECT_EQ(d.doc.GetRectOppositeCorner(-6, &a, nullptr, nullptr), -2);
  EXPECT_EQ(std::make_pair(a.x, a.y), std::make_pair(30, 60));
  const std::vector<std::pair<int, int>> pairs{{-1, -5}, {-5, -1}, {-4, -8}, {-8, -4}, {-7, -3}};
  for (const auto& [grip, opposite] : pairs)
    EXPECT_EQ(d.doc.GetRectOppositeCorner(grip, nullptr, nullptr, nullptr), opposite) << grip;
  a = {-1, -1};  // grip 0, past -8, a vertex grip, a line grip without a single line
  for (const int unknown : {0, -9, 3, -10})
    EXPECT_EQ(d.doc.GetRectOppositeCorner(unknown, &a, &b, &c), 0) << unknown;
  EXPECT_EQ(std::make_pair(a.x, a.y), std::make_pair(-1, -1));  // untouched

  // A grip box holds its left and top edges, not its right and bottom ones.
  const tagPOINT inTopLeft{47, 57}, onRight{53, 60}, onBottom{50, 63}, away{30, 40};
  EXPECT_EQ(d.doc.PtInCornerBoxes(&inTopLeft), -3);
  EXPECT_EQ(std::make_tuple(d.doc.PtInCornerBoxes(&onRight), d.doc.PtInCornerBoxes(&onBottom),
                            d.doc.PtInCornerBoxes(&away), d.doc.PtInCornerBoxes(nullptr)),
            std::make_tuple(0, 0, 0, 0));

  d.doc.DeSelectAll(0);  // flushes the grips
  EXPECT_EQ(d.doc.GetCornerBoxes()->Num(), 0);
  EXPECT_EQ(d.doc.PtInCornerBoxes(&inTopLeft), 0);
  EXPECT_EQ(d.doc.GetRectOppositeCorner(-3, &a, &b, &c), 0);
}

TEST(ObjlistSelect, ALineGetsEndGripsAndAnOutlineVertexGrips) {
  Objlist doc;
  ObjItem* line = doc.Add(new Line3D(2.0, 3.0, 0.0, 20.0, 10.0, 0.0));
  ObjItem* outline = doc.Add(PolygonOutline({{0, 0}, {40, 0}, {40, 20}, {0, 30}}).release());
  Select(doc, {line});
  ASSERT_EQ(doc.SetCornerBoxes(0), 2);
  EXPECT_EQ(Grips(doc), (std::vector<Grip>{{-10, {2, 3}}, {-11, {20, 10}}}));
  tagLPOINT a{}, b{};
  EXPECT_EQ(std::make_pair(doc.GetRectOppositeCorner(-10, &a, nullptr, nullptr),
                           doc.GetRectOppositeCorner(-11, &b, nullptr, nullptr)),
            std::make_pair(-11, -10));
  EXPECT_EQ(std::make_tuple(a.x, a.y, b.x, b.y), std::make_tuple(20, 10, 2, 3));
  EXPECT_TRUE(doc.SetCornerBoxes(1) == 0 && !doc.GetGripVertices());  // needs an outline

  Select(doc, {outline});
  ASSERT_EQ(doc.SetCornerBoxes(1), 4);
  EXPECT_EQ(Grips(doc),
            (std::vector<Grip>{{1, {0, 0}}, {2, {40, 0}}, {3, {40, 20}}, {4, {0, 30}}}));
  ASSERT_NE(doc.GetGripVertices(), nullptr);
  EXPECT_EQ(doc.GetGripVertices()->Num(), 4);
  const tagPOINT onThird{38, 18};
  EXPECT_EQ(doc.PtInCornerBoxes(&onThird), 3);
  EXPECT_TRUE(doc.SetCornerBoxes(0) == 8 && !doc.GetGripVertices());  // no line: the rectangle
  EXPECT_EQ(doc.SetCornerBoxes(2), 0);

  doc.SetCornerBoxes(1);
  doc.DeSelectAll(0);
  EXPECT_TRUE(doc.GetCornerBoxes()->Num() == 0 && !doc.GetGripVertices());
}

TEST(ObjlistSelect, SmartObjectsSelectWholeEntitiesOrJustTheCarryingSegments) {
  Objlist doc;
  auto square = RectangleOutline(0, 0, 10, 10);
  Attach(*square->Segment(2), {Item(kEaveType, "Eave")});
  ObjItem* outline = doc.Add(square.release());
  auto* eaveLine = LineFrom({20, 0}, {30, 0});
  Attach(*eaveLine, {Item(kEaveType, "Eave")});
  ObjItem* line = doc.Add(eaveLine);
  ObjItem* plain = doc.Add(LineFrom({0, 50}, {5, 50}));
  auto* m = static_cast<Multi3D*>(outline->Obj());
  const auto marks = [m] {
    std::vector<int> on;
    for (int n = 1; Curve3D* s = m->Segment(n); ++n)
      on.push_back(s->IsSelected());
    return on;
  };

  EXPECT_EQ(doc.SelectSmartObject("EAVE"), 2);  // names compare without case
  EXPECT_EQ(SelectionChain(doc), (Items{outline, line}));
  EXPECT_EQ(marks(), (std::vector<int>{0, 1, 0, 0}));
  EXPECT_EQ(doc.SelectSmartObject("eave"), 0);  // again: nothing changes, no mark toggles off
  EXPECT_EQ(marks(), (std::vector<int>{0, 1, 0, 0}));
  EXPECT_THAT(*doc.GetSelectionBox(), BoxIs(0.0, 0.0, 0.0, 30.0, 10.0, 0.0));
  EXPECT_EQ(doc.DeselectSmartObject("Eave"), 2);
  EXPECT_TRUE(SelectionChain(doc).empty());
  EXPECT_EQ(marks(), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(doc.SelectSmartObject(nullptr) + doc.SelectSmartObject("Ridge"), 0);

  EXPECT_EQ(doc.SelectSmartObjectByProp(kEaveType), 2);
  EXPECT_EQ(marks(), (std::vector<int>{0, 1, 0, 0}));
  EXPECT_EQ(doc.DeselectSmartObjectByProp(kEaveType), 2);
  EXPECT_TRUE(SelectionChain(doc).empty());

  // A whole outline loses only the carrying segment and stays selected with the others.
  Select(doc, {outline, plain, line});
  m->SelectAll();
  EXPECT_EQ(doc.DeselectSmartObjectByProp(kEaveType), 2);
  EXPECT_EQ(SelectionChain(doc), (Items{outline, plain}));
  EXPECT_EQ(marks(), (std::vector<int>{1, 0, 1, 1}));
  EXPECT_THAT(*doc.GetSelectionBox(), BoxIs(0.0, 0.0, 0.0, 10.0, 50.0, 0.0));
}

TEST(ObjlistSelect, SelectRoofItemsTakesTheRoofAndWhatBelongsToIt) {
  Objlist doc;
  auto roofOutline = RectangleOutline(0, 0, 10, 10);
  Attach(*roofOutline, {Item(kRoofAreaType, "Main roof")});
  ObjItem* roof = doc.Add(roofOutline.release());
  const int roofId = roof->Obj()->Id();
  auto* gutter = LineFrom({0, 0}, {10, 0});
  Attach(*gutter, {Item(kEaveType, "Eave")});
  gutter->SetRoofId("Eave", roofId, 0);
  ObjItem* gutterItem = doc.Add(gutter);
  auto* loose = LineFrom({0, 20}, {10, 20});
  Attach(*loose, {Item(kEaveType, "Eave")});  // on no roof yet: roof 0
  doc.Add(loose);
  doc.Add(LineFrom({0, 30}, {10, 30}));

  EXPECT_EQ(doc.SelectRoofItems(0), 0);
  EXPECT_EQ(doc.SelectRoofItems(roofId), 2);
  EXPECT_EQ(SelectionChain(doc), (Items{roof, gutterItem}));
  EXPECT_EQ(static_cast<Multi3D*>(roof->Obj())->AllSegmentSelected(), 1);
  EXPECT_EQ(doc.SelectRoofItems(roofId) + doc.SelectRoofItems(roofId + 100), 0);  // no more
}
