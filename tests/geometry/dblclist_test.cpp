#include "geometry/dblclist.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "support/list_walk.h"
#include "support/test_curve.h"

namespace {

using Ints = std::vector<int>;

// Entity values head to tail, with the links, the tail and Num checked on the way.
Ints Values(const Dblclist& list) {
  return WalkKeys(list, [](const Dblcitem* node) { return ValueOf(node->Obj()); });
}

// Appends entities valued 1..count and returns their nodes.
std::vector<Dblcitem*> Fill(Dblclist& list, int count) {
  std::vector<Dblcitem*> nodes;
  for (int i = 1; i <= count; ++i)
    nodes.push_back(list.Add(new TestCurve(i)));
  return nodes;
}

// Every test ends with no TestCurve alive, so each list (destructor included) must
// delete exactly the entities it owns; LeakSanitizer backs this up.
class DblclistTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(TestCurve::Live(), 0); }
};

}  // namespace

TEST_F(DblclistTest, AddKeepsOneNodePerEntityAndNeverStoresNull) {
  auto* a = new TestCurve(1);
  Dblclist list(a);
  EXPECT_EQ(list.IVal(), 0);
  list.Add(new TestCurve(2));
  EXPECT_EQ(list.Add(a), list.Head());
  EXPECT_EQ(list.Add(nullptr), nullptr);
  EXPECT_EQ(list.Insert(nullptr, 1), nullptr);
  EXPECT_EQ(list.Detach(nullptr), nullptr);
  EXPECT_EQ(list.Remove(nullptr), 0);
  EXPECT_EQ(Values(list), (Ints{1, 2}));
}

TEST_F(DblclistTest, InsertIsOneBasedAndAppendsThroughAdd) {
  const std::pair<int, Ints> cases[] = {
      {-1, {1, 2, 3, 9}}, {0, {1, 2, 3, 9}}, {1, {9, 1, 2, 3}},
      {2, {1, 9, 2, 3}},  {3, {1, 2, 9, 3}}, {4, {1, 2, 3, 9}},
  };
  for (const auto& [pos, order] : cases) {
    Dblclist list;
    Fill(list, 3);
    EXPECT_EQ(ValueOf(list.Insert(new TestCurve(9), pos)->Obj()), 9) << "pos " << pos;
    EXPECT_EQ(Values(list), order) << "pos " << pos;
  }
  Dblclist empty;
  EXPECT_EQ(ValueOf(empty.Insert(new TestCurve(5), 1)->Obj()), 5);
  EXPECT_EQ(Values(empty), Ints{5});

  // Appending goes through Add and its duplicate check; a real position does not check.
  auto* a = new TestCurve(1);
  Dblclist list(a);
  list.Add(new TestCurve(2));
  EXPECT_EQ(list.Insert(a, 0), list.Head());
  EXPECT_EQ(list.Insert(a, 3), list.Head());
  EXPECT_EQ(Values(list), (Ints{1, 2}));
  Dblcitem* second = list.Insert(a, 2);
  EXPECT_EQ(Values(list), (Ints{1, 1, 2}));
  second->Obj(nullptr);  // both nodes hold a; only one may delete it
}

TEST_F(DblclistTest, RemoveDeletesOnlyNodesOfThisList) {
  Dblclist list, other;
  const std::vector<Dblcitem*> nodes = Fill(list, 4);
  const std::vector<Dblcitem*> foreign = Fill(other, 3);
  EXPECT_EQ(list.Remove(foreign[1]), 0);
  EXPECT_EQ(list.Remove(foreign[2]), 0);
  EXPECT_EQ(Values(other), (Ints{1, 2, 3}));
  const std::pair<int, Ints> steps[] = {{1, {1, 3, 4}}, {3, {1, 3}}, {0, {3}}, {2, {}}};
  for (const auto& [index, left] : steps) {
    EXPECT_EQ(list.Remove(nodes[index]), 1);
    EXPECT_EQ(Values(list), left);
    EXPECT_EQ(TestCurve::Live(), 3 + static_cast<int>(left.size()));
  }
}

TEST_F(DblclistTest, DetachAndClearedNodesHandEntitiesBackAlive) {
  Dblclist list;
  Fill(list, 3);
  TestCurve outsider(7);
  EXPECT_EQ(list.Detach(&outsider), nullptr);
  Curve3D* middle = list.Head()->Next()->Obj();
  EXPECT_EQ(list.Detach(middle), middle);
  EXPECT_EQ(Values(list), (Ints{1, 3}));
  Curve3D* head = list.PeekHead();
  list.Head()->Obj(nullptr);
  EXPECT_EQ(list.Remove(list.Head()), 1);
  EXPECT_EQ(TestCurve::Live(), 4);
  delete middle;
  delete head;
}

