#include "geometry/point3d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "support/geometry_matchers.h"

namespace {

constexpr double kTol = 1e-12;
const Point3D kOrigin;
const Point3D kZAxis(0, 0, 1);

// A point whose coordinates are stored as given, bypassing the snapping constructor.
Point3D Raw(double x, double y, double z) {
  Point3D p;
  p.set_x(x);
  p.set_y(y);
  p.set_z(z);
  return p;
}

}  // namespace

TEST(Point3D, ConstructorsAndSettersSnapAtMostTheSnapTolerance) {
  EXPECT_THAT(Point3D(1e-12, -1e-12, 5), PointIs(0, 0, 5));
  EXPECT_EQ(Point3D(2e-12, 0, 0).x, 2e-12);
  EXPECT_EQ(Point3D(1.0000001e-12, 0).x, 1.0000001e-12);
  EXPECT_THAT(Point3D(3, -1e-12), PointIs(3, 0, 0));

  Point3D p(1, 2, 3);
  p.Id(7);
  EXPECT_THAT(*p.set(-1e-12, 4), PointIs(0, 4, 0));
  EXPECT_EQ(p.Id(), 7);
  EXPECT_EQ(p.set_x(1e-13), 1e-13);  // one-coordinate setters store unchanged
  EXPECT_EQ(p.set_x(), 1e-13);
}

TEST(Point3D, CopiesKeepTagAndTinyValuesButSetFromPointSnaps) {
  Point3D src = Raw(1e-13, 2, -1e-12);
  EXPECT_EQ(src.Id(42), 42);

  const Point3D by_ptr(&src);
  const Point3D by_copy = src;
  for (const Point3D* p : {&by_ptr, &by_copy}) {
    EXPECT_THAT(*p, PointIs(1e-13, 2, -1e-12));
    EXPECT_EQ(p->Id(), 42);
  }

  Point3D target(9, 9, 9);
  EXPECT_EQ(target.set(&src), &target);
  EXPECT_THAT(target, PointIs(0, 2, 0));
  EXPECT_EQ(target.Id(), 42);

  EXPECT_THAT(Point3D(static_cast<const Point3D*>(nullptr)), PointIs(0, 0, 0));
}

TEST(Point3D, EqualityIsExactWhileIdentAllowsTheIdentTolerance) {
  const Point3D tiny = Raw(1e-13, 0, 0);
  EXPECT_FALSE(Point3D::op_Equality(kOrigin, tiny));
  EXPECT_TRUE(kOrigin.ident(&tiny));

  Point3D tagged(1, 2, 3);
  tagged.Id(5);
  EXPECT_TRUE(tagged == Point3D(1, 2, 3));  // the tag is not compared

  const Point3D corner(1e-11, -1e-11, 1e-11);
  EXPECT_EQ(kOrigin.ident(&corner), 1);
  const Point3D over_x(1.1e-11, 0, 0), over_z(0, 0, 1.1e-11), edge_y(0, 1e-11, 0);
  EXPECT_EQ(kOrigin.ident(&over_x), 0);
  EXPECT_EQ(kOrigin.ident(&over_z), 0);
  EXPECT_EQ(kOrigin.ident(&edge_y), 1);
  EXPECT_EQ(kOrigin.ident2D(&over_z), 1);  // z ignored in plan
  EXPECT_EQ(kOrigin.ident2D(&over_x), 0);

  EXPECT_EQ(Point3D(1e-11, -1e-11, 1e-11).is_small(), 1);
  EXPECT_EQ(Point3D(0, 0, -1.1e-11).is_small(), 0);
}

