#include "geometry/point3d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <tuple>
#include <vector>

#include "support/geometry_matchers.h"

namespace {

using Ints = std::vector<int>;
using Doubles = std::vector<double>;
constexpr double kTol = 1e-12;
constexpr double kPi = std::numbers::pi;
const Point3D kOrigin;
const Point3D kZAxis(0, 0, 1);

// A point stored exactly as given (the one-coordinate setters do not snap).
Point3D Raw(double x, double y, double z, int id = 0) {
  Point3D p;
  p.set_x(x), p.set_y(y), p.set_z(z);
  p.Id(id);
  return p;
}

}  // namespace

// Snapping is "at most kSnapTolerance"; copies keep tiny values and the tag.
TEST(Point3D, TolerancesAreInclusiveAndCopiesKeepEverything) {
  EXPECT_THAT(Point3D(1e-12, -1e-12, 5), PointIs(0, 0, 5));
  EXPECT_THAT(Point3D(1.0000001e-12, -1e-12), PointIs(1.0000001e-12, 0, 0));
  Point3D p = Raw(1, 2, 3, 7);
  EXPECT_THAT(*p.set(-1e-12, 4), PointIs(0, 4, 0));
  EXPECT_THAT(*p.set(5, 1e-12, -1e-12), PointIs(5, 0, 0));
  EXPECT_EQ(p.Id(), 7);
  const Point3D src = Raw(1e-13, 2, -1e-12, 42), copy(&src);
  EXPECT_THAT(copy, PointIs(1e-13, 2, -1e-12));
  EXPECT_EQ(copy.Id(), 42);
  EXPECT_THAT(*p.set(&src), PointIs(0, 2, 0));
  EXPECT_EQ(p.Id(), 42);
  // == ignores the tag but is exact.
  EXPECT_TRUE(Raw(1, 2, 3, 5) == Point3D(1, 2, 3));
  EXPECT_FALSE(kOrigin == Raw(1e-13, 0, 0));

  // ident allows exactly kIdentTolerance per coordinate (ident2D ignores z, is_small measures
  // from the origin); Between widens its plan bounds by kSnapTolerance, either way round.
  const std::tuple<double, double, double, Ints> idents[] = {
      {1e-11, -1e-11, 1e-11, {1, 1, 1}}, {1.1e-11, 0, 0, {0, 0, 0}},  {0, -1.1e-11, 0, {0, 0, 0}},
      {0, 0, 1.1e-11, {0, 1, 0}},        {0, 0, -1.1e-11, {0, 1, 0}},
  };
  for (const auto& [x, y, z, ident_ident2d_small] : idents) {
    const Point3D q(x, y, z);
    EXPECT_EQ((Ints{kOrigin.ident(&q), kOrigin.ident2D(&q), q.is_small()}), ident_ident2d_small)
        << x << ", " << y << ", " << z;
  }
  const Point3D corner(-1, 2, 0);
  const std::tuple<double, double, int> betweens[] = {
      {-0.5, 1, 1},    {0, 2, 1},         {1e-12, 1, 1}, {1.5e-12, 1, 0},
      {-1, -1e-12, 1}, {-0.5, -2e-12, 0}, {-1.5, 1, 0},  {-0.5, 2.5, 0},
  };
  for (const auto& [x, y, inside] : betweens) {
    const Point3D q = Raw(x, y, 100);
    EXPECT_EQ((Ints{q.Between(&kOrigin, &corner), q.Between(&corner, &kOrigin)}), Ints(2, inside))
        << x << ", " << y;
  }
}

