#include "entities/multi3d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "entities/arc3d.h"
#include "entities/line3d.h"
#include "entities/redge3d.h"
#include "geometry/box3d.h"
#include "geometry/dblplist.h"
#include "support/geometry_matchers.h"
#include "support/outline_builders.h"
#include "support/smartobject_builders.h"

namespace {

constexpr double kTol = 1e-9;
constexpr double kPi = 3.14159265358979323846;

// Independent plan area of a corner polygon (shoelace), for comparison with Area.
double ShoelaceArea(const std::vector<Corner>& corners) {
  double twice = 0.0;
  for (size_t i = 0; i < corners.size(); ++i) {
    const Corner& a = corners[i];
    const Corner& b = corners[(i + 1) % corners.size()];
    twice += a.first * b.second - b.first * a.second;
  }
  return std::abs(twice) / 2.0;
}

double PerimeterOf(const std::vector<Corner>& corners) {
  double sum = 0.0;
  for (size_t i = 0; i < corners.size(); ++i) {
    const Corner& a = corners[i];
    const Corner& b = corners[(i + 1) % corners.size()];
    sum += std::hypot(b.first - a.first, b.second - a.second);
  }
  return sum;
}

// Area between chord and arc for a half circle of radius r: the semicircle itself.
double HalfDiscArea(double r) {
  return 0.5 * r * r * (kPi - std::sin(kPi));
}

std::unique_ptr<DblPlist> Owned(DblPlist* l) {
  return std::unique_ptr<DblPlist>(l);
}

}  // namespace

// ---- Construction and lifetime ------------------------------------------------------------

TEST(Multi3D, NewOutlineIsAnEmptyOrdinaryPolygon) {
  Multi3D m;
  EXPECT_EQ(m.Type(), kEntityPolyline);
  EXPECT_STREQ(m.Curve3D::Name(0, nullptr), "MultiLine");
  EXPECT_EQ(m.Nodes(), 0);
  EXPECT_EQ(m.IsContinuous(), 0);
  EXPECT_EQ(m.Blocktype(), kOutlineBlocktype);
  EXPECT_EQ(m.Valid(), 1);
  EXPECT_EQ(m.Curve3D::State(), kStateUnchanged);
  EXPECT_FALSE(m.IsClosed());
  EXPECT_EQ(m.FirstSegment(), nullptr);
}

TEST(Multi3D, LiveCountFollowsConstructionCopyAndDestruction) {
  const int before = Multi3D::LiveCount();
  {
    auto square = RectangleOutline(0, 0, 10, 10);
    EXPECT_EQ(Multi3D::LiveCount(), before + 1);
    std::unique_ptr<Curve3D> copy(square->Copy());
    EXPECT_EQ(square->GetNum(), before + 2);
  }
  EXPECT_EQ(Multi3D::LiveCount(), before);
}

TEST(Multi3D, OneCurveOutlineTakesTheCurveAndItsClosure) {
  const Point3D c(0, 0, 0), s(5, 0, 0);
  auto* arc = new Arc3D(&c, 5.0, &s, &s, kArcCounterClockwise, 3, 0, 2);
  Multi3D m(arc, -1, -2);
  EXPECT_EQ(m.Nodes(), 1);
  EXPECT_EQ(m.FirstSegment(), arc);
  EXPECT_EQ(m.IsContinuous(), 1);
  EXPECT_EQ(m.Curve3D::GetColour(), 3);
  EXPECT_EQ(m.Curve3D::Thickness(), 2);
  Multi3D empty(static_cast<Curve3D*>(nullptr), -1, -2);
  EXPECT_EQ(empty.Nodes(), 0);
}

TEST(Multi3D, CopyIsDeepAndIdentical) {
  auto plan = LPlan();
  plan->Blocktype(3);
  plan->Valid(0);
  Multi3D copy(*plan);
  ASSERT_EQ(copy.Nodes(), 6);
  EXPECT_NE(copy.FirstSegment(), plan->FirstSegment());
  EXPECT_TRUE(copy.Ident(plan.get()));
  EXPECT_EQ(copy.Blocktype(), 3);
  EXPECT_EQ(copy.Valid(), 0);
  EXPECT_TRUE(copy.IsClosed());
  // Moving the copy's first corner leaves the original alone.
  copy.FirstSegment()->Spt(1, 1, 0);
  EXPECT_THAT(*plan->FirstSegment()->Spt(), PointIs(0, 0, 0));
  EXPECT_FALSE(copy.Ident(plan.get()));
}

TEST(Multi3D, ZeroAndClearEmptyTheChain) {
  auto square = RectangleOutline(0, 0, 10, 10);
  square->Blocktype(5);
  square->Zero();
  EXPECT_EQ(square->Nodes(), 0);
  EXPECT_EQ(square->IsContinuous(), 0);
  EXPECT_EQ(square->Blocktype(), kOutlineBlocktype);
  EXPECT_STREQ(square->Curve3D::Name(0, nullptr), "MultiLine");

  auto other = RectangleOutline(0, 0, 10, 10);
  Curve3D* kept = other->FirstSegment();
  other->GetCurveList()->Detach(kept);  // taken back before the non-deleting clear
  std::unique_ptr<Curve3D> owned(kept);
  EXPECT_EQ(other->Clear(1), 0);
  EXPECT_EQ(other->Nodes(), 0);
  EXPECT_EQ(other->GetCurveList()->Num(), 0);
}

