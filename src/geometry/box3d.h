#pragma once
// The axis-aligned extent box of entities, of the drawing and of screen regions. The box stores
// the corners it is given and never re-sorts them: a rotation or a negative scale can leave
// Minpt above Maxpt, which Append and Union do not repair.

#include "geometry/point3d.h"

class Box3D {
 public:
  Box3D() = default;
  // Corners copied unchanged; a null corner stays at the origin.
  Box3D(const Point3D* a, const Point3D* b);
  explicit Box3D(const Point3D* p);
  explicit Box3D(const Box3D* b);
  Box3D(const Box3D&) = default;
  Box3D& operator=(const Box3D&) = default;
  // Minpt = (left, bottom, 0), Maxpt = (right, top, 0), snapped.
  Box3D(double left, double top, double right, double bottom);

  Box3D* Set(const Box3D* b);
  Box3D* Set(const Point3D* p);
  Box3D* Set(double x1, double y1, double z1, double x2, double y2, double z2);
  Box3D* Zero();

  Point3D* Minpt() { return &minpt_; }
  Point3D* Maxpt() { return &maxpt_; }
  const Point3D* Minpt() const { return &minpt_; }
  const Point3D* Maxpt() const { return &maxpt_; }

  double Left() const { return minpt_.x; }
  double Right() const { return maxpt_.x; }
  double Bottom() const { return minpt_.y; }
  double Top() const { return maxpt_.y; }
  double Left(double v) { return minpt_.x = v; }
  double Right(double v) { return maxpt_.x = v; }
  double Bottom(double v) { return minpt_.y = v; }
  double Top(double v) { return maxpt_.y = v; }

  double Width() const;
  double Height() const;
  double Depth() const;
  double Size() const;
  // Stores the centre into out and returns out.
  Point3D* Ctr(Point3D* out) const;
  // Makes this the cube of half-size r around c.
  Box3D* Ctr(const Point3D* c, double r);

  Box3D* Translate(const Point3D* v);
  Box3D* Offset(double dx, double dy, double dz);
  Box3D* Scale(const Point3D* c, double s);
  Box3D* Scale(const Point3D* c, const Point3D* f);
  Box3D* Rotate_cs(const Point3D* c, const Point3D* axis, double cs, double sn);
  Box3D* Rotate(const Point3D* c, const Point3D* axis, double angle);
  Box3D* Inflate(double d);
  Box3D* Mult(double s);

  Box3D* Append(const Point3D* p);
  Box3D* Append(const Box3D* b);
  Box3D* Union(const Box3D* a, const Box3D* b);

  int Overlap_tol(const Box3D* b, double tol) const;
  int Overlap(const Box3D* b) const;
  int W_overlap(const Box3D* b, double tol) const;
  // size is in screen units and scale maps them to world units; a zero scale reports outside.
  int Pt_inside(const Point3D* p, double scale, double size) const;
  int Pt_inside(const Point3D* p) const;
  int Pt_inside(const Point3D* p, double scale) const;
  int Pt_nearedge(const Point3D* p, double scale, double size) const;
  int IsInside(const Box3D* b, double scale, double size) const;

 private:
  Point3D minpt_;
  Point3D maxpt_;
};
