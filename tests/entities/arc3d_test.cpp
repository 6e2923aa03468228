#include "entities/arc3d.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

#include "entities/edge3d.h"
#include "entities/line3d.h"
#include "entities/multi3d.h"
#include "entities/redge3d.h"
#include "geometry/dblplist.h"
#include "support/arc_builders.h"
#include "support/box_matchers.h"
#include "support/geometry_matchers.h"
#include "support/outline_builders.h"

namespace {

constexpr double kTol = 1e-9;
constexpr double kPi = std::numbers::pi;
constexpr int kCcw = kArcCounterClockwise;
constexpr int kCw = kArcClockwise;
const double kRoot2 = std::sqrt(2.0);
const double kH = std::sqrt(0.5);
// The sweep of a chord 2 long at height 0.5 (or 4 long at height 1).
const double kShortSweep = 2 * std::asin(0.8) * 180 / kPi;

TEST(Arc3D, ConstructorsSetKindNameAxesEndsFillAndFullMeasures) {
  const int types[] = {kEntityEllipse, kEntityCircle, kEntityArc, kEntityChord, kEntityLine};
  const char* names[] = {"Ellipse", "Circle", "Arc", "Chord", "Circle"};
  for (int i = 0; i < 5; ++i)
    EXPECT_STREQ(Arc3D(types[i]).Name(0, nullptr), names[i]) << i;
  const Point3D c(1, 2, 3), a(4, 1, 0), b(0, -1, 0), o(0, 0, 0), s(1, 0, 0), e(0, 1, 0);
  Arc3D circle(&c, 4.0), ellipse(&a, &b);
  EXPECT_THAT(*circle.Ept(), PointIs(5.0, 2.0, 3.0));
  EXPECT_THAT(*circle.Box(0, nullptr), BoxIs(-3.0, -2.0, 3.0, 5.0, 6.0, 3.0));
  EXPECT_THAT(*ellipse.Ctr(), PointIs(2.0, 0.0, 0.0));
  EXPECT_THAT(*ellipse.Minor(), PointIs(0.0, 1.0, 0.0));
  EXPECT_THAT(*ellipse.Spt(), PointIs(4.0, 0.0, 0.0));
  EXPECT_TRUE(circle.IsClosed() && ellipse.IsClosed() && ellipse.Type() == kEntityEllipse);
  EXPECT_NEAR(circle.Length(0), 8 * kPi, kTol);
  EXPECT_NEAR(circle.Area(0), 16 * kPi, kTol);
  EXPECT_EQ(ellipse.Length(0), 0.0);  // an ellipse measures only when all kinds are asked
  EXPECT_NEAR(ellipse.Length(1), 4 * kPi, kTol);
  EXPECT_NEAR(ellipse.Area(0), 2 * kPi, kTol);
  Arc3D arc(&o, 1.0, &s, &e, kCw, 3, 0, 1), chord(kCcw, &o, 1.0, &s, &e, 3, 0, 1, 5, 1);
  EXPECT_EQ(arc.GetFillColour(), -1);  // an open arc is never filled
  EXPECT_EQ(chord.GetFillColour(), 5);
  EXPECT_TRUE(arc.AngDir() == kCw && chord.Type() == kEntityChord);
}

TEST(Arc3D, CopiesKeepEveryArcFieldAndTheLiveCountFollowsThem) {
  Arc3D source = MakeArcDeg(1, 1, 2, 30, 200, kCw, true), target;
  const int live = source.GetNum();
  std::unique_ptr<Curve3D> copy(source.Copy());
  EXPECT_EQ(source.GetNum(), live + 1);
  EXPECT_TRUE(source.Ident(copy.get()) && dynamic_cast<Arc3D*>(copy.get()) != nullptr);
  copy.reset();
  EXPECT_EQ(source.GetNum(), live);
  target.Set(static_cast<Curve3D*>(&source));
  EXPECT_TRUE(target.Ident(&source) && target.Type() == kEntityChord);
  EXPECT_EQ(Arc3D(static_cast<const Curve3D*>(nullptr), kEntityArc).Type(), kEntityArc);
  const Point3D v(3.0, 5e-13, -2e-13);  // tiny axis components snap to 0
  target.Major(&v);
  EXPECT_THAT(*target.Major(), PointIs(3.0, 0.0, 0.0));
}

// Unit-circle arcs; the chord on the same ends shares the sweep. Whatever the direction, the
// arc covers StartAngle counter-clockwise to EndAngle.
TEST(Arc3D, SweepLengthHeightAreaAndBoxFollowTheDirectionAndWrapPastZero) {
  const double cases[][8] = {
      // from, to, dir, sweep, box left, bottom, right, top
      {0, 90, kCcw, 90, 0, 0, 1, 1},       {0, 90, kCw, 270, -1, -1, 1, 1},
      {90, 0, kCcw, 270, -1, -1, 1, 1},    {270, 90, kCcw, 180, 0, -1, 1, 1},
      {315, 45, kCw, 270, -1, -1, kH, 1},  {315, 45, kCcw, 90, kH, -kH, 1, kH},
      {45, 135, kCcw, 90, -kH, kH, kH, 1}, {90, 270, kCcw, 180, -1, -1, 0, 1},
      {180, 0, kCcw, 180, -1, -1, 1, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c[0] << "->" << c[1] << " dir " << c[2]);
    Arc3D arc = MakeArcDeg(0, 0, 1, c[0], c[1], static_cast<int>(c[2]));
    Arc3D chord = MakeArcDeg(0, 0, 1, c[0], c[1], static_cast<int>(c[2]), true);
    const double theta = c[3] * kPi / 180, segment = (theta - std::sin(theta)) / 2;
    const double start = c[2] == kCcw ? c[0] : c[1];
    EXPECT_NEAR(arc.StartAngle(), start, kTol);
    EXPECT_NEAR(arc.EndAngle(), c[2] == kCcw ? c[1] : c[0], kTol);
    EXPECT_NEAR(arc.Angle(), c[3], kTol);
    EXPECT_NEAR(arc.GetChordDist(), 1 - std::cos(theta / 2), kTol);
    EXPECT_THAT(*arc.Box(0, nullptr), PlanBoxNear(c[4], c[5], c[6], c[7], kTol));
    EXPECT_NEAR(arc.Length(0), theta, kTol);
    EXPECT_NEAR(chord.Length(0), theta, kTol);  // the curved side only
    EXPECT_NEAR(arc.Area(2), segment, kTol);    // open: only mode 2 asks for the segment
    EXPECT_NEAR(chord.Area(0), segment, kTol);
    EXPECT_TRUE(arc.Area(0) == 0.0 && !arc.IsClosed() && chord.IsClosed());
    Point3D s = *arc.Spt(), mid = PointOnCircle(0, 0, 1, start + c[3] / 2);
    Point3D gap = PointOnCircle(0, 0, 1, start + c[3] / 2 + 180);
    EXPECT_NEAR(arc.SegmentLength(&mid, &s), theta / 2, kTol);
    EXPECT_EQ(arc.SegmentLength(&s, &gap), -1.0);
  }
}

TEST(Arc3D, CircularBandOpenAreaAndChordLengthLimitsAreStrict) {
  const double cases[][3] = {{1, 1, 1}, {1.09, 1, 1}, {0.91, 1, 1}, {1.2, 1, 0}, {1, 0, 0}};
  for (const auto& c : cases) {  // the ellipse in the box (-x, -y)-(x, y)
    const Point3D lo(-c[0], -c[1], 0), hi(c[0], c[1], 0);
    EXPECT_EQ(Arc3D(&lo, &hi).IsCircular(), c[2]) << c[0] << " / " << c[1];
  }
  Arc3D chord = MakeArcDeg(0, 0, 10, 0, 90, kCcw, true);  // axes must be less than five apart
  const Point3D within(0, 7, 0), at_limit(0, 5, 0), o(0, 0, 0);
  chord.Minor(&within);
  EXPECT_NEAR(chord.Area(0), kPi * 10 * 7 / 4 - 50, kTol);
  chord.Minor(&at_limit);
  EXPECT_EQ(chord.Area(0), 0.0);
  EXPECT_EQ(chord.SegmentLength(nullptr, nullptr), -1.0);
  for (const double over : {4e-12, 2e-11}) {  // the chord may pass the diameter by 1e-11
    const Point3D s(-1 - over, 0, 0), e(1 + over, 0, 0);
    EXPECT_NEAR(Arc3D(&o, 1.0, &s, &e, kCcw).GetChordDist(), over < 1e-11 ? 1 : 0, kTol) << over;
  }
}

// Every construction starts from the lower half circle (-1,0) to (1,0); counter-clockwise arcs
// bulge below the chord; three points never clear the clockwise flag. A refused construction
// (no radius in its row) changes nothing.
TEST(Arc3D, ConstructionsFromTheChordBuildOnTheDirectionSideOrChangeNothing) {
  constexpr double k3Pt = 0, kSweep = 1, kHeight = 2;
  // construction, x or value, y, dir, radius, centre y, sweep, dir after
  // clang-format off
  const double cases[][8] = {
      {k3Pt, 0.6, 0.8, kCcw, 1, 0, 180, kCw}, {k3Pt, 0.6, -0.8, kCcw, 1, 0, 180, kCcw},
      {k3Pt, 0.6, -0.8, kCw, 1, 0, 180, kCw}, {kSweep, 180, 0, kCcw, 1, 0, 180, kCcw},
      {kSweep, 90, 0, kCcw, kRoot2, 1, 90, kCcw}, {kSweep, 270, 0, kCw, kRoot2, 1, 270, kCw},
      {kSweep, 270, 0, kCcw, kRoot2, -1, 270, kCcw}, {kSweep, 90, 0, kCw, kRoot2, -1, 90, kCw},
      {kHeight, 0.5, 0, kCcw, 1.25, 0.75, kShortSweep, kCcw},
      {k3Pt, 0, 0, kCw}, {k3Pt, 8, 0, kCw}, {k3Pt, -1, 0, kCw}, {kSweep, 0}, {kSweep, 1e-13},
      {kSweep, 360}, {kSweep, 400}, {kHeight, 0}, {kHeight, -1}};
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "kind " << c[0] << " " << c[1] << "," << c[2]);
    Arc3D arc = MakeArcDeg(0, 0, 1, 180, 0, static_cast<int>(c[3]));
    const Point3D p(c[1], c[2], 0);
    Arc3D* built = c[0] == k3Pt     ? arc.CalcArc_3Pt(&p)
                   : c[0] == kSweep ? arc.CalcArc_SweepAngle(c[1])
                                    : arc.CalcArc_ChordDist(c[1]);
    const bool refused = c[4] == 0;
    EXPECT_EQ(built, refused ? nullptr : &arc);
    EXPECT_NEAR(arc.Radius(), refused ? 1 : c[4], kTol);
    EXPECT_THAT(*arc.Ctr(), PointNear(0.0, c[5], 0.0, kTol));
    EXPECT_NEAR(arc.Angle(), refused ? 180 : c[6], 1e-7);
    EXPECT_EQ(arc.AngDir(), refused ? c[3] : c[7]);
  }
  EXPECT_EQ(MakeArcDeg(0, 0, 1, 180, 0, kCcw).CalcArc_3Pt(nullptr), nullptr);
}

