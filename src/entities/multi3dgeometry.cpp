// Geometry of outlines: point-in-outline votes, intersections with lines, arcs and other
// outlines, overlap, the crossed-sides check and the corner counts.

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <vector>

#include "entities/arc3d.h"
#include "entities/edge3d.h"
#include "entities/line3d.h"
#include "entities/multi3d.h"
#include "entities/redge3d.h"
#include "geometry/box3d.h"
#include "geometry/tolerance.h"

namespace {

// The three probes of the inside vote lie this far outside the outline's box (world units).
constexpr double kProbe1Left = 20.0;
constexpr double kProbe1Up = 20.0;
constexpr double kProbe2Right = 30.0;
constexpr double kProbe2Down = 10.0;
constexpr double kProbe3Right = 15.0;
constexpr double kProbe3Up = 20.0;

// Direction probes of the outline walk: a step along a line, a turn along an arc.
constexpr double kLineProbeLength = 0.0001;
constexpr double kArcProbeDegrees = 1.0;
// A walk point on the other outline's boundary is found with this pick size at zoom 1.
constexpr double kOnVertexZoom = 1.0;
constexpr double kOnVertexSize = 1e-11;
// A probe this close to a boundary counts as lying on it: far below the probe length, far above
// the round-off of computed crossing points.
constexpr double kOnBoundaryTolerance = 1e-9;
// The walk gives up after this many steps per segment of both outlines.
constexpr int kWalkStepsPerSegment = 10;

// Corner probes and the convexity probe of arcs.
constexpr double kCornerProbeLength = 0.001;
constexpr double kChordProbeDivisor = 1.01;
// Two convex arcs whose sweeps add up to a whole turn (within this many degrees) are a circle.
constexpr double kFullCircleSlackDegrees = 2.0;
constexpr double kSweepRoundOffDegrees = 1e-9;

// Overlap: the tolerance of the entity tests and the pick size of "c contains this outline".
constexpr double kOverlapSize = 1e-11;
constexpr double kContainsSize = 5.0;
constexpr double kInsertZoom = 1.0;

enum class PieceKind { kNone, kLine, kArc };

Line3D* AsLine(Curve3D* c) {
  if (c == nullptr) return nullptr;
  if (c->Type() != kEntityLine && c->Type() != kEntityREdge) return nullptr;
  return dynamic_cast<Line3D*>(c);
}

Arc3D* AsArc(Curve3D* c) {
  if (c == nullptr || c->Type() != kEntityArc) return nullptr;
  return dynamic_cast<Arc3D*>(c);
}

PieceKind KindOf(Curve3D* c) {
  if (AsLine(c) != nullptr) return PieceKind::kLine;
  if (AsArc(c) != nullptr) return PieceKind::kArc;
  return PieceKind::kNone;
}

Edge3D* AsEdge(Curve3D* c) {
  if (c == nullptr || c->Type() != kEntityEdge) return nullptr;
  return dynamic_cast<Edge3D*>(c);
}

REdge3D* AsREdge(Curve3D* c) {
  if (c == nullptr || c->Type() != kEntityREdge) return nullptr;
  return dynamic_cast<REdge3D*>(c);
}

// The outline side of a segment: a pitched edge's base, else the segment itself.
Curve3D* SideOf(Curve3D* segment) {
  Edge3D* edge = AsEdge(segment);
  if (edge == nullptr) return segment;
  Curve3D* base = edge->GetBase();
  return base != nullptr ? base : segment;
}

std::vector<Curve3D*> SegmentsOf(Multi3D* m) {
  std::vector<Curve3D*> segments;
  DblclistIterator it(m->GetCurveList());
  while (Curve3D* s = it.Next())
    segments.push_back(s);
  return segments;
}

struct VotePiece {
  Curve3D* curve;
  PieceKind kind;
};

// The point where a line piece and the ray cross, both tested on their extents.
bool LineCrossing(Curve3D* piece, Curve3D* ray, Point3D* at) {
  Point3D other;
  return piece->Intersect2DSeg(ray, at) != nullptr && ray->Intersect2DSeg(piece, &other) != nullptr;
}

// The three-ray parity vote. The last counted crossing carries over from ray to ray, so a
// crossing through a vertex shared by two pieces is counted once.
int RayVote(Point3D* p, Box3D* box, const std::vector<VotePiece>& pieces) {
  const Point3D* lo = box->Minpt();
  const Point3D* hi = box->Maxpt();
  const Point3D probes[3] = {Point3D(lo->x - kProbe1Left, hi->y + kProbe1Up, 0.0),
                             Point3D(hi->x + kProbe2Right, lo->y - kProbe2Down, 0.0),
                             Point3D(hi->x + kProbe3Right, hi->y + kProbe3Up, 0.0)};
  Point3D last;
  int signs[3] = {1, 1, 1};
  for (int r = 0; r < 3; ++r) {
    Line3D ray(p, &probes[r]);
    for (const VotePiece& piece : pieces) {
      Point3D at;
      bool crossed = false;
      if (piece.kind == PieceKind::kLine) {
        crossed = LineCrossing(piece.curve, &ray, &at);
      } else if (piece.kind == PieceKind::kArc) {
        Point3D second;
        crossed = static_cast<Arc3D*>(piece.curve)->IntersectLine(&ray, &at, &second) == 1;
      }
      if (!crossed || at.ident(&last)) continue;
      signs[r] = -signs[r];
      last = at;
    }
    if (r == 1 && signs[0] < 0 && signs[1] < 0) return 1;
  }
  return signs[0] + signs[1] + signs[2] < 0 ? 1 : 0;
}

// Up to two points where one outline segment meets line l (pitched edges through their base).
int SegmentMeetsLine(Curve3D* segment, Line3D* l, Point3D found[2]) {
  Curve3D* side = SideOf(segment);
  if (Arc3D* arc = AsArc(side)) return arc->IntersectLine(l, &found[0], &found[1]);
  if (KindOf(side) == PieceKind::kNone && AsEdge(segment) == nullptr) return 0;
  return LineCrossing(side, l, &found[0]) ? 1 : 0;
}

// Up to two points where one outline segment meets arc a.
int SegmentMeetsArc(Curve3D* segment, Arc3D* a, Point3D found[2]) {
  Curve3D* side = SideOf(segment);
  if (Arc3D* arc = AsArc(side)) return a->IntersectArc(arc, &found[0], &found[1]);
  if (Line3D* line = AsLine(side)) return a->IntersectLine(line, &found[0], &found[1]);
  return 0;
}

// Shared steps 3 to 5 of the line and arc intersections: storage, removal of the query's own
// ends and the ordering by distance from its start.
template <typename Meets>
int CollectCrossings(const std::vector<Curve3D*>& segments, const Point3D* from, const Point3D* to,
                     Point3D* out, int capacity, int perSegment, int sort, Meets meets) {
  int count = 0;
  if (perSegment == 0) {
    for (Curve3D* segment : segments) {
      if (count >= capacity) break;
      Point3D found[2];
      const int n = meets(segment, found);
      for (int k = 0; k < n && count < capacity; ++k)
        out[count++] = found[k];
    }
    // A crossing at the query's own end is where it starts or stops, not a crossing.
    int kept = 0;
    for (int i = 0; i < count; ++i) {
      if (out[i].ident2D(from) || out[i].ident2D(to)) continue;
      out[kept++] = out[i];
    }
    count = kept;
    if (sort != 0 && count > 1) {
      for (int i = 0; i < count; ++i) {
        for (int j = count - 1; j > i; --j) {
          if (out[i].dist(from) > out[j].dist(from)) std::swap(out[i], out[j]);
        }
      }
    }
    return count;
  }

  // Per-segment storage: segment s owns slots 2s and 2s + 1, so removed points leave a zero
  // point in their slot and ordering happens within a slot pair.
  const int slots = static_cast<int>(std::min<size_t>(segments.size(), capacity / 2));
  for (int s = 0; s < slots; ++s) {
    Point3D found[2];
    int n = meets(segments[s], found);
    for (int k = n - 1; k >= 0; --k) {
      if (!found[k].ident2D(from) && !found[k].ident2D(to)) continue;
      if (k == 0) found[0] = found[1];
      found[n - 1] = Point3D();
      --n;
    }
    if (sort != 0 && n == 2 && found[0].dist(from) > found[1].dist(from)) {
      std::swap(found[0], found[1]);
    }
    out[2 * s] = found[0];
    out[2 * s + 1] = found[1];
    count += n;
  }
  return count;
}

// ---- The outline walk of IntersectMulti ----------------------------------------------------

struct WalkSide {
  Multi3D* outline;
  std::vector<Curve3D*> pieces;
};

struct WalkPosition {
  int side;
  int seg;
  int dir;
  Point3D at;
};

double NormalizedDegrees(double a) {
  a = std::fmod(a, kFullTurnDegrees);
  if (a < 0.0) a += kFullTurnDegrees;
  return a;
}

// Where p lies along a piece, growing from its start to its end: the line parameter, or the
// turn from the start in the arc's own running direction.
double ParamOf(Curve3D* piece, const Point3D* p) {
  const Point3D* s = piece->Spt();
  const Point3D* e = piece->Ept();
  if (Arc3D* arc = AsArc(piece)) {
    if (p->ident(s)) return 0.0;
    if (p->ident(e)) return arc->Angle();
    const double from = arc->Ctr()->xyangle(s);
    const double to = arc->Ctr()->xyangle(p);
    return arc->AngDir() == kArcCounterClockwise ? NormalizedDegrees(to - from)
                                                 : NormalizedDegrees(from - to);
  }
  const double dx = e->x - s->x;
  const double dy = e->y - s->y;
  const double length2 = dx * dx + dy * dy;
  if (length2 <= 0.0) return 0.0;
  return ((p->x - s->x) * dx + (p->y - s->y) * dy) / length2;
}

// A point just beyond p along the piece, forward (dir 1) or backward (dir -1).
Point3D ProbeFrom(Curve3D* piece, const Point3D* p, int dir) {
  Point3D probe(p);
  if (Arc3D* arc = AsArc(piece)) {
    const double sense = arc->AngDir() == kArcCounterClockwise ? 1.0 : -1.0;
    const Point3D axis(0.0, 0.0, 1.0);
    probe.rotate(arc->Ctr(), &axis, sense * dir * kArcProbeDegrees * kRadiansPerDegreeAsStored);
    return probe;
  }
  const double dx = piece->Ept()->x - piece->Spt()->x;
  const double dy = piece->Ept()->y - piece->Spt()->y;
  const double length = std::hypot(dx, dy);
  if (length <= 0.0) return probe;
  probe.set(p->x + dir * dx / length * kLineProbeLength,
            p->y + dir * dy / length * kLineProbeLength, p->z);
  return probe;
}

bool OnPiece(Curve3D* piece, Point3D* p, double tolerance) {
  return piece->Spt()->ident(p) || piece->Ept()->ident(p) ||
         piece->PtOnLine(p, kOnVertexZoom, tolerance) >= 0.0;
}

bool OnBoundary(const WalkSide& side, Point3D* p, double tolerance) {
  for (Curve3D* piece : side.pieces) {
    if (KindOf(piece) != PieceKind::kNone && OnPiece(piece, p, tolerance)) return true;
  }
  return false;
}

// 0 when p is strictly inside the outline, 1 when on its boundary, -1 when outside.
int InsideRank(const WalkSide& side, Point3D* p) {
  if (OnBoundary(side, p, kOnBoundaryTolerance)) return 1;
  return side.outline->IsInside(p) != 0 ? 0 : -1;
}

// Every point where the piece meets the other outline's boundary, its vertices on the piece
// included (so collinear shared sides are seen at their ends).
std::vector<Point3D> CrossingsOn(Curve3D* piece, const WalkSide& other) {
  std::vector<Point3D> crossings;
  const PieceKind kind = KindOf(piece);
  for (Curve3D* q : other.pieces) {
    const PieceKind qkind = KindOf(q);
    if (qkind == PieceKind::kNone) continue;
    Point3D found[2];
    int n = 0;
    if (kind == PieceKind::kLine && qkind == PieceKind::kLine) {
      n = LineCrossing(piece, q, &found[0]) ? 1 : 0;
    } else if (kind == PieceKind::kLine) {
      n = static_cast<Arc3D*>(q)->IntersectLine(AsLine(piece), &found[0], &found[1]);
    } else if (qkind == PieceKind::kLine) {
      n = static_cast<Arc3D*>(piece)->IntersectLine(AsLine(q), &found[0], &found[1]);
    } else {
      n = static_cast<Arc3D*>(piece)->IntersectArc(static_cast<Arc3D*>(q), &found[0], &found[1]);
    }
    for (int k = 0; k < n; ++k)
      crossings.push_back(found[k]);
    for (Point3D* end : {q->Spt(), q->Ept()}) {
      if (OnPiece(piece, end, kOnBoundaryTolerance)) crossings.push_back(*end);
    }
  }
  return crossings;
}

class OutlineWalk {
 public:
  OutlineWalk(WalkSide* a, WalkSide* b) : sides_{a, b} {}

