// The freehand point curve: node list upkeep, measures, picking and transformations.
#include "entities/pcurve3d.h"

#include <cmath>
#include <new>

#include "geometry/box3d.h"

namespace {

// Live point curves in the process; constructors count up, the destructor down.
int g_live_pcurves = 0;

constexpr const char* kPCurveName = "Curve";

// The nearest-node search starts from this distance; a best that is still the start value means
// no node was near, whatever the pick tolerance.
constexpr double kNearSearchStart = 10000.0;

// The world distance a pick size covers at this zoom; false for a zero zoom, which picks nothing.
bool PickTolerance(double zoom, double size, double* tolerance) {
  if (zoom == 0.0) return false;
  *tolerance = size / zoom;
  return true;
}

}  // namespace

// ---- Construction -------------------------------------------------------------------------

PCurve3D::PCurve3D(int colour, int lineType, int thickness, int fillColour, int fillPattern)
    : Curve3D(colour, lineType, thickness, fillColour, fillPattern) {
  MakeCurve();
}

PCurve3D::PCurve3D(const Point3D* p, int colour, int lineType, int thickness, int fillColour,
                   int fillPattern)
    : Curve3D(colour, lineType, thickness, fillColour, fillPattern) {
  Add(p);
  MakeCurve();
}

PCurve3D::PCurve3D(const PCurve3D* src) : Curve3D(static_cast<const Curve3D*>(src)) {
  if (src == nullptr) {
    MakeCurve();
    return;
  }
  ++g_live_pcurves;
  AppendNodesOf(*src);
}

PCurve3D::PCurve3D(const PCurve3D& src) : Curve3D(src) {
  ++g_live_pcurves;
  AppendNodesOf(src);
}

PCurve3D& PCurve3D::operator=(const PCurve3D& src) {
  Set(const_cast<PCurve3D*>(&src));
  return *this;
}

PCurve3D::~PCurve3D() {
  --g_live_pcurves;
}

// A new curve is unchanged until the document marks it (naming it records a change).
void PCurve3D::MakeCurve() {
  ++g_live_pcurves;
  Type(kEntityPCurve);
  Name(kPCurveName);
  State(kStateUnchanged);
}

void PCurve3D::AppendNodesOf(const PCurve3D& src) {
  DblPlistIterator it(&src.nodes_);
  while (DblPitem* node = it.Next())
    nodes_.Add(node->Point(), 0.0, 0);
}

int PCurve3D::LiveCount() {
  return g_live_pcurves;
}

int PCurve3D::GetNum() {
  return LiveCount();
}

Curve3D* PCurve3D::Copy() {
  return new (std::nothrow) PCurve3D(*this);
}

DblPlist* PCurve3D::GetPointList() {
  return &nodes_;
}

// ---- Nodes --------------------------------------------------------------------------------

int PCurve3D::Add(const Point3D* p) {
  if (p == nullptr) return Nodes();
  // Stored snapped, so that the node and the end point it becomes are the same point.
  Point3D node;
  node.set(p);
  if (nodes_.Add(&node, 0.0, 0) == nullptr) return Nodes();
  if (Nodes() == 1) {
    Curve3D::Spt()->set(&node);
    Box(0, nullptr)->Set(&node);
  } else {
    Box(0, nullptr)->Append(&node);
  }
  Curve3D::Ept()->set(&node);
  State(kStateChanged);
  return Nodes();
}

PCurve3D* PCurve3D::Set(PCurve3D* src) {
  if (src == nullptr || src == this) return this;
  nodes_.Flush();
  Curve3D::Set(src);
  AppendNodesOf(*src);
  Calcbox();
  State(kStateChanged);
  return this;
}

Curve3D* PCurve3D::Set(Curve3D* src) {
  if (auto* curve = dynamic_cast<PCurve3D*>(src)) return Set(curve);
  if (src == nullptr || src == this) return this;
  Curve3D::Set(src);
  RefreshEnds();
  Calcbox();
  return this;
}

void PCurve3D::RefreshEnds() {
  if (Nodes() == 0) return;
  Curve3D::Spt()->set(nodes_.Head()->Point());
  Curve3D::Ept()->set(nodes_.Tail()->Point());
}

template <typename Op>
void PCurve3D::ForEachNode(Op op) {
  DblPlistIterator it(&nodes_);
  while (DblPitem* node = it.Next())
    op(node->Point());
}

Point3D* PCurve3D::Spt(double x, double y, double z) {
  Point3D* start = Curve3D::Spt();
  start->set(x, y, z);
  if (Nodes() > 0) nodes_.Head()->Point()->set(x, y, z);
  ReCalcDimensions();
  Calcbox();
  State(kStateChanged);
  return start;
}

Point3D* PCurve3D::Spt(const Point3D* p) {
  if (p == nullptr) return nullptr;
  return Spt(p->x, p->y, p->z);
}

Point3D* PCurve3D::Ept(double x, double y, double z) {
  Point3D* end = Curve3D::Ept();
  end->set(x, y, z);
  if (Nodes() > 0) nodes_.Tail()->Point()->set(x, y, z);
  ReCalcDimensions();
  Calcbox();
  State(kStateChanged);
  return end;
}

