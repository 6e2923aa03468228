// The drawing document: adding (layers and identifiers), the chains, removing and deleting with
// ownership, references between entities, clearing, identifier look-up, extents and settings.
// The chain walkers of document_builder.h also check back links, tails and counts.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <initializer_list>
#include <tuple>
#include <utility>
#include <vector>

#include "document/objlist.h"
#include "entities/line3d.h"
#include "support/document_builder.h"
#include "support/geometry_matchers.h"
#include "support/test_curve.h"

constexpr double kTolerance = 1e-12;

TEST(Objlist, StartsEmptyWithTheDocumentDefaults) {
  Objlist doc;
  EXPECT_TRUE(DocumentChain(doc).empty() && SelectionChain(doc).empty() && !doc.GetRHead());
  EXPECT_EQ(std::make_tuple(doc.GetIdno(), doc.IsDirty(), doc.Ortho(), doc.NoofLayers(),
                            doc.GetScale(), doc.GetPrintScale(), doc.GetOrthoAngle(),
                            doc.LengthSnapUnit(), doc.GetDimensionFeetInch()),
            std::make_tuple(1, 0, 1, 0, 1.0, 1.0, 15.0, 1.0, false));
  EXPECT_STREQ(doc.GetFileVersion(), "4.5.0.15");
}

// ---- Adding -------------------------------------------------------------------------------------

TEST(ObjlistAdd, PutsTheEntityOnTheNamedOrTheCurrentLayerOrRefusesIt) {
  Objlist doc;
  ObjItem* first = doc.Add(new TestCurve);        // no name, no current layer: "0" made current
  ObjItem* unnamed = doc.Add(new TestCurve, "");  // an empty name is no name
  ObjItem* gutter = doc.Add(new TestCurve, "Gutters");
  LayerBag* zero = doc.Layer("0");
  LayerBag* gutters = doc.Layer("gutters");
  ASSERT_TRUE(zero != nullptr && gutters != nullptr);
  // Both made with colour 7; the existing current layer stays.
  EXPECT_EQ(std::make_tuple(zero->LayerColour(), zero->LayerFlags(), gutters->LayerColour(),
                            doc.CurrentLayer()),
            std::make_tuple(7, 0, 7, zero));
  EXPECT_EQ(LayerChain(zero), (Items{first, unnamed}));
  EXPECT_EQ(LayerChain(gutters), Items{gutter});
  EXPECT_EQ(std::make_pair(first->Layer(), gutter->Layer()), std::make_pair(zero, gutters));
  // Refused: null, a name whose byte sum is negative (no bucket), an entity already added.
  auto* curve = new TestCurve;
  EXPECT_TRUE(doc.Add(nullptr) == nullptr && doc.Add(curve, "\xC3\xA4") == nullptr);
  ASSERT_NE(doc.Add(curve), nullptr);  // still the caller's to give
  EXPECT_EQ(curve->Id(), 4);           // the refusal used up no identifier
  EXPECT_EQ(doc.Add(curve), nullptr);  // twice would give it two owners
  EXPECT_EQ(std::make_pair(DocumentChain(doc).size(), doc.NoofLayers()),
            std::make_pair(size_t{4}, 2));
  Objlist named;  // a table without a current layer takes the first named layer
  named.Add(new TestCurve, "Walls");
  EXPECT_STREQ(named.LayerName(), "Walls");
}

// ---- Identifiers --------------------------------------------------------------------------------

TEST(ObjlistIds, AddKeepsAFreeIdentifierAndGivesIdnoOtherwise) {
  // Identifiers brought, identifiers given, idno after.
  const std::tuple<Ids, Ids, int> cases[] = {
      {{5, 5}, {5, 1}, 2},           // a taken identifier is replaced
      {{0, 40, -3}, {1, 40, 2}, 3},  // none or negative takes idno; a kept one leaves idno alone
      {{1, 2, 0}, {1, 2, 3}, 4},     // idno steps over identifiers in use
  };
  for (const auto& [brought, given, idno] : cases) {
    Objlist doc;
    EXPECT_EQ(AddWithIds(doc, brought), given);
    EXPECT_EQ(doc.GetIdno(), idno) << ::testing::PrintToString(brought);
  }
}

