#pragma once
// Device contexts for painting tests: owned image and recording DCs, and pixel pictures that
// make a failed assertion show what was drawn.

#include <string>
#include <vector>

#include "platform/surface.h"
#include "platform/win32.h"

class ScopedDC {
 public:
  explicit ScopedDC(HDC dc) : dc_(dc) {}
  ~ScopedDC() { DeleteSurfaceDC(dc_); }
  ScopedDC(const ScopedDC&) = delete;
  ScopedDC& operator=(const ScopedDC&) = delete;
  operator HDC() const { return dc_; }

 private:
  HDC dc_;
};

// One character per pixel of rows [y0, y1) and columns [x0, x1): '.' white, '#' black, 'o' any
// other colour.
inline std::string Picture(HDC dc, int x0, int y0, int x1, int y1) {
  std::string out;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      out += c == RGB(255, 255, 255) ? '.' : c == RGB(0, 0, 0) ? '#' : 'o';
    }
    out += '\n';
  }
  return out;
}

inline std::vector<COLORREF> Pixels(HDC dc) {
  std::vector<COLORREF> out;
  const int w = GetDeviceCaps(dc, HORZRES);
  const int h = GetDeviceCaps(dc, VERTRES);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x)
      out.push_back(GetPixel(dc, x, y));
  }
  return out;
}

// Selects an object for the life of the scope and then restores the previous one.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selected() { SelectObject(dc_, previous_); }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};
