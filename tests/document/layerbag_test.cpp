// A layer's settings, flags and GUID, its record in the group-code stream, and the chain of the
// items that lie on it.

#include <gtest/gtest.h>

#include <string>

#include "document/layerbag.h"
#include "document/objitem.h"
#include "io/dxfgroup.h"
#include "render/colours.h"
#include "support/document_builder.h"
#include "support/stream_fixture.h"
#include "support/test_curve.h"

namespace {

constexpr const char* kGuid = "{6B29FC40-CA47-1067-B31D-00DD010662DA}";

// Every group of a written record, read back as (code, text or integer) lines.
std::string ReadBack(const std::string& bytes, bool binary) {
  StreamOver in(bytes, binary);
  std::string groups;
  while (in.stream.GetGroup() == kDxfOk) {
    const short code = in.stream.Code();
    groups += std::to_string(code) + "=";
    if (code == 62 || code == 70) {
      groups += std::to_string(in.stream.IntValue());
    } else {
      groups += in.stream.StringValue();
    }
    groups += ";";
  }
  return groups;
}

}  // namespace

// ---- Settings and flags -------------------------------------------------------------------------

TEST(LayerItem, ConstructorCutsNameToFiftyCharacters) {
  const std::string longName(60, 'x');
  const LayerItem layer(longName.c_str(), 2, 5, 3);
  EXPECT_EQ(std::string(layer.LayerName()), std::string(50, 'x'));
  EXPECT_EQ(layer.LayerFlags(), 2);
  EXPECT_EQ(layer.LayerColour(), 5);
  EXPECT_EQ(layer.LayerStyle(), 3);
  EXPECT_STREQ(layer.Guid(), "");
  EXPECT_STREQ(LayerItem().LayerName(), "");
}

TEST(LayerItem, FlagOperationsSetAndClearTheirBits) {
  LayerItem layer("A");
  EXPECT_TRUE(layer.IsLayerVisible());
  layer.ShowLayer(false);
  EXPECT_FALSE(layer.IsLayerVisible());
  layer.FreezeLayer();
  layer.SetEplanLayer();
  EXPECT_EQ(layer.LayerFlags(), kLayerOff | kLayerFrozen | kLayerEplan);
  layer.ShowLayer(true);
  EXPECT_TRUE(layer.IsLayerVisible());
  EXPECT_TRUE(layer.IsLayerFrozen());
  EXPECT_TRUE(layer.IsEplanLayer());
}

TEST(LayerItem, ThawMakesHiddenFrozenEplanLayerPlain) {
  LayerItem layer("A", kLayerOff | kLayerFrozen | kLayerEplan);
  layer.ThawLayer();
  EXPECT_TRUE(layer.IsLayerVisible());
  EXPECT_FALSE(layer.IsLayerFrozen());
  EXPECT_FALSE(layer.IsEplanLayer());
}

TEST(LayerItem, LayerFlagsSetterChangesNothing) {
  LayerItem layer("A", kLayerFrozen);
  EXPECT_EQ(layer.LayerFlags(6), kLayerFrozen);
  EXPECT_EQ(layer.LayerFlags(), kLayerFrozen);
}

TEST(LayerItem, GuidIsStoredOnlyWhenValid) {
  LayerItem layer("A");
  EXPECT_STREQ(layer.Guid(kGuid), kGuid);
  EXPECT_STREQ(layer.Guid("{00000000-0000-0000-0000-000000000000}"), "");
  layer.Guid(kGuid);
  EXPECT_STREQ(layer.Guid(nullptr), "");
}

TEST(LayerItem, CopyTakesSettingsAndOnlyAValidGuid) {
  LayerItem source("Walls", kLayerFrozen, 4, 2);
  source.Spare(9);
  source.Guid(kGuid);
  const LayerItem copy(&source);
  EXPECT_STREQ(copy.LayerName(), "Walls");
  EXPECT_EQ(copy.LayerFlags(), kLayerFrozen);
  EXPECT_EQ(copy.LayerColour(), 4);
  EXPECT_EQ(copy.LayerStyle(), 2);
  EXPECT_EQ(copy.Spare(), 9);
  EXPECT_STREQ(copy.Guid(), kGuid);
  const LayerItem fromNull(static_cast<const LayerItem*>(nullptr));
  EXPECT_STREQ(fromNull.LayerName(), "");
}

// ---- The item chain -----------------------------------------------------------------------------

