// Region geometry: pixel membership at the edges, fill rules, boolean operations, type and box,
// offsets, and exact answers at the limits of the coordinate range.
#include "platform/detail/region.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>
#include <vector>

namespace {

RegionShape Polygon(const std::vector<POINT>& points, int fill_mode = ALTERNATE) {
  return RegionShape::FromPolygon(points.data(), static_cast<int>(points.size()), fill_mode);
}

struct Probe {
  int x, y;
  bool inside;
};

void ExpectProbes(const RegionShape& region, const std::vector<Probe>& probes) {
  for (const Probe& p : probes)
    EXPECT_EQ(region.Contains(p.x, p.y), p.inside) << "pixel (" << p.x << ", " << p.y << ")";
}

void ExpectBox(const RegionShape& region, const RECT& want, int want_type) {
  RECT box{-1, -1, -1, -1};
  EXPECT_EQ(region.Box(&box), want_type);
  EXPECT_EQ(std::tie(box.left, box.top, box.right, box.bottom),
            std::tie(want.left, want.top, want.right, want.bottom));
}

// A five-pointed star drawn in one stroke: its inner pentagon is wound twice.
const std::vector<POINT> kStar = {{200, 100}, {259, 281}, {105, 162}, {295, 162}, {141, 281}};

}  // namespace

TEST(RegionShape, RectangleHoldsLeftTopEdgesAndTakesCornersInAnyOrder) {
  for (const RECT& r : {RECT{0, 0, 10, 10}, RECT{10, 10, 0, 0}, RECT{10, 0, 0, 10}}) {
    const RegionShape square = RegionShape::FromRect(r.left, r.top, r.right, r.bottom);
    ExpectBox(square, RECT{0, 0, 10, 10}, SIMPLEREGION);
    ExpectProbes(square, {{0, 0, true},
                          {9, 9, true},
                          {9, 0, true},
                          {0, 9, true},
                          {10, 5, false},
                          {5, 10, false},
                          {-1, 5, false},
                          {5, -1, false}});
  }
}

TEST(RegionShape, DegenerateInputsMakeTheEmptyRegion) {
  const POINT three[] = {{0, 0}, {10, 0}, {0, 10}};
  const RegionShape regions[] = {RegionShape(),
                                 RegionShape::FromRect(5, 0, 5, 10),
                                 RegionShape::FromRect(0, 5, 10, 5),
                                 RegionShape::FromPolygon(nullptr, 3, ALTERNATE),
                                 RegionShape::FromPolygon(three, 2, ALTERNATE),
                                 RegionShape::FromPolygon(three, -4, WINDING),
                                 Polygon({{0, 0}, {5, 5}, {10, 10}}),
                                 Polygon({{0, 0}, {10, 0}, {5, 0}}, WINDING)};
  for (const RegionShape& r : regions) {
    ExpectBox(r, RECT{0, 0, 0, 0}, NULLREGION);
    ExpectProbes(r, {{0, 0, false}, {5, 5, false}, {5, 0, false}});
  }
  EXPECT_EQ(RegionShape().Box(nullptr), ERROR);
}

