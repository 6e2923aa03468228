#pragma once
// The outline entity: an ordered chain of segments (lines, open arcs, pitched edges, roof edges),
// open as a polyline or closed as a polygon. Closed outlines are what takeoff measures: roofs,
// openings and sections are outlines with smart objects attached.

#include "entities/curve3d.h"
#include "geometry/dblclist.h"

class Arc3D;
class Box3D;
class DblPlist;
class Insert3D;
class Line3D;

// Blocktype of an ordinary outline; blocks set other values.
inline constexpr int kOutlineBlocktype = 8;
// Sentinels of the attribute reads over selected segments.
inline constexpr int kNoSegmentSelected = -6;
inline constexpr int kSegmentsDiffer = -5;

class Multi3D : public Curve3D {
 public:
  // An empty outline; the default one is (2006, 0, 0, 1, -1, -2), named "MultiLine".
  explicit Multi3D(int type = kEntityPolyline, int colour = 0, int lineType = 0, int thickness = 1,
                   int fillColour = -1, int fillPattern = -2);
  // An outline with c as its only segment (taken); continuity = c's IsClosed.
  Multi3D(Curve3D* c, int fillColour, int fillPattern);
  // The closed rectangle around the insert's box, counter-clockwise from its lower-left corner
  // (an empty outline for a null insert): what a symbol's outline is measured by.
  Multi3D(Insert3D* insert, int colour, int lineType, int thickness, int fillColour,
          int fillPattern);
  // Deep copies: every segment copied with its own Copy.
  explicit Multi3D(const Multi3D* src);
  Multi3D(const Multi3D& src);
  Multi3D& operator=(const Multi3D&) = delete;  // Set(Multi3D*) copies into an outline
  ~Multi3D() override;

  // The number of live outlines in the process.
  static int LiveCount();

  // ---- Curve3D operations an outline answers through its segments ----
  Curve3D* Copy() override;
  void Zero() override;
  int GetNum() override;
  using Curve3D::Ept;
  using Curve3D::Spt;
  Point3D* Spt(double x, double y, double z) override;
  Point3D* Spt(const Point3D* p) override;
  Point3D* Ept(double x, double y, double z) override;
  Point3D* Ept(const Point3D* p) override;
  void Calcbox() override;
  bool IsClosed() override;
  int IsInside(Point3D* p) override;
  int IsInside(Curve3D* c, double zoom, double size) override;
  double IsNear(Point3D* p, double zoom, double size) override;
  double PtOnLine(Point3D* p, double zoom, double size) override;
  double IsNearMidPt(Point3D* p, Point3D* out, double zoom) override;
  double IsNearVertex(Point3D* p, Point3D* out, int& index, double zoom, double size) override;
  bool IsVertex(Point3D* p) override;
  bool Overlap(Curve3D* c, double zoom) override;
  // Plan area of a closed outline (0 when open), arc segments' circular segments added when
  // they bulge outward and subtracted when inward; always the whole outline.
  double Area(int all) override;
  // Perimeter: the segments' lengths (arc length for arcs, a pitched edge's base); with all 0
  // and some segments selected, only the selected ones.
  double Length(int all) override;
  using Curve3D::Area;
  using Curve3D::Length;
  double Angle() override;
  double Pitch() override;
  double SetPitch(double p) override;
  // The n-th segment (1-based) or null.
  Curve3D* Segment(int n) override;
  using Curve3D::Segment;
  Curve3D* NextSegment() override;
  void SegmentFlush() override;
  int Selected(int n) override;
  int GetColour() override;
  COLORREF Colour(int c) override;
  using Curve3D::Colour;
  int GetLinetype() override;
  int Linetype(int t) override;
  using Curve3D::Linetype;
  int Thickness(int t) override;
  int Thickness() override;
  int GetFillColour() override;
  int FillColour(int c) override;
  int FillColour() override;
  int FillPattern(int p) override;
  int FillPattern() override;
  const char* Name(const char* text) override;
  using Curve3D::Name;
  int Id(int start, int recurse) override;
  using Curve3D::Id;
  bool Ident(Curve3D* other) override;
  int State(int s) override;
  using Curve3D::State;
  int TFlag(int n) override;
  using Curve3D::TFlag;
  Curve3D* Set(Curve3D* src) override;
  Curve3D* Translate(const Point3D* v, bool moveLocal) override;
  Curve3D* Rotate(const Point3D* centre, const Point3D* axis, double angle) override;
  Curve3D* Rotate_cs(const Point3D* centre, const Point3D* axis, double cs, double sn) override;
  Curve3D* Scale(const Point3D* centre, const Point3D* factors) override;
  Curve3D* Scale(const Point3D* centre, double s) override;
  Curve3D* Mirror(const Point3D* normal, double distance) override;
  void ResetGlobalCoords(const Point3D* origin) override;

  // ---- Building and editing the chain (State(4), start, end and box kept current) ----
  // Appends s (taken; null ignored); returns Nodes.
  virtual int Add(Curve3D* s);
  // Appends a line from the end point to p unless p is ident with it; p's id goes to the line.
  virtual int Add(Point3D* p);
  // Inserts s at a list position; the new node or null.
  virtual Dblcitem* Insert(Curve3D* s, int position);
  // Detach one segment (the caller owns it); null when out of range or not a segment.
  virtual Curve3D* RemoveSegment(int n);
  virtual Curve3D* RemoveCurve(Curve3D* s);
  // Destroys the selected segments, keeping the chain joined; returns how many.
  virtual int Delete_Selected();
  // Copies src's attributes and Blocktype and appends copies of its segments.
  virtual Multi3D* Set(Multi3D* src);
  // Replaces the segments with copies of l's entities; returns Nodes.
  virtual int SetCurveList(Dblclist* l);
  // Closes a continuous open outline with a line back to the start; 1 when a line was added.
  virtual int Close();
  // Sets the continuity flag; returns the previous value.
  virtual int Connect(int flag);
  using Curve3D::Connect;
  int IsContinuous() const { return continuity_; }
  // Moves vertex k (numbering of GetVertices); returns 1 when moved, 0 for a bad k or null p.
  virtual int SetVertice(int k, Point3D* p, int flag);
  // Empties the chain (destroying segments when del is nonzero) and the openings; returns 0.
  virtual int Clear(int del);

