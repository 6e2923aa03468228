// An entity destroyed while other entities list it as a child, exclusion or dimension leaves
// those lists; the sanitizer build turns any pointer left behind into a failure.

#include <gtest/gtest.h>

#include <memory>

#include "entities/line3d.h"
#include "geometry/dblclist.h"

namespace {

std::unique_ptr<Line3D> NewLine(double x) {
  return std::make_unique<Line3D>(x, 0.0, 0.0, x + 1.0, 0.0, 0.0);
}

}  // namespace

TEST(Curve3DReferences, DestroyedEntityLeavesEveryListThatNamesIt) {
  auto roof = NewLine(0);
  auto other = NewLine(5);
  auto opening = NewLine(1);
  roof->AddChild(opening.get(), true);
  roof->AddExclusion(opening.get());
  roof->AddDimension(opening.get());
  other->AddChild(opening.get(), true);
  ASSERT_EQ(roof->HasChildren(), 1);
  ASSERT_EQ(roof->HasExclusions(), 1);
  ASSERT_EQ(roof->Dimensions(), 1);

  opening.reset();
  // The lists became empty, so they are gone too.
  EXPECT_EQ(roof->HasChildren(), 0);
  EXPECT_EQ(roof->GetChildList(), nullptr);
  EXPECT_EQ(roof->GetExcludeList(), nullptr);
  EXPECT_EQ(roof->GetAssociatedDimensions(nullptr), nullptr);
  EXPECT_EQ(other->HasChildren(), 0);
}

TEST(Curve3DReferences, DestroyedListerIsForgottenByWhatItListed) {
  auto child = NewLine(1);
  {
    auto parent = NewLine(0);
    parent->AddChild(child.get(), true);
    parent->AddExclusion(child.get());
  }
  // The parent is gone; the child lives on and may be listed and destroyed without reaching it.
  auto next = NewLine(2);
  next->AddChild(child.get(), true);
  EXPECT_EQ(next->HasChildren(), 1);
  child.reset();
  EXPECT_EQ(next->HasChildren(), 0);
}

TEST(Curve3DReferences, RemovedOrClearedEntriesNoLongerTieTheEntities) {
  auto parent = NewLine(0);
  auto a = NewLine(1);
  auto b = NewLine(2);
  parent->AddChild(a.get(), true);
  parent->AddChild(b.get(), true);
  EXPECT_EQ(parent->RemoveChild(a.get()), 1);
  EXPECT_EQ(parent->ClearChildren(), 1);
  EXPECT_EQ(parent->GetChildList(), nullptr);
  parent->AddExclusion(a.get());
  parent->ClearExclusions();
  EXPECT_EQ(parent->GetExcludeList(), nullptr);
  // a and b may now be listed elsewhere and the old lister destroyed in any order: a stale
  // record on either side would reach freed memory (the sanitizer build reports it).
  auto next = NewLine(3);
  next->AddChild(b.get(), true);
  parent.reset();
  a.reset();
  EXPECT_EQ(next->HasChildren(), 1);
  b.reset();
  EXPECT_EQ(next->HasChildren(), 0);
}

TEST(Curve3DReferences, ZeroForgetsChildrenButKeepsExclusions) {
  auto parent = NewLine(0);
  auto child = NewLine(1);
  auto hole = NewLine(2);
  parent->AddChild(child.get(), true);
  parent->AddExclusion(hole.get());
  parent->Zero();
  EXPECT_EQ(parent->HasChildren(), 0);
  EXPECT_EQ(parent->HasExclusions(), 1);
  child.reset();
  hole.reset();
  EXPECT_EQ(parent->HasExclusions(), 0);
}

TEST(Curve3DReferences, AnEntityListedTwiceInOneListIsForgottenWhole) {
  // Insert does not check for duplicates; destruction must still leave no entry behind.
  auto parent = NewLine(0);
  auto child = NewLine(1);
  parent->AddChild(child.get(), true);
  parent->GetChildList()->Insert(child.get(), 1);
  ASSERT_EQ(parent->HasChildren(), 2);
  child.reset();
  EXPECT_EQ(parent->GetChildList(), nullptr);
}
