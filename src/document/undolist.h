#pragma once
// The undo history of a document. A record (UndoItem) keeps its own copies of the entities an
// operation is about to touch; the history (UndoList) is a linear list of at most 25 records
// with a cursor on the record that undo would apply next. Records and document are tied by
// entity identifiers only, so a record stays valid however the document's items come and go.

#include <map>

#include "geometry/dblclist.h"

class Curve3D;

// What a record undoes: entities that were added, deleted, or changed (replaced).
inline constexpr int kUndoAdded = 0;
inline constexpr int kUndoDeleted = 1;
inline constexpr int kUndoChanged = 2;
// The history keeps this many records; recording one more pushes out the oldest.
inline constexpr int kUndoLimit = 25;

class UndoItem {
 public:
  explicit UndoItem(int action);
  // Deletes the record's entities.
  ~UndoItem() = default;
  UndoItem(const UndoItem&) = delete;
  UndoItem& operator=(const UndoItem&) = delete;

  int Action() const { return action_; }
  // Appends e, which the record then owns; an entity already held or a null one is ignored.
  // Returns the items list.
  Dblclist* Add(Curve3D* e);
  Dblclist* GetItems() { return &items_; }
  int NumItems() const { return items_.Num(); }

  // A dimension's copy does not point at what it measures; the record remembers the measured
  // entity's identifier under the dimension's identifier instead (0 when none is known).
  void SetMeasuredId(int dimensionId, int measuredId);
  int MeasuredId(int dimensionId) const;

  UndoItem* Next() const { return next_; }
  UndoItem* Next(UndoItem* rec) { return next_ = rec; }
  UndoItem* Prev() const { return prev_; }
  UndoItem* Prev(UndoItem* rec) { return prev_ = rec; }

 private:
  int action_;
  Dblclist items_;
  UndoItem* next_ = nullptr;
  UndoItem* prev_ = nullptr;
  std::map<int, int> measured_ids_;
};

class UndoList {
 public:
  UndoList() = default;
  ~UndoList();
  UndoList(const UndoList&) = delete;
  UndoList& operator=(const UndoList&) = delete;

  // Takes rec: the records that could have been redone are deleted, rec is linked after the
  // current record (or becomes the head) and becomes current; past kUndoLimit records the
  // oldest is deleted. Returns rec; null (rec untouched) for null or a record already linked.
  UndoItem* Add(UndoItem* rec);
  // The current record, whose predecessor becomes current; null when there is none.
  UndoItem* Undo();
  // The record IsRedoAvailable names, which becomes current; null when there is none.
  UndoItem* Redo();
  UndoItem* IsUndoAvailable() const { return current_; }
  // The record after current, or the head when everything was undone; null when none.
  UndoItem* IsRedoAvailable() const;
  // Deletes every record.
  void Clear();

  int Num() const { return num_; }
  UndoItem* Head() const { return head_; }
  UndoItem* Tail() const { return tail_; }

 private:
  // Deletes every record after rec (every record when rec is null).
  void DeleteAfter(UndoItem* rec);
  void DeleteOldest();

  UndoItem* current_ = nullptr;
  int num_ = 0;
  UndoItem* head_ = nullptr;
  UndoItem* tail_ = nullptr;
};
