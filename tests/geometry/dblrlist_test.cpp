#include "geometry/dblrlist.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace {

// Ids from head to tail, after checking the backward links, the tail and the count.
std::vector<int> Ids(const DblRlist& list) {
  std::vector<int> ids;
  const DblRitem* prev = nullptr;
  for (const DblRitem* item = list.Head(); item != nullptr; item = item->Next()) {
    EXPECT_EQ(item->Prev(), prev);
    ids.push_back(item->Id());
    prev = item;
  }
  EXPECT_EQ(list.Tail(), prev);
  EXPECT_EQ(list.Num(), static_cast<int>(ids.size()));
  return ids;
}

// Grip boxes numbered first..last around points on a diagonal.
void Fill(DblRlist& list, int first, int last) {
  for (int id = first; id <= last; ++id) {
    const POINT pt{id * 10, id * 10};
    list.Add(&pt, id);
  }
}

void ExpectRect(const RECT* r, LONG left, LONG top, LONG right, LONG bottom) {
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->left, left);
  EXPECT_EQ(r->top, top);
  EXPECT_EQ(r->right, right);
  EXPECT_EQ(r->bottom, bottom);
}

}  // namespace

TEST(DblRitem, PointIsInflatedByThreeOnEverySide) {
  const POINT pt{10, 20};
  DblRitem item(&pt, 4);
  EXPECT_EQ(item.Id(), 4);
  ExpectRect(item.Rect(), 7, 17, 13, 23);
  EXPECT_EQ(item.Obj(), item.Rect());
}

TEST(DblRitem, PtInIncludesLeftTopAndExcludesRightBottom) {
  const POINT pt{10, 20};
  const DblRitem item(&pt, 1);
  const POINT inside_corner{7, 17};
  const POINT last_inside{12, 22};
  const POINT right_edge{13, 20};
  const POINT bottom_edge{10, 23};
  const POINT left_of{6, 20};
  const POINT above{10, 16};
  EXPECT_TRUE(item.PtIn(&inside_corner));
  EXPECT_TRUE(item.PtIn(&last_inside));
  EXPECT_FALSE(item.PtIn(&right_edge));
  EXPECT_FALSE(item.PtIn(&bottom_edge));
  EXPECT_FALSE(item.PtIn(&left_of));
  EXPECT_FALSE(item.PtIn(&above));
  EXPECT_FALSE(item.PtIn(nullptr));
}

TEST(DblRitem, SetAndObjReplaceTheRectangle) {
  DblRitem item(2);
  const RECT r{1, 2, 30, 40};
  EXPECT_EQ(item.Set(&r), 1);
  ExpectRect(item.Rect(), 1, 2, 30, 40);
  const POINT pt{0, 0};
  EXPECT_EQ(item.Obj(&pt), &item);
  ExpectRect(item.Rect(), -3, -3, 3, 3);
  EXPECT_EQ(item.Obj(&r), &item);
  ExpectRect(item.Rect(), 1, 2, 30, 40);
  EXPECT_EQ(item.Id(), 2);
}

TEST(DblRitem, NullArgumentsLeaveTheRectangleAlone) {
  const RECT r{1, 2, 3, 4};
  DblRitem item(&r, 0);
  EXPECT_EQ(item.Set(static_cast<const POINT*>(nullptr)), 0);
  EXPECT_EQ(item.Set(static_cast<const RECT*>(nullptr)), 0);
  EXPECT_EQ(item.Obj(static_cast<const POINT*>(nullptr)), &item);
  EXPECT_EQ(item.Obj(static_cast<const RECT*>(nullptr)), &item);
  ExpectRect(item.Rect(), 1, 2, 3, 4);
  DblRitem from_null(static_cast<const POINT*>(nullptr), 3);
  ExpectRect(from_null.Rect(), 0, 0, 0, 0);
}

TEST(DblRitem, OffsetMovesAllEdges) {
  const POINT pt{10, 20};
  DblRitem item(&pt, 1);
  EXPECT_TRUE(item.Offset(5, -30));
  ExpectRect(item.Rect(), 12, -13, 18, -7);
  const POINT moved{15, -10};
  EXPECT_TRUE(item.PtIn(&moved));
}

