#pragma once
// Base class of every drawing entity. Entities live on the heap and are owned by the document or
// by the entity list of an outline, block or undo record; an owning list deletes them through
// this virtual destructor.

class Curve3D {
 public:
  Curve3D() = default;
  virtual ~Curve3D();

  // A new heap copy of this entity, of the entity's own class.
  virtual Curve3D* Copy();

 protected:
  Curve3D(const Curve3D&) = default;
  Curve3D& operator=(const Curve3D&) = default;
};
