// Undo and redo of the document: recording copies of the entities an operation touches, putting
// them back, and swapping changed entities between the history and the document. Records and
// document meet only through entity identifiers.

#include <new>
#include <string>
#include <unordered_set>
#include <vector>

#include "document/objlist.h"
#include "document/undolist.h"
#include "entities/blocktable.h"
#include "entities/curve3d.h"
#include "entities/entitytype.h"
#include "entities/insert3d.h"
#include "entities/multi3d.h"
#include "geometry/dblclist.h"
#include "platform/win32.h"

namespace {

// Sent to the host window when roofs may have changed; both parameters 0.
constexpr UINT kRoofsChangedMessage = 0x2B50;
// The beep for an entity that undo expected in the document and did not find.
constexpr UINT kMissingEntityBeep = 0xFFFFFFFF;

Multi3D* AsOutline(Curve3D* e) {
  return e != nullptr && e->Type() == kEntityPolyline ? dynamic_cast<Multi3D*>(e) : nullptr;
}

bool IsDimension(Curve3D* e) {
  return e != nullptr && e->Type() == kEntityDimension;
}

// Some but not all segments selected: deleting it removes segments and keeps the outline.
bool IsPartialOutline(Curve3D* e) {
  Multi3D* outline = AsOutline(e);
  return outline != nullptr && outline->AllSegmentSelected() == 0;
}

// The entities of a list, taken out first so the list may change while they are handled.
std::vector<Curve3D*> EntitiesIn(const Dblclist* list) {
  std::vector<Curve3D*> entities;
  if (list == nullptr) return entities;
  DblclistIterator it(list);
  while (Curve3D* e = it.Next())
    entities.push_back(e);
  return entities;
}

// An entity that leaves the document for a record keeps its layer's name but not the link:
// the layer may be deleted while the record lives.
void UnlinkLayer(Curve3D* e) {
  if (e == nullptr || e->Layer() == nullptr) return;
  const std::string name = e->Layername() != nullptr ? e->Layername() : "";
  e->Layer(nullptr);
  if (!name.empty()) e->Layername(name.c_str());
}

// The repaint box grows by each box it is given; the first one sets it.
class RepaintBox {
 public:
  void Unite(Curve3D* e) {
    const Box3D* box = e != nullptr ? e->Box(0, nullptr) : nullptr;
    if (box == nullptr) return;
    if (empty_) {
      box_.Set(box);
    } else {
      box_.Append(box);
    }
    empty_ = false;
  }
  const Box3D* Get() const { return &box_; }

 private:
  Box3D box_;
  bool empty_ = true;
};

}  // namespace

// ---- Recording ------------------------------------------------------------------------------

UndoItem* Objlist::AddUndoItem(int action, Dblclist* extra) {
  auto* rec = new (std::nothrow) UndoItem(action);
  if (rec == nullptr) return nullptr;
  std::unordered_set<int> held;
  for (ObjItem* item = shead_; item != nullptr; item = item->SNext()) {
    Curve3D* e = item->Obj();
    if (e == nullptr) continue;
    RecordCopy(rec, e, nullptr, &held);
    for (Curve3D* dimension : EntitiesIn(e->GetAssociatedDimensions(nullptr))) {
      if (dimension->IsSelected() == 0) RecordCopy(rec, dimension, e, &held);
    }
  }
  for (Curve3D* e : EntitiesIn(extra))
    RecordCopy(rec, e, nullptr, &held);
  if (rec->NumItems() == 0) {
    delete rec;
    return nullptr;
  }
  if (undo_.Add(rec) == nullptr) {
    delete rec;
    return nullptr;
  }
  if (action == kUndoDeleted) ReleaseDeletedIds(rec);
  return rec;
}

// One copy per identifier: an entity both selected and in extra, or a dimension of two
// selected entities, is recorded once.
void Objlist::RecordCopy(UndoItem* rec, Curve3D* e, Curve3D* measured,
                         std::unordered_set<int>* held) {
  if (e == nullptr) return;
  if (e->Id() > 0 && !held->insert(e->Id()).second) return;
  Curve3D* copy = e->Copy();
  if (copy == nullptr) return;
  UnlinkLayer(copy);
  // A copy starts without reference lists, so a copied dimension measures nothing; what it
  // measured is kept by identifier.
  if (IsDimension(e)) {
    if (measured == nullptr) measured = MeasuredEntityOf(e);
    if (measured != nullptr) rec->SetMeasuredId(copy->Id(), measured->Id());
  }
  rec->Add(copy);
}