TEST(Point3D, ArithmeticComputesAndSnapsTheResult) {
  const Point3D v(1, -2, 4), long_n(0, 0, 2), c(1, 1, 0), f(2, -1, 3);
  EXPECT_THAT(*Point3D(3, 5, 7).add(&v), PointIs(4, 3, 11));
  EXPECT_THAT(*Point3D(3, 5, 7).sub(&v), PointIs(2, 7, 3));
  EXPECT_THAT(*Point3D(1, 1, 1).addt(&v, 0.5), PointIs(1.5, 0, 3));
  EXPECT_THAT(*Point3D(1, 1, 1).addw(2, &v, -1), PointIs(1, 4, -2));
  EXPECT_THAT(*Point3D(0, 0, 8).addu(&v, 0.25), PointNear(0.25, -0.5, 7, kTol));
  EXPECT_THAT(*Point3D(1, 2, 3).mult(-2)->negate(), PointIs(2, 4, 6));
  EXPECT_THAT(*Point3D(1, 2, 3).mult(&v), PointIs(1, -4, 12));
  EXPECT_THAT(*Point3D(3, 5, 7).mid_pt(&v), PointIs(2, 1.5, 5.5));
  EXPECT_THAT(*Point3D(1, 2, 3).cross(&v), PointIs(14, -1, -4));
  EXPECT_THAT(*Point3D(1, 2, 3).mirror(&long_n, 2), PointIs(1, 2, -13));  // n taken as given
  EXPECT_THAT(*Point3D(3, 2, 1).scale(&c, 2), PointIs(5, 3, 2));
  EXPECT_THAT(*Point3D(3, 2, 1).scale(&c, &f), PointIs(5, 0, 3));

  // The result is snapped, not the inputs; addc snaps only its final sum (snapping partial sums
  // would end at 0 here); scale snaps each step, so a point 5e-13 from the centre stays on it.
  const Point3D almost(1 - 1e-13, 0, 0), half = Raw(5e-13, 0, 0), two(2, 0, 0);
  EXPECT_THAT(*Point3D(1, 0, 0).sub(&almost), PointIs(0, 0, 0));
  EXPECT_THAT(*Raw(5e-13, 5e-14, 0).mult(10), PointIs(5e-12, 0, 0));
  EXPECT_NEAR(Raw(5e-13, 0, 0).addc(&half, 1, &half, 1)->x, 1.5e-12, 1e-25);
  EXPECT_EQ(Point3D(1, 0, 0).addc(&two, 0.5, &two, -1 + 1e-13)->x, 0.0);
  EXPECT_THAT(*Raw(5e-13, 0, 0).scale(&kOrigin, 10), PointIs(0, 0, 0));
}

// normalize divides by the L1 norm and refuses a norm of at most kSnapTolerance; parallel
// scales its tolerance by both L1 lengths (2 and 1.001 for two_x and tilted), and opposite or
// zero vectors count as parallel.
TEST(Point3D, DirectionsUseTheL1Norm) {
  Point3D v(3, 4, 0), axis(0, -5, 0), above = Raw(0, 0, 2e-12), at = Raw(0, 0, 1e-12);
  EXPECT_EQ((Ints{v.normalize(), axis.normalize(), above.normalize(), at.normalize()}),
            (Ints{1, 1, 1, 0}));
  EXPECT_EQ((Doubles{v.x, v.y, axis.y, above.z, at.z}), (Doubles{3.0 / 7, 4.0 / 7, -1, 1, 1e-12}));
  const Point3D x(1, 0, 0), y(0, 1, 0), w(1, 2, 3), opposite(-2, -4, -6), diag(1, 1, 0);
  EXPECT_THAT(*Point3D(2, 0, 0).normal(&diag), PointIs(0, 0, 1));
  const Point3D two_x(2, 0, 0), tilted(1, 1e-3, 0), tilted_z(1, 0, 1e-3);
  EXPECT_EQ(
      (Ints{w.is_vecs_parallel(&opposite), x.is_vecs_parallel(&y), kOrigin.is_vecs_parallel(&w),
            two_x.is_vecs_parallel(&tilted, 0.9995e-3), two_x.is_vecs_parallel(&tilted, 0.998e-3),
            x.is_vecs_parallel(&tilted_z, 0.9e-3)}),
      (Ints{1, 0, 1, 1, 0, 0}));
}

// area3pt is the signed plan area, counter-clockwise positive, z ignored. Angles are degrees
// counter-clockwise from +x in [0, 360), exact on the axes; the rounded degree constant leaves
// 45 degrees a hair short, where pi/180 would give 45 exactly.
TEST(Point3D, MeasuresAndAngles) {
  const Point3D a(1, 2, 2), b(-1, -1, 8), x(1, 0, 0), y(0, 1, 0), u(4, 0, 9), w(4, 3, -2);
  EXPECT_EQ((Doubles{a.dot(&b), a.norm(), a.norm_squared(), Point3D(-1, 2, -3).norml1(), a.dist(&b),
                     a.distl1(&b), x.triple_prod(&y, &kZAxis), y.triple_prod(&x, &kZAxis)}),
            (Doubles{13, 3, 9, 6, 7, 11, 1, -1}));
  EXPECT_EQ((Doubles{kOrigin.area3pt(&x, &y), kOrigin.area3pt(&y, &x), kOrigin.area3pt(&u, &w)}),
            (Doubles{0.5, -0.5, 6}));

  const std::tuple<double, double, double> cases[] = {
      {0, 0, 90}, {0, 3, 90},   {0, -2, 270},  {-1, 0, 180}, {2, 0, 0},
      {1, 1, 45}, {-1, 1, 135}, {-1, -1, 225}, {1, -1, 315}, {1, std::sqrt(3.0), 60},
  };
  for (const auto& [px, py, degrees] : cases)
    EXPECT_NEAR(Point3D(px, py).xyangle(), degrees, px && py ? 1e-9 : 0) << px << ' ' << py;
  EXPECT_LT(Point3D(1, 1).xyangle(), 45.0);
  const Point3D from(2, 2), ne(1, 1);
  EXPECT_NEAR(from.xyangle(&ne), 225, 1e-9);
  EXPECT_EQ((Doubles{y.angle(&x), x.angle(&y), ne.angle(&ne)}), (Doubles{270, 90, 0}));
}

