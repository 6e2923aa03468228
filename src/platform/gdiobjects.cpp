// Pens, brushes and fonts: making them, the stock set, and freeing them.

#include "platform/detail/gdiobjects.h"

#include <array>
#include <memory>
#include <mutex>
#include <new>
#include <unordered_map>

#include "detail/fixedtext.h"

namespace {

struct LiveTable {
  std::mutex mutex;
  std::unordered_map<const void*, GdiObject*> objects;
};

LiveTable& Live() {
  static LiveTable* table = new LiveTable;  // never destroyed: handles may be freed at exit
  return *table;
}

constexpr int kStockObjectCount = 20;  // GetStockObject indices run from 0 to 19
constexpr LONG kSystemFontHeight = 16;

template <typename T, typename... Args>
T* MakeLive(Args&&... args) {
  auto object = std::unique_ptr<T>(new (std::nothrow) T(std::forward<Args>(args)...));
  if (!object) return nullptr;
  T* raw = object.release();
  return RegisterGdiObject(raw, raw) != nullptr ? raw : nullptr;
}

HPEN__* StockPen(int style, COLORREF colour) {
  HPEN__* pen = MakeLive<HPEN__>(PenSpec{style, 0, colour});
  if (pen != nullptr) pen->stock = true;
  return pen;
}

HBRUSH__* StockBrush(UINT style, COLORREF colour) {
  HBRUSH__* brush = MakeLive<HBRUSH__>(BrushSpec{style, colour, HS_HORIZONTAL});
  if (brush != nullptr) brush->stock = true;
  return brush;
}

HFONT__* StockFont() {
  HFONT__* font = MakeLive<HFONT__>(DefaultLogFont());
  if (font != nullptr) font->stock = true;
  return font;
}

const std::array<HGDIOBJ, kStockObjectCount>& StockObjects() {
  static const std::array<HGDIOBJ, kStockObjectCount> stock = [] {
    std::array<HGDIOBJ, kStockObjectCount> s{};
    s[WHITE_BRUSH] = StockBrush(BS_SOLID, RGB(255, 255, 255));
    s[LTGRAY_BRUSH] = StockBrush(BS_SOLID, RGB(192, 192, 192));
    s[GRAY_BRUSH] = StockBrush(BS_SOLID, RGB(128, 128, 128));
    s[DKGRAY_BRUSH] = StockBrush(BS_SOLID, RGB(64, 64, 64));
    s[BLACK_BRUSH] = StockBrush(BS_SOLID, RGB(0, 0, 0));
    s[NULL_BRUSH] = StockBrush(BS_NULL, RGB(0, 0, 0));
    s[WHITE_PEN] = StockPen(PS_SOLID, RGB(255, 255, 255));
    s[BLACK_PEN] = StockPen(PS_SOLID, RGB(0, 0, 0));
    s[NULL_PEN] = StockPen(PS_NULL, RGB(0, 0, 0));
    // Every font index gives the same sans-serif system font: the engine only needs one.
    HFONT__* font = StockFont();
    for (int i = OEM_FIXED_FONT; i <= DEFAULT_GUI_FONT; ++i) {
      if (i != DEFAULT_PALETTE) s[i] = font;
    }
    return s;
  }();
  return stock;
}

bool ValidPenStyle(int style) {
  return style >= PS_SOLID && style <= PS_INSIDEFRAME;
}

}  // namespace

void* RegisterGdiObject(void* handle, GdiObject* object) {
  if (handle == nullptr || object == nullptr) return nullptr;
  LiveTable& table = Live();
  std::lock_guard<std::mutex> lock(table.mutex);
  try {
    table.objects.emplace(handle, object);
  } catch (...) {
    delete object;
    return nullptr;
  }
  return handle;
}

bool UnregisterGdiObject(void* handle) {
  LiveTable& table = Live();
  std::lock_guard<std::mutex> lock(table.mutex);
  return table.objects.erase(handle) == 1;
}

GdiObject* LiveGdiObject(const void* handle) {
  if (handle == nullptr) return nullptr;
  LiveTable& table = Live();
  std::lock_guard<std::mutex> lock(table.mutex);
  const auto found = table.objects.find(handle);
  return found == table.objects.end() ? nullptr : found->second;
}

LOGFONTA DefaultLogFont() {
  LOGFONTA font{};
  font.lfHeight = kSystemFontHeight;
  font.lfWeight = FW_NORMAL;
  CopyFixedText(font.lfFaceName, "DejaVu Sans");
  return font;
}

HPEN CreatePen(int style, int width, COLORREF colour) {
  if (!ValidPenStyle(style)) return nullptr;
  return MakeLive<HPEN__>(PenSpec{style, width < 0 ? 0 : width, colour & 0x00FFFFFF});
}

HBRUSH CreateSolidBrush(COLORREF colour) {
  return MakeLive<HBRUSH__>(BrushSpec{BS_SOLID, colour & 0x00FFFFFF, HS_HORIZONTAL});
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
  if (brush == nullptr) return nullptr;
  if (brush->lbStyle != BS_SOLID && brush->lbStyle != BS_NULL && brush->lbStyle != BS_HATCHED) {
    return nullptr;
  }
  const int hatch = static_cast<int>(brush->lbHatch);
  if (brush->lbStyle == BS_HATCHED && (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS)) {
    return nullptr;
  }
  return MakeLive<HBRUSH__>(BrushSpec{brush->lbStyle, brush->lbColor & 0x00FFFFFF, hatch});
}

HFONT CreateFontIndirectA(const LOGFONTA* font) {
  if (font == nullptr) return nullptr;
  LOGFONTA copy = *font;
  copy.lfFaceName[LF_FACESIZE - 1] = '\0';  // a host's unterminated name stays in bounds
  return MakeLive<HFONT__>(copy);
}

HGDIOBJ GetStockObject(int index) {
  if (index < 0 || index >= kStockObjectCount) return nullptr;
  return StockObjects()[static_cast<size_t>(index)];
}

BOOL DeleteObject(HGDIOBJ handle) {
  GdiObject* object = LiveGdiObject(handle);
  if (object == nullptr || object->kind == GdiKind::kDeviceContext) return FALSE;
  if (object->stock) return TRUE;  // deleting a stock object is allowed and does nothing
  if (!UnregisterGdiObject(handle)) return FALSE;
  // Device contexts keep copies of what is selected into them, so nothing dangles.
  delete object;
  return TRUE;
}

BOOL UnrealizeObject(HGDIOBJ handle) {
  // Brush origins are always the device origin here, so there is nothing to reset.
  return LiveGdiObject(handle) != nullptr ? TRUE : FALSE;
}
