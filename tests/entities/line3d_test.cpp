#include "entities/line3d.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <memory>
#include <numbers>
#include <vector>

#include "entities/arc3d.h"
#include "entities/edge3d.h"
#include "support/box_matchers.h"
#include "support/entity_builders.h"
#include "support/entity_fields.h"
#include "support/entity_matchers.h"
#include "support/geometry_matchers.h"
#include "support/smartobject_builders.h"

using ::testing::AnyOf;
using ::testing::ElementsAre;

constexpr double kTol = 1e-12;

// ---- Construction -------------------------------------------------------------------------

TEST(Line3D, EveryConstructorMakesAnUnchangedUnfilledLineNamedLineAndCountsIt) {
  Line3D by_default;
  const int live = by_default.GetNum();
  const Point3D a(1, 2, 3), b(4, 5, 6);
  Curve3D base(&a, &b, 2, 0, 1, -1, -2);
  base.State(kStateGeometryChanged);
  Line3D source = MakeLine(0, 0, 1, 1);
  std::unique_ptr<Curve3D> copy(source.Copy());
  Line3D from_points(&a, &b), from_curve(&base), from_line(&source), copied(source);
  // Literal zeros are coordinates, not null points.
  Line3D from_null(static_cast<const Line3D*>(nullptr)), whole_numbers(0, 0, 0, 10, 0, 0, 5);
  for (Curve3D* line :
       std::initializer_list<Curve3D*>{&by_default, &from_points, &from_curve, &from_line, &copied,
                                       &from_null, &whole_numbers, copy.get()}) {
    EXPECT_EQ(line->Type(), kEntityLine);
    EXPECT_STREQ(line->Name(0, nullptr), "line");
    EXPECT_EQ(line->State(), kStateUnchanged);
  }
  EXPECT_NE(dynamic_cast<Line3D*>(copy.get()), nullptr);
  EXPECT_THAT(*copy, EndsAre(0, 0, 1, 1));
  EXPECT_THAT(*from_curve.Box(0, nullptr), BoxIs(1, 2, 3, 4, 5, 6));
  EXPECT_THAT(whole_numbers, EndsAre(0, 0, 10, 0));
  EXPECT_EQ(whole_numbers.GetColour(), 5);
  // GetNum counts the lines alive in the process.
  EXPECT_EQ(by_default.GetNum(), live + 8);
  copy.reset();
  EXPECT_EQ(by_default.GetNum(), live + 7);

  // Lines are never filled, whatever they are asked.
  EXPECT_TRUE(by_default.FillColour(5) == -1 && by_default.FillPattern(3) == -2);
  EXPECT_THAT(Fields(by_default),
              ElementsAre(0, 0, 1, -1, -2, 0, 0, 0, kEntityLine, 0, 0, 0, 0, 0, kStateChanged));
}

// ---- Measures -----------------------------------------------------------------------------

TEST(Line3D, AnglesLengthsCountsAndPitchWithoutTakeoffItems) {
  Line3D diagonal = MakeLine(1, 1, 2, 2), west = MakeLine(5, 5, 0, 5), east = MakeLine(0, 0, 1, 0);
  Point3D up(0, 1, 0);
  // Counter-clockwise degrees, 0 to under 360; to another line or vector, from this one.
  EXPECT_THAT(
      (std::vector{diagonal.Angle(), diagonal.XYangle(), diagonal.Angle(&up), diagonal.Angle(&west),
                   diagonal.Angle(&east), MakeLine(0, 0, 0, -3).Angle()}),
      ::testing::Pointwise(::testing::DoubleNear(1e-9),
                           std::vector{45.0, 45.0, 45.0, 135.0, 315.0, 270.0}));
  EXPECT_TRUE(diagonal.Angle(static_cast<Point3D*>(nullptr)) == 0.0 &&
              diagonal.Angle(static_cast<Line3D*>(nullptr)) == 0.0);

  // Without takeoff items a line measures its 3D length, counts its two ends and has no area.
  Line3D line(0.0, 0.0, 0.0, 3.0, 4.0, 12.0);
  EXPECT_THAT(
      (std::vector{line.FlatLength(0), line.Length(0), line.Length(1, 0), line.Length("Eave", 0),
                   line.Norm(), line.Norml1(), line.Norm_squared()}),
      ElementsAre(13, 13, 13, 13, 13, 19, 169));  // all exact
  EXPECT_THAT((std::vector{line.Count(0, 0), line.Count("Ridge", 1)}), ElementsAre(2, 2));
  EXPECT_EQ(line.Area(1, 0) + line.Area("Ridge", 0), 0.0);
  EXPECT_TRUE(line.Normalize() == 1 && MakeLine(2, 2, 2, 2).Normalize() == 0);

  // The pitch falls back to the legacy pitch; SetPitch needs a takeoff item to store it in.
  line.LegacyPitch(6.0);
  line.SetPitch(8.0);
  EXPECT_DOUBLE_EQ(line.Pitch(), 6.0);
  // Neither Normalize nor SetPitch changed the line.
  EXPECT_THAT(*line.Ept(), PointIs(3, 4, 12));
  EXPECT_EQ(line.State(), kStateUnchanged);
}

