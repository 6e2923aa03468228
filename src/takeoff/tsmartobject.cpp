#include "takeoff/tsmartobject.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

#include "detail/fixedtext.h"
#include "detail/listlinks.h"
#include "io/dxfgroup.h"
#include "platform/win32.h"
#include "settings/hostglobals.h"
#include "takeoff/smartobjecttypes.h"
#include "takeoff/tobjecttemplate.h"
#include "takeoff/ttgattriblist.h"
#include "takeoff/ttgattribute.h"

namespace {

std::atomic<int> g_live_smart_objects{0};

// Every group code from here up is a keyword (record start or end) rather than a field.
constexpr short kFirstKeywordCode = kDxfSection;

// Group codes of the record's fields.
constexpr short kCodeType = 1;
constexpr short kCodeName = 2;
constexpr short kCodeFields = 60;
constexpr short kCodeLegendOrder = 70;
constexpr short kCodeRoofId = 71;
constexpr short kCodeUserRoofId = 72;

// Types the reading repairs look at.
constexpr int kRoofArea = 6101;
constexpr int kRoofEave = 6105;
constexpr int kRakeEdge = 6107;
constexpr int kRoofOpening = 6110;
constexpr int kRoofPlane = 6112;
constexpr int kPitchedOpening = 6151;

constexpr const char* kPitchTag = "Pitch";
constexpr const char* kHeightTag = "Height";
constexpr const char* kOverhangTag = "Overhang";
constexpr const char* kNameTag = "Name";
constexpr const char* kZeroDouble = "0.0";

// The bit of a section data flag for each of the user's moves.
constexpr int kUserMoveBits = kSODataMovedIn | kSODataMovedOut;

char* DuplicateText(const char* text) {
  if (text == nullptr) return nullptr;
  const size_t size = std::strlen(text) + 1;
  char* const copy = new (std::nothrow) char[size];
  if (copy != nullptr) std::memcpy(copy, text, size);
  return copy;
}

bool SameText(const char* a, const char* b) {
  if (a == nullptr || b == nullptr) return a == b;
  return lstrcmpiA(a, b) == 0;
}

// The attribute's value as a number whatever its data type; 0 when it holds none.
double NumericValue(const TTGAttribute* attrib) {
  switch (attrib->Datatype()) {
    case kDataTypeInteger:
      return attrib->GetIValue();
    case kDataTypeDouble:
      return attrib->GetDValue();
    case kDataTypeString:
      return attrib->GetSValue() != nullptr ? std::strtod(attrib->GetSValue(), nullptr) : 0.0;
    default:
      return 0.0;
  }
}

// The first attribute of that tag (ignoring case) and property source.
TTGAttribute* FindBySourceAndTag(const TTGAttribList* list, int propsource, const char* tag) {
  if (list == nullptr || tag == nullptr) return nullptr;
  for (const TTGAttribItem* item = list->Head(); item != nullptr; item = item->Next()) {
    TTGAttribute* const attrib = item->Attrib();
    if (attrib != nullptr && attrib->Propsource() == propsource &&
        lstrcmpiA(attrib->GetTag(), tag) == 0)
      return attrib;
  }
  return nullptr;
}

int CountTag(const TTGAttribList* list, const char* tag) {
  int count = 0;
  for (const TTGAttribItem* item = list->Head(); item != nullptr; item = item->Next()) {
    if (item->Attrib() != nullptr && lstrcmpiA(item->Attrib()->GetTag(), tag) == 0) ++count;
  }
  return count;
}

}  // namespace

// ---- Construction ----

TSmartObject::TSmartObject() : attribs_(new (std::nothrow) TTGAttribList()) {
  ++g_live_smart_objects;
}

