#include "geometry/box3d.h"

#include <gtest/gtest.h>

#include <numbers>
#include <tuple>
#include <utility>
#include <vector>

#include "support/box_matchers.h"
#include "support/geometry_matchers.h"

namespace {

using Ints = std::vector<int>;
using Doubles = std::vector<double>;
const Point3D kOrigin;
const Point3D kZAxis(0, 0, 1);

Box3D MakeBox(double x1, double y1, double z1, double x2, double y2, double z2) {
  const Point3D lo(x1, y1, z1), hi(x2, y2, z2);
  return Box3D(&lo, &hi);
}

}  // namespace

// Corners given as points, or a whole box, are copied unchanged (tag and tiny values kept); the
// edge form and Set from a box snap.
TEST(Box3D, CornersAreStoredAsGivenAndMeasuredAbsolutely) {
  EXPECT_THAT(Box3D(1e-12, 10, 20, 5), BoxIs(0, 5, 0, 20, 10, 0));  // left, top, right, bottom

  Point3D lo;
  lo.set_x(1e-13);
  lo.Id(3);
  const Point3D hi(4, 5, 6);
  const Box3D b(&lo, &hi);
  EXPECT_THAT(b, BoxIs(1e-13, 0, 0, 4, 5, 6));
  EXPECT_THAT(Box3D(&lo), BoxIs(1e-13, 0, 0, 1e-13, 0, 0));
  Box3D copy(&b);
  EXPECT_THAT(copy, BoxIs(1e-13, 0, 0, 4, 5, 6));
  EXPECT_THAT(*copy.Set(&copy), BoxIs(0, 0, 0, 4, 5, 6));
  EXPECT_EQ(copy.Minpt()->Id(), 3);
  EXPECT_THAT(*copy.Set(&hi), BoxIs(4, 5, 6, 4, 5, 6));
  EXPECT_THAT(*copy.Set(1e-12, 2, 3, 4, 5, -1e-12), BoxIs(0, 2, 3, 4, 5, 0));
  EXPECT_THAT(*copy.Zero(), BoxIs(0, 0, 0, 0, 0, 0));

  // Sizes are absolute extents; the centre keeps the tag of the point it is stored in.
  Box3D sized = MakeBox(1, 8, 3, 4, 2, 1);
  EXPECT_EQ((Doubles{sized.Width(), sized.Height(), sized.Depth(), sized.Size()}),
            (Doubles{3, 6, 2, 11}));
  EXPECT_EQ(sized.Ctr(&lo), &lo);
  EXPECT_THAT(lo, PointIs(2.5, 5, 2));
  EXPECT_EQ(lo.Id(), 3);
  const Point3D c(1, 2, 3);
  EXPECT_THAT(*sized.Ctr(&c, 0.5), BoxIs(0.5, 1.5, 2.5, 1.5, 2.5, 3.5));
}

TEST(Box3D, TransformsMoveBothCorners) {
  Box3D b = MakeBox(5, 5, 0, 6, 7, 1);
  EXPECT_THAT(*b.Offset(1e-12, 2, 0), BoxIs(5, 7, 0, 6, 9, 1));  // 1e-12 snapped before adding
  EXPECT_THAT(*b.Inflate(0.5), BoxIs(4.5, 6.5, -0.5, 6.5, 9.5, 1.5));

  // The box's own corner as the argument must move both corners by the same amount.
  Box3D self = MakeBox(1, 1, 0, 2, 3, 0);
  EXPECT_THAT(*self.Translate(self.Minpt()), BoxIs(2, 2, 0, 3, 4, 0));
  Box3D s = MakeBox(1, 1, 1, 2, 3, 1);
  EXPECT_THAT(*s.Scale(&kOrigin, 2.0), BoxIs(2, 2, 2, 4, 6, 2));
  const Point3D f(1, 0.5, 0);
  EXPECT_THAT(*s.Scale(s.Minpt(), &f), BoxIs(2, 2, 2, 4, 4, 2));

  Box3D m = MakeBox(1, 2, 3, 4, 5, 6);
  m.Minpt()->set_x(1e-12);  // Mult does not snap: 5e-13 stays
  EXPECT_THAT(*m.Mult(0.5), BoxIs(5e-13, 1, 1.5, 2, 2.5, 3));

  // Rotation and a negative scale leave the corners unsorted.
  Box3D r = MakeBox(0, 0, 0, 2, 1, 0);
  EXPECT_THAT(*r.Rotate(&kOrigin, &kZAxis, std::numbers::pi / 2), BoxIs(0, 0, 0, -1, 2, 0));
  const Point3D c(1, 1, 0);
  EXPECT_THAT(*r.Rotate_cs(&c, &kZAxis, -1, 0), BoxIs(2, 2, 0, 3, 0, 0));
  EXPECT_THAT(*r.Rotate(&kOrigin, &kOrigin, 1.0), BoxIs(2, 2, 0, 3, 0, 0));  // unusable axis

  Box3D neg = MakeBox(1, 1, 0, 2, 3, 0);
  EXPECT_THAT(*neg.Scale(&kOrigin, -1.0), BoxIs(-1, -1, 0, -2, -3, 0));
  EXPECT_EQ((Doubles{neg.Width(), neg.Height()}), (Doubles{1, 2}));
}

