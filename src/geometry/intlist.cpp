#include "geometry/intlist.h"

IntItem* IntList::Add(IntItem* item) {
  // Linking an item that is already here a second time would close the list into a loop.
  if (item == nullptr || Holds(item)) return item;
  item->next_ = nullptr;
  item->prev_ = tail_;
  if (tail_ != nullptr) {
    tail_->next_ = item;
  } else {
    head_ = item;
  }
  tail_ = item;
  ++count_;
  return item;
}

IntItem* IntList::Remove(IntItem* item) {
  if (!Holds(item)) return nullptr;
  if (item->prev_ != nullptr) {
    item->prev_->next_ = item->next_;
  } else {
    head_ = item->next_;
  }
  if (item->next_ != nullptr) {
    item->next_->prev_ = item->prev_;
  } else {
    tail_ = item->prev_;
  }
  item->prev_ = nullptr;
  item->next_ = nullptr;
  --count_;
  return item;
}

void IntList::Clear() {
  IntItem* item = head_;
  while (item != nullptr) {
    IntItem* const next = item->next_;
    delete item;
    item = next;
  }
  head_ = nullptr;
  tail_ = nullptr;
  count_ = 0;
}

// Walks in from both ends at once, so items near either end (the usual case) are found at once.
bool IntList::Holds(const IntItem* item) const {
  if (item == nullptr) return false;
  const IntItem* front = head_;
  const IntItem* back = tail_;
  while (front != nullptr && back != nullptr) {
    if (front == item || back == item) return true;
    if (front == back || front->next_ == back) return false;
    front = front->next_;
    back = back->prev_;
  }
  return false;
}
