// The drawing document: adding (layers and identifiers), the chains, removing and deleting with
// ownership, references between entities, clearing, identifier look-up, extents and settings.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "document/objlist.h"
#include "entities/line3d.h"
#include "support/document_builder.h"
#include "support/test_curve.h"
#include "takeoff/tlegendlist.h"

namespace {

constexpr double kTolerance = 1e-12;

// Checks the invariants every chain of the document must keep.
void ExpectChainsConsistent(const Objlist& doc) {
  const std::vector<ObjItem*> chain = DocumentChain(doc);
  EXPECT_EQ(static_cast<int>(chain.size()), doc.Noofobjs());
  EXPECT_EQ(DocumentChainBackwards(doc), chain);
  EXPECT_EQ(static_cast<int>(SelectionChain(doc).size()), doc.NumSelected());
}

}  // namespace

// ---- Construction and settings
// -------------------------------------------------------------------

TEST(Objlist, StartsEmptyWithTheDescribedDefaults) {
  Objlist doc;
  EXPECT_EQ(doc.GetHead(), nullptr);
  EXPECT_EQ(doc.GetLast(), nullptr);
  EXPECT_EQ(doc.GetSHead(), nullptr);
  EXPECT_EQ(doc.GetRHead(), nullptr);
  EXPECT_EQ(doc.Noofobjs(), 0);
  EXPECT_EQ(doc.NumSelected(), 0);
  EXPECT_FALSE(doc.IsSelected());
  EXPECT_EQ(doc.GetIdno(), 1);
  EXPECT_EQ(doc.IsDirty(), 0);
  EXPECT_EQ(doc.FileType(), 0);
  EXPECT_EQ(doc.GetUnits(), 0);
  EXPECT_DOUBLE_EQ(doc.GetScale(), 1.0);
  EXPECT_DOUBLE_EQ(doc.GetPrintScale(), 1.0);
  EXPECT_DOUBLE_EQ(doc.GetPrintPageExtX(), 0.0);
  EXPECT_DOUBLE_EQ(doc.GetPrintPageExtY(), 0.0);
  EXPECT_EQ(doc.LengthSnap(), 0);
  EXPECT_EQ(doc.GetSnap(), 0);
  EXPECT_EQ(doc.Ortho(), 1);
  EXPECT_DOUBLE_EQ(doc.GetOrthoAngle(), 15.0);
  EXPECT_DOUBLE_EQ(doc.LengthSnapUnit(), 1.0);
  EXPECT_FALSE(doc.GetDimensionFeetInch());
  EXPECT_EQ(doc.GetCurrentRoofId(), 0);
  EXPECT_NE(doc.GetLayerTable(), nullptr);
  EXPECT_NE(doc.GetBlockTable(), nullptr);
  EXPECT_NE(doc.GetLegend(), nullptr);
  EXPECT_NE(doc.GetSectionList(), nullptr);
  EXPECT_EQ(doc.GetRoofList(), nullptr);
  EXPECT_EQ(doc.GetViewPort(), nullptr);
  EXPECT_EQ(doc.NoofLayers(), 0);
  EXPECT_STREQ(doc.GetFileVersion(), "4.5.0.15");
}

TEST(Objlist, SettersStoreAndReturnTheirValue) {
  Objlist doc;
  EXPECT_EQ(doc.SetCurrentRoofId(42), 1);
  EXPECT_EQ(doc.GetCurrentRoofId(), 42);
  EXPECT_DOUBLE_EQ(doc.SetPrintPageExtX(850), 850.0);
  EXPECT_DOUBLE_EQ(doc.GetPrintPageExtX(), 850.0);
  EXPECT_TRUE(doc.SetDimensionFeetInch(true));
  EXPECT_TRUE(doc.GetDimensionFeetInch());
  doc.SetDisplayFeetInch(true);
  EXPECT_TRUE(doc.GetLegend()->GetFeetInches());
  EXPECT_EQ(doc.RefreshLegend(0), 0);
  EXPECT_EQ(doc.RefreshLegend(1), 0);
}

// ---- Adding: layers -----------------------------------------------------------------------------

