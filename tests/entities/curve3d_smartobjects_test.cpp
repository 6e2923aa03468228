#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "entities/curve3d.h"
#include "entities/line3d.h"
#include "support/entity_builders.h"
#include "support/smartobject_builders.h"
#include "takeoff/tsodata.h"
#include "takeoff/ttgattriblist.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

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

double Number(const char* text) {
  return std::strtod(text, nullptr);
}

}  // namespace

// ---- Finding items ------------------------------------------------------------------------

TEST(Curve3DSmartObjects, LookupsUseOneBasedIndexNamesIgnoringCaseAndValidGuids) {
  Curve3D e;
  AttachRoofEaveFlashing(e);
  TSmartObjectList* list = e.GetSmartObjectList();
  ASSERT_NE(list, nullptr);
  TSmartObject* first = list->Head();
  EXPECT_EQ(e.SmartObjectNum(), 3);
  // Anything below 2 means the first item; past the end there is none.
  EXPECT_EQ(e.GetSmartObject(0), first);
  EXPECT_EQ(e.GetSmartObject(-4), first);
  EXPECT_STREQ(e.GetSmartObject(3)->Name(), "Flashing");
  EXPECT_EQ(e.GetSmartObject(4), nullptr);
  EXPECT_STREQ(e.GetSmartObject("eAVE")->Name(), "Eave");
  EXPECT_EQ(e.GetSmartObject(static_cast<const char*>(nullptr)), first);
  EXPECT_EQ(e.GetSmartObject("Ridge"), nullptr);
  EXPECT_STREQ(e.GetSmartObjectByGuid(kLowerSampleGuid)->Name(), "Main");
  EXPECT_EQ(e.GetSmartObjectByGuid(kPlaceholderGuid), nullptr);
  EXPECT_EQ(e.GetSmartObjectByGuid(nullptr), nullptr);
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
  EXPECT_EQ(bare.HasRoofSmartObject(), nullptr);
  EXPECT_EQ(bare.SmartObjectNum(), 0);
}

TEST(Curve3DSmartObjects, RoofAndOpeningPreferTheirFirstTypeWhereverItStands) {
  Curve3D e;
  Attach(e, {Item(kPitchedRoof, "Pitched"), Item(kPitchedOpening, "Skylight"),
             Item(kRoofArea, "Flat"), Item(kOpening, "Hatch")});
  EXPECT_STREQ(e.HasRoofSmartObject()->Name(), "Flat");
  EXPECT_STREQ(e.HasOpeningSmartObject()->Name(), "Hatch");
  e.ClearSmartObjectByType(kRoofArea);
  e.ClearSmartObjectByType(kOpening);
  EXPECT_STREQ(e.HasRoofSmartObject()->Name(), "Pitched");
  EXPECT_STREQ(e.HasOpeningSmartObject()->Name(), "Skylight");
}

TEST(Curve3DSmartObjects, CatalogueQueriesLookAtEveryItem) {
  Curve3D e;
  // A zero pitch, or a pitch that was measured rather than entered, does not make it pitched.
  Attach(e, {With(Item(kGeneric, "A"), "Pitch", kPropPitch, kDataTypeDouble, "0"),
             With(Item(kGeneric, "B"), "Pitch", kPropPitch, kDataTypeDouble, "5",
                  kPropSourceMeasured)});
  EXPECT_FALSE(e.HasPitchedSmartObject());
  Attach(e, {Item(kGeneric, "A"),
             With(Item(kGeneric, "B"), "Pitch", kPropPitch, kDataTypeInteger, "4")});
  EXPECT_TRUE(e.HasPitchedSmartObject());
  Attach(e, {Item(kGeneric, "A"), Item(kPitchedType, "Hip")});
  EXPECT_TRUE(e.HasPitchedSmartObject());

  Attach(e, {Item(kGeneric, "A"), Item(kBandWhenUnflagged, "Wall")});
  EXPECT_EQ(e.HasDoubleLineSmartObject(1), 0);
  EXPECT_EQ(e.HasDoubleLineSmartObject(0), 1);
  EXPECT_EQ(e.HasV5SmartObject(), 0);
  Attach(e, {Item(kLastOldType, "Old"), Item(kLastOldType + 1, "New")});
  EXPECT_EQ(e.HasV5SmartObject(), 1);

  Curve3D bare;
  EXPECT_FALSE(bare.HasPitchedSmartObject());
  EXPECT_EQ(bare.HasDoubleLineSmartObject(0), 0);
}

