// The document's layer operations: the current layer, renaming, the layer of the selection,
// moving items between layers, deleting by layer, deleting layers and clearing Eplan layers.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "document/objlist.h"
#include "support/document_builder.h"
#include "support/test_curve.h"

// ---- Current layer and renaming -----------------------------------------------------------------

TEST(ObjlistLayers, CurrentLayerByNameOrLayer) {
  TwoLayerDrawing drawing;
  Objlist& doc = drawing.doc;
  EXPECT_EQ(doc.CurrentLayer("roof"), drawing.roofLayer);
  EXPECT_STREQ(doc.LayerName(), "Roof");
  EXPECT_EQ(doc.CurrentLayer("missing"), nullptr);
  EXPECT_EQ(doc.CurrentLayer(), drawing.roofLayer);
  LayerBag stranger("X");
  EXPECT_EQ(doc.CurrentLayer(&stranger), nullptr);
  EXPECT_EQ(doc.CurrentLayer(drawing.walls), drawing.walls);
  EXPECT_EQ(doc.NoofLayers(), 2);
}

TEST(ObjlistLayers, RenameGivesEveryEntityOnTheLayerTheNewName) {
  TwoLayerDrawing drawing;
  Objlist& doc = drawing.doc;
  doc.CurrentLayer(drawing.walls);
  doc.SetDirty(0);
  EXPECT_STREQ(doc.LayerName("Outer Walls"), "Outer Walls");
  EXPECT_EQ(doc.Layer("outer walls"), drawing.walls);
  EXPECT_EQ(doc.Layer("Walls"), nullptr);
  EXPECT_STREQ(drawing.wallA->Layername(), "Outer Walls");
  EXPECT_STREQ(drawing.wallB->Layername(), "Outer Walls");
  EXPECT_STREQ(drawing.roof->Layername(), "Roof");
  EXPECT_EQ(doc.IsDirty(), 1);
}

TEST(ObjlistLayers, RenameToAnotherLayersNameChangesNothing) {
  TwoLayerDrawing drawing;
  Objlist& doc = drawing.doc;
  doc.CurrentLayer(drawing.walls);
  doc.SetDirty(0);
  EXPECT_EQ(doc.LayerName("ROOF"), nullptr);
  EXPECT_EQ(doc.Layer("Walls"), drawing.walls);
  EXPECT_EQ(doc.Layer("Roof"), drawing.roofLayer);
  EXPECT_STREQ(drawing.wallA->Layername(), "Walls");
  EXPECT_EQ(doc.IsDirty(), 0);
  Objlist empty;
  EXPECT_EQ(empty.LayerName("X"), nullptr);
}

// ---- The layer of the selection -----------------------------------------------------------------

TEST(ObjlistLayers, ObjLayerGivesTheSharedNameIgnoringCase) {
  Objlist doc;
  ObjItem* a = doc.Add(new TestCurve, "A");
  ObjItem* b = doc.Add(new TestCurve, "a");
  doc.SelectItemById(a->Obj()->Id(), true);
  doc.SelectItemById(b->Obj()->Id(), true);
  char buffer[kObjLayerBufferSize];
  EXPECT_STREQ(doc.ObjLayer(buffer), "A");
  EXPECT_EQ(doc.ObjLayer(nullptr), nullptr);
}

TEST(ObjlistLayers, ObjLayerEmptiesTheBufferForDifferentLayers) {
  TwoLayerDrawing drawing;
  Objlist& doc = drawing.doc;
  doc.SelectItemById(drawing.wallA->Obj()->Id(), true);
  doc.SelectItemById(drawing.roof->Obj()->Id(), true);
  char buffer[kObjLayerBufferSize];
  std::memset(buffer, 'x', sizeof buffer);
  doc.ObjLayer(buffer);
  for (const char c : buffer)
    EXPECT_EQ(c, '\0');
}

TEST(ObjlistLayers, ObjLayerWithoutSelectionIsEmpty) {
  TwoLayerDrawing drawing;
  char buffer[kObjLayerBufferSize] = "stale";
  EXPECT_STREQ(drawing.doc.ObjLayer(buffer), "");
}

