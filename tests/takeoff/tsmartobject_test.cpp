// Takeoff items: roof identifiers, attributes and the cached sort value, section data and the
// user's moves between sections, the record and the repairs made while reading older records,
// and the owning list.

#include "takeoff/tsmartobject.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "io/dxfgroup.h"
#include "support/list_walk.h"
#include "support/stream_fixture.h"
#include "takeoff/tsodata.h"
#include "takeoff/ttgattriblist.h"
#include "takeoff/ttgattribute.h"

namespace {

constexpr double kTolerance = 1e-12;
constexpr const char* kGuidA = "{6F9619FF-8B86-D011-B42D-00C04FC964FF}";
constexpr const char* kGuidB = "{11111111-2222-3333-4444-555555555555}";

// Tags of the item's attributes in list order.
std::vector<std::string> Tags(const TSmartObject& so) {
  std::vector<std::string> tags;
  for (const TTGAttribItem* i = so.GetAttribList()->Head(); i != nullptr; i = i->Next())
    tags.emplace_back(i->Attrib()->GetTag());
  return tags;
}

// "name:flag" of each section data entry in list order ("-" for the nameless entry).
std::vector<std::string> Entries(const TSmartObject& so) {
  std::vector<std::string> out;
  for (const TSOData* d = so.GetSODataList()->Head(); d != nullptr; d = d->Next())
    out.push_back(std::string(d->SectionName() ? d->SectionName() : "-") + ":" +
                  std::to_string(d->GetFlag()));
  return out;
}

// The text form of the given groups, as AddToken sees them after the record keyword.
std::string TextGroups(const std::vector<std::pair<int, std::string>>& groups) {
  std::string text;
  for (const auto& [code, value] : groups)
    text += std::to_string(code) + "\n" + value + "\n";
  return text;
}

using Groups = std::vector<std::pair<int, std::string>>;

// A double attribute record.
Groups Attrib(const std::string& tag, int proptype, const std::string& value) {
  return {{0, "ATTRIB"},   {2, tag}, {40, value}, {70, "2"}, {75, std::to_string(proptype)},
          {0, "ENDATTRIB"}};
}

// Reads a record of the given type name and attribute records.
std::unique_ptr<TSmartObject> Read(const std::string& type, const std::vector<Groups>& attribs) {
  Groups groups{{1, type}, {2, "Item"}};
  for (const Groups& a : attribs)
    groups.insert(groups.end(), a.begin(), a.end());
  groups.push_back({0, "ENDSMARTOBJ"});
  StreamOver in(TextGroups(groups), false);
  auto so = std::make_unique<TSmartObject>();
  EXPECT_EQ(so->AddToken(&in.stream), 0);
  return so;
}

}  // namespace

// ---- Roof identifiers ----

TEST(TSmartObject, SetRoofIdTakesUserMinusOneButNotLower) {
  struct Case {
    int rid, user, want_rid, want_user, want_result, want_roof;
  };
  const Case cases[] = {
      {-1, -2, 0, 0, 0, 0},    // nothing changes
      {5, -1, 5, -1, -1, -1},  // "no roof" chosen by the user wins
      {7, -5, 7, 0, 7, 7},     // user id left alone, result is RId
      {0, 3, 0, 3, 3, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.rid) + "," + std::to_string(c.user));
    TSmartObject so;
    EXPECT_EQ(so.SetRoofId(c.rid, c.user), c.want_result);
    EXPECT_EQ(so.GetRId(), c.want_rid);
    EXPECT_EQ(so.GetUserRId(), c.want_user);
    EXPECT_EQ(so.GetRoofId(), c.want_roof);
  }
}

TEST(TSmartObject, ClearRoofIdZeroesMatchesOrEverything) {
  TSmartObject so;
  so.SetRoofId(5, 9);
  EXPECT_EQ(so.ClearRoofId(4, 0), 0);
  EXPECT_EQ(so.ClearRoofId(9, 0), 1);
  EXPECT_EQ(so.GetUserRId(), 0);
  EXPECT_EQ(so.GetRoofId(), 5);  // falls back to RId once the user's is gone
  so.SetRoofId(-1, 5);
  EXPECT_EQ(so.ClearRoofId(5, 0), 1);
  EXPECT_EQ(so.GetRId(), 0);
  EXPECT_EQ(so.GetUserRId(), 0);
  so.SetRoofId(3, 4);
  EXPECT_EQ(so.ClearRoofId(-99, 1), 1);
  EXPECT_EQ(so.GetRoofId(), 0);
}

