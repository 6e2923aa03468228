#pragma once
// The straight segment from Spt to Ept: free lines, the sides of outlines, the base of roof edges
// and the measuring lines of dimensions. Lines are never filled.

#include "entities/curve3d.h"

class Edge3D;

class Line3D : public Curve3D {
 public:
  // Both points at the origin.
  explicit Line3D(int colour = 0, int lineType = 0, int thickness = 1, int fillColour = -1,
                  int fillPattern = -2);
  // Null points are the origin.
  Line3D(const Point3D* a, const Point3D* b, int colour = 0, int lineType = 0, int thickness = 1,
         int fillColour = -1, int fillPattern = -2);
  // The points are snapped.
  Line3D(double x1, double y1, double z1, double x2, double y2, double z2, int colour = 0,
         int lineType = 0, int thickness = 1, int fillColour = -1, int fillPattern = -2);
  // Whole-number coordinates. Without this form a literal 0 in the first two places would turn
  // into a null point and pick the point form above.
  Line3D(int x1, int y1, int z1, int x2, int y2, int z2, int colour = 0, int lineType = 0,
         int thickness = 1, int fillColour = -1, int fillPattern = -2)
      : Line3D(static_cast<double>(x1), static_cast<double>(y1), static_cast<double>(z1),
               static_cast<double>(x2), static_cast<double>(y2), static_cast<double>(z2), colour,
               lineType, thickness, fillColour, fillPattern) {}
  // Copy as Curve3D copies, then made a line; a null source gives a line at the origin.
  explicit Line3D(const Line3D* src);
  explicit Line3D(const Curve3D* src);
  Line3D(const Line3D& src);
  Line3D& operator=(const Line3D& src);
  // A copy of the pitched edge (ends, attributes, items) that is drawn like the edge's own line,
  // its base: colour, line type and thickness come from there. A null edge gives a line at the
  // origin.
  explicit Line3D(Edge3D* e);
  ~Line3D() override;

  using Curve3D::Area;
  using Curve3D::Count;
  using Curve3D::Length;
  using Curve3D::Set;

  // ---- Overrides of the entity interface ---------------------------------------------------

  double Area(const char* name, int all) override;
  double Area(int index, int all) override;
  // The plan direction in degrees, 0 to under 360.
  double Angle() override;
  // Moves this line's ends onto its neighbours' lines; see the .cpp.
  bool Connect(Curve3D* prev, Curve3D* next, Curve3D* outline) override;
  int Count(const char* name, int all) override;
  int Count(int index, int all) override;
  // Lines are never filled: any fill colour stores -1 and returns -1.
  int FillColour(int c) override;
  using Curve3D::FillColour;
  // Any pattern stores -2 (not filled) and returns -2.
  int FillPattern(int p) override;
  using Curve3D::FillPattern;
  Curve3D* Copy() override;
  // The number of live lines in the process.
  int GetNum() override;
  double IsNear(Point3D* p, double scale, double size) override;
  // The distance from p to the midpoint (written to out), without a tolerance test.
  double IsNearMidPt(Point3D* p, Point3D* out, double scale) override;
  // The nearer end within size / scale, written to out; a tie goes to Ept. index is not used.
  double IsNearVertex(Point3D* p, Point3D* out, int& index, double scale, double size) override;
  double Length(const char* name, int all) override;
  double Length(int index, int all) override;
  double Length(int all) override;
  double FlatLength(int all) override;
  // The part two collinear lines share, as a new line the caller owns; null when none.
  Line3D* OverlappedSegment(Curve3D* other, double scale, double size) override;
  double Pitch() override;
  // The deviation of p from the line (measured along the axis crossing the line most steeply)
  // when within size / scale, else the distance to an end within it, else kNotNear.
  double PtOnLine(Point3D* p, double scale, double size) override;
  double SetAngle(double a) override;
  double SetDepth(double d) override;
  double SetHeight(double h) override;
  double SetLength(double l) override;
  double SetWidth(double w) override;
  double SetPitch(double p) override;
  double XYangle() override;
  using Curve3D::XYangle;

  // ---- Operations lines add, in slot order -------------------------------------------------

  // Counter-clockwise angle in degrees, 0 to under 360, from this line's direction to other's.
  virtual double Angle(Line3D* other);
  // The same to the vector v.
  virtual double Angle(Point3D* v);
  // Distance from p to the infinite line; for a zero-length line, to Spt.
  virtual double Dist(Point3D* p);
  virtual Point3D* Mid_pt(Point3D* out);
  virtual double Norm();
  virtual double Norml1();
  virtual double Norm_squared();
  // 1 when the direction can be normalised, 0 when the line has no extent; the line is unchanged.
  virtual int Normalize();
  virtual Line3D* Set(const Point3D* a, const Point3D* b);
  virtual Line3D* Set(Line3D* src);

 private:
  void MakeLine();
};
