// The takeoff items an entity carries: look-ups, roof ids and GUIDs, ownership of the list,
// attributes, section data and the names taken from the items.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <utility>

#include "entities/curve3d.h"
#include "entities/line3d.h"
#include "support/entity_builders.h"
#include "support/smartobject_builders.h"
#include "takeoff/tsodata.h"
#include "takeoff/ttgattriblist.h"

using ::testing::ElementsAre;

namespace {

constexpr int kGeneric = 6100;
constexpr int kRoofArea = 6101;
constexpr int kPitchedType = 6102;
constexpr int kEave = 6105;
constexpr int kOpening = 6110;
constexpr int kBandWhenUnflagged = 6113;  // double-line only when asked with flag false
constexpr int kPitchedRoof = 6114;
constexpr int kPitchedOpening = 6151;
constexpr int kLastOldType = 6148;

constexpr double kTol = 1e-9;

const char* const kLowerSampleGuid = "{1a2b3c4d-5e6f-4a1b-9c2d-3e4f5a6b7c8d}";

// A roof with an eave and a flashing, the usual mix on one entity.
void AttachRoofEaveFlashing(Curve3D& e) {
  Attach(e, {With(Item(kPitchedRoof, "Main", kSampleGuid), "Name", kPropRoofName, kDataTypeString,
                  "Roof A"),
             Item(kEave, "Eave", kOtherGuid), Item(kGeneric, "Flashing")});
}

TSmartObject* Pitched(int type, const char* name, const char* pitch,
                      int datatype = kDataTypeDouble) {
  return With(Item(type, name), "Pitch", kPropPitch, datatype, pitch);
}

// The value GetAttr wrote as a number; NaN when it reported no answer.
double Attr(Curve3D& e, const char* name, const char* tag) {
  char value[50] = {};
  return e.GetAttr(name, tag, kDataTypeDouble, value) == 1 ? std::strtod(value, nullptr) : NAN;
}
double Attr(Curve3D& e, int source, int type) {
  char value[50] = {};
  return e.GetAttr(source, type, value) == 1 ? std::strtod(value, nullptr) : NAN;
}

const char* NameOf(TSmartObject* so) {
  return so != nullptr ? so->Name() : nullptr;
}

}  // namespace

TEST(Curve3DSmartObjects, LookupsUseOneBasedIndexNamesIgnoringCaseAndValidGuids) {
  Curve3D e;
  AttachRoofEaveFlashing(e);
  EXPECT_EQ(e.SmartObjectNum(), 3);
  // Anything below 2 means the first item; past the end there is none.
  const std::pair<int, const char*> by_index[] = {
      {0, "Main"}, {-4, "Main"}, {3, "Flashing"}, {4, nullptr}};
  for (const auto& [index, name] : by_index)
    EXPECT_STREQ(NameOf(e.GetSmartObject(index)), name) << index;
  EXPECT_STREQ(NameOf(e.GetSmartObject("eAVE")), "Eave");
  EXPECT_STREQ(NameOf(e.GetSmartObject(static_cast<const char*>(nullptr))), "Main");
  EXPECT_EQ(e.GetSmartObject("Ridge"), nullptr);
  EXPECT_STREQ(NameOf(e.GetSmartObjectByGuid(kLowerSampleGuid)), "Main");
  for (const char* guid : {kPlaceholderGuid, static_cast<const char*>(nullptr)})
    EXPECT_EQ(e.GetSmartObjectByGuid(guid), nullptr);
  EXPECT_STREQ(e.GetSmartObjectID(), kSampleGuid);
  EXPECT_STREQ(e.HasSmartObjectType(kGeneric)->Name(), "Flashing");
  EXPECT_EQ(e.HasSmartObjectType(kOpening), nullptr);
  EXPECT_EQ(e.State(), kStateUnchanged);  // queries change nothing

  // The first item decides the entity's GUID: without a valid one there is none.
  Curve3D plain;
  Attach(plain, {Item(kGeneric, "A"), Item(kGeneric, "B", kSampleGuid)});
  EXPECT_EQ(plain.GetSmartObjectID(), nullptr);

  Curve3D bare;
  EXPECT_EQ(bare.GetSmartObject(1), nullptr);
  EXPECT_EQ(bare.GetSmartObject("Eave"), nullptr);
  EXPECT_EQ(bare.SmartObjectNum(), 0);
  EXPECT_EQ(bare.HasRoofSmartObject(), nullptr);
  EXPECT_FALSE(bare.HasPitchedSmartObject());
  EXPECT_EQ(bare.HasDoubleLineSmartObject(0), 0);
}

