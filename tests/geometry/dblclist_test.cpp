#include "geometry/dblclist.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/test_curve.h"

namespace {

// The entity values from head to tail, after checking that the backward links, the tail and the
// count agree with the forward walk.
std::vector<int> Values(const Dblclist& list) {
  std::vector<int> values;
  const Dblcitem* prev = nullptr;
  for (const Dblcitem* node = list.Head(); node != nullptr; node = node->Next()) {
    EXPECT_EQ(node->Prev(), prev);
    values.push_back(ValueOf(node->Obj()));
    prev = node;
  }
  EXPECT_EQ(list.Tail(), prev);
  EXPECT_EQ(list.Num(), static_cast<int>(values.size()));
  return values;
}

// Every test starts and must end with no TestCurve alive, which LeakSanitizer backs up.
class DblclistTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(TestCurve::Live(), 0); }
  void TearDown() override { EXPECT_EQ(TestCurve::Live(), 0); }
};

using DblclistIteratorTest = DblclistTest;

// Appends entities valued 1 to count.
void Fill(Dblclist& list, int count) {
  for (int i = 1; i <= count; ++i)
    list.Add(new TestCurve(i));
}

}  // namespace

TEST_F(DblclistTest, ConstructorsStartEmptyOrWithOneNode) {
  const Dblclist empty;
  EXPECT_EQ(empty.Head(), nullptr);
  EXPECT_EQ(empty.Tail(), nullptr);
  EXPECT_EQ(empty.Num(), 0);
  EXPECT_EQ(empty.IVal(), 0);
  EXPECT_EQ(empty.PeekHead(), nullptr);
  EXPECT_EQ(empty.PeekTail(), nullptr);

  auto* e = new TestCurve(7);
  const Dblclist one(e);
  EXPECT_EQ(one.Num(), 1);
  EXPECT_EQ(one.IVal(), 0);
  EXPECT_EQ(one.PeekHead(), e);
  EXPECT_EQ(one.PeekTail(), e);
  EXPECT_EQ(Values(one), std::vector<int>{7});

  const Dblclist from_null(static_cast<Curve3D*>(nullptr));
  EXPECT_EQ(from_null.Num(), 0);
  EXPECT_EQ(from_null.Head(), nullptr);
}

TEST_F(DblclistTest, AddAppendsAndReturnsExistingNodeForDuplicate) {
  Dblclist list;
  auto* a = new TestCurve(1);
  auto* b = new TestCurve(2);
  Dblcitem* na = list.Add(a);
  Dblcitem* nb = list.Add(b);
  ASSERT_NE(na, nullptr);
  ASSERT_NE(nb, nullptr);
  EXPECT_EQ(na->Obj(), a);
  EXPECT_EQ(list.Tail(), nb);

  EXPECT_EQ(list.Add(a), na);
  EXPECT_EQ(list.Num(), 2);
  EXPECT_EQ(Values(list), (std::vector<int>{1, 2}));
}

TEST_F(DblclistTest, NullEntityIsNeverStored) {
  Dblclist list;
  Fill(list, 2);
  EXPECT_EQ(list.Add(nullptr), nullptr);
  EXPECT_EQ(list.Insert(nullptr, 1), nullptr);
  EXPECT_EQ(list.Contains(nullptr), nullptr);
  EXPECT_EQ(list.Detach(nullptr), nullptr);
  EXPECT_EQ(list.Remove(nullptr), 0);
  EXPECT_EQ(Values(list), (std::vector<int>{1, 2}));
}