// ---- Moving items -------------------------------------------------------------------------------

TEST(ObjlistLayers, SetObjLayerMovesTheSelectedItemsBetweenChains) {
  TwoLayerDrawing drawing;
  Objlist& doc = drawing.doc;
  doc.SelectItemById(drawing.wallA->Obj()->Id(), true);
  doc.SelectItemById(drawing.roof->Obj()->Id(), true);
  doc.SetDirty(0);
  EXPECT_EQ(doc.SetObjLayer("ROOF"), drawing.roofLayer);
  EXPECT_EQ(LayerChain(drawing.walls), (std::vector<ObjItem*>{drawing.wallB}));
  EXPECT_EQ(LayerChain(drawing.roofLayer), (std::vector<ObjItem*>{drawing.roof, drawing.wallA}));
  EXPECT_EQ(LayerChainBackwards(drawing.roofLayer), LayerChain(drawing.roofLayer));
  EXPECT_EQ(drawing.wallA->Layer(), drawing.roofLayer);
  EXPECT_STREQ(drawing.wallA->Layername(), "Roof");
  EXPECT_EQ(doc.IsDirty(), 1);
  // The document chain keeps its order.
  EXPECT_EQ(DocumentChain(doc),
            (std::vector<ObjItem*>{drawing.wallA, drawing.roof, drawing.wallB}));
}

TEST(ObjlistLayers, SetObjLayerNeedsAnExistingLayer) {
  TwoLayerDrawing drawing;
  drawing.doc.SelectItemById(drawing.wallA->Obj()->Id(), true);
  EXPECT_EQ(drawing.doc.SetObjLayer("Nowhere"), nullptr);
  EXPECT_EQ(drawing.doc.SetObjLayer(nullptr), nullptr);
  EXPECT_EQ(drawing.wallA->Layer(), drawing.walls);
  EXPECT_EQ(drawing.doc.Layer("Nowhere"), nullptr);
}

TEST(ObjlistLayers, MovedItemIsDeletedFromItsNewLayer) {
  TwoLayerDrawing drawing;
  Objlist& doc = drawing.doc;
  doc.SelectItemById(drawing.wallB->Obj()->Id(), true);
  doc.SetObjLayer("Roof");
  doc.DeleteItem(drawing.wallB, 0);
  EXPECT_EQ(LayerChain(drawing.roofLayer), (std::vector<ObjItem*>{drawing.roof}));
  EXPECT_EQ(LayerChain(drawing.walls), (std::vector<ObjItem*>{drawing.wallA}));
  EXPECT_EQ(doc.NumSelected(), 0);
}

// ---- Deleting by layer --------------------------------------------------------------------------

TEST(ObjlistLayers, DeleteByLayerDeletesItsItemsAndKeepsTheLayer) {
  const int baseline = TestCurve::Live();
  Objlist doc;
  doc.Add(new TestCurve, "Walls");
  ObjItem* roof = doc.Add(new TestCurve, "Roof");
  doc.Add(new TestCurve, "walls");
  doc.SelectItemById(roof->Obj()->Id(), true);
  EXPECT_EQ(doc.DeleteByLayer("WALLS"), 1);
  EXPECT_EQ(DocumentChain(doc), (std::vector<ObjItem*>{roof}));
  EXPECT_NE(doc.Layer("Walls"), nullptr);
  EXPECT_EQ(doc.Layer("Walls")->Head(), nullptr);
  EXPECT_EQ(doc.NumSelected(), 0);  // everything was deselected first
  EXPECT_EQ(TestCurve::Live(), baseline + 1);
  EXPECT_EQ(doc.DeleteByLayer("Nowhere"), 0);
}

TEST(ObjlistLayers, DeleteLayerWithItemsDeletesBoth) {
  TwoLayerDrawing drawing;
  Objlist& doc = drawing.doc;
  EXPECT_EQ(doc.DeleteLayer("walls", 1), 1);
  EXPECT_EQ(doc.Layer("Walls"), nullptr);
  EXPECT_EQ(DocumentChain(doc), (std::vector<ObjItem*>{drawing.roof}));
  EXPECT_EQ(doc.NoofLayers(), 1);
}

