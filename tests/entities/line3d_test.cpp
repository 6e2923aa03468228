#include "entities/line3d.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

#include "support/entity_builders.h"
#include "support/geometry_matchers.h"

namespace {

constexpr double kTol = 1e-12;
constexpr double kDegree = std::numbers::pi / 180.0;

// A line of length 10 centred on (5, 0), in the plan direction given in degrees: close to
// the direction of (0,0)-(10,0), all four ends lie within 0.5 of the other line.
Line3D LineAtDegrees(double degrees) {
  const double dx = 5 * std::cos(degrees * kDegree);
  const double dy = 5 * std::sin(degrees * kDegree);
  return MakeLine(5 - dx, -dy, 5 + dx, dy);
}

// Whether line runs between a and b, in either direction.
bool Joins(Line3D* line, const Point3D& a, const Point3D& b) {
  const bool forward = line->Spt()->ident(&a) && line->Ept()->ident(&b);
  const bool backward = line->Spt()->ident(&b) && line->Ept()->ident(&a);
  return forward || backward;
}

}  // namespace

// ---- Construction and the live counter ----------------------------------------------------

TEST(Line3D, EveryConstructorMakesAnUnchangedLineNamedLine) {
  const Point3D a(1, 2, 3);
  const Point3D b(4, 5, 6);
  Curve3D base(&a, &b, 2, 0, 1, -1, -2);
  base.Name("curve");
  base.State(kStateGeometryChanged);
  Line3D renamed = MakeLine(0, 0, 1, 1);
  renamed.Name("Eave");

  Line3D by_default;
  Line3D from_points(&a, &b);
  Line3D from_coordinates(1.0, 2.0, 3.0, 4.0, 5.0, 6.0);
  Line3D from_curve(&base);
  Line3D from_line(&renamed);
  Line3D copied(renamed);
  for (Line3D* line :
       {&by_default, &from_points, &from_coordinates, &from_curve, &from_line, &copied}) {
    EXPECT_EQ(line->Type(), kEntityLine);
    EXPECT_STREQ(line->Name(0, nullptr), "line");
    EXPECT_EQ(line->State(), kStateUnchanged);
  }
  EXPECT_THAT(*from_curve.Ept(), PointIs(4, 5, 6));
  EXPECT_THAT(*from_curve.Box(0, nullptr)->Maxpt(), PointIs(4, 5, 6));
  EXPECT_EQ(from_curve.GetColour(), 2);
  EXPECT_EQ(by_default.Thickness(), 1);
  EXPECT_EQ(by_default.GetFillColour(), -1);
  EXPECT_EQ(by_default.FillPattern(), -2);
}

TEST(Line3D, CopyMakesALine) {
  Line3D line = MakeLine(1, 2, 3, 4);
  line.Colour(3);
  std::unique_ptr<Curve3D> copy(line.Copy());
  ASSERT_NE(dynamic_cast<Line3D*>(copy.get()), nullptr);
  EXPECT_THAT(*copy->Ept(), PointIs(3, 4, 0));
  EXPECT_EQ(copy->GetColour(), 3);
  EXPECT_EQ(copy->State(), kStateUnchanged);
}

TEST(Line3D, GetNumCountsLiveLines) {
  Line3D probe;
  const int before = probe.GetNum();
  {
    Line3D a = MakeLine(0, 0, 1, 0);
    EXPECT_EQ(probe.GetNum(), before + 1);
    std::unique_ptr<Curve3D> copy(a.Copy());
    EXPECT_EQ(probe.GetNum(), before + 2);
    EXPECT_EQ(copy->GetNum(), before + 2);
    auto* on_heap = new Line3D(&a);
    EXPECT_EQ(probe.GetNum(), before + 3);
    delete on_heap;
    EXPECT_EQ(probe.GetNum(), before + 2);
  }
  EXPECT_EQ(probe.GetNum(), before);
}

TEST(Line3D, IsNeverFilled) {
  Line3D line;
  EXPECT_EQ(line.FillColour(5), -1);
  EXPECT_EQ(line.GetFillColour(), -1);
  EXPECT_EQ(line.FillPattern(3), -2);
  EXPECT_EQ(line.FillPattern(), -2);
  EXPECT_EQ(line.GetFillColour(), -1);
}

