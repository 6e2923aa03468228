// Tables and their entries: reading an entry's groups, writing them in the order of its kind,
// and the lists that own entries and tables.

#include "io/dxftable.h"

#include <array>
#include <charconv>
#include <cstring>
#include <new>
#include <system_error>

#include "detail/listlinks.h"
#include "document/layeritem.h"
#include "io/dxfgroup.h"
#include "render/colours.h"

namespace {

constexpr short kLayerLineTypeCode = 6;

// Extra group codes of each kind, in the order they are written.
constexpr std::array<short, 2> kLayerCodes = {6, 67};
constexpr std::array<short, 3> kLTypeCodes = {3, 40, 72};
constexpr std::array<short, 7> kStyleCodes = {3, 4, 40, 41, 42, 50, 71};
constexpr std::array<short, 15> kViewCodes = {10, 11, 12, 20, 21, 22, 31, 32,
                                              40, 41, 42, 43, 44, 50, 71};
constexpr std::array<short, 35> kVPortCodes = {10, 11, 12, 13, 14, 15, 16, 17, 20, 21, 22, 23,
                                               24, 25, 26, 27, 36, 37, 40, 41, 42, 43, 44, 50,
                                               51, 68, 69, 71, 72, 73, 74, 75, 76, 77, 78};
constexpr std::array<short, 9> kUcsCodes = {10, 11, 12, 20, 21, 22, 30, 31, 32};
constexpr std::array<short, 37> kDimStyleCodes = {
    3,  4,  5,  6,  7,  40, 41,  42,  43,  44,  45,  46,  47,  48,  67,  68,  69,  71, 72,
    73, 74, 75, 76, 77, 78, 140, 141, 142, 143, 144, 145, 170, 171, 172, 173, 174, 175};
static_assert(kDimStyleCodes.size() == kMaxTableGroups);
static_assert(kVPortCodes.size() <= kMaxTableGroups);

enum class GroupType { kText, kReal, kInteger };

// The value type of an extra group, by the ranges of the stream.
GroupType TypeOfCode(short code) {
  if (code < 10) return GroupType::kText;
  if (code < 60) return GroupType::kReal;
  return GroupType::kInteger;
}

// Integer codes that the stream reads back as a raw line rather than as an integer.
bool IsRawLineCode(short code) {
  return code >= 80 && code < 210;
}

// A heap copy of text; null for null text or when out of memory.
std::unique_ptr<char[]> CopyText(const char* text) {
  if (text == nullptr) return nullptr;
  const size_t size = std::strlen(text) + 1;
  std::unique_ptr<char[]> copy(new (std::nothrow) char[size]);
  if (copy) std::memcpy(copy.get(), text, size);
  return copy;
}

bool EqualIgnoringCase(const char* a, const char* b) {
  if (a == nullptr || b == nullptr) return false;
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    const auto ca = static_cast<unsigned char>(*a);
    const auto cb = static_cast<unsigned char>(*b);
    const auto la = static_cast<unsigned char>(ca >= 'A' && ca <= 'Z' ? ca + ('a' - 'A') : ca);
    const auto lb = static_cast<unsigned char>(cb >= 'A' && cb <= 'Z' ? cb + ('a' - 'A') : cb);
    if (la != lb) return false;
  }
  return *a == *b;
}

// A raw line read for an integer code: blanks, then a decimal integer. False when it holds none
// or one out of range.
bool ParseRawInteger(const char* line, int* value) {
  while (*line == ' ' || *line == '\t')
    ++line;
  if (*line == '+') ++line;
  const char* end = line + std::strlen(line);
  const std::from_chars_result result = std::from_chars(line, end, *value);
  return result.ec == std::errc() && result.ptr != line;
}

// A name group comes back as a section code when the name is a section's ("HEADER"...); an
// entry or a table may well be called that.
bool IsNameGroup(short code) {
  return code == kTableNameCode || (code >= kDxfHeader && code <= kDxfEntities);
}

// The stream writes codes 80 to 209 as integers but reads them back as raw lines. In the binary
// form a raw line is a zero-terminated string, which an integer's two bytes are not, so such a
// value is written there as its decimal text through the stream's own code and text primitives.
// They are protected; this class exists only to reach them and is never made.
class RawLineWriter : public DXFGroup {
 public:
  RawLineWriter() = delete;

