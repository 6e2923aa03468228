#include "entities/block3d.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "entities/blocktable.h"
#include "entities/insert3d.h"
#include "entities/line3d.h"
#include "entities/text3d.h"
#include "platform/host.h"
#include "support/box_matchers.h"
#include "support/geometry_matchers.h"

namespace {

Line3D* NewLine(double x1, double y1, double x2, double y2) {
  return new Line3D(x1, y1, 0.0, x2, y2, 0.0);
}

// A block of one line from its base point (0, 0) to (1, 0).
Block3D* NewBlock(const char* name, int blockType = 0) {
  auto* block = new Block3D(name, blockType, 0, 1.0, nullptr);
  block->Add(NewLine(0, 0, 1, 0), 0);
  return block;
}

Insert3D* NewInsertOf(Block3D* block) {
  const Point3D at(5, 5, 0);
  return new Insert3D(&at, block, 1.0, 0.0);
}

std::vector<std::string> WalkNames(BlockTable& table) {
  std::vector<std::string> names;
  for (BlockItem* item = table.Next(1); item != nullptr; item = table.Next(0))
    names.emplace_back(item->Block()->Blockname());
  return names;
}

int RecordBox(HWND, const char* text, const char* caption, UINT flags, void* context) {
  static_cast<std::vector<std::string>*>(context)->push_back(std::string(text) + "|" + caption +
                                                             "|" + std::to_string(flags));
  return IDOK;
}

}  // namespace

// ---- Block3D ------------------------------------------------------------------------------

TEST(Block3D, BlockNameAndEntityNameAreKeptApart) {
  const Point3D base(1, 2, 0);
  Block3D drain("Drain", kTemplateBlocktype, 1, 2.5, &base);
  EXPECT_EQ(drain.Type(), kEntityBlock);
  EXPECT_STREQ(drain.Name(), "Drain");
  EXPECT_STREQ(drain.Name(0, nullptr), "block");
  EXPECT_THAT(*drain.Base(), PointIs(1.0, 2.0, 0.0));

  // An empty name reads as null through Name and as "" through Blockname; names are cut to 100
  // characters.
  Block3D unnamed(nullptr, 0, 0, 1.0, nullptr);
  EXPECT_EQ(unnamed.Name(), nullptr);
  EXPECT_STREQ(unnamed.Blockname(), "");
  const std::string longName(150, 'x');
  EXPECT_EQ(std::string(unnamed.Name(longName.c_str())), std::string(100, 'x'));
  EXPECT_EQ(unnamed.Name(nullptr), nullptr);
}

TEST(Block3D, AddKeepsTheBoxOfNonInsertMembersAndCountsInserts) {
  Block3D symbol("Vent", 0, 0, 1.0, nullptr);
  Block3D other("Other", 0, 0, 1.0, nullptr);
  EXPECT_EQ(symbol.Add(NewLine(0, 0, 2, 1), 0), 1);
  EXPECT_EQ(symbol.IsContinuous(), 1);
  // An insert far away does not widen the symbol's box.
  const Point3D far(50, 50, 0);
  EXPECT_EQ(symbol.Add(new Insert3D(&far, &other, 1.0, 0.0), 0), 2);
  EXPECT_THAT(*symbol.Box(0, nullptr), BoxIs(0.0, 0.0, 0.0, 2.0, 1.0, 0.0));
  EXPECT_EQ(symbol.Add(NewLine(0, 0, -1, 3), 0), 3);
  EXPECT_THAT(*symbol.Box(0, nullptr), BoxIs(-1.0, 0.0, 0.0, 2.0, 3.0, 0.0));
  EXPECT_EQ(symbol.InsertCount(), 1);
  // The insert starts elsewhere: the members no longer share one start point.
  EXPECT_EQ(symbol.IsContinuous(), 0);

  // Null, the block itself, a member already held and an insert of the block itself are refused.
  Insert3D* self = NewInsertOf(&symbol);
  EXPECT_EQ(symbol.Add(nullptr, 0), 3);
  EXPECT_EQ(symbol.Add(&symbol, 0), 3);
  EXPECT_EQ(symbol.Add(symbol.Segment(1), 0), 3);
  EXPECT_EQ(symbol.Add(self, 0), 3);
  delete self;

  // A copy owns copies of the members, the insert's included, and keeps the block fields.
  symbol.CountAdd();
  std::unique_ptr<Curve3D> copy(symbol.Copy());
  auto* twin = dynamic_cast<Block3D*>(copy.get());
  ASSERT_TRUE(twin != nullptr && twin->Nodes() == 3 && twin->Count() == 1);
  twin->Segment(1)->Ept(9, 9, 0);
  EXPECT_THAT(*symbol.Segment(1)->Ept(), PointIs(2.0, 1.0, 0.0));
  EXPECT_NE(twin->Segment(2), symbol.Segment(2));
  EXPECT_EQ(symbol.CountMinus(), 0);
  EXPECT_EQ(symbol.CountMinus(), 0);
}

