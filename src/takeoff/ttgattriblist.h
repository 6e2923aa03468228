#pragma once
// The ordered attribute list of a takeoff item or template. Order is insertion order, which is
// also the order of saving and display.

class DXFGroup;
class TTGAttribute;

// A node of the list; it owns its attribute unless the list was cleared without deleting.
class TTGAttribItem {
 public:
  explicit TTGAttribItem(TTGAttribute* attrib) : attrib_(attrib) {}
  ~TTGAttribItem();
  TTGAttribItem(const TTGAttribItem&) = delete;
  TTGAttribItem& operator=(const TTGAttribItem&) = delete;

  TTGAttribute* Attrib() const { return attrib_; }
  // Gives up the attribute (the node no longer deletes it) and returns it.
  TTGAttribute* Release();
  TTGAttribItem* Next() const { return next_; }
  TTGAttribItem* Prev() const { return prev_; }

 private:
  friend class TTGAttribList;
  TTGAttribute* attrib_;
  TTGAttribItem* next_ = nullptr;
  TTGAttribItem* prev_ = nullptr;
};

class TTGAttribList {
 public:
  TTGAttribList() = default;
  TTGAttribList(const TTGAttribList& other);  // copies every attribute
  TTGAttribList& operator=(const TTGAttribList& other);
  ~TTGAttribList();

  // Appends the attribute (the list takes it); returns its node, or null for a null attribute
  // or when out of memory (then the attribute is deleted).
  TTGAttribItem* Add(TTGAttribute* attrib);
  // Unlinks the first node whose tag equals tag ignoring case and returns it (the caller deletes
  // it, which deletes the attribute); null when there is none.
  TTGAttribItem* Remove(const char* tag);
  // Empties the list; the attributes are deleted when deleteAttribs is true, else only the nodes
  // (the caller keeps the attributes).
  void Clear(bool deleteAttribs);

  // The first match in list order, or null.
  TTGAttribute* Search(int propsource, int proptype) const;
  TTGAttribute* Search(const char* tag) const;  // property source 1 only, tag ignoring case
  TTGAttribute* Search(int proptype) const;

  // Marks the attribute with that tag (ignoring case) as the sort key and clears the mark on
  // every other; null clears all marks.
  void SetSort(const char* tag);
  // The tag of the first sort-key attribute, or null.
  const char* SortTag() const;
  // GetValue of the first sort-key attribute (delete[] it), or null.
  char* SortValue() const;
  // The number of attributes, or of those that are not read-only.
  int Noofattribs(bool editableOnly) const;
  // Each attribute of other gives its three values to this list's attribute of the same tag
  // (property source 1, ignoring case).
  void SetAttribs(const TTGAttribList* other);
  // Writes every attribute when all is true, else those with property source 1; 0 or the
  // stream's error.
  int Save(DXFGroup* stream, bool all) const;

  TTGAttribItem* Head() const { return head_; }
  TTGAttribItem* Tail() const { return tail_; }
  int Count() const { return count_; }

 private:
  TTGAttribItem* head_ = nullptr;
  TTGAttribItem* tail_ = nullptr;
  int count_ = 0;
};