  static int Put(DXFGroup* stream, short code, int value) {
    char text[16] = {};
    std::to_chars(text, text + sizeof text - 1, static_cast<int>(ClampToGroupInteger(value)));
    const auto putCode = static_cast<int (DXFGroup::*)(short)>(&RawLineWriter::PutCode);
    const auto putText = static_cast<int (DXFGroup::*)(const char*)>(&RawLineWriter::PutText);
    const int result = (stream->*putCode)(code);
    return result != kDxfOk ? result : (stream->*putText)(text);
  }
};

// A node the list will take: not null and not linked anywhere yet.
template <class Node>
bool IsFree(const Node* first, const Node* node) {
  return node != nullptr && node->Prev() == nullptr && node->Next() == nullptr && node != first;
}

}  // namespace

// ---- DXFTableItem ----

DXFTableItem::DXFTableItem(const char* name, int flags)
    : DXFTableItem(kDxfAppid, {}, name, flags) {}

DXFTableItem::DXFTableItem(short kind, std::span<const short> codes, const char* name, int flags)
    : kind_(kind), flags_(flags), name_(CopyText(name)), codes_(codes) {}

DXFTableItem::~DXFTableItem() = default;

int DXFTableItem::Name(const char* name) {
  name_ = CopyText(name);
  return name == nullptr || name_ ? 1 : 0;
}

int DXFTableItem::SlotOf(short code) const {
  for (size_t i = 0; i < codes_.size(); ++i) {
    if (codes_[i] == code) return static_cast<int>(i);
  }
  return -1;
}

bool DXFTableItem::HasGroup(short code) const {
  return SlotOf(code) >= 0;
}

const char* DXFTableItem::Text(short code) const {
  const int slot = SlotOf(code);
  if (slot < 0 || values_[slot].text == nullptr) return "";
  return values_[slot].text.get();
}

int DXFTableItem::Text(short code, const char* text) {
  const int slot = SlotOf(code);
  if (slot < 0 || TypeOfCode(code) != GroupType::kText) return 0;
  std::unique_ptr<char[]> copy = CopyText(text);
  if (text != nullptr && !copy) return 0;
  values_[slot].text = std::move(copy);
  return 1;
}

double DXFTableItem::Real(short code) const {
  const int slot = SlotOf(code);
  return slot < 0 ? 0.0 : values_[slot].real;
}

int DXFTableItem::Real(short code, double value) {
  const int slot = SlotOf(code);
  if (slot < 0 || TypeOfCode(code) != GroupType::kReal) return 0;
  values_[slot].real = value;
  return 1;
}

int DXFTableItem::Integer(short code) const {
  const int slot = SlotOf(code);
  return slot < 0 ? 0 : values_[slot].integer;
}

int DXFTableItem::Integer(short code, int value) {
  const int slot = SlotOf(code);
  if (slot < 0 || TypeOfCode(code) != GroupType::kInteger) return 0;
  values_[slot].integer = value;
  return 1;
}

int DXFTableItem::AddToken(DXFGroup* stream) {
  if (stream == nullptr) return 0;
  for (;;) {
    const int result = stream->GetGroup();
    if (result != kDxfOk) return result;
    const short code = stream->Code();
    if (IsNameGroup(code)) {
      Name(stream->StringValue());
    } else if (code >= kDxfSection) {
      stream->Requeue();
      return 1;
    } else if (code == kTableFlagsCode) {
      flags_ = stream->IntValue();
    } else {
      TakeGroup(*stream);
    }
  }
}

bool DXFTableItem::TakeGroup(const DXFGroup& stream) {
  const short code = stream.Code();
  const int slot = SlotOf(code);
  if (slot < 0) return false;
  GroupValue& value = values_[slot];
  switch (TypeOfCode(code)) {
    case GroupType::kText:
      return Text(code, stream.StringValue()) != 0;
    case GroupType::kReal:
      value.real = stream.RealValue();
      return true;
    case GroupType::kInteger:
      if (!IsRawLineCode(code)) {
        value.integer = stream.IntValue();
        return true;
      }
      // A line that holds no number leaves the value as it was.
      return ParseRawInteger(stream.LineBuffer(), &value.integer);
  }
  return false;
}

