// Nearness, containment, intersections and overlap of arcs: what picking and outlines rely on.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "entities/arc3d.h"
#include "entities/line3d.h"
#include "support/arc_builders.h"
#include "support/entity_builders.h"
#include "support/geometry_matchers.h"

namespace {

constexpr double kTol = 1e-9;
constexpr int kCcw = kArcCounterClockwise;
constexpr int kCw = kArcClockwise;

TEST(Arc3DPicking, PtOnLineAcceptsHalfADegreePastEitherEndAndTheZoomedBand) {
  // Quarter arcs of radius 10; pick size 1 at zoom 10 gives a band of 0.1.
  // {direction, degrees, radius, on}: clockwise covers the complementary sweep.
  // clang-format off
  const double cases[][4] = {
      {kCcw, 45, 10, 1}, {kCcw, -0.4, 10, 1}, {kCcw, -0.6, 10, 0}, {kCcw, 90.4, 10, 1},
      {kCcw, 90.6, 10, 0}, {kCcw, 180, 10, 0}, {kCcw, 45, 10.09, 1}, {kCcw, 45, 10.11, 0},
      {kCcw, 45, 9.91, 1}, {kCcw, 45, 9.89, 0}, {kCw, 200, 10, 1}, {kCw, 45, 10, 0}};
  // clang-format on
  for (const auto& c : cases) {
    Arc3D arc = MakeArcDeg(0, 0, 10, 0, 90, static_cast<int>(c[0]));
    Point3D p = PointOnCircle(0, 0, c[2], c[1]);
    EXPECT_EQ(arc.PtOnLine(&p, 10.0, 1.0) >= 0.0, c[3] == 1) << c[1] << " deg at " << c[2];
  }
  Arc3D circle = MakeCircle(0, 0, 10);
  const Point3D a(-10, -2, 0), b(10, 2, 0);
  Point3D p = PointOnCircle(0, 0, 10.05, 45), rim(10, 0, 0);
  EXPECT_NEAR(circle.PtOnLine(&p, 10.0, 1.0), 0.05, kTol);
  EXPECT_EQ(circle.PtOnLine(&rim, 1.0, 1.0), 0.0);
  for (const double no : {circle.PtOnLine(&rim, 0.0, 1.0), circle.PtOnLine(nullptr, 1.0, 1.0),
                          Arc3D(&a, &b).PtOnLine(&rim, 1.0, 1.0)})  // zoom 0, null, flat ellipse
    EXPECT_EQ(no, kNotNear);
}

// IsNear has no end slack and answers for a chord line and an ellipse box; IsNearVertex uses the
// ends of open arcs and the axis points of full figures; IsNearMidPt answers with the centre.
TEST(Arc3DPicking, NearnessToTheCurveVerticesAndCentre) {
  const Point3D a(-20, -5, 0), b(20, 5, 0), a2(-10, -5, 0), b2(10, 5, 0);
  // clang-format off
  Arc3D figures[] = {MakeArcDeg(0, 0, 10, 0, 90, kCcw), MakeArcDeg(0, 0, 10, 0, 90, kCcw, true),
      MakeCircle(0, 0, 10), Arc3D(&a, &b), MakeArcDeg(3, 4, 10, 0, 90, kCcw), Arc3D(&a2, &b2)};
  // clang-format on
  const double diagonal = std::sqrt(50.0);  // (5, 5): the middle of the quarter's chord
  // {figure (arc, chord, circle, ellipse), degrees, distance from origin, zoom, expected}
  // clang-format off
  const double cases[][5] = {
      {0, 90.4, 10, 10, kNotNear}, {0, 30, 10, 10, 0}, {0, 30, 10, 0, kNotNear},
      {0, 45, diagonal, 10, kNotNear}, {1, 45, diagonal, 10, 0}, {2, 359.9, 10, 10, 0},
      {3, 0, 25, 1, 10}, {3, 0, 35, 1, 20}, {3, 0, 50, 1, kNotNear}};  // the ellipse's box edge
  // clang-format on
  for (const auto& c : cases) {
    Point3D p = PointOnCircle(0, 0, c[2], c[1]);
    EXPECT_NEAR(figures[static_cast<int>(c[0])].IsNear(&p, c[3], 1.0), c[4], kTol)
        << "figure " << c[0] << " at " << c[1] << " deg, " << c[2] << " zoom " << c[3];
  }
  EXPECT_EQ(figures[0].IsNear(nullptr, 1.0, 1.0), kNotNear);
  int index = 0;
  Point3D out, origin(0, 0, 0);
  EXPECT_NEAR(figures[4].IsNearMidPt(&origin, &out, 1e-6), 5.0, kTol);
  EXPECT_THAT(out, PointIs(3.0, 4.0, 0.0));
  // {figure, x, y, zoom, distance, vertex x, y}: zoom times distance must not pass the size.
  // clang-format off
  const double vertices[][7] = {{4, 13.5, 4.5, 1, std::sqrt(0.5), 13, 4},
      {5, 0.3, 5.4, 1, 0.5, 0, 5}, {5, -10.6, 0, 1, 0.6, -10, 0}, {5, 0, 6, 1, 1, 0, 5},
      {5, 0, 6, 2, kNotNear, 0, 5}};
  // clang-format on
  for (const auto& c : vertices) {
    Point3D p(c[1], c[2], 0);
    out.set(0, 5, 0);
    const double d = figures[static_cast<int>(c[0])].IsNearVertex(&p, &out, index, c[3], 1.0);
    EXPECT_NEAR(d, c[4], kTol) << c[1] << "," << c[2] << " zoom " << c[3];
    EXPECT_THAT(out, PointNear(c[5], c[6], 0.0, kTol)) << c[1] << "," << c[2];
  }
  EXPECT_EQ(figures[5].IsNearVertex(&origin, nullptr, index, 1.0, 10.0), 5.0);
  EXPECT_EQ(figures[4].IsNearMidPt(nullptr, nullptr, 1.0), kNotNear);
  EXPECT_EQ(figures[4].IsNearVertex(nullptr, nullptr, index, 1.0, 1.0), kNotNear);
}

TEST(Arc3DPicking, OnlyClosedFiguresContainPointsLinesAndArcs) {
  Arc3D circle = MakeCircle(0, 0, 10), open = MakeArcDeg(0, 0, 10, 0, 90, kCcw);
  Arc3D chord = MakeArcDeg(0, 0, 10, 0, 90, kCcw, true), small = MakeCircle(2, 0, 3);
  Arc3D overlapping = MakeCircle(9, 0, 3), opening = MakeCircle(5, 0, 2);
  Point3D inside(1, 1, 0), on_rim(10, 0, 0), outside(8, 8, 0), in_opening(5, 1, 0);
  Line3D inner = MakeLine(-5, 0, 5, 0), crossing = MakeLine(-5, 0, 15, 0);
  Line3D far_away = MakeLine(50, 50, 60, 60);
  EXPECT_EQ(circle.IsInside(&inside) + circle.IsInside(&on_rim) + chord.IsInside(&inside), 3);
  EXPECT_EQ(circle.IsInside(&outside) + open.IsInside(&inside) +
                circle.IsInside(static_cast<Point3D*>(nullptr)),
            0);
  EXPECT_EQ(circle.IsInside(&inner, 1.0, 1.0) + circle.IsInside(&small, 1.0, 1.0), 2);
  for (Curve3D* c : std::initializer_list<Curve3D*>{&crossing, &far_away, &overlapping, nullptr})
    EXPECT_EQ(circle.IsInside(c, 1.0, 1.0), 0) << (c ? c->Type() : 0);
  EXPECT_EQ(open.IsInside(&inner, 1.0, 1.0), 0);
  circle.AddExclusion(&opening);  // exclusions are left out by IsInsideEx only
  EXPECT_EQ(circle.IsInsideEx(&in_opening), 0);
  EXPECT_EQ(circle.IsInside(&in_opening) + circle.IsInsideEx(&inside), 2);
  EXPECT_EQ(circle.IsInsideEx(nullptr), 0);
  circle.ClearExclusions();
}

TEST(Arc3DPicking, IntersectLineOrdersAlongTheLineKeepsArcPointsAndZeroesAbsentOnes) {
  Arc3D figures[] = {MakeCircle(0, 0, 5), MakeArcDeg(0, 0, 5, 0, 180, kCcw)};
  const double cases[][11] = {
      // figure, extended, x1, y1, x2, y2, count, first x, y, second x, y
      {0, 0, -10, 0, 10, 0, 2, -5, 0, 5, 0},    {0, 0, 10, 0, -10, 0, 2, 5, 0, -5, 0},
      {0, 0, -10, 3, 10, 3, 2, -4, 3, 4, 3},    {0, 0, -10, 5, 10, 5, 1, 0, 5, 0, 0},  // tangent
      {0, 0, -10, 6, 10, 6, 0, 0, 0, 0, 0},     {0, 0, 0, 0, 5, 0, 1, 5, 0, 0, 0},     // on the rim
      {0, 0, 0, 0, 5 - 1e-5, 0, 0, 0, 0, 0, 0}, {0, 0, -1, 0, 1, 0, 0, 0, 0, 0, 0},    // inside
      {0, 0, 5, 0, 5, 0, 0, 0, 0, 0, 0},        {1, 0, 3, -10, 3, 10, 1, 3, 4, 0, 0},  // upper arc
      {0, 1, 0, 0, 1, 0, 2, -5, 0, 5, 0},       {0, 1, 0, 20, 1, 20, 0, 0, 0, 0, 0}};  // by radius
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c[2] << "," << c[3] << " to " << c[4] << "," << c[5]);
    Arc3D& arc = figures[static_cast<int>(c[0])];
    Line3D line = MakeLine(c[2], c[3], c[4], c[5]);
    Point3D p1(9, 9, 9), p2(9, 9, 9);
    const int n =
        c[1] == 1 ? arc.IntersectLineEx(&line, &p1, &p2) : arc.IntersectLine(&line, &p1, &p2);
    EXPECT_EQ(n, c[6]);
    EXPECT_THAT(p1, PointNear(c[7], c[8], 0.0, kTol));
    EXPECT_THAT(p2, PointNear(c[9], c[10], 0.0, kTol));
    EXPECT_EQ(c[1] == 1 ? n : arc.IntersectLine(&line, nullptr, nullptr), n);  // outputs optional
  }
  EXPECT_EQ(figures[1].IntersectLine(nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(figures[0].IntersectLineEx(nullptr, nullptr, nullptr), 0);
}

TEST(Arc3DPicking, IntersectArcOrdersPointsAlongThisArcAndSkipsTouchingOrCoincidentCircles) {
  Arc3D arcs[] = {MakeCircle(0, 0, 5), MakeCircle(0, 0, 5), MakeArcDeg(0, 0, 5, 0, 180, kCcw)};
  arcs[1].AngDir(kArcClockwise);
  const double cases[][8] = {
      // this arc, other centre x, other radius, count, first x, y, second x, y
      {0, 6, 5, 2, 3, 4, 3, -4}, {1, 6, 5, 2, 3, -4, 3, 4}, {2, 6, 5, 1, 3, 4, 0, 0},
      {0, 10, 5, 0, 0, 0, 0, 0}, {0, 11, 5, 0, 0, 0, 0, 0},  // touching outside, apart
      {0, 1, 2, 0, 0, 0, 0, 0},  {0, 3, 2, 0, 0, 0, 0, 0},   // nested, touching inside
      {0, 0, 5, 0, 0, 0, 0, 0}};                             // coincident
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "arc " << c[0] << " other " << c[1] << " r " << c[2]);
    Arc3D other = MakeCircle(c[1], 0, c[2]);
    Point3D p1(1, 1, 1), p2(1, 1, 1);
    EXPECT_EQ(arcs[static_cast<int>(c[0])].IntersectArc(&other, &p1, &p2), c[3]);
    EXPECT_THAT(p1, PointNear(c[4], c[5], 0.0, kTol));
    EXPECT_THAT(p2, PointNear(c[6], c[7], 0.0, kTol));
  }
  EXPECT_EQ(arcs[0].IntersectArc(nullptr, nullptr, nullptr), 0);
}

