// Attributes of takeoff items and their list: parsing and formatting of values, the list's
// look-ups and sort key, ownership, and the attribute record in both stream forms.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "support/stream_fixture.h"
#include "takeoff/ttgattriblist.h"
#include "takeoff/ttgattribute.h"

namespace {

// GetValue hands out a new[] text; this keeps the tests leak-free and readable.
std::string ValueOf(const TTGAttribute& attrib) {
  const std::unique_ptr<char[]> value(attrib.GetValue());
  return value ? std::string(value.get()) : std::string("<null>");
}

std::string AttribText(const TTGAttribute& attrib, int datatype, int size = 64) {
  std::vector<char> buffer(static_cast<size_t>(size) + 1, '#');
  if (attrib.GetAttrib(datatype, buffer.data(), size) == 0) return "<none>";
  return buffer.data();
}

std::string SortValueOf(const TTGAttribList& list) {
  const std::unique_ptr<char[]> value(list.SortValue());
  return value ? std::string(value.get()) : std::string("<null>");
}

std::string Tags(const TTGAttribList& list) {
  std::string tags;
  for (const TTGAttribItem* item = list.Head(); item != nullptr; item = item->Next())
    tags += std::string(tags.empty() ? "" : ",") + item->Attrib()->GetTag();
  return tags;
}

// A list of typical item attributes: a measured and a user pitch, a height, a read-only name.
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
  const struct {
    int datatype;
    const char* text;
    int ivalue;
    double dvalue;
    const char* svalue;  // null: no string held
  } cases[] = {
      {kDataTypeInteger, " 42abc", 42, 0, nullptr},
      {kDataTypeInteger, "\t-7", -7, 0, nullptr},
      {kDataTypeInteger, "+5", 5, 0, nullptr},
      {kDataTypeInteger, "4.9", 4, 0, nullptr},
      {kDataTypeInteger, "+-3", 0, 0, nullptr},
      {kDataTypeInteger, "abc", 0, 0, nullptr},
      {kDataTypeInteger, nullptr, 0, 0, nullptr},
      {kDataTypeInteger, "99999999999999999999999", INT_MAX, 0, nullptr},
      {kDataTypeInteger, "-2147483648", INT_MIN, 0, nullptr},
      {kDataTypeInteger, "-99999999999", INT_MIN, 0, nullptr},
      {kDataTypeDouble, "3.25", 0, 3.25, nullptr},
      {kDataTypeDouble, "  -1.5e2ft", 0, -150.0, nullptr},
      {kDataTypeDouble, ".5", 0, 0.5, nullptr},
      {kDataTypeDouble, "+2.5", 0, 2.5, nullptr},
      {kDataTypeDouble, "x1", 0, 0.0, nullptr},
      {kDataTypeDouble, nullptr, 0, 0.0, nullptr},
      {kDataTypeDouble, "1e999", 0, HUGE_VAL, nullptr},
      {kDataTypeDouble, "-1e999", 0, -HUGE_VAL, nullptr},
      {kDataTypeDouble, "1e-999", 0, 0.0, nullptr},
      {kDataTypeDouble, "0.00001e-400", 0, 0.0, nullptr},
      {kDataTypeString, "Stand Height", 0, 0, "Stand Height"},
      {kDataTypeString, "", 0, 0, ""},
      {kDataTypeString, nullptr, 0, 0, nullptr},
      {0, "12", 0, 0, nullptr},
      {7, "12", 0, 0, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("type ") + std::to_string(c.datatype) + " text " +
                 (c.text ? c.text : "<null>"));
    // Start from an attribute holding all three values: the other slots must be cleared.
    TTGAttribute a("Tag", kPropLength, kDataTypeInteger, "9", 0, false);
    a.SetDValue(9.5);
    a.SetSValue("old");
    a.SetAttrib(c.datatype, c.text);
    EXPECT_EQ(a.Datatype(), c.datatype);
    EXPECT_EQ(a.GetIValue(), c.ivalue);
    EXPECT_EQ(a.GetDValue(), c.dvalue);  // exact: the parse yields these doubles exactly
    if (c.svalue == nullptr)
      EXPECT_EQ(a.GetSValue(), nullptr);
    else
      EXPECT_STREQ(a.GetSValue(), c.svalue);
  }
}

