#pragma once
// Builders and chain walkers for document tests: a drawing with lines on two layers, entities
// with given identifiers, and the chains of a document read back as vectors so a test can compare
// whole orders at once. Every walk also checks the back links (and, where the chain exposes them,
// the tail and the count), so a chain compared in a test is known to be consistent both ways.

#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <string>
#include <tuple>
#include <vector>

#include "document/layerbag.h"
#include "document/layeritem.h"
#include "document/layertable.h"
#include "document/objitem.h"
#include "document/objlist.h"
#include "entities/line3d.h"
#include "support/test_curve.h"

using Items = std::vector<ObjItem*>;
using Ids = std::vector<int>;

// A counted entity (TestCurve) that brings the given identifier.
inline TestCurve* CurveWithId(int id) {
  auto* curve = new TestCurve(id);
  curve->Id(id, 1);
  return curve;
}

// Adds one entity per identifier brought (on the named layer, or the current one); returns the
// identifiers the entities ended up with.
inline Ids AddWithIds(Objlist& doc, const Ids& brought, const char* layer = nullptr) {
  Ids given;
  for (const int id : brought) {
    TestCurve* curve = CurveWithId(id);
    if (doc.Add(curve, layer) != nullptr) {
      given.push_back(curve->Id());
    } else {
      delete curve;  // refused: still ours
      given.push_back(0);
    }
  }
  return given;
}

// The identifiers among ids that the document would still hand out.
inline Ids FreeAmong(const Objlist& doc, const Ids& ids) {
  Ids free;
  for (const int id : ids) {
    if (doc.ValidateTGID(id)) free.push_back(id);
  }
  return free;
}

// A chain longer than this has a cycle: the walk stops instead of hanging the test.
inline constexpr size_t kChainWalkLimit = 1000000;

inline ObjItem* LastOf(const Items& items) {
  return items.empty() ? nullptr : items.back();
}

// The items from head along next; each item's back link must name the item before it.
template <class Next, class Prev>
Items WalkChain(ObjItem* head, Next next, Prev prev) {
  Items items;
  for (ObjItem* item = head; item != nullptr; item = next(item)) {
    EXPECT_EQ(prev(item), LastOf(items)) << "back link at " << items.size();
    items.push_back(item);
    if (items.size() > kChainWalkLimit) {
      ADD_FAILURE() << "the chain does not end";
      break;
    }
  }
  return items;
}

inline Items DocumentChain(const Objlist& doc) {
  Items items = WalkChain(
      doc.GetHead(), [](ObjItem* i) { return i->Next(); }, [](ObjItem* i) { return i->Prev(); });
  EXPECT_EQ(LastOf(items), doc.GetLast()) << "tail";
  EXPECT_EQ(static_cast<int>(items.size()), doc.Noofobjs());
  return items;
}

inline Items LayerChain(const LayerBag* layer) {
  if (layer == nullptr) return {};
  Items items = WalkChain(
      layer->Head(), [](ObjItem* i) { return i->LNext(); }, [](ObjItem* i) { return i->LPrev(); });
  EXPECT_EQ(LastOf(items), layer->Tail()) << "tail of " << layer->LayerName();
  return items;
}

// The selection's and the roof objects' tails are private: only the back links are checked.
inline Items SelectionChain(const Objlist& doc) {
  Items items = WalkChain(
      doc.GetSHead(), [](ObjItem* i) { return i->SNext(); }, [](ObjItem* i) { return i->SPrev(); });
  EXPECT_EQ(static_cast<int>(items.size()), doc.NumSelected());
  return items;
}

inline Items RoofObjectChain(const Objlist& doc) {
  return WalkChain(
      doc.GetRHead(), [](ObjItem* i) { return i->RNext(); }, [](ObjItem* i) { return i->RPrev(); });
}

// The layer names of a table in GetLayer order; their number must agree with the table's count.
inline std::vector<std::string> LayerNames(const LayerTable& table) {
  std::vector<std::string> names;
  for (int i = 0; const LayerBag* layer = table.GetLayer(i); ++i)
    names.emplace_back(layer->LayerName());
  EXPECT_EQ(static_cast<int>(names.size()), table.NoofLayers());
  return names;
}

// A layer's name, flags, colour, style, spare integer and GUID, for comparing whole layers.
inline auto LayerSettings(const LayerItem& layer) {
  return std::make_tuple(std::string(layer.LayerName()), layer.LayerFlags(), layer.LayerColour(),
                         layer.LayerStyle(), layer.Spare(), std::string(layer.Guid()));
}

// The answer the identifier look-up must give, found the slow way: the first entity in chain
// order whose identifier matches.
inline Curve3D* FirstWithId(const Objlist& doc, int id) {
  if (id == 0) return nullptr;
  for (ObjItem* item = doc.GetHead(); item != nullptr; item = item->Next()) {
    if (item->Obj()->Id() == id) return item->Obj();
  }
  return nullptr;
}

// A drawing with two lines on "Walls" and one on "Roof", added in the order wallA, roof, wallB.
struct TwoLayerDrawing {
  TwoLayerDrawing() {
    wallA = doc.Add(new Line3D(0.0, 0.0, 0.0, 10.0, 0.0, 0.0), "Walls");
    roof = doc.Add(new Line3D(0.0, 0.0, 0.0, 0.0, 8.0, 0.0), "Roof");
    wallB = doc.Add(new Line3D(10.0, 0.0, 0.0, 10.0, 8.0, 0.0), "Walls");
    walls = doc.Layer("Walls");
    roofLayer = doc.Layer("Roof");
  }
  void Select(std::initializer_list<ObjItem*> items) {
    for (ObjItem* item : items)
      doc.SelectItemById(item->Obj()->Id(), true);
  }

  Objlist doc;
  ObjItem* wallA = nullptr;
  ObjItem* roof = nullptr;
  ObjItem* wallB = nullptr;
  LayerBag* walls = nullptr;
  LayerBag* roofLayer = nullptr;
};
