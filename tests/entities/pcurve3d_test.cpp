// Point curves: node upkeep, path length, node picking, transformations and deep copies.
#include "entities/pcurve3d.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <numbers>

#include "entities/line3d.h"
#include "geometry/box3d.h"
#include "support/box_matchers.h"
#include "support/geometry_matchers.h"

namespace {

constexpr double kTol = 1e-9;

// A curve through the given points, in order, with its change state reset.
template <size_t N>
std::unique_ptr<PCurve3D> CurveThrough(const Point3D (&points)[N]) {
  auto curve = std::make_unique<PCurve3D>();
  for (const Point3D& p : points)
    curve->Add(&p);
  curve->State(kStateUnchanged);
  return curve;
}

const Point3D& NodeAt(PCurve3D& c, int n) {
  return *c.GetPointList()->GetPoint(n);
}

}  // namespace

TEST(PCurve3D, ConstructionAndLiveCount) {
  const int before = PCurve3D::LiveCount();
  {
    PCurve3D empty;
    EXPECT_EQ(empty.Type(), kEntityPCurve);
    EXPECT_STREQ(empty.Curve3D::Name(0, nullptr), "Curve");
    EXPECT_EQ(empty.Length(0), 0.0);
    const Point3D p(2, 3, 1);
    PCurve3D one(&p, 4, 0, 2, -1, -2);
    EXPECT_EQ(one.Nodes(), 1);
    EXPECT_THAT(*one.Ept(), PointIs(2.0, 3.0, 1.0));
    EXPECT_THAT(*one.Box(0, nullptr), BoxIs(2.0, 3.0, 1.0, 2.0, 3.0, 1.0));
    EXPECT_EQ(one.Length(1, 0), 0.0);
    auto* third = new PCurve3D(static_cast<const Point3D*>(nullptr));
    EXPECT_EQ(third->Nodes(), 0);
    delete third;
    EXPECT_EQ(PCurve3D::LiveCount(), before + 2);
    std::unique_ptr<Curve3D> copy(one.Copy());
    EXPECT_EQ(one.GetNum(), before + 3);
  }
  EXPECT_EQ(PCurve3D::LiveCount(), before);
}

TEST(PCurve3D, AddKeepsEndsBoxAndLength) {
  PCurve3D c;
  EXPECT_EQ(c.Add(nullptr), 0);
  EXPECT_EQ(c.State(), kStateUnchanged);
  const Point3D pts[] = {{0, 0, 0}, {3, 4, 0}, {3, 0, 2}};
  for (const Point3D& p : pts)
    c.Add(&p);
  EXPECT_EQ(c.State(), kStateChanged);
  EXPECT_THAT(*c.Spt(), PointIs(0.0, 0.0, 0.0));
  EXPECT_THAT(*c.Ept(), PointIs(3.0, 0.0, 2.0));
  EXPECT_THAT(*c.Box(0, nullptr), BoxIs(0.0, 0.0, 0.0, 3.0, 4.0, 2.0));
  // 5 for the 3-4-5 piece, then sqrt(16 + 4) for the piece that also climbs 2.
  EXPECT_NEAR(c.Length(0), 5.0 + std::sqrt(20.0), kTol);
  // Closing by hand, back to the first node, adds the piece from (3, 0, 2).
  c.Add(&pts[0]);
  EXPECT_TRUE(c.IsClosed());
  EXPECT_NEAR(c.Length(0), 5.0 + std::sqrt(20.0) + std::sqrt(13.0), kTol);
}

TEST(PCurve3D, NearnessLooksAtNodesAndEnds) {
  auto c = CurveThrough({Point3D(0, 0, 0), Point3D(5, 5, 0), Point3D(4, 0, 0)});
  Point3D p(0.5, 0, 0);
  // size / zoom = 0.5: a node exactly that far is not near.
  EXPECT_EQ(c->IsNear(&p, 2.0, 1.0), kNotNear);
  p.set(0.25, 0.0, 0.0);
  EXPECT_DOUBLE_EQ(c->IsNear(&p, 2.0, 1.0), 0.25);
  p.set(2.0, 2.5, 0.0);  // middle of the first piece: far from every node
  EXPECT_EQ(c->IsNear(&p, 1.0, 1.0), kNotNear);
  EXPECT_EQ(c->IsNear(nullptr, 1.0, 1.0), kNotNear);
  EXPECT_EQ(c->IsNear(&p, 0.0, 1.0), kNotNear);
  Point3D nan_point(std::numeric_limits<double>::quiet_NaN(), 0.0, 0.0);
  EXPECT_EQ(c->IsNear(&nan_point, 1.0, 100.0), kNotNear);
  // The search starts at 10000: a node exactly that far is never near, one just closer is.
  Point3D origin(0, 0, 0);
  EXPECT_EQ(CurveThrough({Point3D(10000, 0, 0)})->IsNear(&origin, 1.0, 1e6), kNotNear);
  EXPECT_DOUBLE_EQ(CurveThrough({Point3D(9999, 0, 0)})->IsNear(&origin, 1.0, 1e6), 9999.0);

  Point3D out;
  int index = 0;
  p.set(1.0, 0.0, 0.0);
  EXPECT_DOUBLE_EQ(c->IsNearVertex(&p, &out, index, 1.0, 2.0), 1.0);
  EXPECT_THAT(out, PointIs(0.0, 0.0, 0.0));
  // Equally far from both ends the end point wins, and the tolerance itself still counts.
  p.set(2.0, 0.0, 0.0);
  EXPECT_DOUBLE_EQ(c->IsNearVertex(&p, &out, index, 1.0, 2.0), 2.0);
  EXPECT_THAT(out, PointIs(4.0, 0.0, 0.0));
  EXPECT_EQ(c->IsNearVertex(&p, &out, index, 1.0, 1.5), kNotNear);
  PCurve3D empty;
  EXPECT_EQ(empty.IsNearVertex(&origin, &out, index, 1.0, 1.0), kNotNear);
}

