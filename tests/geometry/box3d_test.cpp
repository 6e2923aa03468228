#include "geometry/box3d.h"

#include <gtest/gtest.h>

#include <numbers>

#include "support/geometry_matchers.h"

namespace {

constexpr double kTol = 1e-12;
const Point3D kOrigin;
const Point3D kZAxis(0, 0, 1);

Box3D MakeBox(double x1, double y1, double z1, double x2, double y2, double z2) {
  Box3D b;
  b.Set(x1, y1, z1, x2, y2, z2);
  return b;
}

}  // namespace

TEST(Box3D, EdgeConstructorTakesLeftTopRightBottom) {
  const Box3D b(0, 10, 20, 5);
  EXPECT_EQ(b.Left(), 0);
  EXPECT_EQ(b.Top(), 10);
  EXPECT_EQ(b.Right(), 20);
  EXPECT_EQ(b.Bottom(), 5);
  EXPECT_THAT(*b.Minpt(), PointIs(0, 5, 0));
  EXPECT_THAT(*b.Maxpt(), PointIs(20, 10, 0));
  EXPECT_EQ(Box3D(1e-12, 1, 1, 0).Left(), 0.0);  // snapped
}

TEST(Box3D, PointCornersAreCopiedUnchangedButSetFromBoxSnaps) {
  Point3D lo;
  lo.set_x(1e-13);
  lo.Id(3);
  const Point3D hi(4, 5, 6);
  const Box3D b(&lo, &hi);
  EXPECT_EQ(b.Left(), 1e-13);
  EXPECT_EQ(b.Minpt()->Id(), 3);
  EXPECT_EQ(Box3D(&lo).Right(), 1e-13);

  Box3D copy(&b);
  EXPECT_EQ(copy.Left(), 1e-13);
  EXPECT_EQ(copy.Set(&b), &copy);
  EXPECT_EQ(copy.Left(), 0.0);
  EXPECT_THAT(*copy.Maxpt(), PointIs(4, 5, 6));

  EXPECT_EQ(copy.Set(&hi), &copy);
  EXPECT_THAT(*copy.Minpt(), PointIs(4, 5, 6));
  EXPECT_THAT(*copy.Zero()->Maxpt(), PointIs(0, 0, 0));
}

TEST(Box3D, AccessorsAndSizesUseAbsoluteExtents) {
  Box3D b = MakeBox(1, 2, 3, 4, 8, 1);
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Height(), 6);
  EXPECT_EQ(b.Depth(), 2);
  EXPECT_EQ(b.Size(), 11);
  b.Left(-1);
  b.Top(10);
  b.Right(7);
  b.Bottom(0);
  EXPECT_THAT(*b.Minpt(), PointIs(-1, 0, 3));
  EXPECT_THAT(*b.Maxpt(), PointIs(7, 10, 1));
  b.Maxpt()->set_z(5);  // corners are changed in place through the pointer
  EXPECT_EQ(b.Depth(), 2);

  Point3D centre;
  centre.Id(4);
  EXPECT_EQ(b.Ctr(&centre), &centre);
  EXPECT_THAT(centre, PointIs(3, 5, 4));
  EXPECT_EQ(centre.Id(), 4);

  const Point3D c(1, 2, 3);
  EXPECT_EQ(b.Ctr(&c, 0.5), &b);
  EXPECT_THAT(*b.Minpt(), PointIs(0.5, 1.5, 2.5));
  EXPECT_THAT(*b.Maxpt(), PointIs(1.5, 2.5, 3.5));
}

