#include "entities/line3d.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <new>

#include "entities/edge3d.h"

namespace {

// Live lines in the process; constructors count up, the destructor down.
int g_live_lines = 0;

constexpr const char* kLineName = "line";

constexpr const char* kPitchTagLower = "pitch";
constexpr const char* kPitchTag = "Pitch";
// The pitch is stored as "%6.2f" text: two decimals, right-aligned in six characters.
constexpr int kPitchDecimals = 2;
constexpr int kPitchWidth = 6;
constexpr int kDataDouble = 2;
constexpr int kAttrBufferSize = 50;

// A line's count when it carries no takeoff item: its two ends.
constexpr int kPlainLineCount = 2;

// Two directions within this many degrees (either way round) are parallel.
constexpr double kParallelDegrees = 2.0;
// Differences above this are folded back by half turns before the parallel test.
constexpr double kFoldAboveDegrees = 178.0;

// The world tolerance of a pick size; false for a zero scale, which is near nothing.
bool PickTolerance(double scale, double size, double* tol) {
  if (scale == 0.0) return false;
  *tol = size / scale;
  return true;
}

// The straight piece through which other can share a stretch with a line: a line or a roof edge
// itself, a pitched edge its base when that is a line; null for anything else.
Curve3D* StraightPartOf(Curve3D* other) {
  const int type = other->Type();
  if (type == kEntityLine || type == kEntityREdge) return other;
  if (type != kEntityEdge) return nullptr;
  auto* pitched = dynamic_cast<Edge3D*>(other);
  Curve3D* base = pitched != nullptr ? pitched->GetBase() : nullptr;
  return base != nullptr && base->Type() == kEntityLine ? base : nullptr;
}

}  // namespace

// ---- Construction -------------------------------------------------------------------------

Line3D::Line3D(int colour, int lineType, int thickness, int fillColour, int fillPattern)
    : Curve3D(colour, lineType, thickness, fillColour, fillPattern) {
  MakeLine();
}

Line3D::Line3D(const Point3D* a, const Point3D* b, int colour, int lineType, int thickness,
               int fillColour, int fillPattern)
    : Curve3D(a, b, colour, lineType, thickness, fillColour, fillPattern) {
  MakeLine();
}

Line3D::Line3D(double x1, double y1, double z1, double x2, double y2, double z2, int colour,
               int lineType, int thickness, int fillColour, int fillPattern)
    : Curve3D(x1, y1, z1, x2, y2, z2, colour, lineType, thickness, fillColour, fillPattern) {
  MakeLine();
}

Line3D::Line3D(const Line3D* src) : Curve3D(static_cast<const Curve3D*>(src)) {
  MakeLine();
}

Line3D::Line3D(const Curve3D* src) : Curve3D(src) {
  MakeLine();
}

Line3D::Line3D(const Line3D& src) : Curve3D(src) {
  MakeLine();
}

Line3D::Line3D(Edge3D* e) : Curve3D(static_cast<const Curve3D*>(e)) {
  MakeLine();
  Curve3D* base = e != nullptr ? e->GetBase() : nullptr;
  if (base == nullptr) return;
  Colour(base->GetColour());
  Linetype(base->GetLinetype());
  Thickness(base->Thickness());
  State(kStateUnchanged);
}

Line3D& Line3D::operator=(const Line3D& src) {
  Curve3D::operator=(src);
  return *this;
}

Line3D::~Line3D() {
  --g_live_lines;
}

// Every constructor ends here: a new or copied line is unchanged until the document marks it.
void Line3D::MakeLine() {
  ++g_live_lines;
  Type(kEntityLine);
  Name(kLineName);
  Calcbox();
  State(kStateUnchanged);
}

Curve3D* Line3D::Copy() {
  return new (std::nothrow) Line3D(*this);
}

int Line3D::GetNum() {
  return g_live_lines;
}

Line3D* Line3D::Set(const Point3D* a, const Point3D* b) {
  if (a == nullptr || b == nullptr) return this;
  Spt()->set(a);
  Ept()->set(b);
  Calcbox();
  State(kStateGeometryChanged);
  return this;
}

Line3D* Line3D::Set(Line3D* src) {
  Curve3D::Set(src);
  return this;
}

int Line3D::FillColour(int /*c*/) {
  Curve3D::FillColour(-1);
  return -1;
}

int Line3D::FillPattern(int /*p*/) {
  return Curve3D::FillPattern(-2);
}

// ---- Measures -----------------------------------------------------------------------------

double Line3D::Angle() {
  return Spt()->xyangle(Ept());
}

double Line3D::XYangle() {
  return Angle();
}

double Line3D::Angle(Point3D* v) {
  if (v == nullptr) return 0.0;
  Point3D direction(Ept());
  direction.sub(Spt());
  return direction.angle(v);
}

double Line3D::Angle(Line3D* other) {
  if (other == nullptr) return 0.0;
  Point3D direction(other->Ept());
  direction.sub(other->Spt());
  return Angle(&direction);
}

double Line3D::FlatLength(int /*all*/) {
  return Spt()->dist(Ept());
}