TEST(Curve3DSmartObjects, CatalogueQueriesLookAtEveryItemAndPreferTheFirstType) {
  Curve3D e;
  Attach(e, {Item(kPitchedRoof, "Pitched"), Item(kPitchedOpening, "Skylight"),
             Item(kRoofArea, "Flat"), Item(kOpening, "Hatch")});
  EXPECT_STREQ(e.HasRoofSmartObject()->Name(), "Flat");
  EXPECT_STREQ(e.HasOpeningSmartObject()->Name(), "Hatch");
  e.ClearSmartObjectByType(kRoofArea);
  e.ClearSmartObjectByType(kOpening);
  EXPECT_STREQ(e.HasRoofSmartObject()->Name(), "Pitched");
  EXPECT_STREQ(e.HasOpeningSmartObject()->Name(), "Skylight");

  // A zero pitch, or a pitch that was measured rather than entered, does not make it pitched.
  Attach(e, {Pitched(kGeneric, "A", "0"), With(Item(kGeneric, "B"), "Pitch", kPropPitch,
                                               kDataTypeDouble, "5", kPropSourceMeasured)});
  EXPECT_FALSE(e.HasPitchedSmartObject());
  Attach(e, {Item(kGeneric, "A"), Pitched(kGeneric, "B", "4", kDataTypeInteger)});
  EXPECT_TRUE(e.HasPitchedSmartObject());
  Attach(e, {Item(kGeneric, "A"), Item(kPitchedType, "Hip")});
  EXPECT_TRUE(e.HasPitchedSmartObject());

  Attach(e, {Item(kGeneric, "A"), Item(kBandWhenUnflagged, "Wall")});
  EXPECT_EQ(e.HasDoubleLineSmartObject(1), 0);
  EXPECT_EQ(e.HasDoubleLineSmartObject(0), 1);
  EXPECT_EQ(e.HasV5SmartObject(), 0);
  Attach(e, {Item(kLastOldType, "Old"), Item(kLastOldType + 1, "New")});
  EXPECT_EQ(e.HasV5SmartObject(), 1);
}

TEST(Curve3DSmartObjects, SetRoofIdForwardsToOneItemAndMarksOnlyRealChanges) {
  Curve3D e;
  AttachRoofEaveFlashing(e);
  // -1 leaves RId alone and anything below -1 leaves UserRId alone: nothing changes.
  EXPECT_EQ(e.SetRoofId(2, -1, -2), 0);
  EXPECT_EQ(e.State(), kStateUnchanged);

  EXPECT_EQ(e.SetRoofId(2, 5, -1), -1);
  EXPECT_EQ(e.GetSmartObject(2)->GetRId(), 5);
  EXPECT_EQ(e.GetRoofId(2), -1);  // the user's choice wins, even -1
  EXPECT_EQ(e.GetRoofId(1), 0);   // the other items are untouched
  EXPECT_EQ(e.State(), kStateGeometryChanged);
  EXPECT_EQ(e.SetRoofId("flashing", 7, -2), 7);
  EXPECT_EQ(e.SetRoofId("Ridge", 7, 7), 0);
  EXPECT_EQ(e.HasRoofId(7), 1);
  EXPECT_EQ(e.HasRoofId(-1), 1);
  EXPECT_EQ(e.HasRoofId(5), 0);  // item 2 reports its user id

  // Clearing one id zeroes it wherever it is; clearing all zeroes every item.
  EXPECT_EQ(e.ClearRoofId(7, 0), 1);
  EXPECT_EQ(e.HasRoofId(7), 0);
  EXPECT_EQ(e.ClearRoofId(42, 0), 0);
  EXPECT_EQ(e.ClearRoofId(0, 1), 1);
  EXPECT_EQ(e.GetSmartObject(2)->GetRId(), 0);

  Curve3D bare;
  EXPECT_EQ(bare.SetRoofId(1, 5, 5), 0);
  EXPECT_EQ(bare.GetRoofId(1), 0);
  EXPECT_EQ(bare.GetOwnerRoofId(1), 0);
  EXPECT_EQ(bare.State(), kStateUnchanged);
}