TEST(Box3D, TransformsMoveBothCorners) {
  Box3D b = MakeBox(5, 5, 0, 6, 7, 1);
  EXPECT_EQ(b.Offset(1e-12, 2, 0), &b);  // the tiny x offset is snapped away first
  EXPECT_EQ(b.Left(), 5.0);
  EXPECT_THAT(*b.Maxpt(), PointIs(6, 9, 1));
  const Point3D v(-5, -7, 1);
  b.Translate(&v);
  EXPECT_THAT(*b.Minpt(), PointIs(0, 0, 1));

  // Translating by one of the box's own corners moves both corners by the same amount.
  Box3D self = MakeBox(1, 1, 0, 2, 3, 0);
  self.Translate(self.Minpt());
  EXPECT_THAT(*self.Minpt(), PointIs(2, 2, 0));
  EXPECT_THAT(*self.Maxpt(), PointIs(3, 4, 0));

  Box3D s = MakeBox(1, 1, 1, 2, 3, 1);
  s.Scale(&kOrigin, 2.0);
  EXPECT_THAT(*s.Maxpt(), PointIs(4, 6, 2));
  const Point3D f(1, 0.5, 0);
  s.Scale(s.Minpt(), &f);
  EXPECT_THAT(*s.Minpt(), PointIs(2, 2, 2));
  EXPECT_THAT(*s.Maxpt(), PointIs(4, 4, 2));

  Box3D inflated = MakeBox(0, 0, 0, 1, 1, 1);
  inflated.Inflate(0.5);
  EXPECT_THAT(*inflated.Minpt(), PointIs(-0.5, -0.5, -0.5));
  EXPECT_THAT(*inflated.Maxpt(), PointIs(1.5, 1.5, 1.5));
}

TEST(Box3D, MultScalesAboutOriginWithoutSnapping) {
  Box3D b = MakeBox(1, 2, 3, 4, 5, 6);
  b.Minpt()->set_x(1e-12);
  b.Mult(0.5);
  EXPECT_EQ(b.Left(), 5e-13);
  EXPECT_THAT(*b.Minpt(), PointIs(5e-13, 1, 1.5));
  EXPECT_THAT(*b.Maxpt(), PointIs(2, 2.5, 3));
}

TEST(Box3D, RotationAndNegativeScaleLeaveCornersUnsorted) {
  Box3D r = MakeBox(0, 0, 0, 2, 1, 0);
  EXPECT_EQ(r.Rotate(&kOrigin, &kZAxis, std::numbers::pi / 2), &r);
  EXPECT_THAT(*r.Minpt(), PointIs(0, 0, 0));
  EXPECT_THAT(*r.Maxpt(), PointIs(-1, 2, 0));
  EXPECT_GT(r.Left(), r.Right());

  const Point3D c(1, 1, 0);
  r.Rotate_cs(&c, &kZAxis, -1, 0);
  EXPECT_THAT(*r.Minpt(), PointIs(2, 2, 0));
  EXPECT_THAT(*r.Maxpt(), PointIs(3, 0, 0));

  Box3D s = MakeBox(1, 1, 0, 2, 3, 0);
  s.Scale(&kOrigin, -1.0);
  EXPECT_THAT(*s.Minpt(), PointIs(-1, -1, 0));
  EXPECT_THAT(*s.Maxpt(), PointIs(-2, -3, 0));
  EXPECT_EQ(s.Width(), 1);
  EXPECT_EQ(s.Height(), 2);

  // An axis that cannot be normalised leaves the box as it was.
  s.Rotate(&kOrigin, &kOrigin, 1.0);
  EXPECT_THAT(*s.Maxpt(), PointIs(-2, -3, 0));
}

TEST(Box3D, AppendPointGrowsEachCoordinate) {
  Box3D b = MakeBox(0, 0, 0, 1, 1, 1);
  const Point3D p(-2, 3, 0.5);
  EXPECT_EQ(b.Append(&p), &b);
  EXPECT_THAT(*b.Minpt(), PointIs(-2, 0, 0));
  EXPECT_THAT(*b.Maxpt(), PointIs(1, 3, 1));
  const Point3D deep(0, 0, -4);
  b.Append(&deep);
  EXPECT_EQ(b.Minpt()->z, -4);
}