TEST(RegionShape, CombineModesGiveGeometryAndType) {
  struct Case {
    const char* name;
    RECT b;
    int mode, type;
    RECT box;
    std::vector<Probe> probes;
  };
  // clang-format off
  const Case cases[] = {
      {"and", {5, 5, 15, 15}, RGN_AND, SIMPLEREGION, {5, 5, 10, 10},
       {{5, 5, true}, {9, 9, true}, {4, 4, false}, {10, 10, false}}},
      {"or", {5, 5, 15, 15}, RGN_OR, COMPLEXREGION, {0, 0, 15, 15},
       {{0, 0, true}, {14, 14, true}, {14, 0, false}, {0, 14, false}}},
      {"xor", {5, 5, 15, 15}, RGN_XOR, COMPLEXREGION, {0, 0, 15, 15},
       {{2, 2, true}, {12, 12, true}, {7, 7, false}, {14, 0, false}}},
      {"diff notch", {5, 5, 15, 15}, RGN_DIFF, COMPLEXREGION, {0, 0, 10, 10},
       {{2, 2, true}, {9, 2, true}, {7, 7, false}, {12, 12, false}}},
      {"diff half", {5, -5, 15, 15}, RGN_DIFF, SIMPLEREGION, {0, 0, 5, 10},
       {{4, 9, true}, {5, 0, false}}},
      {"and disjoint", {20, 20, 30, 30}, RGN_AND, NULLREGION, {0, 0, 0, 0}, {{5, 5, false}}},
      {"diff covering", {-1, -1, 11, 11}, RGN_DIFF, NULLREGION, {0, 0, 0, 0}, {{5, 5, false}}},
      {"or side by side", {10, 0, 20, 10}, RGN_OR, SIMPLEREGION, {0, 0, 20, 10},
       {{9, 5, true}, {10, 5, true}, {19, 9, true}, {20, 5, false}}},
      {"or corner touch", {10, 10, 20, 20}, RGN_OR, COMPLEXREGION, {0, 0, 20, 20},
       {{9, 9, true}, {10, 10, true}, {10, 9, false}, {9, 10, false}}},
      {"copy", {20, 20, 30, 30}, RGN_COPY, SIMPLEREGION, {0, 0, 10, 10},
       {{0, 0, true}, {25, 25, false}}},
  };
  // clang-format on
  const RegionShape a = RegionShape::FromRect(0, 0, 10, 10);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RegionShape result = RegionShape::FromRect(100, 100, 200, 200);
    const RegionShape b = RegionShape::FromRect(c.b.left, c.b.top, c.b.right, c.b.bottom);
    EXPECT_EQ(result.Combine(a, b, c.mode), c.type);
    ExpectBox(result, c.box, c.type);
    ExpectProbes(result, c.probes);
    EXPECT_FALSE(result.Contains(150, 150));
  }
}

TEST(RegionShape, UnknownCombineModeFailsAndKeepsTheRegion) {
  const RegionShape a = RegionShape::FromRect(0, 0, 10, 10);
  for (const int mode : {0, 6, -1, INT_MAX}) {
    RegionShape target = Polygon(kStar, WINDING);
    EXPECT_EQ(target.Combine(a, a, mode), ERROR);
    EXPECT_EQ(target.FillMode(), WINDING);
    ASSERT_EQ(target.Paths().size(), 1u);
    EXPECT_EQ(target.Paths()[0].size(), kStar.size());
    EXPECT_TRUE(target.Contains(200, 200));
  }
}

TEST(RegionShape, CombineReadsOperandsThatAreTheTargetItself) {
  const RegionShape b = RegionShape::FromRect(5, 5, 15, 15);
  RegionShape r = RegionShape::FromRect(0, 0, 10, 10);
  EXPECT_EQ(r.Combine(r, b, RGN_AND), SIMPLEREGION);
  ExpectBox(r, RECT{5, 5, 10, 10}, SIMPLEREGION);
  r = RegionShape::FromRect(0, 0, 10, 10);
  EXPECT_EQ(r.Combine(b, r, RGN_DIFF), COMPLEXREGION);
  ExpectProbes(r, {{12, 12, true}, {7, 7, false}, {2, 2, false}});
  EXPECT_EQ(r.Combine(r, r, RGN_OR), COMPLEXREGION);
  EXPECT_EQ(r.Combine(r, b, RGN_COPY), COMPLEXREGION);
  ExpectProbes(r, {{12, 12, true}, {7, 7, false}});
  EXPECT_EQ(r.Combine(r, r, RGN_XOR), NULLREGION);
  EXPECT_TRUE(r.Paths().empty());
}

