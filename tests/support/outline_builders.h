#pragma once
// Roof-plan outlines for tests, so a test reads as the shape it checks:
//   auto roof = PolygonOutline({{0, 0}, {40, 0}, {40, 20}, {20, 20}, {20, 40}, {0, 40}});

#include <cmath>
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

// The chain as corners: every segment's start, then the last segment's end (x and y only), so a
// test can state a whole outline in one comparison.
inline std::vector<Corner> ChainCorners(Multi3D& m) {
  std::vector<Corner> out;
  for (int n = 1; Curve3D* s = m.Segment(n); ++n)
    out.emplace_back(s->Spt()->x, s->Spt()->y);
  if (Curve3D* last = m.LastSegment()) out.emplace_back(last->Ept()->x, last->Ept()->y);
  return out;
}

// An arc about c of radius r from s to e, running in the direction dir.
inline Arc3D ArcAbout(const Corner& c, double r, const Corner& s, const Corner& e, int dir) {
  const Point3D pc = At(c), ps = At(s), pe = At(e);
  return Arc3D(&pc, r, &ps, &pe, dir);
}

// The outline made of the given segments in order (taken).
inline std::unique_ptr<Multi3D> OutlineOf(std::initializer_list<Curve3D*> segments) {
  auto m = std::make_unique<Multi3D>();
  for (Curve3D* s : segments)
    m->Add(s);
  return m;
}

inline Line3D* LineFrom(const Corner& a, const Corner& b) {
  const Point3D pa = At(a), pb = At(b);
  return new Line3D(&pa, &pb);
}

inline Arc3D* ArcFrom(const Corner& c, double r, const Corner& s, const Corner& e, int dir) {
  return new Arc3D(ArcAbout(c, r, s, e, dir));
}

// Plan area (shoelace) and perimeter of the closed polygon through the corners, computed apart
// from the outline code so tests can compare with it.
inline double CornerArea(const std::vector<Corner>& c) {
  double twice = 0.0;
  for (size_t i = 0; i < c.size(); ++i)
    twice += c[i].first * c[(i + 1) % c.size()].second - c[(i + 1) % c.size()].first * c[i].second;
  return (twice < 0 ? -twice : twice) / 2.0;
}

inline double CornerPerimeter(const std::vector<Corner>& c) {
  double sum = 0.0;
  for (size_t i = 0; i < c.size(); ++i)
    sum += std::hypot(c[(i + 1) % c.size()].first - c[i].first,
                      c[(i + 1) % c.size()].second - c[i].second);
  return sum;
}

// The 1-based positions of the arguments that are not null, false or 0 (empty when none is), so
// a row of failure results is checked at once: EXPECT_THAT(NonZeroAt(...), testing::IsEmpty()).
template <typename... T>
std::vector<int> NonZeroAt(T... v) {
  std::vector<int> at;
  int i = 0;
  ((++i, v != T{} ? at.push_back(i) : void()), ...);
  return at;
}
