// Undo and redo: the history's cursor and limit, the scratch list, and the document's records
// put back by identifier (added, deleted and changed entities, outlines, dimensions, openings).

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>
#include <vector>

#include "document/objlist.h"
#include "document/templist.h"
#include "document/undolist.h"
#include "platform/host.h"
#include "support/document_builder.h"
#include "support/outline_builders.h"
#include "support/smartobject_builders.h"

namespace {

UndoItem* RecordOf(int value) {
  auto* rec = new UndoItem(kUndoAdded);
  rec->Add(new TestCurve(value));
  return rec;
}

int ValueOfRecord(UndoItem* rec) {
  return rec != nullptr ? ValueOf(rec->GetItems()->PeekHead()) : -1;
}

// What undo must bring back: every entity's identifier, kind and end points, outlines with
// their segments' identifiers, in identifier order.
using Shape = std::tuple<int, int, double, double, double, double, std::vector<int>>;
std::vector<Shape> Snapshot(const Objlist& doc) {
  std::vector<Shape> shapes;
  for (const ObjItem* item = doc.GetHead(); item != nullptr; item = item->Next()) {
    Curve3D* e = item->Obj();
    std::vector<int> parts;
    if (auto* m = dynamic_cast<Multi3D*>(e)) {
      for (int i = 1; Curve3D* s = m->Segment(i); ++i)
        parts.push_back(s->Id());
    }
    shapes.emplace_back(e->Id(), e->Type(), e->Spt()->x, e->Spt()->y, e->Ept()->x, e->Ept()->y,
                        parts);
  }
  std::sort(shapes.begin(), shapes.end());
  return shapes;
}

struct Drawing {
  Objlist doc;
  Line3D* line;
  Multi3D* outline;
  Drawing() {
    doc.Add(line = new Line3D(0, 0, 0, 5, 0, 0));
    doc.Add(outline = RectangleOutline(10, 10, 20, 14).release());
  }
  void SelectBoth() {
    outline->SelectAll();
    doc.SelectItemById(line->Id(), true);
    doc.SelectItemById(outline->Id(), true);
  }
  void DeleteById(int id) { doc.DeleteItem(doc.GetObjItem(id), 1); }
};

}  // namespace

TEST(UndoList, KeepsTwentyFiveRecordsAndMovesTheCursor) {
  const int live = TestCurve::Live();
  {
    UndoList history;
    for (int i = 1; i <= 26; ++i)
      ASSERT_NE(history.Add(RecordOf(i)), nullptr);
    EXPECT_EQ(history.Num(), kUndoLimit);
    EXPECT_EQ(ValueOfRecord(history.Head()), 2);      // the first record was pushed out ...
    EXPECT_EQ(TestCurve::Live(), live + kUndoLimit);  // ... with its copy
    int undos = 0;
    while (history.Undo() != nullptr)
      ++undos;
    EXPECT_EQ(undos, kUndoLimit);
    EXPECT_EQ(history.IsRedoAvailable(), history.Head());
    EXPECT_EQ(ValueOfRecord(history.Redo()), 2);
    EXPECT_EQ(ValueOfRecord(history.IsUndoAvailable()), 2);

    // Everything undone, then a new record: the history holds only that one.
    history.Undo();
    history.Add(RecordOf(100));
    EXPECT_EQ(history.Num(), 1);
    EXPECT_EQ(TestCurve::Live(), live + 1);

    // Undo twice, record: the two undone records are gone and nothing can be redone.
    history.Add(RecordOf(101));
    history.Add(RecordOf(102));
    history.Undo();
    history.Undo();
    history.Add(RecordOf(103));
    EXPECT_EQ(history.Num(), 2);
    EXPECT_EQ(ValueOfRecord(history.Tail()), 103);
    EXPECT_EQ(ValueOfRecord(history.Tail()->Prev()), 100);
    EXPECT_EQ(history.Redo(), nullptr);

    // Redo right after undo gives the record just undone; a linked record is not taken twice.
    UndoItem* last = history.Undo();
    EXPECT_EQ(history.Redo(), last);
    EXPECT_EQ(history.Add(last), nullptr);
    EXPECT_EQ(history.Num(), 2);
  }
  EXPECT_EQ(TestCurve::Live(), live);
}