TEST(Box3D, AppendAndUnionGrowEachCoordinate) {
  Box3D b = MakeBox(0, 0, 0, 1, 1, 1);
  const Point3D p(-2, 1.5, 0.5), deep(0, 0, -4);
  EXPECT_THAT(*b.Append(&p), BoxIs(-2, 0, 0, 1, 1.5, 1));
  EXPECT_THAT(*b.Append(&deep), BoxIs(-2, 0, -4, 1, 1.5, 1));

  const Box3D other = MakeBox(-3, 0.5, -5, 0.5, 4, 3);
  EXPECT_THAT(*b.Union(&b, &other), BoxIs(-3, 0, -5, 1, 4, 3));
  const Box3D zero, far = MakeBox(2, 3, 0, 4, 5, 0);
  EXPECT_THAT(*b.Union(&far, &zero), BoxIs(0, 0, 0, 4, 5, 0));  // Union has no empty box

  // A box with both corners on the origin in plan (within the ident tolerance) is empty and adds
  // nothing, whatever its z; the receiver is not tested, so a zero box takes the origin in.
  EXPECT_THAT(*Box3D().Append(&far), BoxIs(0, 0, 0, 4, 5, 0));
  const std::pair<Box3D, bool> cases[] = {
      {MakeBox(0, 0, 7, 0, 0, 9), true},
      {MakeBox(1e-11, -1e-11, 0, 0, 1e-11, 0), true},
      {MakeBox(1e-11, -1e-11, 0, 2e-11, 0, 0), false},
      {MakeBox(-2e-11, 0, 0, 0, 0, 0), false},
  };
  for (const auto& [added, ignored] : cases) {
    const double left = MakeBox(5, 5, 0, 6, 6, 0).Append(&added)->Left();
    EXPECT_EQ(left == 5, ignored) << added.Left() << " " << added.Right();
  }
}

TEST(Box3D, OverlapIsInclusiveAtTheToleranceAndIgnoresZ) {
  const Box3D a = MakeBox(0, 0, 0, 1, 1, 0);
  const Box3D right = MakeBox(1.5, 0, 5, 2, 1, 6), above = MakeBox(0, 1.5, 0, 1, 2, 0);
  EXPECT_EQ(
      (Ints{a.Overlap_tol(&right, 0.5), right.Overlap_tol(&a, 0.5), a.Overlap_tol(&right, 0.25),
            a.Overlap_tol(&above, 0.5), above.Overlap_tol(&a, 0.25)}),
      (Ints{1, 1, 0, 1, 0}));

  // Overlap allows the ident tolerance; W_overlap adds it to the given one.
  const Box3D left = MakeBox(-1, -1, 0, 0, 0, 0);
  const std::tuple<double, int, int> gaps[] = {{1e-11, 1, 1}, {2e-11, 0, 1}, {3e-11, 0, 0}};
  for (const auto& [gap, overlap, w_overlap] : gaps) {
    const Box3D b = MakeBox(gap, 0, 0, 1, 1, 0);
    EXPECT_EQ(left.Overlap(&b), overlap) << gap;
    EXPECT_EQ(left.W_overlap(&b, 1e-11), w_overlap) << gap;
  }
}

