// Attributes of takeoff items and their list: parsing and formatting of values, the list's
// look-ups and sort key, ownership, and the attribute record in both stream forms.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "support/compact_helpers.h"
#include "support/linked_keys.h"
#include "support/stream_fixture.h"
#include "takeoff/ttgattriblist.h"
#include "takeoff/ttgattribute.h"

namespace {

// Takes a new[] text handed out by GetValue or SortValue.
std::string Taken(char* text) {
  const std::unique_ptr<char[]> owned(text);
  return owned ? std::string(owned.get()) : std::string("<null>");
}

// The three value slots as "integer double 'string'" ("-" without a string); the double to ten
// significant digits, which is exact for the values used here.
std::string Slots(const TTGAttribute& a) {
  char real[32];
  std::snprintf(real, sizeof real, "%.10g", a.GetDValue());
  std::string text = "-";
  if (a.GetSValue() != nullptr) text.assign("'").append(a.GetSValue()).append("'");
  return std::to_string(a.GetIValue()) + " " + real + " " + text;
}

// Every field, so one comparison covers a copy or a round trip.
std::string Describe(const TTGAttribute& a) {
  return std::string(a.GetTag()) + "|" + std::to_string(a.Propsource()) + "|" +
         std::to_string(a.Proptype()) + "|" + std::to_string(a.Datatype()) + "|" + Slots(a) + "|" +
         std::to_string(a.IsSortKey()) + (a.ReadOnly() ? "|ro" : "|rw");
}

std::string AttribText(const TTGAttribute& attrib, int datatype, int size = 64) {
  std::vector<char> buffer(static_cast<size_t>(size) + 1, '#');
  if (attrib.GetAttrib(datatype, buffer.data(), size) == 0) return "<none>";
  return buffer.data();
}

// Tags head to tail, with every link and the count checked.
std::string Tags(const TTGAttribList& list) {
  std::string tags;
  for (const std::string& tag :
       LinkedKeys(list.Head(), list.Tail(), list.Count(),
                  [](const TTGAttribItem* i) { return std::string(i->Attrib()->GetTag()); }))
    Append(tags, tag);
  return tags;
}

// Typical item attributes: a measured and a user pitch, a height, a read-only name.
void FillSample(TTGAttribList& list) {
  list.Add(new TTGAttribute("Pitch", kPropSourceMeasured, kPropPitch, kDataTypeDouble, "4", true));
  list.Add(new TTGAttribute("Pitch", kPropPitch, kDataTypeDouble, "6", 0, false));
  list.Add(new TTGAttribute("Height", kPropHeight, kDataTypeDouble, "3.5", 0, false));
  list.Add(new TTGAttribute("Name", kPropRoofName, kDataTypeString, "Main", 0, true));
}

// An attribute read from the given text-form groups (after its keyword).
TTGAttribute ReadAttrib(const std::string& groups, int* result = nullptr) {
  StreamOver in(groups, false);
  TTGAttribute attrib;
  const int rc = attrib.AddToken(&in.stream);
  if (result != nullptr) *result = rc;
  return attrib;
}

}  // namespace

