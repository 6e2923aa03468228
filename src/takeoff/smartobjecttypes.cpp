#include "takeoff/smartobjecttypes.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "entities/entitytype.h"
#include "takeoff/tsmartobject.h"
#include "takeoff/ttgattribute.h"

namespace {

// Categories of a type, as bits, so the predicates read the catalogue instead of listing codes.
enum Category : unsigned {
  kRoof = 1u << 0,
  kOpening = 1u << 1,
  kPerimeter = 1u << 2,
  kPitched = 1u << 3,
  kDoubleLine = 1u << 4,
  kDoubleLineUnlessFlag = 1u << 5,  // eaves, rake edges and parapets: a band only on request
  kCondition = 1u << 6,
  kRoofSystem = 1u << 7,
  kV5 = 1u << 8,
};

struct SmartObjectKind {
  int code;
  const char* internal_name;  // the stored key: files depend on it letter for letter
  const char* display_name;
  unsigned categories;
};

// Short names keep one row per line readable.
constexpr unsigned kSys = kRoofSystem;
constexpr unsigned kPer = kPerimeter | kRoofSystem;
constexpr unsigned kPitchedPer = kPerimeter | kPitched | kRoofSystem;
constexpr unsigned kPitchedSysV5 = kPitched | kRoofSystem | kV5;
constexpr unsigned kPitchedPerV5 = kPitchedPer | kV5;
constexpr unsigned kPitchedCondV5 = kPitched | kCondition | kV5;

// One row per code, in code order, so the code minus 6100 indexes its row.
// clang-format off
constexpr SmartObjectKind kKinds[] = {
    {6100, "Generic", "Generic", 0},
    {6101, "Roof Area", "Flat Roof", kRoof | kSys},
    {6102, "Hip", "Hip", kPitchedPer},
    {6103, "Valley", "Valley", kPitchedPer},
    {6104, "Roof Ridge", "Roof Ridge", kPitchedPer},
    {6105, "Roof Eave", "Eave", kPitchedPer | kDoubleLineUnlessFlag},
    {6106, "Wall", "Wall", kPer},
    {6107, "Rake Edge", "Rake Edge", kPitchedPer | kDoubleLineUnlessFlag},
    {6108, "Roof Curb", "Curb", kSys},
    {6109, "Drain", "Drain", kSys},
    {6110, "Roof Opening", "Opening", kOpening | kSys},
    {6111, "Roof Stack", "Stack", kSys},
    {6112, "Roof Plane", "Roof Plane", kPitched | kSys},
    {6113, "Parapet Wall", "Parapet Wall", kPer | kDoubleLineUnlessFlag},
    {6114, "Pitched Roof", "Pitched Roof", kRoof | kPitched | kSys},
    {6115, "Area Condition", "Area Condition", kCondition},
    {6116, "Length Condition", "Length Condition", kCondition},
    {6117, "Count Condition", "Count Condition", kCondition},
    {6118, "Leak", "Leak Indicator", kCondition},
    {6119, "Core", "Core Sample", kCondition},
    {6120, "Roof Edge", "Roof Edge", kPer},
    {6121, "Roof Tie In", "Roof Tie In", kPer},
    {6122, "HVAC on Curb", "HVAC on Curb", kSys},
    {6123, "Roof Hatch", "Roof Hatch", kSys},
    {6124, "HVAC on Sleeper", "HVAC on Sleepers", kSys},
    {6125, "Equipment on Legs", "Equipment on Stands", kSys},
    {6126, "Skylight", "Skylight", kSys},
    {6127, "Sleeper", "Sleeper", kSys},
    {6128, "Hot Stack", "Hot Stack", kSys},
    {6129, "Plumbing Stack", "Plumbing Stack", kSys},
    {6130, "Pitch Pan", "Pitch Pan", kSys},
    {6131, "Expansion Joint", "Expansion Joint", kPer},
    {6132, "Interior Expansion Joint", "Interior Expansion Joint", kDoubleLine | kSys},
    {6133, "Interior Wall", "Interior Wall", kDoubleLine | kSys},
    {6134, "Brick Chimney", "Brick Chimney", kSys},
    {6135, "Roof Anchor", "Roof Anchor", kSys},
    {6136, "Scupper", "Scupper", kSys},
    {6137, "Pipe Run", "Pipe Run", kSys},
    {6138, "Downspout", "Downspout", kSys},
    {6139, "Walkpad", "Walkpad", kSys},
    {6140, "Lightning Rod", "Lightning Rod", kSys},
    {6141, "Ladder", "Ladder", kSys},
    {6142, "Equipment Screen on Legs", "Equipment Screen on Stands", kSys},
    {6143, "Equipment Screen on Sleeper", "Equipment Screen on Sleepers", kDoubleLine | kSys},
    {6144, "Walkway on Legs", "Raised Walkway on Stands", kSys},
    {6145, "Penthouse", "Penthouse", kSys},
    {6146, "Equipment on Sleeper", "Equipment on Sleepers", kSys},
    {6147, "HVAC on Legs", "HVAC on Stands", kSys},
    {6148, "Base Wall", "Base Wall", kSys},
    {6149, "Interior Expansion Joint - 1 Side", "Interior Expansion Joint - 1 Side", kDoubleLine | kSys | kV5},
    {6150, "Interior Wall - 1 Side", "Interior Wall - 1 Side", kDoubleLine | kSys | kV5},
    {6151, "Pitched Opening", "Pitched Opening", kOpening | kPitchedSysV5},
    {6152, "Peak", "Peak", kPitchedPerV5},
    {6153, "HeadWall", "Head Wall", kPitchedPerV5},
    {6154, "Apron", "Apron", kPitchedPerV5},
    {6155, "Backer", "Backer", kPitchedPerV5},
    {6156, "SlopeChange", "SlopeChange", kPitchedPerV5},
    {6157, "End Wall", "End Wall", kPitchedPerV5},
    {6158, "Flat Roof Tie-In", "Flat Roof Tie-In", kPitchedPerV5},
    {6159, "Pitched Curb", "Pitched Curb", kPitchedSysV5},
    {6160, "Pitched HVAC on Curb", "Pitched HVAC on Curb", kPitchedSysV5},
    {6161, "Pitched Roof Hatch", "Pitched Roof Hatch", kPitchedSysV5},
    {6162, "Pitched Skylight", "Pitched Skylight", kPitchedSysV5},
    {6163, "Pitched Brick Chimney", "Pitched Brick Chimney", kPitchedSysV5},
    {6164, "Pitched Equipment on Stands", "Pitched Equipment on Stands", kPitchedSysV5},
    {6165, "Pitched HVAC on Stands", "Pitched HVAC on Stands", kPitchedSysV5},
    {6166, "Pitched Stack", "Pitched Stack", kPitchedSysV5},
    {6167, "Pitched Hot Stack", "Pitched Hot Stack", kPitchedSysV5},
    {6168, "Pitched Plumbing Stack", "Pitched Plumbing Stack", kPitchedSysV5},
    {6169, "Pitched Roof Vent", "Pitched Roof Vent", kPitchedSysV5},
    {6170, "Pitched Roof Anchor", "Pitched Roof Anchor", kPitchedSysV5},
    {6171, "Pitched Drain", "Pitched Drain", kPitchedSysV5},
    {6172, "Pitched Scupper", "Pitched Scupper", kPitchedSysV5},
    {6173, "Pitched Downspout", "Pitched Downspout", kPitchedSysV5},
    {6174, "Pitched Lightning Rod", "Pitched Lightning Rod", kPitchedSysV5},
    {6175, "Pitched Ladder", "Pitched Ladder", kPitchedSysV5},
    {6176, "Pitched Area Condition", "Pitched Area Condition", kPitchedCondV5},
    {6177, "Pitched Length Condition", "Pitched Length Condition", kPitchedCondV5},
    {6178, "Pitched Count Condition", "Pitched Count Condition", kPitchedCondV5},
    {6179, "Pitched Leak Indicator", "Pitched Leak Indicator", kPitchedCondV5},
    {6180, "Pitched Core Sample", "Pitched Core Sample", kPitchedCondV5},
    {6181, "Concealed Gutter", "Concealed Gutter", kPitched | kDoubleLine | kSys | kV5},
};
// clang-format on

constexpr int kKindCount = static_cast<int>(sizeof(kKinds) / sizeof(kKinds[0]));
constexpr int kLastSmartObject = kGenericSmartObject + kSmartObjectTypeCount - 1;
// The last type the older template layout can hold; everything after it is V5.
constexpr int kLastOlderLayoutType = 6148;

constexpr bool RowsFollowCodes() {
  for (int row = 0; row < kKindCount; ++row)
    if (kKinds[row].code != kGenericSmartObject + row) return false;
  return true;
}
static_assert(kKindCount == kSmartObjectTypeCount, "one row per catalogue code");
static_assert(RowsFollowCodes(), "rows in code order from 6100");

constexpr bool V5RowsAreTheTail() {
  for (const SmartObjectKind& kind : kKinds)
    if (((kind.categories & kV5) != 0) != (kind.code > kLastOlderLayoutType)) return false;
  return true;
}
static_assert(V5RowsAreTheTail(), "V5 marks exactly the types the older layout cannot hold");

// The row a code names by the remainder rule, or null when the remainder is outside the table.
const SmartObjectKind* KindByIndex(int code) {
  const int index = code % kGenericSmartObject;
  if (index < 0 || index >= kKindCount) return nullptr;
  return &kKinds[index];
}

// Predicates take the full code only: anything outside 6100..6181 is in no category.
unsigned CategoriesOf(int code) {
  if (code < kGenericSmartObject || code > kLastSmartObject) return 0;
  return kKinds[code - kGenericSmartObject].categories;
}

bool HasCategory(int code, unsigned category) {
  return (CategoriesOf(code) & category) != 0;
}

// ---- Default profiles -------------------------------------------------------------------------

// Host drawing tools that place a type.
constexpr int kLineTool = 1;    // along a line
constexpr int kPlaneTool = 8;   // a plane or area drawn by its corners
constexpr int kPointTool = 21;  // at a point (counted items)
constexpr int kOutlineTool = kDefaultTool;

constexpr int kReportLength = kFieldLength;
constexpr int kReportCount = kFieldCount;
constexpr int kReportAreaLength = kFieldArea | kFieldLength;
constexpr int kReportLengthCount = kFieldLength | kFieldCount;
constexpr int kReportAll = kFieldArea | kFieldLength | kFieldCount;

// The first automatic roof name, the text GenerateRoofName(0) writes; a roof template starts
// with it.
constexpr const char* kFirstRoofName = "Roof A";

constexpr int kInt = kDataTypeInteger;
constexpr int kDouble = kDataTypeDouble;
constexpr int kString = kDataTypeString;

constexpr AttributeDefault kRoofAttributes[] = {
    {"Name", kPropRoofName, kString, kFirstRoofName, false}};
constexpr AttributeDefault kPitchOnly[] = {{"Pitch", kPropPitch, kDouble, "0.0", false}};
constexpr AttributeDefault kEaveAttributes[] = {{"Pitch", kPropPitch, kDouble, "0.0", false},
                                                {"Overhang", kPropOverhang, kDouble, "0.0", false},
                                                {"Height", kPropHeight, kDouble, "0.0", false}};
constexpr AttributeDefault kHeightOnly[] = {{"Height", kPropHeight, kDouble, "0.0", false}};
constexpr AttributeDefault kRakeAttributes[] = {{"Pitch", kPropPitch, kDouble, "0.0", false},
                                                {"Overhang", kPropOverhang, kDouble, "0.0", false}};
constexpr AttributeDefault kBoxAttributes[] = {{"Length", kPropLength, kDouble, "8.0", false},
                                               {"Width", kPropWidth, kDouble, "10.0", false},
                                               {"Height", kPropHeight, kDouble, "0.0", false}};
constexpr AttributeDefault kDiameterOnly[] = {{"Diameter", kPropDiameter, kDouble, "1.0", false}};
constexpr AttributeDefault kOpeningAttributes[] = {{"RoofID", kPropNone, kString, "0", true}};
constexpr AttributeDefault kStackAttributes[] = {{"Diameter", kPropDiameter, kDouble, "1.0", false},
                                                 {"Height", kPropHeight, kDouble, "1.0", false}};
constexpr AttributeDefault kBandAttributes[] = {
    {"Height", kPropHeight, kDouble, "0.0", false},
    {"Width", kPropWidth, kDouble, "0.0", false},
    {"Show double line", kPropDoubleLine, kInt, "1", false}};
constexpr AttributeDefault kUnitPatch[] = {{"Length", kPropLength, kDouble, "1.0", false},
                                           {"Width", kPropWidth, kDouble, "1.0", false}};
constexpr AttributeDefault kCountAttributes[] = {
    {"Length", kPropCountLength, kDouble, "1.0", false},
    {"Width", kPropWidth, kDouble, "1.0", false},
    {"Count", kPropCount, kDouble, "1", false}};
constexpr AttributeDefault kSleeperAttributes[] = {
    {"Length", kPropLength, kDouble, "8.0", false},
    {"Width", kPropWidth, kDouble, "10.0", false},
    {"Height", kPropHeight, kDouble, "0.0", false},
    {"# of Sleepers", kPropSupports, kDouble, "1.0", false}};
constexpr AttributeDefault kStandAttributes[] = {
    {"Stand Diameter", kPropDiameter, kDouble, "1.0", false},
    {"Stand Height", kPropHeight, kDouble, "1.0", false},
    {"No. of Stands", kPropSupports, kDouble, "1.0", false}};
constexpr AttributeDefault kOnCenterOnly[] = {{"On Center", kPropSpacing, kDouble, "1.0", false}};
constexpr AttributeDefault kDownspoutAttributes[] = {
    {"Diameter", kPropDiameter, kDouble, "1.0", false},
    {"Length", kPropLength, kDouble, "0.0", false}};
constexpr AttributeDefault kWalkpadAttributes[] = {
    {"Length", kPropLength, kDouble, "8.0", false},
    {"Width", kPropWidth, kDouble, "10.0", false},
    {"Spacing", kPropSpacing, kDouble, "1.0", false}};
constexpr AttributeDefault kStandsOnly[] = {
    {"No. of Stands", kPropSupports, kDouble, "1.0", false}};
constexpr AttributeDefault kPitchedOpeningAttributes[] = {
    {"Pitch", kPropPitch, kDouble, "0.0", true},
    {"RoofPlaneID", kPropRoofPlaneId, kString, "0", true}};
constexpr AttributeDefault kGutterAttributes[] = {
    {"Depth", kPropDepth, kDouble, "0.0", false},
    {"Width", kPropWidth, kDouble, "0.0", false},
    {"Show double line", kPropDoubleLine, kInt, "1", false}};

template <int N>
constexpr SmartObjectProfile Profile(const AttributeDefault (&attributes)[N], int fields,
                                     int tool) {
  return {attributes, N, fields, tool};
}

constexpr SmartObjectProfile NoAttributes(int fields, int tool) {
  return {nullptr, 0, fields, tool};
}

constexpr int kMaxCodesInGroup = 13;

// Codes sharing one profile; unused code slots are 0, which is never a type.
struct ProfileGroup {
  int codes[kMaxCodesInGroup];
  SmartObjectProfile profile;
};

// clang-format off
constexpr ProfileGroup kProfileGroups[] = {
    {{6101, 6114}, Profile(kRoofAttributes, kReportAreaLength, kOutlineTool)},
    {{6102, 6103, 6156, 6157, 6158}, Profile(kPitchOnly, kReportLength, kLineTool)},
    {{6104, 6120, 6121, 6152, 6153, 6154, 6155}, NoAttributes(kReportLength, kLineTool)},
    {{6105}, Profile(kEaveAttributes, kReportLength, kLineTool)},
    {{6106, 6131}, Profile(kHeightOnly, kReportAreaLength, kLineTool)},
    {{6107}, Profile(kRakeAttributes, kReportLength, kLineTool)},
    {{6108, 6122, 6123, 6126, 6127, 6130, 6134, 6143, 6159, 6160, 6161, 6162, 6163},
     Profile(kBoxAttributes, kReportAll, kPointTool)},
    {{6109, 6171}, Profile(kDiameterOnly, kReportCount, kPointTool)},
    {{6110}, Profile(kOpeningAttributes, kReportAreaLength, kOutlineTool)},
    {{6111, 6128, 6129, 6166, 6167, 6168}, Profile(kStackAttributes, kReportAll, kPointTool)},
    {{6112}, Profile(kPitchOnly, kReportAreaLength, kPlaneTool)},
    {{6113}, Profile(kBandAttributes, kReportAreaLength, kOutlineTool)},
    {{6115, 6119, 6176, 6180}, Profile(kUnitPatch, kReportAll, kPlaneTool)},
    {{6116, 6177}, Profile(kUnitPatch, kReportAll, kLineTool)},
    {{6117, 6178}, Profile(kCountAttributes, kReportAll, kPointTool)},
    {{6118, 6135, 6136, 6140, 6141, 6169, 6170, 6172, 6174, 6175, 6179},
     NoAttributes(kReportCount, kPointTool)},
    {{6124, 6146}, Profile(kSleeperAttributes, kReportAll, kPointTool)},
    {{6125, 6147, 6164, 6165}, Profile(kStandAttributes, kReportAll, kPointTool)},
    {{6132, 6133, 6149, 6150}, Profile(kBandAttributes, kReportAreaLength, kLineTool)},
    {{6137, 6142}, Profile(kOnCenterOnly, kReportLengthCount, kLineTool)},
    {{6138, 6173}, Profile(kDownspoutAttributes, kReportLengthCount, kPointTool)},
    {{6139}, Profile(kWalkpadAttributes, kReportAll, kPointTool)},
    {{6144}, Profile(kStandsOnly, kReportLengthCount, kLineTool)},
    {{6145, 6148}, NoAttributes(kReportAreaLength, kOutlineTool)},
    {{6151}, Profile(kPitchedOpeningAttributes, kReportAreaLength, kOutlineTool)},
    {{6181}, Profile(kGutterAttributes, kReportAreaLength, kLineTool)},
};
// clang-format on

constexpr int GroupsHolding(int code) {
  int found = 0;
  for (const ProfileGroup& group : kProfileGroups)
    for (const int member : group.codes)
      if (member == code) ++found;
  return found;
}

// Every type but Generic has exactly one profile, so a template of any type can be reset.
constexpr bool EveryTypeHasOneProfile() {
  if (GroupsHolding(kGenericSmartObject) != 0) return false;
  for (int code = kGenericSmartObject + 1; code <= kLastSmartObject; ++code)
    if (GroupsHolding(code) != 1) return false;
  return true;
}
static_assert(EveryTypeHasOneProfile(), "one profile group per type 6101..6181");

// Roof letters run A..Z, then skip the six signs between 'Z' and 'a'.
constexpr int kFirstRoofLetter = 'A';
constexpr int kLastUpperLetter = 'Z';
constexpr int kGapBeforeLower = 'a' - 'Z' - 1;

}  // namespace

