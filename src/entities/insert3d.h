#pragma once
// A placed symbol: a block of the block table put at an insertion point (Spt) with scale
// factors, a rotation and mirroring. The insert keeps its own transformed copy of the block's
// members, which painting, locating and the box use.
//
// The transform takes the block's base point to the insertion point, then (for x-scaled
// symbols) scales by the block's scale over the divisor, scales by the factors, mirrors (bit 1
// top to bottom, bit 2 left to right) and rotates, each about the insertion point.
//
// The block is never owned: it belongs to the block table and must outlive its inserts.

#include <memory>

#include "entities/block3d.h"
#include "entities/curve3d.h"

// Bits of Mirrored.
inline constexpr int kMirrorTopToBottom = 1;
inline constexpr int kMirrorLeftToRight = 2;

class Insert3D : public Curve3D {
 public:
  // An insert at the origin without a block: factors (1, 1, 1), angle 0, divisor 1.
  Insert3D();
  // An insert of block (may be null) at at (null: the origin); angle in degrees. A divisor of 0
  // or below (or not finite) is taken as 1.
  Insert3D(const Point3D* at, Block3D* block, double divisor, double angle, int colour = 0,
           int lineType = 0, int thickness = 1, int fillColour = -1, int fillPattern = -2);
  // Deep copies: the block pointer is shared, the transformed block copied. A null source gives
  // an insert without a block.
  explicit Insert3D(const Insert3D* src);
  Insert3D(const Insert3D& src);
  Insert3D& operator=(const Insert3D&) = delete;
  ~Insert3D() override;

  // The number of live inserts in the process.
  static int LiveCount();

  // ---- Overrides of the entity interface ---------------------------------------------------
  Curve3D* Copy() override;
  int GetNum() override;
  // Copies the entity as the base does and, when src is an insert, its block binding and
  // transform.
  Curve3D* Set(Curve3D* src) override;
  // The box of the transformed block (the insertion point alone without members).
  void Calcbox() override;
  // Same kind and block name (ignoring case), same insertion point and transformed members.
  bool Ident(Curve3D* other) override;
  // Inside the box of the transformed block.
  int IsInside(Point3D* p) override;
  using Curve3D::IsInside;
  double IsNear(Point3D* p, double zoom, double size) override;
  double IsNearMidPt(Point3D* p, Point3D* out, double zoom) override;
  double IsNearVertex(Point3D* p, Point3D* out, int& index, double zoom, double size) override;
  // The rotation in degrees, 0 to under 360.
  double Angle() override;
  // Stores a in [0, 360) and re-runs the transform; a value that is not finite is refused.
  double SetAngle(double a) override;
  // Each moves the insertion point, changes the factors, angle or mirror bits to match, and
  // re-runs the transform.
  Curve3D* Translate(const Point3D* v, bool moveLocal) override;
  Curve3D* Rotate(const Point3D* centre, const Point3D* axis, double angle) override;
  Curve3D* Rotate_cs(const Point3D* centre, const Point3D* axis, double cs, double sn) override;
  // Zero or non-finite factors are refused (nothing changes).
  Curve3D* Scale(const Point3D* centre, const Point3D* factors) override;
  Curve3D* Scale(const Point3D* centre, double s) override;
  Curve3D* Mirror(const Point3D* normal, double distance) override;

  // ---- Block ----
  // Binds the block, copies its name and valid GUID, and rebuilds the transformed block with the
  // stored divisor. Null unbinds and keeps the name copy. Returns the block.
  Block3D* SetBlock(Block3D* block);
  // Stores the divisor (refused when 0 or below or not finite) and the second symbol setting,
  // then binds the block as SetBlock does.
  Block3D* SetData(Block3D* block, double divisor, double second);
  // Rebuilds the transformed block; 1, or 0 without a block.
  int SetupTBlock();
  // Fills target with copies of the block's members under this insert's transform, using
  // divisor for x-scaled symbols. 0 (target emptied) without a block, for a null target, for the
  // block itself as target, and for a block that is already being set up further out (a symbol
  // that contains itself).
  int SetupBlock(Block3D* target, double divisor);
  Block3D* GetBlock() const { return block_; }
  // The block name copied when the block was set (empty without one, never null).
  const char* Blockname() const;
  // Replaces the copy without binding: a record being read names its block before the block
  // is bound by name. Null empties it.
  const char* Blockname(const char* name);
  // The transformed block.
  Block3D* GetTBlock() { return &tblock_; }

  // ---- Transform ----
  const Point3D* GetScale() const { return &factors_; }
  // New factors; 1, or 0 (refused) for null or a zero or non-finite factor.
  int SetScale(const Point3D* factors);
  int Mirrored() const { return mirrored_; }
  // Keeps bits 1 and 2; re-runs the transform.
  int Mirrored(int bits);
  // The symbol scale divisor.
  double GetXScale() const { return divisor_; }
  // A new divisor (refused when 0 or below or not finite); re-runs the transform for x-scaled
  // symbols. Returns the divisor in use.
  double SetXScale(double divisor);
  double SecondSetting() const { return second_; }
  // Stored for painting.
  double XStretch() const { return xstretch_; }
  double SetXStretch(double stretch);
  // Scales only the insertion point about centre (x-scaled symbols keep their size when the
  // drawing is rescaled), then re-runs the transform.
  Curve3D* ScaleSpt(const Point3D* centre, double s);

  // ---- Block flag of the block in use (0 without a block) ----
  int Blockflag() const;
  int Blockflag(int flag);

 private:
  void MakeInsert();
  void CopyInsertFields(const Insert3D& src);
  // Rebuilds the transformed block and the box.
  void Refresh();

  Block3D* block_ = nullptr;
  std::unique_ptr<char[]> blockname_;
  Point3D factors_{1.0, 1.0, 1.0};
  double angle_ = 0.0;
  int mirrored_ = 0;
  double divisor_ = 1.0;
  double second_ = 0.0;
  double xstretch_ = 1.0;
  Block3D tblock_;
};
