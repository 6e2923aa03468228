#include "entities/curve3d.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

#include "detail/fixedtext.h"
#include "document/layerbag.h"
#include "entities/dimension3d.h"
#include "geometry/tolerance.h"
#include "render/colours.h"
#include "settings/hostglobals.h"
#include "takeoff/smartobjecttypes.h"
#include "takeoff/tsodata.h"
#include "takeoff/ttgattriblist.h"
#include "takeoff/ttgattribute.h"

namespace {

// Takeoff item types the reference lists react to.
constexpr int kRoofOpeningType = 6110;
constexpr int kPitchedOpeningType = 6151;

// Attribute addressing used by the base: property source 1 (template or user), property type 7
// (pitch), data types 2 (double) and 3 (string).
constexpr int kSourceTemplate = 1;
constexpr int kPropertyPitch = 7;
constexpr int kDataDouble = 2;
constexpr int kDataString = 3;
constexpr const char* kNameTag = "Name";
// Attribute values are read into buffers of this size.
constexpr int kAttrBufferSize = 50;

// A heap copy of text; null for null text or when out of memory.
std::unique_ptr<char[]> DuplicateText(const char* text) {
  if (text == nullptr) return nullptr;
  const size_t size = std::strlen(text) + 1;
  std::unique_ptr<char[]> copy(new (std::nothrow) char[size]);
  if (copy) std::memcpy(copy.get(), text, size);
  return copy;
}

// The plan cross product a x b.
double Cross2D(double ax, double ay, double bx, double by) {
  return ax * by - ay * bx;
}

}  // namespace

// ---- Construction -------------------------------------------------------------------------

Curve3D::Curve3D(int colour, int lineType, int thickness, int fillColour, int fillPattern)
    : fill_colour_(fillColour),
      fill_pattern_(fillPattern),
      colour_(colour),
      line_type_(lineType),
      thickness_(thickness) {
  InitBox();
}

Curve3D::Curve3D(const Point3D* spt, const Point3D* ept, int colour, int lineType, int thickness,
                 int fillColour, int fillPattern)
    : fill_colour_(fillColour),
      fill_pattern_(fillPattern),
      colour_(colour),
      line_type_(lineType),
      thickness_(thickness),
      spt_(spt),
      ept_(ept) {
  InitBox();
}

Curve3D::Curve3D(double x1, double y1, double z1, double x2, double y2, double z2, int colour,
                 int lineType, int thickness, int fillColour, int fillPattern)
    : fill_colour_(fillColour),
      fill_pattern_(fillPattern),
      colour_(colour),
      line_type_(lineType),
      thickness_(thickness) {
  spt_.set(x1, y1, z1);
  ept_.set(x2, y2, z2);
  InitBox();
}

Curve3D::Curve3D(const Curve3D* src) : Curve3D() {
  if (src != nullptr) CopyFrom(*src);
}

Curve3D::Curve3D(const Curve3D& src) : Curve3D() {
  CopyFrom(src);
}

Curve3D& Curve3D::operator=(const Curve3D& src) {
  Set(const_cast<Curve3D*>(&src));
  return *this;
}

void Curve3D::InitBox() {
  local_spt_ = spt_;
  local_ept_ = ept_;
  box_.Set(&spt_);
  box_.Append(&ept_);
}

// Everything but the reference lists, which a copy starts without, and the segment position,
// which belongs to the outline the source was appended to.
void Curve3D::CopyFrom(const Curve3D& src) {
  spt_ = src.spt_;
  ept_ = src.ept_;
  local_spt_ = src.local_spt_;
  local_ept_ = src.local_ept_;
  box_ = src.box_;
  colour_ = src.colour_;
  line_type_ = src.line_type_;
  thickness_ = src.thickness_;
  fill_colour_ = src.fill_colour_;
  fill_pattern_ = src.fill_pattern_;
  smart_objects_ = CopySmartObjects(src.smart_objects_.get());
  tflag_ = src.tflag_;
  legacy_type_ = src.legacy_type_;
  legacy_pitch_ = src.legacy_pitch_;
  CopyGuidIfSet(guid_, src.guid_);
  CopyGuidIfSet(owner_guid_, src.owner_guid_);
  CopyGuidIfSet(layer_guid_, src.layer_guid_);
  id_ = src.id_;
  state_ = src.state_;
  type_ = src.type_;
  selected_ = src.selected_;
  segment_ = src.segment_;
  frozen_ = src.frozen_;
  CopyFixedText(name_, src.name_);
  sect_flag_ = src.sect_flag_;
  section_name_ = DuplicateText(src.section_name_.get());
  layer_ = src.layer_;
  layer_name_ =
      DuplicateText(src.layer_ != nullptr ? src.layer_->LayerName() : src.layer_name_.get());
}

// A deep copy; an empty or missing list gives none, since an entity never keeps an empty list.
std::unique_ptr<TSmartObjectList> Curve3D::CopySmartObjects(const TSmartObjectList* src) {
  if (src == nullptr || src->Num() == 0) return nullptr;
  std::unique_ptr<TSmartObjectList> copy(new (std::nothrow) TSmartObjectList(*src));
  if (copy && copy->Num() == 0) copy.reset();
  return copy;
}

void Curve3D::CopyGuidIfSet(char (&dst)[kEntityGuidSize], const char* src) {
  CopyFixedText(dst, src != nullptr && src[0] != '\0' ? src : "");
}

Curve3D::~Curve3D() {
  ForgetDimensions();
  ResetRefList(exclusions_);
  ResetRefList(children_);
  // Whoever still lists this entity forgets it, so no list is left pointing at freed memory.
  const std::vector<Curve3D*> referrers = std::move(referrers_);
  for (Curve3D* referrer : referrers)
    referrer->ForgetDestroyed(this);
}

Curve3D* Curve3D::Copy() {
  return new (std::nothrow) Curve3D(*this);
}

Curve3D* Curve3D::Set(Curve3D* src) {
  if (src == nullptr || src == this) return this;
  spt_ = src->spt_;
  ept_ = src->ept_;
  local_spt_ = src->local_spt_;
  local_ept_ = src->local_ept_;
  box_ = src->box_;
  colour_ = src->colour_;
  fill_colour_ = src->fill_colour_;
  line_type_ = src->line_type_;
  thickness_ = src->thickness_;
  legacy_type_ = src->legacy_type_;
  tflag_ = src->tflag_;
  sect_flag_ = src->sect_flag_;
  id_ = src->id_;
  segment_position_ = src->segment_position_;
  state_ = src->state_;
  segment_ = src->segment_;
  legacy_pitch_ = src->legacy_pitch_;
  CopyFixedText(name_, src->name_);
  smart_objects_ = CopySmartObjects(src->smart_objects_.get());
  CopyGuidIfSet(guid_, src->guid_);
  CopyGuidIfSet(owner_guid_, src->owner_guid_);
  CopyGuidIfSet(layer_guid_, src->layer_guid_);
  State(kStateGeometryChanged);
  return this;
}

