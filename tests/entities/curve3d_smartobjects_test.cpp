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
#include "support/compact_helpers.h"
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

Text NameOf(const TSmartObject* so) {
  return so != nullptr ? so->Name() : nullptr;
}

}  // namespace

TEST(Curve3DSmartObjects, LookupsUseOneBasedIndexNamesIgnoringCaseValidGuidsAndTheCatalogue) {
  Curve3D e;
  AttachRoofEaveFlashing(e);
  EXPECT_EQ(e.SmartObjectNum(), 3);
  // Anything below 2 means the first item; past the end there is none; a null name is the first.
  EXPECT_EQ(
      (TextList{NameOf(e.GetSmartObject(0)), NameOf(e.GetSmartObject(-4)),
                NameOf(e.GetSmartObject(3)), NameOf(e.GetSmartObject(4)),
                NameOf(e.GetSmartObject("eAVE")),
                NameOf(e.GetSmartObject(static_cast<const char*>(nullptr))),
                NameOf(e.GetSmartObject("Ridge")), NameOf(e.GetSmartObjectByGuid(kLowerSampleGuid)),
                NameOf(e.GetSmartObjectByGuid(kPlaceholderGuid)),
                NameOf(e.GetSmartObjectByGuid(nullptr)), e.GetSmartObjectID(),
                NameOf(e.HasSmartObjectType(kGeneric)), NameOf(e.HasSmartObjectType(kOpening))}),
      (TextList{"Main", "Main", "Flashing", nullptr, "Eave", "Main", nullptr, "Main", nullptr,
                nullptr, kSampleGuid, "Flashing", nullptr}));
  EXPECT_EQ(e.State(), kStateUnchanged);  // queries change nothing

  // The first item decides the entity's GUID: without a valid one there is none.
  Curve3D plain;
  Attach(plain, {Item(kGeneric, "A"), Item(kGeneric, "B", kSampleGuid)});
  EXPECT_EQ(plain.GetSmartObjectID(), nullptr);

  Curve3D bare;
  EXPECT_TRUE(bare.GetSmartObject(1) == nullptr && bare.GetSmartObject("Eave") == nullptr &&
              bare.SmartObjectNum() == 0 && bare.HasRoofSmartObject() == nullptr &&
              !bare.HasPitchedSmartObject() && bare.HasDoubleLineSmartObject(0) == 0);

  // Catalogue queries look at every item and prefer the first type.
  Attach(e, {Item(kPitchedRoof, "Pitched"), Item(kPitchedOpening, "Skylight"),
             Item(kRoofArea, "Flat"), Item(kOpening, "Hatch")});
  EXPECT_EQ((TextList{NameOf(e.HasRoofSmartObject()), NameOf(e.HasOpeningSmartObject())}),
            (TextList{"Flat", "Hatch"}));
  e.ClearSmartObjectByType(kRoofArea);
  e.ClearSmartObjectByType(kOpening);
  EXPECT_EQ((TextList{NameOf(e.HasRoofSmartObject()), NameOf(e.HasOpeningSmartObject())}),
            (TextList{"Pitched", "Skylight"}));

  // A zero pitch, or a pitch that was measured rather than entered, does not make it pitched.
  Attach(e, {Pitched(kGeneric, "A", "0"), With(Item(kGeneric, "B"), "Pitch", kPropPitch,
                                               kDataTypeDouble, "5", kPropSourceMeasured)});
  EXPECT_FALSE(e.HasPitchedSmartObject());
  Attach(e, {Item(kGeneric, "A"), Pitched(kGeneric, "B", "4", kDataTypeInteger)});
  EXPECT_TRUE(e.HasPitchedSmartObject());
  Attach(e, {Item(kGeneric, "A"), Item(kPitchedType, "Hip")});
  EXPECT_TRUE(e.HasPitchedSmartObject());

  Attach(e, {Item(kGeneric, "A"), Item(kBandWhenUnflagged, "Wall")});
  EXPECT_EQ((std::vector{e.HasDoubleLineSmartObject(1), e.HasDoubleLineSmartObject(0),
                         e.HasV5SmartObject()}),
            (std::vector{0, 1, 0}));
  Attach(e, {Item(kLastOldType, "Old"), Item(kLastOldType + 1, "New")});
  EXPECT_EQ(e.HasV5SmartObject(), 1);
}