  // ---- Segments and vertices ----
  virtual Dblcitem* SegmentItem(int n);
  virtual Curve3D* FirstSegment();
  virtual Curve3D* LastSegment();
  virtual Curve3D* PrevSegment();
  virtual Curve3D* GetNextCurve(Curve3D* s);
  virtual Curve3D* GetPrevCurve(Curve3D* s);
  virtual Curve3D* GetSegmentById(int id);
  virtual Curve3D* GetSegmentByGuid(const char* text);
  virtual Point3D* GetVertex(int k);
  // New point lists owned by the caller.
  virtual DblPlist* GetVertices(int flag);
  virtual DblPlist* GetFillVertices();
  virtual Dblclist* GetCurveList() { return &curves_; }
  // The i-th opening (1-based entry of the exclusion list), or null.
  virtual Curve3D* Opening(int i);

  // ---- Selection of segments ----
  virtual Curve3D* SelectSegment(int n);
  virtual Curve3D* SelectSegmentById(int id);
  virtual Curve3D* DeselectSegmentById(int id);
  virtual int SelectAll();
  virtual int IsSegmentSelected();
  virtual int AllSegmentSelected();
  virtual Curve3D* GetSelectedSegment();
  virtual Curve3D* SelectNextSegment(int restart);
  virtual Curve3D* SelectPrevSegment(int restart);
  virtual int Segments(int mark);
  virtual void FreezeSelected(bool f);
  virtual int HasOneLineStyle();
  virtual int HasOneLineColour();
  virtual int HasArcSegments();
  virtual int HasEllipticalArcSegments();
  virtual int HasEdgeSegments();
  virtual int HasSegmentDimensions();

  // ---- Locating ----
  virtual int PtOnSegment(Point3D* p, double zoom, double size);
  virtual int PtOnVertex(Point3D* p, double zoom, double size);
  virtual int PtOnOpening(Point3D* p, double zoom);

  // ---- Geometry ----
  virtual int IsInsideEdge(Point3D* p, bool useEdge);
  virtual int IsInside(Arc3D* a, double zoom, double size);
  virtual int IsInside(Multi3D* m, double zoom, double size);
  virtual int IntersectLine(Line3D* l, Point3D* out, int capacity, int perSegment, int sort);
  virtual int IntersectArc(Arc3D* a, Point3D* out, int capacity, int perSegment, int sort);
  // A new closed outline bounding the region common to this outline and m (caller owns), or
  // null.
  virtual Multi3D* IntersectMulti(Multi3D* m);
  virtual int CornerCount(bool which);
  virtual bool IsArcConvex(Arc3D* a);
  virtual int PurgeZeroLines();
  virtual bool RepairBrokenOutline();
  virtual int RecalcEdges();
  virtual int ResetEdges();

  int Nodes() const { return nodes_; }
  int Blocktype() const { return blocktype_; }
  int Blocktype(int b) { return blocktype_ = b; }
  int Valid() const { return valid_; }
  int Valid(int v) { return valid_ = v; }

 protected:
  // For the geometry file: the segment a test looks through to (edge substitution).
  static Curve3D* Substitute(Curve3D* segment);

 private:
  // Deep copies of src's segments and its chain fields (copy constructors).
  void CopySegmentsFrom(const Multi3D& src);
  // Start point from the first segment, end point from the last (nothing when empty).
  void RefreshEnds();
  // Unlinks the n-th node's segment without destroying it and keeps the chain fields current.
  Curve3D* DetachItem(Dblcitem* item, int n);
  // Before a selected segment is destroyed: joins its neighbours across the gap.
  void RejoinAround(Dblcitem* item, bool closed);
  // Appends a copy of s (nothing when the copy fails).
  void AddCopy(Curve3D* s);
  bool MoveVertex(int k, const Point3D& to);
  // "Length" and "Width" of the box-sized items follow the outline's box.
  void RefreshBoxSizedItems();
  // The neighbour of segment s; past an end only when wrap (and never s itself).
  Curve3D* NeighbourAfter(Curve3D* s, bool wrap);
  Curve3D* NeighbourBefore(Curve3D* s, bool wrap);
  Curve3D* StepSelection(int restart, bool forward);
  // Which of segments and outline a display-attribute write reaches.
  bool AppliesToSegment(Curve3D* s);
  bool AppliesToOutline();
  // Fill reads and writes act on the outline itself, not on its selected pitched edges.
  bool FillIsOwn();
  int CommonEdgeFill(bool pattern, int own);
  double OwnPitch();
  // Applies op to every segment, then refreshes start, end and box.
  template <typename Op>
  void TransformSegments(Op op);

  Dblclist curves_;
  int nodes_ = 0;
  int continuity_ = 0;
  int blocktype_ = kOutlineBlocktype;
  int valid_ = 1;
};

// 1 when no two non-adjacent sides of m cross (also for null, open or short outlines), else 0.
int ValidatePolygon(Multi3D* m);
// Rebuilds m as the closed rectangle of b from its lower-left corner up the left side; returns m.
Multi3D* BoxToMulti(Box3D* b, Multi3D* m);
