// Outlines at scale: the point-in-outline test on a long wavy outline, the crossed-sides check,
// and the common region of two overlapping many-sided outlines. Every figure is per call; the
// sizes grow along the range so the figures show how each operation grows.

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <new>
#include <numbers>
#include <vector>

#include "entities/line3d.h"
#include "entities/multi3d.h"
#include "geometry/point3d.h"

namespace {

constexpr double kRadius = 100.0;
// The wavy outline swings this fraction of the radius in and out, this many times round.
constexpr double kWaveDepth = 0.25;
constexpr int kWaves = 40;
// How far the second polygon of the intersection sits from the first, as a fraction of the
// radius: far enough that most sides cross, near enough that the regions overlap widely.
constexpr double kOffsetFraction = 0.3;
// The probe points of the point-in-outline test: a ring of points at each of these fractions of
// the radius, in the trough of the wave, across it and beyond its crest.
constexpr double kProbeRadii[] = {0.2, 0.5, 0.7, 1.1, 1.4};
constexpr int kProbesPerRing = 37;

struct Probe {
  Point3D at;
  // 1 inside, 0 outside, -1 where the wave decides (not checked).
  int expected;
};

std::vector<Point3D> WavyCorners(int n) {
  std::vector<Point3D> corners;
  corners.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    const double t = 2.0 * std::numbers::pi * i / n;
    const double r = kRadius * (1.0 + kWaveDepth * std::sin(kWaves * t));
    corners.emplace_back(r * std::cos(t), r * std::sin(t));
  }
  return corners;
}

std::vector<Point3D> RegularCorners(int n, double cx) {
  std::vector<Point3D> corners;
  corners.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    const double t = 2.0 * std::numbers::pi * i / n;
    corners.emplace_back(cx + kRadius * std::cos(t), kRadius * std::sin(t));
  }
  return corners;
}

// A closed outline of straight sides through the corners; null when a side could not be made.
std::unique_ptr<Multi3D> ClosedOutline(const std::vector<Point3D>& corners) {
  auto outline = std::make_unique<Multi3D>();
  for (size_t i = 0; i < corners.size(); ++i) {
    const Point3D& from = corners[i];
    const Point3D& to = corners[(i + 1) % corners.size()];
    auto* side = new (std::nothrow) Line3D(&from, &to);
    if (side == nullptr) return nullptr;
    outline->Add(side);
  }
  if (outline->Nodes() != static_cast<int>(corners.size()) || !outline->IsClosed()) return nullptr;
  return outline;
}

// Rings of points about the centre, turned off the corners' angles so no probe sits on a
// vertex. The wave never comes nearer than (1 - depth) radii nor goes beyond (1 + depth).
std::vector<Probe> ProbePoints() {
  std::vector<Probe> probes;
  for (const double fraction : kProbeRadii) {
    const int expected = fraction < 1.0 - kWaveDepth ? 1 : fraction > 1.0 + kWaveDepth ? 0 : -1;
    for (int k = 0; k < kProbesPerRing; ++k) {
      const double t = 2.0 * std::numbers::pi * (k + 0.37) / kProbesPerRing;
      const double r = fraction * kRadius;
      probes.push_back({Point3D(r * std::cos(t), r * std::sin(t)), expected});
    }
  }
  return probes;
}

void BM_Multi3DIsInside(benchmark::State& state) {
  const auto outline = ClosedOutline(WavyCorners(static_cast<int>(state.range(0))));
  if (!outline) {
    state.SkipWithError("the outline could not be built");
    return;
  }
  std::vector<Probe> probes = ProbePoints();
  // A run that misplaces a probe of known side measures a broken test.
  int inside = 0;
  for (Probe& probe : probes) {
    const int found = outline->IsInside(&probe.at) != 0 ? 1 : 0;
    if (probe.expected >= 0 && found != probe.expected) {
      state.SkipWithError("a probe was placed on the wrong side of the outline");
      return;
    }
    inside += found;
  }
  size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(outline->IsInside(&probes[next].at));
    next = next + 1 == probes.size() ? 0 : next + 1;
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["inside"] = inside;
  state.counters["probes"] = static_cast<double>(probes.size());
}

void BM_Multi3DValidatePolygon(benchmark::State& state) {
  const auto outline = ClosedOutline(WavyCorners(static_cast<int>(state.range(0))));
  // A valid outline is the worst case: every pair of sides is checked.
  if (!outline || ValidatePolygon(outline.get()) != 1) {
    state.SkipWithError("the wavy outline is not a valid polygon");
    return;
  }
  for (auto _ : state)
    benchmark::DoNotOptimize(ValidatePolygon(outline.get()));
  state.SetItemsProcessed(state.iterations());
}

void BM_Multi3DIntersectMulti(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const auto first = ClosedOutline(RegularCorners(n, 0.0));
  const auto second = ClosedOutline(RegularCorners(n, kOffsetFraction * kRadius));
  if (!first || !second) {
    state.SkipWithError("the outlines could not be built");
    return;
  }
  {
    const std::unique_ptr<Multi3D> common(first->IntersectMulti(second.get()));
    if (!common) {
      state.SkipWithError("the overlapping outlines gave no common region");
      return;
    }
    state.counters["sides"] = common->Nodes();
  }
  for (auto _ : state) {
    const std::unique_ptr<Multi3D> common(first->IntersectMulti(second.get()));
    benchmark::DoNotOptimize(common.get());
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_Multi3DIsInside)
    ->RangeMultiplier(10)
    ->Range(100, 10000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Multi3DValidatePolygon)->Arg(250)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Multi3DIntersectMulti)->Arg(250)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
