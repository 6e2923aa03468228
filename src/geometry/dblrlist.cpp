#include "geometry/dblrlist.h"

#include <cstdint>
#include <limits>
#include <new>

#include "detail/listlinks.h"

namespace {

// Half the side of a grip box, in device pixels.
constexpr int kGripHalfSize = 3;

constexpr int64_t kLongMin = std::numeric_limits<LONG>::min();
constexpr int64_t kLongMax = std::numeric_limits<LONG>::max();

// Points at the very edge of the 32-bit range keep a box clipped to that range rather than
// wrapping round to the far side.
LONG Clamped(int64_t value) {
  if (value < kLongMin) return static_cast<LONG>(kLongMin);
  if (value > kLongMax) return static_cast<LONG>(kLongMax);
  return static_cast<LONG>(value);
}

bool InLongRange(int64_t value) {
  return value >= kLongMin && value <= kLongMax;
}

}  // namespace

// ---- DblRitem --------------------------------------------------------------------------------

DblRitem::DblRitem(const POINT* pt, int id) : id_(id) {
  Set(pt);
}

DblRitem::DblRitem(const RECT* rect, int id) : id_(id) {
  Set(rect);
}

int DblRitem::Set(const POINT* pt) {
  if (pt == nullptr) return 0;
  const int64_t x = pt->x;
  const int64_t y = pt->y;
  rect_.left = Clamped(x - kGripHalfSize);
  rect_.top = Clamped(y - kGripHalfSize);
  rect_.right = Clamped(x + kGripHalfSize);
  rect_.bottom = Clamped(y + kGripHalfSize);
  return 1;
}

int DblRitem::Set(const RECT* rect) {
  if (rect == nullptr) return 0;
  rect_ = *rect;
  return 1;
}

BOOL DblRitem::Offset(int dx, int dy) {
  const bool fits = InLongRange(int64_t{rect_.left} + dx) &&
                    InLongRange(int64_t{rect_.right} + dx) &&
                    InLongRange(int64_t{rect_.top} + dy) && InLongRange(int64_t{rect_.bottom} + dy);
  if (!fits) return FALSE;
  return OffsetRect(&rect_, dx, dy);
}

BOOL DblRitem::PtIn(const POINT* pt) const {
  if (pt == nullptr) return FALSE;
  const RECT copy = rect_;
  return PtInRect(&copy, *pt);
}

BOOL DblRitem::Paint(HDC dc, HBRUSH) {
  return Rectangle(dc, rect_.left, rect_.top, rect_.right, rect_.bottom);
}

DblRitem* DblRitem::Obj(const RECT* rect) {
  Set(rect);
  return this;
}

DblRitem* DblRitem::Obj(const POINT* pt) {
  Set(pt);
  return this;
}

// ---- DblRlist --------------------------------------------------------------------------------

DblRitem* DblRlist::Add(DblRitem* item) {
  // Linking a node that is already here a second time would close the list into a loop.
  if (item == nullptr || Holds(item)) return item;
  return Link(item);
}

DblRitem* DblRlist::Add(const POINT* pt, int id) {
  if (pt == nullptr) return nullptr;
  DblRitem* item = new (std::nothrow) DblRitem(pt, id);
  return item != nullptr ? Link(item) : nullptr;
}

DblRitem* DblRlist::Add(const RECT* rect, int id) {
  if (rect == nullptr) return nullptr;
  DblRitem* item = new (std::nothrow) DblRitem(rect, id);
  return item != nullptr ? Link(item) : nullptr;
}

int DblRlist::Remove(DblRitem* item) {
  if (!Holds(item)) return 0;
  Unlink(item);
  delete item;
  return 1;
}

DblRitem* DblRlist::Detach(DblRitem* item) {
  if (!Holds(item)) return nullptr;
  Unlink(item);
  return item;
}

void DblRlist::Flush() {
  DblRitem* item = head_;
  while (item != nullptr) {
    DblRitem* const next = item->Next();
    delete item;
    item = next;
  }
  num_ = 0;
  head_ = nullptr;
  tail_ = nullptr;
}

void DblRlist::Append(DblRlist* other) {
  if (other == nullptr || other == this || other->head_ == nullptr) return;
  other->head_->Prev(tail_);
  if (tail_ != nullptr) {
    tail_->Next(other->head_);
  } else {
    head_ = other->head_;
  }
  tail_ = other->tail_;
  num_ += other->num_;
  other->num_ = 0;
  other->head_ = nullptr;
  other->tail_ = nullptr;
}

DblRitem* DblRlist::Link(DblRitem* item) {
  return ListLinkAtTail(head_, tail_, num_, item);
}

bool DblRlist::Holds(const DblRitem* item) const {
  return ListHolds(head_, tail_, item);
}

void DblRlist::Unlink(DblRitem* item) {
  ListUnlink(head_, tail_, num_, item);
}

// ---- DblRlistIterator ------------------------------------------------------------------------

void DblRlistIterator::Set(const DblRlist* list) {
  list_ = list;
  Restart();
}

void DblRlistIterator::Restart() {
  current_ = list_ != nullptr ? list_->Head() : nullptr;
}

DblRitem* DblRlistIterator::Next() {
  DblRitem* const item = current_;
  if (item != nullptr) current_ = item->Next();
  return item;
}

DblRitem* DblRlistIterator::Prev() {
  DblRitem* const item = current_;
  if (item != nullptr) current_ = item->Prev();
  return item;
}
