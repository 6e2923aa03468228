#include "geometry/dblplist.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "support/list_walk.h"

namespace {

using Ints = std::vector<int>;
using Doubles = std::vector<double>;
using Nodes = std::vector<DblPitem*>;
using Points = std::vector<Point3D*>;
using State = std::tuple<double, double, int, double, int>;  // x, y, tag, value, flag
const auto kX = [](DblPitem* item) { return item->Point()->x; };

State StateOf(DblPitem* item) {
  return {item->Point()->x, item->Point()->y, item->Point()->Id(), item->Value(), item->Flag()};
}

// Points (i, 10 i) tagged i, each with value i / 2 and flag i, for i = 1..count.
Nodes Fill(DblPlist& list, int count) {
  Nodes items;
  for (int i = 1; i <= count; ++i) {
    Point3D p(i, 10.0 * i);
    p.Id(i);
    items.push_back(list.Add(&p, i / 2.0, i));
  }
  return items;
}

}  // namespace

// Points are stored as given (no snapping, tag kept); Obj(p) stores p with value and flag 0; a
// null point changes nothing.
TEST(DblPitem, SetStoresAnUnchangedCopyAndObjClearsValueAndFlag) {
  Point3D p(0, 2);
  p.x = 1e-13;
  p.Id(42);
  const Point3D q(4, 5);
  DblPitem item(&p, 7.25, 3), from_null(nullptr, 1, 1);
  EXPECT_EQ(StateOf(&item), (State{1e-13, 2, 42, 7.25, 3}));
  EXPECT_EQ(StateOf(&from_null), (State{0, 0, 0, 1, 1}));
  EXPECT_EQ(item.Set(&q, 2.5, 9), &item);
  EXPECT_EQ(StateOf(&item), (State{4, 5, 0, 2.5, 9}));
  EXPECT_EQ(item.Set(nullptr, 8, 1)->Obj(nullptr), &item);
  EXPECT_EQ(StateOf(&item), (State{4, 5, 0, 2.5, 9}));
  EXPECT_EQ(item.Obj(&p), &item);
  EXPECT_EQ(StateOf(&item), (State{1e-13, 2, 42, 0, 0}));
}

// A copied list keeps only the points; a copied node carries every field, its neighbours' links
// included, and appending relinks it. GetPoint counts from 1.
TEST(DblPlist, NodesHoldOwnCopiesFoundOneBasedByGetPoint) {
  DblPlist list;
  const Nodes items = Fill(list, 3);
  const DblPlist copy(&list), from_null(nullptr);  // new nodes, same points, value and flag 0
  EXPECT_EQ(WalkKeys(copy, StateOf),
            (std::vector<State>{{1, 10, 1, 0, 0}, {2, 20, 2, 0, 0}, {3, 30, 3, 0, 0}}));
  EXPECT_EQ(WalkKeys(from_null, kX), Doubles{});

  const DblPitem twin(*items[1]);
  EXPECT_EQ((Nodes{twin.Prev(), twin.Next()}), (Nodes{items[0], items[2]}));
  DblPitem* appended = list.Add(new DblPitem(twin));
  EXPECT_EQ(StateOf(appended), (State{2, 20, 2, 1, 2}));
  EXPECT_EQ((Nodes{appended->Prev(), appended->Next()}), (Nodes{items[2], nullptr}));

  Point3D p(7, 70);
  DblPitem* added = list.Add(&p, 1.5, 9);
  p.x = 99;  // the list holds its own copy
  EXPECT_EQ(StateOf(added), (State{7, 70, 0, 1.5, 9}));
  EXPECT_EQ(list.Add(static_cast<const Point3D*>(nullptr), 1, 1), nullptr);
  for (DblPitem* present : {items[0], items[1], added, static_cast<DblPitem*>(nullptr)})
    EXPECT_EQ(list.Add(present), present);
  EXPECT_EQ(WalkKeys(list, kX), (Doubles{1, 2, 3, 2, 7}));
  EXPECT_EQ((Points{list.GetPoint(-1), list.GetPoint(0), list.GetPoint(6)}), Points(3, nullptr));
  EXPECT_EQ((Points{list.GetPoint(1), list.GetPoint(3), list.GetPoint(5)}),
            (Points{items[0]->Point(), items[2]->Point(), added->Point()}));
}

// Foreign nodes are refused. Remove frees; Detach hands the node to the caller unlinked (deleting
// it here would double-free if the list had freed it too). Flush empties.
TEST(DblPlist, RemoveAndDetachTakeOnlyTheirOwnNodes) {
  DblPlist list, other;
  const Nodes items = Fill(list, 5), foreign = Fill(other, 3);
  DblPitem loose;
  EXPECT_EQ((Ints{list.Remove(foreign[1]), list.Remove(&loose), list.Remove(nullptr)}), Ints(3, 0));
  EXPECT_EQ((Nodes{list.Detach(foreign[0]), list.Detach(&loose), list.Detach(nullptr)}),
            Nodes(3, nullptr));
  EXPECT_EQ((Ints{list.Remove(items[1]), list.Remove(items[0])}), (Ints{1, 1}));
  EXPECT_EQ(WalkKeys(list, kX), (Doubles{3, 4, 5}));
  for (DblPitem* taken : {items[3], items[4], items[2]}) {
    ASSERT_EQ(list.Detach(taken), taken);
    EXPECT_EQ((Nodes{taken->Prev(), taken->Next()}), Nodes(2, nullptr));
    delete taken;
  }
  EXPECT_EQ(WalkKeys(list, kX), Doubles{});
  EXPECT_EQ(WalkKeys(other, kX), (Doubles{1, 2, 3}));
  other.Flush();
  EXPECT_EQ(WalkKeys(other, kX), Doubles{});
}

TEST(DblPlistIterator, EveryFormReturnsTheCurrentNodeThenMoves) {
  DblPlist list;
  Fill(list, 3);
  DblPlistIterator it(&list);
  EXPECT_EQ(it.Next()->Flag(), 1);
  EXPECT_EQ((it++)->Flag(), 2);
  EXPECT_EQ((it--)->Flag(), 3);
  EXPECT_EQ((--it)->Flag(), 2);
  EXPECT_EQ(it.Prev()->Flag(), 1);
  EXPECT_EQ(it.Prev(), nullptr);
  it.Restart();
  EXPECT_EQ((++it)->Flag(), 1);
  it.Set(nullptr);
  EXPECT_EQ((Nodes{it.Next(), it.Prev(), it.Head(), it.Tail()}), Nodes(4, nullptr));
}
