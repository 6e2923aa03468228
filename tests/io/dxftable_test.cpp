// Tables and their entries: every kind written and read back in both stream forms, look-up,
// and damaged streams.

#include "io/dxftable.h"

#include <gtest/gtest.h>

#include <string>

#include "document/layeritem.h"
#include "io/dxfgroup.h"
#include "render/colours.h"
#include "support/stream_fixture.h"

namespace {

constexpr short kEntryKinds[] = {kDxfAppid, kDxfLayer, kDxfLtype, kDxfStyle,
                                 kDxfView,  kDxfVport, kDxfUcs,   kDxfDimstyle};

// Reads tables up to the end of the stream: a table reads its own groups, each entry keyword
// makes an entry of its kind. Returns the stream result that ended the reading.
int ReadTables(DXFGroup& s, DXFTableList& list) {
  DXFTable* table = nullptr;
  for (;;) {
    int result = s.GetGroup();
    if (result != kDxfOk) return result;
    if (s.Code() == kDxfTable) {
      table = list.Add(new DXFTable);
      result = table->AddToken(&s);
    } else if (s.Code() == kDxfEndtab) {
      table = nullptr;
    } else if (DXFTableItem* item = table != nullptr ? MakeTableItem(s.Code()) : nullptr) {
      table->Add(item);
      result = item->AddToken(&s);
    }
    if (result != kDxfOk && result != 1) return result;
  }
}

// Every extra group of an entry gets a value of its own that tells the codes apart; the
// dimension style's raw-line integers include 0 and negatives, which the binary form must keep.
void FillGroups(DXFTableItem& item) {
  for (short code = 1; code < 200; ++code) {
    if (!item.HasGroup(code)) continue;
    const std::string text = "t" + std::to_string(code);
    EXPECT_EQ(item.Text(code, text.c_str()) + item.Real(code, code + 0.25) +
                  item.Integer(code, code == 170 ? 0 : 7 - code),
              1)
        << code;
  }
}

void FillList(DXFTableList& list) {
  for (const short kind : kEntryKinds) {
    DXFTable* table = list.Add(new DXFTable(DXFGroup::KeywordText(kind), 2));
    for (const char* name : {"First", "ENTITIES"}) {
      DXFTableItem* item = table->Add(MakeTableItem(kind));
      item->Name(name);
      item->Flags(kind - 1500);
      FillGroups(*item);
    }
  }
  auto* ltype = static_cast<DXFTableLType*>(list.Find("LTYPE")->First());
  for (const double dash : {0.5, -0.25, 0.0})
    ltype->AddDash(dash);
}

std::string Written(const DXFTableList& list, bool binary) {
  return WrittenBytes(binary, [&](DXFGroup& s) {
    EXPECT_EQ(const_cast<DXFTableList&>(list).Save(&s), kDxfOk);
    s.PutKeyword(kDxfEof);
  });
}

}  // namespace

TEST(DXFTableList, EveryKindRoundTripsInBothForms) {
  DXFTableList list;
  FillList(list);
  for (const bool binary : {false, true}) {
    const std::string bytes = Written(list, binary);
    StreamOver in(bytes, binary);
    DXFTableList back;
    EXPECT_EQ(ReadTables(in.stream, back), kDxfEnd);
    EXPECT_EQ(in.stream.Code(), kDxfEof);
    ASSERT_EQ(back.Count(), 8);
    EXPECT_EQ(Written(back, binary), bytes) << binary;

    // Equal bytes show every value came back; these show they came back where they belong.
    const DXFTableItem* entry = back.Find("dimstyle")->Find("entities");
    ASSERT_NE(entry, nullptr);  // a section's name is an entry's name too
    EXPECT_EQ(entry->Kind(), kDxfDimstyle);
    EXPECT_EQ(entry->Integer(140) + entry->Integer(170), -133);
    EXPECT_EQ(static_cast<DXFTableLType*>(back.Find("LTYPE")->First())->NoofDashes(), 3);
  }
}

TEST(DXFTableList, WrittenLayout) {
  DXFTableList list;
  DXFTable* layers = list.Add(new DXFTable("LAYER", 1));
  DXFTableItem* layer = layers->Add(new DXFTableLayer("Walls", 4));
  layer->Text(6, "DASHED");
  layer->Integer(67, 1);
  DXFTable* ltypes = list.Add(new DXFTable);  // no name: written empty
  auto* ltype = static_cast<DXFTableLType*>(ltypes->Add(new DXFTableLType));
  ltype->Integer(72, 65);
  ltype->AddDash(0.5);
  const std::string text = WrittenBytes(false, [&](DXFGroup& s) { list.Save(&s); });
  // An entry opens with its table's name; an unnamed table's entries fall back to their kind.
  ExpectGroups(text, false,
               {"0 1502 sTABLE", "0 2 sLAYER",  "0 70 i1",       "0 1513 sLAYER",  "0 2 sWalls",
                "0 70 i4",       "0 6 sDASHED", "0 67 i1",       "0 1503 sENDTAB", "0 1502",
                "0 2 s",         "0 70 i0",     "0 1514 sLTYPE", "0 2 s",          "0 70 i0",
                "0 3 s",         "0 40 r0",     "0 72 i65",      "0 73 i1",        "0 49 r0.5",
                "0 1503",        "15"});

  // The binary form carries the dimension style's integers as text lines.
  DXFTableDimStyle dims("D");
  dims.Integer(145, -2);
  const std::string bytes = WrittenBytes(true, [&](DXFGroup& s) { dims.Save(&s, "DIMSTYLE"); });
  EXPECT_NE(bytes.find(bin::Code(145) + bin::Str("-2")), std::string::npos);
}

