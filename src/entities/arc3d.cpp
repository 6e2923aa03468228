#include "entities/arc3d.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <numbers>

#include "entities/edge3d.h"
#include "entities/line3d.h"
#include "entities/multi3d.h"
#include "entities/redge3d.h"
#include "geometry/dblplist.h"
#include "geometry/tolerance.h"

namespace {

// Live arcs in the process; constructors count up, the destructor down.
int g_live_arcs = 0;

constexpr const char* kEllipseName = "Ellipse";
constexpr const char* kCircleName = "Circle";
constexpr const char* kArcName = "Arc";
constexpr const char* kChordName = "Chord";

constexpr double kPi = std::numbers::pi;

// Axis ratios strictly inside these bounds make a figure circular.
constexpr double kCircularRatioLow = 0.9;
constexpr double kCircularRatioHigh = 1.1;
// Axis lengths differing by less than these still count as a circle for the measure named.
constexpr double kAreaAxisSpread = 5.0;
constexpr double kOnCurveAxisSpread = 5.0;
constexpr double kSegmentAxisSpread = 15.0;
constexpr double kNearAxisSpread = 1.0;
// A point this far past either end angle still lies on an open arc.
constexpr double kEndAngleSlackDegrees = 0.5;
// The screen distances from the box edge at which a non-circular figure is near.
constexpr double kNearEdgeClose = 10.0;
constexpr double kNearEdgeFar = 20.0;
// The intersections test candidates with a tolerance of 1e-6: size 1 at this zoom.
constexpr double kIntersectZoom = 1000000.0;
constexpr double kIntersectSize = 1.0;
// SegmentLength tests its points at zoom 1 with a pick size of one world unit.
constexpr double kSegmentZoom = 1.0;
constexpr double kSegmentSize = 1.0;

constexpr int kFillNone = -1;
constexpr int kPatternNone = -2;

const char* NameOfKind(int type) {
  switch (type) {
    case kEntityEllipse:
      return kEllipseName;
    case kEntityArc:
      return kArcName;
    case kEntityChord:
      return kChordName;
    default:
      return kCircleName;
  }
}

double Normalized(double degrees) {
  double a = std::fmod(degrees, kFullTurnDegrees);
  if (a < 0.0) a += kFullTurnDegrees;
  if (a >= kFullTurnDegrees) a -= kFullTurnDegrees;
  return a;
}

double Radians(double degrees) {
  return degrees * kRadiansPerDegreeAsStored;
}

// The point at distance r from c in the plan direction given in degrees (c's z kept).
Point3D PointAt(const Point3D& c, double r, double degrees) {
  const double a = Radians(degrees);
  return Point3D(c.x + r * std::cos(a), c.y + r * std::sin(a), c.z);
}

void ZeroIfSet(Point3D* p) {
  if (p != nullptr) p->set_zero();
}

void StoreIfSet(Point3D* out, const Point3D& p) {
  if (out != nullptr) out->set(&p);
}

bool PickTolerance(double scale, double size, double* tol) {
  if (scale == 0.0) return false;
  *tol = size / scale;
  return true;
}

bool IsArcKind(int type) {
  return type == kEntityEllipse || type == kEntityCircle || type == kEntityArc ||
         type == kEntityChord;
}

// An attribute of a source entity that may be null (the entity queries are not const).
int AttributeOf(const Curve3D* c, int (Curve3D::*query)(), int fallback) {
  if (c == nullptr) return fallback;
  return (const_cast<Curve3D*>(c)->*query)();
}

}  // namespace

// ---- Construction -------------------------------------------------------------------------

Arc3D::Arc3D(int type, int colour, int lineType, int thickness, int fillColour, int fillPattern)
    : Curve3D(colour, lineType, thickness, fillColour, fillPattern) {
  MakeArc(type);
}

// Only the display attributes are taken over; the geometry starts empty.
Arc3D::Arc3D(const Curve3D* c, int type)
    : Curve3D(AttributeOf(c, &Curve3D::GetColour, 0), AttributeOf(c, &Curve3D::GetLinetype, 0),
              AttributeOf(c, &Curve3D::Thickness, 1), AttributeOf(c, &Curve3D::GetFillColour, -1),
              c != nullptr ? c->FillPatternValue() : kPatternNone) {
  MakeArc(type);
}

Arc3D::Arc3D(const Point3D* c, double r, int colour, int lineType, int thickness, int fillColour,
             int fillPattern)
    : Curve3D(colour, lineType, thickness, fillColour, fillPattern) {
  const Point3D centre(c);
  ctr_.set(&centre);
  major_.set(r, 0.0, 0.0);
  minor_.set(0.0, r, 0.0);
  Spt()->set(centre.x + r, centre.y, centre.z);
  Ept()->set(centre.x + r, centre.y, centre.z);
  MakeArc(kEntityCircle);
}

