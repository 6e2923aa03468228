// The layer table: hashing of names (bytes of 128 and above included), look-up ignoring case,
// bucket order, the current layer, renaming, clearing, merging, copying and saving.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "document/layeritem.h"
#include "document/layertable.h"
#include "io/dxfgroup.h"
#include "support/document_builder.h"
#include "support/entity_builders.h"
#include "support/stream_fixture.h"

namespace {

using Names = std::vector<std::string>;

// A name with high bytes whose sum is positive again: 68 - 61 - 92 + 'C' 'H' 'E' 'R' = 205.
const std::string kUmlautName = std::string("D\xC3\xA4") + "cher";

// What Save writes to a text stream; the save itself must succeed.
std::string SavedText(auto& saver) {
  return WrittenBytes(false, [&](DXFGroup& s) { EXPECT_EQ(saver.Save(&s), kDxfOk); });
}

}  // namespace

// Only the stored 50 characters count (50 'Q' = 4050); high bytes count as negative ("D" and
// a-umlaut: 68 - 61 - 92); a sum of -101 leaves no remainder.
TEST(LayerTableHash, SumsTheStoredNameUpperCasedAsSignedBytesModulo101) {
  const std::pair<std::string, int> cases[] = {
      {"A", 65},   {"a", 65},        {"AB", 30},
      {"", 0},     {"walls", 84},    {"D\xC3\xA4", -85},
      {"\x9B", 0}, {kUmlautName, 3}, {std::string(50, 'q') + "zz", 10}};
  for (const auto& [name, hash] : cases)
    EXPECT_EQ(LayerTable::Hash(name.c_str()), hash) << name;
  EXPECT_EQ(LayerTable::Hash(nullptr), kNoLayerHash);
}

TEST(LayerTable, AddKeepsOneLayerPerStorableNameIgnoringCase) {
  LayerTable table;
  LayerBag* walls = table.Add("WALLS", 0, 3, 0);
  ASSERT_NE(walls, nullptr);
  EXPECT_TRUE(table.Add("Walls", 0, 9, 0) == walls && walls->LayerColour() == 3);
  LayerBag taken("wALLS");
  EXPECT_EQ(table.Add(&taken), walls);  // not stored: still the caller's
  EXPECT_EQ(table.Add(walls), walls);   // already stored
  EXPECT_TRUE(table.Search("wall") == nullptr && table.Search(nullptr) == nullptr &&
              table.Add(static_cast<LayerBag*>(nullptr)) == nullptr);
  // A long name is stored cut to 50 characters, and every look-up cuts the same way.
  const std::string fifty(50, 'r');
  LayerBag* cut = table.Add((fifty + "-first").c_str(), 0, 7, 0);
  EXPECT_EQ(table.Search((fifty + "-x").c_str()), cut);
  EXPECT_EQ(table.Add((fifty + "-second").c_str(), 0, 7, 0), cut);
  // A negative hash has no bucket; high bytes in a name with a bucket (0 included) are fine.
  LayerBag refused("\xC3\xA4");
  EXPECT_TRUE(table.Add("\xC3\xA4", 0, 7, 0) == nullptr && table.Add(&refused) == nullptr);
  for (const std::string& high : {std::string("\x9B"), kUmlautName})
    EXPECT_NE(table.Add(high.c_str(), 0, 7, 0), nullptr) << high;
  EXPECT_NE(table.Search((std::string("d\xC3\xA4") + "CHER").c_str()), nullptr);
  EXPECT_EQ(LayerNames(table), (Names{"\x9B", kUmlautName, fifty, "WALLS"}));
  // The GUID look-up needs the exact, valid GUID.
  walls->Guid(kSampleGuid);
  const std::string nearMiss = std::string(kSampleGuid, 36) + "E}";  // one digit off
  EXPECT_EQ(table.SearchByGuid(kSampleGuid), walls);
  for (const char* guid : {"", static_cast<const char*>(nullptr), nearMiss.c_str()})
    EXPECT_EQ(table.SearchByGuid(guid), nullptr);
}

TEST(LayerTable, RemoveAndDeleteUnlinkFromTheBucketsInOrder) {
  LayerTable table;
  for (const char* name : {"B", "BA", "A", "AB"})
    table.Add(name, 0, 7, 0);
  // "BA" and "AB" share bucket 30 in the order added; "A" is 65 and "B" 66.
  EXPECT_EQ(LayerNames(table), (Names{"BA", "AB", "A", "B"}));
  EXPECT_TRUE(table.GetLayer(4) == nullptr && table.GetLayer(-1) == nullptr);
  LayerBag* ba = table.CurrentLayer(table.Search("BA"));
  EXPECT_EQ(table.Remove(ba), ba);
  EXPECT_TRUE(table.CurrentLayer() == nullptr && table.Search("ba") == nullptr);
  EXPECT_EQ(table.Remove(ba), nullptr);  // no longer in the table
  EXPECT_EQ(table.Add(ba), ba);          // and can come back, at the end of its bucket
  EXPECT_EQ(LayerNames(table), (Names{"AB", "BA", "A", "B"}));
  LayerBag stranger("A");
  EXPECT_TRUE(table.Delete(&stranger) == 0 && table.Delete("missing") == 0 &&
              table.Delete(static_cast<LayerBag*>(nullptr)) == 0);
  EXPECT_EQ(table.Delete("a"), 1);
  EXPECT_EQ(LayerNames(table), (Names{"AB", "BA", "B"}));
}

