#pragma once
// The entity list: an intrusive doubly linked list of entity pointers. Its nodes own the entities
// they point to: destroying a node deletes its entity unless the node's entity pointer was cleared
// first. Lists that only refer to entities owned elsewhere (children, exclusions, selection sets)
// must be emptied with Clear(0) or Detach before they are destroyed.
//
// Null entities are never stored: every walk ends at the first null entity it returns, so a null
// in the middle of a list would silently cut the walks of every caller short.

class Curve3D;
class Dblclist;

class Dblcitem {
 public:
  explicit Dblcitem(Curve3D* obj = nullptr) : obj_(obj) {}
  // Deletes the entity the node still holds.
  ~Dblcitem();

  Dblcitem(const Dblcitem&) = delete;
  Dblcitem& operator=(const Dblcitem&) = delete;

  Curve3D* Obj() const { return obj_; }
  // Replaces the entity pointer without deleting the previous entity: clearing it with null is
  // how a caller takes an entity back before the node is destroyed. Returns the stored pointer.
  Curve3D* Obj(Curve3D* obj) { return obj_ = obj; }
  Dblcitem* Prev() const { return prev_; }
  Dblcitem* Next() const { return next_; }

 private:
  friend class Dblclist;

  Curve3D* obj_ = nullptr;
  Dblcitem* prev_ = nullptr;
  Dblcitem* next_ = nullptr;
};

class Dblclist {
 public:
  Dblclist() = default;
  // A list of one node holding e (empty when e is null).
  explicit Dblclist(Curve3D* e);
  // A deep copy: IVal of src, then a new copy (Curve3D::Copy) of each of its entities in order.
  // A null src gives an empty list.
  explicit Dblclist(const Dblclist* src);
  ~Dblclist();

  // Copying field by field would leave two lists sharing, and both deleting, the same nodes; a
  // copy is always the explicit deep copy above.
  Dblclist(const Dblclist&) = delete;
  Dblclist& operator=(const Dblclist&) = delete;

  // Appends e, or returns the node that already holds it. Null when e is null or no memory (the
  // caller then still owns e).
  Dblcitem* Add(Curve3D* e);
  // Makes e the pos-th entity (1-based) without a duplicate check; pos 0 or beyond Num appends
  // through Add. Null when e is null or no memory.
  Dblcitem* Insert(Curve3D* e, int pos);
  // The first node holding e, or null.
  Dblcitem* Contains(const Curve3D* e) const;
  // Unlinks and destroys the node, deleting its entity. A node that is not in this list (or null)
  // is left alone and 0 returned, so a stray pointer never corrupts the links or the count.
  int Remove(Dblcitem* node);
  // Takes e out of the list without deleting it; returns e, or null when e is not in the list.
  Curve3D* Detach(Curve3D* e);
  // Destroys every node, deleting the entities when deleteObjects is non-zero and leaving them
  // alive otherwise. Resets all four fields; returns 1.
  int Clear(int deleteObjects);

  Curve3D* PeekHead() const;
  Curve3D* PeekTail() const;
  Dblcitem* Head() const { return head_; }
  Dblcitem* Tail() const { return tail_; }
  int Num() const { return num_; }
  int IVal() const { return ival_; }
  int IVal(int n) { return ival_ = n; }

 private:
  Dblcitem* Append(Curve3D* e);
  bool Holds(const Dblcitem* node) const;
  void Unlink(Dblcitem* node);

  Dblcitem* head_ = nullptr;
  Dblcitem* tail_ = nullptr;
  int num_ = 0;
  int ival_ = 0;
};

// Walks a Dblclist without copying it. Current is the node whose entity the next call of Next
// returns. Removing the entity that Next just returned is safe: the cursor has already moved on.
class DblclistIterator {
 public:
  explicit DblclistIterator(const Dblclist* list = nullptr) { Set(list); }

  // Binds to list and restarts at its head.
  void Set(const Dblclist* list);
  // Current becomes the head (fromTail 0) or the tail; null for a null list.
  void Restart(int fromTail = 0);

  // The entity of Current, then Current moves to the next node; null once past the tail.
  Curve3D* Next();
  // Both forms behave as Next: they return the entity of Current and then advance, so
  // `while ((e = it++))` and `while ((e = ++it))` walk the same entities.
  Curve3D* operator++() { return Next(); }
  Curve3D* operator++(int) { return Next(); }
  // The entity of Current, then Current moves to the previous node.
  Curve3D* Prev();
  Curve3D* operator--() { return Prev(); }
  Curve3D* operator--(int) { return Prev(); }

  // What the next call of Next would return, without moving.
  Curve3D* CurrentObj() const;
  Curve3D* PeekNext() const { return CurrentObj(); }
  Dblcitem* Current() const { return current_; }
  // The entity before the one Next returned last: two nodes before Current, or the node before
  // the tail once the walk is past the end. Null when there is none.
  Curve3D* PeekPrev() const;

  // Entities of the list's head and tail, without moving.
  Curve3D* Head() const;
  Curve3D* Tail() const;

 private:
  const Dblclist* list_ = nullptr;
  Dblcitem* current_ = nullptr;
};
