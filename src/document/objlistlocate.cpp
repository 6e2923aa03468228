// Picking and snapping: the document answers a cursor position (in world units) with the entity
// it is near, selects it, or moves the position onto the geometry. Tolerances are screen pixels;
// every near test receives the zoom factor and turns the pixel size into drawing units itself,
// so picking feels the same at every zoom.

#include <algorithm>
#include <cmath>
#include <vector>

#include "document/layerbag.h"
#include "document/objlist.h"
#include "entities/arc3d.h"
#include "entities/edge3d.h"
#include "entities/entitytype.h"
#include "entities/line3d.h"
#include "entities/multi3d.h"
#include "entities/redge3d.h"
#include "geometry/tolerance.h"

namespace {

// Pick sizes, in screen pixels.
constexpr double kPickSize = 30.0;           // an entity near the picked point
constexpr double kSegmentPickSize = 4.0;     // the picked point on a side of an outline
constexpr double kEndPointPickSize = 5.0;    // an end point of a line or open outline
constexpr double kSnapSearchSize = 300.0;    // the nearest line or vertex to snap to
constexpr double kOnLineSize = 3.0;          // on an arc, or on the line of a target side
constexpr double kOutlineTargetSize = 40.0;  // an outline whose sides may hold a hip target

// Two directions this many degrees apart (or this near a half or full turn) are parallel.
constexpr double kParallelDegrees = 1.0;

// The takeoff items a hip or valley line can end on.
constexpr int kEaveType = 6105;
constexpr int kSlopeChangeType = 6156;
constexpr int kFlatRoofTieInType = 6158;

// The current roof decides whether an entity lies on it in drawing units, not in pixels.
constexpr double kRoofInsideZoom = 1.0;

// ---- Kinds -----------------------------------------------------------------------------------

Multi3D* AsOutline(Curve3D* e) {
  if (e == nullptr) return nullptr;
  const int type = e->Type();
  if (type != kEntityPolyline && type != kEntityOpenPolyline) return nullptr;
  return dynamic_cast<Multi3D*>(e);
}

REdge3D* AsRoofEdge(Curve3D* e) {
  return e != nullptr && e->Type() == kEntityREdge ? dynamic_cast<REdge3D*>(e) : nullptr;
}

Edge3D* AsPitchedEdge(Curve3D* e) {
  return e != nullptr && e->Type() == kEntityEdge ? dynamic_cast<Edge3D*>(e) : nullptr;
}

Arc3D* AsArc(Curve3D* e) {
  if (e == nullptr) return nullptr;
  const int type = e->Type();
  if (type != kEntityArc && type != kEntityCircle && type != kEntityEllipse &&
      type != kEntityChord) {
    return nullptr;
  }
  return dynamic_cast<Arc3D*>(e);
}

// A line, a roof edge, or a pitched edge whose base is a line.
bool IsStraight(Curve3D* e) {
  if (e == nullptr) return false;
  const int type = e->Type();
  if (type == kEntityLine || type == kEntityREdge) return true;
  Edge3D* edge = AsPitchedEdge(e);
  Curve3D* base = edge != nullptr ? edge->GetBase() : nullptr;
  return base != nullptr && base->Type() == kEntityLine;
}

bool IsOpenOutline(Curve3D* e) {
  Multi3D* m = AsOutline(e);
  return m != nullptr && !m->IsClosed();
}

// ---- Nearest candidate -----------------------------------------------------------------------

// Keeps the nearest of the candidates offered; the first one offered wins a tie.
template <class T>
struct Nearest {
  T* best = nullptr;
  double distance = kNotNear;

