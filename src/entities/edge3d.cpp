#include "entities/edge3d.h"

#include <cmath>
#include <cstdlib>
#include <new>

#include "entities/arc3d.h"
#include "entities/line3d.h"
#include "entities/multi3d.h"
#include "geometry/tolerance.h"
#include "settings/hostglobals.h"
#include "takeoff/tsmartobject.h"
#include "takeoff/ttgattribute.h"

namespace {

// Live pitched edges in the process; constructors count up, the destructor down.
int g_live_edges = 0;

constexpr const char* kEdgeName = "edge";

constexpr const char* kWidthTag = "Width";
constexpr const char* kDoubleLineTag = "Show double line";
// The smart-object type of a parapet wall: a double line on one side of the outline.
constexpr int kParapetWallType = 6113;

// A pitched edge answers for two things in counts: its base and its edge.
constexpr int kEdgeCount = 2;

// Consecutive edges whose directions differ by at most this many degrees are one straight run:
// mitring them would put the corner far away (or nowhere), so each keeps its cap.
constexpr double kStraightRunDegrees = 3.0;

// The side probes reach a tenth of the width off the side, short enough to stay clear of the
// other sides of any sensible roof.
constexpr double kProbeFraction = 0.1;
// A second probe, used when the first one is undecided, sits this far along the side.
constexpr double kSecondProbeAt = 0.75;

// The number an attribute holds, whatever data type it was stored with.
double AttributeValue(const TTGAttribute& attrib) {
  switch (attrib.Datatype()) {
    case kDataTypeInteger:
      return attrib.GetIValue();
    case kDataTypeDouble:
      return attrib.GetDValue();
    default: {
      const char* text = attrib.GetSValue();
      return text != nullptr ? std::strtod(text, nullptr) : 0.0;
    }
  }
}

// The first of the entity's items that has the attribute answers; false when none has it.
bool ReadEdgeAttribute(Curve3D* e, const char* tag, double* value) {
  const TSmartObjectList* list = e->GetSmartObjectList();
  for (const TSmartObject* so = list != nullptr ? list->Head() : nullptr; so != nullptr;
       so = so->Next()) {
    const TTGAttribute* attrib = so->HasAttrib(tag);
    if (attrib == nullptr) continue;
    const double number = AttributeValue(*attrib);
    *value = std::isfinite(number) ? number : 0.0;
    return true;
  }
  return false;
}

Line3D* AsLinePart(Curve3D* c) {
  return c != nullptr && c->Type() == kEntityLine ? dynamic_cast<Line3D*>(c) : nullptr;
}

Arc3D* AsArcPart(Curve3D* c) {
  return c != nullptr && c->Type() == kEntityArc ? dynamic_cast<Arc3D*>(c) : nullptr;
}

Edge3D* AsEdge(Curve3D* c) {
  return c != nullptr && c->Type() == kEntityEdge ? dynamic_cast<Edge3D*>(c) : nullptr;
}

// Parts answer to the entity for takeoff; they never carry items of their own.
Curve3D* WithoutItems(Curve3D* part) {
  if (part != nullptr) part->SetSmartObjectList(nullptr);
  return part;
}

// The end of a part, moved so that an arc keeps its centre and radius.
void MovePartEnd(Curve3D* part, const Point3D* p, bool atStart) {
  if (Arc3D* arc = AsArcPart(part)) {
    atStart ? arc->SetSpt(p) : arc->SetEpt(p);
    return;
  }
  atStart ? part->Spt(p) : part->Ept(p);
}

// Of the candidates found, the one nearer to target.
const Point3D* Nearer(int found, const Point3D* p1, const Point3D* p2, const Point3D* target) {
  if (found == 1) return p1;
  return p1->dist(target) <= p2->dist(target) ? p1 : p2;
}

// Joins two consecutive parts (a then b) at one point, a's end and b's start both moved there.
// Lines meet on their infinite lines; an arc meets a line where the line, extended, crosses it
// (the crossing nearest to the joint); two arcs where they cross.
bool JoinParts(Curve3D* a, Curve3D* b) {
  Point3D p1, p2;
  const Point3D* at = nullptr;
  Arc3D* arcA = AsArcPart(a);
  Arc3D* arcB = AsArcPart(b);
  Line3D* lineA = AsLinePart(a);
  Line3D* lineB = AsLinePart(b);
  if (lineA != nullptr && lineB != nullptr) {
    if (lineB->Intersect2D(lineA, &p1) == nullptr) return false;
    p1.z = a->Ept()->z;
    at = &p1;
  } else if (arcA != nullptr && lineB != nullptr) {
    const int found = arcA->IntersectLineEx(lineB, &p1, &p2);
    if (found == 0) return false;
    at = Nearer(found, &p1, &p2, a->Ept());
  } else if (lineA != nullptr && arcB != nullptr) {
    const int found = arcB->IntersectLineEx(lineA, &p1, &p2);
    if (found == 0) return false;
    at = Nearer(found, &p1, &p2, b->Spt());
  } else if (arcA != nullptr && arcB != nullptr) {
    if (a->Ept()->ident(b->Spt())) return true;
    const int found = arcA->IntersectArc(arcB, &p1, &p2);
    if (found == 0) return false;
    at = Nearer(found, &p1, &p2, a->Ept());
  } else {
    return false;
  }
  const Point3D shared(at);
  MovePartEnd(a, &shared, false);
  MovePartEnd(b, &shared, true);
  return true;
}

// Moves one end of a part back onto the position it has without a mitre: the foot of the
// outline corner on the part's line, or the corner seen from the arc's centre on its circle.
void ProjectPartEnd(Curve3D* part, const Point3D* corner, bool atStart) {
  if (Arc3D* arc = AsArcPart(part)) {
    Point3D radial(corner);
    radial.sub(arc->Ctr());
    const double length = radial.norm();
    if (length <= kIdentTolerance) return;
    Point3D p(arc->Ctr());
    p.addt(&radial, arc->Radius() / length);
    MovePartEnd(part, &p, atStart);
    return;
  }
  Point3D direction(part->Ept());
  direction.sub(part->Spt());
  const double lengthSquared = direction.norm_squared();
  if (lengthSquared <= kIdentTolerance * kIdentTolerance) return;
  Point3D offset(corner);
  offset.sub(part->Spt());
  Point3D foot(part->Spt());
  foot.addt(&direction, offset.dot(&direction) / lengthSquared);
  MovePartEnd(part, &foot, atStart);
}

}  // namespace

