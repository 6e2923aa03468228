#include "geometry/dblrlist.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <utility>
#include <vector>

#include "support/list_walk.h"

namespace {

using Ints = std::vector<int>;
using Nodes = std::vector<DblRitem*>;
using Edges = std::array<LONG, 4>;  // left, top, right, bottom
const auto kEdges = [](const RECT* r) { return Edges{r->left, r->top, r->right, r->bottom}; };
const auto kId = [](const DblRitem* item) { return item->Id(); };
const POINT* const kNoPoint = nullptr;
const RECT* const kNoRect = nullptr;

// Nodes numbered first..last, appended as they are; returns them.
Nodes Fill(DblRlist& list, int first, int last) {
  Nodes items;
  for (int id = first; id <= last; ++id)
    items.push_back(list.Add(new DblRitem(id)));
  return items;
}

}  // namespace

// A point becomes its grip box, inflated by 3 on every side, and PtIn counts the left and top
// edges in, the right and bottom edges out. Null arguments change nothing. At the edge of the
// 32-bit range a box is clipped, and an offset that would leave the range is refused, rather than
// wrapping round to the far side.
TEST(DblRitem, GripBoxesHoldLeftAndTopEdgesAndStayInThe32BitRange) {
  const POINT pt{10, 20}, origin{0, 0};
  const RECT r{1, 2, 30, 40};
  DblRitem item(&pt, 4);
  EXPECT_EQ(kEdges(item.Obj()), (Edges{7, 17, 13, 23}));
  const std::pair<POINT, bool> cases[] = {{{7, 17}, true},   {{12, 22}, true}, {{13, 20}, false},
                                          {{10, 23}, false}, {{6, 20}, false}, {{10, 16}, false}};
  for (const auto& [p, inside] : cases)
    EXPECT_EQ(item.PtIn(&p), inside) << p.x << ", " << p.y;
  EXPECT_FALSE(item.PtIn(nullptr));
  EXPECT_TRUE(item.Offset(5, -30));
  EXPECT_EQ(kEdges(item.Rect()), (Edges{12, -13, 18, -7}));
  EXPECT_EQ(item.Obj(&origin), &item);
  EXPECT_EQ(kEdges(item.Rect()), (Edges{-3, -3, 3, 3}));
  EXPECT_EQ(item.Set(&r), 1);
  EXPECT_EQ((Ints{item.Set(kNoPoint), item.Set(kNoRect)}), (Ints{0, 0}));
  EXPECT_EQ(item.Obj(kNoPoint)->Obj(kNoRect), &item);
  EXPECT_EQ(kEdges(item.Rect()), (Edges{1, 2, 30, 40}));
  EXPECT_EQ(kEdges(DblRitem(kNoPoint, 3).Rect()), (Edges{0, 0, 0, 0}));

  constexpr LONG kMax = std::numeric_limits<LONG>::max(), kMin = std::numeric_limits<LONG>::min();
  const POINT corner{kMax, kMin};
  DblRitem edge(&corner, 2);
  EXPECT_EQ(kEdges(edge.Rect()), (Edges{kMax - 3, kMin, kMax, kMin + 3}));
  EXPECT_FALSE(edge.Offset(10, 0));
  EXPECT_FALSE(edge.Offset(0, -10));
  EXPECT_EQ(kEdges(edge.Rect()), (Edges{kMax - 3, kMin, kMax, kMin + 3}));
  EXPECT_TRUE(edge.Offset(-10, 10));
  EXPECT_EQ(kEdges(edge.Rect()), (Edges{kMax - 13, kMin + 10, kMax - 10, kMin + 13}));
}

TEST(DblRlist, AddAppendsAndNeverLinksNullOrPresentNodesTwice) {
  DblRlist list;
  const POINT pt{10, 20};
  const RECT r{0, 0, 5, 5};
  const Nodes items = Fill(list, 1, 2);
  EXPECT_EQ(kEdges(list.Add(&pt, 3)->Rect()), (Edges{7, 17, 13, 23}));
  EXPECT_EQ(kEdges(list.Add(&r, 4)->Rect()), (Edges{0, 0, 5, 5}));
  EXPECT_EQ(list.Add(kNoPoint, 9), nullptr);
  EXPECT_EQ(list.Add(kNoRect, 9), nullptr);
  for (DblRitem* present : {items[0], items[1], list.Tail(), static_cast<DblRitem*>(nullptr)})
    EXPECT_EQ(list.Add(present), present);
  EXPECT_EQ(WalkKeys(list, kId), (Ints{1, 2, 3, 4}));
}

// Foreign nodes are refused. Remove frees; Detach hands the node to the caller unlinked (deleting
// it here would double-free if the list had freed it too); Append moves the nodes themselves and
// leaves the source empty, so flushing it later is harmless.
TEST(DblRlist, RemoveDetachAndAppendKeepEveryNodeInOneList) {
  DblRlist list, other, empty;
  const Nodes items = Fill(list, 1, 5), foreign = Fill(other, 6, 8);
  EXPECT_EQ((Ints{list.Remove(foreign[1]), list.Remove(foreign[2]), list.Remove(nullptr)}),
            Ints(3, 0));
  EXPECT_EQ((Nodes{list.Detach(foreign[1]), list.Detach(foreign[2]), list.Detach(nullptr)}),
            Nodes(3, nullptr));
  EXPECT_EQ((Ints{list.Remove(items[1]), list.Remove(items[0])}), (Ints{1, 1}));
  EXPECT_EQ(WalkKeys(list, kId), (Ints{3, 4, 5}));
  for (DblRitem* taken : {items[3], items[4], items[2]}) {
    ASSERT_EQ(list.Detach(taken), taken);
    EXPECT_EQ(taken->Next(), nullptr);
    EXPECT_EQ(taken->Prev(), nullptr);
    delete taken;
  }
  EXPECT_EQ(WalkKeys(list, kId), Ints{});

  Fill(list, 1, 2);
  list.Append(&other);
  EXPECT_EQ(WalkKeys(list, kId), (Ints{1, 2, 6, 7, 8}));
  EXPECT_EQ(list.Tail(), foreign[2]);
  EXPECT_EQ(WalkKeys(other, kId), Ints{});
  other.Flush();
  list.Append(&empty);
  list.Append(&list);
  list.Append(nullptr);
  empty.Append(&list);
  EXPECT_EQ(WalkKeys(empty, kId), (Ints{1, 2, 6, 7, 8}));
  EXPECT_EQ(WalkKeys(list, kId), Ints{});
  empty.Flush();
  EXPECT_EQ(WalkKeys(empty, kId), Ints{});
}

TEST(DblRlistIterator, EveryFormReturnsTheCurrentNodeThenMoves) {
  DblRlist list;
  Fill(list, 1, 3);
  DblRlistIterator it(&list);
  EXPECT_EQ(it.Next()->Id(), 1);
  EXPECT_EQ((it++)->Id(), 2);
  EXPECT_EQ((it--)->Id(), 3);
  EXPECT_EQ((--it)->Id(), 2);
  EXPECT_EQ(it.Prev()->Id(), 1);
  EXPECT_EQ(it.Prev(), nullptr);
  it.Restart();
  EXPECT_EQ((++it)->Id(), 1);
  it.Set(nullptr);
  EXPECT_EQ((Nodes{it.Next(), it.Prev(), it.Head(), it.Tail()}), Nodes(4, nullptr));
}
