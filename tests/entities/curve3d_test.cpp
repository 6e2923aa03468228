#include "entities/curve3d.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <numbers>

#include "document/layerbag.h"
#include "entities/line3d.h"
#include "render/colours.h"
#include "support/entity_builders.h"
#include "support/geometry_matchers.h"
#include "support/test_curve.h"

namespace {

constexpr double kTol = 1e-12;
const Point3D kZAxis(0.0, 0.0, 1.0);

// A base entity in the plan from (x1, y1) to (x2, y2), colour 1, line type 0, thickness 1,
// not filled.
Curve3D MakeCurve(double x1, double y1, double x2, double y2) {
  return Curve3D(x1, y1, 0.0, x2, y2, 0.0, 1, 0, 1, -1, -2);
}

// Every test that creates TestCurves must leave none alive: the reference lists never own them.
class Curve3DLists : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(TestCurve::Live(), 0); }
  void TearDown() override { EXPECT_EQ(TestCurve::Live(), 0); }
};

}  // namespace

// ---- Construction ---------------------------------------------------------------------------

TEST(Curve3D, ConstructorsSetPointsBoxAndDefaults) {
  const Point3D a(1.0, 5.0, 2.0);
  const Point3D b(4.0, -1.0, 0.0);
  Curve3D e(&a, &b, 3, 2, 1, -1, -2);
  EXPECT_THAT(*e.Spt(), PointIs(1, 5, 2));
  EXPECT_THAT(*e.Ept(), PointIs(4, -1, 0));
  EXPECT_THAT(*e.LocalSpt(), PointIs(1, 5, 2));
  EXPECT_THAT(*e.LocalEpt(), PointIs(4, -1, 0));
  // The box is Set from Spt and grown by Ept.
  EXPECT_THAT(*e.Box(0, nullptr)->Minpt(), PointIs(1, -1, 0));
  EXPECT_THAT(*e.Box(0, nullptr)->Maxpt(), PointIs(4, 5, 2));
  EXPECT_EQ(e.Type(), kEntityUnknown);
  EXPECT_EQ(e.State(), kStateUnchanged);
  EXPECT_EQ(e.GetColour(), 3);
  EXPECT_EQ(e.GetLinetype(), 2);
  EXPECT_EQ(e.Id(), 0);
  EXPECT_STREQ(e.Name(0, nullptr), "");
  EXPECT_EQ(e.Layer(), nullptr);
  EXPECT_EQ(e.Layername(), nullptr);
  EXPECT_EQ(e.Sectionname(), nullptr);
  EXPECT_EQ(e.GetSmartObjectList(), nullptr);
  EXPECT_EQ(e.GetChildList(), nullptr);
  EXPECT_EQ(e.GetExcludeList(), nullptr);
  EXPECT_EQ(e.GetAssociatedDimensions(nullptr), nullptr);
}

TEST(Curve3D, CoordinateConstructorSnapsAndPointConstructorDoesNot) {
  Curve3D snapped(1e-13, 2.0, -5e-13, 3.0, 1e-13, 0.0, 0, 0, 1, -1, -2);
  EXPECT_THAT(*snapped.Box(0, nullptr)->Minpt(), PointIs(0, 0, 0));
  Curve3D copy_of(snapped);
  EXPECT_EQ(copy_of.Spt()->x, 0.0);
  EXPECT_EQ(copy_of.Spt()->z, 0.0);
  EXPECT_EQ(copy_of.Ept()->y, 0.0);

  Point3D tiny;
  tiny.x = 1e-13;  // stored unsnapped, as a point read from elsewhere may be
  Curve3D as_given(&tiny, &tiny, 0, 0, 1, -1, -2);
  EXPECT_EQ(as_given.Spt()->x, 1e-13);
}

TEST(Curve3D, NullPointsAndNullSourceGiveTheOrigin) {
  Curve3D from_null_points(nullptr, nullptr, 0, 0, 1, -1, -2);
  EXPECT_THAT(*from_null_points.Ept(), PointIs(0, 0, 0));
  Curve3D from_null_source(static_cast<const Curve3D*>(nullptr));
  EXPECT_EQ(from_null_source.Type(), kEntityUnknown);
  EXPECT_THAT(*from_null_source.Spt(), PointIs(0, 0, 0));
}

// ---- State ------------------------------------------------------------------------------------

TEST(Curve3D, StateFollowsTheChangeRules) {
  struct Case {
    int start;
    int request;
    int expected;
  };
  const Case cases[] = {
      {kStateUnchanged, kStateChanged, kStateChanged},
      {kStateUnchanged, kStateGeometryChanged, kStateGeometryChanged},
      {kStateChanged, kStateGeometryChanged, kStateGeometryChanged},
      {kStateGeometryChanged, kStateChanged, kStateGeometryChanged},  // never lowered
      {kStateAdded, kStateChanged, kStateAdded},
      {kStateAdded, kStateGeometryChanged, kStateAdded},
      {kStateAdded, kStateDeleted, kStateUnchanged},  // added then deleted: never there
      {kStateChanged, kStateDeleted, kStateDeleted},
      {kStateGeometryChanged, kStateDeleted, kStateDeleted},
      {kStateUnchanged, kStateDeleted, kStateDeleted},
      {kStateDeleted, kStateChanged, kStateChanged},
      {kStateGeometryChanged, kStateUnchanged, kStateUnchanged},  // stored as given
      {kStateGeometryChanged, kStateAdded, kStateAdded},
      {kStateChanged, 7, 7},
      {kStateChanged, -1, -1},
  };
  for (const Case& c : cases) {
    Curve3D e;
    e.State(c.start);
    ASSERT_EQ(e.State(), c.start);
    EXPECT_EQ(e.State(c.request), c.expected) << "from " << c.start << " asking " << c.request;
    EXPECT_EQ(e.State(), c.expected);
  }
}