TEST(TTGAttribute, ConstructorsSetTheSourceAndCutTheTag) {
  const TTGAttribute empty;
  EXPECT_EQ(empty.Propsource(), kPropSourceUser);
  EXPECT_EQ(empty.GetSValue(), nullptr);

  const TTGAttribute user("No. of Stands", kPropSupports, kDataTypeInteger, "3", 1, true);
  EXPECT_EQ(user.Propsource(), kPropSourceUser);
  EXPECT_EQ(user.Proptype(), kPropSupports);
  EXPECT_EQ(user.GetIValue(), 3);
  EXPECT_EQ(user.IsSortKey(), 1);
  EXPECT_TRUE(user.ReadOnly());

  const TTGAttribute measured("Area", kPropSourceMeasured, kPropArea, kDataTypeDouble, "12.5",
                              false);
  EXPECT_EQ(measured.Propsource(), kPropSourceMeasured);
  EXPECT_EQ(measured.IsSortKey(), 0);
  EXPECT_EQ(measured.GetDValue(), 12.5);

  const std::string longTag(40, 'x');
  TTGAttribute cut(longTag.c_str(), kPropNone, kDataTypeString, "v", 0, false);
  EXPECT_EQ(std::string(cut.GetTag()), longTag.substr(0, kAttribTagSize - 1));
  cut.SetTag(nullptr);
  EXPECT_STREQ(cut.GetTag(), "");
}

TEST(TTGAttribute, GetAttribFormatsTheRequestedSlotIntoTheBuffer) {
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
}

TEST(TTGAttribute, GetValueUsesTwoDecimalsForDoubles) {
  const struct {
    int datatype;
    const char* text;
    const char* value;
  } cases[] = {
      {kDataTypeInteger, "42", "42"},
      {kDataTypeInteger, "-2147483648", "-2147483648"},
      {kDataTypeDouble, "3.14159", "3.14"},
      {kDataTypeDouble, "2.675", "2.67"},  // 2.675 is stored just below the half
      {kDataTypeDouble, "0.125", "0.12"},  // an exact half rounds to even, as printf does
      {kDataTypeDouble, "-0.004", "-0.00"},
      {kDataTypeDouble, "12", "12.00"},
      {kDataTypeString, "Ridge", "Ridge"},
      {kDataTypeString, nullptr, ""},
      {0, "5", "<null>"},
  };
  for (const auto& c : cases) {
    const TTGAttribute a("Tag", kPropNone, c.datatype, c.text, 0, false);
    EXPECT_EQ(ValueOf(a), c.value) << (c.text ? c.text : "<null>");
  }
}

TEST(TTGAttribute, SetFromOtherCopiesOnlyTheValues) {
  TTGAttribute target("Width", kPropSourceMeasured, kPropWidth, kDataTypeDouble, "1", true);
  target.SetSortKey(1);
  TTGAttribute source("Other", kPropSourceUser, kPropDepth, kDataTypeString, "deep", false);
  source.SetIValue(7);
  source.SetDValue(8.5);
  target.Set(&source);
  EXPECT_STREQ(target.GetTag(), "Width");
  EXPECT_EQ(target.Propsource(), kPropSourceMeasured);
  EXPECT_EQ(target.Proptype(), kPropWidth);
  EXPECT_EQ(target.Datatype(), kDataTypeDouble);
  EXPECT_TRUE(target.ReadOnly());
  EXPECT_EQ(target.IsSortKey(), 1);
  EXPECT_EQ(target.GetIValue(), 7);
  EXPECT_EQ(target.GetDValue(), 8.5);
  ASSERT_NE(target.GetSValue(), nullptr);
  EXPECT_STREQ(target.GetSValue(), "deep");
  EXPECT_NE(target.GetSValue(), source.GetSValue());  // its own copy

  target.Set(nullptr);
  target.Set(&target);
  target.SetSValue(target.GetSValue());  // the old text must outlive the copy
  EXPECT_STREQ(target.GetSValue(), "deep");
  EXPECT_EQ(target.GetDValue(), 8.5);
}

