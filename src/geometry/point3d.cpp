#include "geometry/point3d.h"

#include <climits>
#include <cmath>

#include "geometry/tolerance.h"
#include "io/dxfgroup.h"
#include "settings/hostglobals.h"
#include "settings/units.h"

namespace {

// Coordinates at most the snap tolerance away from zero become exactly zero ("at most": a
// coordinate of exactly kSnapTolerance is snapped too).
double Snap(double c) {
  return std::abs(c) <= kSnapTolerance ? 0.0 : c;
}

// is_vecs_parallel without an explicit tolerance compares with the snap tolerance.
constexpr double kDefaultParallelTolerance = kSnapTolerance;

}  // namespace

Point3D::Point3D(double px, double py, double pz) {
  StoreSnapped(px, py, pz);
}

Point3D::Point3D(double px, double py) {
  StoreSnapped(px, py, 0.0);
}

Point3D::Point3D(const Point3D* p) {
  if (p) *this = *p;
}

Point3D* Point3D::StoreSnapped(double px, double py, double pz) {
  x = Snap(px);
  y = Snap(py);
  z = Snap(pz);
  return this;
}

Point3D* Point3D::set(double px, double py, double pz) {
  return StoreSnapped(px, py, pz);
}

Point3D* Point3D::set(double px, double py) {
  return StoreSnapped(px, py, 0.0);
}

Point3D* Point3D::set(const Point3D* p) {
  if (!p) return this;
  id_ = p->id_;
  return StoreSnapped(p->x, p->y, p->z);
}

Point3D* Point3D::set_zero() {
  x = y = z = 0.0;
  return this;
}

bool Point3D::op_Equality(const Point3D& a, const Point3D& b) {
  return a.x == b.x && a.y == b.y && a.z == b.z;
}

Point3D* Point3D::add(const Point3D* v) {
  if (!v) return this;
  return StoreSnapped(x + v->x, y + v->y, z + v->z);
}

Point3D* Point3D::translate(const Point3D* v) {
  return add(v);
}

Point3D* Point3D::sub(const Point3D* v) {
  if (!v) return this;
  return StoreSnapped(x - v->x, y - v->y, z - v->z);
}

Point3D* Point3D::addt(const Point3D* v, double t) {
  if (!v) return this;
  return StoreSnapped(x + t * v->x, y + t * v->y, z + t * v->z);
}

Point3D* Point3D::addw(double w1, const Point3D* v, double w2) {
  if (!v) return this;
  return StoreSnapped(w1 * x + w2 * v->x, w1 * y + w2 * v->y, w1 * z + w2 * v->z);
}

Point3D* Point3D::addc(const Point3D* a, double s, const Point3D* b, double t) {
  if (!a || !b) return this;
  // One expression per coordinate: only the final sum is snapped.
  return StoreSnapped(x + s * a->x + t * b->x, y + s * a->y + t * b->y, z + s * a->z + t * b->z);
}

Point3D* Point3D::addu(const Point3D* v, double u) {
  if (!v) return this;
  const double keep = 1.0 - u;
  return StoreSnapped(keep * x + u * v->x, keep * y + u * v->y, keep * z + u * v->z);
}

Point3D* Point3D::mult(double s) {
  return StoreSnapped(s * x, s * y, s * z);
}

Point3D* Point3D::mult(const Point3D* v) {
  if (!v) return this;
  return StoreSnapped(x * v->x, y * v->y, z * v->z);
}

Point3D* Point3D::mid_pt(const Point3D* p) {
  if (!p) return this;
  return StoreSnapped((x + p->x) * 0.5, (y + p->y) * 0.5, (z + p->z) * 0.5);
}

Point3D* Point3D::cross(const Point3D* v) {
  if (!v) return this;
  // All three read the old coordinates (v may be this).
  return StoreSnapped(y * v->z - z * v->y, z * v->x - x * v->z, x * v->y - y * v->x);
}

Point3D* Point3D::mirror(const Point3D* n, double d) {
  if (!n) return this;
  const double f = 2.0 * (d - dot(n));
  return StoreSnapped(x + f * n->x, y + f * n->y, z + f * n->z);
}

Point3D* Point3D::scale(const Point3D* c, double s) {
  if (!c) return this;
  // Step by step, each step snapped, so a point within the snap tolerance of c stays on c.
  const Point3D centre(*c);
  return sub(&centre)->mult(s)->add(&centre);
}

