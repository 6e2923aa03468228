#include "document/objlist.h"

// Placeholder bodies so the library links while the selection operations are written.
int Objlist::SelectAll(int) { return 0; }
int Objlist::SelectNext() { return 0; }
int Objlist::SelectPrev() { return 0; }
int Objlist::SelectRoofItems(int) { return 0; }
int Objlist::SelectSmartObject(const char*) { return 0; }
int Objlist::DeselectSmartObject(const char*) { return 0; }
int Objlist::SelectSmartObjectByProp(int) { return 0; }
int Objlist::DeselectSmartObjectByProp(int) { return 0; }
void Objlist::ReScanSelected() {}
bool Objlist::IsItemStretchable(Curve3D*) const { return true; }
bool Objlist::IsSelectionStretchable() const { return true; }
int Objlist::IsInsertSelected() const { return 0; }
Curve3D* Objlist::IsSelectedObjText() const { return nullptr; }
Curve3D* Objlist::IsSelectedObjDimension() const { return nullptr; }
Curve3D* Objlist::IsSelectedObjMultiLine() const { return nullptr; }
Curve3D* Objlist::IsSelectedObjImage() const { return nullptr; }
const char* Objlist::ObjectDescription() { return ""; }
char* Objlist::ObjectName(char* buffer, int) { return buffer; }
int Objlist::SetCornerBoxes(int) { return 0; }
int Objlist::PtInCornerBoxes(const tagPOINT*) { return 0; }
int Objlist::GetRectOppositeCorner(int, tagLPOINT*, tagLPOINT*, tagLPOINT*) { return 0; }