Arc3D::Arc3D(const Point3D* a, const Point3D* b, int colour, int lineType, int thickness,
             int fillColour, int fillPattern)
    : Curve3D(colour, lineType, thickness, fillColour, fillPattern) {
  const Point3D pa(a);
  const Point3D pb(b);
  ctr_.set(&pa)->mid_pt(&pb);
  major_.set(std::abs(pa.x - pb.x) * 0.5, 0.0, 0.0);
  minor_.set(0.0, std::abs(pa.y - pb.y) * 0.5, 0.0);
  Spt()->set(&ctr_)->add(&major_);
  Ept()->set(Spt());
  MakeArc(kEntityEllipse);
}

Arc3D::Arc3D(const Point3D* c, double r, const Point3D* s, const Point3D* e, int dir, int colour,
             int lineType, int thickness)
    : Curve3D(s, e, colour, lineType, thickness, kFillNone, kPatternNone) {
  const Point3D centre(c);
  ctr_.set(&centre);
  major_.set(r, 0.0, 0.0);
  minor_.set(0.0, r, 0.0);
  ang_dir_ = dir;
  MakeArc(kEntityArc);
}

Arc3D::Arc3D(int dir, const Point3D* c, double r, const Point3D* s, const Point3D* e, int colour,
             int lineType, int thickness, int fillColour, int fillPattern)
    : Curve3D(s, e, colour, lineType, thickness, fillColour, fillPattern) {
  const Point3D centre(c);
  ctr_.set(&centre);
  major_.set(r, 0.0, 0.0);
  minor_.set(0.0, r, 0.0);
  ang_dir_ = dir;
  MakeArc(kEntityChord);
}

Arc3D::Arc3D(const Arc3D* src) : Curve3D(static_cast<const Curve3D*>(src)) {
  if (src == nullptr) {
    MakeArc(kEntityArc);
    return;
  }
  CopyArcFields(*src);
  ++g_live_arcs;
  Calcbox();
  State(kStateUnchanged);
}

Arc3D::Arc3D(const Arc3D& src) : Arc3D(&src) {}

Arc3D::Arc3D(Edge3D* e) : Curve3D(0, 0, 1, kFillNone, kPatternNone) {
  MakeArc(kEntityArc);
  Curve3D* base = e != nullptr ? e->GetBase() : nullptr;
  auto* arc = base != nullptr && base->Type() == kEntityArc ? dynamic_cast<Arc3D*>(base) : nullptr;
  if (arc == nullptr) return;
  Colour(arc->GetColour());
  Linetype(arc->GetLinetype());
  Thickness(arc->Thickness());
  Spt()->set(arc->Spt());
  Ept()->set(arc->Ept());
  CopyArcFields(*arc);
  Name(arc->Name(0, nullptr));
  Calcbox();
  State(kStateUnchanged);
}

Arc3D& Arc3D::operator=(const Arc3D& src) {
  if (this == &src) return *this;
  Curve3D::operator=(src);
  CopyArcFields(src);
  Calcbox();
  return *this;
}

Arc3D::~Arc3D() {
  --g_live_arcs;
}

// Every constructor but the copies ends here: the name follows the kind.
void Arc3D::MakeArc(int type) {
  ++g_live_arcs;
  Type(type);
  Name(NameOfKind(type));
  Calcbox();
  State(kStateUnchanged);
}

void Arc3D::CopyArcFields(const Arc3D& src) {
  ctr_ = src.ctr_;
  major_ = src.major_;
  minor_ = src.minor_;
  ang_dir_ = src.ang_dir_;
}

Curve3D* Arc3D::Copy() {
  return new (std::nothrow) Arc3D(*this);
}

int Arc3D::GetNum() {
  return g_live_arcs;
}

// ---- Accessors ----------------------------------------------------------------------------

Point3D* Arc3D::Ctr() {
  return &ctr_;
}

Point3D* Arc3D::Ctr(const Point3D* p) {
  if (p == nullptr) return &ctr_;
  ctr_.set(p);
  Calcbox();
  return &ctr_;
}

Point3D* Arc3D::Major() {
  return &major_;
}

Point3D* Arc3D::Major(const Point3D* v) {
  if (v == nullptr) return &major_;
  major_.set(v);  // set snaps components below kSnapTolerance to 0
  Calcbox();
  return &major_;
}

Point3D* Arc3D::Minor() {
  return &minor_;
}

Point3D* Arc3D::Minor(const Point3D* v) {
  if (v == nullptr) return &minor_;
  minor_.set(v);
  Calcbox();
  return &minor_;
}

double Arc3D::Radius() {
  return major_.norm();
}

double Arc3D::Radius(double r) {
  const double old_radius = Radius();
  major_.set_x(r);
  minor_.set_y(r);
  if (r != old_radius) {
    // Each end slides along its own radial direction onto the new circle, so the end angles
    // and the sweep stay as they were.
    for (Point3D* end : {Spt(), Ept()}) {
      const double d = ctr_.dist(end);
      if (d <= kSnapTolerance) continue;
      const double angle = ctr_.xyangle(end);
      Point3D moved = PointAt(ctr_, std::abs(r), angle);
      moved.set_z(end->z);
      end->set(&moved);
    }
  }
  Calcbox();
  ReCalcDimensions();
  State(kStateGeometryChanged);
  return r;
}

int Arc3D::AngDir() {
  return ang_dir_;
}

