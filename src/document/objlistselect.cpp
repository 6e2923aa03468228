// The selection list by command (select all, next and previous, by roof, by smart object), the
// queries the host asks about the selection, and the grips drawn around it.

#include <new>
#include <vector>

#include "detail/fixedtext.h"
#include "document/layerbag.h"
#include "document/objlist.h"
#include "entities/curve3d.h"
#include "entities/entitytype.h"
#include "entities/multi3d.h"
#include "geometry/dblclist.h"
#include "geometry/dblplist.h"
#include "geometry/dblrlist.h"

namespace {

constexpr const char* kNoObjectSelected = "<No Object Selected>";
constexpr const char* kMultipleSelection = "<Multiple Selection>";

// Large enough for any name an entity gives: its own (50 characters) or a smart object's.
constexpr int kNameBufferSize = 256;

// The eight grips around the selection rectangle, numbered clockwise from the top-left corner,
// so that a grip and the one four steps further on lie opposite each other.
constexpr int kGripTopLeft = -1;
constexpr int kGripLeftMiddle = -8;
constexpr int kRectangleGrips = 8;
// The two end grips of a single selected line.
constexpr int kGripLineStart = -10;
constexpr int kGripLineEnd = -11;

// The mode of SetCornerBoxes: the rectangle (or line end) grips, or an outline's vertex grips.
constexpr int kGripModeRectangle = 0;
constexpr int kGripModeVertices = 1;

Multi3D* AsOutline(Curve3D* e) {
  return e != nullptr && e->Type() == kEntityPolyline ? dynamic_cast<Multi3D*>(e) : nullptr;
}

bool IsKind(Curve3D* e, int type) {
  return e != nullptr && e->Type() == type;
}

bool IsRectangleGrip(int grip) {
  return grip <= kGripTopLeft && grip >= kGripLeftMiddle;
}

int OppositeRectangleGrip(int grip) {
  const int step = -grip - 1;  // 0 for the top-left grip, clockwise
  return -((step + kRectangleGrips / 2) % kRectangleGrips) - 1;
}

// The device point of a rectangle grip: corners at the rectangle's corners, side grips halfway
// along the sides.
POINT RectangleGripPoint(const RECT& r, int grip) {
  const LONG midX = r.left + (r.right - r.left) / 2;
  const LONG midY = r.top + (r.bottom - r.top) / 2;
  switch (grip) {
    case -1:
      return {r.left, r.top};
    case -2:
      return {midX, r.top};
    case -3:
      return {r.right, r.top};
    case -4:
      return {r.right, midY};
    case -5:
      return {r.right, r.bottom};
    case -6:
      return {midX, r.bottom};
    case -7:
      return {r.left, r.bottom};
    default:
      return {r.left, midY};
  }
}

POINT ToPoint(const tagLPOINT& lp) {
  return {lp.x, lp.y};
}

// The 1-based positions of the outline's segments that carry the smart object asked for.
template <typename Carries>
std::vector<int> CarryingSegments(Multi3D* outline, Carries carries) {
  std::vector<int> positions;
  int n = 0;
  DblclistIterator it(outline->GetCurveList());
  while (Curve3D* segment = it.Next()) {
    ++n;
    if (carries(segment)) positions.push_back(n);
  }
  return positions;
}

// Takes the marks off the carrying segments; true when any was marked.
template <typename Carries>
bool UnmarkCarryingSegments(Multi3D* outline, Carries carries) {
  bool unmarked = false;
  for (const int n : CarryingSegments(outline, carries)) {
    Curve3D* segment = outline->Segment(n);
    if (segment->IsSelected() == 0) continue;
    segment->Selected(0);
    unmarked = true;
  }
  return unmarked;
}

}  // namespace

// ---- Selection by command -------------------------------------------------------------------

bool Objlist::CanSelect(const ObjItem* item) const {
  if (item == nullptr || item->Obj() == nullptr) return false;
  const LayerBag* layer = item->Layer();
  return layer == nullptr || !layer->IsLayerFrozen();
}