// ---- Construction -------------------------------------------------------------------------

Edge3D::Edge3D() : Curve3D(0, 0, 1, -1, -2) {
  MakeEdge();
}

Edge3D::Edge3D(const Point3D* a, const Point3D* b, int colour, int lineType, int thickness)
    : Curve3D(a, b, colour, lineType, thickness, -1, -2) {
  base_ = new (std::nothrow) Line3D(a, b, colour, lineType, thickness);
  edge_ = new (std::nothrow) Line3D(a, b, colour, lineType, thickness);
  MakeEdge();
}

Edge3D::Edge3D(Curve3D* c) : Curve3D(static_cast<const Curve3D*>(c)) {
  if (Line3D* line = AsLinePart(c)) {
    base_ = WithoutItems(new (std::nothrow) Line3D(static_cast<const Line3D*>(line)));
    edge_ = WithoutItems(new (std::nothrow) Line3D(static_cast<const Line3D*>(line)));
  } else if (Arc3D* arc = AsArcPart(c)) {
    base_ = WithoutItems(new (std::nothrow) Arc3D(static_cast<const Arc3D*>(arc)));
    edge_ = WithoutItems(new (std::nothrow) Arc3D(static_cast<const Arc3D*>(arc)));
  }
  if (edge_ != nullptr && !IsMidLineEdge()) {
    // A parapet wall's inner face is drawn as a plain thin line whatever the side's style.
    edge_->Linetype(0);
    edge_->Thickness(1);
  }
  MakeEdge();
}

Edge3D::Edge3D(const Edge3D* src) : Curve3D(static_cast<const Curve3D*>(src)) {
  if (src != nullptr) CopyParts(*src);
  MakeEdge();
}

Edge3D::Edge3D(const Edge3D& src) : Curve3D(src) {
  CopyParts(src);
  MakeEdge();
}

Edge3D::~Edge3D() {
  DeleteParts();
  --g_live_edges;
}

// Every constructor ends here: a new or copied edge is unchanged until the document marks it.
void Edge3D::MakeEdge() {
  ++g_live_edges;
  Type(kEntityEdge);
  Name(kEdgeName);
  Calcbox();
  State(kStateUnchanged);
}