TSmartObject::TSmartObject(const TObjectTemplate* tpl) : TSmartObject() {
  if (tpl == nullptr) return;
  Name(tpl->Name());
  SetGuid(tpl->GetGuid());
  SetRoofGuid(tpl->GetRoofGuid());
  SetGuid3(tpl->GetGuid3());
  type_ = tpl->RFlag();
  not_to_scale_ = tpl->NotToScale();
  fields_ = tpl->Fields();
  user_rid_ = tpl->GetRoofId();
  legend_order_ = tpl->LegendOrder();
  const TTGAttribList* const source = tpl->GetAttribList();
  if (source == nullptr || attribs_ == nullptr) return;
  // Measured attributes (source 0) are the drawing's: the item measures its own.
  for (const TTGAttribItem* item = source->Head(); item != nullptr; item = item->Next()) {
    const TTGAttribute* const attrib = item->Attrib();
    if (attrib != nullptr && attrib->Propsource() == kPropSourceUser) attribs_->Add(attrib->Copy());
  }
  sort_value_ = source->SortValue();
}

TSmartObject::TSmartObject(const TSmartObject& other)
    : rid_(other.rid_),
      user_rid_(other.user_rid_),
      not_to_scale_(other.not_to_scale_),
      type_(other.type_),
      attribs_(other.attribs_ != nullptr ? new (std::nothrow) TTGAttribList(*other.attribs_)
                                         : new (std::nothrow) TTGAttribList()),
      section_data_(other.section_data_),
      legend_order_(other.legend_order_),
      fields_(other.fields_),
      sort_value_(DuplicateText(other.sort_value_)) {
  CopyFixedText(name_, other.name_);
  CopyFixedText(roof_guid_, other.roof_guid_);
  CopyFixedText(guid_, other.guid_);
  CopyFixedText(guid3_, other.guid3_);
  ++g_live_smart_objects;
}

TSmartObject::~TSmartObject() {
  delete attribs_;
  delete[] sort_value_;
  --g_live_smart_objects;
}

int TSmartObject::GetNum() {
  return g_live_smart_objects.load();
}

// ---- Plain fields ----

void TSmartObject::Name(const char* name) {
  CopyFixedText(name_, name);
}

void TSmartObject::NotToScale(bool flag) {
  if (flag == not_to_scale_) return;
  not_to_scale_ = flag;
  if (attribs_ == nullptr) return;
  // Measured values are the drawing's business unless the drawing does not show the item to
  // scale; then the user has to enter them.
  for (const TTGAttribItem* item = attribs_->Head(); item != nullptr; item = item->Next()) {
    TTGAttribute* const attrib = item->Attrib();
    if (attrib != nullptr && attrib->Propsource() == kPropSourceMeasured) attrib->ReadOnly(!flag);
  }
}

void TSmartObject::SetRoofGuid(const char* guid) {
  if (ValidateGuid(guid)) CopyFixedText(roof_guid_, guid);
}

void TSmartObject::SetGuid(const char* guid) {
  if (ValidateGuid(guid)) CopyFixedText(guid_, guid);
}

void TSmartObject::SetGuid3(const char* guid) {
  if (ValidateGuid(guid)) CopyFixedText(guid3_, guid);
}

// ---- Roof identifiers ----

int TSmartObject::SetRoofId(int rid, int userRid) {
  if (rid > -1) rid_ = rid;
  // -1 is a real choice of the user (no roof); anything lower means "leave it".
  if (userRid < -1) return rid_;
  user_rid_ = userRid;
  return user_rid_;
}

int TSmartObject::GetRoofId() const {
  return user_rid_ != 0 ? user_rid_ : rid_;
}

int TSmartObject::ClearRoofId(int id, int all) {
  if (all != 0) {
    rid_ = 0;
    user_rid_ = 0;
    return 1;
  }
  int cleared = 0;
  if (rid_ == id) {
    rid_ = 0;
    cleared = 1;
  }
  if (user_rid_ == id) {
    user_rid_ = 0;
    cleared = 1;
  }
  return cleared;
}

// ---- Attributes ----

TTGAttribList* TSmartObject::EnsureAttribList() {
  if (attribs_ == nullptr) attribs_ = new (std::nothrow) TTGAttribList();
  return attribs_;
}

void TSmartObject::RefreshSortValue() {
  delete[] sort_value_;
  sort_value_ = attribs_ != nullptr ? attribs_->SortValue() : nullptr;
}

