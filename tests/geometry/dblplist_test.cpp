#include "geometry/dblplist.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The x coordinates from head to tail, after checking the backward links, the tail and the count.
// Points are stored by copy, so comparing coordinates exactly is right.
std::vector<double> Xs(const DblPlist& list) {
  std::vector<double> xs;
  const DblPitem* prev = nullptr;
  for (DblPitem* item = list.Head(); item != nullptr; item = item->Next()) {
    EXPECT_EQ(item->Prev(), prev);
    xs.push_back(item->Point()->x);
    prev = item;
  }
  EXPECT_EQ(list.Tail(), prev);
  EXPECT_EQ(list.Num(), static_cast<int>(xs.size()));
  return xs;
}

// Points (i, 10 i, 0) tagged i, each with value i / 2 and flag i, for i = 1..count.
void Fill(DblPlist& list, int count) {
  for (int i = 1; i <= count; ++i) {
    Point3D p(i, 10.0 * i, 0.0);
    p.Id(i);
    list.Add(&p, i / 2.0, i);
  }
}

}  // namespace

TEST(DblPitem, ObjStoresPointAndClearsValueAndFlag) {
  const Point3D p(1.5, -2.5, 3.0);
  DblPitem item(&p, 7.25, 3);
  EXPECT_EQ(item.Value(), 7.25);
  EXPECT_EQ(item.Flag(), 3);
  const Point3D q(4.0, 5.0);
  EXPECT_EQ(item.Obj(&q), &item);
  EXPECT_EQ(*item.Obj(), q);
  EXPECT_EQ(item.Value(), 0.0);
  EXPECT_EQ(item.Flag(), 0);
  EXPECT_EQ(item.Point(), item.Obj());
}

TEST(DblPitem, SetCopiesPointUnchangedWithItsTag) {
  DblPitem item;
  Point3D p(0.0, 2.0, 0.0);
  p.x = 1e-13;  // below the snap tolerance: a copy must not snap it
  p.z = -1e-13;
  p.Id(42);
  EXPECT_EQ(item.Set(&p, 2.5, 9), &item);
  EXPECT_EQ(item.Point()->x, 1e-13);
  EXPECT_EQ(item.Point()->z, -1e-13);
  EXPECT_EQ(item.Point()->Id(), 42);
  EXPECT_EQ(item.Value(), 2.5);
  EXPECT_EQ(item.Flag(), 9);
}

TEST(DblPitem, NullPointChangesNothing) {
  const Point3D p(1.0, 2.0, 3.0);
  DblPitem item(&p, 4.0, 5);
  EXPECT_EQ(item.Set(nullptr, 8.0, 9), &item);
  EXPECT_EQ(item.Obj(nullptr), &item);
  EXPECT_EQ(*item.Point(), p);
  EXPECT_EQ(item.Value(), 4.0);
  EXPECT_EQ(item.Flag(), 5);
  DblPitem from_null(nullptr, 1.0, 1);
  EXPECT_EQ(from_null.Point()->x, 0.0);
}

TEST(DblPitem, CopyTakesEveryFieldIncludingLinks) {
  DblPlist list;
  Fill(list, 3);
  DblPitem* middle = list.Head()->Next();
  DblPitem copy(*middle);
  EXPECT_EQ(copy.Prev(), list.Head());
  EXPECT_EQ(copy.Next(), list.Tail());
  EXPECT_EQ(*copy.Point(), *middle->Point());
  EXPECT_EQ(copy.Point()->Id(), 2);
  EXPECT_EQ(copy.Value(), 1.0);
  EXPECT_EQ(copy.Flag(), 2);
  EXPECT_NE(copy.Point(), middle->Point());

  DblPitem assigned;
  assigned = *list.Tail();
  EXPECT_EQ(assigned.Prev(), middle);
  EXPECT_EQ(assigned.Next(), nullptr);
  EXPECT_EQ(assigned.Flag(), 3);
}

TEST(DblPlist, AddPointAppendsCopyWithValueAndFlag) {
  DblPlist list;
  Point3D p(3.0, 4.0, 5.0);
  p.Id(8);
  DblPitem* item = list.Add(&p, 1.5, 2);
  ASSERT_NE(item, nullptr);
  p.x = 99.0;  // the list holds its own copy
  EXPECT_EQ(item->Point()->x, 3.0);
  EXPECT_EQ(item->Point()->Id(), 8);
  EXPECT_EQ(item->Value(), 1.5);
  EXPECT_EQ(item->Flag(), 2);
  EXPECT_EQ(list.PeekHead(), item);
  EXPECT_EQ(list.Add(static_cast<const Point3D*>(nullptr), 1.0, 1), nullptr);
  EXPECT_EQ(Xs(list), std::vector<double>{3.0});
}

TEST(DblPlist, AddNodeAppendsAndRefusesNullOrPresentNode) {
  DblPlist list;
  Fill(list, 2);
  EXPECT_EQ(list.Add(static_cast<DblPitem*>(nullptr)), nullptr);
  EXPECT_EQ(list.Add(list.Head()), list.Head());
  EXPECT_EQ(Xs(list), (std::vector<double>{1.0, 2.0}));

  // A copy of a linked node carries stale links; appending relinks it properly.
  auto* copy = new DblPitem(*list.Head());
  copy->Point()->x = 7.0;
  EXPECT_EQ(list.Add(copy), copy);
  EXPECT_EQ(copy->Prev(), list.Head()->Next());
  EXPECT_EQ(copy->Next(), nullptr);
  EXPECT_EQ(Xs(list), (std::vector<double>{1.0, 2.0, 7.0}));
}

