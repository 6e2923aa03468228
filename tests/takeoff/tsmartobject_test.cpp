// Takeoff items: roof identifiers, attributes and the cached sort value, section data and the
// user's moves between sections, the record and the repairs made while reading older records,
// and the owning list.

#include "takeoff/tsmartobject.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "io/dxfgroup.h"
#include "support/linked_keys.h"
#include "support/list_walk.h"
#include "support/smartobject_builders.h"
#include "support/stream_fixture.h"
#include "takeoff/tsodata.h"
#include "takeoff/ttgattriblist.h"
#include "takeoff/ttgattribute.h"

namespace {

constexpr double kTolerance = 1e-12;
constexpr const char* kGuidA = "{6F9619FF-8B86-D011-B42D-00C04FC964FF}";
constexpr const char* kGuidB = "{11111111-2222-3333-4444-555555555555}";

// Tags of the item's attributes in list order, comma separated.
std::string Tags(const TSmartObject& so) {
  std::string tags;
  for (const TTGAttribItem* i = so.GetAttribList()->Head(); i != nullptr; i = i->Next())
    Append(tags, i->Attrib()->GetTag());
  return tags;
}

// "name:flag" of each section data entry in list order ("-" for the nameless entry).
std::string Entries(const TSmartObject& so) {
  std::string out;
  for (const TSOData* d = so.GetSODataList()->Head(); d != nullptr; d = d->Next())
    Append(out, (d->SectionName() ? d->SectionName() : std::string("-")) + ":" +
                    std::to_string(d->GetFlag()));
  return out;
}

// Adds a double attribute and returns it.
TTGAttribute* AddDouble(TSmartObject& so, const char* tag, int source, int proptype,
                        const char* text, bool readOnly = false, int sortKey = 0) {
  auto* a = new TTGAttribute(tag, source, proptype, kDataTypeDouble, text, readOnly);
  a->SetSortKey(sortKey);
  so.AddAttrib(a);
  return a;
}

// Text-form groups of a double attribute record ("tag" with a property type and value).
std::string Attrib(const std::string& tag, int proptype, const std::string& value) {
  return "0\nATTRIB\n2\n" + tag + "\n40\n" + value + "\n70\n2\n75\n" + std::to_string(proptype) +
         "\n0\nENDATTRIB\n";
}

// Reads a record of the given type name with the given attribute records.
std::unique_ptr<TSmartObject> Read(const std::string& type, const std::string& attribs) {
  StreamOver in("1\n" + type + "\n2\nItem\n" + attribs + "0\nENDSMARTOBJ\n", false);
  auto so = std::make_unique<TSmartObject>();
  EXPECT_EQ(so->AddToken(&in.stream), 0);
  return so;
}

// A list of new items with these names.
std::unique_ptr<TSmartObjectList> ListOf(std::initializer_list<const char*> names) {
  auto list = std::make_unique<TSmartObjectList>();
  for (const char* name : names)
    list->Add(Item(kGenericSmartObject, name));
  return list;
}

// The names head to tail, with every link and the count checked.
std::string Names(const TSmartObjectList& list) {
  std::string names;
  for (const std::string& name :
       WalkKeys(list, [](const TSmartObject* s) { return std::string(s->Name()); }))
    Append(names, name);
  return names;
}

}  // namespace

TEST(TSmartObject, RoofIdsTakeUserMinusOneAndClearByMatchOrAll) {
  // rid, userRid -> result, RId, UserRId, GetRoofId
  const std::tuple<int, int, int, int, int, int> cases[] = {
      {-1, -2, 0, 0, 0, 0},    // nothing changes
      {5, -1, -1, 5, -1, -1},  // "no roof" chosen by the user wins
      {7, -5, 7, 7, 0, 7},     // user id left alone, result is RId
      {0, 3, 3, 0, 3, 3}};
  for (const auto& [rid, user, result, wantRid, wantUser, roof] : cases) {
    TSmartObject so;
    EXPECT_EQ(so.SetRoofId(rid, user), result) << rid << "," << user;
    EXPECT_EQ(std::make_tuple(so.GetRId(), so.GetUserRId(), so.GetRoofId()),
              std::make_tuple(wantRid, wantUser, roof))
        << rid << "," << user;
  }
  TSmartObject so;
  so.SetRoofId(5, 9);
  EXPECT_EQ(so.ClearRoofId(4, 0), 0);
  EXPECT_EQ(so.ClearRoofId(9, 0), 1);
  EXPECT_EQ(so.GetRoofId(), 5);  // falls back to RId once the user's is gone
  so.SetRoofId(-1, 5);
  EXPECT_EQ(so.ClearRoofId(5, 0), 1);  // both matched
  EXPECT_EQ(so.GetRId() + so.GetUserRId(), 0);
  so.SetRoofId(3, 4);
  EXPECT_EQ(so.ClearRoofId(-99, 1), 1);
  EXPECT_EQ(so.GetRId() + so.GetUserRId(), 0);
}

