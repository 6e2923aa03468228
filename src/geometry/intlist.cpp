#include "geometry/intlist.h"

#include "detail/listlinks.h"

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

bool IntList::Holds(const IntItem* item) const {
  return ListHolds(head_, tail_, item);
}