void Objlist::SelectWhole(ObjItem* item) {
  AddSelected(item);
  if (Multi3D* outline = AsOutline(item->Obj())) outline->SelectAll();
}

int Objlist::SelectAll(int which) {
  DeSelectAll(0);
  const LayerBag* current = CurrentLayer();
  for (ObjItem* item = head_; item != nullptr; item = item->Next()) {
    if (!CanSelect(item)) continue;
    const LayerBag* layer = item->Layer();
    const bool wanted = which == 0 ? layer != nullptr && layer == current
                                   : layer == nullptr || !layer->IsEplanLayer();
    if (wanted) SelectWhole(item);
  }
  return num_selected_;
}

int Objlist::StepSelection(bool forward) {
  if (num_selected_ != 1 || shead_ == nullptr) return 0;
  ObjItem* from = shead_;
  const auto step = [this, forward](ObjItem* item) {
    ObjItem* next = forward ? item->Next() : item->Prev();
    return next != nullptr ? next : (forward ? head_ : tail_);
  };
  ObjItem* target = step(from);
  while (target != from && !CanSelect(target))
    target = step(target);
  if (target == from) return 0;
  DeSelectAll(0);
  SelectWhole(target);
  return 1;
}

int Objlist::SelectNext() {
  return StepSelection(true);
}

int Objlist::SelectPrev() {
  return StepSelection(false);
}

int Objlist::SelectRoofItems(int roof) {
  // Smart objects not yet given to a roof carry roof 0; no roof has identifier 0 or below.
  if (roof <= 0) return 0;
  int added = 0;
  for (ObjItem* item = head_; item != nullptr; item = item->Next()) {
    if (!CanSelect(item) || InSelection(item)) continue;
    Curve3D* e = item->Obj();
    if (e->Id() != roof && e->HasRoofId(roof) == 0) continue;
    SelectWhole(item);
    ++added;
  }
  return added;
}

template <typename Carries>
int Objlist::SelectCarrying(Carries carries) {
  int changed = 0;
  for (ObjItem* item = head_; item != nullptr; item = item->Next()) {
    if (!CanSelect(item)) continue;
    Curve3D* e = item->Obj();
    Multi3D* outline = AsOutline(e);
    const bool wasSelected = InSelection(item);
    if (carries(e)) {
      const bool complete = outline == nullptr || outline->AllSegmentSelected() != 0;
      if (wasSelected && complete) continue;
      SelectWhole(item);
      ++changed;
      continue;
    }
    if (outline == nullptr) continue;
    const std::vector<int> carriers = CarryingSegments(outline, carries);
    if (carriers.empty()) continue;
    // An outline that was not selected starts without marks, so only the carriers end marked.
    if (!wasSelected) outline->Selected(0);
    bool marked = false;
    for (const int n : carriers) {
      if (outline->Segment(n)->IsSelected() != 0) continue;
      outline->SelectSegment(n);  // toggles: only ever called on an unmarked segment
      marked = true;
    }
    if (!marked) continue;
    AddSelected(item);
    ++changed;
  }
  return changed;
}

template <typename Carries>
int Objlist::DeselectCarrying(Carries carries) {
  int changed = 0;
  ObjItem* item = shead_;
  while (item != nullptr) {
    ObjItem* next = item->SNext();
    Curve3D* e = item->Obj();
    Multi3D* outline = AsOutline(e);
    bool unmarked = false;
    bool leaves = e != nullptr && carries(e);
    if (!leaves && outline != nullptr) {
      unmarked = UnmarkCarryingSegments(outline, carries);
      leaves = unmarked && outline->IsSegmentSelected() == 0;
    }
    if (leaves) {
      RemoveSelected(item);
      e->SegmentFlush();
    }
    if (leaves || unmarked) ++changed;
    item = next;
  }
  if (changed != 0) RebuildSelectionBox();
  return changed;
}

int Objlist::SelectSmartObject(const char* name) {
  if (name == nullptr || *name == '\0') return 0;
  return SelectCarrying([name](Curve3D* e) { return e->GetSmartObject(name) != nullptr; });
}