TEST(ObjlistAdd, WithoutLayerNameCreatesCurrentLayerZero) {
  Objlist doc;
  ObjItem* item = doc.Add(new TestCurve);
  ASSERT_NE(item, nullptr);
  LayerBag* zero = doc.CurrentLayer();
  ASSERT_NE(zero, nullptr);
  EXPECT_STREQ(zero->LayerName(), "0");
  EXPECT_EQ(zero->LayerColour(), 7);
  EXPECT_EQ(zero->LayerFlags(), 0);
  EXPECT_EQ(item->Layer(), zero);
  EXPECT_EQ(LayerChain(zero), (std::vector<ObjItem*>{item}));
  EXPECT_EQ(doc.IsDirty(), 1);
  // An empty name is no name: the current layer again.
  EXPECT_EQ(doc.Add(new TestCurve, "")->Layer(), zero);
  EXPECT_EQ(doc.NoofLayers(), 1);
}

TEST(ObjlistAdd, UnknownLayerNameCreatesLayerWithColourSeven) {
  Objlist doc;
  doc.CurrentLayer(doc.Add_Layer("Base", 0, 2, 0));
  ObjItem* item = doc.Add(new TestCurve, "Gutters");
  ASSERT_NE(item, nullptr);
  LayerBag* gutters = doc.Layer("gutters");
  ASSERT_NE(gutters, nullptr);
  EXPECT_EQ(gutters->LayerColour(), 7);
  EXPECT_EQ(item->Layer(), gutters);
  EXPECT_STREQ(item->Layername(), "Gutters");
  EXPECT_STREQ(doc.CurrentLayer()->LayerName(), "Base");  // an existing current layer stays
}

TEST(ObjlistAdd, FirstNamedLayerOfAnEmptyTableBecomesCurrent) {
  Objlist doc;
  doc.Add(new TestCurve, "Walls");
  ASSERT_NE(doc.CurrentLayer(), nullptr);
  EXPECT_STREQ(doc.CurrentLayer()->LayerName(), "Walls");
}

TEST(ObjlistAdd, RefusedAddLeavesTheEntityWithTheCaller) {
  const int baseline = TestCurve::Live();
  Objlist doc;
  EXPECT_EQ(doc.Add(nullptr), nullptr);
  auto* curve = new TestCurve;
  // A name whose byte sum is negative has no bucket: no layer, no item.
  EXPECT_EQ(doc.Add(curve, "\xC3\xA4"), nullptr);
  EXPECT_EQ(doc.Noofobjs(), 0);
  EXPECT_EQ(doc.IsDirty(), 1);
  EXPECT_EQ(doc.GetIdno(), 1);
  delete curve;
  EXPECT_EQ(TestCurve::Live(), baseline);
}

TEST(ObjlistAdd, SameEntityTwiceIsRefused) {
  Objlist doc;
  auto* curve = new TestCurve;
  ASSERT_NE(doc.Add(curve), nullptr);
  EXPECT_EQ(doc.Add(curve), nullptr);
  EXPECT_EQ(doc.Noofobjs(), 1);
}

TEST(ObjlistAdd, RoofObjectChainTakesDocumentItemsOnce) {
  Objlist doc;
  ObjItem* item = doc.Add(new TestCurve);
  EXPECT_TRUE(RoofObjectChain(doc).empty());
  EXPECT_EQ(doc.Add_RoofObject(item), item);
  EXPECT_EQ(doc.Add_RoofObject(item), item);  // already there: not linked twice
  EXPECT_EQ(RoofObjectChain(doc), (std::vector<ObjItem*>{item}));
  ObjItem stranger(new TestCurve);
  EXPECT_EQ(doc.Add_RoofObject(&stranger), nullptr);
}

// ---- Adding: identifiers ------------------------------------------------------------------------

TEST(ObjlistIds, TwoEntitiesBringingFiveGetFiveAndOne) {
  Objlist doc;
  Curve3D* first = doc.Add(CurveWithId(5))->Obj();
  Curve3D* second = doc.Add(CurveWithId(5))->Obj();
  EXPECT_EQ(first->Id(), 5);
  EXPECT_EQ(second->Id(), 1);
  EXPECT_EQ(doc.GetIdno(), 2);
}

TEST(ObjlistIds, ZeroTakesIdnoAndAFreeIdentifierIsKept) {
  Objlist doc;
  EXPECT_EQ(doc.Add(CurveWithId(0))->Obj()->Id(), 1);
  EXPECT_EQ(doc.GetIdno(), 2);
  EXPECT_EQ(doc.Add(CurveWithId(40))->Obj()->Id(), 40);
  EXPECT_EQ(doc.GetIdno(), 2);
  EXPECT_EQ(doc.Add(CurveWithId(-3))->Obj()->Id(), 2);
  EXPECT_EQ(doc.GetIdno(), 3);
}

