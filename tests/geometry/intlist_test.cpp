#include "geometry/intlist.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "support/list_walk.h"

namespace {

using Ints = std::vector<int>;
const auto kValue = [](const IntItem* item) { return item->Value(); };

std::vector<IntItem*> Fill(IntList& list, const Ints& values) {
  std::vector<IntItem*> items;
  for (const int v : values)
    items.push_back(list.Add(new IntItem(v)));
  return items;
}

}  // namespace

TEST(IntList, AddAppendsAndNeverLinksNullOrPresentItemsTwice) {
  IntList list;
  auto* first = new IntItem(-5);
  EXPECT_EQ(list.Add(first), first);
  for (IntItem* present : Fill(list, {8, 9}))
    EXPECT_EQ(list.Add(present), present);
  EXPECT_EQ(list.Add(first), first);
  EXPECT_EQ(list.Add(nullptr), nullptr);
  EXPECT_EQ(WalkKeys(list, kValue), (Ints{-5, 8, 9}));
}

// Foreign items are refused. Then middle, tail, head and the last item come back unlinked and
// owned by the caller, who moves them to another list (a list that freed them would double-free).
TEST(IntList, RemoveHandsOnlyItsOwnItemsToTheCaller) {
  IntList from, to;
  const std::vector<IntItem*> items = Fill(from, {1, 2, 3, 4});
  IntItem loose(5);
  for (IntItem* foreign :
       {Fill(to, {7, 8, 9})[1], to.Head(), &loose, static_cast<IntItem*>(nullptr)})
    EXPECT_EQ(from.Remove(foreign), nullptr);
  const std::pair<int, Ints> steps[] = {{1, {1, 3, 4}}, {3, {1, 3}}, {0, {3}}, {2, {}}};
  for (const auto& [index, left] : steps) {
    ASSERT_EQ(from.Remove(items[index]), items[index]);
    EXPECT_EQ(items[index]->Next(), nullptr);
    EXPECT_EQ(items[index]->Prev(), nullptr);
    EXPECT_EQ(WalkKeys(from, kValue), left);
    to.Add(items[index]);
  }
  EXPECT_EQ(WalkKeys(to, kValue), (Ints{7, 8, 9, 2, 4, 1, 3}));
}

TEST(IntList, ClearFreesItemsAndListIsReusable) {
  IntList list;
  Fill(list, {1, 2, 3});
  list.Clear();
  EXPECT_EQ(WalkKeys(list, kValue), Ints{});
  Fill(list, {4});
  EXPECT_EQ(WalkKeys(list, kValue), Ints{4});
}