TEST(Arc3DPicking, OverlappedSegmentIsTheSharedStretchOfTheSameCircle) {
  Arc3D first = MakeArcDeg(0, 0, 5, 0, 90, kCcw), second = MakeArcDeg(0, 0, 5, 45, 135, kCcw);
  std::unique_ptr<Curve3D> common(first.OverlappedSegment(&second, 1000.0, 1.0));
  Arc3D* shared = dynamic_cast<Arc3D*>(common.get());
  ASSERT_NE(shared, nullptr);
  EXPECT_NEAR(shared->StartAngle(), 45.0, 1e-7);
  EXPECT_NEAR(shared->EndAngle(), 90.0, 1e-7);
  EXPECT_NEAR(shared->Radius(), 5.0, kTol);
  // A contained arc overlaps as a copy of itself, whichever arc asks.
  Arc3D whole = MakeArcDeg(0, 0, 5, 0, 180, kCcw), part = MakeArcDeg(0, 0, 5, 30, 60, kCcw);
  std::unique_ptr<Curve3D> from_whole(whole.OverlappedSegment(&part, 1000.0, 1.0));
  std::unique_ptr<Curve3D> from_part(part.OverlappedSegment(&whole, 1000.0, 1.0));
  EXPECT_TRUE(from_whole && from_whole->Ident(&part) && from_part && from_part->Ident(&part));
  // Touching at a point, disjoint, another centre, a full circle, a line: nothing shared.
  Arc3D others[] = {MakeArcDeg(0, 0, 5, 90, 180, kCcw), MakeArcDeg(0, 0, 5, 180, 270, kCcw),
                    MakeArcDeg(0.5, 0, 5, 0, 90, kCcw), MakeCircle(0, 0, 5)};
  for (Arc3D& other : others)
    EXPECT_EQ(std::unique_ptr<Curve3D>(first.OverlappedSegment(&other, 1000.0, 1.0)), nullptr);
  Line3D line = MakeLine(0, 0, 5, 0);
  EXPECT_EQ(std::unique_ptr<Curve3D>(first.OverlappedSegment(&line, 1000.0, 1.0)), nullptr);
  EXPECT_EQ(first.OverlappedSegment(nullptr, 1000.0, 1.0), nullptr);
}

}  // namespace
