#pragma once
// The umbrella header: every public class and free function of the engine.

#include "platform/win32.h"

#include "geometry/tolerance.h"

#include "entities/curve3d.h"