  Multi3D* Run() {
    WalkPosition pos;
    if (!FindStart(&pos)) return nullptr;
    result_.reset(new (std::nothrow) Multi3D());
    if (!result_) return nullptr;
    const Point3D start(pos.at);
    const int limit = kWalkStepsPerSegment *
                      static_cast<int>(sides_[0]->pieces.size() + sides_[1]->pieces.size());
    for (int step = 0; step < limit; ++step) {
      bool closed = false;
      if (!Step(&pos, &start, &closed)) return nullptr;
      if (closed) return Finish();
    }
    return nullptr;
  }

 private:
  struct Choice {
    int rank;
    WalkPosition pos;
  };

  Curve3D* PieceAt(const WalkPosition& pos) const { return sides_[pos.side]->pieces[pos.seg]; }
  const WalkSide& Other(int side) const { return *sides_[1 - side]; }

  int Wrap(int side, int seg) const {
    const int n = static_cast<int>(sides_[side]->pieces.size());
    return ((seg % n) + n) % n;
  }

  // The first point of A (then of B) whose forward run lies inside (or along) the other
  // outline; a point strictly inside is preferred to one along a shared side.
  bool FindStart(WalkPosition* pos) const {
    for (int rank = 0; rank <= 1; ++rank) {
      for (int side = 0; side <= 1; ++side) {
        if (FindStartOn(side, rank, pos)) return true;
      }
    }
    return false;
  }

