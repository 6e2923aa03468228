// The takeoff type catalogue checked row by row against an independent copy of its table: names,
// categories and the default profile every fresh template of a type receives.
#include "takeoff/smartobjecttypes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

struct CatalogueRow {
  int code;
  const char* internal_name;
  const char* display_name;
  const char* categories;  // as the catalogue lists them; "double line (flag)": only unflagged
};

// clang-format off
const CatalogueRow kCatalogue[] = {
    {6100, "Generic", "Generic", ""},
    {6101, "Roof Area", "Flat Roof", "roof, roof system"},
    {6102, "Hip", "Hip", "perimeter, pitched, roof system"},
    {6103, "Valley", "Valley", "perimeter, pitched, roof system"},
    {6104, "Roof Ridge", "Roof Ridge", "perimeter, pitched, roof system"},
    {6105, "Roof Eave", "Eave", "perimeter, pitched, double line (flag), roof system"},
    {6106, "Wall", "Wall", "perimeter, roof system"},
    {6107, "Rake Edge", "Rake Edge", "perimeter, pitched, double line (flag), roof system"},
    {6108, "Roof Curb", "Curb", "roof system"},
    {6109, "Drain", "Drain", "roof system"},
    {6110, "Roof Opening", "Opening", "opening, roof system"},
    {6111, "Roof Stack", "Stack", "roof system"},
    {6112, "Roof Plane", "Roof Plane", "pitched, roof system"},
    {6113, "Parapet Wall", "Parapet Wall", "perimeter, double line (flag), roof system"},
    {6114, "Pitched Roof", "Pitched Roof", "roof, pitched, roof system"},
    {6115, "Area Condition", "Area Condition", "condition"},
    {6116, "Length Condition", "Length Condition", "condition"},
    {6117, "Count Condition", "Count Condition", "condition"},
    {6118, "Leak", "Leak Indicator", "condition"},
    {6119, "Core", "Core Sample", "condition"},
    {6120, "Roof Edge", "Roof Edge", "perimeter, roof system"},
    {6121, "Roof Tie In", "Roof Tie In", "perimeter, roof system"},
    {6122, "HVAC on Curb", "HVAC on Curb", "roof system"},
    {6123, "Roof Hatch", "Roof Hatch", "roof system"},
    {6124, "HVAC on Sleeper", "HVAC on Sleepers", "roof system"},
    {6125, "Equipment on Legs", "Equipment on Stands", "roof system"},
    {6126, "Skylight", "Skylight", "roof system"},
    {6127, "Sleeper", "Sleeper", "roof system"},
    {6128, "Hot Stack", "Hot Stack", "roof system"},
    {6129, "Plumbing Stack", "Plumbing Stack", "roof system"},
    {6130, "Pitch Pan", "Pitch Pan", "roof system"},
    {6131, "Expansion Joint", "Expansion Joint", "perimeter, roof system"},
    {6132, "Interior Expansion Joint", "Interior Expansion Joint", "double line, roof system"},
    {6133, "Interior Wall", "Interior Wall", "double line, roof system"},
    {6134, "Brick Chimney", "Brick Chimney", "roof system"},
    {6135, "Roof Anchor", "Roof Anchor", "roof system"},
    {6136, "Scupper", "Scupper", "roof system"},
    {6137, "Pipe Run", "Pipe Run", "roof system"},
    {6138, "Downspout", "Downspout", "roof system"},
    {6139, "Walkpad", "Walkpad", "roof system"},
    {6140, "Lightning Rod", "Lightning Rod", "roof system"},
    {6141, "Ladder", "Ladder", "roof system"},
    {6142, "Equipment Screen on Legs", "Equipment Screen on Stands", "roof system"},
    {6143, "Equipment Screen on Sleeper", "Equipment Screen on Sleepers", "double line, roof system"},
    {6144, "Walkway on Legs", "Raised Walkway on Stands", "roof system"},
    {6145, "Penthouse", "Penthouse", "roof system"},
    {6146, "Equipment on Sleeper", "Equipment on Sleepers", "roof system"},
    {6147, "HVAC on Legs", "HVAC on Stands", "roof system"},
    {6148, "Base Wall", "Base Wall", "roof system"},
    {6149, "Interior Expansion Joint - 1 Side", "Interior Expansion Joint - 1 Side", "double line, roof system, V5"},
    {6150, "Interior Wall - 1 Side", "Interior Wall - 1 Side", "double line, roof system, V5"},
    {6151, "Pitched Opening", "Pitched Opening", "pitched, opening, roof system, V5"},
    {6152, "Peak", "Peak", "perimeter, pitched, roof system, V5"},
    {6153, "HeadWall", "Head Wall", "perimeter, pitched, roof system, V5"},
    {6154, "Apron", "Apron", "perimeter, pitched, roof system, V5"},
    {6155, "Backer", "Backer", "perimeter, pitched, roof system, V5"},
    {6156, "SlopeChange", "SlopeChange", "perimeter, pitched, roof system, V5"},
    {6157, "End Wall", "End Wall", "perimeter, pitched, roof system, V5"},
    {6158, "Flat Roof Tie-In", "Flat Roof Tie-In", "perimeter, pitched, roof system, V5"},
    {6159, "Pitched Curb", "Pitched Curb", "pitched, roof system, V5"},
    {6160, "Pitched HVAC on Curb", "Pitched HVAC on Curb", "pitched, roof system, V5"},
    {6161, "Pitched Roof Hatch", "Pitched Roof Hatch", "pitched, roof system, V5"},
    {6162, "Pitched Skylight", "Pitched Skylight", "pitched, roof system, V5"},
    {6163, "Pitched Brick Chimney", "Pitched Brick Chimney", "pitched, roof system, V5"},
    {6164, "Pitched Equipment on Stands", "Pitched Equipment on Stands", "pitched, roof system, V5"},
    {6165, "Pitched HVAC on Stands", "Pitched HVAC on Stands", "pitched, roof system, V5"},
    {6166, "Pitched Stack", "Pitched Stack", "pitched, roof system, V5"},
    {6167, "Pitched Hot Stack", "Pitched Hot Stack", "pitched, roof system, V5"},
    {6168, "Pitched Plumbing Stack", "Pitched Plumbing Stack", "pitched, roof system, V5"},
    {6169, "Pitched Roof Vent", "Pitched Roof Vent", "pitched, roof system, V5"},
    {6170, "Pitched Roof Anchor", "Pitched Roof Anchor", "pitched, roof system, V5"},
    {6171, "Pitched Drain", "Pitched Drain", "pitched, roof system, V5"},
    {6172, "Pitched Scupper", "Pitched Scupper", "pitched, roof system, V5"},
    {6173, "Pitched Downspout", "Pitched Downspout", "pitched, roof system, V5"},
    {6174, "Pitched Lightning Rod", "Pitched Lightning Rod", "pitched, roof system, V5"},
    {6175, "Pitched Ladder", "Pitched Ladder", "pitched, roof system, V5"},
    {6176, "Pitched Area Condition", "Pitched Area Condition", "pitched, condition, V5"},
    {6177, "Pitched Length Condition", "Pitched Length Condition", "pitched, condition, V5"},
    {6178, "Pitched Count Condition", "Pitched Count Condition", "pitched, condition, V5"},
    {6179, "Pitched Leak Indicator", "Pitched Leak Indicator", "pitched, condition, V5"},
    {6180, "Pitched Core Sample", "Pitched Core Sample", "pitched, condition, V5"},
    {6181, "Concealed Gutter", "Concealed Gutter", "pitched, double line, roof system, V5"},
};
// clang-format on

