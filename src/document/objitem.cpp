#include "document/objitem.h"

#include "entities/curve3d.h"

ObjItem::ObjItem(Curve3D* e, LayerBag* layer) : obj_(e) {
  if (obj_ != nullptr && layer != nullptr) obj_->Layer(layer);
}

ObjItem::ObjItem(ObjItem* src) {
  if (src == nullptr) return;
  if (src->obj_ != nullptr) obj_ = src->obj_->Copy();
  position_ = src->position_;
}

ObjItem::~ObjItem() {
  delete obj_;
}

int ObjItem::Selected(int n) {
  selected_ = n;
  if (obj_ != nullptr) obj_->Selected(n);
  return n;
}

LayerBag* ObjItem::Layer() const {
  return obj_ != nullptr ? obj_->Layer() : nullptr;
}

LayerBag* ObjItem::Layer(LayerBag* layer) {
  return obj_ != nullptr ? obj_->Layer(layer) : nullptr;
}

const char* ObjItem::Layername() const {
  return obj_ != nullptr ? obj_->Layername() : nullptr;
}

const char* ObjItem::Layername(const char* text) {
  return obj_ != nullptr ? obj_->Layername(text) : nullptr;
}
