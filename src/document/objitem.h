#pragma once
// One entity of the document. An item sits on several chains at once: all items in insertion
// order (Prev/Next), the items of its layer (LPrev/LNext), the selection (SPrev/SNext) and the
// items whose entity carries smart objects (RPrev/RNext). IPrev/INext are left to the host.
//
// The item owns its entity: destroying the item deletes it.

class Curve3D;
class LayerBag;

class ObjItem {
 public:
  // Stores e; when a layer is given the entity is linked to it.
  explicit ObjItem(Curve3D* e, LayerBag* layer = nullptr);
  // A copy of src's entity (Curve3D::Copy) and src's Position, on no chain. A null src (or an
  // entity that cannot be copied) gives an item without entity.
  explicit ObjItem(ObjItem* src);
  ~ObjItem();

  // Copying every field would give two owners of one entity and an item that claims chain places
  // it does not hold; copies go through ObjItem(ObjItem*) instead.
  ObjItem(const ObjItem&) = delete;
  ObjItem& operator=(const ObjItem&) = delete;

  Curve3D* Obj() const { return obj_; }
  // Replaces the entity without deleting the previous one (its new owner is the caller).
  Curve3D* SetObj(Curve3D* e) { return obj_ = e; }

  int Position() const { return position_; }
  int Position(int n) { return position_ = n; }

  // Marks the item and its entity; returns n.
  int Selected(int n);
  int Selected() const { return selected_; }

  // The entity's layer (null without entity).
  LayerBag* Layer() const;
  LayerBag* Layer(LayerBag* layer);
  const char* Layername() const;
  const char* Layername(const char* text);

  ObjItem* Prev() const { return prev_; }
  ObjItem* Prev(ObjItem* item) { return prev_ = item; }
  ObjItem* Next() const { return next_; }
  ObjItem* Next(ObjItem* item) { return next_ = item; }
  ObjItem* IPrev() const { return iprev_; }
  ObjItem* IPrev(ObjItem* item) { return iprev_ = item; }
  ObjItem* INext() const { return inext_; }
  ObjItem* INext(ObjItem* item) { return inext_ = item; }
  ObjItem* LPrev() const { return lprev_; }
  ObjItem* LPrev(ObjItem* item) { return lprev_ = item; }
  ObjItem* LNext() const { return lnext_; }
  ObjItem* LNext(ObjItem* item) { return lnext_ = item; }
  ObjItem* SPrev() const { return sprev_; }
  ObjItem* SPrev(ObjItem* item) { return sprev_ = item; }
  ObjItem* SNext() const { return snext_; }
  ObjItem* SNext(ObjItem* item) { return snext_ = item; }
  ObjItem* RPrev() const { return rprev_; }
  ObjItem* RPrev(ObjItem* item) { return rprev_ = item; }
  ObjItem* RNext() const { return rnext_; }
  ObjItem* RNext(ObjItem* item) { return rnext_ = item; }

 private:
  Curve3D* obj_ = nullptr;
  int position_ = 0;
  int selected_ = 0;
  ObjItem* prev_ = nullptr;
  ObjItem* next_ = nullptr;
  ObjItem* iprev_ = nullptr;
  ObjItem* inext_ = nullptr;
  ObjItem* lprev_ = nullptr;
  ObjItem* lnext_ = nullptr;
  ObjItem* sprev_ = nullptr;
  ObjItem* snext_ = nullptr;
  ObjItem* rprev_ = nullptr;
  ObjItem* rnext_ = nullptr;
};