TEST(Point3D, ArithmeticComputesAndSnapsTheResult) {
  const Point3D v(1, -2, 4);
  Point3D p(3, 5, 7);
  EXPECT_EQ(p.add(&v), &p);
  EXPECT_THAT(p, PointIs(4, 3, 11));
  EXPECT_THAT(*p.sub(&v)->translate(&v)->sub(&v), PointIs(3, 5, 7));
  EXPECT_THAT(*Point3D(1, 1, 1).addt(&v, 0.5), PointIs(1.5, 0, 3));
  EXPECT_THAT(*Point3D(1, 1, 1).addw(2, &v, -1), PointIs(1, 4, -2));
  EXPECT_THAT(*Point3D(0, 0, 8).addu(&v, 0.25), PointNear(0.25, -0.5, 7, kTol));
  EXPECT_THAT(*Point3D(1, 2, 3).mult(-2), PointIs(-2, -4, -6));
  EXPECT_THAT(*Point3D(1, 2, 3).mult(&v), PointIs(1, -4, 12));
  EXPECT_THAT(*Point3D(3, 5, 7).mid_pt(&v), PointIs(2, 1.5, 5.5));
  const Point3D y_axis(0, 1, 0);
  EXPECT_THAT(*Point3D(1, 0, 0).cross(&y_axis), PointIs(0, 0, 1));
  EXPECT_THAT(*Point3D(1, 2, 3).cross(&v), PointIs(14, -1, -4));
  EXPECT_THAT(*Point3D(1, 2, 3).negate(), PointIs(-1, -2, -3));

  // Results that land within the snap tolerance of zero become exactly zero.
  const Point3D almost(1 - 1e-13, 0, 0);
  EXPECT_THAT(*Point3D(1, 0, 0).sub(&almost), PointIs(0, 0, 0));
  EXPECT_THAT(*Raw(5e-13, 0, 0).mult(10), PointIs(5e-12, 0, 0));  // snaps the result, not input
}

TEST(Point3D, AddcSnapsOnlyTheFinalSum) {
  // Snapping each partial sum would give 0: 5e-13 + 5e-13 = 1e-12 snaps, then 5e-13 snaps.
  const Point3D a = Raw(5e-13, 0, 0);
  Point3D p = Raw(5e-13, 0, 0);
  p.addc(&a, 1, &a, 1);
  EXPECT_NEAR(p.x, 1.5e-12, 1e-25);

  // And a sum that ends within the tolerance is snapped even though its terms are large.
  const Point3D b(2, 0, 0);
  Point3D q(1, 0, 0);
  q.addc(&b, 0.5, &b, -1 + 1e-13);
  EXPECT_EQ(q.x, 0.0);
}

TEST(Point3D, ScaleAboutCentreSnapsAfterEachStep) {
  const Point3D c(1, 1, 0);
  EXPECT_THAT(*Point3D(3, 2, 1).scale(&c, 2), PointIs(5, 3, 2));
  const Point3D f(2, -1, 3);
  EXPECT_THAT(*Point3D(3, 2, 1).scale(&c, &f), PointIs(5, 0, 3));

  // 5e-13 from the centre snaps to the centre before the factor can enlarge it.
  EXPECT_THAT(*Raw(5e-13, 0, 0).scale(&kOrigin, 10), PointIs(0, 0, 0));
}

TEST(Point3D, MirrorReflectsInPlaneWithoutNormalisingTheNormal) {
  EXPECT_THAT(*Point3D(1, 2, 3).mirror(&kZAxis, 2), PointIs(1, 2, 1));
  const Point3D diag(std::sqrt(0.5), std::sqrt(0.5), 0);
  EXPECT_THAT(*Point3D(1, 0, 5).mirror(&diag, 0), PointNear(0, -1, 5, kTol));
  const Point3D long_n(0, 0, 2);
  EXPECT_THAT(*Point3D(0, 0, 1).mirror(&long_n, 0), PointIs(0, 0, -7));
}

TEST(Point3D, NormalizeDividesByTheL1Norm) {
  Point3D v(3, 4, 0);
  EXPECT_EQ(v.normalize(), 1);
  EXPECT_THAT(v, PointNear(3.0 / 7, 4.0 / 7, 0, kTol));

  Point3D axis(0, -5, 0);
  EXPECT_EQ(axis.normalize(), 1);
  EXPECT_THAT(axis, PointIs(0, -1, 0));

  for (double tiny : {1e-13, 1e-12}) {
    Point3D t = Raw(0, 0, tiny);
    EXPECT_EQ(t.normalize(), 0) << tiny;
    EXPECT_EQ(t.z, tiny);
  }
  Point3D small = Raw(0, 0, 2e-12);
  EXPECT_EQ(small.normalize(), 1);
  EXPECT_THAT(small, PointIs(0, 0, 1));

  const Point3D y(0, 1, 0);
  EXPECT_THAT(*Point3D(2, 0, 0).normal(&y), PointIs(0, 0, 1));
  const Point3D diag(1, 1, 0);
  EXPECT_THAT(*Point3D(1, 0, 0).normal(&diag), PointIs(0, 0, 1));
}

TEST(Point3D, ScalarQueries) {
  const Point3D a(1, 2, 2), b(-2, 0, 3);
  EXPECT_EQ(a.dot(&b), 4);
  EXPECT_EQ(a.norm(), 3);
  EXPECT_EQ(a.norm_squared(), 9);
  EXPECT_EQ(Point3D(-1, 2, -3).norml1(), 6);
  EXPECT_NEAR(a.dist(&b), std::sqrt(14.0), kTol);
  EXPECT_EQ(a.distl1(&b), 6);
  const Point3D x(1, 0, 0), y(0, 1, 0);
  EXPECT_EQ(x.triple_prod(&y, &kZAxis), 1);
  EXPECT_EQ(y.triple_prod(&x, &kZAxis), -1);
}