int Objlist::DeselectSmartObject(const char* name) {
  if (name == nullptr || *name == '\0') return 0;
  return DeselectCarrying([name](Curve3D* e) { return e->GetSmartObject(name) != nullptr; });
}

int Objlist::SelectSmartObjectByProp(int type) {
  return SelectCarrying([type](Curve3D* e) { return e->HasSmartObjectType(type) != nullptr; });
}

int Objlist::DeselectSmartObjectByProp(int type) {
  return DeselectCarrying([type](Curve3D* e) { return e->HasSmartObjectType(type) != nullptr; });
}

void Objlist::ReScanSelected() {
  RebuildSelectionBox();
}

// ---- Questions about the selection ----------------------------------------------------------

bool Objlist::IsItemStretchable(Curve3D* e) const {
  if (e == nullptr || e->HasSmartObject() == 0) return true;
  switch (e->Type()) {
    case kEntityArc:
    case kEntityCircle:
      return false;
    case kEntityPolyline: {
      Multi3D* outline = AsOutline(e);
      return outline == nullptr || outline->HasArcSegments() == 0;
    }
    default:
      return true;
  }
}

bool Objlist::IsSelectionStretchable() const {
  for (const ObjItem* item = shead_; item != nullptr; item = item->SNext()) {
    if (!IsItemStretchable(item->Obj())) return false;
  }
  return true;
}

int Objlist::IsInsertSelected() const {
  for (const ObjItem* item = shead_; item != nullptr; item = item->SNext()) {
    if (IsKind(item->Obj(), kEntityInsert)) return 1;
  }
  return 0;
}

namespace {

// The one selected entity when it is of that kind; null otherwise.
Curve3D* SingleOfKind(const ObjItem* head, int count, int type) {
  if (count != 1 || head == nullptr || !IsKind(head->Obj(), type)) return nullptr;
  return head->Obj();
}

// The one entity of that kind in the selection when everything else is a dimension.
Curve3D* OnlyOneBesideDimensions(const ObjItem* head, int type) {
  Curve3D* found = nullptr;
  for (const ObjItem* item = head; item != nullptr; item = item->SNext()) {
    Curve3D* e = item->Obj();
    if (IsKind(e, kEntityDimension)) continue;
    if (!IsKind(e, type) || found != nullptr) return nullptr;
    found = e;
  }
  return found;
}

}  // namespace

Curve3D* Objlist::IsSelectedObjText() const {
  return SingleOfKind(shead_, num_selected_, kEntityText);
}

Curve3D* Objlist::IsSelectedObjDimension() const {
  return SingleOfKind(shead_, num_selected_, kEntityDimension);
}

Curve3D* Objlist::IsSelectedObjMultiLine() const {
  Curve3D* found = OnlyOneBesideDimensions(shead_, kEntityPolyline);
  return AsOutline(found);
}

Curve3D* Objlist::IsSelectedObjImage() const {
  return OnlyOneBesideDimensions(shead_, kEntityImage);
}

const char* Objlist::ObjectDescription() {
  if (num_selected_ == 0 || shead_ == nullptr) return kNoObjectSelected;
  if (num_selected_ > 1) return kMultipleSelection;
  if (shead_->Obj() == nullptr) return "";
  // The entity's own name field: it lives as long as the entity, which the document owns.
  const char* name = shead_->Obj()->Name(1, nullptr);
  return name != nullptr ? name : "";
}

char* Objlist::ObjectName(char* buffer, int size) {
  if (buffer == nullptr || size < 1) return nullptr;
  if (num_selected_ == 0 || shead_ == nullptr) {
    return CopyFixedText(buffer, static_cast<size_t>(size), kNoObjectSelected);
  }
  if (num_selected_ > 1)
    return CopyFixedText(buffer, static_cast<size_t>(size), kMultipleSelection);
  Curve3D* e = shead_->Obj();
  if (e == nullptr) return CopyFixedText(buffer, static_cast<size_t>(size), "");
  // A raster image is known by its file name; until images have their own class the image
  // answers with its entity name like any other entity.
  char name[kNameBufferSize] = {};
  const char* text = e->Name(0, name);
  return CopyFixedText(buffer, static_cast<size_t>(size), text);
}