TEST(Curve3D, DisplayChangesRecordThreeAndGeometryChangesFour) {
  Line3D line = MakeLine(0, 0, 1, 0);
  ASSERT_EQ(line.State(), kStateUnchanged);
  line.Colour(5);
  EXPECT_EQ(line.State(), kStateChanged);
  line.Spt(0.5, 0.0, 0.0);
  EXPECT_EQ(line.State(), kStateGeometryChanged);
  line.Colour(6);
  EXPECT_EQ(line.State(), kStateGeometryChanged);
}

TEST(Curve3D, EachSetterRecordsItsKindOfChange) {
  struct Case {
    const char* what;
    void (*change)(Curve3D&);
    int expected;
  };
  const Case cases[] = {
      {"Colour", [](Curve3D& e) { e.Colour(2); }, kStateChanged},
      {"FillColour", [](Curve3D& e) { e.FillColour(2); }, kStateChanged},
      {"FillPattern", [](Curve3D& e) { e.FillPattern(2); }, kStateChanged},
      {"Linetype", [](Curve3D& e) { e.Linetype(2); }, kStateChanged},
      {"Thickness", [](Curve3D& e) { e.Thickness(2); }, kStateChanged},
      {"Name", [](Curve3D& e) { e.Name("x"); }, kStateChanged},
      {"Translate",
       [](Curve3D& e) {
         const Point3D v(1, 0, 0);
         e.Translate(&v, false);
       },
       kStateChanged},
      {"Rotate", [](Curve3D& e) { e.Rotate(e.Spt(), &kZAxis, 1.0); }, kStateChanged},
      {"Sectionname", [](Curve3D& e) { e.Sectionname("A"); }, kStateGeometryChanged},
      {"Spt", [](Curve3D& e) { e.Spt(1, 1, 0); }, kStateGeometryChanged},
      {"Ept", [](Curve3D& e) { e.Ept(1, 1, 0); }, kStateGeometryChanged},
      {"Scale", [](Curve3D& e) { e.Scale(e.Spt(), 2.0); }, kStateGeometryChanged},
      {"Mirror", [](Curve3D& e) { e.Mirror(&kZAxis, 1.0); }, kStateGeometryChanged},
  };
  for (const Case& c : cases) {
    Curve3D e = MakeCurve(0, 0, 2, 1);
    c.change(e);
    EXPECT_EQ(e.State(), c.expected) << c.what;
  }
}

// ---- Display attributes -------------------------------------------------------------------

TEST(Curve3D, ThickLinesAreContinuousAndPatternedLinesThin) {
  Curve3D dashed(0, 1, 1, -1, -2);
  dashed.Thickness(3);
  EXPECT_EQ(dashed.GetLinetype(), 0);
  EXPECT_EQ(dashed.Thickness(), 3);

  Curve3D thin_dashed(0, 1, 1, -1, -2);
  thin_dashed.Thickness(1);
  EXPECT_EQ(thin_dashed.GetLinetype(), 1);  // a width of 1 leaves the pattern

  Curve3D thick(0, 0, 5, -1, -2);
  thick.Linetype(2);
  EXPECT_EQ(thick.Thickness(), 1);
  EXPECT_STREQ(thick.Linetype(), "DOT");

  Curve3D stays_thick(0, 0, 5, -1, -2);
  stays_thick.Linetype(0);
  EXPECT_EQ(stays_thick.Thickness(), 5);
}

TEST(Curve3D, FillColourAndPatternKeepEachOtherConsistent) {
  Curve3D filled(0, 0, 1, 3, 4);
  EXPECT_EQ(filled.FillColour(-1), static_cast<int>(GetColor(-1)));
  EXPECT_EQ(filled.FillPattern(), -2);

  Curve3D unfilled(0, 0, 1, -1, -2);
  EXPECT_EQ(unfilled.FillColour(4), static_cast<int>(GetColor(4)));
  EXPECT_EQ(unfilled.FillPattern(), -1);  // solid once a colour is given
  EXPECT_EQ(unfilled.GetFillColour(), 4);

  Curve3D hatched(0, 0, 1, 2, 5);
  hatched.FillColour(3);
  EXPECT_EQ(hatched.FillPattern(), 5);  // a real pattern is kept

  Curve3D no_fill(0, 0, 1, -1, -2);
  EXPECT_EQ(no_fill.FillPattern(0), 0);
  EXPECT_EQ(no_fill.GetFillColour(), 0);

  Curve3D coloured(0, 0, 1, 6, 0);
  EXPECT_EQ(coloured.FillPattern(-3), -3);
  EXPECT_EQ(coloured.GetFillColour(), -1);

  Curve3D solid(0, 0, 1, 6, 0);
  solid.FillPattern(-1);
  EXPECT_EQ(solid.GetFillColour(), 6);  // -1 (solid) keeps the colour
}

TEST(Curve3D, ColourReturnsTheTableRgb) {
  Curve3D e;
  EXPECT_EQ(e.Colour(1), RGB(255, 0, 0));
  EXPECT_EQ(e.GetColour(), 1);
  EXPECT_EQ(e.Colour(), RGB(255, 0, 0));
  e.Colour(-1);  // not set: painted white
  EXPECT_EQ(e.Colour(), RGB(255, 255, 255));
}

TEST(Curve3D, NameIsCutToFiftyCharactersAndCopiedIntoBuffers) {
  Curve3D e;
  const char* long_name = "0123456789012345678901234567890123456789012345678901234567";
  EXPECT_EQ(std::strlen(e.Name(long_name)), 50u);
  char buffer[kEntityNameSize] = "junk";
  EXPECT_EQ(e.Name(0, buffer), buffer);
  EXPECT_EQ(std::strncmp(buffer, long_name, 50), 0);
  EXPECT_EQ(e.Name(3, nullptr), e.Name(0, nullptr));
  e.Name(nullptr);
  EXPECT_STREQ(e.Name(0, nullptr), "");
}