void Objlist::ReleaseDeletedIds(UndoItem* rec) {
  DblclistIterator it(rec->GetItems());
  while (Curve3D* copy = it.Next()) {
    if (!IsPartialOutline(copy)) FreeIDs(copy);
  }
}

ObjItem* Objlist::AddFromRecord(Curve3D* held) {
  if (held == nullptr || !RebindInsert(held)) return nullptr;
  Curve3D* fresh = held->Copy();
  if (fresh == nullptr) return nullptr;
  for (const int id : IdsOf(fresh)) {
    if (id < 1 || GetObjItem(id) != nullptr) continue;
    used_ids_.erase(id);
    Unreserve(id);
  }
  ObjItem* item = Add(fresh, nullptr);
  if (item == nullptr) delete fresh;
  return item;
}

void Objlist::ClearUndoList() {
  undo_.Clear();
}

// ---- Undo and redo --------------------------------------------------------------------------

int Objlist::Undo(RECT* rect) {
  if (rect == nullptr || undo_.IsUndoAvailable() == nullptr) return 0;
  UndoItem* rec = undo_.Undo();
  switch (rec->Action()) {
    case kUndoAdded:
      UndoAddItems(rec, rect);
      break;
    case kUndoDeleted:
      UndoDeleteItems(rec);
      BoxToRect(&selection_box_, rect);
      break;
    case kUndoChanged:
      SwapReplacedItems(rec, rect);
      break;
    default:
      break;
  }
  RefreshAfterUndo();
  return 1;
}

int Objlist::Redo(RECT* rect) {
  if (undo_.IsRedoAvailable() == nullptr) return 0;
  UndoItem* rec = undo_.Redo();
  switch (rec->Action()) {
    case kUndoAdded:
      RedoAddItems(rec, rect);
      break;
    case kUndoDeleted:
      RedoDeleteItems(rec, rect);
      break;
    case kUndoChanged:
      SwapReplacedItems(rec, rect);
      break;
    default:
      break;
  }
  RefreshAfterUndo();
  return 1;
}

void Objlist::RefreshAfterUndo() {
  RefreshRoofData();
  SetSectionData(0);
}

// The added entities are deleted again; redoing the add brings them back under the same
// identifiers (AddFromRecord).
int Objlist::UndoAddItems(UndoItem* rec, RECT* rect) {
  if (rec == nullptr || rect == nullptr) return 0;
  DeSelectAll(0);
  RepaintBox repaint;
  DblclistIterator it(rec->GetItems());
  while (Curve3D* copy = it.Next()) {
    ObjItem* item = ItemForCopy(copy);
    if (item == nullptr) continue;
    repaint.Unite(item->Obj());
    if (Multi3D* outline = AsOutline(item->Obj())) outline->SelectAll();
    AddSelected(item);
  }
  DeleteSelectionForUndo();
  BoxToRect(repaint.Get(), rect);
  return 1;
}

int Objlist::RedoAddItems(UndoItem* rec, RECT* rect) {
  if (rec == nullptr) return 0;
  DeSelectAll(0);
  RepaintBox repaint;
  DblclistIterator it(rec->GetItems());
  while (Curve3D* copy = it.Next()) {
    ObjItem* item = AddFromRecord(copy);
    if (item == nullptr) continue;
    repaint.Unite(item->Obj());
    AddSelected(item);
  }
  RestoreLinks(rec);
  if (rect != nullptr) BoxToRect(repaint.Get(), rect);
  NotifyRoofsChanged();
  return 1;
}

