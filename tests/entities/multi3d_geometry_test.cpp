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
constexpr int kCcw = kArcCounterClockwise;

// Plan area computed independently of the outline code: the shoelace over the segments' ends
// plus each arc's circular segment r^2/2 (theta - sin theta), signed by its running sense.
double PlanArea(Multi3D& m) {
  double area = 0.0;
  for (int n = 1; Curve3D* s = m.Segment(n); ++n) {
    area += 0.5 * (s->Spt()->x * s->Ept()->y - s->Ept()->x * s->Spt()->y);
    if (auto* arc = dynamic_cast<Arc3D*>(s)) {
      const double theta = arc->Angle() * std::numbers::pi / 180.0, r = arc->Radius();
      area += (arc->AngDir() == kCcw ? 0.5 : -0.5) * r * r * (theta - std::sin(theta));
    }
  }
  return std::abs(area);
}

// Every segment starts where the previous one ends and the last returns to the first.
bool IsJoinedLoop(Multi3D& m) {
  for (int n = 1; Curve3D* s = m.Segment(n); ++n) {
    Curve3D* next = m.Segment(n + 1) ? m.Segment(n + 1) : m.Segment(1);
    if (!s->Ept()->ident(next->Spt())) return false;
  }
  return m.Nodes() > 0;
}

int Inside(Multi3D& m, double x, double y) {
  Point3D p(x, y, 0);
  return m.IsInside(&p);
}

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
      {"L upper arm", LPlan(), 10, 30, 1},
      {"L missing quarter", LPlan(), 30, 30, 0},
      {"L beside", LPlan(), 50, 10, 0},
      {"T bar left", TPlan(), 5, 40, 1},
      {"T stem", TPlan(), 30, 10, 1},
      {"T beside stem", TPlan(), 10, 10, 0},
      {"arc out, in the bulge", ArcTopSquare(true), 5, 13, 1},
      {"arc out, above the bulge", ArcTopSquare(true), 9.5, 14, 0},
      {"arc in, in the dip", ArcTopSquare(false), 5, 8, 0},
      {"arc in, beside the dip", ArcTopSquare(false), 0.5, 7, 1},
      // On the box border the vote decides (two of three rays count the bottom side's middle
      // in); a hair outside the box is outside without any ray.
      {"on the border", RectangleOutline(0, 0, 10, 10), 5, 0, 1},
      {"left of the box", RectangleOutline(0, 0, 10, 10), -1e-9, 5, 0},
      {"above the box", RectangleOutline(0, 0, 10, 10), 5, 10 + 1e-9, 0},
      // From (4, 2) one ray leaves through the notch vertex (1, 5.5), another through the corner
      // (10, 0): counting a shared vertex twice would make both rays even.
      {"notched", PolygonOutline({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {1, 5.5}}), 4, 2, 1},
      {"in the notch", PolygonOutline({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {1, 5.5}}), 0.5, 5.5, 0},
  };
  for (Case& c : cases) {
    EXPECT_EQ(Inside(*c.m, c.x, c.y), c.expected) << c.plan;
    Point3D p(c.x, c.y, 0);  // plain outlines vote the same with or without edges
    EXPECT_EQ(c.m->IsInsideEdge(&p, true), c.expected) << c.plan;
  }
}