TEST(LayerBag, AddAppendsAndReturnsTheEntity) {
  LayerBag layer("A");
  TestCurve* first = new TestCurve(1);
  TestCurve* second = new TestCurve(2);
  ObjItem a(first, &layer);
  ObjItem b(second, &layer);
  EXPECT_EQ(layer.Add(&a), first);
  EXPECT_EQ(layer.Add(&b), second);
  EXPECT_EQ(LayerChain(&layer), (std::vector<ObjItem*>{&a, &b}));
  EXPECT_EQ(LayerChainBackwards(&layer), LayerChain(&layer));
  EXPECT_EQ(first->Layer(), &layer);
  layer.Remove(&a);
  layer.Remove(&b);
}

TEST(LayerBag, AddRefusesNullAndLinkedItems) {
  LayerBag layer("A");
  LayerBag other("B");
  ObjItem a(new TestCurve(1), &layer);
  ObjItem b(new TestCurve(2), &layer);
  EXPECT_EQ(layer.Add(nullptr), nullptr);
  layer.Add(&a);
  EXPECT_EQ(layer.Add(&a), nullptr);  // the single item is the head
  layer.Add(&b);
  EXPECT_EQ(other.Add(&b), nullptr);  // linked into layer's chain
  EXPECT_EQ(other.Head(), nullptr);
  EXPECT_EQ(LayerChain(&layer), (std::vector<ObjItem*>{&a, &b}));
  layer.Remove(&a);
  layer.Remove(&b);
}

TEST(LayerBag, RemoveUnlinksHeadMiddleAndTail) {
  LayerBag layer("A");
  ObjItem a(new TestCurve(1), &layer);
  ObjItem b(new TestCurve(2), &layer);
  ObjItem c(new TestCurve(3), &layer);
  ObjItem d(new TestCurve(4), &layer);
  for (ObjItem* item : {&a, &b, &c, &d})
    layer.Add(item);

  EXPECT_EQ(layer.Remove(&b), &b);
  EXPECT_EQ(LayerChain(&layer), (std::vector<ObjItem*>{&a, &c, &d}));
  EXPECT_EQ(layer.Remove(&a), &a);
  EXPECT_EQ(layer.Remove(&d), &d);
  EXPECT_EQ(LayerChain(&layer), (std::vector<ObjItem*>{&c}));
  EXPECT_EQ(LayerChainBackwards(&layer), LayerChain(&layer));
  for (ObjItem* item : {&a, &b, &d}) {
    EXPECT_EQ(item->LPrev(), nullptr);
    EXPECT_EQ(item->LNext(), nullptr);
    EXPECT_EQ(item->Layer(), nullptr);  // the entity left the layer too
    EXPECT_EQ(item->Layername(), nullptr);
  }
  EXPECT_EQ(layer.Remove(&c), &c);
  EXPECT_EQ(layer.Head(), nullptr);
  EXPECT_EQ(layer.Tail(), nullptr);
}

TEST(LayerBag, RemoveRefusesItemsOfOtherChains) {
  LayerBag layer("A");
  LayerBag other("B");
  ObjItem a(new TestCurve(1), &layer);
  ObjItem b(new TestCurve(2), &other);
  layer.Add(&a);
  other.Add(&b);
  EXPECT_EQ(layer.Remove(&b), nullptr);
  EXPECT_EQ(layer.Remove(nullptr), nullptr);
  EXPECT_EQ(LayerChain(&other), (std::vector<ObjItem*>{&b}));
  EXPECT_EQ(b.Layer(), &other);
  layer.Remove(&a);
  other.Remove(&b);
}

TEST(LayerBag, ClearForgetsTheChainOnly) {
  LayerBag layer("A");
  ObjItem a(new TestCurve(1), &layer);
  layer.Add(&a);
  layer.Clear();
  EXPECT_EQ(layer.Head(), nullptr);
  EXPECT_EQ(layer.Tail(), nullptr);
  EXPECT_EQ(a.Layer(), &layer);  // the item and its entity are untouched
  a.Layer(nullptr);
}

TEST(LayerBag, DestroyedLayerReleasesItsItems) {
  TestCurve* curve = new TestCurve(1);
  ObjItem a(curve);
  ObjItem b(new TestCurve(2));
  {
    LayerBag layer("Walls");
    a.Layer(&layer);
    b.Layer(&layer);
    layer.Add(&a);
    layer.Add(&b);
  }
  EXPECT_EQ(curve->Layer(), nullptr);
  EXPECT_STREQ(curve->Layername(), "Walls");
  EXPECT_EQ(a.LNext(), nullptr);
  EXPECT_EQ(b.LPrev(), nullptr);
}