int Objlist::UndoDeleteItems(UndoItem* rec) {
  if (rec == nullptr) return 0;
  DeSelectAll(0);
  DblclistIterator it(rec->GetItems());
  while (Curve3D* copy = it.Next()) {
    ObjItem* item = ItemForCopy(copy);
    if (item == nullptr) {
      item = AddFromRecord(copy);
    } else if (RebindInsert(copy)) {
      Curve3D* fresh = copy->Copy();
      if (fresh != nullptr) delete ReplaceItem(item, fresh);
    }
    if (item != nullptr && copy->IsSelected() != 0) AddSelected(item);
  }
  it.Set(rec->GetItems());
  while (Curve3D* copy = it.Next()) {
    if (copy->IsSection()) RestoreSectionArea(GetObj(copy->Id()));
  }
  RestoreLinks(rec);
  return 1;
}

int Objlist::RedoDeleteItems(UndoItem* rec, RECT* rect) {
  if (rec == nullptr) return 0;
  DeSelectAll(0);
  DblclistIterator it(rec->GetItems());
  while (Curve3D* copy = it.Next()) {
    ObjItem* item = ItemForCopy(copy);
    if (item == nullptr) continue;
    if (IsPartialOutline(copy)) {
      // The copy carries the segment selection of the partial deletion; it comes back with it.
      Curve3D* fresh = copy->Copy();
      if (fresh != nullptr) delete ReplaceItem(item, fresh);
    } else if (Multi3D* outline = AsOutline(item->Obj())) {
      outline->SelectAll();
    }
    AddSelected(item);
  }
  if (rect != nullptr) BoxToRect(&selection_box_, rect);
  DeleteSelectionForUndo();
  return 1;
}

// The record and the document trade entities: each document entity goes into the record in
// place of the record's, so the opposite operation trades them back. Entities appended during
// the walk are not visited.
int Objlist::SwapReplacedItems(UndoItem* rec, RECT* rect) {
  if (rec == nullptr) return 0;
  Dblclist* items = rec->GetItems();
  RepaintBox repaint;
  const int count = items->Num();
  Dblcitem* node = items->Head();
  for (int i = 0; i < count && node != nullptr; ++i) {
    Dblcitem* next = node->Next();
    Curve3D* held = node->Obj();
    node = next;
    if (held == nullptr) continue;
    ObjItem* item = ItemForCopy(held);
    if (item == nullptr) {
      MessageBeep(kMissingEntityBeep);
      if (ObjItem* added = AddFromRecord(held)) AddSelected(added);
      continue;
    }
    if (!RebindInsert(held)) continue;
    repaint.Unite(item->Obj());
    if (IsDimension(item->Obj())) {
      if (Curve3D* measured = MeasuredEntityOf(item->Obj())) {
        rec->SetMeasuredId(held->Id(), measured->Id());
      }
    }
    items->Detach(held);
    Curve3D* old = ReplaceItem(item, held);
    if (old == nullptr) {
      rec->Add(held);  // refused: the record keeps its entity
      continue;
    }
    rec->Add(old);
    if (!InSelection(item)) AddSelected(item);
  }
  RestoreLinks(rec);
  RebuildSelectionBox();
  if (rect != nullptr) BoxToRect(repaint.Get(), rect);
  NotifyRoofsChanged();
  return 1;
}

void Objlist::NotifyRoofsChanged() {
  if (viewport_ != nullptr) SendMessageA(parent_, kRoofsChangedMessage, 0, 0);
}

// ---- Identifiers and links ------------------------------------------------------------------

// Only an item whose entity itself carries the identifier counts: a record holds whole
// entities, and replacing an outline because one of its segments shares a record's identifier
// would destroy the outline.
ObjItem* Objlist::ItemForCopy(Curve3D* copy) const {
  if (copy == nullptr) return nullptr;
  const auto holding = [this](int id) -> ObjItem* {
    ObjItem* item = GetObjItem(id);
    return item != nullptr && item->Obj() != nullptr && item->Obj()->Id() == id ? item : nullptr;
  };
  if (ObjItem* item = holding(copy->Id())) return item;
  Multi3D* outline = AsOutline(copy);
  if (outline == nullptr) return nullptr;
  DblclistIterator it(outline->GetCurveList());
  while (Curve3D* segment = it.Next()) {
    if (ObjItem* item = holding(segment->Id())) return item;
  }
  return nullptr;
}

