#include "document/objlist.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <iterator>
#include <new>

#include "detail/fixedtext.h"
#include "detail/itemchain.h"
#include "document/viewport.h"
#include "entities/blocktable.h"
#include "entities/curve3d.h"
#include "entities/dimension3d.h"
#include "entities/edge3d.h"
#include "entities/entitytype.h"
#include "entities/insert3d.h"
#include "entities/multi3d.h"
#include "entities/redge3d.h"
#include "entities/text3d.h"
#include "geometry/dblclist.h"
#include "geometry/dblplist.h"
#include "geometry/dblrlist.h"
#include "settings/hostglobals.h"
#include "takeoff/tlegendlist.h"
#include "takeoff/tsectionlist.h"

namespace {

// The limits maximum a cleared drawing starts with.
constexpr double kClearedLimitsMax = 1000.0;

bool IsSectionItem(const ObjItem* item) {
  return item->Obj() != nullptr && item->Obj()->IsSection();
}

bool IsFormatLayerName(const char* name) {
  return name != nullptr && lstrcmpiA(name, kFormatLayerName) == 0;
}

// The entities of a reference list, copied out so the list can change while they are handled.
std::vector<Curve3D*> EntitiesOf(const Dblclist* list) {
  std::vector<Curve3D*> entities;
  if (list == nullptr) return entities;
  DblclistIterator it(list);
  while (Curve3D* e = it.Next())
    entities.push_back(e);
  return entities;
}

}  // namespace

Objlist::Objlist()
    : legend_(new (std::nothrow) TLegendList),
      sections_(new (std::nothrow) TSectionList),
      layers_(new (std::nothrow) LayerTable),
      blocks_(new (std::nothrow) BlockTable) {}

Objlist::~Objlist() {
  Clear(1, 1, 1);
  delete roof_list_;
}

// ---- Adding ---------------------------------------------------------------------------------

LayerBag* Objlist::LayerForAdd(const char* layerName) {
  if (layers_ == nullptr) return nullptr;
  if (layerName == nullptr || *layerName == '\0') {
    if (LayerBag* current = layers_->CurrentLayer()) return current;
    LayerBag* layer = layers_->Add(kDefaultLayerName, 0, kDefaultLayerColour, 0);
    return layers_->CurrentLayer(layer);
  }
  if (LayerBag* layer = layers_->Search(layerName)) return layer;
  LayerBag* layer = layers_->Add(layerName, 0, kDefaultLayerColour, 0);
  // A table without a current layer takes the first layer it is given as current.
  if (layer != nullptr && layers_->CurrentLayer() == nullptr) layers_->CurrentLayer(layer);
  return layer;
}

ObjItem* Objlist::Add(Curve3D* e, const char* layerName) {
  if (e == nullptr) return nullptr;
  // The same entity twice would give it two owners.
  if (const auto hit = id_index_.find(e->Id());
      hit != id_index_.end() && IsMember(hit->second) && hit->second->Obj() == e) {
    return nullptr;
  }
  LayerBag* layer = LayerForAdd(layerName);
  if (layer == nullptr) {
    dirty_ = 1;
    return nullptr;
  }
  ObjItem* item = new (std::nothrow) ObjItem(e, layer);
  if (item == nullptr) return nullptr;
  AssignIds(e);
  layer->Add(item);
  AddItem(item);
  if (!SetUpKind(item)) {
    // Refused (an insert whose block cannot be filed): the entity goes back to the caller, as
    // every refusal of Add leaves it.
    Remove(item);
    FreeIDs(e);
    item->SetObj(nullptr);
    delete item;
    return nullptr;
  }
  if (e->HasSmartObject() != 0) Add_RoofObject(item);
  return item;
}

ObjItem* Objlist::AddItem(ObjItem* item) {
  if (item == nullptr || item->Obj() == nullptr) return nullptr;
  if (item->Next() != nullptr || item->Prev() != nullptr || IsMember(item)) return nullptr;
  if (!members_.insert(item).second) return nullptr;
  ChainAppend(kDocumentChain, head_, tail_, item);
  ++count_;
  dirty_ = 1;
  IndexItem(item);
  return item;
}

LayerBag* Objlist::Add_Layer(const char* name, int flags, int colour, int style) {
  return layers_ != nullptr ? layers_->Add(name, flags, colour, style) : nullptr;
}

