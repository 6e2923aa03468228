#include "takeoff/ttgattriblist.h"

#include <new>

#include "io/dxfgroup.h"
#include "platform/win32.h"
#include "takeoff/ttgattribute.h"

namespace {

bool SameTag(const TTGAttribute* attrib, const char* tag) {
  return attrib != nullptr && tag != nullptr && lstrcmpiA(attrib->GetTag(), tag) == 0;
}

}  // namespace

TTGAttribItem::~TTGAttribItem() {
  delete attrib_;
}

TTGAttribute* TTGAttribItem::Release() {
  TTGAttribute* const attrib = attrib_;
  attrib_ = nullptr;
  return attrib;
}

TTGAttribList::TTGAttribList(const TTGAttribList& other) {
  for (const TTGAttribItem* item = other.head_; item != nullptr; item = item->next_)
    if (item->attrib_ != nullptr) Add(item->attrib_->Copy());
}

TTGAttribList& TTGAttribList::operator=(const TTGAttribList& other) {
  if (this == &other) return *this;
  Clear(true);
  for (const TTGAttribItem* item = other.head_; item != nullptr; item = item->next_)
    if (item->attrib_ != nullptr) Add(item->attrib_->Copy());
  return *this;
}

TTGAttribList::~TTGAttribList() {
  Clear(true);
}

TTGAttribItem* TTGAttribList::Add(TTGAttribute* attrib) {
  if (attrib == nullptr) return nullptr;
  TTGAttribItem* const item = new (std::nothrow) TTGAttribItem(attrib);
  if (item == nullptr) {
    delete attrib;
    return nullptr;
  }
  item->prev_ = tail_;
  if (tail_ != nullptr)
    tail_->next_ = item;
  else
    head_ = item;
  tail_ = item;
  ++count_;
  return item;
}

TTGAttribItem* TTGAttribList::Remove(const char* tag) {
  if (tag == nullptr) return nullptr;
  TTGAttribItem* item = head_;
  while (item != nullptr && !SameTag(item->attrib_, tag))
    item = item->next_;
  if (item == nullptr) return nullptr;
  if (item->prev_ != nullptr)
    item->prev_->next_ = item->next_;
  else
    head_ = item->next_;
  if (item->next_ != nullptr)
    item->next_->prev_ = item->prev_;
  else
    tail_ = item->prev_;
  item->next_ = nullptr;
  item->prev_ = nullptr;
  --count_;
  return item;
}

void TTGAttribList::Clear(bool deleteAttribs) {
  TTGAttribItem* item = head_;
  while (item != nullptr) {
    TTGAttribItem* const next = item->next_;
    if (!deleteAttribs) item->Release();
    delete item;
    item = next;
  }
  head_ = nullptr;
  tail_ = nullptr;
  count_ = 0;
}

TTGAttribute* TTGAttribList::Search(int propsource, int proptype) const {
  for (const TTGAttribItem* item = head_; item != nullptr; item = item->next_) {
    TTGAttribute* const attrib = item->attrib_;
    if (attrib != nullptr && attrib->Propsource() == propsource && attrib->Proptype() == proptype)
      return attrib;
  }
  return nullptr;
}

TTGAttribute* TTGAttribList::Search(const char* tag) const {
  for (const TTGAttribItem* item = head_; item != nullptr; item = item->next_) {
    TTGAttribute* const attrib = item->attrib_;
    if (SameTag(attrib, tag) && attrib->Propsource() == kPropSourceUser) return attrib;
  }
  return nullptr;
}

TTGAttribute* TTGAttribList::Search(int proptype) const {
  for (const TTGAttribItem* item = head_; item != nullptr; item = item->next_) {
    TTGAttribute* const attrib = item->attrib_;
    if (attrib != nullptr && attrib->Proptype() == proptype) return attrib;
  }
  return nullptr;
}

void TTGAttribList::SetSort(const char* tag) {
  // Only the first attribute of that tag becomes the key: the legend groups by one value.
  bool marked = false;
  for (TTGAttribItem* item = head_; item != nullptr; item = item->next_) {
    TTGAttribute* const attrib = item->attrib_;
    if (attrib == nullptr) continue;
    const bool isKey = !marked && SameTag(attrib, tag);
    attrib->SetSortKey(isKey ? 1 : 0);
    marked = marked || isKey;
  }
}

const char* TTGAttribList::SortTag() const {
  for (const TTGAttribItem* item = head_; item != nullptr; item = item->next_)
    if (item->attrib_ != nullptr && item->attrib_->IsSortKey() != 0) return item->attrib_->GetTag();
  return nullptr;
}

char* TTGAttribList::SortValue() const {
  for (const TTGAttribItem* item = head_; item != nullptr; item = item->next_)
    if (item->attrib_ != nullptr && item->attrib_->IsSortKey() != 0)
      return item->attrib_->GetValue();
  return nullptr;
}

int TTGAttribList::Noofattribs(bool editableOnly) const {
  if (!editableOnly) return count_;
  int editable = 0;
  for (const TTGAttribItem* item = head_; item != nullptr; item = item->next_)
    if (item->attrib_ != nullptr && !item->attrib_->ReadOnly()) ++editable;
  return editable;
}

void TTGAttribList::SetAttribs(const TTGAttribList* other) {
  if (other == nullptr || other == this) return;
  for (const TTGAttribItem* item = other->head_; item != nullptr; item = item->next_) {
    if (item->attrib_ == nullptr) continue;
    TTGAttribute* const mine = Search(item->attrib_->GetTag());
    if (mine != nullptr) mine->Set(item->attrib_);
  }
}

int TTGAttribList::Save(DXFGroup* stream, bool all) const {
  if (stream == nullptr) return kDxfEnd;
  for (const TTGAttribItem* item = head_; item != nullptr; item = item->next_) {
    const TTGAttribute* const attrib = item->attrib_;
    if (attrib == nullptr) continue;
    if (!all && attrib->Propsource() != kPropSourceUser) continue;
    const int rc = attrib->Save(stream);
    if (rc != 0) return rc;
  }
  return 0;
}
