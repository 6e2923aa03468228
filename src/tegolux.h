#pragma once
// The umbrella header: every public class and free function of the engine.

#include "platform/win32.h"

#include "geometry/box3d.h"
#include "geometry/dblclist.h"
#include "geometry/dblplist.h"
#include "geometry/dblrlist.h"
#include "geometry/intlist.h"
#include "geometry/point3d.h"
#include "geometry/tolerance.h"

#include "entities/curve3d.h"

#include "io/dxfgroup.h"

#include "settings/hostglobals.h"
