// Builds two closed outlines from arbitrary bytes and runs the outline geometry on them: the
// common-region walk both ways, the inside votes, the crossed-sides check and the corner counts.
// Nothing may crash, leak or loop, whatever the shapes (collinear, repeated or crossing corners).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "entities/arc3d.h"
#include "entities/line3d.h"
#include "entities/multi3d.h"

namespace {

constexpr size_t kMaxCorners = 12;
// Coordinates on a coarse grid so that shared corners, collinear sides and touching outlines
// turn up often.
constexpr double kGrid = 0.5;

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Empty() const { return pos_ >= size_; }
  uint8_t Next() { return pos_ < size_ ? data_[pos_++] : 0; }
  double Coordinate() { return static_cast<int8_t>(Next()) * kGrid; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

// A closed outline of 1 to kMaxCorners corners; a set low bit of a corner's flag byte makes the
// side that leaves it a half circle on its chord instead of a line.
std::unique_ptr<Multi3D> ReadOutline(ByteReader& in) {
  auto m = std::make_unique<Multi3D>();
  const size_t count = 1 + in.Next() % kMaxCorners;
  std::vector<Point3D> corners;
  std::vector<bool> arcs;
  for (size_t i = 0; i < count && !in.Empty(); ++i) {
    const uint8_t flags = in.Next();
    const double x = in.Coordinate();
    const double y = in.Coordinate();
    corners.emplace_back(x, y, 0.0);
    arcs.push_back((flags & 1) != 0);
  }
  for (size_t i = 0; i < corners.size(); ++i) {
    const Point3D& a = corners[i];
    const Point3D& b = corners[(i + 1) % corners.size()];
    Curve3D* side = nullptr;
    if (arcs[i] && !a.ident(&b)) {
      Point3D centre(a);
      centre.mid_pt(&b);
      side = new Arc3D(&centre, a.dist(&b) * 0.5, &a, &b, kArcCounterClockwise);
    } else {
      side = new Line3D(&a, &b);
    }
    m->Add(side);
  }
  return m;
}

void Exercise(Multi3D* a, Multi3D* b) {
  std::unique_ptr<Multi3D> common(a->IntersectMulti(b));
  if (common) {
    Point3D probe(common->Spt());
    (void)a->IsInside(&probe);
    (void)ValidatePolygon(common.get());
  }
  Point3D middle;
  b->Box(0, nullptr)->Ctr(&middle);
  (void)a->IsInside(&middle);
  (void)a->IsInsideEdge(&middle, true);
  (void)a->IsInside(static_cast<Curve3D*>(b), 1.0, 0.01);
  (void)a->Overlap(b, 1.0);
  (void)a->CornerCount(true);
  (void)a->CornerCount(false);
  (void)ValidatePolygon(a);
  std::vector<Point3D> scratch(2 * static_cast<size_t>(a->Nodes()) + 2);
  Line3D across(b->Spt(), &middle);
  (void)a->IntersectLine(&across, scratch.data(), static_cast<int>(scratch.size()), 0, 1);
  (void)a->IntersectLine(&across, scratch.data(), static_cast<int>(scratch.size()), 1, 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ByteReader in(data, size);
  std::unique_ptr<Multi3D> a = ReadOutline(in);
  std::unique_ptr<Multi3D> b = ReadOutline(in);
  Exercise(a.get(), b.get());
  Exercise(b.get(), a.get());
  return 0;
}