TEST(Line3D, PitchLivesInTheTakeoffItemsPitchAttribute) {
  Line3D eave = MakeLine(0, 0, 10, 0);
  eave.LegacyPitch(3.0);
  Attach(eave, {With(Item(6105, "Eave"), "Pitch", kPropPitch, kDataTypeDouble, "4.5"),
                With(Item(6102, "Hip"), "Pitch", kPropPitch, kDataTypeDouble, "7")});
  EXPECT_DOUBLE_EQ(eave.Pitch(), 4.5);  // the first item's, found whatever the tag's case

  EXPECT_DOUBLE_EQ(eave.SetPitch(6.25), 6.25);
  EXPECT_EQ(eave.State(), kStateGeometryChanged);
  for (int i = 1; i <= 2; ++i) {
    char text[50] = {};
    ASSERT_EQ(eave.GetSmartObject(i)->GetAttrib("pitch", kDataTypeDouble, text, sizeof text), 1);
    EXPECT_STREQ(text, "6.250000") << "item " << i;
  }
  EXPECT_DOUBLE_EQ(eave.Pitch(), 6.25);
}

TEST(Line3D, MidPointAndDistances) {
  Line3D line = MakeLine(0, 0, 4, 2);
  Point3D mid, out, far(2, 101, 0);
  EXPECT_THAT(*line.Mid_pt(&mid), PointIs(2, 1, 0));
  EXPECT_DOUBLE_EQ(line.IsNearMidPt(&far, &out, 1.0), 100.0);  // no tolerance
  EXPECT_THAT(out, PointIs(2, 1, 0));
  EXPECT_TRUE(line.Mid_pt(nullptr) == nullptr && line.IsNearMidPt(nullptr, &out, 1) == kNotNear);

  // Dist: to the infinite line; for a zero-length line, to its point.
  Point3D above(5, 3, 0), beyond(15, -4, 0), corner(1, 0, 0), p(5, 7, 0);
  EXPECT_NEAR(MakeLine(0, 0, 10, 0).Dist(&above), 3.0, kTol);
  EXPECT_NEAR(MakeLine(0, 0, 10, 0).Dist(&beyond), 4.0, kTol);
  EXPECT_NEAR(MakeLine(0, 0, 1, 1).Dist(&corner), std::sqrt(0.5), kTol);
  EXPECT_NEAR(MakeLine(2, 3, 2, 3).Dist(&p), 5.0, kTol);
  EXPECT_EQ(line.Dist(nullptr), 0.0);
}

// ---- Nearness -----------------------------------------------------------------------------