LayerBag* Objlist::Add_Layer(LayerBag* layer) {
  return layers_ != nullptr ? layers_->Add(layer) : nullptr;
}

ObjItem* Objlist::Add_RoofObject(ObjItem* item) {
  if (item == nullptr || !IsMember(item)) return nullptr;
  if (InRoofObjects(item)) return item;
  ChainAppend(kRoofObjectChain, rhead_, rtail_, item);
  return item;
}

// The kind comes from the entity's class, not its kind code: a code can be set on any entity.
bool Objlist::SetUpKind(ObjItem* item) {
  Curve3D* e = item->Obj();
  if (auto* text = dynamic_cast<Text3D*>(e)) {
    // A text keeps its size on paper: its scale is the drawing's per screen pixel per inch.
    const int ppi = GetLogPixelsInch();
    if (ppi > 0) text->SetXScale(GetScale() / ppi, kKeepPointSize);
    text->SetXStretch(GetStretch());
    return true;
  }
  if (auto* insert = dynamic_cast<Insert3D*>(e)) return FileInsertBlock(insert);
  if (auto* dimension = dynamic_cast<Dimension3D*>(e)) {
    dimension->SetUnits(units_);
    const int ppi = GetLogPixelsInch();
    if (ppi > 0) dimension->SetXScale(GetScale() / ppi, kKeepPointSize);
    dimension->SetXStretch(GetStretch());
    dimension->SetFeetInchDisplay(dimension_feet_inch_);
    dimension->ReCalc(0.0);
  }
  return true;
}

// ---- Identifiers ----------------------------------------------------------------------------

bool Objlist::ValidateTGID(int id) const {
  return id >= 1 && used_ids_.count(id) == 0 && !IsReserved(id);
}

int Objlist::SetIdno(int n, bool reserve) {
  if (reserve && n > idno_) Reserve(idno_, n);
  return idno_ = n;
}

bool Objlist::IsReserved(int id) const {
  auto range = reserved_.upper_bound(id);
  if (range == reserved_.begin()) return false;
  --range;
  return id < range->second;
}

int Objlist::SkipReserved(int id) const {
  auto range = reserved_.upper_bound(id);
  if (range == reserved_.begin()) return id;
  --range;
  return id < range->second ? range->second : id;
}

void Objlist::Reserve(int from, int to) {
  // Merge with every range that overlaps or touches [from, to).
  auto range = reserved_.upper_bound(from);
  if (range != reserved_.begin() && std::prev(range)->second >= from) --range;
  while (range != reserved_.end() && range->first <= to) {
    from = std::min(from, range->first);
    to = std::max(to, range->second);
    range = reserved_.erase(range);
  }
  reserved_.emplace(from, to);
}

void Objlist::Unreserve(int id) {
  auto range = reserved_.upper_bound(id);
  if (range == reserved_.begin()) return;
  --range;
  const int first = range->first;
  const int end = range->second;
  if (id >= end) return;
  reserved_.erase(range);
  if (first < id) reserved_.emplace(first, id);
  if (id + 1 < end) reserved_.emplace(id + 1, end);
}

void Objlist::AssignIds(Curve3D* e) {
  AssignPartIds(e);
  AssignId(e);
}

void Objlist::AssignId(Curve3D* e) {
  while (!ValidateTGID(e->Id()) && idno_ < INT_MAX) {
    // A reserved range is never handed out: step over it at once.
    idno_ = SkipReserved(idno_);
    if (idno_ == INT_MAX) break;
    const int next = e->Id(idno_, 1);
    // Identifiers only grow, whatever an entity answers.
    idno_ = next > idno_ ? next : idno_ + 1;
  }
  used_ids_.insert(e->Id());
}

