#include "takeoff/tlegendlist.h"

TLegendList::~TLegendList() {
  Clear(1);
}

int TLegendList::Clear(int /*deleteEntries*/) {
  return 1;
}