TEST(Line3D, PtOnLineMeasuresAcrossTheSteeperAxisElseToAnEnd) {
  // {line x1, y1, x2, y2, point x, y, scale, size, result}; the tolerance is size / scale.
  // The flat line (0,0)-(10,0) at tolerance 0.5 is near up to exactly 0.5 across, then near its
  // ends only; a zero scale is near nothing. Steep lines measure across x, at 45 degrees too
  // (1.0, not the perpendicular 0.707). A zero-length line is near only to its point.
  const double kToEnd = std::sqrt(0.18);  // from (10.3, 0.3) to (10, 0)
  const double cases[][9] = {
      {0, 0, 10, 0, 5, 0.3, 2, 1, 0.3},         {0, 0, 10, 0, 5, -0.3, 2, 1, 0.3},
      {0, 0, 10, 0, 5, 0.5, 2, 1, 0.5},         {0, 0, 10, 0, 5, 0.5000001, 2, 1, kNotNear},
      {0, 0, 10, 0, 10.2, 0, 2, 1, 0.2},        {0, 0, 10, 0, -0.3, 0, 2, 1, 0.3},
      {0, 0, 10, 0, 10.3, 0.3, 2, 1, kToEnd},   {0, 0, 10, 0, -1, 0, 2, 1, kNotNear},
      {0, 0, 10, 0, 10.4, 0.4, 2, 1, kNotNear}, {0, 0, 10, 0, 5, 0, 0, 1, kNotNear},
      {0, 0, 1, 10, 1, 5, 1, 0.5, 0.5},         {0, 10, 0, 0, -0.25, 2, 1, 0.5, 0.25},
      {0, 0, 10, 10, 6, 5, 1, 0.8, kNotNear},   {0, 0, 10, 10, 6, 5, 1, 1, 1},
      {3, 3, 3, 3, 3.2, 3, 1, 0.5, 0.2},        {3, 3, 3, 3, 4, 3, 1, 0.5, kNotNear}};
  for (const auto& [x1, y1, x2, y2, px, py, scale, size, result] : cases) {
    Line3D line = MakeLine(x1, y1, x2, y2);
    Point3D p(px, py, 0);
    EXPECT_NEAR(line.PtOnLine(&p, scale, size), result, kTol) << px << ", " << py << " " << size;
    EXPECT_NEAR(line.IsNear(&p, scale, size), result, kTol) << px << ", " << py << " " << size;
  }
  EXPECT_EQ(MakeLine(0, 0, 1, 0).PtOnLine(nullptr, 1, 1), kNotNear);
}

TEST(Line3D, IsNearVertexReportsTheNearerEndAndEptOnATie) {
  // The line (0,0)-(10,0); near when distance * scale <= size, exactly at the limit too; a tie
  // goes to Ept; a zero scale is near nothing. {x, scale, size, result, x of the end written}
  const double cases[][5] = {{5, 1, 6, 5, 10},         {1, 1, 1, 1, 0},
                             {1, 2, 2, 1, 0},          {9.5, 2, 1, 0.5, 10},
                             {1, 2, 1.5, kNotNear, 9}, {5, 0, 100, kNotNear, 9}};
  Line3D line = MakeLine(0, 0, 10, 0);
  int index = 7;
  for (const auto& [x, scale, size, result, end] : cases) {
    Point3D p(x, 0, 0), out(9, 0, 0);
    EXPECT_NEAR(line.IsNearVertex(&p, &out, index, scale, size), result, kTol) << x << " " << size;
    EXPECT_THAT(out, PointIs(end, 0, 0)) << x << " " << size;
  }
  EXPECT_EQ(line.IsNearVertex(line.Ept(), nullptr, index, 2.0, 1.0), 0.0);  // no out to write
  EXPECT_EQ(line.IsNearVertex(nullptr, line.Spt(), index, 1.0, 100.0), kNotNear);
  EXPECT_EQ(index, 7);  // never used
}

// ---- Changing the line --------------------------------------------------------------------

TEST(Line3D, SetPlacesBothEndsAndTheOtherSettersOnlyEpt) {
  Line3D placed;
  const Point3D a(1e-13, 2, 0), b(5, 6, 0);
  EXPECT_EQ(placed.Set(&a, &b), &placed);
  EXPECT_THAT(placed, EndsAre(0, 2, 5, 6));  // snapped
  EXPECT_THAT(*placed.Box(0, nullptr), BoxIs(0, 2, 0, 5, 6, 0));
  EXPECT_EQ(placed.State(), kStateGeometryChanged);
  placed.Set(&a, nullptr);
  EXPECT_THAT(placed, EndsAre(0, 2, 5, 6));

  // SetAngle turns about Spt, in degrees (a negative turn goes the long way round to the same
  // place); SetLength keeps Spt and the direction, stretches a zero-length line along x and
  // changes nothing for 0; SetWidth and SetHeight place Ept relative to Spt.
  // {setter, line x1, y1, x2, y2, value, Ept x, y}
  using Setter = double (Line3D::*)(double);
  const Setter setters[] = {&Line3D::SetAngle, &Line3D::SetLength, &Line3D::SetWidth,
                            &Line3D::SetHeight};
  constexpr double kAngle = 0, kLength = 1, kWidth = 2, kHeight = 3;
  const double cases[][8] = {{kAngle, 0, 0, 2, 0, 90, 0, 2},  {kAngle, 0, 0, 2, 0, -90, 0, -2},
                             {kAngle, 0, 0, 2, 0, 450, 0, 2}, {kLength, 1, 1, 4, 5, 10, 7, 9},
                             {kLength, 2, 3, 2, 3, 5, 7, 3},  {kLength, 0, 0, 4, 0, 0, 4, 0},
                             {kWidth, 1, 1, 4, 5, 2, 3, 5},   {kHeight, 1, 1, 4, 5, -3, 4, -2}};
  for (const auto& [setter, x1, y1, x2, y2, value, ex, ey] : cases) {
    Line3D line = MakeLine(x1, y1, x2, y2);
    SCOPED_TRACE(::testing::Message() << "setter " << setter << " to " << value);
    // Taken into a local first: the sanitizer build miscalls a member pointer indexed inline.
    const Setter set = setters[static_cast<int>(setter)];
    EXPECT_EQ((line.*set)(value), value);
    EXPECT_THAT(line, EndsNear(x1, y1, ex, ey, kTol));
    EXPECT_THAT(*line.Box(0, nullptr)->Maxpt(),
                PointNear(std::max(x1, ex), std::max(y1, ey), 0, kTol));
    EXPECT_EQ(line.State(), value == 0 ? kStateUnchanged : kStateGeometryChanged);
  }
  Line3D raised = MakeLine(0, 0, 1, 0);
  raised.SetDepth(2.5);
  raised.SetDepth(0.5);  // adds to the height of Ept
  EXPECT_THAT(*raised.Ept(), PointIs(1, 0, 3));
  EXPECT_TRUE(raised.State() == kStateChanged && raised.Depth() == 3.0);
}