// ---- Roof identifiers and GUIDs -----------------------------------------------------------

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
  EXPECT_EQ(e.GetRoofId(3), 7);
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
  EXPECT_EQ(e.GetRoofId(1), -1);
  EXPECT_EQ(e.GetOwnerRoofId(0), 0);
  Curve3D bare;
  EXPECT_EQ(bare.GetOwnerRoofId(1), 0);
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

// ---- The list as a whole: replacing, copying, clearing ------------------------------------

TEST(Curve3DSmartObjects, SetSmartObjectListTakesAnIndependentDeepCopy) {
  const int live = TSmartObject::GetNum();
  {
    Curve3D e;
    TSmartObjectList list;
    list.Add(With(Item(kEave, "Eave"), "Pitch", kPropPitch, kDataTypeDouble, "4"));
    list.Add(Item(kGeneric, "Flashing"));
    EXPECT_EQ(e.SetSmartObjectList(&list), 2);
    EXPECT_EQ(e.State(), kStateGeometryChanged);
    EXPECT_NE(e.GetSmartObject(1), list.Head());
    list.Head()->SetAttrib("Pitch", kDataTypeDouble, "9");
    list.Head()->Name("Changed");
    char pitch[50] = {};
    ASSERT_EQ(e.GetAttr(nullptr, "Pitch", kDataTypeDouble, pitch), 1);
    EXPECT_NEAR(Number(pitch), 4.0, kTol);
    EXPECT_THAT(ItemNames(e), ElementsAre("Eave", "Flashing"));

    // An empty list or none leaves the entity without a list.
    TSmartObjectList empty;
    EXPECT_EQ(e.SetSmartObjectList(&empty), 0);
    EXPECT_EQ(e.GetSmartObjectList(), nullptr);
    e.SetSmartObjectList(&list);
    EXPECT_EQ(e.SetSmartObjectList(nullptr), 0);
    EXPECT_EQ(e.GetSmartObjectList(), nullptr);
  }
  EXPECT_EQ(TSmartObject::GetNum(), live);
}