TEST(Templist, RefersToItemsAndOwnsOnlyItsEntries) {
  ObjItem a(static_cast<Curve3D*>(nullptr)), b(static_cast<Curve3D*>(nullptr)),
      c(static_cast<Curve3D*>(nullptr));
  Templist list;
  TempItem* first = list.Add(&a);
  TempItem* middle = list.Add(new TempItem(&b, 2.5, 7));
  list.Add(new TempItem(&c, 3, 1.5));
  EXPECT_EQ(list.Noofobjs(), 3);
  EXPECT_EQ(middle->GetInt(), 7);
  EXPECT_DOUBLE_EQ(middle->GetDouble(), 2.5);
  EXPECT_EQ(list.Add(middle), nullptr);  // already linked

  EXPECT_EQ(list.Remove(middle), middle);
  EXPECT_EQ(list.Remove(middle), nullptr);
  EXPECT_EQ(first->Next(), list.Tail());
  EXPECT_EQ(list.Tail()->Obj(), &c);
  delete middle;  // handed back, not freed

  TempItem* kept = list.Head();
  TempItem* forgotten = list.Tail();
  list.Clear(0);
  EXPECT_EQ(list.Head(), nullptr);
  EXPECT_EQ(list.Noofobjs(), 0);
  EXPECT_EQ(list.Add(kept), kept);  // forgotten entries can be listed again; the list frees it
  delete forgotten;
}

TEST(ObjlistUndo, DeleteComesBackUnderTheSameIdentifiers) {
  Drawing d;
  const auto before = Snapshot(d.doc);
  const int lineId = d.line->Id(), outlineId = d.outline->Id();
  d.SelectBoth();
  UndoItem* rec = d.doc.AddUndoItem(kUndoDeleted, nullptr);
  ASSERT_NE(rec, nullptr);
  EXPECT_EQ(rec->NumItems(), 2);
  EXPECT_TRUE(d.doc.ValidateTGID(outlineId));  // released with the record
  d.DeleteById(lineId);
  d.DeleteById(outlineId);
  ASSERT_EQ(d.doc.Noofobjs(), 0);

  RECT rect{};
  ASSERT_EQ(d.doc.Undo(&rect), 1);
  EXPECT_EQ(Snapshot(d.doc), before);
  EXPECT_EQ(d.doc.NumSelected(), 2);  // the restored entities are the selection
  EXPECT_FALSE(d.doc.ValidateTGID(lineId));

  ASSERT_EQ(d.doc.Redo(&rect), 1);
  EXPECT_EQ(d.doc.Noofobjs(), 0);
  EXPECT_EQ(d.doc.NumSelected(), 0);
  ASSERT_EQ(d.doc.Undo(&rect), 1);
  EXPECT_EQ(Snapshot(d.doc), before);
}

TEST(ObjlistUndo, UndoneAddIsRedoneWithItsIdentifiers) {
  Drawing d;
  RECT rect{};
  EXPECT_EQ(d.doc.AddUndoItem(kUndoAdded, nullptr), nullptr);  // nothing selected
  EXPECT_EQ(d.doc.GetUndoList()->Num(), 0);
  EXPECT_EQ(d.doc.Undo(&rect), 0);
  const auto withBoth = Snapshot(d.doc);
  d.SelectBoth();
  ASSERT_NE(d.doc.AddUndoItem(kUndoAdded, nullptr), nullptr);
  EXPECT_EQ(d.doc.Undo(nullptr), 0);
  ASSERT_EQ(d.doc.Undo(&rect), 1);
  EXPECT_EQ(d.doc.Noofobjs(), 0);
  EXPECT_EQ(d.doc.NumSelected(), 0);
  EXPECT_LT(rect.left, rect.right);  // the deleted entities' area is repainted

  ASSERT_EQ(d.doc.Redo(&rect), 1);
  EXPECT_EQ(Snapshot(d.doc), withBoth);
  EXPECT_EQ(d.doc.NumSelected(), 2);
  EXPECT_EQ(d.doc.Redo(&rect), 0);  // nothing left to redo
  d.doc.ClearUndoList();
  EXPECT_EQ(d.doc.UndoAvailable(), nullptr);
}