  bool Offer(T* candidate, double d) {
    if (candidate == nullptr || d < 0.0) return false;
    if (best != nullptr && d >= distance) return false;
    best = candidate;
    distance = d;
    return true;
  }
};

// The outline's segment nearest to p within size pixels; only straight ones with straightOnly.
Curve3D* NearestSegment(Multi3D* m, Point3D* p, double zoom, double size, bool straightOnly) {
  Nearest<Curve3D> nearest;
  for (int n = 1; Curve3D* s = m->Segment(n); ++n) {
    if (straightOnly && !IsStraight(s)) continue;
    nearest.Offer(s, s->IsNear(p, zoom, size));
  }
  return nearest.best;
}

// The first straight segment of the outline near p, in chain order.
Curve3D* FirstStraightSegmentNear(Multi3D* m, Point3D* p, double zoom) {
  for (int n = 1; Curve3D* s = m->Segment(n); ++n) {
    if (IsStraight(s) && s->IsNear(p, zoom, kPickSize) >= 0.0) return s;
  }
  return nullptr;
}

// The edge line of a roof edge or pitched edge when it is exactly as near to p as the edge
// itself (it is where no overhang or width has moved it off the edge); else null.
Curve3D* EdgeLineIfAsNear(Curve3D* e, Point3D* p, double zoom, double size) {
  Curve3D* edgeLine = nullptr;
  if (REdge3D* roofEdge = AsRoofEdge(e)) edgeLine = roofEdge->GetEdge();
  if (Edge3D* pitched = AsPitchedEdge(e)) edgeLine = pitched->GetEdge();
  if (edgeLine == nullptr) return nullptr;
  const double d = e->IsNear(p, zoom, size);
  return d >= 0.0 && edgeLine->IsNear(p, zoom, size) == d ? edgeLine : nullptr;
}

// The base of a pitched edge; any other entity is its own base.
Curve3D* BaseOf(Curve3D* e) {
  Edge3D* pitched = AsPitchedEdge(e);
  Curve3D* base = pitched != nullptr ? pitched->GetBase() : nullptr;
  return base != nullptr ? base : e;
}

// ---- Plan geometry ---------------------------------------------------------------------------

// Plan direction from Spt to Ept in degrees, 0 to under 360; false for a piece without extent.
bool PlanDirection(Curve3D* e, double* degrees) {
  const double dx = e->Ept()->x - e->Spt()->x;
  const double dy = e->Ept()->y - e->Spt()->y;
  if (std::abs(dx) <= kIdentTolerance && std::abs(dy) <= kIdentTolerance) return false;
  double a = std::atan2(dy, dx) / kRadiansPerDegreeAsStored;
  if (a < 0.0) a += kFullTurnDegrees;
  *degrees = a;
  return true;
}

bool AreParallel(double a, double b) {
  const double diff = std::abs(a - b);
  return diff < kParallelDegrees || std::abs(diff - kHalfTurnDegrees) < kParallelDegrees ||
         std::abs(diff - kFullTurnDegrees) < kParallelDegrees;
}

// Plan distance from p to the infinite line through a and b (to a when they coincide).
double DistanceToLine(const Point3D* a, const Point3D* b, const Point3D* p) {
  const double dx = b->x - a->x;
  const double dy = b->y - a->y;
  const double length = std::hypot(dx, dy);
  if (length <= kIdentTolerance) return std::hypot(p->x - a->x, p->y - a->y);
  return std::abs(dx * (p->y - a->y) - dy * (p->x - a->x)) / length;
}

// The point of the segment a-b nearest to p in plan.
Point3D NearestOnSegment(const Point3D* a, const Point3D* b, const Point3D* p) {
  const double dx = b->x - a->x;
  const double dy = b->y - a->y;
  const double length2 = dx * dx + dy * dy;
  if (length2 <= 0.0) return Point3D(a);
  const double t = std::clamp(((p->x - a->x) * dx + (p->y - a->y) * dy) / length2, 0.0, 1.0);
  return Point3D(a->x + t * dx, a->y + t * dy, a->z + t * (b->z - a->z));
}

// The side of target lying on the line of piece: parallel to it, its start within 3 pixels of
// that line or its end on it. Null when there is none.
Curve3D* CollinearSide(Multi3D* target, Curve3D* piece, double zoom) {
  double direction = 0.0;
  if (zoom == 0.0 || !PlanDirection(piece, &direction)) return nullptr;
  const double tolerance = kOnLineSize / std::abs(zoom);
  for (int n = 1; Curve3D* side = target->Segment(n); ++n) {
    double sideDirection = 0.0;
    if (!IsStraight(side) || !PlanDirection(side, &sideDirection)) continue;
    if (!AreParallel(direction, sideDirection)) continue;
    if (DistanceToLine(piece->Spt(), piece->Ept(), side->Spt()) <= tolerance ||
        DistanceToLine(piece->Spt(), piece->Ept(), side->Ept()) <= kIdentTolerance) {
      return side;
    }
  }
  return nullptr;
}

// The point of a circle, arc, chord or ellipse the cursor snaps to: radially onto a circular
// figure (an open one falls back to its nearer end when that point misses it), along the ray
// from the centre onto any other. False when the cursor gives no direction.
bool SnapPointOnArc(Arc3D* arc, Point3D* p, double zoom, Point3D* out) {
  const Point3D* centre = arc->Ctr();
  const double dx = p->x - centre->x;
  const double dy = p->y - centre->y;
  const double reach = std::hypot(dx, dy);
  if (reach <= kIdentTolerance) return false;
  if (arc->IsCircular() == 0) {
    Line3D ray(centre, p);
    Point3D hits[2];
    const int found = arc->IntersectLineEx(&ray, &hits[0], &hits[1]);
    if (found <= 0) return false;
    *out = found > 1 && p->dist(&hits[1]) < p->dist(&hits[0]) ? hits[1] : hits[0];
    return true;
  }
  const double r = arc->Radius();
  Point3D onCircle(centre->x + dx * r / reach, centre->y + dy * r / reach, centre->z);
  const bool fullFigure = arc->Spt()->ident(arc->Ept()) != 0;
  if (fullFigure || arc->PtOnLine(&onCircle, zoom, kOnLineSize) >= 0.0) {
    *out = onCircle;
    return true;
  }
  *out = p->dist(arc->Spt()) <= p->dist(arc->Ept()) ? Point3D(arc->Spt()) : Point3D(arc->Ept());
  return true;
}

// The point of piece the cursor snaps to.
bool SnapPointOn(Curve3D* piece, Point3D* p, double zoom, Point3D* out) {
  if (Arc3D* arc = AsArc(piece)) return SnapPointOnArc(arc, p, zoom, out);
  if (!IsStraight(piece)) return false;
  *out = NearestOnSegment(piece->Spt(), piece->Ept(), p);
  return true;
}

// ---- Hip and valley targets ------------------------------------------------------------------

bool CarriesEave(Curve3D* e) {
  return e->HasSmartObjectType(kEaveType) != nullptr;
}

bool CarriesSlopeBreak(Curve3D* e) {
  return e->HasSmartObjectType(kSlopeChangeType) != nullptr ||
         e->HasSmartObjectType(kFlatRoofTieInType) != nullptr;
}

// A roof edge carrying an eave is reached through its edge line, where the roof surface ends.
// kNotNear for anything else.
double EaveEdgeDistance(Curve3D* e, Point3D* p, double zoom) {
  REdge3D* roofEdge = AsRoofEdge(e);
  if (roofEdge == nullptr || !CarriesEave(e)) return kNotNear;
  Line3D* edgeLine = roofEdge->GetEdge();
  return edgeLine != nullptr ? edgeLine->IsNear(p, zoom, kPickSize) : kNotNear;
}

void OfferHipValleyTarget(Curve3D* e, Point3D* p, double zoom, Nearest<Curve3D>* nearest) {
  if (AsRoofEdge(e) != nullptr && CarriesEave(e)) {
    nearest->Offer(e, EaveEdgeDistance(e, p, zoom));
    return;
  }
  if (CarriesEave(e) || CarriesSlopeBreak(e)) {
    nearest->Offer(e, e->IsNear(p, zoom, kPickSize));
    return;
  }
  Multi3D* m = AsOutline(e);
  if (m == nullptr || m->IsNear(p, zoom, kOutlineTargetSize) < 0.0) return;
  for (int n = 1; Curve3D* s = m->Segment(n); ++n) {
    if (AsRoofEdge(s) != nullptr && CarriesEave(s)) {
      nearest->Offer(s, EaveEdgeDistance(s, p, zoom));
    } else if (CarriesSlopeBreak(s)) {
      nearest->Offer(s, s->IsNear(p, zoom, kPickSize));
    }
  }
}

// Whether p lies within reach of e's box: nothing outside it can be near, and the box sits in
// the entity itself, so most of a large drawing is passed over without asking its geometry.
bool WithinBoxReach(Curve3D* e, const Point3D* p, double reach) {
  const Box3D* box = e->Box(0, nullptr);
  if (box == nullptr || !(reach >= 0.0)) return true;  // no box or no usable reach: ask
  return p->x >= box->Left() - reach && p->x <= box->Right() + reach &&
         p->y >= box->Bottom() - reach && p->y <= box->Top() + reach;
}

}  // namespace

