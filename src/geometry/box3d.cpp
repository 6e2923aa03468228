#include "geometry/box3d.h"

#include <algorithm>
#include <cmath>

#include "geometry/tolerance.h"

namespace {

// Pick distances arrive in screen units; d = size / scale converts them to world units. A zero
// scale has no world distance, so the caller gets "not found" instead of a division by zero.
bool WorldDistance(double scale, double size, double* d) {
  if (scale == 0.0) return false;
  *d = size / scale;
  return true;
}

// Inclusive test of one coordinate against [lo - d, hi + d].
bool WithinWidened(double v, double lo, double hi, double d) {
  return lo - d <= v && v <= hi + d;
}

}  // namespace

Box3D::Box3D(const Point3D* a, const Point3D* b) {
  if (a) minpt_ = *a;
  if (b) maxpt_ = *b;
}

Box3D::Box3D(const Point3D* p) {
  Set(p);
}

Box3D::Box3D(const Box3D* b) {
  if (b) *this = *b;
}

Box3D::Box3D(double left, double top, double right, double bottom)
    : minpt_(left, bottom, 0.0), maxpt_(right, top, 0.0) {}

Box3D* Box3D::Set(const Box3D* b) {
  if (!b) return this;
  // Copies first: b may be this box.
  const Point3D lo(b->minpt_);
  const Point3D hi(b->maxpt_);
  minpt_.set(&lo);
  maxpt_.set(&hi);
  return this;
}

Box3D* Box3D::Set(const Point3D* p) {
  if (!p) return this;
  const Point3D corner(*p);
  minpt_ = corner;
  maxpt_ = corner;
  return this;
}

Box3D* Box3D::Set(double x1, double y1, double z1, double x2, double y2, double z2) {
  minpt_.set(x1, y1, z1);
  maxpt_.set(x2, y2, z2);
  return this;
}

Box3D* Box3D::Zero() {
  minpt_.set_zero();
  maxpt_.set_zero();
  return this;
}

double Box3D::Width() const {
  return std::abs(maxpt_.x - minpt_.x);
}

double Box3D::Height() const {
  return std::abs(maxpt_.y - minpt_.y);
}

double Box3D::Depth() const {
  return std::abs(maxpt_.z - minpt_.z);
}

double Box3D::Size() const {
  return Width() + Height() + Depth();
}

Point3D* Box3D::Ctr(Point3D* out) const {
  if (!out) return nullptr;
  return out->set((minpt_.x + maxpt_.x) * 0.5, (minpt_.y + maxpt_.y) * 0.5,
                  (minpt_.z + maxpt_.z) * 0.5);
}

Box3D* Box3D::Ctr(const Point3D* c, double r) {
  if (!c) return this;
  const Point3D centre(*c);
  minpt_.set(centre.x - r, centre.y - r, centre.z - r);
  maxpt_.set(centre.x + r, centre.y + r, centre.z + r);
  return this;
}

// The transformations copy their point arguments first: callers may pass one of this box's own
// corners, which the first corner's update would otherwise change under the second.

Box3D* Box3D::Translate(const Point3D* v) {
  if (!v) return this;
  const Point3D by(*v);
  minpt_.add(&by);
  maxpt_.add(&by);
  return this;
}

Box3D* Box3D::Offset(double dx, double dy, double dz) {
  const Point3D by(dx, dy, dz);
  return Translate(&by);
}

Box3D* Box3D::Scale(const Point3D* c, double s) {
  if (!c) return this;
  const Point3D centre(*c);
  minpt_.scale(&centre, s);
  maxpt_.scale(&centre, s);
  return this;
}

Box3D* Box3D::Scale(const Point3D* c, const Point3D* f) {
  if (!c || !f) return this;
  const Point3D centre(*c);
  const Point3D factors(*f);
  minpt_.scale(&centre, &factors);
  maxpt_.scale(&centre, &factors);
  return this;
}

Box3D* Box3D::Rotate_cs(const Point3D* c, const Point3D* axis, double cs, double sn) {
  if (!c || !axis) return this;
  const Point3D centre(*c);
  const Point3D direction(*axis);
  // An axis that cannot be normalised leaves both corners unchanged.
  minpt_.rotate_cs(&centre, &direction, cs, sn);
  maxpt_.rotate_cs(&centre, &direction, cs, sn);
  return this;
}

Box3D* Box3D::Rotate(const Point3D* c, const Point3D* axis, double angle) {
  return Rotate_cs(c, axis, std::cos(angle), std::sin(angle));
}

