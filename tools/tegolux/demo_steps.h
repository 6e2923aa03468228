#pragma once
// The viewing step of tegolux demo: a window, a view zoomed to the sample roof, a pick by pixel
// position and a snap to a vertex, each printed in world and device coordinates.

#include <vector>

#include "geometry/point3d.h"

// Returns false when a step failed (what failed is printed).
bool PrintViewDemo(const std::vector<Point3D>& corners);
