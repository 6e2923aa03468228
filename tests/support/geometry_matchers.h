#pragma once
// Matchers for points, so geometry tests read as "this point is (1, 2, 0)".
//   EXPECT_THAT(p, PointNear(1, 2, 0, 1e-12));
//   EXPECT_THAT(p, PointIs(0, 1, 0));   // exact, for snapped results

#include <gmock/gmock.h>

#include "support/printers.h"

#include <cmath>
#include <ostream>

#include "geometry/point3d.h"

MATCHER_P4(PointNear, ex, ey, ez, tol,
           "is within " + ::testing::PrintToString(tol) + " of (" + ::testing::PrintToString(ex) +
               ", " + ::testing::PrintToString(ey) + ", " + ::testing::PrintToString(ez) + ")") {
  const Point3D& p = arg;
  return std::abs(p.x - ex) <= tol && std::abs(p.y - ey) <= tol && std::abs(p.z - ez) <= tol;
}

MATCHER_P3(PointIs, ex, ey, ez,
           "is exactly (" + ::testing::PrintToString(ex) + ", " + ::testing::PrintToString(ey) +
               ", " + ::testing::PrintToString(ez) + ")") {
  const Point3D& p = arg;
  return p.x == ex && p.y == ey && p.z == ez;
}
