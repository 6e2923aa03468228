#pragma once
// Every curved figure of a drawing: open circular arcs (also the curved sides of outlines), full
// circles, axis-aligned ellipses and chords (an arc closed by its straight chord). The kind is the
// type code; the name follows the kind.
//
// Besides the inherited end points an arc keeps a centre, two axis vectors (the radius is the
// length of Major) and a direction flag. Angles are plan directions in degrees, counter-clockwise
// from +x; whatever the direction flag, the arc covers StartAngle counter-clockwise to EndAngle.

#include "entities/curve3d.h"

class DblPlist;
class Edge3D;
class Line3D;

// The direction flag: the arc runs counter-clockwise or clockwise from Spt to Ept.
inline constexpr int kArcCounterClockwise = 0;
inline constexpr int kArcClockwise = 1;

class Arc3D : public Curve3D {
 public:
  // An empty figure of the kind: centre, axes and ends at the origin, counter-clockwise.
  explicit Arc3D(int type = kEntityArc, int colour = 0, int lineType = 0, int thickness = 1,
                 int fillColour = -1, int fillPattern = -2);
  // Attributes copied from c (which may be null), empty geometry of the given kind.
  Arc3D(const Curve3D* c, int type);
  // A circle of radius r about c; both ends at (c.x + r, c.y, c.z).
  Arc3D(const Point3D* c, double r, int colour = 0, int lineType = 0, int thickness = 1,
        int fillColour = -1, int fillPattern = -2);
  // The ellipse filling the axis-parallel rectangle with corners a and b.
  Arc3D(const Point3D* a, const Point3D* b, int colour = 0, int lineType = 0, int thickness = 1,
        int fillColour = -1, int fillPattern = -2);
  // An open arc from s to e about c, never filled.
  Arc3D(const Point3D* c, double r, const Point3D* s, const Point3D* e, int dir, int colour = 0,
        int lineType = 0, int thickness = 1);
  // A chord: the arc from s to e about c closed by its chord.
  Arc3D(int dir, const Point3D* c, double r, const Point3D* s, const Point3D* e, int colour = 0,
        int lineType = 0, int thickness = 1, int fillColour = -1, int fillPattern = -2);
  // Full copy including the name; a null source gives an empty arc.
  explicit Arc3D(const Arc3D* src);
  // An open arc copied from the curved base of a pitched edge: its attributes, centre, ends,
  // axes, direction and name. A null edge, or one whose base is not an arc, gives an empty arc.
  explicit Arc3D(Edge3D* e);
  Arc3D(const Arc3D& src);
  Arc3D& operator=(const Arc3D& src);
  ~Arc3D() override;

  using Curve3D::Area;
  using Curve3D::Ept;
  using Curve3D::Length;
  using Curve3D::Scale;
  using Curve3D::Set;
  using Curve3D::Spt;

  // ---- Overrides of the entity interface ---------------------------------------------------

  // π·|Major|·|Minor| for a full figure; the sector or segment of an open one (see the .cpp).
  double Area(int mode) override;
  // The sweep, counter-clockwise from StartAngle to EndAngle, 0 to under 360.
  double Angle() override;
  void Calcbox() override;
  Curve3D* Copy() override;
  // Ends kept as they are; centre and axes follow when ends move through Spt(p) / Ept(p).
  Point3D* Ept(const Point3D* p) override;
  int GetNum() override;
  // The same kind, centre, axes, direction and ends within kIdentTolerance.
  bool Ident(Curve3D* other) override;
  // A chord always; any other kind when its ends are the same point.
  bool IsClosed() override;
  int IsInside(Curve3D* c, double scale, double size) override;
  int IsInside(Point3D* p) override;
  int IsInsideEx(Point3D* p) override;
  double IsNear(Point3D* p, double scale, double size) override;
  // The distance to the centre, written to out, without a tolerance test.
  double IsNearMidPt(Point3D* p, Point3D* out, double scale) override;
  double IsNearVertex(Point3D* p, Point3D* out, int& index, double scale, double size) override;
  double Length(int allKinds) override;
  // Mirrors centre and ends and turns the direction round.
  Curve3D* Mirror(const Point3D* normal, double distance) override;
  // The part two arcs of the same ellipse share, as a new arc the caller owns; null when none.
  Curve3D* OverlappedSegment(Curve3D* other, double scale, double size) override;
  double PtOnLine(Point3D* p, double scale, double size) override;
  Curve3D* Rotate_cs(const Point3D* centre, const Point3D* axis, double cs, double sn) override;
  Curve3D* Scale(const Point3D* centre, const Point3D* factors) override;
  Curve3D* Scale(const Point3D* centre, double s) override;
  // Copies the arc fields too when src is an arc.
  Curve3D* Set(Curve3D* src) override;
  double SetAngle(double a) override;
  double SetDepth(double d) override;
  double SetHeight(double h) override;
  double SetLength(double l) override;
  double SetWidth(double w) override;
  Point3D* Spt(const Point3D* p) override;
  Curve3D* Translate(const Point3D* v, bool moveLocal) override;
  void Zero() override;