TEST(Box3D, AppendBoxIgnoresBoxesOnTheOriginInPlan) {
  const Box3D receiver = MakeBox(5, 5, 0, 6, 6, 0);
  struct Case {
    double lo_x, lo_y, hi_x, hi_y;
    bool ignored;
  } const cases[] = {
      {0, 0, 0, 0, true},
      {1e-11, -1e-11, 0, 1e-11, true},
      {1e-11, -1e-11, 2e-11, 0, false},
      {-2e-11, 0, 0, 0, false},
  };
  for (const Case& c : cases) {
    Box3D b(receiver);
    Box3D other;
    other.Minpt()->set_x(c.lo_x);
    other.Minpt()->set_y(c.lo_y);
    other.Maxpt()->set_x(c.hi_x);
    other.Maxpt()->set_y(c.hi_y);
    b.Append(&other);
    if (c.ignored) {
      EXPECT_THAT(*b.Minpt(), PointIs(5, 5, 0)) << c.lo_x << " " << c.hi_x;
      continue;
    }
    EXPECT_THAT(*b.Minpt(), PointIs(c.lo_x, c.lo_y, 0)) << c.lo_x << " " << c.hi_x;
    EXPECT_THAT(*b.Maxpt(), PointIs(6, 6, 0));
  }

  // Only x and y decide emptiness: a box standing on the origin with height still adds nothing.
  Box3D b(receiver);
  const Box3D column = MakeBox(0, 0, 7, 0, 0, 9);
  b.Append(&column);
  EXPECT_THAT(*b.Maxpt(), PointIs(6, 6, 0));

  // The receiver is not tested: appending to a zero box takes the origin in.
  Box3D zero;
  const Box3D far = MakeBox(2, 3, 0, 4, 5, 0);
  zero.Append(&far);
  EXPECT_THAT(*zero.Minpt(), PointIs(0, 0, 0));
  EXPECT_THAT(*zero.Maxpt(), PointIs(4, 5, 0));
}

TEST(Box3D, UnionHasNoEmptinessTest) {
  const Box3D a = MakeBox(2, 3, 1, 4, 5, 2), zero;
  Box3D u;
  EXPECT_EQ(u.Union(&a, &zero), &u);
  EXPECT_THAT(*u.Minpt(), PointIs(0, 0, 0));
  EXPECT_THAT(*u.Maxpt(), PointIs(4, 5, 2));

  Box3D self = MakeBox(0, 0, 0, 1, 1, 1);
  const Box3D b = MakeBox(-1, 0.5, 0, 0.5, 2, 3);
  self.Union(&self, &b);
  EXPECT_THAT(*self.Minpt(), PointIs(-1, 0, 0));
  EXPECT_THAT(*self.Maxpt(), PointIs(1, 2, 3));
}

TEST(Box3D, OverlapIsInclusiveAtTheTolerance) {
  const Box3D a = MakeBox(0, 0, 0, 1, 1, 0);
  const Box3D right = MakeBox(1.5, 0, 5, 2, 1, 6);  // z plays no part
  EXPECT_EQ(a.Overlap_tol(&right, 0.5), 1);
  EXPECT_EQ(right.Overlap_tol(&a, 0.5), 1);
  EXPECT_EQ(a.Overlap_tol(&right, 0.25), 0);
  const Box3D above = MakeBox(0, 1.5, 0, 1, 2, 0);
  EXPECT_EQ(a.Overlap_tol(&above, 0.5), 1);
  EXPECT_EQ(above.Overlap_tol(&a, 0.25), 0);

  const Box3D left = MakeBox(-1, -1, 0, 0, 0, 0);
  Box3D gap = MakeBox(0, 0, 0, 1, 1, 0);
  gap.Left(1e-11);
  EXPECT_EQ(left.Overlap(&gap), 1);
  gap.Left(2e-11);
  EXPECT_EQ(left.Overlap(&gap), 0);
  EXPECT_EQ(left.W_overlap(&gap, 1e-11), 1);
  gap.Left(3e-11);
  EXPECT_EQ(left.W_overlap(&gap, 1e-11), 0);
}