  bool FindStartOn(int side, int rank, WalkPosition* pos) const {
    const WalkSide& other = Other(side);
    const auto& pieces = sides_[side]->pieces;
    for (int i = 0; i < static_cast<int>(pieces.size()); ++i) {
      Curve3D* piece = pieces[i];
      if (KindOf(piece) == PieceKind::kNone) continue;
      std::vector<Point3D> candidates{*piece->Spt()};
      std::vector<Point3D> crossings = CrossingsOn(piece, other);
      std::sort(crossings.begin(), crossings.end(), [piece](const Point3D& x, const Point3D& y) {
        return ParamOf(piece, &x) < ParamOf(piece, &y);
      });
      candidates.insert(candidates.end(), crossings.begin(), crossings.end());
      for (Point3D& p : candidates) {
        if (p.ident(piece->Ept()) || InsideRank(other, &p) < 0) continue;
        Point3D probe = ProbeFrom(piece, &p, 1);
        if (InsideRank(other, &probe) != rank) continue;
        *pos = WalkPosition{side, i, 1, p};
        return true;
      }
    }
    return false;
  }

  // One piece of the walk: from the current point to the nearest meeting with the other
  // outline beyond it, or to the end of the current segment.
  bool Step(WalkPosition* pos, const Point3D* start, bool* closed) {
    Curve3D* piece = PieceAt(*pos);
    const WalkSide& other = Other(pos->side);
    const Point3D segment_end(pos->dir > 0 ? piece->Ept() : piece->Spt());
    const double here = ParamOf(piece, &pos->at);
    double best = ParamOf(piece, &segment_end);
    Point3D end(segment_end);
    bool at_segment_end = true;
    bool meets = OnBoundary(other, &end, kOnVertexSize / kOnVertexZoom);
    for (Point3D& x : CrossingsOn(piece, other)) {
      if (x.ident(&pos->at)) continue;
      if (x.ident(&segment_end)) {
        meets = true;
        continue;
      }
      // Only a meeting strictly between the current point and the best end so far.
      const double t = ParamOf(piece, &x);
      if (pos->dir > 0 ? (t <= here || t >= best) : (t >= here || t <= best)) continue;
      best = t;
      end = x;
      at_segment_end = false;
      meets = true;
    }
    if (!Append(piece, &pos->at, &end, pos->dir, start)) return false;
    if (end.ident(start) && result_->Nodes() > 0) {
      *closed = true;
      return true;
    }
    pos->at = end;
    if (!meets) {
      pos->seg = Wrap(pos->side, pos->seg + pos->dir);
      return true;
    }
    return Turn(pos, at_segment_end);
  }