TEST(ObjlistIds, IdentifiersStayUniqueWhateverTheEntitiesBring) {
  Objlist doc;
  Ids brought;
  for (int i = 0; i < 300; ++i)
    brought.push_back(i % 7 == 0 ? 0 : i % 23);
  Ids ids = AddWithIds(doc, brought);
  EXPECT_TRUE(FreeAmong(doc, ids).empty());
  std::sort(ids.begin(), ids.end());
  EXPECT_TRUE(std::adjacent_find(ids.begin(), ids.end()) == ids.end() && ids.front() >= 1);
}

TEST(ObjlistIds, SetIdnoReservesTheFreeIdentifiersBelowOnlyWhenAsked) {
  Objlist doc;
  AddWithIds(doc, {0, 0, 5});
  ASSERT_EQ(doc.GetIdno(), 3);
  EXPECT_EQ(doc.SetIdno(10, true), 10);
  EXPECT_EQ(FreeAmong(doc, {3, 4, 5, 6, 7, 8, 9, 10}), Ids{10});
  EXPECT_EQ(AddWithIds(doc, {7}), Ids{10});  // a reserved identifier is replaced
  EXPECT_EQ(doc.GetIdno(), 11);
  EXPECT_EQ(doc.SetIdno(50, false), 50);
  EXPECT_EQ(FreeAmong(doc, {20}), Ids{20});
  EXPECT_EQ(AddWithIds(doc, {0}), Ids{50});
  doc.SetIdno(100, true);
  doc.SetIdno(60, false);  // back below a reserved range: new identifiers step over it
  EXPECT_EQ(AddWithIds(doc, {0}), Ids{100});
}

TEST(ObjlistIds, FreeIDsReleasesOneIdentifierEvenInAHugeReservedRange) {
  Objlist doc;
  ObjItem* item = doc.Add(CurveWithId(8));
  ObjItem* far = doc.Add(CurveWithId(1000000));
  doc.SetIdno(INT_MAX - 1, true);  // must be cheap: a range, not two billion entries
  EXPECT_EQ(FreeAmong(doc, {-1, 0, 1, 8, 1000000, INT_MAX - 1}), Ids{INT_MAX - 1});
  for (Curve3D* e : std::initializer_list<Curve3D*>{item->Obj(), far->Obj(), nullptr})
    doc.FreeIDs(e);
  EXPECT_EQ(FreeAmong(doc, {7, 8, 9, 999999, 1000000, 1000001}), (Ids{8, 1000000}));
}

// ---- Identifier look-up -------------------------------------------------------------------------

TEST(ObjlistGetObj, SharedIdentifierGivesTheFirstInChainOrder) {
  Objlist doc;
  ObjItem* added = doc.Add(CurveWithId(4));
  ObjItem* later = doc.AddItem(new ObjItem(CurveWithId(4)));  // taken as it is, identifier too
  EXPECT_EQ(doc.GetObjItem(4), added);
  doc.Remove(added);
  EXPECT_EQ(doc.GetObjItem(4), later);
  doc.AddItem(added);  // back at the tail, behind later
  EXPECT_EQ(doc.GetObj(4), later->Obj());
  // The other way round: Add keeps 9, as AddItem never entered it in the used set.
  Objlist other;
  ObjItem* first = other.AddItem(new ObjItem(CurveWithId(9)));
  EXPECT_EQ(AddWithIds(other, {9}), Ids{9});
  EXPECT_EQ(other.GetObjItem(9), first);
}

// The index must give the walk's answer for every identifier: found, missing, zero, shared,
// deleted, removed, changed behind the document's back, and after clearing.
TEST(ObjlistGetObj, IndexAgreesWithTheWalkAfterRemovalsAndClear) {
  Objlist doc;
  std::vector<ObjItem*> items;
  for (int i = 0; i < 120; ++i)
    items.push_back(doc.Add(CurveWithId(i % 5 == 0 ? 0 : 200 - i), i % 4 == 0 ? "$FORMAT" : "A"));
  for (int i = 0; i < 10; ++i)
    doc.AddItem(new ObjItem(CurveWithId(150 + i)));  // may share
  for (size_t i = 0; i < items.size(); i += 3)
    doc.DeleteItem(items[i], 0);
  ObjItem* removed = doc.Remove(items[4]);
  items[7]->Obj()->Id(9999, 1);  // its old identifier is in the range walked below
  EXPECT_EQ(doc.GetObj(9999), items[7]->Obj());
  for (const int clear : {0, 1}) {
    if (clear != 0) doc.Clear(1, 0, 0);
    for (int id = -1; id <= 260; ++id)
      EXPECT_EQ(doc.GetObj(id), FirstWithId(doc, id)) << id << (clear != 0 ? " cleared" : "");
  }
  delete removed;
}

