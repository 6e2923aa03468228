#include "platform/win32.h"

#ifndef _WIN32

namespace {

int ToLowerAscii(int c) {
  return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

}  // namespace

BOOL PtInRect(const RECT* rect, POINT pt) {
  if (rect == nullptr) return FALSE;
  // Left and top edges belong to the rectangle, right and bottom do not.
  return pt.x >= rect->left && pt.x < rect->right && pt.y >= rect->top && pt.y < rect->bottom;
}

BOOL OffsetRect(RECT* rect, int dx, int dy) {
  if (rect == nullptr) return FALSE;
  rect->left += dx;
  rect->right += dx;
  rect->top += dy;
  rect->bottom += dy;
  return TRUE;
}

BOOL SetRect(RECT* rect, int left, int top, int right, int bottom) {
  if (rect == nullptr) return FALSE;
  *rect = RECT{left, top, right, bottom};
  return TRUE;
}

DWORD CharUpperBuffA(LPSTR text, DWORD length) {
  if (text == nullptr) return 0;
  for (DWORD i = 0; i < length; ++i) {
    const char c = text[i];
    if (c >= 'a' && c <= 'z') text[i] = static_cast<char>(c - 'a' + 'A');
  }
  return length;
}

int lstrcmpiA(LPCSTR a, LPCSTR b) {
  if (a == nullptr || b == nullptr) return (a == nullptr ? 0 : 1) - (b == nullptr ? 0 : 1);
  for (;; ++a, ++b) {
    const int ca = ToLowerAscii(static_cast<unsigned char>(*a));
    const int cb = ToLowerAscii(static_cast<unsigned char>(*b));
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == 0) return 0;
  }
}

BOOL IsRectEmpty(const RECT* rect) {
  return rect == nullptr || rect->right <= rect->left || rect->bottom <= rect->top;
}

#endif  // _WIN32