TEST(Point3D, Area3ptIsPositiveCounterClockwise) {
  const Point3D o, e(1, 0), n(0, 1);
  EXPECT_EQ(o.area3pt(&e, &n), 0.5);
  EXPECT_EQ(o.area3pt(&n, &e), -0.5);
  const Point3D far(4, 0, 9), top(4, 3, -2);  // z plays no part
  EXPECT_EQ(o.area3pt(&far, &top), 6);
}

TEST(Point3D, BetweenWidensEachBoundByTheSnapTolerance) {
  const Point3D a(0, 0, 0), b(-1, 2, 0);
  struct Case {
    double x, y;
    int inside;
  } const cases[] = {
      {-0.5, 1, 1},    {0, 2, 1},         {1e-12, 1, 1}, {1.5e-12, 1, 0},
      {-1, -1e-12, 1}, {-0.5, -2e-12, 0}, {-1.5, 1, 0},  {-0.5, 2.5, 0},
  };
  for (const Case& c : cases) {
    const Point3D p = Raw(c.x, c.y, 100);
    EXPECT_EQ(p.Between(&a, &b), c.inside) << c.x << ", " << c.y;
    EXPECT_EQ(p.Between(&b, &a), c.inside) << "corners swapped " << c.x << ", " << c.y;
  }
}

TEST(Point3D, XyangleInEveryQuadrantAndOnTheAxes) {
  struct Case {
    double x, y, degrees;
  } const cases[] = {
      {0, 0, 90}, {0, 3, 90},   {0, -2, 270},  {-1, 0, 180}, {2, 0, 0},
      {1, 1, 45}, {-1, 1, 135}, {-1, -1, 225}, {1, -1, 315}, {1, std::sqrt(3.0), 60},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(Point3D(c.x, c.y).xyangle(), c.degrees, 1e-9) << c.x << ", " << c.y;
  }
  EXPECT_EQ(Point3D(0, -2).xyangle(), 270);
  EXPECT_EQ(Point3D(-1, 0).xyangle(), 180);

  // The rounded degree constant leaves 45 degrees a hair short; pi/180 would give 45 exactly.
  const double diagonal = Point3D(1, 1).xyangle();
  EXPECT_LT(diagonal, 45.0);
  EXPECT_NEAR(diagonal, 45.0, 1e-12);

  const Point3D from(2, 2), to(1, 1);
  EXPECT_NEAR(from.xyangle(&to), 225, 1e-9);
}

TEST(Point3D, AngleIsCounterClockwiseAndWrapsIntoFullTurn) {
  const Point3D east(1, 0), north(0, 1), se(1, -1), ne(1, 1);
  EXPECT_EQ(north.angle(&east), 270);
  EXPECT_EQ(east.angle(&north), 90);
  EXPECT_NEAR(se.angle(&ne), 90, 1e-9);
  EXPECT_NEAR(ne.angle(&se), 270, 1e-9);
  EXPECT_EQ(ne.angle(&ne), 0);
}

TEST(Point3D, ParallelVectorsIncludeOppositeAndZero) {
  const Point3D v(1, 2, 3), opposite(-2, -4, -6), x(1, 0, 0), y(0, 1, 0);
  EXPECT_EQ(v.is_vecs_parallel(&opposite), 1);
  EXPECT_EQ(x.is_vecs_parallel(&y), 0);
  EXPECT_EQ(kOrigin.is_vecs_parallel(&v), 1);
  EXPECT_EQ(v.is_vecs_parallel(&kOrigin), 1);

  // Off by 1e-3 in y: the tolerance is scaled by both L1 lengths (1 and 1.001).
  const Point3D tilted(1, 1e-3, 0);
  EXPECT_EQ(x.is_vecs_parallel(&tilted), 0);
  EXPECT_EQ(x.is_vecs_parallel(&tilted, 1e-3), 1);
  EXPECT_EQ(x.is_vecs_parallel(&tilted, 0.9e-3), 0);
  const Point3D tilted_z(1, 0, 1e-3);  // the z-x component of the cross product counts too
  EXPECT_EQ(x.is_vecs_parallel(&tilted_z, 0.9e-3), 0);
}

