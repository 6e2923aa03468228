#pragma once
// The geometry of a GDI region: polygons on device integer coordinates with a fill rule. Boolean
// operations run on the polygons (Clipper), never on pixels. A device pixel (x, y) belongs to the
// region when its centre (x + 0.5, y + 0.5) is inside under the fill rule, which gives GDI's
// convention that a rectangle region holds its left and top edges but not its right and bottom.

#include <vector>

#include "platform/win32.h"

class RegionShape {
 public:
  using Path = std::vector<POINT>;

  RegionShape() = default;  // the empty region

  // The rectangle; corners given in any order are normalised; empty when it has no area.
  static RegionShape FromRect(int left, int top, int right, int bottom);
  // The polygon of the points with ALTERNATE (even-odd) or WINDING (non-zero) filling; fewer
  // than three points or a null array make the empty region.
  static RegionShape FromPolygon(const POINT* points, int count, int fill_mode);

  // Replaces this region with a op b (RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY = a) and
  // returns the result's type, or ERROR (this region unchanged) for an unknown mode.
  // a or b may be this region itself.
  int Combine(const RegionShape& a, const RegionShape& b, int mode);

  // NULLREGION when it covers no area, SIMPLEREGION when it is one axis-aligned rectangle,
  // COMPLEXREGION otherwise.
  int Type() const;
  // The bounding box of the area (all zero when empty); returns Type().
  int Box(RECT* box) const;
  // Whether device pixel (x, y) belongs to the region (see above).
  bool Contains(int x, int y) const;
  void Offset(int dx, int dy);

  // What painting and clipping fill: the paths under FillMode() (ALTERNATE or WINDING). For a
  // region made from a polygon these are its points as given, so painting costs no clipping.
  const std::vector<Path>& Paths() const { return paths_; }
  int FillMode() const { return fill_mode_; }

 private:
  std::vector<Path> paths_;
  int fill_mode_ = ALTERNATE;
  // Paths known to be Clipper's own output: simple, non-overlapping, no zero-area pieces.
  bool normalised_ = true;
  // Clipper's form of paths_ for a region that is not normalised, built on first need so that a
  // polygon region stays cheap to create and paint.
  mutable std::vector<Path> normal_cache_;
  mutable bool cache_valid_ = false;

  // The normalised paths (paths_ itself or the cache); null when Clipper could not build them.
  const std::vector<Path>* NormalPaths() const;
};
