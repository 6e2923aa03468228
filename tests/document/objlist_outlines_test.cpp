// Identifiers of an outline's parts in a document: numbered with the outline, found by GetObj,
// freed with it, kept by Clear, never shared with another entity.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "document/objlist.h"
#include "entities/edge3d.h"
#include "entities/redge3d.h"
#include "support/document_builder.h"
#include "support/outline_builders.h"

namespace {

// An outline of a line, a double-line edge, a roof edge and a nested outline of two lines, all
// bringing 0; with every entity and the identifier a fresh document gives it (parts before the
// entity holding them, segments in order).
std::pair<Multi3D*, std::vector<std::pair<Curve3D*, int>>> MixedOutline() {
  const Point3D p0(0, 0, 0), p1(10, 0, 0), p2(10, 10, 0), p3(0, 10, 0), p4(-5, 5, 0);
  auto* line = new Line3D(&p0, &p1);
  auto* wall = new Edge3D(&p1, &p2, 0, 0, 1);
  auto* eave = new REdge3D(&p2, &p3, 0, 0, 1);
  auto* nested = new Multi3D();
  auto *a = new Line3D(&p3, &p4), *b = new Line3D(&p4, &p0);
  nested->Add(a);
  nested->Add(b);
  auto* outline = new Multi3D();
  for (Curve3D* s : std::vector<Curve3D*>{line, wall, eave, nested})
    outline->Add(s);
  return {outline,
          {{line, 1},
           {wall->GetBase(), 2},
           {wall->GetEdge(), 3},
           {wall, 4},
           {eave->GetEdge(), 5},
           {eave, 6},
           {a, 7},
           {b, 8},
           {nested, 9},
           {outline, 10}}};
}

Ids SegmentIds(Multi3D* m) {
  Ids ids;
  for (int n = 1; Curve3D* s = m->Segment(n); ++n)
    ids.push_back(s->Id());
  return ids;
}

TEST(ObjlistOutlines, PartsAreNumberedFoundFreedAndKeptByClear) {
  Objlist doc;
  auto [outline, expected] = MixedOutline();
  ObjItem* item = doc.Add(outline, kFormatLayerName);
  ASSERT_NE(item, nullptr);
  ASSERT_NE(doc.Add(LPlan().release(), "Roof"), nullptr);  // takes 11 to 17
  doc.Clear(1, 0, 0);                                      // keeps "$FORMAT" and its identifiers
  for (const auto& [entity, id] : expected) {
    EXPECT_EQ(entity->Id(), id);
    EXPECT_EQ(doc.GetObj(id), entity) << id;
    EXPECT_EQ(doc.GetObjItem(id), item) << id;
    EXPECT_FALSE(doc.ValidateTGID(id)) << id;
  }
  EXPECT_EQ(doc.GetObj(11), nullptr);
  Multi3D* square = RectangleOutline(0, 0, 1, 1).release();
  ASSERT_NE(doc.Add(square), nullptr);
  EXPECT_EQ(SegmentIds(square), (Ids{11, 12, 13, 14}));
  doc.FreeIDs(outline);
  doc.FreeIDs(nullptr);
  for (const auto& [entity, id] : expected)
    EXPECT_TRUE(doc.ValidateTGID(id)) << id;
  EXPECT_FALSE(doc.ValidateTGID(14));
}

TEST(ObjlistOutlines, TakenIdentifiersAreReplacedWithoutRenumberingSettledSegments) {
  // In use: 3 and 7. The outline brings 3, its sides 3, 0, 7 and 9: the sides settle first,
  // then the outline, each taking the next free identifier.
  Objlist doc;
  ASSERT_EQ(AddWithIds(doc, {3, 7}), (Ids{3, 7}));
  Multi3D* outline = RectangleOutline(0, 0, 10, 10).release();
  outline->Id(3, 0);
  for (const int n : {1, 2, 3, 4})
    outline->Segment(n)->Id(Ids{3, 0, 7, 9}[n - 1], 0);
  ASSERT_NE(doc.Add(outline), nullptr);
  EXPECT_EQ(SegmentIds(outline), (Ids{1, 2, 4, 9}));
  EXPECT_EQ(outline->Id(), 5);
  EXPECT_EQ(doc.GetIdno(), 6);
  EXPECT_EQ(doc.GetObj(9), outline->Segment(4));
}

}  // namespace
