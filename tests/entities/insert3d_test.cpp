#include "entities/insert3d.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <utility>
#include <vector>

#include "entities/line3d.h"
#include "support/box_matchers.h"
#include "support/entity_builders.h"
#include "support/geometry_matchers.h"

namespace {

using Ends = std::vector<std::pair<double, double>>;

// An L-shaped mark with its base at (1, 1): a long arm along +x (to (3, 1)) and a short one
// along +y (to (1, 2)), so every flip and turn shows in the arms' ends.
std::unique_ptr<Block3D> MarkBlock() {
  const Point3D base(1, 1, 0);
  auto block = std::make_unique<Block3D>("Mark", 0, 0, 1.0, &base);
  block->Add(new Line3D(1.0, 1.0, 0.0, 3.0, 1.0, 0.0), 0);
  block->Add(new Line3D(1.0, 1.0, 0.0, 1.0, 2.0, 0.0), 0);
  return block;
}

// The end points of the transformed members, rounded so that turned results compare exactly.
Ends MemberEnds(Insert3D& insert) {
  Ends ends;
  for (int n = 1; Curve3D* s = insert.GetTBlock()->Segment(n); ++n)
    ends.emplace_back(std::round(s->Ept()->x * 1e9) / 1e9, std::round(s->Ept()->y * 1e9) / 1e9);
  return ends;
}

const Point3D kAt(10, 20, 0);
const Point3D kOrigin(0, 0, 0);
const Point3D kUp(0, 0, 1);

}  // namespace

TEST(Insert3D, PlainInsertOnlyMovesTheBaseOntoTheInsertionPoint) {
  auto mark = MarkBlock();
  mark->Guid(kSampleGuid);
  Insert3D insert(&kAt, mark.get(), 1.0, 0.0);
  EXPECT_STREQ(insert.Blockname(), "Mark");
  EXPECT_STREQ(insert.Guid(), kSampleGuid);
  EXPECT_EQ(MemberEnds(insert), (Ends{{12, 20}, {10, 21}}));
  EXPECT_THAT(*insert.Box(0, nullptr), BoxIs(10.0, 20.0, 0.0, 12.0, 21.0, 0.0));
  // The definition itself is untouched.
  EXPECT_THAT(*mark->Segment(1)->Ept(), PointIs(3.0, 1.0, 0.0));

  // Without a block there is nothing to transform, pick or flag.
  Insert3D empty(&kAt, nullptr, 1.0, 0.0);
  EXPECT_EQ(empty.SetupTBlock(), 0);
  EXPECT_EQ(empty.Blockflag(1), 0);
  Point3D p(10, 20, 0);
  EXPECT_EQ(empty.IsNear(&p, 1.0, 1.0), kNotNear);
}

TEST(Insert3D, ScalesMirrorsAndTurnsAboutTheInsertionPointInThatOrder) {
  auto mark = MarkBlock();
  Insert3D insert(&kAt, mark.get(), 1.0, 0.0);
  const Point3D factors(2, 3, 1);
  EXPECT_EQ(insert.SetScale(&factors), 1);
  EXPECT_EQ(MemberEnds(insert), (Ends{{14, 20}, {10, 23}}));
  const Point3D flat(2, 0, 1);
  EXPECT_EQ(insert.SetScale(&flat), 0);
  const Point3D unit(1, 1, 1);
  insert.SetScale(&unit);

  insert.SetAngle(90);
  EXPECT_EQ(MemberEnds(insert), (Ends{{10, 22}, {9, 20}}));
  EXPECT_THAT(*insert.Box(0, nullptr), BoxIs(9.0, 20.0, 0.0, 10.0, 22.0, 0.0));
  EXPECT_EQ(insert.SetAngle(-90), 270.0);
  insert.SetAngle(0);

  insert.Mirrored(kMirrorTopToBottom);
  EXPECT_EQ(MemberEnds(insert), (Ends{{12, 20}, {10, 19}}));
  EXPECT_EQ(insert.Mirrored(7), 3);
  EXPECT_EQ(MemberEnds(insert), (Ends{{8, 20}, {10, 19}}));

  // Scale (2, 1), flip left to right, then a quarter turn: the long arm ends up pointing down.
  const Point3D wide(2, 1, 1);
  insert.SetScale(&wide);
  insert.Mirrored(kMirrorLeftToRight);
  insert.SetAngle(90);
  EXPECT_EQ(MemberEnds(insert), (Ends{{10, 16}, {9, 20}}));
}