  // At a point on the other outline: go on along this outline when its run stays inside the
  // other, else switch to the other outline in the direction that runs inside this one.
  bool Turn(WalkPosition* pos, bool atSegmentEnd) {
    std::vector<Choice> choices;
    WalkPosition stay = *pos;
    if (atSegmentEnd) stay.seg = Wrap(pos->side, pos->seg + pos->dir);
    Point3D probe = ProbeFrom(PieceAt(stay), &pos->at, stay.dir);
    const int stay_rank = InsideRank(Other(pos->side), &probe);
    if (stay_rank >= 0) choices.push_back({stay_rank, stay});

    const int other_side = 1 - pos->side;
    const auto& pieces = sides_[other_side]->pieces;
    for (int k = 0; k < static_cast<int>(pieces.size()); ++k) {
      Curve3D* q = pieces[k];
      if (KindOf(q) == PieceKind::kNone || !OnPiece(q, &pos->at, kOnBoundaryTolerance)) continue;
      for (int dir : {1, -1}) {
        if (pos->at.ident(dir > 0 ? q->Ept() : q->Spt())) continue;
        Point3D switch_probe = ProbeFrom(q, &pos->at, dir);
        if (last_piece_ != nullptr && OnPiece(last_piece_, &switch_probe, kOnBoundaryTolerance))
          continue;  // that way runs back along the piece just added
        const int rank = InsideRank(*sides_[pos->side], &switch_probe);
        if (rank >= 0) choices.push_back({rank, WalkPosition{other_side, k, dir, pos->at}});
      }
    }
    const Choice* chosen = nullptr;
    for (const Choice& c : choices) {
      if (chosen == nullptr || c.rank < chosen->rank) chosen = &c;
    }
    if (chosen == nullptr) return false;
    *pos = chosen->pos;
    return true;
  }

