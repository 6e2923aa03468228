#pragma once
// How GoogleTest prints the engine's value types in failure messages. Every test file sees this
// header (the test build includes it first), so one type is printed the same way everywhere and
// no two files instantiate different printers for it.

#include <ostream>

#include "geometry/box3d.h"
#include "geometry/point3d.h"

inline void PrintTo(const Point3D& p, std::ostream* os) {
  *os << "(" << p.x << ", " << p.y << ", " << p.z << ") id " << p.Id();
}

inline void PrintTo(const Box3D& b, std::ostream* os) {
  const Point3D &lo = *b.Minpt(), &hi = *b.Maxpt();
  *os << "(" << lo.x << ", " << lo.y << ", " << lo.z << ")-(" << hi.x << ", " << hi.y << ", "
      << hi.z << ")";
}