TEST(Insert3D, XScaledSymbolTakesTheBlockScaleOverTheDivisor) {
  Block3D symbol("Drain", 0, 1, 4.0, nullptr);
  symbol.Add(new Line3D(0.0, 0.0, 0.0, 1.0, 0.0, 0.0), 0);
  Insert3D insert(&kAt, &symbol, 2.0, 0.0);
  EXPECT_EQ(MemberEnds(insert), (Ends{{12, 20}}));
  EXPECT_EQ(insert.SetXScale(4.0), 4.0);
  EXPECT_EQ(MemberEnds(insert), (Ends{{11, 20}}));
  for (const double refused : {0.0, -1.0, std::nan(""), HUGE_VAL})
    EXPECT_EQ(insert.SetXScale(refused), 4.0);

  // Rescaling the drawing moves an x-scaled symbol but keeps its size.
  insert.ScaleSpt(&kOrigin, 2.0);
  EXPECT_THAT(*insert.Spt(), PointIs(20.0, 40.0, 0.0));
  EXPECT_EQ(MemberEnds(insert), (Ends{{21, 40}}));

  insert.SetData(&symbol, 8.0, 0.5);
  EXPECT_EQ(MemberEnds(insert), (Ends{{20.5, 40}}));

  // A symbol that is not x-scaled ignores the divisor.
  auto mark = MarkBlock();
  Insert3D plain(&kAt, mark.get(), 2.0, 0.0);
  EXPECT_EQ(MemberEnds(plain), (Ends{{12, 20}, {10, 21}}));
}

TEST(Insert3D, EntityTransformsKeepTheSymbolWhereTheGeometryGoes) {
  auto mark = MarkBlock();
  Insert3D turned(&kAt, mark.get(), 1.0, 0.0);
  turned.Rotate(&kOrigin, &kUp, std::numbers::pi / 2);
  EXPECT_THAT(*turned.Spt(), PointNear(-20.0, 10.0, 0.0, 1e-12));
  EXPECT_NEAR(turned.Angle(), 90.0, 1e-9);
  EXPECT_EQ(MemberEnds(turned), (Ends{{-20, 12}, {-21, 10}}));
  // A quarter-turned symbol stretched along world y grows its long arm.
  const Point3D tall(1, 2, 1);
  turned.Scale(&kOrigin, &tall);
  EXPECT_EQ(MemberEnds(turned), (Ends{{-20, 24}, {-21, 20}}));

  Insert3D flipped(&kAt, mark.get(), 1.0, 0.0);
  const Point3D yAxis(1, 0, 0);
  flipped.Mirror(&yAxis, 0.0);
  EXPECT_EQ(flipped.Mirrored(), kMirrorLeftToRight);
  EXPECT_EQ(MemberEnds(flipped), (Ends{{-12, 20}, {-10, 21}}));

  // In the diagonal y = x every point swaps its coordinates.
  Insert3D diagonal(&kAt, mark.get(), 1.0, 0.0);
  const Point3D normal(std::numbers::sqrt2 / 2, -std::numbers::sqrt2 / 2, 0);
  diagonal.Mirror(&normal, 0.0);
  EXPECT_THAT(*diagonal.Spt(), PointNear(20.0, 10.0, 0.0, 1e-12));
  EXPECT_EQ(MemberEnds(diagonal), (Ends{{20, 12}, {21, 10}}));

  Insert3D scaled(&kAt, mark.get(), 1.0, 0.0);
  scaled.Scale(&kOrigin, 2.0);
  EXPECT_EQ(MemberEnds(scaled), (Ends{{24, 40}, {20, 42}}));
  scaled.Scale(&kOrigin, 0.0);
  EXPECT_EQ(MemberEnds(scaled), (Ends{{24, 40}, {20, 42}}));
}