  // Adds the piece from a to b (the walk's start point exactly when b is ident with it).
  bool Append(Curve3D* piece, const Point3D* a, const Point3D* b, int dir, const Point3D* start) {
    if (a->ident(b)) return true;
    const Point3D* to = b->ident(start) ? start : b;
    Curve3D* added = nullptr;
    if (Arc3D* arc = AsArc(piece)) {
      Arc3D* part = new (std::nothrow) Arc3D(arc);
      if (part == nullptr) return false;
      part->SetSmartObjectList(nullptr);
      part->SetSpt(a);
      part->SetEpt(to);
      if (dir < 0) part->AngDir(1 - part->AngDir());
      added = part;
      has_arc_ = true;
    } else {
      added = new (std::nothrow) Line3D(a, to);
      if (added == nullptr) return false;
    }
    const int before = result_->Nodes();
    if (result_->Add(added) == before) {
      delete added;
      return false;
    }
    last_piece_ = added;
    return true;
  }

  Multi3D* Finish() {
    // Two straight pieces enclose nothing; an arc and its chord do enclose a region.
    if (result_->Nodes() < 2 || (result_->Nodes() == 2 && !has_arc_)) return nullptr;
    result_->SetSmartObjectList(nullptr);
    return result_.release();
  }

  WalkSide* sides_[2];
  std::unique_ptr<Multi3D> result_;
  Curve3D* last_piece_ = nullptr;
  bool has_arc_ = false;
};

}  // namespace

// ---- Edge substitution ------------------------------------------------------------------------

Curve3D* Multi3D::Substitute(Curve3D* segment) {
  Edge3D* edge = AsEdge(segment);
  if (edge == nullptr) return segment;
  Curve3D* part = edge->Out() ? edge->GetEdge() : edge->GetBase();
  if (part == nullptr) part = edge->GetBase();
  return part != nullptr ? part : segment;
}

// ---- Point in outline ---------------------------------------------------------------------

int Multi3D::IsInside(Point3D* p) {
  if (p == nullptr || !Box(0, nullptr)->Pt_inside(p) || !IsClosed()) return 0;
  std::vector<VotePiece> pieces;
  for (Curve3D* segment : SegmentsOf(this)) {
    Curve3D* piece = Substitute(segment);
    pieces.push_back({piece, KindOf(piece)});
  }
  return RayVote(p, Box(0, nullptr), pieces);
}

int Multi3D::IsInsideEdge(Point3D* p, bool useEdge) {
  if (p == nullptr || !Box(0, nullptr)->Pt_inside(p) || !IsClosed()) return 0;
  std::vector<VotePiece> pieces;
  for (Curve3D* segment : SegmentsOf(this)) {
    if (Edge3D* edge = AsEdge(segment)) {
      Curve3D* part = useEdge && edge->Out() ? edge->GetEdge() : edge->GetBase();
      const PieceKind kind = KindOf(part);
      // Only plain lines and arcs take part.
      if (kind == PieceKind::kArc || (kind == PieceKind::kLine && part->Type() == kEntityLine))
        pieces.push_back({part, kind});
    } else if (REdge3D* roof = AsREdge(segment)) {
      // Looking through the edge line, or counting the roof edge as the plain line it is.
      Curve3D* part = useEdge ? roof->GetEdge() : roof;
      if (part != nullptr) pieces.push_back({part, PieceKind::kLine});
    } else if (segment->Type() == kEntityLine || segment->Type() == kEntityArc) {
      pieces.push_back({segment, KindOf(segment)});
    }
  }
  return RayVote(p, Box(0, nullptr), pieces);
}

// ---- Entities inside the outline ----------------------------------------------------------

namespace {

bool InsideOrNear(Multi3D* m, Point3D* p, double zoom, double size) {
  return m->IsInside(p) != 0 || m->IsNear(p, zoom, size) >= 0.0;
}

}  // namespace

