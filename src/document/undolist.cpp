#include "document/undolist.h"

UndoList::~UndoList() {
  Clear();
}

void UndoList::Clear() {}