TEST(Curve3D, IdStoresAndReturnsTheNextFreeNumber) {
  Curve3D e;
  EXPECT_EQ(e.Id(41, 99), 42);
  EXPECT_EQ(e.Id(), 41);
}

TEST(Curve3D, SegmentMarks) {
  Curve3D e;
  EXPECT_EQ(e.NextSegment(), &e);
  EXPECT_EQ(e.Segment(1), &e);
  EXPECT_EQ(e.NextSegment(), nullptr);
  e.SegmentFlush();
  EXPECT_EQ(e.Segment(), 0);
  e.Segment(-3);
  EXPECT_EQ(e.NextSegment(), &e);
}

TEST(Curve3D, SectionNameIsOwnedAndNullClearsIt) {
  Curve3D e;
  char text[] = "North";
  e.Sectionname(text);
  text[0] = 'X';  // the entity keeps its own copy
  EXPECT_STREQ(e.Sectionname(), "North");
  EXPECT_EQ(e.Sectionname(nullptr), nullptr);
  EXPECT_EQ(e.Sectionname(), nullptr);
}

TEST(Curve3D, OwnerGuidTakesOnlyValidGuids) {
  Curve3D e;
  EXPECT_STREQ(e.SetOwnerGuid(kSampleGuid), kSampleGuid);
  EXPECT_STREQ(e.GetOwnerGuid(), kSampleGuid);
  EXPECT_STREQ(e.SetOwnerGuid(kPlaceholderGuid), "");
  e.SetOwnerGuid(kSampleGuid);
  EXPECT_STREQ(e.SetOwnerGuid(nullptr), "");
  EXPECT_STREQ(e.GetOwnerGuid(), "");
}

// ---- Layers -----------------------------------------------------------------------------------

TEST(Curve3D, LayerLinkCopiesNameAndGuid) {
  LayerBag walls("Walls");
  walls.Guid(kSampleGuid);
  Curve3D e;
  EXPECT_EQ(e.Layer(&walls), &walls);
  EXPECT_STREQ(e.Layername(), "Walls");
  EXPECT_STREQ(e.StoredLayername(), "Walls");
  EXPECT_STREQ(e.LayerGuid(), kSampleGuid);

  // A stored name does not change the link, and the link's name wins while linked.
  e.Layername("Kept");
  EXPECT_EQ(e.Layer(), &walls);
  EXPECT_STREQ(e.Layername(), "Walls");

  EXPECT_EQ(e.Layer(nullptr), nullptr);
  EXPECT_EQ(e.Layername(), nullptr);
  e.Layername("Loose");
  EXPECT_STREQ(e.Layername(), "Loose");
  EXPECT_STREQ(e.SetLayerGuid(kOtherGuid), kOtherGuid);
}

// ---- Copy and Set ---------------------------------------------------------------------------

namespace {

// An entity with every field away from its default.
void Decorate(Curve3D& e, LayerBag* layer) {
  e.Colour(4);
  e.Linetype(2);
  e.FillColour(5);
  e.FillPattern(7);
  e.Id(77, 0);
  e.Guid(kSampleGuid);
  e.SetOwnerGuid(kOtherGuid);
  e.Layer(layer);  // before the layer GUID: linking takes the layer's own GUID
  e.SegmentPosition(3);
  e.TFlag(2);
  e.Type(kEntityArc);
  e.Selected(1);
  e.Segment(1);
  e.Frozen(true);
  e.LegacyType(6105);
  e.LegacyPitch(4.5);
  e.SectFlag(-1);
  e.Sectionname("South");
  e.Name("Ridge");
  e.SetLayerGuid(kSampleGuid);
  e.LocalSpt(e.Ept());
  e.State(kStateChanged);
}

}  // namespace

TEST(Curve3D, CopyTakesEverythingButReferencesAndSegmentPosition) {
  LayerBag layer("Roof");
  Curve3D src = MakeCurve(1, 2, 3, 4);
  Decorate(src, &layer);
  TestCurve child;
  src.AddChild(&child, true);

  std::unique_ptr<Curve3D> copy(src.Copy());
  ASSERT_NE(copy, nullptr);
  EXPECT_THAT(*copy->Spt(), PointIs(1, 2, 0));
  EXPECT_THAT(*copy->Ept(), PointIs(3, 4, 0));
  EXPECT_THAT(*copy->LocalSpt(), PointIs(3, 4, 0));
  EXPECT_EQ(copy->GetColour(), 4);
  EXPECT_EQ(copy->GetLinetype(), 2);
  EXPECT_EQ(copy->GetFillColour(), 5);
  EXPECT_EQ(copy->FillPattern(), 7);
  EXPECT_EQ(copy->Id(), 77);
  EXPECT_STREQ(copy->Guid(), kSampleGuid);
  EXPECT_STREQ(copy->GetOwnerGuid(), kOtherGuid);
  EXPECT_STREQ(copy->LayerGuid(), kSampleGuid);
  EXPECT_EQ(copy->SegmentPosition(), 0);
  EXPECT_EQ(copy->TFlag(), 2);
  EXPECT_EQ(copy->Type(), kEntityArc);
  EXPECT_EQ(copy->IsSelected(), 1);
  EXPECT_EQ(copy->Segment(), 1);
  EXPECT_TRUE(copy->Frozen());
  EXPECT_EQ(copy->LegacyType(), 6105);
  EXPECT_DOUBLE_EQ(copy->LegacyPitch(), 4.5);
  EXPECT_EQ(copy->SectFlag(), -1);
  EXPECT_STREQ(copy->Sectionname(), "South");
  EXPECT_NE(copy->Sectionname(), src.Sectionname());  // its own heap copy
  EXPECT_STREQ(copy->Name(0, nullptr), "Ridge");
  EXPECT_EQ(copy->Layer(), &layer);
  EXPECT_STREQ(copy->StoredLayername(), "Roof");
  EXPECT_EQ(copy->State(), src.State());
  EXPECT_EQ(copy->HasChildren(), 0);
  EXPECT_EQ(copy->GetChildList(), nullptr);
  src.RemoveChild(&child);
}

