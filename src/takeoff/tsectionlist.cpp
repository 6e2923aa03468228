#include "takeoff/tsectionlist.h"

TSectionList::~TSectionList() {
  Clear();
}

int TSectionList::Clear() {
  return 1;
}