// ---- Taking part -----------------------------------------------------------------------------

bool Objlist::IsPickable(const ObjItem* item, bool allowFrozen) const {
  if (item == nullptr || item->Obj() == nullptr) return false;
  const LayerBag* layer = item->Layer();
  if (layer == nullptr) return false;
  if (layer == CurrentLayer()) return true;
  if (!layer->IsLayerVisible()) return false;
  return allowFrozen || !layer->IsLayerFrozen();
}

bool Objlist::PassesRoofFilter(const ObjItem* item) const {
  const int roofId = GetCurrentRoofId();
  if (roofId <= 0) return true;
  Curve3D* roof = GetObj(roofId);
  if (roof == nullptr) return true;
  Curve3D* e = item != nullptr ? item->Obj() : nullptr;
  if (e == nullptr) return false;
  if (e == roof || IsOnFormatLayer(item) || e->HasRoofId(roofId) != 0) return true;
  const bool onRoof = roof->IsInside(e, kRoofInsideZoom, kIdentTolerance) != 0;
  // Dimensions cannot tell yet what they measure; the one lying on the roof is kept.
  if (e->Type() == kEntityDimension) return onRoof;
  return onRoof && (e->HasRoofSmartObject() != nullptr || e->HasSmartObject() == 0);
}

void Objlist::AddPicked(ObjItem* item) {
  if (Multi3D* m = AsOutline(item->Obj())) m->SelectAll();
  AddSelected(item);
}