TEST(TTGAttribute, ParsesTheTextByDataTypeLikeTheCLibrary) {
  constexpr int I = kDataTypeInteger, D = kDataTypeDouble, S = kDataTypeString;
  // clang-format off
  const std::tuple<int, const char*, const char*> cases[] = {
      {I, " 42abc", "42 0 -"}, {I, "\t-7", "-7 0 -"}, {I, "+5", "5 0 -"}, {I, "4.9", "4 0 -"},
      {I, "+-3", "0 0 -"}, {I, nullptr, "0 0 -"}, {I, "99999999999999999999999", "2147483647 0 -"},
      {I, "-2147483648", "-2147483648 0 -"}, {I, "-99999999999", "-2147483648 0 -"},
      {D, "  -1.5e2ft", "0 -150 -"}, {D, ".5", "0 0.5 -"}, {D, "+2.5", "0 2.5 -"},
      {D, "x1", "0 0 -"}, {D, nullptr, "0 0 -"}, {D, "1e999", "0 inf -"},
      {D, "-1e999", "0 -inf -"}, {D, "1e-999", "0 0 -"}, {D, "0.00001e-400", "0 0 -"},
      {S, "Stand Height", "0 0 'Stand Height'"}, {S, "", "0 0 ''"}, {S, nullptr, "0 0 -"},
      {0, "12", "0 0 -"}, {7, "12", "0 0 -"}};
  // clang-format on
  for (const auto& [datatype, text, slots] : cases) {
    // Start from an attribute holding all three values: the other slots must be cleared.
    TTGAttribute a("Tag", kPropLength, kDataTypeInteger, "9", 0, false);
    a.SetDValue(9.5);
    a.SetSValue("old");
    a.SetAttrib(datatype, text);
    EXPECT_EQ(std::to_string(a.Datatype()) + " " + Slots(a), std::to_string(datatype) + " " + slots)
        << Text(text);
  }
  // The constructors set the source (user unless given) and cut the tag.
  EXPECT_EQ(Describe(TTGAttribute("Stands", kPropSupports, kDataTypeInteger, "3", 1, true)),
            "Stands|1|18|1|3 0 -|1|ro");
  EXPECT_EQ(
      Describe(TTGAttribute("A", kPropSourceMeasured, kPropArea, kDataTypeDouble, "2.5", false)),
      "A|0|5|2|0 2.5 -|0|rw");
  EXPECT_EQ(Describe(TTGAttribute()), "|1|0|0|0 0 -|0|rw");
  const std::string longTag(40, 'x');
  TTGAttribute cut(longTag.c_str(), kPropNone, kDataTypeString, "v", 0, false);
  EXPECT_EQ(std::string(cut.GetTag()), longTag.substr(0, kAttribTagSize - 1));
  cut.SetTag(nullptr);
  EXPECT_STREQ(cut.GetTag(), "");
}

TEST(TTGAttribute, FormatsValuesForBuffersAndForDisplay) {
  TTGAttribute a("Count", kPropCount, kDataTypeInteger, "-1234", 0, false);
  a.SetDValue(2.5);
  a.SetSValue("text value");
  // A size counts the terminator; unknown data types give nothing.
  EXPECT_EQ((TextList{AttribText(a, kDataTypeInteger), AttribText(a, kDataTypeDouble),
                      AttribText(a, kDataTypeString), AttribText(a, kDataTypeString, 5),
                      AttribText(a, kDataTypeInteger, 3), AttribText(a, 0), AttribText(a, 4)}),
            (TextList{"-1234", "2.500000", "text value", "text", "-1", "<none>", "<none>"}));
  a.SetDValue(1e20);
  EXPECT_EQ(AttribText(a, kDataTypeDouble), "100000000000000000000.000000");
  a.SetDValue(1e300);  // far wider than any caller's buffer: cut, never overrun
  a.SetSValue(nullptr);
  EXPECT_EQ((TextList{AttribText(a, kDataTypeDouble, 8), AttribText(a, kDataTypeString)}),
            (TextList{"1000000", ""}));
  char buffer[4] = "abc";
  EXPECT_EQ(a.GetAttrib(kDataTypeInteger, nullptr, 10) + a.GetAttrib(kDataTypeInteger, buffer, 0),
            0);
  EXPECT_STREQ(buffer, "abc");

  // GetValue: two decimals, rounded as printf rounds.
  // 2.675 is stored just below the half; 0.125 is an exact half and rounds to even.
  // clang-format off
  const std::tuple<int, const char*, const char*> values[] = {
      {kDataTypeInteger, "-2147483648", "-2147483648"}, {kDataTypeDouble, "3.14159", "3.14"},
      {kDataTypeDouble, "2.675", "2.67"}, {kDataTypeDouble, "0.125", "0.12"},
      {kDataTypeDouble, "-0.004", "-0.00"}, {kDataTypeDouble, "12", "12.00"},
      {kDataTypeString, "Ridge", "Ridge"}, {kDataTypeString, nullptr, ""}, {0, "5", "<null>"}};
  // clang-format on
  for (const auto& [datatype, text, value] : values)
    EXPECT_EQ(Taken(TTGAttribute("T", kPropNone, datatype, text, 0, false).GetValue()), value);
}