Point3D* PCurve3D::Ept(const Point3D* p) {
  if (p == nullptr) return nullptr;
  return Ept(p->x, p->y, p->z);
}

void PCurve3D::Zero() {
  Curve3D::Zero();
  nodes_.Flush();
  Type(kEntityPCurve);
  Name(kPCurveName);
  State(kStateUnchanged);
}

// ---- Measures -----------------------------------------------------------------------------

void PCurve3D::Calcbox() {
  if (Nodes() == 0) {
    Curve3D::Calcbox();
    return;
  }
  Box3D* box = Box(0, nullptr);
  box->Set(nodes_.Head()->Point());
  ForEachNode([box](const Point3D* p) { box->Append(p); });
}

double PCurve3D::Length(int /*all*/) {
  double length = 0.0;
  const Point3D* previous = nullptr;
  ForEachNode([&](const Point3D* p) {
    if (previous != nullptr) length += previous->dist(p);
    previous = p;
  });
  return length;
}

double PCurve3D::Length(int /*index*/, int all) {
  return Length(all);
}

bool PCurve3D::Ident(Curve3D* other) {
  auto* curve = dynamic_cast<PCurve3D*>(other);
  return curve != nullptr && Curve3D::Ident(other) && curve->Nodes() == Nodes();
}

// ---- Nearness -----------------------------------------------------------------------------

double PCurve3D::IsNear(Point3D* p, double zoom, double size) {
  double tolerance = 0.0;
  if (p == nullptr || !PickTolerance(zoom, size, &tolerance)) return kNotNear;
  double best = kNearSearchStart;
  ForEachNode([&](const Point3D* node) {
    const double d = p->dist(node);
    if (d < tolerance && d < best) best = d;
  });
  return best < kNearSearchStart ? best : kNotNear;
}

double PCurve3D::IsNearVertex(Point3D* p, Point3D* out, int& /*index*/, double zoom, double size) {
  double tolerance = 0.0;
  if (p == nullptr || Nodes() == 0 || !PickTolerance(zoom, size, &tolerance)) return kNotNear;
  Point3D* start = Curve3D::Spt();
  Point3D* end = Curve3D::Ept();
  const double to_start = p->dist(start);
  const double to_end = p->dist(end);
  if (to_start < to_end && to_start <= tolerance) {
    if (out != nullptr) out->set(start);
    return to_start;
  }
  if (to_end <= tolerance) {
    if (out != nullptr) out->set(end);
    return to_end;
  }
  return kNotNear;
}

// ---- Transformations ----------------------------------------------------------------------
// The nodes move first and the base then moves the ends, so its closing Calcbox already sees
// the moved nodes. The arguments are copied first: they may be one of the points that move.

Curve3D* PCurve3D::Translate(const Point3D* v, bool moveLocal) {
  if (v == nullptr) return this;
  const Point3D by(v);
  ForEachNode([&](Point3D* p) { p->add(&by); });
  return Curve3D::Translate(&by, moveLocal);
}

Curve3D* PCurve3D::Rotate(const Point3D* centre, const Point3D* axis, double angle) {
  return Rotate_cs(centre, axis, std::cos(angle), std::sin(angle));
}

Curve3D* PCurve3D::Rotate_cs(const Point3D* centre, const Point3D* axis, double cs, double sn) {
  if (centre == nullptr || axis == nullptr) return this;
  const Point3D c(centre);
  const Point3D a(axis);
  ForEachNode([&](Point3D* p) { p->rotate_cs(&c, &a, cs, sn); });
  return Curve3D::Rotate_cs(&c, &a, cs, sn);
}

Curve3D* PCurve3D::Scale(const Point3D* centre, const Point3D* factors) {
  if (centre == nullptr || factors == nullptr) return this;
  const Point3D c(centre);
  const Point3D f(factors);
  ForEachNode([&](Point3D* p) { p->scale(&c, &f); });
  return Curve3D::Scale(&c, &f);
}

Curve3D* PCurve3D::Scale(const Point3D* centre, double s) {
  if (centre == nullptr) return this;
  const Point3D c(centre);
  ForEachNode([&](Point3D* p) { p->scale(&c, s); });
  return Curve3D::Scale(&c, s);
}

Curve3D* PCurve3D::Mirror(const Point3D* normal, double distance) {
  if (normal == nullptr) return this;
  const Point3D n(normal);
  ForEachNode([&](Point3D* p) { p->mirror(&n, distance); });
  return Curve3D::Mirror(&n, distance);
}

void PCurve3D::ResetGlobalCoords(const Point3D* origin) {
  if (origin == nullptr) return;
  const Point3D o(origin);
  // The nodes follow the start point, which the base moves to LocalSpt + origin.
  Point3D offset(LocalSpt());
  offset.add(&o);
  offset.sub(Curve3D::Spt());
  ForEachNode([&](Point3D* p) { p->add(&offset); });
  Curve3D::ResetGlobalCoords(&o);
}