int Arc3D::AngDir(int d) {
  ang_dir_ = d;
  Calcbox();
  ReCalcDimensions();
  State(kStateGeometryChanged);
  return ang_dir_;
}

double Arc3D::StartAngle() {
  return ctr_.xyangle(ang_dir_ == kArcCounterClockwise ? Spt() : Ept());
}

double Arc3D::EndAngle() {
  return ctr_.xyangle(ang_dir_ == kArcCounterClockwise ? Ept() : Spt());
}

double Arc3D::Angle() {
  return Normalized(EndAngle() - StartAngle());
}

double Arc3D::AngleFromStart(const Point3D* p) {
  return Normalized(ctr_.xyangle(p) - StartAngle());
}

int Arc3D::IsCircular() {
  const double minor_length = minor_.norm();
  if (minor_length == 0.0) return 0;
  const double ratio = major_.norm() / minor_length;
  return ratio > kCircularRatioLow && ratio < kCircularRatioHigh;
}

bool Arc3D::IsFullFigure() {
  return Spt()->ident(Ept()) != 0;
}

bool Arc3D::IsClosed() {
  return Type() == kEntityChord || IsFullFigure();
}

bool Arc3D::Ident(Curve3D* other) {
  if (!Curve3D::Ident(other)) return false;
  Arc3D* arc = dynamic_cast<Arc3D*>(other);
  return arc != nullptr && ctr_.ident(&arc->ctr_) && major_.ident(&arc->major_) &&
         minor_.ident(&arc->minor_) && ang_dir_ == arc->ang_dir_;
}

double Arc3D::GetChordDist() {
  const double r = major_.norm();
  const double c = Spt()->dist(Ept()) * 0.5;
  if (c > r + kIdentTolerance) return 0.0;
  const double d =
      std::abs(r - c) >= kSnapTolerance ? std::sqrt(std::max(0.0, r * r - c * c)) : 0.0;
  return Angle() > kHalfTurnDegrees ? r + d : r - d;
}

// ---- Setting geometry ---------------------------------------------------------------------

Arc3D* Arc3D::Set(const Point3D* c, double r, const Point3D* s, const Point3D* e, int dir) {
  if (c == nullptr || s == nullptr || e == nullptr) return this;
  ctr_.set(c);
  Spt()->set(s);
  Ept()->set(e);
  major_.set(r, 0.0, 0.0);
  minor_.set(0.0, r, 0.0);
  ang_dir_ = dir;
  Calcbox();
  return this;
}

Arc3D* Arc3D::Set(Arc3D* src) {
  Set(static_cast<Curve3D*>(src));
  return this;
}

Curve3D* Arc3D::Set(Curve3D* src) {
  if (src == nullptr || src == this) return this;
  Curve3D::Set(src);
  if (const Arc3D* arc = dynamic_cast<const Arc3D*>(src)) {
    Type(src->Type());
    CopyArcFields(*arc);
  }
  Calcbox();
  return this;
}

Point3D* Arc3D::SetSpt(const Point3D* p) {
  return Curve3D::Spt(p);
}

Point3D* Arc3D::SetEpt(const Point3D* p) {
  return Curve3D::Ept(p);
}

Point3D* Arc3D::Spt(const Point3D* p) {
  if (p == nullptr) return nullptr;
  const double h = GetChordDist();
  Spt()->set(p);
  if (CalcArc_ChordDist(h) == nullptr) return nullptr;
  Calcbox();
  State(kStateGeometryChanged);
  return Spt();
}

Point3D* Arc3D::Ept(const Point3D* p) {
  if (p == nullptr) return nullptr;
  const double h = GetChordDist();
  Ept()->set(p);
  if (CalcArc_ChordDist(h) == nullptr) return nullptr;
  Calcbox();
  State(kStateGeometryChanged);
  return Ept();
}

double Arc3D::SetAngle(double a) {
  const int type = Type();
  if (type != kEntityArc && type != kEntityChord) return 0.0;
  if (std::abs(a) <= kSnapTolerance) return 0.0;
  const double turn = Normalized(a - Angle());
  const Point3D up(0.0, 0.0, 1.0);
  Point3D* moving = ang_dir_ == kArcCounterClockwise ? Ept() : Spt();
  moving->rotate(&ctr_, &up, Radians(turn));
  Calcbox();
  ReCalcDimensions();
  State(kStateGeometryChanged);
  return a;
}

// A full figure takes the length as its circumference; an open one keeps its radius and
// changes its sweep.
double Arc3D::SetLength(double l) {
  if (l <= 0.0) return 0.0;
  if (IsFullFigure()) {
    Radius(l / (2.0 * kPi));
    return l;
  }
  const double r = Radius();
  if (r <= kSnapTolerance) return 0.0;
  const double sweep = l / r / kRadiansPerDegreeAsStored;
  if (sweep >= kFullTurnDegrees) return 0.0;
  SetAngle(sweep);
  return l;
}

