#include "entities/multi3d.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <numbers>
#include <vector>

#include "entities/arc3d.h"
#include "entities/block3d.h"
#include "entities/insert3d.h"
#include "entities/line3d.h"
#include "entities/redge3d.h"
#include "geometry/box3d.h"
#include "geometry/dblplist.h"
#include "support/geometry_matchers.h"
#include "support/outline_builders.h"
#include "support/smartobject_builders.h"

namespace {

constexpr double kTol = 1e-9;
using Corners = std::vector<Corner>;

// A numeric attribute of an outline's smart objects, or NaN when missing.
double AttrValue(Multi3D& m, const char* tag) {
  char text[64] = {};
  return m.GetAttr(nullptr, tag, kDataTypeDouble, text) ? std::atof(text) : std::nan("");
}

int VertexCount(DblPlist* l) {
  const std::unique_ptr<DblPlist> owned(l);
  return owned ? owned->Num() : -1;
}

}  // namespace

// ---- Construction and lifetime ------------------------------------------------------------

TEST(Multi3D, NewOutlinesAndLiveCount) {
  const int before = Multi3D::LiveCount();
  {
    Multi3D m;
    EXPECT_STREQ(m.Curve3D::Name(0, nullptr), "MultiLine");
    EXPECT_EQ(m.Blocktype(), kOutlineBlocktype);
    std::unique_ptr<Curve3D> copy(m.Copy());
    EXPECT_EQ(m.GetNum(), before + 2);
  }
  EXPECT_EQ(Multi3D::LiveCount(), before);
  const Point3D c(0, 0, 0), s(5, 0, 0);
  auto* arc = new Arc3D(&c, 5.0, &s, &s, kArcCounterClockwise, 3, 0, 2);
  Multi3D one(arc, -1, -2);
  EXPECT_EQ(one.FirstSegment(), arc);
  EXPECT_EQ(one.IsContinuous(), 1);
  EXPECT_EQ(one.Curve3D::GetColour(), 3);
}

TEST(Multi3D, OutlineAroundAnInsertIsTheClosedRectangleOfItsBox) {
  // A symbol of one diagonal line from its base, placed at (10, 20) and turned a quarter.
  const Point3D base(0, 0), at(10, 20);
  Block3D mark("Mark", 0, 0, 1.0, &base);
  mark.Add(new Line3D(0.0, 0.0, 0.0, 4.0, 2.0, 0.0), 0);
  Insert3D insert(&at, &mark, 1.0, 90.0);
  Multi3D around(&insert, 5, 1, 2, -1, -2);
  EXPECT_EQ(around.Nodes(), 4);
  EXPECT_TRUE(around.IsClosed());
  EXPECT_EQ(ChainCorners(around), (Corners{{8, 20}, {10, 20}, {10, 24}, {8, 24}, {8, 20}}));
  EXPECT_NEAR(around.Area(1), 8.0, kTol);
  EXPECT_EQ(around.FirstSegment()->GetColour(), 5);
  Multi3D none(static_cast<Insert3D*>(nullptr), 0, 0, 1, -1, -2);
  EXPECT_EQ(none.Nodes(), 0);
}

TEST(Multi3D, CopyIsDeepAndZeroClearEmpty) {
  auto plan = LPlan();
  plan->Blocktype(3);
  plan->Valid(0);
  Multi3D copy(*plan);
  ASSERT_EQ(copy.Nodes(), 6);
  EXPECT_NE(copy.FirstSegment(), plan->FirstSegment());
  EXPECT_TRUE(copy.Ident(plan.get()));
  EXPECT_EQ(copy.Valid(), 0);
  copy.FirstSegment()->Spt(1, 1, 0);
  EXPECT_THAT(*plan->FirstSegment()->Spt(), PointIs(0, 0, 0));
  copy.Name("Roof");
  copy.Zero();
  EXPECT_EQ(copy.Nodes(), 0);
  EXPECT_EQ(copy.IsContinuous(), 0);
  EXPECT_EQ(copy.Blocktype(), kOutlineBlocktype);
  EXPECT_STREQ(copy.Curve3D::Name(0, nullptr), "MultiLine");
  std::unique_ptr<Curve3D> kept(plan->FirstSegment());
  plan->GetCurveList()->Detach(kept.get());  // taken back before the deleting clear
  EXPECT_EQ(plan->Clear(1), 0);
  EXPECT_EQ(plan->GetCurveList()->Num(), 0);
}

// ---- Bad arguments ------------------------------------------------------------------------

