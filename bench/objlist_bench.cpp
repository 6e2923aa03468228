// The drawing document at scale: adding lines, finding each by identifier, and deleting every
// item. Sizes double along the range so the figures show how each operation grows.

#include <benchmark/benchmark.h>

#include <memory>
#include <new>
#include <vector>

#include "document/objitem.h"
#include "document/objlist.h"
#include "entities/line3d.h"

namespace {

// A document of n short lines on two layers.
std::unique_ptr<Objlist> MakeDrawing(int n) {
  auto drawing = std::make_unique<Objlist>();
  for (int i = 0; i < n; ++i) {
    const double x = static_cast<double>(i % 1000);
    const double y = static_cast<double>(i / 1000);
    auto* line = new (std::nothrow) Line3D(x, y, 0.0, x + 0.5, y + 0.5, 0.0);
    if (drawing->Add(line, (i & 1) != 0 ? "Eaves" : "Ridges") == nullptr) delete line;
  }
  return drawing;
}

void BM_ObjlistAddLines(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    auto drawing = MakeDrawing(n);
    benchmark::DoNotOptimize(drawing->Noofobjs());
    state.PauseTiming();
    drawing.reset();  // destruction is measured on its own below
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * n);
}

void BM_ObjlistGetObjEveryId(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const auto drawing = MakeDrawing(n);
  for (auto _ : state) {
    long found = 0;
    for (int id = 1; id <= n; ++id)
      found += drawing->GetObj(id) != nullptr ? 1 : 0;
    if (found != n) state.SkipWithError("an identifier was not found");
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * n);
}

void BM_ObjlistDeleteEveryItem(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto drawing = MakeDrawing(n);
    state.ResumeTiming();
    // One item at a time from the head, the way a user's deletions arrive.
    while (drawing->GetHead() != nullptr)
      drawing->DeleteItem(drawing->GetHead(), 1);
    benchmark::DoNotOptimize(drawing->Noofobjs());
  }
  state.SetItemsProcessed(state.iterations() * n);
}

void BM_ObjlistDestroy(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto drawing = MakeDrawing(n);
    state.ResumeTiming();
    drawing.reset();
  }
  state.SetItemsProcessed(state.iterations() * n);
}

BENCHMARK(BM_ObjlistAddLines)
    ->RangeMultiplier(10)
    ->Range(10000, 1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ObjlistGetObjEveryId)
    ->RangeMultiplier(10)
    ->Range(10000, 1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ObjlistDeleteEveryItem)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ObjlistDestroy)
    ->RangeMultiplier(10)
    ->Range(10000, 100000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