TEST(TTGAttribute, CopiesDuplicateTheString) {
  TTGAttribute original("Name", kPropSourceMeasured, kPropRoofName, kDataTypeString, "A", true);
  original.SetSortKey(2);
  const std::unique_ptr<TTGAttribute> copy(original.Copy());
  TTGAttribute assigned;
  assigned = original;
  assigned = assigned;
  for (const TTGAttribute* a : {copy.get(), &assigned}) {
    ASSERT_NE(a, nullptr);
    EXPECT_STREQ(a->GetTag(), "Name");
    EXPECT_EQ(a->Propsource(), kPropSourceMeasured);
    EXPECT_EQ(a->Proptype(), kPropRoofName);
    EXPECT_EQ(a->Datatype(), kDataTypeString);
    EXPECT_EQ(a->IsSortKey(), 2);
    EXPECT_TRUE(a->ReadOnly());
    EXPECT_STREQ(a->GetSValue(), "A");
    EXPECT_NE(a->GetSValue(), original.GetSValue());
  }
  original.SetSValue("B");
  EXPECT_STREQ(copy->GetSValue(), "A");
}

TEST(TTGAttribute, SaveWritesOnlyTheGroupsThatCarryAValue) {
  TTGAttribute full("Pitch", kPropPitch, kDataTypeDouble, "6.5", 1, true);
  full.SetIValue(3);
  full.SetSValue("s");
  ExpectGroups(WrittenBytes(false, [&](DXFGroup& s) { EXPECT_EQ(full.Save(&s), 0); }), false,
               {"0 1526", "0 2 sPitch", "0 3 ss", "0 40 r6.5", "0 70 i2", "0 71 i3", "0 72 i1",
                "0 74 i1", "0 75 i7", "0 1527"});
  const TTGAttribute bare("Count", kPropNone, kDataTypeInteger, "0", 0, false);
  ExpectGroups(
      WrittenBytes(false, [&](DXFGroup& s) { EXPECT_EQ(bare.Save(&s), 0); }), false,
      {"0 1526", "0 2 sCount", "0 70 i1", "0 75 i0", "0 1527", "15"});  // then the end of the file
  EXPECT_EQ(bare.Save(nullptr), kDxfEnd);
}

TEST(TTGAttribute, SaveHoldsWideIntegersAtTheStreamLimits) {
  TTGAttribute a("Count", kPropCount, kDataTypeInteger, "70000", 0, false);
  a.SetSortKey(65536);
  a.Proptype(-40000);
  ExpectGroups(WrittenBytes(true, [&](DXFGroup& s) { a.Save(&s); }), true,
               {"0 1526", "0 2", "0 70 i1", "0 71 i32767", "0 72 i32767", "0 75 i-32768"});
}

TEST(TTGAttribute, RoundTripsInBothFormsAndPushesTheNextKeywordBack) {
  std::vector<TTGAttribute> samples;
  samples.emplace_back("Pitch", kPropPitch, kDataTypeDouble, "-0.3333333333333", 1, false);
  samples.emplace_back("No. of Stands", kPropSupports, kDataTypeInteger, "-12", 0, true);
  samples.emplace_back("Name", kPropRoofName, kDataTypeString, "Garage roof", 0, false);
  samples.emplace_back("Note", kPropNone, kDataTypeString, "", 0, false);
  for (const bool binary : {false, true}) {
    for (const TTGAttribute& original : samples) {
      SCOPED_TRACE(std::string(original.GetTag()) + (binary ? " binary" : " text"));
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
      EXPECT_STREQ(back.GetTag(), original.GetTag());
      EXPECT_EQ(back.Datatype(), original.Datatype());
      EXPECT_EQ(back.Proptype(), original.Proptype());
      EXPECT_EQ(back.GetIValue(), original.GetIValue());
      EXPECT_NEAR(back.GetDValue(), original.GetDValue(), 1e-12);
      EXPECT_EQ(back.IsSortKey(), original.IsSortKey());
      EXPECT_EQ(back.ReadOnly(), original.ReadOnly());
      EXPECT_EQ(ValueOf(back), ValueOf(original));
      EXPECT_EQ(in.stream.GetGroup(), 0);
      EXPECT_EQ(in.stream.Code(), kDxfSeqend);
    }
  }
}

