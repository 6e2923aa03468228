#pragma once
// Builders for entities carrying takeoff items, so a test reads as the situation it checks:
//   Attach(roof, {Item(6114, "Main"), Item(6105, "Eave")});

#include <initializer_list>
#include <string>
#include <vector>

#include "entities/curve3d.h"
#include "takeoff/tsmartobject.h"
#include "takeoff/ttgattribute.h"

// A new item of a type and name; its own GUID only when guid is given.
inline TSmartObject* Item(int type, const char* name, const char* guid = nullptr) {
  auto* so = new TSmartObject();
  so->RFlag(type);
  so->Name(name);
  if (guid != nullptr) so->SetGuid(guid);
  return so;
}

// Adds an attribute to the item and returns the item, so attributes chain onto Item(...).
inline TSmartObject* With(TSmartObject* so, const char* tag, int proptype, int datatype,
                          const char* text, int source = kPropSourceUser) {
  so->AddAttrib(new TTGAttribute(tag, source, proptype, datatype, text, false));
  return so;
}

// Gives the entity copies of the items (which are deleted here) and resets its state, so a test
// sees only the changes it makes itself.
inline void Attach(Curve3D& e, std::initializer_list<TSmartObject*> items) {
  TSmartObjectList list;
  for (TSmartObject* so : items)
    list.Add(so);
  e.SetSmartObjectList(&list);
  e.State(kStateUnchanged);
}

// The names of the entity's items in list order.
inline std::vector<std::string> ItemNames(Curve3D& e) {
  std::vector<std::string> names;
  const TSmartObjectList* list = e.GetSmartObjectList();
  for (const TSmartObject* so = list ? list->Head() : nullptr; so != nullptr; so = so->Next())
    names.emplace_back(so->Name());
  return names;
}