TEST(ObjlistLayers, DeleteLayerKeepsALayerThatStillHoldsItems) {
  TwoLayerDrawing drawing;
  Objlist& doc = drawing.doc;
  EXPECT_EQ(doc.DeleteLayer(drawing.walls, 0), 0);
  EXPECT_EQ(doc.Layer("Walls"), drawing.walls);
  EXPECT_EQ(drawing.wallA->Layer(), drawing.walls);
  doc.Add_Layer("Empty", 0, 7, 0);
  EXPECT_EQ(doc.DeleteLayer("Empty", 0), 1);
  EXPECT_EQ(doc.DeleteLayer("Empty", 0), 0);
  EXPECT_EQ(doc.DeleteLayer(static_cast<LayerBag*>(nullptr), 1), 0);
}

TEST(ObjlistLayers, DeletingTheCurrentLayerLeavesNoCurrentLayer) {
  TwoLayerDrawing drawing;
  Objlist& doc = drawing.doc;
  doc.CurrentLayer(drawing.roofLayer);
  EXPECT_EQ(doc.DeleteLayer(drawing.roofLayer, 1), 1);
  EXPECT_EQ(doc.CurrentLayer(), nullptr);
  // The next entity without a layer name goes to a new layer "0".
  EXPECT_STREQ(doc.Add(new TestCurve)->Layername(), "0");
}

// ---- Selection on the current layer -------------------------------------------------------------

TEST(ObjlistLayers, DeSelectLayerKeepsSelectionOnOtherLayers) {
  TwoLayerDrawing drawing;
  Objlist& doc = drawing.doc;
  for (ObjItem* item : {drawing.wallA, drawing.roof, drawing.wallB}) {
    doc.SelectItemById(item->Obj()->Id(), true);
  }
  doc.CurrentLayer(drawing.walls);
  doc.DeSelectLayer();
  EXPECT_EQ(SelectionChain(doc), (std::vector<ObjItem*>{drawing.roof}));
  EXPECT_EQ(doc.NumSelected(), 1);
  EXPECT_EQ(drawing.wallA->Selected(), 0);
  EXPECT_EQ(doc.RefreshLegend(0), 1);
}

// ---- Eplan layers -------------------------------------------------------------------------------

TEST(ObjlistLayers, ClearEplanRemovesEplanLayersWithTheirItems) {
  const int baseline = TestCurve::Live();
  Objlist doc;
  doc.Add_Layer("Plan", kLayerEplan, 7, 0);
  doc.Add_Layer("Plan2", kLayerEplan | kLayerOff, 7, 0);
  doc.Add(new TestCurve, "Plan");
  ObjItem* kept = doc.Add(new TestCurve, "Walls");
  doc.Add(new TestCurve, "plan2");
  doc.ClearEplan();
  EXPECT_EQ(DocumentChain(doc), (std::vector<ObjItem*>{kept}));
  EXPECT_EQ(doc.Layer("Plan"), nullptr);
  EXPECT_EQ(doc.Layer("Plan2"), nullptr);
  EXPECT_EQ(doc.NoofLayers(), 1);
  EXPECT_EQ(TestCurve::Live(), baseline + 1);
}

// ---- Layers removed behind the document ---------------------------------------------------------

TEST(ObjlistLayers, LayerDeletedFromTheTableReleasesItsEntities) {
  TwoLayerDrawing drawing;
  Objlist& doc = drawing.doc;
  EXPECT_EQ(doc.GetLayerTable()->Delete("Walls"), 1);
  EXPECT_EQ(drawing.wallA->Layer(), nullptr);
  EXPECT_STREQ(drawing.wallA->Layername(), "Walls");
  // The released item can still be removed and deleted without reaching the deleted layer.
  EXPECT_EQ(doc.DeleteItem(drawing.wallA, 0), 1);
  EXPECT_EQ(doc.Noofobjs(), 2);
}