TEST(TSmartObject, NameIsCutAndGuidsOnlyTakeValidText) {
  TSmartObject so;
  so.Name(std::string(80, 'x').c_str());
  EXPECT_EQ(std::string(so.Name()), std::string(49, 'x'));
  so.Name(nullptr);
  EXPECT_STREQ(so.Name(), "");

  so.SetGuid(kGuidA);
  so.SetRoofGuid(kGuidB);
  so.SetGuid3(kGuidA);
  for (const char* bad : {static_cast<const char*>(nullptr), "", "{00000000-0000-0000-0000-0}"}) {
    so.SetGuid(bad);
    so.SetRoofGuid(bad);
    so.SetGuid3(bad);
  }
  EXPECT_STREQ(so.GetGuid(), kGuidA);
  EXPECT_STREQ(so.GetRoofGuid(), kGuidB);
  EXPECT_STREQ(so.GetGuid3(), kGuidA);
}

// ---- Attributes ----

TEST(TSmartObject, NotToScaleSwitchesMeasuredAttributesOnlyOnChange) {
  TSmartObject so;
  so.AddAttrib(
      new TTGAttribute("Area", kPropSourceMeasured, kPropArea, kDataTypeDouble, "1", true));
  so.AddAttrib(new TTGAttribute("Pitch", kPropSourceUser, kPropPitch, kDataTypeDouble, "4", true));
  TTGAttribute* measured = so.GetAttribute(kPropSourceMeasured, kPropArea);
  TTGAttribute* user = so.GetAttribute(kPropSourceUser, kPropPitch);

  so.NotToScale(true);
  EXPECT_FALSE(measured->ReadOnly());
  EXPECT_TRUE(user->ReadOnly());  // user attributes are not the drawing's
  so.NotToScale(false);
  EXPECT_TRUE(measured->ReadOnly());
  measured->ReadOnly(false);
  so.NotToScale(false);  // no change, nothing touched
  EXPECT_FALSE(measured->ReadOnly());
}

TEST(TSmartObject, AddAttribCachesSortValue) {
  TSmartObject so;
  so.AddAttrib(nullptr);
  EXPECT_EQ(so.SortValue(), nullptr);
  so.AddAttrib(new TTGAttribute("Width", kPropWidth, kDataTypeDouble, "2", 0, false));
  EXPECT_EQ(so.SortValue(), nullptr);
  so.AddAttrib(new TTGAttribute("Colour", kPropNone, kDataTypeString, "Red", 1, false));
  EXPECT_STREQ(so.SortValue(), "Red");
  EXPECT_STREQ(so.SortTag(), "Colour");

  // The tag form updates by property type; only a non-zero flag refreshes the cache.
  so.HasAttrib("Colour")->SetSValue("Blue");
  so.AddAttrib("Breite", kPropWidth, kDataTypeDouble, "3.5", 0);
  EXPECT_EQ(Tags(so), (std::vector<std::string>{"Width", "Colour"}));
  EXPECT_NEAR(so.HasAttrib(kPropWidth)->GetDValue(), 3.5, kTolerance);
  EXPECT_STREQ(so.SortValue(), "Red");
  so.AddAttrib("Height", kPropHeight, kDataTypeDouble, "1", 1);
  EXPECT_STREQ(so.SortValue(), "Blue");
  EXPECT_TRUE(so.HasAttrib("Height")->ReadOnly());
  EXPECT_EQ(so.HasAttributes(), 2);  // Height is read-only
}