// ---- Reference lists ----------------------------------------------------------------------

void Curve3D::RefListDeleter::operator()(Dblclist* list) const {
  if (list == nullptr) return;
  list->Clear(0);
  delete list;
}

int Curve3D::AddToRefList(RefList& list, Curve3D* e) {
  if (!list) list.reset(new (std::nothrow) Dblclist());
  if (!list) return 0;
  const int before = list->Num();
  if (list->Add(e) == nullptr && list->Num() == 0) list.reset();
  if (list && list->Num() > before) e->referrers_.push_back(this);
  return list ? list->Num() : 0;
}

int Curve3D::DetachFromRefList(RefList& list, Curve3D* e) {
  if (!list) return 0;
  if (list->Detach(e) != nullptr) e->DropReferrer(this);
  if (list->Num() == 0) list.reset();
  return list ? list->Num() : 0;
}

void Curve3D::ResetRefList(RefList& list) {
  if (!list) return;
  DblclistIterator it(list.get());
  while (Curve3D* e = it.Next())
    e->DropReferrer(this);
  list.reset();
}

void Curve3D::ForgetDestroyed(Curve3D* e) {
  for (RefList* list : {&dimensions_, &exclusions_, &children_}) {
    if (!*list) continue;
    while ((*list)->Detach(e) != nullptr) {
    }
    if ((*list)->Num() == 0) list->reset();
  }
}

void Curve3D::DropReferrer(Curve3D* referrer) {
  const auto it = std::find(referrers_.begin(), referrers_.end(), referrer);
  if (it != referrers_.end()) referrers_.erase(it);
}

template <typename Op>
void Curve3D::MoveUnselectedChildren(Op op) {
  if (!children_) return;
  DblclistIterator it(children_.get());
  while (Curve3D* child = it.Next()) {
    if (child->IsSelected()) continue;
    // Marked while it moves, so that its own children follow it and a child that refers back
    // to this entity is not moved twice.
    child->Selected(1);
    op(child);
    child->Selected(0);
  }
}

int Curve3D::AddChild(Curve3D* e, bool keepPosition) {
  if (e == nullptr || e == this) return HasChildren();
  const bool known = children_ && children_->Contains(e) != nullptr;
  if (!known) {
    if (AddToRefList(children_, e) == 0) return 0;
    if (keepPosition) {
      e->ResetLocalCoords(&spt_);
    } else {
      e->ResetGlobalCoords(&spt_);
    }
    if (e->HasSmartObject() > 0) e->SetOwnerGuid(GetRoofGuid(nullptr));
  }
  if (e->HasSmartObjectType(kRoofOpeningType) != nullptr) AddExclusion(e);
  return HasChildren();
}

int Curve3D::RemoveChild(Curve3D* e) {
  if (e == nullptr) return HasChildren();
  const int left = DetachFromRefList(children_, e);
  RemoveExclusion(e);
  return left;
}

int Curve3D::ClearChildren() {
  ResetRefList(children_);
  return 1;
}

Dblclist* Curve3D::GetChildList() {
  return children_.get();
}

int Curve3D::HasChildren() {
  return children_ ? children_->Num() : 0;
}

int Curve3D::AddExclusion(Curve3D* e) {
  if (e == nullptr || e == this) return HasExclusions();
  AddToRefList(exclusions_, e);
  if (e->HasSmartObjectType(kPitchedOpeningType) != nullptr) {
    // A pitched opening takes the pitch of the roof it is cut out of.
    char pitch[kAttrBufferSize] = {};
    if (GetAttr(kSourceTemplate, kPropertyPitch, pitch) != 0)
      e->SetAttr(kSourceTemplate, kPropertyPitch, kDataDouble, pitch);
  }
  return HasExclusions();
}

int Curve3D::RemoveExclusion(Curve3D* e) {
  if (e == nullptr) return HasExclusions();
  return DetachFromRefList(exclusions_, e);
}

int Curve3D::ClearExclusions() {
  ResetRefList(exclusions_);
  return 1;
}

Dblclist* Curve3D::GetExcludeList() {
  return exclusions_.get();
}

int Curve3D::HasExclusions() {
  return exclusions_ ? exclusions_->Num() : 0;
}

int Curve3D::AddDimension(Curve3D* d) {
  if (d == nullptr || d == this) return Dimensions();
  if (dimensions_ && dimensions_->Contains(d) != nullptr) return Dimensions();
  if (AddToRefList(dimensions_, d) == 0) return 0;
  TellDimension(d, DimensionNotice::kAssociated);
  return Dimensions();
}

int Curve3D::RemoveDimension(Curve3D* d) {
  if (d == nullptr || !dimensions_ || dimensions_->Contains(d) == nullptr) return Dimensions();
  const int left = DetachFromRefList(dimensions_, d);
  TellDimension(d, DimensionNotice::kDissociated);
  return left;
}

int Curve3D::ClearDimensions() {
  ForgetDimensions();
  return 1;
}

void Curve3D::ForgetDimensions() {
  if (!dimensions_) return;
  DblclistIterator it(dimensions_.get());
  while (Curve3D* d = it.Next())
    TellDimension(d, DimensionNotice::kDissociated);
  ResetRefList(dimensions_);
}

Dblclist* Curve3D::GetAssociatedDimensions(Dblclist* list) {
  if (list == nullptr) return dimensions_.get();
  if (!dimensions_) return list;
  DblclistIterator it(dimensions_.get());
  while (Curve3D* d = it.Next())
    list->Add(d);
  return list;
}

int Curve3D::Dimensions() {
  return dimensions_ ? dimensions_->Num() : 0;
}

void Curve3D::ReCalcDimensions() {
  if (!dimensions_) return;
  DblclistIterator it(dimensions_.get());
  while (Curve3D* d = it.Next())
    TellDimension(d, DimensionNotice::kRecalculate);
}

// An entity of another kind on the list is only listed; dimensions follow what they measure.
// While a dimension is being destroyed it is no longer a Dimension3D, and is passed over.
void Curve3D::TellDimension(Curve3D* dimension, DimensionNotice notice) {
  auto* measuring = dynamic_cast<Dimension3D*>(dimension);
  if (measuring == nullptr) return;
  switch (notice) {
    case DimensionNotice::kAssociated:
      measuring->OnAssociated(this);
      break;
    case DimensionNotice::kDissociated:
      measuring->OnDissociated(this);
      break;
    case DimensionNotice::kRecalculate:
      measuring->OnMeasuredChanged(this);
      break;
  }
}

void Curve3D::ResetLocalCoords(const Point3D* origin) {
  if (origin == nullptr) return;
  local_spt_.set(&spt_)->sub(origin);
  local_ept_.set(&ept_)->sub(origin);
  State(kStateChanged);
}