TEST(DblPlist, GetPointIsOneBasedAndBounded) {
  DblPlist list;
  EXPECT_EQ(list.GetPoint(1), nullptr);
  Fill(list, 3);
  EXPECT_EQ(list.GetPoint(0), nullptr);
  EXPECT_EQ(list.GetPoint(-1), nullptr);
  EXPECT_EQ(list.GetPoint(4), nullptr);
  EXPECT_EQ(list.GetPoint(1), list.Head()->Point());
  EXPECT_EQ(list.GetPoint(2)->Id(), 2);
  EXPECT_EQ(list.GetPoint(3), list.Tail()->Point());
}

TEST(DblPlist, CopyKeepsPointsAndResetsValueAndFlag) {
  DblPlist source;
  Fill(source, 3);
  const DblPlist copy(&source);
  ASSERT_EQ(copy.Num(), 3);
  DblPitem* from = source.Head();
  for (DblPitem* item = copy.Head(); item != nullptr; item = item->Next(), from = from->Next()) {
    EXPECT_NE(item, from);
    EXPECT_EQ(*item->Point(), *from->Point());
    EXPECT_EQ(item->Point()->Id(), from->Point()->Id());
    EXPECT_EQ(item->Value(), 0.0);
    EXPECT_EQ(item->Flag(), 0);
  }
  EXPECT_EQ(Xs(copy), (std::vector<double>{1.0, 2.0, 3.0}));
  EXPECT_EQ(source.Head()->Value(), 0.5);  // the source keeps its own

  const DblPlist from_null(nullptr);
  EXPECT_EQ(from_null.Num(), 0);
}

TEST(DblPlist, RemoveFreesNodeAndRelinks) {
  DblPlist list;
  Fill(list, 4);
  EXPECT_EQ(list.Remove(list.Head()->Next()), 1);
  EXPECT_EQ(Xs(list), (std::vector<double>{1.0, 3.0, 4.0}));
  EXPECT_EQ(list.Remove(list.Tail()), 1);
  EXPECT_EQ(list.Remove(list.Head()), 1);
  EXPECT_EQ(Xs(list), std::vector<double>{3.0});
  EXPECT_EQ(list.Remove(list.Head()), 1);
  EXPECT_EQ(list.Head(), nullptr);
  EXPECT_EQ(list.Tail(), nullptr);
  EXPECT_EQ(list.Num(), 0);
}

TEST(DblPlist, RemoveAndDetachIgnoreForeignNodes) {
  DblPlist mine;
  DblPlist other;
  Fill(mine, 2);
  Fill(other, 3);
  EXPECT_EQ(mine.Remove(other.Head()->Next()), 0);
  EXPECT_EQ(mine.Detach(other.Head()), nullptr);
  EXPECT_EQ(mine.Remove(nullptr), 0);
  EXPECT_EQ(mine.Detach(nullptr), nullptr);
  DblPitem loose;
  EXPECT_EQ(mine.Remove(&loose), 0);
  EXPECT_EQ(Xs(mine), (std::vector<double>{1.0, 2.0}));
  EXPECT_EQ(Xs(other), (std::vector<double>{1.0, 2.0, 3.0}));
}

TEST(DblPlist, DetachHandsNodeToCaller) {
  DblPlist list;
  Fill(list, 3);
  DblPitem* tail = list.Tail();
  DblPitem* detached = list.Detach(tail);
  ASSERT_EQ(detached, tail);
  EXPECT_EQ(detached->Prev(), nullptr);
  EXPECT_EQ(detached->Next(), nullptr);
  EXPECT_EQ(Xs(list), (std::vector<double>{1.0, 2.0}));
  delete detached;  // a list that had freed it would make this a double free
}

TEST(DblPlist, FlushEmptiesAndListIsReusable) {
  DblPlist list;
  Fill(list, 3);
  list.Flush();
  EXPECT_EQ(list.Num(), 0);
  EXPECT_EQ(list.Head(), nullptr);
  EXPECT_EQ(list.Tail(), nullptr);
  Fill(list, 1);
  EXPECT_EQ(Xs(list), std::vector<double>{1.0});
}

TEST(DblPlistIterator, WalksForwardAndBackward) {
  DblPlist list;
  Fill(list, 3);
  DblPlistIterator it(&list);
  EXPECT_EQ(it.Head(), list.Head());
  EXPECT_EQ(it.Tail(), list.Tail());
  EXPECT_EQ(it.Next()->Flag(), 1);
  EXPECT_EQ((it++)->Flag(), 2);
  EXPECT_EQ(it.Current(), list.Tail());
  EXPECT_EQ((it--)->Flag(), 3);
  EXPECT_EQ((--it)->Flag(), 2);
  EXPECT_EQ(it.Prev()->Flag(), 1);
  EXPECT_EQ(it.Prev(), nullptr);
  EXPECT_EQ(it.Current(), nullptr);
  it.Restart();
  EXPECT_EQ(it.Current(), list.Head());
}

TEST(DblPlistIterator, EmptyOrNullListWalksNothing) {
  const DblPlist empty;
  DblPlistIterator it(&empty);
  EXPECT_EQ(it.Next(), nullptr);
  EXPECT_EQ(it.Head(), nullptr);
  it.Set(nullptr);
  EXPECT_EQ(it.Next(), nullptr);
  EXPECT_EQ(it.Prev(), nullptr);
  EXPECT_EQ(it.Tail(), nullptr);
}