// ---- Locate ----------------------------------------------------------------------------------

const Box3D* Objlist::Locate(Box3D* box, Point3D* p, int add) {
  found_.clear();
  if (add == 0) DeSelectAll(0);
  bool found = false;
  if (box != nullptr) {
    found = LocateInBox(box);
  } else if (p != nullptr) {
    found = LocateAtPoint(p);
  }
  return found ? &selection_box_ : nullptr;
}

bool Objlist::LocateInBox(const Box3D* box) {
  // The rectangle may have been dragged in any direction.
  Box3D rect;
  rect.Set(std::min(box->Minpt()->x, box->Maxpt()->x), std::min(box->Minpt()->y, box->Maxpt()->y),
           0.0, std::max(box->Minpt()->x, box->Maxpt()->x),
           std::max(box->Minpt()->y, box->Maxpt()->y), 0.0);
  Multi3D frame;
  BoxToMulti(&rect, &frame);
  const double zoom = Zoom();
  bool found = false;
  for (ObjItem* item = head_; item != nullptr; item = item->Next()) {
    if (!IsPickable(item, false) || !PassesRoofFilter(item)) continue;
    Curve3D* e = item->Obj();
    if (rect.Overlap(e->Box(0, nullptr)) == 0) continue;
    // An outline with crossing sides cannot answer the overlap test; its box has to do.
    Multi3D* m = AsOutline(e);
    if ((m != nullptr && m->Valid() == 0) || frame.Overlap(e, zoom)) {
      AddPicked(item);
      found = true;
    }
  }
  return found;
}