// ---- Grips ----------------------------------------------------------------------------------

int Objlist::SetCornerBoxes(int mode) {
  if (corner_boxes_ == nullptr) corner_boxes_.reset(new (std::nothrow) DblRlist);
  if (corner_boxes_ == nullptr) return 0;
  corner_boxes_->Flush();
  grip_vertices_.reset();
  if (num_selected_ == 0 || shead_ == nullptr || shead_->Obj() == nullptr) return 0;
  Curve3D* single = num_selected_ == 1 ? shead_->Obj() : nullptr;

  if (mode == kGripModeRectangle) {
    if (IsKind(single, kEntityLine)) {
      tagLPOINT start{}, end{};
      WpToLp(single->Spt(), &start);
      WpToLp(single->Ept(), &end);
      const POINT startPoint = ToPoint(start), endPoint = ToPoint(end);
      corner_boxes_->Add(&startPoint, kGripLineStart);
      corner_boxes_->Add(&endPoint, kGripLineEnd);
      return corner_boxes_->Num();
    }
    RECT r{};
    BoxToRect(&selection_box_, &r);
    for (int grip = kGripTopLeft; grip >= kGripLeftMiddle; --grip) {
      const POINT device = RectangleGripPoint(r, grip);
      tagLPOINT logical{};
      DpToLp(&device, &logical);
      const POINT centre = ToPoint(logical);
      corner_boxes_->Add(&centre, grip);
    }
    return corner_boxes_->Num();
  }

  if (mode == kGripModeVertices) {
    Multi3D* outline = AsOutline(single);
    if (outline == nullptr) return 0;
    grip_vertices_.reset(outline->GetVertices(0));
    if (grip_vertices_ == nullptr) return 0;
    int k = 1;
    DblPlistIterator it(grip_vertices_.get());
    while (DblPitem* vertex = it.Next()) {
      tagLPOINT logical{};
      WpToLp(vertex->Point(), &logical);
      const POINT centre = ToPoint(logical);
      corner_boxes_->Add(&centre, k++);
    }
    return corner_boxes_->Num();
  }
  return 0;
}

int Objlist::PtInCornerBoxes(const tagPOINT* dp) {
  if (dp == nullptr || corner_boxes_ == nullptr) return 0;
  tagLPOINT logical{};
  DpToLp(dp, &logical);
  const POINT point = ToPoint(logical);
  DblRlistIterator it(corner_boxes_.get());
  while (DblRitem* grip = it.Next()) {
    if (grip->PtIn(&point)) return grip->Id();
  }
  return 0;
}

int Objlist::GetRectOppositeCorner(int grip, tagLPOINT* a, tagLPOINT* b, tagLPOINT* c) {
  if (num_selected_ == 0 || shead_ == nullptr) return 0;
  int opposite = 0;
  tagLPOINT fixed{};
  RECT r{};
  BoxToRect(&selection_box_, &r);
  if (IsRectangleGrip(grip)) {
    opposite = OppositeRectangleGrip(grip);
    const POINT device = RectangleGripPoint(r, opposite);
    DpToLp(&device, &fixed);
  } else if (grip == kGripLineStart || grip == kGripLineEnd) {
    Curve3D* line = num_selected_ == 1 ? shead_->Obj() : nullptr;
    if (!IsKind(line, kEntityLine)) return 0;
    opposite = grip == kGripLineStart ? kGripLineEnd : kGripLineStart;
    WpToLp(opposite == kGripLineStart ? line->Spt() : line->Ept(), &fixed);
  } else {
    return 0;
  }
  if (a != nullptr) *a = fixed;
  const POINT lowerLeft{r.left, r.bottom}, upperRight{r.right, r.top};
  if (b != nullptr) DpToLp(&lowerLeft, b);
  if (c != nullptr) DpToLp(&upperRight, c);
  return opposite;
}