namespace {

// The parts of an entity that carry identifiers of their own, in order: an outline's segments,
// a roof edge's edge line, a pitched edge's base and edge. Caps are left out: every rebuild of
// the outline makes them anew.
std::vector<Curve3D*> DirectPartsOf(Curve3D* e) {
  std::vector<Curve3D*> parts;
  const auto keep = [&parts, e](Curve3D* part) {
    if (part != nullptr && part != e) parts.push_back(part);
  };
  switch (e->Type()) {
    case kEntityPolyline:
      if (auto* outline = dynamic_cast<Multi3D*>(e)) {
        DblclistIterator it(outline->GetCurveList());
        while (Curve3D* segment = it.Next())
          keep(segment);
      }
      break;
    case kEntityREdge:
      if (auto* roofEdge = dynamic_cast<REdge3D*>(e)) keep(roofEdge->GetEdge());
      break;
    case kEntityEdge:
      if (auto* pitched = dynamic_cast<Edge3D*>(e)) {
        keep(pitched->GetBase());
        keep(pitched->GetEdge());
      }
      break;
    default:
      break;
  }
  return parts;
}

// Every part below e, each before its own parts (a segment, then its base and edge). Walked
// with a stack: outlines nested in a file can be deeper than the call stack allows.
std::vector<Curve3D*> PartsOuterFirst(Curve3D* e) {
  std::vector<Curve3D*> parts;
  std::vector<Curve3D*> pending = DirectPartsOf(e);
  std::reverse(pending.begin(), pending.end());
  while (!pending.empty()) {
    Curve3D* part = pending.back();
    pending.pop_back();
    parts.push_back(part);
    std::vector<Curve3D*> inner = DirectPartsOf(part);
    pending.insert(pending.end(), inner.rbegin(), inner.rend());
  }
  return parts;
}

// Every part below e, each after its own parts, siblings in their order (the segments of a
// nested outline come before that outline).
std::vector<Curve3D*> PartsInnerFirst(Curve3D* e) {
  std::vector<Curve3D*> parts;
  std::vector<Curve3D*> pending = DirectPartsOf(e);
  while (!pending.empty()) {
    Curve3D* part = pending.back();
    pending.pop_back();
    parts.push_back(part);
    const std::vector<Curve3D*> inner = DirectPartsOf(part);
    pending.insert(pending.end(), inner.begin(), inner.end());
  }
  std::reverse(parts.begin(), parts.end());
  return parts;
}

}  // namespace

// The parts are settled first, each keeping a free identifier and taking the next one
// otherwise, and entered in the used set. Numbers go through Id(n, 0): on an outline Id(n, 1)
// would renumber segments settled a moment ago with numbers nobody checked, and two entities
// could end up sharing one.
void Objlist::AssignPartIds(Curve3D* e) {
  const std::vector<Curve3D*> parts = PartsInnerFirst(e);
  if (parts.empty()) return;
  const auto settle = [this](Curve3D* c) {
    while (!ValidateTGID(c->Id()) && idno_ < INT_MAX) {
      idno_ = SkipReserved(idno_);
      if (idno_ == INT_MAX) break;
      const int next = c->Id(idno_, 0);
      idno_ = next > idno_ ? next : idno_ + 1;
    }
  };
  for (Curve3D* part : parts) {
    settle(part);
    used_ids_.insert(part->Id());
  }
  // The entity gets a free identifier here but is entered by AssignId, which then finds it
  // valid and leaves the parts alone.
  settle(e);
}

void Objlist::FreeIDs(Curve3D* e) {
  if (e == nullptr) return;
  used_ids_.erase(e->Id());
  Unreserve(e->Id());
  FreePartIds(e);
}

void Objlist::FreePartIds(Curve3D* e) {
  for (Curve3D* part : PartsOuterFirst(e)) {
    used_ids_.erase(part->Id());
    Unreserve(part->Id());
  }
}

// A segment answers before its own base and edge, and earlier segments before later ones.
Curve3D* Objlist::FindPartWithId(Curve3D* e, int id) const {
  for (Curve3D* part : PartsOuterFirst(e)) {
    if (part->Id() == id) return part;
  }
  return nullptr;
}

void Objlist::CollectPartIds(Curve3D* e, std::vector<int>* ids) const {
  for (Curve3D* part : PartsOuterFirst(e))
    ids->push_back(part->Id());
}

Curve3D* Objlist::EntityWithId(const ObjItem* item, int id) const {
  Curve3D* e = item->Obj();
  if (e == nullptr) return nullptr;
  if (e->Id() == id) return e;
  return FindPartWithId(e, id);
}

std::vector<int> Objlist::IdsOf(Curve3D* e) const {
  std::vector<int> ids;
  if (e == nullptr) return ids;
  ids.push_back(e->Id());
  CollectPartIds(e, &ids);
  return ids;
}

ObjItem* Objlist::WalkForId(int id) const {
  for (ObjItem* item = head_; item != nullptr; item = item->Next()) {
    if (EntityWithId(item, id) != nullptr) return item;
  }
  return nullptr;
}

