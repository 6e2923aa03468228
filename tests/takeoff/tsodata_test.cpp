// Per-section quantities of a takeoff item: the entry, its record in both stream forms, and the
// list that owns the entries.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "support/linked_keys.h"
#include "support/stream_fixture.h"
#include "takeoff/tsodata.h"

namespace {

// Section names head to tail ("-" for the nameless entry), with every link checked.
std::string Sections(const TSODataList& list) {
  return JoinedKeys(list.Head(), list.Tail(), list.NoofObjs(), [](const TSOData* e) {
    return std::string(e->SectionName() ? e->SectionName() : "-");
  });
}

// Every field, the reals to ten significant digits.
std::string Describe(const TSOData& e) {
  char text[96];
  std::snprintf(text, sizeof text, "%s|%.10g|%.10g|%d|%d",
                e.SectionName() ? e.SectionName() : "<null>", e.Area(), e.Length(), e.Count(),
                e.GetFlag());
  return text;
}

// Section A (computed), an entry without a name, B moved in, C moved out.
void FillSample(TSODataList& list) {
  list.Add(new TSOData("A", 10.5, 3, 1, kSODataComputed));
  list.Add(new TSOData(nullptr, 1, 1, 1, kSODataComputed));
  list.Add(new TSOData("B", 0, 2.25, 0, kSODataMovedIn));
  list.Add(new TSOData("C", 4, 0, 7, kSODataMovedOut));
}

}  // namespace

TEST(TSOData, EntriesOwnTheirNameButNotTheirLinks) {
  char name[] = "North";
  TSOData entry(name, 12.5, 4.25, 3, kSODataMovedIn);
  name[0] = 'X';
  EXPECT_STREQ(entry.SectionName(), "North");
  TSODataList list;
  list.Add(new TSOData("first", 0, 0, 0, 0));
  list.Add(new TSOData("second", 0, 0, 0, 0));
  const TSOData copy(*list.Head());
  EXPECT_STREQ(copy.SectionName(), "first");
  EXPECT_NE(copy.SectionName(), list.Head()->SectionName());
  EXPECT_EQ(copy.Next(), nullptr);
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
  // Wider than 16 bits: held at the limits, never wrapped.
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
      SCOPED_TRACE(binary ? "binary" : "text");
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
      EXPECT_EQ(Describe(back), Describe(original));
      EXPECT_EQ(in.stream.GetGroup(), 0);
      EXPECT_EQ(in.stream.Code(), kDxfAttrib);
    }
  }
}

TEST(TSOData, AddTokenSkipsUnknownGroupsAndReportsTheStreamsEnd) {
  const struct {
    const char* bytes;
    int result;
  } cases[] = {{" 99\nx\n 40\n2\n  0\nSOMETHING\n", 0},  // an unknown keyword ends it too
               {" 40\n2\n  0\nEOF\n", kDxfEnd},
               {" 40\n2\n 41\n", kDxfLineEof},
               {" 40\n2\n 70\nmany\n", kDxfBadInteger}};
  for (const auto& c : cases) {
    StreamOver in(c.bytes, false);
    TSOData e;
    EXPECT_EQ(e.AddToken(&in.stream), c.result) << c.bytes;
    EXPECT_EQ(e.Area(), 2.0) << c.bytes;
  }
  StreamOver in("  2\nS\n 71\n1\n  0\nSOMETHING\n", false);
  TSOData e;
  EXPECT_EQ(e.AddToken(&in.stream), 0);
  EXPECT_STREQ(e.SectionName(), "S");
  EXPECT_EQ(e.GetFlag(), kSODataMovedIn);
  EXPECT_EQ(in.stream.GetGroup(), 0);
  EXPECT_EQ(in.stream.Code(), kDxfUnknownKeyword);  // left for the caller
  EXPECT_EQ(e.AddToken(nullptr), kDxfEnd);
}

TEST(TSODataList, AddLinksInOrderAndSearchIgnoresCase) {
  TSODataList list;
  EXPECT_EQ(list.Search(nullptr), nullptr);
  list.Add(nullptr);
  FillSample(list);
  list.Add(list.Head());  // linking an entry twice would make a cycle
  list.Add(list.Tail());
  EXPECT_EQ(Sections(list), "A,-,B,C");
  list.Add(new TSOData("", 0, 0, 0, 0));
  list.Add(new TSOData("b", 0, 0, 0, 0));
  EXPECT_EQ(list.Search("b"), list.Head()->Next()->Next());  // the first match
  EXPECT_EQ(list.Search(nullptr), list.Head()->Next());      // null finds the nameless one
  EXPECT_STREQ(list.Search("")->SectionName(), "");          // empty is a name
  EXPECT_EQ(list.Search("D"), nullptr);
}

TEST(TSODataList, RemoveAndClearHandOverOnlyTheirOwnEntries) {
  TSODataList list;
  FillSample(list);
  TSODataList other;
  other.Add(new TSOData("X", 0, 0, 0, 0));
  EXPECT_EQ(list.Remove(other.Head()), nullptr);
  EXPECT_EQ(list.Remove(nullptr), nullptr);
  const std::unique_ptr<TSOData> middle(list.Remove(list.Search("B")));
  ASSERT_NE(middle, nullptr);
  EXPECT_EQ(middle->Next(), nullptr);
  EXPECT_EQ(middle->Prev(), nullptr);
  const std::unique_ptr<TSOData> head(list.Remove(list.Head()));
  const std::unique_ptr<TSOData> tail(list.Remove(list.Tail()));
  EXPECT_STREQ(head->SectionName(), "A");
  EXPECT_STREQ(tail->SectionName(), "C");
  EXPECT_EQ(Sections(list), "-");
  list.Add(middle.get());  // a removed entry can join a list again
  EXPECT_EQ(Sections(list), "-,B");
  EXPECT_EQ(list.Remove(middle.get()), middle.get());

  // Clearing without deleting unlinks the entries, so another list may take them.
  FillSample(other);
  std::vector<std::unique_ptr<TSOData>> entries;
  for (TSOData* e = other.Head(); e != nullptr; e = e->Next())
    entries.emplace_back(e);
  other.Clear(false);
  EXPECT_EQ(Sections(other), "");
  for (const auto& e : entries)
    EXPECT_TRUE(e->Next() == nullptr && e->Prev() == nullptr);
  list.Add(entries[0].release());
  EXPECT_EQ(Sections(list), "-,X");
}

TEST(TSODataList, CopiesAreDeepAndIndependent) {
  TSODataList list;
  FillSample(list);
  TSODataList copy(list);
  TSODataList assigned;
  assigned.Add(new TSOData("Dropped", 0, 0, 0, 0));
  assigned = list;
  TSODataList& self = assigned;
  assigned = self;
  for (const TSODataList* l : {&copy, &assigned}) {
    EXPECT_EQ(Sections(*l), "A,-,B,C");
    EXPECT_NE(l->Head(), list.Head());
    EXPECT_EQ(l->Tail()->Count(), 7);
    EXPECT_EQ(l->Tail()->GetFlag(), kSODataMovedOut);
  }
  list.Head()->SectionName("Z");
  list.Head()->Area(0);
  EXPECT_STREQ(copy.Head()->SectionName(), "A");
  EXPECT_EQ(assigned.Head()->Area(), 10.5);
}
