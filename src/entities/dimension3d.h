#pragma once
// The linear dimension: two measured points (Spt, Ept), a dimension line set off from them and
// passing through the definition point, and an owned text that shows the measured length in
// decimal units or in feet and inches.
//
// A dimension may measure another entity (a line or an arc of an outline). It is then listed on
// that entity's associated dimensions, takes its measured points from the entity's ends and its
// length from the entity's Length. Either side may be destroyed first: the entity's list forgets
// a destroyed dimension, and a dimension whose entity was destroyed becomes unassociated.

#include <memory>

#include "entities/curve3d.h"
#include "entities/text3d.h"

class Arc3D;

// The text buffer of a dimension holds at most this many characters (with the terminator).
inline constexpr int kDimensionTextSize = 51;

class Dimension3D : public Curve3D {
 public:
  // An unassociated dimension with both points at the origin and an empty text.
  explicit Dimension3D(int colour = 0);
  // Measures first to second with the dimension line through defpt (null points are the origin).
  // The text is made in colour with a size of textPoints points. With obj the dimension is
  // associated with it (see SetObj). Recalculated as made.
  Dimension3D(const Point3D* first, const Point3D* second, const Point3D* defpt, int dimType,
              double textPoints, Curve3D* obj = nullptr, int colour = 0);
  // Deep copy: points, text, settings and the object handle. A copy is not associated with the
  // source's object (it is not listed there); it keeps the handle so that it can be bound again.
  // A null source gives a default dimension.
  explicit Dimension3D(const Dimension3D* src);
  Dimension3D(const Dimension3D& src);
  // A dimension's association is its own: it is never assigned.
  Dimension3D& operator=(const Dimension3D&) = delete;
  ~Dimension3D() override;

  // The number of live dimensions in the process.
  static int LiveCount();

  using Curve3D::Ept;
  using Curve3D::Length;
  using Curve3D::Spt;

  // ---- Overrides of the entity interface ---------------------------------------------------

  // The direction from Spt to Ept in degrees, 0 to under 360 (0 for a zero-length measure).
  double Angle() override;
  // Measured points, definition point and the text's box.
  void Calcbox() override;
  Curve3D* Copy() override;
  int GetNum() override;
  // Same kind and points, the same definition point and the same text.
  bool Ident(Curve3D* other) override;
  // Near the dimension line, an extension line or the text, within size / scale; else kNotNear.
  double IsNear(Point3D* p, double scale, double size) override;
  // The measured length: the associated entity's Length, else the distance Spt to Ept.
  double Length(int all) override;
  // Moving a measured point recalculates the dimension.
  Point3D* Spt(double x, double y, double z) override;
  Point3D* Ept(double x, double y, double z) override;
  // The transformations move every point and the text, then recalculate: an associated
  // dimension goes back onto its entity, keeping the offset of its dimension line.
  Curve3D* Translate(const Point3D* v, bool moveLocal) override;
  Curve3D* Rotate(const Point3D* centre, const Point3D* axis, double radians) override;
  Curve3D* Rotate_cs(const Point3D* centre, const Point3D* axis, double cs, double sn) override;
  Curve3D* Scale(const Point3D* centre, const Point3D* factors) override;
  Curve3D* Scale(const Point3D* centre, double s) override;
  Curve3D* Mirror(const Point3D* normal, double distance) override;

  // ---- Calculation -------------------------------------------------------------------------

  // CalcDefs(distance) and then CalcText(0, 0); the box is recomputed when both succeed.
  // 1 on success, else 0.
  int ReCalc(double distance);
  // Takes the measured points from the associated entity, the angle from them, and puts the
  // definition point on the dimension line. A non-zero distance is stored first. The line lies
  // at the stored distance (its magnitude) on the side of the definition point; with distance 0
  // it keeps passing through the definition point. 0 when the measured points coincide.
  int CalcDefs(double distance);
  // Sets the text content (associated and unlocked only) and places the text centred on the
  // dimension line, turned to read upright and set off by half its height. A height or width of
  // 0 is taken from the text's box; a centred text needs only the height. 0 when the dimension
  // has no text.
  int CalcText(double height, double width);

