// A layer's settings, flags and GUID, its record in the group-code stream, and the chain of the
// items that lie on it.

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "document/layerbag.h"
#include "document/objitem.h"
#include "io/dxfgroup.h"
#include "render/colours.h"
#include "support/document_builder.h"
#include "support/entity_builders.h"
#include "support/stream_fixture.h"
#include "support/test_curve.h"

constexpr int kAllFlags = kLayerOff | kLayerFrozen | kLayerEplan;

// Four items whose entities lie on layer "A", none chained yet. The chains are forgotten before
// the items go, so no layer walks a destroyed item.
struct LayerChainTest : ::testing::Test {
  ~LayerChainTest() override {
    layer.Clear();
    other.Clear();
  }
  LayerBag layer{"A"}, other{"B"};
  ObjItem a{new TestCurve(1), &layer}, b{new TestCurve(2), &layer};
  ObjItem c{new TestCurve(3), &layer}, d{new TestCurve(4), &layer};
};

TEST(LayerItem, FlagOperationsSetAndClearOnlyTheirBits) {
  LayerItem layer("A", kAllFlags);
  EXPECT_TRUE(!layer.IsLayerVisible() && layer.IsLayerFrozen() && layer.IsEplanLayer());
  EXPECT_EQ(layer.LayerFlags(0), kAllFlags);  // the setter is inert
  EXPECT_EQ(layer.ThawLayer(), 0);
  EXPECT_TRUE(layer.IsLayerVisible() && !layer.IsLayerFrozen() && !layer.IsEplanLayer());
  EXPECT_EQ(layer.FreezeLayer(), kLayerFrozen);
  EXPECT_EQ(layer.SetEplanLayer(), kLayerFrozen | kLayerEplan);
  EXPECT_EQ(layer.ShowLayer(false), kAllFlags);
  EXPECT_EQ(layer.ShowLayer(true), kLayerFrozen | kLayerEplan);
}

TEST(LayerItem, StoresOnlyAValidGuidAndCopiesTakeEverySetting) {
  EXPECT_EQ(LayerItem(std::string(60, 'x').c_str()).LayerName(), std::string(50, 'x'));
  LayerItem source("Walls", kLayerFrozen, 4, 2);
  EXPECT_STREQ(source.Guid(kSampleGuid), kSampleGuid);
  source.Spare(9);
  LayerItem assigned("Other");
  assigned = source;
  EXPECT_EQ(LayerSettings(LayerItem(&source)), LayerSettings(source));
  EXPECT_EQ(LayerSettings(assigned), LayerSettings(source));
  EXPECT_EQ(LayerSettings(source),
            std::make_tuple(std::string("Walls"), kLayerFrozen, 4, 2, 9, std::string(kSampleGuid)));
  EXPECT_STREQ(source.Guid(kPlaceholderGuid), "");  // an invalid GUID empties the field
  EXPECT_STREQ(assigned.Guid(nullptr), "");
  EXPECT_STREQ(LayerItem(static_cast<const LayerItem*>(nullptr)).LayerName(), "");
}

// ---- The item chain -----------------------------------------------------------------------------

TEST_F(LayerChainTest, AddAppendsOnlyFreeItemsAndRemoveUnlinksAnyPlace) {
  EXPECT_TRUE(layer.Add(nullptr) == nullptr && other.Remove(nullptr) == nullptr);
  EXPECT_EQ(layer.Add(&a), a.Obj());
  EXPECT_EQ(layer.Add(&a), nullptr);  // the only item has no links, but is the head
  for (ObjItem* item : {&b, &c, &d})
    EXPECT_EQ(layer.Add(item), item->Obj());
  // Chained items are refused by any layer: head, middle and tail.
  for (ObjItem* item : {&a, &b, &d})
    EXPECT_TRUE(layer.Add(item) == nullptr && other.Add(item) == nullptr) << ValueOf(item->Obj());
  // The ends of a foreign chain are refused.
  EXPECT_TRUE(other.Remove(&a) == nullptr && other.Remove(&d) == nullptr);
  EXPECT_TRUE(LayerChain(&other).empty());
  EXPECT_EQ(LayerChain(&layer), (Items{&a, &b, &c, &d}));
  for (ObjItem* item : {&b, &a, &d}) {  // middle, head, tail; the entity leaves the layer too
    EXPECT_EQ(layer.Remove(item), item);
    EXPECT_TRUE(!item->LPrev() && !item->LNext() && !item->Layer() && !item->Layername());
  }
  EXPECT_EQ(LayerChain(&layer), Items{&c});
  EXPECT_EQ(layer.Remove(&b), nullptr);  // gone already
  c.Layer(&other);                       // an entity linked to another layer keeps that link
  EXPECT_EQ(layer.Remove(&c), &c);
  EXPECT_TRUE(c.Layer() == &other && LayerChain(&layer).empty());
}

