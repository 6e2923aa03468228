// Per-section quantities of a takeoff item: the entry, its record in both stream forms, and the
// list that owns the entries.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/stream_fixture.h"
#include "takeoff/tsodata.h"

namespace {

std::string Sections(const TSODataList& list) {
  std::string names;
  for (const TSOData* e = list.Head(); e != nullptr; e = e->Next())
    names += std::string(names.empty() ? "" : ",") + (e->SectionName() ? e->SectionName() : "-");
  return names;
}

// Backward walk, to prove the prev links match the next links.
std::string SectionsBackwards(const TSODataList& list) {
  std::string names;
  for (const TSOData* e = list.Tail(); e != nullptr; e = e->Prev())
    names += std::string(names.empty() ? "" : ",") + (e->SectionName() ? e->SectionName() : "-");
  return names;
}

// Section A (computed), an entry without a name, B moved in, C moved out.
void FillSample(TSODataList& list) {
  list.Add(new TSOData("A", 10.5, 3, 1, kSODataComputed));
  list.Add(new TSOData(nullptr, 1, 1, 1, kSODataComputed));
  list.Add(new TSOData("B", 0, 2.25, 0, kSODataMovedIn));
  list.Add(new TSOData("C", 4, 0, 7, kSODataMovedOut));
}

}  // namespace

TEST(TSOData, ConstructorsAndNamesOwnTheirText) {
  char name[] = "North";
  TSOData entry(name, 12.5, 4.25, 3, kSODataMovedIn);
  name[0] = 'X';  // the entry keeps its own copy
  EXPECT_STREQ(entry.SectionName(), "North");

  TSODataList list;
  list.Add(new TSOData("first", 0, 0, 0, 0));
  list.Add(new TSOData("second", 0, 0, 0, 0));
  const TSOData copy(*list.Head());
  EXPECT_STREQ(copy.SectionName(), "first");
  EXPECT_NE(copy.SectionName(), list.Head()->SectionName());
  EXPECT_EQ(copy.Next(), nullptr);  // links are not copied

  entry.SectionName(entry.SectionName());  // the old text must outlive the copy
  EXPECT_STREQ(entry.SectionName(), "North");
  entry.SectionName(nullptr);
  EXPECT_EQ(entry.SectionName(), nullptr);
}

TEST(TSOData, SaveWritesOnlyTheGroupsThatCarryAValue) {
  const TSOData full("Main", 10.5, 3.25, 4, kSODataMovedOut);
  ExpectGroups(WrittenBytes(false, [&](DXFGroup& s) { EXPECT_EQ(full.Save(&s), 0); }), false,
               {"0 1531", "0 2 sMain", "0 40 r10.5", "0 41 r3.25", "0 70 i4", "0 71 i2", "0 1532"});
  const TSOData bare;
  ExpectGroups(WrittenBytes(true, [&](DXFGroup& s) { EXPECT_EQ(bare.Save(&s), 0); }), true,
               {"0 1531", "0 1532"});
  const TSOData wide("W", 0, 0, 100000, -100000);
  ExpectGroups(WrittenBytes(true, [&](DXFGroup& s) { wide.Save(&s); }), true,
               {"0 1531", "0 2 sW", "0 70 i32767", "0 71 i-32768", "0 1532"});
  EXPECT_EQ(full.Save(nullptr), kDxfEnd);
}

TEST(TSOData, RoundTripsInBothFormsAndPushesTheNextKeywordBack) {
  const TSOData samples[] = {TSOData("Section 1", 1234.5678, 0.001, -3, kSODataMovedIn),
                             TSOData(nullptr, 0, 9, 0, kSODataMovedOut),
                             TSOData("", 1, 0, 1, kSODataComputed)};
  for (const bool binary : {false, true}) {
    for (const TSOData& original : samples) {
      SCOPED_TRACE(std::string(binary ? "binary " : "text ") +
                   (original.SectionName() ? original.SectionName() : "<null>"));
      StreamOver in(WrittenBytes(binary,
                                 [&](DXFGroup& s) {
                                   original.Save(&s);
                                   s.PutKeyword(kDxfAttrib);
                                 }),
                    binary);
      ASSERT_EQ(in.stream.GetGroup(), 0);
      ASSERT_EQ(in.stream.Code(), kDxfSectionData);
      TSOData back;
      EXPECT_EQ(back.AddToken(&in.stream), 0);
      if (original.SectionName() == nullptr)
        EXPECT_EQ(back.SectionName(), nullptr);
      else
        EXPECT_STREQ(back.SectionName(), original.SectionName());
      EXPECT_NEAR(back.Area(), original.Area(), 1e-9);
      EXPECT_NEAR(back.Length(), original.Length(), 1e-12);
      EXPECT_EQ(back.Count(), original.Count());
      EXPECT_EQ(back.GetFlag(), original.GetFlag());
      EXPECT_EQ(in.stream.GetGroup(), 0);
      EXPECT_EQ(in.stream.Code(), kDxfAttrib);
    }
  }
}

