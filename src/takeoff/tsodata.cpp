#include "takeoff/tsodata.h"

#include <climits>
#include <cstring>
#include <new>

#include "io/dxfgroup.h"
#include "platform/win32.h"

namespace {

// Codes from here up are keywords: they belong to the next record.
constexpr short kFirstKeywordCode = 1500;

// Group codes of the section data record.
constexpr short kCodeSection = 2;
constexpr short kCodeArea = 40;
constexpr short kCodeLength = 41;
constexpr short kCodeCount = 70;
constexpr short kCodeFlag = 71;

// A heap copy of the text (null for null or when out of memory).
char* DuplicateText(const char* text) {
  if (text == nullptr) return nullptr;
  const size_t size = std::strlen(text) + 1;
  char* copy = new (std::nothrow) char[size];
  if (copy != nullptr) std::memcpy(copy, text, size);
  return copy;
}

bool SameSection(const char* name, const char* section) {
  if (name == nullptr || section == nullptr) return name == section;
  return lstrcmpiA(name, section) == 0;
}

}  // namespace

TSOData::TSOData(const char* section, double area, double length, int count, int flag)
    : section_(DuplicateText(section)), area_(area), length_(length), count_(count), flag_(flag) {}

TSOData::TSOData(const TSOData& other)
    : section_(DuplicateText(other.section_)),
      area_(other.area_),
      length_(other.length_),
      count_(other.count_),
      flag_(other.flag_) {}

TSOData::~TSOData() {
  delete[] section_;
}

void TSOData::SectionName(const char* name) {
  // Copy before freeing: the text may be this entry's own name.
  char* const copy = DuplicateText(name);
  delete[] section_;
  section_ = copy;
}

int TSOData::Save(DXFGroup* stream) const {
  if (stream == nullptr) return kDxfEnd;
  int rc = stream->PutKeyword(kDxfSectionData);
  if (rc == 0 && section_ != nullptr) rc = stream->PutString(kCodeSection, section_);
  if (rc == 0 && area_ != 0.0) rc = stream->PutReal(kCodeArea, area_);
  if (rc == 0 && length_ != 0.0) rc = stream->PutReal(kCodeLength, length_);
  if (rc == 0 && count_ != 0) rc = stream->PutInteger(kCodeCount, ClampToGroupInteger(count_));
  if (rc == 0 && flag_ != 0) rc = stream->PutInteger(kCodeFlag, ClampToGroupInteger(flag_));
  if (rc == 0) rc = stream->PutKeyword(kDxfEndSectionData);
  return rc;
}

int TSOData::AddToken(DXFGroup* stream) {
  if (stream == nullptr) return kDxfEnd;
  for (;;) {
    const int rc = stream->GetGroup();
    if (rc != 0) return rc;
    switch (stream->Code()) {
      case kCodeSection:
        SectionName(stream->StringValue());
        break;
      case kCodeArea:
        area_ = stream->RealValue();
        break;
      case kCodeLength:
        length_ = stream->RealValue();
        break;
      case kCodeCount:
        count_ = stream->IntValue();
        break;
      case kCodeFlag:
        flag_ = stream->IntValue();
        break;
      case kDxfEndSectionData:
        return 0;
      default:
        if (stream->Code() >= kFirstKeywordCode) {
          stream->Requeue();
          return 0;
        }
        break;
    }
  }
}

TSODataList::TSODataList(const TSODataList& other) {
  for (const TSOData* entry = other.head_; entry != nullptr; entry = entry->next_)
    Add(new (std::nothrow) TSOData(*entry));
}

TSODataList& TSODataList::operator=(const TSODataList& other) {
  if (this == &other) return *this;
  Clear(true);
  for (const TSOData* entry = other.head_; entry != nullptr; entry = entry->next_)
    Add(new (std::nothrow) TSOData(*entry));
  return *this;
}

TSODataList::~TSODataList() {
  Clear(true);
}

void TSODataList::Add(TSOData* data) {
  // An entry that is already linked belongs to a list; linking it twice would corrupt both.
  if (data == nullptr || data == head_ || data->next_ != nullptr || data->prev_ != nullptr) return;
  data->prev_ = tail_;
  if (tail_ != nullptr)
    tail_->next_ = data;
  else
    head_ = data;
  tail_ = data;
  ++count_;
}

TSOData* TSODataList::Remove(TSOData* data) {
  if (data == nullptr) return nullptr;
  TSOData* entry = head_;
  while (entry != nullptr && entry != data)
    entry = entry->next_;
  if (entry == nullptr) return nullptr;
  if (data->prev_ != nullptr)
    data->prev_->next_ = data->next_;
  else
    head_ = data->next_;
  if (data->next_ != nullptr)
    data->next_->prev_ = data->prev_;
  else
    tail_ = data->prev_;
  data->next_ = nullptr;
  data->prev_ = nullptr;
  --count_;
  return data;
}

void TSODataList::Clear(bool deleteEntries) {
  TSOData* entry = head_;
  while (entry != nullptr) {
    TSOData* const next = entry->next_;
    entry->next_ = nullptr;
    entry->prev_ = nullptr;
    if (deleteEntries) delete entry;
    entry = next;
  }
  head_ = nullptr;
  tail_ = nullptr;
  count_ = 0;
}

TSOData* TSODataList::Search(const char* section) const {
  for (TSOData* entry = head_; entry != nullptr; entry = entry->next_)
    if (SameSection(entry->section_, section)) return entry;
  return nullptr;
}