  // ---- Operations arcs add, in slot order --------------------------------------------------

  virtual Point3D* Ctr();
  virtual Point3D* Ctr(const Point3D* p);
  virtual Point3D* Major();
  // Stores v with components below kSnapTolerance made 0.
  virtual Point3D* Major(const Point3D* v);
  virtual Point3D* Minor();
  virtual Point3D* Minor(const Point3D* v);
  // The length of Major.
  virtual double Radius();
  // Sets both axis lengths and moves the ends onto the new circle.
  virtual double Radius(double r);
  virtual int AngDir();
  virtual int AngDir(int d);
  virtual double StartAngle();
  virtual double EndAngle();
  // 1 when the axis lengths' ratio lies strictly between 0.9 and 1.1.
  virtual int IsCircular();
  // The height of the arc above its chord; 0 when the chord is longer than the diameter.
  virtual double GetChordDist();
  virtual Arc3D* Set(const Point3D* c, double r, const Point3D* s, const Point3D* e, int dir);
  virtual Arc3D* Set(Arc3D* src);
  // Move one end only; the centre and axes stay.
  virtual Point3D* SetSpt(const Point3D* p);
  virtual Point3D* SetEpt(const Point3D* p);
  // The constructions: each returns this arc, or null when impossible (nothing then changes,
  // except the chord shortening of CalcArc_Radius).
  virtual Arc3D* CalcArc_3Pt(const Point3D* p);
  virtual Arc3D* CalcArc_ChordDist(double h);
  virtual Arc3D* CalcArc_SweepAngle(double angle);
  virtual Arc3D* CalcArc_Radius(double r);
  // Arc length between two points on the arc; -1 when either is off it.
  virtual double SegmentLength(Point3D* a, Point3D* b);
  // Points where segment l meets this arc (0, 1 or 2); absent outputs are zeroed.
  virtual int IntersectLine(Line3D* l, Point3D* p1, Point3D* p2);
  // The same with l extended at both ends by the radius.
  virtual int IntersectLineEx(Line3D* l, Point3D* p1, Point3D* p2);
  // Points where two circular arcs meet, in this arc's running order.
  virtual int IntersectArc(Arc3D* a, Point3D* p1, Point3D* p2);
  // Appends cubic Bezier control points (four per piece of at most a quarter turn) to out.
  virtual bool GetBezierPoints(DblPlist* out);

 private:
  void MakeArc(int type);
  void CopyArcFields(const Arc3D& src);
  // The direction of p seen from the centre, counter-clockwise from StartAngle, 0 to under 360.
  double AngleFromStart(const Point3D* p);
  // True when the ends are the same point: a full circle or ellipse (a chord's ends differ).
  bool IsFullFigure();
  bool IsOnBothArcs(Arc3D* other, const Point3D* p);
  // Places the bulge point h from the chord midpoint on the AngDir side and builds through it.
  Arc3D* BuildFromChordHeight(double h);

  Point3D ctr_;
  Point3D major_;
  Point3D minor_;
  int ang_dir_ = kArcCounterClockwise;
};