TEST(Curve3D, CopyWithoutLayerTakesTheStoredLayerName) {
  Curve3D src;
  src.Layername("Detached");
  Curve3D copy(src);
  EXPECT_EQ(copy.Layer(), nullptr);
  EXPECT_STREQ(copy.Layername(), "Detached");
  EXPECT_NE(copy.StoredLayername(), src.StoredLayername());
}

TEST(Curve3D, SetCopiesItsFieldsAndLeavesLayerSectionAndLists) {
  LayerBag source_layer("Source");
  LayerBag own_layer("Own");
  Curve3D src = MakeCurve(1, 2, 3, 4);
  Decorate(src, &source_layer);

  Curve3D dst = MakeCurve(9, 9, 8, 8);
  dst.Layer(&own_layer);
  dst.Sectionname("Mine");
  dst.FillPattern(3);
  Curve3D exclusion;
  dst.AddExclusion(&exclusion);

  dst.Set(&src);
  EXPECT_THAT(*dst.Spt(), PointIs(1, 2, 0));
  EXPECT_THAT(*dst.Ept(), PointIs(3, 4, 0));
  EXPECT_THAT(*dst.LocalSpt(), PointIs(3, 4, 0));
  EXPECT_THAT(*dst.Box(0, nullptr)->Maxpt(), PointIs(3, 4, 0));
  EXPECT_EQ(dst.GetColour(), 4);
  EXPECT_EQ(dst.GetFillColour(), 5);
  EXPECT_EQ(dst.GetLinetype(), 2);
  EXPECT_EQ(dst.LegacyType(), 6105);
  EXPECT_EQ(dst.TFlag(), 2);
  EXPECT_EQ(dst.SectFlag(), -1);
  EXPECT_EQ(dst.Id(), 77);
  EXPECT_EQ(dst.SegmentPosition(), 3);
  EXPECT_EQ(dst.Segment(), 1);
  EXPECT_DOUBLE_EQ(dst.LegacyPitch(), 4.5);
  EXPECT_STREQ(dst.Name(0, nullptr), "Ridge");
  EXPECT_STREQ(dst.Guid(), kSampleGuid);
  EXPECT_STREQ(dst.GetOwnerGuid(), kOtherGuid);
  EXPECT_STREQ(dst.LayerGuid(), kSampleGuid);
  // State is copied (3), then raised by the Set itself.
  EXPECT_EQ(dst.State(), kStateGeometryChanged);
  // Not copied by Set.
  EXPECT_EQ(dst.FillPattern(), 3);
  EXPECT_EQ(dst.Type(), kEntityUnknown);
  EXPECT_EQ(dst.IsSelected(), 0);
  EXPECT_FALSE(dst.Frozen());
  EXPECT_EQ(dst.Layer(), &own_layer);
  EXPECT_STREQ(dst.Sectionname(), "Mine");
  EXPECT_EQ(dst.HasExclusions(), 1);
}

TEST(Curve3D, SetEmptiesGuidsTheSourceDoesNotHave) {
  Curve3D src;
  Curve3D dst;
  dst.Guid(kSampleGuid);
  dst.SetOwnerGuid(kOtherGuid);
  dst.SetLayerGuid(kSampleGuid);
  dst.Set(&src);
  EXPECT_STREQ(dst.Guid(), "");
  EXPECT_STREQ(dst.GetOwnerGuid(), "");
  EXPECT_STREQ(dst.LayerGuid(), "");
}

TEST(Curve3D, SetFromAddedSourceKeepsAddedAndAssignmentIsSet) {
  Curve3D src = MakeCurve(0, 0, 5, 5);
  src.State(kStateAdded);
  Curve3D dst;
  dst = src;
  EXPECT_EQ(dst.State(), kStateAdded);
  EXPECT_THAT(*dst.Ept(), PointIs(5, 5, 0));
  EXPECT_EQ(dst.Set(nullptr), &dst);
  EXPECT_EQ(dst.Set(&dst), &dst);
  EXPECT_EQ(dst.State(), kStateAdded);
}

TEST(Curve3D, SmartObjectListIsOwnedAndCopiedPerEntity) {
  Curve3D e;
  e.SetSmartObjectList(new TSmartObjectList());
  EXPECT_NE(e.GetSmartObjectList(), nullptr);
  EXPECT_EQ(e.State(), kStateGeometryChanged);
  Curve3D copy(e);
  ASSERT_NE(copy.GetSmartObjectList(), nullptr);
  EXPECT_NE(copy.GetSmartObjectList(), e.GetSmartObjectList());
  Curve3D set_target;
  set_target.SetSmartObjectList(new TSmartObjectList());
  Curve3D without_items;
  set_target.Set(&without_items);
  EXPECT_EQ(set_target.GetSmartObjectList(), nullptr);  // replaced by the source's (none)
  e.SetSmartObjectList(nullptr);
  EXPECT_EQ(e.GetSmartObjectList(), nullptr);
}

// ---- Reference lists ----------------------------------------------------------------------

TEST_F(Curve3DLists, ChildListIsCreatedOnUseAndDeletedWhenEmpty) {
  Curve3D parent = MakeCurve(0, 0, 1, 0);
  TestCurve a(1);
  TestCurve b(2);
  EXPECT_EQ(parent.AddChild(&a, true), 1);
  EXPECT_EQ(parent.AddChild(&b, true), 2);
  EXPECT_EQ(parent.AddChild(&a, true), 2);  // no duplicate
  EXPECT_EQ(parent.AddChild(&parent, true), 2);
  EXPECT_EQ(parent.AddChild(nullptr, true), 2);
  EXPECT_EQ(parent.RemoveChild(&a), 1);
  EXPECT_NE(parent.GetChildList(), nullptr);
  EXPECT_EQ(parent.RemoveChild(&a), 1);
  EXPECT_EQ(parent.RemoveChild(&b), 0);
  EXPECT_EQ(parent.GetChildList(), nullptr);
  EXPECT_EQ(TestCurve::Live(), 2);
}