// ---- Building the chain -------------------------------------------------------------------

TEST(Multi3D, AddKeepsContinuityEndsBoxAndPositions) {
  Multi3D m;
  const Point3D a(0, 0, 0), b(10, 0, 0), c(10, 5, 0), far(20, 20, 0);
  auto* first = new Line3D(&a, &b);
  m.Add(first);
  EXPECT_EQ(m.IsContinuous(), 0);
  auto* second = new Line3D(&b, &c);
  m.Add(second);
  EXPECT_EQ(m.IsContinuous(), 1);
  EXPECT_EQ(second->SegmentPosition(), 2);
  EXPECT_THAT(*m.Spt(), PointIs(0, 0, 0));
  EXPECT_THAT(*m.Ept(), PointIs(10, 5, 0));
  // A segment that does not start at the end breaks the chain for good.
  m.Add(new Line3D(&far, &a));
  EXPECT_EQ(m.IsContinuous(), 0);
  m.Add(new Line3D(&a, &b));
  EXPECT_EQ(m.IsContinuous(), 0);
  EXPECT_EQ(m.Nodes(), 4);
  EXPECT_DOUBLE_EQ(m.Width(), 20.0);
  EXPECT_DOUBLE_EQ(m.Height(), 20.0);
  EXPECT_EQ(m.Curve3D::State(), kStateGeometryChanged);
  // Null and an already listed segment change nothing.
  EXPECT_EQ(m.Add(static_cast<Curve3D*>(nullptr)), 4);
  EXPECT_EQ(m.Add(first), 4);
}

TEST(Multi3D, AddPointSkipsThePointAtTheEndWithinIdentTolerance) {
  auto m = OpenOutline({{1, 0}, {0, 0}});
  Point3D same(1e-11, 0, 0);
  EXPECT_EQ(m->Add(&same), 1);
  Point3D beyond(2e-11, 0, 0);
  EXPECT_EQ(m->Add(&beyond), 2);
  Point3D tagged(5, 5, 0);
  tagged.Id(77);
  m->Curve3D::Colour(4);
  m->Add(&tagged);
  EXPECT_EQ(m->LastSegment()->Id(), 77);
  EXPECT_EQ(m->LastSegment()->GetColour(), 4);
  EXPECT_EQ(m->LastSegment()->Type(), kEntityLine);
  EXPECT_EQ(m->Add(static_cast<Point3D*>(nullptr)), 3);
}

TEST(Multi3D, CloseAddsTheLastSideOnlyToAContinuousOpenChain) {
  auto open = OpenOutline({{0, 0}, {10, 0}, {10, 10}});
  EXPECT_FALSE(open->IsClosed());
  EXPECT_EQ(open->Close(), 1);
  EXPECT_TRUE(open->IsClosed());
  EXPECT_EQ(open->Nodes(), 3);
  EXPECT_EQ(open->Close(), 0);

  auto broken = OpenOutline({{0, 0}, {10, 0}, {10, 10}});
  EXPECT_EQ(broken->Connect(0), 1);
  EXPECT_EQ(broken->Close(), 0);
  EXPECT_EQ(broken->Nodes(), 2);
  // The chain ending on its start with the flag cleared is still not closed.
  Point3D start(0, 0, 0);
  broken->Add(&start);
  EXPECT_FALSE(broken->IsClosed());
}

TEST(Multi3D, InsertAtTheHeadMovesTheStart) {
  auto m = OpenOutline({{0, 0}, {10, 0}});
  const Point3D a(-5, 0, 0), b(0, 0, 0), c(20, 0, 0);
  ASSERT_NE(m->Insert(new Line3D(&a, &b), 1), nullptr);
  EXPECT_EQ(m->Nodes(), 2);
  EXPECT_THAT(*m->Spt(), PointIs(-5, 0, 0));
  ASSERT_NE(m->Insert(new Line3D(&(*m->Ept()), &c), 3), nullptr);
  EXPECT_THAT(*m->Ept(), PointIs(20, 0, 0));
  EXPECT_DOUBLE_EQ(m->Width(), 25.0);
  EXPECT_EQ(m->Insert(nullptr, 1), nullptr);
  EXPECT_EQ(m->Nodes(), 3);
}