TEST(TSmartObject, SetAttribFormsFindTheirAttribute) {
  TSmartObject so;
  so.AddAttrib(new TTGAttribute("Pitch", kPropSourceUser, kPropPitch, kDataTypeDouble, "4", false));
  so.AddAttrib(
      new TTGAttribute("Area", kPropSourceMeasured, kPropArea, kDataTypeDouble, "9", true));
  so.AddAttrib(new TTGAttribute("Style", kPropNone, kDataTypeString, "A", 1, false));

  EXPECT_EQ(so.SetAttrib("pitch", kDataTypeDouble, "6"), 1);
  EXPECT_EQ(so.SetAttrib("Area", kDataTypeDouble, "1"), 0);  // by tag: user attributes only
  EXPECT_EQ(so.SetAttrib(kPropArea, kDataTypeDouble, "1"), 0);
  EXPECT_EQ(so.SetAttrib(kPropSourceMeasured, kPropArea, kDataTypeDouble, "12.5"), 1);
  EXPECT_EQ(so.SetAttrib(kPropPitch, kDataTypeInteger, "8"), 1);
  EXPECT_EQ(so.SetAttrib(nullptr, kDataTypeDouble, "1"), 0);

  char text[32] = {};
  ASSERT_EQ(so.GetAttrib(kPropSourceMeasured, kPropArea, kDataTypeDouble, text, 32), 1);
  EXPECT_STREQ(text, "12.500000");
  ASSERT_EQ(so.GetAttrib("PITCH", kDataTypeInteger, text, 32), 1);
  EXPECT_STREQ(text, "8");
  EXPECT_EQ(so.GetAttrib("Missing", kDataTypeInteger, text, 32), 0);

  EXPECT_STREQ(so.SortValue(), "A");
  EXPECT_EQ(so.SetAttrib("Style", kDataTypeString, "B"), 1);
  EXPECT_STREQ(so.SortValue(), "B");
}

