#pragma once
// The shape the kernel's doubly linked lists share: a node type with Prev() and Next() and a
// list with head, tail and count. These are the steps that do not depend on what a node holds.

// True when node is one of the list's nodes. Walks in from both ends at once, so nodes near
// either end (the usual case) are found at once.
template <class Node>
bool ListHolds(const Node* head, const Node* tail, const Node* node) {
  if (node == nullptr) return false;
  const Node* front = head;
  const Node* back = tail;
  while (front != nullptr && back != nullptr) {
    if (front == node || back == node) return true;
    if (front == back || front->Next() == back) return false;
    front = front->Next();
    back = back->Prev();
  }
  return false;
}

// For nodes with link setters: links node at the tail and counts it.
template <class Node, class Count>
Node* ListLinkAtTail(Node*& head, Node*& tail, Count& num, Node* node) {
  node->Next(nullptr);
  node->Prev(tail);
  if (tail != nullptr) {
    tail->Next(node);
  } else {
    head = node;
  }
  tail = node;
  ++num;
  return node;
}

// For nodes with link setters: unlinks a node the list holds, clears its links, uncounts it.
template <class Node, class Count>
void ListUnlink(Node*& head, Node*& tail, Count& num, Node* node) {
  if (node->Prev() != nullptr) {
    node->Prev()->Next(node->Next());
  } else {
    head = node->Next();
  }
  if (node->Next() != nullptr) {
    node->Next()->Prev(node->Prev());
  } else {
    tail = node->Prev();
  }
  node->Prev(nullptr);
  node->Next(nullptr);
  --num;
}
