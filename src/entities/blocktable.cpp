#include "entities/blocktable.h"

BlockTable::~BlockTable() {
  Clear();
}

void BlockTable::Clear() {}