double Line3D::Length(int all) {
  return FlatLength(all);
}

double Line3D::Length(int index, int all) {
  TSmartObject* so = GetSmartObject(index);
  return so != nullptr ? Length(so, all) : Length(all);
}

double Line3D::Length(const char* name, int all) {
  TSmartObject* so = GetSmartObject(name);
  return so != nullptr ? Length(so, all) : Length(all);
}

double Line3D::Area(int index, int all) {
  TSmartObject* so = GetSmartObject(index);
  return so != nullptr ? Area(so, all) : 0.0;
}

double Line3D::Area(const char* name, int all) {
  TSmartObject* so = GetSmartObject(name);
  return so != nullptr ? Area(so, all) : 0.0;
}

int Line3D::Count(int index, int all) {
  TSmartObject* so = GetSmartObject(index);
  return so != nullptr ? Count(so, all) : kPlainLineCount;
}

int Line3D::Count(const char* name, int all) {
  TSmartObject* so = GetSmartObject(name);
  return so != nullptr ? Count(so, all) : kPlainLineCount;
}

double Line3D::Norm() {
  return Spt()->dist(Ept());
}

double Line3D::Norml1() {
  Point3D d(Spt());
  d.sub(Ept());
  return d.norml1();
}

double Line3D::Norm_squared() {
  Point3D d(Spt());
  d.sub(Ept());
  return d.norm_squared();
}

int Line3D::Normalize() {
  Point3D d(Spt());
  d.sub(Ept());
  return d.normalize();
}

Point3D* Line3D::Mid_pt(Point3D* out) {
  if (out == nullptr) return nullptr;
  return out->set(Spt())->mid_pt(Ept());
}

double Line3D::Dist(Point3D* p) {
  if (p == nullptr) return 0.0;
  const Point3D* s = Spt();
  const Point3D* e = Ept();
  const double dx = e->x - s->x;
  const double dy = e->y - s->y;
  const double dz = e->z - s->z;
  const double length_squared = dx * dx + dy * dy + dz * dz;
  if (length_squared <= 0.0) return p->dist(s);
  const double t = ((p->x - s->x) * dx + (p->y - s->y) * dy + (p->z - s->z) * dz) / length_squared;
  const Point3D foot(s->x + t * dx, s->y + t * dy, s->z + t * dz);
  return p->dist(&foot);
}

double Line3D::Pitch() {
  char value[kAttrBufferSize] = {};
  if (GetAttr(nullptr, kPitchTagLower, kDataDouble, value) != 0) {
    // Locale-free: a host running with a decimal comma reads the same pitch.
    const char* start = value;
    while (*start == ' ')
      ++start;
    if (*start == '+') ++start;
    double pitch = 0.0;
    std::from_chars(start, value + std::strlen(value), pitch);
    return pitch;
  }
  return LegacyPitch();
}

// ---- Nearness -----------------------------------------------------------------------------

double Line3D::PtOnLine(Point3D* p, double scale, double size) {
  double tol = 0.0;
  if (p == nullptr || !PickTolerance(scale, size, &tol)) return kNotNear;
  const Point3D* s = Spt();
  const Point3D* e = Ept();
  const double dx = e->x - s->x;
  const double dy = e->y - s->y;

  // The deviation is measured along the axis that crosses the line most steeply, and only for
  // points whose projection on that axis falls within the line.
  double deviation = kNotNear;
  if (std::abs(dx) > 0.0 && std::abs(dx) > std::abs(dy)) {
    const double t = (p->x - s->x) / dx;
    if (t >= 0.0 && t <= 1.0) deviation = std::abs(s->y + t * dy - p->y);
  } else if (std::abs(dy) > 0.0) {
    const double t = (p->y - s->y) / dy;
    if (t >= 0.0 && t <= 1.0) deviation = std::abs(s->x + t * dx - p->x);
  }
  if (deviation != kNotNear && deviation <= tol) return deviation;

  // Beyond the ends (or off the line): near only to an end itself.
  const double to_start = p->dist(s);
  if (to_start <= tol) return to_start;
  const double to_end = p->dist(e);
  if (to_end <= tol) return to_end;
  return kNotNear;
}

double Line3D::IsNear(Point3D* p, double scale, double size) {
  return PtOnLine(p, scale, size);
}

double Line3D::IsNearVertex(Point3D* p, Point3D* out, int& /*index*/, double scale, double size) {
  if (p == nullptr || scale == 0.0) return kNotNear;
  const double d1 = p->dist(Spt());
  const double d2 = p->dist(Ept());
  if (d1 < d2 && d1 * scale <= size) {
    if (out != nullptr) out->set(Spt());
    return d1;
  }
  if (d2 * scale <= size) {
    if (out != nullptr) out->set(Ept());
    return d2;
  }
  return kNotNear;
}

double Line3D::IsNearMidPt(Point3D* p, Point3D* out, double /*scale*/) {
  if (p == nullptr) return kNotNear;
  Point3D mid;
  Mid_pt(&mid);
  if (out != nullptr) out->set(&mid);
  return p->dist(&mid);
}