void Curve3D::ResetGlobalCoords(const Point3D* origin) {
  if (origin == nullptr) return;
  Point3D moved(&local_spt_);
  moved.add(origin);
  Point3D offset(&moved);
  offset.sub(&spt_);
  spt_.set(&moved);
  ept_.add(&offset);
  Calcbox();
}

void Curve3D::ResetChildCoords() {
  if (!children_) return;
  DblclistIterator it(children_.get());
  while (Curve3D* child = it.Next())
    child->ResetLocalCoords(&spt_);
}

// ---- State and display attributes ---------------------------------------------------------

int Curve3D::State() {
  return state_;
}

int Curve3D::State(int n) {
  if (n == kStateDeleted) {
    // Added and then deleted again: as if it had never been there.
    if (state_ == kStateAdded) return State(kStateUnchanged);
    return state_ = kStateDeleted;
  }
  if (n == kStateChanged || n == kStateGeometryChanged) {
    // An added entity is saved whole anyway; a change never lowers the state.
    if (state_ != kStateAdded && n > state_) state_ = n;
    return state_;
  }
  return state_ = n;
}

int Curve3D::GetColour() {
  return colour_;
}

COLORREF Curve3D::Colour(int c) {
  colour_ = c;
  State(kStateChanged);
  return GetColor(c);
}

COLORREF Curve3D::Colour() {
  return GetColor(colour_);
}

int Curve3D::GetFillColour() {
  return fill_colour_;
}

int Curve3D::FillColour(int c) {
  // Fill colour and pattern agree on whether the entity is filled at all.
  if (c < 0) {
    fill_pattern_ = -2;
  } else if (fill_pattern_ < -1) {
    fill_pattern_ = -1;
  }
  fill_colour_ = c;
  State(kStateChanged);
  return static_cast<int>(GetColor(c));
}

int Curve3D::FillColour() {
  return static_cast<int>(GetColor(fill_colour_));
}

int Curve3D::FillPattern(int p) {
  if (p > -2 && fill_colour_ < 0) fill_colour_ = 0;
  if (p < -1) fill_colour_ = -1;
  fill_pattern_ = p;
  State(kStateChanged);
  return p;
}

int Curve3D::FillPattern() {
  return fill_pattern_;
}

int Curve3D::GetLinetype() {
  return line_type_;
}

int Curve3D::Linetype(int n) {
  if (n != 0) thickness_ = 1;
  line_type_ = n;
  State(kStateChanged);
  return n;
}

const char* Curve3D::Linetype() {
  return GetStyleName(line_type_);
}

int Curve3D::Thickness(int t) {
  if (t > 1) line_type_ = 0;
  thickness_ = t;
  State(kStateChanged);
  return t;
}

int Curve3D::Thickness() {
  return thickness_;
}

const char* Curve3D::Name(const char* text) {
  CopyFixedText(name_, text);
  State(kStateChanged);
  return name_;
}

const char* Curve3D::Name(int index, char* buffer) {
  if (index == 0 && buffer != nullptr && HasSmartObject() > 0) {
    // An entity carrying takeoff items is known by its item: the "Name" attribute (a roof's
    // name), else the first item's own name.
    if (GetAttr(nullptr, kNameTag, kDataString, buffer) != 0 && buffer[0] != '\0') return buffer;
    const TSmartObject* first = smart_objects_ ? smart_objects_->Head() : nullptr;
    if (first != nullptr) return CopyFixedText(buffer, kSmartObjectNameSize, first->Name());
  }
  if (buffer == nullptr) return name_;
  CopyFixedText(buffer, kEntityNameSize, name_);
  return buffer;
}

LayerBag* Curve3D::Layer(LayerBag* layer) {
  layer_ = layer;
  if (layer == nullptr) {
    layer_name_.reset();
    return nullptr;
  }
  layer_name_ = DuplicateText(layer->LayerName());
  CopyFixedText(layer_guid_, layer->Guid());
  return layer_;
}

LayerBag* Curve3D::Layer() {
  return layer_;
}

const char* Curve3D::Layername(const char* text) {
  layer_name_ = DuplicateText(text);
  return layer_name_.get();
}

const char* Curve3D::Layername() {
  return layer_ != nullptr ? layer_->LayerName() : layer_name_.get();
}

const char* Curve3D::SetLayerGuid(const char* text) {
  return CopyFixedText(layer_guid_, text);
}

const char* Curve3D::Guid(const char* text) {
  return CopyFixedText(guid_, text);
}

const char* Curve3D::Sectionname(const char* text) {
  section_name_ = DuplicateText(text);
  State(kStateGeometryChanged);
  return section_name_.get();
}

const char* Curve3D::Sectionname() {
  return section_name_.get();
}

int Curve3D::SectFlag(int n) {
  return sect_flag_ = n;
}
int Curve3D::SectFlag() {
  return sect_flag_;
}
bool Curve3D::IsSection() {
  return sect_flag_ != 0;
}
int Curve3D::TFlag(int n) {
  return tflag_ = n;
}
int Curve3D::TFlag() {
  return tflag_;
}
int Curve3D::Selected(int n) {
  return selected_ = n;
}
int Curve3D::IsSelected() {
  return selected_;
}
int Curve3D::Type(int n) {
  return type_ = n;
}
int Curve3D::Type() {
  return type_;
}

Curve3D* Curve3D::Segment(int n) {
  segment_ = n;
  return this;
}

int Curve3D::Segment() {
  return segment_;
}
void Curve3D::SegmentFlush() {
  segment_ = 0;
}
Curve3D* Curve3D::NextSegment() {
  return segment_ <= 0 ? this : nullptr;
}

int Curve3D::Id(int n, int /*m*/) {
  id_ = n;
  return n + 1;
}

int Curve3D::Id() {
  return id_;
}

const char* Curve3D::SetOwnerGuid(const char* text) {
  return CopyFixedText(owner_guid_, ValidateGuid(text) ? text : "");
}

const char* Curve3D::GetOwnerGuid() {
  if (ValidateGuid(owner_guid_)) return owner_guid_;
  const char* roof = GetRoofGuid(nullptr);
  return ValidateGuid(roof) ? roof : owner_guid_;
}

// ---- Geometry access ----------------------------------------------------------------------

Point3D* Curve3D::Spt() {
  return &spt_;
}

Point3D* Curve3D::Spt(const Point3D* p) {
  if (p == nullptr) return nullptr;
  return Spt(p->x, p->y, p->z);
}

Point3D* Curve3D::Spt(double x, double y, double z) {
  spt_.set(x, y, z);
  ReCalcDimensions();
  ResetChildCoords();
  State(kStateGeometryChanged);
  Calcbox();
  return &spt_;
}

