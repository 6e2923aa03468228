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
  const std::tuple<int, const char*, const char*> cases[] = {
      {kDataTypeInteger, " 42abc", "42 0 -"},
      {kDataTypeInteger, "\t-7", "-7 0 -"},
      {kDataTypeInteger, "+5", "5 0 -"},
      {kDataTypeInteger, "4.9", "4 0 -"},
      {kDataTypeInteger, "+-3", "0 0 -"},
      {kDataTypeInteger, nullptr, "0 0 -"},
      {kDataTypeInteger, "99999999999999999999999", "2147483647 0 -"},
      {kDataTypeInteger, "-2147483648", "-2147483648 0 -"},
      {kDataTypeInteger, "-99999999999", "-2147483648 0 -"},
      {kDataTypeDouble, "  -1.5e2ft", "0 -150 -"},
      {kDataTypeDouble, ".5", "0 0.5 -"},
      {kDataTypeDouble, "+2.5", "0 2.5 -"},
      {kDataTypeDouble, "x1", "0 0 -"},
      {kDataTypeDouble, nullptr, "0 0 -"},
      {kDataTypeDouble, "1e999", "0 inf -"},
      {kDataTypeDouble, "-1e999", "0 -inf -"},
      {kDataTypeDouble, "1e-999", "0 0 -"},
      {kDataTypeDouble, "0.00001e-400", "0 0 -"},
      {kDataTypeString, "Stand Height", "0 0 'Stand Height'"},
      {kDataTypeString, "", "0 0 ''"},
      {kDataTypeString, nullptr, "0 0 -"},
      {0, "12", "0 0 -"},
      {7, "12", "0 0 -"}};
  for (const auto& [datatype, text, slots] : cases) {
    // Start from an attribute holding all three values: the other slots must be cleared.
    TTGAttribute a("Tag", kPropLength, kDataTypeInteger, "9", 0, false);
    a.SetDValue(9.5);
    a.SetSValue("old");
    a.SetAttrib(datatype, text);
    EXPECT_EQ(a.Datatype(), datatype);
    EXPECT_EQ(Slots(a), slots) << datatype << " " << (text ? text : "<null>");
  }
}

TEST(TTGAttribute, ConstructorsSetTheSourceAndCutTheTag) {
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
  EXPECT_EQ(AttribText(a, kDataTypeInteger), "-1234");
  EXPECT_EQ(AttribText(a, kDataTypeDouble), "2.500000");
  EXPECT_EQ(AttribText(a, kDataTypeString), "text value");
  EXPECT_EQ(AttribText(a, kDataTypeString, 5), "text");  // size counts the terminator
  EXPECT_EQ(AttribText(a, kDataTypeInteger, 3), "-1");
  EXPECT_EQ(AttribText(a, 0), "<none>");
  EXPECT_EQ(AttribText(a, 4), "<none>");
  a.SetDValue(1e20);
  EXPECT_EQ(AttribText(a, kDataTypeDouble), "100000000000000000000.000000");
  a.SetDValue(1e300);  // far wider than any caller's buffer: cut, never overrun
  EXPECT_EQ(AttribText(a, kDataTypeDouble, 8), "1000000");
  a.SetSValue(nullptr);
  EXPECT_EQ(AttribText(a, kDataTypeString), "");
  char buffer[4] = "abc";
  EXPECT_EQ(a.GetAttrib(kDataTypeInteger, nullptr, 10), 0);
  EXPECT_EQ(a.GetAttrib(kDataTypeInteger, buffer, 0), 0);
  EXPECT_STREQ(buffer, "abc");

  // GetValue: two decimals, rounded as printf rounds.
  const std::tuple<int, const char*, const char*> values[] = {
      {kDataTypeInteger, "-2147483648", "-2147483648"},
      {kDataTypeDouble, "3.14159", "3.14"},
      {kDataTypeDouble, "2.675", "2.67"},  // stored just below the half
      {kDataTypeDouble, "0.125", "0.12"},  // an exact half rounds to even
      {kDataTypeDouble, "-0.004", "-0.00"},
      {kDataTypeDouble, "12", "12.00"},
      {kDataTypeString, "Ridge", "Ridge"},
      {kDataTypeString, nullptr, ""},
      {0, "5", "<null>"}};
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

TEST(TTGAttribute, SaveWritesOnlyTheGroupsThatCarryAValue) {
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
}

TEST(TTGAttribute, RoundTripsInBothFormsAndPushesTheNextKeywordBack) {
  std::vector<TTGAttribute> samples;
  samples.emplace_back("Pitch", kPropPitch, kDataTypeDouble, "-0.3333333333333", 1, false);
  samples.emplace_back("No. of Stands", kPropSupports, kDataTypeInteger, "-12", 0, true);
  samples.emplace_back("Name", kPropRoofName, kDataTypeString, "Garage roof", 0, false);
  samples.emplace_back("Note", kPropNone, kDataTypeString, "", 0, false);
  for (const bool binary : {false, true}) {
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
      EXPECT_EQ(Describe(back), Describe(original)) << (binary ? "binary" : "text");
      EXPECT_EQ(in.stream.GetGroup(), 0);
      EXPECT_EQ(in.stream.Code(), kDxfSeqend);
    }
  }
}

