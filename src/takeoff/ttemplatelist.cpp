// The template library: owning list operations, look-up by name (folders by their bare name),
// ordering by legend order and the file version the library needs.
#include "takeoff/ttemplatelist.h"

#include <cstring>
#include <new>

#include "platform/win32.h"
#include "takeoff/smartobjecttypes.h"
#include "takeoff/tobjecttemplate.h"

namespace {

constexpr char kFolderMark = '-';
// A folder name is the bare name between its marks, padded with blanks.
constexpr int kFolderNameSize = kTemplateNameSize;

char* DuplicateText(const char* text) {
  if (text == nullptr) return nullptr;
  const size_t size = std::strlen(text) + 1;
  char* const copy = new (std::nothrow) char[size];
  if (copy != nullptr) std::memcpy(copy, text, size);
  return copy;
}

void ReplaceText(char*& field, const char* text) {
  char* const copy = DuplicateText(text);
  delete[] field;
  field = copy;
}

// "--- Walls ---" gives "Walls": the leading marks and the blanks after them go, and the name
// ends before the next mark, without the blanks before it.
void BareFolderName(const char* name, char (&bare)[kFolderNameSize]) {
  while (*name == kFolderMark)
    ++name;
  while (*name == ' ')
    ++name;
  size_t length = 0;
  while (name[length] != '\0' && name[length] != kFolderMark && length + 1 < sizeof(bare))
    ++length;
  if (name[length] == kFolderMark) {
    while (length > 0 && (name[length - 1] == ' ' || name[length - 1] == kFolderMark))
      --length;
  }
  std::memcpy(bare, name, length);
  bare[length] = '\0';
}

bool NameMatches(const TObjectTemplate* tpl, const char* name, bool strip) {
  if (tpl == nullptr) return false;
  if (!strip || tpl->Name()[0] != kFolderMark) return lstrcmpiA(tpl->Name(), name) == 0;
  char bare[kFolderNameSize];
  BareFolderName(tpl->Name(), bare);
  return lstrcmpiA(bare, name) == 0;
}

}  // namespace

// ---- Nodes ----

TTemplateItem::~TTemplateItem() {
  delete tpl_;
}

TObjectTemplate* TTemplateItem::Release() {
  TObjectTemplate* const tpl = tpl_;
  tpl_ = nullptr;
  return tpl;
}

// ---- Construction ----

TTemplateList::TTemplateList(const TTemplateList& other) {
  CopyFrom(other);
}

TTemplateList& TTemplateList::operator=(const TTemplateList& other) {
  if (this != &other) CopyFrom(other);
  return *this;
}

TTemplateList::~TTemplateList() {
  Clear();
  delete[] file_name_;
  delete[] folder_states_;
}

void TTemplateList::CopyFrom(const TTemplateList& other) {
  Clear();
  for (const TTemplateItem* item = other.head_; item != nullptr; item = item->next_)
    if (item->tpl_ != nullptr) Add(item->tpl_->Copy());
  ReplaceText(file_name_, other.file_name_);
  ReplaceText(folder_states_, other.folder_states_);
}

// ---- List operations ----

TObjectTemplate* TTemplateList::Add(const char* name, int type) {
  return Add(new (std::nothrow) TObjectTemplate(name, type, 0, 0, kTemplateThickness,
                                                kTemplateNoFillColour, kTemplateNoFillPattern));
}

TObjectTemplate* TTemplateList::Add(TObjectTemplate* tpl) {
  if (tpl == nullptr) return nullptr;
  for (const TTemplateItem* item = head_; item != nullptr; item = item->next_)
    if (item->tpl_ == tpl) return nullptr;  // already ours: adding again would own it twice
  TTemplateItem* const item = new (std::nothrow) TTemplateItem(tpl);
  if (item == nullptr) {
    delete tpl;
    return nullptr;
  }
  item->prev_ = tail_;
  if (tail_ != nullptr)
    tail_->next_ = item;
  else
    head_ = item;
  tail_ = item;
  ++count_;
  return tpl;
}

TTemplateItem* TTemplateList::Find(const char* name) const {
  if (name == nullptr) return nullptr;
  for (TTemplateItem* item = head_; item != nullptr; item = item->next_)
    if (NameMatches(item->tpl_, name, false)) return item;
  return nullptr;
}

void TTemplateList::Unlink(TTemplateItem* item) {
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
}

TObjectTemplate* TTemplateList::Remove(const char* name) {
  TTemplateItem* const item = Find(name);
  if (item == nullptr) return nullptr;
  Unlink(item);
  TObjectTemplate* const tpl = item->Release();
  delete item;
  return tpl;
}

int TTemplateList::Delete(const char* name) {
  TTemplateItem* const item = Find(name);
  if (item == nullptr) return 0;
  Unlink(item);
  delete item;
  return 1;
}

TObjectTemplate* TTemplateList::Search(const char* name, bool strip) const {
  if (name == nullptr) return nullptr;
  for (const TTemplateItem* item = head_; item != nullptr; item = item->next_)
    if (NameMatches(item->tpl_, name, strip)) return item->tpl_;
  return nullptr;
}

void TTemplateList::Sort() {
  if (count_ < 2) return;
  // Exchange sort over the nodes' templates: only strictly out-of-order neighbours swap, so
  // equal legend orders keep the user's order.
  for (bool swapped = true; swapped;) {
    swapped = false;
    for (TTemplateItem* item = head_; item != nullptr && item->next_ != nullptr;
         item = item->next_) {
      TTemplateItem* const next = item->next_;
      if (item->tpl_ == nullptr || next->tpl_ == nullptr) continue;
      if (item->tpl_->LegendOrder() > next->tpl_->LegendOrder()) {
        TObjectTemplate* const tpl = item->tpl_;
        item->tpl_ = next->tpl_;
        next->tpl_ = tpl;
        swapped = true;
      }
    }
  }
}

void TTemplateList::Clear() {
  TTemplateItem* item = head_;
  while (item != nullptr) {
    TTemplateItem* const next = item->next_;
    delete item;
    item = next;
  }
  head_ = nullptr;
  tail_ = nullptr;
  count_ = 0;
}

// ---- Library fields ----

void TTemplateList::FileName(const char* name) {
  ReplaceText(file_name_, name);
}

void TTemplateList::SetFolderStates(const char* states) {
  ReplaceText(folder_states_, states);
}

const char* TTemplateList::GetFileVersion() const {
  for (const TTemplateItem* item = head_; item != nullptr; item = item->next_)
    if (item->tpl_ != nullptr && IsV5SmartObject(item->tpl_->RFlag()))
      return kTemplateFileVersionV5;
  return kTemplateFileVersionV45;
}