ObjItem* Objlist::GetObjItem(int id) const {
  if (id == 0) return nullptr;
  if (shared_ids_.count(id) == 0) {
    const auto hit = id_index_.find(id);
    if (hit != id_index_.end() && IsMember(hit->second) &&
        EntityWithId(hit->second, id) != nullptr) {
      return hit->second;
    }
  }
  return WalkForId(id);
}

Curve3D* Objlist::GetObj(int id) const {
  const ObjItem* item = GetObjItem(id);
  return item != nullptr ? EntityWithId(item, id) : nullptr;
}

void Objlist::IndexItem(ObjItem* item) {
  for (const int id : IdsOf(item->Obj())) {
    if (id == 0) continue;
    auto [slot, inserted] = id_index_.try_emplace(id, item);
    if (inserted || slot->second == item) continue;
    const ObjItem* other = slot->second;
    if (IsMember(other) && EntityWithId(other, id) != nullptr) {
      // Two items share the identifier: only the walk knows which comes first.
      shared_ids_.insert(id);
    } else {
      slot->second = item;
    }
  }
}

void Objlist::UnindexItem(ObjItem* item) {
  for (const int id : IdsOf(item->Obj())) {
    const auto hit = id_index_.find(id);
    if (hit != id_index_.end() && hit->second == item) id_index_.erase(hit);
  }
}

void Objlist::RebuildIndex() {
  id_index_.clear();
  shared_ids_.clear();
  for (ObjItem* item = head_; item != nullptr; item = item->Next())
    IndexItem(item);
}

ObjItem* Objlist::ItemOf(Curve3D* e) const {
  if (e == nullptr) return nullptr;
  const auto hit = id_index_.find(e->Id());
  if (hit != id_index_.end() && IsMember(hit->second) && hit->second->Obj() == e) {
    return hit->second;
  }
  for (ObjItem* item = head_; item != nullptr; item = item->Next()) {
    if (item->Obj() == e) return item;
  }
  return nullptr;
}

// ---- Removing -------------------------------------------------------------------------------

ObjItem* Objlist::RemoveItem(ObjItem* item) {
  if (item == nullptr || !IsMember(item)) return nullptr;
  ChainUnlink(kDocumentChain, head_, tail_, item);
  --count_;
  dirty_ = 1;
  UnindexItem(item);
  members_.erase(item);
  return item;
}

// Remove without rebuilding the selection box, so that a batch rebuilds it once.
ObjItem* Objlist::Detach(ObjItem* item) {
  RemoveSelected(item);
  ReleaseBlockReference(item->Obj());
  RemoveRoofObject(item);
  RemoveItem(item);
  UnlinkFromLayer(item);
  if (IsSectionItem(item)) RemoveSectionArea(item->Obj());
  dirty_ = 1;
  return item;
}

// The item leaves its layer's chain. Normally its entity names the layer; an entity that was
// swapped out (SetObj) or relinked behind the document's back does not, and then the layer whose
// chain holds the item is looked for, so that no chain keeps an item that is about to be deleted.
void Objlist::UnlinkFromLayer(ObjItem* item) {
  LayerBag* linked = item->Layer();
  if (linked != nullptr && linked->Remove(item) != nullptr) return;
  if (layers_ == nullptr) return;
  for (int i = 0; LayerBag* layer = layers_->GetLayer(i); ++i) {
    if (layer != linked && layer->Remove(item) != nullptr) return;
  }
}

ObjItem* Objlist::Remove(ObjItem* item) {
  if (item == nullptr) return nullptr;
  // Only this document's items are on its chains; any other item is left as it is.
  if (!IsMember(item)) return item;
  const bool wasSelected = InSelection(item);
  Detach(item);
  if (wasSelected) RebuildSelectionBox();
  return item;
}

ObjItem* Objlist::RemoveRoofObject(ObjItem* item) {
  if (item == nullptr || !InRoofObjects(item)) return nullptr;
  // A roof leaves the roof list here with the roof work.
  ChainUnlink(kRoofObjectChain, rhead_, rtail_, item);
  dirty_ = 1;
  return item;
}

int Objlist::DeleteItem(ObjItem* item, int withDimensions) {
  if (item == nullptr || !IsMember(item)) return 0;
  return DeleteItems({item}, withDimensions) > 0 ? 1 : 0;
}