TEST(TTGAttribute, AddTokenRepairsTagsOfOldFiles) {
  const std::tuple<const char*, int, const char*, int> cases[] = {
      {"Edge", kPropNone, "Show double line", kPropDoubleLine},
      {"EDGE", kPropNone, "Show double line", kPropDoubleLine},
      {"Edge", kPropCount, "Edge", kPropCount},  // a typed attribute keeps its tag
      {"length", kPropNone, "length", kPropLength},
      {"Width", kPropNone, "Width", kPropWidth},
      {"Height", kPropNone, "Height", kPropHeight},
      {"Diameter", kPropNone, "Diameter", kPropDiameter},
      {"Pitch", kPropNone, "Pitch", kPropPitch},
      {"Overhang", kPropNone, "Overhang", kPropOverhang},
      {"Elevation", kPropNone, "Elevation", kPropElevation},
      {"RoofID", kPropNone, "RoofID", kPropNone},
      {"Pitch", kPropSpacing, "Pitch", kPropSpacing},
      {"no. of legs", kPropNone, "No. of Stands", kPropNone},
      {"Leg Height", kPropHeight, "Stand Height", kPropHeight},
      {"Leg Diameter", kPropNone, "Stand Diameter", kPropNone}};
  for (const auto& [tag, proptype, wantTag, wantType] : cases) {
    const TTGAttribute a = ReadAttrib(std::string("  2\n") + tag + "\n 70\n2\n 75\n" +
                                      std::to_string(proptype) + "\n  0\nENDATTRIB\n");
    EXPECT_STREQ(a.GetTag(), wantTag) << tag;
    EXPECT_EQ(a.Proptype(), wantType) << tag;
  }
}

TEST(TTGAttribute, AddTokenReadsOnlyOneAsReadOnlyAndReturnsWhatEndedTheStream) {
  EXPECT_TRUE(ReadAttrib("  2\nA\n 74\n1\n  0\nENDATTRIB\n").ReadOnly());
  EXPECT_FALSE(ReadAttrib("  2\nA\n 74\n2\n  0\nENDATTRIB\n").ReadOnly());
  EXPECT_FALSE(ReadAttrib("  2\nA\n 74\n-1\n  0\nENDATTRIB\n").ReadOnly());
  EXPECT_EQ(Slots(ReadAttrib("  2\nA\n 99\n5\n 71\n8\n 70\n1\n  0\nENDATTRIB\n")), "8 0 -");
  const std::pair<const char*, int> cases[] = {{"  2\nEdge\n  0\nEOF\n", kDxfEnd},
                                               {"  2\nEdge\n 40\n", kDxfLineEof},
                                               {"  2\nEdge\n 40\nwide\n", kDxfBadReal},
                                               {"  2\nEdge\n 70\nmany\n", kDxfBadInteger}};
  for (const auto& [bytes, result] : cases) {
    int rc = -1;
    EXPECT_STREQ(ReadAttrib(bytes, &rc).GetTag(), "Edge") << bytes;
    EXPECT_EQ(rc, result) << bytes;
  }
  EXPECT_EQ(TTGAttribute().AddToken(nullptr), kDxfEnd);
}