void TSmartObject::AddAttrib(TTGAttribute* attrib) {
  if (attrib == nullptr) return;
  if (EnsureAttribList() == nullptr) {
    delete attrib;
    return;
  }
  // Read the value before handing the attribute over: a failed Add deletes it.
  char* const value = attrib->IsSortKey() != 0 ? attrib->GetValue() : nullptr;
  const bool sortKey = attrib->IsSortKey() != 0;
  if (attribs_->Add(attrib) == nullptr || !sortKey) {
    delete[] value;
    return;
  }
  delete[] sort_value_;
  sort_value_ = value;
}

void TSmartObject::AddAttrib(const char* tag, int proptype, int datatype, const char* text,
                             int flag) {
  if (EnsureAttribList() == nullptr) return;
  TTGAttribute* const existing = attribs_->Search(kPropSourceUser, proptype);
  if (existing != nullptr) {
    existing->SetAttrib(datatype, text);
  } else {
    attribs_->Add(new (std::nothrow)
                      TTGAttribute(tag, kPropSourceUser, proptype, datatype, text, flag != 0));
  }
  if (flag != 0) RefreshSortValue();
}

int TSmartObject::SetFound(TTGAttribute* attrib, int datatype, const char* text) {
  if (attrib == nullptr) return 0;
  attrib->SetAttrib(datatype, text);
  if (attrib->IsSortKey() != 0) RefreshSortValue();
  return 1;
}

int TSmartObject::SetAttrib(const char* tag, int datatype, const char* text) {
  if (attribs_ == nullptr || tag == nullptr) return 0;
  return SetFound(attribs_->Search(tag), datatype, text);
}

int TSmartObject::SetAttrib(int proptype, int datatype, const char* text) {
  if (attribs_ == nullptr) return 0;
  return SetFound(attribs_->Search(kPropSourceUser, proptype), datatype, text);
}

int TSmartObject::SetAttrib(int propsource, int proptype, int datatype, const char* text) {
  if (attribs_ == nullptr) return 0;
  return SetFound(attribs_->Search(propsource, proptype), datatype, text);
}

int TSmartObject::SetAttrib(const char* tag, int propsource, int proptype, int datatype,
                            const char* text, bool create) {
  if (EnsureAttribList() == nullptr) return 0;
  // A property type names the attribute; without one ("RoofID") only the tag can.
  TTGAttribute* const found = proptype != kPropNone ? attribs_->Search(propsource, proptype)
                                                    : FindBySourceAndTag(attribs_, propsource, tag);
  if (found != nullptr) return SetFound(found, datatype, text);
  if (!create) return 0;
  const bool editable =
      propsource == kPropSourceUser || (propsource == kPropSourceMeasured && not_to_scale_);
  TTGAttribute* const attrib =
      new (std::nothrow) TTGAttribute(tag, propsource, proptype, datatype, text, !editable);
  if (attrib == nullptr) return 0;
  return attribs_->Add(attrib) != nullptr ? 1 : 0;
}

int TSmartObject::GetAttrib(const char* tag, int datatype, char* buffer, int size) const {
  const TTGAttribute* const attrib = HasAttrib(tag);
  return attrib != nullptr ? attrib->GetAttrib(datatype, buffer, size) : 0;
}

int TSmartObject::GetAttrib(int proptype, int datatype, char* buffer, int size) const {
  const TTGAttribute* const attrib = HasAttrib(proptype);
  return attrib != nullptr ? attrib->GetAttrib(datatype, buffer, size) : 0;
}

int TSmartObject::GetAttrib(int propsource, int proptype, int datatype, char* buffer,
                            int size) const {
  const TTGAttribute* const attrib = GetAttribute(propsource, proptype);
  return attrib != nullptr ? attrib->GetAttrib(datatype, buffer, size) : 0;
}

TTGAttribute* TSmartObject::GetAttribute(int propsource, int proptype) const {
  return attribs_ != nullptr ? attribs_->Search(propsource, proptype) : nullptr;
}

TTGAttribute* TSmartObject::HasAttrib(const char* tag) const {
  if (attribs_ == nullptr || tag == nullptr) return nullptr;
  return attribs_->Search(tag);
}

TTGAttribute* TSmartObject::HasAttrib(int proptype) const {
  return attribs_ != nullptr ? attribs_->Search(proptype) : nullptr;
}

int TSmartObject::HasAttributes() const {
  return attribs_ != nullptr ? attribs_->Noofattribs(true) : 0;
}