TEST(Box3D, PtInsideWidensByPickSizeOverScale) {
  const Box3D b = MakeBox(0, 0, 0, 10, 10, 0);
  struct Case {
    double x, y, scale, size;
    int inside;
  } const cases[] = {
      {10, 5, 1, 0, 1}, {0, 0, 1, 0, 1},    {10.5, 5, 1, 0, 0}, {10.5, 5, 2, 1, 1},
      {5, -1, 2, 2, 1}, {5, -1.5, 2, 2, 0}, {5, 5, 0, 1, 0},    {5, 5, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const Point3D p(c.x, c.y, 100);
    EXPECT_EQ(b.Pt_inside(&p, c.scale, c.size), c.inside) << c.x << ", " << c.y;
  }
  const Point3D edge(10, 10), out(10, 10.01);
  EXPECT_EQ(b.Pt_inside(&edge), 1);
  EXPECT_EQ(b.Pt_inside(&out), 0);
  EXPECT_EQ(b.Pt_inside(&edge, 4.0), 1);
  EXPECT_EQ(b.Pt_inside(&edge, 0.0), 0);
}

TEST(Box3D, PtNearedgeIsTheBandBetweenInnerAndOuterBorders) {
  const Box3D b = MakeBox(0, 0, 0, 10, 10, 0);
  struct Case {
    double x, y, z;
    int near;
  } const cases[] = {
      {1, 5, 0, 0},  {5, 9, 0, 0},    {0.5, 5, 0, 1}, {5, 9.5, 0, 1},   {0, 0, 0, 1}, {-1, 5, 0, 1},
      {5, 11, 0, 1}, {-1.5, 5, 0, 0}, {0.5, 5, 1, 1}, {0.5, 5, 1.5, 0}, {5, 5, 0, 0},
  };
  for (const Case& c : cases) {
    const Point3D p(c.x, c.y, c.z);
    EXPECT_EQ(b.Pt_nearedge(&p, 2, 2), c.near) << c.x << ", " << c.y << ", " << c.z;
  }
  const Point3D border(0, 5);
  EXPECT_EQ(b.Pt_nearedge(&border, 0, 2), 0);
}

TEST(Box3D, IsInsideNeedsBothCornersInside) {
  const Box3D outer = MakeBox(0, 0, 0, 10, 10, 0);
  const Box3D inner = MakeBox(1, 1, 0, 9, 9, 0);
  const Box3D wide = MakeBox(1, 1, 0, 11, 9, 0);
  EXPECT_EQ(outer.IsInside(&inner, 1, 0), 1);
  EXPECT_EQ(outer.IsInside(&outer, 1, 0), 1);
  EXPECT_EQ(outer.IsInside(&wide, 1, 0), 0);
  EXPECT_EQ(outer.IsInside(&wide, 1, 1), 1);
  EXPECT_EQ(inner.IsInside(&outer, 1, 0), 0);
  EXPECT_EQ(outer.IsInside(&inner, 0, 1), 0);
}

TEST(Box3D, NullArgumentsChangeNothing) {
  const Point3D* no_point = nullptr;
  const Box3D* no_box = nullptr;
  Box3D b = MakeBox(1, 2, 3, 4, 5, 6);
  EXPECT_EQ(b.Set(no_box), &b);
  EXPECT_EQ(b.Set(no_point), &b);
  EXPECT_EQ(b.Ctr(no_point, 1), &b);
  EXPECT_EQ(b.Translate(no_point), &b);
  EXPECT_EQ(b.Scale(no_point, 2.0), &b);
  EXPECT_EQ(b.Scale(&kOrigin, no_point), &b);
  EXPECT_EQ(b.Rotate(&kOrigin, no_point, 1), &b);
  EXPECT_EQ(b.Append(no_point), &b);
  EXPECT_EQ(b.Append(no_box), &b);
  EXPECT_EQ(b.Union(&b, no_box), &b);
  EXPECT_THAT(*b.Minpt(), PointIs(1, 2, 3));
  EXPECT_THAT(*b.Maxpt(), PointIs(4, 5, 6));

  EXPECT_EQ(b.Ctr(static_cast<Point3D*>(nullptr)), nullptr);
  EXPECT_EQ(b.Overlap(no_box), 0);
  EXPECT_EQ(b.Pt_inside(no_point), 0);
  EXPECT_EQ(b.Pt_nearedge(no_point, 1, 1), 0);
  EXPECT_EQ(b.IsInside(no_box, 1, 1), 0);
  EXPECT_THAT(*Box3D(no_point, no_point).Maxpt(), PointIs(0, 0, 0));
  EXPECT_THAT(*Box3D(no_box).Minpt(), PointIs(0, 0, 0));
}