// One edit per row on a fresh figure. A refused edit returns 0 and leaves the figure unchanged.
TEST(Arc3D, EditsReshapeTheFigureAndMarkTheGeometryChanged) {
  constexpr double kAngle = 0, kLength = 1, kWidth = 2, kHeight = 3, kRadius = 4, kDir = 5;
  constexpr double kMoveSpt = 6, kCalcRadius = 7;
  const Point3D a(-2, -1, 0), b(2, 1, 0), ctr(2, 1, 0), o(0, 0, 0), e4(4, 0, 0);
  // clang-format off
  const double cases[][12] = {
      // figure (quarter, clockwise quarter, lower half, circle, ellipse, small, large, long
      // chord), edit, value, returns,
      // major, minor, sweep, start x, y, end x, y, changed (-1: not checked). Clockwise
      // SetAngle moves the start point; Radius slides the ends along their directions; moving
      // the start keeps the chord height; CalcArc_Radius keeps the side of the chord and, below
      // half the chord, shortens it.
      {0, kAngle, 180, 180, 1, 1, 180, 1, 0, -1, 0, 1}, {3, kAngle, 90, 0, 1, 1, 0, 1, 0, 1, 0, 0},
      {1, kAngle, 180, 180, 1, 1, 180, -1, 0, 1, 0, 1}, {0, kAngle, 0, 0, 1, 1, 90, 1, 0, 0, 1, 0},
      {0, kLength, kPi, kPi, 1, 1, 180, 1, 0, -1, 0, 1}, {3, kWidth, 4, 4, 2, 2, 0, 2, 0, 2, 0, 1},
      {0, kLength, -1, 0, 1, 1, 90, 1, 0, 0, 1, 0}, {4, kHeight, 6, 6, 2, 3, 0, 2, 0, 2, 0, 1},
      {3, kLength, 6 * kPi, 6 * kPi, 3, 3, 0, 3, 0, 3, 0, 1},
      {0, kRadius, 2, 2, 2, 2, 90, 2, 0, 0, 2, 1}, {0, kDir, kCw, kCw, 1, 1, 270, 1, 0, 0, 1, 1},
      {2, kMoveSpt, -3, 1, 2.5, 2.5, kShortSweep, -3, 0, 1, 0, 1},
      {5, kCalcRadius, 2, 1, 2, 2, 60, -1, 0, 1, 0, -1},
      {6, kCalcRadius, 2, 1, 2, 2, 300, -1, 0, 1, 0, -1},
      {6, kCalcRadius, 0, 0, kRoot2, kRoot2, 270, -1, 0, 1, 0, 0},
      {7, kCalcRadius, 1, 1, 1, 1, 180, 0, 0, 2, 0, -1}};
  using Edit = double (*)(Arc3D&, double);
#define EDIT(expr) [](Arc3D& f, double v) { return static_cast<double>(expr); }
  const Edit edits[] = {EDIT(f.SetAngle(v)), EDIT(f.SetLength(v)), EDIT(f.SetWidth(v)),
      EDIT(f.SetHeight(v)), EDIT(f.Radius(v)), EDIT(f.AngDir(static_cast<int>(v))),
      EDIT(f.Spt(std::make_unique<Point3D>(v, 0, 0).get()) != nullptr),
      EDIT(f.CalcArc_Radius(v) != nullptr)};
#undef EDIT
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "figure " << c[0] << " edit " << c[1] << " " << c[2]);
    // clang-format off
    Arc3D figures[] = {MakeArcDeg(0, 0, 1, 0, 90, kCcw), MakeArcDeg(0, 0, 1, 90, 0, kCw),
        MakeArcDeg(0, 0, 1, 180, 0, kCcw), MakeCircle(0, 0, 1), Arc3D(&a, &b),
        MakeArcDeg(0, 1, kRoot2, 225, 315, kCcw), MakeArcDeg(0, -1, kRoot2, 135, 45, kCcw),
        Arc3D(&ctr, std::sqrt(5.0), &o, &e4, kCcw)};
    // clang-format on
    Arc3D& f = figures[static_cast<int>(c[0])];
    EXPECT_NEAR(edits[static_cast<int>(c[1])](f, c[2]), c[3], kTol);
    EXPECT_NEAR(f.Major()->norm(), c[4], kTol);
    EXPECT_NEAR(f.Minor()->norm(), c[5], kTol);
    EXPECT_NEAR(f.Angle(), c[6], 1e-7);
    EXPECT_THAT(*f.Spt(), PointNear(c[7], c[8], 0.0, kTol));
    EXPECT_THAT(*f.Ept(), PointNear(c[9], c[10], 0.0, kTol));
    EXPECT_TRUE(c[11] < 0 || (f.State() == kStateGeometryChanged) == (c[11] == 1));
  }
  Arc3D turned = MakeArcDeg(0, 0, 1, 0, 90, kCcw), only_point = turned;
  turned.AngDir(kCw);  // the box follows the new direction
  EXPECT_THAT(*turned.Box(0, nullptr), BoxIs(-1.0, -1.0, 0.0, 1.0, 1.0, 0.0));
  const Point3D c(0, 0, 0), s(2, 0, 0), e(-2, 0, 0);
  turned.Set(&c, 2.0, &s, &e, kCcw);
  EXPECT_THAT(*turned.Minor(), PointIs(0.0, 2.0, 0.0));
  EXPECT_THAT(*turned.Box(0, nullptr), PlanBoxNear(-2.0, 0.0, 2.0, 2.0, kTol));
  only_point.SetSpt(&e);  // moves the point only
  EXPECT_EQ(only_point.Ept(nullptr), nullptr);
  EXPECT_EQ(only_point.Spt(static_cast<const Point3D*>(nullptr)), nullptr);
  EXPECT_EQ(only_point.Set(nullptr, 1.0, &s, &s, 0), &only_point);  // no centre: nothing changes
  EXPECT_THAT(*only_point.Spt(), PointIs(-2.0, 0.0, 0.0));
  EXPECT_TRUE(only_point.Ctr()->norm() == 0.0 && only_point.Radius() == 1.0);
}