TEST(Curve3DSmartObjects, OwnerRoofIdIsSharedIdOnlyWhenSelectedOrForced) {
  Curve3D e;
  Attach(e, {Item(kGeneric, "A"), Item(kGeneric, "B")});
  e.SetRoofId(1, 3, -2);
  e.SetRoofId(2, 3, -2);
  EXPECT_EQ(e.GetOwnerRoofId(0), 0);
  EXPECT_EQ(e.GetOwnerRoofId(1), 3);
  e.Selected(1);
  EXPECT_EQ(e.GetOwnerRoofId(0), 3);
  e.SetRoofId(2, 4, -2);
  EXPECT_EQ(e.GetOwnerRoofId(0), -1);
  // A negative id counts as none, so it agrees with an item that has none.
  e.ClearRoofId(0, 1);
  e.SetRoofId(1, -1, -1);
  EXPECT_EQ(e.GetOwnerRoofId(0), 0);
}

TEST(Curve3DSmartObjects, RoofGuidGoesToNamedOrEveryItemAndToTheOwner) {
  Curve3D e;
  AttachRoofEaveFlashing(e);
  EXPECT_EQ(e.SetRoofGuid(nullptr, kPlaceholderGuid), 0);
  EXPECT_EQ(e.SetRoofGuid(nullptr, nullptr), 0);
  EXPECT_EQ(e.State(), kStateUnchanged);
  EXPECT_STREQ(e.OwnerGuidText(), "");

  EXPECT_EQ(e.SetRoofGuid(nullptr, kSampleGuid), 3);
  EXPECT_STREQ(e.OwnerGuidText(), kSampleGuid);
  EXPECT_STREQ(e.GetRoofGuid("flashing"), kSampleGuid);
  EXPECT_EQ(e.State(), kStateGeometryChanged);
  EXPECT_EQ(e.SetRoofGuid("EAVE", kOtherGuid), 1);
  EXPECT_STREQ(e.GetRoofGuid("Eave"), kOtherGuid);
  EXPECT_STREQ(e.GetRoofGuid(nullptr), kSampleGuid);  // the first item
  EXPECT_EQ(e.GetRoofGuid("Ridge"), nullptr);
  EXPECT_EQ(e.HasRoofGuid(kLowerSampleGuid), 1);
  EXPECT_EQ(e.HasRoofGuid(kPlaceholderGuid), 0);

  // Without an owner GUID of its own, the entity is owned by its first item's roof.
  Curve3D child;
  Attach(child, {Item(kGeneric, "Drain")});
  EXPECT_STREQ(child.GetOwnerGuid(), "");
  child.SetRoofGuid("Drain", kOtherGuid);
  child.SetOwnerGuid(nullptr);
  EXPECT_STREQ(child.GetOwnerGuid(), kOtherGuid);
}

TEST(Curve3DSmartObjects, ListSetCopyAndZeroOwnIndependentDeepCopies) {
  const int live = TSmartObject::GetNum();
  {
    Line3D src = MakeLine(0, 0, 10, 0);
    TSmartObjectList list;
    list.Add(Pitched(kEave, "Eave", "4"));
    list.Add(Item(kGeneric, "Flashing"));
    EXPECT_EQ(src.SetSmartObjectList(&list), 2);
    EXPECT_EQ(src.State(), kStateGeometryChanged);
    EXPECT_NE(src.GetSmartObject(1), list.Head());
    list.Head()->SetAttrib("Pitch", kDataTypeDouble, "9");
    list.Head()->Name("Changed");
    EXPECT_NEAR(Attr(src, nullptr, "Pitch"), 4.0, kTol);
    EXPECT_THAT(ItemNames(src), ElementsAre("Eave", "Flashing"));

    std::unique_ptr<Curve3D> copy(src.Copy());
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy->GetSmartObject(1), src.GetSmartObject(1));
    copy->SetAttr(nullptr, "Pitch", kDataTypeDouble, "8");
    EXPECT_NEAR(src.Pitch(), 4.0, kTol);
    EXPECT_NEAR(copy->Pitch(), 8.0, kTol);

    // Set replaces the receiver's items by copies of the source's, or by none.
    Line3D dst = MakeLine(1, 1, 2, 2);
    Attach(dst, {Item(kGeneric, "A")});
    dst.Set(copy.get());
    EXPECT_THAT(ItemNames(dst), ElementsAre("Eave", "Flashing"));
    EXPECT_NE(dst.GetSmartObject(1), copy->GetSmartObject(1));
    Line3D none = MakeLine(0, 0, 1, 0);
    dst.Set(&none);
    EXPECT_EQ(dst.GetSmartObjectList(), nullptr);
    copy->Zero();
    EXPECT_EQ(copy->GetSmartObjectList(), nullptr);
    EXPECT_EQ(TSmartObject::GetNum(), live + 4);  // the list's and the source's

    // An empty list or none leaves the entity without a list.
    TSmartObjectList empty;
    EXPECT_EQ(src.SetSmartObjectList(&empty), 0);
    EXPECT_EQ(src.GetSmartObjectList(), nullptr);
    src.SetSmartObjectList(&list);
    EXPECT_EQ(src.SetSmartObjectList(nullptr), 0);
    EXPECT_EQ(src.GetSmartObjectList(), nullptr);
  }
  EXPECT_EQ(TSmartObject::GetNum(), live);
}