TEST(TSmartObject, SetAttribCreatesWithReadOnlyBySource) {
  struct Case {
    int source;
    bool not_to_scale;
    bool want_read_only;
  };
  const Case cases[] = {{kPropSourceUser, false, false},
                        {kPropSourceMeasured, false, true},
                        {kPropSourceMeasured, true, false},
                        {2, true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    TSmartObject so;
    so.NotToScale(c.not_to_scale);
    EXPECT_EQ(so.SetAttrib("Depth", c.source, kPropDepth, kDataTypeDouble, "2", false), 0);
    EXPECT_EQ(so.GetAttribList()->Count(), 0);
    EXPECT_EQ(so.SetAttrib("Depth", c.source, kPropDepth, kDataTypeDouble, "2", true), 1);
    EXPECT_EQ(so.SetAttrib("Depth", c.source, kPropDepth, kDataTypeDouble, "3", true), 1);
    ASSERT_EQ(so.GetAttribList()->Count(), 1);
    EXPECT_EQ(so.GetAttribute(c.source, kPropDepth)->ReadOnly(), c.want_read_only);
    EXPECT_NEAR(so.GetAttribute(c.source, kPropDepth)->GetDValue(), 3.0, kTolerance);
  }
  // Without a property type the tag tells attributes apart.
  TSmartObject so;
  so.SetAttrib("RoofID", kPropSourceUser, kPropNone, kDataTypeString, "7", true);
  so.SetAttrib("Notes", kPropSourceUser, kPropNone, kDataTypeString, "x", true);
  EXPECT_EQ(Tags(so), (std::vector<std::string>{"RoofID", "Notes"}));
  EXPECT_STREQ(so.HasAttrib("RoofID")->GetSValue(), "7");
}

TEST(TSmartObject, RemoveAndClearAttribsDropStaleSortValue) {
  TSmartObject so;
  so.AddAttrib(new TTGAttribute("Name", kPropRoofName, kDataTypeString, "Roof A", 1, false));
  so.AddAttrib(new TTGAttribute("Pitch", kPropPitch, kDataTypeDouble, "4", 0, false));
  so.AddAttrib(new TTGAttribute("Pitch", kPropPitch, kDataTypeDouble, "5", 0, false));
  EXPECT_EQ(so.RemoveAttrib("PITCH"), 1);
  EXPECT_NEAR(so.HasAttrib("Pitch")->GetDValue(), 5.0, kTolerance);  // the first went
  EXPECT_EQ(so.RemoveAttrib("Nothing"), 0);
  EXPECT_EQ(so.RemoveAttrib(nullptr), 0);
  EXPECT_EQ(so.RemoveAttrib("Name"), 1);
  EXPECT_EQ(so.SortValue(), nullptr);
  so.AddAttrib(new TTGAttribute("Name", kPropRoofName, kDataTypeString, "Roof B", 1, false));
  so.ClearAttribs();
  EXPECT_EQ(so.GetAttribList()->Count(), 0);
  EXPECT_EQ(so.SortValue(), nullptr);
  EXPECT_EQ(so.SortTag(), nullptr);
}

// ---- Section data ----

TEST(TSmartObject, SetSectionDataUpdatesByNameIgnoringCase) {
  TSmartObject so;
  TSOData* a = so.SetSectionData("North", 1, 2, 3);
  EXPECT_EQ(so.SetSectionData("NORTH", 4, 5, 6), a);
  TSOData* rest = so.SetSectionData(nullptr, 7, 8, 9);
  EXPECT_NE(rest, a);
  EXPECT_EQ(so.GetSectionData(nullptr), rest);
  EXPECT_EQ(Entries(so), (std::vector<std::string>{"North:0", "-:0"}));
  EXPECT_NEAR(a->Area(), 4.0, kTolerance);
  EXPECT_EQ(a->Count(), 6);

  TSOData foreign("North", 0, 0, 0, 0);
  EXPECT_EQ(so.RemoveSectionData(&foreign), 0);
  EXPECT_EQ(so.RemoveSectionData(rest), 1);
  EXPECT_EQ(Entries(so), (std::vector<std::string>{"North:0"}));
}

TEST(TSmartObject, ClearSectionDataModes) {
  struct Case {
    const char* section;
    int all;
    int want_deleted;
    std::vector<std::string> want_left;
  };
  const Case cases[] = {
      {nullptr, 1, 4, {}},
      {"a", 0, 2, {"B:2", "-:0"}},
      {nullptr, 0, 2, {"A:1", "B:2"}},  // the user's moves stay
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.want_deleted);
    TSmartObject so;
    so.AddSectionData(new TSOData("A", 1, 0, 0, kSODataComputed));
    so.AddSectionData(new TSOData("A", 1, 0, 0, kSODataMovedIn));
    so.AddSectionData(new TSOData("B", 1, 0, 0, kSODataMovedOut));
    so.AddSectionData(new TSOData(nullptr, 1, 0, 0, kSODataComputed));
    EXPECT_EQ(so.ClearSectionData(c.section, c.all), c.want_deleted);
    EXPECT_EQ(Entries(so), c.want_left);
  }
}

TEST(TSmartObject, TotalsIgnoreMovedOutAndUnnamedEntries) {
  TSmartObject so;
  so.AddSectionData(new TSOData("A", 10.5, 2, 1, kSODataComputed));
  so.AddSectionData(new TSOData("B", 100, 200, 300, kSODataMovedOut));
  so.AddSectionData(new TSOData(nullptr, 1000, 2000, 3000, kSODataComputed));
  so.AddSectionData(new TSOData("C", 0.25, 3, 4, kSODataMovedIn));
  double area = -1, length = -1;
  int count = -1;
  EXPECT_EQ(so.GetSectionTotals(area, length, count), 2);
  EXPECT_NEAR(area, 10.75, kTolerance);
  EXPECT_NEAR(length, 5.0, kTolerance);
  EXPECT_EQ(count, 5);
}

TEST(TSmartObject, MovingToAnotherSectionAndBackRestoresOneEntry) {
  TSmartObject so;
  so.SetSectionData("A", 12, 3, 1);
  EXPECT_EQ(so.MoveSectionData("Z", "A"), 0);
  EXPECT_EQ(so.MoveSectionData("A", "a"), 0);  // already there
  EXPECT_EQ(so.MoveSectionData("A", "B"), 1);
  EXPECT_EQ(Entries(so), (std::vector<std::string>{"A:2", "B:1"}));
  EXPECT_NEAR(so.GetSectionData("B")->Area(), 12.0, kTolerance);
  double area = 0, length = 0;
  int count = 0;
  so.GetSectionTotals(area, length, count);
  EXPECT_NEAR(area, 12.0, kTolerance);  // counted once, in B

  EXPECT_EQ(so.MoveSectionData("b", "A"), 1);
  EXPECT_EQ(Entries(so), (std::vector<std::string>{"A:0"}));
}

