#pragma once
// Builders and chain walkers for document tests: a drawing with lines on two layers, entities
// with given identifiers, and the chains of a document read back as vectors so a test can compare
// whole orders at once.

#include <new>
#include <vector>

#include "document/layerbag.h"
#include "document/objitem.h"
#include "document/objlist.h"
#include "entities/line3d.h"
#include "support/test_curve.h"

// A counted entity (TestCurve) that brings the given identifier.
inline TestCurve* CurveWithId(int id) {
  auto* curve = new TestCurve(id);
  curve->Id(id, 1);
  return curve;
}

// The items of the chain of all items, head to tail.
inline std::vector<ObjItem*> DocumentChain(const Objlist& doc) {
  std::vector<ObjItem*> items;
  for (ObjItem* item = doc.GetHead(); item != nullptr; item = item->Next())
    items.push_back(item);
  return items;
}

// The same chain walked from the tail, reversed: equal to DocumentChain when the back links agree.
inline std::vector<ObjItem*> DocumentChainBackwards(const Objlist& doc) {
  std::vector<ObjItem*> items;
  for (ObjItem* item = doc.GetLast(); item != nullptr; item = item->Prev()) {
    items.insert(items.begin(), item);
  }
  return items;
}

inline std::vector<ObjItem*> LayerChain(const LayerBag* layer) {
  std::vector<ObjItem*> items;
  if (layer == nullptr) return items;
  for (ObjItem* item = layer->Head(); item != nullptr; item = item->LNext())
    items.push_back(item);
  return items;
}

inline std::vector<ObjItem*> LayerChainBackwards(const LayerBag* layer) {
  std::vector<ObjItem*> items;
  if (layer == nullptr) return items;
  for (ObjItem* item = layer->Tail(); item != nullptr; item = item->LPrev()) {
    items.insert(items.begin(), item);
  }
  return items;
}

inline std::vector<ObjItem*> SelectionChain(const Objlist& doc) {
  std::vector<ObjItem*> items;
  for (ObjItem* item = doc.GetSHead(); item != nullptr; item = item->SNext()) {
    items.push_back(item);
  }
  return items;
}

inline std::vector<ObjItem*> RoofObjectChain(const Objlist& doc) {
  std::vector<ObjItem*> items;
  for (ObjItem* item = doc.GetRHead(); item != nullptr; item = item->RNext()) {
    items.push_back(item);
  }
  return items;
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

  Objlist doc;
  ObjItem* wallA = nullptr;
  ObjItem* roof = nullptr;
  ObjItem* wallB = nullptr;
  LayerBag* walls = nullptr;
  LayerBag* roofLayer = nullptr;
};
