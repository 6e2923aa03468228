#include "takeoff/tsmartobject.h"

TSmartObjectList::TSmartObjectList() = default;

TSmartObjectList::~TSmartObjectList() = default;