// ---- Records ----

TEST(TSmartObject, SaveWritesUserAttributesAndMovesOnly) {
  TSmartObject so;
  so.RFlag(6101);
  so.Name("Main");
  so.Fields(3);
  so.LegendOrder(2);
  so.SetRoofId(5, -2);
  so.AddAttrib(
      new TTGAttribute("Area", kPropSourceMeasured, kPropArea, kDataTypeDouble, "9", true));
  so.AddAttrib(new TTGAttribute("Pitch", kPropPitch, kDataTypeInteger, "4", 0, false));
  so.SetSectionData("A", 1, 1, 1);  // computed: rebuilt, not stored
  so.AddSectionData(new TSOData("B", 0, 0, 2, kSODataMovedIn));
  const std::string bytes = WrittenBytes(false, [&](DXFGroup& s) { EXPECT_EQ(so.Save(&s), 0); });
  ExpectGroups(bytes, false,
               {"0 1529", "0 1 sRoof Area", "0 2 sMain", "0 60 i3", "0 70 i2", "0 71 i5", "0 1526",
                "0 2 sPitch", "0 70 i1", "0 71 i4", "0 75 i7", "0 1527", "0 1531", "0 2 sB",
                "0 70 i2", "0 71 i1", "0 1532", "0 1530"});
  EXPECT_EQ(so.Save(nullptr), kDxfEnd);
}

TEST(TSmartObject, SaveAndReadRoundTripInBothForms) {
  for (const bool binary : {false, true}) {
    SCOPED_TRACE(binary ? "binary" : "text");
    TSmartObject so;
    so.RFlag(6105);
    so.Name("Eave 1");
    so.Fields(2);
    so.LegendOrder(7);
    so.SetRoofId(12, -1);
    so.AddAttrib(new TTGAttribute("Pitch", kPropPitch, kDataTypeDouble, "4.5", 0, false));
    so.AddAttrib(new TTGAttribute("Height", kPropHeight, kDataTypeDouble, "2", 0, false));
    so.AddAttrib(new TTGAttribute("Overhang", kPropOverhang, kDataTypeDouble, "1", 0, false));
    so.AddAttrib(new TTGAttribute("Colour", kPropNone, kDataTypeString, "Red", 1, false));
    so.AddSectionData(new TSOData("North", 3.25, 1.5, 0, kSODataMovedIn));
    const std::string bytes = WrittenBytes(binary, [&](DXFGroup& s) { EXPECT_EQ(so.Save(&s), 0); });

    StreamOver in(bytes, binary);
    ASSERT_EQ(in.stream.GetGroup(), 0);
    ASSERT_EQ(in.stream.Code(), kDxfSmartObject);
    TSmartObject back;
    ASSERT_EQ(back.AddToken(&in.stream), 0);
    EXPECT_EQ(back.RFlag(), 6105);
    EXPECT_STREQ(back.Name(), "Eave 1");
    EXPECT_EQ(back.Fields(), 2);
    EXPECT_EQ(back.LegendOrder(), 7);
    EXPECT_EQ(back.GetRId(), 12);
    EXPECT_EQ(back.GetUserRId(), -1);
    EXPECT_EQ(Tags(back), Tags(so));
    EXPECT_NEAR(back.HasAttrib("Pitch")->GetDValue(), 4.5, kTolerance);
    EXPECT_STREQ(back.SortValue(), "Red");
    EXPECT_EQ(Entries(back), (std::vector<std::string>{"North:1"}));
    EXPECT_NEAR(back.GetSectionData("North")->Area(), 3.25, kTolerance);
  }
}