int Objlist::DeleteItems(const std::vector<ObjItem*>& items, int withDimensions) {
  Batch batch;
  std::unordered_set<ObjItem*> listed;
  for (ObjItem* item : items)
    Enlist(item, &batch, &listed);
  if (withDimensions != 0) {
    const size_t requested = batch.size();
    for (size_t i = 0; i < requested; ++i)
      EnlistDimensions(batch[i], &batch, &listed);
  }
  return DeleteBatch(&batch, true);
}

void Objlist::Enlist(ObjItem* item, Batch* batch, std::unordered_set<ObjItem*>* listed) const {
  if (item == nullptr || !IsMember(item)) return;
  if (listed->insert(item).second) batch->push_back(item);
}

void Objlist::EnlistDimensions(ObjItem* item, Batch* batch,
                               std::unordered_set<ObjItem*>* listed) const {
  if (item->Obj() == nullptr) return;
  for (Curve3D* dimension : EntitiesOf(item->Obj()->GetAssociatedDimensions(nullptr))) {
    if (dimension->IsSelected() != 0) continue;
    Enlist(ItemOf(dimension), batch, listed);
  }
}

int Objlist::DeleteBatch(Batch* batch, bool withTakeoff) {
  std::unordered_set<ObjItem*> listed(batch->begin(), batch->end());
  bool selectionChanged = false;
  // The batch may grow while it is walked: a roof's excluded entities can join it.
  for (size_t i = 0; i < batch->size(); ++i) {
    ObjItem* item = (*batch)[i];
    Curve3D* e = item->Obj();
    if (withTakeoff) {
      ReleaseOpeningRoofs(e);
      ReleaseRoofExclusions(e, batch, &listed);
      UpdateOtherRoofObjects(e);
    }
    selectionChanged = selectionChanged || InSelection(item);
    Detach(item);
  }
  ForgetRoofs(*batch);
  // An entity leaves the child, exclusion and dimension lists that name it when it is
  // destroyed, so deleting the items is all that is left to do.
  for (ObjItem* item : *batch)
    delete item;
  if (withTakeoff) DeletePendingBlock();
  if (selectionChanged) RebuildSelectionBox();
  return static_cast<int>(batch->size());
}

// The roof list only refers to entities of the document; deleted ones leave it.
void Objlist::ForgetRoofs(const Batch& batch) {
  if (roof_list_ == nullptr) return;
  for (const ObjItem* item : batch) {
    while (roof_list_->Detach(item->Obj()) != nullptr) {
    }
  }
}

bool Objlist::IsOnFormatLayer(const ObjItem* item) const {
  return IsFormatLayerName(item->Layername());
}

void Objlist::Clear(int deleteItems, int clearLayers, int clearBlocks) {
  DeSelectAll(0);
  if (rhead_ != nullptr) refresh_legend_ = 1;

  if (deleteItems != 0) {
    Batch batch;
    for (ObjItem* item = head_; item != nullptr; item = item->Next()) {
      if (clearBlocks != 0 || !IsOnFormatLayer(item)) batch.push_back(item);
    }
    DeleteBatch(&batch, false);
  }

  ext_min_ = Point3D();
  ext_max_ = Point3D();
  lim_min_ = Point3D();
  lim_max_ = Point3D(kClearedLimitsMax, kClearedLimitsMax, 0.0);

  if (clearBlocks != 0 && blocks_ != nullptr) blocks_->Clear();
  if (clearLayers != 0) ClearLayersKeepingUsed();

  if (sections_ != nullptr) sections_->Clear();
  if (legend_ != nullptr) legend_->Clear(1);
  if (roof_list_ != nullptr) {
    roof_list_->Clear(0);
    delete roof_list_;
    roof_list_ = nullptr;
  }

  // Identifiers start again at 1, so the history's records would match unrelated new entities.
  ClearUndoList();
  idno_ = 1;
  used_ids_.clear();
  reserved_.clear();
  // Entities kept on "$FORMAT" keep their identifiers, so those stay taken: no two entities of
  // the document may ever share one.
  for (ObjItem* item = head_; item != nullptr; item = item->Next()) {
    for (const int id : IdsOf(item->Obj()))
      used_ids_.insert(id);
  }
  RebuildIndex();
  dirty_ = 1;
}

// Clearing the layer table while items are kept would leave those entities on a deleted layer;
// the layers that still hold items survive, every other layer is deleted.
void Objlist::ClearLayersKeepingUsed() {
  if (layers_ == nullptr) return;
  std::vector<LayerBag*> kept;
  for (int i = 0; LayerBag* layer = layers_->GetLayer(i); ++i) {
    if (layer->Head() != nullptr) kept.push_back(layer);
  }
  for (LayerBag* layer : kept)
    layers_->Remove(layer);
  layers_->Clear(1);
  for (LayerBag* layer : kept)
    layers_->Add(layer);
}