// Width and height are the figure's extents: a circle or arc takes half of it as its radius,
// an ellipse as the half axis along x (width) or y (height).
double Arc3D::SetWidth(double w) {
  if (w <= 0.0) return 0.0;
  if (Type() != kEntityEllipse) {
    Radius(w * 0.5);
    return w;
  }
  major_.set(w * 0.5, 0.0, 0.0);
  Spt()->set(&ctr_)->add(&major_);
  Ept()->set(Spt());
  Calcbox();
  ReCalcDimensions();
  State(kStateGeometryChanged);
  return w;
}

double Arc3D::SetHeight(double h) {
  if (h <= 0.0) return 0.0;
  if (Type() != kEntityEllipse) {
    Radius(h * 0.5);
    return h;
  }
  minor_.set(0.0, h * 0.5, 0.0);
  Calcbox();
  ReCalcDimensions();
  State(kStateGeometryChanged);
  return h;
}

// The figure is flat: the depth lifts it as a whole.
double Arc3D::SetDepth(double d) {
  const Point3D lift(0.0, 0.0, d);
  ctr_.add(&lift);
  Spt()->add(&lift);
  Ept()->add(&lift);
  Calcbox();
  State(kStateChanged);
  return d;
}

// ---- Constructions ------------------------------------------------------------------------

Arc3D* Arc3D::CalcArc_3Pt(const Point3D* p) {
  if (p == nullptr) return nullptr;
  const Point3D s(Spt());
  const Point3D e(Ept());
  // A third point on an end gives no arc (the bisector test below would not notice: the
  // direction of a zero-length step is taken as 90 degrees).
  if (p->ident(&s) || p->ident(&e)) return nullptr;
  Point3D m1(&s);
  m1.mid_pt(p);
  Point3D m2(p);
  m2.mid_pt(&e);
  double a1 = s.xyangle(p) + kQuarterTurnDegrees;
  if (a1 >= kFullTurnDegrees) a1 -= kFullTurnDegrees;
  double a2 = p->xyangle(&e) + kQuarterTurnDegrees;
  if (a2 >= kFullTurnDegrees) a2 -= kFullTurnDegrees;

  // Parallel bisectors: the three points are collinear (or two coincide).
  const double diff = std::abs(a1 - a2);
  for (const double parallel : {0.0, kHalfTurnDegrees, kFullTurnDegrees}) {
    if (std::abs(diff - parallel) <= kIdentTolerance) return nullptr;
  }

  const Point3D d1 = PointAt(m1, 1.0, a1);
  const Point3D d2 = PointAt(m2, 1.0, a2);
  Line3D bisector1(&m1, &d1);
  Line3D bisector2(&m2, &d2);
  Point3D centre;
  if (bisector1.Intersect2D(&bisector2, &centre) == nullptr) return nullptr;
  centre.set_z(s.z);
  ctr_.set(&centre);

  // Only ever set: a clockwise arc stays clockwise whatever side the new point is on.
  double t = s.xyangle(&e) - s.xyangle(p);
  if (t < 0.0) t += kFullTurnDegrees;
  if (t > kHalfTurnDegrees) ang_dir_ = kArcClockwise;

  const double r = ctr_.dist(&s);
  major_.set_x(r);
  minor_.set_y(r);
  Calcbox();
  return this;
}

Arc3D* Arc3D::BuildFromChordHeight(double h) {
  const Point3D* s = Spt();
  const Point3D* e = Ept();
  Point3D mid(s);
  mid.mid_pt(e);
  const double side = ang_dir_ == kArcCounterClockwise ? -kQuarterTurnDegrees : kQuarterTurnDegrees;
  const double direction = Normalized(s->xyangle(e) + side);
  Point3D bulge = PointAt(mid, h, direction);
  bulge.set_z(mid.z);
  Arc3D* result = CalcArc_3Pt(&bulge);
  ReCalcDimensions();
  return result;
}

Arc3D* Arc3D::CalcArc_ChordDist(double h) {
  if (!(h > 0.0)) return nullptr;
  return BuildFromChordHeight(h);
}

Arc3D* Arc3D::CalcArc_SweepAngle(double angle) {
  if (!(std::abs(angle) > kSnapTolerance) || !(angle < kFullTurnDegrees)) return nullptr;
  const double c = Spt()->dist(Ept()) * 0.5;
  if (angle == kHalfTurnDegrees) return BuildFromChordHeight(c);
  const double d = std::abs(c / std::tan(Radians(angle * 0.5)));
  const double r = std::sqrt(d * d + c * c);
  return BuildFromChordHeight(angle < kHalfTurnDegrees ? r - d : r + d);
}

Arc3D* Arc3D::CalcArc_Radius(double radius) {
  if (!(std::abs(radius) > kSnapTolerance)) return nullptr;
  const double r = std::abs(radius);
  double c = Spt()->dist(Ept()) * 0.5;
  if (r < c) {
    // The chord cannot be longer than the diameter: the end comes toward the start.
    Point3D end(Ept());
    end.sub(Spt())->mult(r / c);
    end.add(Spt());
    Ept()->set(&end);
    c = Spt()->dist(Ept()) * 0.5;
  }
  const double sweep = Angle();
  // When the chord is a diameter the arc is a half circle whichever side it is on: its height
  // is the radius (otherwise a shortened chord would collapse onto itself).
  if (std::abs(c - r) <= kSnapTolerance) return BuildFromChordHeight(r);
  const double d = std::sqrt(r * r - c * c);
  if (sweep < kHalfTurnDegrees) return BuildFromChordHeight(r - d);
  if (sweep > kHalfTurnDegrees) return BuildFromChordHeight(r + d);
  return BuildFromChordHeight(d);
}