TEST(Point3D, RotateInPlanIsExactAtQuarterTurns) {
  Point3D p(1, 0, 0);
  EXPECT_EQ(p.rotate(&kOrigin, &kZAxis, std::numbers::pi / 2), &p);
  EXPECT_THAT(p, PointIs(0, 1, 0));
  const Point3D c(1, 1, 0);
  EXPECT_THAT(*Point3D(2, 1, 0).rotate(&c, &kZAxis, std::numbers::pi / 2), PointIs(1, 2, 0));
  EXPECT_THAT(*Point3D(3, 1, 4).rotate(&c, &kZAxis, std::numbers::pi / 4),
              PointNear(1 + std::sqrt(2.0), 1 + std::sqrt(2.0), 4, kTol));
  EXPECT_THAT(*Point3D(1, 0, 0).rotate_cs(&kOrigin, &kZAxis, 0, -1), PointIs(0, -1, 0));

  // A centre that is the point itself leaves it in place.
  Point3D self(4, 5, 0);
  EXPECT_THAT(*self.rotate(&self, &kZAxis, 1.0), PointIs(4, 5, 0));
}

TEST(Point3D, RotateAboutOtherAxesUsesTheL1NormalisedAxis) {
  const Point3D long_x(2, 0, 0);
  EXPECT_THAT(*Point3D(0, 1, 0).rotate(&kOrigin, &long_x, std::numbers::pi / 2), PointIs(0, 0, 1));
  EXPECT_THAT(*Point3D(0, 1, 0).rotate_vec(&long_x, std::numbers::pi / 2), PointIs(0, 0, 1));

  // Axis (1, 1, 0) becomes (0.5, 0.5, 0): a half turn of (1, 0, 0) then lands on
  // (-0.5, 0.5, 0), not on the (0, 1, 0) of a unit-length axis.
  const Point3D diag(1, 1, 0);
  EXPECT_THAT(*Point3D(1, 0, 0).rotate_vec(&diag, std::numbers::pi), PointNear(-0.5, 0.5, 0, kTol));
  const Point3D c(0, 0, 3);
  EXPECT_THAT(*Point3D(1, 0, 3).rotate(&c, &diag, std::numbers::pi), PointNear(-0.5, 0.5, 3, kTol));
}

TEST(Point3D, RotateWithUnusableAxisReturnsNullAndKeepsThePoint) {
  const Point3D tiny_axis = Raw(0, 0, 1e-13);
  for (const Point3D* axis : {&kOrigin, &tiny_axis}) {
    Point3D p(2, 3, 4);
    EXPECT_EQ(p.rotate(&kOrigin, axis, 1.0), nullptr);
    EXPECT_EQ(p.rotate_vec_cs(axis, 0, 1), nullptr);
    EXPECT_THAT(p, PointIs(2, 3, 4));
  }
}

TEST(Point3D, NullArgumentsChangeNothing) {
  const Point3D* none = nullptr;
  Point3D p(1, 2, 3);
  p.Id(9);
  EXPECT_EQ(p.set(none), &p);
  EXPECT_EQ(p.add(none), &p);
  EXPECT_EQ(p.sub(none), &p);
  EXPECT_EQ(p.addt(none, 2), &p);
  EXPECT_EQ(p.addw(2, none, 2), &p);
  EXPECT_EQ(p.addc(&p, 1, none, 1), &p);
  EXPECT_EQ(p.addu(none, 0.5), &p);
  EXPECT_EQ(p.mult(none), &p);
  EXPECT_EQ(p.mid_pt(none), &p);
  EXPECT_EQ(p.cross(none), &p);
  EXPECT_EQ(p.mirror(none, 1), &p);
  EXPECT_EQ(p.scale(none, 2.0), &p);
  EXPECT_EQ(p.scale(&kOrigin, none), &p);
  EXPECT_EQ(p.normal(none), &p);
  EXPECT_EQ(p.rotate(none, &kZAxis, 1), &p);
  EXPECT_EQ(p.rotate_vec(none, 1), &p);
  EXPECT_THAT(p, PointIs(1, 2, 3));
  EXPECT_EQ(p.Id(), 9);

  EXPECT_EQ(p.dot(none), 0);
  EXPECT_EQ(p.dist(none), 0);
  EXPECT_EQ(p.ident(none), 0);
  EXPECT_EQ(p.Between(none, &p), 0);
  EXPECT_EQ(p.area3pt(&p, none), 0);
  EXPECT_EQ(p.is_vecs_parallel(none), 0);
  EXPECT_EQ(p.angle(none), 0);
}