void Edge3D::CopyParts(const Edge3D& src) {
  base_ = src.base_ != nullptr ? src.base_->Copy() : nullptr;
  Curve3D* edgeSource = src.edge_ != nullptr ? src.edge_ : src.base_;
  edge_ = edgeSource != nullptr ? edgeSource->Copy() : nullptr;
  cap1_ = src.cap1_ != nullptr ? new (std::nothrow) Line3D(static_cast<const Line3D*>(src.cap1_))
                               : nullptr;
  cap2_ = src.cap2_ != nullptr ? new (std::nothrow) Line3D(static_cast<const Line3D*>(src.cap2_))
                               : nullptr;
  prepared_ = src.prepared_;
  placed_ = src.placed_ && edge_ != nullptr;
}

void Edge3D::DeleteParts() {
  DeleteCaps();
  delete base_;
  delete edge_;
  base_ = nullptr;
  edge_ = nullptr;
}

void Edge3D::DeleteCaps() {
  delete cap1_;
  delete cap2_;
  cap1_ = nullptr;
  cap2_ = nullptr;
}

int Edge3D::LiveCount() {
  return g_live_edges;
}

int Edge3D::GetNum() {
  return g_live_edges;
}

Curve3D* Edge3D::Copy() {
  return new (std::nothrow) Edge3D(*this);
}

// ---- Parts --------------------------------------------------------------------------------

Line3D* Edge3D::Cap1() {
  return cap1_;
}

Line3D* Edge3D::Cap2() {
  return cap2_;
}

Curve3D* Edge3D::GetEdge() {
  if (edge_ != nullptr && ValidateGuid(Guid())) edge_->Guid(Guid());
  return edge_;
}

Curve3D* Edge3D::GetBase() {
  if (base_ != nullptr && ValidateGuid(Guid())) base_->Guid(Guid());
  return base_;
}

int Edge3D::GetSegs(Dblclist* list) {
  if (list == nullptr) return 0;
  for (Curve3D* part : {base_, edge_, static_cast<Curve3D*>(cap1_), static_cast<Curve3D*>(cap2_)}) {
    if (part != nullptr) list->Add(part);
  }
  return list->Num();
}

Curve3D* Edge3D::SetBase(Curve3D* base) {
  if (base == base_) return base_;
  // A part cannot be both base and edge (or cap): it would be deleted twice.
  if (base != nullptr && (base == edge_ || base == cap1_ || base == cap2_)) return base_;
  delete base_;
  base_ = base;
  Calcbox();
  return base_;
}

Curve3D* Edge3D::SetEdge(Curve3D* edge) {
  if (edge == edge_) return edge_;
  if (edge != nullptr && (edge == base_ || edge == cap1_ || edge == cap2_)) return edge_;
  delete edge_;
  edge_ = edge;
  placed_ = false;
  Calcbox();
  return edge_;
}

Edge3D* Edge3D::Set(Edge3D* src) {
  if (src == nullptr || src == this) return this;
  Curve3D::Set(src);
  DeleteParts();
  CopyParts(*src);
  Calcbox();
  return this;
}

Curve3D* Edge3D::Set(Curve3D* src) {
  if (src == nullptr || src == this) return this;
  if (Edge3D* edge = AsEdge(src)) return Set(edge);
  Curve3D::Set(src);
  // A plain side handed over becomes the new base; the edge is derived from it again.
  Curve3D* base = nullptr;
  if (Line3D* line = AsLinePart(src)) {
    base = new (std::nothrow) Line3D(static_cast<const Line3D*>(line));
  } else if (Arc3D* arc = AsArcPart(src)) {
    base = new (std::nothrow) Arc3D(static_cast<const Arc3D*>(arc));
  }
  if (base != nullptr) {
    SetBase(WithoutItems(base));
    ResetEdge();
  }
  Calcbox();
  return this;
}

// ---- Attributes ---------------------------------------------------------------------------

double Edge3D::EdgeWidth() {
  double width = 0.0;
  if (!ReadEdgeAttribute(this, kWidthTag, &width)) return 0.0;
  // A negative width has no meaning for a double line: it is treated as no edge.
  return width > 0.0 ? width : 0.0;
}

bool Edge3D::ShowEdge() {
  double show = 0.0;
  if (!ReadEdgeAttribute(this, kDoubleLineTag, &show)) return true;
  return show != 0.0;
}

