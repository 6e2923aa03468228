#pragma once
// Roof-plan outlines for tests, so a test reads as the shape it checks:
//   auto roof = PolygonOutline({{0, 0}, {40, 0}, {40, 20}, {20, 20}, {20, 40}, {0, 40}});

#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

#include "entities/arc3d.h"
#include "entities/line3d.h"
#include "entities/multi3d.h"

using Corner = std::pair<double, double>;

inline Point3D At(const Corner& c) {
  return Point3D(c.first, c.second, 0.0);
}

// The open chain of lines through the corners, in order.
inline std::unique_ptr<Multi3D> OpenOutline(const std::vector<Corner>& corners) {
  auto m = std::make_unique<Multi3D>();
  if (corners.size() < 2) return m;
  const Point3D a = At(corners[0]), b = At(corners[1]);
  m->Add(new Line3D(&a, &b));
  for (size_t i = 2; i < corners.size(); ++i) {
    Point3D p = At(corners[i]);
    m->Add(&p);
  }
  return m;
}

// The closed polygon through the corners (the last side returns to the first corner).
inline std::unique_ptr<Multi3D> PolygonOutline(const std::vector<Corner>& corners) {
  auto m = OpenOutline(corners);
  if (!corners.empty()) {
    Point3D first = At(corners[0]);
    m->Add(&first);
  }
  return m;
}

inline std::unique_ptr<Multi3D> RectangleOutline(double x0, double y0, double x1, double y1) {
  return PolygonOutline({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}

// An L-shaped plan, counter-clockwise: 40 x 40 with the upper-right 20 x 20 quarter missing
// (plan area 1200).
inline std::unique_ptr<Multi3D> LPlan() {
  return PolygonOutline({{0, 0}, {40, 0}, {40, 20}, {20, 20}, {20, 40}, {0, 40}});
}

// A T-shaped plan: a 60 x 20 bar on top of a 20 x 30 stem (plan area 1800).
inline std::unique_ptr<Multi3D> TPlan() {
  return PolygonOutline(
      {{20, 0}, {40, 0}, {40, 30}, {60, 30}, {60, 50}, {0, 50}, {0, 30}, {20, 30}});
}

// The 10 x 10 square whose top side is a half circle of radius 5 about (5, 10), bulging out of
// the square (area 100 + 12.5 pi) or into it (area 100 - 12.5 pi). Counter-clockwise outline.
inline std::unique_ptr<Multi3D> ArcTopSquare(bool outward) {
  auto m = std::make_unique<Multi3D>();
  const Point3D p0(0, 0, 0), p1(10, 0, 0), p2(10, 10, 0), p3(0, 10, 0), centre(5, 10, 0);
  m->Add(new Line3D(&p0, &p1));
  m->Add(new Line3D(&p1, &p2));
  m->Add(new Arc3D(&centre, 5.0, &p2, &p3, outward ? kArcCounterClockwise : kArcClockwise));
  m->Add(new Line3D(&p3, &p0));
  return m;
}