TEST(TTGAttribute, SetFromOtherCopiesOnlyTheValuesAndCopiesAreDeep) {
  TTGAttribute target("Width", kPropSourceMeasured, kPropWidth, kDataTypeDouble, "1", true);
  target.SetSortKey(2);
  TTGAttribute source("Other", kPropSourceUser, kPropDepth, kDataTypeString, "deep", false);
  source.SetIValue(7);
  source.SetDValue(8.5);
  target.Set(&source);
  target.Set(nullptr);
  target.Set(&target);
  target.SetSValue(target.GetSValue());  // the old text must outlive the copy
  EXPECT_EQ(Describe(target), "Width|0|2|2|7 8.5 'deep'|2|ro");
  EXPECT_NE(target.GetSValue(), source.GetSValue());
  const std::unique_ptr<TTGAttribute> copy(target.Copy());
  TTGAttribute assigned;
  assigned = target;
  assigned = assigned;
  for (const TTGAttribute* a : {copy.get(), &assigned}) {
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(Describe(*a), Describe(target));
    EXPECT_NE(a->GetSValue(), target.GetSValue());
  }
  target.SetSValue("B");
  EXPECT_STREQ(copy->GetSValue(), "deep");
  EXPECT_STREQ(assigned.GetSValue(), "deep");
}

TEST(TTGAttribute, SaveWritesOnlyTheGroupsThatCarryAValueAndRoundTrips) {
  TTGAttribute full("Pitch", kPropPitch, kDataTypeDouble, "6.5", 1, true);
  full.SetIValue(3);
  full.SetSValue("s");
  ExpectGroups(WrittenBytes(false, [&](DXFGroup& s) { EXPECT_EQ(full.Save(&s), 0); }), false,
               {"0 1526", "0 2 sPitch", "0 3 ss", "0 40 r6.5", "0 70 i2", "0 71 i3", "0 72 i1",
                "0 74 i1", "0 75 i7", "0 1527"});
  const TTGAttribute bare("Count", kPropNone, kDataTypeInteger, "0", 0, false);
  ExpectGroups(WrittenBytes(false, [&](DXFGroup& s) { EXPECT_EQ(bare.Save(&s), 0); }), false,
               {"0 1526", "0 2 sCount", "0 70 i1", "0 75 i0", "0 1527", "15"});  // then the end
  // Wider than 16 bits: held at the limits, never wrapped.
  TTGAttribute wide("Count", kPropCount, kDataTypeInteger, "70000", 65536, false);
  wide.Proptype(-40000);
  ExpectGroups(WrittenBytes(true, [&](DXFGroup& s) { wide.Save(&s); }), true,
               {"0 1526", "0 2", "0 70 i1", "0 71 i32767", "0 72 i32767", "0 75 i-32768"});
  EXPECT_EQ(bare.Save(nullptr), kDxfEnd);

  // Both forms read back every field and push the next keyword back.
  std::vector<TTGAttribute> samples;
  samples.emplace_back("Pitch", kPropPitch, kDataTypeDouble, "-0.3333333333333", 1, false);
  samples.emplace_back("No. of Stands", kPropSupports, kDataTypeInteger, "-12", 0, true);
  samples.emplace_back("Name", kPropRoofName, kDataTypeString, "Garage roof", 0, false);
  samples.emplace_back("Note", kPropNone, kDataTypeString, "", 0, false);
  ForBothForms([&](bool binary) {
    for (const TTGAttribute& original : samples) {
      StreamOver in(WrittenBytes(binary,
                                 [&](DXFGroup& s) {
                                   original.Save(&s);
                                   s.PutKeyword(kDxfSeqend);
                                 }),
                    binary);
      ASSERT_EQ(in.stream.GetGroup(), 0);
      ASSERT_EQ(in.stream.Code(), kDxfAttrib);
      TTGAttribute back;
      EXPECT_EQ(back.AddToken(&in.stream), 0);
      EXPECT_EQ(Describe(back), Describe(original));
      EXPECT_EQ((std::vector<int>{in.stream.GetGroup(), in.stream.Code()}),
                (std::vector<int>{0, kDxfSeqend}));
    }
  });
}