bool Edge3D::Out() {
  double show = 0.0;
  if (!ReadEdgeAttribute(this, kDoubleLineTag, &show)) return true;
  return show >= 0.0;
}

bool Edge3D::IsMidLineEdge() {
  return HasSmartObjectType(kParapetWallType) == nullptr;
}

// ---- Placement ----------------------------------------------------------------------------

void Edge3D::RestoreBase() {
  if (Arc3D* arc = AsArcPart(base_)) {
    const double radius = arc->Ctr()->dist(Spt());
    if (radius <= kIdentTolerance) return;
    arc->Radius(radius);
    arc->SetSpt(Spt());
    arc->SetEpt(Ept());
    return;
  }
  if (base_ == nullptr) return;
  base_->Spt(Spt());
  base_->Ept(Ept());
}

void Edge3D::ResetEdge() {
  DeleteCaps();
  const int oldId = edge_ != nullptr ? edge_->Id() : 0;
  delete edge_;
  edge_ = nullptr;
  prepared_ = false;
  placed_ = false;
  // Also a one-sided edge's base: it must stand on the outline side whatever moved it.
  RestoreBase();
  if (base_ != nullptr) edge_ = WithoutItems(base_->Copy());
  if (edge_ != nullptr) {
    if (!IsMidLineEdge()) {
      edge_->Linetype(0);
      edge_->Thickness(1);
    }
    edge_->Id(oldId, 0);
  }
  Calcbox();
}

void Edge3D::PrepEdgeMidLine() {
  ResetEdge();
  prepared_ = true;
  const double width = EdgeWidth();
  if (width == 0.0 || !ShowEdge() || base_ == nullptr || edge_ == nullptr) return;
  const double half = width / 2.0;
  if (Arc3D* arcEdge = AsArcPart(edge_)) {
    Arc3D* arcBase = AsArcPart(base_);
    const double radius = arcEdge->Radius();
    if (arcBase == nullptr || radius - half <= kIdentTolerance) return;
    arcBase->Radius(radius + half);
    arcEdge->Radius(radius - half);
  } else {
    const double across = (Angle() + kQuarterTurnDegrees) * kRadiansPerDegreeAsStored;
    Point3D shift(std::cos(across) * half, std::sin(across) * half, 0.0);
    base_->Translate(&shift, true);
    shift.negate();
    edge_->Translate(&shift, true);
  }
  placed_ = true;
  Calcbox();
}

bool Edge3D::PlusSideInside(Multi3D* owner, double width) {
  if (owner == nullptr) return false;
  const double reach = width * kProbeFraction;
  // The probe end at a fraction t along the side, reach off it on the +90 (or outer) side.
  auto probe = [&](double t) {
    Point3D p;
    if (Arc3D* arc = AsArcPart(base_)) {
      const double at = (arc->StartAngle() + arc->Angle() * t) * kRadiansPerDegreeAsStored;
      const double radius = arc->Radius() + reach;
      p.set(arc->Ctr()->x + std::cos(at) * radius, arc->Ctr()->y + std::sin(at) * radius,
            arc->Ctr()->z);
      return p;
    }
    const double across = (Angle() + kQuarterTurnDegrees) * kRadiansPerDegreeAsStored;
    p.set(Spt());
    Point3D along(Ept());
    along.sub(Spt());
    p.addt(&along, t);
    p.set(p.x + std::cos(across) * reach, p.y + std::sin(across) * reach, p.z);
    return p;
  };
  Point3D middle = probe(0.5);
  const int throughEdges = owner->IsInsideEdge(&middle, true);
  const int throughBases = owner->IsInsideEdge(&middle, false);
  if (throughEdges == throughBases) return throughBases != 0;
  // Another segment's double line crosses the probe: the outline itself decides elsewhere.
  Point3D second = probe(kSecondProbeAt);
  return owner->IsInsideEdge(&second, false) != 0;
}