Curve3D* Objlist::MeasuredEntityOf(Curve3D* dimension) const {
  if (dimension == nullptr) return nullptr;
  const auto lists = [dimension](Curve3D* e) {
    const Dblclist* dims = e->GetAssociatedDimensions(nullptr);
    return dims != nullptr && dims->Contains(dimension) != nullptr;
  };
  for (const ObjItem* item = head_; item != nullptr; item = item->Next()) {
    Curve3D* e = item->Obj();
    if (e == nullptr) continue;
    if (lists(e)) return e;
    if (Multi3D* outline = AsOutline(e)) {
      DblclistIterator it(outline->GetCurveList());
      while (Curve3D* segment = it.Next()) {
        if (lists(segment)) return segment;
      }
    }
  }
  return nullptr;
}

bool Objlist::RebindInsert(Curve3D* e) const {
  if (e == nullptr || e->Type() != kEntityInsert) return true;
  auto* insert = dynamic_cast<Insert3D*>(e);
  if (insert == nullptr) return true;
  BlockItem* filed = blocks_ != nullptr ? blocks_->Search(insert->Blockname()) : nullptr;
  if (filed == nullptr || filed->Block() == nullptr) return false;
  if (insert->GetBlock() != filed->Block()) insert->SetBlock(filed->Block());
  return true;
}

void Objlist::RestoreLinks(UndoItem* rec) {
  DblclistIterator it(rec->GetItems());
  while (Curve3D* held = it.Next()) {
    if (!IsDimension(held)) continue;
    Curve3D* dimension = GetObj(held->Id());
    Curve3D* measured = GetObj(rec->MeasuredId(held->Id()));
    if (dimension != nullptr && measured != nullptr && dimension != measured) {
      measured->AddDimension(dimension);
    }
  }
  it.Set(rec->GetItems());
  while (Curve3D* held = it.Next()) {
    TSmartObject* opening = held->HasOpeningSmartObject();
    if (opening == nullptr) continue;
    Curve3D* e = GetObj(held->Id());
    Curve3D* roof = GetObj(opening->GetRoofId());
    if (e != nullptr && roof != nullptr && roof != e) roof->AddExclusion(e);
  }
}

// ---- Replacing an item's entity -------------------------------------------------------------

namespace {

// Every entity old excludes becomes an exclusion of e.
void MoveExclusions(Curve3D* old, Curve3D* e) {
  for (Curve3D* excluded : EntitiesIn(old->GetExcludeList())) {
    old->RemoveExclusion(excluded);
    if (excluded != e) e->AddExclusion(excluded);
  }
}

void MoveDimensionsOf(Curve3D* from, Curve3D* to) {
  for (Curve3D* dimension : EntitiesIn(from->GetAssociatedDimensions(nullptr))) {
    from->RemoveDimension(dimension);
    if (dimension != to) to->AddDimension(dimension);
  }
}

// The dimensions of old and, for an outline, of each of its segments go to e and to e's segment
// of the same identifier; a segment e lacks keeps its dimensions, with a beep.
void MoveDimensions(Curve3D* old, Curve3D* e) {
  MoveDimensionsOf(old, e);
  Multi3D* oldOutline = AsOutline(old);
  if (oldOutline == nullptr) return;
  Multi3D* newOutline = AsOutline(e);
  DblclistIterator it(oldOutline->GetCurveList());
  while (Curve3D* segment = it.Next()) {
    if (segment->Dimensions() == 0) continue;
    Curve3D* target = newOutline != nullptr ? newOutline->GetSegmentById(segment->Id()) : nullptr;
    if (target == nullptr) {
      MessageBeep(kMissingEntityBeep);
      continue;
    }
    MoveDimensionsOf(segment, target);
  }
}

}  // namespace