Box3D* Box3D::Inflate(double d) {
  minpt_.set(minpt_.x - d, minpt_.y - d, minpt_.z - d);
  maxpt_.set(maxpt_.x + d, maxpt_.y + d, maxpt_.z + d);
  return this;
}

Box3D* Box3D::Mult(double s) {
  // Plain products: a multiplied box keeps its tiny coordinates.
  minpt_.x *= s;
  minpt_.y *= s;
  minpt_.z *= s;
  maxpt_.x *= s;
  maxpt_.y *= s;
  maxpt_.z *= s;
  return this;
}

Box3D* Box3D::Append(const Point3D* p) {
  if (!p) return this;
  const auto grow = [](double v, double& lo, double& hi) {
    if (v < lo) {
      lo = v;
    } else if (v > hi) {
      hi = v;
    }
  };
  grow(p->x, minpt_.x, maxpt_.x);
  grow(p->y, minpt_.y, maxpt_.y);
  grow(p->z, minpt_.z, maxpt_.z);
  return this;
}

Box3D* Box3D::Append(const Box3D* b) {
  if (!b) return this;
  // A box with both corners on the origin (in plan) is an empty box and adds nothing.
  const Point3D origin;
  if (b->minpt_.ident2D(&origin) && b->maxpt_.ident2D(&origin)) return this;
  return Union(this, b);
}

Box3D* Box3D::Union(const Box3D* a, const Box3D* b) {
  if (!a || !b) return this;
  // Computed before storing: a or b may be this box. Coordinates are taken as they are, without
  // snapping, and the corners keep their tags.
  const double lo_x = std::min(a->minpt_.x, b->minpt_.x);
  const double lo_y = std::min(a->minpt_.y, b->minpt_.y);
  const double lo_z = std::min(a->minpt_.z, b->minpt_.z);
  const double hi_x = std::max(a->maxpt_.x, b->maxpt_.x);
  const double hi_y = std::max(a->maxpt_.y, b->maxpt_.y);
  const double hi_z = std::max(a->maxpt_.z, b->maxpt_.z);
  minpt_.x = lo_x;
  minpt_.y = lo_y;
  minpt_.z = lo_z;
  maxpt_.x = hi_x;
  maxpt_.y = hi_y;
  maxpt_.z = hi_z;
  return this;
}

int Box3D::Overlap_tol(const Box3D* b, double tol) const {
  if (!b) return 0;
  return b->minpt_.x - tol <= maxpt_.x && minpt_.x - tol <= b->maxpt_.x &&
         b->minpt_.y - tol <= maxpt_.y && minpt_.y - tol <= b->maxpt_.y;
}

int Box3D::Overlap(const Box3D* b) const {
  return Overlap_tol(b, kIdentTolerance);
}

int Box3D::W_overlap(const Box3D* b, double tol) const {
  return Overlap_tol(b, tol + kIdentTolerance);
}

int Box3D::Pt_inside(const Point3D* p, double scale, double size) const {
  double d = 0.0;
  if (!p || !WorldDistance(scale, size, &d)) return 0;
  return WithinWidened(p->x, minpt_.x, maxpt_.x, d) && WithinWidened(p->y, minpt_.y, maxpt_.y, d);
}

int Box3D::Pt_inside(const Point3D* p) const {
  return Pt_inside(p, 1.0, 0.0);
}

int Box3D::Pt_inside(const Point3D* p, double scale) const {
  return Pt_inside(p, scale, 0.0);
}

int Box3D::Pt_nearedge(const Point3D* p, double scale, double size) const {
  double d = 0.0;
  if (!p || !WorldDistance(scale, size, &d)) return 0;
  const bool in_outer = WithinWidened(p->x, minpt_.x, maxpt_.x, d) &&
                        WithinWidened(p->y, minpt_.y, maxpt_.y, d) &&
                        WithinWidened(p->z, minpt_.z, maxpt_.z, d);
  // The inner box is this box narrowed by d, i.e. widened by -d.
  const bool in_inner =
      WithinWidened(p->x, minpt_.x, maxpt_.x, -d) && WithinWidened(p->y, minpt_.y, maxpt_.y, -d);
  return in_outer && !in_inner;
}

int Box3D::IsInside(const Box3D* b, double scale, double size) const {
  if (!b) return 0;
  return Pt_inside(&b->minpt_, scale, size) && Pt_inside(&b->maxpt_, scale, size);
}