int DXFTableItem::Save(DXFGroup* stream, const char* tableName) {
  if (stream == nullptr) return kTableNoStream;
  const char* keyword = tableName != nullptr ? tableName : DXFGroup::KeywordText(kind_);
  int result = stream->PutString(0, keyword);
  if (result == kDxfOk) result = stream->PutString(kTableNameCode, name_.get());
  if (result == kDxfOk) result = stream->PutInteger(kTableFlagsCode, ClampToGroupInteger(flags_));
  if (result == kDxfOk) result = SaveGroups(stream);
  return result;
}

int DXFTableItem::SaveGroups(DXFGroup* stream) {
  for (size_t i = 0; i < codes_.size(); ++i) {
    const short code = codes_[i];
    const GroupValue& value = values_[i];
    int result = kDxfOk;
    switch (TypeOfCode(code)) {
      case GroupType::kText:
        result = stream->PutString(code, value.text.get());
        break;
      case GroupType::kReal:
        result = stream->PutReal(code, value.real);
        break;
      case GroupType::kInteger:
        result = IsRawLineCode(code) && stream->Binary()
                     ? RawLineWriter::Put(stream, code, value.integer)
                     : stream->PutInteger(code, ClampToGroupInteger(value.integer));
        break;
    }
    if (result != kDxfOk) return result;
  }
  return kDxfOk;
}

// ---- The kinds ----

DXFTableLayer::DXFTableLayer(const char* name, int flags)
    : DXFTableItem(kDxfLayer, kLayerCodes, name, flags) {}

DXFTableLayer::DXFTableLayer(const LayerItem* layer)
    : DXFTableLayer(layer != nullptr ? layer->LayerName() : nullptr,
                    layer != nullptr ? layer->LayerFlags() : 0) {
  if (layer != nullptr) Text(kLayerLineTypeCode, GetStyleName(layer->LayerStyle()));
}

DXFTableLType::DXFTableLType(const char* name, int flags)
    : DXFTableItem(kDxfLtype, kLTypeCodes, name, flags) {}

DXFTableLType::~DXFTableLType() {
  ClearDashes();
}

int DXFTableLType::AddDash(double length) {
  auto* dash = new (std::nothrow) LTypeDash(length);
  if (dash == nullptr) return 0;
  if (last_dash_ != nullptr) {
    last_dash_->Next(dash);
  } else {
    first_dash_ = dash;
  }
  last_dash_ = dash;
  ++dash_count_;
  return 1;
}

void DXFTableLType::ClearDashes() {
  while (first_dash_ != nullptr) {
    LTypeDash* next = first_dash_->Next();
    delete first_dash_;
    first_dash_ = next;
  }
  last_dash_ = nullptr;
  dash_count_ = 0;
}

bool DXFTableLType::TakeGroup(const DXFGroup& stream) {
  // A read count is left alone: the count written is always that of the dashes read.
  if (stream.Code() == kLTypeDashCode) return AddDash(stream.RealValue()) != 0;
  return DXFTableItem::TakeGroup(stream);
}

int DXFTableLType::SaveGroups(DXFGroup* stream) {
  int result = DXFTableItem::SaveGroups(stream);
  if (result == kDxfOk) {
    result = stream->PutInteger(kLTypeDashCountCode, ClampToGroupInteger(dash_count_));
  }
  for (const LTypeDash* dash = first_dash_; dash != nullptr && result == kDxfOk;
       dash = dash->Next()) {
    result = stream->PutReal(kLTypeDashCode, dash->Length());
  }
  return result;
}

DXFTableStyle::DXFTableStyle(const char* name, int flags)
    : DXFTableItem(kDxfStyle, kStyleCodes, name, flags) {}

DXFTableView::DXFTableView(const char* name, int flags)
    : DXFTableItem(kDxfView, kViewCodes, name, flags) {}

DXFTableVPort::DXFTableVPort(const char* name, int flags)
    : DXFTableItem(kDxfVport, kVPortCodes, name, flags) {}

DXFTableUCS::DXFTableUCS(const char* name, int flags)
    : DXFTableItem(kDxfUcs, kUcsCodes, name, flags) {}

DXFTableDimStyle::DXFTableDimStyle(const char* name, int flags)
    : DXFTableItem(kDxfDimstyle, kDimStyleCodes, name, flags) {}