TEST(Curve3DSmartObjects, ClearingDeletesMatchesAndDropsTheEmptiedList) {
  const int live = TSmartObject::GetNum();
  Curve3D e;
  AttachRoofEaveFlashing(e);
  EXPECT_EQ(e.ClearSmartObject("Ridge"), 0);
  EXPECT_EQ(e.ClearSmartObjectByGuid(kPlaceholderGuid), 0);
  EXPECT_EQ(e.ClearSmartObjectByType(kOpening), 0);
  EXPECT_EQ(e.State(), kStateUnchanged);

  EXPECT_EQ(e.ClearSmartObject("EAVE"), 0);
  EXPECT_THAT(ItemNames(e), ElementsAre("Main", "Flashing"));
  EXPECT_EQ(e.State(), kStateGeometryChanged);
  EXPECT_EQ(e.ClearSmartObjectByGuid(kLowerSampleGuid), 0);
  EXPECT_THAT(ItemNames(e), ElementsAre("Flashing"));
  EXPECT_EQ(e.ClearSmartObjectByType(kGeneric), 1);
  EXPECT_EQ(e.GetSmartObjectList(), nullptr);
  EXPECT_EQ(TSmartObject::GetNum(), live);

  AttachRoofEaveFlashing(e);
  EXPECT_EQ(e.ClearSmartObject(nullptr), 1);
  EXPECT_EQ(e.GetSmartObjectList(), nullptr);
  EXPECT_EQ(TSmartObject::GetNum(), live);
  EXPECT_EQ(e.ClearSmartObject(nullptr), 1);  // nothing left: says so again

  // By roof: the roof's own items and user-assigned ones go; a roof item never does.
  Attach(e, {Item(kRoofArea, "Roof"), Item(kEave, "Eave"), Item(kGeneric, "Drain"),
             Item(kGeneric, "Vent")});
  e.SetRoofId(1, 4, -2);
  e.SetRoofId(2, 4, -2);
  e.SetRoofId(3, 0, 4);
  e.SetRoofId(4, 9, -2);
  e.State(kStateUnchanged);
  EXPECT_EQ(e.ClearSmartObjectByRoof(4), 0);
  EXPECT_THAT(ItemNames(e), ElementsAre("Roof", "Vent"));
  EXPECT_EQ(e.State(), kStateGeometryChanged);
  EXPECT_EQ(e.ClearSmartObjectByRoof(9), 0);
  EXPECT_EQ(e.ClearSmartObjectByRoof(4), 0);
  EXPECT_THAT(ItemNames(e), ElementsAre("Roof"));
}

TEST(Curve3DSmartObjects, GetAttrTakesTheFirstAnswerOrTheLargestForSourceTwo) {
  Curve3D e;
  Attach(e, {Item(kGeneric, "Plain"), Pitched(kEave, "Eave", "4"), Pitched(kEave, "Rear", "6"),
             Pitched(kEave, "Big", "9.5"), Pitched(kEave, "C", "7", kDataTypeInteger),
             With(Item(kEave, "D"), "Width", kPropWidth, kDataTypeDouble, "30")});
  // By tag: the first item that has it, passing over the named item.
  EXPECT_NEAR(Attr(e, nullptr, "pitch"), 4.0, kTol);
  EXPECT_NEAR(Attr(e, "EAVE", "Pitch"), 6.0, kTol);
  EXPECT_TRUE(std::isnan(Attr(e, nullptr, "Height")));
  EXPECT_TRUE(std::isnan(Attr(e, nullptr, nullptr)));
  EXPECT_EQ(e.GetAttr(nullptr, "Pitch", kDataTypeDouble, nullptr), 0);
  // By property: source 2 asks for the largest value of all items.
  EXPECT_NEAR(Attr(e, 2, kPropPitch), 9.5, kTol);
  EXPECT_NEAR(Attr(e, kPropSourceUser, kPropPitch), 4.0, kTol);
  EXPECT_TRUE(std::isnan(Attr(e, kPropSourceMeasured, kPropPitch)));
  EXPECT_TRUE(std::isnan(Attr(e, 2, kPropHeight)));
  EXPECT_EQ(e.GetAttr(2, kPropPitch, nullptr), 0);
}

