// The layer table: hashing of names (bytes of 128 and above included), look-up ignoring case,
// bucket order, the current layer, renaming, clearing, merging, copying and saving.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "document/layertable.h"
#include "io/dxfgroup.h"
#include "support/stream_fixture.h"

namespace {

constexpr const char* kGuid = "{6B29FC40-CA47-1067-B31D-00DD010662DA}";

std::vector<std::string> NamesInOrder(const LayerTable& table) {
  std::vector<std::string> names;
  for (int i = 0; const LayerBag* layer = table.GetLayer(i); ++i)
    names.emplace_back(layer->LayerName());
  return names;
}

}  // namespace

// ---- Hashing ------------------------------------------------------------------------------------

TEST(LayerTableHash, SumsUpperCasedCharactersModulo101) {
  EXPECT_EQ(LayerTable::Hash("A"), 65);
  EXPECT_EQ(LayerTable::Hash("a"), 65);
  EXPECT_EQ(LayerTable::Hash("B"), 66);
  EXPECT_EQ(LayerTable::Hash("AB"), (65 + 66) % 101);
  EXPECT_EQ(LayerTable::Hash("walls"), LayerTable::Hash("WALLS"));
  EXPECT_EQ(LayerTable::Hash(""), 0);
  EXPECT_EQ(LayerTable::Hash(nullptr), kNoLayerHash);
}

TEST(LayerTableHash, HighBytesCountAsNegative) {
  // 'D' + 0xC3 + 0xA4 (UTF-8 a-umlaut) as signed bytes: 68 - 61 - 92 = -85.
  EXPECT_EQ(LayerTable::Hash("D\xC3\xA4"), -85);
  // A sum of exactly -101 leaves a remainder of zero: bucket 0.
  EXPECT_EQ(LayerTable::Hash("\x9B"), 0);
  // Enough ASCII turns the sum positive again: 'D' 'a'->'A' ... 68 - 61 - 92 + 67 + 72 + 69 + 82.
  EXPECT_EQ(LayerTable::Hash("D\xC3\xA4"
                             "cher"),
            (68 - 61 - 92 + 'C' + 'H' + 'E' + 'R') % 101);
}

TEST(LayerTableHash, OnlyTheStoredFiftyCharactersCount) {
  const std::string stored(50, 'q');
  EXPECT_EQ(LayerTable::Hash((stored + "zzzz").c_str()), LayerTable::Hash(stored.c_str()));
}

TEST(LayerTable, NameWithNegativeHashCannotBeStored) {
  LayerTable table;
  EXPECT_EQ(table.Add("\xC3\xA4", 0, 7, 0), nullptr);
  auto* layer = new LayerBag("\xC3\xA4");
  EXPECT_EQ(table.Add(layer), nullptr);
  delete layer;
  EXPECT_EQ(table.NoofLayers(), 0);
  EXPECT_EQ(table.Search("\xC3\xA4"), nullptr);
  ASSERT_NE(table.Add("\x9B", 0, 7, 0), nullptr);
  ASSERT_NE(table.Add("D\xC3\xA4"
                      "cher",
                      0, 7, 0),
            nullptr);
  EXPECT_NE(table.Search("d\xC3\xA4"
                         "CHER"),
            nullptr);
  EXPECT_EQ(table.NoofLayers(), 2);
}

// ---- Look-up and adding -------------------------------------------------------------------------

TEST(LayerTable, SearchIgnoresCaseAndAddReturnsTheExistingLayer) {
  LayerTable table;
  LayerBag* walls = table.Add("WALLS", 0, 3, 0);
  ASSERT_NE(walls, nullptr);
  EXPECT_EQ(table.Search("walls"), walls);
  EXPECT_EQ(table.Add("Walls", 0, 9, 0), walls);
  EXPECT_EQ(walls->LayerColour(), 3);
  EXPECT_EQ(table.NoofLayers(), 1);
  EXPECT_EQ(table.Search("wall"), nullptr);
  EXPECT_EQ(table.Search(nullptr), nullptr);
}

TEST(LayerTable, AddOfALayerWithATakenNameLeavesItToTheCaller) {
  LayerTable table;
  LayerBag* first = table.Add("Roof", 0, 1, 0);
  auto* second = new LayerBag("ROOF");
  EXPECT_EQ(table.Add(second), first);
  EXPECT_EQ(table.NoofLayers(), 1);
  delete second;                       // not stored: still the caller's
  EXPECT_EQ(table.Add(first), first);  // already stored
  EXPECT_EQ(table.NoofLayers(), 1);
  EXPECT_EQ(table.Add(static_cast<LayerBag*>(nullptr)), nullptr);
}

TEST(LayerTable, LongNamesFindTheLayerTheyWereStoredAs) {
  LayerTable table;
  const std::string stored(50, 'r');
  LayerBag* layer = table.Add((stored + "-first").c_str(), 0, 7, 0);
  ASSERT_NE(layer, nullptr);
  EXPECT_EQ(std::string(layer->LayerName()), stored);
  EXPECT_EQ(table.Search((stored + "-first").c_str()), layer);
  EXPECT_EQ(table.Add((stored + "-second").c_str(), 0, 7, 0), layer);
  EXPECT_EQ(table.NoofLayers(), 1);
}

