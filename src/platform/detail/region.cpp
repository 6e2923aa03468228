#include "platform/detail/region.h"

#include <algorithm>
#include <clipper.hpp>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <utility>

namespace {

using Path = RegionShape::Path;
using PathList = std::vector<Path>;

// Products of two coordinate differences on doubled int32 coordinates need about 67 bits.
__extension__ typedef __int128 Wide;

ClipperLib::PolyFillType ToClipperFill(int fill_mode) {
  return fill_mode == WINDING ? ClipperLib::pftNonZero : ClipperLib::pftEvenOdd;
}

bool ToClipType(int mode, ClipperLib::ClipType* op) {
  switch (mode) {
    case RGN_AND:
      *op = ClipperLib::ctIntersection;
      return true;
    case RGN_OR:
      *op = ClipperLib::ctUnion;
      return true;
    case RGN_XOR:
      *op = ClipperLib::ctXor;
      return true;
    case RGN_DIFF:
      *op = ClipperLib::ctDifference;
      return true;
    default:
      return false;
  }
}

LONG Saturate(int64_t value) {
  constexpr int64_t kLow = std::numeric_limits<LONG>::min();
  constexpr int64_t kHigh = std::numeric_limits<LONG>::max();
  return static_cast<LONG>(std::clamp(value, kLow, kHigh));
}

// Twice the signed area of a closed path, exact.
Wide TwiceArea(const Path& path) {
  Wide sum = 0;
  const std::size_t n = path.size();
  for (std::size_t i = 0; i < n; ++i) {
    const POINT& a = path[i];
    const POINT& b = path[(i + 1) % n];
    sum += static_cast<Wide>(a.x) * b.y - static_cast<Wide>(b.x) * a.y;
  }
  return sum;
}

ClipperLib::Paths ToClipper(const PathList& paths) {
  ClipperLib::Paths out;
  out.reserve(paths.size());
  for (const Path& path : paths) {
    ClipperLib::Path converted;
    converted.reserve(path.size());
    for (const POINT& p : path)
      converted.emplace_back(p.x, p.y);
    out.push_back(std::move(converted));
  }
  return out;
}

// Clipper's output back on device coordinates, without any piece that encloses no area.
PathList FromClipper(const ClipperLib::Paths& solution) {
  PathList out;
  out.reserve(solution.size());
  for (const ClipperLib::Path& path : solution) {
    Path converted;
    converted.reserve(path.size());
    for (const ClipperLib::IntPoint& p : path) {
      converted.push_back(POINT{Saturate(p.X), Saturate(p.Y)});
    }
    if (converted.size() < 3 || TwiceArea(converted) == 0) continue;
    out.push_back(std::move(converted));
  }
  return out;
}

// Runs one Clipper operation; false (and *out untouched) when Clipper fails in any way.
bool Clip(ClipperLib::ClipType op, const PathList& subject, int subject_fill, const PathList* clip,
          int clip_fill, PathList* out) {
  try {
    ClipperLib::Clipper clipper;
    // AddPaths refuses paths without area; when nothing is left, Execute reports failure, but
    // the honest answer is the empty region.
    bool any = clipper.AddPaths(ToClipper(subject), ClipperLib::ptSubject, true);
    if (clip != nullptr) any = clipper.AddPaths(ToClipper(*clip), ClipperLib::ptClip, true) || any;
    if (!any) {
      out->clear();
      return true;
    }
    ClipperLib::Paths solution;
    if (!clipper.Execute(op, solution, ToClipperFill(subject_fill), ToClipperFill(clip_fill))) {
      return false;
    }
    PathList converted = FromClipper(solution);
    *out = std::move(converted);
    return true;
  } catch (...) {
    return false;
  }
}

constexpr RECT kNoBounds{std::numeric_limits<LONG>::max(), std::numeric_limits<LONG>::max(),
                         std::numeric_limits<LONG>::min(), std::numeric_limits<LONG>::min()};

void ExtendBounds(const Path& path, RECT* box) {
  for (const POINT& p : path) {
    box->left = std::min(box->left, p.x);
    box->top = std::min(box->top, p.y);
    box->right = std::max(box->right, p.x);
    box->bottom = std::max(box->bottom, p.y);
  }
}

// Bounding box of non-empty paths.
RECT Bounds(const PathList& paths) {
  RECT box = kNoBounds;
  for (const Path& path : paths)
    ExtendBounds(path, &box);
  return box;
}

// A simple path (Clipper's output) is its own bounding rectangle exactly when it encloses all of
// the box's area; this ignores any collinear points Clipper keeps along the sides.
bool IsAxisRectangle(const Path& path) {
  RECT box = kNoBounds;
  ExtendBounds(path, &box);
  const Wide box_area = static_cast<Wide>(static_cast<int64_t>(box.right) - box.left) *
                        (static_cast<int64_t>(box.bottom) - box.top);
  const Wide area = TwiceArea(path);
  return box_area > 0 && (area == 2 * box_area || area == -2 * box_area);
}

// Winding number of the pixel centre (x + 0.5, y + 0.5). On doubled coordinates the centre is odd
// and every vertex even, so the ray to +x never passes through a vertex. A centre lying exactly on
// a slanted edge counts as if nudged towards +x, so two regions sharing an edge never both hold it.
int64_t WindingAt(const PathList& paths, int x, int y) {
  const int64_t px = 2 * static_cast<int64_t>(x) + 1;
  const int64_t py = 2 * static_cast<int64_t>(y) + 1;
  int64_t winding = 0;
  for (const Path& path : paths) {
    const std::size_t n = path.size();
    for (std::size_t i = 0; i < n; ++i) {
      const int64_t ax = 2 * static_cast<int64_t>(path[i].x);
      const int64_t ay = 2 * static_cast<int64_t>(path[i].y);
      const int64_t bx = 2 * static_cast<int64_t>(path[(i + 1) % n].x);
      const int64_t by = 2 * static_cast<int64_t>(path[(i + 1) % n].y);
      const bool rising = ay < py && py < by;
      const bool falling = by < py && py < ay;
      if (!rising && !falling) continue;
      const Wide cross =
          static_cast<Wide>(bx - ax) * (py - ay) - static_cast<Wide>(px - ax) * (by - ay);
      if (rising && cross > 0) ++winding;
      if (falling && cross < 0) --winding;
    }
  }
  return winding;
}

// Moves every point; true when some coordinate had to be clamped to the int32 range.
bool OffsetPaths(PathList* paths, int dx, int dy) {
  bool clamped = false;
  for (Path& path : *paths) {
    for (POINT& p : path) {
      const int64_t x = static_cast<int64_t>(p.x) + dx;
      const int64_t y = static_cast<int64_t>(p.y) + dy;
      p.x = Saturate(x);
      p.y = Saturate(y);
      clamped = clamped || p.x != x || p.y != y;
    }
  }
  return clamped;
}

}  // namespace