std::set<std::string> Words(const std::string& list) {
  std::set<std::string> words;
  for (size_t start = 0; start < list.size();) {
    const size_t end = std::min(list.find(", ", start), list.size());
    words.insert(list.substr(start, end - start));
    start = end + 2;
  }
  return words;
}

struct Predicate {
  const char* word;
  bool (*test)(int);
};
const Predicate kPredicates[] = {
    {"roof", IsRoof},
    {"opening", IsOpeningSmartObject},
    {"perimeter", IsPerimeterSmartObject},
    {"pitched", IsPitchedSmartObject},
    {"condition", IsConditionSmartObject},
    {"roof system", IsRoofSystemSmartObject},
    {"V5", IsV5SmartObject},
    {"double line", [](int code) { return IsDoubleLineSmartObject(code, true); }},
};

TEST(SmartObjectCatalogue, EveryRowHasItsNamesAndCategories) {
  ASSERT_EQ(std::size(kCatalogue), 82u);
  EXPECT_EQ(GetSmartObjectTypeNum(), 82);
  for (const CatalogueRow& row : kCatalogue) {
    SCOPED_TRACE(row.code);
    for (const int code : {row.code, row.code - 6100}) {
      EXPECT_STREQ(GetSmartObjectName(code), row.internal_name);
      EXPECT_STREQ(GetSmartObjectDisplayName(code), row.display_name);
    }
    EXPECT_EQ(GetSmartObjectType(row.internal_name), row.code);
    std::set<std::string> in = Words(row.categories);
    const bool flagged = in.erase("double line (flag)") == 1;
    for (const Predicate& p : kPredicates)
      EXPECT_EQ(p.test(row.code), in.erase(p.word) == 1) << p.word;
    EXPECT_TRUE(in.empty()) << *in.begin();  // every listed category was checked
    EXPECT_EQ(IsDoubleLineSmartObject(row.code, false),
              flagged || IsDoubleLineSmartObject(row.code, true));
  }
}