const char* GetSmartObjectName(int code) {
  const SmartObjectKind* kind = KindByIndex(code);
  return kind != nullptr ? kind->internal_name : kKinds[0].internal_name;
}

const char* GetSmartObjectDisplayName(int code) {
  const SmartObjectKind* kind = KindByIndex(code);
  return kind != nullptr ? kind->display_name : kKinds[0].display_name;
}

int GetSmartObjectType(const char* name) {
  if (name == nullptr) return kGenericSmartObject;
  for (const SmartObjectKind& kind : kKinds)
    if (std::strcmp(kind.internal_name, name) == 0) return kind.code;
  return kGenericSmartObject;
}

int GetSmartObjectTypeNum() {
  return kSmartObjectTypeCount;
}

bool IsRoof(int code) {
  return HasCategory(code, kRoof);
}

bool IsOpeningSmartObject(int code) {
  return HasCategory(code, kOpening);
}

bool IsPerimeterSmartObject(int code) {
  return HasCategory(code, kPerimeter);
}

bool IsPitchedSmartObject(int code) {
  return HasCategory(code, kPitched);
}

// Codes past the catalogue are newer still, so they too need the newer layout.
bool IsV5SmartObject(int code) {
  return code > kLastSmartObject || HasCategory(code, kV5);
}