// ---- Measures -----------------------------------------------------------------------------

// A chord is closed, but its length is that of its curved side: only full figures measure
// a whole circumference.
double Arc3D::Length(int allKinds) {
  if (!IsCircular() && allKinds == 0) return 0.0;
  const double r = Radius();
  if (IsFullFigure()) return 2.0 * kPi * r;
  return 2.0 * kPi * r * Angle() / kFullTurnDegrees;
}

double Arc3D::Area(int mode) {
  const double a = major_.norm();
  const double b = minor_.norm();
  double area = 0.0;
  if (IsFullFigure()) {
    area = kPi * a * b;
  } else if ((mode == 2 || Type() == kEntityChord) && std::abs(a - b) < kAreaAxisSpread) {
    const double sweep = Angle();
    const double sector = sweep / kFullTurnDegrees * kPi * a * b;
    const double triangle = std::abs(ctr_.area3pt(Spt(), Ept()));
    if (sweep < kHalfTurnDegrees) {
      area = sector - triangle;
    } else if (sweep > kHalfTurnDegrees) {
      area = sector + triangle;
    } else {
      area = sector;
    }
  }
  // Openings that are taken off are not part of the figure's area.
  DblclistIterator it(GetExcludeList());
  while (Curve3D* opening = it.Next()) {
    if (opening->HasSmartObject() > 0) area -= opening->Area(1);
  }
  return area;
}

double Arc3D::SegmentLength(Point3D* a, Point3D* b) {
  if (a == nullptr || b == nullptr) return -1.0;
  if (std::abs(major_.norm() - minor_.norm()) >= kSegmentAxisSpread) return -1.0;
  if (PtOnLine(a, kSegmentZoom, kSegmentSize) < 0.0) return -1.0;
  if (PtOnLine(b, kSegmentZoom, kSegmentSize) < 0.0) return -1.0;
  const double d = std::abs(AngleFromStart(b) - AngleFromStart(a));
  return 2.0 * kPi * Radius() * d / kFullTurnDegrees;
}

void Arc3D::Calcbox() {
  const double a = major_.norm();
  const double b = minor_.norm();
  Box3D* box = Box(0, nullptr);
  if (IsFullFigure()) {
    box->Set(ctr_.x - a, ctr_.y - b, ctr_.z, ctr_.x + a, ctr_.y + b, ctr_.z);
    return;
  }
  box->Set(Spt());
  box->Append(Ept());
  // The extreme points of the axes that the arc passes widen the box of its ends.
  const double sweep = Angle();
  const double start = StartAngle();
  const struct {
    double direction;
    double dx;
    double dy;
  } extremes[] = {{0.0, a, 0.0}, {90.0, 0.0, b}, {180.0, -a, 0.0}, {270.0, 0.0, -b}};
  for (const auto& extreme : extremes) {
    if (Normalized(extreme.direction - start) > sweep) continue;
    const Point3D p(ctr_.x + extreme.dx, ctr_.y + extreme.dy, ctr_.z);
    box->Append(&p);
  }
}

// ---- Nearness -----------------------------------------------------------------------------

double Arc3D::PtOnLine(Point3D* p, double scale, double size) {
  double tol = 0.0;
  if (p == nullptr || !PickTolerance(scale, size, &tol)) return kNotNear;
  if (std::abs(major_.norm() - minor_.norm()) > kOnCurveAxisSpread) return kNotNear;
  const double e = std::abs(ctr_.dist(p) - Radius());
  if (e > tol) return kNotNear;
  if (IsFullFigure()) return e;
  // Past the end angle, or (wrapping round) before the start angle, by the slack or more.
  const double from_start = AngleFromStart(p);
  const double past_end = from_start - Angle();
  const double before_start = kFullTurnDegrees - from_start;
  if (past_end >= kEndAngleSlackDegrees && before_start >= kEndAngleSlackDegrees) return kNotNear;
  return e;
}

double Arc3D::IsNear(Point3D* p, double scale, double size) {
  double tol = 0.0;
  if (p == nullptr || !PickTolerance(scale, size, &tol)) return kNotNear;
  if (std::abs(major_.norm() - minor_.norm()) >= kNearAxisSpread) {
    Box3D* box = Box(0, nullptr);
    if (box->Pt_nearedge(p, scale, kNearEdgeClose)) return kNearEdgeClose / scale;
    if (box->Pt_nearedge(p, scale, kNearEdgeFar)) return kNearEdgeFar / scale;
    return kNotNear;
  }
  const double e = std::abs(ctr_.dist(p) - Radius());
  if (e <= tol && (IsFullFigure() || AngleFromStart(p) <= Angle())) return e;
  if (Type() == kEntityChord) {
    Line3D chord(Spt(), Ept());
    return chord.IsNear(p, scale, size);
  }
  return kNotNear;
}