Point3D* Curve3D::Ept() {
  return &ept_;
}

Point3D* Curve3D::Ept(const Point3D* p) {
  if (p == nullptr) return nullptr;
  return Ept(p->x, p->y, p->z);
}

Point3D* Curve3D::Ept(double x, double y, double z) {
  ept_.set(x, y, z);
  ReCalcDimensions();
  Calcbox();
  State(kStateGeometryChanged);
  return &ept_;
}

Point3D* Curve3D::LocalSpt() {
  return &local_spt_;
}
Point3D* Curve3D::LocalSpt(const Point3D* p) {
  return p != nullptr ? local_spt_.set(p) : nullptr;
}
Point3D* Curve3D::LocalEpt() {
  return &local_ept_;
}
Point3D* Curve3D::LocalEpt(const Point3D* p) {
  return p != nullptr ? local_ept_.set(p) : nullptr;
}

Box3D* Curve3D::Box(int withDimensions, Box3D* out) {
  if (out == nullptr) return &box_;
  out->Set(&box_);
  if (withDimensions == 0 || !dimensions_) return out;
  DblclistIterator it(dimensions_.get());
  while (Curve3D* d = it.Next())
    out->Append(d->Box(0, nullptr));
  return out;
}

void Curve3D::Calcbox() {
  box_.Set(&spt_);
  box_.Append(&ept_);
}

double Curve3D::Width() {
  return box_.Width();
}
double Curve3D::Height() {
  return box_.Height();
}
double Curve3D::Depth() {
  return box_.Depth();
}
int Curve3D::IsInside(Point3D* p) {
  return p != nullptr && box_.Pt_inside(p);
}

// ---- Geometric relations ------------------------------------------------------------------

bool Curve3D::Ident(Curve3D* other) {
  return other != nullptr && type_ == other->Type() && Spt()->ident(other->Spt()) &&
         Ept()->ident(other->Ept());
}

bool Curve3D::operator==(const Curve3D& other) const {
  return spt_.ident(&other.spt_) && ept_.ident(&other.ept_);
}

bool Curve3D::operator<(const Curve3D& other) const {
  const Point3D& a = spt_;
  const Point3D& b = other.spt_;
  if (a.z != b.z) return a.z < b.z;
  if (a.y != b.y) return a.y < b.y;
  return a.x < b.x;
}

bool Curve3D::IsVertex(Point3D* p) {
  return p != nullptr && (Ept()->ident(p) || Spt()->ident(p));
}

bool Curve3D::IsClosed() {
  return Spt()->ident(Ept());
}

bool Curve3D::IsConnected(Curve3D* other, Point3D* at) {
  if (other == nullptr) return false;
  // The order matters to callers walking an outline: this entity's end is tried first.
  const struct {
    Point3D* mine;
    Point3D* theirs;
  } pairs[] = {
      {Ept(), other->Spt()},
      {Ept(), other->Ept()},
      {Spt(), other->Ept()},
      {Spt(), other->Spt()},
  };
  for (const auto& pair : pairs) {
    if (!pair.mine->ident(pair.theirs)) continue;
    if (at != nullptr) at->set(pair.mine);
    return true;
  }
  return false;
}

Point3D* Curve3D::Intersect2D(Curve3D* other, Point3D* out) {
  if (other == nullptr || out == nullptr) return nullptr;
  const Point3D* p = Spt();
  const Point3D* q = other->Spt();
  const double rx = Ept()->x - p->x;
  const double ry = Ept()->y - p->y;
  const double sx = other->Ept()->x - q->x;
  const double sy = other->Ept()->y - q->y;
  const double rxs = Cross2D(rx, ry, sx, sy);
  if (std::abs(rxs) <= kIdentTolerance) return nullptr;
  const double t = Cross2D(q->x - p->x, q->y - p->y, sx, sy) / rxs;
  out->set(p->x + t * rx, p->y + t * ry, 0.0);
  return out;
}

Point3D* Curve3D::Intersect2DSeg(Curve3D* other, Point3D* out) {
  if (Intersect2D(other, out) == nullptr) return nullptr;
  return out->Between(other->Spt(), other->Ept()) ? out : nullptr;
}

double Curve3D::XYangle(Curve3D* other) {
  if (other == nullptr) return 0.0;
  const double a = other->Spt()->xyangle(other->Ept()) - XYangle();
  return a < 0.0 ? a + 360.0 : a;
}

double Curve3D::XYangle() {
  return Spt()->xyangle(Ept());
}

double Curve3D::FlatLength(int /*all*/) {
  return Spt()->dist(Ept());
}

// ---- Size setters -------------------------------------------------------------------------

namespace {

// Scales e about the low corner of its box along one axis so that size becomes target.
void ScaleAlongAxis(Curve3D* e, double size, double target, int axis) {
  if (size <= 0.0) return;
  const Point3D centre(e->Box(0, nullptr)->Minpt());
  Point3D factors(1.0, 1.0, 1.0);
  const double f = target / size;
  if (axis == 0) factors.x = f;
  if (axis == 1) factors.y = f;
  if (axis == 2) factors.z = f;
  e->Scale(&centre, &factors);
}

}  // namespace

double Curve3D::SetWidth(double w) {
  ScaleAlongAxis(this, Width(), w, 0);
  State(kStateGeometryChanged);
  return w;
}

double Curve3D::SetHeight(double h) {
  ScaleAlongAxis(this, Height(), h, 1);
  State(kStateGeometryChanged);
  return h;
}

double Curve3D::SetDepth(double d) {
  ScaleAlongAxis(this, Depth(), d, 2);
  State(kStateGeometryChanged);
  return d;
}

double Curve3D::SetLength(double l) {
  const double length = FlatLength(0);
  if (length > 0.0) {
    const Point3D centre(box_.Minpt());
    Scale(&centre, l / length);
    return l;
  }
  ept_.set(ept_.x + l, ept_.y, ept_.z);
  Calcbox();
  State(kStateGeometryChanged);
  return l;
}

// ---- Transformations ----------------------------------------------------------------------

Curve3D* Curve3D::Translate(const Point3D* v, bool moveLocal) {
  if (v == nullptr) return this;
  spt_.add(v);
  ept_.add(v);
  if (moveLocal) local_spt_.add(v);
  if (HasRoofSmartObject() != nullptr) local_spt_.set(&spt_);
  ReCalcDimensions();
  if (IsSelected()) MoveUnselectedChildren([v](Curve3D* child) { child->Translate(v, false); });
  State(kStateChanged);
  Calcbox();
  return this;
}

Curve3D* Curve3D::Rotate(const Point3D* centre, const Point3D* axis, double angle) {
  return Rotate_cs(centre, axis, std::cos(angle), std::sin(angle));
}