int TSmartObject::RemoveAttrib(const char* tag) {
  if (attribs_ == nullptr || tag == nullptr) return 0;
  TTGAttribItem* const item = attribs_->Remove(tag);
  if (item == nullptr) return 0;
  const bool sortKey = item->Attrib() != nullptr && item->Attrib()->IsSortKey() != 0;
  delete item;
  // The cached text must not outlive the attribute it was taken from.
  if (sortKey) RefreshSortValue();
  return 1;
}

void TSmartObject::ClearAttribs() {
  if (attribs_ != nullptr) attribs_->Clear(true);
  RefreshSortValue();
}

const char* TSmartObject::SortTag() const {
  return attribs_ != nullptr ? attribs_->SortTag() : nullptr;
}

// ---- Section data ----

TSOData* TSmartObject::SetSectionData(const char* section, double area, double length, int count) {
  TSOData* entry = section_data_.Search(section);
  if (entry == nullptr) {
    entry = new (std::nothrow) TSOData(section, area, length, count, kSODataComputed);
    if (entry == nullptr) return nullptr;
    section_data_.Add(entry);
    return entry;
  }
  entry->Area(area);
  entry->Length(length);
  entry->Count(count);
  return entry;
}

TSOData* TSmartObject::GetSectionData(const char* section) const {
  return section_data_.Search(section);
}

void TSmartObject::AddSectionData(TSOData* data) {
  section_data_.Add(data);
}

int TSmartObject::RemoveSectionData(TSOData* data) {
  TSOData* const removed = section_data_.Remove(data);
  if (removed == nullptr) return 0;
  delete removed;
  return 1;
}

int TSmartObject::ClearSectionData(const char* section, int all) {
  if (all != 0) {
    const int count = section_data_.NoofObjs();
    section_data_.Clear(true);
    return count;
  }
  int deleted = 0;
  TSOData* entry = section_data_.Head();
  while (entry != nullptr) {
    TSOData* const next = entry->Next();
    const bool doomed = section != nullptr ? SameText(entry->SectionName(), section)
                                           : (entry->GetFlag() & kUserMoveBits) == 0;
    if (doomed) deleted += RemoveSectionData(entry);
    entry = next;
  }
  return deleted;
}

int TSmartObject::GetSectionTotals(double& area, double& length, int& count) const {
  area = 0.0;
  length = 0.0;
  count = 0;
  int summed = 0;
  for (const TSOData* entry = section_data_.Head(); entry != nullptr; entry = entry->Next()) {
    // Quantities the user moved out of a section belong to the section they moved to, and the
    // nameless entry is the remainder outside every section.
    if (entry->SectionName() == nullptr || entry->GetFlag() == kSODataMovedOut) continue;
    area += entry->Area();
    length += entry->Length();
    count += entry->Count();
    ++summed;
  }
  return summed;
}

int TSmartObject::MoveSectionData(const char* fromSection, const char* toSection) {
  TSOData* const source = section_data_.Search(fromSection);
  if (source == nullptr) return 0;
  // Moving into the section the quantities are already in would mark them as moved out of it.
  if (SameText(fromSection, toSection)) return 0;
  TSOData* const target = section_data_.Search(toSection);
  if (target != nullptr && source->GetFlag() == kSODataMovedIn &&
      target->GetFlag() == kSODataMovedOut) {
    // Moving back undoes the earlier move.
    target->SetFlag(kSODataComputed);
    RemoveSectionData(source);
    return 1;
  }
  TSOData* const moved = new (std::nothrow) TSOData(*source);
  if (moved == nullptr) return 0;
  moved->SectionName(toSection);
  moved->SetFlag(kSODataMovedIn);
  section_data_.Add(moved);
  source->SetFlag(kSODataMovedOut);
  return 1;
}

// ---- Records ----

