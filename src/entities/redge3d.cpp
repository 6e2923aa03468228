#include "entities/redge3d.h"

#include <cmath>
#include <cstdlib>
#include <new>

#include "entities/multi3d.h"
#include "geometry/tolerance.h"
#include "takeoff/tsmartobject.h"
#include "takeoff/ttgattribute.h"

namespace {

// Live roof edges in the process; constructors count up, the destructor down.
int g_live_roof_edges = 0;

constexpr const char* kOverhangTag = "Overhang";

// A roof edge's own line is drawn dashed ("DASH") and one pixel wide.
constexpr int kDashedLinetype = 1;
constexpr int kThinLine = 1;

// Neighbouring roof edges closer in direction than this are one run: their overhang lines are
// parallel and have no useful corner.
constexpr double kSameRunDegrees = 1.0;

// The side probe reaches a tenth of the overhang off the side.
constexpr double kProbeFraction = 0.1;

REdge3D* AsRoofEdge(Curve3D* c) {
  return c != nullptr && c->Type() == kEntityREdge ? dynamic_cast<REdge3D*>(c) : nullptr;
}

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

double DirectionDifference(double a, double b) {
  double turn = std::fabs(a - b);
  while (turn > kFullTurnDegrees)
    turn -= kFullTurnDegrees;
  return turn > kHalfTurnDegrees ? kFullTurnDegrees - turn : turn;
}

}  // namespace

// ---- Construction -------------------------------------------------------------------------

REdge3D::REdge3D() : Line3D() {
  MakeREdge(0, 1);
}

REdge3D::REdge3D(const Point3D* a, const Point3D* b, int colour, int lineType, int thickness)
    : Line3D(a, b, colour, lineType, thickness) {
  MakeREdge(lineType, thickness);
}

REdge3D::REdge3D(Curve3D* c) : Line3D(static_cast<const Curve3D*>(c)) {
  MakeREdge(c != nullptr ? c->GetLinetype() : 0, c != nullptr ? c->Thickness() : 1);
}

REdge3D::REdge3D(const REdge3D* src) : Line3D(static_cast<const Line3D*>(src)) {
  ++g_live_roof_edges;
  Type(kEntityREdge);
  if (src != nullptr && src->edge_ != nullptr) {
    edge_ = new (std::nothrow) Line3D(static_cast<const Line3D*>(src->edge_));
    prepared_ = src->prepared_;
  } else {
    edge_ = new (std::nothrow) Line3D(Spt(), Ept(), GetColour());
  }
  State(kStateUnchanged);
}

REdge3D::REdge3D(const REdge3D& src) : REdge3D(&src) {}

REdge3D::~REdge3D() {
  delete edge_;
  --g_live_roof_edges;
}

// The entity's own line is dashed and thin; the edge line keeps the style the side was given.
void REdge3D::MakeREdge(int edgeLinetype, int edgeThickness) {
  ++g_live_roof_edges;
  Type(kEntityREdge);
  Linetype(kDashedLinetype);
  Thickness(kThinLine);
  edge_ = new (std::nothrow) Line3D(Spt(), Ept(), GetColour(), edgeLinetype, edgeThickness);
  Calcbox();
  State(kStateUnchanged);
}

int REdge3D::LiveCount() {
  return g_live_roof_edges;
}

int REdge3D::GetNum() {
  return g_live_roof_edges;
}

Curve3D* REdge3D::Copy() {
  return new (std::nothrow) REdge3D(*this);
}

Line3D* REdge3D::GetEdge() {
  return edge_;
}

REdge3D* REdge3D::Set(REdge3D* src) {
  if (src == nullptr || src == this) return this;
  Curve3D::Set(src);
  Line3D* edge = src->edge_ != nullptr ? new (std::nothrow)
                                             Line3D(static_cast<const Line3D*>(src->edge_))
                                       : nullptr;
  delete edge_;
  edge_ = edge;
  prepared_ = src->prepared_ && edge_ != nullptr;
  if (edge_ == nullptr) ResetEdge();
  return this;
}

Curve3D* REdge3D::Set(Curve3D* src) {
  if (src == nullptr || src == this) return this;
  if (REdge3D* roofEdge = AsRoofEdge(src)) return Set(roofEdge);
  Curve3D::Set(src);
  ResetEdge();
  return this;
}

bool REdge3D::Ident(Curve3D* other) {
  return AsRoofEdge(other) != nullptr && Curve3D::Ident(other);
}

double REdge3D::Overhang() {
  const TSmartObjectList* list = GetSmartObjectList();
  for (const TSmartObject* so = list != nullptr ? list->Head() : nullptr; so != nullptr;
       so = so->Next()) {
    const TTGAttribute* attrib = so->HasAttrib(kOverhangTag);
    if (attrib == nullptr) continue;
    const double overhang = AttributeValue(*attrib);
    return std::isfinite(overhang) ? overhang : 0.0;
  }
  return 0.0;
}

// ---- Placement and joints -----------------------------------------------------------------

void REdge3D::ResetEdge() {
  prepared_ = false;
  if (edge_ == nullptr) {
    edge_ = new (std::nothrow) Line3D(Spt(), Ept(), GetColour());
    return;
  }
  edge_->Set(Spt(), Ept());
}

