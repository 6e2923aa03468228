#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "entities/arc3d.h"
#include "entities/line3d.h"
#include "entities/multi3d.h"
#include "geometry/box3d.h"
#include "support/geometry_matchers.h"
#include "support/outline_builders.h"

namespace {

constexpr double kRelTol = 1e-9;

// Plan area computed independently of the outline code: the shoelace over the segments' end
// points plus, for each arc, its circular segment r^2/2 (theta - sin theta), signed by the arc's
// running sense (counter-clockwise arcs enclose their segment positively).
double PlanArea(Multi3D* m) {
  double twice = 0.0;
  double arcs = 0.0;
  DblclistIterator it(m->GetCurveList());
  while (Curve3D* s = it.Next()) {
    const Point3D* a = s->Spt();
    const Point3D* b = s->Ept();
    twice += a->x * b->y - b->x * a->y;
    if (auto* arc = dynamic_cast<Arc3D*>(s)) {
      const double theta = arc->Angle() * std::numbers::pi / 180.0;
      const double r = arc->Radius();
      const double segment = 0.5 * r * r * (theta - std::sin(theta));
      arcs += arc->AngDir() == kArcCounterClockwise ? segment : -segment;
    }
  }
  return std::abs(0.5 * twice + arcs);
}

// Convex and reflex corners of a straight-sided closed outline, by the sign of the turn at each
// vertex relative to the outline's orientation.
std::pair<int, int> ConvexReflex(const std::vector<Corner>& corners) {
  const size_t n = corners.size();
  double orientation = 0.0;
  for (size_t i = 0; i < n; ++i) {
    const Corner& a = corners[i];
    const Corner& b = corners[(i + 1) % n];
    orientation += a.first * b.second - b.first * a.second;
  }
  int convex = 0, reflex = 0;
  for (size_t i = 0; i < n; ++i) {
    const Corner& p = corners[(i + n - 1) % n];
    const Corner& q = corners[i];
    const Corner& r = corners[(i + 1) % n];
    const double cross =
        (q.first - p.first) * (r.second - q.second) - (q.second - p.second) * (r.first - q.first);
    (cross * orientation > 0 ? convex : reflex) += 1;
  }
  return {convex, reflex};
}

int Inside(Multi3D* m, double x, double y) {
  Point3D p(x, y, 0);
  return m->IsInside(&p);
}

// Every segment starts where the previous one ends and the last returns to the first.
bool IsJoinedLoop(Multi3D* m) {
  std::vector<Curve3D*> s;
  DblclistIterator it(m->GetCurveList());
  while (Curve3D* c = it.Next())
    s.push_back(c);
  for (size_t i = 0; i < s.size(); ++i) {
    if (!s[i]->Ept()->ident(s[(i + 1) % s.size()]->Spt())) return false;
  }
  return !s.empty();
}

const std::vector<Corner> kLCorners = {{0, 0}, {40, 0}, {40, 20}, {20, 20}, {20, 40}, {0, 40}};
const std::vector<Corner> kTCorners = {{20, 0},  {40, 0}, {40, 30}, {60, 30},
                                       {60, 50}, {0, 50}, {0, 30},  {20, 30}};

}  // namespace

// ---- Point in outline ---------------------------------------------------------------------

TEST(Multi3DGeometry, IsInsideOnRoofPlans) {
  struct Case {
    const char* plan;
    std::unique_ptr<Multi3D> m;
    double x, y;
    int expected;
  };
  Case cases[] = {
      {"L arm", LPlan(), 30, 10, 1},
      {"L corner block", LPlan(), 10, 10, 1},
      {"L upper arm", LPlan(), 10, 30, 1},
      {"L missing quarter", LPlan(), 30, 30, 0},
      {"L beside", LPlan(), 50, 10, 0},
      {"T bar left", TPlan(), 5, 40, 1},
      {"T stem", TPlan(), 30, 10, 1},
      {"T beside stem", TPlan(), 10, 10, 0},
      {"T beside stem right", TPlan(), 50, 20, 0},
      {"arc out, in the bulge", ArcTopSquare(true), 5, 13, 1},
      {"arc out, in the square", ArcTopSquare(true), 5, 3, 1},
      {"arc out, above the bulge", ArcTopSquare(true), 9.5, 14, 0},
      {"arc in, in the dip", ArcTopSquare(false), 5, 8, 0},
      {"arc in, below the dip", ArcTopSquare(false), 5, 3, 1},
      {"arc in, beside the dip", ArcTopSquare(false), 0.5, 7, 1},
  };
  for (Case& c : cases) {
    EXPECT_EQ(Inside(c.m.get(), c.x, c.y), c.expected) << c.plan;
  }
}