TEST(LayerTable, GetLayerWalksBucketsInOrder) {
  LayerTable table;
  table.Add("B", 0, 7, 0);
  table.Add("BA", 0, 7, 0);  // bucket 30, after "AB" would be, but added first
  table.Add("A", 0, 7, 0);
  table.Add("AB", 0, 7, 0);  // bucket 30 too: behind "BA" in that chain
  EXPECT_EQ(NamesInOrder(table), (std::vector<std::string>{"BA", "AB", "A", "B"}));
  EXPECT_EQ(table.GetLayer(4), nullptr);
  EXPECT_EQ(table.GetLayer(-1), nullptr);
}

TEST(LayerTable, SearchByGuidNeedsAValidGuid) {
  LayerTable table;
  LayerBag* layer = table.Add("A", 0, 7, 0);
  layer->Guid(kGuid);
  EXPECT_EQ(table.SearchByGuid(kGuid), layer);
  EXPECT_EQ(table.SearchByGuid(""), nullptr);
  EXPECT_EQ(table.SearchByGuid(nullptr), nullptr);
  EXPECT_EQ(table.SearchByGuid("{6B29FC40-CA47-1067-B31D-00DD010662DB}"), nullptr);
}

// ---- Removing -----------------------------------------------------------------------------------

TEST(LayerTable, RemoveUnlinksFromItsBucketAndClearsCurrent) {
  LayerTable table;
  LayerBag* ba = table.Add("BA", 0, 7, 0);
  LayerBag* ab = table.Add("AB", 0, 7, 0);
  LayerBag* c = table.Add("C", 0, 7, 0);
  table.CurrentLayer(ba);
  EXPECT_EQ(table.Remove(ba), ba);
  EXPECT_EQ(table.CurrentLayer(), nullptr);
  EXPECT_EQ(table.NoofLayers(), 2);
  EXPECT_EQ(table.Search("ba"), nullptr);
  EXPECT_EQ(table.Search("ab"), ab);
  EXPECT_EQ(table.Remove(ba), nullptr);  // no longer in the table
  EXPECT_EQ(table.Add(ba), ba);          // and can come back
  EXPECT_EQ(NamesInOrder(table), (std::vector<std::string>{"AB", "BA", "C"}));
  EXPECT_EQ(table.Remove("c"), c);
  delete c;
}

TEST(LayerTable, DeleteAnswersWhetherTheLayerWasThere) {
  LayerTable table;
  table.Add("A", 0, 7, 0);
  LayerBag stranger("A");
  EXPECT_EQ(table.Delete(&stranger), 0);
  EXPECT_EQ(table.Delete(static_cast<LayerBag*>(nullptr)), 0);
  EXPECT_EQ(table.Delete("missing"), 0);
  EXPECT_EQ(table.Delete("a"), 1);
  EXPECT_EQ(table.NoofLayers(), 0);
}

// ---- Current layer and renaming -----------------------------------------------------------------

TEST(LayerTable, CurrentLayerByMissingNameLeavesCurrentAlone) {
  LayerTable table;
  LayerBag* b = table.Add("B", 0, 7, 0);
  LayerBag* a = table.Add("A", 0, 7, 0);
  EXPECT_EQ(table.CurrentLayer("b"), b);
  EXPECT_EQ(table.CurrentLayer("missing"), a);  // the first in bucket order
  EXPECT_EQ(table.CurrentLayer(), b);
  LayerBag stranger("X");
  EXPECT_EQ(table.CurrentLayer(&stranger), nullptr);
  EXPECT_EQ(table.CurrentLayer(), b);
}

TEST(LayerTable, CurrentLayerSettingsNeedACurrentLayer) {
  LayerTable table;
  EXPECT_EQ(table.LayerColour(4), 0);
  EXPECT_FALSE(table.IsLayerFrozen());
  EXPECT_EQ(table.LayerName(), nullptr);
  EXPECT_TRUE(table.IsLayerOn());
  table.CurrentLayer(table.Add("A", 0, 7, 0));
  EXPECT_EQ(table.LayerColour(4), 4);
  table.FreezeLayer();
  EXPECT_TRUE(table.IsLayerFrozen());
  EXPECT_EQ(table.LayerFlags(0), kLayerFrozen);
  table.ThawLayer();
  EXPECT_EQ(table.LayerFlags(), 0);
}

TEST(LayerTable, RenameRefilesTheCurrentLayer) {
  LayerTable table;
  LayerBag* layer = table.Add("Old", 0, 7, 0);
  table.CurrentLayer(layer);
  EXPECT_STREQ(table.LayerName("New"), "New");
  EXPECT_EQ(table.Search("new"), layer);
  EXPECT_EQ(table.Search("old"), nullptr);
  EXPECT_EQ(table.CurrentLayer(), layer);
  EXPECT_EQ(table.NoofLayers(), 1);
  EXPECT_STREQ(table.LayerName("NEW"), "NEW");  // a change of case only
  EXPECT_EQ(table.Search("new"), layer);
}