// ---- Measures -----------------------------------------------------------------------------

TEST(Line3D, AnglesAreCounterClockwiseDegrees) {
  Line3D diagonal = MakeLine(1, 1, 2, 2);
  EXPECT_NEAR(diagonal.Angle(), 45.0, 1e-9);
  EXPECT_NEAR(diagonal.XYangle(), 45.0, 1e-9);
  Point3D up(0, 1, 0);
  EXPECT_NEAR(diagonal.Angle(&up), 45.0, 1e-9);
  Line3D west = MakeLine(5, 5, 0, 5);
  EXPECT_NEAR(diagonal.Angle(&west), 135.0, 1e-9);
  Line3D east = MakeLine(0, 0, 1, 0);
  EXPECT_NEAR(diagonal.Angle(&east), 315.0, 1e-9);
  EXPECT_NEAR(MakeLine(0, 0, 0, -3).Angle(), 270.0, 1e-9);
  EXPECT_EQ(diagonal.Angle(static_cast<Point3D*>(nullptr)), 0.0);
}

TEST(Line3D, LengthsAndNorms) {
  Line3D line(0.0, 0.0, 0.0, 3.0, 4.0, 12.0);
  EXPECT_DOUBLE_EQ(line.FlatLength(0), 13.0);
  EXPECT_DOUBLE_EQ(line.Length(0), 13.0);
  EXPECT_DOUBLE_EQ(line.Length(1, 0), 13.0);  // no takeoff item: the plain length
  EXPECT_DOUBLE_EQ(line.Length("Eave", 0), 13.0);
  EXPECT_DOUBLE_EQ(line.Norm(), 13.0);
  EXPECT_DOUBLE_EQ(line.Norml1(), 19.0);
  EXPECT_DOUBLE_EQ(line.Norm_squared(), 169.0);
  EXPECT_EQ(line.Normalize(), 1);
  EXPECT_THAT(*line.Ept(), PointIs(3, 4, 12));  // unchanged
  EXPECT_EQ(MakeLine(2, 2, 2, 2).Normalize(), 0);
}

TEST(Line3D, WithoutTakeoffItemsCountsTwoAndHasNoArea) {
  Line3D line = MakeLine(0, 0, 4, 0);
  EXPECT_EQ(line.Count(0, 0), 2);
  EXPECT_EQ(line.Count("Ridge", 1), 2);
  EXPECT_EQ(line.Area(1, 0), 0.0);
  EXPECT_EQ(line.Area("Ridge", 0), 0.0);
}

TEST(Line3D, PitchFallsBackToTheLegacyPitchAndSetPitchNeedsItems) {
  Line3D line = MakeLine(0, 0, 4, 0);
  line.LegacyPitch(6.0);
  EXPECT_DOUBLE_EQ(line.Pitch(), 6.0);
  EXPECT_DOUBLE_EQ(line.SetPitch(8.0), 8.0);
  EXPECT_DOUBLE_EQ(line.Pitch(), 6.0);
  EXPECT_EQ(line.State(), kStateUnchanged);
}

TEST(Line3D, MidPointAndDistanceToIt) {
  Line3D line = MakeLine(0, 0, 4, 2);
  Point3D mid;
  EXPECT_EQ(line.Mid_pt(&mid), &mid);
  EXPECT_THAT(mid, PointIs(2, 1, 0));
  EXPECT_EQ(line.Mid_pt(nullptr), nullptr);

  Point3D far(2, 101, 0);
  Point3D out;
  // No tolerance: any distance is reported.
  EXPECT_DOUBLE_EQ(line.IsNearMidPt(&far, &out, 1.0), 100.0);
  EXPECT_THAT(out, PointIs(2, 1, 0));
  EXPECT_EQ(line.IsNearMidPt(nullptr, &out, 1.0), kNotNear);
}

