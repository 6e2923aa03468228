// The painting layer's cost: 100,000 lines and 10,000 filled polygon regions drawn into a
// 4000 x 3000 image device context, against the same drawing made by direct Cairo calls with
// the same pixel conventions (pixel-centred one-pixel strokes, no smoothing, even-odd fill).

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <random>
#include <vector>

#include "bench_goals.h"
#include "platform/surface.h"
#include "platform/win32.h"

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr int kLineCount = 100000;
constexpr int kRegionCount = 10000;
constexpr int kMaxRegionSize = 120;

struct Scene {
  std::vector<POINT> lines;                 // pairs of end points
  std::vector<std::vector<POINT>> regions;  // 4 to 12 points each
  std::vector<COLORREF> colours;
};

const Scene& TheScene() {
  static const Scene scene = [] {
    Scene s;
    std::mt19937 random(20261205);
    std::uniform_int_distribution<int> x(0, kWidth - 1), y(0, kHeight - 1);
    std::uniform_int_distribution<int> step(-kMaxRegionSize / 2, kMaxRegionSize / 2);
    std::uniform_int_distribution<int> corners(4, 12), colour(0, 0xFFFFFF);
    for (int i = 0; i < kLineCount; ++i) {
      s.lines.push_back(POINT{x(random), y(random)});
      s.lines.push_back(POINT{x(random), y(random)});
    }
    for (int i = 0; i < kRegionCount; ++i) {
      const POINT centre{x(random), y(random)};
      std::vector<POINT> polygon;
      for (int k = corners(random); k > 0; --k) {
        polygon.push_back(POINT{centre.x + step(random), centre.y + step(random)});
      }
      s.regions.push_back(std::move(polygon));
      s.colours.push_back(static_cast<COLORREF>(colour(random)));
    }
    return s;
  }();
  return scene;
}

enum Part { kBoth, kLines, kRegions };

void DrawWithLayer(HDC dc, Part part) {
  const Scene& s = TheScene();
  if (part != kRegions) {
    HPEN pen = CreatePen(PS_SOLID, 0, RGB(0, 0, 128));
    HGDIOBJ old = SelectObject(dc, pen);
    for (size_t i = 0; i < s.lines.size(); i += 2) {
      MoveToEx(dc, s.lines[i].x, s.lines[i].y, nullptr);
      LineTo(dc, s.lines[i + 1].x, s.lines[i + 1].y);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
  }
  if (part != kLines) {
    for (size_t i = 0; i < s.regions.size(); ++i) {
      const std::vector<POINT>& polygon = s.regions[i];
      HRGN region = CreatePolygonRgn(polygon.data(), static_cast<int>(polygon.size()), ALTERNATE);
      HBRUSH brush = CreateSolidBrush(s.colours[i]);
      FillRgn(dc, region, brush);
      DeleteObject(brush);
      DeleteObject(region);
    }
  }
}

void SetColour(cairo_t* cr, COLORREF c) {
  cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

void DrawWithCairo(cairo_t* cr, Part part) {
  const Scene& s = TheScene();
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  if (part != kRegions) {
    cairo_set_line_width(cr, 1);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    SetColour(cr, RGB(0, 0, 128));
    for (size_t i = 0; i < s.lines.size(); i += 2) {
      // Each line is drawn when it is asked for, as a GDI caller expects.
      cairo_move_to(cr, s.lines[i].x + 0.5, s.lines[i].y + 0.5);
      cairo_line_to(cr, s.lines[i + 1].x + 0.5, s.lines[i + 1].y + 0.5);
      cairo_stroke(cr);
    }
  }
  if (part != kLines) {
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    for (size_t i = 0; i < s.regions.size(); ++i) {
      const std::vector<POINT>& polygon = s.regions[i];
      cairo_move_to(cr, polygon[0].x, polygon[0].y);
      for (size_t k = 1; k < polygon.size(); ++k)
        cairo_line_to(cr, polygon[k].x, polygon[k].y);
      cairo_close_path(cr);
      SetColour(cr, s.colours[i]);
      cairo_fill(cr);
    }
  }
}

void SetFigures(benchmark::State& state, Part part) {
  const int64_t figures = (part != kRegions ? kLineCount : 0) + (part != kLines ? kRegionCount : 0);
  state.SetItemsProcessed(state.iterations() * figures);
}

void BM_DrawLayer(benchmark::State& state) {
  const Part part = static_cast<Part>(state.range(0));
  TheScene();
  HDC dc = CreateImageDC(kWidth, kHeight);
  for (auto _ : state)
    DrawWithLayer(dc, part);
  DeleteSurfaceDC(dc);
  SetFigures(state, part);
}

void BM_DrawCairo(benchmark::State& state) {
  const Part part = static_cast<Part>(state.range(0));
  TheScene();
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
  cairo_t* cr = cairo_create(surface);
  for (auto _ : state)
    DrawWithCairo(cr, part);
  cairo_surface_flush(surface);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  SetFigures(state, part);
}

// Argument: 0 lines and regions, 1 lines only, 2 regions only.
BENCHMARK(BM_DrawLayer)
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_DrawCairo)
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The layer may cost at most 30% more time than Cairo alone: 1 / 1.3 of its throughput.
const bool kLayerGoal = AddThroughputGoal(
    {"BM_DrawLayer/0/repeats:5_median", "BM_DrawCairo/0/repeats:5_median", 1.0 / 1.3});

}  // namespace