void Edge3D::PrepEdge(Multi3D* owner) {
  ResetEdge();
  prepared_ = true;
  const double width = EdgeWidth();
  if (width == 0.0 || !ShowEdge() || base_ == nullptr || edge_ == nullptr) return;
  // Without an owner there is no inside: the edge goes to the +90 (outer) side.
  bool towardPlus = true;
  if (owner != nullptr) {
    const bool plusInside = PlusSideInside(owner, width);
    towardPlus = Out() ? !plusInside : plusInside;
  }
  if (Arc3D* arcEdge = AsArcPart(edge_)) {
    const double radius = arcEdge->Radius() + (towardPlus ? width : -width);
    if (radius <= kIdentTolerance) return;
    arcEdge->Radius(radius);
  } else {
    const double across = (Angle() + kQuarterTurnDegrees) * kRadiansPerDegreeAsStored;
    const double distance = towardPlus ? width : -width;
    Point3D shift(std::cos(across) * distance, std::sin(across) * distance, 0.0);
    edge_->Translate(&shift, true);
  }
  placed_ = true;
  Calcbox();
}

void Edge3D::Prepare(Multi3D* owner) {
  if (IsMidLineEdge()) {
    PrepEdgeMidLine();
  } else {
    PrepEdge(owner);
  }
}

// ---- Joining ------------------------------------------------------------------------------

bool Edge3D::JoinableWith(const Edge3D* other) {
  if (other == nullptr || other == this || !placed_ || !other->placed_) return false;
  Edge3D* o = const_cast<Edge3D*>(other);
  // A one-sided edge and a mid-line edge have no common corner: their faces are offset
  // differently from the outline side.
  return o->Out() == Out() && o->IsMidLineEdge() == IsMidLineEdge();
}

bool Edge3D::MitreWith(Edge3D* prev) {
  if (AsLinePart(prev->edge_) != nullptr && AsLinePart(edge_) != nullptr) {
    double turn = std::fabs(prev->Angle() - Angle());
    if (turn > kHalfTurnDegrees) turn = kFullTurnDegrees - turn;
    if (turn <= kStraightRunDegrees) return false;
  }
  if (!JoinParts(prev->edge_, edge_)) return false;
  // A mid-line double line is centred on the side: its other face meets at a corner too.
  if (IsMidLineEdge()) JoinParts(prev->base_, base_);
  return true;
}

void Edge3D::Unmitre(bool atStart) {
  if (!placed_) return;
  const Point3D* corner = atStart ? Spt() : Ept();
  ProjectPartEnd(edge_, corner, atStart);
  if (IsMidLineEdge()) ProjectPartEnd(base_, corner, atStart);
}

void Edge3D::EnsureCap1() {
  if (cap1_ != nullptr || !placed_) return;
  // A cap of no length is never kept.
  if (base_->Spt()->ident(edge_->Spt())) return;
  cap1_ = new (std::nothrow) Line3D(base_->Spt(), edge_->Spt(), edge_->GetColour(),
                                    edge_->GetLinetype(), edge_->Thickness());
}

void Edge3D::EnsureCap2() {
  if (cap2_ != nullptr || !placed_) return;
  if (edge_->Ept()->ident(base_->Ept())) return;
  cap2_ = new (std::nothrow) Line3D(edge_->Ept(), base_->Ept(), edge_->GetColour(),
                                    edge_->GetLinetype(), edge_->Thickness());
}

void Edge3D::JoinStart(Curve3D* prev, Multi3D* owner) {
  Edge3D* neighbour = AsEdge(prev);
  if (neighbour == this) neighbour = nullptr;
  if (neighbour != nullptr && !neighbour->prepared_) neighbour->Prepare(owner);
  if (JoinableWith(neighbour) && MitreWith(neighbour)) {
    delete neighbour->cap2_;
    neighbour->cap2_ = nullptr;
    delete cap1_;
    cap1_ = nullptr;
    neighbour->Calcbox();
    return;
  }
  EnsureCap1();
  // The neighbour may still end on a corner made with this edge before: it gets its cap back.
  if (neighbour != nullptr && neighbour->placed_) {
    neighbour->Unmitre(false);
    neighbour->EnsureCap2();
    neighbour->Calcbox();
  }
}

void Edge3D::JoinEnd(Curve3D* next, Multi3D* owner) {
  Edge3D* neighbour = AsEdge(next);
  if (neighbour == this) neighbour = nullptr;
  if (neighbour != nullptr && !neighbour->prepared_) neighbour->Prepare(owner);
  if (JoinableWith(neighbour) && neighbour->MitreWith(this)) {
    delete neighbour->cap1_;
    neighbour->cap1_ = nullptr;
    delete cap2_;
    cap2_ = nullptr;
    neighbour->Calcbox();
    return;
  }
  EnsureCap2();
  if (neighbour != nullptr && neighbour->placed_) {
    neighbour->Unmitre(true);
    neighbour->EnsureCap1();
    neighbour->Calcbox();
  }
}