int TSmartObject::Save(DXFGroup* stream) const {
  if (stream == nullptr) return kDxfEnd;
  int rc = stream->PutKeyword(kDxfSmartObject);
  if (rc == 0) rc = stream->PutString(kCodeType, GetSmartObjectName(type_ - kGenericSmartObject));
  if (rc == 0) rc = stream->PutString(kCodeName, name_);
  if (rc == 0) rc = stream->PutInteger(kCodeFields, ClampToGroupInteger(fields_));
  if (rc == 0) rc = stream->PutInteger(kCodeLegendOrder, ClampToGroupInteger(legend_order_));
  if (rc == 0 && rid_ != 0) rc = stream->PutInteger(kCodeRoofId, ClampToGroupInteger(rid_));
  if (rc == 0 && user_rid_ != 0)
    rc = stream->PutInteger(kCodeUserRoofId, ClampToGroupInteger(user_rid_));
  if (rc == 0 && attribs_ != nullptr) rc = attribs_->Save(stream, false);
  // Computed entries are rebuilt by the section assignment; only the user's moves are kept.
  for (const TSOData* entry = section_data_.Head(); rc == 0 && entry != nullptr;
       entry = entry->Next()) {
    if (entry->GetFlag() != kSODataComputed) rc = entry->Save(stream);
  }
  if (rc == 0) rc = stream->PutKeyword(kDxfEndSmartObj);
  return rc;
}

int TSmartObject::ReadAttribute(DXFGroup* stream) {
  TTGAttribute* const attrib = new (std::nothrow) TTGAttribute();
  if (attrib == nullptr) return kDxfEnd;
  const int rc = attrib->AddToken(stream);
  if (rc != 0) {
    delete attrib;
    return rc;
  }
  AddAttrib(attrib);
  return 0;
}

int TSmartObject::ReadSectionData(DXFGroup* stream) {
  TSOData* const entry = new (std::nothrow) TSOData();
  if (entry == nullptr) return kDxfEnd;
  const int rc = entry->AddToken(stream);
  if (rc != 0) {
    delete entry;
    return rc;
  }
  section_data_.Add(entry);
  return 0;
}

int TSmartObject::AddToken(DXFGroup* stream) {
  if (stream == nullptr) return kDxfEnd;
  for (bool reading = true; reading;) {
    int rc = stream->GetGroup();
    if (rc != 0) return rc;
    switch (stream->Code()) {
      case kCodeType:
        type_ = GetSmartObjectType(stream->StringValue());
        break;
      case kCodeName:
        Name(stream->StringValue());
        break;
      case kCodeFields:
        fields_ = stream->IntValue();
        break;
      case kCodeLegendOrder:
        legend_order_ = stream->IntValue();
        break;
      case kCodeRoofId:
        rid_ = stream->IntValue();
        break;
      case kCodeUserRoofId:
        user_rid_ = stream->IntValue();
        break;
      case kDxfAttrib:
        rc = ReadAttribute(stream);
        break;
      case kDxfSectionData:
        rc = ReadSectionData(stream);
        break;
      case kDxfEndSmartObj:
        reading = false;
        break;
      default:
        // The next record began without our end marker: leave it to the caller.
        if (stream->Code() >= kFirstKeywordCode) {
          stream->Requeue();
          reading = false;
        }
        break;
    }
    if (rc != 0) return rc;
  }
  RepairOldRecord();
  return 0;
}

// ---- Repairs of records written by older versions ----

void TSmartObject::AddMissingDouble(const char* tag, int proptype) {
  if (HasAttrib(tag) != nullptr) return;
  AddAttrib(new (std::nothrow) TTGAttribute(tag, proptype, kDataTypeDouble, kZeroDouble, 0, false));
}

void TSmartObject::KeepFirstTag(const char* tag) {
  if (attribs_ == nullptr || CountTag(attribs_, tag) < 2) return;
  TTGAttribList* const kept = new (std::nothrow) TTGAttribList();
  if (kept == nullptr) return;
  bool seen = false;
  for (TTGAttribItem* item = attribs_->Head(); item != nullptr; item = item->Next()) {
    const TTGAttribute* const attrib = item->Attrib();
    const bool match = attrib != nullptr && lstrcmpiA(attrib->GetTag(), tag) == 0;
    if (match && seen) continue;  // stays behind and is deleted with the old list
    seen = seen || match;
    kept->Add(item->Release());
  }
  delete attribs_;
  attribs_ = kept;
  RefreshSortValue();
}