TEST(ObjlistIds, IdnoSkipsIdentifiersAlreadyInUse) {
  Objlist doc;
  doc.Add(CurveWithId(1));
  doc.Add(CurveWithId(2));
  // Idno is still 1: the new entity steps over 1 and 2.
  EXPECT_EQ(doc.Add(CurveWithId(0))->Obj()->Id(), 3);
  EXPECT_EQ(doc.GetIdno(), 4);
}

TEST(ObjlistIds, IdentifiersStayUniqueWhateverTheEntitiesBring) {
  Objlist doc;
  for (int i = 0; i < 300; ++i)
    doc.Add(CurveWithId(i % 7 == 0 ? 0 : i % 23));
  std::vector<int> ids;
  for (const ObjItem* item : DocumentChain(doc))
    ids.push_back(item->Obj()->Id());
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
  EXPECT_GE(ids.front(), 1);
  for (const int id : ids)
    EXPECT_FALSE(doc.ValidateTGID(id));
}

TEST(ObjlistIds, SetIdnoWithReserveTakesTheFreeIdentifiersBelow) {
  Objlist doc;
  doc.Add(CurveWithId(0));
  doc.Add(CurveWithId(0));
  doc.Add(CurveWithId(5));
  ASSERT_EQ(doc.GetIdno(), 3);
  EXPECT_EQ(doc.SetIdno(10, true), 10);
  for (const int id : {3, 4, 5, 6, 7, 8, 9})
    EXPECT_FALSE(doc.ValidateTGID(id)) << id;
  EXPECT_TRUE(doc.ValidateTGID(10));
  EXPECT_EQ(doc.Add(CurveWithId(7))->Obj()->Id(), 10);  // a reserved identifier is replaced
  EXPECT_EQ(doc.GetIdno(), 11);
}

TEST(ObjlistIds, SetIdnoWithoutReserveOnlyMovesIdno) {
  Objlist doc;
  EXPECT_EQ(doc.SetIdno(50, false), 50);
  EXPECT_TRUE(doc.ValidateTGID(10));
  EXPECT_EQ(doc.Add(CurveWithId(0))->Obj()->Id(), 50);
  // Back below a reserved range: new identifiers step over it at once.
  doc.SetIdno(100, true);
  doc.SetIdno(60, false);
  EXPECT_EQ(doc.Add(CurveWithId(0))->Obj()->Id(), 100);
}

TEST(ObjlistIds, ReservingAHugeRangeIsCheapAndFreeIDsReleasesOne) {
  Objlist doc;
  doc.SetIdno(INT_MAX - 1, true);
  EXPECT_FALSE(doc.ValidateTGID(1));
  EXPECT_FALSE(doc.ValidateTGID(1000000));
  EXPECT_TRUE(doc.ValidateTGID(INT_MAX - 1));
  TestCurve released(0);
  released.Id(1000000, 1);
  doc.FreeIDs(&released);
  EXPECT_TRUE(doc.ValidateTGID(1000000));
  EXPECT_FALSE(doc.ValidateTGID(999999));
  EXPECT_FALSE(doc.ValidateTGID(1000001));
  doc.FreeIDs(nullptr);
}

TEST(ObjlistIds, FreeIDsMakesAnIdentifierValidAgain) {
  Objlist doc;
  ObjItem* item = doc.Add(CurveWithId(8));
  EXPECT_FALSE(doc.ValidateTGID(8));
  doc.FreeIDs(item->Obj());
  EXPECT_TRUE(doc.ValidateTGID(8));
  EXPECT_FALSE(doc.ValidateTGID(0));
  EXPECT_FALSE(doc.ValidateTGID(-1));
}

// ---- Identifier look-up -------------------------------------------------------------------------

TEST(ObjlistGetObj, FindsByIdentifierAndNeverForZero) {
  TwoLayerDrawing drawing;
  EXPECT_EQ(drawing.doc.GetObj(0), nullptr);
  EXPECT_EQ(drawing.doc.GetObj(drawing.roof->Obj()->Id()), drawing.roof->Obj());
  EXPECT_EQ(drawing.doc.GetObjItem(drawing.wallB->Obj()->Id()), drawing.wallB);
  EXPECT_EQ(drawing.doc.GetObj(999), nullptr);
}