TEST(PCurve3D, MovingEndsMovesEndNodes) {
  auto c = CurveThrough({Point3D(0, 0, 0), Point3D(2, 2, 0), Point3D(4, 0, 0)});
  const Point3D to(-1, 1, 0);
  c->Spt(&to);
  EXPECT_EQ(c->State(), kStateChanged);
  EXPECT_THAT(NodeAt(*c, 1), PointIs(-1.0, 1.0, 0.0));
  c->Ept(6.0, -3.0, 0.0);
  EXPECT_THAT(NodeAt(*c, 3), PointIs(6.0, -3.0, 0.0));
  EXPECT_THAT(*c->Box(0, nullptr), BoxIs(-1.0, -3.0, 0.0, 6.0, 2.0, 0.0));
  EXPECT_EQ(c->Spt(nullptr), nullptr);
  PCurve3D empty;
  empty.Ept(&to);
  EXPECT_EQ(empty.Nodes(), 0);
}

TEST(PCurve3D, TransformationsMoveEveryNode) {
  auto c = CurveThrough({Point3D(1, 0, 0), Point3D(2, 1, 0), Point3D(3, 0, 0)});
  // By the first node's own position: every node moves by the same (1, 0, 0).
  c->Translate(c->GetPointList()->GetPoint(1), false);
  const Point3D v(0, 2, 3);
  c->Translate(&v, false);
  EXPECT_THAT(*c->Box(0, nullptr), BoxIs(2.0, 2.0, 3.0, 4.0, 3.0, 3.0));
  // A quarter turn about z through the first node.
  const Point3D up(0, 0, 1);
  c->Rotate(c->GetPointList()->GetPoint(1), &up, std::numbers::pi / 2);
  EXPECT_THAT(NodeAt(*c, 1), PointNear(2.0, 2.0, 3.0, kTol));
  EXPECT_THAT(*c->Ept(), PointNear(2.0, 4.0, 3.0, kTol));
  const Point3D origin(0, 0, 0), factors(2, 1, 0);
  c->Scale(&origin, &factors);
  c->Scale(&origin, 0.5);
  EXPECT_THAT(NodeAt(*c, 2), PointNear(1.0, 1.5, 0.0, kTol));
  // The plane x = 3 sends x to 6 - x.
  const Point3D normal(1, 0, 0);
  c->Mirror(&normal, 3.0);
  EXPECT_THAT(*c->Spt(), PointNear(4.0, 1.0, 0.0, kTol));
  EXPECT_NEAR(c->Box(0, nullptr)->Right(), 5.0, kTol);
  // Placed again as a child: every node follows the start point.
  const Point3D parent(10, 0, 0);
  c->ResetLocalCoords(&origin);
  c->ResetGlobalCoords(&parent);
  EXPECT_THAT(NodeAt(*c, 3), PointNear(14.0, 2.0, 0.0, kTol));
}

TEST(PCurve3D, CopiesSetIdentAndZero) {
  auto c = CurveThrough({Point3D(0, 0, 0), Point3D(1, 1, 0), Point3D(2, 0, 0)});
  std::unique_ptr<Curve3D> copy(c->Copy());
  auto* pc = dynamic_cast<PCurve3D*>(copy.get());
  ASSERT_NE(pc, nullptr);
  EXPECT_TRUE(c->Ident(pc));
  const Point3D away(5, 5, 0);
  pc->Spt(&away);
  pc->Add(&away);
  EXPECT_THAT(NodeAt(*c, 1), PointIs(0.0, 0.0, 0.0));
  // Identity asks for the same ends and node count, not the same inner nodes.
  EXPECT_TRUE(
      c->Ident(CurveThrough({Point3D(0, 0, 0), Point3D(7, -7, 0), Point3D(2, 0, 0)}).get()));
  EXPECT_FALSE(c->Ident(CurveThrough({Point3D(0, 0, 0), Point3D(2, 0, 0)}).get()));
  Line3D line(0, 0, 0, 2, 0, 0);
  EXPECT_FALSE(c->Ident(&line));

  PCurve3D target;
  target.Set(c.get());
  EXPECT_EQ(target.Nodes(), 3);
  target = *pc;
  EXPECT_EQ(target.Nodes(), 4);
  // A line gives its attributes only; the ends stay on the nodes.
  line.Colour(6);
  target.Set(static_cast<Curve3D*>(&line));
  EXPECT_EQ(target.GetColour(), 6);
  EXPECT_THAT(*target.Ept(), PointIs(5.0, 5.0, 0.0));
  target.Zero();
  EXPECT_EQ(target.Nodes(), 0);
  EXPECT_STREQ(target.Curve3D::Name(0, nullptr), "Curve");
  EXPECT_EQ(target.State(), kStateUnchanged);
}