TEST(Curve3DSmartObjects, RoofIdsAndGuidsGoToTheirItemsMarkOnlyRealChangesAndMakeTheOwners) {
  Curve3D e;
  AttachRoofEaveFlashing(e);
  // -1 leaves RId alone and anything below -1 leaves UserRId alone: nothing changes.
  EXPECT_EQ(e.SetRoofId(2, -1, -2), 0);
  EXPECT_EQ(e.State(), kStateUnchanged);

  // The user's choice wins, even -1; the other items are untouched.
  EXPECT_EQ((std::vector{e.SetRoofId(2, 5, -1), e.GetSmartObject(2)->GetRId(), e.GetRoofId(2),
                         e.GetRoofId(1)}),
            (std::vector{-1, 5, -1, 0}));
  EXPECT_EQ(e.State(), kStateGeometryChanged);
  // Item 2 reports its user id, not its RId of 5.
  EXPECT_EQ((std::vector{e.SetRoofId("flashing", 7, -2), e.SetRoofId("Ridge", 7, 7), e.HasRoofId(7),
                         e.HasRoofId(-1), e.HasRoofId(5)}),
            (std::vector{7, 0, 1, 1, 0}));
  // Clearing one id zeroes it wherever it is; clearing all zeroes every item.
  EXPECT_EQ((std::vector{e.ClearRoofId(7, 0), e.HasRoofId(7), e.ClearRoofId(42, 0),
                         e.ClearRoofId(0, 1), e.GetSmartObject(2)->GetRId()}),
            (std::vector{1, 0, 0, 1, 0}));

  Curve3D bare;
  EXPECT_EQ((std::vector{bare.SetRoofId(1, 5, 5), bare.GetRoofId(1), bare.GetOwnerRoofId(1)}),
            (std::vector{0, 0, 0}));
  EXPECT_EQ(bare.State(), kStateUnchanged);

  // The owner's roof id is the shared id only when selected or forced.
  Curve3D pair;
  Attach(pair, {Item(kGeneric, "A"), Item(kGeneric, "B")});
  pair.SetRoofId(1, 3, -2);
  pair.SetRoofId(2, 3, -2);
  EXPECT_EQ((std::vector{pair.GetOwnerRoofId(0), pair.GetOwnerRoofId(1)}), (std::vector{0, 3}));
  pair.Selected(1);
  EXPECT_EQ(pair.GetOwnerRoofId(0), 3);
  pair.SetRoofId(2, 4, -2);
  EXPECT_EQ(pair.GetOwnerRoofId(0), -1);
  // A negative id counts as none, so it agrees with an item that has none.
  pair.ClearRoofId(0, 1);
  pair.SetRoofId(1, -1, -1);
  EXPECT_EQ(pair.GetOwnerRoofId(0), 0);

  // The roof GUID goes to the named item or every item, and to the owner.
  AttachRoofEaveFlashing(e);
  EXPECT_EQ(e.SetRoofGuid(nullptr, kPlaceholderGuid) + e.SetRoofGuid(nullptr, nullptr), 0);
  EXPECT_EQ(e.State(), kStateUnchanged);
  EXPECT_STREQ(e.OwnerGuidText(), "");

  EXPECT_EQ(e.SetRoofGuid(nullptr, kSampleGuid), 3);
  EXPECT_EQ(e.State(), kStateGeometryChanged);
  EXPECT_EQ((TextList{e.OwnerGuidText(), e.GetRoofGuid("flashing")}),
            (TextList{kSampleGuid, kSampleGuid}));
  EXPECT_EQ(e.SetRoofGuid("EAVE", kOtherGuid), 1);
  // A null name asks the first item.
  EXPECT_EQ((TextList{e.GetRoofGuid("Eave"), e.GetRoofGuid(nullptr), e.GetRoofGuid("Ridge")}),
            (TextList{kOtherGuid, kSampleGuid, nullptr}));
  EXPECT_EQ((std::vector{e.HasRoofGuid(kLowerSampleGuid), e.HasRoofGuid(kPlaceholderGuid)}),
            (std::vector{1, 0}));

  // Without an owner GUID of its own, the entity is owned by its first item's roof.
  Curve3D child;
  Attach(child, {Item(kGeneric, "Drain")});
  EXPECT_STREQ(child.GetOwnerGuid(), "");
  child.SetRoofGuid("Drain", kOtherGuid);
  child.SetOwnerGuid(nullptr);
  EXPECT_STREQ(child.GetOwnerGuid(), kOtherGuid);
}