TEST(LayerTable, RenameToATakenNameIsRefused) {
  LayerTable table;
  LayerBag* a = table.Add("A", 0, 7, 0);
  LayerBag* b = table.Add("B", 0, 7, 0);
  table.CurrentLayer(a);
  EXPECT_EQ(table.LayerName("b"), nullptr);
  EXPECT_EQ(table.LayerName(nullptr), nullptr);
  EXPECT_EQ(table.LayerName("\xC3\xA4"), nullptr);
  EXPECT_STREQ(a->LayerName(), "A");
  EXPECT_EQ(table.Search("A"), a);
  EXPECT_EQ(table.Search("B"), b);
  EXPECT_EQ(table.CurrentLayer(), a);
  EXPECT_EQ(table.NoofLayers(), 2);
  LayerTable empty;
  EXPECT_EQ(empty.LayerName("X"), nullptr);
}

// ---- Clearing, merging, copying -----------------------------------------------------------------

TEST(LayerTable, ClearWithDeleteEmptiesTheTable) {
  LayerTable table;
  table.CurrentLayer(table.Add("A", 0, 7, 0));
  table.Add("B", 0, 7, 0);
  table.Clear(1);
  EXPECT_EQ(table.NoofLayers(), 0);
  EXPECT_EQ(table.CurrentLayer(), nullptr);
  EXPECT_EQ(table.GetLayer(0), nullptr);
  EXPECT_NE(table.Add("A", 0, 7, 0), nullptr);  // usable again
}

TEST(LayerTable, ClearEplanLayersDeletesOnlyThem) {
  LayerTable table;
  table.Add("Plan1", kLayerEplan, 7, 0);
  LayerBag* keep = table.Add("Keep", 0, 7, 0);
  table.Add("Plan2", kLayerEplan | kLayerOff, 7, 0);
  EXPECT_EQ(table.ClearEplanLayers(), 2);
  EXPECT_EQ(table.NoofLayers(), 1);
  EXPECT_EQ(table.GetLayer(0), keep);
}

TEST(LayerTable, MergeAddsCopiesOfMissingLayers) {
  LayerTable table;
  LayerBag* mine = table.Add("Roof", 0, 1, 0);
  LayerTable other;
  other.Add("ROOF", 0, 2, 0);
  LayerBag* theirs = other.Add("Walls", kLayerFrozen, 3, 1);
  EXPECT_EQ(table.Merge(&other), 1);
  EXPECT_EQ(table.Search("roof"), mine);
  EXPECT_EQ(mine->LayerColour(), 1);
  LayerBag* copy = table.Search("walls");
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, theirs);
  EXPECT_EQ(copy->LayerFlags(), kLayerFrozen);
  EXPECT_EQ(table.Merge(nullptr), 0);
  EXPECT_EQ(table.Merge(&table), 0);
}

TEST(LayerTable, CopyConstructionCopiesLayersAndCurrent) {
  LayerTable source;
  source.Add("A", 0, 1, 0);
  source.CurrentLayer(source.Add("B", 0, 2, 0));
  const LayerTable copy(source);
  EXPECT_EQ(copy.NoofLayers(), 2);
  ASSERT_NE(copy.CurrentLayer(), nullptr);
  EXPECT_STREQ(copy.CurrentLayer()->LayerName(), "B");
  EXPECT_NE(copy.CurrentLayer(), source.CurrentLayer());
  EXPECT_EQ(copy.Search("a")->LayerColour(), 1);
}

// ---- Saving -------------------------------------------------------------------------------------

TEST(LayerTable, SaveWritesNothingForOnlyEplanLayers) {
  LayerTable table;
  table.Add("Plan", kLayerEplan, 7, 0);
  const std::string bytes = WrittenBytes(true, [&](DXFGroup& s) { EXPECT_EQ(table.Save(&s), 0); });
  EXPECT_TRUE(bytes.empty());
}

TEST(LayerTable, SaveWritesLayersInBucketOrderSkippingEplan) {
  LayerTable table;
  table.Add("B", 0, 7, 0);
  table.Add("Plan", kLayerEplan, 7, 0);
  table.Add("A", 0, 7, 0);
  const std::string bytes = WrittenBytes(false, [&](DXFGroup& s) { table.Save(&s); });
  StreamOver in(bytes, false);
  std::vector<std::string> names;
  while (in.stream.GetGroup() == kDxfOk) {
    if (in.stream.Code() == 2) names.emplace_back(in.stream.StringValue());
  }
  EXPECT_EQ(names, (std::vector<std::string>{"A", "B"}));
}

TEST(LayerTable, SaveReportsTheWriteFailure) {
  LayerTable table;
  table.Add("A", 0, 7, 0);
  table.Add("B", 0, 7, 0);
  // A stream on a file that only reads: the first group write fails.
  char storage[16] = {};
  FILE* readOnly = fmemopen(storage, sizeof storage, "r");
  ASSERT_NE(readOnly, nullptr);
  DXFGroup stream(readOnly, true);
  EXPECT_EQ(table.Save(&stream), kDxfEnd);
  std::fclose(readOnly);
  EXPECT_EQ(table.Save(nullptr), 0);
}
