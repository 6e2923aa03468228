// The linear dimension: its calculation (definition point, text content and placement), its
// association with the measured entity and its transformations.
#include "entities/dimension3d.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "entities/arc3d.h"
#include "geometry/tolerance.h"
#include "settings/units.h"

namespace {

// Live dimensions in the process; constructors count up, the destructor down.
int g_live_dimensions = 0;

constexpr const char* kDimensionName = "Dimension";
constexpr double kDefaultTextPoints = 10.0;
constexpr double kQuarterTurn = 90.0;
constexpr double kHalfTurn = 180.0;
constexpr double kThreeQuarterTurn = 270.0;
constexpr double kFullTurn = 360.0;
// Rounded inches reaching a whole foot carry into the feet.
constexpr int kInchesInAFoot = 12;

double PlanDistance(const Point3D& a, const Point3D& b) {
  return std::hypot(b.x - a.x, b.y - a.y);
}

// Distance in the plan from p to the segment a-b.
double PlanDistanceToSegment(const Point3D& p, const Point3D& a, const Point3D& b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  double t = 0.0;
  if (len2 > 0.0) t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// The plan unit vector from c towards p, or null length when they coincide in the plan.
Point3D PlanDirection(const Point3D& c, const Point3D& p) {
  const double d = PlanDistance(c, p);
  if (!(d > 0.0)) return Point3D();
  return Point3D((p.x - c.x) / d, (p.y - c.y) / d, 0.0);
}

// The offset of the dimension line is reversed when the definition point lies clockwise of the
// dimension's direction: a difference of directions above a half turn or between minus a half
// turn and 0.
bool OffsetReversed(double difference) {
  return difference > kHalfTurn || (difference > -kHalfTurn && difference < 0.0);
}

// Writes the measure with two decimals and drops trailing zeros and then a bare decimal point.
void FormatDecimal(double value, char (&buffer)[kDimensionTextSize]) {
  std::snprintf(buffer, sizeof buffer, "%1.2f", value);
  if (std::strchr(buffer, '.') == nullptr) return;
  size_t n = std::strlen(buffer);
  while (n > 0 && buffer[n - 1] == '0')
    buffer[--n] = '\0';
  if (n > 0 && buffer[n - 1] == '.') buffer[n - 1] = '\0';
}

// Whole feet and rounded inches; rounding up to 12 inches carries into the feet.
void FormatFeetInches(double feetValue, char (&buffer)[kDimensionTextSize]) {
  const int feet = static_cast<int>(feetValue);
  const int inches = static_cast<int>((feetValue - feet) * kInchesPerFoot + 0.5);
  if (inches == kInchesInAFoot) {
    std::snprintf(buffer, sizeof buffer, "%i'", feet + 1);
  } else if (inches > 0) {
    std::snprintf(buffer, sizeof buffer, "%i' %i\"", feet, inches);
  } else {
    std::snprintf(buffer, sizeof buffer, "%i'", feet);
  }
}

// Feet and inches are written through int; larger measures stay decimal.
bool FitsFeetInches(double value) {
  return std::isfinite(value) && value > static_cast<double>(INT_MIN) + 1.0 &&
         value < static_cast<double>(INT_MAX) - 1.0;
}

}  // namespace

// ---- Construction -------------------------------------------------------------------------

Dimension3D::Dimension3D(int colour) : Curve3D(colour, 0, 1, -1, -2) {
  ++g_live_dimensions;
  InitDimension(colour, kDefaultTextPoints);
  ReCalc(0.0);
  State(kStateUnchanged);
}

Dimension3D::Dimension3D(const Point3D* first, const Point3D* second, const Point3D* defpt,
                         int dimType, double textPoints, Curve3D* obj, int colour)
    : Curve3D(first, second, colour, 0, 1, -1, -2) {
  ++g_live_dimensions;
  dim_type_ = dimType;
  if (defpt != nullptr) defpt_ = *defpt;
  InitDimension(colour, textPoints);
  if (obj != nullptr) {
    SetObj(obj);
  } else {
    ReCalc(0.0);
  }
  State(kStateUnchanged);
}

Dimension3D::Dimension3D(const Dimension3D* src) : Curve3D(static_cast<const Curve3D*>(src)) {
  ++g_live_dimensions;
  if (src == nullptr) {
    InitDimension(0, kDefaultTextPoints);
    State(kStateUnchanged);
    return;
  }
  if (src->text_) text_.reset(new (std::nothrow) Text3D(src->text_.get()));
  defpt_ = src->defpt_;
  text_mid_ = src->text_mid_;
  angle_ = src->angle_;
  dim_type_ = src->dim_type_;
  obj_handle_ = src->obj_handle_;
  units_ = src->units_;
  distance_ = src->distance_;
  text_locked_ = src->text_locked_;
  feet_inch_ = src->feet_inch_;
}

Dimension3D::Dimension3D(const Dimension3D& src) : Dimension3D(&src) {}

Dimension3D::~Dimension3D() {
  --g_live_dimensions;
  if (Curve3D* obj = Obj()) {
    ForgetObj();
    obj->RemoveDimension(this);
  }
}

void Dimension3D::InitDimension(int colour, double textPoints) {
  Type(kEntityDimension);
  Name(kDimensionName);
  const double points =
      std::isfinite(textPoints) && textPoints > 0.0 ? textPoints : kDefaultTextPoints;
  text_.reset(new (std::nothrow) Text3D(&text_mid_, nullptr, points, 0.0, 0, colour));
  if (text_) text_->Alignment(kAlignCentre, &text_mid_);
}

int Dimension3D::LiveCount() {
  return g_live_dimensions;
}

int Dimension3D::GetNum() {
  return LiveCount();
}

Curve3D* Dimension3D::Copy() {
  return new (std::nothrow) Dimension3D(*this);
}

// ---- Association --------------------------------------------------------------------------

// The measured entity tells this dimension when it goes (OnDissociated), so obj_ never outlives
// it.
Curve3D* Dimension3D::Obj() {
  return obj_;
}

int Dimension3D::ObjHandle() {
  Obj();
  return obj_handle_;
}

void Dimension3D::ForgetObj() {
  obj_ = nullptr;
}

Curve3D* Dimension3D::SetObj(Curve3D* obj) {
  if (obj == this || (obj != nullptr && obj->Type() == kEntityDimension)) obj = nullptr;
  Curve3D* old = Obj();
  if (old != nullptr && old == obj) {
    ReCalc(0.0);
    return obj_;
  }
  if (old != nullptr) {
    ForgetObj();
    old->RemoveDimension(this);
  }
  if (obj != nullptr) {
    obj_ = obj;
    obj_handle_ = obj->Id();
    obj->AddDimension(this);
  } else {
    obj_handle_ = 0;
  }
  ReCalc(0.0);
  return obj_;
}

void Dimension3D::OnAssociated(Curve3D* obj) {
  if (obj == nullptr || Obj() == obj) return;
  SetObj(obj);
}

void Dimension3D::OnDissociated(Curve3D* obj) {
  if (obj == nullptr || obj != obj_) return;
  ForgetObj();
  obj_handle_ = 0;
}

void Dimension3D::OnMeasuredChanged(Curve3D* obj) {
  if (obj != nullptr && obj == Obj()) ReCalc(0.0);
}

Arc3D* Dimension3D::MeasuredArc() {
  Curve3D* obj = Obj();
  if (obj == nullptr || obj->Type() != kEntityArc) return nullptr;
  auto* arc = dynamic_cast<Arc3D*>(obj);
  if (arc == nullptr || !(arc->Radius() > kSnapTolerance)) return nullptr;
  return arc;
}

// ---- Calculation --------------------------------------------------------------------------

int Dimension3D::ReCalc(double distance) {
  if (recalculating_) return 0;
  recalculating_ = true;
  const int ok = CalcDefs(distance) != 0 && CalcText(0.0, 0.0) != 0 ? 1 : 0;
  if (ok != 0) Calcbox();
  recalculating_ = false;
  return ok;
}

Point3D Dimension3D::LeftNormal() {
  const Point3D along = PlanDirection(*Spt(), *Ept());
  return Point3D(-along.y, along.x, 0.0);
}

double Dimension3D::DefptOffset() {
  const Point3D n = LeftNormal();
  return (defpt_.x - Spt()->x) * n.x + (defpt_.y - Spt()->y) * n.y;
}

int Dimension3D::CalcDefs(double distance) {
  if (std::isfinite(distance) && distance != 0.0) distance_ = distance;
  if (Curve3D* obj = Obj()) {
    // Qualified: the own setters would recalculate again.
    const Point3D s(obj->Spt());
    const Point3D e(obj->Ept());
    if (s.ident(Spt()) == 0) Curve3D::Spt(s.x, s.y, s.z);
    if (e.ident(Ept()) == 0) Curve3D::Ept(e.x, e.y, e.z);
  }
  const Point3D s(Spt());
  const Point3D e(Ept());
  if (!(PlanDistance(s, e) > kSnapTolerance)) return 0;
  angle_ = s.xyangle(&e);

  if (Arc3D* arc = MeasuredArc()) {
    // An arc is dimensioned along its radius: the dimension line is concentric with it, outside
    // or inside by the side the definition point is on.
    const Point3D c(arc->Ctr());
    const double r = arc->Radius();
    const double toDefpt = PlanDistance(c, defpt_);
    double radius = toDefpt;
    if (distance_ != 0.0)
      radius = toDefpt >= r ? r + std::fabs(distance_) : r - std::fabs(distance_);
    radius = std::max(radius, 0.0);
    const Point3D u = PlanDirection(c, e);
    defpt_.set(c.x + u.x * radius, c.y + u.y * radius, e.z);
    return 1;
  }

  const double difference = s.xyangle(&defpt_) - angle_;
  const double side = OffsetReversed(difference) ? -1.0 : 1.0;
  const double offset = distance_ != 0.0 ? std::fabs(distance_) : std::fabs(DefptOffset());
  const Point3D n = LeftNormal();
  defpt_.set(e.x + n.x * side * offset, e.y + n.y * side * offset, e.z);
  return 1;
}

Point3D Dimension3D::TextCentre() {
  const Point3D s(Spt());
  const Point3D e(Ept());
  if (Arc3D* arc = MeasuredArc()) {
    // The middle of the arc, carried out to the dimension line.
    const Point3D c(arc->Ctr());
    const double middle = (arc->StartAngle() + arc->Angle() / 2.0) * kRadiansPerDegreeAsStored;
    const double radius = PlanDistance(c, defpt_);
    return Point3D(c.x + std::cos(middle) * radius, c.y + std::sin(middle) * radius,
                   (s.z + e.z) / 2.0);
  }
  const Point3D n = LeftNormal();
  const double offset = DefptOffset();
  return Point3D((s.x + e.x) / 2.0 + n.x * offset, (s.y + e.y) / 2.0 + n.y * offset,
                 (s.z + e.z) / 2.0);
}

void Dimension3D::SetTextContent() {
  Curve3D* obj = Obj();
  if (obj == nullptr || !text_) return;
  const double length = obj->Length(0);
  char buffer[kDimensionTextSize] = {};
  const bool feetInchUnits = units_ == kUnitFeet || units_ == kUnitInches;
  if (feet_inch_ != 0 && feetInchUnits && FitsFeetInches(length)) {
    FormatFeetInches(length, buffer);
  } else {
    FormatDecimal(ConvertVal(length, kMeasureLength, kUnitFeet, units_), buffer);
  }
  text_->Settext(buffer);
}

int Dimension3D::CalcText(double height, double /*width*/) {
  if (!text_) return 0;
  if (text_locked_ == 0) SetTextContent();
  text_->Angle(0.0);
  if (height == 0.0 || !std::isfinite(height)) height = text_->Box(0, nullptr)->Height();

  // Texts read from the left or from below: a dimension pointing left or down is turned half
  // round and read from its second point. The text is centred, so only its angle changes.
  double textAngle = angle_;
  if (angle_ > kQuarterTurn && angle_ <= kThreeQuarterTurn) textAngle += kHalfTurn;
  if (textAngle >= kFullTurn) textAngle -= kFullTurn;
  text_->SetAngle(textAngle);

  // Off the line by half the height, on the side below the text.
  const double half = height / 2.0;
  double dx = 0.0;
  double dy = -half;
  if (textAngle == kQuarterTurn) {
    dx = half;
    dy = 0.0;
  } else if (textAngle != 0.0) {
    const double radians = textAngle * kRadiansPerDegreeAsStored;
    dx = half * std::sin(radians);
    dy = -half * std::cos(radians);
  }
  const Point3D centre = TextCentre();
  text_mid_.set(centre.x + dx, centre.y + dy, centre.z);
  text_->Curve3D::Ept(&text_mid_);
  text_->Curve3D::Spt(&text_mid_);
  text_->Alignment(kAlignCentre, &text_mid_);
  return 1;
}

void Dimension3D::Refresh() {
  if (ReCalc(0.0) == 0) Calcbox();
}

// ---- Settings and points ------------------------------------------------------------------

double Dimension3D::SetDistance(double d) {
  if (!std::isfinite(d)) return distance_;
  distance_ = d;
  ReCalc(0.0);
  return distance_;
}

bool Dimension3D::LockText(bool lock) {
  text_locked_ = lock ? 1 : 0;
  ReCalc(0.0);
  return lock;
}

int Dimension3D::SetUnits(int units) {
  return units_ = units;
}

bool Dimension3D::SetFeetInchDisplay(bool on) {
  feet_inch_ = on ? 1 : 0;
  return on;
}

const Point3D* Dimension3D::Defpt(const Point3D* p) {
  if (p == nullptr) return &defpt_;
  defpt_ = *p;
  Refresh();
  return &defpt_;
}

Point3D* Dimension3D::Spt(double x, double y, double z) {
  Curve3D::Spt(x, y, z);
  ReCalc(0.0);
  return Spt();
}

Point3D* Dimension3D::Ept(double x, double y, double z) {
  Curve3D::Ept(x, y, z);
  ReCalc(0.0);
  return Ept();
}

// ---- The text -----------------------------------------------------------------------------

const char* Dimension3D::Facename() const {
  return text_ ? text_->FontName() : "";
}

const char* Dimension3D::Facename(const char* name) {
  if (text_ && name != nullptr) {
    text_->SetFontName(name);
    Refresh();
  }
  return Facename();
}

double Dimension3D::Pointsize() const {
  return text_ ? text_->Pointsize() : 0.0;
}

double Dimension3D::Pointsize(double points) {
  if (text_) {
    text_->SetFontSize(points);
    Refresh();
  }
  return Pointsize();
}

double Dimension3D::XScale() const {
  return text_ ? text_->XScale() : 0.0;
}

double Dimension3D::SetXScale(double scale, int mode) {
  if (text_) {
    text_->SetXScale(scale, mode);
    Refresh();
  }
  return XScale();
}

double Dimension3D::XStretch() const {
  return text_ ? text_->XStretch() : 0.0;
}

double Dimension3D::SetXStretch(double stretch) {
  if (text_) {
    text_->SetXStretch(stretch);
    Refresh();
  }
  return XStretch();
}

// ---- Entity interface ---------------------------------------------------------------------

double Dimension3D::Angle() {
  return angle_;
}

void Dimension3D::Calcbox() {
  Box3D* box = Box(0, nullptr);
  box->Set(Spt());
  box->Append(Ept());
  box->Append(&defpt_);
  if (text_ && text_->GetTextBox() != nullptr) box->Append(text_->Box(0, nullptr));
}

bool Dimension3D::Ident(Curve3D* other) {
  if (!Curve3D::Ident(other)) return false;
  auto* dim = dynamic_cast<Dimension3D*>(other);
  if (dim == nullptr || defpt_.ident(&dim->defpt_) == 0) return false;
  const char* mine = text_ ? text_->GetText(0) : nullptr;
  const char* theirs = dim->text_ ? dim->text_->GetText(0) : nullptr;
  if (mine == nullptr || theirs == nullptr) return mine == theirs;
  return std::strcmp(mine, theirs) == 0;
}

double Dimension3D::IsNear(Point3D* p, double scale, double size) {
  if (p == nullptr || scale == 0.0 || !std::isfinite(scale) || !std::isfinite(size))
    return kNotNear;
  const double tolerance = size / scale;
  if (!(tolerance >= 0.0)) return kNotNear;
  const Point3D s(Spt());
  const Point3D e(Ept());
  // The dimension line runs from the offset first point to the definition point.
  Point3D lineStart(defpt_.x - e.x + s.x, defpt_.y - e.y + s.y, s.z);
  if (Arc3D* arc = MeasuredArc()) {
    const Point3D c(arc->Ctr());
    const Point3D u = PlanDirection(c, s);
    const double radius = PlanDistance(c, defpt_);
    lineStart.set(c.x + u.x * radius, c.y + u.y * radius, s.z);
  }
  double best =
      std::min({PlanDistanceToSegment(*p, lineStart, defpt_),
                PlanDistanceToSegment(*p, s, lineStart), PlanDistanceToSegment(*p, e, defpt_)});
  if (text_) {
    const double toText = text_->IsNear(p, scale, size);
    if (toText >= 0.0) best = std::min(best, toText);
  }
  return best <= tolerance ? best : kNotNear;
}

double Dimension3D::Length(int all) {
  if (Curve3D* obj = Obj()) return obj->Length(all);
  return Spt()->dist(Ept());
}

// ---- Transformations ----------------------------------------------------------------------
// Every point and the text move; the recalculation then puts an associated dimension back on its
// entity and turns the text upright again.

void Dimension3D::KeepOffsetAfterTransform() {
  if (MeasuredArc() != nullptr) return;
  const double offset = DefptOffset();
  if (!std::isfinite(offset)) return;
  if (distance_ != 0.0 && offset != 0.0) distance_ = std::copysign(std::fabs(offset), distance_);
  Curve3D* obj = Obj();
  if (obj == nullptr) return;
  // Back onto the entity, with the dimension line where it now is relative to the measured
  // points.
  const Point3D s(obj->Spt());
  const Point3D e(obj->Ept());
  Curve3D::Spt(s.x, s.y, s.z);
  Curve3D::Ept(e.x, e.y, e.z);
  const Point3D n = LeftNormal();
  defpt_.set(e.x + n.x * offset, e.y + n.y * offset, e.z);
}

Curve3D* Dimension3D::Translate(const Point3D* v, bool moveLocal) {
  if (v == nullptr) return this;
  const Point3D move(v);
  defpt_.add(&move);
  text_mid_.add(&move);
  if (text_) text_->Translate(&move, false);
  Curve3D::Translate(&move, moveLocal);
  KeepOffsetAfterTransform();
  Refresh();
  return this;
}

Curve3D* Dimension3D::Rotate(const Point3D* centre, const Point3D* axis, double radians) {
  return Rotate_cs(centre, axis, std::cos(radians), std::sin(radians));
}

Curve3D* Dimension3D::Rotate_cs(const Point3D* centre, const Point3D* axis, double cs, double sn) {
  if (centre == nullptr || axis == nullptr || !std::isfinite(cs) || !std::isfinite(sn)) return this;
  const Point3D c(centre);
  const Point3D a(axis);
  defpt_.rotate_cs(&c, &a, cs, sn);
  text_mid_.rotate_cs(&c, &a, cs, sn);
  if (text_) text_->Rotate_cs(&c, &a, cs, sn);
  Curve3D::Rotate_cs(&c, &a, cs, sn);
  KeepOffsetAfterTransform();
  Refresh();
  return this;
}

Curve3D* Dimension3D::Scale(const Point3D* centre, const Point3D* factors) {
  if (centre == nullptr || factors == nullptr) return this;
  const Point3D c(centre);
  const Point3D f(factors);
  defpt_.scale(&c, &f);
  text_mid_.scale(&c, &f);
  if (text_) text_->Scale(&c, &f);
  Curve3D::Scale(&c, &f);
  KeepOffsetAfterTransform();
  Refresh();
  return this;
}

Curve3D* Dimension3D::Scale(const Point3D* centre, double s) {
  if (centre == nullptr) return this;
  const Point3D c(centre);
  defpt_.scale(&c, s);
  text_mid_.scale(&c, s);
  if (text_) text_->Scale(&c, s);
  Curve3D::Scale(&c, s);
  KeepOffsetAfterTransform();
  Refresh();
  return this;
}

Curve3D* Dimension3D::Mirror(const Point3D* normal, double distance) {
  if (normal == nullptr) return this;
  const Point3D n(normal);
  defpt_.mirror(&n, distance);
  text_mid_.mirror(&n, distance);
  if (text_) text_->Mirror(&n, distance);
  Curve3D::Mirror(&n, distance);
  KeepOffsetAfterTransform();
  Refresh();
  return this;
}