Curve3D* Curve3D::Rotate_cs(const Point3D* centre, const Point3D* axis, double cs, double sn) {
  if (centre == nullptr || axis == nullptr) return this;
  // Copies: the centre may be one of the points being rotated.
  const Point3D c(centre);
  const Point3D a(axis);
  spt_.rotate_cs(&c, &a, cs, sn);
  ept_.rotate_cs(&c, &a, cs, sn);
  local_spt_.rotate_cs(&c, &a, cs, sn);
  local_ept_.rotate_cs(&c, &a, cs, sn);
  ReCalcDimensions();
  if (IsSelected())
    MoveUnselectedChildren([&](Curve3D* child) { child->Rotate_cs(&c, &a, cs, sn); });
  State(kStateChanged);
  Calcbox();
  return this;
}

Curve3D* Curve3D::Scale(const Point3D* centre, double s) {
  if (centre == nullptr) return this;
  const Point3D c(centre);
  spt_.scale(&c, s);
  ept_.scale(&c, s);
  local_spt_.scale(&c, s);
  local_ept_.scale(&c, s);
  ReCalcDimensions();
  ResetChildCoords();
  Calcbox();
  State(kStateGeometryChanged);
  return this;
}

Curve3D* Curve3D::Scale(const Point3D* centre, const Point3D* factors) {
  if (centre == nullptr || factors == nullptr) return this;
  const Point3D c(centre);
  const Point3D f(factors);
  spt_.scale(&c, &f);
  ept_.scale(&c, &f);
  local_spt_.scale(&c, &f);
  local_ept_.scale(&c, &f);
  ReCalcDimensions();
  ResetChildCoords();
  Calcbox();
  State(kStateGeometryChanged);
  return this;
}

Curve3D* Curve3D::Mirror(const Point3D* normal, double distance) {
  if (normal == nullptr) return this;
  const Point3D n(normal);
  spt_.mirror(&n, distance);
  ept_.mirror(&n, distance);
  local_spt_.mirror(&n, distance);
  ReCalcDimensions();
  if (IsSelected()) MoveUnselectedChildren([&](Curve3D* child) { child->Mirror(&n, distance); });
  Calcbox();
  State(kStateGeometryChanged);
  return this;
}

void Curve3D::Zero() {
  State(kStateUnchanged);
  legacy_pitch_ = 0.0;
  legacy_type_ = 0;
  tflag_ = 0;
  segment_ = 0;
  spt_.set_zero();
  ept_.set_zero();
  ForgetDimensions();
  ResetRefList(children_);
  box_.Zero();
  smart_objects_.reset();
  layer_name_.reset();
  layer_ = nullptr;
}

// ---- Operations the entity kinds implement ------------------------------------------------
// The base measures nothing, is near nothing, draws nothing and writes no record.

double Curve3D::Area(const char* /*name*/, int /*all*/) {
  return 0.0;
}
double Curve3D::Area(int /*index*/, int /*all*/) {
  return 0.0;
}
double Curve3D::Area(int /*all*/) {
  return 0.0;
}
double Curve3D::Area(TSmartObject* /*so*/, int /*all*/) {
  return 0.0;
}
double Curve3D::Length(const char* /*name*/, int /*all*/) {
  return 0.0;
}
double Curve3D::Length(int /*index*/, int /*all*/) {
  return 0.0;
}
double Curve3D::Length(TSmartObject* /*so*/, int /*all*/) {
  return 0.0;
}
double Curve3D::Length(int /*all*/) {
  return 0.0;
}
int Curve3D::Count(int /*all*/) {
  return 0;
}
int Curve3D::Count(const char* /*name*/, int /*all*/) {
  return 0;
}
int Curve3D::Count(int /*index*/, int /*all*/) {
  return 0;
}
int Curve3D::Count(TSmartObject* /*so*/, int /*all*/) {
  return 1;
}
double Curve3D::Angle() {
  return 0.0;
}
double Curve3D::Pitch() {
  return 0.0;
}
double Curve3D::SetAngle(double /*a*/) {
  return 0.0;
}
double Curve3D::SetPitch(double /*p*/) {
  return 0.0;
}
int Curve3D::GetNum() {
  return 0;
}

double Curve3D::IsNear(Point3D* /*p*/, double /*scale*/, double /*size*/) {
  return kNotNear;
}
double Curve3D::PtOnLine(Point3D* /*p*/, double /*scale*/, double /*size*/) {
  return kNotNear;
}
double Curve3D::IsNearMidPt(Point3D* /*p*/, Point3D* /*out*/, double /*scale*/) {
  return kNotNear;
}
double Curve3D::IsNearVertex(Point3D* /*p*/, Point3D* /*out*/, int& /*index*/, double /*scale*/,
                             double /*size*/) {
  return kNotNear;
}

bool Curve3D::Overlap(Curve3D* /*c*/, double /*zoom*/) {
  return false;
}
bool Curve3D::Connect(Curve3D* /*prev*/, Curve3D* /*next*/, Curve3D* /*outline*/) {
  return false;
}
int Curve3D::IsInside(Curve3D* /*c*/, double /*scale*/, double /*size*/) {
  return 0;
}
int Curve3D::IsInsideEx(Point3D* /*p*/) {
  return 0;
}
Curve3D* Curve3D::OverlappedSegment(Curve3D* /*other*/, double /*scale*/, double /*size*/) {
  return nullptr;
}
int Curve3D::OverlapTotals(int /*index*/, Curve3D* /*other*/, double& /*area*/, double& /*length*/,
                           int& /*count*/, double /*zoom*/) {
  return 0;
}
HRGN Curve3D::GetRegion(double /*scale*/, double /*stretch*/, Point3D* /*offset*/, int /*height*/,
                        int /*patternFlag*/) {
  return nullptr;
}

void Curve3D::Display(HDC /*dc*/, double /*scale*/, double /*stretch*/, Point3D* /*offset*/,
                      int /*height*/, int /*printing*/, int /*colourOverride*/) {}
void Curve3D::DisplayToClipboard(HDC /*dc*/, double /*scale*/, double /*stretch*/,
                                 Point3D* /*offset*/, int /*height*/, int /*printing*/,
                                 int /*colourOverride*/, RECT* /*clip*/) {}
void Curve3D::DisplayFilled(HDC /*dc*/, double /*scale*/, double /*stretch*/, Point3D* /*offset*/,
                            int /*height*/, int /*printing*/, int /*colourOverride*/,
                            COLORREF /*fill*/) {}
void Curve3D::Paint(HDC /*dc*/, double /*scale*/, double /*stretch*/, Point3D* /*offset*/,
                    int /*height*/, int /*printing*/, int /*colourOverride*/) {}
void Curve3D::PaintFilled(HDC /*dc*/, double /*scale*/, double /*stretch*/, Point3D* /*offset*/,
                          int /*height*/, int /*printing*/, int /*colourOverride*/,
                          COLORREF /*fill*/) {}