// ---- Takeoff steps (filled in by the takeoff work) ------------------------------------------

void Objlist::ReleaseOpeningRoofs(Curve3D* /*e*/) {
  // An opening releases the roof named in its "RoofID" or "RoofPlaneID" attribute here.
}

void Objlist::ReleaseRoofExclusions(Curve3D* /*e*/, Batch* /*batch*/,
                                    std::unordered_set<ObjItem*>* /*listed*/) {
  // A roof's excluded entities lose what tied them to it here; those left without a roof join
  // the batch.
}

void Objlist::UpdateOtherRoofObjects(Curve3D* /*e*/) {
  // The other roof objects drop a deleted roof here.
}

void Objlist::RemoveSectionArea(Curve3D* /*e*/) {
  // A section boundary leaves the section list's areas here.
}

void Objlist::DeletePendingBlock() {
  // A block recorded for deletion while deleting is deleted here.
}

void Objlist::UpdateLegend(int /*rebuild*/) {
  // The legend is rebuilt here with the legend work.
}

void Objlist::SetSectionData(int /*all*/) {
  // The section data are recomputed here with the section work.
}

void Objlist::RemoveLegendItem(Curve3D* /*e*/) {
  // An entity leaves the legend here.
}

void Objlist::AddLegendItem(Curve3D* /*e*/) {
  // An entity enters the legend here.
}

void Objlist::SetDimensionsFeetInch(bool b) {
  for (ObjItem* item = head_; item != nullptr; item = item->Next()) {
    if (auto* dimension = dynamic_cast<Dimension3D*>(item->Obj())) {
      dimension->SetFeetInchDisplay(b);
      dimension->ReCalc(0.0);
    }
  }
}

// ---- Chains and queries ---------------------------------------------------------------------

bool Objlist::IsClosed() const {
  return num_selected_ == 1 && shead_ != nullptr && shead_->Obj() != nullptr &&
         shead_->Obj()->IsClosed();
}

int Objlist::Count(int type) const {
  int total = 0;
  for (const ObjItem* item = shead_; item != nullptr; item = item->SNext()) {
    if (item->Obj() != nullptr) total += item->Obj()->Count(type, 0);
  }
  return total;
}

int Objlist::Count(const char* name) const {
  int total = 0;
  for (const ObjItem* item = shead_; item != nullptr; item = item->SNext()) {
    if (item->Obj() != nullptr) total += item->Obj()->Count(name, 0);
  }
  return total;
}

void Objlist::CalcExtents(Point3D* min, Point3D* max, int includeFormat) const {
  Box3D extents;
  bool any = false;
  for (const ObjItem* item = head_; item != nullptr; item = item->Next()) {
    if (includeFormat == 0 && IsOnFormatLayer(item)) continue;
    if (item->Obj() == nullptr) continue;
    const Box3D* box = item->Obj()->Box(0, nullptr);
    if (box == nullptr || box->Size() == 0.0) continue;
    if (any) {
      extents.Append(box);
    } else {
      extents.Set(box);
      any = true;
    }
  }
  if (min != nullptr) *min = *extents.Minpt();
  if (max != nullptr) *max = *extents.Maxpt();
}

const char* Objlist::GetFileVersion() const {
  for (const ObjItem* item = rhead_; item != nullptr; item = item->RNext()) {
    if (item->Obj() != nullptr && item->Obj()->HasV5SmartObject() != 0) return kFileVersionV5;
  }
  return kFileVersionV4;
}

// ---- Selection ------------------------------------------------------------------------------

bool Objlist::InSelection(const ObjItem* item) const {
  return ChainHolds(kSelectionChain, shead_, stail_, item);
}

bool Objlist::InRoofObjects(const ObjItem* item) const {
  return ChainHolds(kRoofObjectChain, rhead_, rtail_, item);
}

void Objlist::AddSelected(ObjItem* item) {
  if (InSelection(item)) return;
  ChainAppend(kSelectionChain, shead_, stail_, item);
  item->Selected(1);
  CountSelected(item);
}

