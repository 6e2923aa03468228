#pragma once
// The four chains a document item sits on (all items, its layer's items, the selection, the
// items carrying smart objects) have one shape and differ only in the pair of links they use.
// These functions are that shape, once.

#include "document/objitem.h"

struct ItemChain {
  ObjItem* (ObjItem::*prev)() const;
  ObjItem* (ObjItem::*next)() const;
  ObjItem* (ObjItem::*setPrev)(ObjItem*);
  ObjItem* (ObjItem::*setNext)(ObjItem*);
};

using ItemLinkGet = ObjItem* (ObjItem::*)() const;
using ItemLinkSet = ObjItem* (ObjItem::*)(ObjItem*);

inline constexpr ItemChain kDocumentChain{
    static_cast<ItemLinkGet>(&ObjItem::Prev), static_cast<ItemLinkGet>(&ObjItem::Next),
    static_cast<ItemLinkSet>(&ObjItem::Prev), static_cast<ItemLinkSet>(&ObjItem::Next)};
inline constexpr ItemChain kLayerChain{
    static_cast<ItemLinkGet>(&ObjItem::LPrev), static_cast<ItemLinkGet>(&ObjItem::LNext),
    static_cast<ItemLinkSet>(&ObjItem::LPrev), static_cast<ItemLinkSet>(&ObjItem::LNext)};
inline constexpr ItemChain kSelectionChain{
    static_cast<ItemLinkGet>(&ObjItem::SPrev), static_cast<ItemLinkGet>(&ObjItem::SNext),
    static_cast<ItemLinkSet>(&ObjItem::SPrev), static_cast<ItemLinkSet>(&ObjItem::SNext)};
inline constexpr ItemChain kRoofObjectChain{
    static_cast<ItemLinkGet>(&ObjItem::RPrev), static_cast<ItemLinkGet>(&ObjItem::RNext),
    static_cast<ItemLinkSet>(&ObjItem::RPrev), static_cast<ItemLinkSet>(&ObjItem::RNext)};

// True when the item's links agree with its neighbours and with the chain's ends: constant
// time, so removing an item never walks the chain.
inline bool ChainHolds(const ItemChain& chain, const ObjItem* head, const ObjItem* tail,
                       const ObjItem* item) {
  if (item == nullptr) return false;
  const ObjItem* prev = (item->*chain.prev)();
  const ObjItem* next = (item->*chain.next)();
  const bool startOk = prev == nullptr ? head == item : (prev->*chain.next)() == item;
  const bool endOk = next == nullptr ? tail == item : (next->*chain.prev)() == item;
  return startOk && endOk;
}

// Links an item that is on no such chain at the tail.
inline void ChainAppend(const ItemChain& chain, ObjItem*& head, ObjItem*& tail, ObjItem* item) {
  (item->*chain.setPrev)(tail);
  (item->*chain.setNext)(nullptr);
  if (tail != nullptr) (tail->*chain.setNext)(item);
  tail = item;
  if (head == nullptr) head = item;
}

// Unlinks an item the chain holds and clears its links.
inline void ChainUnlink(const ItemChain& chain, ObjItem*& head, ObjItem*& tail, ObjItem* item) {
  ObjItem* prev = (item->*chain.prev)();
  ObjItem* next = (item->*chain.next)();
  if (prev != nullptr) (prev->*chain.setNext)(next);
  if (next != nullptr) (next->*chain.setPrev)(prev);
  if (head == item) head = next;
  if (tail == item) tail = prev;
  (item->*chain.setPrev)(nullptr);
  (item->*chain.setNext)(nullptr);
}