double Arc3D::IsNearMidPt(Point3D* p, Point3D* out, double /*scale*/) {
  if (p == nullptr) return kNotNear;
  StoreIfSet(out, ctr_);
  return p->dist(&ctr_);
}

double Arc3D::IsNearVertex(Point3D* p, Point3D* out, int& /*index*/, double scale, double size) {
  if (p == nullptr || scale == 0.0) return kNotNear;
  Point3D candidates[4];
  int count = 0;
  if (IsFullFigure()) {
    const double a = major_.norm();
    const double b = minor_.norm();
    candidates[count++] = Point3D(ctr_.x + a, ctr_.y, ctr_.z);
    candidates[count++] = Point3D(ctr_.x, ctr_.y + b, ctr_.z);
    candidates[count++] = Point3D(ctr_.x - a, ctr_.y, ctr_.z);
    candidates[count++] = Point3D(ctr_.x, ctr_.y - b, ctr_.z);
  } else {
    candidates[count++] = *Spt();
    candidates[count++] = *Ept();
  }
  double best = kNotNear;
  for (int i = 0; i < count; ++i) {
    const double d = p->dist(&candidates[i]);
    if (d * scale > size) continue;
    // A tie goes to the later point, as for lines (Ept before Spt).
    if (best != kNotNear && d > best) continue;
    best = d;
    StoreIfSet(out, candidates[i]);
  }
  return best;
}

int Arc3D::IsInside(Point3D* p) {
  if (p == nullptr || !IsClosed()) return 0;
  return ctr_.dist(p) <= major_.norm() ? 1 : 0;
}

int Arc3D::IsInsideEx(Point3D* p) {
  if (IsInside(p) == 0) return 0;
  DblclistIterator it(GetExcludeList());
  while (Curve3D* opening = it.Next()) {
    if (opening->IsInside(p) != 0) return 0;
  }
  return 1;
}

namespace {

// Every vertex of the outline lies inside the figure or, failing that, near it. An outline
// without vertices holds nothing to be inside.
bool HoldsVertices(Arc3D* figure, Multi3D* outline, double scale, double size) {
  const std::unique_ptr<DblPlist> vertices(outline->GetVertices(0));
  if (vertices == nullptr || vertices->Num() == 0) return false;
  DblPlistIterator it(vertices.get());
  while (DblPitem* item = it.Next()) {
    Point3D* vertex = item->Point();
    if (figure->IsInside(vertex) == 0 && figure->IsNear(vertex, scale, size) < 0.0) return false;
  }
  return true;
}

}  // namespace

int Arc3D::IsInside(Curve3D* c, double scale, double size) {
  if (c == nullptr || !IsClosed()) return 0;
  if (!Box(0, nullptr)->Overlap(c->Box(0, nullptr))) return 0;
  const int type = c->Type();
  if (type == kEntityLine) return IsInside(c->Spt()) && IsInside(c->Ept()) ? 1 : 0;
  if (IsArcKind(type)) {
    if (!IsInside(c->Spt()) || !IsInside(c->Ept())) return 0;
    Arc3D* arc = dynamic_cast<Arc3D*>(c);
    if (arc == nullptr) return 0;
    Point3D p1;
    Point3D p2;
    return IntersectArc(arc, &p1, &p2) == 0 ? 1 : 0;
  }
  if (type == kEntityPolyline) {
    auto* outline = dynamic_cast<Multi3D*>(c);
    return outline != nullptr && HoldsVertices(this, outline, scale, size) ? 1 : 0;
  }
  // Point curves test their nodes once that kind exists; until then every other kind counts
  // by the centre of its box.
  Point3D middle;
  c->Box(0, nullptr)->Ctr(&middle);
  return IsInside(&middle);
}

// ---- Intersections ------------------------------------------------------------------------

namespace {

// A roof edge meets arcs with its overhang line; any other line (or a roof edge that lacks one)
// with itself.
Line3D* LineMeetingArcs(Line3D* l) {
  if (l->Type() != kEntityREdge) return l;
  auto* roofEdge = dynamic_cast<REdge3D*>(l);
  Line3D* edge = roofEdge != nullptr ? roofEdge->GetEdge() : nullptr;
  return edge != nullptr ? edge : l;
}

}  // namespace