void Curve3D::PaintToClipboard(HDC /*dc*/, double /*scale*/, double /*stretch*/,
                               Point3D* /*offset*/, int /*height*/, int /*printing*/,
                               int /*colourOverride*/, RECT* /*clip*/) {}

int Curve3D::AddDXFToken(DXFGroup* /*stream*/, int /*versionFlags*/) {
  return 0;
}
int Curve3D::AddTGGToken(DXFGroup* /*stream*/, int /*versionFlags*/) {
  return 0;
}
int Curve3D::TGGSave(DXFGroup* /*stream*/, int /*mode*/) {
  return 0;
}
int Curve3D::TPSave(DXFGroup* /*stream*/, const char* /*layerName*/) {
  return 0;
}

// ---- Takeoff items ------------------------------------------------------------------------
// Every operation that changes the list or one of its items records State(4): takeoff items
// are what the quantities are computed from.

namespace {

// Catalogue types the entity queries look for.
constexpr int kRoofAreaType = 6101;
constexpr int kPitchedRoofType = 6114;

bool EqualsIgnoringCase(const char* a, const char* b) {
  if (a == nullptr || b == nullptr) return false;
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    if (std::tolower(static_cast<unsigned char>(*a)) !=
        std::tolower(static_cast<unsigned char>(*b)))
      return false;
  }
  return *a == *b;
}

TSmartObject* FirstItem(const TSmartObjectList* list) {
  return list != nullptr ? list->Head() : nullptr;
}

// The entity-level index rule: positions are 1-based and anything below 2 means the first item.
TSmartObject* ItemAt(const TSmartObjectList* list, int index) {
  if (list == nullptr) return nullptr;
  return index < 2 ? list->Head() : list->Search(index);
}

// A null name means the first item.
TSmartObject* ItemNamed(const TSmartObjectList* list, const char* name) {
  if (list == nullptr) return nullptr;
  return name == nullptr ? list->Head() : list->Search(name);
}

template <typename Match>
TSmartObject* FindItem(const TSmartObjectList* list, Match match) {
  for (TSmartObject* so = FirstItem(list); so != nullptr; so = so->Next()) {
    if (match(*so)) return so;
  }
  return nullptr;
}

TSmartObject* FirstOfType(const TSmartObjectList* list, int type) {
  return FindItem(list, [type](const TSmartObject& so) { return so.RFlag() == type; });
}

// Deletes the items that match (only the first with firstOnly); returns how many.
template <typename Match>
int DeleteItems(TSmartObjectList* list, Match match, bool firstOnly) {
  int deleted = 0;
  TSmartObject* so = FirstItem(list);
  while (so != nullptr) {
    TSmartObject* const next = so->Next();
    if (match(*so)) {
      delete list->Remove(so);
      ++deleted;
      if (firstOnly) break;
    }
    so = next;
  }
  return deleted;
}

// The value of an attribute as a number, read by its own data type.
double AttributeNumber(const TTGAttribute& attrib) {
  switch (attrib.Datatype()) {
    case kDataTypeInteger:
      return attrib.GetIValue();
    case kDataTypeDouble:
      return attrib.GetDValue();
    case kDataTypeString:
      return attrib.GetSValue() != nullptr ? std::strtod(attrib.GetSValue(), nullptr) : 0.0;
    default:
      return 0.0;
  }
}

// Property source 2 is not stored on any attribute: it asks for the attribute of that type
// whatever its source (and, when reading, for the largest value among the items).
constexpr int kAnySource = 2;

TTGAttribute* FindAttribute(const TSmartObject& so, int source, int type) {
  return source == kAnySource ? so.HasAttrib(type) : so.GetAttribute(source, type);
}

bool HasPositivePitch(const TSmartObject& so) {
  const TTGAttribute* pitch = so.GetAttribute(kSourceTemplate, kPropertyPitch);
  return pitch != nullptr && AttributeNumber(*pitch) > 0.0;
}

// The item's "Name" attribute when it has a non-empty one, else the item's own name.
const char* ItemDisplayName(const TSmartObject& so) {
  const TTGAttribute* name = so.HasAttrib(kNameTag);
  if (name != nullptr && name->Datatype() == kDataString && name->GetSValue() != nullptr &&
      name->GetSValue()[0] != '\0')
    return name->GetSValue();
  return so.Name();
}

}  // namespace

int Curve3D::AfterClearing(int deleted) {
  if (deleted > 0) State(kStateGeometryChanged);
  // An entity never keeps an empty list.
  if (smart_objects_ && smart_objects_->Num() == 0) smart_objects_.reset();
  return smart_objects_ ? 0 : 1;
}

TSmartObjectList* Curve3D::GetSmartObjectList() {
  return smart_objects_.get();
}
int Curve3D::SmartObjectNum() {
  return smart_objects_ ? smart_objects_->Num() : 0;
}
int Curve3D::HasSmartObject() {
  return SmartObjectNum();
}

int Curve3D::SetSmartObjectList(TSmartObjectList* list) {
  smart_objects_ = CopySmartObjects(list);
  State(kStateGeometryChanged);
  return SmartObjectNum();
}

TSmartObject* Curve3D::GetSmartObject(const char* name) {
  return ItemNamed(smart_objects_.get(), name);
}
TSmartObject* Curve3D::GetSmartObject(int index) {
  return ItemAt(smart_objects_.get(), index);
}

TSmartObject* Curve3D::GetSmartObjectByGuid(const char* guid) {
  if (!ValidateGuid(guid)) return nullptr;
  return FindItem(smart_objects_.get(), [guid](const TSmartObject& so) {
    return EqualsIgnoringCase(so.GetGuid(), guid);
  });
}

TSmartObject* Curve3D::HasSmartObjectType(int type) {
  return FirstOfType(smart_objects_.get(), type);
}

TSmartObject* Curve3D::HasRoofSmartObject() {
  TSmartObject* roof = FirstOfType(smart_objects_.get(), kRoofAreaType);
  return roof != nullptr ? roof : FirstOfType(smart_objects_.get(), kPitchedRoofType);
}

TSmartObject* Curve3D::HasOpeningSmartObject() {
  TSmartObject* opening = FirstOfType(smart_objects_.get(), kRoofOpeningType);
  return opening != nullptr ? opening : FirstOfType(smart_objects_.get(), kPitchedOpeningType);
}

bool Curve3D::HasPitchedSmartObject() {
  return FindItem(smart_objects_.get(), [](const TSmartObject& so) {
           return IsPitchedSmartObject(so.RFlag()) || HasPositivePitch(so);
         }) != nullptr;
}

int Curve3D::HasDoubleLineSmartObject(int n) {
  const bool flag = n != 0;
  return FindItem(smart_objects_.get(), [flag](const TSmartObject& so) {
           return IsDoubleLineSmartObject(so.RFlag(), flag);
         }) != nullptr;
}