TEST(SmartObjectCatalogue, OutsideCodesAndNamesFallBackToGeneric) {
  EXPECT_STREQ(GetSmartObjectName(12201), "Roof Area");  // the remainder is 1
  for (const int outside : {82, 6182, -1, -6101, 6099, INT_MIN, INT_MAX}) {
    EXPECT_STREQ(GetSmartObjectName(outside), "Generic") << outside;
    EXPECT_STREQ(GetSmartObjectDisplayName(outside), "Generic") << outside;
  }
  // Only exact internal names are keys.
  for (const char* not_a_key : {"Flat Roof", "roof area", "Roof Area ", "Eave", "Head Wall",
                                "Slope Change", "", static_cast<const char*>(nullptr)})
    EXPECT_EQ(GetSmartObjectType(not_a_key), 6100) << (not_a_key ? not_a_key : "null");
}

TEST(SmartObjectCatalogue, PredicatesAreFalseOutsideTheCatalogueExceptV5) {
  for (const int outside : {0, 1, 14, 6099, 6182, -6101, INT_MIN}) {
    for (const Predicate& p : kPredicates)
      EXPECT_EQ(p.test(outside), p.test == IsV5SmartObject && outside == 6182)
          << outside << " " << p.word;
    EXPECT_FALSE(IsDoubleLineSmartObject(outside, false)) << outside;
  }
  // Every code above the older layout's last type needs the newer one, known or not.
  EXPECT_FALSE(IsV5SmartObject(6148));
  EXPECT_TRUE(IsV5SmartObject(INT_MAX));
  EXPECT_FALSE(IsV5SmartObject(49));  // the short form of 6149 is not a code
}