TEST_F(Curve3DLists, DestroyingAnEntityNeverDeletesWhatItRefersTo) {
  auto* child = new TestCurve(1);
  auto* opening = new TestCurve(2);
  auto* dimension = new TestCurve(3);
  {
    Curve3D parent;
    parent.AddChild(child, true);
    parent.AddExclusion(opening);
    parent.AddDimension(dimension);
    EXPECT_EQ(parent.HasChildren(), 1);
    EXPECT_EQ(parent.HasExclusions(), 1);
    EXPECT_EQ(parent.Dimensions(), 1);
  }
  EXPECT_EQ(TestCurve::Live(), 3);
  delete child;
  delete opening;
  delete dimension;
}

TEST_F(Curve3DLists, ClearingListsForgetsWithoutDeleting) {
  TestCurve a;
  TestCurve b;
  TestCurve c;
  Curve3D e;
  e.AddChild(&a, true);
  e.AddExclusion(&b);
  e.AddDimension(&c);
  EXPECT_EQ(e.ClearChildren(), 1);
  EXPECT_EQ(e.ClearExclusions(), 1);
  EXPECT_EQ(e.ClearDimensions(), 1);
  EXPECT_EQ(e.GetChildList(), nullptr);
  EXPECT_EQ(e.GetExcludeList(), nullptr);
  EXPECT_EQ(e.GetAssociatedDimensions(nullptr), nullptr);
  EXPECT_EQ(TestCurve::Live(), 3);
}

TEST_F(Curve3DLists, ChildRecordsOrTakesItsPositionRelativeToTheParent) {
  Curve3D parent = MakeCurve(10, 20, 30, 20);
  Curve3D kept = MakeCurve(12, 25, 14, 25);
  parent.AddChild(&kept, true);
  EXPECT_THAT(*kept.LocalSpt(), PointIs(2, 5, 0));
  EXPECT_THAT(*kept.LocalEpt(), PointIs(4, 5, 0));
  EXPECT_THAT(*kept.Spt(), PointIs(12, 25, 0));

  Curve3D placed = MakeCurve(0, 0, 1, 1);
  const Point3D offset(3, 4, 0);
  placed.LocalSpt(&offset);
  parent.AddChild(&placed, false);
  // Spt goes to parent Spt + LocalSpt; Ept follows by the same offset.
  EXPECT_THAT(*placed.Spt(), PointIs(13, 24, 0));
  EXPECT_THAT(*placed.Ept(), PointIs(14, 25, 0));
  EXPECT_THAT(*placed.Box(0, nullptr)->Maxpt(), PointIs(14, 25, 0));
  parent.ClearChildren();
}

TEST_F(Curve3DLists, ExclusionsIgnoreSelfAndDuplicates) {
  Curve3D roof;
  TestCurve opening;
  EXPECT_EQ(roof.AddExclusion(&roof), 0);
  EXPECT_EQ(roof.GetExcludeList(), nullptr);
  EXPECT_EQ(roof.AddExclusion(&opening), 1);
  EXPECT_EQ(roof.AddExclusion(&opening), 1);
  EXPECT_EQ(roof.RemoveExclusion(&opening), 0);
  EXPECT_EQ(roof.GetExcludeList(), nullptr);
}

TEST_F(Curve3DLists, RemovingAChildAlsoRemovesItFromTheExclusions) {
  Curve3D roof;
  TestCurve opening;
  roof.AddChild(&opening, true);
  roof.AddExclusion(&opening);
  roof.RemoveChild(&opening);
  EXPECT_EQ(roof.HasExclusions(), 0);
}

TEST_F(Curve3DLists, DimensionsAreListedOnceAndCanBeGathered) {
  Curve3D e;
  TestCurve d1;
  TestCurve d2;
  EXPECT_EQ(e.AddDimension(&d1), 1);
  EXPECT_EQ(e.AddDimension(&d1), 1);
  EXPECT_EQ(e.AddDimension(&d2), 2);

  Dblclist gathered;
  EXPECT_EQ(e.GetAssociatedDimensions(&gathered), &gathered);
  EXPECT_EQ(gathered.Num(), 2);
  gathered.Clear(0);

  EXPECT_EQ(e.RemoveDimension(&d1), 1);
  EXPECT_EQ(e.RemoveDimension(&d1), 1);  // not listed: nothing changes
  EXPECT_EQ(e.RemoveDimension(&d2), 0);
  EXPECT_EQ(e.GetAssociatedDimensions(nullptr), nullptr);
}

TEST_F(Curve3DLists, BoxWithDimensionsTakesInTheirBoxes) {
  Curve3D e = MakeCurve(0, 0, 2, 2);
  Line3D dimension = MakeLine(-1, 5, 1, 5);
  e.AddDimension(&dimension);
  Box3D with;
  e.Box(1, &with);
  EXPECT_THAT(*with.Minpt(), PointIs(-1, 0, 0));
  EXPECT_THAT(*with.Maxpt(), PointIs(2, 5, 0));
  Box3D without;
  e.Box(0, &without);
  EXPECT_THAT(*without.Minpt(), PointIs(0, 0, 0));
  EXPECT_THAT(*without.Maxpt(), PointIs(2, 2, 0));
  EXPECT_EQ(e.Box(1, nullptr), e.Box(0, nullptr));
}

// ---- Transformations ----------------------------------------------------------------------