RegionShape RegionShape::FromRect(int left, int top, int right, int bottom) {
  RegionShape region;
  if (left == right || top == bottom) return region;
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  try {
    region.paths_.push_back(Path{{left, top}, {right, top}, {right, bottom}, {left, bottom}});
  } catch (...) {
    return RegionShape();
  }
  return region;
}

RegionShape RegionShape::FromPolygon(const POINT* points, int count, int fill_mode) {
  RegionShape region;
  if (points == nullptr || count < 3) return region;
  try {
    region.paths_.emplace_back(points, points + count);
  } catch (...) {
    return RegionShape();
  }
  // An unknown fill mode falls back to the polygon default rather than failing.
  region.fill_mode_ = fill_mode == WINDING ? WINDING : ALTERNATE;
  region.normalised_ = false;
  return region;
}

int RegionShape::Combine(const RegionShape& a, const RegionShape& b, int mode) {
  if (mode == RGN_COPY) {
    if (&a == this) return Type();
    try {
      RegionShape copy(a);
      *this = std::move(copy);
    } catch (...) {
      return ERROR;
    }
    return Type();
  }
  ClipperLib::ClipType op;
  if (!ToClipType(mode, &op)) return ERROR;
  // Built aside first: a or b may be this region, and a failure must leave it as it was.
  PathList result;
  if (!Clip(op, a.paths_, a.fill_mode_, &b.paths_, b.fill_mode_, &result)) return ERROR;
  paths_ = std::move(result);
  fill_mode_ = ALTERNATE;
  normalised_ = true;
  normal_cache_.clear();
  cache_valid_ = false;
  return Type();
}

const std::vector<RegionShape::Path>* RegionShape::NormalPaths() const {
  if (normalised_) return &paths_;
  if (cache_valid_) return &normal_cache_;
  PathList result;
  if (!Clip(ClipperLib::ctUnion, paths_, fill_mode_, nullptr, fill_mode_, &result)) {
    return nullptr;
  }
  normal_cache_ = std::move(result);
  cache_valid_ = true;
  return &normal_cache_;
}

int RegionShape::Type() const {
  const PathList* normal = NormalPaths();
  if (normal == nullptr) return ERROR;
  if (normal->empty()) return NULLREGION;
  if (normal->size() == 1 && IsAxisRectangle(normal->front())) return SIMPLEREGION;
  return COMPLEXREGION;
}

int RegionShape::Box(RECT* box) const {
  if (box == nullptr) return ERROR;
  const PathList* normal = NormalPaths();
  if (normal == nullptr || normal->empty()) {
    *box = RECT{0, 0, 0, 0};
    return normal == nullptr ? ERROR : NULLREGION;
  }
  *box = Bounds(*normal);
  return Type();
}

bool RegionShape::Contains(int x, int y) const {
  const int64_t winding = WindingAt(paths_, x, y);
  return fill_mode_ == WINDING ? winding != 0 : winding % 2 != 0;
}

void RegionShape::Offset(int dx, int dy) {
  if (dx == 0 && dy == 0) return;
  if (OffsetPaths(&paths_, dx, dy)) {
    // Clamped points may have folded the outline: let Clipper tidy it again when asked.
    normalised_ = false;
    normal_cache_.clear();
    cache_valid_ = false;
    return;
  }
  if (cache_valid_ && OffsetPaths(&normal_cache_, dx, dy)) {
    normal_cache_.clear();
    cache_valid_ = false;
  }
}