TEST(Arc3D, TransformationsCarryTheCentreAndAxesAndMirrorTurnsTheDirection) {
  Arc3D arc = MakeArcDeg(2, 0, 1, 0, 90, kCcw), mirrored = MakeArcDeg(0, 0, 1, 0, 90, kCcw);
  const Point3D v(1, 1, 0), origin(0, 0, 0), up(0, 0, 1), factors(3, 3, 1), normal(1, 0, 0);
  arc.Translate(&v, false);
  EXPECT_THAT(*arc.Ctr(), PointIs(3.0, 1.0, 0.0));
  arc.Rotate_cs(&origin, &up, 0.0, 1.0);
  EXPECT_THAT(*arc.Ctr(), PointNear(-1.0, 3.0, 0.0, kTol));
  EXPECT_THAT(*arc.Major(), PointNear(0.0, 1.0, 0.0, kTol));
  EXPECT_NEAR(arc.StartAngle(), 90.0, kTol);
  EXPECT_NEAR(arc.Box(0, nullptr)->Top(), 4.0, kTol);
  arc.Scale(&origin, 2.0);
  EXPECT_THAT(*arc.Ctr(), PointNear(-2.0, 6.0, 0.0, kTol));
  EXPECT_NEAR(arc.Length(0), kPi, kTol);
  arc.Scale(&origin, &factors);
  EXPECT_NEAR(arc.Radius(), 6.0, kTol);
  arc.Translate(nullptr, false);  // null arguments leave the figure as it was
  arc.Rotate_cs(nullptr, nullptr, 1.0, 0.0);
  arc.Scale(nullptr, 2.0);
  arc.Mirror(nullptr, 0.0);
  EXPECT_NEAR(arc.Radius(), 6.0, kTol);
  mirrored.Mirror(&normal, 0.0);
  EXPECT_EQ(mirrored.AngDir(), kCw);
  EXPECT_NEAR(mirrored.StartAngle(), 90.0, kTol);
  EXPECT_NEAR(mirrored.EndAngle(), 180.0, kTol);
  mirrored.Zero();
  EXPECT_EQ(mirrored.AngDir(), kCcw);
  EXPECT_THAT(*mirrored.Box(0, nullptr), BoxIs(0.0, 0.0, 0.0, 0.0, 0.0, 0.0));
}