TEST(ObjlistUndo, ChangeSwapsBetweenRecordAndDocument) {
  Drawing d;
  const auto original = Snapshot(d.doc);
  ObjItem* item = d.doc.GetObjItem(d.line->Id());
  d.doc.SelectItemById(d.line->Id(), true);
  UndoItem* rec = d.doc.AddUndoItem(kUndoChanged, nullptr);
  ASSERT_NE(rec, nullptr);
  const Point3D shift(0, 3, 0);
  d.line->Translate(&shift, false);
  const auto moved = Snapshot(d.doc);

  RECT rect{};
  ASSERT_EQ(d.doc.Undo(&rect), 1);
  EXPECT_EQ(Snapshot(d.doc), original);
  EXPECT_EQ(d.doc.GetObjItem(d.line->Id()), item);               // same item, entity swapped
  EXPECT_DOUBLE_EQ(rec->GetItems()->PeekHead()->Spt()->y, 3.0);  // the record holds the change
  ASSERT_EQ(d.doc.Redo(&rect), 1);
  EXPECT_EQ(Snapshot(d.doc), moved);
  ASSERT_EQ(d.doc.Undo(&rect), 1);
  EXPECT_EQ(Snapshot(d.doc), original);
  EXPECT_EQ(d.doc.NumSelected(), 1);

  // The entity is gone from the document: redo beeps and puts a copy back.
  const int id = item->Obj()->Id();
  d.DeleteById(id);
  ResetBeepCount();
  ASSERT_EQ(d.doc.Redo(&rect), 1);
  EXPECT_EQ(GetBeepCount(), 1);
  ASSERT_NE(d.doc.GetObj(id), nullptr);
  EXPECT_DOUBLE_EQ(d.doc.GetObj(id)->Spt()->y, 3.0);
  EXPECT_EQ(Snapshot(d.doc).size(), original.size());
}

TEST(ObjlistUndo, PartialOutlineDeletionKeepsTheOutline) {
  Drawing d;
  const auto before = Snapshot(d.doc);
  const int outlineId = d.outline->Id();
  const int sideId = d.outline->Segment(2)->Id();
  d.outline->SelectSegment(2);
  d.doc.SelectItemById(outlineId, true);
  ASSERT_NE(d.doc.AddUndoItem(kUndoDeleted, nullptr), nullptr);
  EXPECT_FALSE(d.doc.ValidateTGID(outlineId));  // the outline stays, so its identifiers do

  RECT rect{};
  ASSERT_EQ(d.doc.Undo(&rect), 1);  // nothing deleted yet: the outline is put back as it was
  EXPECT_EQ(Snapshot(d.doc), before);
  ASSERT_EQ(d.doc.Redo(&rect), 1);  // the one side is deleted, the outline kept
  auto* outline = dynamic_cast<Multi3D*>(d.doc.GetObj(outlineId));
  ASSERT_NE(outline, nullptr);
  EXPECT_EQ(outline->Nodes(), 3);
  EXPECT_EQ(outline->GetSegmentById(sideId), nullptr);
  ASSERT_EQ(d.doc.Undo(&rect), 1);
  EXPECT_EQ(Snapshot(d.doc), before);
  EXPECT_NE(d.doc.GetObj(sideId), nullptr);
}