int Curve3D::HasV5SmartObject() {
  return FindItem(smart_objects_.get(),
                  [](const TSmartObject& so) { return IsV5SmartObject(so.RFlag()); }) != nullptr;
}

const char* Curve3D::GetSmartObjectID() {
  const TSmartObject* first = FirstItem(smart_objects_.get());
  return first != nullptr && ValidateGuid(first->GetGuid()) ? first->GetGuid() : nullptr;
}

// ---- Roof identifiers and GUIDs ----

int Curve3D::GetRoofId(int index) {
  const TSmartObject* so = ItemAt(smart_objects_.get(), index);
  return so != nullptr ? so->GetRoofId() : 0;
}

const char* Curve3D::GetRoofGuid(const char* name) {
  const TSmartObject* so = ItemNamed(smart_objects_.get(), name);
  return so != nullptr ? so->GetRoofGuid() : nullptr;
}

int Curve3D::SetRoofGuid(const char* name, const char* guid) {
  if (!ValidateGuid(guid)) return 0;
  SetOwnerGuid(guid);
  int written = 0;
  for (TSmartObject* so = FirstItem(smart_objects_.get()); so != nullptr; so = so->Next()) {
    if (name != nullptr && !EqualsIgnoringCase(so->Name(), name)) continue;
    so->SetRoofGuid(guid);
    ++written;
    // A name picks one item, as GetRoofGuid(name) reads one.
    if (name != nullptr) break;
  }
  if (written > 0) State(kStateGeometryChanged);
  return written;
}

int Curve3D::HasRoofId(int roofId) {
  return FindItem(smart_objects_.get(),
                  [roofId](const TSmartObject& so) { return so.GetRoofId() == roofId; }) != nullptr;
}

int Curve3D::HasRoofGuid(const char* guid) {
  if (!ValidateGuid(guid)) return 0;
  return FindItem(smart_objects_.get(), [guid](const TSmartObject& so) {
           return EqualsIgnoringCase(so.GetRoofGuid(), guid);
         }) != nullptr;
}

namespace {

// Forwards to the item and reports whether either identifier changed.
int SetItemRoofId(TSmartObject* so, int roofId, int ownerId, bool* changed) {
  if (so == nullptr) return 0;
  const int rid = so->GetRId();
  const int userRid = so->GetUserRId();
  const int result = so->SetRoofId(roofId, ownerId);
  *changed = rid != so->GetRId() || userRid != so->GetUserRId();
  return result;
}

}  // namespace

int Curve3D::SetRoofId(int index, int roofId, int ownerId) {
  bool changed = false;
  const int result = SetItemRoofId(ItemAt(smart_objects_.get(), index), roofId, ownerId, &changed);
  if (changed) State(kStateGeometryChanged);
  return result;
}

int Curve3D::SetRoofId(const char* name, int roofId, int ownerId) {
  bool changed = false;
  const int result =
      SetItemRoofId(ItemNamed(smart_objects_.get(), name), roofId, ownerId, &changed);
  if (changed) State(kStateGeometryChanged);
  return result;
}

int Curve3D::ClearRoofId(int id, int all) {
  int cleared = 0;
  for (TSmartObject* so = FirstItem(smart_objects_.get()); so != nullptr; so = so->Next())
    cleared |= so->ClearRoofId(id, all);
  if (cleared != 0) State(kStateGeometryChanged);
  return cleared != 0 ? 1 : 0;
}

int Curve3D::GetOwnerRoofId(int force) {
  if (IsSelected() == 0 && force == 0) return 0;
  const TSmartObject* first = FirstItem(smart_objects_.get());
  if (first == nullptr) return 0;
  const auto roofOf = [](const TSmartObject& so) { return std::max(so.GetRoofId(), 0); };
  const int shared = roofOf(*first);
  for (const TSmartObject* so = first->Next(); so != nullptr; so = so->Next()) {
    if (roofOf(*so) != shared) return -1;
  }
  return shared;
}

// ---- Attributes ----

int Curve3D::GetAttr(int source, int type, char* buffer) {
  if (buffer == nullptr) return 0;
  const TTGAttribute* best = nullptr;
  for (const TSmartObject* so = FirstItem(smart_objects_.get()); so != nullptr; so = so->Next()) {
    const TTGAttribute* attrib = FindAttribute(*so, source, type);
    if (attrib == nullptr) continue;
    if (source != kAnySource) {
      best = attrib;
      break;
    }
    // Strictly larger, so the first of equal values wins.
    if (best == nullptr || AttributeNumber(*attrib) > AttributeNumber(*best)) best = attrib;
  }
  if (best == nullptr) return 0;
  return best->GetAttrib(best->Datatype(), buffer, kAttrBufferSize);
}

int Curve3D::GetAttr(const char* name, const char* tag, int dataType, char* buffer) {
  if (tag == nullptr || buffer == nullptr) return 0;
  for (const TSmartObject* so = FirstItem(smart_objects_.get()); so != nullptr; so = so->Next()) {
    // A named item is left out: callers ask what the entity's other items say.
    if (name != nullptr && EqualsIgnoringCase(so->Name(), name)) continue;
    const int answer = so->GetAttrib(tag, dataType, buffer, kAttrBufferSize);
    if (answer != 0) return answer;
  }
  return 0;
}

int Curve3D::SetAttr(int source, int type, int dataType, const char* text) {
  int changed = 0;
  for (TSmartObject* so = FirstItem(smart_objects_.get()); so != nullptr; so = so->Next()) {
    const TTGAttribute* attrib = FindAttribute(*so, source, type);
    if (attrib == nullptr) continue;
    changed |= so->SetAttrib(attrib->Propsource(), type, dataType, text) != 0;
  }
  if (changed != 0) State(kStateGeometryChanged);
  return changed;
}

int Curve3D::SetAttr(int source, int type, const char* text) {
  int changed = 0;
  for (TSmartObject* so = FirstItem(smart_objects_.get()); so != nullptr; so = so->Next()) {
    const TTGAttribute* attrib = FindAttribute(*so, source, type);
    if (attrib == nullptr) continue;
    // Each item keeps the data type its attribute already has.
    changed |= so->SetAttrib(attrib->Propsource(), type, attrib->Datatype(), text) != 0;
  }
  if (changed != 0) State(kStateGeometryChanged);
  return changed;
}

int Curve3D::SetAttr(const char* name, const char* tag, int dataType, const char* text) {
  if (tag == nullptr) return 0;
  int changed = 0;
  for (TSmartObject* so = FirstItem(smart_objects_.get()); so != nullptr; so = so->Next()) {
    if (name != nullptr && !EqualsIgnoringCase(so->Name(), name)) continue;
    changed |= so->SetAttrib(tag, dataType, text) != 0;
  }
  if (changed != 0) State(kStateGeometryChanged);
  return changed;
}

