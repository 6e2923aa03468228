#pragma once
// A roof edge (REdge3D): an outline side drawn as a line, with an edge line placed outside the
// outline at the "Overhang" of the segment's smart objects.

#include "entities/line3d.h"

class Multi3D;

class REdge3D : public Line3D {
 public:
  // Each forces line type 1 ("DASH") and thickness 1; the edge starts equal to the line.
  REdge3D();
  REdge3D(const Point3D* a, const Point3D* b, int colour, int lineType, int thickness);
  explicit REdge3D(Curve3D* c);
  explicit REdge3D(const REdge3D* src);
  REdge3D(const REdge3D& src);
  REdge3D& operator=(const REdge3D&) = delete;
  ~REdge3D() override;

  static int LiveCount();

  Curve3D* Copy() override;
  int GetNum() override;
  bool Connect(Curve3D* prev, Curve3D* next, Curve3D* outline) override;
  bool Ident(Curve3D* other) override;
  using Line3D::Set;
  Curve3D* Set(Curve3D* src) override;
  Curve3D* Translate(const Point3D* v, bool moveLocal) override;
  Curve3D* Rotate(const Point3D* centre, const Point3D* axis, double angle) override;
  Curve3D* Rotate_cs(const Point3D* centre, const Point3D* axis, double cs, double sn) override;
  Curve3D* Scale(const Point3D* centre, const Point3D* factors) override;
  Curve3D* Scale(const Point3D* centre, double s) override;
  Curve3D* Mirror(const Point3D* normal, double distance) override;

  // ---- Own operations, in slot order ----
  virtual Line3D* GetEdge();
  virtual void PrepEdge(Multi3D* owner);
  virtual void ResetEdge();
  virtual REdge3D* Set(REdge3D* src);
  virtual void SetupEdgeLine(Curve3D* prev, Curve3D* next, Multi3D* owner, double overhang);

  // "Overhang" of the smart objects (0 when absent).
  double Overhang();

 private:
  void MakeREdge(int edgeLinetype, int edgeThickness);
  void JoinPrev(Curve3D* prev, Multi3D* owner);
  void JoinNext(Curve3D* next, Multi3D* owner);

  Line3D* edge_ = nullptr;
  // Set by PrepEdge, cleared by ResetEdge (see Edge3D).
  bool prepared_ = false;
};
