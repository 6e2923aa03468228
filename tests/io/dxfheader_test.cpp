// Header variables: their kinds written and read back in both stream forms, and the list's
// look-up and setting rules.

#include "io/dxfheader.h"

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>

#include "io/dxfgroup.h"
#include "support/stream_fixture.h"

namespace {

// Reads a header section back the way the drawing reader does: value groups go through the
// list's setters with their own code, a pending 10/20(/30) becomes a point.
int ReadHeader(DXFGroup& s, DXFHeaderList& list) {
  std::string name;
  Point3D p;
  int axes = 0;
  auto flush = [&] {
    if (axes == 1) list.SetHeaderDValue(name.c_str(), kHeaderXCode, p.x);
    if (axes >= 2) list.SetHeaderPoint(name.c_str(), &p, axes == 3);
    axes = 0;
  };
  for (;;) {
    const int result = s.GetGroup();
    const short code = s.Code();
    if (result != kDxfOk || code == kHeaderNameCode) flush();
    if (result != kDxfOk) return result;
    if (code == kHeaderNameCode) name = s.StringValue();
    if (code >= kHeaderXCode && code <= kHeaderZCode && code % 10 == 0) {
      axes = code / 10;
      (axes == 1 ? p.x : axes == 2 ? p.y : p.z) = s.RealValue();
    }
    if (code >= 1 && code <= 8) list.SetHeaderSValue(name.c_str(), code, s.StringValue());
    if (code >= 40 && code <= 59) list.SetHeaderDValue(name.c_str(), code, s.RealValue());
    if (code >= 60 && code <= 79) list.SetHeaderIValue(name.c_str(), code, s.IntValue());
  }
}

void FillEveryKind(DXFHeaderList& list) {
  const Point3D plan(12.5, -3.25, 99.0);
  const Point3D space(1.0, 2.0, -0.125);
  list.SetHeaderSValue("$ACADVER", 1, "AC1009");
  list.SetHeaderSValue("$HANDSEED", 5, "1F4");
  list.SetHeaderSValue("$NOTHING", 7, nullptr);
  list.SetHeaderIValue("$LUNITS", 70, -2);
  list.SetHeaderIValue("$HUGE", 62, 100000);
  list.SetHeaderDValue("$TEGOLUXSCALE", 40, 0.1);
  list.SetHeaderPoint("$LIMMAX", &plan, false);
  list.SetHeaderPoint("$INSBASE", &space, true);
  list.SetHeaderSValue("$SOMEOTHERPROGRAM", 3, "kept as it came");
}

}  // namespace

TEST(DXFHeaderList, EveryKindRoundTripsInBothForms) {
  for (const bool binary : {false, true}) {
    DXFHeaderList list;
    FillEveryKind(list);
    const std::string bytes =
        WrittenBytes(binary, [&](DXFGroup& s) { EXPECT_EQ(list.Save(&s), kDxfOk); });

    StreamOver in(bytes + (binary ? bin::Code(0) + bin::Str("EOF") : "  0\nEOF\n"), binary);
    ASSERT_EQ(in.stream.GetGroup(), kDxfOk);
    EXPECT_EQ(in.stream.Code(), kDxfHeader);
    DXFHeaderList back;
    EXPECT_EQ(ReadHeader(in.stream, back), kDxfEnd);
    ASSERT_EQ(back.Count(), list.Count());
    // Same kinds and codes in the same order, and the same bytes when written again.
    for (DXFHeader *a = list.First(), *b = back.First(); a != nullptr; a = list.Next()) {
      EXPECT_EQ(typeid(*a), typeid(*b)) << a->Name();
      EXPECT_EQ(a->Code(), b->Code()) << a->Name();
      b = back.Next();
    }
    EXPECT_EQ(WrittenBytes(binary, [&](DXFGroup& s) { back.Save(&s); }), bytes) << binary;
    // A 32-bit integer travels as the nearest 16-bit one; a null string as the empty one.
    EXPECT_EQ(back.GetHeaderIValue("$HUGE"), 32767);
    EXPECT_EQ(back.GetHeaderIValue("$LUNITS"), -2);
    EXPECT_DOUBLE_EQ(back.GetHeaderDValue("$TEGOLUXSCALE"), 0.1);
    EXPECT_EQ(back.Find("$NOTHING")->GetHeaderSValue()[0], '\0');
    // No stream, or one that refuses the bytes.
    DXFGroup unattached;
    unattached.Binary(binary);
    EXPECT_EQ(list.Save(&unattached), kDxfEnd);
    EXPECT_EQ(list.Find("$INSBASE")->Save(&unattached), kDxfEnd);
    EXPECT_EQ(list.Save(nullptr), kHeaderNoStream);
    EXPECT_EQ(list.First()->Save(nullptr), kHeaderNoStream);
  }
}