TEST(SmartObjectCatalogue, RoofNamesRunThroughBothAlphabetsIntoTheBuffer) {
  char buffer[50];
  const std::pair<int, const char*> cases[] = {{0, "Roof A"},  {1, "Roof B"},  {25, "Roof Z"},
                                               {26, "Roof a"}, {51, "Roof z"}, {52, "Roof {"}};
  for (const auto& [index, name] : cases) {
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(GenerateRoofName(index, buffer), buffer);
    EXPECT_STREQ(buffer, name) << index;
  }
  EXPECT_EQ(GenerateRoofName(0, nullptr), nullptr);
  // Past 'z' the letter runs on as a signed byte; any index writes a short terminated name.
  for (const int index : {200, -1, -65, INT_MAX, INT_MIN}) {
    std::memset(buffer, 'x', sizeof buffer);
    ASSERT_EQ(GenerateRoofName(index, buffer), buffer);
    EXPECT_EQ(std::strncmp(buffer, "Roof ", 5), 0) << index;
    EXPECT_LE(std::strlen(buffer), 6u) << index;
  }
}

TEST(SmartObjectCatalogue, GraphicTypeNames) {
  const std::pair<int, const char*> cases[] = {
      {2001, "Line"},    {2003, "Ellipse"},  {2004, "Circle"},       {2005, "Arc"},
      {2006, "Polygon"}, {2007, "Polyline"}, {2008, "Text"},         {2009, "Dimension"},
      {2010, "Leader"},  {2011, "Symbol"},   {2012, "Pitched Edge"}, {2013, "Freestyle"},
      {2014, "Image"},   {2015, "Edge"},     {2016, "SybolDef"}};
  for (const auto& [type, name] : cases)
    EXPECT_STREQ(GetGraphicTypeName(type), name) << type;
  for (const int other : {2002, 2000, 2017, 2018, 0, -1, 6101, INT_MIN})
    EXPECT_STREQ(GetGraphicTypeName(other), "Unknown Graphic Type") << other;
}

struct ExpectedAttribute {
  const char* tag;
  int proptype;
  int datatype;
  const char* text;
  bool read_only;
};

struct ExpectedProfile {
  std::vector<int> codes;
  std::vector<ExpectedAttribute> attributes;
  int fields;
  int tool;
};

constexpr bool kRO = true;