// The axis is L1-normalised, not made unit length: about (1, 1, 0), i.e. (0.5, 0.5, 0), a half
// turn takes (1, 0, 0) to (-0.5, 0.5, 0). An axis too small to normalise gives null.
TEST(Point3D, RotateAboutTheL1NormalisedAxis) {
  Point3D p(1e5, 0, 0), self(4, 5, 0);
  EXPECT_THAT(*p.rotate(&kOrigin, &kZAxis, kPi / 2), PointIs(0, 1e5, 0));  // cos snapped to 0
  const Point3D c(1, 1, 0), long_x(2, 0, 0), diag(1, 1, 0), c3(0, 0, 3), tiny = Raw(0, 0, 1e-13);
  EXPECT_THAT(*Point3D(2, 1, 0).rotate(&c, &kZAxis, kPi / 2), PointIs(1, 2, 0));
  EXPECT_THAT(*Point3D(3, 1, 4).rotate(&c, &kZAxis, kPi / 4),
              PointNear(1 + std::sqrt(2.0), 1 + std::sqrt(2.0), 4, kTol));
  EXPECT_THAT(*Point3D(1, 0, 0).rotate_cs(&kOrigin, &kZAxis, 0, -1), PointIs(0, -1, 0));
  EXPECT_THAT(*self.rotate(&self, &kZAxis, 1.0), PointIs(4, 5, 0));
  EXPECT_THAT(*Point3D(0, 1, 0).rotate_vec(&long_x, kPi / 2), PointIs(0, 0, 1));
  EXPECT_THAT(*Point3D(1, 0, 0).rotate_vec(&diag, kPi), PointNear(-0.5, 0.5, 0, kTol));
  EXPECT_THAT(*Point3D(1, 0, 3).rotate(&c3, &diag, kPi), PointNear(-0.5, 0.5, 3, kTol));
  for (const Point3D* axis : {&kOrigin, &tiny}) {
    EXPECT_EQ(p.rotate(&kOrigin, axis, 1.0), nullptr);
    EXPECT_EQ(p.rotate_vec_cs(axis, 0, 1), nullptr);
    EXPECT_THAT(p, PointIs(0, 1e5, 0));
  }
}

TEST(Point3D, NullArgumentsChangeNothing) {
  const Point3D* n = nullptr;
  Point3D p(1, 2, 3);
  EXPECT_EQ(p.set(n)->add(n)->sub(n)->addt(n, 2)->addw(2, n, 2)->addu(n, 0.5)->mult(n), &p);
  EXPECT_EQ(p.addc(&p, 1, n, 1)->addc(n, 1, &p, 1)->mid_pt(n)->cross(n)->mirror(n, 1), &p);
  EXPECT_EQ(p.scale(n, 2.0)->scale(&kOrigin, n)->normal(n)->rotate(n, &kZAxis, 1), &p);
  EXPECT_EQ(p.rotate(&kOrigin, n, 1)->rotate_vec(n, 1), &p);
  EXPECT_THAT(p, PointIs(1, 2, 3));
  EXPECT_THAT(Point3D(n), PointIs(0, 0, 0));
  EXPECT_EQ((Doubles{p.dot(n), p.dist(n), p.distl1(n), p.area3pt(&p, n), p.triple_prod(n, &p),
                     p.xyangle(n), p.angle(n)}),
            Doubles(7, 0.0));
  EXPECT_EQ((Ints{p.ident(n), p.ident2D(n), p.Between(n, &p), p.is_vecs_parallel(n)}), Ints(4, 0));
}
