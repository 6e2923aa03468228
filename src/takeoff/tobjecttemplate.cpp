// Takeoff templates: construction and deep copies, the default profile of a type, the tool rules
// that decide which size attributes are measured, and the repairs made to templates read from
// older files.
#include "takeoff/tobjecttemplate.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <new>

#include "detail/fixedtext.h"
#include "entities/block3d.h"
#include "entities/text3d.h"
#include "platform/win32.h"
#include "takeoff/smartobjecttypes.h"
#include "takeoff/tsmartobject.h"
#include "takeoff/ttgattriblist.h"
#include "takeoff/ttgattribute.h"

static_assert(kTemplateNameSize == kSmartObjectNameSize, "a template name fits an item name");
static_assert(kTemplateGuidSize == kSmartObjectGuidSize, "template GUIDs fit item GUIDs");

namespace {

// Types the tool rules and repairs look at.
constexpr int kRoofArea = 6101;
constexpr int kRoofEave = 6105;
constexpr int kRakeEdge = 6107;
constexpr int kRoofOpening = 6110;
constexpr int kRoofPlane = 6112;
constexpr int kPitchedRoof = 6114;
constexpr int kLengthCondition = 6116;
constexpr int kCountCondition = 6117;
constexpr int kWalkpad = 6139;
constexpr int kScreenOnSleeper = 6143;
constexpr int kPitchedOpening = 6151;
constexpr int kPitchedLengthCondition = 6177;
constexpr int kPitchedCountCondition = 6178;
// Only these types have size attributes a tool can measure.
constexpr int kFirstToolRuledType = 6108;
constexpr int kLastToolRuledType = 6180;

// Items with a box of their own (curbs, hatches, skylights...) and the area patches.
constexpr int kBoxTypes[] = {6108, 6122, 6123, 6126, 6134, 6159, 6160, 6161, 6162, 6163};
constexpr int kPatchTypes[] = {6115, 6119, 6176, 6180};
// The box items whose templates must carry a length and a width.
constexpr int kSizedTypes[] = {6108, 6122, 6123, 6126, 6127, 6130, 6134,
                               6143, 6159, 6160, 6161, 6162, 6163};

// Host drawing tools, grouped by what they let the drawing measure.
constexpr int kLinearTools[] = {1, 6, 17};        // along a line
constexpr int kBoxMeasuringTools[] = {8, 9, 19};  // a drawn plane or outline
constexpr int kTypedSizeTools[] = {10, 21};       // a point: sizes typed in
constexpr int kPatchMeasuringTools[] = {2, 8, 9, 19, 29};
constexpr int kNonLinearTools[] = {2, 8, 9, 10, 19, 21, 29};
constexpr int kWalkpadTypedTools[] = {1, 6, 8, 9, 17, 19};
constexpr int kScreenMeasuringTools[] = {1, 6, 17, 19};
constexpr int kOldLineTool = 11;  // the line tool of files older than 3.1
constexpr int kLineTool = 1;

constexpr const char* kLengthTag = "Length";
constexpr const char* kWidthTag = "Width";
constexpr const char* kCountTag = "Count";
constexpr const char* kOnCenterTag = "On Center";
constexpr const char* kSpacingTag = "Spacing";
constexpr const char* kPitchTag = "Pitch";
constexpr const char* kHeightTag = "Height";
constexpr const char* kOverhangTag = "Overhang";
constexpr const char* kRoofPlaneIdTag = "RoofPlaneID";
constexpr const char* kZeroDouble = "0.0";
constexpr const char* kZeroId = "0";
constexpr const char* kUnitSize = "1.0";
constexpr const char* kOneCount = "1";
constexpr const char* kBoxLength = "8.0";
constexpr const char* kBoxWidth = "10.0";

// Opening templates that have always meant a pitched opening, and flat roof templates that
// have always meant a pitched roof.
constexpr const char* kPitchedOpeningNames[] = {"Pitched Opening", "Pitched Opening (Dig)"};
constexpr const char* kPitchedRoofNames[] = {"Roof Perimeter", "Roof Perimeter (Dig)"};

template <size_t N>
bool Among(int value, const int (&set)[N]) {
  for (const int member : set)
    if (member == value) return true;
  return false;
}

template <size_t N>
bool NameAmong(const char* name, const char* const (&names)[N]) {
  for (const char* candidate : names)
    if (lstrcmpiA(name, candidate) == 0) return true;
  return false;
}

char* DuplicateText(const char* text) {
  if (text == nullptr) return nullptr;
  const size_t size = std::strlen(text) + 1;
  char* const copy = new (std::nothrow) char[size];
  if (copy != nullptr) std::memcpy(copy, text, size);
  return copy;
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

// The first attribute of that tag (ignoring case), whatever its property source.
TTGAttribute* FindTag(const TTGAttribList* list, const char* tag) {
  if (list == nullptr) return nullptr;
  for (const TTGAttribItem* item = list->Head(); item != nullptr; item = item->Next()) {
    TTGAttribute* const attrib = item->Attrib();
    if (attrib != nullptr && lstrcmpiA(attrib->GetTag(), tag) == 0) return attrib;
  }
  return nullptr;
}

TTGAttribute* FindType(const TTGAttribList* list, int proptype) {
  return list != nullptr ? list->Search(proptype) : nullptr;
}

// A measured size comes from the drawing, so the user may not change it, unless the drawing is
// not to scale and there is nothing to measure.
void MakeMeasured(TTGAttribute* attrib, bool notToScale) {
  if (attrib == nullptr) return;
  attrib->Propsource(kPropSourceMeasured);
  attrib->ReadOnly(!notToScale);
}

void MakeTyped(TTGAttribute* attrib) {
  if (attrib == nullptr) return;
  attrib->Propsource(kPropSourceUser);
  attrib->ReadOnly(false);
}

Text3D* NewLabel(const Text3D* from) {
  return from != nullptr ? new (std::nothrow) Text3D(from) : new (std::nothrow) Text3D();
}

}  // namespace

// ---- Construction ----

TObjectTemplate::TObjectTemplate()
    : type_(kGenericSmartObject),
      tool_(kDefaultTool),
      text_(NewLabel(nullptr)),
      attribs_(new (std::nothrow) TTGAttribList()) {}

TObjectTemplate::TObjectTemplate(const char* name, int type, int colour, int linetype,
                                 int thickness, int fillColour, int fillPattern)
    : type_(type),
      tool_(kDefaultTool),
      text_(NewLabel(nullptr)),
      attribs_(new (std::nothrow) TTGAttribList()),
      colour_(colour),
      linetype_(linetype),
      thickness_(thickness),
      fill_colour_(fillColour),
      fill_pattern_(fillPattern) {
  Name(name);
  SetupTemplate(type);
}

TObjectTemplate::TObjectTemplate(const TObjectTemplate& other)
    : type_(other.type_), tool_(other.tool_) {
  CopyFrom(other);
}

TObjectTemplate& TObjectTemplate::operator=(const TObjectTemplate& other) {
  if (this != &other) CopyFrom(other);
  return *this;
}

TObjectTemplate::~TObjectTemplate() {
  delete[] layername_;
  delete symbol_;
  delete text_;
  delete attribs_;
}

TObjectTemplate* TObjectTemplate::Copy() const {
  return new (std::nothrow) TObjectTemplate(*this);
}

void TObjectTemplate::Set(const TObjectTemplate* other) {
  if (other != nullptr && other != this) CopyFrom(*other);
}

void TObjectTemplate::CopyFrom(const TObjectTemplate& other) {
  // Build the owned parts first, so a copy that runs out of memory leaves nothing half-owned.
  char* const layername = DuplicateText(other.layername_);
  Block3D* const symbol =
      other.symbol_ != nullptr ? new (std::nothrow) Block3D(other.symbol_) : nullptr;
  Text3D* const text = NewLabel(other.text_);
  TTGAttribList* const attribs = other.attribs_ != nullptr ? new (std::nothrow)
                                                                 TTGAttribList(*other.attribs_)
                                                           : new (std::nothrow) TTGAttribList();
  delete[] layername_;
  delete symbol_;
  delete text_;
  delete attribs_;
  layername_ = layername;
  symbol_ = symbol;
  text_ = text;
  attribs_ = attribs;

  CopyFixedText(name_, other.name_);
  type_ = other.type_;
  tool_ = other.tool_;
  not_to_scale_ = other.not_to_scale_;
  colour_ = other.colour_;
  linetype_ = other.linetype_;
  thickness_ = other.thickness_;
  fill_colour_ = other.fill_colour_;
  fill_pattern_ = other.fill_pattern_;
  legend_order_ = other.legend_order_;
  fields_ = other.fields_;
  option_ = other.option_;
  roof_id_ = other.roof_id_;
  CopyFixedText(guid_, other.guid_);
  CopyFixedText(roof_guid_, other.roof_guid_);
  CopyFixedText(guid3_, other.guid3_);
}

// ---- Plain fields ----

void TObjectTemplate::Layername(const char* name) {
  delete[] layername_;
  layername_ = name != nullptr && name[0] != '\0' ? DuplicateText(name) : nullptr;
}

void TObjectTemplate::Name(const char* name) {
  CopyFixedText(name_, name);
}

void TObjectTemplate::NotToScale(bool flag) {
  not_to_scale_ = flag;
  Tool(tool_);
}

void TObjectTemplate::SetGuid(const char* guid) {
  CopyFixedText(guid_, guid);
}

void TObjectTemplate::SetRoofGuid(const char* guid) {
  CopyFixedText(roof_guid_, guid);
}

void TObjectTemplate::SetGuid3(const char* guid) {
  CopyFixedText(guid3_, guid);
}

void TObjectTemplate::SetSymbol(Block3D* symbol) {
  if (symbol == symbol_) return;
  delete symbol_;
  symbol_ = symbol;
}

void TObjectTemplate::SetText(Text3D* text) {
  if (text != nullptr && text == text_) return;
  delete text_;
  text_ = text != nullptr ? text : NewLabel(nullptr);
}

// ---- Type and tool ----

void TObjectTemplate::SetupTemplate(int type) {
  type_ = type;
  ClearAttribs();
  const SmartObjectProfile* const profile = GetSmartObjectProfile(type);
  if (profile == nullptr) return;
  for (int i = 0; i < profile->attribute_count; ++i) {
    const AttributeDefault& d = profile->attributes[i];
    AddAttrib(new (std::nothrow) TTGAttribute(d.tag, kPropSourceUser, d.proptype, d.datatype,
                                              d.text, d.read_only));
  }
  fields_ |= profile->fields;
  Tool(profile->tool);
}

int TObjectTemplate::Tool(int tool) {
  tool_ = tool;
  ApplyToolRules();
  return tool_;
}

void TObjectTemplate::ApplyToolRules() {
  if (type_ < kFirstToolRuledType || type_ > kLastToolRuledType || attribs_ == nullptr) return;
  TTGAttribute* const length = FindType(attribs_, kPropLength);
  TTGAttribute* const width = FindType(attribs_, kPropWidth);

  if (Among(type_, kBoxTypes) || Among(type_, kPatchTypes)) {
    const bool measures = Among(type_, kBoxTypes) ? Among(tool_, kBoxMeasuringTools)
                                                  : Among(tool_, kPatchMeasuringTools);
    if (measures) {
      MakeMeasured(length, not_to_scale_);
      MakeMeasured(width, not_to_scale_);
    } else if (Among(tool_, kTypedSizeTools)) {
      MakeTyped(length);
      MakeTyped(width);
    }
    return;
  }
  if (type_ == kLengthCondition || type_ == kPitchedLengthCondition) {
    if (Among(tool_, kLinearTools)) {
      MakeMeasured(length, not_to_scale_);
    } else if (Among(tool_, kNonLinearTools)) {
      MakeTyped(length);
    }
    return;
  }
  if (type_ == kCountCondition || type_ == kPitchedCountCondition) {
    // Along a line the condition is counted by its spacing; anywhere else by a typed count.
    TTGAttribute* const spacing = FindType(attribs_, kPropSpacing);
    if (spacing != nullptr) {
      spacing->Proptype(kPropCount);
      spacing->SetTag(kCountTag);
    }
    TTGAttribute* const count = FindType(attribs_, kPropCount);
    if (count == nullptr) return;
    if (Among(tool_, kLinearTools)) {
      count->Proptype(kPropSpacing);
      count->SetTag(kOnCenterTag);
      MakeTyped(count);
    } else if (Among(tool_, kNonLinearTools)) {
      MakeTyped(count);
    }
    return;
  }
  if (type_ == kWalkpad) {
    TTGAttribute* const spacing = FindType(attribs_, kPropSpacing);
    if (Among(tool_, kWalkpadTypedTools)) {
      MakeTyped(spacing);
    } else if (Among(tool_, kTypedSizeTools)) {
      MakeMeasured(spacing, not_to_scale_);
    }
    return;
  }
  if (type_ == kScreenOnSleeper) {
    if (Among(tool_, kScreenMeasuringTools)) {
      MakeMeasured(length, not_to_scale_);
    } else if (Among(tool_, kTypedSizeTools)) {
      MakeTyped(length);
    }
  }
}

void TObjectTemplate::AddMissing(int proptype, const char* tag, const char* text) {
  if (FindType(attribs_, proptype) == nullptr)
    AddAttrib(tag, proptype, kDataTypeDouble, false, text);
}

void TObjectTemplate::ValidateAttribs() {
  if (Among(type_, kSizedTypes)) {
    AddMissing(kPropLength, kLengthTag, kBoxLength);
    AddMissing(kPropWidth, kWidthTag, kBoxWidth);
  } else if (Among(type_, kPatchTypes)) {
    AddMissing(kPropLength, kLengthTag, kUnitSize);
    AddMissing(kPropWidth, kWidthTag, kUnitSize);
  } else if (type_ == kLengthCondition || type_ == kPitchedLengthCondition) {
    AddMissing(kPropLength, kLengthTag, kUnitSize);
  } else if (type_ == kCountCondition || type_ == kPitchedCountCondition) {
    // A spacing is the count of a condition placed along a line.
    if (FindType(attribs_, kPropSpacing) == nullptr) AddMissing(kPropCount, kCountTag, kOneCount);
  } else if (type_ == kWalkpad) {
    AddMissing(kPropSpacing, kSpacingTag, kUnitSize);
  }
  Tool(tool_);
}

// ---- Attributes ----

TTGAttribList* TObjectTemplate::EnsureAttribList() {
  if (attribs_ == nullptr) attribs_ = new (std::nothrow) TTGAttribList();
  return attribs_;
}

TTGAttribute* TObjectTemplate::AddAttrib(const char* tag, int proptype, int datatype, bool readOnly,
                                         const char* text) {
  if (EnsureAttribList() == nullptr) return nullptr;
  TTGAttribute* const attrib =
      new (std::nothrow) TTGAttribute(tag, kPropSourceUser, proptype, datatype, text, readOnly);
  TTGAttribItem* const item = attribs_->Add(attrib);
  return item != nullptr ? item->Attrib() : nullptr;
}

void TObjectTemplate::AddAttrib(TTGAttribute* attrib) {
  if (attrib == nullptr) return;
  if (EnsureAttribList() == nullptr) {
    delete attrib;
    return;
  }
  attribs_->Add(attrib);
}

int TObjectTemplate::GetAttrib(const char* tag, int datatype, char* buffer, int size) const {
  if (attribs_ == nullptr || tag == nullptr) return 0;
  const TTGAttribute* const attrib = attribs_->Search(tag);
  return attrib != nullptr ? attrib->GetAttrib(datatype, buffer, size) : 0;
}

int TObjectTemplate::GetAttrib(int propsource, int proptype, int datatype, char* buffer,
                               int size) const {
  const TTGAttribute* const attrib = GetAttribute(propsource, proptype);
  return attrib != nullptr ? attrib->GetAttrib(datatype, buffer, size) : 0;
}

TTGAttribute* TObjectTemplate::GetAttribute(int propsource, int proptype) const {
  return attribs_ != nullptr ? attribs_->Search(propsource, proptype) : nullptr;
}

TTGAttribute* TObjectTemplate::GetAttribute(int proptype) const {
  return FindType(attribs_, proptype);
}

int TObjectTemplate::SetAttrib(const char* tag, int datatype, const char* text) {
  if (attribs_ == nullptr || tag == nullptr) return 0;
  TTGAttribute* const attrib = attribs_->Search(tag);
  if (attrib == nullptr) return 0;
  attrib->SetAttrib(datatype, text);
  return 1;
}

int TObjectTemplate::SetAttrib(int propsource, int proptype, int datatype, const char* text) {
  TTGAttribute* const attrib = GetAttribute(propsource, proptype);
  if (attrib == nullptr) return 0;
  attrib->SetAttrib(datatype, text);
  return 1;
}

int TObjectTemplate::SetAttribProps(int proptype, int propsource, int datatype, const char* text,
                                    bool readOnly) {
  TTGAttribute* const attrib = GetAttribute(proptype);
  if (attrib == nullptr) return 0;
  attrib->Propsource(propsource);
  attrib->SetAttrib(datatype, text);
  attrib->ReadOnly(readOnly);
  return 1;
}

int TObjectTemplate::SetPropertySource(int proptype, int propsource) {
  TTGAttribute* const attrib = GetAttribute(proptype);
  if (attrib == nullptr) return 0;
  attrib->Propsource(propsource);
  return 1;
}

int TObjectTemplate::SetReadOnly(int proptype, bool readOnly, int propsource) {
  TTGAttribute* const attrib = GetAttribute(proptype);
  if (attrib == nullptr) return 0;
  attrib->ReadOnly(readOnly);
  attrib->Propsource(propsource);
  return 1;
}

bool TObjectTemplate::IsReadOnly(int proptype) const {
  const TTGAttribute* const attrib = GetAttribute(proptype);
  return attrib != nullptr && attrib->ReadOnly();
}

int TObjectTemplate::HasAttributes() const {
  return attribs_ != nullptr ? attribs_->Noofattribs(true) : 0;
}

void TObjectTemplate::ClearAttribs() {
  if (attribs_ != nullptr) attribs_->Clear(true);
}

void TObjectTemplate::ClearReadOnlyAttribs() {
  if (attribs_ == nullptr) return;
  TTGAttribList* const kept = new (std::nothrow) TTGAttribList();
  if (kept == nullptr) return;
  for (TTGAttribItem* item = attribs_->Head(); item != nullptr; item = item->Next()) {
    // Read-only attributes stay behind and are deleted with the old list.
    if (item->Attrib() != nullptr && !item->Attrib()->ReadOnly()) kept->Add(item->Release());
  }
  delete attribs_;
  attribs_ = kept;
}

// ---- Repairs of templates read from older files ----

void TObjectTemplate::RemoveTag(const char* tag) {
  if (attribs_ == nullptr) return;
  while (TTGAttribItem* const item = attribs_->Remove(tag))
    delete item;
}

void TObjectTemplate::MakePitchedOpening() {
  type_ = kPitchedOpening;
  if (FindTag(attribs_, kPitchTag) == nullptr)
    AddAttrib(kPitchTag, kPropPitch, kDataTypeDouble, false, kZeroDouble);
  // The flat opening's roof reference becomes a reference to the roof plane it is cut into.
  TTGAttribute* const reference = FindType(attribs_, kPropNone);
  if (reference != nullptr) {
    reference->Set(kRoofPlaneIdTag, kPropSourceUser, kPropRoofPlaneId, kDataTypeString, kZeroId,
                   true);
  } else if (FindType(attribs_, kPropRoofPlaneId) == nullptr) {
    AddAttrib(kRoofPlaneIdTag, kPropRoofPlaneId, kDataTypeString, true, kZeroId);
  }
}

void TObjectTemplate::RepairAfterRead(int versionFlags) {
  if ((versionFlags & kTemplateFileBefore31) != 0 && tool_ == kOldLineTool) tool_ = kLineTool;

  if (type_ == kRoofEave) {
    if (FindTag(attribs_, kPitchTag) == nullptr)
      AddAttrib(kPitchTag, kPropPitch, kDataTypeDouble, false, kZeroDouble);
    if (FindTag(attribs_, kHeightTag) == nullptr)
      AddAttrib(kHeightTag, kPropHeight, kDataTypeDouble, false, kZeroDouble);
  }
  if ((type_ == kRoofEave || type_ == kRakeEdge) && FindTag(attribs_, kOverhangTag) == nullptr)
    AddAttrib(kOverhangTag, kPropOverhang, kDataTypeDouble, false, kZeroDouble);
  if (type_ == kRoofArea || type_ == kRoofPlane) RemoveTag(kHeightTag);

  if (type_ == kRoofOpening) {
    const TTGAttribute* const pitch = FindTag(attribs_, kPitchTag);
    if (NameAmong(name_, kPitchedOpeningNames) || (pitch != nullptr && NumericValue(pitch) > 0.0))
      MakePitchedOpening();
    else if (pitch != nullptr)
      RemoveTag(kPitchTag);
  }

  // A roof's pitch belongs to its planes, not to the roof template.
  if (IsRoof(type_)) RemoveTag(kPitchTag);
  if (type_ == kRoofArea && NameAmong(name_, kPitchedRoofNames)) type_ = kPitchedRoof;

  // The opening takes its pitch from the plane it is cut into.
  if (type_ == kPitchedOpening) {
    TTGAttribute* const pitch = FindType(attribs_, kPropPitch);
    if (pitch != nullptr) {
      pitch->ReadOnly(true);
      pitch->Propsource(kPropSourceUser);
    }
  }

  if (fill_colour_ < 0) fill_pattern_ = kTemplateNoFillPattern;
  ValidateAttribs();
}
