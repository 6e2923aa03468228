#pragma once
// The rectangle list: screen rectangles in device pixels, such as the grip boxes around a
// selection. An intrusive doubly linked list whose heap nodes are the payload; the list owns its
// nodes and nothing else.

#include "platform/win32.h"

class DblRitem final {
 public:
  explicit DblRitem(int id = 0) : id_(id) {}
  // A node whose rectangle is the point inflated by 3 on every side (an empty rectangle for null).
  DblRitem(const POINT* pt, int id);
  // A node holding a copy of the rectangle (an empty rectangle for null).
  DblRitem(const RECT* rect, int id);
  ~DblRitem() = default;

  DblRitem(const DblRitem&) = delete;
  DblRitem& operator=(const DblRitem&) = delete;

  // The rectangle becomes the point inflated by 3 on every side. 0 for a null point.
  virtual int Set(const POINT* pt);
  // Copies the rectangle. 0 for a null rectangle.
  virtual int Set(const RECT* rect);
  virtual RECT* Rect() { return &rect_; }
  // Moves the rectangle; refused (FALSE, nothing moved) when an edge would leave the 32-bit range.
  virtual BOOL Offset(int dx, int dy);
  // Left and top edges inside, right and bottom outside. FALSE for a null point.
  virtual BOOL PtIn(const POINT* pt) const;
  // Draws the rectangle with the pen and brush selected in the device context; the brush
  // argument is not used.
  virtual BOOL Paint(HDC dc, HBRUSH brush);
  // As the Sets, returning the node; a null argument changes nothing, as elsewhere in the kernel.
  virtual DblRitem* Obj(const RECT* rect);
  virtual DblRitem* Obj(const POINT* pt);
  virtual RECT* Obj() { return Rect(); }
  // Link access; the setters return the stored link.
  virtual DblRitem* Next(DblRitem* next) { return next_ = next; }
  virtual DblRitem* Next() const { return next_; }
  virtual DblRitem* Prev(DblRitem* prev) { return prev_ = prev; }
  virtual DblRitem* Prev() const { return prev_; }

  int Id() const { return id_; }

 private:
  int id_;
  RECT rect_{0, 0, 0, 0};
  DblRitem* prev_ = nullptr;
  DblRitem* next_ = nullptr;
};

class DblRlist {
 public:
  DblRlist() = default;
  ~DblRlist() { Flush(); }

  // Two lists sharing nodes would both free them.
  DblRlist(const DblRlist&) = delete;
  DblRlist& operator=(const DblRlist&) = delete;

  // Appends the node and returns it. A null node, or one already in this list, is returned
  // without linking it again.
  DblRitem* Add(DblRitem* item);
  // Appends a new node around the point / holding the rectangle. Null for a null argument or
  // when out of memory.
  DblRitem* Add(const POINT* pt, int id);
  DblRitem* Add(const RECT* rect, int id);
  // Unlinks and frees the node; 1 when done. A node that is not in this list is left alone (0).
  int Remove(DblRitem* item);
  // Unlinks the node and hands it to the caller with cleared links; null when not in this list.
  DblRitem* Detach(DblRitem* item);
  // Frees every node; Num, Head and Tail become 0.
  void Flush();
  // Moves every node of other, in order, onto the end of this list. The nodes themselves move;
  // other is left empty so that flushing or destroying it later is harmless. Appending a list to
  // itself, or a null list, does nothing.
  void Append(DblRlist* other);

  int Num() const { return num_; }
  DblRitem* Head() const { return head_; }
  DblRitem* Tail() const { return tail_; }
  DblRitem* PeekHead() const { return head_; }

 private:
  DblRitem* Link(DblRitem* item);
  bool Holds(const DblRitem* item) const;
  void Unlink(DblRitem* item);

  int num_ = 0;
  DblRitem* head_ = nullptr;
  DblRitem* tail_ = nullptr;
};

// Walks a DblRlist node by node without copying it.
class DblRlistIterator {
 public:
  explicit DblRlistIterator(const DblRlist* list = nullptr) { Set(list); }

  void Set(const DblRlist* list);
  void Restart();

  // The current node, then the cursor moves to its next (prev) node; null at the end. The
  // prefix and postfix operators behave the same way: return the current node, then move.
  DblRitem* Next();
  DblRitem* operator++() { return Next(); }
  DblRitem* operator++(int) { return Next(); }
  DblRitem* Prev();
  DblRitem* operator--() { return Prev(); }
  DblRitem* operator--(int) { return Prev(); }

  DblRitem* Current() const { return current_; }
  DblRitem* Head() const { return list_ != nullptr ? list_->Head() : nullptr; }
  DblRitem* Tail() const { return list_ != nullptr ? list_->Tail() : nullptr; }

 private:
  const DblRlist* list_ = nullptr;
  DblRitem* current_ = nullptr;
};