TEST(Line3D, DistIsToTheInfiniteLine) {
  Line3D line = MakeLine(0, 0, 10, 0);
  Point3D above(5, 3, 0);
  EXPECT_NEAR(line.Dist(&above), 3.0, kTol);
  Point3D start(0, 0, 0);
  EXPECT_NEAR(line.Dist(&start), 0.0, kTol);
  Point3D beyond(15, -4, 0);
  EXPECT_NEAR(line.Dist(&beyond), 4.0, kTol);
  Line3D diagonal = MakeLine(0, 0, 1, 1);
  Point3D corner(1, 0, 0);
  EXPECT_NEAR(diagonal.Dist(&corner), std::sqrt(0.5), kTol);
  Line3D dot = MakeLine(2, 3, 2, 3);
  Point3D p(5, 7, 0);
  EXPECT_NEAR(dot.Dist(&p), 5.0, kTol);
}

// ---- Nearness -----------------------------------------------------------------------------

TEST(Line3D, PtOnLineOfAFlatLine) {
  struct Case {
    double x, y;
    double expected;
  };
  // The line (0,0)-(10,0) with tol = size / scale = 1 / 2 = 0.5.
  const Case cases[] = {
      {5, 0.3, 0.3},
      {5, -0.3, 0.3},
      {5, 0.5, 0.5},  // exactly tol: near
      {5, 0.6, kNotNear},
      {5, 0.5000001, kNotNear},
      {10.2, 0, 0.2},  // past the end: the distance to Ept
      {-0.3, 0, 0.3},  // before the start: the distance to Spt
      {10.3, 0.3, std::sqrt(0.18)},
      {-1, 0, kNotNear},
      {10.4, 0.4, kNotNear},  // beyond the end and more than tol from it
  };
  Line3D line = MakeLine(0, 0, 10, 0);
  for (const Case& c : cases) {
    Point3D p(c.x, c.y, 0);
    EXPECT_NEAR(line.PtOnLine(&p, 2.0, 1.0), c.expected, 1e-12) << c.x << ", " << c.y;
    EXPECT_NEAR(line.IsNear(&p, 2.0, 1.0), c.expected, 1e-12) << c.x << ", " << c.y;
  }
}

TEST(Line3D, PtOnLineOfASteepLineMeasuresAcross) {
  Line3D steep = MakeLine(0, 0, 1, 10);
  Point3D on(0.5, 5, 0);
  EXPECT_EQ(steep.PtOnLine(&on, 1.0, 0.5), 0.0);
  Point3D beside(1.0, 5, 0);
  EXPECT_NEAR(steep.PtOnLine(&beside, 1.0, 0.5), 0.5, kTol);

  // At 45 degrees the steep branch is taken, and the deviation is the horizontal one (1.0),
  // not the perpendicular one (0.707).
  Line3D diagonal = MakeLine(0, 0, 10, 10);
  Point3D off(6, 5, 0);
  EXPECT_EQ(diagonal.PtOnLine(&off, 1.0, 0.8), kNotNear);
  EXPECT_NEAR(diagonal.PtOnLine(&off, 1.0, 1.0), 1.0, kTol);

  Line3D falling = MakeLine(0, 10, 0, 0);
  Point3D left(-0.25, 2, 0);
  EXPECT_NEAR(falling.PtOnLine(&left, 1.0, 0.5), 0.25, kTol);
}

TEST(Line3D, PtOnLineOfAZeroLengthLineUsesItsEnds) {
  Line3D dot = MakeLine(3, 3, 3, 3);
  Point3D near(3.2, 3, 0);
  EXPECT_NEAR(dot.PtOnLine(&near, 1.0, 0.5), 0.2, kTol);
  Point3D far(4, 3, 0);
  EXPECT_EQ(dot.PtOnLine(&far, 1.0, 0.5), kNotNear);
}

TEST(Line3D, NearnessWithZeroScaleOrNoPointIsNotNear) {
  Line3D line = MakeLine(0, 0, 10, 0);
  Point3D on(5, 0, 0);
  Point3D out;
  int index = 0;
  EXPECT_EQ(line.PtOnLine(&on, 0.0, 1.0), kNotNear);
  EXPECT_EQ(line.PtOnLine(nullptr, 1.0, 1.0), kNotNear);
  EXPECT_EQ(line.IsNearVertex(&on, &out, index, 0.0, 100.0), kNotNear);
  EXPECT_EQ(line.IsNearVertex(nullptr, &out, index, 1.0, 100.0), kNotNear);
}