int Multi3D::IsInside(Curve3D* c, double zoom, double size) {
  if (c == nullptr || zoom == 0.0 || !IsClosed()) return 0;
  if (!Box(0, nullptr)->Overlap_tol(c->Box(0, nullptr), size / zoom)) return 0;
  switch (c->Type()) {
    case kEntityLine:
      return InsideOrNear(this, c->Spt(), zoom, size) && InsideOrNear(this, c->Ept(), zoom, size)
                 ? 1
                 : 0;
    case kEntityEllipse:
    case kEntityCircle:
    case kEntityArc: {
      Arc3D* arc = dynamic_cast<Arc3D*>(c);
      return arc != nullptr ? IsInside(arc, zoom, size) : 0;
    }
    case kEntityPolyline: {
      Multi3D* m = dynamic_cast<Multi3D*>(c);
      return m != nullptr ? IsInside(m, zoom, size) : 0;
    }
    default: {
      // Point curves join the vertex test once they exist; until then they count by the centre
      // of their box, as every other kind does.
      Point3D centre;
      c->Box(0, nullptr)->Ctr(&centre);
      return IsInside(&centre);
    }
  }
}

int Multi3D::IsInside(Arc3D* a, double zoom, double size) {
  if (a == nullptr || zoom == 0.0 || !IsClosed()) return 0;
  if (!InsideOrNear(this, a->Spt(), zoom, size) || !InsideOrNear(this, a->Ept(), zoom, size))
    return 0;
  const int capacity = 2 * Nodes();
  std::vector<Point3D> scratch(static_cast<size_t>(std::max(capacity, 1)));
  return IntersectArc(a, scratch.data(), capacity, 0, 0) == 0 ? 1 : 0;
}

int Multi3D::IsInside(Multi3D* m, double zoom, double size) {
  if (m == nullptr || zoom == 0.0 || m->Nodes() == 0 || !IsClosed()) return 0;
  if (!InsideOrNear(this, m->Spt(), zoom, size)) return 0;
  for (Curve3D* segment : SegmentsOf(m)) {
    if (IsInside(segment, zoom, size) == 0) return 0;
  }
  return 1;
}

// ---- Intersections ------------------------------------------------------------------------

int Multi3D::IntersectLine(Line3D* l, Point3D* out, int capacity, int perSegment, int sort) {
  if (l == nullptr || out == nullptr || capacity < 2 * Nodes()) return 0;
  return CollectCrossings(
      SegmentsOf(this), l->Spt(), l->Ept(), out, capacity, perSegment, sort,
      [l](Curve3D* segment, Point3D found[2]) { return SegmentMeetsLine(segment, l, found); });
}

int Multi3D::IntersectArc(Arc3D* a, Point3D* out, int capacity, int perSegment, int sort) {
  if (a == nullptr || out == nullptr || capacity < 2 * Nodes()) return 0;
  return CollectCrossings(
      SegmentsOf(this), a->Spt(), a->Ept(), out, capacity, perSegment, sort,
      [a](Curve3D* segment, Point3D found[2]) { return SegmentMeetsArc(segment, a, found); });
}

Multi3D* Multi3D::IntersectMulti(Multi3D* m) {
  if (m == nullptr || Nodes() == 0 || m->Nodes() == 0 || !IsClosed() || !m->IsClosed())
    return nullptr;
  WalkSide a{this, {}};
  WalkSide b{m, {}};
  for (Curve3D* s : SegmentsOf(this))
    a.pieces.push_back(Substitute(s));
  for (Curve3D* s : SegmentsOf(m))
    b.pieces.push_back(Substitute(s));
  OutlineWalk walk(&a, &b);
  return walk.Run();
}

// ---- Overlap ------------------------------------------------------------------------------

namespace {

// A temporary closed outline for a circle (two half circles) or a chord (its arc and the
// straight line back); null for other figures or without memory.
std::unique_ptr<Multi3D> FigureOutline(Arc3D* figure) {
  auto outline = std::unique_ptr<Multi3D>(new (std::nothrow) Multi3D());
  if (!outline) return nullptr;
  Point3D centre(figure->Ctr());
  const double r = figure->Radius();
  if (figure->Type() == kEntityCircle) {
    const Point3D s(figure->Spt());
    const Point3D e(2.0 * centre.x - s.x, 2.0 * centre.y - s.y, s.z);
    for (const auto& half : {std::make_pair(s, e), std::make_pair(e, s)}) {
      Arc3D* arc =
          new (std::nothrow) Arc3D(&centre, r, &half.first, &half.second, kArcCounterClockwise);
      if (arc == nullptr) return nullptr;
      outline->Add(arc);
    }
    return outline;
  }
  Arc3D* arc = new (std::nothrow) Arc3D(figure);
  if (arc == nullptr) return nullptr;
  arc->Type(kEntityArc);
  arc->SetSmartObjectList(nullptr);
  outline->Add(arc);
  Line3D* back = new (std::nothrow) Line3D(figure->Ept(), figure->Spt());
  if (back == nullptr) return nullptr;
  outline->Add(back);
  return outline;
}

}  // namespace