// ---- AddItem, RemoveItem and Remove -------------------------------------------------------------

TEST(ObjlistAddItem, AppendsOnlyFreeItemsAndRemoveItemUnlinksFromThatChainOnly) {
  TwoLayerDrawing d;
  d.doc.SetDirty(0);
  ObjItem empty(static_cast<Curve3D*>(nullptr));
  // A middle item, the head (only its Next is set), null, an item without entity.
  for (ObjItem* refused : {d.roof, d.wallA, static_cast<ObjItem*>(nullptr), &empty})
    EXPECT_EQ(d.doc.AddItem(refused), nullptr);
  EXPECT_EQ(d.doc.IsDirty(), 0);
  EXPECT_EQ(d.doc.RemoveItem(d.roof), d.roof);
  EXPECT_EQ(d.doc.RemoveItem(d.roof), nullptr);
  EXPECT_EQ(DocumentChain(d.doc), (Items{d.wallA, d.wallB}));
  EXPECT_EQ(LayerChain(d.roofLayer), Items{d.roof});  // the layer keeps it
  // Taken back: its links were cleared, so it counts as free again.
  d.doc.SetDirty(0);
  auto* item = new ObjItem(CurveWithId(0));
  for (ObjItem* added : {d.roof, item})
    EXPECT_EQ(d.doc.AddItem(added), added);
  EXPECT_EQ(DocumentChain(d.doc), (Items{d.wallA, d.wallB, d.roof, item}));
  EXPECT_EQ(std::make_tuple(item->Obj()->Id(), d.doc.GetIdno(), d.doc.IsDirty()),
            std::make_tuple(0, 4, 1));
  Objlist single;  // its only item has no links at all: membership still refuses it
  EXPECT_EQ(single.AddItem(single.Add(new TestCurve)), nullptr);
  EXPECT_EQ(single.Noofobjs(), 1);
}

TEST(ObjlistRemove, TakesTheItemOffEveryChainAndHandsItOver) {
  TwoLayerDrawing d;
  for (ObjItem* item : {d.wallA, d.roof, d.wallA})  // the second wallA is not linked twice
    EXPECT_EQ(d.doc.Add_RoofObject(item), item);
  ObjItem stranger(new TestCurve);
  EXPECT_EQ(d.doc.Add_RoofObject(&stranger), nullptr);
  d.Select({d.roof, d.wallB});
  d.doc.SetDirty(0);
  EXPECT_EQ(d.doc.Remove(d.roof), d.roof);
  EXPECT_EQ(DocumentChain(d.doc), (Items{d.wallA, d.wallB}));
  EXPECT_TRUE(LayerChain(d.roofLayer).empty());
  EXPECT_EQ(SelectionChain(d.doc), Items{d.wallB});
  EXPECT_EQ(RoofObjectChain(d.doc), Items{d.wallA});
  // The selection box shrinks to the remaining selection.
  EXPECT_THAT(*d.doc.GetSelectionBox()->Minpt(), PointNear(10.0, 0.0, 0.0, kTolerance));
  EXPECT_THAT(*d.doc.GetSelectionBox()->Maxpt(), PointNear(10.0, 8.0, 0.0, kTolerance));
  EXPECT_EQ(std::make_tuple(d.roof->Selected(), d.roof->Obj()->IsSelected(), d.doc.IsDirty(),
                            d.roof->Layer(), d.doc.GetObj(d.roof->Obj()->Id())),
            std::make_tuple(0, 0, 1, nullptr, nullptr));
  EXPECT_EQ(d.doc.Remove(nullptr), nullptr);
  EXPECT_EQ(d.doc.Remove(d.roof), d.roof);  // no longer in the document: untouched
  delete d.roof;                            // the caller owns a removed item
  EXPECT_EQ(d.doc.RemoveRoofObject(d.wallA), d.wallA);
  EXPECT_EQ(d.doc.RemoveRoofObject(d.wallA), nullptr);
  EXPECT_TRUE(RoofObjectChain(d.doc).empty());
}