// The selection box is the union of the selected entities' boxes; the first one sets it.
void Objlist::CountSelected(const ObjItem* item) {
  Box3D box;
  if (item->Obj() != nullptr) item->Obj()->Box(0, &box);
  if (num_selected_ == 0) {
    selection_box_.Set(&box);
  } else {
    selection_box_.Append(&box);
  }
  ++num_selected_;
}

void Objlist::RemoveSelected(ObjItem* item) {
  if (!InSelection(item)) return;
  ChainUnlink(kSelectionChain, shead_, stail_, item);
  item->Selected(0);
  --num_selected_;
}

void Objlist::RebuildSelectionBox() {
  selection_box_.Zero();
  num_selected_ = 0;
  for (const ObjItem* item = shead_; item != nullptr; item = item->SNext())
    CountSelected(item);
}

int Objlist::SelectItemById(int id, bool select) {
  ObjItem* item = GetObjItem(id);
  if (item == nullptr) return 0;
  if (select) {
    AddSelected(item);
  } else if (InSelection(item)) {
    RemoveSelected(item);
    RebuildSelectionBox();
  }
  return 1;
}

void Objlist::DeSelectAll(int /*all*/) {
  ObjItem* item = shead_;
  while (item != nullptr) {
    ObjItem* next = item->SNext();
    item->SPrev(nullptr);
    item->SNext(nullptr);
    item->Selected(0);
    if (item->Obj() != nullptr) item->Obj()->SegmentFlush();
    item = next;
  }
  shead_ = stail_ = nullptr;
  num_selected_ = 0;
  selection_box_.Zero();
  if (corner_boxes_ != nullptr) corner_boxes_->Flush();
  grip_vertices_.reset();
}

// ---- Layers ---------------------------------------------------------------------------------

LayerBag* Objlist::Layer(const char* name) const {
  return layers_ != nullptr ? layers_->Search(name) : nullptr;
}

int Objlist::NoofLayers() const {
  return layers_ != nullptr ? layers_->NoofLayers() : 0;
}

LayerBag* Objlist::CurrentLayer() const {
  return layers_ != nullptr ? layers_->CurrentLayer() : nullptr;
}

LayerBag* Objlist::CurrentLayer(const char* name) {
  return CurrentLayer(Layer(name));
}

LayerBag* Objlist::CurrentLayer(LayerBag* layer) {
  if (layers_ == nullptr) return nullptr;
  const LayerBag* previous = layers_->CurrentLayer();
  if (layers_->CurrentLayer(layer) == nullptr) return nullptr;
  const bool wasHidden = previous != nullptr && !previous->IsLayerVisible();
  if (!layer->IsLayerVisible() || wasHidden) UpdateLegend(1);
  return layer;
}

const char* Objlist::LayerName() const {
  return layers_ != nullptr ? layers_->LayerName() : nullptr;
}

const char* Objlist::LayerName(const char* name) {
  if (layers_ == nullptr) return nullptr;
  if (layers_->LayerName(name) == nullptr) return nullptr;
  LayerBag* layer = layers_->CurrentLayer();
  for (ObjItem* item = layer->Head(); item != nullptr; item = item->LNext()) {
    item->Layername(layer->LayerName());
  }
  dirty_ = 1;
  return name;
}

char* Objlist::ObjLayer(char* buffer) const {
  if (buffer == nullptr) return nullptr;
  std::memset(buffer, 0, kObjLayerBufferSize);
  if (shead_ == nullptr) return buffer;
  const char* shared = shead_->Layername();
  for (const ObjItem* item = shead_->SNext(); item != nullptr; item = item->SNext()) {
    const char* name = item->Layername();
    if (shared == nullptr || name == nullptr || lstrcmpiA(shared, name) != 0) return buffer;
  }
  CopyFixedText(buffer, kObjLayerBufferSize, shared);
  return buffer;
}

LayerBag* Objlist::SetObjLayer(const char* name) {
  LayerBag* layer = Layer(name);
  if (layer == nullptr) return nullptr;
  for (ObjItem* item = shead_; item != nullptr; item = item->SNext()) {
    const char* current = item->Layername();
    if (current != nullptr && lstrcmpiA(current, layer->LayerName()) == 0) continue;
    const bool wasFormat = IsFormatLayerName(current);
    if (LayerBag* old = item->Layer()) old->Remove(item);
    layer->Add(item);
    item->Layer(layer);
    const bool isFormat = IsFormatLayerName(layer->LayerName());
    if (item->Obj() != nullptr && item->Obj()->HasSmartObject() != 0 && wasFormat != isFormat) {
      if (isFormat) {
        RemoveLegendItem(item->Obj());
      } else {
        AddLegendItem(item->Obj());
      }
    }
    dirty_ = 1;
  }
  return layer;
}