TEST(TTGAttribute, AddTokenRepairsOldTagsReadsTheFlagAndReportsTheEnd) {
  // An untyped attribute takes its type from a known tag; a typed one keeps its tag and type.
  constexpr int N = kPropNone;
  // clang-format off
  const std::tuple<const char*, int, const char*, int> cases[] = {
      {"Edge", N, "Show double line", kPropDoubleLine},
      {"EDGE", N, "Show double line", kPropDoubleLine}, {"Edge", kPropCount, "Edge", kPropCount},
      {"length", N, "length", kPropLength}, {"Width", N, "Width", kPropWidth},
      {"Height", N, "Height", kPropHeight}, {"Diameter", N, "Diameter", kPropDiameter},
      {"Pitch", N, "Pitch", kPropPitch}, {"Overhang", N, "Overhang", kPropOverhang},
      {"Elevation", N, "Elevation", kPropElevation}, {"RoofID", N, "RoofID", N},
      {"Pitch", kPropSpacing, "Pitch", kPropSpacing}, {"no. of legs", N, "No. of Stands", N},
      {"Leg Height", kPropHeight, "Stand Height", kPropHeight},
      {"Leg Diameter", N, "Stand Diameter", N}};
  // clang-format on
  for (const auto& [tag, proptype, wantTag, wantType] : cases) {
    const TTGAttribute a = ReadAttrib(std::string("  2\n") + tag + "\n 70\n2\n 75\n" +
                                      std::to_string(proptype) + "\n  0\nENDATTRIB\n");
    EXPECT_EQ(std::string(a.GetTag()) + " " + std::to_string(a.Proptype()),
              std::string(wantTag) + " " + std::to_string(wantType));
  }
  // Only 1 reads as read-only; unknown groups are skipped; it returns what ended the stream.
  for (const int flag : {1, 2, -1})
    EXPECT_EQ(ReadAttrib("  2\nA\n 74\n" + std::to_string(flag) + "\n  0\nENDATTRIB\n").ReadOnly(),
              flag == 1);
  EXPECT_EQ(Slots(ReadAttrib("  2\nA\n 99\n5\n 71\n8\n 70\n1\n  0\nENDATTRIB\n")), "8 0 -");
  const std::pair<const char*, int> ends[] = {{"  2\nEdge\n  0\nEOF\n", kDxfEnd},
                                              {"  2\nEdge\n 40\n", kDxfLineEof},
                                              {"  2\nEdge\n 40\nwide\n", kDxfBadReal},
                                              {"  2\nEdge\n 70\nmany\n", kDxfBadInteger}};
  for (const auto& [bytes, result] : ends) {
    int rc = -1;
    EXPECT_STREQ(ReadAttrib(bytes, &rc).GetTag(), "Edge") << bytes;
    EXPECT_EQ(rc, result) << bytes;
  }
  EXPECT_EQ(TTGAttribute().AddToken(nullptr), kDxfEnd);
}

TEST(TTGAttribList, SearchFormsFilterBySourceAndIgnoreCaseAndSetSortMarksOne) {
  TTGAttribList list;
  FillSample(list);
  const TTGAttribute* measured = list.Head()->Attrib();
  const TTGAttribute* user = list.Head()->Next()->Attrib();
  const TTGAttribute* height = list.Head()->Next()->Next()->Attrib();
  // By tag the measured one is skipped; by type alone any source, first in order.
  EXPECT_EQ(
      (std::vector<const TTGAttribute*>{
          list.Search("PITCH"), list.Search(kPropSourceMeasured, kPropPitch),
          list.Search(kPropSourceUser, kPropPitch), list.Search(kPropPitch), list.Search("height"),
          list.Search("Heigh"), list.Search(static_cast<const char*>(nullptr)),
          list.Search(kPropDepth), list.Search(kPropSourceMeasured, kPropHeight)}),
      (std::vector<const TTGAttribute*>{user, measured, user, measured, height, nullptr, nullptr,
                                        nullptr, nullptr}));
  // the measured pitch and the name are read-only
  EXPECT_EQ((std::vector{list.Noofattribs(false), list.Noofattribs(true)}), (std::vector{4, 2}));

  EXPECT_EQ((TextList{list.SortTag(), Taken(list.SortValue())}), (TextList{nullptr, "<null>"}));
  list.SetSort("HEIGHT");
  EXPECT_EQ((TextList{list.SortTag(), Taken(list.SortValue())}), (TextList{"Height", "3.50"}));
  list.SetSort("pitch");  // two carry the tag: the first becomes the key
  EXPECT_EQ((std::vector{user->IsSortKey(), height->IsSortKey()}), (std::vector{0, 0}));
  EXPECT_EQ(Taken(list.SortValue()), "4.00");
  list.SetSort("Name");
  EXPECT_EQ(Taken(list.SortValue()), "Main");
  list.SetSort("Missing");
  for (const TTGAttribItem* item = list.Head(); item != nullptr; item = item->Next())
    EXPECT_EQ(item->Attrib()->IsSortKey(), 0);
}

