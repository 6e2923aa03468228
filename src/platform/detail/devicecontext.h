#pragma once
// What an HDC points to: the Win32 device-context state machine, the SaveDC stack, and the
// backend it draws with (a Cairo surface, or a list of recorded calls).

#include <cairo.h>

#include <memory>
#include <vector>

#include "platform/detail/gdiobjects.h"
#include "platform/detail/region.h"
#include "platform/surface.h"
#include "platform/win32.h"

enum class DcKind { kScreen, kImage, kPdf, kSvg, kRecording };

// Everything SaveDC keeps and RestoreDC brings back.
struct DcState {
  HGDIOBJ pen_handle = nullptr;
  HGDIOBJ brush_handle = nullptr;
  HGDIOBJ font_handle = nullptr;
  // Copies of what is selected, so that deleting a selected object never leaves a dangling
  // pointer behind.
  PenSpec pen;
  BrushSpec brush;
  LOGFONTA font{};
  COLORREF text_colour = RGB(0, 0, 0);
  COLORREF bk_colour = RGB(255, 255, 255);
  int bk_mode = OPAQUE;
  int rop = R2_COPYPEN;
  int poly_fill_mode = ALTERNATE;
  UINT text_align = TA_LEFT | TA_TOP | TA_NOUPDATECP;
  int map_mode = MM_TEXT;
  POINT window_org{0, 0};
  POINT viewport_org{0, 0};
  SIZE window_ext{1, 1};
  SIZE viewport_ext{1, 1};
  POINT position{0, 0};
  std::shared_ptr<const RegionShape> clip;  // device coordinates; null when nothing is clipped
};

struct HDC__ : GdiObject {
  HDC__(DcKind kind, int width, int height, int pixels_per_inch);
  ~HDC__() override;

  // Completes PDF and SVG output; later drawing does nothing. False when Cairo reports an error.
  bool Finish();

  // Logical to device and back, with the mapping mode's scale (rounded to whole pixels).
  double ScaleX() const;
  double ScaleY() const;
  double DeviceX(double x) const;
  double DeviceY(double y) const;
  POINT ToDevice(int x, int y) const;
  POINT ToLogical(int x, int y) const;
  // A pen width in device pixels; at least 1.
  double DevicePenWidth() const;

  // Cairo context to draw into, or null when this DC draws nothing (screen stand-in, recording,
  // finished file).
  cairo_t* Canvas() const { return finished_ ? nullptr : canvas_; }
  cairo_surface_t* Surface() const { return surface_; }
  // A Cairo context for measuring text: the canvas when there is one, else a private one.
  cairo_t* TextContext();
  // Makes the canvas clip follow state.clip.
  void ApplyClip();

  bool Records() const { return dc_kind == DcKind::kRecording; }
  // Appends a call with the state in force; does nothing unless this DC records.
  RecordedCall* Record(const char* name, std::vector<int> args = {});

  const DcKind dc_kind;
  const int width;
  const int height;
  const int pixels_per_inch;
  DcState state;
  std::vector<DcState> saved;
  std::vector<RecordedCall> calls;

  // Set by surface.cpp for DCs that own a Cairo surface.
  void AttachCanvas(cairo_surface_t* surface, double units_per_pixel);

 private:
  cairo_surface_t* surface_ = nullptr;
  cairo_t* canvas_ = nullptr;
  cairo_surface_t* measure_surface_ = nullptr;
  cairo_t* measure_ = nullptr;
  bool finished_ = false;
};

// Adds the region's paths to cr's current path, each point mapped through dc when one is given
// (region coordinates are logical when painting, device ones when clipping), and sets the fill
// rule the region is filled with.
void AddRegionPath(cairo_t* cr, const RegionShape& region, const HDC__* dc = nullptr);
void SetCairoColour(cairo_t* cr, COLORREF colour);

// The live device context behind a handle, or null.
inline HDC__* LiveDC(const void* handle) {
  return LiveGdiObjectAs<HDC__>(handle, GdiKind::kDeviceContext);
}

// Makes a DC, enters it in the live table and selects the default objects; null on failure.
HDC__* NewDeviceContext(DcKind kind, int width, int height, int pixels_per_inch);
// Takes a DC out of the live table and frees it; false when it was not live.
bool FreeDeviceContext(HDC dc);