Objlist::Batch Objlist::ItemsOnLayer(const LayerBag* layer) const {
  Batch items;
  for (ObjItem* item = layer->Head(); item != nullptr; item = item->LNext()) {
    if (IsMember(item)) items.push_back(item);
  }
  return items;
}

int Objlist::DeleteByLayer(const char* name) {
  LayerBag* layer = Layer(name);
  if (layer == nullptr) return 0;
  DeSelectAll(0);
  const Batch items = ItemsOnLayer(layer);
  bool sectionDeleted = false;
  for (const ObjItem* item : items)
    sectionDeleted = sectionDeleted || IsSectionItem(item);
  DeleteItems(items, 1);
  dirty_ = 1;
  if (sectionDeleted) SetSectionData(1);
  UpdateLegend(1);
  return 1;
}

int Objlist::DeleteLayer(const char* name, int deleteItems) {
  return DeleteLayer(Layer(name), deleteItems);
}

int Objlist::DeleteLayer(LayerBag* layer, int deleteItems) {
  if (layers_ == nullptr || layer == nullptr || !layers_->Contains(layer)) return 0;
  DeSelectAll(0);
  if (deleteItems != 0) {
    const Batch items = ItemsOnLayer(layer);
    bool sectionDeleted = false;
    for (const ObjItem* item : items)
      sectionDeleted = sectionDeleted || IsSectionItem(item);
    DeleteItems(items, 1);
    if (!items.empty()) dirty_ = 1;
    if (sectionDeleted) SetSectionData(1);
    if (!items.empty() && !sectionDeleted) UpdateLegend(1);
  }
  if (layer->Head() != nullptr) return 0;
  return layers_->Delete(layer);
}

void Objlist::DeSelectLayer() {
  const LayerBag* current = CurrentLayer();
  ObjItem* item = shead_;
  while (item != nullptr) {
    ObjItem* next = item->SNext();
    if (current != nullptr && item->Layer() == current) {
      RemoveSelected(item);
      if (item->Obj() != nullptr) item->Obj()->SegmentFlush();
    }
    item = next;
  }
  RebuildSelectionBox();
  refresh_legend_ = 1;
}

void Objlist::ClearEplan() {
  Batch items;
  for (ObjItem* item = head_; item != nullptr; item = item->Next()) {
    const LayerBag* layer = item->Layer();
    if (layer != nullptr && layer->IsEplanLayer()) items.push_back(item);
  }
  DeleteItems(items, 0);
  if (layers_ != nullptr) layers_->ClearEplanLayers();
}

// ---- Settings -------------------------------------------------------------------------------

bool Objlist::SetDimensionFeetInch(bool b) {
  if (b == dimension_feet_inch_) return b;
  dimension_feet_inch_ = b;
  SetDimensionsFeetInch(b);
  return b;
}

bool Objlist::SetDisplayFeetInch(bool b) {
  if (legend_ != nullptr) legend_->SetFeetInches(b);
  return b;
}

int Objlist::SetCurrentRoofId(int id) {
  current_roof_id_ = id;
  return 1;
}

void Objlist::SetExtents(const Point3D* min, const Point3D* max) {
  if (min != nullptr) ext_min_ = *min;
  if (max != nullptr) ext_max_ = *max;
}

void Objlist::SetLimits(const Point3D* min, const Point3D* max) {
  if (min != nullptr) lim_min_ = *min;
  if (max != nullptr) lim_max_ = *max;
  if (viewport_ != nullptr) viewport_->SetLimits(&lim_min_, &lim_max_);
}

void Objlist::GetExtents(Point3D* min, Point3D* max) const {
  if (min != nullptr) *min = ext_min_;
  if (max != nullptr) *max = ext_max_;
}

void Objlist::GetLimits(Point3D* min, Point3D* max) const {
  if (min != nullptr) *min = lim_min_;
  if (max != nullptr) *max = lim_max_;
}

int Objlist::RefreshLegend(int reset) {
  if (reset == 0) return refresh_legend_;
  return refresh_legend_ = 0;
}

int Objlist::RefreshSections(int reset) {
  if (reset == 0) return refresh_sections_;
  return refresh_sections_ = 0;
}