// ---- Deleting -----------------------------------------------------------------------------------

TEST(ObjlistDelete, DeletesTheItemAndWithDimensionsTheUnselectedOnes) {
  for (const int withDimensions : {0, 1}) {
    const int baseline = TestCurve::Live();
    Objlist doc;
    ObjItem* measured = doc.Add(CurveWithId(1));
    ObjItem* loose = doc.Add(CurveWithId(2));
    ObjItem* selected = doc.Add(CurveWithId(3));
    measured->Obj()->AddDimension(loose->Obj());
    measured->Obj()->AddDimension(selected->Obj());
    doc.SelectItemById(3, true);
    EXPECT_EQ(doc.DeleteItem(measured, withDimensions), 1);
    const Items left = withDimensions != 0 ? Items{selected} : Items{loose, selected};
    EXPECT_EQ(DocumentChain(doc), left) << withDimensions;
    EXPECT_EQ(TestCurve::Live(), baseline + static_cast<int>(left.size()));
    EXPECT_TRUE(FreeAmong(doc, {1}).empty());  // a deleted entity's identifier stays taken
    ObjItem stranger(new TestCurve);
    EXPECT_EQ(doc.DeleteItem(&stranger, 0) + doc.DeleteItem(nullptr, 0), 0);
  }
}

TEST(ObjlistDelete, ItemWhoseEntityWasTakenBackLeavesEveryChain) {
  TwoLayerDrawing d;
  Curve3D* taken = d.wallA->Obj();
  d.wallA->SetObj(nullptr);  // the caller owns the entity now
  Point3D min, max;
  d.doc.CalcExtents(&min, &max, 1);
  EXPECT_NEAR(max.x, 10.0, kTolerance);
  EXPECT_EQ(d.doc.DeleteItem(d.wallA, 1), 1);
  EXPECT_EQ(LayerChain(d.walls), Items{d.wallB});
  delete taken;
}

// An entity deleted while another still lists it as a child, exclusion or dimension must leave
// those lists, or the survivor holds a dangling pointer (the sanitizer build reports its use). The
// same holds inside one batch: here the dimension goes before the entity that lists it.
TEST(ObjlistDelete, DeletedEntitiesLeaveTheListsOfTheOthers) {
  Objlist doc;
  Curve3D* roof = doc.Add(CurveWithId(1))->Obj();
  ObjItem* opening = doc.Add(CurveWithId(2));
  ObjItem* dimension = doc.Add(CurveWithId(3));
  ObjItem* measured = doc.Add(CurveWithId(4));
  roof->AddChild(opening->Obj(), true);
  roof->AddExclusion(opening->Obj());
  roof->AddDimension(dimension->Obj());
  roof->AddChild(measured->Obj(), true);
  measured->Obj()->AddDimension(dimension->Obj());
  EXPECT_EQ(doc.DeleteItem(opening, 0), 1);
  EXPECT_EQ(doc.DeleteItems({dimension, measured, dimension, nullptr}, 0), 2);
  EXPECT_EQ(std::make_tuple(roof->HasChildren(), roof->HasExclusions(), roof->Dimensions()),
            std::make_tuple(0, 0, 0));
}

// ---- Clear and destruction ----------------------------------------------------------------------

