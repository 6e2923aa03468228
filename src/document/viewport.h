#pragma once
// The mapping of a document to its view window. Only what the document needs to own it is here
// so far; scale, scrolling and the coordinate conversions fill it in with the viewport's work.

class Viewport {
 public:
  Viewport() = default;
  ~Viewport() = default;
  Viewport(const Viewport&) = delete;
  Viewport& operator=(const Viewport&) = delete;
};
