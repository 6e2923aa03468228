#include "document/undolist.h"

#include "entities/curve3d.h"

UndoItem::UndoItem(int action) : action_(action) {}

Dblclist* UndoItem::Add(Curve3D* e) {
  if (e == nullptr || items_.Contains(e) != nullptr) return &items_;
  // The record owns what it is given: an entity the list cannot take is not left behind.
  if (items_.Add(e) == nullptr) delete e;
  return &items_;
}

void UndoItem::SetMeasuredId(int dimensionId, int measuredId) {
  if (measuredId == 0) {
    measured_ids_.erase(dimensionId);
  } else {
    measured_ids_[dimensionId] = measuredId;
  }
}

int UndoItem::MeasuredId(int dimensionId) const {
  const auto hit = measured_ids_.find(dimensionId);
  return hit != measured_ids_.end() ? hit->second : 0;
}

UndoList::~UndoList() {
  Clear();
}

UndoItem* UndoList::Add(UndoItem* rec) {
  if (rec == nullptr || rec->Next() != nullptr || rec->Prev() != nullptr || rec == head_) {
    return nullptr;
  }
  // Recording after undoing abandons the undone branch, even when nothing is current any more.
  DeleteAfter(current_);
  rec->Prev(current_);
  rec->Next(nullptr);
  if (current_ != nullptr) {
    current_->Next(rec);
  } else {
    head_ = rec;
  }
  tail_ = rec;
  current_ = rec;
  ++num_;
  while (num_ > kUndoLimit)
    DeleteOldest();
  return rec;
}

UndoItem* UndoList::Undo() {
  UndoItem* rec = current_;
  if (rec != nullptr) current_ = rec->Prev();
  return rec;
}

UndoItem* UndoList::IsRedoAvailable() const {
  return current_ != nullptr ? current_->Next() : head_;
}

UndoItem* UndoList::Redo() {
  UndoItem* rec = IsRedoAvailable();
  if (rec != nullptr) current_ = rec;
  return rec;
}

void UndoList::Clear() {
  DeleteAfter(nullptr);
}

void UndoList::DeleteAfter(UndoItem* rec) {
  UndoItem* doomed = rec != nullptr ? rec->Next() : head_;
  if (rec != nullptr) {
    rec->Next(nullptr);
    tail_ = rec;
  } else {
    head_ = tail_ = current_ = nullptr;
  }
  while (doomed != nullptr) {
    UndoItem* next = doomed->Next();
    delete doomed;
    --num_;
    doomed = next;
  }
  if (head_ == nullptr) num_ = 0;
}

void UndoList::DeleteOldest() {
  UndoItem* oldest = head_;
  if (oldest == nullptr) return;
  head_ = oldest->Next();
  if (head_ != nullptr) {
    head_->Prev(nullptr);
  } else {
    tail_ = nullptr;
  }
  if (current_ == oldest) current_ = nullptr;
  delete oldest;
  --num_;
}
