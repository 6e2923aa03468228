#include "geometry/dblclist.h"

#include <new>

#include "detail/listlinks.h"
#include "entities/curve3d.h"

Dblcitem::~Dblcitem() {
  delete obj_;
}

// ---- Dblclist --------------------------------------------------------------------------------

Dblclist::Dblclist(Curve3D* e) {
  Append(e);
}

Dblclist::Dblclist(const Dblclist* src) {
  if (src == nullptr) return;
  ival_ = src->ival_;
  for (const Dblcitem* node = src->head_; node != nullptr; node = node->next_) {
    if (node->obj_ == nullptr) continue;
    // A fresh copy cannot already be in this list, so the duplicate check of Add is skipped;
    // a copy that could not be made is simply missing from the result.
    Append(node->obj_->Copy());
  }
}

Dblclist::~Dblclist() {
  Clear(1);
}

Dblcitem* Dblclist::Add(Curve3D* e) {
  if (e == nullptr) return nullptr;
  if (Dblcitem* existing = Contains(e)) return existing;
  return Append(e);
}

Dblcitem* Dblclist::Insert(Curve3D* e, int pos) {
  if (e == nullptr) return nullptr;
  if (pos < 1 || pos > num_) return Add(e);

  Dblcitem* node = new (std::nothrow) Dblcitem(e);
  if (node == nullptr) return nullptr;
  if (pos == 1) {
    node->next_ = head_;
    head_->prev_ = node;
    head_ = node;
  } else {
    Dblcitem* before = head_;
    for (int i = 1; i < pos - 1; ++i)
      before = before->next_;
    node->prev_ = before;
    node->next_ = before->next_;
    if (before->next_ != nullptr) before->next_->prev_ = node;
    before->next_ = node;
    if (before == tail_) tail_ = node;
  }
  ++num_;
  return node;
}

Dblcitem* Dblclist::Contains(const Curve3D* e) const {
  if (e == nullptr) return nullptr;
  for (Dblcitem* node = head_; node != nullptr; node = node->next_) {
    if (node->obj_ == e) return node;
  }
  return nullptr;
}

int Dblclist::Remove(Dblcitem* node) {
  if (!Holds(node)) return 0;
  Unlink(node);
  delete node;
  return 1;
}

Curve3D* Dblclist::Detach(Curve3D* e) {
  Dblcitem* node = Contains(e);
  if (node == nullptr) return nullptr;
  node->obj_ = nullptr;
  Unlink(node);
  delete node;
  return e;
}

int Dblclist::Clear(int deleteObjects) {
  Dblcitem* node = head_;
  while (node != nullptr) {
    Dblcitem* const next = node->next_;
    if (deleteObjects == 0) node->obj_ = nullptr;
    delete node;
    node = next;
  }
  head_ = nullptr;
  tail_ = nullptr;
  num_ = 0;
  ival_ = 0;
  return 1;
}

Curve3D* Dblclist::PeekHead() const {
  return head_ != nullptr ? head_->obj_ : nullptr;
}

Curve3D* Dblclist::PeekTail() const {
  return tail_ != nullptr ? tail_->obj_ : nullptr;
}

Dblcitem* Dblclist::Append(Curve3D* e) {
  if (e == nullptr) return nullptr;
  Dblcitem* node = new (std::nothrow) Dblcitem(e);
  if (node == nullptr) return nullptr;
  node->prev_ = tail_;
  if (tail_ != nullptr) {
    tail_->next_ = node;
  } else {
    head_ = node;
  }
  tail_ = node;
  ++num_;
  return node;
}

bool Dblclist::Holds(const Dblcitem* node) const {
  return ListHolds(head_, tail_, node);
}

void Dblclist::Unlink(Dblcitem* node) {
  if (node->prev_ != nullptr) {
    node->prev_->next_ = node->next_;
  } else {
    head_ = node->next_;
  }
  if (node->next_ != nullptr) {
    node->next_->prev_ = node->prev_;
  } else {
    tail_ = node->prev_;
  }
  node->prev_ = nullptr;
  node->next_ = nullptr;
  --num_;
}

// ---- DblclistIterator ------------------------------------------------------------------------

void DblclistIterator::Set(const Dblclist* list) {
  list_ = list;
  Restart(0);
}

void DblclistIterator::Restart(int fromTail) {
  if (list_ == nullptr) {
    current_ = nullptr;
    return;
  }
  current_ = fromTail != 0 ? list_->Tail() : list_->Head();
}

Curve3D* DblclistIterator::Next() {
  if (current_ == nullptr) return nullptr;
  Curve3D* const obj = current_->Obj();
  current_ = current_->Next();
  return obj;
}

Curve3D* DblclistIterator::Prev() {
  if (current_ == nullptr) return nullptr;
  Curve3D* const obj = current_->Obj();
  current_ = current_->Prev();
  return obj;
}

Curve3D* DblclistIterator::CurrentObj() const {
  return current_ != nullptr ? current_->Obj() : nullptr;
}

Curve3D* DblclistIterator::PeekPrev() const {
  const Dblcitem* before = nullptr;
  if (current_ != nullptr) {
    before = current_->Prev() != nullptr ? current_->Prev()->Prev() : nullptr;
  } else if (list_ != nullptr && list_->Tail() != nullptr) {
    before = list_->Tail()->Prev();
  }
  return before != nullptr ? before->Obj() : nullptr;
}

Curve3D* DblclistIterator::Head() const {
  return list_ != nullptr ? list_->PeekHead() : nullptr;
}

Curve3D* DblclistIterator::Tail() const {
  return list_ != nullptr ? list_->PeekTail() : nullptr;
}