TEST(ObjlistUndo, DimensionsAndOpeningsAreTiedAgain) {
  Drawing d;
  auto* dimension = new TestCurve(1);
  dimension->Type(kEntityDimension);
  d.doc.Add(dimension);
  d.line->AddDimension(dimension);
  const int dimensionId = dimension->Id(), lineId = d.line->Id(), roofId = d.outline->Id();

  // An opening inside the outline, excluded by it as a roof.
  Attach(*d.outline, {Item(6101, "Roof")});
  TSmartObject* so = Item(6110, "Opening");
  so->SetRoofId(roofId, -2);
  Multi3D* opening = RectangleOutline(12, 11, 13, 12).release();
  Attach(*opening, {so});
  const int openingId = d.doc.Add(opening)->Obj()->Id();
  d.outline->AddExclusion(opening);

  d.SelectBoth();
  opening->SelectAll();
  d.doc.SelectItemById(openingId, true);
  UndoItem* rec = d.doc.AddUndoItem(kUndoDeleted, nullptr);
  ASSERT_NE(rec, nullptr);
  EXPECT_EQ(rec->NumItems(), 4);  // the unselected dimension comes along
  const auto before = Snapshot(d.doc);
  for (const int id : {lineId, openingId, roofId})
    d.DeleteById(id);
  ASSERT_EQ(d.doc.Noofobjs(), 0);  // the dimension went with its line

  RECT rect{};
  ASSERT_EQ(d.doc.Undo(&rect), 1);
  EXPECT_EQ(Snapshot(d.doc), before);
  EXPECT_EQ(d.doc.NumSelected(), 3);
  Dblclist* dimensions = d.doc.GetObj(lineId)->GetAssociatedDimensions(nullptr);
  ASSERT_NE(dimensions, nullptr);
  EXPECT_EQ(dimensions->PeekHead(), d.doc.GetObj(dimensionId));
  Dblclist* exclusions = d.doc.GetObj(roofId)->GetExcludeList();
  ASSERT_NE(exclusions, nullptr);
  EXPECT_EQ(exclusions->PeekHead(), d.doc.GetObj(openingId));

  // Redo deletes them again; nothing dangles, nothing leaks.
  ASSERT_EQ(d.doc.Redo(&rect), 1);
  EXPECT_EQ(d.doc.Noofobjs(), 0);
}

TEST(ObjlistUndo, ReplaceItemHandsDimensionsToTheSegmentOfTheSameIdentifier) {
  Drawing d;
  auto* dimension = new TestCurve(1);
  dimension->Type(kEntityDimension);
  d.doc.Add(dimension);
  d.outline->Segment(3)->AddDimension(dimension);
  ObjItem* item = d.doc.GetObjItem(d.outline->Id());
  auto* same = static_cast<Multi3D*>(d.outline->Copy());
  ResetBeepCount();
  std::unique_ptr<Curve3D> old(d.doc.ReplaceItem(item, same));
  EXPECT_EQ(old.get(), d.outline);
  EXPECT_EQ(item->Obj(), same);
  EXPECT_EQ(old->Segment(3)->Dimensions(), 0);
  EXPECT_EQ(same->Segment(3)->Dimensions(), 1);
  EXPECT_EQ(d.doc.GetObj(same->Segment(3)->Id()), same->Segment(3));
  EXPECT_EQ(d.doc.ReplaceItem(item, same), nullptr);  // already the item's entity

  // An outline without that segment cannot take the dimension: a beep, and it stays behind.
  auto* other = RectangleOutline(0, 0, 1, 1).release();
  std::unique_ptr<Curve3D> replaced(d.doc.ReplaceItem(item, other));
  EXPECT_EQ(GetBeepCount(), 1);
  EXPECT_EQ(replaced->Segment(3)->Dimensions(), 1);
}