TEST(TSmartObject, ReadStopsAtForeignKeywordAndFailsOnTruncation) {
  const int live = TSmartObject::GetNum();
  {
    StreamOver in(TextGroups({{1, "No Such Type"}, {2, "X"}, {0, "LINE"}}), false);
    TSmartObject so;
    so.RFlag(6101);
    EXPECT_EQ(so.AddToken(&in.stream), 0);
    EXPECT_EQ(so.RFlag(), kGenericSmartObject);
    ASSERT_EQ(in.stream.GetGroup(), 0);
    EXPECT_EQ(in.stream.Code(), kDxfLine);  // left for the caller
  }
  for (const std::string& cut :
       {TextGroups({{1, "Hip"}, {0, "ATTRIB"}, {2, "Pitch"}}),
        TextGroups({{1, "Hip"}, {0, "SECTIONDATA"}, {2, "A"}}), TextGroups({{1, "Hip"}})}) {
    StreamOver in(cut, false);
    auto so = std::make_unique<TSmartObject>();
    EXPECT_NE(so->AddToken(&in.stream), 0);
  }
  EXPECT_EQ(TSmartObject().AddToken(nullptr), kDxfEnd);
  EXPECT_EQ(TSmartObject::GetNum(), live);
}

TEST(TSmartObject, ReadingRepairsOlderRecords) {
  struct Case {
    const char* type;
    std::vector<Groups> attribs;
    int want_type;
    std::vector<std::string> want_tags;
  };
  const Case cases[] = {
      {"Roof Eave", {}, 6105, {"Pitch", "Height", "Overhang"}},
      {"Roof Eave",
       {Attrib("Height", 3, "2"), Attrib("Pitch", 7, "5")},
       6105,
       {"Height", "Pitch", "Overhang"}},
      {"Rake Edge", {}, 6107, {"Overhang"}},
      {"Roof Area", {Attrib("Height", 3, "2"), Attrib("Width", 2, "1")}, 6101, {"Width"}},
      {"Roof Plane", {Attrib("Height", 3, "2")}, 6112, {}},
      {"Roof Area",
       {Attrib("Name", 11, "1"), Attrib("Width", 2, "1"), Attrib("name", 11, "2"),
        Attrib("Overhang", 8, "1")},
       6101,
       {"Name", "Width", "Overhang"}},
      {"Roof Opening", {Attrib("Pitch", 7, "4")}, 6151, {"Pitch"}},
      {"Roof Opening", {Attrib("Pitch", 7, "0"), Attrib("Width", 2, "1")}, 6110, {"Width"}},
      {"Roof Area", {Attrib("Pitch", 7, "0")}, 6101, {}},
      {"Roof Area", {Attrib("Pitch", 7, "3")}, 6101, {"Pitch"}},
      {"Hip", {Attrib("Pitch", 7, "0")}, 6102, {"Pitch"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.type) + " with " + std::to_string(c.attribs.size()));
    const auto so = Read(c.type, c.attribs);
    EXPECT_EQ(so->RFlag(), c.want_type);
    EXPECT_EQ(Tags(*so), c.want_tags);
  }
  // The added attributes are editable doubles of the right property type.
  const auto eave = Read("Roof Eave", {});
  EXPECT_EQ(eave->HasAttrib("Overhang")->Proptype(), kPropOverhang);
  EXPECT_EQ(eave->HasAttrib("Height")->Datatype(), kDataTypeDouble);
  EXPECT_EQ(eave->HasAttributes(), 3);
  // The first Name is the one kept.
  const auto roof = Read("Roof Area", {Attrib("Name", 11, "1"), Attrib("Name", 11, "2")});
  EXPECT_NEAR(roof->HasAttrib("Name")->GetDValue(), 1.0, kTolerance);
}

// ---- Copies and the list ----

