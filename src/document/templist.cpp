#include "document/templist.h"

#include <new>

Templist::~Templist() {
  Clear(1);
}

TempItem* Templist::Add(TempItem* entry) {
  if (entry == nullptr || entry->Prev() != nullptr || entry->Next() != nullptr || entry == head_) {
    return nullptr;
  }
  entry->Prev(tail_);
  if (tail_ != nullptr) {
    tail_->Next(entry);
  } else {
    head_ = entry;
  }
  tail_ = entry;
  ++count_;
  return entry;
}

TempItem* Templist::Add(ObjItem* item) {
  auto* entry = new (std::nothrow) TempItem(item, 0, 0.0);
  if (entry == nullptr) return nullptr;
  return Add(entry);
}

// The links must agree with the neighbours and the ends, so a stray entry never corrupts them.
bool Templist::Holds(const TempItem* entry) const {
  if (entry == nullptr) return false;
  const TempItem* prev = entry->Prev();
  const TempItem* next = entry->Next();
  const bool startOk = prev == nullptr ? head_ == entry : prev->Next() == entry;
  const bool endOk = next == nullptr ? tail_ == entry : next->Prev() == entry;
  return startOk && endOk;
}

TempItem* Templist::Remove(TempItem* entry) {
  if (!Holds(entry)) return nullptr;
  TempItem* prev = entry->Prev();
  TempItem* next = entry->Next();
  if (prev != nullptr) prev->Next(next);
  if (next != nullptr) next->Prev(prev);
  if (head_ == entry) head_ = next;
  if (tail_ == entry) tail_ = prev;
  entry->Prev(nullptr);
  entry->Next(nullptr);
  --count_;
  return entry;
}

void Templist::Clear(int freeEntries) {
  TempItem* entry = head_;
  while (entry != nullptr) {
    TempItem* next = entry->Next();
    if (freeEntries != 0) {
      delete entry;
    } else {
      entry->Prev(nullptr);
      entry->Next(nullptr);
    }
    entry = next;
  }
  head_ = tail_ = nullptr;
  count_ = 0;
}
