// An entity destroyed while other entities list it as a child, exclusion or dimension leaves
// those lists, and what it listed forgets it; the sanitizer build turns any pointer left behind
// into a failure.

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
  // Insert does not check for duplicates: a second entry must go as well.
  other->GetChildList()->Insert(opening.get(), 1);
  ASSERT_EQ(roof->HasChildren() + roof->HasExclusions() + roof->Dimensions(), 3);

  opening.reset();
  // The lists became empty, so they are gone too.
  EXPECT_EQ(roof->GetChildList(), nullptr);
  EXPECT_EQ(roof->GetExcludeList(), nullptr);
  EXPECT_EQ(roof->GetAssociatedDimensions(nullptr), nullptr);
  EXPECT_EQ(other->GetChildList(), nullptr);
}

TEST(Curve3DReferences, ListsEmptiedInAnyWayReleaseTheirEntities) {
  auto child = NewLine(1);
  auto hole = NewLine(2);
  auto next = NewLine(3);
  {
    auto parent = NewLine(0);
    parent->AddChild(child.get(), true);
    parent->AddExclusion(hole.get());
    parent->AddExclusion(child.get());
    EXPECT_EQ(parent->RemoveChild(child.get()), 0);  // leaves the exclusions too
    EXPECT_EQ(parent->HasExclusions(), 1);
    parent->AddChild(child.get(), true);
    parent->Zero();  // forgets the children, keeps the exclusions
    EXPECT_EQ(parent->HasChildren(), 0);
    EXPECT_EQ(parent->HasExclusions(), 1);
    parent->ClearExclusions();
    parent->AddChild(hole.get(), true);
  }
  // The old lister is gone: listing the survivors elsewhere and destroying them must not reach
  // it through a stale record.
  next->AddChild(child.get(), true);
  next->AddExclusion(hole.get());
  hole.reset();
  EXPECT_EQ(next->HasExclusions(), 0);
  child.reset();
  EXPECT_EQ(next->HasChildren(), 0);
}