TEST(Line3D, IsNearVertexReportsTheNearerEndAndEptOnATie) {
  Line3D line = MakeLine(0, 0, 10, 0);
  Point3D out(9, 9, 9);
  int index = 7;

  Point3D middle(5, 1, 0);
  EXPECT_NEAR(line.IsNearVertex(&middle, &out, index, 1.0, 6.0), std::sqrt(26.0), kTol);
  EXPECT_THAT(out, PointIs(10, 0, 0));

  Point3D by_start(1, 0, 0);
  EXPECT_NEAR(line.IsNearVertex(&by_start, &out, index, 1.0, 1.0), 1.0, kTol);
  EXPECT_THAT(out, PointIs(0, 0, 0));

  // d * scale must not exceed size: 1 * 2 > 1.5.
  EXPECT_EQ(line.IsNearVertex(&by_start, &out, index, 2.0, 1.5), kNotNear);
  Point3D by_end(9.5, 0, 0);
  EXPECT_NEAR(line.IsNearVertex(&by_end, nullptr, index, 2.0, 1.0), 0.5, kTol);
  EXPECT_EQ(index, 7);
}

// ---- Changing the line --------------------------------------------------------------------

TEST(Line3D, SetStoresSnappedPoints) {
  Line3D line;
  const Point3D a(1e-13, 2, 0);
  const Point3D b(5, 6, 0);
  EXPECT_EQ(line.Set(&a, &b), &line);
  EXPECT_THAT(*line.Spt(), PointIs(0, 2, 0));
  EXPECT_THAT(*line.Box(0, nullptr)->Maxpt(), PointIs(5, 6, 0));
  EXPECT_EQ(line.State(), kStateGeometryChanged);
  line.Set(&a, nullptr);
  EXPECT_THAT(*line.Ept(), PointIs(5, 6, 0));

  Line3D src = MakeLine(7, 7, 8, 8);
  line.Set(&src);
  EXPECT_THAT(*line.Spt(), PointIs(7, 7, 0));
}

TEST(Line3D, SetAngleTurnsAboutTheStart) {
  struct Case {
    double from_degrees;
    double to_degrees;
    double ex, ey;
  };
  // The line (0,0)-(2,0) turned, or a line already at from_degrees.
  const Case cases[] = {
      {0, 90, 0, 2},  {0, -90, 0, -2},  // a negative turn goes the long way round to the same place
      {0, 450, 0, 2}, {90, 0, 2, 0},   {0, 180, -2, 0},
  };
  for (const Case& c : cases) {
    Line3D line = MakeLine(0, 0, 2, 0);
    line.SetAngle(c.from_degrees);
    EXPECT_EQ(line.SetAngle(c.to_degrees), c.to_degrees);
    EXPECT_THAT(*line.Ept(), PointNear(c.ex, c.ey, 0, 1e-9)) << c.to_degrees;
    EXPECT_THAT(*line.Spt(), PointIs(0, 0, 0));
    EXPECT_EQ(line.State(), kStateGeometryChanged);
  }
  // A quarter turn lands exactly on the axis: the rounding left over is snapped away.
  Line3D line = MakeLine(0, 0, 2, 0);
  line.SetAngle(90);
  EXPECT_THAT(*line.Ept(), PointIs(0, 2, 0));
  EXPECT_THAT(*line.Box(0, nullptr)->Maxpt(), PointIs(0, 2, 0));
}

TEST(Line3D, SetLengthKeepsTheStartAndDirection) {
  Line3D line = MakeLine(1, 1, 4, 5);
  EXPECT_EQ(line.SetLength(10), 10);
  EXPECT_THAT(*line.Spt(), PointIs(1, 1, 0));
  EXPECT_THAT(*line.Ept(), PointNear(7, 9, 0, kTol));
  EXPECT_THAT(*line.Box(0, nullptr)->Maxpt(), PointNear(7, 9, 0, kTol));

  Line3D dot = MakeLine(2, 3, 2, 3);
  dot.SetLength(5);
  EXPECT_THAT(*dot.Ept(), PointIs(7, 3, 0));
  EXPECT_EQ(dot.State(), kStateGeometryChanged);

  Line3D untouched = MakeLine(0, 0, 4, 0);
  EXPECT_EQ(untouched.SetLength(0), 0);
  EXPECT_THAT(*untouched.Ept(), PointIs(4, 0, 0));
  EXPECT_EQ(untouched.State(), kStateUnchanged);
}