TEST(Multi3DGeometry, OpenOutlinesAndBadArgumentsGetTheFailureValue) {
  // The unflagged chain ends on its start, but its continuity flag is cleared.
  auto open = OpenOutline({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  auto unflagged = RectangleOutline(0, 0, 10, 10);
  unflagged->Connect(0);
  auto square = RectangleOutline(0, 0, 10, 10);
  Point3D p(5, 5, 0), out[8];
  Line3D inner(2, 2, 0, 3, 3, 0), across(-5, 5, 0, 15, 5, 0);
  Arc3D arc = ArcAbout({12, 5}, 4, {16, 5}, {8, 5}, kCcw);  // crosses the right side once
  EXPECT_THAT(
      NonZeroAt(open->IsInside(&p), unflagged->IsInside(&p), unflagged->IsInsideEdge(&p, false),
                unflagged->CornerCount(true), unflagged->CornerCount(false),
                unflagged->IsInside(&inner, 1.0, 0.1), square->IsInside(&inner, 0.0, 0.1),
                square->IsInside(static_cast<Point3D*>(nullptr)),
                square->IsInside(static_cast<Curve3D*>(nullptr), 1.0, 0.1),
                square->IntersectLine(&across, out, 7, 0, 0),  // capacity below 2 per side
                square->IntersectLine(&across, nullptr, 8, 0, 0),
                square->IntersectLine(nullptr, out, 8, 0, 0),
                square->IntersectArc(&arc, out, 3, 0, 0),
                square->IntersectArc(nullptr, out, 8, 0, 0), square->Overlap(nullptr, 1.0),
                square->IsArcConvex(nullptr)),
      testing::IsEmpty());
  EXPECT_EQ(square->IntersectLine(&across, out, 8, 0, 0), 2);
  EXPECT_EQ(square->IntersectArc(&arc, out, 8, 0, 0), 1);
}

TEST(Multi3DGeometry, EntitiesInsideByKind) {
  auto l = LPlan();
  Line3D inner(5, 5, 0, 35, 5, 0);
  Line3D across(10, 30, 0, 30, 30, 0);  // runs through the missing quarter
  Line3D on_side(0, 10, 0, 0, 30, 0);   // lies on the left side: near counts
  EXPECT_EQ(l->IsInside(&inner, 1.0, 0.01), 1);
  EXPECT_EQ(l->IsInside(&across, 1.0, 0.01), 0);
  EXPECT_EQ(l->IsInside(&on_side, 1.0, 0.01), 1);
  Arc3D small_arc = ArcAbout({10, 10}, 3, {13, 10}, {7, 10}, kCcw);
  Arc3D crossing_arc = ArcAbout({20, 20}, 5, {25, 20}, {15, 20}, kCcw);  // about the reflex corner
  EXPECT_EQ(l->IsInside(&small_arc, 1.0, 0.01), 1);
  EXPECT_EQ(l->IsInside(&crossing_arc, 1.0, 0.01), 0);
  EXPECT_EQ(l->IsInside(RectangleOutline(2, 2, 15, 15).get(), 1.0, 0.01), 1);
  auto straddling = RectangleOutline(15, 15, 25, 25);
  EXPECT_EQ(l->IsInside(static_cast<Curve3D*>(straddling.get()), 1.0, 0.01), 0);
}

// ---- Intersections with lines and arcs ----------------------------------------------------

TEST(Multi3DGeometry, IntersectLineSkipsItsOwnEndsAndSorts) {
  auto square = RectangleOutline(0, 0, 10, 10);
  std::vector<Point3D> out(12);
  Line3D spanning(0, 5, 0, 10, 5, 0);  // both ends on the sides
  EXPECT_EQ(square->IntersectLine(&spanning, out.data(), 8, 0, 1), 0);
  Line3D half(-5, 5, 0, 10, 5, 0);  // ends on the right side only
  ASSERT_EQ(square->IntersectLine(&half, out.data(), 8, 0, 1), 1);
  EXPECT_THAT(out[0], PointNear(0, 5, 0, 1e-12));

  auto l = LPlan();
  Line3D high(45, 30, 0, -5, 30, 0), low(45, 10, 0, -5, 10, 0);
  ASSERT_EQ(l->IntersectLine(&high, out.data(), 12, 0, 1), 2);  // sorted from the start
  EXPECT_THAT(out[0], PointNear(20, 30, 0, 1e-12));
  EXPECT_THAT(out[1], PointNear(0, 30, 0, 1e-12));
  ASSERT_EQ(l->IntersectLine(&low, out.data(), 12, 0, 0), 2);  // unsorted: in segment order
  EXPECT_THAT(out[0], PointNear(40, 10, 0, 1e-12));
  EXPECT_THAT(out[1], PointNear(0, 10, 0, 1e-12));
}

TEST(Multi3DGeometry, IntersectLinePerSegmentSlots) {
  auto square = RectangleOutline(0, 0, 10, 10);  // sides: bottom, right, top, left
  std::vector<Point3D> out(8, Point3D(99, 99, 99));
  Line3D across(-5, 5, 0, 15, 5, 0);
  ASSERT_EQ(square->IntersectLine(&across, out.data(), 8, 1, 0), 2);
  EXPECT_THAT(out[0], PointIs(0.0, 0.0, 0.0));
  EXPECT_THAT(out[2], PointNear(10, 5, 0, 1e-12));  // the right side owns slots 2 and 3
  EXPECT_THAT(out[3], PointIs(0.0, 0.0, 0.0));
  EXPECT_THAT(out[6], PointNear(0, 5, 0, 1e-12));  // the left side owns slots 6 and 7
}

TEST(Multi3DGeometry, IntersectArcMeetsLinesAndArcSides) {
  auto square = RectangleOutline(0, 0, 10, 10);
  std::vector<Point3D> out(8);
  Arc3D bulge = ArcAbout({10, 5}, 5, {10, 0}, {10, 10}, kCcw);  // ends on corners: not counted
  EXPECT_EQ(square->IntersectArc(&bulge, out.data(), 8, 0, 1), 0);
  Arc3D through = ArcAbout({12, 5}, 4, {16, 5}, {8, 5}, kCcw);  // crosses the right side once
  ASSERT_EQ(square->IntersectArc(&through, out.data(), 8, 0, 1), 1);
  EXPECT_THAT(out[0], PointNear(10, 5 + std::sqrt(12.0), 0, 1e-9));
  // The lower half circle about (5, 14) meets the arc top (circles 4 apart) at y = 12.
  Arc3D dip = ArcAbout({5, 14}, 5, {0, 14}, {10, 14}, kCcw);
  ASSERT_EQ(ArcTopSquare(true)->IntersectArc(&dip, out.data(), 8, 0, 1), 2);
  EXPECT_THAT(out[0], PointNear(5 - std::sqrt(21.0), 12, 0, 1e-9));
  EXPECT_THAT(out[1], PointNear(5 + std::sqrt(21.0), 12, 0, 1e-9));
}

// ---- Crossed sides ------------------------------------------------------------------------

TEST(Multi3DGeometry, ValidatePolygonAcceptsTouchingRejectsCrossing) {
  Box3D box(0.0, 10.0, 20.0, 0.0);
  Multi3D rect;
  EXPECT_EQ(ValidatePolygon(BoxToMulti(&box, &rect)), 1);
  EXPECT_EQ(ValidatePolygon(PolygonOutline({{0, 0}, {10, 0}, {0, 10}, {10, 10}}).get()), 0);
  // Two lobes whose tips touch the bottom side at one of their own vertices.
  for (auto [depth, valid] : {std::pair{0.0, 1}, {1e-12, 1}, {1e-9, 0}, {1.0, 0}}) {
    auto m = PolygonOutline({{0, 0}, {30, 0}, {30, 20}, {20, 20}, {15, -depth}, {10, 20}, {0, 20}});
    EXPECT_EQ(ValidatePolygon(m.get()), valid) << depth;  // ident tolerance decides
  }
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
  // A dip about (5, 14) through the top corners sinks to y = 7.6, clear of the bottom: valid.
  auto deep = OutlineOf({LineFrom({0, 0}, {10, 0}), LineFrom({10, 0}, {10, 10}),
                         ArcFrom({5, 14}, std::hypot(5.0, 4.0), {10, 10}, {0, 10}, kArcClockwise),
                         LineFrom({0, 10}, {0, 0})});
  EXPECT_EQ(ValidatePolygon(deep.get()), 1);
  // A dip about (5, 4) through (10, 7) and (0, 7) sinks to y = -1.83: crosses the bottom twice.
  auto cut = OutlineOf({LineFrom({0, 0}, {10, 0}), LineFrom({10, 0}, {10, 7}),
                        ArcFrom({5, 4}, std::hypot(5.0, 3.0), {10, 7}, {0, 7}, kArcClockwise),
                        LineFrom({0, 7}, {0, 0})});
  EXPECT_EQ(ValidatePolygon(cut.get()), 0);
}

// ---- Corners and arcs ---------------------------------------------------------------------

TEST(Multi3DGeometry, CornerCountsOfPlansAndArcs) {
  struct Case {
    const char* plan;
    std::unique_ptr<Multi3D> m;
    int convex, reflex;
  };
  Case cases[] = {
      {"L", LPlan(), 5, 1},
      {"T", TPlan(), 6, 2},
      {"square cw", PolygonOutline({{0, 0}, {0, 10}, {10, 10}, {10, 0}}), 4, 0},
      {"L cw", PolygonOutline({{0, 40}, {20, 40}, {20, 20}, {40, 20}, {40, 0}, {0, 0}}), 5, 1},
      {"circle of two half circles",
       OutlineOf(
           {ArcFrom({5, 5}, 5, {10, 5}, {0, 5}, kCcw), ArcFrom({5, 5}, 5, {0, 5}, {10, 5}, kCcw)}),
       0, 0},
      {"half disc",
       OutlineOf({ArcFrom({5, 5}, 5, {10, 5}, {0, 5}, kCcw), LineFrom({0, 5}, {10, 5})}), 2, 0},
      // The lower corners count, the arc adds two to the kind of its bulge and the side after it
      // is passed over.
      {"arc out", ArcTopSquare(true), 2, 2},
      {"arc in", ArcTopSquare(false), 4, 0},
  };
  for (Case& c : cases) {
    ASSERT_TRUE(c.m->IsClosed()) << c.plan;
    EXPECT_EQ(c.m->CornerCount(true), c.convex) << c.plan;
    EXPECT_EQ(c.m->CornerCount(false), c.reflex) << c.plan;
  }
  for (bool outward : {true, false}) {
    auto m = ArcTopSquare(outward);
    EXPECT_EQ(m->IsArcConvex(dynamic_cast<Arc3D*>(m->Segment(3))), outward);
  }
}

// ---- Outline intersection -----------------------------------------------------------------

TEST(Multi3DGeometry, IntersectMultiAreaMatchesTheCommonRegion) {
  const double chord_half = std::acos(10.0 / 12.0);  // the circle about the missing quarter
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
      // The outward arc top below y = 12: the square plus the band of the half disc.
      {"arc top and slab", ArcTopSquare(true), RectangleOutline(-5, -5, 15, 12),
       100 + 2 * std::sqrt(21.0) + 25 * std::asin(0.4)},
      {"slab and arc top", RectangleOutline(-5, -5, 15, 12), ArcTopSquare(true),
       100 + 2 * std::sqrt(21.0) + 25 * std::asin(0.4)},
      // Two arc-and-chord lenses cut out of the L.
      {"L and circle", LPlan(),
       OutlineOf({ArcFrom({30, 30}, 12, {42, 30}, {18, 30}, kCcw),
                  ArcFrom({30, 30}, 12, {18, 30}, {42, 30}, kCcw)}),
       144.0 * chord_half - 120.0 * std::sin(chord_half)},
  };
  for (Case& c : cases) {
    std::unique_ptr<Multi3D> common(c.a->IntersectMulti(c.b.get()));
    ASSERT_NE(common, nullptr) << c.what;
    EXPECT_TRUE(common->IsClosed()) << c.what;
    EXPECT_TRUE(IsJoinedLoop(*common)) << c.what;
    EXPECT_GE(common->Nodes(), 2) << c.what;  // an arc and its chord at least
    EXPECT_NEAR(PlanArea(*common), c.area, c.area * kRelTol) << c.what;
  }
}

TEST(Multi3DGeometry, IntersectMultiGivesNullForDegenerateInput) {
  auto square = RectangleOutline(0, 0, 10, 10);
  auto open = OpenOutline({{2, 2}, {8, 2}, {8, 8}});
  Multi3D empty;
  auto far_away = RectangleOutline(20, 20, 30, 30), corner = RectangleOutline(10, 10, 20, 20);
  auto beside = RectangleOutline(10, 0, 20, 10);
  auto flat = PolygonOutline({{-5, 5}, {5, 5}, {15, 5}});  // closed, no area
  auto spike = PolygonOutline({{5, 5}, {5, 5}, {5, 5}});
  EXPECT_THAT(NonZeroAt(square->IntersectMulti(nullptr), open->IntersectMulti(square.get()),
                        square->IntersectMulti(open.get()), square->IntersectMulti(&empty),
                        square->IntersectMulti(far_away.get()),
                        square->IntersectMulti(corner.get()), square->IntersectMulti(beside.get()),
                        square->IntersectMulti(flat.get()), square->IntersectMulti(spike.get())),
              testing::IsEmpty());
}

// ---- Overlap ------------------------------------------------------------------------------

TEST(Multi3DGeometry, OverlapByKind) {
  auto l = LPlan();
  Line3D crossing(30, 30, 0, 30, 10, 0), along_side(0, 10, 0, 0, 30, 0);
  Line3D in_quarter(25, 25, 0, 35, 35, 0), far(100, 100, 0, 110, 110, 0);
  const Point3D c(30, 30, 0), centre(20, 20, 0);
  Arc3D small_circle(&c, 3.0), crossing_circle(&c, 12.0), huge_circle(&centre, 100.0);
  auto inner = RectangleOutline(2, 2, 8, 8), straddling = RectangleOutline(15, 15, 25, 25);
  auto quarter_room = RectangleOutline(25, 25, 35, 35);
  auto open_crossing = OpenOutline({{30, 30}, {30, 10}, {50, 10}});
  EXPECT_TRUE(l->Overlap(&crossing, 1.0));
  EXPECT_TRUE(l->Overlap(&along_side, 1.0));
  EXPECT_TRUE(l->Overlap(&crossing_circle, 1.0));
  EXPECT_TRUE(l->Overlap(inner.get(), 1.0));
  EXPECT_TRUE(l->Overlap(straddling.get(), 1.0));
  EXPECT_TRUE(l->Overlap(open_crossing.get(), 1.0));
  // In the box but in the missing quarter, far away, or around the whole L: no overlap.
  EXPECT_THAT(
      NonZeroAt(l->Overlap(&in_quarter, 1.0), l->Overlap(&far, 1.0), l->Overlap(&small_circle, 1.0),
                l->Overlap(&huge_circle, 1.0), l->Overlap(quarter_room.get(), 1.0)),
      testing::IsEmpty());
}