TEST(ObjlistGetObj, SharedIdentifierGivesTheFirstInChainOrder) {
  Objlist doc;
  ObjItem* added = doc.Add(CurveWithId(4));
  // AddItem takes an item as it is, identifier included.
  auto* later = new ObjItem(CurveWithId(4));
  doc.AddItem(later);
  EXPECT_EQ(doc.GetObjItem(4), added);
  doc.Remove(added);
  EXPECT_EQ(doc.GetObjItem(4), later);
  delete added;

  // The other way round: the item taken as it is comes first, and Add keeps the identifier
  // because AddItem never entered it in the used set.
  Objlist other;
  auto* first = new ObjItem(CurveWithId(9));
  other.AddItem(first);
  ObjItem* second = other.Add(CurveWithId(9));
  EXPECT_EQ(second->Obj()->Id(), 9);
  EXPECT_EQ(other.GetObjItem(9), first);
}

TEST(ObjlistGetObj, SharedIdentifierFollowsTheChainWhenItemsMove) {
  Objlist doc;
  ObjItem* a = doc.Add(CurveWithId(4));
  auto* b = new ObjItem(CurveWithId(4));
  doc.AddItem(b);
  doc.Remove(a);
  doc.AddItem(a);  // back at the tail: b now comes first
  EXPECT_EQ(DocumentChain(doc), (std::vector<ObjItem*>{b, a}));
  EXPECT_EQ(doc.GetObjItem(4), b);
}

TEST(ObjlistGetObj, IdentifierChangedBehindTheDocumentIsStillFound) {
  Objlist doc;
  ObjItem* item = doc.Add(CurveWithId(3));
  item->Obj()->Id(77, 1);
  EXPECT_EQ(doc.GetObj(3), nullptr);
  EXPECT_EQ(doc.GetObj(77), item->Obj());
}

TEST(ObjlistGetObj, IndexAgreesWithTheWalkAfterRemovalsAndClear) {
  Objlist doc;
  std::vector<ObjItem*> items;
  for (int i = 0; i < 120; ++i) {
    items.push_back(doc.Add(CurveWithId(i % 5 == 0 ? 0 : 200 - i), i % 4 == 0 ? "$FORMAT" : "A"));
  }
  for (int i = 0; i < 10; ++i)
    doc.AddItem(new ObjItem(CurveWithId(150 + i)));  // may share
  for (size_t i = 0; i < items.size(); i += 3)
    doc.DeleteItem(items[i], 0);
  ObjItem* removed = doc.Remove(items[4]);
  items[7]->Obj()->Id(9999, 1);
  for (int id = -1; id <= 260; ++id)
    EXPECT_EQ(doc.GetObj(id), FirstWithId(doc, id)) << id;
  EXPECT_EQ(doc.GetObj(9999), FirstWithId(doc, 9999));
  doc.Clear(1, 0, 0);
  for (int id = -1; id <= 260; ++id)
    EXPECT_EQ(doc.GetObj(id), FirstWithId(doc, id)) << id;
  delete removed;
}

// ---- AddItem and RemoveItem ---------------------------------------------------------------------

TEST(ObjlistAddItem, LinkedItemIsRefusedAndNothingChanges) {
  TwoLayerDrawing drawing;
  Objlist& doc = drawing.doc;
  doc.SetDirty(0);
  EXPECT_EQ(doc.AddItem(drawing.roof), nullptr);
  EXPECT_EQ(doc.AddItem(drawing.wallA), nullptr);  // the head: only its Next is set
  EXPECT_EQ(doc.AddItem(nullptr), nullptr);
  ObjItem empty(static_cast<Curve3D*>(nullptr));
  EXPECT_EQ(doc.AddItem(&empty), nullptr);
  EXPECT_EQ(doc.Noofobjs(), 3);
  EXPECT_EQ(doc.IsDirty(), 0);
  EXPECT_EQ(DocumentChain(doc),
            (std::vector<ObjItem*>{drawing.wallA, drawing.roof, drawing.wallB}));
}

TEST(ObjlistAddItem, SingleItemCannotBeAddedTwice) {
  Objlist doc;
  ObjItem* only = doc.Add(new TestCurve);
  EXPECT_EQ(doc.AddItem(only), nullptr);
  EXPECT_EQ(doc.Noofobjs(), 1);
  ExpectChainsConsistent(doc);
}

