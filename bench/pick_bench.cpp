// Picking and snapping in drawings of growing size: a click selects the nearest entity and a
// cursor snaps to the nearest vertex. Both walk every entity, so the cost per pick should grow
// linearly with the drawing; the sizes grow tenfold to show it.

#include <benchmark/benchmark.h>

#include <memory>
#include <new>
#include <random>
#include <vector>

#include "document/objlist.h"
#include "entities/line3d.h"
#include "entities/multi3d.h"

namespace {

// A plan of n entities on a 1000 ft wide sheet in rows 1 ft apart: nine short lines for every
// closed rectangular outline of four sides, spread over two layers.
std::unique_ptr<Objlist> MakePlan(int n) {
  auto drawing = std::make_unique<Objlist>();
  for (int i = 0; i < n; ++i) {
    const double x = static_cast<double>(i % 1000);
    const double y = static_cast<double>(i / 1000);
    Curve3D* e = nullptr;
    if (i % 10 == 9) {
      auto* outline = new (std::nothrow) Multi3D();
      if (outline != nullptr) {
        Point3D a(x, y), b(x + 0.6, y), c(x + 0.6, y + 0.6), d(x, y + 0.6);
        outline->Add(new (std::nothrow) Line3D(&a, &b));
        outline->Add(&c);
        outline->Add(&d);
        outline->Close();
      }
      e = outline;
    } else {
      e = new (std::nothrow) Line3D(x, y, 0.0, x + 0.5, y + 0.5, 0.0);
    }
    if (e != nullptr && drawing->Add(e, (i & 1) != 0 ? "Eaves" : "Ridges") == nullptr) delete e;
  }
  return drawing;
}

// Cursor positions somewhere over the drawing, the same for every size.
std::vector<Point3D> Clicks(int n) {
  std::mt19937 random(7);
  const double rows = n / 1000 + 1;
  std::uniform_real_distribution<double> x(0.0, 1000.0), y(0.0, rows);
  std::vector<Point3D> clicks(64);
  for (Point3D& p : clicks)
    p = Point3D(x(random), y(random));
  return clicks;
}

void BM_PickByPoint(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const auto drawing = MakePlan(n);
  std::vector<Point3D> clicks = Clicks(n);
  size_t next = 0;
  for (auto _ : state) {
    Point3D& p = clicks[next++ % clicks.size()];
    benchmark::DoNotOptimize(drawing->Locate(nullptr, &p, 0));
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["entities"] = n;
}

void BM_SnapToVertex(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const auto drawing = MakePlan(n);
  const std::vector<Point3D> clicks = Clicks(n);
  size_t next = 0;
  for (auto _ : state) {
    const Point3D& p = clicks[next++ % clicks.size()];
    tagLPOINT lp{static_cast<int32_t>(p.x), static_cast<int32_t>(p.y)};
    Point3D out;
    benchmark::DoNotOptimize(drawing->SnapToVertex(&lp, &out, nullptr));
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["entities"] = n;
}

}  // namespace

BENCHMARK(BM_PickByPoint)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SnapToVertex)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMicrosecond);