bool Multi3D::Overlap(Curve3D* c, double zoom) {
  if (c == nullptr || !Box(0, nullptr)->Overlap(c->Box(0, nullptr))) return false;
  const int capacity = 2 * Nodes();
  std::vector<Point3D> scratch(static_cast<size_t>(std::max(capacity, 1)));
  switch (c->Type()) {
    case kEntityLine:
    case kEntityREdge:
    case kEntitySegment: {
      if (IsInside(c, zoom, kOverlapSize)) return true;
      for (Curve3D* segment : SegmentsOf(this)) {
        if (segment->Type() != kEntityLine && segment->Type() != kEntityREdge) continue;
        std::unique_ptr<Curve3D> shared(segment->OverlappedSegment(c, zoom, kOverlapSize));
        if (shared) return true;
      }
      Line3D* line = AsLine(c);
      Line3D plain(c->Spt(), c->Ept());
      return IntersectLine(line != nullptr ? line : &plain, scratch.data(), capacity, 0, 0) > 0;
    }
    case kEntityCircle:
    case kEntityChord: {
      Arc3D* figure = dynamic_cast<Arc3D*>(c);
      if (figure == nullptr) return true;
      if (IsInside(figure, zoom, 0.0)) return true;
      if (figure->IsInside(this, zoom, kContainsSize)) return false;
      std::unique_ptr<Multi3D> outline = FigureOutline(figure);
      return outline && Overlap(outline.get(), zoom);
    }
    case kEntityArc: {
      Arc3D* arc = dynamic_cast<Arc3D*>(c);
      if (arc == nullptr) return true;
      return IsInside(arc, zoom, 0.0) || IntersectArc(arc, scratch.data(), capacity, 0, 0) > 0;
    }
    case kEntityPolyline: {
      Multi3D* m = dynamic_cast<Multi3D*>(c);
      if (m == nullptr) return true;
      if (IsInside(m, zoom, 0.0)) return true;
      if (m->IsInside(this, zoom, kContainsSize)) return false;
      if (!m->IsClosed()) {
        for (Curve3D* segment : SegmentsOf(m)) {
          if (Overlap(segment, zoom)) return true;
        }
        return false;
      }
      std::unique_ptr<Multi3D> common(IntersectMulti(m));
      return common != nullptr;
    }
    case kEntityDimension: {
      // Measured by its measuring line until dimensions bring their text entity.
      Line3D line(c->Spt(), c->Ept());
      return Overlap(&line, zoom);
    }
    case kEntityInsert:
      return IsInside(c, kInsertZoom, kOverlapSize) != 0;
    case kEntityEdge: {
      Edge3D* edge = AsEdge(c);
      Curve3D* base = edge != nullptr ? edge->GetBase() : nullptr;
      return base != nullptr && Overlap(base, zoom);
    }
    default:
      return true;
  }
}

// ---- Corners and arcs ---------------------------------------------------------------------

bool Multi3D::IsArcConvex(Arc3D* a) {
  if (a == nullptr) return false;
  const Point3D* s = a->Spt();
  const Point3D* e = a->Ept();
  Point3D middle(s);
  middle.mid_pt(e);
  const double chord = s->xyangle(e);
  const double toward_bulge =
      NormalizedDegrees(a->AngDir() == kArcCounterClockwise ? chord - kQuarterTurnDegrees
                                                            : chord + kQuarterTurnDegrees);
  const double length = a->GetChordDist() / kChordProbeDivisor;
  const double radians = toward_bulge * kRadiansPerDegreeAsStored;
  Point3D probe(middle.x + length * std::cos(radians), middle.y + length * std::sin(radians),
                middle.z);
  return IsInside(&probe) != 0;
}

namespace {

// The arc a corner count looks through to: an arc segment, or the edge line (when it lies
// outside) or base of a pitched edge whose base is an arc. Null for straight segments.
Arc3D* CornerArc(Curve3D* segment) {
  if (Arc3D* arc = AsArc(segment)) return arc;
  Edge3D* edge = AsEdge(segment);
  if (edge == nullptr || AsArc(edge->GetBase()) == nullptr) return nullptr;
  Arc3D* looked = AsArc(edge->Out() ? edge->GetEdge() : edge->GetBase());
  return looked != nullptr ? looked : AsArc(edge->GetBase());
}

}  // namespace