TEST(Curve3D, TranslateMovesUnselectedChildrenOfASelectedParent) {
  Curve3D parent = MakeCurve(0, 0, 1, 0);
  Curve3D loose = MakeCurve(5, 5, 6, 5);
  Curve3D selected_child = MakeCurve(7, 7, 8, 7);
  selected_child.Selected(1);
  parent.AddChild(&loose, true);
  parent.AddChild(&selected_child, true);
  parent.Selected(1);

  const Point3D v(2, 3, 0);
  EXPECT_EQ(parent.Translate(&v, true), &parent);
  EXPECT_THAT(*parent.Spt(), PointIs(2, 3, 0));
  EXPECT_THAT(*parent.Ept(), PointIs(3, 3, 0));
  EXPECT_THAT(*parent.LocalSpt(), PointIs(2, 3, 0));  // moveLocal
  EXPECT_THAT(*parent.Box(0, nullptr)->Maxpt(), PointIs(3, 3, 0));
  EXPECT_THAT(*loose.Spt(), PointIs(7, 8, 0));
  EXPECT_EQ(loose.IsSelected(), 0);                  // unmarked again
  EXPECT_THAT(*loose.LocalSpt(), PointIs(5, 5, 0));  // children move with moveLocal false
  EXPECT_THAT(*loose.Box(0, nullptr)->Minpt(), PointIs(7, 8, 0));
  // A selected child is moved by the caller's own walk, not by its parent.
  EXPECT_THAT(*selected_child.Spt(), PointIs(7, 7, 0));
  EXPECT_EQ(selected_child.IsSelected(), 1);
  parent.ClearChildren();
}

TEST(Curve3D, TranslateOfAnUnselectedParentLeavesChildren) {
  Curve3D parent = MakeCurve(0, 0, 1, 0);
  Curve3D child = MakeCurve(5, 5, 6, 5);
  parent.AddChild(&child, true);
  const Point3D v(1, 1, 0);
  parent.Translate(&v, false);
  EXPECT_THAT(*child.Spt(), PointIs(5, 5, 0));
  EXPECT_THAT(*parent.LocalSpt(), PointIs(0, 0, 0));
  parent.ClearChildren();
}

TEST(Curve3D, ChildrenThatReferBackAreMovedOnce) {
  Curve3D a = MakeCurve(0, 0, 1, 0);
  Curve3D b = MakeCurve(5, 0, 6, 0);
  a.AddChild(&b, true);
  b.AddChild(&a, true);
  a.Selected(1);
  const Point3D v(0, 1, 0);
  a.Translate(&v, false);
  EXPECT_THAT(*a.Spt(), PointIs(0, 1, 0));
  EXPECT_THAT(*b.Spt(), PointIs(5, 1, 0));
  a.ClearChildren();
  b.ClearChildren();
}

TEST(Curve3D, RotateCsTurnsPointsAndChildrenAboutTheCentre) {
  Curve3D parent = MakeCurve(2, 0, 4, 0);
  Curve3D child = MakeCurve(1, 2, 1, 3);
  parent.AddChild(&child, true);
  parent.Selected(1);
  const Point3D centre(1, 0, 0);
  parent.Rotate_cs(&centre, &kZAxis, 0.0, 1.0);  // a quarter turn
  EXPECT_THAT(*parent.Spt(), PointNear(1, 1, 0, kTol));
  EXPECT_THAT(*parent.Ept(), PointNear(1, 3, 0, kTol));
  EXPECT_THAT(*parent.Box(0, nullptr)->Maxpt(), PointNear(1, 3, 0, kTol));
  EXPECT_THAT(*child.Spt(), PointNear(-1, 0, 0, kTol));
  EXPECT_THAT(*child.Ept(), PointNear(-2, 0, 0, kTol));
  EXPECT_EQ(child.IsSelected(), 0);
  parent.ClearChildren();
}

TEST(Curve3D, RotateTakesRadians) {
  Curve3D e = MakeCurve(1, 0, 2, 0);
  const Point3D origin;
  e.Rotate(&origin, &kZAxis, std::numbers::pi);
  EXPECT_THAT(*e.Spt(), PointNear(-1, 0, 0, kTol));
  EXPECT_THAT(*e.Ept(), PointNear(-2, 0, 0, kTol));
}

TEST(Curve3D, MirrorReflectsInThePlaneAndMovesChildren) {
  Curve3D parent = MakeCurve(0, 0, 3, 2);
  Curve3D child = MakeCurve(4, 0, 4, 1);
  parent.AddChild(&child, true);
  parent.Selected(1);
  const Point3D normal(1, 0, 0);
  parent.Mirror(&normal, 1.0);  // the plane x = 1
  EXPECT_THAT(*parent.Spt(), PointIs(2, 0, 0));
  EXPECT_THAT(*parent.Ept(), PointIs(-1, 2, 0));
  EXPECT_THAT(*parent.Box(0, nullptr)->Minpt(), PointIs(-1, 0, 0));
  EXPECT_THAT(*child.Spt(), PointIs(-2, 0, 0));
  EXPECT_EQ(child.State(), kStateGeometryChanged);
  parent.ClearChildren();
}

TEST(Curve3D, ScaleMovesAllFourPointsAndRefreshesChildOffsets) {
  Curve3D parent = MakeCurve(1, 1, 3, 1);
  Curve3D child = MakeCurve(2, 2, 3, 3);
  parent.AddChild(&child, true);
  const Point3D origin;
  parent.Scale(&origin, 2.0);
  EXPECT_THAT(*parent.Spt(), PointIs(2, 2, 0));
  EXPECT_THAT(*parent.Ept(), PointIs(6, 2, 0));
  // The child does not move, but its offset is now measured from the new start point.
  EXPECT_THAT(*child.LocalSpt(), PointIs(0, 0, 0));
  const Point3D factors(1, 3, 1);
  parent.Scale(&origin, &factors);
  EXPECT_THAT(*parent.Ept(), PointIs(6, 6, 0));
  parent.ClearChildren();
}

