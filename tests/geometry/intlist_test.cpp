#include "geometry/intlist.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

// Values from head to tail, after checking the backward links, the tail and the count.
std::vector<int> Values(const IntList& list) {
  std::vector<int> values;
  const IntItem* prev = nullptr;
  for (const IntItem* item = list.Head(); item != nullptr; item = item->Next()) {
    EXPECT_EQ(item->Prev(), prev);
    values.push_back(item->Value());
    prev = item;
  }
  EXPECT_EQ(list.Tail(), prev);
  EXPECT_EQ(list.Count(), static_cast<int>(values.size()));
  EXPECT_EQ(list.Num(), list.Count());
  return values;
}

void Fill(IntList& list, std::initializer_list<int> values) {
  for (const int v : values)
    list.Add(new IntItem(v));
}

}  // namespace

TEST(IntList, AddAppendsInOrder) {
  IntList list;
  EXPECT_EQ(list.Head(), nullptr);
  EXPECT_EQ(list.Count(), 0);
  auto* first = new IntItem(-5);
  EXPECT_EQ(list.Add(first), first);
  auto* second = new IntItem(8);
  EXPECT_EQ(list.Add(second), second);
  EXPECT_EQ(list.Head(), first);
  EXPECT_EQ(list.Tail(), second);
  EXPECT_EQ(Values(list), (std::vector<int>{-5, 8}));
}

TEST(IntList, AddOfNullOrPresentItemLinksNothing) {
  IntList list;
  Fill(list, {1, 2, 3});
  EXPECT_EQ(list.Add(nullptr), nullptr);
  IntItem* middle = list.Head()->Next();
  EXPECT_EQ(list.Add(middle), middle);
  EXPECT_EQ(list.Add(list.Tail()), list.Tail());
  EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3}));
}

TEST(IntList, RemoveReturnsUnlinkedItemWithClearedLinks) {
  IntList list;
  Fill(list, {1, 2, 3, 4});
  for (const int expected_value : {2, 4, 1, 3}) {
    IntItem* target = list.Head();
    while (target->Value() != expected_value)
      target = target->Next();
    IntItem* removed = list.Remove(target);
    ASSERT_EQ(removed, target);
    EXPECT_EQ(removed->Next(), nullptr);
    EXPECT_EQ(removed->Prev(), nullptr);
    delete removed;  // the caller owns it; a list that freed it too would double-free here
  }
  EXPECT_EQ(list.Head(), nullptr);
  EXPECT_EQ(list.Tail(), nullptr);
  EXPECT_EQ(list.Count(), 0);
}

TEST(IntList, RemoveKeepsNeighboursLinked) {
  IntList list;
  Fill(list, {1, 2, 3});
  delete list.Remove(list.Head()->Next());
  EXPECT_EQ(Values(list), (std::vector<int>{1, 3}));
  delete list.Remove(list.Tail());
  EXPECT_EQ(Values(list), std::vector<int>{1});
}

TEST(IntList, RemoveOfForeignOrNullItemChangesNothing) {
  IntList mine;
  IntList other;
  Fill(mine, {1, 2});
  Fill(other, {7, 8, 9});
  EXPECT_EQ(mine.Remove(nullptr), nullptr);
  EXPECT_EQ(mine.Remove(other.Head()->Next()), nullptr);
  EXPECT_EQ(mine.Remove(other.Head()), nullptr);
  IntItem loose(5);
  EXPECT_EQ(mine.Remove(&loose), nullptr);
  EXPECT_EQ(Values(mine), (std::vector<int>{1, 2}));
  EXPECT_EQ(Values(other), (std::vector<int>{7, 8, 9}));
}

TEST(IntList, RemovedItemCanBeAddedElsewhere) {
  IntList from;
  IntList to;
  Fill(from, {1, 2, 3});
  to.Add(from.Remove(from.Head()));
  EXPECT_EQ(Values(from), (std::vector<int>{2, 3}));
  EXPECT_EQ(Values(to), std::vector<int>{1});
}

TEST(IntList, ClearFreesItemsAndListIsReusable) {
  IntList list;
  Fill(list, {1, 2, 3});
  list.Clear();
  EXPECT_EQ(list.Head(), nullptr);
  EXPECT_EQ(list.Tail(), nullptr);
  EXPECT_EQ(list.Count(), 0);
  Fill(list, {4});
  EXPECT_EQ(Values(list), std::vector<int>{4});
}
