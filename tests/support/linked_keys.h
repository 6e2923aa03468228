#pragma once
// A checked walk over a doubly linked list given by its head, tail and count, for lists whose
// count is not called Num (see list_walk.h for those). Returns one key per node, head to tail,
// and checks every backward link, the tail and the count against the forward walk.

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Appends item to a comma-separated list (appending rather than building "," + item keeps
// GCC 12's -Wrestrict false positive away from optimised builds).
inline void Append(std::string& list, const std::string& item) {
  if (!list.empty()) list += ',';
  list += item;
}

template <class Node, class KeyOf>
auto LinkedKeys(Node* head, Node* tail, int count, KeyOf key_of) {
  std::vector<decltype(key_of(head))> keys;
  Node* prev = nullptr;
  for (Node* node = head; node != nullptr; prev = node, node = node->Next()) {
    EXPECT_EQ(node->Prev(), prev) << "backward link of node " << keys.size() + 1;
    keys.push_back(key_of(node));
  }
  EXPECT_EQ(tail, prev) << "tail";
  EXPECT_EQ(count, static_cast<int>(keys.size())) << "count";
  return keys;
}

// The same keys (strings) joined with commas: "A,B,C".
template <class Node, class KeyOf>
std::string JoinedKeys(Node* head, Node* tail, int count, KeyOf key_of) {
  std::string joined;
  for (const std::string& key : LinkedKeys(head, tail, count, key_of))
    Append(joined, key);
  return joined;
}