void REdge3D::PrepEdge(Multi3D* owner) {
  ResetEdge();
  prepared_ = true;
  const double overhang = Overhang();
  if (overhang == 0.0 || edge_ == nullptr) return;
  const double across = (Angle() + kQuarterTurnDegrees) * kRadiansPerDegreeAsStored;
  const Point3D plus(std::cos(across), std::sin(across), 0.0);
  // Without an owner there is no inside: the overhang goes to the +90 side.
  bool towardPlus = true;
  if (owner != nullptr) {
    Point3D probe;
    Mid_pt(&probe);
    probe.addt(&plus, std::fabs(overhang) * kProbeFraction);
    towardPlus = owner->IsInsideEdge(&probe, false) == 0;
  }
  Point3D shift(&plus);
  shift.mult(towardPlus ? overhang : -overhang);
  edge_->Translate(&shift, true);
}

void REdge3D::JoinPrev(Curve3D* prev, Multi3D* owner) {
  if (prev == nullptr || prev == this) return;
  Point3D at;
  if (REdge3D* roofEdge = AsRoofEdge(prev)) {
    if (roofEdge->edge_ == nullptr) return;
    if (!roofEdge->prepared_) roofEdge->PrepEdge(owner);
    if (DirectionDifference(roofEdge->Angle(), Angle()) <= kSameRunDegrees) return;
    if (edge_->Intersect2D(roofEdge->edge_, &at) == nullptr) return;
    at.z = roofEdge->edge_->Ept()->z;
    roofEdge->edge_->Ept(&at);
    edge_->Spt(&at);
    return;
  }
  // A plain side runs out to the overhang line.
  if (prev->Type() != kEntityLine) return;
  if (edge_->Intersect2D(prev, &at) == nullptr) return;
  at.z = prev->Ept()->z;
  prev->Ept(&at);
  prev->Calcbox();
}

void REdge3D::JoinNext(Curve3D* next, Multi3D* owner) {
  if (next == nullptr || next == this) return;
  Point3D at;
  if (REdge3D* roofEdge = AsRoofEdge(next)) {
    if (roofEdge->edge_ == nullptr) return;
    if (!roofEdge->prepared_) roofEdge->PrepEdge(owner);
    if (DirectionDifference(roofEdge->Angle(), Angle()) <= kSameRunDegrees) return;
    if (edge_->Intersect2D(roofEdge->edge_, &at) == nullptr) return;
    at.z = roofEdge->edge_->Spt()->z;
    roofEdge->edge_->Spt(&at);
    edge_->Ept(&at);
    return;
  }
  if (next->Type() != kEntityLine) return;
  if (edge_->Intersect2D(next, &at) == nullptr) return;
  at.z = next->Spt()->z;
  next->Spt(&at);
  next->Calcbox();
}

void REdge3D::SetupEdgeLine(Curve3D* prev, Curve3D* next, Multi3D* owner, double /*overhang*/) {
  // The placement reads "Overhang" itself, so the joints always match the line it made.
  PrepEdge(owner);
  if (edge_ == nullptr) return;
  JoinPrev(prev, owner);
  JoinNext(next, owner);
}

bool REdge3D::Connect(Curve3D* prev, Curve3D* next, Curve3D* outline) {
  SetupEdgeLine(prev, next, dynamic_cast<Multi3D*>(outline), Overhang());
  return edge_ != nullptr;
}

// ---- Transformations: the line, then its edge line ----------------------------------------

Curve3D* REdge3D::Translate(const Point3D* v, bool moveLocal) {
  if (v == nullptr) return this;
  const Point3D by(v);
  Curve3D::Translate(&by, moveLocal);
  if (edge_ != nullptr) edge_->Translate(&by, moveLocal);
  return this;
}

Curve3D* REdge3D::Rotate(const Point3D* centre, const Point3D* axis, double angle) {
  return Rotate_cs(centre, axis, std::cos(angle), std::sin(angle));
}

Curve3D* REdge3D::Rotate_cs(const Point3D* centre, const Point3D* axis, double cs, double sn) {
  if (centre == nullptr || axis == nullptr) return this;
  // Copies: the centre may be one of the points being rotated.
  const Point3D c(centre);
  const Point3D a(axis);
  Curve3D::Rotate_cs(&c, &a, cs, sn);
  if (edge_ != nullptr) edge_->Rotate_cs(&c, &a, cs, sn);
  return this;
}

Curve3D* REdge3D::Scale(const Point3D* centre, const Point3D* factors) {
  if (centre == nullptr || factors == nullptr) return this;
  const Point3D c(centre);
  const Point3D f(factors);
  Curve3D::Scale(&c, &f);
  if (edge_ != nullptr) edge_->Scale(&c, &f);
  return this;
}

Curve3D* REdge3D::Scale(const Point3D* centre, double s) {
  if (centre == nullptr) return this;
  const Point3D c(centre);
  Curve3D::Scale(&c, s);
  if (edge_ != nullptr) edge_->Scale(&c, s);
  return this;
}

Curve3D* REdge3D::Mirror(const Point3D* normal, double distance) {
  if (normal == nullptr) return this;
  const Point3D n(normal);
  Curve3D::Mirror(&n, distance);
  if (edge_ != nullptr) edge_->Mirror(&n, distance);
  return this;
}
