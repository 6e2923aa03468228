// Device contexts the host makes: images, PDF and SVG files, recordings, and the screen
// stand-in GetDC gives.

#include "platform/surface.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <atomic>

#include "platform/detail/devicecontext.h"

namespace {

// The screen stand-in's size and default resolution.
constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
constexpr int kLargestImageSide = 32767;  // Cairo's limit for image surfaces
constexpr double kPointsPerInch = 72.0;

std::atomic<int> screen_pixels_per_inch{kDefaultPixelsPerInch};

HDC Attach(HDC__* dc, cairo_surface_t* surface, double units_per_pixel) {
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    FreeDeviceContext(dc);
    return nullptr;
  }
  dc->AttachCanvas(surface, units_per_pixel);
  return dc;
}

HDC CreateVectorDC(DcKind kind, const char* path, int width, int height, int ppi) {
  if (path == nullptr || path[0] == '\0') return nullptr;
  HDC__* dc = NewDeviceContext(kind, width, height, ppi);
  if (dc == nullptr) return nullptr;
  const double points_per_pixel = kPointsPerInch / ppi;
  const double w = width * points_per_pixel;
  const double h = height * points_per_pixel;
  cairo_surface_t* surface = kind == DcKind::kPdf ? cairo_pdf_surface_create(path, w, h)
                                                  : cairo_svg_surface_create(path, w, h);
  return Attach(dc, surface, points_per_pixel);
}

}  // namespace

HDC CreateImageDC(int width, int height, int pixels_per_inch) {
  if (width > kLargestImageSide || height > kLargestImageSide) return nullptr;
  HDC__* dc = NewDeviceContext(DcKind::kImage, width, height, pixels_per_inch);
  if (dc == nullptr) return nullptr;
  return Attach(dc, cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height), 1.0);
}

HDC LoadImageDC(const char* png_path, int pixels_per_inch) {
  if (png_path == nullptr || png_path[0] == '\0') return nullptr;
  cairo_surface_t* png = cairo_image_surface_create_from_png(png_path);
  if (cairo_surface_status(png) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(png);
    return nullptr;
  }
  HDC dc = CreateImageDC(cairo_image_surface_get_width(png), cairo_image_surface_get_height(png),
                         pixels_per_inch);
  HDC__* d = LiveDC(dc);
  if (d != nullptr) {
    cairo_t* cr = cairo_create(d->Surface());
    cairo_set_source_surface(cr, png, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
  }
  cairo_surface_destroy(png);
  return dc;
}

HDC CreatePdfDC(const char* path, int width, int height, int pixels_per_inch) {
  return CreateVectorDC(DcKind::kPdf, path, width, height, pixels_per_inch);
}

HDC CreateSvgDC(const char* path, int width, int height, int pixels_per_inch) {
  return CreateVectorDC(DcKind::kSvg, path, width, height, pixels_per_inch);
}

HDC CreateRecordingDC(int width, int height, int pixels_per_inch) {
  return NewDeviceContext(DcKind::kRecording, width, height, pixels_per_inch);
}

bool WriteSurfaceDC(HDC dc, const char* path) {
  HDC__* d = LiveDC(dc);
  if (d == nullptr || d->Surface() == nullptr) return false;
  if (d->dc_kind == DcKind::kPdf || d->dc_kind == DcKind::kSvg) return d->Finish();
  if (d->dc_kind != DcKind::kImage || path == nullptr || path[0] == '\0') return false;
  return cairo_surface_write_to_png(d->Surface(), path) == CAIRO_STATUS_SUCCESS;
}

void DeleteSurfaceDC(HDC dc) {
  const HDC__* d = LiveDC(dc);
  if (d == nullptr || d->dc_kind == DcKind::kScreen) return;
  FreeDeviceContext(dc);
}

std::vector<RecordedCall> GetRecordedCalls(HDC dc) {
  const HDC__* d = LiveDC(dc);
  if (d == nullptr) return {};
  try {
    return d->calls;
  } catch (...) {
    return {};
  }
}

void ClearRecordedCalls(HDC dc) {
  HDC__* d = LiveDC(dc);
  if (d != nullptr) d->calls.clear();
}

void SetScreenPixelsPerInch(int pixels_per_inch) {
  if (pixels_per_inch >= 1) screen_pixels_per_inch = pixels_per_inch;
}

int GetScreenPixelsPerInch() {
  return screen_pixels_per_inch;
}

HDC GetDC(HWND) {
  // Until windows have their own device contexts every window shares the screen's metrics.
  return NewDeviceContext(DcKind::kScreen, kScreenWidth, kScreenHeight, screen_pixels_per_inch);
}

int ReleaseDC(HWND, HDC dc) {
  const HDC__* d = LiveDC(dc);
  if (d == nullptr || d->dc_kind != DcKind::kScreen) return 0;
  return FreeDeviceContext(dc) ? 1 : 0;
}