TEST(Block3D, AddWithAdjustAnchorsTextsAtTheRightEdgeOfTheirBox) {
  Block3D symbol("Label", 0, 0, 1.0, nullptr);
  const Point3D at(2, 3, 0);
  auto* text = new Text3D(&at, "Drain", 10.0, 0.0);
  const double right = text->Box(0, nullptr)->Maxpt()->x;
  symbol.Add(text, 1);
  Point3D anchor;
  EXPECT_EQ(text->Alignment(&anchor), kAlignFitted);
  EXPECT_EQ(anchor.x, right);
  EXPECT_EQ(anchor.y, 3.0);

  // Without adjust, or already fitted, the alignment stays.
  auto* plain = new Text3D(&at, "Vent", 10.0, 0.0);
  symbol.Add(plain, 0);
  EXPECT_EQ(plain->Alignment(nullptr), kAlignLeft);
  auto* fitted = new Text3D(&at, "Curb", 10.0, 0.0);
  const Point3D own(7, 7, 0);
  fitted->Alignment(kAlignFitted, &own);
  symbol.Add(fitted, 1);
  fitted->Alignment(&anchor);
  EXPECT_THAT(anchor, PointIs(7.0, 7.0, 0.0));
}

// ---- BlockTable ---------------------------------------------------------------------------

TEST(BlockTable, BucketIsTheUpperCaseSignedByteSumModulo101) {
  EXPECT_EQ(BlockTable::Bucket("Drain"), BlockTable::Bucket("DRAIN"));
  EXPECT_EQ(BlockTable::Bucket("50"), 0);  // 53 + 48 = 101
  EXPECT_EQ(BlockTable::Bucket("a"), 'A');
  EXPECT_EQ(BlockTable::Bucket("zz"), (2 * 'Z') % 101);
  EXPECT_EQ(BlockTable::Bucket(nullptr), kNoBlockBucket);
  // Bytes of 128 and above count negative: a negative sum has no bucket.
  EXPECT_EQ(BlockTable::Bucket("A\xC8"), 9);  // 65 - 56
  EXPECT_EQ(BlockTable::Bucket("A\xC8\xC8"), kNoBlockBucket);
  // Only the first 255 characters count.
  const std::string prefix(255, 'A');
  EXPECT_EQ(BlockTable::Bucket((prefix + "QQQ").c_str()), BlockTable::Bucket(prefix.c_str()));
}

TEST(BlockTable, AddSearchRemoveAndDeleteWithinOneBucket) {
  BlockTable table;
  EXPECT_EQ(table.Search("Drain"), nullptr);
  BlockItem* drain = table.Add(new BlockItem(NewBlock("Drain")));
  ASSERT_NE(drain, nullptr);
  EXPECT_EQ(table.Search("dRAIN"), drain);
  EXPECT_EQ(table.Add(drain), drain);

  // "50", "05" and "a$" (65 + 36) all fall into bucket 0.
  BlockItem* fifty = table.Add(new BlockItem(NewBlock("50")));
  BlockItem* zeroFive = table.Add(new BlockItem(NewBlock("05")));
  BlockItem* aDollar = table.Add(new BlockItem(NewBlock("a$")));
  EXPECT_EQ(table.Search("05"), zeroFive);
  EXPECT_EQ(table.Remove(zeroFive), zeroFive);
  EXPECT_EQ(table.Remove(zeroFive), nullptr);
  delete zeroFive;
  EXPECT_EQ(table.Search("50"), fifty);
  EXPECT_EQ(table.Delete("50"), 1);
  EXPECT_EQ(table.Delete("50"), 0);
  EXPECT_EQ(table.Search("A$"), aDollar);
  EXPECT_EQ(table.NoofBlocks(), 2);

  // A name without a bucket is neither added nor found; the caller keeps the node.
  auto* bad = new BlockItem(NewBlock("\xC8\xC9"));
  EXPECT_EQ(table.Add(bad), nullptr);
  EXPECT_EQ(table.Search("\xC8\xC9"), nullptr);
  delete bad;

  // A long name is stored cut and found by its long form.
  const std::string longName = std::string(100, 'k') + "tail";
  BlockItem* longItem = table.Add(new BlockItem(NewBlock(longName.c_str())));
  EXPECT_EQ(table.Search(longName.c_str()), longItem);
  EXPECT_EQ(table.Search(nullptr), nullptr);

  std::vector<std::string> boxes;
  SetMessageBoxHandler(RecordBox, &boxes);
  BlockItem empty(nullptr);
  SetMessageBoxHandler(nullptr, nullptr);
  EXPECT_EQ(boxes,
            std::vector<std::string>{"Error - no block parameter|BlockItem::BlockItem(copy)|0"});
  EXPECT_EQ(table.Add(&empty), nullptr);
}

