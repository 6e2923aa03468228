// The Win32 region calls over RegionShape.

#include <new>

#include "platform/detail/gdiobjects.h"
#include "platform/detail/region.h"

namespace {

HRGN MakeRegion(RegionShape shape) {
  HRGN__* region = new (std::nothrow) HRGN__(std::move(shape));
  if (region == nullptr) return nullptr;
  return RegisterGdiObject(region, region) != nullptr ? region : nullptr;
}

}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  return MakeRegion(RegionShape::FromRect(left, top, right, bottom));
}

HRGN CreatePolygonRgn(const POINT* points, int count, int fill_mode) {
  if (points == nullptr || count < 0 || (fill_mode != ALTERNATE && fill_mode != WINDING)) {
    return nullptr;
  }
  return MakeRegion(RegionShape::FromPolygon(points, count, fill_mode));
}

int CombineRgn(HRGN destination, HRGN source1, HRGN source2, int mode) {
  HRGN__* dst = LiveRegion(destination);
  const HRGN__* a = LiveRegion(source1);
  const HRGN__* b = mode == RGN_COPY ? a : LiveRegion(source2);
  if (dst == nullptr || a == nullptr || b == nullptr) return ERROR;
  return dst->shape.Combine(a->shape, b->shape, mode);
}

int GetRgnBox(HRGN region, LPRECT box) {
  const HRGN__* r = LiveRegion(region);
  if (r == nullptr || box == nullptr) return ERROR;
  return r->shape.Box(box);
}

BOOL PtInRegion(HRGN region, int x, int y) {
  const HRGN__* r = LiveRegion(region);
  return r != nullptr && r->shape.Contains(x, y) ? TRUE : FALSE;
}

int OffsetRgn(HRGN region, int dx, int dy) {
  HRGN__* r = LiveRegion(region);
  if (r == nullptr) return ERROR;
  r->shape.Offset(dx, dy);
  return r->shape.Type();
}