DXFTableItem* MakeTableItem(short keywordCode) {
  switch (keywordCode) {
    case kDxfAppid:
      return new (std::nothrow) DXFTableItem();
    case kDxfDimstyle:
      return new (std::nothrow) DXFTableDimStyle();
    case kDxfLayer:
      return new (std::nothrow) DXFTableLayer();
    case kDxfLtype:
      return new (std::nothrow) DXFTableLType();
    case kDxfStyle:
      return new (std::nothrow) DXFTableStyle();
    case kDxfView:
      return new (std::nothrow) DXFTableView();
    case kDxfVport:
      return new (std::nothrow) DXFTableVPort();
    case kDxfUcs:
      return new (std::nothrow) DXFTableUCS();
    default:
      return nullptr;
  }
}

// ---- DXFTable ----

DXFTable::DXFTable(const char* name, int maxEntries)
    : name_(CopyText(name)), max_entries_(maxEntries) {}

DXFTable::~DXFTable() {
  Free();
}

int DXFTable::Name(const char* name) {
  name_ = CopyText(name);
  return name == nullptr || name_ ? 1 : 0;
}

int DXFTable::AddToken(DXFGroup* stream) {
  if (stream == nullptr) return 0;
  for (;;) {
    const int result = stream->GetGroup();
    if (result != kDxfOk) return result;
    const short code = stream->Code();
    if (IsNameGroup(code)) {
      Name(stream->StringValue());
    } else if (code >= kDxfSection) {
      stream->Requeue();
      return 1;
    } else if (code == kTableFlagsCode) {
      max_entries_ = stream->IntValue();
    }
  }
}

int DXFTable::Save(DXFGroup* stream) {
  if (stream == nullptr) return kTableNoStream;
  int result = stream->PutKeyword(kDxfTable);
  if (result == kDxfOk) result = stream->PutString(kTableNameCode, name_.get());
  if (result == kDxfOk) {
    result = stream->PutInteger(kTableFlagsCode, ClampToGroupInteger(max_entries_));
  }
  for (DXFTableItem* item = first_; item != nullptr && result == kDxfOk; item = item->Next())
    result = item->Save(stream, name_.get());
  if (result == kDxfOk) result = stream->PutKeyword(kDxfEndtab);
  return result;
}

DXFTableItem* DXFTable::Add(DXFTableItem* item) {
  return IsFree(first_, item) ? ListLinkAtTail(first_, last_, count_, item) : nullptr;
}

DXFTableItem* DXFTable::Find(const char* name) const {
  for (DXFTableItem* item = first_; item != nullptr; item = item->Next()) {
    if (EqualIgnoringCase(item->Name(), name)) return item;
  }
  return nullptr;
}

int DXFTable::Delete(DXFTableItem* item) {
  if (!ListHolds(first_, last_, item)) return 0;
  ListUnlink(first_, last_, count_, item);
  delete item;
  return 1;
}

void DXFTable::Free() {
  while (first_ != nullptr) {
    DXFTableItem* next = first_->Next();
    delete first_;
    first_ = next;
  }
  last_ = nullptr;
  count_ = 0;
}

// ---- DXFTableList ----

DXFTableList::~DXFTableList() {
  Free();
}

DXFTable* DXFTableList::Add(DXFTable* table) {
  return IsFree(first_, table) ? ListLinkAtTail(first_, last_, count_, table) : nullptr;
}

DXFTable* DXFTableList::Find(const char* name) const {
  for (DXFTable* table = first_; table != nullptr; table = table->Next()) {
    if (EqualIgnoringCase(table->Name(), name)) return table;
  }
  return nullptr;
}

int DXFTableList::Delete(DXFTable* table) {
  if (!ListHolds(first_, last_, table)) return 0;
  ListUnlink(first_, last_, count_, table);
  delete table;
  return 1;
}

void DXFTableList::Free() {
  while (first_ != nullptr) {
    DXFTable* next = first_->Next();
    delete first_;
    first_ = next;
  }
  last_ = nullptr;
  count_ = 0;
}

int DXFTableList::Save(DXFGroup* stream) {
  if (stream == nullptr) return kTableNoStream;
  int result = kDxfOk;
  for (DXFTable* table = first_; table != nullptr && result == kDxfOk; table = table->Next())
    result = table->Save(stream);
  return result;
}