TEST(ObjlistAddItem, AppendsWithoutTouchingIdentifiers) {
  Objlist doc;
  auto* item = new ObjItem(CurveWithId(0));
  EXPECT_EQ(doc.AddItem(item), item);
  EXPECT_EQ(item->Obj()->Id(), 0);
  EXPECT_EQ(doc.GetIdno(), 1);
  EXPECT_EQ(doc.IsDirty(), 1);
  EXPECT_EQ(doc.GetLast(), item);
}

TEST(ObjlistRemoveItem, UnlinksFromTheDocumentChainOnly) {
  TwoLayerDrawing drawing;
  Objlist& doc = drawing.doc;
  EXPECT_EQ(doc.RemoveItem(drawing.roof), drawing.roof);
  EXPECT_EQ(drawing.roof->Next(), nullptr);
  EXPECT_EQ(drawing.roof->Prev(), nullptr);
  EXPECT_EQ(DocumentChain(doc), (std::vector<ObjItem*>{drawing.wallA, drawing.wallB}));
  EXPECT_EQ(LayerChain(drawing.roofLayer), (std::vector<ObjItem*>{drawing.roof}));
  EXPECT_EQ(doc.RemoveItem(drawing.roof), nullptr);
  ExpectChainsConsistent(doc);
  drawing.roofLayer->Remove(drawing.roof);
  delete drawing.roof;
}

// ---- Remove and DeleteItem ----------------------------------------------------------------------

TEST(ObjlistRemove, TakesTheItemOffEveryChainAndHandsItOver) {
  const int baseline = TestCurve::Live();
  {
    Objlist doc;
    ObjItem* a = doc.Add(CurveWithId(1), "L");
    ObjItem* b = doc.Add(CurveWithId(2), "L");
    ObjItem* c = doc.Add(CurveWithId(3), "L");
    doc.Add_RoofObject(a);
    doc.Add_RoofObject(b);
    doc.SelectItemById(2, true);
    doc.SelectItemById(3, true);
    doc.SetDirty(0);

    EXPECT_EQ(doc.Remove(b), b);
    EXPECT_EQ(DocumentChain(doc), (std::vector<ObjItem*>{a, c}));
    EXPECT_EQ(LayerChain(doc.Layer("L")), (std::vector<ObjItem*>{a, c}));
    EXPECT_EQ(SelectionChain(doc), (std::vector<ObjItem*>{c}));
    EXPECT_EQ(RoofObjectChain(doc), (std::vector<ObjItem*>{a}));
    EXPECT_EQ(doc.NumSelected(), 1);
    EXPECT_EQ(b->Selected(), 0);
    EXPECT_EQ(b->Obj()->IsSelected(), 0);
    EXPECT_EQ(b->Layer(), nullptr);
    EXPECT_EQ(doc.GetObj(2), nullptr);
    EXPECT_EQ(doc.IsDirty(), 1);
    ExpectChainsConsistent(doc);
    EXPECT_EQ(doc.Remove(nullptr), nullptr);
    EXPECT_EQ(doc.Remove(b), b);  // no longer in the document: untouched
    delete b;                     // the caller owns a removed item
  }
  EXPECT_EQ(TestCurve::Live(), baseline);
}

TEST(ObjlistRemove, SelectionBoxShrinksToTheRemainingSelection) {
  TwoLayerDrawing drawing;
  Objlist& doc = drawing.doc;
  doc.SelectItemById(drawing.wallA->Obj()->Id(), true);
  doc.SelectItemById(drawing.wallB->Obj()->Id(), true);
  EXPECT_NEAR(doc.GetSelectionBox()->Maxpt()->y, 8.0, kTolerance);
  delete doc.Remove(drawing.wallB);
  EXPECT_NEAR(doc.GetSelectionBox()->Minpt()->x, 0.0, kTolerance);
  EXPECT_NEAR(doc.GetSelectionBox()->Maxpt()->x, 10.0, kTolerance);
  EXPECT_NEAR(doc.GetSelectionBox()->Maxpt()->y, 0.0, kTolerance);
}

