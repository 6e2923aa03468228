#pragma once
// A scratch list of references to document items, each with an integer and a number, that the
// document's operations build while they work. It never owns the items it refers to, only its
// own entries.

class ObjItem;

class TempItem {
 public:
  TempItem(ObjItem* item, int n, double x) : obj_(item), int_(n), double_(x) {}
  TempItem(ObjItem* item, double x, int n) : obj_(item), int_(n), double_(x) {}
  TempItem(const TempItem&) = delete;
  TempItem& operator=(const TempItem&) = delete;

  ObjItem* Obj() const { return obj_; }
  int GetInt() const { return int_; }
  int SetInt(int n) { return int_ = n; }
  double GetDouble() const { return double_; }
  double SetDouble(double x) { return double_ = x; }
  TempItem* Prev() const { return prev_; }
  TempItem* Prev(TempItem* entry) { return prev_ = entry; }
  TempItem* Next() const { return next_; }
  TempItem* Next(TempItem* entry) { return next_ = entry; }

 private:
  ObjItem* obj_;
  int int_;
  double double_;
  TempItem* prev_ = nullptr;
  TempItem* next_ = nullptr;
};

class Templist {
 public:
  Templist() = default;
  // Frees the entries (never the document items).
  ~Templist();
  Templist(const Templist&) = delete;
  Templist& operator=(const Templist&) = delete;

  // Appends the entry, which the list then owns; null for null or an entry already linked.
  TempItem* Add(TempItem* entry);
  // Appends a new entry for the item with 0 and 0.0; null when out of memory.
  TempItem* Add(ObjItem* item);
  // Unlinks the entry and hands it back without freeing it; null when it is not in this list.
  TempItem* Remove(TempItem* entry);
  // Forgets every entry, freeing them when freeEntries is non-zero.
  void Clear(int freeEntries);

  TempItem* Head() const { return head_; }
  TempItem* Tail() const { return tail_; }
  int Noofobjs() const { return count_; }

 private:
  bool Holds(const TempItem* entry) const;

  TempItem* head_ = nullptr;
  TempItem* tail_ = nullptr;
  int count_ = 0;
};