TEST(ObjlistClear, KeepsWhatItIsToldToAndResetsTheRest) {
  TwoLayerDrawing d;
  ObjItem* format = d.doc.Add(CurveWithId(0), "$format");
  d.Select({d.roof});
  d.doc.Clear(0, 0, 0);  // the items stay, the selection goes
  EXPECT_TRUE(DocumentChain(d.doc).size() == 4 && SelectionChain(d.doc).empty());
  EXPECT_EQ(d.roof->Selected(), 0);
  EXPECT_EQ(d.doc.GetObj(d.roof->Obj()->Id()), d.roof->Obj());
  // "$FORMAT" items stay with their identifiers, and clearing the layers keeps their layer.
  d.doc.Clear(1, 1, 0);
  EXPECT_EQ(DocumentChain(d.doc), Items{format});
  EXPECT_EQ(FreeAmong(d.doc, {1, 4}), Ids{1});
  EXPECT_EQ(std::make_tuple(d.doc.NoofLayers(), d.doc.CurrentLayer()), std::make_tuple(1, nullptr));
  EXPECT_EQ(LayerChain(d.doc.Layer("$FORMAT")), Items{format});
  d.doc.SetIdno(30, true);
  const Point3D far(50.0, 60.0, 7.0);
  d.doc.SetExtents(&far, &far);
  d.doc.SetLimits(&far, &far);
  d.doc.SetDirty(0);
  d.doc.Clear(1, 0, 1);  // clearBlocks takes them too; without clearLayers the layer stays
  EXPECT_EQ(std::make_tuple(d.doc.Noofobjs(), d.doc.NoofLayers(), d.doc.GetIdno(), d.doc.IsDirty()),
            std::make_tuple(0, 1, 1, 1));
  EXPECT_EQ(FreeAmong(d.doc, {1, 4, 20, 29}), (Ids{1, 4, 20, 29}));
  Point3D min = far, max = far;
  d.doc.GetExtents(&min, &max);
  EXPECT_EQ(std::make_pair(min, max), std::make_pair(Point3D(), Point3D()));
  d.doc.GetLimits(&min, &max);
  EXPECT_EQ(std::make_pair(min, max), std::make_pair(Point3D(), Point3D(1000.0, 1000.0, 0.0)));
}

// A walk per deleted item would make this quadratic: 100,000 items would take minutes.
TEST(ObjlistClear, DeletesManyItemsInOnePassAndDestructionDeletesTheRest) {
  const int baseline = TestCurve::Live();
  ObjItem* removed = nullptr;
  {
    Objlist doc;
    Items items;
    for (int i = 0; i < 100000; ++i)
      items.push_back(doc.Add(new TestCurve, i % 3 != 0 ? "A" : "$FORMAT"));
    items[10]->Obj()->AddChild(items[20]->Obj(), true);
    EXPECT_EQ(doc.DeleteItems(Items(items.begin(), items.begin() + 50000), 1), 50000);
    EXPECT_EQ(TestCurve::Live(), baseline + 50000);
    removed = doc.Remove(doc.GetHead());
  }
  EXPECT_EQ(TestCurve::Live(), baseline + 1);  // the removed item is the caller's
  delete removed;
}

// ---- Queries ------------------------------------------------------------------------------------

TEST(ObjlistExtents, UnitesBoxesSkippingFormatAndEmptyBoxes) {
  Point3D min(3.0, 3.0, 3.0), max(4.0, 4.0, 4.0);
  Objlist().CalcExtents(&min, &max, 1);
  EXPECT_EQ(std::make_pair(min, max), std::make_pair(Point3D(), Point3D()));
  TwoLayerDrawing d;
  d.doc.Add(new Line3D(-5.0, -5.0, 0.0, 40.0, 30.0, 0.0), "$FORMAT");
  d.doc.Add(new Line3D(100.0, 100.0, 0.0, 100.0, 100.0, 0.0), "Walls");  // a point: no size
  d.doc.CalcExtents(&min, &max, 0);
  EXPECT_THAT(min, PointNear(0.0, 0.0, 0.0, kTolerance));
  EXPECT_THAT(max, PointNear(10.0, 8.0, 0.0, kTolerance));
  d.doc.CalcExtents(&min, &max, 1);
  EXPECT_THAT(min, PointNear(-5.0, -5.0, 0.0, kTolerance));
  EXPECT_THAT(max, PointNear(40.0, 30.0, 0.0, kTolerance));
  d.doc.CalcExtents(nullptr, nullptr, 1);
}

TEST(ObjlistSelection, IsClosedNeedsExactlyOneClosedSelection) {
  TwoLayerDrawing d;
  ObjItem* point = d.doc.Add(new Line3D(2.0, 2.0, 0.0, 2.0, 2.0, 0.0));  // closed: its ends meet
  d.Select({d.roof});
  EXPECT_FALSE(d.doc.IsClosed());  // one, but open
  d.Select({point});
  EXPECT_FALSE(d.doc.IsClosed());  // closed, but not alone
  EXPECT_EQ(d.doc.SelectItemById(d.roof->Obj()->Id(), false), 1);
  EXPECT_TRUE(d.doc.IsClosed());
  EXPECT_EQ(d.doc.SelectItemById(12345, true), 0);
}