// ---- Section data ----

TSODataList* Curve3D::GetDataList(int index) {
  TSmartObject* so = ItemAt(smart_objects_.get(), index);
  return so != nullptr ? so->GetSODataList() : nullptr;
}

TSOData* Curve3D::GetSectionData(const char* name, const char* section) {
  const TSmartObject* so = ItemNamed(smart_objects_.get(), name);
  return so != nullptr ? so->GetSectionData(section) : nullptr;
}

TSOData* Curve3D::GetSectionData(int index, const char* section) {
  const TSmartObject* so = ItemAt(smart_objects_.get(), index);
  return so != nullptr ? so->GetSectionData(section) : nullptr;
}

int Curve3D::GetSectionTotals(int index, double& area, double& length, int& count) {
  area = 0.0;
  length = 0.0;
  count = 0;
  const TSmartObject* so = ItemAt(smart_objects_.get(), index);
  return so != nullptr ? so->GetSectionTotals(area, length, count) : 0;
}

int Curve3D::SetSectionData(int index, const char* section, double area, double length, int count) {
  TSmartObject* so = ItemAt(smart_objects_.get(), index);
  if (so == nullptr || so->SetSectionData(section, area, length, count) == nullptr) return 0;
  State(kStateGeometryChanged);
  return 1;
}

int Curve3D::HasSectionData() {
  int entries = 0;
  for (TSmartObject* so = FirstItem(smart_objects_.get()); so != nullptr; so = so->Next())
    entries += so->GetSODataList()->NoofObjs();
  return entries;
}

int Curve3D::HasTotals() {
  int entries = 0;
  for (const TSmartObject* so = FirstItem(smart_objects_.get()); so != nullptr; so = so->Next()) {
    double area = 0.0, length = 0.0;
    int count = 0;
    entries += so->GetSectionTotals(area, length, count);
  }
  return entries;
}

int Curve3D::ClearSectionData(const char* section, int all) {
  int deleted = 0;
  for (TSmartObject* so = FirstItem(smart_objects_.get()); so != nullptr; so = so->Next())
    deleted += so->ClearSectionData(section, all);
  if (deleted > 0) State(kStateGeometryChanged);
  return deleted;
}

int Curve3D::MoveSmartObject(const char* name, const char* fromSection, const char* toSection) {
  TSmartObject* so = ItemNamed(smart_objects_.get(), name);
  if (so == nullptr || so->MoveSectionData(fromSection, toSection) == 0) return 0;
  State(kStateGeometryChanged);
  return 1;
}

// Suppressing takes an item out of every section's totals by marking its computed entries as
// moved out; restoring undoes all moves of the item (its own copies go, the rest count again).
int Curve3D::SuppressData(int index) {
  TSmartObject* so = ItemAt(smart_objects_.get(), index);
  if (so == nullptr) return 0;
  int changed = 0;
  for (TSOData* d = so->GetSODataList()->Head(); d != nullptr; d = d->Next()) {
    if (d->GetFlag() != kSODataComputed) continue;
    d->SetFlag(kSODataMovedOut);
    ++changed;
  }
  if (changed > 0) State(kStateGeometryChanged);
  return changed;
}

int Curve3D::RestoreData(int index) {
  TSmartObject* so = ItemAt(smart_objects_.get(), index);
  if (so == nullptr) return 0;
  int changed = 0;
  TSOData* d = so->GetSODataList()->Head();
  while (d != nullptr) {
    TSOData* const next = d->Next();
    if (d->GetFlag() == kSODataMovedIn) {
      so->RemoveSectionData(d);
      ++changed;
    } else if (d->GetFlag() == kSODataMovedOut) {
      d->SetFlag(kSODataComputed);
      ++changed;
    }
    d = next;
  }
  if (changed > 0) State(kStateGeometryChanged);
  return changed;
}

// ---- Clearing items ----

int Curve3D::ClearSmartObject(const char* name) {
  const int deleted = DeleteItems(
      smart_objects_.get(),
      [name](const TSmartObject& so) {
        return name == nullptr || EqualsIgnoringCase(so.Name(), name);
      },
      name != nullptr);
  return AfterClearing(deleted);
}

int Curve3D::ClearSmartObjectByGuid(const char* guid) {
  if (!ValidateGuid(guid)) return AfterClearing(0);
  const int deleted = DeleteItems(
      smart_objects_.get(),
      [guid](const TSmartObject& so) { return EqualsIgnoringCase(so.GetGuid(), guid); }, true);
  return AfterClearing(deleted);
}

int Curve3D::ClearSmartObjectByRoof(int roofId) {
  // The roof item itself stays: only what was assigned to the roof goes.
  const int deleted = DeleteItems(
      smart_objects_.get(),
      [roofId](const TSmartObject& so) { return !IsRoof(so.RFlag()) && so.GetRoofId() == roofId; },
      false);
  return AfterClearing(deleted);
}

int Curve3D::ClearSmartObjectByType(int type) {
  const int deleted = DeleteItems(
      smart_objects_.get(), [type](const TSmartObject& so) { return so.RFlag() == type; }, false);
  return AfterClearing(deleted);
}

// ---- Names and sorting ----

const char* Curve3D::RName(int index) {
  // Index 0 asks for the roof the entity carries; a position asks for that item.
  const TSmartObject* so = index == 0 ? HasRoofSmartObject() : ItemAt(smart_objects_.get(), index);
  return so != nullptr ? ItemDisplayName(*so) : nullptr;
}

const char* Curve3D::SortTag(const char* name) {
  const TSmartObject* so = ItemNamed(smart_objects_.get(), name);
  return so != nullptr ? so->SortTag() : nullptr;
}
const char* Curve3D::SortTag(int index) {
  const TSmartObject* so = ItemAt(smart_objects_.get(), index);
  return so != nullptr ? so->SortTag() : nullptr;
}
const char* Curve3D::SortValue(const char* name) {
  const TSmartObject* so = ItemNamed(smart_objects_.get(), name);
  return so != nullptr ? so->SortValue() : nullptr;
}
const char* Curve3D::SortValue(int index) {
  const TSmartObject* so = ItemAt(smart_objects_.get(), index);
  return so != nullptr ? so->SortValue() : nullptr;
}

// ---- Hooks of the takeoff assignment ----

bool Curve3D::CanAddSmartObjectType(int /*type*/, char* /*message*/) {
  return false;
}
int Curve3D::AddSmartObjectTPL(TObjectTemplate* /*tpl*/, int& /*nextId*/, int /*replace*/) {
  return 0;
}
int Curve3D::AddSmartObjectSO(TSmartObject* /*so*/, int& /*nextId*/, int /*replace*/,
                              bool /*copy*/) {
  return 0;
}