TEST(DblRitem, EdgesOfThe32BitRangeNeitherWrapNorOverflow) {
  constexpr LONG kMax = std::numeric_limits<LONG>::max();
  constexpr LONG kMin = std::numeric_limits<LONG>::min();
  const POINT corner{kMax, kMin};
  DblRitem item(&corner, 1);
  ExpectRect(item.Rect(), kMax - 3, kMin, kMax, kMin + 3);
  EXPECT_FALSE(item.Offset(10, 0));
  EXPECT_FALSE(item.Offset(0, -10));
  ExpectRect(item.Rect(), kMax - 3, kMin, kMax, kMin + 3);
  EXPECT_TRUE(item.Offset(-10, 10));
  ExpectRect(item.Rect(), kMax - 13, kMin + 10, kMax - 10, kMin + 13);
}

TEST(DblRlist, AddBuildsGripBoxesInOrder) {
  DblRlist list;
  const POINT pt{10, 20};
  const RECT r{0, 0, 5, 5};
  DblRitem* from_point = list.Add(&pt, 1);
  DblRitem* from_rect = list.Add(&r, 2);
  ASSERT_NE(from_point, nullptr);
  ASSERT_NE(from_rect, nullptr);
  ExpectRect(from_point->Rect(), 7, 17, 13, 23);
  ExpectRect(from_rect->Rect(), 0, 0, 5, 5);
  EXPECT_EQ(list.PeekHead(), from_point);
  EXPECT_EQ(Ids(list), (std::vector<int>{1, 2}));
}

TEST(DblRlist, AddRefusesNullAndDoesNotRelinkPresentNode) {
  DblRlist list;
  Fill(list, 1, 3);
  EXPECT_EQ(list.Add(static_cast<const POINT*>(nullptr), 9), nullptr);
  EXPECT_EQ(list.Add(static_cast<const RECT*>(nullptr), 9), nullptr);
  EXPECT_EQ(list.Add(static_cast<DblRitem*>(nullptr)), nullptr);
  DblRitem* middle = list.Head()->Next();
  EXPECT_EQ(list.Add(middle), middle);
  EXPECT_EQ(Ids(list), (std::vector<int>{1, 2, 3}));

  auto* own = new DblRitem(7);
  EXPECT_EQ(list.Add(own), own);
  EXPECT_EQ(Ids(list), (std::vector<int>{1, 2, 3, 7}));
}

TEST(DblRlist, RemoveFreesNodeAndRelinks) {
  DblRlist list;
  Fill(list, 1, 4);
  EXPECT_EQ(list.Remove(list.Head()->Next()), 1);
  EXPECT_EQ(Ids(list), (std::vector<int>{1, 3, 4}));
  EXPECT_EQ(list.Remove(list.Head()), 1);
  EXPECT_EQ(list.Remove(list.Tail()), 1);
  EXPECT_EQ(Ids(list), std::vector<int>{3});
  EXPECT_EQ(list.Remove(list.Head()), 1);
  EXPECT_EQ(list.Head(), nullptr);
  EXPECT_EQ(list.Tail(), nullptr);
  EXPECT_EQ(list.Num(), 0);
}

TEST(DblRlist, RemoveAndDetachIgnoreForeignNodes) {
  DblRlist mine;
  DblRlist other;
  Fill(mine, 1, 2);
  Fill(other, 5, 7);
  EXPECT_EQ(mine.Remove(other.Head()->Next()), 0);
  EXPECT_EQ(mine.Detach(other.Tail()), nullptr);
  EXPECT_EQ(mine.Remove(nullptr), 0);
  EXPECT_EQ(mine.Detach(nullptr), nullptr);
  EXPECT_EQ(Ids(mine), (std::vector<int>{1, 2}));
  EXPECT_EQ(Ids(other), (std::vector<int>{5, 6, 7}));
}