// The pick distance d is size / scale world units (a zero scale finds nothing). Pt_inside widens
// the box by d in plan; Pt_nearedge is the band from d inside to d outside, and d around z.
TEST(Box3D, PickTestsWidenByPickSizeOverScale) {
  const Box3D b = MakeBox(0, 0, 0, 10, 10, 0);
  // x, y, z, scale, size, Pt_inside, Pt_nearedge
  const std::tuple<double, double, double, double, double, int, int> cases[] = {
      {10, 5, 100, 1, 0, 1, 0},  {-1, 5, 0, 2, 2, 1, 1},   {-1.5, 5, 0, 2, 2, 0, 0},
      {0, 0, 0, 1, 0, 1, 0},     {10.5, 5, 0, 1, 0, 0, 0}, {10.5, 5, 0, 2, 1, 1, 1},
      {5, -1, 0, 2, 2, 1, 1},    {0, 5, 0, 0, 2, 0, 0},    {1, 5, 0, 2, 2, 1, 0},
      {5, 9, 0, 2, 2, 1, 0},     {0.5, 5, 0, 2, 2, 1, 1},  {5, 9.5, 0, 2, 2, 1, 1},
      {0, 0, 0, 2, 2, 1, 1},     {5, 11, 0, 2, 2, 1, 1},   {0.5, 5, 1, 2, 2, 1, 1},
      {0.5, 5, 1.5, 2, 2, 1, 0}, {5, 5, 0, 2, 2, 1, 0},
  };
  for (const auto& [x, y, z, scale, size, inside, near] : cases) {
    const Point3D p(x, y, z);
    EXPECT_EQ(b.Pt_inside(&p, scale, size), inside) << x << ", " << y << ", " << z;
    EXPECT_EQ(b.Pt_nearedge(&p, scale, size), near) << x << ", " << y << ", " << z;
  }
  const Point3D edge(10, 10), out(10, 10.01);
  EXPECT_EQ((Ints{b.Pt_inside(&edge), b.Pt_inside(&edge, 4.0), b.Pt_inside(&out),
                  b.Pt_inside(&edge, 0.0)}),
            (Ints{1, 1, 0, 0}));
  const Box3D inner = MakeBox(1, 1, 0, 9, 9, 0), wide = MakeBox(1, 1, 0, 11, 9, 0);
  EXPECT_EQ((Ints{b.IsInside(&inner, 1, 0), b.IsInside(&b, 1, 0), b.IsInside(&wide, 1, 1),
                  b.IsInside(&wide, 1, 0), inner.IsInside(&b, 1, 0), b.IsInside(&inner, 0, 1)}),
            (Ints{1, 1, 1, 0, 0, 0}));
}

TEST(Box3D, NullArgumentsChangeNothing) {
  const Point3D* no_point = nullptr;
  const Box3D* no_box = nullptr;
  Box3D b = MakeBox(1, 2, 3, 4, 5, 6);
  EXPECT_EQ(b.Set(no_box)->Set(no_point)->Ctr(no_point, 1)->Translate(no_point), &b);
  EXPECT_EQ(b.Scale(no_point, 2.0)->Scale(&kOrigin, no_point)->Rotate(&kOrigin, no_point, 1), &b);
  EXPECT_EQ(b.Append(no_point)->Append(no_box)->Union(&b, no_box)->Union(no_box, &b), &b);
  EXPECT_THAT(b, BoxIs(1, 2, 3, 4, 5, 6));
  EXPECT_EQ(b.Ctr(static_cast<Point3D*>(nullptr)), nullptr);
  EXPECT_EQ((Ints{b.Overlap(no_box), b.Pt_inside(no_point), b.Pt_nearedge(no_point, 1, 1),
                  b.IsInside(no_box, 1, 1)}),
            (Ints{0, 0, 0, 0}));
  EXPECT_THAT(Box3D(no_point, no_point), BoxIs(0, 0, 0, 0, 0, 0));
  EXPECT_THAT(Box3D(no_box), BoxIs(0, 0, 0, 0, 0, 0));
}