TEST(DXFTableList, LookUpAndOwnership) {
  DXFTableList list;
  DXFTable* table = list.Add(new DXFTable("Style"));
  EXPECT_EQ(list.Add(table), nullptr);
  EXPECT_EQ(list.Find("STYLE"), table);
  EXPECT_EQ(list.Find("LAYER"), nullptr);
  DXFTableItem* standard = table->Add(new DXFTableStyle("Standard"));
  EXPECT_EQ(table->Find("STANDARD"), standard);
  DXFTable other;
  DXFTableItem* foreign = other.Add(new DXFTableItem("ACAD"));
  EXPECT_EQ(table->Delete(foreign), 0);
  EXPECT_EQ(table->Delete(standard), 1);
  EXPECT_EQ(table->Count(), 0);
  EXPECT_EQ(MakeTableItem(kDxfLine), nullptr);

  // A kind lacks the other kinds' groups: refused, and read as empty.
  DXFTableUCS ucs;
  EXPECT_EQ(ucs.Real(40, 1.0) + ucs.Integer(10, 1), 0);  // 10 is a real
  EXPECT_STREQ(ucs.Text(3), "");

  // A document layer becomes an entry with its name, flags and line type name.
  const LayerItem walls("Walls", kLayerFrozen, 3, 2);
  const DXFTableLayer entry(&walls);
  EXPECT_STREQ(entry.Name(), "Walls");
  EXPECT_EQ(entry.Flags(), kLayerFrozen);
  EXPECT_STREQ(entry.Text(6), GetStyleName(2));
  EXPECT_EQ(DXFTableLayer(static_cast<const LayerItem*>(nullptr)).Name(), nullptr);
}

TEST(DXFTableList, DamagedStreams) {
  DXFTableList list;
  FillList(list);
  EXPECT_EQ(list.Save(nullptr), kTableNoStream);
  EXPECT_EQ(list.First()->First()->Save(nullptr, "APPID"), kTableNoStream);
  // Every cut of a written stream ends with a stream failure, never with the normal end.
  for (const bool binary : {false, true}) {
    DXFGroup unattached;
    unattached.Binary(binary);
    EXPECT_EQ(list.Save(&unattached), kDxfEnd);
    const std::string bytes = Written(list, binary);
    for (size_t cut = 0; cut + 1 < bytes.size(); cut += binary ? 1 : 3) {
      StreamOver in(bytes.substr(0, cut), binary);
      DXFTableList back;
      const int result = ReadTables(in.stream, back);
      EXPECT_TRUE(result == kDxfEnd ? in.stream.Code() != kDxfEof : result >= kDxfNegativeCode)
          << binary << " cut " << cut << " result " << result;
    }
  }
  // Unreadable values end an entry with the stream's code; a raw line without a number is
  // skipped; a dash count that does not match the dashes is not trusted.
  const auto entryResult = [](short kind, const std::string& groups) {
    StreamOver in(groups, false);
    DXFTableItem* item = MakeTableItem(kind);
    const int result = item->AddToken(&in.stream);
    delete item;
    return result;
  };
  EXPECT_EQ(entryResult(kDxfLayer, " 70\nabc\n"), kDxfBadInteger);
  EXPECT_EQ(entryResult(kDxfView, " 40\nzz\n"), kDxfBadReal);
  EXPECT_EQ(entryResult(kDxfUcs, " -5\n"), kDxfNegativeCode);
  EXPECT_EQ(entryResult(kDxfStyle, "  3\n"), kDxfLineEof);
  const std::string odd = " 73\n  1000\n 49\n1.5\n140\nxyz\n141\n  12\n  0\nENDTAB\n";
  DXFTableLType ltype;
  DXFTableDimStyle dims;
  StreamOver ltypeIn(odd, false), dimsIn(odd, false);
  EXPECT_EQ(ltype.AddToken(&ltypeIn.stream) + dims.AddToken(&dimsIn.stream), 2);
  EXPECT_EQ(ltype.NoofDashes(), 1);
  EXPECT_EQ(dims.Integer(140), 0);
  EXPECT_EQ(dims.Integer(141), 12);
  ExpectGroups(dimsIn.stream, {"0 1503"});  // the keyword was pushed back
}