TEST(TSOData, AddTokenSkipsUnknownGroupsAndReportsTheStreamsEnd) {
  {
    StreamOver in(" 99\nx\n  2\nS\n 71\n1\n  0\nSOMETHING\n", false);
    TSOData e;
    EXPECT_EQ(e.AddToken(&in.stream), 0);  // an unknown keyword ends the record too
    EXPECT_STREQ(e.SectionName(), "S");
    EXPECT_EQ(e.GetFlag(), kSODataMovedIn);
    EXPECT_EQ(in.stream.GetGroup(), 0);
    EXPECT_EQ(in.stream.Code(), kDxfUnknownKeyword);
  }
  const struct {
    const char* bytes;
    int result;
  } cases[] = {{" 40\n2\n  0\nEOF\n", kDxfEnd},
               {" 40\n2\n 41\n", kDxfLineEof},
               {" 40\n2\n 70\nmany\n", kDxfBadInteger}};
  for (const auto& c : cases) {
    StreamOver in(c.bytes, false);
    TSOData e;
    EXPECT_EQ(e.AddToken(&in.stream), c.result) << c.bytes;
    EXPECT_EQ(e.Area(), 2.0) << c.bytes;
  }
  TSOData e;
  EXPECT_EQ(e.AddToken(nullptr), kDxfEnd);
}

TEST(TSODataList, AddLinksInOrderAndIgnoresNullAndLinkedEntries) {
  TSODataList list;
  list.Add(nullptr);
  EXPECT_EQ(list.NoofObjs(), 0);
  FillSample(list);
  EXPECT_EQ(list.NoofObjs(), 4);
  EXPECT_EQ(Sections(list), "A,-,B,C");
  EXPECT_EQ(SectionsBackwards(list), "C,B,-,A");
  list.Add(list.Head());  // linking an entry twice would make a cycle
  list.Add(list.Tail());
  EXPECT_EQ(list.NoofObjs(), 4);
  EXPECT_EQ(Sections(list), "A,-,B,C");
}

TEST(TSODataList, SearchIgnoresCaseAndNullFindsTheUnnamedEntry) {
  TSODataList list;
  EXPECT_EQ(list.Search(nullptr), nullptr);
  FillSample(list);
  list.Add(new TSOData("", 0, 0, 0, 0));
  list.Add(new TSOData("b", 0, 0, 0, 0));
  EXPECT_EQ(list.Search("b"), list.Head()->Next()->Next());  // the first match
  EXPECT_STREQ(list.Search("c")->SectionName(), "C");
  EXPECT_EQ(list.Search(nullptr), list.Head()->Next());
  EXPECT_STREQ(list.Search("")->SectionName(), "");  // empty is a name, not its absence
  EXPECT_EQ(list.Search("D"), nullptr);
}

TEST(TSODataList, RemoveHandsOverOnlyItsOwnEntries) {
  TSODataList list;
  FillSample(list);
  TSODataList other;
  other.Add(new TSOData("X", 0, 0, 0, 0));
  EXPECT_EQ(list.Remove(other.Head()), nullptr);
  EXPECT_EQ(list.Remove(nullptr), nullptr);
  EXPECT_EQ(other.NoofObjs(), 1);

  const std::unique_ptr<TSOData> middle(list.Remove(list.Search("B")));
  ASSERT_NE(middle, nullptr);
  EXPECT_EQ(middle->Next(), nullptr);
  EXPECT_EQ(middle->Prev(), nullptr);
  const std::unique_ptr<TSOData> head(list.Remove(list.Head()));
  const std::unique_ptr<TSOData> tail(list.Remove(list.Tail()));
  EXPECT_STREQ(head->SectionName(), "A");
  EXPECT_STREQ(tail->SectionName(), "C");
  EXPECT_EQ(Sections(list), "-");
  EXPECT_EQ(SectionsBackwards(list), "-");
  EXPECT_EQ(list.NoofObjs(), 1);

  list.Add(middle.get());  // a removed entry can join a list again
  EXPECT_EQ(Sections(list), "-,B");
  EXPECT_EQ(list.Remove(middle.get()), middle.get());
}

TEST(TSODataList, ClearWithoutDeletingUnlinksTheEntries) {
  TSODataList list;
  FillSample(list);
  std::vector<TSOData*> entries;
  for (TSOData* e = list.Head(); e != nullptr; e = e->Next())
    entries.push_back(e);
  list.Clear(false);
  EXPECT_EQ(list.NoofObjs(), 0);
  EXPECT_EQ(list.Head(), nullptr);
  EXPECT_EQ(list.Tail(), nullptr);
  for (const TSOData* e : entries) {
    EXPECT_EQ(e->Next(), nullptr);
    EXPECT_EQ(e->Prev(), nullptr);
  }
  TSODataList again;
  again.Add(entries[0]);  // unlinked, so another list may take it
  EXPECT_EQ(again.NoofObjs(), 1);
  for (size_t i = 1; i < entries.size(); ++i)
    delete entries[i];  // the rest are the caller's now
  FillSample(list);
  list.Clear(true);
  EXPECT_EQ(list.NoofObjs(), 0);
}

TEST(TSODataList, CopiesAreDeepAndIndependent) {
  TSODataList list;
  FillSample(list);
  TSODataList copy(list);
  TSODataList assigned;
  assigned.Add(new TSOData("Dropped", 0, 0, 0, 0));
  assigned = list;
  for (const TSODataList* l : {&copy, &assigned}) {
    EXPECT_EQ(Sections(*l), "A,-,B,C");
    EXPECT_EQ(SectionsBackwards(*l), "C,B,-,A");
    EXPECT_EQ(l->NoofObjs(), 4);
    EXPECT_NE(l->Head(), list.Head());
    EXPECT_EQ(l->Tail()->Count(), 7);
    EXPECT_EQ(l->Tail()->GetFlag(), kSODataMovedOut);
  }
  list.Head()->SectionName("Z");
  list.Head()->Area(0);
  EXPECT_STREQ(copy.Head()->SectionName(), "A");
  EXPECT_EQ(assigned.Head()->Area(), 10.5);
  TSODataList& self = assigned;
  assigned = self;
  EXPECT_EQ(assigned.NoofObjs(), 4);
}