bool Objlist::LocateAtPoint(Point3D* p) {
  const double zoom = Zoom();
  const double reach = zoom > 0.0 ? kPickSize / zoom : -1.0;
  Nearest<ObjItem> nearest;
  for (ObjItem* item = head_; item != nullptr; item = item->Next()) {
    if (!IsPickable(item, false)) continue;
    Curve3D* e = item->Obj();
    if (!WithinBoxReach(e, p, reach) || !PassesRoofFilter(item)) continue;
    const double d = e->IsNear(p, zoom, kPickSize);
    if (d >= 0.0) {
      found_.push_back(e);
      nearest.Offer(item, d);
    }
    // A click on a side of an outline picks that side (and the outline) at once.
    Multi3D* m = AsOutline(e);
    const int n = m != nullptr ? m->PtOnSegment(p, zoom, kSegmentPickSize) : 0;
    Curve3D* side = n > 0 ? m->Segment(n) : nullptr;
    if (side == nullptr) continue;
    if (m->IsSegmentSelected() == 0 || side->IsSelected() == 0) AddSelected(item);
    // A second click on a selected side keeps it selected.
    if (side->IsSelected() == 0) m->SelectSegment(n);
    found_.clear();
    return true;
  }
  if (nearest.best == nullptr) return false;
  AddPicked(nearest.best);
  return true;
}

Curve3D* Objlist::LocateEndPt(Point3D* p, Point3D* out) {
  if (p == nullptr) return nullptr;
  const double zoom = Zoom();
  Nearest<Curve3D> nearest;
  Point3D nearestVertex;
  for (ObjItem* item = head_; item != nullptr; item = item->Next()) {
    if (!IsPickable(item, true)) continue;
    Curve3D* e = item->Obj();
    const int type = e->Type();
    const bool outline = IsOpenOutline(e);
    if (type != kEntityLine && type != kEntityREdge && !outline) continue;
    Point3D vertex;
    int index = 0;
    const double d = e->IsNearVertex(p, &vertex, index, zoom, kEndPointPickSize);
    // An outline's inner vertices are not ends to continue from.
    if (outline && vertex.ident(e->Spt()) == 0 && vertex.ident(e->Ept()) == 0) continue;
    if (nearest.Offer(e, d)) nearestVertex = vertex;
  }
  if (nearest.best != nullptr && out != nullptr) out->set(&nearestVertex);
  return nearest.best;
}

Curve3D* Objlist::LocateLine(Point3D* p, int withOutlines, Multi3D* target) {
  if (p == nullptr) return nullptr;
  DeSelectAll(0);
  const double zoom = Zoom();
  Nearest<Curve3D> nearest;
  for (ObjItem* item = head_; item != nullptr; item = item->Next()) {
    if (!IsPickable(item, false)) continue;
    Curve3D* e = item->Obj();
    if (!IsStraight(e) && (withOutlines == 0 || AsOutline(e) == nullptr)) continue;
    nearest.Offer(e, e->IsNear(p, zoom, kPickSize));
  }
  Curve3D* piece = nearest.best;
  if (Multi3D* m = AsOutline(piece)) piece = FirstStraightSegmentNear(m, p, zoom);
  if (piece == nullptr) return nullptr;
  if (Curve3D* edgeLine = EdgeLineIfAsNear(piece, p, zoom, kPickSize)) piece = edgeLine;
  if (target == nullptr) return piece;
  Curve3D* side = CollinearSide(target, piece, zoom);
  if (side == nullptr) return nullptr;
  side->Segment(1);
  return piece;
}

Multi3D* Objlist::LocateMulti(Point3D* p, int closedOnly, int select) {
  if (p == nullptr) return nullptr;
  const double zoom = Zoom();
  Nearest<ObjItem> nearest;
  for (ObjItem* item = head_; item != nullptr; item = item->Next()) {
    if (!IsPickable(item, select == 0)) continue;
    Multi3D* m = AsOutline(item->Obj());
    if (m == nullptr || (closedOnly != 0 && !m->IsClosed())) continue;
    nearest.Offer(item, m->IsNear(p, zoom, kPickSize));
  }
  if (nearest.best == nullptr) return nullptr;
  if (select != 0) AddPicked(nearest.best);
  return AsOutline(nearest.best->Obj());
}