TEST(Line3D, ConnectJoinsNeighbouringLinesAtTheirCrossings) {
  Line3D prev = MakeLine(0, 0, 5, 0), side = MakeLine(6, 1, 6, 5), next = MakeLine(5, 6, 0, 6);
  EXPECT_TRUE(side.Connect(&prev, &next, nullptr));
  EXPECT_THAT(side, EndsAre(6, 0, 6, 6));
  EXPECT_THAT(prev, EndsAre(0, 0, 6, 0));
  EXPECT_THAT(next, EndsAre(6, 6, 0, 6));
  EXPECT_THAT(*prev.Box(0, nullptr), BoxIs(0, 0, 0, 6, 0, 0));

  // Parallel neighbours (next, for prev) and ones that are not lines stay apart; one joined end
  // is enough.
  Curve3D not_a_line(7.0, -1.0, 0.0, 7.0, 1.0, 0.0, 0, 0, 1, -1, -2);
  Line3D roof_edge = MakeLine(7, -1, 7, 1), crossing = MakeLine(8, -1, 8, 1);
  roof_edge.Type(kEntityREdge);
  EXPECT_FALSE(prev.Connect(&next, &not_a_line, nullptr) ||
               prev.Connect(nullptr, &roof_edge, nullptr));
  EXPECT_THAT(prev, EndsAre(0, 0, 6, 0));
  EXPECT_TRUE(prev.Connect(&next, &crossing, nullptr));
  EXPECT_THAT(prev, EndsAre(0, 0, 8, 0));
}

// ---- Overlap of collinear lines -----------------------------------------------------------