TEST(Arc3D, BezierPointsRunFromStartToEndWithTangentControls) {
  const double k = 4.0 / 3.0 * std::tan(kPi / 8);
  const double ccw[][2] = {{1, 0}, {1, k}, {k, 1}, {0, 1}};
  for (const int dir : {kCcw, kCw}) {  // clockwise runs the same points backwards
    DblPlist points;
    ASSERT_TRUE(MakeArcDeg(0, 0, 1, dir == kCcw ? 0 : 90, dir == kCcw ? 90 : 0, dir)
                    .GetBezierPoints(&points));
    ASSERT_EQ(points.Num(), 4);
    for (int i = 0; i < 4; ++i) {
      const double* e = ccw[dir == kCcw ? i : 3 - i];
      EXPECT_THAT(*points.GetPoint(i + 1), PointNear(e[0], e[1], 0.0, kTol)) << dir << " " << i;
    }
  }
  DblPlist points;
  EXPECT_FALSE(Arc3D().GetBezierPoints(&points) || MakeCircle(0, 0, 1).GetBezierPoints(nullptr));
  ASSERT_TRUE(MakeCircle(0, 0, 1).GetBezierPoints(&points));
  EXPECT_EQ(points.Num(), 16);
}

// ---- Pitched edges and outlines -----------------------------------------------------------