TEST(Curve3DSmartObjects, SetAttrChangesOnlyItemsThatHaveItAndReportsWhether) {
  Curve3D e;
  Attach(e,
         {Pitched(kEave, "Front", "4"), Pitched(kEave, "Rear", "4"), Item(kGeneric, "Flashing")});
  EXPECT_EQ(e.SetAttr(nullptr, "Height", kDataTypeDouble, "3"), 0);
  EXPECT_EQ(e.SetAttr("Flashing", "Pitch", kDataTypeDouble, "3"), 0);
  EXPECT_EQ(e.SetAttr(nullptr, nullptr, kDataTypeDouble, "3"), 0);
  EXPECT_EQ(e.SetAttr(kPropSourceMeasured, kPropPitch, "3"), 0);
  EXPECT_EQ(e.State(), kStateUnchanged);
  EXPECT_EQ(e.GetSmartObject("Flashing")->HasAttrib("Pitch"), nullptr);  // never created

  EXPECT_EQ(e.SetAttr("rear", "Pitch", kDataTypeDouble, "7"), 1);
  EXPECT_EQ(e.State(), kStateGeometryChanged);
  EXPECT_NEAR(Attr(e, kPropSourceUser, kPropPitch), 4.0, kTol);  // the front keeps its pitch
  EXPECT_NEAR(Attr(e, 2, kPropPitch), 7.0, kTol);

  EXPECT_EQ(e.SetAttr(kPropSourceUser, kPropPitch, "5.5"), 1);
  const TTGAttribute* front = e.GetSmartObject(1)->GetAttribute(kPropSourceUser, kPropPitch);
  EXPECT_EQ(front->Datatype(), kDataTypeDouble);
  EXPECT_NEAR(front->GetDValue(), 5.5, kTol);
  EXPECT_EQ(e.SetAttr(kPropSourceUser, kPropPitch, kDataTypeInteger, "2"), 1);
  EXPECT_EQ(e.GetSmartObject(2)->GetAttribute(kPropSourceUser, kPropPitch)->GetIValue(), 2);
}

TEST(Curve3DSmartObjects, NamesAndSortKeysComeFromTheItems) {
  Curve3D e;
  e.Name("Outline");
  char buffer[kEntityNameSize] = {};
  EXPECT_STREQ(e.Name(0, buffer), "Outline");
  AttachRoofEaveFlashing(e);
  EXPECT_STREQ(e.Name(0, buffer), "Roof A");
  EXPECT_STREQ(e.Name(1, buffer), "Outline");  // only index 0 asks the items
  EXPECT_STREQ(e.Name(0, nullptr), "Outline");
  Attach(e, {Item(kEave, "Eave"), Item(kGeneric, "Flashing")});
  EXPECT_STREQ(e.Name(0, buffer), "Eave");
  // An empty "Name" attribute names nothing.
  Attach(e, {With(Item(kRoofArea, "Flat"), "Name", kPropRoofName, kDataTypeString, "")});
  EXPECT_STREQ(e.Name(0, buffer), "Flat");

  TSmartObject* eave = Item(kEave, "Eave");
  eave->AddAttrib(new TTGAttribute("Colour", kPropNone, kDataTypeString, "Red", 1, false));
  Attach(e, {Item(kGeneric, "Flashing"), eave,
             With(Item(kPitchedRoof, "Main"), "Name", kPropRoofName, kDataTypeString, "Roof B")});
  EXPECT_STREQ(e.RName(0), "Roof B");
  EXPECT_STREQ(e.RName(1), "Flashing");
  EXPECT_EQ(e.RName(7), nullptr);
  EXPECT_STREQ(e.SortTag(2), "Colour");
  EXPECT_STREQ(e.SortValue("EAVE"), "Red");
  EXPECT_EQ(e.SortTag("Flashing"), nullptr);
  EXPECT_EQ(e.SortValue(9), nullptr);
  Curve3D bare;
  EXPECT_EQ(bare.RName(0), nullptr);
  EXPECT_EQ(bare.SortTag(static_cast<const char*>(nullptr)), nullptr);
}