TEST(LayerBag, CopyAndAssignmentKeepTheirOwnChain) {
  LayerBag source("Walls", 0, 3, 1);
  ObjItem a(new TestCurve(1), &source);
  source.Add(&a);
  const LayerBag copy(&source);
  EXPECT_STREQ(copy.LayerName(), "Walls");
  EXPECT_EQ(copy.Head(), nullptr);

  LayerBag target("Other");
  ObjItem b(new TestCurve(2), &target);
  target.Add(&b);
  target = source;
  EXPECT_STREQ(target.LayerName(), "Walls");
  EXPECT_EQ(target.LayerColour(), 3);
  EXPECT_EQ(LayerChain(&target), (std::vector<ObjItem*>{&b}));
  source.Remove(&a);
  target.Remove(&b);
}

// ---- Records ------------------------------------------------------------------------------------

TEST(LayerItem, AddTokenReadsRecordAndStopsAtKeyword) {
  const std::string text =
      "  2\nWalls\n  6\nDOT\n 62\n     5\n 70\n     3\n  5\n1A\n  0\nLAYER\n  2\nNext\n";
  StreamOver in(text, false);
  LayerItem layer;
  EXPECT_EQ(layer.AddToken(&in.stream), 1);
  EXPECT_STREQ(layer.LayerName(), "Walls");
  EXPECT_EQ(layer.LayerStyle(), 2);  // "DOT"
  EXPECT_EQ(layer.LayerColour(), 5);
  EXPECT_EQ(layer.LayerFlags(), 3);
  // The keyword that ended the record is delivered again.
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.Code(), kDxfLayer);
}

TEST(LayerItem, AddTokenReportsAStreamFailure) {
  StreamOver in("  2\nWalls\n 62\n", false);
  LayerItem layer;
  const int result = layer.AddToken(&in.stream);
  EXPECT_NE(result, 1);
  EXPECT_NE(result, kDxfOk);
  EXPECT_STREQ(layer.LayerName(), "Walls");
  EXPECT_EQ(layer.AddToken(nullptr), 0);
}

TEST(LayerItem, SaveWritesRecordAndLeavesOutUnsetColour) {
  LayerItem coloured("Walls", kLayerFrozen, 5, 1);
  const std::string withColour =
      WrittenBytes(true, [&](DXFGroup& s) { EXPECT_EQ(coloured.Save(&s), kDxfOk); });
  EXPECT_EQ(ReadBack(withColour, true),
            std::to_string(kDxfLayer) + "=LAYER;2=Walls;70=2;6=" + GetStyleName(1) + ";62=5;");
  for (const int unset : {0, -1}) {
    LayerItem plain("Walls", 0, unset, 0);
    const std::string bytes = WrittenBytes(true, [&](DXFGroup& s) { plain.Save(&s); });
    EXPECT_EQ(ReadBack(bytes, true).find("62="), std::string::npos) << "colour " << unset;
  }
}

TEST(LayerItem, SaveConvertsTheNameOnlyInDxfNameMode) {
  LayerItem layer("my layer.1", 0, 7, 0);
  const std::string converted = WrittenBytes(false, [&](DXFGroup& s) {
    s.Mode(kLayerDxfNameMode);
    layer.Save(&s);
  });
  EXPECT_NE(ReadBack(converted, false).find("2=MY_LAYER_1;"), std::string::npos);
  const std::string asIs = WrittenBytes(false, [&](DXFGroup& s) { layer.Save(&s); });
  EXPECT_NE(ReadBack(asIs, false).find("2=my layer.1;"), std::string::npos);
  EXPECT_STREQ(layer.LayerName(), "my layer.1");
}

TEST(LayerItem, SaveThenAddTokenRoundTrips) {
  LayerItem source("Eaves", kLayerOff, 12, 3);
  const std::string bytes = WrittenBytes(true, [&](DXFGroup& s) { source.Save(&s); });
  StreamOver in(bytes + std::string("\0", 1) + "ENDTAB" + std::string("\0", 1), true);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  ASSERT_EQ(in.stream.Code(), kDxfLayer);
  LayerItem read;
  EXPECT_EQ(read.AddToken(&in.stream), 1);
  EXPECT_STREQ(read.LayerName(), "Eaves");
  EXPECT_EQ(read.LayerFlags(), kLayerOff);
  EXPECT_EQ(read.LayerColour(), 12);
  EXPECT_EQ(read.LayerStyle(), 3);
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
  EXPECT_EQ(in.stream.Code(), kDxfEndtab);
}