TEST(TSmartObject, NameIsCutAndGuidsOnlyTakeValidText) {
  TSmartObject so;
  so.Name(std::string(80, 'x').c_str());
  EXPECT_EQ(std::string(so.Name()), std::string(kSmartObjectNameSize - 1, 'x'));
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

TEST(TSmartObject, NotToScaleSwitchesMeasuredAttributesOnlyOnChange) {
  TSmartObject so;
  TTGAttribute* measured = AddDouble(so, "Area", kPropSourceMeasured, kPropArea, "1", true);
  const TTGAttribute* user = AddDouble(so, "Pitch", kPropSourceUser, kPropPitch, "4", true);
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
  AddDouble(so, "Width", kPropSourceUser, kPropWidth, "2");
  EXPECT_EQ(so.SortValue(), nullptr);
  so.AddAttrib(new TTGAttribute("Colour", kPropNone, kDataTypeString, "Red", 1, false));
  EXPECT_STREQ(so.SortValue(), "Red");
  EXPECT_STREQ(so.SortTag(), "Colour");
  // The tag form updates by property type; only a non-zero flag refreshes the cache.
  so.HasAttrib("Colour")->SetSValue("Blue");
  so.AddAttrib("Breite", kPropWidth, kDataTypeDouble, "3.5", 0);
  EXPECT_EQ(Tags(so), "Width,Colour");
  EXPECT_NEAR(so.HasAttrib(kPropWidth)->GetDValue(), 3.5, kTolerance);
  EXPECT_STREQ(so.SortValue(), "Red");
  so.AddAttrib("Height", kPropHeight, kDataTypeDouble, "1", 1);
  EXPECT_STREQ(so.SortValue(), "Blue");
  EXPECT_TRUE(so.HasAttrib("Height")->ReadOnly());
  EXPECT_EQ(so.HasAttributes(), 2);  // Height is read-only
}

TEST(TSmartObject, SetAttribFormsFindTheirAttribute) {
  TSmartObject so;
  AddDouble(so, "Pitch", kPropSourceUser, kPropPitch, "4");
  AddDouble(so, "Area", kPropSourceMeasured, kPropArea, "9", true);
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
  // source, not to scale, read-only when created
  const std::tuple<int, bool, bool> cases[] = {{kPropSourceUser, false, false},
                                               {kPropSourceMeasured, false, true},
                                               {kPropSourceMeasured, true, false},
                                               {2, true, true}};
  for (const auto& [source, notToScale, readOnly] : cases) {
    SCOPED_TRACE(source);
    TSmartObject so;
    so.NotToScale(notToScale);
    EXPECT_EQ(so.SetAttrib("Depth", source, kPropDepth, kDataTypeDouble, "2", false), 0);
    EXPECT_EQ(so.GetAttribList()->Count(), 0);
    EXPECT_EQ(so.SetAttrib("Depth", source, kPropDepth, kDataTypeDouble, "2", true), 1);
    EXPECT_EQ(so.SetAttrib("Depth", source, kPropDepth, kDataTypeDouble, "3", true), 1);
    ASSERT_EQ(so.GetAttribList()->Count(), 1);
    EXPECT_EQ(so.GetAttribute(source, kPropDepth)->ReadOnly(), readOnly);
    EXPECT_NEAR(so.GetAttribute(source, kPropDepth)->GetDValue(), 3.0, kTolerance);
  }
  // Without a property type the tag tells attributes apart.
  TSmartObject so;
  so.SetAttrib("RoofID", kPropSourceUser, kPropNone, kDataTypeString, "7", true);
  so.SetAttrib("Notes", kPropSourceUser, kPropNone, kDataTypeString, "x", true);
  EXPECT_EQ(Tags(so), "RoofID,Notes");
  EXPECT_STREQ(so.HasAttrib("RoofID")->GetSValue(), "7");
}

TEST(TSmartObject, RemoveAndClearAttribsDropStaleSortValue) {
  TSmartObject so;
  so.AddAttrib(new TTGAttribute("Name", kPropRoofName, kDataTypeString, "Roof A", 1, false));
  AddDouble(so, "Pitch", kPropSourceUser, kPropPitch, "4");
  AddDouble(so, "Pitch", kPropSourceUser, kPropPitch, "5");
  EXPECT_EQ(so.RemoveAttrib("PITCH"), 1);
  EXPECT_NEAR(so.HasAttrib("Pitch")->GetDValue(), 5.0, kTolerance);  // the first went
  EXPECT_EQ(so.RemoveAttrib("Nothing"), 0);
  EXPECT_EQ(so.RemoveAttrib(nullptr), 0);
  EXPECT_EQ(so.RemoveAttrib("Name"), 1);
  EXPECT_EQ(so.SortValue(), nullptr);
  so.AddAttrib(new TTGAttribute("Name", kPropRoofName, kDataTypeString, "Roof B", 1, false));
  so.ClearAttribs();
  EXPECT_EQ(Tags(so), "");
  EXPECT_EQ(so.SortValue(), nullptr);
  EXPECT_EQ(so.SortTag(), nullptr);
}

TEST(TSmartObject, SectionDataIsSetByNameAndClearedByMode) {
  TSmartObject so;
  TSOData* a = so.SetSectionData("North", 1, 2, 3);
  EXPECT_EQ(so.SetSectionData("NORTH", 4, 5, 6), a);
  TSOData* rest = so.SetSectionData(nullptr, 7, 8, 9);
  EXPECT_EQ(so.GetSectionData(nullptr), rest);
  EXPECT_EQ(Entries(so), "North:0,-:0");
  EXPECT_NEAR(a->Area(), 4.0, kTolerance);
  EXPECT_EQ(a->Count(), 6);
  TSOData foreign("North", 0, 0, 0, 0);
  EXPECT_EQ(so.RemoveSectionData(&foreign), 0);
  EXPECT_EQ(so.RemoveSectionData(rest), 1);
  EXPECT_EQ(Entries(so), "North:0");

  // section, all -> deleted, left (without a section the user's moves stay)
  const std::tuple<const char*, int, int, const char*> modes[] = {
      {nullptr, 1, 4, ""}, {"a", 0, 2, "B:2,-:0"}, {nullptr, 0, 2, "A:1,B:2"}};
  for (const auto& [section, all, deleted, left] : modes) {
    TSmartObject item;
    item.AddSectionData(new TSOData("A", 1, 0, 0, kSODataComputed));
    item.AddSectionData(new TSOData("A", 1, 0, 0, kSODataMovedIn));
    item.AddSectionData(new TSOData("B", 1, 0, 0, kSODataMovedOut));
    item.AddSectionData(new TSOData(nullptr, 1, 0, 0, kSODataComputed));
    EXPECT_EQ(item.ClearSectionData(section, all), deleted) << left;
    EXPECT_EQ(Entries(item), left);
  }
}

TEST(TSmartObject, MovesBetweenSectionsCountOnceAndMovingBackRestoresOneEntry) {
  TSmartObject so;
  so.SetSectionData("A", 12, 3, 1);
  so.SetSectionData(nullptr, 1000, 2000, 3000);  // outside every section: never in the totals
  so.AddSectionData(new TSOData("C", 0.25, 2, 4, kSODataMovedIn));
  EXPECT_EQ(so.MoveSectionData("Z", "A"), 0);
  EXPECT_EQ(so.MoveSectionData("A", "a"), 0);  // already there
  EXPECT_EQ(so.MoveSectionData("A", "B"), 1);
  EXPECT_EQ(Entries(so), "A:2,-:0,C:1,B:1");
  EXPECT_NEAR(so.GetSectionData("B")->Area(), 12.0, kTolerance);
  double area = -1, length = -1;
  int count = -1;
  EXPECT_EQ(so.GetSectionTotals(area, length, count), 2);  // C and B; A moved out
  EXPECT_NEAR(area, 12.25, kTolerance);
  EXPECT_NEAR(length, 5.0, kTolerance);
  EXPECT_EQ(count, 5);
  EXPECT_EQ(so.MoveSectionData("b", "A"), 1);
  EXPECT_EQ(Entries(so), "A:0,-:0,C:1");
}

TEST(TSmartObject, SaveWritesUserAttributesAndMovesOnly) {
  TSmartObject so;
  so.RFlag(6101);
  so.Name("Main");
  so.Fields(3);
  so.LegendOrder(2);
  so.SetRoofId(5, -2);
  AddDouble(so, "Area", kPropSourceMeasured, kPropArea, "9", true);
  so.AddAttrib(new TTGAttribute("Pitch", kPropPitch, kDataTypeInteger, "4", 0, false));
  so.SetSectionData("A", 1, 1, 1);  // computed: rebuilt, not stored
  so.AddSectionData(new TSOData("B", 0, 0, 2, kSODataMovedIn));
  ExpectGroups(WrittenBytes(false, [&](DXFGroup& s) { EXPECT_EQ(so.Save(&s), 0); }), false,
               {"0 1529", "0 1 sRoof Area", "0 2 sMain", "0 60 i3", "0 70 i2", "0 71 i5", "0 1526",
                "0 2 sPitch", "0 70 i1", "0 71 i4", "0 75 i7", "0 1527", "0 1531", "0 2 sB",
                "0 70 i2", "0 71 i1", "0 1532", "0 1530"});
  EXPECT_EQ(so.Save(nullptr), kDxfEnd);
}

TEST(TSmartObject, SaveAndReadRoundTripInBothForms) {
  TSmartObject so;
  so.RFlag(6105);
  so.Name("Eave 1");
  so.Fields(2);
  so.LegendOrder(70000);  // wider than the stream's 16 bits: held at the limit, not wrapped
  so.SetRoofId(12, -1);
  for (const auto& [tag, type] :
       {std::pair{"Pitch", kPropPitch}, {"Height", kPropHeight}, {"Overhang", kPropOverhang}})
    AddDouble(so, tag, kPropSourceUser, type, "4.5");
  so.AddAttrib(new TTGAttribute("Colour", kPropNone, kDataTypeString, "Red", 1, false));
  so.AddSectionData(new TSOData("North", 3.25, 1.5, 0, kSODataMovedIn));
  for (const bool binary : {false, true}) {
    SCOPED_TRACE(binary ? "binary" : "text");
    StreamOver in(WrittenBytes(binary, [&](DXFGroup& s) { EXPECT_EQ(so.Save(&s), 0); }), binary);
    ASSERT_EQ(in.stream.GetGroup(), 0);
    ASSERT_EQ(in.stream.Code(), kDxfSmartObject);
    TSmartObject back;
    ASSERT_EQ(back.AddToken(&in.stream), 0);
    EXPECT_EQ(std::make_tuple(back.RFlag(), std::string(back.Name()), back.Fields(),
                              back.LegendOrder(), back.GetRId(), back.GetUserRId()),
              std::make_tuple(6105, std::string("Eave 1"), 2, 32767, 12, -1));
    EXPECT_EQ(Tags(back), "Pitch,Height,Overhang,Colour");
    EXPECT_NEAR(back.HasAttrib("Overhang")->GetDValue(), 4.5, kTolerance);
    EXPECT_STREQ(back.SortValue(), "Red");
    EXPECT_EQ(Entries(back), "North:1");
    EXPECT_NEAR(back.GetSectionData("North")->Area(), 3.25, kTolerance);
  }
}

TEST(TSmartObject, ReadStopsAtForeignKeywordAndFailsOnTruncation) {
  const int live = TSmartObject::GetNum();
  {
    StreamOver in("1\nNo Such Type\n2\nX\n0\nLINE\n", false);
    TSmartObject so;
    so.RFlag(6101);
    EXPECT_EQ(so.AddToken(&in.stream), 0);
    EXPECT_EQ(so.RFlag(), kGenericSmartObject);
    ASSERT_EQ(in.stream.GetGroup(), 0);
    EXPECT_EQ(in.stream.Code(), kDxfLine);  // left for the caller
  }
  for (const char* cut :
       {"1\nHip\n0\nATTRIB\n2\nPitch\n", "1\nHip\n0\nSECTIONDATA\n2\nA\n", "1\nHip\n"}) {
    StreamOver in(cut, false);
    EXPECT_NE(TSmartObject().AddToken(&in.stream), 0) << cut;
  }
  EXPECT_EQ(TSmartObject().AddToken(nullptr), kDxfEnd);
  EXPECT_EQ(TSmartObject::GetNum(), live);
}

TEST(TSmartObject, ReadingRepairsOlderRecords) {
  const std::string height = Attrib("Height", 3, "2"), width = Attrib("Width", 2, "1");
  // type name, attribute records -> type, tags
  const std::tuple<const char*, std::string, int, const char*> cases[] = {
      {"Roof Eave", "", 6105, "Pitch,Height,Overhang"},
      {"Roof Eave", height + Attrib("Pitch", 7, "5"), 6105, "Height,Pitch,Overhang"},
      {"Rake Edge", "", 6107, "Overhang"},
      {"Roof Area", height + width, 6101, "Width"},
      {"Roof Plane", height, 6112, ""},
      {"Roof Area",
       Attrib("Name", 11, "1") + width + Attrib("name", 11, "2") + Attrib("Overhang", 8, "1"), 6101,
       "Name,Width,Overhang"},
      {"Roof Opening", Attrib("Pitch", 7, "4"), 6151, "Pitch"},
      {"Roof Opening", Attrib("Pitch", 7, "0") + width, 6110, "Width"},
      {"Roof Area", Attrib("Pitch", 7, "0"), 6101, ""},
      {"Roof Area", Attrib("Pitch", 7, "3"), 6101, "Pitch"},
      {"Hip", Attrib("Pitch", 7, "0"), 6102, "Pitch"}};
  for (const auto& [type, attribs, wantType, wantTags] : cases) {
    const auto so = Read(type, attribs);
    EXPECT_EQ(so->RFlag(), wantType) << type << ": " << wantTags;
    EXPECT_EQ(Tags(*so), wantTags) << type;
  }
  // The added attributes are editable doubles of the right property type.
  const auto eave = Read("Roof Eave", "");
  EXPECT_EQ(eave->HasAttrib("Overhang")->Proptype(), kPropOverhang);
  EXPECT_EQ(eave->HasAttrib("Height")->Datatype(), kDataTypeDouble);
  EXPECT_EQ(eave->HasAttributes(), 3);
  // The first Name is the one kept.
  const auto roof = Read("Roof Area", Attrib("Name", 11, "1") + Attrib("Name", 11, "2"));
  EXPECT_NEAR(roof->HasAttrib("Name")->GetDValue(), 1.0, kTolerance);
}

TEST(TSmartObjectList, AddRemoveAndSearch) {
  const int live = TSmartObject::GetNum();
  {
    const auto list = ListOf({"Alpha", "Beta", "Gamma"});
    TSmartObject* const a = list->Head();
    TSmartObject* const b = a->Next();
    TSmartObject* const c = list->Tail();
    list->Add(a);  // already linked
    list->Add(c);
    list->Add(nullptr);
    EXPECT_EQ(Names(*list), "Alpha,Beta,Gamma");
    const std::pair<int, TSmartObject*> positions[] = {
        {-1, nullptr}, {0, nullptr}, {1, a}, {3, c}, {4, nullptr}};
    for (const auto& [index, want] : positions)
      EXPECT_EQ(list->Search(index), want) << index;
    EXPECT_EQ(list->Search("BETA"), b);
    EXPECT_EQ(list->Search("Delta"), nullptr);
    EXPECT_EQ(list->Search(nullptr), nullptr);
    TSmartObject stranger;
    EXPECT_EQ(list->Remove(&stranger), nullptr);
    const std::unique_ptr<TSmartObject> removed(list->Remove(b));
    EXPECT_EQ(removed.get(), b);
    EXPECT_TRUE(b->Next() == nullptr && b->Prev() == nullptr);
    EXPECT_EQ(Names(*list), "Alpha,Gamma");
    EXPECT_EQ(list->Remove(c), c);
    list->Add(c);  // free again, so taken back at the tail
    EXPECT_EQ(Names(*list), "Alpha,Gamma");
    TSmartObjectList one(Item(kGenericSmartObject, "One"));
    one.Add(one.Head());  // the single item has no links but is in the list
    EXPECT_EQ(one.Num(), 1);
    EXPECT_EQ(one.Head()->Next(), nullptr);
    EXPECT_EQ(TSmartObjectList(nullptr).Num(), 0);
  }
  EXPECT_EQ(TSmartObject::GetNum(), live);
}

TEST(TSmartObjectList, IdentComparesNamesInOrder) {
  EXPECT_TRUE(ListOf({})->Ident(ListOf({}).get()));
  EXPECT_TRUE(ListOf({})->Ident(nullptr));
  EXPECT_TRUE(ListOf({"Hip", "Eave"})->Ident(ListOf({"HIP", "eave"}).get()));
  EXPECT_FALSE(ListOf({"Hip", "Eave"})->Ident(ListOf({"Eave", "Hip"}).get()));
  EXPECT_FALSE(ListOf({"Hip", "Eave"})->Ident(ListOf({"Hip"}).get()));
  EXPECT_FALSE(ListOf({"Hip"})->Ident(ListOf({"Hip", "Eave"}).get()));
  EXPECT_FALSE(ListOf({"Hip"})->Ident(nullptr));
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