TEST(ObjlistDelete, DeletesTheItemAndItsEntity) {
  const int baseline = TestCurve::Live();
  Objlist doc;
  ObjItem* a = doc.Add(new TestCurve);
  ObjItem* b = doc.Add(new TestCurve);
  EXPECT_EQ(doc.DeleteItem(a, 0), 1);
  EXPECT_EQ(TestCurve::Live(), baseline + 1);
  EXPECT_EQ(DocumentChain(doc), (std::vector<ObjItem*>{b}));
  EXPECT_EQ(LayerChain(doc.CurrentLayer()), (std::vector<ObjItem*>{b}));
  EXPECT_EQ(doc.DeleteItem(nullptr, 0), 0);
  ObjItem stranger(new TestCurve);
  EXPECT_EQ(doc.DeleteItem(&stranger, 0), 0);
  EXPECT_EQ(doc.Noofobjs(), 1);
}

TEST(ObjlistDelete, ItemWhoseEntityWasTakenBackLeavesEveryChain) {
  TwoLayerDrawing drawing;
  Objlist& doc = drawing.doc;
  Curve3D* taken = drawing.wallA->Obj();
  drawing.wallA->SetObj(nullptr);  // the caller owns the entity now
  Point3D min, max;
  doc.CalcExtents(&min, &max, 1);
  EXPECT_NEAR(max.x, 10.0, kTolerance);
  EXPECT_EQ(doc.DeleteItem(drawing.wallA, 1), 1);
  EXPECT_EQ(LayerChain(drawing.walls), (std::vector<ObjItem*>{drawing.wallB}));
  EXPECT_EQ(LayerChainBackwards(drawing.walls), LayerChain(drawing.walls));
  delete taken;
}

TEST(ObjlistDelete, IdentifierOfADeletedEntityStaysTaken) {
  Objlist doc;
  ObjItem* item = doc.Add(CurveWithId(6));
  doc.DeleteItem(item, 0);
  EXPECT_FALSE(doc.ValidateTGID(6));
  EXPECT_EQ(doc.GetObj(6), nullptr);
}

TEST(ObjlistDelete, WithDimensionsDeletesTheUnselectedOnes) {
  const int baseline = TestCurve::Live();
  Objlist doc;
  ObjItem* measured = doc.Add(CurveWithId(1));
  ObjItem* loose = doc.Add(CurveWithId(2));
  ObjItem* kept = doc.Add(CurveWithId(3));
  measured->Obj()->AddDimension(loose->Obj());
  measured->Obj()->AddDimension(kept->Obj());
  doc.SelectItemById(3, true);
  EXPECT_EQ(doc.DeleteItem(measured, 1), 1);
  EXPECT_EQ(DocumentChain(doc), (std::vector<ObjItem*>{kept}));
  EXPECT_EQ(TestCurve::Live(), baseline + 1);
}

TEST(ObjlistDelete, WithoutDimensionsTheDimensionsStay) {
  Objlist doc;
  ObjItem* measured = doc.Add(CurveWithId(1));
  ObjItem* dimension = doc.Add(CurveWithId(2));
  measured->Obj()->AddDimension(dimension->Obj());
  doc.DeleteItem(measured, 0);
  EXPECT_EQ(DocumentChain(doc), (std::vector<ObjItem*>{dimension}));
}

// An entity deleted while another still lists it as a child, exclusion or dimension must leave
// those lists: otherwise the survivor holds a dangling pointer (the sanitizer build reports any
// later use, such as the survivor's own destruction telling its dimensions).
TEST(ObjlistDelete, DeletedEntityLeavesTheListsOfTheOthers) {
  Objlist doc;
  Curve3D* roof = doc.Add(CurveWithId(1))->Obj();
  ObjItem* opening = doc.Add(CurveWithId(2));
  ObjItem* dimension = doc.Add(CurveWithId(3));
  roof->AddChild(opening->Obj(), true);
  roof->AddExclusion(opening->Obj());
  roof->AddDimension(dimension->Obj());
  ASSERT_EQ(roof->HasChildren(), 1);

  doc.DeleteItem(opening, 0);
  EXPECT_EQ(roof->HasChildren(), 0);
  EXPECT_EQ(roof->HasExclusions(), 0);
  doc.DeleteItem(dimension, 0);
  EXPECT_EQ(roof->Dimensions(), 0);
  Point3D move(1.0, 0.0, 0.0);
  roof->Selected(1);
  roof->Translate(&move, false);  // would reach the children
}

