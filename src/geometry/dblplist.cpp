#include "geometry/dblplist.h"

#include <new>

#include "detail/listlinks.h"

// ---- DblPitem --------------------------------------------------------------------------------

DblPitem::DblPitem(const Point3D* p, double value, int flag) : value_(value), flag_(flag) {
  if (p != nullptr) point_ = *p;
}

DblPitem* DblPitem::Set(const Point3D* p, double value, int flag) {
  if (p == nullptr) return this;
  point_ = *p;
  value_ = value;
  flag_ = flag;
  return this;
}

// ---- DblPlist --------------------------------------------------------------------------------

DblPlist::DblPlist(const DblPlist* src) {
  if (src == nullptr) return;
  for (DblPitem* item = src->head_; item != nullptr; item = item->Next()) {
    Add(item->Point(), 0.0, 0);
  }
}

DblPitem* DblPlist::Add(DblPitem* item) {
  // Linking a node that is already here a second time would close the list into a loop.
  if (item == nullptr || Holds(item)) return item;
  return Link(item);
}

DblPitem* DblPlist::Add(const Point3D* p, double value, int flag) {
  if (p == nullptr) return nullptr;
  DblPitem* item = new (std::nothrow) DblPitem(p, value, flag);
  return item != nullptr ? Link(item) : nullptr;
}

Point3D* DblPlist::GetPoint(int n) const {
  if (n < 1 || n > num_) return nullptr;
  DblPitem* item = head_;
  for (int i = 1; i < n; ++i)
    item = item->Next();
  return item->Point();
}

int DblPlist::Remove(DblPitem* item) {
  if (!Holds(item)) return 0;
  Unlink(item);
  delete item;
  return 1;
}

DblPitem* DblPlist::Detach(DblPitem* item) {
  if (!Holds(item)) return nullptr;
  Unlink(item);
  return item;
}

void DblPlist::Flush() {
  DblPitem* item = head_;
  while (item != nullptr) {
    DblPitem* const next = item->Next();
    delete item;
    item = next;
  }
  num_ = 0;
  head_ = nullptr;
  tail_ = nullptr;
}

DblPitem* DblPlist::Link(DblPitem* item) {
  return ListLinkAtTail(head_, tail_, num_, item);
}

bool DblPlist::Holds(const DblPitem* item) const {
  return ListHolds(head_, tail_, item);
}

void DblPlist::Unlink(DblPitem* item) {
  ListUnlink(head_, tail_, num_, item);
}

// ---- DblPlistIterator ------------------------------------------------------------------------

void DblPlistIterator::Set(const DblPlist* list) {
  list_ = list;
  Restart();
}

void DblPlistIterator::Restart() {
  current_ = list_ != nullptr ? list_->Head() : nullptr;
}

DblPitem* DblPlistIterator::Next() {
  DblPitem* const item = current_;
  if (item != nullptr) current_ = item->Next();
  return item;
}

DblPitem* DblPlistIterator::Prev() {
  DblPitem* const item = current_;
  if (item != nullptr) current_ = item->Prev();
  return item;
}
