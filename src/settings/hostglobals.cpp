#include "settings/hostglobals.h"

#include <cstring>

#include "geometry/point3d.h"
#include "platform/win32.h"

namespace {

// Characters the exchange format does not accept in table names.
constexpr char kDxfNameReplaced[] = "!@#%^&*()+=|\\{[}]:;<,>.?/ `~\"'";

bool IsReplacedInDxfName(char c) {
  return c != '\0' && std::strchr(kDxfNameReplaced, c) != nullptr;
}

// The drawing settings are one unprotected record: the viewport and painting both run on the
// host's window thread.
struct DrawingSettings {
  double scale = 1.0;
  double stretch = 1.0;
  Point3D offset;
};

DrawingSettings& TheDrawingSettings() {
  static DrawingSettings settings;
  return settings;
}

constexpr int kUsualPixelsPerInch = 96;
int pixels_per_inch = kUsualPixelsPerInch;

}  // namespace

char* ConvertDXFName(const char* src, char* dst, size_t dstSize) {
  if (src == nullptr || dst == nullptr || dstSize == 0) return nullptr;
  size_t length = std::strlen(src);
  if (length > dstSize - 1) length = dstSize - 1;
  std::memmove(dst, src, length);
  dst[length] = '\0';
  for (size_t i = 0; i < length; ++i) {
    if (IsReplacedInDxfName(dst[i])) dst[i] = '_';
  }
  CharUpperBuffA(dst, static_cast<DWORD>(length));
  return dst;
}

char* ConvertDXFName(const char* src, char* dst) {
  if (src == nullptr || dst == nullptr) return nullptr;
  return ConvertDXFName(src, dst, std::strlen(src) + 1);
}

bool ValidateGuid(const char* text) {
  return text != nullptr && text[0] != '\0' && std::strstr(text, "000000") == nullptr;
}

void SetDrawingSettings(double scale, double stretch, const Point3D* offset) {
  DrawingSettings& settings = TheDrawingSettings();
  settings.scale = scale;
  settings.stretch = stretch;
  if (offset != nullptr) settings.offset = *offset;
}

void GetDrawingSettings(double* scale, double* stretch, Point3D* offset) {
  const DrawingSettings& settings = TheDrawingSettings();
  if (scale != nullptr) *scale = settings.scale;
  if (stretch != nullptr) *stretch = settings.stretch;
  if (offset != nullptr) *offset = settings.offset;
}

int GetLogPixelsInch() {
  return pixels_per_inch;
}

int SetLogPixelsInch() {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return pixels_per_inch;
  const int read = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  if (read > 0) pixels_per_inch = read;
  return pixels_per_inch;
}