Curve3D* Objlist::LocateDimensionableItem(Point3D* p) {
  if (p == nullptr) return nullptr;
  const double zoom = Zoom();
  Nearest<Curve3D> nearest;
  for (ObjItem* item = head_; item != nullptr; item = item->Next()) {
    if (!IsPickable(item, true)) continue;
    Curve3D* e = item->Obj();
    const int type = e->Type();
    if (type != kEntityLine && type != kEntityREdge && type != kEntityEdge && type != kEntityArc &&
        AsOutline(e) == nullptr) {
      continue;
    }
    nearest.Offer(e, e->IsNear(p, zoom, kPickSize));
  }
  Curve3D* piece = nearest.best;
  // A dimension measures a single piece: an outline's nearest side (nested outlines too).
  while (Multi3D* m = AsOutline(piece))
    piece = NearestSegment(m, p, zoom, kPickSize, false);
  if (piece == nullptr) return nullptr;
  if (Curve3D* edgeLine = EdgeLineIfAsNear(piece, p, zoom, kPickSize)) return edgeLine;
  return BaseOf(piece);
}

Curve3D* Objlist::LocateHipValleyTarget(Point3D* p) {
  if (p == nullptr) return nullptr;
  DeSelectAll(0);
  const double zoom = Zoom();
  Nearest<Curve3D> nearest;
  for (ObjItem* item = head_; item != nullptr; item = item->Next()) {
    if (IsPickable(item, true)) OfferHipValleyTarget(item->Obj(), p, zoom, &nearest);
  }
  return nearest.best;
}

// ---- Snapping --------------------------------------------------------------------------------

std::vector<Curve3D*> Objlist::SnapCandidates(Multi3D* own) const {
  std::vector<Curve3D*> candidates;
  if (own != nullptr) candidates.push_back(own);
  for (const ObjItem* item = head_; item != nullptr; item = item->Next()) {
    if (IsPickable(item, true)) candidates.push_back(item->Obj());
  }
  return candidates;
}

int Objlist::FinishSnap(const Point3D& snapped, tagLPOINT* lp, Point3D* out) {
  if (out != nullptr) out->set(&snapped);
  WpToLp(&snapped, lp);
  return 1;
}

int Objlist::SnapToLine(tagLPOINT* lp, Point3D* /*ref*/, Point3D* out, Multi3D* own) {
  if (lp == nullptr) return 0;
  Point3D p;
  LpToWp(lp, &p);
  const double zoom = Zoom();
  Nearest<Curve3D> nearest;
  for (Curve3D* e : SnapCandidates(own))
    nearest.Offer(e, e->IsNear(&p, zoom, kSnapSearchSize));
  Curve3D* piece = nearest.best;
  while (Multi3D* m = AsOutline(piece))
    piece = NearestSegment(m, &p, zoom, kSnapSearchSize, true);
  if (piece == nullptr) return 0;
  if (Curve3D* edgeLine = EdgeLineIfAsNear(piece, &p, zoom, kSnapSearchSize)) {
    piece = edgeLine;
  } else {
    piece = BaseOf(piece);
  }
  Point3D snapped;
  if (!SnapPointOn(piece, &p, zoom, &snapped)) return 0;
  return FinishSnap(snapped, lp, out);
}

int Objlist::SnapToMidPt(tagLPOINT* lp, Point3D* out, Multi3D* own) {
  if (lp == nullptr) return 0;
  Point3D p;
  LpToWp(lp, &p);
  const double zoom = Zoom();
  Nearest<Curve3D> nearest;
  Point3D snapped;
  for (Curve3D* e : SnapCandidates(own)) {
    Point3D mid;
    if (nearest.Offer(e, e->IsNearMidPt(&p, &mid, zoom))) snapped = mid;
  }
  return nearest.best != nullptr ? FinishSnap(snapped, lp, out) : 0;
}

int Objlist::SnapToVertex(tagLPOINT* lp, Point3D* out, Multi3D* own) {
  if (lp == nullptr) return 0;
  Point3D p;
  LpToWp(lp, &p);
  const double zoom = Zoom();
  Nearest<Curve3D> nearest;
  Point3D snapped;
  for (Curve3D* e : SnapCandidates(own)) {
    Point3D vertex;
    int index = 0;
    if (nearest.Offer(e, e->IsNearVertex(&p, &vertex, index, zoom, kSnapSearchSize)))
      snapped = vertex;
  }
  return nearest.best != nullptr ? FinishSnap(snapped, lp, out) : 0;
}
