#pragma once
// Matchers for entities, so a test states both ends of an entity at once:
//   EXPECT_THAT(line, EndsAre(0, 0, 10, 0));          // Spt (0, 0, 0), Ept (10, 0, 0), exactly
//   EXPECT_THAT(line, EndsNear(0, 0, 10, 0, 1e-12));  // within a tolerance
// Both take the ends to be in the plan (z 0).

#include <gmock/gmock.h>

#include <cmath>
#include <sstream>
#include <string>

#include "entities/curve3d.h"

// The entity's queries are not const; these helpers only read.
inline Curve3D& Readable(const Curve3D& e) {
  return const_cast<Curve3D&>(e);
}

// Failure messages state the ends, since gtest prints an entity as raw bytes.
inline std::string EndsText(const Curve3D& entity) {
  const Point3D& s = *Readable(entity).Spt();
  const Point3D& t = *Readable(entity).Ept();
  std::ostringstream os;
  os << "runs from (" << s.x << ", " << s.y << ", " << s.z << ") to (" << t.x << ", " << t.y << ", "
     << t.z << ")";
  return os.str();
}

MATCHER_P4(EndsAre, x1, y1, x2, y2,
           "runs exactly from (" + ::testing::PrintToString(x1) + ", " +
               ::testing::PrintToString(y1) + ", 0) to (" + ::testing::PrintToString(x2) + ", " +
               ::testing::PrintToString(y2) + ", 0)") {
  const Point3D& s = *Readable(arg).Spt();
  const Point3D& t = *Readable(arg).Ept();
  *result_listener << EndsText(arg);
  return s.x == x1 && s.y == y1 && s.z == 0.0 && t.x == x2 && t.y == y2 && t.z == 0.0;
}

// The same within tol on each coordinate, for rotated or scaled results.
MATCHER_P5(EndsNear, x1, y1, x2, y2, tol,
           "runs within " + ::testing::PrintToString(tol) + " from (" +
               ::testing::PrintToString(x1) + ", " + ::testing::PrintToString(y1) + ", 0) to (" +
               ::testing::PrintToString(x2) + ", " + ::testing::PrintToString(y2) + ", 0)") {
  const Point3D& s = *Readable(arg).Spt();
  const Point3D& t = *Readable(arg).Ept();
  *result_listener << EndsText(arg);
  const auto near = [&](double a, double b) { return std::abs(a - b) <= tol; };
  return near(s.x, x1) && near(s.y, y1) && near(s.z, 0.0) && near(t.x, x2) && near(t.y, y2) &&
         near(t.z, 0.0);
}
