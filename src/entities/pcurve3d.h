#pragma once
// The freehand entity: an ordered list of node points joined by straight pieces and drawn as one
// polyline, without smoothing. The start point is the first node, the end point the last, and
// the extent box encloses every node.

#include "entities/curve3d.h"
#include "geometry/dblplist.h"

class PCurve3D : public Curve3D {
 public:
  // A curve without nodes, named "Curve"; both points at the origin.
  explicit PCurve3D(int colour = 0, int lineType = 0, int thickness = 1, int fillColour = -1,
                    int fillPattern = -2);
  // A curve whose only node is p, which is also its start and end point; a null p gives a curve
  // without nodes.
  explicit PCurve3D(const Point3D* p, int colour = 0, int lineType = 0, int thickness = 1,
                    int fillColour = -1, int fillPattern = -2);
  // Deep copies: the attributes as Curve3D copies them and every node. A null source gives a
  // curve without nodes.
  explicit PCurve3D(const PCurve3D* src);
  PCurve3D(const PCurve3D& src);
  // Assignment is Set.
  PCurve3D& operator=(const PCurve3D& src);
  ~PCurve3D() override;

  // The number of live point curves in the process.
  static int LiveCount();

  using Curve3D::Ept;
  using Curve3D::Length;
  using Curve3D::Set;
  using Curve3D::Spt;

  // ---- Overrides of the entity interface ---------------------------------------------------

  void Calcbox() override;
  Curve3D* Copy() override;
  // Moving an end also moves the first (last) node; the change is recorded as State(3).
  Point3D* Ept(double x, double y, double z) override;
  Point3D* Ept(const Point3D* p) override;
  int GetNum() override;
  // The base attributes agree and other is a point curve with as many nodes.
  bool Ident(Curve3D* other) override;
  // The distance to the nearest node when it is below size / zoom, else kNotNear.
  double IsNear(Point3D* p, double zoom, double size) override;
  // Spt when strictly nearer than Ept and within size / zoom, else Ept when within it, written
  // to out; kNotNear otherwise and for a curve without nodes. index is not used.
  double IsNearVertex(Point3D* p, Point3D* out, int& index, double zoom, double size) override;
  // The path length through the nodes; the arguments do not change it.
  double Length(int index, int all) override;
  double Length(int all) override;
  Curve3D* Mirror(const Point3D* normal, double distance) override;
  void ResetGlobalCoords(const Point3D* origin) override;
  Curve3D* Rotate(const Point3D* centre, const Point3D* axis, double angle) override;
  Curve3D* Rotate_cs(const Point3D* centre, const Point3D* axis, double cs, double sn) override;
  Curve3D* Scale(const Point3D* centre, const Point3D* factors) override;
  Curve3D* Scale(const Point3D* centre, double s) override;
  // A point curve source goes to Set(PCurve3D*); any other source gives its attributes only and
  // the nodes stay (the ends are kept on them).
  Curve3D* Set(Curve3D* src) override;
  Point3D* Spt(double x, double y, double z) override;
  Point3D* Spt(const Point3D* p) override;
  Curve3D* Translate(const Point3D* v, bool moveLocal) override;
  // Removes every node and makes the entity a fresh, unchanged point curve.
  void Zero() override;

  // ---- Operations point curves add ---------------------------------------------------------

  // Appends p (snapped) as the last node, which becomes the end point; the first node is also
  // the start point. Null is ignored. Records State(3); returns Nodes.
  virtual int Add(const Point3D* p);
  // Replaces the nodes with copies of src's and copies its attributes; records State(3).
  virtual PCurve3D* Set(PCurve3D* src);
  // The nodes, in drawing order; owned by the curve.
  virtual DblPlist* GetPointList();

  int Nodes() const { return nodes_.Num(); }

 private:
  // Every constructor ends here.
  void MakeCurve();
  void AppendNodesOf(const PCurve3D& src);
  // Start point on the first node, end point on the last (nothing for a curve without nodes).
  void RefreshEnds();
  // Applies op to every node's point.
  template <typename Op>
  void ForEachNode(Op op);

  DblPlist nodes_;
};