TEST(DblRlist, DetachHandsNodeToCaller) {
  DblRlist list;
  Fill(list, 1, 3);
  DblRitem* middle = list.Head()->Next();
  DblRitem* detached = list.Detach(middle);
  ASSERT_EQ(detached, middle);
  EXPECT_EQ(detached->Next(), nullptr);
  EXPECT_EQ(detached->Prev(), nullptr);
  EXPECT_EQ(Ids(list), (std::vector<int>{1, 3}));
  delete detached;  // a list that had freed it would make this a double free
}

TEST(DblRlist, FlushEmptiesAndListIsReusable) {
  DblRlist list;
  Fill(list, 1, 3);
  list.Flush();
  EXPECT_EQ(list.Num(), 0);
  EXPECT_EQ(list.Head(), nullptr);
  EXPECT_EQ(list.Tail(), nullptr);
  Fill(list, 4, 4);
  EXPECT_EQ(Ids(list), std::vector<int>{4});
}

TEST(DblRlist, AppendMovesNodesAndEmptiesTheOther) {
  DblRlist list;
  DblRlist other;
  Fill(list, 1, 2);
  Fill(other, 3, 5);
  DblRitem* moved_head = other.Head();
  DblRitem* moved_tail = other.Tail();
  DblRitem* old_tail = list.Tail();
  list.Append(&other);
  EXPECT_EQ(Ids(list), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(old_tail->Next(), moved_head);
  EXPECT_EQ(moved_head->Prev(), old_tail);
  EXPECT_EQ(list.Tail(), moved_tail);
  EXPECT_EQ(other.Num(), 0);
  EXPECT_EQ(other.Head(), nullptr);
  EXPECT_EQ(other.Tail(), nullptr);
  other.Flush();  // harmless: the moved nodes belong to list alone
  EXPECT_EQ(Ids(list), (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST(DblRlist, AppendOntoEmptyTakesOverHeadAndTail) {
  DblRlist list;
  DblRlist other;
  Fill(other, 1, 2);
  DblRitem* head = other.Head();
  list.Append(&other);
  EXPECT_EQ(list.Head(), head);
  EXPECT_EQ(head->Prev(), nullptr);
  EXPECT_EQ(Ids(list), (std::vector<int>{1, 2}));
  EXPECT_EQ(other.Num(), 0);
}

TEST(DblRlist, AppendOfEmptySelfOrNullChangesNothing) {
  DblRlist list;
  DblRlist empty;
  Fill(list, 1, 2);
  list.Append(&empty);
  list.Append(&list);
  list.Append(nullptr);
  EXPECT_EQ(Ids(list), (std::vector<int>{1, 2}));
  EXPECT_EQ(Ids(empty), std::vector<int>{});
}

TEST(DblRlistIterator, WalksForwardAndBackward) {
  DblRlist list;
  Fill(list, 1, 3);
  DblRlistIterator it(&list);
  EXPECT_EQ(it.Head(), list.Head());
  EXPECT_EQ(it.Tail(), list.Tail());
  EXPECT_EQ(it.Current(), list.Head());
  EXPECT_EQ(it.Next()->Id(), 1);
  EXPECT_EQ((it++)->Id(), 2);
  EXPECT_EQ((++it)->Id(), 3);
  EXPECT_EQ(it.Next(), nullptr);
  EXPECT_EQ(it.Current(), nullptr);

  it.Restart();
  it.Next();
  it.Next();  // the cursor is on 3
  EXPECT_EQ(it.Prev()->Id(), 3);
  EXPECT_EQ((it--)->Id(), 2);
  EXPECT_EQ((--it)->Id(), 1);
  EXPECT_EQ(it.Prev(), nullptr);
}

TEST(DblRlistIterator, NullListWalksNothing) {
  DblRlistIterator it(nullptr);
  EXPECT_EQ(it.Next(), nullptr);
  EXPECT_EQ(it.Prev(), nullptr);
  EXPECT_EQ(it.Head(), nullptr);
  EXPECT_EQ(it.Tail(), nullptr);
  DblRlist list;
  Fill(list, 1, 1);
  it.Set(&list);
  EXPECT_EQ(it.Next()->Id(), 1);
}