TEST(Curve3D, ZeroKeepsNameExclusionsAndGuids) {
  LayerBag layer("L");
  Curve3D e = MakeCurve(1, 1, 2, 2);
  Decorate(e, &layer);
  Curve3D opening;
  Curve3D child;
  Curve3D dimension;
  e.AddExclusion(&opening);
  e.AddChild(&child, true);
  e.AddDimension(&dimension);
  e.SetSmartObjectList(new TSmartObjectList());

  e.Zero();
  EXPECT_EQ(e.State(), kStateUnchanged);
  EXPECT_EQ(e.LegacyPitch(), 0.0);
  EXPECT_EQ(e.LegacyType(), 0);
  EXPECT_EQ(e.TFlag(), 0);
  EXPECT_EQ(e.Segment(), 0);
  EXPECT_THAT(*e.Spt(), PointIs(0, 0, 0));
  EXPECT_THAT(*e.Ept(), PointIs(0, 0, 0));
  EXPECT_THAT(*e.Box(0, nullptr)->Maxpt(), PointIs(0, 0, 0));
  EXPECT_EQ(e.HasChildren(), 0);
  EXPECT_EQ(e.Dimensions(), 0);
  EXPECT_EQ(e.GetSmartObjectList(), nullptr);
  EXPECT_EQ(e.Layer(), nullptr);
  EXPECT_EQ(e.Layername(), nullptr);
  EXPECT_STREQ(e.Name(0, nullptr), "Ridge");
  EXPECT_EQ(e.HasExclusions(), 1);
  EXPECT_STREQ(e.Guid(), kSampleGuid);
  EXPECT_STREQ(e.GetOwnerGuid(), kOtherGuid);
  e.ClearExclusions();
}

// ---- Size setters -------------------------------------------------------------------------

TEST(Curve3D, SizeSettersScaleAboutTheLowCorner) {
  Curve3D e = MakeCurve(2, 1, 4, 5);
  EXPECT_EQ(e.SetWidth(6.0), 6.0);
  EXPECT_THAT(*e.Spt(), PointIs(2, 1, 0));
  EXPECT_THAT(*e.Ept(), PointIs(8, 5, 0));
  e.SetHeight(2.0);
  EXPECT_THAT(*e.Ept(), PointIs(8, 3, 0));

  Curve3D flat = MakeCurve(0, 0, 3, 0);
  flat.SetHeight(5.0);  // no height to scale
  EXPECT_THAT(*flat.Ept(), PointIs(3, 0, 0));
  EXPECT_EQ(flat.State(), kStateGeometryChanged);
  flat.SetDepth(2.0);
  EXPECT_THAT(*flat.Ept(), PointIs(3, 0, 0));
}

TEST(Curve3D, SetLengthScalesUniformlyOrStretchesAZeroLengthEntity) {
  Curve3D e = MakeCurve(0, 0, 3, 4);
  e.SetLength(10.0);
  EXPECT_THAT(*e.Ept(), PointNear(6, 8, 0, kTol));
  Curve3D point = MakeCurve(2, 3, 2, 3);
  EXPECT_EQ(point.SetLength(5.0), 5.0);
  EXPECT_THAT(*point.Ept(), PointIs(7, 3, 0));
  EXPECT_THAT(*point.Box(0, nullptr)->Maxpt(), PointIs(7, 3, 0));
}

// ---- Geometric relations ------------------------------------------------------------------

TEST(Curve3D, Intersect2DOfCrossingAndParallelLines) {
  Curve3D a = MakeCurve(0, 0, 2, 0);
  Curve3D b = MakeCurve(1, -1, 1, 1);
  Point3D out(9, 9, 9);
  ASSERT_EQ(a.Intersect2D(&b, &out), &out);
  EXPECT_THAT(out, PointIs(1, 0, 0));

  Curve3D parallel = MakeCurve(0, 1, 5, 1);
  EXPECT_EQ(a.Intersect2D(&parallel, &out), nullptr);
  Curve3D opposite = MakeCurve(5, 3, 0, 3);
  EXPECT_EQ(a.Intersect2D(&opposite, &out), nullptr);

  // The lines need not touch: the infinite lines meet beyond both.
  Curve3D far = MakeCurve(10, 5, 10, 6);
  ASSERT_NE(a.Intersect2D(&far, &out), nullptr);
  EXPECT_THAT(out, PointIs(10, 0, 0));

  EXPECT_EQ(a.Intersect2D(nullptr, &out), nullptr);
  EXPECT_EQ(a.Intersect2D(&b, nullptr), nullptr);
}

TEST(Curve3D, Intersect2DTreatsCrossProductsUpTo1e11AsParallel) {
  Curve3D a = MakeCurve(0, 0, 1, 0);
  Point3D out;
  // r x s = 1 * 1e-11: at the threshold, still parallel.
  Curve3D at_threshold = MakeCurve(0, 0, 1, 1e-11);
  EXPECT_EQ(a.Intersect2D(&at_threshold, &out), nullptr);
  Curve3D beyond = MakeCurve(0, 0, 1, 2e-11);
  ASSERT_NE(a.Intersect2D(&beyond, &out), nullptr);
  EXPECT_THAT(out, PointNear(0, 0, 0, kTol));
}

TEST(Curve3D, Intersect2DSegTestsOnlyTheOtherEntitysExtent) {
  Curve3D a = MakeCurve(0, 0, 2, 0);
  Point3D out;
  Curve3D above = MakeCurve(1, 1, 1, 2);
  EXPECT_EQ(a.Intersect2DSeg(&above, &out), nullptr);
  Curve3D touching = MakeCurve(1, 0, 1, 2);  // the crossing is the other's end
  EXPECT_EQ(a.Intersect2DSeg(&touching, &out), &out);
  EXPECT_THAT(out, PointIs(1, 0, 0));
  // This entity's own extent does not matter.
  Curve3D beyond_this = MakeCurve(5, -1, 5, 1);
  EXPECT_EQ(a.Intersect2DSeg(&beyond_this, &out), &out);
  EXPECT_THAT(out, PointIs(5, 0, 0));
}

