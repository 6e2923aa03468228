#pragma once
// The point list: points with a value and a flag each (vertex lists, pitched-edge data). An
// intrusive doubly linked list whose heap nodes are the payload; the list owns its nodes and
// nothing else.

#include "geometry/point3d.h"

class DblPitem final {
 public:
  DblPitem() = default;
  // A node holding a copy of p (the origin for null), value and flag, unlinked.
  DblPitem(const Point3D* p, double value, int flag);
  // Copies every field, the links included: the copy points at the original's neighbours but is
  // in no list until one links it.
  DblPitem(const DblPitem&) = default;
  DblPitem& operator=(const DblPitem&) = default;
  // Nodes are never deleted through a base pointer, so the destructor stays non-virtual.
  ~DblPitem() = default;

  // Stores a copy of p (unchanged, tag included), value and flag; returns the node. A null point
  // changes nothing.
  virtual DblPitem* Set(const Point3D* p, double value, int flag);
  virtual Point3D* Point() { return &point_; }
  virtual int Flag(int flag) { return flag_ = flag; }
  virtual int Flag() const { return flag_; }
  // Set(p, 0.0, 0): storing a point this way clears Value and Flag.
  virtual DblPitem* Obj(const Point3D* p) { return Set(p, 0.0, 0); }
  virtual Point3D* Obj() { return &point_; }
  // Link access; the setters return the stored link.
  virtual DblPitem* Next(DblPitem* next) { return next_ = next; }
  virtual DblPitem* Next() const { return next_; }
  virtual DblPitem* Prev(DblPitem* prev) { return prev_ = prev; }
  virtual DblPitem* Prev() const { return prev_; }
  virtual double Value(double value) { return value_ = value; }
  virtual double Value() const { return value_; }

 private:
  double value_ = 0.0;
  int flag_ = 0;
  Point3D point_;
  DblPitem* prev_ = nullptr;
  DblPitem* next_ = nullptr;
};

class DblPlist {
 public:
  DblPlist() = default;
  // Copies only the points of src, in order: every Value and Flag of the copy is 0. A null src
  // gives an empty list.
  explicit DblPlist(const DblPlist* src);
  ~DblPlist() { Flush(); }

  // Two lists sharing nodes would both free them; the copy is the explicit one above.
  DblPlist(const DblPlist&) = delete;
  DblPlist& operator=(const DblPlist&) = delete;

  // Appends the node and returns it. A null node, or one already in this list, is returned
  // without linking it again.
  DblPitem* Add(DblPitem* item);
  // Appends a new node with a copy of p, value and flag. Null for a null point or out of memory.
  DblPitem* Add(const Point3D* p, double value, int flag);
  // The point of the n-th node (1-based); null when n is outside 1..Num.
  Point3D* GetPoint(int n) const;
  // Unlinks and frees the node; 1 when done. A node that is not in this list is left alone (0).
  int Remove(DblPitem* item);
  // Unlinks the node and hands it to the caller with cleared links; null when not in this list.
  DblPitem* Detach(DblPitem* item);
  // Frees every node; Num, Head and Tail become 0.
  void Flush();

  DblPitem* Head() const { return head_; }
  DblPitem* Tail() const { return tail_; }
  int Num() const { return num_; }
  DblPitem* PeekHead() const { return head_; }

 private:
  DblPitem* Link(DblPitem* item);
  bool Holds(const DblPitem* item) const;
  void Unlink(DblPitem* item);

  int num_ = 0;
  DblPitem* head_ = nullptr;
  DblPitem* tail_ = nullptr;
};

// Walks a DblPlist node by node without copying it.
class DblPlistIterator {
 public:
  explicit DblPlistIterator(const DblPlist* list = nullptr) { Set(list); }

  void Set(const DblPlist* list);
  void Restart();

  // The current node, then the cursor moves to its next (prev) node; null at the end. The
  // prefix and postfix operators behave the same way: return the current node, then move.
  DblPitem* Next();
  DblPitem* operator++() { return Next(); }
  DblPitem* operator++(int) { return Next(); }
  DblPitem* Prev();
  DblPitem* operator--() { return Prev(); }
  DblPitem* operator--(int) { return Prev(); }

  DblPitem* Current() const { return current_; }
  DblPitem* Head() const { return list_ != nullptr ? list_->Head() : nullptr; }
  DblPitem* Tail() const { return list_ != nullptr ? list_->Tail() : nullptr; }

 private:
  const DblPlist* list_ = nullptr;
  DblPitem* current_ = nullptr;
};