void Edge3D::SetupEdge(Curve3D* prev, Curve3D* next, Multi3D* owner) {
  if (base_ == nullptr) {
    Calcbox();
    return;
  }
  Prepare(owner);
  // Also without a double line here: neighbours once mitred with this edge get their caps back.
  JoinStart(prev, owner);
  JoinEnd(next, owner);
  Calcbox();
}

void Edge3D::SetupEdgeLine(Curve3D* prev, Curve3D* next, Multi3D* owner, double /*width*/) {
  // The placement reads "Width" itself, so the joint always matches the edge it made.
  SetupEdge(prev, next, owner);
}

void Edge3D::SetupEdgeArc(Curve3D* prev, Curve3D* next, Multi3D* owner, double /*width*/) {
  SetupEdge(prev, next, owner);
}

bool Edge3D::Connect(Curve3D* prev, Curve3D* next, Curve3D* outline) {
  DeleteCaps();
  Multi3D* owner = dynamic_cast<Multi3D*>(outline);
  const double width = EdgeWidth();
  if (AsLinePart(base_) != nullptr) {
    SetupEdgeLine(prev, next, owner, width);
  } else if (AsArcPart(base_) != nullptr) {
    SetupEdgeArc(prev, next, owner, width);
  } else {
    Calcbox();
    return false;
  }
  return true;
}

// ---- Selection ----------------------------------------------------------------------------

int Edge3D::Selected(int f) {
  for (Curve3D* part : {base_, edge_, static_cast<Curve3D*>(cap1_), static_cast<Curve3D*>(cap2_)}) {
    if (part != nullptr) part->Selected(f);
  }
  return Curve3D::Selected(f);
}

int Edge3D::IsSelected() {
  if (base_ == nullptr && edge_ == nullptr) return Curve3D::IsSelected();
  const bool any = (base_ != nullptr && base_->IsSelected() != 0) ||
                   (edge_ != nullptr && edge_->IsSelected() != 0);
  return any ? 1 : 0;
}

int Edge3D::SelectAll() {
  if (base_ != nullptr) base_->Selected(1);
  if (edge_ != nullptr) edge_->Selected(1);
  return base_ != nullptr || edge_ != nullptr ? 1 : 0;
}

int Edge3D::SelectBase() {
  if (edge_ != nullptr) edge_->Selected(0);
  if (base_ == nullptr) return 0;
  base_->Selected(1);
  return 1;
}

int Edge3D::SelectEdge() {
  if (base_ != nullptr) base_->Selected(0);
  if (edge_ == nullptr) return 0;
  edge_->Selected(1);
  return 1;
}

// ---- Points, box and measures follow the base ---------------------------------------------

void Edge3D::Calcbox() {
  Curve3D::Calcbox();
  Box3D* box = Box(0, nullptr);
  // The box covers everything drawn, so a redraw or a pick never misses the double line.
  for (Curve3D* part : {base_, edge_, static_cast<Curve3D*>(cap1_), static_cast<Curve3D*>(cap2_)}) {
    if (part != nullptr) box->Append(part->Box(0, nullptr));
  }
}

double Edge3D::Angle() {
  if (Arc3D* arc = AsArcPart(base_)) return arc->Angle();
  return Spt()->xyangle(Ept());
}

double Edge3D::Length(int all) {
  return base_ != nullptr ? base_->Length(all) : FlatLength(all);
}

int Edge3D::Count(int /*all*/) {
  return kEdgeCount;
}

Point3D* Edge3D::Intersect2DSeg(Curve3D* other, Point3D* out) {
  if (base_ == nullptr) return Curve3D::Intersect2DSeg(other, out);
  return base_->Intersect2DSeg(other, out);
}

double Edge3D::IsNear(Point3D* p, double zoom, double size) {
  return base_ != nullptr ? base_->IsNear(p, zoom, size) : kNotNear;
}

double Edge3D::PtOnLine(Point3D* p, double zoom, double size) {
  return base_ != nullptr ? base_->PtOnLine(p, zoom, size) : kNotNear;
}

