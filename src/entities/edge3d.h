#pragma once
// A pitched edge (Edge3D): an outline side (its base) with a derived parallel line or
// concentric arc (its edge) placed from the "Width" of the segment's double-line smart object,
// and straight caps closing the double line where it cannot be mitred with a neighbour.

#include "entities/curve3d.h"

class Line3D;
class Multi3D;

class Edge3D : public Curve3D {
 public:
  // Empty: colour 0, line type 0, thickness 1, fill -1, -2; no parts.
  Edge3D();
  // Base and edge both new lines from a to b.
  Edge3D(const Point3D* a, const Point3D* b, int colour, int lineType, int thickness);
  // Base and edge copies of a line or open arc c; other kinds give no parts.
  explicit Edge3D(Curve3D* c);
  explicit Edge3D(const Edge3D* src);
  Edge3D(const Edge3D& src);
  Edge3D& operator=(const Edge3D&) = delete;
  ~Edge3D() override;

  static int LiveCount();

  // ---- Curve3D overrides: points, box, measures and nearness follow the base ----
  Curve3D* Copy() override;
  int GetNum() override;
  bool Connect(Curve3D* prev, Curve3D* next, Curve3D* outline) override;
  int Count(int all) override;
  using Curve3D::Count;
  void Calcbox() override;
  double Angle() override;
  double Length(int all) override;
  using Curve3D::Length;
  Point3D* Intersect2DSeg(Curve3D* other, Point3D* out) override;
  double IsNear(Point3D* p, double zoom, double size) override;
  double PtOnLine(Point3D* p, double zoom, double size) override;
  double IsNearMidPt(Point3D* p, Point3D* out, double zoom) override;
  double IsNearVertex(Point3D* p, Point3D* out, int& index, double zoom, double size) override;
  using Curve3D::Ept;
  using Curve3D::Spt;
  Point3D* Spt(double x, double y, double z) override;
  Point3D* Spt(const Point3D* p) override;
  Point3D* Ept(double x, double y, double z) override;
  Point3D* Ept(const Point3D* p) override;
  int Selected(int f) override;
  int IsSelected() override;
  bool Ident(Curve3D* other) override;
  Curve3D* Set(Curve3D* src) override;
  Curve3D* Translate(const Point3D* v, bool moveLocal) override;
  Curve3D* Rotate(const Point3D* centre, const Point3D* axis, double angle) override;
  Curve3D* Rotate_cs(const Point3D* centre, const Point3D* axis, double cs, double sn) override;
  Curve3D* Scale(const Point3D* centre, const Point3D* factors) override;
  Curve3D* Scale(const Point3D* centre, double s) override;
  Curve3D* Mirror(const Point3D* normal, double distance) override;

  // ---- Own operations, in slot order ----
  virtual Line3D* Cap1();
  virtual Line3D* Cap2();
  // Edge and base; each first takes the entity's GUID when that GUID is valid.
  virtual Curve3D* GetEdge();
  virtual Curve3D* GetBase();
  // Appends base, edge and the caps that exist to list (not owned by it); returns its count.
  virtual int GetSegs(Dblclist* list);
  // The edge lies outside unless "Show double line" is negative.
  virtual bool Out();
  virtual void PrepEdge(Multi3D* owner);
  virtual void PrepEdgeMidLine();
  virtual void ResetEdge();
  // True exactly when the segment carries no parapet wall (6113).
  virtual bool IsMidLineEdge();
  virtual int SelectAll();
  virtual int SelectBase();
  virtual int SelectEdge();
  virtual Edge3D* Set(Edge3D* src);
  // Take ownership of a new base or edge (the old one is destroyed).
  virtual Curve3D* SetBase(Curve3D* base);
  virtual Curve3D* SetEdge(Curve3D* edge);
  virtual void SetupEdgeArc(Curve3D* prev, Curve3D* next, Multi3D* owner, double width);
  virtual void SetupEdgeLine(Curve3D* prev, Curve3D* next, Multi3D* owner, double width);
  // The edge is shown unless "Show double line" is 0.
  virtual bool ShowEdge();

  // "Width" of the smart objects (0 when absent).
  double EdgeWidth();

 private:
  void MakeEdge();
  void CopyParts(const Edge3D& src);
  void DeleteParts();
  void DeleteCaps();
  // The placement that fits the segment's kind: one-sided for a parapet wall, else mid-line.
  void Prepare(Multi3D* owner);
  // Puts the base back on the outline side after a mid-line placement or a mitre moved it.
  void RestoreBase();
  // Whether the +90 side of a line base (or the outer side of an arc base) is inside owner.
  bool PlusSideInside(Multi3D* owner, double width);
  // Both edges placed, on the same side and of the same kind (one-sided or mid-line).
  bool JoinableWith(const Edge3D* other);
  // Mitres prev's end with this edge's start at one shared point; false when they cannot join.
  bool MitreWith(Edge3D* prev);
  void JoinStart(Curve3D* prev, Multi3D* owner);
  void JoinEnd(Curve3D* next, Multi3D* owner);
  // Moves the edge's (and a mid-line base's) start or end back off a former mitre.
  void Unmitre(bool atStart);
  void EnsureCap1();
  void EnsureCap2();
  void SetupEdge(Curve3D* prev, Curve3D* next, Multi3D* owner);

  Curve3D* base_ = nullptr;
  Curve3D* edge_ = nullptr;
  Line3D* cap1_ = nullptr;
  Line3D* cap2_ = nullptr;
  // Set by the placement, cleared by ResetEdge: a neighbour that is not yet placed is placed
  // before a joint is made with it.
  bool prepared_ = false;
  // The double line exists: width non-zero, shown, and the offset could be made.
  bool placed_ = false;
};
