#pragma once
// A layer of the document: the layer's settings and the chain of the document items that lie on
// it (linked through the items' LPrev/LNext). The bag refers to its items; the document owns
// them. Prev/Next link the bag into its bucket of the layer table.

#include "document/layeritem.h"

class LayerBag : public LayerItem {
 public:
  explicit LayerBag(const char* name = nullptr, int flags = 0, int colour = 0, int style = 0);
  // The settings of src (see LayerItem) with an empty chain, outside any table.
  explicit LayerBag(const LayerBag* src);
  LayerBag(const LayerBag& src) : LayerBag(&src) {}
  // Copies the settings only: the chain and the table links stay this layer's own.
  LayerBag& operator=(const LayerBag& src);
  // Releases the items still on the chain (see ReleaseItems).
  ~LayerBag() override;

  // Appends an item that is on no layer chain; returns its entity. Null for a null item or one
  // still linked to a chain (nothing changes then).
  Curve3D* Add(ObjItem* item) override;
  // Forgets the chain without touching the items.
  virtual void Clear();
  virtual ObjItem* Head(ObjItem* item);
  virtual ObjItem* Head() const;
  virtual ObjItem* Tail(ObjItem* item);
  virtual ObjItem* Tail() const;
  virtual LayerBag* Prev(LayerBag* layer);
  virtual LayerBag* Prev() const;
  virtual LayerBag* Next(LayerBag* layer);
  virtual LayerBag* Next() const;
  // Unlinks the item, clears its layer links and unlinks its entity from this layer (an entity
  // linked to another layer keeps that link). Returns the item; null when the item is null or
  // its links show it is not on this chain.
  virtual ObjItem* Remove(ObjItem* item);

  // Items on the chain, counted by walking it.
  int CountItems() const;

  // Detaches every item still on the chain: its layer links are cleared and its entity keeps the
  // layer's name but no longer points at this layer. Used before the layer is destroyed, so no
  // entity is left pointing at a deleted layer.
  void ReleaseItems();

 private:
  bool Holds(const ObjItem* item) const;

  ObjItem* head_ = nullptr;
  ObjItem* tail_ = nullptr;
  LayerBag* prev_ = nullptr;
  LayerBag* next_ = nullptr;
};
