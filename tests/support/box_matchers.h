#pragma once
// A matcher for extent boxes, so a test states both corners at once:
//   EXPECT_THAT(box, BoxIs(0, 0, 0, 4, 5, 2));   // Minpt (0, 0, 0), Maxpt (4, 5, 2), exactly
// Exact on purpose: boxes are built from snapped or copied coordinates.

#include <gmock/gmock.h>

#include "support/printers.h"

#include <ostream>

#include "geometry/box3d.h"

MATCHER_P6(BoxIs, x1, y1, z1, x2, y2, z2,
           "has corners (" + ::testing::PrintToString(x1) + ", " + ::testing::PrintToString(y1) +
               ", " + ::testing::PrintToString(z1) + ")-(" + ::testing::PrintToString(x2) + ", " +
               ::testing::PrintToString(y2) + ", " + ::testing::PrintToString(z2) + ")") {
  const Point3D &lo = *arg.Minpt(), &hi = *arg.Maxpt();
  return lo.x == x1 && lo.y == y1 && lo.z == z1 && hi.x == x2 && hi.y == y2 && hi.z == z2;
}