// Null, foreign and out-of-range arguments (positions are 1-based) get the failure value and
// leave the outline as it was.
TEST(Multi3D, BadArgumentsGetTheFailureValue) {
  auto m = RectangleOutline(0, 0, 10, 10);
  Line3D stranger(0, 0, 0, 1, 1, 0);
  Point3D q(1, 1, 0);
  Box3D box(0.0, 1.0, 1.0, 0.0);
  EXPECT_THAT(
      NonZeroAt(m->Segment(0), m->Segment(5), m->SelectSegment(5), m->RemoveSegment(0),
                m->RemoveSegment(5), m->RemoveCurve(&stranger), m->RemoveCurve(nullptr),
                m->Insert(nullptr, 1), m->Spt(nullptr), m->GetNextCurve(&stranger),
                m->GetNextCurve(nullptr), m->GetSegmentById(99), m->GetSegmentByGuid(nullptr),
                m->GetSegmentByGuid(""), BoxToMulti(&box, nullptr), m->SetVertice(0, &q, 0),
                m->SetVertice(6, &q, 0), m->SetVertice(2, nullptr, 0), m->IsVertex(nullptr),
                m->Ident(nullptr), m->PtOnVertex(nullptr, 1.0, 1.0),
                Multi3D(static_cast<Curve3D*>(nullptr), -1, -2).Nodes()),
      testing::IsEmpty());
  EXPECT_DOUBLE_EQ(m->IsNear(nullptr, 1.0, 0.5), kNotNear);
  EXPECT_EQ(m->IsSegmentSelected(), 0);
  EXPECT_EQ(ChainCorners(*m), (Corners{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}));
}

// ---- Building the chain -------------------------------------------------------------------

TEST(Multi3D, AddKeepsContinuityEndsAndBox) {
  Multi3D m;
  const Point3D a(0, 0, 0), b(10, 0, 0), c(10, 5, 0), far(20, 20, 0);
  auto* first = new Line3D(&a, &b);
  auto* second = new Line3D(&b, &c);
  m.Add(first);
  m.Add(second);
  EXPECT_EQ(m.IsContinuous(), 1);
  EXPECT_EQ(second->SegmentPosition(), 2);
  EXPECT_THAT(*m.Ept(), PointIs(10, 5, 0));
  // A segment that does not start at the end breaks the chain for good.
  m.Add(new Line3D(&far, &a));
  m.Add(new Line3D(&a, &b));
  EXPECT_EQ(m.IsContinuous(), 0);
  EXPECT_EQ(m.Curve3D::State(), kStateGeometryChanged);
  EXPECT_EQ(m.Add(static_cast<Curve3D*>(nullptr)), 4);
  EXPECT_EQ(m.Add(first), 4);  // already listed

  auto pts = OpenOutline({{1, 0}, {0, 0}});
  Point3D same(1e-11, 0, 0), beyond(2e-11, 0, 0), tagged(5, 5, 0);
  EXPECT_EQ(pts->Add(&same), 1);  // within the ident tolerance of the end
  EXPECT_EQ(pts->Add(&beyond), 2);
  tagged.Id(77);
  pts->Curve3D::Colour(4);
  pts->Add(&tagged);
  EXPECT_EQ(pts->LastSegment()->Id(), 77);
  EXPECT_EQ(pts->LastSegment()->GetColour(), 4);
  EXPECT_EQ(pts->Add(static_cast<Point3D*>(nullptr)), 3);
}

TEST(Multi3D, CloseOnlyAContinuousOpenChain) {
  auto open = OpenOutline({{0, 0}, {10, 0}, {10, 10}});
  EXPECT_EQ(open->Close(), 1);
  EXPECT_TRUE(open->IsClosed());
  EXPECT_EQ(open->Nodes(), 3);
  EXPECT_EQ(open->Close(), 0);
  auto broken = OpenOutline({{0, 0}, {10, 0}, {10, 10}});
  EXPECT_EQ(broken->Connect(0), 1);
  EXPECT_EQ(broken->Close(), 0);
  Point3D start(0, 0, 0);  // ending on its start with the flag cleared is still not closed
  broken->Add(&start);
  EXPECT_FALSE(broken->IsClosed());
}

