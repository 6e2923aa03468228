#include "document/layerbag.h"

#include "detail/itemchain.h"
#include "document/objitem.h"
#include "entities/curve3d.h"

LayerBag::LayerBag(const char* name, int flags, int colour, int style)
    : LayerItem(name, flags, colour, style) {}

LayerBag::LayerBag(const LayerBag* src) : LayerItem(src) {}

LayerBag::~LayerBag() {
  ReleaseItems();
}

LayerBag& LayerBag::operator=(const LayerBag& src) {
  LayerItem::operator=(src);
  return *this;
}

Curve3D* LayerBag::Add(ObjItem* item) {
  if (item == nullptr) return nullptr;
  // An item already on a chain would tie two chains together.
  if (item->LPrev() != nullptr || item->LNext() != nullptr || item == head_) return nullptr;
  ChainAppend(kLayerChain, head_, tail_, item);
  return item->Obj();
}

void LayerBag::Clear() {
  head_ = tail_ = nullptr;
}

ObjItem* LayerBag::Head(ObjItem* item) {
  return head_ = item;
}

ObjItem* LayerBag::Head() const {
  return head_;
}

ObjItem* LayerBag::Tail(ObjItem* item) {
  return tail_ = item;
}

ObjItem* LayerBag::Tail() const {
  return tail_;
}

LayerBag* LayerBag::Prev(LayerBag* layer) {
  return prev_ = layer;
}

LayerBag* LayerBag::Prev() const {
  return prev_;
}

LayerBag* LayerBag::Next(LayerBag* layer) {
  return next_ = layer;
}

LayerBag* LayerBag::Next() const {
  return next_;
}

bool LayerBag::Holds(const ObjItem* item) const {
  return ChainHolds(kLayerChain, head_, tail_, item);
}

ObjItem* LayerBag::Remove(ObjItem* item) {
  if (item == nullptr || !Holds(item)) return nullptr;
  ChainUnlink(kLayerChain, head_, tail_, item);
  if (Curve3D* entity = item->Obj(); entity != nullptr && entity->Layer() == this) {
    entity->Layer(nullptr);
  }
  return item;
}

int LayerBag::CountItems() const {
  int count = 0;
  for (const ObjItem* item = head_; item != nullptr; item = item->LNext())
    ++count;
  return count;
}

void LayerBag::ReleaseItems() {
  ObjItem* item = head_;
  head_ = tail_ = nullptr;
  while (item != nullptr) {
    ObjItem* next = item->LNext();
    item->LPrev(nullptr);
    item->LNext(nullptr);
    Curve3D* entity = item->Obj();
    if (entity != nullptr && entity->Layer() == this) {
      entity->Layer(nullptr);
      entity->Layername(LayerName());
    }
    item = next;
  }
}
