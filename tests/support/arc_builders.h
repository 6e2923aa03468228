#pragma once
// Builders for arc tests, so a test reads as the figure it checks:
//   Arc3D quarter = MakeArcDeg(0, 0, 10, 0, 90, kArcCounterClockwise);  // (10,0) to (0,10)

#include <gmock/gmock.h>

#include <cmath>

#include "entities/arc3d.h"

// The plan point at distance r from (cx, cy) in the direction given in degrees.
inline Point3D PointOnCircle(double cx, double cy, double r, double degrees) {
  const double a = degrees * kRadiansPerDegreeAsStored;
  return {cx + r * std::cos(a), cy + r * std::sin(a), 0.0};
}

// An open arc (or a chord) about (cx, cy) from direction fromDeg to direction toDeg.
inline Arc3D MakeArcDeg(double cx, double cy, double r, double fromDeg, double toDeg, int dir,
                        bool chord = false) {
  const Point3D c(cx, cy, 0.0);
  const Point3D s = PointOnCircle(cx, cy, r, fromDeg), e = PointOnCircle(cx, cy, r, toDeg);
  return chord ? Arc3D(dir, &c, r, &s, &e) : Arc3D(&c, r, &s, &e, dir);
}

inline Arc3D MakeCircle(double cx, double cy, double r) {
  const Point3D c(cx, cy, 0.0);
  return Arc3D(&c, r);
}

// The plan extent of a box, within tol.
MATCHER_P5(PlanBoxNear, left, bottom, right, top, tol, "") {
  return std::abs(arg.Left() - left) <= tol && std::abs(arg.Bottom() - bottom) <= tol &&
         std::abs(arg.Right() - right) <= tol && std::abs(arg.Top() - top) <= tol;
}