TEST(ObjlistDelete, EntitiesDeletedTogetherForgetEachOther) {
  const int baseline = TestCurve::Live();
  {
    Objlist doc;
    ObjItem* measured = doc.Add(CurveWithId(1));
    ObjItem* dimension = doc.Add(CurveWithId(2));
    ObjItem* roof = doc.Add(CurveWithId(3));
    measured->Obj()->AddDimension(dimension->Obj());
    roof->Obj()->AddChild(measured->Obj(), true);
    // The dimension goes first; the measured entity's destructor must not reach it.
    EXPECT_EQ(doc.DeleteItems({dimension, measured, dimension, nullptr}, 0), 2);
    EXPECT_EQ(roof->Obj()->HasChildren(), 0);
    EXPECT_EQ(doc.Noofobjs(), 1);
  }
  EXPECT_EQ(TestCurve::Live(), baseline);
}

// ---- Clear and destruction ----------------------------------------------------------------------

TEST(ObjlistClear, KeepsFormatItemsUnlessBlocksAreCleared) {
  Objlist doc;
  ObjItem* format = doc.Add(CurveWithId(0), "$format");
  doc.Add(CurveWithId(0), "Walls");
  doc.Clear(1, 0, 0);
  EXPECT_EQ(DocumentChain(doc), (std::vector<ObjItem*>{format}));
  EXPECT_EQ(doc.GetObj(1), format->Obj());
  doc.Clear(1, 0, 1);
  EXPECT_EQ(doc.Noofobjs(), 0);
  EXPECT_EQ(doc.GetHead(), nullptr);
  EXPECT_EQ(doc.NoofLayers(), 2);  // layers stay without clearLayers
}

TEST(ObjlistClear, ResetsIdentifiersAndExtents) {
  Objlist doc;
  doc.Add(CurveWithId(0));
  doc.Add(CurveWithId(12));
  doc.SetIdno(30, true);
  const Point3D far(50.0, 60.0, 0.0);
  doc.SetExtents(&far, &far);
  doc.SetLimits(&far, &far);
  doc.SetDirty(0);
  doc.Clear(1, 1, 1);
  EXPECT_EQ(doc.GetIdno(), 1);
  for (const int id : {1, 12, 20, 29})
    EXPECT_TRUE(doc.ValidateTGID(id)) << id;
  EXPECT_EQ(doc.IsDirty(), 1);
  Point3D min, max;
  doc.GetExtents(&min, &max);
  EXPECT_EQ(min.x, 0.0);
  EXPECT_EQ(max.y, 0.0);
  doc.GetLimits(&min, &max);
  EXPECT_EQ(min.x, 0.0);
  EXPECT_DOUBLE_EQ(max.x, 1000.0);
  EXPECT_DOUBLE_EQ(max.y, 1000.0);
  EXPECT_EQ(max.z, 0.0);
  EXPECT_EQ(doc.NoofLayers(), 0);
  EXPECT_EQ(doc.CurrentLayer(), nullptr);
}

TEST(ObjlistClear, KeptFormatEntitiesKeepTheirIdentifiersTaken) {
  Objlist doc;
  ObjItem* format = doc.Add(CurveWithId(0), "$FORMAT");
  doc.Clear(1, 0, 0);
  EXPECT_FALSE(doc.ValidateTGID(format->Obj()->Id()));
  EXPECT_EQ(doc.Add(CurveWithId(0))->Obj()->Id(), 2);
}

TEST(ObjlistClear, ClearingLayersKeepsTheLayerOfKeptItems) {
  Objlist doc;
  ObjItem* format = doc.Add(new TestCurve, "$FORMAT");
  doc.Add(new TestCurve, "Walls");
  doc.Clear(1, 1, 0);
  EXPECT_EQ(doc.NoofLayers(), 1);
  LayerBag* layer = doc.Layer("$FORMAT");
  ASSERT_NE(layer, nullptr);
  EXPECT_EQ(format->Layer(), layer);
  EXPECT_EQ(LayerChain(layer), (std::vector<ObjItem*>{format}));
  EXPECT_EQ(doc.Layer("Walls"), nullptr);
}

TEST(ObjlistClear, WithoutDeleteKeepsItemsAndClearsSelection) {
  TwoLayerDrawing drawing;
  drawing.doc.SelectItemById(drawing.roof->Obj()->Id(), true);
  drawing.doc.Clear(0, 0, 0);
  EXPECT_EQ(drawing.doc.Noofobjs(), 3);
  EXPECT_EQ(drawing.doc.NumSelected(), 0);
  EXPECT_EQ(drawing.roof->Selected(), 0);
  EXPECT_EQ(drawing.doc.GetObj(drawing.roof->Obj()->Id()), drawing.roof->Obj());
}