TEST(Line3D, SizeSettersMoveTheEnd) {
  Line3D line = MakeLine(1, 1, 4, 5);
  EXPECT_EQ(line.SetWidth(2), 2);
  EXPECT_THAT(*line.Ept(), PointIs(3, 5, 0));
  EXPECT_EQ(line.State(), kStateGeometryChanged);
  line.SetHeight(-3);
  EXPECT_THAT(*line.Ept(), PointIs(3, -2, 0));
  EXPECT_THAT(*line.Box(0, nullptr)->Minpt(), PointIs(1, -2, 0));

  Line3D raised = MakeLine(0, 0, 1, 0);
  raised.SetDepth(2.5);
  raised.SetDepth(0.5);
  EXPECT_THAT(*raised.Ept(), PointIs(1, 0, 3));
  EXPECT_EQ(raised.State(), kStateChanged);
  EXPECT_DOUBLE_EQ(raised.Depth(), 3.0);
}

TEST(Line3D, ConnectJoinsNeighbouringLinesAtTheirCrossings) {
  Line3D prev = MakeLine(0, 0, 5, 0);
  Line3D side = MakeLine(6, 1, 6, 5);
  Line3D next = MakeLine(5, 6, 0, 6);
  EXPECT_TRUE(side.Connect(&prev, &next, nullptr));
  EXPECT_THAT(*side.Spt(), PointIs(6, 0, 0));
  EXPECT_THAT(*prev.Ept(), PointIs(6, 0, 0));
  EXPECT_THAT(*side.Ept(), PointIs(6, 6, 0));
  EXPECT_THAT(*next.Spt(), PointIs(6, 6, 0));
  EXPECT_THAT(*prev.Box(0, nullptr)->Maxpt(), PointIs(6, 0, 0));
}

TEST(Line3D, ConnectLeavesParallelAndNonLineNeighbours) {
  Line3D side = MakeLine(0, 0, 5, 0);
  Line3D parallel = MakeLine(0, 1, 5, 1);
  Curve3D not_a_line(6.0, -1.0, 0.0, 6.0, 1.0, 0.0, 0, 0, 1, -1, -2);
  Line3D roof_edge = MakeLine(6, -1, 6, 1);
  roof_edge.Type(kEntityREdge);
  EXPECT_FALSE(side.Connect(&parallel, &not_a_line, nullptr));
  EXPECT_FALSE(side.Connect(nullptr, &roof_edge, nullptr));
  EXPECT_THAT(*side.Ept(), PointIs(5, 0, 0));

  // One joined end is enough.
  Line3D crossing = MakeLine(8, -1, 8, 1);
  EXPECT_TRUE(side.Connect(&parallel, &crossing, nullptr));
  EXPECT_THAT(*side.Ept(), PointIs(8, 0, 0));
  EXPECT_THAT(*side.Spt(), PointIs(0, 0, 0));
}

// ---- Overlap of collinear lines -----------------------------------------------------------