TEST(TTGAttribList, RemoveAndClearHandOverOwnership) {
  TTGAttribList list;
  EXPECT_EQ(list.Add(nullptr), nullptr);
  FillSample(list);
  const std::unique_ptr<TTGAttribItem> middle(list.Remove("HEIGHT"));
  ASSERT_NE(middle, nullptr);
  EXPECT_STREQ(middle->Attrib()->GetTag(), "Height");
  EXPECT_EQ(middle->Next(), nullptr);
  EXPECT_EQ(Tags(list), "Pitch,Pitch,Name");
  const std::unique_ptr<TTGAttribItem> first(list.Remove("pitch"));
  EXPECT_EQ(first->Attrib()->Propsource(), kPropSourceMeasured);
  const std::unique_ptr<TTGAttribItem> last(list.Remove("Name"));
  EXPECT_EQ(Tags(list), "Pitch");
  EXPECT_EQ(list.Remove("Name"), nullptr);
  EXPECT_EQ(list.Remove(nullptr), nullptr);
  // Clearing without deleting leaves the attributes to the caller.
  const std::unique_ptr<TTGAttribute> remaining(list.Head()->Attrib());
  const std::unique_ptr<TTGAttribute> kept(new TTGAttribute());
  list.Add(kept.get());
  list.Clear(false);
  EXPECT_EQ(Tags(list), "");
  TTGAttribItem node(new TTGAttribute());
  delete node.Release();
  EXPECT_EQ(node.Attrib(), nullptr);
  FillSample(list);
  list.Clear(true);
  const TTGAttribItem* added = list.Add(new TTGAttribute());
  EXPECT_EQ(added, list.Head());  // usable after clearing
  EXPECT_EQ(list.Count(), 1);
}

TEST(TTGAttribList, SetAttribsTakesValuesByTagFromUserAttributesAndCopiesAreDeep) {
  TTGAttribList list;
  FillSample(list);
  TTGAttribList other;
  other.Add(new TTGAttribute("PITCH", kPropNone, kDataTypeInteger, "9", 0, false));
  other.Add(new TTGAttribute("name", kPropNone, kDataTypeString, "Porch", 0, false));
  other.Add(new TTGAttribute("Unknown", kPropNone, kDataTypeDouble, "1", 0, false));
  list.SetAttribs(&other);
  list.SetAttribs(nullptr);
  list.SetAttribs(&list);
  EXPECT_EQ(Slots(*list.Head()->Attrib()), "0 4 -");  // property source 0 is left alone
  EXPECT_EQ(Describe(*list.Search("Pitch")), "Pitch|1|7|2|9 0 -|0|rw");  // only values move
  EXPECT_STREQ(list.Search("Name")->GetSValue(), "Porch");
  EXPECT_EQ(Tags(list), "Pitch,Pitch,Height,Name");

  // Copies are deep and independent.
  list.SetSort("Name");
  TTGAttribList copy(list);
  TTGAttribList assigned;
  assigned.Add(new TTGAttribute("Dropped", kPropNone, 0, nullptr, 0, false));
  assigned = list;
  assigned = assigned;
  list.Search("Name")->SetSValue("Changed");
  for (const TTGAttribList* l : {&copy, &assigned}) {
    EXPECT_EQ(Tags(*l), "Pitch,Pitch,Height,Name");
    EXPECT_EQ((TextList{l->SortTag(), l->Search("Name")->GetSValue()}),
              (TextList{"Name", "Porch"}));
  }
}

TEST(TTGAttribList, SaveWritesAllOrOnlyUserAttributes) {
  TTGAttribList list;
  FillSample(list);
  ForBothForms([&](bool binary) {
    for (const bool all : {true, false}) {
      StreamOver in(WrittenBytes(binary,
                                 [&](DXFGroup& s) {
                                   EXPECT_EQ(list.Save(&s, all), 0);
                                   s.PutKeyword(kDxfEndSmartObj);
                                 }),
                    binary);
      TTGAttribList back;
      while (in.stream.GetGroup() == 0 && in.stream.Code() == kDxfAttrib) {
        TTGAttribute* a = new TTGAttribute();
        EXPECT_EQ(a->AddToken(&in.stream), 0);
        back.Add(a);
      }
      EXPECT_EQ(in.stream.Code(), kDxfEndSmartObj);
      EXPECT_EQ(Tags(back), all ? "Pitch,Pitch,Height,Name" : "Pitch,Height,Name");
      EXPECT_EQ(back.Search(kPropPitch)->GetDValue(), all ? 4.0 : 6.0);
    }
  });
  EXPECT_EQ(list.Save(nullptr, true), kDxfEnd);
}