TEST(TTGAttribute, AddTokenRepairsTagsOfOldFiles) {
  const struct {
    const char* tag;
    int proptype;
    const char* wantTag;
    int wantType;
  } cases[] = {
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
      {"No. of Legs", kPropSupports, "No. of Stands", kPropSupports},
      {"no. of legs", kPropNone, "No. of Stands", kPropNone},
      {"Leg Height", kPropHeight, "Stand Height", kPropHeight},
      {"Leg Diameter", kPropNone, "Stand Diameter", kPropNone},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tag);
    const TTGAttribute a = ReadAttrib(std::string("  2\n") + c.tag + "\n 70\n2\n 75\n" +
                                      std::to_string(c.proptype) + "\n  0\nENDATTRIB\n");
    EXPECT_STREQ(a.GetTag(), c.wantTag);
    EXPECT_EQ(a.Proptype(), c.wantType);
  }
}

TEST(TTGAttribute, AddTokenReadsOnlyOneAsReadOnlyAndSkipsUnknownGroups) {
  EXPECT_TRUE(ReadAttrib("  2\nA\n 74\n1\n  0\nENDATTRIB\n").ReadOnly());
  EXPECT_FALSE(ReadAttrib("  2\nA\n 74\n2\n  0\nENDATTRIB\n").ReadOnly());
  EXPECT_FALSE(ReadAttrib("  2\nA\n 74\n-1\n  0\nENDATTRIB\n").ReadOnly());
  const TTGAttribute a = ReadAttrib("  2\nA\n 99\n5\n 71\n8\n 70\n1\n  0\nENDATTRIB\n");
  EXPECT_EQ(a.GetIValue(), 8);
  EXPECT_EQ(a.Datatype(), kDataTypeInteger);
}

TEST(TTGAttribute, AddTokenReturnsWhatEndedTheStream) {
  const struct {
    const char* bytes;
    int result;
  } cases[] = {{"  2\nEdge\n  0\nEOF\n", kDxfEnd},
               {"  2\nEdge\n 40\n", kDxfLineEof},
               {"  2\nEdge\n 40\nwide\n", kDxfBadReal},
               {"  2\nEdge\n 70\nmany\n", kDxfBadInteger}};
  for (const auto& c : cases) {
    int rc = -1;
    const TTGAttribute a = ReadAttrib(c.bytes, &rc);
    EXPECT_EQ(rc, c.result) << c.bytes;
    EXPECT_STREQ(a.GetTag(), "Edge") << c.bytes;
  }
  TTGAttribute a;
  EXPECT_EQ(a.AddToken(nullptr), kDxfEnd);
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
}

TEST(TTGAttribList, RemoveUnlinksTheFirstMatchAndHandsOverItsNode) {
  TTGAttribList list;
  EXPECT_EQ(list.Add(nullptr), nullptr);
  FillSample(list);
  EXPECT_EQ(Tags(list), "Pitch,Pitch,Height,Name");
  const std::unique_ptr<TTGAttribItem> middle(list.Remove("HEIGHT"));
  ASSERT_NE(middle, nullptr);
  EXPECT_STREQ(middle->Attrib()->GetTag(), "Height");
  EXPECT_EQ(middle->Next(), nullptr);
  EXPECT_EQ(Tags(list), "Pitch,Pitch,Name");
  const std::unique_ptr<TTGAttribItem> first(list.Remove("pitch"));
  EXPECT_EQ(first->Attrib()->Propsource(), kPropSourceMeasured);
  const std::unique_ptr<TTGAttribItem> last(list.Remove("Name"));
  EXPECT_EQ(Tags(list), "Pitch");
  EXPECT_EQ(list.Head(), list.Tail());
  EXPECT_EQ(list.Head()->Prev(), nullptr);
  EXPECT_EQ(list.Head()->Next(), nullptr);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Remove("Name"), nullptr);
  EXPECT_EQ(list.Remove(nullptr), nullptr);
}