TEST(Arc3D, FromAPitchedEdgeCopiesItsCurvedBaseOrStaysEmpty) {
  Arc3D bay = MakeArcDeg(2, 3, 5, 30, 150, kCw);
  Edge3D wall(&bay);
  wall.Colour(7);  // the entity's own colour is not the base's
  Curve3D* base = wall.GetBase();
  base->Colour(4);
  base->Linetype(2);
  Arc3D arc(&wall);
  EXPECT_TRUE(arc.Ident(base));  // kind, centre, axes, direction and ends
  EXPECT_STREQ(arc.Name(0, nullptr), "Arc");
  EXPECT_EQ(arc.GetColour() * 100 + arc.GetLinetype() * 10 + arc.Thickness(), 421);
  EXPECT_EQ(arc.State(), kStateUnchanged);
  const Box3D* box = base->Box(0, nullptr);
  EXPECT_THAT(*arc.Box(0, nullptr),
              PlanBoxNear(box->Left(), box->Bottom(), box->Right(), box->Top(), kTol));
  const Point3D a(0, 0, 0), b(4, 0, 0);
  Edge3D straight(&a, &b, 1, 0, 1), bare;
  for (Edge3D* e : {&straight, &bare, static_cast<Edge3D*>(nullptr)}) {
    Arc3D empty(e);
    EXPECT_TRUE(empty.Type() == kEntityArc && empty.Radius() == 0.0 && empty.Ctr()->norm() == 0.0);
  }
}