Curve3D* Objlist::ReplaceItem(ObjItem* item, Curve3D* e) {
  if (item == nullptr || e == nullptr || !IsMember(item) || item->Obj() == e) return nullptr;
  Curve3D* old = item->Obj();
  UnindexItem(item);
  if (old != nullptr) HandOverTies(old, e);

  LayerBag* layer = item->Layer();
  item->SetObj(e);
  if (layer != nullptr) e->Layer(layer);
  if (old != nullptr) UnlinkLayer(old);
  if (auto* insert = dynamic_cast<Insert3D*>(e)) FileInsertBlock(insert);
  if (e->HasRoofSmartObject() != nullptr) {
    if (roof_list_ == nullptr) roof_list_ = new (std::nothrow) Dblclist;
    if (roof_list_ != nullptr && roof_list_->Contains(e) == nullptr) roof_list_->Add(e);
  }
  // The entity's identifiers are taken, whatever it brings back.
  for (const int id : IdsOf(e)) {
    if (id > 0) used_ids_.insert(id);
  }
  IndexItem(item);
  if (e->HasSmartObject() != 0) {
    Add_RoofObject(item);
  } else {
    RemoveRoofObject(item);
  }
  if (InSelection(item)) {
    item->Selected(1);
    RebuildSelectionBox();
  }
  dirty_ = 1;
  return old;
}

void Objlist::HandOverTies(Curve3D* old, Curve3D* e) {
  if (roof_list_ != nullptr && old->HasRoofSmartObject() != nullptr) {
    while (roof_list_->Detach(old) != nullptr) {
    }
    if (roof_list_->Num() == 0) {
      delete roof_list_;
      roof_list_ = nullptr;
    }
  }
  if (old->IsSection()) ReplaceSectionArea(old, e);
  if (TSmartObject* opening = old->HasOpeningSmartObject()) {
    if (Curve3D* roof = GetObj(opening->GetRoofId())) roof->RemoveExclusion(old);
  }
  MoveExclusions(old, e);
  if (IsDimension(old)) {
    if (Curve3D* measured = MeasuredEntityOf(old)) measured->RemoveDimension(old);
  }
  MoveDimensions(old, e);
  old->ClearDimensions();
  old->ClearExclusions();
  ReleaseBlockReference(old);
}

// ---- Deleting the selection -----------------------------------------------------------------

void Objlist::DeleteSelectionForUndo() {
  Batch whole;
  ObjItem* item = stail_;
  while (item != nullptr) {
    ObjItem* prev = item->SPrev();
    Multi3D* outline = AsOutline(item->Obj());
    if (outline != nullptr && outline->AllSegmentSelected() == 0) {
      DeleteSelectedSegments(item, outline);
    } else {
      whole.push_back(item);
    }
    item = prev;
  }
  DeleteItems(whole, 1);
  DeSelectAll(0);
  dirty_ = 1;
}

// The outline keeps its unselected segments; with one left it gives way to a copy of it.
void Objlist::DeleteSelectedSegments(ObjItem* item, Multi3D* outline) {
  DblclistIterator it(outline->GetCurveList());
  while (Curve3D* segment = it.Next()) {
    if (segment->IsSelected() == 0) continue;
    Batch dimensions;
    for (Curve3D* dimension : EntitiesIn(segment->GetAssociatedDimensions(nullptr))) {
      if (dimension->IsSelected() == 0) {
        if (ObjItem* owner = ItemOf(dimension)) dimensions.push_back(owner);
      }
    }
    DeleteItems(dimensions, 0);
  }
  UnindexItem(item);
  outline->Delete_Selected();
  IndexItem(item);
  if (outline->Nodes() == 1) {
    Curve3D* remaining = outline->FirstSegment();
    Curve3D* copy = remaining != nullptr ? remaining->Copy() : nullptr;
    if (copy != nullptr) {
      for (Curve3D* dimension : EntitiesIn(remaining->GetAssociatedDimensions(nullptr))) {
        remaining->RemoveDimension(dimension);
        copy->AddDimension(dimension);
      }
      Curve3D* old = ReplaceItem(item, copy);
      delete old;
    }
  }
  if (item->Obj() != nullptr && item->Obj()->HasSmartObject() == 0) RemoveRoofObject(item);
  if (InSelection(item)) {
    RemoveSelected(item);
    RebuildSelectionBox();
  }
}

// ---- Takeoff steps (filled in by the roof and section work) ---------------------------------

void Objlist::RefreshRoofData() {
  // The roof data of the document are recomputed here with the roof work.
}

void Objlist::RestoreSectionArea(Curve3D* /*e*/) {
  // A section boundary goes back into its section (created when missing) here.
}

void Objlist::ReplaceSectionArea(Curve3D* /*old*/, Curve3D* /*e*/) {
  // A section's area is exchanged for the new entity here.
}
