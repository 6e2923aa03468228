#pragma once
// The later steps of tegolux demo, each in a file of its own. Each returns false when a step
// failed (what failed is printed).

#include <vector>

#include "geometry/point3d.h"

// A window, a view zoomed to the sample roof, a pick by pixel position and a snap to a vertex,
// each printed in world and device coordinates.
bool PrintViewDemo(const std::vector<Point3D>& corners);

// A drain symbol placed three times (scaled, rotated, mirrored) and a roof label, with their
// extents.
bool PrintSymbolsDemo();
