#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "document/objlist.h"
#include "entities/arc3d.h"
#include "entities/block3d.h"
#include "entities/blocktable.h"
#include "entities/dimension3d.h"
#include "entities/insert3d.h"
#include "entities/line3d.h"
#include "entities/text3d.h"
#include "platform/surface.h"
#include "settings/hostglobals.h"

namespace {

// A drain symbol: a circle and a cross, base at its centre. size changes the geometry, so two
// drains of different sizes are different definitions under one name.
std::unique_ptr<Block3D> Drain(const char* name = "Drain", double size = 1.0) {
  const Point3D base(0, 0);
  auto block = std::make_unique<Block3D>(name, 0, 0, 1.0, &base);
  block->Add(new Arc3D(&base, size), 0);
  block->Add(new Line3D(-size, 0.0, 0.0, size, 0.0, 0.0), 0);
  block->Add(new Line3D(0.0, -size, 0.0, 0.0, size, 0.0), 0);
  return block;
}

Insert3D* NewInsert(Block3D* block, double x, double y) {
  const Point3D at(x, y);
  return new Insert3D(&at, block, 1.0, 0.0);
}

Block3D* Filed(Objlist& doc, const char* name) {
  BlockItem* item = doc.GetBlockTable()->Search(name);
  return item != nullptr ? item->Block() : nullptr;
}

TEST(ObjlistBlocks, AddingAnInsertFilesACopyOfItsBlockUnderAFreeNameWhenTaken) {
  Objlist doc;
  auto callers = Drain();
  auto* first = NewInsert(callers.get(), 5, 5);
  ASSERT_NE(doc.Add(first), nullptr);
  callers.reset();  // the document has its own copy
  Block3D* drain = Filed(doc, "DRAIN");
  ASSERT_NE(drain, nullptr);
  EXPECT_EQ(first->GetBlock(), drain);
  EXPECT_EQ(drain->Count(), 1);

  // The same definition again is shared; a different one under the name goes to "Block1".
  auto same = Drain();
  auto bigger = Drain("Drain", 2.0);
  auto* second = NewInsert(same.get(), 9, 9);
  auto* third = NewInsert(bigger.get(), 1, 1);
  ASSERT_NE(doc.Add(second), nullptr);
  ASSERT_NE(doc.Add(third), nullptr);
  EXPECT_EQ(second->GetBlock(), drain);
  EXPECT_EQ(drain->Count(), 2);
  ASSERT_NE(Filed(doc, "Block1"), nullptr);
  EXPECT_EQ(third->GetBlock(), Filed(doc, "Block1"));
  EXPECT_EQ(doc.GetBlockTable()->NoofBlocks(), 2);

  // Taking an insert out of the document gives its reference back.
  ObjItem* removed = doc.Remove(doc.GetHead()->Next());
  ASSERT_NE(removed, nullptr);
  EXPECT_EQ(drain->Count(), 1);
  delete removed;
  EXPECT_EQ(doc.Noofobjs(), 2);

  // An insert without a block, or with a name the table cannot file, is refused.
  Insert3D unbound;
  EXPECT_EQ(doc.Add(&unbound), nullptr);
  auto unfileable = Drain("\xC8\xC8");  // a negative character sum has no bucket
  Insert3D stray(nullptr, unfileable.get(), 1.0, 0.0);
  EXPECT_EQ(doc.Add(&stray), nullptr);
  EXPECT_EQ(unfileable->Count(), 0);
  EXPECT_EQ(stray.GetBlock(), unfileable.get());
  EXPECT_EQ(doc.Noofobjs(), 2);
}

// A roof plan symbol that nests a drain: filing it files the drain too, so the document never
// points at the caller's blocks.
TEST(ObjlistBlocks, NestedSymbolsAreFiledAndDeletedWithTheirLastUser) {
  Objlist doc;
  {
    auto drain = Drain();
    const Point3D base(0, 0);
    Block3D scupper("Scupper", 0, 0, 1.0, &base);
    scupper.Add(new Line3D(0.0, 0.0, 0.0, 4.0, 0.0, 0.0), 0);
    scupper.Add(NewInsert(drain.get(), 2, 0), 0);
    ASSERT_NE(doc.Add(NewInsert(&scupper, 10, 10)), nullptr);
  }
  Block3D* scupper = Filed(doc, "Scupper");
  Block3D* drain = Filed(doc, "Drain");
  ASSERT_NE(scupper, nullptr);
  ASSERT_NE(drain, nullptr);
  auto* nested = static_cast<Insert3D*>(scupper->Segment(2));
  EXPECT_EQ(nested->GetBlock(), drain);
  EXPECT_EQ(drain->Count(), 1);

  // The drain is part of another definition: deleting it alone is refused.
  EXPECT_EQ(doc.DeleteBlock("drain"), 0);
  EXPECT_NE(Filed(doc, "Drain"), nullptr);
  // Deleting the scupper takes its insert and the drain nothing else uses.
  EXPECT_EQ(doc.DeleteBlock("SCUPPER"), 1);
  EXPECT_EQ(doc.Noofobjs(), 0);
  EXPECT_EQ(doc.GetBlockTable()->NoofBlocks(), 0);
  EXPECT_EQ(doc.DeleteBlock("Scupper"), 0);
  EXPECT_EQ(doc.DeleteBlock(nullptr), 0);
}

TEST(ObjlistBlocks, DeletingABlockKeepsNestedBlocksThatOthersStillUse) {
  Objlist doc;
  auto drain = Drain();
  const Point3D base(0, 0);
  Block3D scupper("Scupper", 0, 0, 1.0, &base);
  scupper.Add(NewInsert(drain.get(), 2, 0), 0);
  ASSERT_NE(doc.Add(NewInsert(&scupper, 10, 10)), nullptr);
  ASSERT_NE(doc.Add(NewInsert(drain.get(), 0, 0)), nullptr);
  EXPECT_EQ(Filed(doc, "Drain")->Count(), 2);
  EXPECT_EQ(doc.DeleteBlock("Scupper"), 1);
  ASSERT_NE(Filed(doc, "Drain"), nullptr);
  EXPECT_EQ(doc.Noofobjs(), 1);
  EXPECT_EQ(static_cast<Insert3D*>(doc.GetHead()->Obj())->GetBlock(), Filed(doc, "Drain"));
}

TEST(ObjlistBlocks, CleanupSymbolsDropsUnusedBlocksAndWithMode1RepeatedInserts) {
  Objlist doc;
  auto drain = Drain();
  ASSERT_NE(doc.Add(NewInsert(drain.get(), 0, 0)), nullptr);
  ASSERT_NE(doc.Add(NewInsert(drain.get(), 5, 0)), nullptr);
  ASSERT_NE(doc.Add_Block(Drain("Unused").release()), nullptr);
  EXPECT_EQ(doc.Add_Block(nullptr), nullptr);
  auto duplicate = Drain("unused");
  EXPECT_EQ(doc.Add_Block(duplicate.get()), nullptr);  // the name is taken: the caller keeps it

  doc.CleanupSymbols(0);
  EXPECT_EQ(Filed(doc, "Unused"), nullptr);
  ASSERT_NE(Filed(doc, "Drain"), nullptr);
  EXPECT_EQ(Filed(doc, "Drain")->BlockFlag(), 0);
  EXPECT_EQ(doc.Noofobjs(), 2);

  doc.CleanupSymbols(1);
  EXPECT_EQ(doc.Noofobjs(), 1);
  EXPECT_EQ(doc.GetHead()->Obj()->Spt()->x, 0.0);  // the first insert stays
  EXPECT_NE(Filed(doc, "Drain"), nullptr);
}

TEST(ObjlistText, TextsTakeTheDrawingScaleAndTheSelectionsFontTools) {
  SetScreenPixelsPerInch(96);
  Objlist doc;
  ASSERT_DOUBLE_EQ(doc.SetDrawingScale(48.0, nullptr, 0), 48.0);
  const Point3D at(3, 4);
  auto* label = new Text3D(&at, "Roof A", 12.0, 0.0);
  auto* note = new Text3D(&at, "Drain", 10.0, 0.0);
  ASSERT_NE(doc.Add(label), nullptr);
  ASSERT_NE(doc.Add(note), nullptr);
  // 48 pixels per foot on a 96-per-inch screen: 12 points are 12 / 72 / 0.5 = 1/3 ft high.
  EXPECT_DOUBLE_EQ(label->XScale(), 0.5);
  EXPECT_NEAR(label->TextHeight(), 1.0 / 3.0, 1e-12);
  // A new drawing scale keeps the point size and changes the height.
  doc.SetDrawingScale(96.0, nullptr, 0);
  EXPECT_DOUBLE_EQ(label->XScale(), 1.0);
  EXPECT_NEAR(label->TextHeight(), 1.0 / 6.0, 1e-12);

  EXPECT_EQ(doc.FontSize(), 0);
  EXPECT_EQ(doc.GetFont(), nullptr);
  EXPECT_EQ(doc.SetFontSize(14), 0);
  doc.SetDirty(0);
  ASSERT_EQ(doc.SelectItemById(label->Id(), true), 1);
  ASSERT_EQ(doc.SelectItemById(note->Id(), true), 1);
  EXPECT_EQ(doc.FontSize(), 0);  // 12 and 10 differ
  EXPECT_EQ(doc.SetFontSize(14), 1);
  EXPECT_EQ(doc.FontSize(), 14);
  EXPECT_EQ(doc.IsDirty(), 1);
  EXPECT_EQ(doc.SetFontAttributes(kTextBold | kTextItalic), 1);
  EXPECT_EQ(doc.FontAttributes(), kTextBold | kTextItalic);
  note->Attributes(kTextItalic);
  EXPECT_EQ(doc.FontAttributes(), 0);
  EXPECT_EQ(doc.SetFontAlignment(kAlignCentre), 1);
  EXPECT_EQ(doc.FontAlignment(), kAlignCentre);
  EXPECT_EQ(doc.SetFont("DejaVu Sans"), 1);
  ASSERT_NE(doc.GetFont(), nullptr);
  EXPECT_STREQ(doc.GetFont()->lfFaceName, "DejaVu Sans");
  EXPECT_EQ(doc.SetFont(static_cast<const char*>(nullptr)), 0);
}

TEST(ObjlistText, DimensionsTakeTheDocumentsSettingsAndTheFontTools) {
  Objlist doc;
  auto* ridge = new Line3D(0.0, 0.0, 0.0, 10.5, 0.0, 0.0);
  ASSERT_NE(doc.Add(ridge), nullptr);
  const Point3D s(0, 0), e(10.5, 0), at(5, 2);
  auto* dimension = new Dimension3D(&s, &e, &at, 0, 10.0, ridge);
  ASSERT_EQ(doc.SetDimensionFeetInch(true), true);
  ASSERT_NE(doc.Add(dimension), nullptr);
  ASSERT_NE(dimension->GetText(), nullptr);
  EXPECT_TRUE(dimension->FeetInchDisplay());
  EXPECT_STREQ(dimension->GetText()->GetText(), "10' 6\"");
  // The document's flag reaches every dimension, and the text follows the line.
  doc.SetDimensionFeetInch(false);
  EXPECT_STREQ(dimension->GetText()->GetText(), "10.5");
  ridge->Ept(12.0, 0.0, 0.0);
  EXPECT_STREQ(dimension->GetText()->GetText(), "12");

  ASSERT_EQ(doc.SelectItemById(dimension->Id(), true), 1);
  EXPECT_EQ(doc.FontSize(), 10);
  EXPECT_EQ(doc.SetFontSize(16), 1);
  EXPECT_DOUBLE_EQ(dimension->Pointsize(), 16.0);
  EXPECT_EQ(doc.SetFont("DejaVu Serif"), 1);
  ASSERT_NE(doc.GetFont(), nullptr);  // the dimension's own text
  EXPECT_STREQ(doc.GetFont()->lfFaceName, "DejaVu Serif");
  EXPECT_EQ(doc.SetFontAlignment(kAlignRight), 0);  // alignment is the texts' alone
}

}  // namespace
