#pragma once
// A checked walk over the kernel's intrusive lists (IntList, Dblclist, DblPlist, DblRlist):
//   EXPECT_EQ(WalkKeys(list, [](const IntItem* i) { return i->Value(); }), (std::vector{1, 2}));
// Besides returning one key per node, head to tail, it checks that every backward link, the tail
// and Num agree with the forward walk, so one comparison covers the whole link structure.

#include <gtest/gtest.h>

#include <vector>

template <class List, class KeyOf>
auto WalkKeys(const List& list, KeyOf key_of) {
  using Node = decltype(list.Head());
  std::vector<decltype(key_of(list.Head()))> keys;
  Node prev = nullptr;
  for (Node node = list.Head(); node != nullptr; prev = node, node = node->Next()) {
    EXPECT_EQ(node->Prev(), prev) << "backward link of node " << keys.size() + 1;
    keys.push_back(key_of(node));
  }
  EXPECT_EQ(list.Tail(), prev) << "tail";
  EXPECT_EQ(list.Num(), static_cast<int>(keys.size())) << "Num";
  return keys;
}