TEST(Curve3DSmartObjects, CopySetZeroAndDestructorOwnTheirItems) {
  const int live = TSmartObject::GetNum();
  {
    Line3D src = MakeLine(0, 0, 10, 0);
    Attach(src, {With(Item(kEave, "Eave"), "Pitch", kPropPitch, kDataTypeDouble, "4")});
    std::unique_ptr<Curve3D> copy(src.Copy());
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(copy->SmartObjectNum(), 1);
    EXPECT_NE(copy->GetSmartObject(1), src.GetSmartObject(1));
    copy->SetAttr(nullptr, "Pitch", kDataTypeDouble, "8");
    EXPECT_NEAR(src.Pitch(), 4.0, kTol);
    EXPECT_NEAR(copy->Pitch(), 8.0, kTol);

    // Set replaces the receiver's items by copies of the source's, or by none.
    Line3D dst = MakeLine(1, 1, 2, 2);
    Attach(dst, {Item(kGeneric, "A"), Item(kGeneric, "B")});
    dst.Set(copy.get());
    EXPECT_THAT(ItemNames(dst), ElementsAre("Eave"));
    EXPECT_NE(dst.GetSmartObject(1), copy->GetSmartObject(1));
    Line3D none = MakeLine(0, 0, 1, 0);
    dst.Set(&none);
    EXPECT_EQ(dst.GetSmartObjectList(), nullptr);

    copy->Zero();
    EXPECT_EQ(copy->GetSmartObjectList(), nullptr);
    EXPECT_EQ(TSmartObject::GetNum(), live + 1);  // only the source's item is left
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
  // Nothing left to clear: the entity has no item, and says so.
  EXPECT_EQ(e.ClearSmartObject(nullptr), 1);
}

TEST(Curve3DSmartObjects, ClearingByRoofKeepsTheRoofAndOtherRoofsItems) {
  Curve3D e;
  Attach(e, {Item(kRoofArea, "Roof"), Item(kEave, "Eave"), Item(kGeneric, "Drain"),
             Item(kGeneric, "Vent")});
  e.SetRoofId(1, 4, -2);
  e.SetRoofId(2, 4, -2);
  e.SetRoofId(3, 0, 4);  // assigned by the user
  e.SetRoofId(4, 9, -2);
  e.State(kStateUnchanged);
  EXPECT_EQ(e.ClearSmartObjectByRoof(4), 0);
  EXPECT_THAT(ItemNames(e), ElementsAre("Roof", "Vent"));
  EXPECT_EQ(e.State(), kStateGeometryChanged);
  EXPECT_EQ(e.ClearSmartObjectByRoof(9), 0);
  EXPECT_EQ(e.ClearSmartObjectByRoof(4), 0);  // a roof item is never cleared by its roof
  EXPECT_THAT(ItemNames(e), ElementsAre("Roof"));
}

// ---- Attributes ---------------------------------------------------------------------------

TEST(Curve3DSmartObjects, GetAttrByTagTakesTheFirstAnswerPassingOverTheNamedItem) {
  Curve3D e;
  Attach(e, {Item(kGeneric, "Plain"),
             With(Item(kEave, "Eave"), "Pitch", kPropPitch, kDataTypeDouble, "4"),
             With(Item(kEave, "Rear"), "Pitch", kPropPitch, kDataTypeDouble, "6")});
  char value[50] = {};
  EXPECT_EQ(e.GetAttr(nullptr, "pitch", kDataTypeDouble, value), 1);
  EXPECT_NEAR(Number(value), 4.0, kTol);
  EXPECT_EQ(e.GetAttr("EAVE", "Pitch", kDataTypeDouble, value), 1);
  EXPECT_NEAR(Number(value), 6.0, kTol);
  EXPECT_EQ(e.GetAttr(nullptr, "Height", kDataTypeDouble, value), 0);
  EXPECT_EQ(e.GetAttr(nullptr, "Pitch", kDataTypeDouble, nullptr), 0);
  EXPECT_EQ(e.GetAttr(nullptr, nullptr, kDataTypeDouble, value), 0);
}

TEST(Curve3DSmartObjects, GetAttrBySourceTwoGivesTheLargestValueOfAllItems) {
  Curve3D e;
  Attach(e, {With(Item(kEave, "A"), "Pitch", kPropPitch, kDataTypeDouble, "4"),
             With(Item(kEave, "B"), "Pitch", kPropPitch, kDataTypeDouble, "9.5"),
             With(Item(kEave, "C"), "Pitch", kPropPitch, kDataTypeInteger, "6"),
             With(Item(kEave, "D"), "Width", kPropWidth, kDataTypeDouble, "30")});
  char value[50] = {};
  EXPECT_EQ(e.GetAttr(2, kPropPitch, value), 1);
  EXPECT_NEAR(Number(value), 9.5, kTol);
  // Any other source: the first item that has it.
  EXPECT_EQ(e.GetAttr(kPropSourceUser, kPropPitch, value), 1);
  EXPECT_NEAR(Number(value), 4.0, kTol);
  EXPECT_EQ(e.GetAttr(kPropSourceMeasured, kPropPitch, value), 0);
  EXPECT_EQ(e.GetAttr(2, kPropHeight, value), 0);
  EXPECT_EQ(e.GetAttr(2, kPropPitch, nullptr), 0);
}

TEST(Curve3DSmartObjects, SetAttrChangesOnlyItemsThatHaveItAndReportsWhether) {
  Curve3D e;
  Attach(e, {With(Item(kEave, "Front"), "Pitch", kPropPitch, kDataTypeDouble, "4"),
             With(Item(kEave, "Rear"), "Pitch", kPropPitch, kDataTypeDouble, "4"),
             Item(kGeneric, "Flashing")});
  EXPECT_EQ(e.SetAttr(nullptr, "Height", kDataTypeDouble, "3"), 0);
  EXPECT_EQ(e.SetAttr("Flashing", "Pitch", kDataTypeDouble, "3"), 0);
  EXPECT_EQ(e.SetAttr(nullptr, nullptr, kDataTypeDouble, "3"), 0);
  EXPECT_EQ(e.SetAttr(kPropSourceMeasured, kPropPitch, "3"), 0);
  EXPECT_EQ(e.State(), kStateUnchanged);
  EXPECT_EQ(e.GetSmartObject("Flashing")->HasAttrib("Pitch"), nullptr);  // never created

  EXPECT_EQ(e.SetAttr("rear", "Pitch", kDataTypeDouble, "7"), 1);
  EXPECT_EQ(e.State(), kStateGeometryChanged);
  char value[50] = {};
  e.GetAttr(kPropSourceUser, kPropPitch, value);
  EXPECT_NEAR(Number(value), 4.0, kTol);  // the front keeps its pitch
  e.GetAttr(2, kPropPitch, value);
  EXPECT_NEAR(Number(value), 7.0, kTol);

  EXPECT_EQ(e.SetAttr(kPropSourceUser, kPropPitch, "5.5"), 1);
  const TTGAttribute* front = e.GetSmartObject(1)->GetAttribute(kPropSourceUser, kPropPitch);
  EXPECT_EQ(front->Datatype(), kDataTypeDouble);
  EXPECT_NEAR(front->GetDValue(), 5.5, kTol);
  EXPECT_EQ(e.SetAttr(kPropSourceUser, kPropPitch, kDataTypeInteger, "2"), 1);
  EXPECT_EQ(e.GetSmartObject(2)->GetAttribute(kPropSourceUser, kPropPitch)->GetIValue(), 2);
}

TEST(Curve3DSmartObjects, NameFallsBackFromNameAttributeToFirstItemToOwnName) {
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
}

// ---- Section data -------------------------------------------------------------------------

TEST(Curve3DSmartObjects, SectionDataForwardsToTheIndexedItem) {
  Curve3D e;
  AttachRoofEaveFlashing(e);
  EXPECT_EQ(e.SetSectionData(2, "A", 10.0, 5.0, 1), 1);
  EXPECT_EQ(e.State(), kStateGeometryChanged);
  EXPECT_EQ(e.SetSectionData(2, "B", 2.0, 3.0, 2), 1);
  EXPECT_EQ(e.SetSectionData(9, "A", 1.0, 1.0, 1), 0);
  ASSERT_NE(e.GetSectionData(2, "a"), nullptr);
  EXPECT_NEAR(e.GetSectionData("eave", "A")->Area(), 10.0, kTol);
  EXPECT_EQ(e.GetSectionData(1, "A"), nullptr);  // the roof has none
  EXPECT_EQ(e.GetDataList(2)->NoofObjs(), 2);
  EXPECT_EQ(e.GetDataList(9), nullptr);
  EXPECT_EQ(e.HasSectionData(), 2);

  double area = -1.0, length = -1.0;
  int count = -1;
  EXPECT_EQ(e.GetSectionTotals(2, area, length, count), 2);
  EXPECT_NEAR(area, 12.0, kTol);
  EXPECT_NEAR(length, 8.0, kTol);
  EXPECT_EQ(count, 3);
  // No such item: zero totals rather than whatever the caller had.
  area = length = -1.0;
  EXPECT_EQ(e.GetSectionTotals(9, area, length, count), 0);
  EXPECT_TRUE(area == 0.0 && length == 0.0 && count == 0);
  EXPECT_EQ(e.HasTotals(), 2);

  e.State(kStateUnchanged);
  EXPECT_EQ(e.ClearSectionData("b", 0), 1);
  EXPECT_EQ(e.State(), kStateGeometryChanged);
  EXPECT_EQ(e.ClearSectionData(nullptr, 1), 1);
  EXPECT_EQ(e.HasSectionData(), 0);
}

TEST(Curve3DSmartObjects, MovingToAnotherSectionAndBackLeavesOneComputedEntry) {
  Curve3D e;
  AttachRoofEaveFlashing(e);
  e.SetSectionData(2, "A", 10.0, 5.0, 1);
  e.State(kStateUnchanged);
  EXPECT_EQ(e.MoveSmartObject("Eave", "Nowhere", "B"), 0);
  EXPECT_EQ(e.MoveSmartObject("Ridge", "A", "B"), 0);
  EXPECT_EQ(e.State(), kStateUnchanged);

  EXPECT_EQ(e.MoveSmartObject("eave", "A", "B"), 1);
  EXPECT_EQ(e.State(), kStateGeometryChanged);
  EXPECT_EQ(e.GetSectionData(2, "A")->GetFlag(), kSODataMovedOut);
  EXPECT_EQ(e.GetSectionData(2, "B")->GetFlag(), kSODataMovedIn);
  double area = 0.0, length = 0.0;
  int count = 0;
  EXPECT_EQ(e.GetSectionTotals(2, area, length, count), 1);  // counted once, in B

  EXPECT_EQ(e.MoveSmartObject("Eave", "B", "A"), 1);
  EXPECT_EQ(e.GetDataList(2)->NoofObjs(), 1);
  EXPECT_EQ(e.GetSectionData(2, "A")->GetFlag(), kSODataComputed);
}

TEST(Curve3DSmartObjects, SuppressedDataLeavesTheTotalsUntilRestored) {
  Curve3D e;
  AttachRoofEaveFlashing(e);
  e.SetSectionData(2, "A", 10.0, 5.0, 1);
  e.SetSectionData(2, "B", 4.0, 2.0, 1);
  e.MoveSmartObject("Eave", "B", "C");
  e.State(kStateUnchanged);
  EXPECT_EQ(e.SuppressData(2), 1);  // only the computed entry of A was still counting
  EXPECT_EQ(e.State(), kStateGeometryChanged);
  double area = 0.0, length = 0.0;
  int count = 0;
  EXPECT_EQ(e.GetSectionTotals(2, area, length, count), 1);  // C, the user's move

  // Restoring drops the user's moves too: A and B count again, C is gone.
  EXPECT_EQ(e.RestoreData(2), 3);
  EXPECT_EQ(e.GetSectionTotals(2, area, length, count), 2);
  EXPECT_NEAR(area, 14.0, kTol);
  EXPECT_EQ(e.GetSectionData(2, "C"), nullptr);
  EXPECT_EQ(e.RestoreData(2), 0);
  EXPECT_EQ(e.SuppressData(9), 0);
}

// ---- Names and sorting --------------------------------------------------------------------

TEST(Curve3DSmartObjects, RoofNameAndSortKeysComeFromTheItems) {
  Curve3D e;
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

// ---- A line's pitch -----------------------------------------------------------------------

TEST(Curve3DSmartObjects, LinePitchLivesInThePitchAttributeOfItsItems) {
  Line3D eave = MakeLine(0, 0, 10, 0);
  eave.LegacyPitch(3.0);
  Attach(eave, {Item(kGeneric, "Flashing"),
                With(Item(kEave, "Eave"), "Pitch", kPropPitch, kDataTypeDouble, "4.5")});
  EXPECT_NEAR(eave.Pitch(), 4.5, kTol);

  EXPECT_DOUBLE_EQ(eave.SetPitch(6.127), 6.127);
  EXPECT_EQ(eave.State(), kStateGeometryChanged);
  // Stored as text with two decimals.
  EXPECT_NEAR(eave.Pitch(), 6.13, kTol);
  EXPECT_EQ(eave.GetSmartObject("Flashing")->HasAttrib("Pitch"), nullptr);

  // Items without a pitch leave the legacy pitch in charge, and SetPitch adds none.
  Line3D ridge = MakeLine(0, 0, 10, 0);
  ridge.LegacyPitch(3.0);
  Attach(ridge, {Item(kGeneric, "Ridge")});
  ridge.SetPitch(8.0);
  EXPECT_NEAR(ridge.Pitch(), 3.0, kTol);
  EXPECT_THAT(ItemNames(ridge), ElementsAre("Ridge"));
}