TEST(Curve3D, IsConnectedTriesThisEndFirst) {
  struct Case {
    double ox1, oy1, ox2, oy2;
    bool connected;
    double ax, ay;
  };
  // This entity runs from (0,0) to (1,0).
  const Case cases[] = {
      {1, 0, 1, 1, true, 1, 0},     // Ept meets the other's Spt
      {1, 1, 1, 0, true, 1, 0},     // Ept meets the other's Ept
      {5, 5, 0, 0, true, 0, 0},     // Spt meets the other's Ept
      {0, 0, 5, 5, true, 0, 0},     // Spt meets the other's Spt
      {0, 0, 1, 0, true, 1, 0},     // both ends meet: Ept with the other's Ept wins
      {1, 0, 0, 0, true, 1, 0},     // reversed: Ept with the other's Spt
      {0.5, 0, 2, 2, false, 9, 9},  // touching the middle is not connected
  };
  Curve3D e = MakeCurve(0, 0, 1, 0);
  for (const Case& c : cases) {
    Curve3D other = MakeCurve(c.ox1, c.oy1, c.ox2, c.oy2);
    Point3D at(9, 9, 0);
    EXPECT_EQ(e.IsConnected(&other, &at), c.connected);
    EXPECT_THAT(at, PointIs(c.ax, c.ay, 0)) << "other from " << c.ox1 << "," << c.oy1;
  }
  Curve3D other = MakeCurve(1, 0, 2, 0);
  EXPECT_TRUE(e.IsConnected(&other, nullptr));
  EXPECT_FALSE(e.IsConnected(nullptr, nullptr));
}

TEST(Curve3D, XYangleOfAnotherEntityIsMeasuredCounterClockwise) {
  Curve3D along_x = MakeCurve(0, 0, 1, 0);
  Curve3D down = MakeCurve(0, 0, 0, -1);
  EXPECT_NEAR(along_x.XYangle(&down), 270.0, 1e-9);
  EXPECT_NEAR(down.XYangle(&along_x), 90.0, 1e-9);
  EXPECT_NEAR(down.XYangle(), 270.0, 1e-9);
}

TEST(Curve3D, IdentityAndOrdering) {
  Curve3D a = MakeCurve(0, 0, 1, 1);
  Curve3D near_a = MakeCurve(5e-12, 0, 1, 1 - 5e-12);
  Curve3D off_a = MakeCurve(2e-11, 0, 1, 1);
  EXPECT_TRUE(a.Ident(&near_a));
  EXPECT_TRUE(a == near_a);
  EXPECT_FALSE(a.Ident(&off_a));
  EXPECT_FALSE(a == off_a);
  near_a.Type(kEntityLine);
  EXPECT_FALSE(a.Ident(&near_a));  // same place, other kind
  EXPECT_TRUE(a == near_a);
  EXPECT_FALSE(a.Ident(nullptr));

  // Start points compared exactly: z first, then y, then x.
  Curve3D low_z(0, 9, -1, 0, 0, 0, 0, 0, 1, -1, -2);
  Curve3D low_y = MakeCurve(9, 0, 0, 0);
  Curve3D low_x = MakeCurve(0, 1, 0, 0);
  Curve3D high = MakeCurve(1, 1, 0, 0);
  EXPECT_TRUE(low_z < low_y);
  EXPECT_TRUE(low_y < low_x);
  EXPECT_TRUE(low_x < high);
  EXPECT_FALSE(high < low_x);
  EXPECT_FALSE(high < high);
}

TEST(Curve3D, VerticesClosureAndBox) {
  Curve3D e = MakeCurve(0, 0, 4, 2);
  Point3D end(4, 2 + 5e-12, 0);
  EXPECT_TRUE(e.IsVertex(&end));
  Point3D middle(2, 1, 0);
  EXPECT_FALSE(e.IsVertex(&middle));
  EXPECT_FALSE(e.IsVertex(nullptr));
  EXPECT_EQ(e.IsInside(&middle), 1);
  Point3D outside(5, 1, 0);
  EXPECT_EQ(e.IsInside(&outside), 0);
  EXPECT_EQ(e.IsInside(static_cast<Point3D*>(nullptr)), 0);
  EXPECT_FALSE(e.IsClosed());
  e.Ept(0, 0, 0);
  EXPECT_TRUE(e.IsClosed());
  EXPECT_DOUBLE_EQ(MakeCurve(0, 0, 3, 4).FlatLength(0), 5.0);
  EXPECT_DOUBLE_EQ(MakeCurve(0, 0, 3, 4).Width(), 3.0);
  EXPECT_DOUBLE_EQ(MakeCurve(0, 0, 3, 4).Height(), 4.0);
}

TEST(Curve3D, EndPointSettersSnapAndRefreshTheBox) {
  Curve3D e = MakeCurve(0, 0, 1, 1);
  const Point3D p(5e-13, -3, 0);
  ASSERT_NE(e.Spt(&p), nullptr);
  EXPECT_THAT(*e.Spt(), PointIs(0, -3, 0));
  EXPECT_THAT(*e.Box(0, nullptr)->Minpt(), PointIs(0, -3, 0));
  e.Ept(7, 1e-13, 0);
  EXPECT_THAT(*e.Box(0, nullptr)->Maxpt(), PointIs(7, 0, 0));
  EXPECT_EQ(e.Spt(nullptr), nullptr);
  EXPECT_EQ(e.Ept(nullptr), nullptr);
  EXPECT_THAT(*e.Spt(), PointIs(0, -3, 0));
}

TEST(Curve3D, StartPointChangeRefreshesChildOffsets) {
  Curve3D parent = MakeCurve(0, 0, 1, 0);
  Curve3D child = MakeCurve(5, 5, 6, 5);
  parent.AddChild(&child, true);
  parent.Spt(1, 1, 0);
  EXPECT_THAT(*child.LocalSpt(), PointIs(4, 4, 0));
  parent.ClearChildren();
}