int Arc3D::IntersectLine(Line3D* l, Point3D* p1, Point3D* p2) {
  ZeroIfSet(p1);
  ZeroIfSet(p2);
  if (l == nullptr) return 0;
  l = LineMeetingArcs(l);
  const Point3D* s = l->Spt();
  const Point3D* e = l->Ept();
  const double dx = e->x - s->x;
  const double dy = e->y - s->y;
  const double length = std::hypot(dx, dy);
  if (length <= kSnapTolerance) return 0;
  const double ux = dx / length;
  const double uy = dy / length;
  const double r = major_.norm();

  // The foot of the perpendicular from the centre, and the half chord either side of it.
  const double t = (ctr_.x - s->x) * ux + (ctr_.y - s->y) * uy;
  const Point3D foot(s->x + t * ux, s->y + t * uy, ctr_.z);
  const double distance = std::hypot(ctr_.x - foot.x, ctr_.y - foot.y);
  if (distance > r + kIdentTolerance) return 0;
  const double half = std::sqrt(std::max(0.0, r * r - distance * distance));

  Point3D candidates[2] = {Point3D(foot.x - half * ux, foot.y - half * uy, foot.z),
                           Point3D(foot.x + half * ux, foot.y + half * uy, foot.z)};
  // A tangent line touches once.
  const int candidate_count = candidates[0].ident(&candidates[1]) ? 1 : 2;
  int found = 0;
  for (int i = 0; i < candidate_count; ++i) {
    Point3D* c = &candidates[i];
    if (l->PtOnLine(c, kIntersectZoom, kIntersectSize) < 0.0) continue;
    if (PtOnLine(c, kIntersectZoom, kIntersectSize) < 0.0) continue;
    StoreIfSet(found == 0 ? p1 : p2, *c);
    ++found;
  }
  return found;
}

int Arc3D::IntersectLineEx(Line3D* l, Point3D* p1, Point3D* p2) {
  ZeroIfSet(p1);
  ZeroIfSet(p2);
  if (l == nullptr) return 0;
  l = LineMeetingArcs(l);
  const Point3D* s = l->Spt();
  const Point3D* e = l->Ept();
  const double length = s->dist(e);
  if (length <= kSnapTolerance) return 0;
  const double r = major_.norm();
  Point3D u(e);
  u.sub(s)->mult(1.0 / length);
  Point3D start(s);
  start.addt(&u, -r);
  Point3D end(e);
  end.addt(&u, r);
  Line3D extended(&start, &end);
  const int found = IntersectLine(&extended, p1, p2);
  if (found == 0) {
    ZeroIfSet(p1);
    ZeroIfSet(p2);
  }
  return found;
}

bool Arc3D::IsOnBothArcs(Arc3D* other, const Point3D* p) {
  Point3D q(p);
  return PtOnLine(&q, kIntersectZoom, kIntersectSize) >= 0.0 &&
         other->PtOnLine(&q, kIntersectZoom, kIntersectSize) >= 0.0;
}

int Arc3D::IntersectArc(Arc3D* a, Point3D* p1, Point3D* p2) {
  ZeroIfSet(p1);
  ZeroIfSet(p2);
  if (a == nullptr) return 0;
  const double d = std::hypot(a->ctr_.x - ctr_.x, a->ctr_.y - ctr_.y);
  const double r1 = major_.norm();
  const double r2 = a->major_.norm();
  // Apart, or one circle wholly inside the other (coincident circles included).
  if (r1 + r2 <= d) return 0;
  if (std::max(r1, r2) >= std::min(r1, r2) + d) return 0;
  const double cos_alpha = (d * d + r1 * r1 - r2 * r2) / (2.0 * d * r1);
  if (!(cos_alpha > -1.0 && cos_alpha <= 1.0)) return 0;
  const double alpha = std::acos(cos_alpha) / kRadiansPerDegreeAsStored;
  const double beta = ctr_.xyangle(&a->ctr_);

  Point3D found[2];
  int count = 0;
  for (const double direction : {beta + alpha, beta - alpha}) {
    const Point3D candidate = PointAt(ctr_, r1, Normalized(direction));
    if (count == 1 && candidate.ident(&found[0])) continue;
    if (IsOnBothArcs(a, &candidate)) found[count++] = candidate;
  }
  if (count == 2) {
    // In the arc's running order: counter-clockwise arcs run from StartAngle upward.
    const bool first_is_lower = AngleFromStart(&found[0]) <= AngleFromStart(&found[1]);
    const bool ascending = ang_dir_ == kArcCounterClockwise;
    if (first_is_lower != ascending) std::swap(found[0], found[1]);
  }
  if (count > 0) StoreIfSet(p1, found[0]);
  if (count > 1) StoreIfSet(p2, found[1]);
  return count;
}

// ---- Overlap of arcs on the same ellipse --------------------------------------------------

Curve3D* Arc3D::OverlappedSegment(Curve3D* other, double scale, double size) {
  if (other == nullptr || other->Type() != kEntityArc) return nullptr;
  Arc3D* arc = dynamic_cast<Arc3D*>(other);
  if (arc == nullptr || !ctr_.ident(&arc->ctr_) || !major_.ident(&arc->major_) ||
      !minor_.ident(&arc->minor_))
    return nullptr;

  const bool start_on_other = arc->PtOnLine(Spt(), scale, size) >= 0.0;
  const bool end_on_other = arc->PtOnLine(Ept(), scale, size) >= 0.0;
  const bool other_start_on_this = PtOnLine(arc->Spt(), scale, size) >= 0.0;
  const bool other_end_on_this = PtOnLine(arc->Ept(), scale, size) >= 0.0;
  if (start_on_other && end_on_other) return new (std::nothrow) Arc3D(*this);
  if (other_start_on_this && other_end_on_this) return new (std::nothrow) Arc3D(*arc);

  const struct {
    bool holds;
    Point3D* mine;
    Point3D* theirs;
  } pairs[] = {
      {start_on_other && other_start_on_this, Spt(), arc->Spt()},
      {start_on_other && other_end_on_this, Spt(), arc->Ept()},
      {end_on_other && other_start_on_this, Ept(), arc->Spt()},
      {end_on_other && other_end_on_this, Ept(), arc->Ept()},
  };
  for (const auto& pair : pairs) {
    if (!pair.holds || pair.mine->ident(pair.theirs)) continue;
    Arc3D* common = new (std::nothrow) Arc3D(*this);
    if (common == nullptr) return nullptr;
    common->Spt()->set(pair.mine);
    common->Ept()->set(pair.theirs);
    // The shared part is the one whose middle lies on both arcs; otherwise it runs the other way.
    const Point3D middle = PointAt(ctr_, Radius(), common->StartAngle() + common->Angle() * 0.5);
    if (!IsOnBothArcs(arc, &middle)) common->ang_dir_ = 1 - common->ang_dir_;
    common->Calcbox();
    common->State(kStateUnchanged);
    return common;
  }
  return nullptr;
}