Point3D* Point3D::scale(const Point3D* c, const Point3D* f) {
  if (!c || !f) return this;
  const Point3D centre(*c);
  const Point3D factors(*f);
  return sub(&centre)->mult(&factors)->add(&centre);
}

Point3D* Point3D::normal(const Point3D* v) {
  if (!v) return this;
  cross(v);
  normalize();
  return this;
}

Point3D* Point3D::negate() {
  x = -x;
  y = -y;
  z = -z;
  return this;
}

double Point3D::dot(const Point3D* v) const {
  if (!v) return 0.0;
  return x * v->x + y * v->y + z * v->z;
}

double Point3D::triple_prod(const Point3D* a, const Point3D* b) const {
  if (!a || !b) return 0.0;
  const double cx = y * a->z - z * a->y;
  const double cy = z * a->x - x * a->z;
  const double cz = x * a->y - y * a->x;
  return cx * b->x + cy * b->y + cz * b->z;
}

double Point3D::norm() const {
  return std::sqrt(norm_squared());
}

double Point3D::norm_squared() const {
  return x * x + y * y + z * z;
}

double Point3D::norml1() const {
  return std::abs(x) + std::abs(y) + std::abs(z);
}

double Point3D::dist(const Point3D* p) const {
  if (!p) return 0.0;
  const double dx = x - p->x;
  const double dy = y - p->y;
  const double dz = z - p->z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

double Point3D::distl1(const Point3D* p) const {
  if (!p) return 0.0;
  return std::abs(x - p->x) + std::abs(y - p->y) + std::abs(z - p->z);
}

int Point3D::ident2D(const Point3D* p) const {
  if (!p) return 0;
  return std::abs(x - p->x) <= kIdentTolerance && std::abs(y - p->y) <= kIdentTolerance;
}

int Point3D::ident(const Point3D* p) const {
  if (!p) return 0;
  return ident2D(p) && std::abs(z - p->z) <= kIdentTolerance;
}

int Point3D::is_small() const {
  return std::abs(x) <= kIdentTolerance && std::abs(y) <= kIdentTolerance &&
         std::abs(z) <= kIdentTolerance;
}

double Point3D::area3pt(const Point3D* p1, const Point3D* p2) const {
  if (!p1 || !p2) return 0.0;
  return 0.5 * (x * p1->y - y * p1->x + p1->x * p2->y - p2->x * p1->y + y * p2->x - p2->y * x);
}

int Point3D::Between(const Point3D* a, const Point3D* b) const {
  if (!a || !b) return 0;
  // Each bound is widened by the snap tolerance so points on a snapped edge count as inside.
  const bool in_x =
      std::fmin(a->x, b->x) <= x + kSnapTolerance && x - kSnapTolerance <= std::fmax(a->x, b->x);
  const bool in_y =
      std::fmin(a->y, b->y) <= y + kSnapTolerance && y - kSnapTolerance <= std::fmax(a->y, b->y);
  return in_x && in_y;
}

double Point3D::xyangle() const {
  // Exact zero tests: the axis directions come out as whole numbers of degrees.
  if (x == 0.0) return y < 0.0 ? kThreeQuarterTurnDegrees : kQuarterTurnDegrees;
  if (x < 0.0 && y == 0.0) return kHalfTurnDegrees;
  const double a = std::atan(y / x) / kRadiansPerDegreeAsStored;
  if (x < 0.0) return a + kHalfTurnDegrees;
  if (y < 0.0) return a + kFullTurnDegrees;
  return a;
}

double Point3D::xyangle(const Point3D* p) const {
  if (!p) return 0.0;
  const Point3D v(p->x - x, p->y - y, 0.0);
  return v.xyangle();
}

double Point3D::angle(const Point3D* v) const {
  if (!v) return 0.0;
  const double a = v->xyangle() - xyangle();
  return a < 0.0 ? a + kFullTurnDegrees : a;
}

int Point3D::is_vecs_parallel(const Point3D* v, double tol) const {
  if (!v) return 0;
  // Scaled by both lengths so the test does not depend on the size of the vectors.
  const double limit = tol * v->norml1() * norml1();
  return std::abs(v->x * y - v->y * x) <= limit && std::abs(v->y * z - v->z * y) <= limit &&
         std::abs(v->z * x - v->x * z) <= limit;
}

int Point3D::is_vecs_parallel(const Point3D* v) const {
  return is_vecs_parallel(v, kDefaultParallelTolerance);
}

int Point3D::normalize() {
  const double n = norml1();
  if (n <= kSnapTolerance) return 0;
  StoreSnapped(x / n, y / n, z / n);
  return 1;
}

Point3D* Point3D::RotateAbout(const Point3D& u, const Point3D& offset, double cs, double sn) {
  Point3D w(&u);
  w.cross(this);
  cs = Snap(cs);
  sn = Snap(sn);
  const double k = (1.0 - cs) * dot(&u);
  return StoreSnapped(x * cs + offset.x + u.x * k + w.x * sn,
                      y * cs + offset.y + u.y * k + w.y * sn,
                      z * cs + offset.z + u.z * k + w.z * sn);
}

Point3D* Point3D::rotate_cs(const Point3D* c, const Point3D* axis, double cs, double sn) {
  if (!c || !axis) return this;
  Point3D u(axis);
  if (!u.normalize()) return nullptr;
  // A copy: c may be this point itself.
  const Point3D centre(*c);
  sub(&centre);
  return RotateAbout(u, centre, cs, sn);
}

Point3D* Point3D::rotate(const Point3D* c, const Point3D* axis, double angle) {
  return rotate_cs(c, axis, std::cos(angle), std::sin(angle));
}

Point3D* Point3D::rotate_vec_cs(const Point3D* axis, double cs, double sn) {
  if (!axis) return this;
  Point3D u(axis);
  if (!u.normalize()) return nullptr;
  return RotateAbout(u, Point3D(), cs, sn);
}

Point3D* Point3D::rotate_vec(const Point3D* axis, double angle) {
  return rotate_vec_cs(axis, std::cos(angle), std::sin(angle));
}

namespace {

constexpr const char* kDefaultLayerName = "0";
// Codes from here up are keywords: they belong to the next record.
constexpr short kFirstKeywordCode = 1500;

int PutVertex(DXFGroup* stream, const char* layer, double px, double py, double pz) {
  int rc = stream->PutKeyword(kDxfVertex);
  if (rc == 0) rc = stream->PutString(8, layer);
  if (rc == 0) rc = stream->PutReal(10, px);
  if (rc == 0) rc = stream->PutReal(20, py);
  if (rc == 0) rc = stream->PutReal(30, pz);
  return rc;
}

// A decimal tag as a C library's atoi reads it, but without its undefined behaviour on
// overflow: leading blanks, a sign, digits; anything else gives 0, and values beyond the
// range of int are held at its ends.
int ParseDecimalTag(const char* text) {
  while (*text == ' ' || *text == '\t')
    ++text;
  const bool negative = *text == '-';
  if (*text == '+' || *text == '-') ++text;
  long long value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    value = value * 10 + (*text - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) break;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace

int Point3D::save(DXFGroup* stream) const {
  if (stream == nullptr) return kDxfEnd;
  return PutVertex(stream, kDefaultLayerName, x, y, z);
}

int Point3D::tpsave(DXFGroup* stream, const char* layer) const {
  if (stream == nullptr) return kDxfEnd;
  char name[kDxfLineSize];
  const char* layerName = kDefaultLayerName;
  if (layer != nullptr && layer[0] != '\0') layerName = ConvertDXFName(layer, name, sizeof name);
  return PutVertex(stream, layerName, x * kInchesPerFoot, y * kInchesPerFoot, z * kInchesPerFoot);
}

int Point3D::tpsave(DXFGroup* stream) const {
  return tpsave(stream, nullptr);
}

int Point3D::AddToken(DXFGroup* stream) {
  if (stream == nullptr) return kDxfEnd;
  for (;;) {
    const int rc = stream->GetGroup();
    if (rc != 0) return rc;
    switch (stream->Code()) {
      case 5:
        Id(ParseDecimalTag(stream->StringValue()));
        break;
      case 10:
        x = stream->RealValue();
        break;
      case 20:
        y = stream->RealValue();
        break;
      case 30:
        z = stream->RealValue();
        break;
      default:
        if (stream->Code() >= kFirstKeywordCode) {
          stream->Requeue();
          return 0;
        }
        break;
    }
  }
}