TEST(RegionShape, FillRuleDecidesTheDoublyWoundCentre) {
  // A square traced twice over: winding 2 everywhere inside.
  const std::vector<POINT> double_square = {{0, 0}, {10, 0}, {10, 10}, {0, 10},
                                            {0, 0}, {10, 0}, {10, 10}, {0, 10}};
  for (const int mode : {ALTERNATE, WINDING}) {
    SCOPED_TRACE(mode);
    const bool winding = mode == WINDING;
    const RegionShape star = Polygon(kStar, mode);
    EXPECT_EQ(star.Contains(200, 200), winding);
    EXPECT_TRUE(star.Contains(200, 120));  // inside a tip, wound once
    ExpectBox(star, RECT{105, 100, 295, 281}, COMPLEXREGION);

    // Clipper must be told each operand's rule; its output is then plain even-odd.
    RegionShape combined;
    EXPECT_EQ(combined.Combine(star, RegionShape::FromRect(190, 190, 210, 210), RGN_AND),
              winding ? SIMPLEREGION : NULLREGION);
    EXPECT_EQ(combined.FillMode(), ALTERNATE);
    EXPECT_EQ(combined.Contains(200, 200), winding);
    EXPECT_EQ(combined.Combine(RegionShape::FromRect(0, 0, 400, 400), star, RGN_DIFF),
              COMPLEXREGION);
    EXPECT_EQ(combined.Contains(200, 200), !winding);

    const RegionShape twice = Polygon(double_square, mode);
    EXPECT_EQ(twice.Type(), winding ? SIMPLEREGION : NULLREGION);
    EXPECT_EQ(twice.Contains(5, 5), winding);
    // A bow tie holds its two lobes under either rule.
    const RegionShape bow = Polygon({{0, 0}, {10, 0}, {0, 10}, {10, 10}}, mode);
    ExpectProbes(bow, {{5, 1, true}, {5, 8, true}, {1, 5, false}, {8, 5, false}});
    ExpectBox(bow, RECT{0, 0, 10, 10}, COMPLEXREGION);
  }
}

TEST(RegionShape, TypeAndBoxLookPastSpikesAndCollinearPoints) {
  // A square with a zero-area spike up its left side and an extra point on its top side.
  const RegionShape spiked =
      Polygon({{0, 0}, {5, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 20}, {0, 10}}, WINDING);
  ExpectBox(spiked, RECT{0, 0, 10, 10}, SIMPLEREGION);
  EXPECT_FALSE(spiked.Contains(0, 15));
  ExpectBox(Polygon({{5, 0}, {10, 5}, {5, 10}, {0, 5}}), RECT{0, 0, 10, 10}, COMPLEXREGION);
  // The slanted side is x = 10 - y / 2: centre (9.5, 0.5) is inside, (9.5, 1.5) is not.
  const RegionShape tri = Polygon({{0, 0}, {10, 0}, {0, 20}});
  ExpectBox(tri, RECT{0, 0, 10, 20}, COMPLEXREGION);
  ExpectProbes(
      tri,
      {{0, 0, true}, {9, 0, true}, {9, 1, false}, {0, 18, true}, {1, 18, false}, {0, 19, false}});
}

TEST(RegionShape, TwoTrianglesSharingADiagonalTileTheSquare) {
  const std::vector<std::vector<POINT>> halves[] = {
      {{{0, 0}, {10, 0}, {0, 10}}, {{10, 0}, {10, 10}, {0, 10}}},
      {{{0, 0}, {10, 10}, {0, 10}}, {{0, 0}, {10, 0}, {10, 10}}}};
  for (const auto& pair : halves) {
    const RegionShape first = Polygon(pair[0]);
    const RegionShape second = Polygon(pair[1], WINDING);
    for (int y = -1; y <= 10; ++y) {
      for (int x = -1; x <= 10; ++x) {
        const bool in_square = x >= 0 && x < 10 && y >= 0 && y < 10;
        const int owners = first.Contains(x, y) + second.Contains(x, y);
        EXPECT_EQ(owners, in_square ? 1 : 0) << "pixel (" << x << ", " << y << ")";
      }
    }
  }
}

