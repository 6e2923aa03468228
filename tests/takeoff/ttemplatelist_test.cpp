// The template library: adding, finding (folders by their bare name), removing, ordering by
// legend order, deep copies and the file version the library needs.

#include "takeoff/ttemplatelist.h"

#include <gtest/gtest.h>

#include <string>

#include "support/linked_keys.h"
#include "takeoff/tobjecttemplate.h"

namespace {

std::string Names(const TTemplateList& list) {
  return JoinedKeys(list.Head(), list.Tail(), list.Nooftemplates(),
                    [](const TTemplateItem* i) { return std::string(i->Template()->Name()); });
}

}  // namespace

TEST(TTemplateList, AddsFindsAndRemovesByNameIgnoringCase) {
  TTemplateList list;
  TObjectTemplate* hip = list.Add("Hip", 6102);
  ASSERT_NE(hip, nullptr);
  EXPECT_EQ(hip->RFlag(), 6102);
  EXPECT_EQ(hip->Thickness(), 1);
  EXPECT_EQ(hip->FillColour(), -1);
  EXPECT_EQ(hip->FillPattern(), -2);
  list.Add("Valley", 6103);
  list.Add(new TObjectTemplate("Drain", 6109, 1, 0, 1, -1, -2));
  EXPECT_EQ(list.Add(hip), nullptr);  // already held: not owned twice
  EXPECT_EQ(list.Add(static_cast<TObjectTemplate*>(nullptr)), nullptr);
  EXPECT_EQ(Names(list), "Hip,Valley,Drain");

  EXPECT_EQ(list.Search("VALLEY", false)->RFlag(), 6103);
  EXPECT_EQ(list.Search("Vall", false), nullptr);

  TObjectTemplate* removed = list.Remove("hip");
  ASSERT_EQ(removed, hip);
  delete removed;
  EXPECT_EQ(list.Remove("Hip"), nullptr);
  EXPECT_EQ(list.Delete("drain"), 1);
  EXPECT_EQ(list.Delete("drain"), 0);
  EXPECT_EQ(Names(list), "Valley");
  list.Clear();
  EXPECT_EQ(Names(list), "");
}

TEST(TTemplateList, StrippedSearchFindsFoldersByTheirBareName) {
  TTemplateList list;
  list.Add("--- Parapet ---", 6113);
  list.Add("-Walls", 6106);
  list.Add("-- Eaves - old --", 6105);
  list.Add("Parapet", 6113)->LegendOrder(1);

  EXPECT_STREQ(list.Search("parapet", true)->Name(), "--- Parapet ---");
  EXPECT_EQ(list.Search("Parapet", false)->LegendOrder(), 1);
  EXPECT_STREQ(list.Search("walls", true)->Name(), "-Walls");
  EXPECT_EQ(list.Search("Walls", false), nullptr);
  EXPECT_STREQ(list.Search("Eaves", true)->Name(), "-- Eaves - old --");
  EXPECT_EQ(list.Search("Eaves - old", true), nullptr);
}

TEST(TTemplateList, SortsByLegendOrderKeepingTiesInOrder) {
  TTemplateList list;
  list.Sort();  // empty: nothing to do
  const struct {
    const char* name;
    int order;
  } entries[] = {{"b2", 2}, {"a1", 1}, {"c2", 2}, {"z0", 0}, {"d1", 1}, {"e-1", -1}};
  for (const auto& e : entries)
    list.Add(e.name, 6100)->LegendOrder(e.order);
  list.Sort();
  EXPECT_EQ(Names(list), "e-1,z0,a1,d1,b2,c2");
}

TEST(TTemplateList, FileVersionFollowsTheNewestType) {
  TTemplateList list;
  EXPECT_STREQ(list.GetFileVersion(), "4.5.0.15");
  list.Add("Base Wall", 6148);
  EXPECT_STREQ(list.GetFileVersion(), "4.5.0.15");
  list.Add("Peak", 6152);
  EXPECT_STREQ(list.GetFileVersion(), "5.0.56.0");
}

TEST(TTemplateList, CopiesAreDeep) {
  TTemplateList list;
  list.Add("Hip", 6102);
  list.Add("Drain", 6109);
  list.FileName("library.tpl");
  list.SetFolderStates("1,0,1");

  TTemplateList copy(list);
  EXPECT_EQ(Names(copy), "Hip,Drain");
  EXPECT_NE(copy.Search("Hip", false), list.Search("Hip", false));
  EXPECT_STREQ(copy.FileName(), "library.tpl");
  EXPECT_STREQ(copy.GetFolderStates(), "1,0,1");
  copy.Search("Hip", false)->Name("Ridge");
  copy.Delete("Drain");
  EXPECT_EQ(Names(list), "Hip,Drain");

  list = copy;
  EXPECT_EQ(Names(list), "Ridge");
  list.SetFolderStates(nullptr);
  EXPECT_EQ(list.GetFolderStates(), nullptr);
  EXPECT_STREQ(copy.GetFolderStates(), "1,0,1");
}