TEST(Arc3D, RoofEdgesMeetArcsWithTheirOverhangLine) {
  // Circle r 10 at the origin; roof edges along y = line y with the overhang along y = edge y,
  // from x = -20 to 20 (2 to 4 when short). {line y, edge y, short, extended, points}
  const double cases[][5] = {
      {20, 0, 0, 0, 2}, {0, 20, 0, 0, 0}, {20, 10, 0, 0, 1}, {0, 6, 1, 0, 0}, {0, 6, 1, 1, 2}};
  Arc3D circle = MakeCircle(0, 0, 10);
  for (const auto& [line_y, edge_y, is_short, extended, found] : cases) {
    const double x0 = is_short != 0 ? 2 : -20, x1 = is_short != 0 ? 4 : 20;
    const Point3D a(x0, line_y, 0), b(x1, line_y, 0), ea(x0, edge_y, 0), eb(x1, edge_y, 0);
    REdge3D eave(&a, &b, 0, 0, 1);
    eave.GetEdge()->Set(&ea, &eb);
    Point3D p[2];
    const int n = extended != 0 ? circle.IntersectLineEx(&eave, &p[0], &p[1])
                                : circle.IntersectLine(&eave, &p[0], &p[1]);
    ASSERT_EQ(n, static_cast<int>(found)) << line_y << " " << edge_y << " " << extended;
    for (int i = 0; i < n; ++i)
      EXPECT_NEAR(std::abs(p[i].y - edge_y) + std::abs(std::hypot(p[i].x, p[i].y) - 10), 0, 1e-6);
  }
}

TEST(Arc3D, OutlineIsInsideWhenEveryVertexIsInsideOrNearTheFigure) {
  // Circle r 10 at the origin; squares from (lo, lo) to (hi, hi). Corners at kRim lie 10.05 from
  // the centre; the square -2..9 has one corner outside but its box centre inside.
  // {lo, hi, size, open outline, inside}
  constexpr double kRim = 7.1064;
  const double cases[][5] = {{-5, 5, 0.01, 0, 1},       {-kRim, kRim, 0.1, 0, 1},
                             {-kRim, kRim, 0.01, 0, 0}, {-12, 12, 0.01, 0, 0},
                             {-5, 5, 0.01, 1, 1},       {-kRim, kRim, 0.01, 1, 0},
                             {-2, 9, 0.5, 0, 0},        {40, 41, 0.1, 0, 0}};
  Arc3D circle = MakeCircle(0, 0, 10);
  for (const auto& [lo, hi, size, open, inside] : cases) {
    auto square = open != 0 ? OpenOutline({{lo, lo}, {hi, lo}, {hi, hi}, {lo, hi}})
                            : RectangleOutline(lo, lo, hi, hi);
    EXPECT_EQ(circle.IsInside(square.get(), 1.0, size), static_cast<int>(inside)) << hi << size;
  }
  // An empty outline has nothing inside; an open arc holds nothing.
  Multi3D empty;
  auto small = RectangleOutline(-1, -1, 1, 1);
  Arc3D open_arc = MakeArcDeg(0, 0, 10, 0, 180, kCcw);
  EXPECT_EQ(circle.IsInside(&empty, 1.0, 0.1) + open_arc.IsInside(small.get(), 1.0, 0.1), 0);
}

}  // namespace
