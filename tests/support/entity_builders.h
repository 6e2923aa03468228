#pragma once
// Builders for entity tests, so a test reads as the situation it checks:
//   Line3D eave = MakeLine(0, 0, 10, 0);

#include "entities/line3d.h"

// A line in the plan (z 0) from (x1, y1) to (x2, y2).
inline Line3D MakeLine(double x1, double y1, double x2, double y2) {
  return Line3D(x1, y1, 0.0, x2, y2, 0.0);
}

// A well-formed GUID text that passes validation (not empty, no zero run).
inline constexpr const char* kSampleGuid = "{1A2B3C4D-5E6F-4A1B-9C2D-3E4F5A6B7C8D}";
inline constexpr const char* kOtherGuid = "{9F8E7D6C-5B4A-4F3E-8D2C-1B0A9F8E7D6C}";
// A placeholder GUID: the zero run makes it invalid.
inline constexpr const char* kPlaceholderGuid = "{00000000-0000-0000-0000-000000000000}";