TEST(TSmartObjectList, AddRemoveAndSearch) {
  const int live = TSmartObject::GetNum();
  {
    auto* a = new TSmartObject;
    auto* b = new TSmartObject;
    auto* c = new TSmartObject;
    a->Name("Alpha");
    b->Name("Beta");
    c->Name("Gamma");
    TSmartObjectList list(a);
    list.Add(b);
    list.Add(c);
    list.Add(a);  // already linked
    list.Add(nullptr);
    const auto name = [](const TSmartObject* s) { return std::string(s->Name()); };
    EXPECT_EQ(WalkKeys(list, name), (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));

    const std::pair<int, TSmartObject*> positions[] = {
        {-1, nullptr}, {0, nullptr}, {1, a}, {3, c}, {4, nullptr}};
    for (const auto& [index, want] : positions)
      EXPECT_EQ(list.Search(index), want) << index;
    EXPECT_EQ(list.Search("BETA"), b);
    EXPECT_EQ(list.Search("Delta"), nullptr);
    EXPECT_EQ(list.Search(nullptr), nullptr);

    TSmartObject stranger;
    EXPECT_EQ(list.Remove(&stranger), nullptr);
    EXPECT_EQ(list.Remove(b), b);
    EXPECT_EQ(WalkKeys(list, name), (std::vector<std::string>{"Alpha", "Gamma"}));
    EXPECT_EQ(b->Next(), nullptr);
    delete b;
    EXPECT_EQ(list.Remove(c), c);
    list.Add(c);  // free again, so taken back at the tail
    EXPECT_EQ(WalkKeys(list, name), (std::vector<std::string>{"Alpha", "Gamma"}));
    EXPECT_EQ(TSmartObjectList(nullptr).Num(), 0);
  }
  EXPECT_EQ(TSmartObject::GetNum(), live);
}

TEST(TSmartObjectList, IdentComparesNamesInOrder) {
  const auto make = [](std::vector<const char*> names) {
    auto list = std::make_unique<TSmartObjectList>();
    for (const char* n : names) {
      auto* so = new TSmartObject;
      so->Name(n);
      list->Add(so);
    }
    return list;
  };
  EXPECT_TRUE(make({})->Ident(make({}).get()));
  EXPECT_TRUE(make({})->Ident(nullptr));
  EXPECT_TRUE(make({"Hip", "Eave"})->Ident(make({"HIP", "eave"}).get()));
  EXPECT_FALSE(make({"Hip", "Eave"})->Ident(make({"Eave", "Hip"}).get()));
  EXPECT_FALSE(make({"Hip", "Eave"})->Ident(make({"Hip"}).get()));
  EXPECT_FALSE(make({"Hip"})->Ident(make({"Hip", "Eave"}).get()));
  EXPECT_FALSE(make({"Hip"})->Ident(nullptr));
}

TEST(TSmartObjectList, CopiesAndImportAreDeepAndIndependent) {
  const int live = TSmartObject::GetNum();
  {
    TSmartObjectList source;
    for (const char* n : {"One", "Two"}) {
      auto* so = new TSmartObject;
      so->Name(n);
      so->SetGuid(kGuidA);
      so->AddAttrib(new TTGAttribute("Style", kPropNone, kDataTypeString, "A", 1, false));
      so->SetSectionData("S", 1, 0, 0);
      source.Add(so);
    }
    TSmartObjectList copy(source);
    ASSERT_TRUE(copy.Ident(&source));
    TSmartObject* mine = copy.Head();
    EXPECT_NE(mine, source.Head());
    EXPECT_STREQ(mine->GetGuid(), kGuidA);
    EXPECT_STREQ(mine->SortValue(), "A");
    mine->Name("Changed");
    mine->SetAttrib("Style", kDataTypeString, "B");
    mine->SetSectionData("S", 5, 0, 0);
    EXPECT_STREQ(source.Head()->Name(), "One");
    EXPECT_STREQ(source.Head()->HasAttrib("Style")->GetSValue(), "A");
    EXPECT_STREQ(source.Head()->SortValue(), "A");
    EXPECT_NEAR(source.Head()->GetSectionData("S")->Area(), 1.0, kTolerance);

    TSmartObjectList target(new TSmartObject);
    EXPECT_EQ(target.Import(&source), 2);
    EXPECT_TRUE(target.Ident(&source));
    EXPECT_EQ(target.Import(&target), 2);
    EXPECT_EQ(TSmartObject::GetNum(), live + 6);
    EXPECT_EQ(target.Import(nullptr), 0);
    EXPECT_EQ(target.Head(), nullptr);
  }
  EXPECT_EQ(TSmartObject::GetNum(), live);
}