TEST(Line3D, OverlappedSegmentOfCollinearLines) {
  struct Case {
    const char* what;
    double x1, y1, x2, y2;
    bool shared;
    double from, to;
  };
  // Against the line (0,0)-(10,0), tol 0.5.
  const Case cases[] = {
      {"same direction, partial", 4, 0, 15, 0, true, 4, 10},
      {"opposite direction, partial", 10, 0, 4, 0, true, 4, 10},
      {"other inside this", 3, 0, 5, 0, true, 3, 5},
      {"other covers this", -2, 0, 12, 0, true, 0, 10},
      {"reversed and covering", 12, 0, -2, 0, true, 0, 10},
      {"touching at one point", 10, 0, 14, 0, false, 0, 0},
      {"apart on the same line", 11, 0, 14, 0, false, 0, 0},
      {"parallel but offset", 0, 1, 10, 1, false, 0, 0},
  };
  Line3D line = MakeLine(0, 0, 10, 0);
  for (const Case& c : cases) {
    Line3D other = MakeLine(c.x1, c.y1, c.x2, c.y2);
    std::unique_ptr<Line3D> shared(line.OverlappedSegment(&other, 1.0, 0.5));
    ASSERT_EQ(shared != nullptr, c.shared) << c.what;
    if (!shared) continue;
    EXPECT_TRUE(Joins(shared.get(), Point3D(c.from, 0, 0), Point3D(c.to, 0, 0))) << c.what;
  }
}

TEST(Line3D, OverlappedSegmentIsANewPlainLine) {
  Line3D line = MakeLine(2, 0, 3, 0);
  line.Colour(4);
  line.Linetype(2);
  Line3D other = MakeLine(0, 0, 10, 0);
  std::unique_ptr<Line3D> shared(line.OverlappedSegment(&other, 1.0, 0.5));
  ASSERT_NE(shared, nullptr);
  // Both ends of this line on the other: this line's own direction.
  EXPECT_THAT(*shared->Spt(), PointIs(2, 0, 0));
  EXPECT_THAT(*shared->Ept(), PointIs(3, 0, 0));
  EXPECT_EQ(shared->GetColour(), 0);
  EXPECT_EQ(shared->GetLinetype(), 0);
  EXPECT_EQ(shared->Thickness(), 1);
  EXPECT_EQ(shared->Type(), kEntityLine);
  EXPECT_EQ(shared->State(), kStateUnchanged);
}

TEST(Line3D, OverlappedSegmentAllowsTwoDegrees) {
  Line3D line = MakeLine(0, 0, 10, 0);
  struct Case {
    double degrees;
    bool parallel;
  };
  const Case cases[] = {
      {2.0 - 1e-9, true},   // 2 degrees is the limit, inclusive
      {2.0 + 1e-9, false},  // just beyond it
      {2.1, false},         // beyond it
      {3.0, false},         // clearly crossing
      {181.0, true},        // opposite and within 2 degrees
      {-1.5, true},         // 358.5: either side of the axis
      {177.9, false},       // almost opposite, but 2.1 degrees off
  };
  for (const Case& c : cases) {
    Line3D other = LineAtDegrees(c.degrees);
    std::unique_ptr<Line3D> shared(line.OverlappedSegment(&other, 1.0, 0.5));
    EXPECT_EQ(shared != nullptr, c.parallel) << c.degrees;
  }
}

TEST(Line3D, OverlappedSegmentTakesLinesAndRoofEdgesOnly) {
  Line3D line = MakeLine(0, 0, 10, 0);
  Curve3D not_a_line(0.0, 0.0, 0.0, 10.0, 0.0, 0.0, 0, 0, 1, -1, -2);
  EXPECT_EQ(line.OverlappedSegment(&not_a_line, 1.0, 0.5), nullptr);
  EXPECT_EQ(line.OverlappedSegment(nullptr, 1.0, 0.5), nullptr);
  Line3D roof_edge = MakeLine(5, 0, 20, 0);
  roof_edge.Type(kEntityREdge);
  std::unique_ptr<Line3D> shared(line.OverlappedSegment(&roof_edge, 1.0, 0.5));
  ASSERT_NE(shared, nullptr);
  EXPECT_TRUE(Joins(shared.get(), Point3D(5, 0, 0), Point3D(10, 0, 0)));
}

TEST(Line3D, WholeNumberCoordinatesAreCoordinatesNotPoints) {
  // Literal zeros must not be taken for null points.
  Line3D line(0, 0, 0, 10, 0, 0);
  EXPECT_EQ(line.Ept()->x, 10.0);
  EXPECT_EQ(line.Type(), 2001);
  Line3D withColour(0, 0, 0, 3, 4, 0, 5);
  EXPECT_EQ(withColour.GetColour(), 5);
  EXPECT_DOUBLE_EQ(withColour.Length(0), 5.0);
}
