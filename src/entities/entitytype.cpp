#include "entities/entitytype.h"

namespace {

struct EntityKind {
  int type;
  const char* record_name;
  const char* display_name;
};

constexpr const char* kUnknownGraphicType = "Unknown Graphic Type";

// One row per kind code, in code order, so a code indexes its row directly.
constexpr EntityKind kEntityKinds[] = {
    {kEntityUnknown, nullptr, kUnknownGraphicType},
    {kEntityLine, "LINE", "Line"},
    {kEntityVertex, "VERTEX", nullptr},
    {kEntityEllipse, "ELLIPSE", "Ellipse"},
    {kEntityCircle, "CIRCLE", "Circle"},
    {kEntityArc, "ARC", "Arc"},
    {kEntityPolyline, "POLYLINE", "Polygon"},
    {kEntityOpenPolyline, nullptr, "Polyline"},
    {kEntityText, "TEXT", "Text"},
    {kEntityDimension, "DIMENSION", "Dimension"},
    {kEntityLeader, nullptr, "Leader"},
    {kEntityInsert, "INSERT", "Symbol"},
    {kEntityREdge, "REDGE", "Pitched Edge"},
    {kEntityPCurve, "PCURVE", "Freestyle"},
    {kEntityImage, "IMAGE", "Image"},
    {kEntityEdge, "EDGE", "Edge"},
    // The display name of symbol definitions has always been spelt this way; files and legends
    // that users already have show it, so it is kept.
    {kEntityBlock, "BLOCK", "SybolDef"},
    {kEntityChord, "CHORD", kUnknownGraphicType},
    {kEntityTrace, "TRACE", nullptr},
    {kEntitySegment, "SEGMENT", nullptr},
    {kEntitySolid, "SOLID", nullptr},
};

constexpr int kKindCount = static_cast<int>(sizeof(kEntityKinds) / sizeof(kEntityKinds[0]));

constexpr bool RowsFollowCodes() {
  for (int row = 0; row < kKindCount; ++row)
    if (kEntityKinds[row].type != kEntityUnknown + row) return false;
  return kEntityKinds[kKindCount - 1].type == kEntitySolid;
}
static_assert(RowsFollowCodes(), "one row per kind code, in code order");

const EntityKind* FindKind(int type) {
  // Range first: subtracting from a code near the int limits would overflow.
  if (type < kEntityUnknown || type >= kEntityUnknown + kKindCount) return nullptr;
  return &kEntityKinds[type - kEntityUnknown];
}

}  // namespace

const char* EntityRecordName(int type) {
  const EntityKind* kind = FindKind(type);
  return kind != nullptr ? kind->record_name : nullptr;
}

const char* EntityDisplayName(int type) {
  const EntityKind* kind = FindKind(type);
  return kind != nullptr ? kind->display_name : kUnknownGraphicType;
}