TEST(TTGAttribList, SearchFormsFilterBySourceAndIgnoreCase) {
  TTGAttribList list;
  FillSample(list);
  const TTGAttribute* measured = list.Head()->Attrib();
  const TTGAttribute* user = list.Head()->Next()->Attrib();
  EXPECT_EQ(list.Search("PITCH"), user);  // the measured one is skipped
  EXPECT_EQ(list.Search(kPropSourceMeasured, kPropPitch), measured);
  EXPECT_EQ(list.Search(kPropSourceUser, kPropPitch), user);
  EXPECT_EQ(list.Search(kPropPitch), measured);  // any source, first in order
  EXPECT_STREQ(list.Search("height")->GetTag(), "Height");
  EXPECT_EQ(list.Search("Heigh"), nullptr);
  EXPECT_EQ(list.Search(static_cast<const char*>(nullptr)), nullptr);
  EXPECT_EQ(list.Search(kPropDepth), nullptr);
  EXPECT_EQ(list.Search(kPropSourceMeasured, kPropHeight), nullptr);
  EXPECT_EQ(list.Noofattribs(false), 4);
  EXPECT_EQ(list.Noofattribs(true), 2);  // the measured pitch and the name are read-only
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

TEST(TTGAttribList, SetSortMarksOneAttributeAndGivesItsValue) {
  TTGAttribList list;
  FillSample(list);
  EXPECT_EQ(list.SortTag(), nullptr);
  EXPECT_EQ(Taken(list.SortValue()), "<null>");
  list.SetSort("HEIGHT");
  EXPECT_STREQ(list.SortTag(), "Height");
  EXPECT_EQ(Taken(list.SortValue()), "3.50");
  list.SetSort("pitch");  // two carry the tag: the first becomes the key
  EXPECT_EQ(list.Head()->Next()->Attrib()->IsSortKey(), 0);
  EXPECT_EQ(list.Search("Height")->IsSortKey(), 0);
  EXPECT_EQ(Taken(list.SortValue()), "4.00");
  list.SetSort("Name");
  EXPECT_EQ(Taken(list.SortValue()), "Main");
  list.SetSort("Missing");
  for (const TTGAttribItem* item = list.Head(); item != nullptr; item = item->Next())
    EXPECT_EQ(item->Attrib()->IsSortKey(), 0);
}

TEST(TTGAttribList, SetAttribsTakesValuesByTagFromUserAttributes) {
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
}

TEST(TTGAttribList, SaveWritesAllOrOnlyUserAttributes) {
  TTGAttribList list;
  FillSample(list);
  for (const bool binary : {false, true}) {
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
      EXPECT_EQ(Tags(back), all ? "Pitch,Pitch,Height,Name" : "Pitch,Height,Name") << binary;
      EXPECT_EQ(back.Search(kPropPitch)->GetDValue(), all ? 4.0 : 6.0) << binary;
    }
  }
  EXPECT_EQ(list.Save(nullptr, true), kDxfEnd);
}

TEST(TTGAttribList, CopiesAreDeepAndIndependent) {
  TTGAttribList list;
  FillSample(list);
  list.SetSort("Name");
  TTGAttribList copy(list);
  TTGAttribList assigned;
  assigned.Add(new TTGAttribute("Dropped", kPropNone, 0, nullptr, 0, false));
  assigned = list;
  assigned = assigned;
  list.Search("Name")->SetSValue("Changed");
  for (const TTGAttribList* l : {&copy, &assigned}) {
    EXPECT_EQ(Tags(*l), "Pitch,Pitch,Height,Name");
    EXPECT_STREQ(l->SortTag(), "Name");
    EXPECT_STREQ(l->Search("Name")->GetSValue(), "Main");
  }
}