TEST(BlockTable, NextWalksBucketByBucketAndSurvivesRemovalsBetweenCalls) {
  BlockTable table;
  EXPECT_EQ(table.Next(1), nullptr);
  for (const char* name : {"B", "50", "A", "05"})
    table.Add(new BlockItem(NewBlock(name)));
  EXPECT_EQ(WalkNames(table), (std::vector<std::string>{"50", "05", "A", "B"}));
  EXPECT_EQ(table.Next(0), nullptr);

  // Deleting the node just returned, or fetching ahead and deleting behind, misses nothing.
  std::vector<std::string> seen;
  for (BlockItem* item = table.Next(1); item != nullptr; item = table.Next(0)) {
    seen.emplace_back(item->Block()->Blockname());
    table.Delete(item);
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"50", "05", "A", "B"}));
  EXPECT_EQ(table.NoofBlocks(), 0);
  for (const char* name : {"50", "05", "A"})
    table.Add(new BlockItem(NewBlock(name)));
  for (BlockItem *item = table.Next(1), *next = nullptr; item != nullptr; item = next) {
    next = table.Next(0);
    table.Delete(item);
  }
  EXPECT_EQ(table.NoofBlocks(), 0);
}

TEST(BlockTable, DeleteLowersTheCountsOfNestedBlocksAndCleanupKeepsTemplates) {
  BlockTable table;
  Block3D* vent = table.Add(new BlockItem(NewBlock("Vent")))->Block();
  Block3D* tpl = table.Add(new BlockItem(NewBlock("Tpl", kTemplateBlocktype)))->Block();
  for (const char* name : {"Group", "Pair"}) {
    auto* holder = new Block3D(name, 0, 0, 1.0, nullptr);
    holder->Add(NewInsertOf(vent), 0);
    holder->Add(NewInsertOf(tpl), 0);
    table.Add(new BlockItem(holder));
    vent->CountAdd();
    tpl->CountAdd();
  }
  EXPECT_EQ(table.Delete("Pair"), 1);
  EXPECT_EQ(vent->Count(), 1);
  EXPECT_EQ(tpl->Count(), 1);

  table.SetBlockFlags(1);
  EXPECT_EQ(vent->BlockFlag() + tpl->BlockFlag(), 2);

  // Renaming re-files the block; taken names and names without a bucket are refused.
  EXPECT_EQ(table.RenameBlock("Vent", "Tpl"), 0);
  EXPECT_EQ(table.RenameBlock("Vent", "\xC8\xC9"), 0);
  EXPECT_EQ(table.RenameBlock("Nothing", "New"), 0);
  EXPECT_EQ(table.RenameBlock("Vent", "Drain"), 1);
  EXPECT_EQ(table.Search("Vent"), nullptr);
  EXPECT_EQ(table.Search("DRAIN")->Block(), vent);
  EXPECT_EQ(table.RenameBlock("drain", "DRAIN"), 1);
  EXPECT_STREQ(vent->Blockname(), "DRAIN");

  // "DRAIN" (bucket 63) goes before "Group" (bucket 94), whose insert then points at a block
  // already gone: only the template keeps a count to lower.
  EXPECT_EQ(table.Cleanup(), 2);
  EXPECT_EQ(table.NoofBlocks(), 1);
  EXPECT_EQ(table.Search("Tpl")->Block(), tpl);
  EXPECT_EQ(tpl->Count(), 0);
  table.Clear();
  EXPECT_EQ(table.Search("Tpl"), nullptr);
}
