#pragma once
// The host's side of the painting layer: what Win32 leaves to the window system (making a device
// context that draws into an image, a PDF or SVG file, or a recording kept for tests; writing it
// out; freeing it). The engine itself never calls these; it only receives the HDC.

#include <string>
#include <vector>

#include "platform/win32.h"

inline constexpr int kDefaultPixelsPerInch = 96;

// Makes a device context of width x height device pixels at the given resolution (logical pixels
// per inch, as GetDeviceCaps reports it). Null when the size or resolution is not positive, the
// size is beyond what the backend can hold, or a file cannot be opened.
// - Image: an RGB image, white to begin with, written as PNG by WriteSurfaceDC.
// - PDF / SVG: the file is opened now and completed by WriteSurfaceDC or DeleteSurfaceDC; one
//   device pixel is 72 / pixels_per_inch points, so a page has the size the pixels describe.
// - Recording: draws nothing; keeps every drawing call for GetRecordedCalls.
HDC CreateImageDC(int width, int height, int pixels_per_inch = kDefaultPixelsPerInch);
HDC CreatePdfDC(const char* path, int width, int height,
                int pixels_per_inch = kDefaultPixelsPerInch);
HDC CreateSvgDC(const char* path, int width, int height,
                int pixels_per_inch = kDefaultPixelsPerInch);
HDC CreateRecordingDC(int width, int height, int pixels_per_inch = kDefaultPixelsPerInch);
// An image DC holding the pixels of a PNG file (to compare drawings with stored ones, or to draw
// over a picture); null when the file is missing or not a PNG.
HDC LoadImageDC(const char* png_path, int pixels_per_inch = kDefaultPixelsPerInch);

// Image DCs: writes the image as PNG to path. PDF and SVG DCs: completes their file (path is
// ignored); later drawing into them does nothing. False on a failure or for any other DC.
bool WriteSurfaceDC(HDC dc, const char* path);
// Frees a device context made by the calls above (PDF and SVG files are completed first). Null
// and unknown handles are ignored; GetDC's screen DC is freed by ReleaseDC.
void DeleteSurfaceDC(HDC dc);

// One drawing call as a recording DC received it. Coordinates are the logical ones of the call.
struct RecordedCall {
  std::string name;           // the Win32 name: "LineTo", "Polygon", "TextOutA", "PaintRgn"...
  std::vector<int> args;      // the call's integer arguments, in order (see below)
  std::vector<POINT> points;  // Polyline / Polygon points
  std::string text;           // TextOutA's text
  POINT from{0, 0};           // the current position before the call (LineTo starts there)
  // The state in force.
  int pen_style = PS_SOLID;
  int pen_width = 0;
  COLORREF pen_colour = 0;
  UINT brush_style = BS_SOLID;
  COLORREF brush_colour = 0;
  COLORREF text_colour = 0;
  int rop = R2_COPYPEN;
  bool clipped = false;  // a clipping region was selected
};
// args: MoveToEx/LineTo x, y; Rectangle/Ellipse left, top, right, bottom; Arc/Chord the eight
// coordinates; SetPixel x, y, colour; TextOutA x, y; PaintRgn/FillRgn the region's box (left,
// top, right, bottom) with FillRgn's brush as brush_style/brush_colour; Polyline/Polygon none.

// The calls a recording DC has received, oldest first; empty for any other DC.
std::vector<RecordedCall> GetRecordedCalls(HDC dc);
void ClearRecordedCalls(HDC dc);

// The resolution GetDC(NULL) reports (96 unless the host sets another); values below 1 are
// ignored. Screen DCs already handed out keep the resolution they were made with.
void SetScreenPixelsPerInch(int pixels_per_inch);
int GetScreenPixelsPerInch();