TEST(Curve3DSmartObjects, ListSetCopyAndZeroOwnIndependentDeepCopiesAndClearingDeletes) {
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
    ExpectNear({src.Pitch(), copy->Pitch()}, {4.0, 8.0}, kTol);

    // Set replaces the receiver's items by copies of the source's, or by none.
    Line3D dst = MakeLine(1, 1, 2, 2);
    Attach(dst, {Item(kGeneric, "A")});
    dst.Set(copy.get());
    EXPECT_THAT(ItemNames(dst), ElementsAre("Eave", "Flashing"));
    EXPECT_NE(dst.GetSmartObject(1), copy->GetSmartObject(1));
    Line3D none = MakeLine(0, 0, 1, 0);
    dst.Set(&none);
    copy->Zero();
    EXPECT_TRUE(dst.GetSmartObjectList() == nullptr && copy->GetSmartObjectList() == nullptr);
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

  // Clearing deletes the matches and drops the emptied list.
  Curve3D e;
  AttachRoofEaveFlashing(e);
  EXPECT_EQ((std::vector{e.ClearSmartObject("Ridge"), e.ClearSmartObjectByGuid(kPlaceholderGuid),
                         e.ClearSmartObjectByType(kOpening)}),
            (std::vector{0, 0, 0}));
  EXPECT_EQ(e.State(), kStateUnchanged);

  EXPECT_EQ(e.ClearSmartObject("EAVE"), 0);  // some left
  EXPECT_THAT(ItemNames(e), ElementsAre("Main", "Flashing"));
  EXPECT_EQ(e.State(), kStateGeometryChanged);
  EXPECT_EQ(e.ClearSmartObjectByGuid(kLowerSampleGuid), 0);
  EXPECT_THAT(ItemNames(e), ElementsAre("Flashing"));
  EXPECT_EQ(e.ClearSmartObjectByType(kGeneric), 1);  // none left
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

TEST(Curve3DSmartObjects, GetAttrTakesTheFirstOrLargestAnswerSetAttrOnlyChangesWhatIsThere) {
  Curve3D e;
  Attach(e, {Item(kGeneric, "Plain"), Pitched(kEave, "Eave", "4"), Pitched(kEave, "Rear", "6"),
             Pitched(kEave, "Big", "9.5"), Pitched(kEave, "C", "7", kDataTypeInteger),
             With(Item(kEave, "D"), "Width", kPropWidth, kDataTypeDouble, "30")});
  // By tag: the first item that has it, passing over the named item.
  // By property: source 2 asks for the largest value of all items.
  ExpectNear({Attr(e, nullptr, "pitch"), Attr(e, "EAVE", "Pitch"), Attr(e, 2, kPropPitch),
              Attr(e, kPropSourceUser, kPropPitch)},
             {4.0, 6.0, 9.5, 4.0}, kTol);
  EXPECT_TRUE(std::isnan(Attr(e, nullptr, "Height")) && std::isnan(Attr(e, nullptr, nullptr)) &&
              std::isnan(Attr(e, kPropSourceMeasured, kPropPitch)) &&
              std::isnan(Attr(e, 2, kPropHeight)));
  EXPECT_EQ(
      e.GetAttr(nullptr, "Pitch", kDataTypeDouble, nullptr) + e.GetAttr(2, kPropPitch, nullptr), 0);

  // SetAttr changes only items that have the attribute and reports whether it did.
  Attach(e,
         {Pitched(kEave, "Front", "4"), Pitched(kEave, "Rear", "4"), Item(kGeneric, "Flashing")});
  EXPECT_EQ((std::vector{e.SetAttr(nullptr, "Height", kDataTypeDouble, "3"),
                         e.SetAttr("Flashing", "Pitch", kDataTypeDouble, "3"),
                         e.SetAttr(nullptr, nullptr, kDataTypeDouble, "3"),
                         e.SetAttr(kPropSourceMeasured, kPropPitch, "3")}),
            (std::vector{0, 0, 0, 0}));
  EXPECT_EQ(e.State(), kStateUnchanged);
  EXPECT_EQ(e.GetSmartObject("Flashing")->HasAttrib("Pitch"), nullptr);  // never created

  EXPECT_EQ(e.SetAttr("rear", "Pitch", kDataTypeDouble, "7"), 1);
  EXPECT_EQ(e.State(), kStateGeometryChanged);
  // the front keeps its pitch
  ExpectNear({Attr(e, kPropSourceUser, kPropPitch), Attr(e, 2, kPropPitch)}, {4.0, 7.0}, kTol);

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
  // only index 0 with a buffer asks the items
  EXPECT_EQ((TextList{e.Name(0, buffer), e.Name(1, buffer), e.Name(0, nullptr)}),
            (TextList{"Roof A", "Outline", "Outline"}));
  Attach(e, {Item(kEave, "Eave"), Item(kGeneric, "Flashing")});
  EXPECT_STREQ(e.Name(0, buffer), "Eave");
  // An empty "Name" attribute names nothing.
  Attach(e, {With(Item(kRoofArea, "Flat"), "Name", kPropRoofName, kDataTypeString, "")});
  EXPECT_STREQ(e.Name(0, buffer), "Flat");

  TSmartObject* eave = Item(kEave, "Eave");
  eave->AddAttrib(new TTGAttribute("Colour", kPropNone, kDataTypeString, "Red", 1, false));
  Attach(e, {Item(kGeneric, "Flashing"), eave,
             With(Item(kPitchedRoof, "Main"), "Name", kPropRoofName, kDataTypeString, "Roof B")});
  Curve3D bare;
  EXPECT_EQ((TextList{e.RName(0), e.RName(1), e.RName(7), e.SortTag(2), e.SortValue("EAVE"),
                      e.SortTag("Flashing"), e.SortValue(9), bare.RName(0),
                      bare.SortTag(static_cast<const char*>(nullptr))}),
            (TextList{"Roof B", "Flashing", nullptr, "Colour", "Red", nullptr, nullptr, nullptr,
                      nullptr}));
}

// What an item does with its section data is its own business; here: forwarding, the 1-based
// item, the entity's state and the totals of a missing item.
TEST(Curve3DSmartObjects, SectionDataForwardsToTheIndexedItemAndMarksChanges) {
  Curve3D e;
  AttachRoofEaveFlashing(e);
  EXPECT_EQ(e.SetSectionData(2, "A", 10.0, 5.0, 1), 1);
  EXPECT_EQ(e.State(), kStateGeometryChanged);
  EXPECT_EQ(
      (std::vector{e.SetSectionData(2, "B", 2.0, 3.0, 2), e.SetSectionData(9, "A", 1.0, 1.0, 1),
                   e.GetDataList(2)->NoofObjs(), e.HasSectionData(), e.HasTotals()}),
      (std::vector{1, 0, 2, 2, 2}));
  EXPECT_NEAR(e.GetSectionData("eave", "a")->Area(), 10.0, kTol);
  EXPECT_EQ(e.GetSectionData(1, "A"), nullptr);  // the roof has none
  EXPECT_EQ(e.GetDataList(9), nullptr);
  double area = -1.0, length = -1.0;
  int count = -1;
  EXPECT_EQ(e.GetSectionTotals(2, area, length, count), 2);
  EXPECT_TRUE(std::abs(area - 12.0) < kTol && std::abs(length - 8.0) < kTol && count == 3);
  // No such item: zero totals rather than whatever the caller had.
  EXPECT_EQ(e.GetSectionTotals(9, area, length, count), 0);
  EXPECT_TRUE(area == 0.0 && length == 0.0 && count == 0);

  e.State(kStateUnchanged);
  EXPECT_EQ(
      (std::vector{e.MoveSmartObject("Eave", "Nowhere", "C"), e.MoveSmartObject("Ridge", "A", "C"),
                   e.SuppressData(9), e.RestoreData(2)}),
      (std::vector{0, 0, 0, 0}));
  EXPECT_EQ(e.State(), kStateUnchanged);
  EXPECT_EQ(e.MoveSmartObject("eave", "A", "C"), 1);
  EXPECT_EQ(e.State(), kStateGeometryChanged);
  EXPECT_EQ((std::vector{e.GetSectionData(2, "A")->GetFlag(), e.GetSectionData(2, "C")->GetFlag()}),
            (std::vector{kSODataMovedOut, kSODataMovedIn}));
  e.State(kStateUnchanged);
  EXPECT_EQ(e.SuppressData(2), 1);  // only B was still computed and counting
  EXPECT_EQ(e.State(), kStateGeometryChanged);
  EXPECT_EQ(e.RestoreData(2), 3);  // the user's move is dropped too
  EXPECT_EQ(e.GetSectionData(2, "C"), nullptr);
  EXPECT_EQ(
      (std::vector{e.ClearSectionData("b", 0), e.ClearSectionData(nullptr, 1), e.HasSectionData()}),
      (std::vector{1, 1, 0}));
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