void TSmartObject::RepairOldRecord() {
  if (type_ == kRoofEave) {
    AddMissingDouble(kPitchTag, kPropPitch);
    AddMissingDouble(kHeightTag, kPropHeight);
  }
  if (type_ == kRoofEave || type_ == kRakeEdge) AddMissingDouble(kOverhangTag, kPropOverhang);
  if (type_ == kRoofArea || type_ == kRoofPlane) {
    while (RemoveAttrib(kHeightTag) != 0) {
    }
  }
  if (IsRoof(type_)) KeepFirstTag(kNameTag);
  if (type_ == kRoofOpening) {
    const TTGAttribute* const pitch = HasAttrib(kPitchTag);
    if (pitch != nullptr) {
      if (NumericValue(pitch) > 0.0) {
        type_ = kPitchedOpening;
      } else {
        RemoveAttrib(kPitchTag);
      }
    }
  }
  if (IsRoof(type_)) {
    const TTGAttribute* const pitch = HasAttrib(kPitchTag);
    if (pitch != nullptr && NumericValue(pitch) == 0.0) RemoveAttrib(kPitchTag);
  }
}

// ---- The list ----

TSmartObjectList::TSmartObjectList(TSmartObject* one) {
  Add(one);
}

TSmartObjectList::TSmartObjectList(const TSmartObjectList& other) {
  for (const TSmartObject* item = other.head_; item != nullptr; item = item->next_)
    Add(new (std::nothrow) TSmartObject(*item));
}

TSmartObjectList::~TSmartObjectList() {
  Clear(true);
}

void TSmartObjectList::Add(TSmartObject* item) {
  // A linked item, or the single item of this list, belongs to a list already.
  if (item == nullptr || item->next_ != nullptr || item->prev_ != nullptr || item == head_) return;
  item->prev_ = tail_;
  if (tail_ != nullptr) {
    tail_->next_ = item;
  } else {
    head_ = item;
  }
  tail_ = item;
  ++count_;
}

TSmartObject* TSmartObjectList::Remove(TSmartObject* item) {
  if (!ListHolds<TSmartObject>(head_, tail_, item)) return nullptr;
  if (item->prev_ != nullptr) {
    item->prev_->next_ = item->next_;
  } else {
    head_ = item->next_;
  }
  if (item->next_ != nullptr) {
    item->next_->prev_ = item->prev_;
  } else {
    tail_ = item->prev_;
  }
  item->next_ = nullptr;
  item->prev_ = nullptr;
  --count_;
  return item;
}

TSmartObject* TSmartObjectList::Search(const char* name) const {
  if (name == nullptr) return nullptr;
  for (TSmartObject* item = head_; item != nullptr; item = item->next_) {
    if (lstrcmpiA(item->Name(), name) == 0) return item;
  }
  return nullptr;
}

TSmartObject* TSmartObjectList::Search(int index) const {
  if (index < 1 || index > count_) return nullptr;
  TSmartObject* item = head_;
  for (int i = 1; i < index && item != nullptr; ++i)
    item = item->next_;
  return item;
}

bool TSmartObjectList::Ident(const TSmartObjectList* other) const {
  // No list at all holds no names, like an empty one.
  const TSmartObject* theirs = other != nullptr ? other->head_ : nullptr;
  const TSmartObject* ours = head_;
  for (; ours != nullptr && theirs != nullptr; ours = ours->next_, theirs = theirs->next_) {
    if (lstrcmpiA(ours->Name(), theirs->Name()) != 0) return false;
  }
  return ours == nullptr && theirs == nullptr;
}

void TSmartObjectList::Clear(bool deleteItems) {
  TSmartObject* item = head_;
  while (item != nullptr) {
    TSmartObject* const next = item->next_;
    item->next_ = nullptr;
    item->prev_ = nullptr;
    if (deleteItems) delete item;
    item = next;
  }
  head_ = nullptr;
  tail_ = nullptr;
  count_ = 0;
}

int TSmartObjectList::Import(const TSmartObjectList* other) {
  // Importing itself would delete the items before copying them.
  if (other == this) return count_;
  Clear(true);
  if (other == nullptr) return 0;
  for (const TSmartObject* item = other->head_; item != nullptr; item = item->next_)
    Add(new (std::nothrow) TSmartObject(*item));
  return count_;
}