int Multi3D::CornerCount(bool which) {
  if (!IsClosed()) return 0;
  const std::vector<Curve3D*> segments = SegmentsOf(this);
  int count_t = 0;
  int count_f = 0;
  if (segments.size() == 2) {
    Arc3D* first = CornerArc(segments[0]);
    Arc3D* second = CornerArc(segments[1]);
    if (first == nullptr || second == nullptr || !IsArcConvex(first) || !IsArcConvex(second)) {
      count_t = 2;
    } else {
      const double sum = first->Angle() + second->Angle();
      // Sweeps that miss a whole turn by round-off only still make a full circle.
      const double turns = std::fmod(sum + kSweepRoundOffDegrees, kFullTurnDegrees);
      if (std::floor(turns) < kFullCircleSlackDegrees) {
        count_t = count_f = 0;
      } else if (sum < kFullTurnDegrees) {
        count_t = 2;
      } else {
        count_f = 2;
      }
    }
    return which ? count_t : count_f;
  }
  if (segments.size() < 2) return 0;

  // The segment after an arc is passed over; the first segment follows the last one.
  bool pass_over = CornerArc(segments.back()) != nullptr;
  Curve3D* prev = segments.back();
  for (Curve3D* segment : segments) {
    Curve3D* before = prev;
    prev = segment;
    if (pass_over) {
      pass_over = false;
      continue;
    }
    if (Arc3D* arc = CornerArc(segment)) {
      (IsArcConvex(arc) ? count_f : count_t) += 2;
      pass_over = true;
      continue;
    }
    double back = before->Angle() + kHalfTurnDegrees;
    if (back > kFullTurnDegrees) back -= kFullTurnDegrees;
    const double turn = segment->Angle() - back;
    double direction = segment->Angle() - turn * 0.5;
    if (direction >= kFullTurnDegrees) direction -= kFullTurnDegrees;
    if (direction < 0.0) direction += kFullTurnDegrees;
    const double radians = direction * kRadiansPerDegreeAsStored;
    const Point3D* s = segment->Spt();
    Point3D probe(s->x + kCornerProbeLength * std::cos(radians),
                  s->y + kCornerProbeLength * std::sin(radians), s->z);
    const bool straight_turn = std::abs(turn) < kHalfTurnDegrees;
    if (IsInside(&probe) != 0) {
      (straight_turn ? count_t : count_f) += 1;
    } else {
      (straight_turn ? count_f : count_t) += 1;
    }
  }
  return which ? count_t : count_f;
}

// ---- Crossed sides ------------------------------------------------------------------------

namespace {

// Whether the meeting points of an arc and a straight side are all vertices of `side`.
bool MeetsOnlyAtVertices(Arc3D* arc, Line3D* line, Curve3D* side) {
  Point3D p1;
  Point3D p2;
  const int n = arc->IntersectLine(line, &p1, &p2);
  if (n >= 1 && !side->IsVertex(&p1)) return false;
  if (n >= 2 && !side->IsVertex(&p2)) return false;
  return true;
}

// True when sides i and j (not neighbours) cross other than at a vertex.
bool SidesCross(Curve3D* i, Curve3D* j) {
  Arc3D* arc_i = AsArc(i);
  Arc3D* arc_j = AsArc(j);
  if (arc_i != nullptr && arc_j != nullptr) {
    Point3D p1;
    Point3D p2;
    return arc_i->IntersectArc(arc_j, &p1, &p2) > 0;
  }
  if (arc_i != nullptr) {
    Line3D* line = AsLine(j);
    return line != nullptr && !MeetsOnlyAtVertices(arc_i, line, j);
  }
  if (arc_j != nullptr) {
    Line3D* line = AsLine(i);
    return line != nullptr && !MeetsOnlyAtVertices(arc_j, line, i);
  }
  Point3D at;
  if (!LineCrossing(i, j, &at)) return false;
  return !j->IsVertex(&at) && !i->IsVertex(&at);
}

}  // namespace

int ValidatePolygon(Multi3D* m) {
  if (m == nullptr || !m->IsClosed()) return 1;
  std::vector<Curve3D*> sides;
  for (Curve3D* s : SegmentsOf(m))
    sides.push_back(SideOf(s));
  const int n = static_cast<int>(sides.size());
  if (n <= 2) return 1;
  // 1-based i and j as the pairs are usually written; (1, n) meet at the closing vertex.
  for (int i = 1; i < n - 1; ++i) {
    for (int j = i + 2; j <= n; ++j) {
      if (i == 1 && j == n) continue;
      if (SidesCross(sides[i - 1], sides[j - 1])) return 0;
    }
  }
  return 1;
}
