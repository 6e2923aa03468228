#pragma once
// What the GDI handles point to, and the table of live handles. Win32 rejects a handle that was
// never made or is already deleted instead of touching freed memory; the table lets every GDI
// call do the same, so a host's stale handle is a failed call and not a crash.

#include "platform/detail/region.h"
#include "platform/win32.h"

enum class GdiKind { kPen, kBrush, kFont, kRegion, kDeviceContext };

struct GdiObject {
  explicit GdiObject(GdiKind object_kind) : kind(object_kind) {}
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  virtual ~GdiObject() = default;

  const GdiKind kind;
  bool stock = false;  // stock objects are never freed
};

struct PenSpec {
  int style = PS_SOLID;
  int width = 0;  // logical units; 0 is one device pixel whatever the mapping
  COLORREF colour = RGB(0, 0, 0);
};

struct BrushSpec {
  UINT style = BS_SOLID;
  COLORREF colour = RGB(255, 255, 255);
  int hatch = HS_HORIZONTAL;
};

struct HPEN__ : GdiObject {
  explicit HPEN__(const PenSpec& pen) : GdiObject(GdiKind::kPen), spec(pen) {}
  PenSpec spec;
};

struct HBRUSH__ : GdiObject {
  explicit HBRUSH__(const BrushSpec& brush) : GdiObject(GdiKind::kBrush), spec(brush) {}
  BrushSpec spec;
};

struct HFONT__ : GdiObject {
  explicit HFONT__(const LOGFONTA& logfont) : GdiObject(GdiKind::kFont), font(logfont) {}
  LOGFONTA font;
};

struct HRGN__ : GdiObject {
  explicit HRGN__(RegionShape region) : GdiObject(GdiKind::kRegion), shape(std::move(region)) {}
  RegionShape shape;
};

// Enters a newly made object (with the handle value the host will see) in the live table;
// returns handle, or null (and frees the object) when even that fails.
void* RegisterGdiObject(void* handle, GdiObject* object);
// Takes the object out of the live table; false when it was not live.
bool UnregisterGdiObject(void* handle);
// The object behind a live handle, or null.
GdiObject* LiveGdiObject(const void* handle);

// The live object of the given kind behind handle, or null.
template <typename T>
T* LiveGdiObjectAs(const void* handle, GdiKind kind) {
  GdiObject* object = LiveGdiObject(handle);
  return object != nullptr && object->kind == kind ? static_cast<T*>(object) : nullptr;
}
inline HPEN__* LivePen(const void* h) {
  return LiveGdiObjectAs<HPEN__>(h, GdiKind::kPen);
}
inline HBRUSH__* LiveBrush(const void* h) {
  return LiveGdiObjectAs<HBRUSH__>(h, GdiKind::kBrush);
}
inline HFONT__* LiveFont(const void* h) {
  return LiveGdiObjectAs<HFONT__>(h, GdiKind::kFont);
}
inline HRGN__* LiveRegion(const void* h) {
  return LiveGdiObjectAs<HRGN__>(h, GdiKind::kRegion);
}

// The logical font a new device context starts with (the stock SYSTEM_FONT's).
LOGFONTA DefaultLogFont();