TEST_F(DblclistTest, InsertPutsEntityAtEveryPositionOfAThreeList) {
  struct Case {
    int pos;
    std::vector<int> order;
  };
  const Case cases[] = {
      {-1, {1, 2, 3, 9}}, {0, {1, 2, 3, 9}}, {1, {9, 1, 2, 3}},   {2, {1, 9, 2, 3}},
      {3, {1, 2, 9, 3}},  {4, {1, 2, 3, 9}}, {100, {1, 2, 3, 9}},
  };
  for (const Case& c : cases) {
    Dblclist list;
    Fill(list, 3);
    Dblcitem* node = list.Insert(new TestCurve(9), c.pos);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(Values(list), c.order) << "pos " << c.pos;
    EXPECT_EQ(list.Head() == node, c.order.front() == 9) << "pos " << c.pos;
    EXPECT_EQ(list.Tail() == node, c.order.back() == 9) << "pos " << c.pos;
  }
}

TEST_F(DblclistTest, InsertPastTheEndKeepsDuplicateCheckOfAdd) {
  Dblclist list;
  auto* a = new TestCurve(1);
  Dblcitem* na = list.Add(a);
  list.Add(new TestCurve(2));
  EXPECT_EQ(list.Insert(a, 0), na);
  EXPECT_EQ(list.Insert(a, 3), na);
  EXPECT_EQ(Values(list), (std::vector<int>{1, 2}));
}

TEST_F(DblclistTest, InsertIntoEmptyListAppends) {
  Dblclist list;
  Dblcitem* node = list.Insert(new TestCurve(5), 1);
  EXPECT_EQ(list.Head(), node);
  EXPECT_EQ(list.Tail(), node);
  EXPECT_EQ(Values(list), std::vector<int>{5});
}

TEST_F(DblclistTest, InsertOfPresentEntityAddsSecondNode) {
  auto* a = new TestCurve(1);
  Dblclist list(a);
  list.Add(new TestCurve(2));
  Dblcitem* second = list.Insert(a, 2);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, list.Head());
  EXPECT_EQ(Values(list), (std::vector<int>{1, 1, 2}));
  // Both nodes hold the same entity; only one of them may delete it.
  second->Obj(nullptr);
}

TEST_F(DblclistTest, RemoveDeletesEntityAndRelinks) {
  Dblclist list;
  Fill(list, 4);
  EXPECT_EQ(list.Remove(list.Head()->Next()), 1);
  EXPECT_EQ(TestCurve::Live(), 3);
  EXPECT_EQ(Values(list), (std::vector<int>{1, 3, 4}));
  EXPECT_EQ(list.Remove(list.Tail()), 1);
  EXPECT_EQ(Values(list), (std::vector<int>{1, 3}));
  EXPECT_EQ(list.Remove(list.Head()), 1);
  EXPECT_EQ(Values(list), std::vector<int>{3});
  EXPECT_EQ(list.Remove(list.Head()), 1);
  EXPECT_EQ(list.Head(), nullptr);
  EXPECT_EQ(list.Tail(), nullptr);
  EXPECT_EQ(list.Num(), 0);
  EXPECT_EQ(TestCurve::Live(), 0);
}