TEST(TTGAttribList, ClearWithoutDeletingLeavesTheAttributesToTheCaller) {
  TTGAttribList list;
  TTGAttribute* kept = new TTGAttribute("Kept", kPropNone, kDataTypeString, "k", 0, false);
  list.Add(kept);
  list.Clear(false);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Head(), nullptr);
  EXPECT_EQ(list.Tail(), nullptr);
  EXPECT_STREQ(kept->GetSValue(), "k");  // still alive
  delete kept;

  TTGAttribItem node(new TTGAttribute());
  delete node.Release();
  EXPECT_EQ(node.Attrib(), nullptr);
  FillSample(list);
  list.Clear(true);
  EXPECT_EQ(list.Count(), 0);
  const TTGAttribItem* added = list.Add(new TTGAttribute());
  EXPECT_EQ(added, list.Head());  // usable after clearing
}

TEST(TTGAttribList, SetSortMarksOneAttributeAndGivesItsValue) {
  TTGAttribList list;
  FillSample(list);
  EXPECT_EQ(list.SortTag(), nullptr);
  EXPECT_EQ(SortValueOf(list), "<null>");
  list.SetSort("HEIGHT");
  EXPECT_STREQ(list.SortTag(), "Height");
  EXPECT_EQ(SortValueOf(list), "3.50");
  list.SetSort("pitch");  // two carry the tag: the first becomes the key
  EXPECT_EQ(list.Head()->Attrib()->IsSortKey(), 1);
  EXPECT_EQ(list.Head()->Next()->Attrib()->IsSortKey(), 0);
  EXPECT_EQ(list.Search("Height")->IsSortKey(), 0);
  EXPECT_EQ(SortValueOf(list), "4.00");
  list.SetSort("Name");
  EXPECT_EQ(SortValueOf(list), "Main");
  list.SetSort(nullptr);
  EXPECT_EQ(list.SortTag(), nullptr);
  list.SetSort("Missing");
  for (const TTGAttribItem* item = list.Head(); item != nullptr; item = item->Next())
    EXPECT_EQ(item->Attrib()->IsSortKey(), 0);
}

TEST(TTGAttribList, NoofattribsCountsEditableOnesOnRequest) {
  TTGAttribList list;
  FillSample(list);
  EXPECT_EQ(list.Noofattribs(false), 4);
  EXPECT_EQ(list.Noofattribs(true), 2);
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
  const TTGAttribute* measured = list.Head()->Attrib();
  const TTGAttribute* user = list.Search("Pitch");
  EXPECT_EQ(measured->GetDValue(), 4.0);  // property source 0 is left alone
  EXPECT_EQ(user->GetIValue(), 9);
  EXPECT_EQ(user->GetDValue(), 0.0);
  EXPECT_EQ(user->Datatype(), kDataTypeDouble);  // only the values move
  EXPECT_STREQ(list.Search("Name")->GetSValue(), "Porch");
  EXPECT_EQ(list.Count(), 4);
}

TEST(TTGAttribList, SaveWritesAllOrOnlyUserAttributes) {
  TTGAttribList list;
  FillSample(list);
  for (const bool binary : {false, true}) {
    for (const bool all : {true, false}) {
      SCOPED_TRACE(std::string(binary ? "binary" : "text") + (all ? " all" : " user"));
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
  for (const TTGAttribList* l : {&copy, &assigned}) {
    EXPECT_EQ(Tags(*l), Tags(list));
    EXPECT_EQ(l->Count(), 4);
    EXPECT_NE(l->Head()->Attrib(), list.Head()->Attrib());
    EXPECT_STREQ(l->SortTag(), "Name");
  }
  list.Search("Name")->SetSValue("Changed");
  EXPECT_STREQ(copy.Search("Name")->GetSValue(), "Main");
  EXPECT_STREQ(assigned.Search("Name")->GetSValue(), "Main");
}