TEST(Insert3D, NestedInsertFollowsTheOuterTransformAndCyclesEnd) {
  auto mark = MarkBlock();
  Block3D pair("Pair", 0, 0, 1.0, nullptr);
  pair.Add(new Line3D(0.0, 0.0, 0.0, 1.0, 0.0, 0.0), 0);
  const Point3D inner(6, 1, 0);  // the mark's base lands here
  pair.Add(new Insert3D(&inner, mark.get(), 1.0, 0.0), 0);

  const Point3D at(100, 0, 0);
  Insert3D outer(&at, &pair, 1.0, 90.0);
  ASSERT_EQ(outer.GetTBlock()->Nodes(), 2);
  auto* nested = dynamic_cast<Insert3D*>(outer.GetTBlock()->Segment(2));
  ASSERT_NE(nested, nullptr);
  EXPECT_THAT(*nested->Spt(), PointNear(99.0, 6.0, 0.0, 1e-12));
  EXPECT_NEAR(nested->Angle(), 90.0, 1e-9);
  EXPECT_EQ(MemberEnds(*nested), (Ends{{99, 8}, {98, 6}}));
  // The box takes in the nested symbol: x from 98 to 100, y from 0 to 8.
  const Box3D* box = outer.Box(0, nullptr);
  EXPECT_THAT(*box->Minpt(), PointNear(98.0, 0.0, 0.0, 1e-9));
  EXPECT_THAT(*box->Maxpt(), PointNear(100.0, 8.0, 0.0, 1e-9));

  // Two symbols that contain each other: building the transform stops instead of recursing.
  Block3D a("A", 0, 0, 1.0, nullptr);
  Block3D b("B", 0, 0, 1.0, nullptr);
  a.Add(new Line3D(0.0, 0.0, 0.0, 1.0, 0.0, 0.0), 0);
  a.Add(new Insert3D(&kOrigin, &b, 1.0, 0.0), 0);
  b.Add(new Insert3D(&kOrigin, &a, 1.0, 0.0), 0);
  Insert3D loop(&kAt, &a, 1.0, 0.0);
  EXPECT_EQ(loop.GetTBlock()->Nodes(), 2);
}

TEST(Insert3D, CopiesShareTheBlockAndPickThroughTheirOwnTransform) {
  const int liveBefore = Insert3D::LiveCount();
  auto mark = MarkBlock();
  {
    Insert3D original(&kAt, mark.get(), 1.0, 0.0);
    std::unique_ptr<Curve3D> copy(original.Copy());
    auto* twin = dynamic_cast<Insert3D*>(copy.get());
    ASSERT_NE(twin, nullptr);
    EXPECT_EQ(twin->GetBlock(), mark.get());
    EXPECT_TRUE(original.Ident(twin));
    const Point3D by(0, 5, 0);
    twin->Translate(&by, false);
    EXPECT_FALSE(original.Ident(twin));
    EXPECT_EQ(MemberEnds(original), (Ends{{12, 20}, {10, 21}}));

    Point3D onArm(11, 20, 0), inBox(11, 20.5, 0), away(30, 30, 0);
    EXPECT_GE(original.IsNear(&onArm, 1.0, 0.1), 0.0);
    EXPECT_EQ(original.IsNear(&away, 1.0, 0.1), kNotNear);
    EXPECT_EQ(original.IsInside(&inBox), 1);
    EXPECT_EQ(original.IsInside(&away), 0);

    original.Blockflag(1);
    EXPECT_EQ(mark->BlockFlag(), 1);
    EXPECT_EQ(Insert3D::LiveCount(), liveBefore + 2);
  }
  EXPECT_EQ(Insert3D::LiveCount(), liveBefore);
}