TEST(RegionShape, HoleIsCutAndPaintsAsASecondPath) {
  RegionShape frame;
  EXPECT_EQ(frame.Combine(RegionShape::FromRect(0, 0, 30, 30),
                          RegionShape::FromRect(10, 10, 20, 20), RGN_DIFF),
            COMPLEXREGION);
  ExpectBox(frame, RECT{0, 0, 30, 30}, COMPLEXREGION);
  ExpectProbes(frame, {{9, 9, true}, {10, 10, false}, {19, 19, false}, {20, 20, true}});
  ASSERT_EQ(frame.Paths().size(), 2u);
  EXPECT_EQ(frame.FillMode(), ALTERNATE);
  // Painting fills the paths even-odd, so one path must be the hole itself.
  const RegionShape first = Polygon(frame.Paths()[0]);
  const RegionShape second = Polygon(frame.Paths()[1]);
  for (const POINT& p : std::vector<POINT>{{5, 5}, {15, 15}, {10, 10}, {20, 20}, {29, 0}})
    EXPECT_EQ(first.Contains(p.x, p.y) != second.Contains(p.x, p.y), frame.Contains(p.x, p.y));
  ExpectBox(first.Contains(5, 5) ? second : first, RECT{10, 10, 20, 20}, SIMPLEREGION);
}

TEST(RegionShape, OffsetMovesPointsAndCachedShapeAndSaturates) {
  RegionShape square = RegionShape::FromRect(0, 0, 10, 10);
  square.Offset(5, -3);
  ExpectBox(square, RECT{5, -3, 15, 7}, SIMPLEREGION);
  ExpectProbes(square, {{5, -3, true}, {14, 6, true}, {4, 0, false}, {15, 0, false}});

  RegionShape tri = Polygon({{0, 0}, {10, 0}, {0, 20}});
  EXPECT_EQ(tri.Type(), COMPLEXREGION);  // builds the normalised form first
  tri.Offset(-100, 50);
  ExpectBox(tri, RECT{-100, 50, -90, 70}, COMPLEXREGION);
  ExpectProbes(tri, {{-100, 50, true}, {-91, 50, true}, {-91, 51, false}});
  EXPECT_EQ(tri.Paths()[0][2].y, 70);

  RegionShape near_edge = RegionShape::FromRect(INT_MAX - 10, 0, INT_MAX, 10);
  near_edge.Offset(5, 0);
  ExpectBox(near_edge, RECT{INT_MAX - 5, 0, INT_MAX, 10}, SIMPLEREGION);
  RegionShape squashed = RegionShape::FromRect(0, 0, 10, 10);
  squashed.Offset(INT_MAX, INT_MIN);
  EXPECT_EQ(squashed.Type(), NULLREGION);
  EXPECT_FALSE(squashed.Contains(INT_MAX - 1, INT_MIN));
}

TEST(RegionShape, ExactAnswersNearTheCoordinateLimits) {
  const RegionShape all = RegionShape::FromRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  ExpectBox(all, RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, SIMPLEREGION);
  ExpectProbes(all,
               {{INT_MIN, INT_MIN, true}, {INT_MAX - 1, INT_MAX - 1, true}, {INT_MAX, 0, false}});
  // Hypotenuse x + y = -1: centres with x + y < -2 are inside, x + y = -2 lies on it.
  const RegionShape half = Polygon({{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {INT_MIN, INT_MAX}});
  ExpectProbes(half, {{0, -3, true},
                      {0, -2, false},
                      {-1, -1, false},
                      {INT_MAX - 2, INT_MIN, true},
                      {INT_MAX - 1, INT_MIN, false}});
  RegionShape cut;
  EXPECT_EQ(cut.Combine(all, half, RGN_DIFF), COMPLEXREGION);
  ExpectProbes(cut, {{0, -3, false}, {0, 0, true}});
}