// ---- Transformations ----------------------------------------------------------------------

Curve3D* Arc3D::Translate(const Point3D* v, bool moveLocal) {
  if (v == nullptr) return this;
  ctr_.add(v);
  Curve3D::Translate(v, moveLocal);
  Calcbox();
  return this;
}

Curve3D* Arc3D::Rotate_cs(const Point3D* centre, const Point3D* axis, double cs, double sn) {
  if (centre == nullptr || axis == nullptr) return this;
  const Point3D c(centre);
  const Point3D a(axis);
  ctr_.rotate_cs(&c, &a, cs, sn);
  major_.rotate_vec_cs(&a, cs, sn);
  minor_.rotate_vec_cs(&a, cs, sn);
  Curve3D::Rotate_cs(&c, &a, cs, sn);
  Calcbox();
  return this;
}

Curve3D* Arc3D::Scale(const Point3D* centre, double s) {
  if (centre == nullptr) return this;
  const Point3D c(centre);
  ctr_.scale(&c, s);
  major_.mult(s);
  minor_.mult(s);
  Curve3D::Scale(&c, s);
  Calcbox();
  return this;
}

Curve3D* Arc3D::Scale(const Point3D* centre, const Point3D* factors) {
  if (centre == nullptr || factors == nullptr) return this;
  const Point3D c(centre);
  const Point3D f(factors);
  ctr_.scale(&c, &f);
  major_.mult(&f);
  minor_.mult(&f);
  Curve3D::Scale(&c, &f);
  Calcbox();
  return this;
}

Curve3D* Arc3D::Mirror(const Point3D* normal, double distance) {
  if (normal == nullptr) return this;
  const Point3D n(normal);
  ctr_.mirror(&n, distance);
  // A reflection turns the running sense round.
  ang_dir_ = ang_dir_ == kArcCounterClockwise ? kArcClockwise : kArcCounterClockwise;
  Curve3D::Mirror(&n, distance);
  Calcbox();
  return this;
}

void Arc3D::Zero() {
  Curve3D::Zero();
  ctr_.set_zero();
  major_.set_zero();
  minor_.set_zero();
  ang_dir_ = kArcCounterClockwise;
  Calcbox();
}

// ---- Bezier approximation -----------------------------------------------------------------

// Each piece of at most a quarter turn becomes one cubic: its ends on the figure and two
// control points along the tangents, at the standard 4/3·tan(θ/4) of the parametric step.
bool Arc3D::GetBezierPoints(DblPlist* out) {
  if (out == nullptr) return false;
  const double a = major_.norm();
  const double b = minor_.norm();
  if (a <= kSnapTolerance || b <= kSnapTolerance) return false;
  const double sweep = IsFullFigure() ? kFullTurnDegrees : Angle();
  if (sweep <= 0.0) return false;
  const int pieces = static_cast<int>(std::ceil(sweep / kQuarterTurnDegrees - kSnapTolerance));
  const double step = sweep / pieces;
  const double k = 4.0 / 3.0 * std::tan(Radians(step) / 4.0);
  // Points are produced from Spt toward Ept: downward in angle for a clockwise arc.
  const double sense = ang_dir_ == kArcCounterClockwise ? 1.0 : -1.0;
  const double first = ang_dir_ == kArcCounterClockwise ? StartAngle() : EndAngle();
  const auto at = [&](double t, double dt) {
    return Point3D(ctr_.x + a * std::cos(t) - dt * a * std::sin(t),
                   ctr_.y + b * std::sin(t) + dt * b * std::cos(t), ctr_.z);
  };
  for (int i = 0; i < pieces; ++i) {
    const double t0 = Radians(first + sense * step * i);
    const double t1 = Radians(first + sense * step * (i + 1));
    const Point3D p0 = at(t0, 0.0);
    const Point3D c0 = at(t0, sense * k);
    const Point3D c1 = at(t1, -sense * k);
    const Point3D p1 = at(t1, 0.0);
    for (const Point3D* p : {&p0, &c0, &c1, &p1}) {
      if (out->Add(p, 0.0, 0) == nullptr) return false;
    }
  }
  return true;
}
