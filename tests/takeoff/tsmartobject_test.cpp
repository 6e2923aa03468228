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
#include "support/compact_helpers.h"
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

// Adds an attribute (a double unless datatype says otherwise) and returns it.
TTGAttribute* Add(TSmartObject& so, const char* tag, int source, int proptype, const char* text,
                  bool readOnly = false, int sortKey = 0, int datatype = kDataTypeDouble) {
  auto* a = new TTGAttribute(tag, source, proptype, datatype, text, readOnly);
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

// An item with the plain fields of a record set.
void SetRecord(TSmartObject& so, int type, const char* name, int fields, int legendOrder, int rid,
               int userRid) {
  so.RFlag(type);
  so.Name(name);
  so.Fields(fields);
  so.LegendOrder(legendOrder);
  so.SetRoofId(rid, userRid);
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

TEST(TSmartObject, RoofIdsNameAndGuids) {
  // rid, userRid -> result, RId, UserRId, GetRoofId
  const std::tuple<int, int, int, int, int, int> cases[] = {
      {-1, -2, 0, 0, 0, 0},    // nothing changes
      {5, -1, -1, 5, -1, -1},  // "no roof" chosen by the user wins
      {7, -5, 7, 7, 0, 7},     // user id left alone, result is RId
      {0, 3, 3, 0, 3, 3}};
  for (const auto& [rid, user, result, wantRid, wantUser, roof] : cases) {
    TSmartObject so;
    EXPECT_EQ((std::vector{so.SetRoofId(rid, user), so.GetRId(), so.GetUserRId(), so.GetRoofId()}),
              (std::vector{result, wantRid, wantUser, roof}))
        << rid << "," << user;
  }
  TSmartObject so;
  so.SetRoofId(5, 9);
  // falls back to RId once the user's is gone; then both matched; then all
  EXPECT_EQ((std::vector{so.ClearRoofId(4, 0), so.ClearRoofId(9, 0), so.GetRoofId()}),
            (std::vector{0, 1, 5}));
  so.SetRoofId(-1, 5);
  EXPECT_EQ((std::vector{so.ClearRoofId(5, 0), so.GetRId(), so.GetUserRId()}),
            (std::vector{1, 0, 0}));
  so.SetRoofId(3, 4);
  EXPECT_EQ((std::vector{so.ClearRoofId(-99, 1), so.GetRId(), so.GetUserRId()}),
            (std::vector{1, 0, 0}));

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
  EXPECT_EQ((TextList{so.GetGuid(), so.GetRoofGuid(), so.GetGuid3()}),
            (TextList{kGuidA, kGuidB, kGuidA}));
}

TEST(TSmartObject, NotToScaleSwitchesMeasuredAttributesOnlyOnChangeAndSetAttribCreates) {
  TSmartObject so;
  TTGAttribute* measured = Add(so, "Area", kPropSourceMeasured, kPropArea, "1", true);
  const TTGAttribute* user = Add(so, "Pitch", kPropSourceUser, kPropPitch, "4", true);
  so.NotToScale(true);
  // user attributes are not the drawing's
  EXPECT_EQ(std::make_pair(measured->ReadOnly(), user->ReadOnly()), std::pair(false, true));
  so.NotToScale(false);
  EXPECT_TRUE(measured->ReadOnly());
  measured->ReadOnly(false);
  so.NotToScale(false);  // no change, nothing touched
  EXPECT_FALSE(measured->ReadOnly());

  // SetAttrib with create: read-only by source unless not to scale.
  // source, not to scale, read-only when created
  const std::tuple<int, bool, bool> cases[] = {{kPropSourceUser, false, false},
                                               {kPropSourceMeasured, false, true},
                                               {kPropSourceMeasured, true, false},
                                               {2, true, true}};
  for (const auto& [source, notToScale, readOnly] : cases) {
    SCOPED_TRACE(source);
    TSmartObject item;
    item.NotToScale(notToScale);
    // Created only when asked, and only once.
    const auto set = [&](const char* text, bool create) {
      return item.SetAttrib("Depth", source, kPropDepth, kDataTypeDouble, text, create);
    };
    ASSERT_EQ((std::vector{set("2", false), item.GetAttribList()->Count(), set("2", true),
                           set("3", true), item.GetAttribList()->Count()}),
              (std::vector{0, 0, 1, 1, 1}));
    EXPECT_EQ(item.GetAttribute(source, kPropDepth)->ReadOnly(), readOnly);
    EXPECT_NEAR(item.GetAttribute(source, kPropDepth)->GetDValue(), 3.0, kTolerance);
  }
  // Without a property type the tag tells attributes apart.
  TSmartObject tagged;
  tagged.SetAttrib("RoofID", kPropSourceUser, kPropNone, kDataTypeString, "7", true);
  tagged.SetAttrib("Notes", kPropSourceUser, kPropNone, kDataTypeString, "x", true);
  EXPECT_EQ(Tags(tagged), "RoofID,Notes");
  EXPECT_STREQ(tagged.HasAttrib("RoofID")->GetSValue(), "7");
}

TEST(TSmartObject, AddSetAndRemoveAttribsKeepTheSortValueCurrent) {
  TSmartObject so;
  so.AddAttrib(nullptr);
  Add(so, "Width", kPropSourceUser, kPropWidth, "2");
  EXPECT_EQ(so.SortValue(), nullptr);
  Add(so, "Colour", kPropSourceUser, kPropNone, "Red", false, 1, kDataTypeString);
  EXPECT_EQ((TextList{so.SortValue(), so.SortTag()}), (TextList{"Red", "Colour"}));
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

  // By tag only user attributes are set; by property type any source.
  Add(so, "Pitch", kPropSourceUser, kPropPitch, "4");
  Add(so, "Area", kPropSourceMeasured, kPropArea, "9", true);
  EXPECT_EQ((std::vector{so.SetAttrib("pitch", kDataTypeDouble, "6"),
                         so.SetAttrib("Area", kDataTypeDouble, "1"),
                         so.SetAttrib(kPropArea, kDataTypeDouble, "1"),
                         so.SetAttrib(kPropSourceMeasured, kPropArea, kDataTypeDouble, "12.5"),
                         so.SetAttrib(kPropPitch, kDataTypeInteger, "8"),
                         so.SetAttrib(nullptr, kDataTypeDouble, "1")}),
            (std::vector{1, 0, 0, 1, 1, 0}));
  char text[32] = {};
  ASSERT_EQ(so.GetAttrib(kPropSourceMeasured, kPropArea, kDataTypeDouble, text, 32), 1);
  EXPECT_STREQ(text, "12.500000");
  ASSERT_EQ(so.GetAttrib("PITCH", kDataTypeInteger, text, 32), 1);
  EXPECT_STREQ(text, "8");
  EXPECT_EQ(so.GetAttrib("Missing", kDataTypeInteger, text, 32), 0);
  EXPECT_EQ(so.SetAttrib("Colour", kDataTypeString, "Green"), 1);
  EXPECT_STREQ(so.SortValue(), "Green");

  Add(so, "Pitch", kPropSourceUser, kPropPitch, "5");
  EXPECT_EQ(so.RemoveAttrib("PITCH"), 1);
  EXPECT_NEAR(so.HasAttrib("Pitch")->GetDValue(), 5.0, kTolerance);  // the first went
  EXPECT_EQ(so.RemoveAttrib("Nothing") + so.RemoveAttrib(nullptr), 0);
  EXPECT_EQ(so.RemoveAttrib("Colour"), 1);
  EXPECT_EQ(so.SortValue(), nullptr);
  Add(so, "Name", kPropSourceUser, kPropRoofName, "Roof B", false, 1, kDataTypeString);
  so.ClearAttribs();
  EXPECT_EQ(Tags(so), "");
  EXPECT_EQ((TextList{so.SortValue(), so.SortTag()}), (TextList{nullptr, nullptr}));
}

TEST(TSmartObject, SectionDataByNameClearedByModeAndMovedByTheUser) {
  TSmartObject so;
  TSOData* a = so.SetSectionData("North", 1, 2, 3);
  EXPECT_EQ(so.SetSectionData("NORTH", 4, 5, 6), a);
  TSOData* rest = so.SetSectionData(nullptr, 7, 8, 9);
  EXPECT_EQ(so.GetSectionData(nullptr), rest);
  EXPECT_EQ(Entries(so), "North:0,-:0");
  EXPECT_NEAR(a->Area(), 4.0, kTolerance);
  EXPECT_EQ(a->Count(), 6);
  TSOData foreign("North", 0, 0, 0, 0);
  EXPECT_EQ((std::vector{so.RemoveSectionData(&foreign), so.RemoveSectionData(rest)}),
            (std::vector{0, 1}));
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

  // Moves count once and moving back restores one entry.
  TSmartObject moved;
  moved.SetSectionData("A", 12, 3, 1);
  moved.SetSectionData(nullptr, 1000, 2000, 3000);  // outside every section: never in the totals
  moved.AddSectionData(new TSOData("C", 0.25, 2, 4, kSODataMovedIn));
  // unknown source, already there, then a real move
  EXPECT_EQ((std::vector{moved.MoveSectionData("Z", "A"), moved.MoveSectionData("A", "a"),
                         moved.MoveSectionData("A", "B")}),
            (std::vector{0, 0, 1}));
  EXPECT_EQ(Entries(moved), "A:2,-:0,C:1,B:1");
  EXPECT_NEAR(moved.GetSectionData("B")->Area(), 12.0, kTolerance);
  double area = -1, length = -1;
  int count = -1;
  EXPECT_EQ(moved.GetSectionTotals(area, length, count), 2);  // C and B; A moved out
  ExpectNear({area, length, static_cast<double>(count)}, {12.25, 5.0, 5.0}, kTolerance);
  EXPECT_EQ(moved.MoveSectionData("b", "A"), 1);
  EXPECT_EQ(Entries(moved), "A:0,-:0,C:1");
}

TEST(TSmartObject, SaveWritesUserAttributesAndMovesOnlyAndRoundTripsInBothForms) {
  TSmartObject so;
  SetRecord(so, 6101, "Main", 3, 2, 5, -2);
  Add(so, "Area", kPropSourceMeasured, kPropArea, "9", true);
  Add(so, "Pitch", kPropSourceUser, kPropPitch, "4", false, 0, kDataTypeInteger);
  so.SetSectionData("A", 1, 1, 1);  // computed: rebuilt, not stored
  so.AddSectionData(new TSOData("B", 0, 0, 2, kSODataMovedIn));
  ExpectGroups(WrittenBytes(false, [&](DXFGroup& s) { EXPECT_EQ(so.Save(&s), 0); }), false,
               {"0 1529", "0 1 sRoof Area", "0 2 sMain", "0 60 i3", "0 70 i2", "0 71 i5", "0 1526",
                "0 2 sPitch", "0 70 i1", "0 71 i4", "0 75 i7", "0 1527", "0 1531", "0 2 sB",
                "0 70 i2", "0 71 i1", "0 1532", "0 1530"});
  EXPECT_EQ(so.Save(nullptr), kDxfEnd);

  TSmartObject eave;  // a legend order wider than 16 bits is held at the limit, not wrapped
  SetRecord(eave, 6105, "Eave 1", 2, 70000, 12, -1);
  for (const auto& [tag, type] :
       {std::pair{"Pitch", kPropPitch}, {"Height", kPropHeight}, {"Overhang", kPropOverhang}})
    Add(eave, tag, kPropSourceUser, type, "4.5");
  Add(eave, "Colour", kPropSourceUser, kPropNone, "Red", false, 1, kDataTypeString);
  eave.AddSectionData(new TSOData("North", 3.25, 1.5, 0, kSODataMovedIn));
  ForBothForms([&](bool binary) {
    StreamOver in(WrittenBytes(binary, [&](DXFGroup& s) { EXPECT_EQ(eave.Save(&s), 0); }), binary);
    ASSERT_EQ(in.stream.GetGroup(), 0);
    ASSERT_EQ(in.stream.Code(), kDxfSmartObject);
    TSmartObject back;
    ASSERT_EQ(back.AddToken(&in.stream), 0);
    EXPECT_EQ(std::make_tuple(back.RFlag(), std::string(back.Name()), back.Fields(),
                              back.LegendOrder(), back.GetRId(), back.GetUserRId()),
              std::make_tuple(6105, std::string("Eave 1"), 2, 32767, 12, -1));
    EXPECT_EQ((TextList{Tags(back), back.SortValue(), Entries(back)}),
              (TextList{"Pitch,Height,Overhang,Colour", "Red", "North:1"}));
    EXPECT_NEAR(back.HasAttrib("Overhang")->GetDValue(), 4.5, kTolerance);
    EXPECT_NEAR(back.GetSectionData("North")->Area(), 3.25, kTolerance);
  });
}

TEST(TSmartObject, ReadingStopsAtForeignKeywordsFailsOnTruncationAndRepairsOlderRecords) {
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

  const std::string height = Attrib("Height", 3, "2"), width = Attrib("Width", 2, "1");
  // type name, attribute records -> type, tags
  // clang-format off
  const std::tuple<const char*, std::string, int, const char*> cases[] = {
      {"Roof Eave", "", 6105, "Pitch,Height,Overhang"}, {"Rake Edge", "", 6107, "Overhang"},
      {"Roof Eave", height + Attrib("Pitch", 7, "5"), 6105, "Height,Pitch,Overhang"},
      {"Roof Area", height + width, 6101, "Width"}, {"Roof Plane", height, 6112, ""},
      {"Roof Area", Attrib("Name", 11, "1") + width + Attrib("name", 11, "2") +
                    Attrib("Overhang", 8, "1"), 6101, "Name,Width,Overhang"},
      {"Roof Opening", Attrib("Pitch", 7, "4"), 6151, "Pitch"},
      {"Roof Opening", Attrib("Pitch", 7, "0") + width, 6110, "Width"},
      {"Roof Area", Attrib("Pitch", 7, "0"), 6101, ""}, {"Roof Area", Attrib("Pitch", 7, "3"), 6101,
      "Pitch"}, {"Hip", Attrib("Pitch", 7, "0"), 6102, "Pitch"}};
  // clang-format on
  for (const auto& [type, attribs, wantType, wantTags] : cases) {
    const auto so = Read(type, attribs);
    EXPECT_EQ(std::make_pair(so->RFlag(), Tags(*so)),
              std::make_pair(wantType, std::string(wantTags)))
        << type;
  }
  // The added attributes are editable doubles of the right property type.
  const auto eave = Read("Roof Eave", "");
  EXPECT_EQ((std::vector{eave->HasAttrib("Overhang")->Proptype(),
                         eave->HasAttrib("Height")->Datatype(), eave->HasAttributes()}),
            (std::vector{kPropOverhang, kDataTypeDouble, 3}));
  // The first Name is the one kept.
  const auto roof = Read("Roof Area", Attrib("Name", 11, "1") + Attrib("Name", 11, "2"));
  EXPECT_NEAR(roof->HasAttrib("Name")->GetDValue(), 1.0, kTolerance);
}

TEST(TSmartObjectList, AddRemoveSearchIdentAndDeepIndependentCopiesAndImport) {
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
    EXPECT_EQ((std::vector{list->Search(-1), list->Search(0), list->Search(1), list->Search(3),
                           list->Search(4), list->Search("BETA"), list->Search("Delta"),
                           list->Search(nullptr)}),
              (std::vector<TSmartObject*>{nullptr, nullptr, a, c, nullptr, b, nullptr, nullptr}));
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

    // Ident compares names in order, ignoring case; nothing equals an empty list.
    const auto hipEave = ListOf({"Hip", "Eave"}), hip = ListOf({"Hip"}), none = ListOf({});
    EXPECT_TRUE(none->Ident(ListOf({}).get()) && none->Ident(nullptr) &&
                hipEave->Ident(ListOf({"HIP", "eave"}).get()));
    EXPECT_FALSE(hipEave->Ident(ListOf({"Eave", "Hip"}).get()) || hipEave->Ident(hip.get()) ||
                 hip->Ident(hipEave.get()) || hip->Ident(nullptr));
  }
  EXPECT_EQ(TSmartObject::GetNum(), live);

  // Copies and Import are deep and independent.
  {
    TSmartObjectList source;
    for (const char* n : {"One", "Two"}) {
      auto* so = Item(kGenericSmartObject, n, kGuidA);
      Add(*so, "Style", kPropSourceUser, kPropNone, "A", false, 1, kDataTypeString);
      so->SetSectionData("S", 1, 0, 0);
      source.Add(so);
    }
    TSmartObjectList copy(source);
    ASSERT_TRUE(copy.Ident(&source));
    TSmartObject* mine = copy.Head();
    EXPECT_NE(mine, source.Head());
    EXPECT_EQ((TextList{mine->GetGuid(), mine->SortValue()}), (TextList{kGuidA, "A"}));
    mine->Name("Changed");
    mine->SetAttrib("Style", kDataTypeString, "B");
    mine->SetSectionData("S", 5, 0, 0);
    const TSmartObject* theirs = source.Head();
    EXPECT_EQ(
        (TextList{theirs->Name(), theirs->HasAttrib("Style")->GetSValue(), theirs->SortValue()}),
        (TextList{"One", "A", "A"}));
    EXPECT_NEAR(theirs->GetSectionData("S")->Area(), 1.0, kTolerance);
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