double Edge3D::IsNearMidPt(Point3D* p, Point3D* out, double zoom) {
  return base_ != nullptr ? base_->IsNearMidPt(p, out, zoom) : kNotNear;
}

double Edge3D::IsNearVertex(Point3D* p, Point3D* out, int& index, double zoom, double size) {
  return base_ != nullptr ? base_->IsNearVertex(p, out, index, zoom, size) : kNotNear;
}

// The base follows the entity's own end points (the point forms reach these through the base).
Point3D* Edge3D::Spt(const Point3D* p) {
  if (p == nullptr) return nullptr;
  return Spt(p->x, p->y, p->z);
}

Point3D* Edge3D::Spt(double x, double y, double z) {
  Point3D at;
  at.set(x, y, z);
  if (base_ != nullptr) base_->Spt(&at);
  return Curve3D::Spt(x, y, z);
}

Point3D* Edge3D::Ept(const Point3D* p) {
  if (p == nullptr) return nullptr;
  return Ept(p->x, p->y, p->z);
}

Point3D* Edge3D::Ept(double x, double y, double z) {
  Point3D at;
  at.set(x, y, z);
  if (base_ != nullptr) base_->Ept(&at);
  return Curve3D::Ept(x, y, z);
}

bool Edge3D::Ident(Curve3D* other) {
  Edge3D* edge = AsEdge(other);
  if (edge == nullptr || !Curve3D::Ident(other)) return false;
  if (base_ == nullptr || edge->base_ == nullptr) return base_ == edge->base_;
  return base_->Ident(edge->base_);
}

// ---- Transformations: the entity, then every part ------------------------------------------

Curve3D* Edge3D::Translate(const Point3D* v, bool moveLocal) {
  if (v == nullptr) return this;
  const Point3D by(v);
  Curve3D::Translate(&by, moveLocal);
  for (Curve3D* part : {base_, edge_, static_cast<Curve3D*>(cap1_), static_cast<Curve3D*>(cap2_)}) {
    if (part != nullptr) part->Translate(&by, moveLocal);
  }
  Calcbox();
  return this;
}

Curve3D* Edge3D::Rotate(const Point3D* centre, const Point3D* axis, double angle) {
  return Rotate_cs(centre, axis, std::cos(angle), std::sin(angle));
}

Curve3D* Edge3D::Rotate_cs(const Point3D* centre, const Point3D* axis, double cs, double sn) {
  if (centre == nullptr || axis == nullptr) return this;
  // Copies: the centre may be one of the points being rotated.
  const Point3D c(centre);
  const Point3D a(axis);
  Curve3D::Rotate_cs(&c, &a, cs, sn);
  for (Curve3D* part : {base_, edge_, static_cast<Curve3D*>(cap1_), static_cast<Curve3D*>(cap2_)}) {
    if (part != nullptr) part->Rotate_cs(&c, &a, cs, sn);
  }
  Calcbox();
  return this;
}

Curve3D* Edge3D::Scale(const Point3D* centre, const Point3D* factors) {
  if (centre == nullptr || factors == nullptr) return this;
  const Point3D c(centre);
  const Point3D f(factors);
  Curve3D::Scale(&c, &f);
  for (Curve3D* part : {base_, edge_, static_cast<Curve3D*>(cap1_), static_cast<Curve3D*>(cap2_)}) {
    if (part != nullptr) part->Scale(&c, &f);
  }
  Calcbox();
  return this;
}

Curve3D* Edge3D::Scale(const Point3D* centre, double s) {
  if (centre == nullptr) return this;
  const Point3D c(centre);
  Curve3D::Scale(&c, s);
  for (Curve3D* part : {base_, edge_, static_cast<Curve3D*>(cap1_), static_cast<Curve3D*>(cap2_)}) {
    if (part != nullptr) part->Scale(&c, s);
  }
  Calcbox();
  return this;
}

Curve3D* Edge3D::Mirror(const Point3D* normal, double distance) {
  if (normal == nullptr) return this;
  const Point3D n(normal);
  Curve3D::Mirror(&n, distance);
  for (Curve3D* part : {base_, edge_, static_cast<Curve3D*>(cap1_), static_cast<Curve3D*>(cap2_)}) {
    if (part != nullptr) part->Mirror(&n, distance);
  }
  Calcbox();
  return this;
}
