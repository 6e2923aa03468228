#pragma once
// A list of integers (area numbers of a section, legend groups): an intrusive doubly linked list
// whose heap nodes are the payload. The list owns its items: Clear and the destructor free them,
// Remove hands one back to the caller.

class IntList;

class IntItem {
 public:
  explicit IntItem(int value = 0) : value_(value) {}

  IntItem(const IntItem&) = delete;
  IntItem& operator=(const IntItem&) = delete;

  int Value() const { return value_; }
  int Value(int value) { return value_ = value; }
  IntItem* Next() const { return next_; }
  IntItem* Prev() const { return prev_; }

 private:
  friend class IntList;

  int value_;
  IntItem* next_ = nullptr;
  IntItem* prev_ = nullptr;
};

class IntList {
 public:
  IntList() = default;
  ~IntList() { Clear(); }

  // Two lists sharing items would both free them.
  IntList(const IntList&) = delete;
  IntList& operator=(const IntList&) = delete;

  // Appends the item (next cleared, prev the old tail) and returns it. A null item, or one that is
  // already in this list, is returned unchanged without linking it again.
  IntItem* Add(IntItem* item);
  // Unlinks the item, clears both its links and returns it without freeing it: the caller owns it
  // now. Null when the item is null or not in this list, which is then left as it was.
  IntItem* Remove(IntItem* item);
  // Frees every item; head, tail and count become 0.
  void Clear();

  IntItem* Head() const { return head_; }
  IntItem* Tail() const { return tail_; }
  int Count() const { return count_; }
  // The count under the name the other lists use.
  int Num() const { return count_; }

 private:
  bool Holds(const IntItem* item) const;

  IntItem* head_ = nullptr;
  IntItem* tail_ = nullptr;
  int count_ = 0;
};