TEST(Multi3D, RemoveSegmentHandsBackTheSegmentAndMovesTheEnds) {
  auto m = OpenOutline({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  EXPECT_EQ(m->RemoveSegment(0), nullptr);
  EXPECT_EQ(m->RemoveSegment(4), nullptr);
  std::unique_ptr<Curve3D> first(m->RemoveSegment(1));
  ASSERT_NE(first, nullptr);
  EXPECT_THAT(*m->Spt(), PointIs(10, 0, 0));
  std::unique_ptr<Curve3D> last(m->RemoveSegment(2));
  ASSERT_NE(last, nullptr);
  EXPECT_THAT(*m->Ept(), PointIs(10, 10, 0));
  EXPECT_EQ(m->Nodes(), 1);
  EXPECT_DOUBLE_EQ(m->Width(), 0.0);
  // Removing the only segment keeps the ends where they were.
  std::unique_ptr<Curve3D> only(m->RemoveSegment(1));
  EXPECT_EQ(m->Nodes(), 0);
  EXPECT_THAT(*m->Spt(), PointIs(10, 0, 0));
  EXPECT_THAT(*m->Ept(), PointIs(10, 10, 0));
}

TEST(Multi3D, RemovingAnInnerSegmentBreaksContinuityAtTheGap) {
  auto m = OpenOutline({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  std::unique_ptr<Curve3D> inner(m->RemoveCurve(m->Segment(2)));
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(m->IsContinuous(), 0);
  EXPECT_EQ(m->Nodes(), 2);
  Line3D stranger(0, 0, 0, 1, 1, 0);
  EXPECT_EQ(m->RemoveCurve(&stranger), nullptr);
  EXPECT_EQ(m->RemoveCurve(nullptr), nullptr);
}

TEST(Multi3D, DeleteSelectedRejoinsAcrossTheGapOfAClosedOutline) {
  // Deleting the bottom side of the square: the right side is pulled to the lower-left corner.
  auto m = RectangleOutline(0, 0, 10, 10);
  m->SelectSegment(1);
  EXPECT_EQ(m->Delete_Selected(), 1);
  ASSERT_EQ(m->Nodes(), 3);
  EXPECT_THAT(*m->FirstSegment()->Spt(), PointIs(0, 0, 0));
  EXPECT_TRUE(m->IsClosed());
  EXPECT_NEAR(m->Area(1), ShoelaceArea({{0, 0}, {10, 10}, {0, 10}}), kTol);

  auto two = OpenOutline({{0, 0}, {10, 0}, {10, 10}});
  two->SelectSegment(2);
  EXPECT_EQ(two->Delete_Selected(), 1);
  EXPECT_EQ(two->IsContinuous(), 0);
  EXPECT_EQ(two->Delete_Selected(), 0);
}

TEST(Multi3D, SetCopiesAnotherOutlineAndForwardsFromTheBase) {
  auto plan = TPlan();
  plan->Blocktype(4);
  Multi3D target;
  target.Add(new Line3D(0, 0, 0, 1, 0, 0));
  Curve3D* asBase = &target;
  asBase->Set(plan.get());
  EXPECT_EQ(target.Nodes(), 8);
  EXPECT_EQ(target.Blocktype(), 4);
  EXPECT_TRUE(target.IsClosed());
  EXPECT_NE(target.FirstSegment(), plan->FirstSegment());
  EXPECT_NEAR(target.Area(1), 1800.0, kTol);

  Multi3D fromList;
  EXPECT_EQ(fromList.SetCurveList(plan->GetCurveList()), 8);
  EXPECT_NE(fromList.FirstSegment(), plan->FirstSegment());
  EXPECT_EQ(fromList.SetCurveList(nullptr), 8);
}

TEST(Multi3D, MovingTheStartRejoinsTheFirstSide) {
  auto m = OpenOutline({{0, 0}, {10, 0}, {10, 10}});
  m->Spt(0, 2, 0);
  EXPECT_THAT(*m->Spt(), PointIs(0, 2, 0));
  EXPECT_THAT(*m->Segment(2)->Spt(), PointNear(10, 0, 0, kTol));
  m->Ept(12, 10, 0);
  EXPECT_THAT(*m->Ept(), PointIs(12, 10, 0));
  EXPECT_DOUBLE_EQ(m->Width(), 12.0);
  EXPECT_EQ(m->Spt(nullptr), nullptr);
}

TEST(Multi3D, SetVerticeMovesSharedCornersAndBothEndsOfAClosedOutline) {
  auto m = RectangleOutline(0, 0, 10, 10);
  Point3D p(-2, -2, 0);
  EXPECT_EQ(m->SetVertice(1, &p, 0), 1);
  EXPECT_THAT(*m->FirstSegment()->Spt(), PointIs(-2, -2, 0));
  EXPECT_THAT(*m->LastSegment()->Ept(), PointIs(-2, -2, 0));
  EXPECT_TRUE(m->IsClosed());
  Point3D q(12, 12, 0);
  EXPECT_EQ(m->SetVertice(3, &q, 0), 1);
  EXPECT_THAT(*m->Segment(2)->Ept(), PointIs(12, 12, 0));
  EXPECT_THAT(*m->Segment(3)->Spt(), PointIs(12, 12, 0));
  EXPECT_DOUBLE_EQ(m->Width(), 14.0);
  EXPECT_EQ(m->SetVertice(6, &q, 0), 0);
  EXPECT_EQ(m->SetVertice(0, &q, 0), 0);
  EXPECT_EQ(m->SetVertice(2, nullptr, 0), 0);
}

TEST(Multi3D, SetVerticeOnABrokenChainNumbersBothEndsOfEverySegment) {
  auto m = OpenOutline({{0, 0}, {10, 0}, {10, 10}});
  m->Connect(0);
  Point3D p(11, 1, 0);
  EXPECT_EQ(m->SetVertice(2, &p, 0), 1);  // end of segment 1 only
  EXPECT_THAT(*m->Segment(1)->Ept(), PointIs(11, 1, 0));
  EXPECT_THAT(*m->Segment(2)->Spt(), PointIs(10, 0, 0));
  EXPECT_EQ(m->SetVertice(3, &p, 0), 1);  // start of segment 2
  EXPECT_THAT(*m->Segment(2)->Spt(), PointIs(11, 1, 0));
  EXPECT_EQ(m->SetVertice(5, &p, 0), 0);
  auto vertices = Owned(m->GetVertices(0));
  EXPECT_EQ(vertices->Num(), 4);
}

TEST(Multi3D, SetVerticeResizesBoxSizedItemsLocaleFree) {
  auto skylight = RectangleOutline(0, 0, 4, 2);
  Attach(*skylight, {With(Item(6122, "Skylight"), "Length", kPropLength, kDataTypeString, "4")});
  Point3D p(12.5, 3.25, 0);
  skylight->SetVertice(3, &p, 0);
  char length[64] = {};
  char width[64] = {};
  ASSERT_NE(skylight->GetAttr(nullptr, "Length", kDataTypeString, length), 0);
  ASSERT_NE(skylight->GetAttr(nullptr, "Width", kDataTypeDouble, width), 0);
  // A text attribute takes the "%6.2f" text itself; a missing one is added as a number.
  EXPECT_STREQ(length, " 12.50");
  EXPECT_NEAR(std::atof(width), 3.25, kTol);
  // Items of other kinds keep their size.
  auto roof = RectangleOutline(0, 0, 4, 2);
  Attach(*roof, {With(Item(6114, "Roof"), "Length", kPropLength, kDataTypeString, "4")});
  roof->SetVertice(3, &p, 0);
  ASSERT_NE(roof->GetAttr(nullptr, "Length", kDataTypeString, length), 0);
  EXPECT_STREQ(length, "4");
}

// ---- Access ------------------------------------------------------------------------------

TEST(Multi3D, SegmentAccessIsOneBasedAndTheCursorStaysInRange) {
  auto m = RectangleOutline(0, 0, 10, 10);
  EXPECT_EQ(m->Segment(0), nullptr);
  EXPECT_EQ(m->Segment(5), nullptr);
  EXPECT_EQ(m->Segment(1), m->FirstSegment());
  EXPECT_EQ(m->Segment(4), m->LastSegment());
  EXPECT_EQ(m->SegmentItem(2)->Obj(), m->Segment(2));
  EXPECT_EQ(m->PrevSegment(), nullptr);
  for (int n = 1; n <= 4; ++n)
    EXPECT_EQ(m->NextSegment(), m->Segment(n));
  EXPECT_EQ(m->NextSegment(), nullptr);
  EXPECT_EQ(m->Curve3D::Segment(), 4);
  EXPECT_EQ(m->PrevSegment(), m->Segment(3));
  m->SegmentFlush();
  EXPECT_EQ(m->Curve3D::Segment(), 0);
}

TEST(Multi3D, NeighboursWrapOnlyOnClosedOutlines) {
  auto closed = RectangleOutline(0, 0, 10, 10);
  EXPECT_EQ(closed->GetNextCurve(closed->LastSegment()), closed->FirstSegment());
  EXPECT_EQ(closed->GetPrevCurve(closed->FirstSegment()), closed->LastSegment());
  auto open = OpenOutline({{0, 0}, {10, 0}, {10, 10}});
  EXPECT_EQ(open->GetNextCurve(open->LastSegment()), nullptr);
  EXPECT_EQ(open->GetPrevCurve(open->FirstSegment()), nullptr);
  EXPECT_EQ(open->GetNextCurve(open->FirstSegment()), open->LastSegment());
  Line3D stranger;
  EXPECT_EQ(open->GetNextCurve(&stranger), nullptr);
  EXPECT_EQ(open->GetNextCurve(nullptr), nullptr);
}

TEST(Multi3D, SegmentsAreFoundByIdAndCaseBlindGuid) {
  auto m = RectangleOutline(0, 0, 10, 10);
  EXPECT_EQ(m->Id(100, 1), 105);
  EXPECT_EQ(m->Id(), 100);
  EXPECT_EQ(m->GetSegmentById(103), m->Segment(3));
  EXPECT_EQ(m->GetSegmentById(99), nullptr);
  m->Segment(2)->Guid("{ABCDEF01-2345-6789-ABCD-EF0123456789}");
  EXPECT_EQ(m->GetSegmentByGuid("{abcdef01-2345-6789-abcd-ef0123456789}"), m->Segment(2));
  EXPECT_EQ(m->GetSegmentByGuid(""), nullptr);
  EXPECT_EQ(m->GetSegmentByGuid(nullptr), nullptr);
  EXPECT_EQ(m->Id(200, 0), 201);
  EXPECT_EQ(m->Segment(1)->Id(), 101);
}

TEST(Multi3D, VerticesOfClosedOpenAndBrokenOutlines) {
  auto closed = LPlan();
  auto v = Owned(closed->GetVertices(0));
  ASSERT_EQ(v->Num(), 6);
  EXPECT_THAT(*v->GetPoint(4), PointIs(20, 20, 0));
  auto fill = Owned(closed->GetFillVertices());
  EXPECT_EQ(fill->Num(), 6);
  auto open = OpenOutline({{0, 0}, {10, 0}, {10, 10}});
  auto ov = Owned(open->GetVertices(0));
  ASSERT_EQ(ov->Num(), 3);
  EXPECT_THAT(*ov->GetPoint(3), PointIs(10, 10, 0));
  EXPECT_EQ(Owned(open->GetFillVertices())->Num(), 3);
  EXPECT_THAT(*closed->GetVertex(0), PointIs(0, 0, 0));
  EXPECT_THAT(*closed->GetVertex(2), PointIs(40, 0, 0));
  EXPECT_EQ(closed->GetVertex(7), nullptr);
}

TEST(Multi3D, IsVertexAndPtOnVertexUseIdentTolerance) {
  auto m = RectangleOutline(0, 0, 10, 10);
  Point3D start(0, 0, 0), corner(10, 10 + 1e-11, 0), off(10, 10 + 3e-11, 0);
  EXPECT_TRUE(m->IsVertex(&start));
  EXPECT_TRUE(m->IsVertex(&corner));
  EXPECT_FALSE(m->IsVertex(&off));
  EXPECT_FALSE(m->IsVertex(nullptr));
  EXPECT_EQ(m->PtOnVertex(&corner, 1.0, 1.0), 3);
  EXPECT_EQ(m->PtOnVertex(&off, 1.0, 1.0), 0);
}

TEST(Multi3D, OpeningsAreTheExclusionsOneBased) {
  auto roof = RectangleOutline(0, 0, 40, 40);
  auto hole = RectangleOutline(10, 10, 20, 20);
  roof->AddExclusion(hole.get());
  EXPECT_EQ(roof->Opening(1), hole.get());
  EXPECT_EQ(roof->Opening(0), nullptr);
  EXPECT_EQ(roof->Opening(2), nullptr);
  roof->RemoveExclusion(hole.get());
}

// ---- Selection ---------------------------------------------------------------------------

TEST(Multi3D, SelectionCountsAndToggles) {
  auto m = RectangleOutline(0, 0, 10, 10);
  EXPECT_EQ(m->SelectSegment(5), nullptr);
  EXPECT_EQ(m->SelectSegment(2), m->Segment(2));
  EXPECT_EQ(m->IsSegmentSelected(), 1);
  EXPECT_EQ(m->GetSelectedSegment(), m->Segment(2));
  m->SelectSegment(3);
  EXPECT_EQ(m->GetSelectedSegment(), nullptr);
  m->SelectSegment(3);  // toggles back off
  EXPECT_EQ(m->IsSegmentSelected(), 1);
  EXPECT_EQ(m->AllSegmentSelected(), 0);
  EXPECT_EQ(m->SelectAll(), 4);
  EXPECT_EQ(m->AllSegmentSelected(), 1);
  m->Selected(1);
  EXPECT_EQ(m->IsSegmentSelected(), 4);
  m->Selected(0);
  EXPECT_EQ(m->IsSegmentSelected(), 0);
  Multi3D empty;
  EXPECT_EQ(empty.AllSegmentSelected(), 1);
  EXPECT_EQ(empty.SelectNextSegment(0), nullptr);
}

TEST(Multi3D, SelectNextAndPrevWrapAlsoOnOpenOutlines) {
  auto open = OpenOutline({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  open->SelectSegment(3);
  EXPECT_EQ(open->SelectNextSegment(0), open->Segment(1));
  EXPECT_EQ(open->IsSegmentSelected(), 1);
  EXPECT_EQ(open->SelectPrevSegment(0), open->Segment(3));
  EXPECT_EQ(open->SelectPrevSegment(0), open->Segment(2));
  EXPECT_EQ(open->SelectNextSegment(0), open->Segment(3));
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

TEST(Multi3D, ColourReadsReportNoneOrDifferingSelections) {
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
}

TEST(Multi3D, ColourWritesReachSelectedSidesOfASelectedOutline) {
  auto m = RectangleOutline(0, 0, 10, 10);
  m->State(kStateUnchanged);
  m->Curve3D::Selected(1);
  m->SelectSegment(2);
  m->Colour(6);
  EXPECT_EQ(m->Segment(2)->GetColour(), 6);
  EXPECT_EQ(m->Segment(1)->GetColour(), 0);
  EXPECT_EQ(m->Curve3D::GetColour(), 0);
  EXPECT_EQ(m->Curve3D::State(), kStateChanged);
  // Not selected: every side and the outline itself.
  m->Selected(0);
  m->Colour(7);
  EXPECT_EQ(m->HasOneLineColour(), 1);
  EXPECT_EQ(m->Curve3D::GetColour(), 7);
  // A block outline colours every side whatever the selection.
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

TEST(Multi3D, FillOfAnOrdinaryOutlineIsItsOwn) {
  auto m = RectangleOutline(0, 0, 10, 10);
  m->FillColour(3);
  EXPECT_EQ(m->GetFillColour(), 3);
  EXPECT_EQ(m->FillPattern(), -1);
  m->FillPattern(-3);
  EXPECT_EQ(m->GetFillColour(), -1);
}

TEST(Multi3D, NameRenamesTheOneSelectedSide) {
  auto m = RectangleOutline(0, 0, 10, 10);
  m->SelectSegment(3);
  EXPECT_STREQ(m->Name("Eave"), "Eave");
  EXPECT_STREQ(m->Segment(3)->Curve3D::Name(0, nullptr), "Eave");
  EXPECT_STREQ(m->Curve3D::Name(0, nullptr), "MultiLine");
  m->Selected(0);
  m->Name("Main roof");
  EXPECT_STREQ(m->Curve3D::Name(0, nullptr), "Main roof");
}

TEST(Multi3D, SegmentKindQueries) {
  auto square = RectangleOutline(0, 0, 10, 10);
  EXPECT_EQ(square->HasArcSegments(), 0);
  EXPECT_EQ(square->HasEdgeSegments(), 0);
  EXPECT_EQ(square->HasSegmentDimensions(), 0);
  auto arched = ArcTopSquare(true);
  EXPECT_EQ(arched->HasArcSegments(), 1);
  EXPECT_EQ(arched->HasEllipticalArcSegments(), 0);
  Multi3D empty;
  EXPECT_EQ(empty.HasOneLineStyle(), 1);
}

TEST(Multi3D, AngleIsTheOneSelectedSides) {
  auto m = RectangleOutline(0, 0, 10, 10);
  EXPECT_DOUBLE_EQ(m->Angle(), 0.0);
  m->SelectSegment(2);
  EXPECT_DOUBLE_EQ(m->Angle(), 90.0);
  m->SelectSegment(3);
  EXPECT_DOUBLE_EQ(m->Angle(), 0.0);
}

TEST(Multi3D, PitchIsWrittenOnTheClosedOutlineAsText) {
  auto roof = RectangleOutline(0, 0, 10, 10);
  Attach(*roof, {With(Item(6114, "Main"), "Pitch", kPropPitch, kDataTypeString, "4")});
  EXPECT_DOUBLE_EQ(roof->SetPitch(6.126), 6.126);
  // Two decimals are kept.
  EXPECT_NEAR(roof->Pitch(), 6.13, kTol);
  // A side picked alone answers with the side's own pitch (none here), not the roof's.
  roof->Curve3D::Selected(1);
  roof->SelectSegment(1);
  EXPECT_DOUBLE_EQ(roof->Pitch(), 0.0);
  roof->Selected(0);
  EXPECT_NEAR(roof->Pitch(), 6.13, kTol);
  EXPECT_EQ(roof->Curve3D::State(), kStateGeometryChanged);
}

// ---- Measures -----------------------------------------------------------------------------

struct PlanCase {
  const char* name;
  std::vector<Corner> corners;
};

TEST(Multi3D, AreaAndPerimeterOfPolygonsMatchAnIndependentShoelace) {
  const std::vector<PlanCase> cases = {
      {"rectangle", {{0, 0}, {12.5, 0}, {12.5, 7.25}, {0, 7.25}}},
      {"clockwise rectangle", {{0, 0}, {0, 8}, {30, 8}, {30, 0}}},
      {"L", {{0, 0}, {40, 0}, {40, 20}, {20, 20}, {20, 40}, {0, 40}}},
      {"T", {{20, 0}, {40, 0}, {40, 30}, {60, 30}, {60, 50}, {0, 50}, {0, 30}, {20, 30}}},
      {"offset hip", {{100, 100}, {133, 104}, {129, 150}, {97, 141}}},
  };
  for (const PlanCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto m = PolygonOutline(c.corners);
    ASSERT_TRUE(m->IsClosed());
    EXPECT_NEAR(m->Area(1), ShoelaceArea(c.corners), kTol);
    EXPECT_NEAR(m->Length(1), PerimeterOf(c.corners), kTol);
  }
  EXPECT_NEAR(LPlan()->Area(1), 1200.0, kTol);
  EXPECT_NEAR(TPlan()->Area(1), 1800.0, kTol);
}

TEST(Multi3D, ArcSidesAddOrRemoveTheirCircularSegment) {
  const double square = ShoelaceArea({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  EXPECT_NEAR(ArcTopSquare(true)->Area(1), square + HalfDiscArea(5.0), 1e-6);
  EXPECT_NEAR(ArcTopSquare(false)->Area(1), square - HalfDiscArea(5.0), 1e-6);
  // Perimeter: three sides and the half circle's arc length, whichever way it bulges.
  EXPECT_NEAR(ArcTopSquare(true)->Length(1), 30.0 + 5.0 * kPi, 1e-6);
  EXPECT_NEAR(ArcTopSquare(false)->Length(1), 30.0 + 5.0 * kPi, 1e-6);
}

TEST(Multi3D, OpenOutlinesHaveNoAreaAndSelectionChangesOnlyTheLength) {
  auto open = OpenOutline({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  EXPECT_DOUBLE_EQ(open->Area(1), 0.0);
  EXPECT_NEAR(open->Length(1), 30.0, kTol);
  auto plan = LPlan();
  plan->SelectSegment(1);
  plan->SelectSegment(4);
  EXPECT_NEAR(plan->Length(0), 60.0, kTol);
  EXPECT_NEAR(plan->Length(1), 160.0, kTol);
  EXPECT_NEAR(plan->Area(0), 1200.0, kTol);
  Multi3D empty;
  EXPECT_DOUBLE_EQ(empty.Area(1), 0.0);
  EXPECT_DOUBLE_EQ(empty.Length(1), 0.0);
}

// ---- Nearness -----------------------------------------------------------------------------

TEST(Multi3D, NearnessTakesTheBestSegment) {
  auto m = RectangleOutline(0, 0, 10, 10);
  Point3D p(5, 0.3, 0);
  EXPECT_NEAR(m->PtOnLine(&p, 1.0, 0.5), 0.3, kTol);
  EXPECT_EQ(m->PtOnSegment(&p, 1.0, 0.5), 1);
  Point3D inside(5, 5, 0);
  EXPECT_DOUBLE_EQ(m->PtOnLine(&inside, 1.0, 0.5), kNotNear);
  EXPECT_DOUBLE_EQ(m->IsNear(&inside, 1.0, 0.5), kNotNear);
  EXPECT_EQ(m->PtOnSegment(&inside, 1.0, 0.5), 0);
  EXPECT_DOUBLE_EQ(m->IsNear(nullptr, 1.0, 0.5), kNotNear);

  Point3D mid;
  Point3D nearRight(9.5, 5, 0);
  EXPECT_NEAR(m->IsNearMidPt(&nearRight, &mid, 1.0), 0.5, kTol);
  EXPECT_THAT(mid, PointIs(10, 5, 0));
}

TEST(Multi3D, NearVertexReportsTheLaterSegmentOnATie) {
  auto m = RectangleOutline(0, 0, 10, 10);
  Point3D p(10.1, 0.1, 0);
  Point3D vertex;
  int n = 0;
  const double d = m->IsNearVertex(&p, &vertex, n, 1.0, 0.5);
  EXPECT_NEAR(d, std::hypot(0.1, 0.1), kTol);
  EXPECT_EQ(n, 2);  // the corner ends side 1 and starts side 2
  EXPECT_THAT(vertex, PointIs(10, 0, 0));
  Point3D far(50, 50, 0);
  n = 0;
  EXPECT_DOUBLE_EQ(m->IsNearVertex(&far, &vertex, n, 1.0, 0.5), kNotNear);
  EXPECT_EQ(n, 0);
}

// ---- Transformations, state and flags -----------------------------------------------------

TEST(Multi3D, TransformationsMoveEverySegmentAndTheEnds) {
  auto m = RectangleOutline(0, 0, 10, 10);
  const Point3D v(5, -2, 0);
  m->Translate(&v, false);
  EXPECT_THAT(*m->Spt(), PointIs(5, -2, 0));
  EXPECT_THAT(*m->Segment(3)->Spt(), PointIs(15, 8, 0));
  EXPECT_DOUBLE_EQ(m->Box(0, nullptr)->Left(), 5.0);
  const Point3D centre(5, -2, 0), axis(0, 0, 1);
  m->Rotate(&centre, &axis, kPi / 2);
  EXPECT_THAT(*m->Segment(2)->Spt(), PointNear(5, 8, 0, kTol));
  EXPECT_TRUE(m->IsClosed());
  m->Scale(m->Spt(), 2.0);  // the centre is one of the moving points
  EXPECT_NEAR(m->Area(1), 400.0, kTol);
  EXPECT_THAT(*m->Spt(), PointIs(5, -2, 0));
  const Point3D normal(1, 0, 0);
  m->Mirror(&normal, 0.0);
  EXPECT_THAT(*m->Spt(), PointIs(-5, -2, 0));
  EXPECT_NEAR(m->Area(1), 400.0, kTol);
  m->Translate(nullptr, false);
}

TEST(Multi3D, UniformScaleResizesBoxSizedItems) {
  auto hatch = RectangleOutline(0, 0, 3, 2);
  Attach(*hatch, {Item(6159, "Hatch")});
  const Point3D origin(0, 0, 0);
  hatch->Scale(&origin, 2.0);
  char length[64] = {};
  ASSERT_NE(hatch->GetAttr(nullptr, "Length", kDataTypeDouble, length), 0);
  EXPECT_DOUBLE_EQ(std::atof(length), 6.0);
  char width[64] = {};
  ASSERT_NE(hatch->GetAttr(nullptr, "Width", kDataTypeDouble, width), 0);
  EXPECT_DOUBLE_EQ(std::atof(width), 4.0);
}

TEST(Multi3D, StateAndTFlagReachEverySegment) {
  auto m = RectangleOutline(0, 0, 10, 10);
  m->State(kStateUnchanged);
  EXPECT_EQ(m->Segment(3)->State(), kStateUnchanged);
  m->State(kStateGeometryChanged);
  EXPECT_EQ(m->Segment(3)->State(), kStateGeometryChanged);
  m->TFlag(9);
  EXPECT_EQ(m->Segment(4)->TFlag(), 9);
  EXPECT_EQ(m->Curve3D::TFlag(), 9);
}

TEST(Multi3D, IdentComparesChainFlagsAndSegments) {
  auto a = RectangleOutline(0, 0, 10, 10);
  auto b = RectangleOutline(0, 0, 10, 10);
  EXPECT_TRUE(a->Ident(b.get()));
  b->Blocktype(2);
  EXPECT_FALSE(a->Ident(b.get()));
  b->Blocktype(kOutlineBlocktype);
  b->Segment(2)->Ept(10, 11, 0);
  EXPECT_FALSE(a->Ident(b.get()));
  Line3D line;
  EXPECT_FALSE(a->Ident(&line));
  EXPECT_FALSE(a->Ident(nullptr));
}

// ---- Repairs ------------------------------------------------------------------------------

TEST(Multi3D, PurgeZeroLinesDropsZeroSidesBetweenJoinedNeighbours) {
  Multi3D m;
  const Point3D a(0, 0, 0), b(10, 0, 0), c(10, 10, 0);
  m.Add(new Line3D(&a, &b));
  m.Add(new Line3D(&b, &b));
  m.Add(new Line3D(&b, &c));
  m.Add(new Line3D(&c, &a));
  m.Add(new Line3D(&a, &a));
  ASSERT_TRUE(m.IsClosed());
  EXPECT_EQ(m.PurgeZeroLines(), 1);
  EXPECT_EQ(m.Nodes(), 3);
  EXPECT_EQ(m.GetCurveList()->Num(), 3);
  EXPECT_TRUE(m.IsClosed());
  EXPECT_NEAR(m.Area(1), 50.0, kTol);
}

TEST(Multi3D, PurgeZeroLinesStretchesAZeroSideAcrossAGap) {
  Multi3D m;
  const Point3D a(0, 0, 0), b(10, 0, 0), gap(10, 2, 0), c(10, 10, 0);
  m.Add(new Line3D(&a, &b));
  m.Add(new Line3D(&b, &b));
  m.Add(new Line3D(&gap, &c));
  m.Add(new Line3D(&c, &a));
  m.PurgeZeroLines();
  EXPECT_EQ(m.Nodes(), 4);
  EXPECT_THAT(*m.Segment(2)->Spt(), PointIs(10, 0, 0));
  EXPECT_THAT(*m.Segment(2)->Ept(), PointIs(10, 2, 0));
}

TEST(Multi3D, RepairBrokenOutlineClosesTheLastGap) {
  auto m = OpenOutline({{0, 0}, {10, 0}, {10, 10}, {0.5, 0.5}});
  ASSERT_FALSE(m->IsClosed());
  EXPECT_TRUE(m->RepairBrokenOutline());
  EXPECT_THAT(*m->LastSegment()->Ept(), PointIs(0, 0, 0));
  EXPECT_TRUE(m->IsClosed());
  EXPECT_EQ(m->Valid(), 1);
  EXPECT_NEAR(m->Area(1), 50.0, kTol);
  Multi3D empty;
  EXPECT_TRUE(empty.RepairBrokenOutline());
  EXPECT_EQ(empty.Nodes(), 0);
}

TEST(Multi3D, BoxToMultiRunsUpTheLeftSideFromTheLowerLeft) {
  Box3D box(2.0, 9.0, 7.0, 1.0);  // left, top, right, bottom
  Multi3D m;
  m.Add(new Line3D(0, 0, 0, 1, 1, 0));
  ASSERT_EQ(BoxToMulti(&box, &m), &m);
  ASSERT_EQ(m.Nodes(), 4);
  EXPECT_THAT(*m.Segment(1)->Spt(), PointIs(2, 1, 0));
  EXPECT_THAT(*m.Segment(1)->Ept(), PointIs(2, 9, 0));
  EXPECT_THAT(*m.Segment(2)->Ept(), PointIs(7, 9, 0));
  EXPECT_THAT(*m.Segment(3)->Ept(), PointIs(7, 1, 0));
  EXPECT_TRUE(m.IsClosed());
  EXPECT_NEAR(m.Area(1), 40.0, kTol);
  // Its own box as the source: copied before the rebuild.
  EXPECT_EQ(BoxToMulti(m.Box(0, nullptr), &m), &m);
  EXPECT_NEAR(m.Area(1), 40.0, kTol);
  EXPECT_EQ(BoxToMulti(nullptr, &m), &m);
  EXPECT_EQ(BoxToMulti(&box, nullptr), nullptr);
}

// ---- Pitched edges in the chain -----------------------------------------------------------

TEST(Multi3D, RoofEdgePartsAreFoundAndRebuiltWithTheOutline) {
  auto m = OpenOutline({{0, 0}, {10, 0}, {10, 10}});
  const Point3D a(10, 10, 0), b(0, 10, 0), c(0, 0, 0);
  auto* top = new REdge3D(&a, &b, 0, 0, 1);
  Attach(*top, {With(Item(6105, "Eave"), "Overhang", kPropOverhang, kDataTypeDouble, "2")});
  m->Add(top);
  m->Add(new Line3D(&b, &c));
  ASSERT_TRUE(m->IsClosed());
  EXPECT_EQ(m->HasEdgeSegments(), 1);
  EXPECT_EQ(m->RecalcEdges(), 1);
  Line3D* edge = top->GetEdge();
  ASSERT_NE(edge, nullptr);
  EXPECT_NEAR(edge->Spt()->y, 12.0, kTol);
  edge->Id(42, 0);
  EXPECT_EQ(m->GetSegmentById(42), edge);
  // The plain side before the roof edge runs out to the overhang line, and the outline's box
  // follows its sides.
  EXPECT_NEAR(m->Segment(2)->Ept()->y, 12.0, kTol);
  EXPECT_NEAR(m->Box(0, nullptr)->Top(), 12.0, kTol);
  // The plan area covers the overhang: 10 wide, 12 deep.
  EXPECT_NEAR(m->Area(1), 120.0, kTol);
}
