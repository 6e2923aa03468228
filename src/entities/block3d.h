#pragma once
// A block definition (a symbol: a drain, a vent, a detail): a named group of member entities
// with a base point. It is an outline whose segment list holds the members, so it keeps the
// outline's counters, end points and box. Blocks are owned by the document's block table;
// inserts only point at them.

#include "entities/multi3d.h"
#include "geometry/point3d.h"

// Block names hold 100 characters (and the terminator).
inline constexpr int kBlockNameSize = 101;
// Blocktype of a template symbol: such blocks survive BlockTable::Cleanup.
inline constexpr int kTemplateBlocktype = 64;

class Block3D : public Multi3D {
 public:
  // An unnamed block at the origin with scale 1 and block type 0.
  Block3D();
  // name null: the empty name; base null: the origin.
  Block3D(const char* name, int blockType, int xScaled, double scale, const Point3D* base);
  // Deep copies: the members are copied with their own Copy, the block fields as they are. A
  // null source gives an unnamed block.
  explicit Block3D(const Block3D* src);
  Block3D(const Block3D& src);
  Block3D& operator=(const Block3D&) = delete;
  ~Block3D() override;

  // The number of live blocks in the process.
  static int LiveCount();

  // ---- Overrides of the entity interface ---------------------------------------------------
  Curve3D* Copy() override;
  int GetNum() override;
  // Copies an outline as Multi3D does, and the block fields when src is a block.
  Curve3D* Set(Curve3D* src) override;
  using Multi3D::Set;
  // Empties the block as Multi3D does and keeps it a block (kind and entity name).
  void Zero() override;

  // ---- Members ----
  // Appends e (taken) as Add(e, 0) does.
  int Add(Curve3D* e) override;
  // Appends e (taken; null, this block or a member already held is ignored). With adjust set, a
  // text member not aligned with code 5 is given code 5 at its insertion point moved to the
  // right edge of its box. The first member sets the start point and the box, later members
  // extend the box except inserts; the end point follows the last member. An insert of this
  // very block is refused (the caller keeps it). Returns Nodes().
  int Add(Curve3D* e, int adjust);
  using Multi3D::Add;
  // The number of members that are inserts.
  int InsertCount();

  // ---- Name ----
  // Sets the block name (cut to 100 characters; null empties it) and returns Name().
  const char* Name(const char* text) override;
  // The block name, or null when it is empty.
  const char* Name() const;
  // The block name as text (possibly empty, never null).
  const char* Blockname() const { return name_; }
  // The entity name "block" (index form of the base).
  using Multi3D::Name;

  // ---- Block fields ----
  Point3D* Base() { return &base_; }
  // Null sets the origin.
  Point3D* Base(const Point3D* p);
  double GetScale() const { return scale_; }
  // Values that are not finite are refused (the scale stays).
  double SetScale(double s);
  int XScaledSymbol() const { return xscaled_; }
  int XScaledSymbol(int flag) { return xscaled_ = flag; }
  int BlockFlag() const { return block_flag_; }
  int BlockFlag(int flag) { return block_flag_ = flag; }

  // ---- Reference count: the inserts that use the block ----
  int Count() const { return count_; }
  using Multi3D::Count;
  // Return the new count; it never goes below 0.
  int CountAdd();
  int CountMinus();

 private:
  void MakeBlock();
  void CopyBlockFields(const Block3D& src);

  char name_[kBlockNameSize] = {};
  Point3D base_;
  double scale_ = 1.0;
  int xscaled_ = 0;
  int block_flag_ = 0;
  int count_ = 0;
};