TEST(LayerTable, CurrentLayerSettingsAndRenaming) {
  LayerTable table;
  EXPECT_EQ(table.LayerColour(4) + table.LayerStyle(2) + table.FreezeLayer(), 0);  // no current
  EXPECT_TRUE(table.LayerName() == nullptr && table.LayerName("X") == nullptr);
  LayerBag* b = table.Add("B", 0, 7, 0);
  LayerBag* a = table.Add("A", 0, 7, 0);
  EXPECT_EQ(table.CurrentLayer("b"), b);
  EXPECT_EQ(table.CurrentLayer("missing"), a);  // the first in bucket order; current stays
  LayerBag stranger("X");
  EXPECT_TRUE(table.CurrentLayer(&stranger) == nullptr && table.CurrentLayer() == b);
  EXPECT_EQ(table.LayerColour(4), 4);
  EXPECT_EQ(table.FreezeLayer(), kLayerFrozen);
  EXPECT_TRUE(table.IsLayerFrozen() && b->LayerColour() == 4);
  // Renaming refiles the current layer; a taken or unstorable name is refused.
  EXPECT_STREQ(table.LayerName("New"), "New");
  EXPECT_STREQ(table.LayerName("NEW"), "NEW");  // a change of case only
  for (const char* refused : {"a", static_cast<const char*>(nullptr), "\xC3\xA4"})
    EXPECT_EQ(table.LayerName(refused), nullptr);
  EXPECT_TRUE(table.Search("new") == b && table.CurrentLayer() == b);
  EXPECT_EQ(LayerNames(table), (Names{"NEW", "A"}));  // buckets 32 and 65
}

TEST(LayerTable, ClearDeletesTheLayersAndClearEplanLayersOnlyThose) {
  LayerTable table;
  table.Add("Plan1", kLayerEplan, 7, 0);
  LayerBag* keep = table.Add("Keep", 0, 7, 0);
  table.CurrentLayer(table.Add("Plan2", kLayerEplan | kLayerOff, 7, 0));
  EXPECT_EQ(table.ClearEplanLayers(), 2);
  EXPECT_TRUE(LayerNames(table) == Names{"Keep"} && table.CurrentLayer() == nullptr);
  table.CurrentLayer(keep);
  table.Clear(1);
  EXPECT_TRUE(LayerNames(table).empty() && table.CurrentLayer() == nullptr);
  EXPECT_NE(table.Add("Keep", 0, 7, 0), nullptr);  // usable again
}

TEST(LayerTable, MergeAndCopyTakeCopiesOfTheMissingLayers) {
  LayerTable table;
  LayerBag* mine = table.Add("Roof", 0, 1, 0);
  LayerTable other;
  other.Add("ROOF", 0, 2, 0);
  LayerBag* theirs = other.CurrentLayer(other.Add("Walls", kLayerFrozen, 3, 1));
  EXPECT_EQ(table.Merge(&other), 1);
  EXPECT_TRUE(table.Search("roof") == mine && mine->LayerColour() == 1);
  LayerBag* copy = table.Search("walls");
  ASSERT_TRUE(copy != nullptr && copy != theirs);
  EXPECT_EQ(LayerSettings(*copy), LayerSettings(*theirs));
  EXPECT_EQ(table.Merge(nullptr) + table.Merge(&table) + LayerTable(nullptr).NoofLayers(), 0);
  const LayerTable copied(other);
  EXPECT_EQ(LayerNames(copied), LayerNames(other));
  EXPECT_EQ(copied.CurrentLayer(), copied.Search("walls"));  // its own copy of the current layer
}

TEST(LayerTable, SaveWritesTheLayersInBucketOrderSkippingEplan) {
  LayerTable table;
  EXPECT_EQ(table.Save(nullptr), 0);
  table.Add("Plan", kLayerEplan, 7, 0);
  EXPECT_TRUE(SavedText(table).empty());
  table.Add("B", 0, 2, 0);
  table.Add("A", 0, 1, 0);
  LayerItem a("A", 0, 1, 0), b("B", 0, 2, 0);
  EXPECT_EQ(SavedText(table), SavedText(a) + SavedText(b));
  DXFGroup unopened;  // no file: the first write fails
  EXPECT_EQ(table.Save(&unopened), kDxfEnd);
}