TEST(Multi3DGeometry, PointOnBoxBorderPassesBoxTestButBeyondIsOutside) {
  auto square = RectangleOutline(0, 0, 10, 10);
  // A point on the box border is not turned away by the box: the vote decides, and here
  // (the bottom side's middle) two of the three rays count it in.
  EXPECT_EQ(Inside(square.get(), 5, 0), 1);
  // A hair outside the box is outside without any ray.
  EXPECT_EQ(Inside(square.get(), -1e-9, 5), 0);
  EXPECT_EQ(Inside(square.get(), 5, 10 + 1e-9), 0);
  EXPECT_EQ(square->IsInside(static_cast<Point3D*>(nullptr)), 0);
}

TEST(Multi3DGeometry, RaysThroughSharedVerticesCountOneCrossing) {
  // From (4, 2) the first ray (to (-20, 30)) leaves through the notch vertex (1, 5.5) and the
  // second (to (40, -10)) through the corner (10, 0). Counting each vertex twice would make both
  // rays even and the point outside.
  auto notched = PolygonOutline({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {1, 5.5}});
  EXPECT_EQ(Inside(notched.get(), 4, 2), 1);
  EXPECT_EQ(Inside(notched.get(), 0.5, 5.5), 0);  // in the notch
}

TEST(Multi3DGeometry, OpenOutlineIsNeverInside) {
  auto open = OpenOutline({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  EXPECT_EQ(Inside(open.get(), 5, 5), 0);
  // Chain ends on its start, but the continuity flag is cleared.
  auto unflagged = RectangleOutline(0, 0, 10, 10);
  ASSERT_EQ(Inside(unflagged.get(), 5, 5), 1);
  unflagged->Connect(0);
  EXPECT_EQ(Inside(unflagged.get(), 5, 5), 0);
  Point3D p(5, 5, 0);
  EXPECT_EQ(unflagged->IsInsideEdge(&p, false), 0);
  EXPECT_EQ(unflagged->CornerCount(true), 0);
  EXPECT_EQ(unflagged->CornerCount(false), 0);
  Line3D inner(2, 2, 0, 3, 3, 0);
  EXPECT_EQ(unflagged->IsInside(&inner, 1.0, 0.1), 0);
}

TEST(Multi3DGeometry, IsInsideEdgeVotesLikeIsInsideOnPlainOutlines) {
  auto l = LPlan();
  for (auto [x, y] : std::vector<Corner>{{30, 10}, {30, 30}, {10, 30}, {45, 5}}) {
    Point3D p(x, y, 0);
    EXPECT_EQ(l->IsInsideEdge(&p, true), l->IsInside(&p)) << x << "," << y;
    EXPECT_EQ(l->IsInsideEdge(&p, false), l->IsInside(&p)) << x << "," << y;
  }
}

// ---- Entities inside the outline ----------------------------------------------------------

TEST(Multi3DGeometry, EntitiesInsideByKind) {
  auto l = LPlan();
  Line3D inner(5, 5, 0, 35, 5, 0);
  Line3D across(10, 30, 0, 30, 30, 0);  // runs through the missing quarter
  Line3D on_side(0, 10, 0, 0, 30, 0);   // lies on the left side: near counts
  EXPECT_EQ(l->IsInside(&inner, 1.0, 0.01), 1);
  EXPECT_EQ(l->IsInside(&across, 1.0, 0.01), 0);
  EXPECT_EQ(l->IsInside(&on_side, 1.0, 0.01), 1);
  EXPECT_EQ(l->IsInside(&inner, 0.0, 0.01), 0);  // zero zoom: no crash, not inside
  EXPECT_EQ(l->IsInside(static_cast<Curve3D*>(nullptr), 1.0, 0.01), 0);

  Arc3D small_arc = [] {
    const Point3D c(10, 10, 0), s(13, 10, 0), e(7, 10, 0);
    return Arc3D(&c, 3.0, &s, &e, kArcCounterClockwise);
  }();
  Arc3D crossing_arc = [] {  // about the reflex corner: leaves the L
    const Point3D c(20, 20, 0), s(25, 20, 0), e(15, 20, 0);
    return Arc3D(&c, 5.0, &s, &e, kArcCounterClockwise);
  }();
  EXPECT_EQ(l->IsInside(&small_arc, 1.0, 0.01), 1);
  EXPECT_EQ(l->IsInside(&crossing_arc, 1.0, 0.01), 0);

  auto inner_room = RectangleOutline(2, 2, 15, 15);
  auto straddling = RectangleOutline(15, 15, 25, 25);
  EXPECT_EQ(l->IsInside(inner_room.get(), 1.0, 0.01), 1);
  EXPECT_EQ(l->IsInside(static_cast<Curve3D*>(straddling.get()), 1.0, 0.01), 0);
}

// ---- Intersections with lines and arcs ----------------------------------------------------

TEST(Multi3DGeometry, IntersectLineNeverReportsTheLinesOwnEnds) {
  auto square = RectangleOutline(0, 0, 10, 10);
  std::vector<Point3D> out(8);
  Line3D spanning(0, 5, 0, 10, 5, 0);  // both ends on the sides
  EXPECT_EQ(square->IntersectLine(&spanning, out.data(), 8, 0, 1), 0);
  Line3D half(-5, 5, 0, 10, 5, 0);  // ends on the right side only
  ASSERT_EQ(square->IntersectLine(&half, out.data(), 8, 0, 1), 1);
  EXPECT_THAT(out[0], PointNear(0, 5, 0, 1e-12));
}

TEST(Multi3DGeometry, IntersectLineSortsByDistanceFromStart) {
  auto l = LPlan();
  std::vector<Point3D> out(12);
  Line3D across(45, 30, 0, -5, 30, 0);  // enters the upper arm only
  ASSERT_EQ(l->IntersectLine(&across, out.data(), 12, 0, 1), 2);
  EXPECT_THAT(out[0], PointNear(20, 30, 0, 1e-12));
  EXPECT_THAT(out[1], PointNear(0, 30, 0, 1e-12));
  Line3D low(45, 10, 0, -5, 10, 0);
  ASSERT_EQ(l->IntersectLine(&low, out.data(), 12, 0, 0), 2);  // unsorted: in segment order
  EXPECT_THAT(out[0], PointNear(40, 10, 0, 1e-12));
  EXPECT_THAT(out[1], PointNear(0, 10, 0, 1e-12));
}

TEST(Multi3DGeometry, IntersectLineRefusesSmallCapacityAndNullOutput) {
  auto square = RectangleOutline(0, 0, 10, 10);
  std::vector<Point3D> out(8);
  Line3D across(-5, 5, 0, 15, 5, 0);
  EXPECT_EQ(square->IntersectLine(&across, out.data(), 7, 0, 0), 0);
  EXPECT_EQ(square->IntersectLine(&across, nullptr, 8, 0, 0), 0);
  EXPECT_EQ(square->IntersectLine(nullptr, out.data(), 8, 0, 0), 0);
  EXPECT_EQ(square->IntersectLine(&across, out.data(), 8, 0, 0), 2);
}

TEST(Multi3DGeometry, IntersectLinePerSegmentSlots) {
  auto square = RectangleOutline(0, 0, 10, 10);  // sides: bottom, right, top, left
  std::vector<Point3D> out(8, Point3D(99, 99, 99));
  Line3D across(-5, 5, 0, 15, 5, 0);
  ASSERT_EQ(square->IntersectLine(&across, out.data(), 8, 1, 0), 2);
  EXPECT_THAT(out[2], PointNear(10, 5, 0, 1e-12));  // right side owns slots 2 and 3
  EXPECT_THAT(out[3], PointIs(0.0, 0.0, 0.0));
  EXPECT_THAT(out[6], PointNear(0, 5, 0, 1e-12));  // left side owns slots 6 and 7
  EXPECT_THAT(out[0], PointIs(0.0, 0.0, 0.0));
}

TEST(Multi3DGeometry, IntersectArcMeetsLinesAndArcSides) {
  auto square = RectangleOutline(0, 0, 10, 10);
  std::vector<Point3D> out(8);
  const Point3D c(10, 5, 0), s(10, 0, 0), e(10, 10, 0);
  Arc3D bulge(&c, 5.0, &s, &e, kArcCounterClockwise);  // ends on the corners: not counted
  EXPECT_EQ(square->IntersectArc(&bulge, out.data(), 8, 0, 1), 0);
  const Point3D c2(12, 5, 0), s2(16, 5, 0), e2(8, 5, 0);
  Arc3D through(&c2, 4.0, &s2, &e2, kArcCounterClockwise);  // crosses the right side once
  ASSERT_EQ(square->IntersectArc(&through, out.data(), 8, 0, 1), 1);
  EXPECT_THAT(out[0], PointNear(10, 5 + std::sqrt(12.0), 0, 1e-9));

  auto arc_top = ArcTopSquare(true);
  const Point3D c3(5, 14, 0), s3(0, 14, 0), e3(10, 14, 0);
  Arc3D dip(&c3, 5.0, &s3, &e3, kArcCounterClockwise);  // lower half circle about (5, 14)
  ASSERT_EQ(arc_top->IntersectArc(&dip, out.data(), 8, 0, 1), 2);
  const double x = std::sqrt(25.0 - 4.0);  // circles 4 apart: meeting at y = 12
  EXPECT_THAT(out[0], PointNear(5 - x, 12, 0, 1e-9));
  EXPECT_THAT(out[1], PointNear(5 + x, 12, 0, 1e-9));
  EXPECT_EQ(square->IntersectArc(nullptr, out.data(), 8, 0, 0), 0);
  EXPECT_EQ(square->IntersectArc(&through, out.data(), 3, 0, 0), 0);
}

// ---- Crossed sides ------------------------------------------------------------------------

TEST(Multi3DGeometry, ValidatePolygonAcceptsTouchingRejectsCrossing) {
  Box3D box(0.0, 10.0, 20.0, 0.0);
  Multi3D rect;
  BoxToMulti(&box, &rect);
  EXPECT_EQ(ValidatePolygon(&rect), 1);

  auto figure_eight = PolygonOutline({{0, 0}, {10, 0}, {0, 10}, {10, 10}});
  EXPECT_EQ(ValidatePolygon(figure_eight.get()), 0);

  // Two lobes whose tips touch the bottom side at one of their own vertices.
  auto touching = [](double depth) {
    return PolygonOutline({{0, 0}, {30, 0}, {30, 20}, {20, 20}, {15, -depth}, {10, 20}, {0, 20}});
  };
  EXPECT_EQ(ValidatePolygon(touching(0).get()), 1);
  EXPECT_EQ(ValidatePolygon(touching(1e-12).get()), 1);  // within the ident tolerance
  EXPECT_EQ(ValidatePolygon(touching(1e-9).get()), 0);   // pokes through the bottom side
  EXPECT_EQ(ValidatePolygon(touching(1).get()), 0);

  // Two sides meeting at a vertex shared by both (a pinched outline) are accepted.
  auto pinched = PolygonOutline({{0, 0}, {20, 0}, {10, 10}, {20, 20}, {0, 20}, {10, 10}});
  EXPECT_EQ(ValidatePolygon(pinched.get()), 1);

  EXPECT_EQ(ValidatePolygon(nullptr), 1);
  auto open_eight = OpenOutline({{0, 0}, {10, 0}, {0, 10}, {10, 10}, {0, 0}});
  open_eight->Connect(0);
  EXPECT_EQ(ValidatePolygon(open_eight.get()), 1);
}

TEST(Multi3DGeometry, ValidatePolygonWithArcSides) {
  EXPECT_EQ(ValidatePolygon(ArcTopSquare(true).get()), 1);
  EXPECT_EQ(ValidatePolygon(ArcTopSquare(false).get()), 1);
  // A square whose top dips so deep it cuts through the bottom side.
  Multi3D deep;
  const Point3D p0(0, 0, 0), p1(10, 0, 0), p2(10, 10, 0), p3(0, 10, 0), c(5, 14, 0);
  const double r = std::hypot(5.0, 4.0);
  deep.Add(new Line3D(&p0, &p1));
  deep.Add(new Line3D(&p1, &p2));
  // Radius sqrt(41) about (5, 14) dips to y = 7.6, clear of the bottom side: valid.
  deep.Add(new Arc3D(&c, r, &p2, &p3, kArcClockwise));
  deep.Add(new Line3D(&p3, &p0));
  EXPECT_EQ(ValidatePolygon(&deep), 1);
  // A dip about (5, 4) through (10, 7) and (0, 7) sinks to y = -1.83 and crosses the bottom
  // side twice.
  Multi3D cut;
  const Point3D c3(5, 4, 0), a2(10, 7, 0), a3(0, 7, 0);
  cut.Add(new Line3D(&p0, &p1));
  cut.Add(new Line3D(&p1, &a2));
  cut.Add(new Arc3D(&c3, std::hypot(5.0, 3.0), &a2, &a3, kArcClockwise));
  cut.Add(new Line3D(&a3, &p0));
  EXPECT_EQ(ValidatePolygon(&cut), 0);
}

// ---- Corners and arcs ---------------------------------------------------------------------

TEST(Multi3DGeometry, CornerCountsOfPlans) {
  struct Case {
    const char* plan;
    std::vector<Corner> corners;
  };
  const Case cases[] = {
      {"L", kLCorners},
      {"T", kTCorners},
      {"square cw", {{0, 0}, {0, 10}, {10, 10}, {10, 0}}},
      {"L cw", {{0, 40}, {20, 40}, {20, 20}, {40, 20}, {40, 0}, {0, 0}}},
  };
  for (const Case& c : cases) {
    auto m = PolygonOutline(c.corners);
    const auto [convex, reflex] = ConvexReflex(c.corners);
    EXPECT_EQ(m->CornerCount(true), convex) << c.plan;
    EXPECT_EQ(m->CornerCount(false), reflex) << c.plan;
  }
}

TEST(Multi3DGeometry, CornerCountWithArcs) {
  // Two outward half circles make a full circle: no corners of either kind.
  Multi3D circle;
  const Point3D c(5, 5, 0), s(10, 5, 0), e(0, 5, 0);
  circle.Add(new Arc3D(&c, 5.0, &s, &e, kArcCounterClockwise));
  circle.Add(new Arc3D(&c, 5.0, &e, &s, kArcCounterClockwise));
  ASSERT_TRUE(circle.IsClosed());
  EXPECT_EQ(circle.CornerCount(true), 0);
  EXPECT_EQ(circle.CornerCount(false), 0);

  // A straight side closing an arc: two corners of the first kind.
  Multi3D half_disc;
  half_disc.Add(new Arc3D(&c, 5.0, &s, &e, kArcCounterClockwise));
  half_disc.Add(new Line3D(&e, &s));
  EXPECT_EQ(half_disc.CornerCount(true), 2);
  EXPECT_EQ(half_disc.CornerCount(false), 0);

  // The two lower corners are counted, the arc adds two to the kind of its bulge and the side
  // after it is passed over.
  EXPECT_EQ(ArcTopSquare(true)->CornerCount(true), 2);
  EXPECT_EQ(ArcTopSquare(true)->CornerCount(false), 2);
  EXPECT_EQ(ArcTopSquare(false)->CornerCount(true), 4);
  EXPECT_EQ(ArcTopSquare(false)->CornerCount(false), 0);
}

TEST(Multi3DGeometry, IsArcConvexFollowsTheBulge) {
  for (bool outward : {true, false}) {
    auto m = ArcTopSquare(outward);
    auto* arc = dynamic_cast<Arc3D*>(m->Segment(3));
    ASSERT_NE(arc, nullptr);
    EXPECT_EQ(m->IsArcConvex(arc), outward);
  }
  EXPECT_FALSE(LPlan()->IsArcConvex(nullptr));
}

// ---- Outline intersection -----------------------------------------------------------------

TEST(Multi3DGeometry, IntersectMultiAreaMatchesTheCommonRegion) {
  struct Case {
    const char* what;
    std::unique_ptr<Multi3D> a, b;
    double area;
  };
  Case cases[] = {
      {"overlapping squares", RectangleOutline(0, 0, 10, 10), RectangleOutline(5, 5, 15, 15), 25},
      {"reverse order", RectangleOutline(5, 5, 15, 15), RectangleOutline(0, 0, 10, 10), 25},
      {"shared side lines", RectangleOutline(0, 0, 10, 10), RectangleOutline(5, 0, 15, 10), 50},
      {"cross", RectangleOutline(0, 4, 20, 6), RectangleOutline(9, -5, 11, 15), 4},
      {"L and square over the reflex corner", LPlan(), RectangleOutline(10, 10, 30, 30), 300},
      {"square and L", RectangleOutline(10, 10, 30, 30), LPlan(), 300},
      {"square inside L", LPlan(), RectangleOutline(2, 2, 12, 12), 100},
      {"L inside square", RectangleOutline(-1, -1, 50, 50), LPlan(), 1200},
      {"T and bar", TPlan(), RectangleOutline(-10, 20, 70, 40), 20 * 10 + 60 * 10},
      {"clockwise square", PolygonOutline({{5, 5}, {5, 15}, {15, 15}, {15, 5}}),
       RectangleOutline(0, 0, 10, 10), 25},
  };
  for (Case& c : cases) {
    std::unique_ptr<Multi3D> common(c.a->IntersectMulti(c.b.get()));
    ASSERT_NE(common, nullptr) << c.what;
    EXPECT_TRUE(common->IsClosed()) << c.what;
    EXPECT_TRUE(IsJoinedLoop(common.get())) << c.what;
    EXPECT_GT(common->Nodes(), 2) << c.what;
    EXPECT_NEAR(PlanArea(common.get()), c.area, c.area * kRelTol) << c.what;
  }
}

TEST(Multi3DGeometry, IntersectMultiCutsArcSides) {
  // The outward arc-top square below y = 12: the square plus the band of the half disc.
  auto arc_top = ArcTopSquare(true);
  auto slab = RectangleOutline(-5, -5, 15, 12);
  const double expected = 100 + 2 * std::sqrt(21.0) + 25 * std::asin(0.4);
  for (bool swap : {false, true}) {
    std::unique_ptr<Multi3D> common(swap ? slab->IntersectMulti(arc_top.get())
                                         : arc_top->IntersectMulti(slab.get()));
    ASSERT_NE(common, nullptr) << swap;
    EXPECT_TRUE(IsJoinedLoop(common.get())) << swap;
    EXPECT_NEAR(PlanArea(common.get()), expected, expected * kRelTol) << swap;
  }
}

TEST(Multi3DGeometry, IntersectMultiGivesNullForDegenerateInput) {
  auto square = RectangleOutline(0, 0, 10, 10);
  EXPECT_EQ(square->IntersectMulti(nullptr), nullptr);
  auto far_away = RectangleOutline(20, 20, 30, 30);
  EXPECT_EQ(square->IntersectMulti(far_away.get()), nullptr);
  auto corner_touch = RectangleOutline(10, 10, 20, 20);
  EXPECT_EQ(square->IntersectMulti(corner_touch.get()), nullptr);
  auto side_by_side = RectangleOutline(10, 0, 20, 10);
  EXPECT_EQ(square->IntersectMulti(side_by_side.get()), nullptr);
  auto open = OpenOutline({{2, 2}, {8, 2}, {8, 8}});
  EXPECT_EQ(square->IntersectMulti(open.get()), nullptr);
  EXPECT_EQ(open->IntersectMulti(square.get()), nullptr);
  Multi3D empty;
  EXPECT_EQ(square->IntersectMulti(&empty), nullptr);
  auto flat = PolygonOutline({{-5, 5}, {5, 5}, {15, 5}});  // closed, no area
  EXPECT_EQ(square->IntersectMulti(flat.get()), nullptr);
  auto spike = PolygonOutline({{5, 5}, {5, 5}, {5, 5}});
  EXPECT_EQ(square->IntersectMulti(spike.get()), nullptr);
}

// ---- Overlap ------------------------------------------------------------------------------

TEST(Multi3DGeometry, OverlapByKind) {
  auto l = LPlan();
  Line3D crossing(30, 30, 0, 30, 10, 0);
  Line3D outside_in_box(25, 25, 0, 35, 35, 0);  // only in the missing quarter
  Line3D along_side(0, 10, 0, 0, 30, 0);
  EXPECT_TRUE(l->Overlap(&crossing, 1.0));
  EXPECT_FALSE(l->Overlap(&outside_in_box, 1.0));
  EXPECT_TRUE(l->Overlap(&along_side, 1.0));
  Line3D far(100, 100, 0, 110, 110, 0);
  EXPECT_FALSE(l->Overlap(&far, 1.0));
  EXPECT_FALSE(l->Overlap(nullptr, 1.0));

  const Point3D c(30, 30, 0);
  Arc3D small_circle(&c, 3.0);  // in the missing quarter
  Arc3D crossing_circle(&c, 12.0);
  const Point3D centre(20, 20, 0);
  Arc3D huge_circle(&centre, 100.0);  // contains the whole L
  EXPECT_FALSE(l->Overlap(&small_circle, 1.0));
  EXPECT_TRUE(l->Overlap(&crossing_circle, 1.0));
  EXPECT_FALSE(l->Overlap(&huge_circle, 1.0));

  auto inner = RectangleOutline(2, 2, 8, 8);
  auto straddling = RectangleOutline(15, 15, 25, 25);
  auto in_quarter = RectangleOutline(25, 25, 35, 35);
  EXPECT_TRUE(l->Overlap(inner.get(), 1.0));
  EXPECT_TRUE(l->Overlap(straddling.get(), 1.0));
  EXPECT_FALSE(l->Overlap(in_quarter.get(), 1.0));
  // The circle about the missing quarter cuts two arc-and-chord lenses out of the L.
  const Point3D ce(30, 30, 0), cs(42, 30, 0), cw(18, 30, 0);
  Multi3D circle;
  circle.Add(new Arc3D(&ce, 12.0, &cs, &cw, kArcCounterClockwise));
  circle.Add(new Arc3D(&ce, 12.0, &cw, &cs, kArcCounterClockwise));
  std::unique_ptr<Multi3D> lens(l->IntersectMulti(&circle));
  ASSERT_NE(lens, nullptr);
  const double half_angle = std::acos(10.0 / 12.0);
  const double lens_area = 144.0 * half_angle - 10.0 * 12.0 * std::sin(half_angle);
  EXPECT_NEAR(PlanArea(lens.get()), lens_area, lens_area * kRelTol);
  auto open_crossing = OpenOutline({{30, 30}, {30, 10}, {50, 10}});
  EXPECT_TRUE(l->Overlap(open_crossing.get(), 1.0));
}
