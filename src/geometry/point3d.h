#pragma once
// The one value type for positions and direction vectors. Arithmetic works in place on the point
// it is called on and returns that point so calls can be chained; results are snapped so that
// round-off near zero does not leave coordinates like 1e-17 behind.
//
// Point arguments are pointers and may be null: an in-place operation then changes nothing and
// returns this, a query returns 0.

// Radians per degree as the drawings were always measured: this rounded value, not pi/180 to full
// precision, so that directions computed here match the ones stored in existing drawings.
class DXFGroup;

inline constexpr double kRadiansPerDegreeAsStored = 0.0174532925199433;

// Plan directions are degrees counter-clockwise from +x, 0 to under a full turn.
inline constexpr double kQuarterTurnDegrees = 90.0;
inline constexpr double kHalfTurnDegrees = 180.0;
inline constexpr double kThreeQuarterTurnDegrees = 270.0;
inline constexpr double kFullTurnDegrees = 360.0;

class Point3D {
 public:
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;

  Point3D() = default;
  Point3D(double px, double py, double pz);
  Point3D(double px, double py);
  // Copies all four fields unchanged; null gives the origin.
  explicit Point3D(const Point3D* p);
  Point3D(const Point3D&) = default;
  Point3D& operator=(const Point3D&) = default;

  // Setters snap and keep the tag; set(p) takes p's tag too.
  Point3D* set(double px, double py, double pz);
  Point3D* set(double px, double py);
  Point3D* set(const Point3D* p);
  Point3D* set_zero();

  // The getters carry the set_ names; the one-argument forms store unchanged (no snapping) and
  // return the stored value.
  double set_x() const { return x; }
  double set_y() const { return y; }
  double set_z() const { return z; }
  double set_x(double v) { return x = v; }
  double set_y(double v) { return y = v; }
  double set_z(double v) { return z = v; }

  int Id() const { return id_; }
  int Id(int n) { return id_ = n; }

  // Exact comparison of the coordinates; the tag is ignored.
  static bool op_Equality(const Point3D& a, const Point3D& b);
  bool operator==(const Point3D& other) const { return op_Equality(*this, other); }

  // In-place arithmetic; every result is snapped.
  Point3D* add(const Point3D* v);
  Point3D* translate(const Point3D* v);
  Point3D* sub(const Point3D* v);
  Point3D* addt(const Point3D* v, double t);
  Point3D* addw(double w1, const Point3D* v, double w2);
  Point3D* addc(const Point3D* a, double s, const Point3D* b, double t);
  Point3D* addu(const Point3D* v, double u);
  Point3D* mult(double s);
  Point3D* mult(const Point3D* v);
  Point3D* mid_pt(const Point3D* p);
  Point3D* cross(const Point3D* v);
  Point3D* mirror(const Point3D* n, double d);
  Point3D* scale(const Point3D* c, double s);
  Point3D* scale(const Point3D* c, const Point3D* f);
  Point3D* normal(const Point3D* v);

  // Not snapped.
  Point3D* negate();
  double dot(const Point3D* v) const;
  double triple_prod(const Point3D* a, const Point3D* b) const;
  double norm() const;
  double norm_squared() const;
  double norml1() const;
  double dist(const Point3D* p) const;
  double distl1(const Point3D* p) const;
  int ident(const Point3D* p) const;
  int ident2D(const Point3D* p) const;
  int is_small() const;
  double area3pt(const Point3D* p1, const Point3D* p2) const;
  int Between(const Point3D* a, const Point3D* b) const;
  double xyangle() const;
  double xyangle(const Point3D* p) const;
  double angle(const Point3D* v) const;
  int is_vecs_parallel(const Point3D* v, double tol) const;
  int is_vecs_parallel(const Point3D* v) const;

  // Divides by the L1 norm (not the Euclidean length); 0 when the vector is too small.
  int normalize();
  // Rotation about the line through c along axis; null when the axis cannot be normalised.
  Point3D* rotate_cs(const Point3D* c, const Point3D* axis, double cs, double sn);
  Point3D* rotate(const Point3D* c, const Point3D* axis, double angle);
  Point3D* rotate_vec_cs(const Point3D* axis, double cs, double sn);
  Point3D* rotate_vec(const Point3D* axis, double angle);

  // A VERTEX record on the layer "0" with the coordinates as they are. Returns the first
  // non-zero stream result, else 0.
  int save(DXFGroup* stream) const;
  // The exchange export: the coordinates in inches (drawings are in feet) and the layer name
  // made acceptable to the exchange format; "0" without a name.
  int tpsave(DXFGroup* stream, const char* layer) const;
  int tpsave(DXFGroup* stream) const;
  // Reads the groups of a VERTEX record: 5 tag, 10/20/30 coordinates. A structure or entity
  // keyword (code 1500 or more) is pushed back and ends the vertex with 0; any other result of
  // the stream is returned.
  int AddToken(DXFGroup* stream);

 private:
  // The single way results are written back: each coordinate is snapped on the way in.
  Point3D* StoreSnapped(double px, double py, double pz);
  // Rodrigues' rotation of this vector about the unit-L1 axis u, then moved by offset.
  Point3D* RotateAbout(const Point3D& u, const Point3D& offset, double cs, double sn);

  int id_ = 0;
};
