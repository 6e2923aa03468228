// The document's layer operations: the current layer, renaming, the layer of the selection,
// moving items between layers, deleting by layer, deleting layers and clearing Eplan layers.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "document/objlist.h"
#include "support/document_builder.h"
#include "support/test_curve.h"

TEST(ObjlistLayers, CurrentLayerAndRenamingWhichReachesEveryEntityOnTheLayer) {
  TwoLayerDrawing d;
  LayerBag stranger("X");
  EXPECT_EQ(d.doc.CurrentLayer("roof"), d.roofLayer);
  EXPECT_TRUE(d.doc.CurrentLayer("missing") == nullptr && d.doc.CurrentLayer(&stranger) == nullptr);
  EXPECT_EQ(d.doc.CurrentLayer(d.walls), d.walls);
  d.doc.SetDirty(0);
  // Another layer's name is refused, and nothing changes.
  EXPECT_TRUE(d.doc.LayerName("ROOF") == nullptr && d.doc.IsDirty() == 0);
  EXPECT_STREQ(d.doc.LayerName("Outer Walls"), "Outer Walls");
  EXPECT_TRUE(d.doc.Layer("outer walls") == d.walls && d.doc.Layer("Roof") == d.roofLayer);
  // The name stored on each entity follows, not only the one read through its layer.
  for (const ObjItem* item : {d.wallA, d.wallB})
    EXPECT_STREQ(item->Obj()->StoredLayername(), "Outer Walls");
  EXPECT_STREQ(d.roof->Obj()->StoredLayername(), "Roof");
  EXPECT_EQ(std::make_pair(d.doc.NoofLayers(), d.doc.IsDirty()), std::make_pair(2, 1));
}

TEST(ObjlistLayers, ObjLayerGivesTheLayerSharedByTheWholeSelection) {
  TwoLayerDrawing d;
  char buffer[kObjLayerBufferSize] = "stale";
  EXPECT_STREQ(d.doc.ObjLayer(buffer), "");  // nothing selected
  d.wallB->Layer(nullptr);                   // named, differing in case only, without the link
  d.wallB->Layername("WALLS");
  d.Select({d.wallA, d.wallB});
  EXPECT_STREQ(d.doc.ObjLayer(buffer), "Walls");
  d.Select({d.roof});
  std::memset(buffer, 'x', sizeof buffer);
  d.doc.ObjLayer(buffer);
  EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(sizeof buffer, '\0'));
  EXPECT_EQ(d.doc.ObjLayer(nullptr), nullptr);
}

TEST(ObjlistLayers, SetObjLayerMovesTheSelectedItemsToAnExistingLayer) {
  TwoLayerDrawing d;
  d.Select({d.wallA, d.roof});
  d.doc.SetDirty(0);
  EXPECT_TRUE(d.doc.SetObjLayer("Nowhere") == nullptr && d.doc.SetObjLayer(nullptr) == nullptr);
  EXPECT_TRUE(d.doc.Layer("Nowhere") == nullptr && d.doc.IsDirty() == 0);
  EXPECT_EQ(d.doc.SetObjLayer("ROOF"), d.roofLayer);
  EXPECT_EQ(LayerChain(d.walls), Items{d.wallB});
  EXPECT_EQ(LayerChain(d.roofLayer), (Items{d.roof, d.wallA}));
  EXPECT_TRUE(d.wallA->Layer() == d.roofLayer && d.doc.IsDirty() == 1);
  EXPECT_STREQ(d.wallA->Obj()->StoredLayername(), "Roof");
  EXPECT_EQ(DocumentChain(d.doc), (Items{d.wallA, d.roof, d.wallB}));  // keeps its order
  d.doc.DeleteItem(d.wallA, 0);  // the moved item leaves its new layer
  EXPECT_EQ(LayerChain(d.roofLayer), Items{d.roof});
  EXPECT_EQ(SelectionChain(d.doc), Items{d.roof});
}

TEST(ObjlistLayers, DeleteByLayerKeepsTheLayerAndDeleteLayerOnlyAnEmptyOne) {
  TwoLayerDrawing d;
  d.Select({d.roof});
  EXPECT_EQ(d.doc.DeleteByLayer("WALLS"), 1);
  EXPECT_EQ(DocumentChain(d.doc), Items{d.roof});
  EXPECT_TRUE(d.doc.Layer("walls") == d.walls && LayerChain(d.walls).empty());
  // Everything is deselected first; an unknown layer gives 0.
  EXPECT_TRUE(SelectionChain(d.doc).empty() && d.doc.DeleteByLayer("Nowhere") == 0);
  // Deleting a layer that still holds items would leave them on no layer.
  EXPECT_TRUE(d.doc.DeleteLayer(d.roofLayer, 0) == 0 && d.roof->Layer() == d.roofLayer);
  d.doc.CurrentLayer(d.roofLayer);
  EXPECT_EQ(d.doc.DeleteLayer("roof", 1), 1);
  EXPECT_TRUE(DocumentChain(d.doc).empty());
  EXPECT_TRUE(d.doc.Layer("Roof") == nullptr && d.doc.CurrentLayer() == nullptr);
  EXPECT_EQ(d.doc.DeleteLayer("Walls", 0), 1);
  EXPECT_EQ(d.doc.DeleteLayer("Walls", 0) + d.doc.DeleteLayer(static_cast<LayerBag*>(nullptr), 1),
            0);
  EXPECT_STREQ(d.doc.Add(new TestCurve)->Layername(), "0");  // no current layer: a new "0"
}

TEST(ObjlistLayers, DeSelectLayerKeepsTheSelectionOnOtherLayers) {
  TwoLayerDrawing d;
  d.Select({d.wallA, d.roof, d.wallB});
  d.doc.CurrentLayer(d.walls);
  d.doc.DeSelectLayer();
  EXPECT_EQ(SelectionChain(d.doc), Items{d.roof});
  EXPECT_EQ(d.wallA->Selected(), 0);
  EXPECT_NEAR(d.doc.GetSelectionBox()->Maxpt()->x, 0.0, 1e-12);  // rebuilt around the roof line
  EXPECT_EQ(d.doc.RefreshLegend(0), 1);
  EXPECT_EQ(d.doc.RefreshLegend(1) + d.doc.RefreshLegend(0), 0);
}

TEST(ObjlistLayers, ClearEplanRemovesEplanLayersWithTheirItems) {
  Objlist doc;
  doc.Add_Layer("Plan", kLayerEplan, 7, 0);
  doc.Add_Layer("Plan2", kLayerEplan | kLayerOff, 7, 0);
  doc.Add(new TestCurve, "Plan");
  ObjItem* kept = doc.Add(new TestCurve, "Walls");
  doc.Add(new TestCurve, "plan2");
  doc.ClearEplan();
  EXPECT_EQ(DocumentChain(doc), Items{kept});
  EXPECT_EQ(LayerNames(*doc.GetLayerTable()), std::vector<std::string>{"Walls"});
}

TEST(ObjlistLayers, LayerDeletedFromTheTableReleasesItsEntities) {
  TwoLayerDrawing d;
  EXPECT_EQ(d.doc.GetLayerTable()->Delete("Walls"), 1);
  EXPECT_EQ(d.wallA->Layer(), nullptr);
  EXPECT_STREQ(d.wallA->Layername(), "Walls");
  EXPECT_EQ(d.doc.DeleteItem(d.wallA, 0), 1);  // without reaching the deleted layer
  EXPECT_EQ(DocumentChain(d.doc), (Items{d.roof, d.wallB}));
}
