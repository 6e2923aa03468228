#pragma once
// Takeoff items attached to drawing entities. An entity owns at most one TSmartObjectList; the
// takeoff model fills in the items, their attributes and section data. Until then the list holds
// no items, which is what every entity operation on it assumes.

class TSmartObject;

class TSmartObjectList {
 public:
  TSmartObjectList();
  ~TSmartObjectList();

  // An entity's list is unique to it; copies are made item by item by the entity.
  TSmartObjectList(const TSmartObjectList&) = delete;
  TSmartObjectList& operator=(const TSmartObjectList&) = delete;

  // The number of items.
  int Num() const { return 0; }
};