TEST_F(LayerChainTest, ClearAndCopiesLeaveTheItemsAloneAndDestructionReleasesThem) {
  layer.Add(&a);
  other.Add(&b);
  const LayerBag copy(&layer);
  other = layer;  // the settings only
  EXPECT_EQ(std::string(copy.LayerName()) + other.LayerName(), "AA");
  EXPECT_TRUE(LayerChain(&copy).empty());
  EXPECT_EQ(LayerChain(&other), Items{&b});
  layer.Clear();
  EXPECT_TRUE(LayerChain(&layer).empty() && a.Layer() == &layer);
  auto* walls = new LayerBag("Walls");
  for (ObjItem* item : {&c, &d}) {
    item->Layer(walls);
    walls->Add(item);
  }
  delete walls;  // no entity may be left pointing at it
  EXPECT_TRUE(!c.Layer() && !d.Layer() && !c.LNext() && !d.LPrev());
  EXPECT_STREQ(d.Layername(), "Walls");
}

// ---- Records ------------------------------------------------------------------------------------

TEST(LayerItem, SaveWritesTheRecordConvertingTheNameOnlyInDxfNameMode) {
  const std::string flagsAndStyle = " 70\n     2\n  6\n" + std::string(GetStyleName(1)) + "\n";
  // Mode, colour, the record expected: an unset colour (0 or -1) is left out.
  const std::tuple<int, int, std::string> cases[] = {
      {0, 5, "my layer.1\n" + flagsAndStyle + " 62\n     5\n"},
      {kLayerDxfNameMode, 0, "MY_LAYER_1\n" + flagsAndStyle},
      {0, -1, "my layer.1\n" + flagsAndStyle},
  };
  for (const auto& [mode, colour, record] : cases) {
    LayerItem layer("my layer.1", kLayerFrozen, colour, 1);
    const std::string bytes = WrittenBytes(false, [&](DXFGroup& s) {
      s.Mode(mode);
      EXPECT_EQ(layer.Save(&s), kDxfOk);
    });
    EXPECT_EQ(bytes, "  0\nLAYER\n  2\n" + record) << "mode " << mode << ", colour " << colour;
    EXPECT_STREQ(layer.LayerName(), "my layer.1");
  }
  EXPECT_EQ(LayerItem().Save(nullptr), 0);
}

TEST(LayerItem, AddTokenReadsASavedRecordUpToTheNextKeyword) {
  LayerItem source("Eaves", kLayerOff, 12, 3);
  const std::string saved = WrittenBytes(false, [&](DXFGroup& s) { source.Save(&s); });
  StreamOver in(saved + "  5\n1A\n  0\nENDTAB\n", false);  // with a group the reader passes over
  ASSERT_EQ(in.stream.GetGroup(), kDxfOk);                 // the keyword that opens the record
  LayerItem read;
  EXPECT_EQ(read.AddToken(&in.stream), 1);
  EXPECT_EQ(LayerSettings(read), LayerSettings(source));
  // The keyword that ended the record comes again.
  EXPECT_TRUE(in.stream.GetGroup() == kDxfOk && in.stream.Code() == kDxfEndtab);
  StreamOver cut("  2\nCut\n 62\n", false);
  EXPECT_EQ(read.AddToken(&cut.stream), kDxfLineEof);
  EXPECT_STREQ(read.LayerName(), "Cut");  // what was read before the failure stays
  EXPECT_EQ(read.AddToken(nullptr), 0);
}