TEST_F(DblclistTest, ClearDeletesEntitiesOnlyWhenAskedAndResetsEveryField) {
  TestCurve a(1), b(2);  // on the stack: a list that deleted them would crash
  for (const int delete_objects : {0, 1}) {
    Dblclist list;
    list.Add(delete_objects ? new TestCurve(1) : &a);
    list.Add(delete_objects ? new TestCurve(2) : &b);
    list.IVal(8);
    EXPECT_EQ(list.Clear(delete_objects), 1);
    EXPECT_EQ(list.IVal(), 0);
    EXPECT_EQ(Values(list), Ints{});
    EXPECT_EQ(TestCurve::Live(), 2);
    Fill(list, 1);
    EXPECT_EQ(Values(list), Ints{1});
  }
}

TEST_F(DblclistTest, DeepCopyMakesNewEntitiesInOrder) {
  Dblclist source;
  Fill(source, 3);
  source.IVal(42);
  Dblclist copy(&source);
  EXPECT_EQ(TestCurve::Live(), 6);
  EXPECT_EQ(copy.IVal(), 42);
  EXPECT_EQ(Values(copy), (Ints{1, 2, 3}));
}

TEST_F(DblclistTest, IteratorWalksBothWaysAndEveryFormMovesAfterReturning) {
  Dblclist list;
  Fill(list, 3);
  DblclistIterator it(&list);
  EXPECT_EQ(ValueOf(it.Next()), 1);
  EXPECT_EQ(ValueOf(it++), 2);
  EXPECT_EQ(ValueOf(++it), 3);
  EXPECT_EQ(it.Next(), nullptr);
  it.Restart(1);
  EXPECT_EQ(ValueOf(it.Prev()), 3);
  EXPECT_EQ(ValueOf(it--), 2);
  EXPECT_EQ(ValueOf(--it), 1);
  EXPECT_EQ(it.Prev(), nullptr);

  Dblclist other(new TestCurve(7));
  it.Set(&other);
  EXPECT_EQ(ValueOf(it.Next()), 7);
  EXPECT_EQ(it.Next(), nullptr);
}

// PeekPrev is the entity before the one Next returned last; no peek moves the cursor.
TEST_F(DblclistTest, IteratorPeeksAtEveryStepOfAWalk) {
  Dblclist list;
  Fill(list, 3);
  DblclistIterator it(&list);
  EXPECT_EQ(ValueOf(it.Head()), 1);
  EXPECT_EQ(ValueOf(it.Tail()), 3);
  const int prev_before[] = {-1, -1, 1, 2, 2};  // before any Next, after 1, 2, 3, past the end
  for (int step = 0; step < 5; ++step) {
    const int next = step < 3 ? step + 1 : -1;
    EXPECT_EQ(ValueOf(it.PeekPrev()), prev_before[step]) << "step " << step;
    EXPECT_EQ(ValueOf(it.PeekNext()), next) << "step " << step;
    EXPECT_EQ(ValueOf(it.Next()), next) << "step " << step;
  }
}

TEST_F(DblclistTest, IteratorSurvivesRemovalOfJustReturnedEntity) {
  Dblclist list;
  Fill(list, 5);
  DblclistIterator it(&list);
  Ints seen;
  while (Curve3D* e = it.Next()) {
    seen.push_back(ValueOf(e));
    if (ValueOf(e) % 2 == 1) list.Remove(list.Contains(e));
  }
  EXPECT_EQ(seen, (Ints{1, 2, 3, 4, 5}));
  EXPECT_EQ(Values(list), (Ints{2, 4}));
}

// Lists built from a null entity, a null source or an empty source are empty too.
TEST_F(DblclistTest, NullOrEmptyListsWalkNothing) {
  const Dblclist empty, no_entity(static_cast<Curve3D*>(nullptr)), copy_of_empty(&empty);
  const Dblclist* const none = nullptr;
  const Dblclist no_source(none);
  for (const Dblclist* list : {&empty, &no_entity, &copy_of_empty, &no_source, none}) {
    DblclistIterator it(list);
    it.Restart(1);
    EXPECT_EQ(it.Current(), nullptr);
    EXPECT_EQ(it.Next(), nullptr);
    EXPECT_EQ(it.Prev(), nullptr);
    EXPECT_EQ(it.PeekPrev(), nullptr);
    EXPECT_EQ(it.Head(), nullptr);
    EXPECT_EQ(it.Tail(), nullptr);
  }
}