bool IsDoubleLineSmartObject(int code, bool flag) {
  if (HasCategory(code, kDoubleLine)) return true;
  return !flag && HasCategory(code, kDoubleLineUnlessFlag);
}

bool IsConditionSmartObject(int code) {
  return HasCategory(code, kCondition);
}

bool IsRoofSystemSmartObject(int code) {
  return HasCategory(code, kRoofSystem);
}

char* GenerateRoofName(int index, char* buffer) {
  if (buffer == nullptr) return nullptr;
  // Wide arithmetic: any int index is accepted, and the letter wraps as a signed byte would.
  std::int64_t letter = kFirstRoofLetter + static_cast<std::int64_t>(index);
  if (letter > kLastUpperLetter) letter += kGapBeforeLower;
  const auto sign = static_cast<signed char>(letter);
  std::snprintf(buffer, kSmartObjectNameSize, "Roof %c", sign);
  return buffer;
}

const char* GetGraphicTypeName(int type) {
  const char* unknown = EntityDisplayName(kEntityUnknown);
  // Only kind codes are looked up, so no code far outside them reaches the kind table's arithmetic.
  if (type < kEntityUnknown || type > kEntitySolid) return unknown;
  const char* name = EntityDisplayName(type);
  return name != nullptr ? name : unknown;
}

const SmartObjectProfile* GetSmartObjectProfile(int code) {
  if (code <= kGenericSmartObject || code > kLastSmartObject) return nullptr;
  for (const ProfileGroup& group : kProfileGroups)
    for (const int member : group.codes)
      if (member == code) return &group.profile;
  return nullptr;
}