TEST(ObjlistClear, DestructionDeletesEveryEntity) {
  const int baseline = TestCurve::Live();
  ObjItem* removed = nullptr;
  {
    Objlist doc;
    for (int i = 0; i < 50; ++i)
      doc.Add(new TestCurve, i % 2 == 0 ? "$FORMAT" : "Walls");
    removed = doc.Remove(doc.GetHead());
  }
  EXPECT_EQ(TestCurve::Live(), baseline + 1);  // the removed item is the caller's
  delete removed;
  EXPECT_EQ(TestCurve::Live(), baseline);
}

// A walk per deleted item would make these quadratic: 100,000 items would take minutes.
TEST(ObjlistScale, HundredThousandItemsAreDeletedInOnePass) {
  const int baseline = TestCurve::Live();
  Objlist doc;
  std::vector<ObjItem*> items;
  for (int i = 0; i < 100000; ++i)
    items.push_back(doc.Add(new TestCurve, i % 3 != 0 ? "A" : "B"));
  items[10]->Obj()->AddChild(items[20]->Obj(), true);
  EXPECT_EQ(doc.DeleteItems(std::vector<ObjItem*>(items.begin(), items.begin() + 50000), 1), 50000);
  EXPECT_EQ(doc.Noofobjs(), 50000);
  EXPECT_EQ(TestCurve::Live(), baseline + 50000);
  doc.Clear(1, 1, 1);
  EXPECT_EQ(TestCurve::Live(), baseline);
}

// ---- Queries ------------------------------------------------------------------------------------

TEST(ObjlistExtents, UnitesBoxesSkippingFormatAndEmptyBoxes) {
  TwoLayerDrawing drawing;
  drawing.doc.Add(new Line3D(-5.0, -5.0, 0.0, 40.0, 30.0, 0.0), "$FORMAT");
  drawing.doc.Add(new Line3D(100.0, 100.0, 0.0, 100.0, 100.0, 0.0), "Walls");  // a point: no size
  Point3D min, max;
  drawing.doc.CalcExtents(&min, &max, 0);
  EXPECT_NEAR(min.x, 0.0, kTolerance);
  EXPECT_NEAR(min.y, 0.0, kTolerance);
  EXPECT_NEAR(max.x, 10.0, kTolerance);
  EXPECT_NEAR(max.y, 8.0, kTolerance);
  drawing.doc.CalcExtents(&min, &max, 1);
  EXPECT_NEAR(min.x, -5.0, kTolerance);
  EXPECT_NEAR(max.x, 40.0, kTolerance);
  EXPECT_NEAR(max.y, 30.0, kTolerance);
  drawing.doc.CalcExtents(nullptr, nullptr, 1);
}

TEST(ObjlistExtents, EmptyDrawingGivesTheOrigin) {
  Objlist doc;
  Point3D min(3.0, 3.0, 3.0);
  Point3D max(4.0, 4.0, 4.0);
  doc.CalcExtents(&min, &max, 1);
  EXPECT_EQ(min.x, 0.0);
  EXPECT_EQ(min.y, 0.0);
  EXPECT_EQ(max.x, 0.0);
  EXPECT_EQ(max.z, 0.0);
}

TEST(ObjlistSelection, IsClosedNeedsExactlyOneClosedSelection) {
  Objlist doc;
  ObjItem* open = doc.Add(new Line3D(0.0, 0.0, 0.0, 1.0, 0.0, 0.0));
  ObjItem* closed = doc.Add(new Line3D(2.0, 2.0, 0.0, 2.0, 2.0, 0.0));
  EXPECT_FALSE(doc.IsClosed());
  doc.SelectItemById(closed->Obj()->Id(), true);
  EXPECT_TRUE(doc.IsClosed());
  doc.SelectItemById(open->Obj()->Id(), true);
  EXPECT_FALSE(doc.IsClosed());
  doc.DeSelectAll(0);
  EXPECT_EQ(doc.NumSelected(), 0);
  EXPECT_EQ(closed->Obj()->IsSelected(), 0);
  EXPECT_EQ(doc.SelectItemById(12345, true), 0);
}