TEST(Multi3D, InsertAndRemoveKeepTheEnds) {
  auto m = OpenOutline({{0, 0}, {10, 0}});
  const Point3D a(-5, 0, 0), b(0, 0, 0), c(20, 0, 0);
  ASSERT_NE(m->Insert(new Line3D(&a, &b), 1), nullptr);
  ASSERT_NE(m->Insert(new Line3D(m->Ept(), &c), 3), nullptr);
  EXPECT_EQ(ChainCorners(*m), (Corners{{-5, 0}, {0, 0}, {10, 0}, {20, 0}}));
  EXPECT_THAT(*m->Spt(), PointIs(-5, 0, 0));
  EXPECT_DOUBLE_EQ(m->Width(), 25.0);
  std::unique_ptr<Curve3D> first(m->RemoveSegment(1)), last(m->RemoveSegment(2));
  ASSERT_NE(last, nullptr);
  EXPECT_THAT(*m->Spt(), PointIs(0, 0, 0));
  EXPECT_THAT(*m->Ept(), PointIs(10, 0, 0));
  EXPECT_DOUBLE_EQ(m->Width(), 10.0);
  std::unique_ptr<Curve3D> only(m->RemoveSegment(1));
  EXPECT_EQ(m->Nodes(), 0);
  EXPECT_THAT(*m->Ept(), PointIs(10, 0, 0));  // the only segment gone: the ends stay

  auto chain = OpenOutline({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  std::unique_ptr<Curve3D> inner(chain->RemoveCurve(chain->Segment(2)));
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(chain->IsContinuous(), 0);  // the gap breaks the chain
  EXPECT_EQ(chain->Nodes(), 2);
}

TEST(Multi3D, DeleteSelectedRejoinsAcrossTheGapOfAClosedOutline) {
  auto m = RectangleOutline(0, 0, 10, 10);
  m->SelectSegment(1);
  EXPECT_EQ(m->Delete_Selected(), 1);
  // The right side is pulled to the lower-left corner.
  EXPECT_EQ(ChainCorners(*m), (Corners{{0, 0}, {10, 10}, {0, 10}, {0, 0}}));
  EXPECT_TRUE(m->IsClosed());
  auto two = OpenOutline({{0, 0}, {10, 0}, {10, 10}});
  two->SelectSegment(2);
  EXPECT_EQ(two->Delete_Selected(), 1);
  EXPECT_EQ(two->IsContinuous(), 0);
  EXPECT_EQ(two->Delete_Selected(), 0);
}

TEST(Multi3D, SetCopiesAnotherOutlineAndForwardsFromTheBase) {
  auto plan = TPlan();
  plan->Blocktype(4);
  Multi3D target, fromList;
  target.Add(new Line3D(0, 0, 0, 1, 0, 0));
  static_cast<Curve3D&>(target).Set(plan.get());
  EXPECT_EQ(target.Blocktype(), 4);
  EXPECT_NE(target.FirstSegment(), plan->FirstSegment());
  EXPECT_NEAR(target.Area(1), 1800.0, kTol);
  EXPECT_EQ(fromList.SetCurveList(plan->GetCurveList()), 8);
  EXPECT_NE(fromList.FirstSegment(), plan->FirstSegment());
  EXPECT_EQ(fromList.SetCurveList(nullptr), 8);
}

TEST(Multi3D, MovingEndsAndVerticesRejoinsTheSides) {
  auto m = OpenOutline({{0, 0}, {10, 0}, {10, 10}});
  m->Spt(0, 2, 0);
  m->Ept(12, 10, 0);
  EXPECT_EQ(ChainCorners(*m), (Corners{{0, 2}, {10, 0}, {12, 10}}));
  EXPECT_THAT(*m->Spt(), PointIs(0, 2, 0));
  EXPECT_THAT(*m->Ept(), PointIs(12, 10, 0));
  EXPECT_DOUBLE_EQ(m->Width(), 12.0);

  auto square = RectangleOutline(0, 0, 10, 10);
  Point3D p(-2, -2, 0), q(12, 12, 0);
  EXPECT_EQ(square->SetVertice(1, &p, 0), 1);  // both ends of a closed outline
  EXPECT_EQ(square->SetVertice(3, &q, 0), 1);
  EXPECT_EQ(ChainCorners(*square), (Corners{{-2, -2}, {10, 0}, {12, 12}, {0, 10}, {-2, -2}}));
  EXPECT_TRUE(square->IsClosed());
  EXPECT_DOUBLE_EQ(square->Width(), 14.0);
}

TEST(Multi3D, SetVerticeOnABrokenChainNumbersBothEndsOfEverySegment) {
  auto open = OpenOutline({{0, 0}, {10, 0}, {10, 10}});
  open->Connect(0);
  Point3D r(11, 1, 0);
  EXPECT_EQ(open->SetVertice(2, &r, 0), 1);  // end of segment 1 only
  EXPECT_THAT(*open->Segment(2)->Spt(), PointIs(10, 0, 0));
  EXPECT_EQ(open->SetVertice(3, &r, 0), 1);  // start of segment 2
  EXPECT_EQ(ChainCorners(*open), (Corners{{0, 0}, {11, 1}, {10, 10}}));
  EXPECT_EQ(open->SetVertice(5, &r, 0), 0);
  EXPECT_EQ(VertexCount(open->GetVertices(0)), 4);
}

TEST(Multi3D, BoxSizedItemsFollowVertexMovesAndScaling) {
  auto skylight = RectangleOutline(0, 0, 4, 2);
  auto roof = RectangleOutline(0, 0, 4, 2);
  Attach(*skylight, {With(Item(6122, "Skylight"), "Length", kPropLength, kDataTypeString, "4")});
  Attach(*roof, {With(Item(6114, "Roof"), "Length", kPropLength, kDataTypeString, "4")});
  Point3D p(12.5, 3.25, 0);
  skylight->SetVertice(3, &p, 0);
  roof->SetVertice(3, &p, 0);
  char length[64] = {};
  ASSERT_NE(skylight->GetAttr(nullptr, "Length", kDataTypeString, length), 0);
  // A text attribute takes the locale-free "%6.2f" text; a missing one is added as a number.
  EXPECT_STREQ(length, " 12.50");
  EXPECT_NEAR(AttrValue(*skylight, "Width"), 3.25, kTol);
  ASSERT_NE(roof->GetAttr(nullptr, "Length", kDataTypeString, length), 0);
  EXPECT_STREQ(length, "4");  // items of other kinds keep their size

  auto hatch = RectangleOutline(0, 0, 3, 2);
  Attach(*hatch, {Item(6159, "Hatch")});
  const Point3D origin(0, 0, 0);
  hatch->Scale(&origin, 2.0);
  EXPECT_DOUBLE_EQ(AttrValue(*hatch, "Length"), 6.0);
  EXPECT_DOUBLE_EQ(AttrValue(*hatch, "Width"), 4.0);
}

// ---- Access ------------------------------------------------------------------------------

TEST(Multi3D, SegmentAccessIsOneBasedAndNeighboursWrapOnlyWhenClosed) {
  auto m = RectangleOutline(0, 0, 10, 10);
  EXPECT_EQ(m->Segment(4), m->LastSegment());
  EXPECT_EQ(m->PrevSegment(), nullptr);
  for (int n = 1; n <= 5; ++n)
    EXPECT_EQ(m->NextSegment(), m->Segment(n));
  EXPECT_EQ(m->Curve3D::Segment(), 4);
  EXPECT_EQ(m->PrevSegment(), m->Segment(3));
  m->SegmentFlush();
  EXPECT_EQ(m->Curve3D::Segment(), 0);
  EXPECT_EQ(m->GetNextCurve(m->LastSegment()), m->FirstSegment());
  EXPECT_EQ(m->GetPrevCurve(m->FirstSegment()), m->LastSegment());

  auto open = OpenOutline({{0, 0}, {10, 0}, {10, 10}});
  EXPECT_EQ(open->GetNextCurve(open->LastSegment()), nullptr);
  EXPECT_EQ(open->GetPrevCurve(open->FirstSegment()), nullptr);
  EXPECT_EQ(open->GetNextCurve(open->FirstSegment()), open->LastSegment());
}

TEST(Multi3D, SegmentsAreFoundByIdAndCaseBlindGuid) {
  auto m = RectangleOutline(0, 0, 10, 10);
  EXPECT_EQ(m->Id(100, 1), 105);
  EXPECT_EQ(m->GetSegmentById(103), m->Segment(3));
  m->Segment(2)->Guid("{ABCDEF01-2345-6789-ABCD-EF0123456789}");
  EXPECT_EQ(m->GetSegmentByGuid("{abcdef01-2345-6789-abcd-ef0123456789}"), m->Segment(2));
  EXPECT_EQ(m->Id(200, 0), 201);  // not recursing: the segments keep theirs
  EXPECT_EQ(m->Segment(1)->Id(), 101);
}

TEST(Multi3D, VerticesOpeningsAndVertexTolerance) {
  auto closed = LPlan();
  const std::unique_ptr<DblPlist> v(closed->GetVertices(0));
  ASSERT_EQ(v->Num(), 6);
  EXPECT_THAT(*v->GetPoint(4), PointIs(20, 20, 0));
  EXPECT_EQ(VertexCount(closed->GetFillVertices()), 6);
  auto open = OpenOutline({{0, 0}, {10, 0}, {10, 10}});
  EXPECT_EQ(VertexCount(open->GetVertices(0)), 3);
  EXPECT_THAT(*closed->GetVertex(2), PointIs(40, 0, 0));
  EXPECT_EQ(closed->GetVertex(7), nullptr);

  auto hole = RectangleOutline(10, 10, 20, 20);
  closed->AddExclusion(hole.get());
  EXPECT_EQ(closed->Opening(1), hole.get());
  EXPECT_EQ(closed->Opening(0), nullptr);
  EXPECT_EQ(closed->Opening(2), nullptr);
  closed->RemoveExclusion(hole.get());

  Point3D start(0, 0, 0), corner(40, 1e-11, 0), off(40, 2e-11, 0);
  EXPECT_TRUE(closed->IsVertex(&start));
  EXPECT_TRUE(closed->IsVertex(&corner));
  EXPECT_FALSE(closed->IsVertex(&off));
  EXPECT_EQ(closed->PtOnVertex(&corner, 1.0, 1.0), 2);
  EXPECT_EQ(closed->PtOnVertex(&off, 1.0, 1.0), 0);
}

// ---- Selection ---------------------------------------------------------------------------

TEST(Multi3D, SelectionCountsTogglesAndSteps) {
  auto m = RectangleOutline(0, 0, 10, 10);
  EXPECT_EQ(m->SelectSegment(2), m->Segment(2));
  EXPECT_EQ(m->GetSelectedSegment(), m->Segment(2));
  m->SelectSegment(3);
  EXPECT_EQ(m->GetSelectedSegment(), nullptr);  // two selected
  m->SelectSegment(3);                          // toggles back off
  EXPECT_EQ(m->IsSegmentSelected(), 1);
  EXPECT_EQ(m->AllSegmentSelected(), 0);
  EXPECT_EQ(m->SelectAll(), 4);
  EXPECT_EQ(m->AllSegmentSelected(), 1);
  m->Selected(0);
  EXPECT_EQ(m->IsSegmentSelected(), 0);
  EXPECT_EQ(Multi3D().AllSegmentSelected(), 1);

  // Stepping wraps also on open outlines.
  auto open = OpenOutline({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  open->SelectSegment(3);
  EXPECT_EQ(open->SelectNextSegment(0), open->Segment(1));
  EXPECT_EQ(open->IsSegmentSelected(), 1);
  EXPECT_EQ(open->SelectPrevSegment(0), open->Segment(3));
  EXPECT_EQ(open->SelectPrevSegment(0), open->Segment(2));
  // restart, or anything but exactly one selected, starts again from the first.
  EXPECT_EQ(open->SelectNextSegment(1), open->Segment(1));
  open->SelectAll();
  EXPECT_EQ(open->SelectPrevSegment(0), open->Segment(1));
  EXPECT_EQ(open->IsSegmentSelected(), 1);
}

TEST(Multi3D, SegmentMarksAndFreezingFollowTheSelection) {
  auto m = RectangleOutline(0, 0, 10, 10);
  EXPECT_EQ(m->Segments(1), 4);  // outline not selected: every segment
  m->SegmentFlush();
  m->Curve3D::Selected(1);
  m->SelectSegment(2);
  EXPECT_EQ(m->Segments(1), 1);
  EXPECT_EQ(m->Segment(2)->Segment(), 1);
  EXPECT_EQ(m->Segment(1)->Segment(), 0);
  m->FreezeSelected(true);
  EXPECT_TRUE(m->Segment(2)->Frozen());
  EXPECT_FALSE(m->Segment(1)->Frozen());
  m->Segment(1)->Frozen(true);
  m->FreezeSelected(false);
  EXPECT_FALSE(m->Segment(1)->Frozen());
  EXPECT_FALSE(m->Segment(2)->Frozen());
}

// ---- Attributes ---------------------------------------------------------------------------

TEST(Multi3D, ColourReadsAndWritesFollowTheSelection) {
  auto m = RectangleOutline(0, 0, 10, 10);
  EXPECT_EQ(m->GetColour(), kNoSegmentSelected);
  m->Segment(1)->Colour(2);
  m->Segment(2)->Colour(5);
  m->SelectSegment(1);
  EXPECT_EQ(m->GetColour(), 2);
  m->SelectSegment(2);
  EXPECT_EQ(m->GetColour(), kSegmentsDiffer);
  EXPECT_EQ(m->HasOneLineColour(), 0);
  EXPECT_EQ(m->HasOneLineStyle(), 0);

  m->State(kStateUnchanged);
  m->Curve3D::Selected(1);
  m->SelectSegment(1);  // only side 2 stays selected
  m->Colour(6);
  EXPECT_EQ(m->Segment(2)->GetColour(), 6);
  EXPECT_EQ(m->Segment(1)->GetColour(), 2);
  EXPECT_EQ(m->Curve3D::GetColour(), 0);
  EXPECT_EQ(m->Curve3D::State(), kStateChanged);
  m->Selected(0);  // not selected: every side and the outline itself
  m->Colour(7);
  EXPECT_EQ(m->HasOneLineColour(), 1);
  EXPECT_EQ(m->Curve3D::GetColour(), 7);
  // A block outline styles every side whatever the selection.
  m->Blocktype(2);
  m->Curve3D::Selected(1);
  m->SelectSegment(1);
  m->Thickness(3);
  EXPECT_EQ(m->Segment(4)->Thickness(), 3);
  EXPECT_EQ(m->Curve3D::Thickness(), 1);
  EXPECT_EQ(m->Thickness(), 3);  // the selected side's
  m->Linetype(2);
  EXPECT_EQ(m->GetLinetype(), 2);
  EXPECT_EQ(m->HasOneLineStyle(), 1);
}

TEST(Multi3D, FillNameAngleAndSegmentKinds) {
  auto m = RectangleOutline(0, 0, 10, 10);
  m->FillColour(3);
  EXPECT_EQ(m->GetFillColour(), 3);
  EXPECT_EQ(m->FillPattern(), -1);
  m->FillPattern(-3);
  EXPECT_EQ(m->GetFillColour(), -1);
  EXPECT_DOUBLE_EQ(m->Angle(), 0.0);
  m->SelectSegment(2);
  EXPECT_DOUBLE_EQ(m->Angle(), 90.0);  // the one selected side's
  m->SelectSegment(3);
  EXPECT_DOUBLE_EQ(m->Angle(), 0.0);
  m->SelectSegment(2);
  EXPECT_STREQ(m->Name("Eave"), "Eave");  // renames the one selected side
  EXPECT_STREQ(m->Segment(3)->Curve3D::Name(0, nullptr), "Eave");
  EXPECT_STREQ(m->Curve3D::Name(0, nullptr), "MultiLine");
  m->Selected(0);
  m->Name("Main roof");
  EXPECT_STREQ(m->Curve3D::Name(0, nullptr), "Main roof");
  EXPECT_EQ(m->HasArcSegments(), 0);
  EXPECT_EQ(m->HasEdgeSegments(), 0);
  EXPECT_EQ(ArcTopSquare(true)->HasArcSegments(), 1);
}

TEST(Multi3D, PitchIsWrittenOnTheClosedOutlineAsText) {
  auto roof = RectangleOutline(0, 0, 10, 10);
  Attach(*roof, {With(Item(6114, "Main"), "Pitch", kPropPitch, kDataTypeString, "4")});
  EXPECT_DOUBLE_EQ(roof->SetPitch(6.126), 6.126);
  EXPECT_NEAR(roof->Pitch(), 6.13, kTol);  // two decimals are kept
  // A side picked alone answers with its own pitch (none here), not the roof's.
  roof->Curve3D::Selected(1);
  roof->SelectSegment(1);
  EXPECT_DOUBLE_EQ(roof->Pitch(), 0.0);
  roof->Selected(0);
  EXPECT_NEAR(roof->Pitch(), 6.13, kTol);
  EXPECT_EQ(roof->Curve3D::State(), kStateGeometryChanged);
}

// ---- Measures -----------------------------------------------------------------------------

TEST(Multi3D, AreaAndPerimeterMatchAnIndependentShoelace) {
  const Corners cases[] = {
      {{0, 0}, {12.5, 0}, {12.5, 7.25}, {0, 7.25}},
      {{0, 0}, {0, 8}, {30, 8}, {30, 0}},  // clockwise
      {{0, 0}, {40, 0}, {40, 20}, {20, 20}, {20, 40}, {0, 40}},
      {{100, 100}, {133, 104}, {129, 150}, {97, 141}},
  };
  for (const Corners& c : cases) {
    SCOPED_TRACE(c.size());
    auto m = PolygonOutline(c);
    ASSERT_TRUE(m->IsClosed());
    EXPECT_NEAR(m->Area(1), CornerArea(c), kTol);
    EXPECT_NEAR(m->Length(1), CornerPerimeter(c), kTol);
  }
  // Arc sides add or remove their half disc; the arc length counts either way.
  for (const int sense : {1, -1}) {
    auto arched = ArcTopSquare(sense > 0);
    EXPECT_NEAR(arched->Area(1), 100.0 + sense * 12.5 * std::numbers::pi, 1e-6);
    EXPECT_NEAR(arched->Length(1), 30.0 + 5.0 * std::numbers::pi, 1e-6);
  }
  // Open outlines have no area; a selection changes only the length.
  auto open = OpenOutline({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  EXPECT_DOUBLE_EQ(open->Area(1), 0.0);
  EXPECT_NEAR(open->Length(1), 30.0, kTol);
  auto plan = LPlan();
  plan->SelectSegment(1);
  plan->SelectSegment(4);
  EXPECT_NEAR(plan->Length(0), 60.0, kTol);
  EXPECT_NEAR(plan->Length(1), 160.0, kTol);
  EXPECT_NEAR(plan->Area(0), 1200.0, kTol);
}

// ---- Nearness -----------------------------------------------------------------------------

TEST(Multi3D, NearnessTakesTheBestSegment) {
  auto m = RectangleOutline(0, 0, 10, 10);
  Point3D p(5, 0.3, 0), inside(5, 5, 0), nearRight(9.5, 5, 0), mid;
  EXPECT_NEAR(m->PtOnLine(&p, 1.0, 0.5), 0.3, kTol);
  EXPECT_EQ(m->PtOnSegment(&p, 1.0, 0.5), 1);
  EXPECT_DOUBLE_EQ(m->PtOnLine(&inside, 1.0, 0.5), kNotNear);
  EXPECT_DOUBLE_EQ(m->IsNear(&inside, 1.0, 0.5), kNotNear);
  EXPECT_EQ(m->PtOnSegment(&inside, 1.0, 0.5), 0);
  EXPECT_NEAR(m->IsNearMidPt(&nearRight, &mid, 1.0), 0.5, kTol);
  EXPECT_THAT(mid, PointIs(10, 5, 0));

  Point3D corner(10.1, 0.1, 0), far(50, 50, 0), vertex;
  int n = 0;
  EXPECT_NEAR(m->IsNearVertex(&corner, &vertex, n, 1.0, 0.5), std::hypot(0.1, 0.1), kTol);
  EXPECT_EQ(n, 2);  // the corner ends side 1 and starts side 2: the later one wins
  EXPECT_THAT(vertex, PointIs(10, 0, 0));
  n = 0;
  EXPECT_DOUBLE_EQ(m->IsNearVertex(&far, &vertex, n, 1.0, 0.5), kNotNear);
  EXPECT_EQ(n, 0);
}

// ---- Transformations, state and flags -----------------------------------------------------

TEST(Multi3D, TransformationsMoveEverySegmentAndTheEnds) {
  auto m = RectangleOutline(0, 0, 10, 10);
  const Point3D v(5, -2, 0), axis(0, 0, 1), normal(1, 0, 0);
  m->Translate(&v, false);
  m->Translate(nullptr, false);
  EXPECT_EQ(ChainCorners(*m), (Corners{{5, -2}, {15, -2}, {15, 8}, {5, 8}, {5, -2}}));
  EXPECT_DOUBLE_EQ(m->Box(0, nullptr)->Left(), 5.0);
  m->Rotate(&v, &axis, std::numbers::pi / 2);
  EXPECT_THAT(*m->Segment(2)->Spt(), PointNear(5, 8, 0, kTol));
  EXPECT_TRUE(m->IsClosed());
  m->Scale(m->Spt(), 2.0);  // the centre is one of the moving points
  EXPECT_NEAR(m->Area(1), 400.0, kTol);
  EXPECT_THAT(*m->Spt(), PointIs(5, -2, 0));
  m->Mirror(&normal, 0.0);
  EXPECT_THAT(*m->Spt(), PointIs(-5, -2, 0));
  EXPECT_NEAR(m->Area(1), 400.0, kTol);
}

TEST(Multi3D, StateTFlagAndIdentReachEverySegment) {
  auto a = RectangleOutline(0, 0, 10, 10);
  a->State(kStateUnchanged);
  EXPECT_EQ(a->Segment(3)->State(), kStateUnchanged);
  a->State(kStateGeometryChanged);
  EXPECT_EQ(a->Segment(3)->State(), kStateGeometryChanged);
  a->TFlag(9);
  EXPECT_EQ(a->Segment(4)->TFlag(), 9);
  EXPECT_EQ(a->Curve3D::TFlag(), 9);

  auto b = RectangleOutline(0, 0, 10, 10);
  EXPECT_TRUE(a->Ident(b.get()));
  b->Blocktype(2);
  EXPECT_FALSE(a->Ident(b.get()));
  b->Blocktype(kOutlineBlocktype);
  b->Segment(2)->Ept(10, 11, 0);
  EXPECT_FALSE(a->Ident(b.get()));
  Line3D line;
  EXPECT_FALSE(a->Ident(&line));
}

// ---- Repairs ------------------------------------------------------------------------------

TEST(Multi3D, PurgeZeroLinesDropsJoinedZeroSidesAndStretchesGapped) {
  Multi3D m, gapped;
  const Point3D a(0, 0, 0), b(10, 0, 0), c(10, 10, 0), gap(10, 2, 0);
  for (auto [s, e] : {std::pair{&a, &b}, {&b, &b}, {&b, &c}, {&c, &a}, {&a, &a}})
    m.Add(new Line3D(s, e));
  EXPECT_EQ(m.PurgeZeroLines(), 1);
  EXPECT_EQ(m.Nodes(), 3);
  EXPECT_EQ(m.GetCurveList()->Num(), 3);
  EXPECT_TRUE(m.IsClosed());
  EXPECT_NEAR(m.Area(1), 50.0, kTol);
  // A zero side between neighbours that do not meet is stretched across the gap.
  for (auto [s, e] : {std::pair{&a, &b}, {&b, &b}, {&gap, &c}, {&c, &a}})
    gapped.Add(new Line3D(s, e));
  gapped.PurgeZeroLines();
  EXPECT_EQ(ChainCorners(gapped), (Corners{{0, 0}, {10, 0}, {10, 2}, {10, 10}, {0, 0}}));
  EXPECT_THAT(*gapped.Segment(2)->Ept(), PointIs(10, 2, 0));
}

TEST(Multi3D, RepairBrokenOutlineAndBoxToMulti) {
  auto m = OpenOutline({{0, 0}, {10, 0}, {10, 10}, {0.5, 0.5}});
  EXPECT_TRUE(m->RepairBrokenOutline());
  EXPECT_EQ(ChainCorners(*m), (Corners{{0, 0}, {10, 0}, {10, 10}, {0, 0}}));  // last gap closed
  EXPECT_TRUE(m->IsClosed());
  EXPECT_EQ(m->Valid(), 1);
  EXPECT_TRUE(Multi3D().RepairBrokenOutline());

  // A box outline runs up the left side from the lower-left corner.
  Box3D box(2.0, 9.0, 7.0, 1.0);  // left, top, right, bottom
  ASSERT_EQ(BoxToMulti(&box, m.get()), m.get());
  EXPECT_EQ(ChainCorners(*m), (Corners{{2, 1}, {2, 9}, {7, 9}, {7, 1}, {2, 1}}));
  EXPECT_TRUE(m->IsClosed());
  // Its own box as the source: copied before the rebuild.
  EXPECT_EQ(BoxToMulti(m->Box(0, nullptr), m.get()), m.get());
  EXPECT_NEAR(m->Area(1), 40.0, kTol);
  EXPECT_EQ(BoxToMulti(nullptr, m.get()), m.get());
}

// ---- Pitched edges in the chain -----------------------------------------------------------

TEST(Multi3D, RoofEdgePartsAreFoundAndRebuiltWithTheOutline) {
  auto m = OpenOutline({{0, 0}, {10, 0}, {10, 10}});
  const Point3D a(10, 10, 0), b(0, 10, 0), c(0, 0, 0);
  auto* top = new REdge3D(&a, &b, 0, 0, 1);
  Attach(*top, {With(Item(6105, "Eave"), "Overhang", kPropOverhang, kDataTypeDouble, "2")});
  m->Add(top);
  m->Add(new Line3D(&b, &c));
  EXPECT_EQ(m->HasEdgeSegments(), 1);
  EXPECT_EQ(m->RecalcEdges(), 1);
  Line3D* edge = top->GetEdge();
  ASSERT_NE(edge, nullptr);
  EXPECT_NEAR(edge->Spt()->y, 12.0, kTol);
  edge->Id(42, 0);
  EXPECT_EQ(m->GetSegmentById(42), edge);
  // The side before the roof edge runs out to the overhang line, the box follows, and the plan
  // area covers the overhang: 10 wide, 12 deep.
  EXPECT_NEAR(m->Segment(2)->Ept()->y, 12.0, kTol);
  EXPECT_NEAR(m->Box(0, nullptr)->Top(), 12.0, kTol);
  EXPECT_NEAR(m->Area(1), 120.0, kTol);
}