TEST(Line3D, OverlappedSegmentIsANewPlainLineForTheSharedPartOfParallelLines) {
  // Against the line (0,0)-(10,0) at tolerance 0.5, in order: the same direction, the opposite
  // one, inside this line, covering it, a roof edge (a line too); then no shared part: touching
  // at one point, apart on the same line, parallel but offset, another kind of entity.
  // {other x1, y1, x2, y2, kind, shared part from, to (either way round), or kNone}
  constexpr double kNone = -99;
  const double cases[][7] = {
      {4, 0, 15, 0, kEntityLine, 4, 10},      {10, 0, 4, 0, kEntityLine, 4, 10},
      {3, 0, 5, 0, kEntityLine, 3, 5},        {-2, 0, 12, 0, kEntityLine, 0, 10},
      {5, 0, 20, 0, kEntityREdge, 5, 10},     {10, 0, 14, 0, kEntityLine, kNone, 0},
      {11, 0, 14, 0, kEntityLine, kNone, 0},  {0, 1, 10, 1, kEntityLine, kNone, 0},
      {0, 0, 10, 0, kEntityUnknown, kNone, 0}};
  Line3D line(0, 0, 0, 10, 0, 0, 4, 2);  // colour 4, line type 2: the shared part is plain
  for (const auto& [x1, y1, x2, y2, kind, from, to] : cases) {
    Line3D other = MakeLine(x1, y1, x2, y2);
    other.Type(static_cast<int>(kind));
    std::unique_ptr<Line3D> shared(line.OverlappedSegment(&other, 1.0, 0.5));
    ASSERT_EQ(shared != nullptr, from != kNone) << x1 << ", " << x2;
    if (!shared) continue;
    EXPECT_THAT(*shared, AnyOf(EndsAre(from, 0, to, 0), EndsAre(to, 0, from, 0))) << x1;
    EXPECT_THAT(Fields(*shared),
                ElementsAre(0, 0, 1, -1, -2, 0, 0, 0, kEntityLine, 0, 0, 0, 0, 0, kStateUnchanged));
  }
  // With both of its ends on the other line, the shared part runs in this line's direction.
  Line3D reversed_cover = MakeLine(12, 0, -2, 0);
  std::unique_ptr<Line3D> shared(line.OverlappedSegment(&reversed_cover, 1.0, 0.5));
  EXPECT_THAT(shared.get(), ::testing::Pointee(EndsAre(0, 0, 10, 0)));
  EXPECT_EQ(line.OverlappedSegment(nullptr, 1.0, 0.5), nullptr);

  // Parallel within two degrees, either way round: lines of length 10 centred on (5, 0), all
  // four ends within 0.5 of this line. {direction in degrees, 1 when parallel enough}
  const double turns[][2] = {{2.0 - 1e-9, 1}, {2.0 + 1e-9, 0}, {3.0, 0},
                             {181.0, 1},      {-1.5, 1},       {177.9, 0}};
  for (const auto& [degrees, parallel] : turns) {
    const double dx = 5 * std::cos(degrees * std::numbers::pi / 180.0);
    const double dy = 5 * std::sin(degrees * std::numbers::pi / 180.0);
    Line3D other = MakeLine(5 - dx, -dy, 5 + dx, dy);
    shared.reset(line.OverlappedSegment(&other, 1.0, 0.5));
    EXPECT_EQ(shared != nullptr, parallel != 0) << degrees;
  }
}

// ---- Pitched edges --------------------------------------------------------------------------

TEST(Line3D, PitchedEdgeCountsThroughItsBaseLine) {
  // Copied from a wall, a line takes the entity's ends and identifier but the base's style.
  const Point3D a(1, 2, 0), b(7, 2, 0);
  Edge3D wall(&a, &b, 3, 2, 1);  // base: colour 3, line type 2
  wall.Id(12, 0);
  wall.Colour(5);
  wall.Thickness(4);
  Line3D line(&wall), from_null(static_cast<Edge3D*>(nullptr));
  EXPECT_THAT(line, EndsAre(1, 2, 7, 2));
  EXPECT_THAT(Fields(line),
              ElementsAre(3, 2, 1, -1, -2, 12, 0, 0, kEntityLine, 0, 0, 0, 0, 0, kStateUnchanged));
  EXPECT_THAT(from_null, EndsAre(0, 0, 0, 0));

  // Overlap with (0,0)-(10,0) at tolerance 0.5, walls from (4, y) to (15, y) whose base is then
  // shifted across: only the base counts. {y, shift, shared part x1, y1, x2, y2, or x1 = kNone}
  constexpr double kNone = -99;
  const double cases[][6] = {
      {0, 0, 4, 0, 10, 0}, {0, 1, kNone, 0, 0, 0}, {1, -1, 4, 0, 10, 0}, {0, 0.3, 10, 0, 4, 0.3}};
  Line3D eave = MakeLine(0, 0, 10, 0);
  for (const auto& [y, shift, x1, y1, x2, y2] : cases) {
    const Point3D from(4, y, 0), to(15, y, 0), across(0, shift, 0);
    Edge3D side(&from, &to, 0, 0, 1);
    side.GetBase()->Translate(&across, true);
    std::unique_ptr<Line3D> shared(eave.OverlappedSegment(&side, 1.0, 0.5));
    ASSERT_EQ(shared != nullptr, x1 != kNone) << y << " " << shift;
    if (!shared) continue;
    EXPECT_THAT(*shared, AnyOf(EndsNear(x1, y1, x2, y2, kTol), EndsNear(x2, y2, x1, y1, kTol)));
  }
  const Point3D centre(5, -5, 0), s(10, -5, 0), e(0, -5, 0);
  Arc3D bay(&centre, 5.0, &s, &e, kArcCounterClockwise);
  Edge3D curved(&bay), bare;  // no straight base: nothing shared
  EXPECT_EQ(eave.OverlappedSegment(&curved, 1.0, 0.5), nullptr);
  EXPECT_EQ(eave.OverlappedSegment(&bare, 1.0, 0.5), nullptr);
}