// clang-format off
const ExpectedProfile kProfiles[] = {
    {{6101, 6114}, {{"Name", 11, 3, "Roof A", false}}, 3, 19},
    {{6102, 6103, 6156, 6157, 6158}, {{"Pitch", 7, 2, "0.0", false}}, 2, 1},
    {{6104, 6120, 6121, 6152, 6153, 6154, 6155}, {}, 2, 1},
    {{6105}, {{"Pitch", 7, 2, "0.0", false}, {"Overhang", 8, 2, "0.0", false}, {"Height", 3, 2, "0.0", false}}, 2, 1},
    {{6106, 6131}, {{"Height", 3, 2, "0.0", false}}, 3, 1},
    {{6107}, {{"Pitch", 7, 2, "0.0", false}, {"Overhang", 8, 2, "0.0", false}}, 2, 1},
    {{6108, 6122, 6123, 6126, 6127, 6130, 6134, 6143, 6159, 6160, 6161, 6162, 6163},
     {{"Length", 1, 2, "8.0", false}, {"Width", 2, 2, "10.0", false}, {"Height", 3, 2, "0.0", false}}, 7, 21},
    {{6109, 6171}, {{"Diameter", 6, 2, "1.0", false}}, 4, 21},
    {{6110}, {{"RoofID", 0, 3, "0", kRO}}, 3, 19},
    {{6111, 6128, 6129, 6166, 6167, 6168}, {{"Diameter", 6, 2, "1.0", false}, {"Height", 3, 2, "1.0", false}}, 7, 21},
    {{6112}, {{"Pitch", 7, 2, "0.0", false}}, 3, 8},
    {{6113}, {{"Height", 3, 2, "0.0", false}, {"Width", 2, 2, "0.0", false}, {"Show double line", 9, 1, "1", false}}, 3, 19},
    {{6115, 6119, 6176, 6180}, {{"Length", 1, 2, "1.0", false}, {"Width", 2, 2, "1.0", false}}, 7, 8},
    {{6116, 6177}, {{"Length", 1, 2, "1.0", false}, {"Width", 2, 2, "1.0", false}}, 7, 1},
    {{6117, 6178}, {{"Length", 12, 2, "1.0", false}, {"Width", 2, 2, "1.0", false}, {"Count", 4, 2, "1", false}}, 7, 21},
    {{6118, 6135, 6136, 6140, 6141, 6169, 6170, 6172, 6174, 6175, 6179}, {}, 4, 21},
    {{6124, 6146}, {{"Length", 1, 2, "8.0", false}, {"Width", 2, 2, "10.0", false}, {"Height", 3, 2, "0.0", false},
                    {"# of Sleepers", 18, 2, "1.0", false}}, 7, 21},
    {{6125, 6147, 6164, 6165}, {{"Stand Diameter", 6, 2, "1.0", false}, {"Stand Height", 3, 2, "1.0", false},
                                {"No. of Stands", 18, 2, "1.0", false}}, 7, 21},
    {{6132, 6133, 6149, 6150}, {{"Height", 3, 2, "0.0", false}, {"Width", 2, 2, "0.0", false},
                                {"Show double line", 9, 1, "1", false}}, 3, 1},
    {{6137, 6142}, {{"On Center", 10, 2, "1.0", false}}, 6, 1},
    {{6138, 6173}, {{"Diameter", 6, 2, "1.0", false}, {"Length", 1, 2, "0.0", false}}, 6, 21},
    {{6139}, {{"Length", 1, 2, "8.0", false}, {"Width", 2, 2, "10.0", false}, {"Spacing", 10, 2, "1.0", false}}, 7, 21},
    {{6144}, {{"No. of Stands", 18, 2, "1.0", false}}, 6, 1},
    {{6145, 6148}, {}, 3, 19},
    {{6151}, {{"Pitch", 7, 2, "0.0", kRO}, {"RoofPlaneID", 21, 3, "0", kRO}}, 3, 19},
    {{6181}, {{"Depth", 22, 2, "0.0", false}, {"Width", 2, 2, "0.0", false}, {"Show double line", 9, 1, "1", false}}, 3, 1},
};
// clang-format on

TEST(SmartObjectProfiles, EveryTypeGetsItsAttributesFieldsAndTool) {
  std::set<int> seen;
  for (const ExpectedProfile& expected : kProfiles) {
    for (const int code : expected.codes) {
      SCOPED_TRACE(code);
      EXPECT_TRUE(seen.insert(code).second);
      const SmartObjectProfile* profile = GetSmartObjectProfile(code);
      ASSERT_NE(profile, nullptr);
      EXPECT_EQ(profile->fields, expected.fields);
      EXPECT_EQ(profile->tool, expected.tool);
      ASSERT_EQ(profile->attribute_count, static_cast<int>(expected.attributes.size()));
      if (profile->attribute_count == 0) {
        EXPECT_EQ(profile->attributes, nullptr);
      }
      for (int i = 0; i < profile->attribute_count; ++i) {
        const AttributeDefault& got = profile->attributes[i];
        const ExpectedAttribute& want = expected.attributes[i];
        SCOPED_TRACE(want.tag);
        EXPECT_STREQ(got.tag, want.tag);
        EXPECT_EQ(got.proptype, want.proptype);
        EXPECT_EQ(got.datatype, want.datatype);
        EXPECT_STREQ(got.text, want.text);
        EXPECT_EQ(got.read_only, want.read_only);
      }
    }
  }
  EXPECT_EQ(seen.size(), 81u);  // every type but Generic
  for (const int code : {6100, 6099, 6182, 0, 1, 81, -1, INT_MIN, INT_MAX})
    EXPECT_EQ(GetSmartObjectProfile(code), nullptr) << code;
  // A roof template is named like the first roof.
  char first[50];
  GenerateRoofName(0, first);
  EXPECT_STREQ(GetSmartObjectProfile(6114)->attributes[0].text, first);
}

}  // namespace
