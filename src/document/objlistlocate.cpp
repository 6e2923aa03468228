#include "document/objlist.h"

// Placeholder bodies so the library links while locating and snapping are written.
const Box3D* Objlist::Locate(Box3D*, Point3D*, int) { return nullptr; }
Curve3D* Objlist::LocateEndPt(Point3D*, Point3D*) { return nullptr; }
Curve3D* Objlist::LocateLine(Point3D*, int, Multi3D*) { return nullptr; }
Multi3D* Objlist::LocateMulti(Point3D*, int, int) { return nullptr; }
Curve3D* Objlist::LocateDimensionableItem(Point3D*) { return nullptr; }
Curve3D* Objlist::LocateHipValleyTarget(Point3D*) { return nullptr; }
int Objlist::SnapToLine(tagLPOINT*, Point3D*, Point3D*, Multi3D*) { return 0; }
int Objlist::SnapToMidPt(tagLPOINT*, Point3D*, Multi3D*) { return 0; }
int Objlist::SnapToVertex(tagLPOINT*, Point3D*, Multi3D*) { return 0; }
bool Objlist::IsPickable(const ObjItem*, bool) const { return true; }
bool Objlist::PassesRoofFilter(const ObjItem*) const { return true; }