// ---- Changing the line --------------------------------------------------------------------

double Line3D::SetAngle(double a) {
  double turn = a - Angle();
  if (turn < 0.0) {
    turn += kFullTurnDegrees;
  } else if (turn >= kFullTurnDegrees) {
    turn -= kFullTurnDegrees;
  }
  const Point3D up(0.0, 0.0, 1.0);
  Ept()->rotate(Spt(), &up, turn * kRadiansPerDegreeAsStored);
  ReCalcDimensions();
  Calcbox();
  State(kStateGeometryChanged);
  return a;
}

double Line3D::SetPitch(double p) {
  if (HasSmartObject() <= 0) return p;
  char text[kAttrBufferSize] = {};
  char digits[kAttrBufferSize] = {};
  const auto written = std::to_chars(digits, digits + sizeof(digits) - 1, p,
                                     std::chars_format::fixed, kPitchDecimals);
  const size_t length = written.ec == std::errc() ? static_cast<size_t>(written.ptr - digits) : 0;
  const size_t pad = length < kPitchWidth ? kPitchWidth - length : 0;
  std::memset(text, ' ', pad);
  std::memcpy(text + pad, digits, length);
  SetAttr(nullptr, kPitchTag, kDataDouble, text);
  ReCalcDimensions();
  State(kStateGeometryChanged);
  return p;
}

double Line3D::SetLength(double l) {
  if (l == 0.0) return l;
  const double length = FlatLength(0);
  if (length > 0.0) {
    // About a copy of Spt: Spt stays and Ept slides along the line.
    const Point3D centre(Spt());
    Scale(&centre, l / length);
  } else {
    Point3D* e = Ept();
    e->set(e->x + l, e->y, e->z);
  }
  State(kStateGeometryChanged);
  Calcbox();
  return l;
}

double Line3D::SetWidth(double w) {
  Point3D* e = Ept();
  e->set(Spt()->x + w, e->y, e->z);
  Calcbox();
  ReCalcDimensions();
  State(kStateGeometryChanged);
  return w;
}

double Line3D::SetHeight(double h) {
  Point3D* e = Ept();
  e->set(e->x, Spt()->y + h, e->z);
  Calcbox();
  ReCalcDimensions();
  State(kStateGeometryChanged);
  return h;
}

double Line3D::SetDepth(double d) {
  Point3D* e = Ept();
  e->set(e->x, e->y, e->z + d);
  State(kStateChanged);
  Calcbox();
  return d;
}

bool Line3D::Connect(Curve3D* prev, Curve3D* next, Curve3D* /*outline*/) {
  bool joined = false;
  Point3D meet;
  if (prev != nullptr && prev->Type() == kEntityLine && Intersect2D(prev, &meet) != nullptr) {
    Spt(&meet);
    prev->Ept(&meet);
    joined = true;
  }
  if (next != nullptr && next->Type() == kEntityLine && Intersect2D(next, &meet) != nullptr) {
    Ept(&meet);
    next->Spt(&meet);
    joined = true;
  }
  return joined;
}

// ---- Overlap of collinear lines -----------------------------------------------------------

Line3D* Line3D::OverlappedSegment(Curve3D* other, double scale, double size) {
  if (other == nullptr) return nullptr;
  other = StraightPartOf(other);
  if (other == nullptr) return nullptr;

  // Opposite directions count as parallel: the difference is folded back by half turns.
  double d = std::abs(XYangle() - other->XYangle());
  while (d > kFoldAboveDegrees)
    d -= kHalfTurnDegrees;
  if (std::abs(d) > kParallelDegrees) return nullptr;

  Point3D* ends[2] = {Spt(), Ept()};
  Point3D* other_ends[2] = {other->Spt(), other->Ept()};
  const bool mine_on_other[2] = {other->PtOnLine(ends[0], scale, size) >= 0.0,
                                 other->PtOnLine(ends[1], scale, size) >= 0.0};
  const bool theirs_on_mine[2] = {PtOnLine(other_ends[0], scale, size) >= 0.0,
                                  PtOnLine(other_ends[1], scale, size) >= 0.0};

  const auto make = [](const Point3D* a, const Point3D* b) {
    return new (std::nothrow) Line3D(a, b, 0, 0, 1, -1, -2);
  };
  if (mine_on_other[0] && mine_on_other[1]) return make(ends[0], ends[1]);
  // Otherwise the shared part runs between two of the points found on both lines, taken in this
  // order: both ends of the other line, then an end of this line with an end of the other.
  if (theirs_on_mine[0] && theirs_on_mine[1] && other_ends[0]->dist(other_ends[1]) > 0.0)
    return make(other_ends[0], other_ends[1]);
  for (int i = 0; i < 2; ++i) {
    for (int j = 0; j < 2; ++j) {
      if (mine_on_other[i] && theirs_on_mine[j] && ends[i]->dist(other_ends[j]) > 0.0)
        return make(ends[i], other_ends[j]);
    }
  }
  return nullptr;
}