  // ---- Settings ----------------------------------------------------------------------------

  double Distance() const { return distance_; }
  // Stores the value and recalculates.
  double SetDistance(double d);
  bool IsTextLocked() const { return text_locked_ != 0; }
  // A locked text keeps its content whatever the measure; stores and recalculates.
  bool LockText(bool lock);
  // Unit code of the decimal text; stored only.
  int GetUnits() const { return units_; }
  int SetUnits(int units);
  bool FeetInchDisplay() const { return feet_inch_ != 0; }
  // Stored only.
  bool SetFeetInchDisplay(bool on);
  int DimType() const { return dim_type_; }
  int DimType(int type) { return dim_type_ = type; }

  // ---- Points ------------------------------------------------------------------------------

  const Point3D* Defpt() const { return &defpt_; }
  // Moves the definition point and recalculates: the side of the dimension line follows p.
  const Point3D* Defpt(const Point3D* p);
  // Where the text is centred.
  const Point3D* TextMidPoint() const { return &text_mid_; }

  // ---- The text (forwarded to the owned text, then placed again) ---------------------------

  Text3D* GetText() const { return text_.get(); }
  const char* Facename() const;
  const char* Facename(const char* name);
  double Pointsize() const;
  double Pointsize(double points);
  double XScale() const;
  double SetXScale(double scale, int mode);
  double XStretch() const;
  double SetXStretch(double stretch);

  // ---- Association -------------------------------------------------------------------------

  // The measured entity, or null (also once that entity has been destroyed).
  Curve3D* Obj();
  // Associates with obj: leaves the previous entity's list, joins obj's, takes obj's Id as the
  // handle and recalculates. Null dissociates and clears the handle; this dimension itself or
  // another dimension is never measured and dissociates too.
  Curve3D* SetObj(Curve3D* obj);
  // The associated entity's Id, kept to bind the entity again after loading (and by a copy);
  // 0 once the entity is gone.
  int ObjHandle();
  int ObjHandle(int handle) { return obj_handle_ = handle; }

  // Notices from the measured entity. Each tolerates being told what it already knows, so the
  // entity's list and this dimension may call each other. OnDissociated only forgets obj and
  // calls none of its operations: obj may be in the middle of being destroyed.
  void OnAssociated(Curve3D* obj);
  void OnDissociated(Curve3D* obj);
  void OnMeasuredChanged(Curve3D* obj);

 private:
  void InitDimension(int colour, double textPoints);
  // Forgets the entity without telling it.
  void ForgetObj();
  // The unit vector of the dimension line's side (left of Spt to Ept), in the plan.
  Point3D LeftNormal();
  // The signed offset of the definition point from the measured line, in the plan.
  double DefptOffset();
  // The arc the dimension measures, when it measures one with a usable radius.
  Arc3D* MeasuredArc();
  // After a transformation: a stored distance takes the new offset of the definition point, and
  // an associated dimension goes back onto its entity keeping that offset.
  void KeepOffsetAfterTransform();
  // The measure as text: decimal, or feet and inches.
  void SetTextContent();
  // The middle of the dimension line.
  Point3D TextCentre();
  // Recalculates; when that fails the box still follows the points.
  void Refresh();

  std::unique_ptr<Text3D> text_;
  Point3D defpt_;
  Point3D text_mid_;
  double angle_ = 0.0;
  int dim_type_ = 0;
  Curve3D* obj_ = nullptr;
  int obj_handle_ = 0;
  int units_ = 0;
  double distance_ = 0.0;
  unsigned char text_locked_ = 0;
  unsigned char feet_inch_ = 0;
  // Set while recalculating, so that entities listing each other cannot recurse.
  bool recalculating_ = false;
};