TEST_F(DblclistTest, RemoveOfForeignNodeChangesNeitherList) {
  Dblclist mine;
  Dblclist other;
  Fill(mine, 2);
  Fill(other, 3);
  EXPECT_EQ(mine.Remove(other.Head()->Next()), 0);
  EXPECT_EQ(mine.Remove(other.Tail()), 0);
  EXPECT_EQ(Values(mine), (std::vector<int>{1, 2}));
  EXPECT_EQ(Values(other), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(TestCurve::Live(), 5);
}

TEST_F(DblclistTest, DetachHandsEntityBackAlive) {
  Dblclist list;
  Fill(list, 3);
  Curve3D* middle = list.Head()->Next()->Obj();
  Curve3D* detached = list.Detach(middle);
  EXPECT_EQ(detached, middle);
  EXPECT_EQ(Values(list), (std::vector<int>{1, 3}));
  EXPECT_EQ(TestCurve::Live(), 3);
  delete detached;
}

TEST_F(DblclistTest, DetachOfAbsentEntityReturnsNullAndChangesNothing) {
  Dblclist list;
  Fill(list, 2);
  list.IVal(4);
  TestCurve outsider(1);
  EXPECT_EQ(list.Detach(&outsider), nullptr);
  EXPECT_EQ(Values(list), (std::vector<int>{1, 2}));
  EXPECT_EQ(list.IVal(), 4);
}

TEST_F(DblclistTest, ClearZeroKeepsEntitiesAndResetsFields) {
  std::vector<TestCurve*> kept;
  {
    Dblclist list;
    for (int i = 1; i <= 3; ++i) {
      kept.push_back(new TestCurve(i));
      list.Add(kept.back());
    }
    EXPECT_EQ(list.IVal(8), 8);
    EXPECT_EQ(list.Clear(0), 1);
    EXPECT_EQ(list.Head(), nullptr);
    EXPECT_EQ(list.Tail(), nullptr);
    EXPECT_EQ(list.Num(), 0);
    EXPECT_EQ(list.IVal(), 0);
  }
  EXPECT_EQ(TestCurve::Live(), 3);
  for (TestCurve* e : kept)
    delete e;
}

TEST_F(DblclistTest, ClearOneDeletesEntitiesAndResetsFields) {
  Dblclist list;
  Fill(list, 3);
  list.IVal(8);
  EXPECT_EQ(list.Clear(1), 1);
  EXPECT_EQ(TestCurve::Live(), 0);
  EXPECT_EQ(list.Num(), 0);
  EXPECT_EQ(list.IVal(), 0);
  EXPECT_EQ(list.Head(), nullptr);
  // The list is usable again afterwards.
  list.Add(new TestCurve(4));
  EXPECT_EQ(Values(list), std::vector<int>{4});
}

TEST_F(DblclistTest, DestructorDeletesHeldEntities) {
  {
    Dblclist list;
    Fill(list, 5);
    EXPECT_EQ(TestCurve::Live(), 5);
  }
  EXPECT_EQ(TestCurve::Live(), 0);
}

TEST_F(DblclistTest, NodeWhoseEntityWasClearedLeavesEntityAlive) {
  auto* e = new TestCurve(1);
  {
    Dblclist list(e);
    EXPECT_EQ(list.Head()->Obj(nullptr), nullptr);
    EXPECT_EQ(list.Remove(list.Head()), 1);
  }
  EXPECT_EQ(TestCurve::Live(), 1);
  delete e;
}

TEST_F(DblclistTest, DeepCopyMakesNewEntitiesInOrder) {
  Dblclist source;
  Fill(source, 3);
  source.IVal(42);
  Dblclist copy(&source);
  EXPECT_EQ(TestCurve::Live(), 6);
  EXPECT_EQ(copy.IVal(), 42);
  EXPECT_EQ(Values(copy), (std::vector<int>{1, 2, 3}));
  for (const Dblcitem* node = copy.Head(); node != nullptr; node = node->Next()) {
    EXPECT_EQ(source.Contains(node->Obj()), nullptr);
  }
  static_cast<TestCurve*>(copy.PeekHead())->Value(99);
  EXPECT_EQ(ValueOf(source.PeekHead()), 1);
}

TEST_F(DblclistTest, DeepCopyOfNullOrEmptyIsEmpty) {
  const Dblclist from_null(static_cast<const Dblclist*>(nullptr));
  EXPECT_EQ(from_null.Num(), 0);
  const Dblclist empty;
  const Dblclist copy(&empty);
  EXPECT_EQ(copy.Num(), 0);
  EXPECT_EQ(copy.Head(), nullptr);
}

// ---- Iterator --------------------------------------------------------------------------------

TEST_F(DblclistIteratorTest, NextWalksHeadToTailThenReturnsNull) {
  Dblclist list;
  Fill(list, 3);
  DblclistIterator it(&list);
  EXPECT_EQ(ValueOf(it.Next()), 1);
  EXPECT_EQ(ValueOf(it++), 2);
  EXPECT_EQ(ValueOf(++it), 3);
  EXPECT_EQ(it.Current(), nullptr);
  EXPECT_EQ(it.Next(), nullptr);
  EXPECT_EQ(it.Next(), nullptr);
}

TEST_F(DblclistIteratorTest, PrevWalksFromTailAfterRestart) {
  Dblclist list;
  Fill(list, 3);
  DblclistIterator it(&list);
  it.Restart(1);
  EXPECT_EQ(it.Current(), list.Tail());
  EXPECT_EQ(ValueOf(it.Prev()), 3);
  EXPECT_EQ(ValueOf(it--), 2);
  EXPECT_EQ(ValueOf(--it), 1);
  EXPECT_EQ(it.Prev(), nullptr);
  it.Restart(0);
  EXPECT_EQ(it.Current(), list.Head());
}

TEST_F(DblclistIteratorTest, PeeksDoNotMove) {
  Dblclist list;
  Fill(list, 3);
  DblclistIterator it(&list);
  it.Next();
  EXPECT_EQ(ValueOf(it.CurrentObj()), 2);
  EXPECT_EQ(ValueOf(it.PeekNext()), 2);
  EXPECT_EQ(ValueOf(it.Head()), 1);
  EXPECT_EQ(ValueOf(it.Tail()), 3);
  EXPECT_EQ(ValueOf(it.Next()), 2);
}

TEST_F(DblclistIteratorTest, PeekPrevAtEveryStepOfAWalk) {
  Dblclist list;
  Fill(list, 3);
  DblclistIterator it(&list);
  EXPECT_EQ(it.PeekPrev(), nullptr);  // nothing returned yet
  it.Next();                          // returned 1
  EXPECT_EQ(it.PeekPrev(), nullptr);
  it.Next();  // returned 2
  EXPECT_EQ(ValueOf(it.PeekPrev()), 1);
  it.Next();  // returned 3, walk is past the tail
  EXPECT_EQ(ValueOf(it.PeekPrev()), 2);
  EXPECT_EQ(it.Next(), nullptr);
  EXPECT_EQ(ValueOf(it.PeekPrev()), 2);
}

TEST_F(DblclistIteratorTest, PeekPrevOnShortLists) {
  Dblclist one;
  Fill(one, 1);
  DblclistIterator it(&one);
  it.Next();
  EXPECT_EQ(it.PeekPrev(), nullptr);

  Dblclist empty;
  DblclistIterator on_empty(&empty);
  EXPECT_EQ(on_empty.PeekPrev(), nullptr);
  EXPECT_EQ(on_empty.Next(), nullptr);
}

TEST_F(DblclistIteratorTest, RemovingJustReturnedEntityKeepsWalkGoing) {
  Dblclist list;
  Fill(list, 5);
  DblclistIterator it(&list);
  std::vector<int> seen;
  while (Curve3D* e = it.Next()) {
    seen.push_back(ValueOf(e));
    if (ValueOf(e) % 2 == 1) list.Remove(list.Contains(e));
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(Values(list), (std::vector<int>{2, 4}));
  EXPECT_EQ(TestCurve::Live(), 2);
}

TEST_F(DblclistIteratorTest, NullListGivesEmptyWalk) {
  DblclistIterator it(nullptr);
  it.Restart(1);
  EXPECT_EQ(it.Current(), nullptr);
  EXPECT_EQ(it.Next(), nullptr);
  EXPECT_EQ(it.Prev(), nullptr);
  EXPECT_EQ(it.PeekPrev(), nullptr);
  EXPECT_EQ(it.Head(), nullptr);
  EXPECT_EQ(it.Tail(), nullptr);
}

TEST_F(DblclistIteratorTest, SetRebindsAndRestartsAtHead) {
  Dblclist first;
  Dblclist second;
  Fill(first, 2);
  second.Add(new TestCurve(7));
  DblclistIterator it(&first);
  it.Next();
  it.Set(&second);
  EXPECT_EQ(ValueOf(it.Next()), 7);
  EXPECT_EQ(it.Next(), nullptr);
}