// What an item does with its section data is its own business; here: forwarding, the 1-based
// item, the entity's state and the totals of a missing item.
TEST(Curve3DSmartObjects, SectionDataForwardsToTheIndexedItemAndMarksChanges) {
  Curve3D e;
  AttachRoofEaveFlashing(e);
  EXPECT_EQ(e.SetSectionData(2, "A", 10.0, 5.0, 1), 1);
  EXPECT_EQ(e.State(), kStateGeometryChanged);
  EXPECT_EQ(e.SetSectionData(2, "B", 2.0, 3.0, 2), 1);
  EXPECT_EQ(e.SetSectionData(9, "A", 1.0, 1.0, 1), 0);
  EXPECT_NEAR(e.GetSectionData("eave", "a")->Area(), 10.0, kTol);
  EXPECT_EQ(e.GetSectionData(1, "A"), nullptr);  // the roof has none
  EXPECT_EQ(e.GetDataList(2)->NoofObjs(), 2);
  EXPECT_EQ(e.GetDataList(9), nullptr);
  EXPECT_EQ(e.HasSectionData(), 2);
  EXPECT_EQ(e.HasTotals(), 2);
  double area = -1.0, length = -1.0;
  int count = -1;
  EXPECT_EQ(e.GetSectionTotals(2, area, length, count), 2);
  EXPECT_TRUE(std::abs(area - 12.0) < kTol && std::abs(length - 8.0) < kTol && count == 3);
  // No such item: zero totals rather than whatever the caller had.
  EXPECT_EQ(e.GetSectionTotals(9, area, length, count), 0);
  EXPECT_TRUE(area == 0.0 && length == 0.0 && count == 0);

  e.State(kStateUnchanged);
  EXPECT_EQ(e.MoveSmartObject("Eave", "Nowhere", "C"), 0);
  EXPECT_EQ(e.MoveSmartObject("Ridge", "A", "C"), 0);
  EXPECT_EQ(e.SuppressData(9), 0);
  EXPECT_EQ(e.RestoreData(2), 0);
  EXPECT_EQ(e.State(), kStateUnchanged);
  EXPECT_EQ(e.MoveSmartObject("eave", "A", "C"), 1);
  EXPECT_EQ(e.State(), kStateGeometryChanged);
  EXPECT_EQ(e.GetSectionData(2, "A")->GetFlag(), kSODataMovedOut);
  EXPECT_EQ(e.GetSectionData(2, "C")->GetFlag(), kSODataMovedIn);
  e.State(kStateUnchanged);
  EXPECT_EQ(e.SuppressData(2), 1);  // only B was still computed and counting
  EXPECT_EQ(e.State(), kStateGeometryChanged);
  EXPECT_EQ(e.RestoreData(2), 3);  // the user's move is dropped too
  EXPECT_EQ(e.GetSectionData(2, "C"), nullptr);
  EXPECT_EQ(e.ClearSectionData("b", 0), 1);
  EXPECT_EQ(e.ClearSectionData(nullptr, 1), 1);
  EXPECT_EQ(e.HasSectionData(), 0);
}

TEST(Curve3DSmartObjects, LinePitchLivesInThePitchAttributeOfItsItems) {
  Line3D eave = MakeLine(0, 0, 10, 0);
  eave.LegacyPitch(3.0);
  Attach(eave, {Item(kGeneric, "Flashing"), Pitched(kEave, "Eave", "4.5")});
  EXPECT_NEAR(eave.Pitch(), 4.5, kTol);
  EXPECT_DOUBLE_EQ(eave.SetPitch(6.127), 6.127);
  EXPECT_EQ(eave.State(), kStateGeometryChanged);
  EXPECT_NEAR(eave.Pitch(), 6.13, kTol);  // stored as text with two decimals
  EXPECT_EQ(eave.GetSmartObject("Flashing")->HasAttrib("Pitch"), nullptr);

  // Items without a pitch leave the legacy pitch in charge, and SetPitch adds none.
  Line3D ridge = MakeLine(0, 0, 10, 0);
  ridge.LegacyPitch(3.0);
  Attach(ridge, {Item(kGeneric, "Ridge")});
  ridge.SetPitch(8.0);
  EXPECT_NEAR(ridge.Pitch(), 3.0, kTol);
  EXPECT_THAT(ItemNames(ridge), ElementsAre("Ridge"));
}