TEST(DXFHeaderList, WrittenLayoutOfEachKind) {
  DXFHeaderList list;
  FillEveryKind(list);
  const std::string text = WrittenBytes(false, [&](DXFGroup& s) { list.Save(&s); });
  // A plan point is 10 and 20 only; the next variable follows at once.
  // clang-format off
  ExpectGroups(text, false,
               {"0 1505",
                "0 9 s$ACADVER", "0 1 sAC1009",
                "0 9 s$HANDSEED", "0 5 s1F4",
                "0 9 s$NOTHING", "0 7 s",
                "0 9 s$LUNITS", "0 70 i-2",
                "0 9 s$HUGE", "0 62 i32767",
                "0 9 s$TEGOLUXSCALE", "0 40 r0.1",
                "0 9 s$LIMMAX", "0 10 r12.5", "0 20 r-3.25",
                "0 9 s$INSBASE", "0 10 r1", "0 20 r2", "0 30 r-0.125",
                "0 9 s$SOMEOTHERPROGRAM", "0 3 skept as it came",
                "15"});
  // clang-format on
}

TEST(DXFHeaderList, SettingAndLookUp) {
  DXFHeaderList list;
  EXPECT_EQ(list.SetHeaderSValue("$CLAYER", 8, "WALLS"), 1);
  EXPECT_EQ(list.SetHeaderSValue("$CLAYER", 8, "ROOF"), 1);
  EXPECT_EQ(list.Count(), 1);
  char buffer[8] = "junk";
  EXPECT_STREQ(list.GetHeaderSValue("$CLAYER", buffer, sizeof buffer), "ROOF");
  EXPECT_EQ(list.GetHeaderSValue("$CLAYER", buffer, 3), buffer);
  EXPECT_STREQ(buffer, "RO");
  EXPECT_EQ(list.GetHeaderSValue("$CLAYER", nullptr, 8), nullptr);
  EXPECT_EQ(list.Find("$clayer"), nullptr);  // names match exactly

  // A string variable has no integer: refused, kind and value kept.
  EXPECT_EQ(list.SetHeaderIValue("$CLAYER", 70, 5), 0);
  EXPECT_EQ(list.GetHeaderIValue("$CLAYER"), 0);
  EXPECT_NE(dynamic_cast<DXFHeaderStr*>(list.Find("$CLAYER")), nullptr);
  EXPECT_EQ(list.SetHeaderSValue("$CLAYER", 8, ""), 1);
  EXPECT_EQ(list.GetHeaderSValue("$CLAYER", buffer, sizeof buffer), nullptr);
  EXPECT_EQ(list.SetHeaderSValue("$CLAYER", 8, nullptr), 1);
  EXPECT_EQ(list.Find("$CLAYER")->GetHeaderSValue(), nullptr);

  // Missing variables give zero values; a missing point is the origin.
  Point3D p(7.0, 7.0, 7.0);
  EXPECT_EQ(list.GetHeaderPoint("$EXTMIN", &p), 0);
  EXPECT_EQ(p, Point3D(0.0, 0.0, 0.0));
  EXPECT_EQ(list.GetHeaderIValue("$EXTMIN") + list.GetHeaderDValue("$EXTMIN"), 0.0);

  // An existing plan point keeps x and y of a point in space; its real value is x.
  const Point3D plan(1.0, 2.0);
  const Point3D space(4.0, 5.0, 6.0);
  list.SetHeaderPoint("$LIMMIN", &plan, false);
  EXPECT_EQ(list.Find("$LIMMIN")->Code(), kHeaderPoint2DCode);
  EXPECT_EQ(list.SetHeaderPoint("$LIMMIN", &space, true), 1);
  EXPECT_EQ(list.GetHeaderPoint("$LIMMIN", &p), 1);
  EXPECT_EQ(p, Point3D(4.0, 5.0, 0.0));
  EXPECT_EQ(list.GetHeaderDValue("$LIMMIN"), 4.0);
  EXPECT_EQ(list.SetHeaderPoint("$LIMMIN", nullptr, true), 0);

  // Codes that would not read back as the variable's value are refused.
  for (const int code : {0, 9, -1, 100, 999, 1000, int{kDxfEof}})
    EXPECT_EQ(list.SetHeaderIValue("$BAD", static_cast<short>(code), 1), 0) << code;
  EXPECT_EQ(list.SetHeaderDValue(nullptr, 40, 1.0), 0);

  // The walk follows insertion order; deleting the variable it stands on ends it.
  ASSERT_EQ(list.First(), list.Find("$CLAYER"));
  EXPECT_EQ(list.Next(), list.Find("$LIMMIN"));
  EXPECT_EQ(list.Delete("$LIMMIN"), 1);
  EXPECT_EQ(list.Next(), nullptr);
  EXPECT_EQ(list.Delete("$LIMMIN"), 0);
  EXPECT_EQ(list.Count(), 1);
}
