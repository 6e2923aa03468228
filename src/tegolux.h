#pragma once
// The umbrella header: every public class and free function of the engine.

#include "platform/host.h"
#include "platform/surface.h"
#include "platform/win32.h"

#include "geometry/box3d.h"
#include "geometry/dblclist.h"
#include "geometry/dblplist.h"
#include "geometry/dblrlist.h"
#include "geometry/intlist.h"
#include "geometry/point3d.h"
#include "geometry/tolerance.h"

#include "entities/arc3d.h"
#include "entities/block3d.h"
#include "entities/blocktable.h"
#include "entities/curve3d.h"
#include "entities/dimension3d.h"
#include "entities/edge3d.h"
#include "entities/entitytype.h"
#include "entities/insert3d.h"
#include "entities/line3d.h"
#include "entities/multi3d.h"
#include "entities/pcurve3d.h"
#include "entities/redge3d.h"
#include "entities/text3d.h"

#include "takeoff/smartobjecttypes.h"
#include "takeoff/tlegendlist.h"
#include "takeoff/tobjecttemplate.h"
#include "takeoff/tsectionlist.h"
#include "takeoff/tsmartobject.h"
#include "takeoff/tsodata.h"
#include "takeoff/ttemplatelist.h"
#include "takeoff/ttgattriblist.h"
#include "takeoff/ttgattribute.h"

#include "document/layerbag.h"
#include "document/layeritem.h"
#include "document/layertable.h"
#include "document/objitem.h"
#include "document/objlist.h"
#include "document/undolist.h"
#include "document/viewport.h"

#include "io/dxfgroup.h"

#include "render/colours.h"
#include "render/patterns.h"

#include "settings/hostglobals.h"
#include "settings/units.h"
