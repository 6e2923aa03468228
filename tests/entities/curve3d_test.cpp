#include "entities/curve3d.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <numbers>
#include <vector>

#include "document/layerbag.h"
#include "render/colours.h"
#include "support/box_matchers.h"
#include "support/compact_helpers.h"
#include "support/entity_builders.h"
#include "support/entity_fields.h"
#include "support/entity_matchers.h"
#include "support/geometry_matchers.h"
#include "support/test_curve.h"

using ::testing::ElementsAre;

namespace {

constexpr double kTol = 1e-12;
const Point3D kZAxis(0.0, 0.0, 1.0);

// A base entity in the plan: colour 1, continuous, thickness 1, not filled.
Curve3D MakeCurve(double x1, double y1, double x2, double y2) {
  return Curve3D(x1, y1, 0.0, x2, y2, 0.0, 1, 0, 1, -1, -2);
}

Box3D& BoxOf(Curve3D& e) {
  return *e.Box(0, nullptr);
}

// The geometry that Copy and Set take from a decorated entity from (1, 2) to (3, 4).
void ExpectDecoratedGeometry(Curve3D& e) {
  EXPECT_THAT(e, EndsAre(1, 2, 3, 4));
  EXPECT_THAT(*e.LocalSpt(), PointIs(3, 4, 0));
  EXPECT_THAT(BoxOf(e), BoxIs(1, 2, 0, 3, 4, 0));
  EXPECT_EQ(e.LegacyPitch(), 4.5);  // copied, not computed
}

}  // namespace

// ---- Construction, state and attributes ---------------------------------------------------

TEST(Curve3D, ConstructionCopiesOrSnapsThePointsAndStartsEmpty) {
  const Point3D a(1, 5, 2), b(4, -1, 0);
  Curve3D e(&a, &b, 3, 2, 1, -1, -2);
  EXPECT_THAT(*e.LocalEpt(), PointIs(4, -1, 0));
  EXPECT_THAT(BoxOf(e), BoxIs(1, -1, 0, 4, 5, 2));
  EXPECT_THAT(Fields(e), ElementsAre(3, 2, 1, -1, -2, 0, 0, 0, kEntityUnknown, 0, 0, 0, 0, 0,
                                     kStateUnchanged));
  EXPECT_THAT(Texts(e), ElementsAre("", "", "", "", "-", "-"));
  EXPECT_TRUE(e.Colour(1) == RGB(255, 0, 0) && e.GetColour() == 1);  // RGB back, index kept
  TSmartObjectList items(new TSmartObject());
  e.SetSmartObjectList(&items);
  EXPECT_EQ(e.State(), kStateGeometryChanged);

  EXPECT_THAT(Curve3D(1e-13, 2, -5e-13, 3, 1e-13, 0, 0, 0, 1, -1, -2), EndsAre(0, 2, 3, 0));
  Point3D tiny;
  tiny.x = 1e-13;  // unsnapped, as a point read from elsewhere may be; a null point is the origin
  EXPECT_EQ(Curve3D(&tiny, nullptr, 0, 0, 1, -1, -2).Spt()->x, 1e-13);
  EXPECT_EQ(Curve3D(static_cast<const Curve3D*>(nullptr)).Type(), kEntityUnknown);
}

TEST(Curve3D, StateLineTypeAndFillFollowTheirRules) {
  constexpr int U = kStateUnchanged, A = kStateAdded, D = kStateDeleted, C = kStateChanged,
                G = kStateGeometryChanged;
  // {start, request, result}: a change never lowers the state nor touches an added entity;
  // deleting an added entity makes it as if it had never been there; the rest is stored.
  const int cases[][3] = {{U, C, C}, {U, G, G}, {C, G, G}, {G, C, G}, {A, C, A},
                          {A, G, A}, {A, D, U}, {C, D, D}, {G, D, D}, {U, D, D},
                          {D, C, C}, {G, U, U}, {G, A, A}, {C, 7, 7}, {C, -1, -1}};
  for (const auto& [start, request, result] : cases) {
    Curve3D e;
    e.State(start);
    EXPECT_EQ(e.State(request), result) << "from " << start << " asking " << request;
    EXPECT_EQ(e.State(), result);
  }

  // Thick lines are continuous and patterned lines thin.
  // {line type, thickness, 1 sets the thickness / 0 the line type, value, type after, after}.
  // A width of 1 leaves the pattern, and a continuous line its width.
  const int lines[][6] = {
      {1, 1, 1, 3, 0, 3}, {1, 1, 1, 1, 1, 1}, {0, 5, 0, 2, 2, 1}, {0, 5, 0, 0, 0, 5}};
  for (const auto& [type, thickness, set_thickness, value, type_after, thickness_after] : lines) {
    Curve3D e(0, type, thickness, -1, -2);
    EXPECT_EQ(set_thickness ? e.Thickness(value) : e.Linetype(value), value);
    EXPECT_THAT((std::vector{e.GetLinetype(), e.Thickness(), e.State()}),
                ElementsAre(type_after, thickness_after, kStateChanged))
        << type << ", " << thickness << " set to " << value;
  }

  // Fill colour and pattern agree on whether the entity is filled.
  // {fill colour, pattern, 1 sets the colour / 0 the pattern, value, colour after, after}.
  // No colour means no pattern (-2) and the reverse; a colour on an unfilled entity makes it
  // solid (-1) and a pattern on an uncoloured one takes colour 0; anything else is kept.
  const int fills[][6] = {{3, 4, 1, -1, -1, -2},  {-1, -2, 1, 0, 0, -1}, {2, 5, 1, 3, 3, 5},
                          {-1, -2, 0, -1, 0, -1}, {-1, -2, 0, 0, 0, 0},  {6, 0, 0, -2, -1, -2},
                          {6, 0, 0, -1, 6, -1}};
  for (const auto& [colour, pattern, set_colour, value, colour_after, pattern_after] : fills) {
    Curve3D e(0, 0, 1, colour, pattern);
    const int returned = set_colour ? e.FillColour(value) : e.FillPattern(value);
    EXPECT_EQ(returned, set_colour ? static_cast<int>(GetColor(value)) : value);
    EXPECT_THAT((std::vector{e.GetFillColour(), e.FillPattern(), e.State()}),
                ElementsAre(colour_after, pattern_after, kStateChanged))
        << colour << ", " << pattern << " set to " << value;
  }
}

TEST(Curve3D, NamesIdsLayersAndGuidsFollowTheirRules) {
  Curve3D e;
  const char* long_name = "0123456789012345678901234567890123456789012345678901234567";
  EXPECT_EQ(std::strlen(e.Name(long_name)), 50u);
  EXPECT_EQ(e.State(), kStateChanged);
  char buffer[kEntityNameSize] = "junk";
  EXPECT_TRUE(e.Name(0, buffer) == buffer && std::strncmp(buffer, long_name, 50) == 0);
  EXPECT_STREQ(e.Name(nullptr), "");

  EXPECT_TRUE(e.Id(41, 99) == 42 && e.Id() == 41);  // returns the next free number
  EXPECT_TRUE(e.NextSegment() == &e && e.Segment(1)->NextSegment() == nullptr);

  char text[] = "North";
  e.Sectionname(text);
  text[0] = 'X';  // the entity keeps its own copy
  EXPECT_STREQ(e.Sectionname(), "North");
  EXPECT_EQ(e.State(), kStateGeometryChanged);
  EXPECT_EQ(e.Sectionname(nullptr), nullptr);

  LayerBag walls("Walls");
  walls.Guid(kSampleGuid);
  EXPECT_EQ(e.Layer(&walls), &walls);
  e.Layername("Kept");  // the link's name wins while linked
  EXPECT_EQ((TextList{e.LayerGuid(), e.Layername()}), (TextList{kSampleGuid, "Walls"}));
  EXPECT_EQ(e.Layer(nullptr), nullptr);
  EXPECT_EQ(e.Layername(), nullptr);
  EXPECT_STREQ(e.Layername("Loose"), "Loose");
  // A placeholder or null owner GUID clears it.
  EXPECT_EQ((TextList{e.SetOwnerGuid(kSampleGuid), e.SetOwnerGuid(kPlaceholderGuid),
                      e.SetOwnerGuid(kSampleGuid), e.SetOwnerGuid(nullptr)}),
            (TextList{kSampleGuid, "", kSampleGuid, ""}));
}

// ---- Copy and Set ---------------------------------------------------------------------------

TEST(Curve3D, CopyTakesAllButReferencesAndSetAllButLayerSectionKindAndLists) {
  LayerBag layer("Roof"), own_layer("Own");
  Curve3D child;
  Curve3D src = MakeCurve(1, 2, 3, 4);
  Decorate(src, &layer);
  src.AddChild(&child, true);
  TSmartObjectList items(new TSmartObject());
  src.SetSmartObjectList(&items);

  std::unique_ptr<Curve3D> copy(src.Copy());
  ASSERT_NE(copy, nullptr);
  ExpectDecoratedGeometry(*copy);
  // Everything but the segment position, which belongs to the outline the source is in.
  EXPECT_THAT(Fields(*copy),
              ElementsAre(4, 2, 1, 5, 7, 77, 0, 2, kEntityArc, 1, 1, 1, 6105, -1, kStateAdded));
  EXPECT_THAT(Texts(*copy),
              ElementsAre("Ridge", kSampleGuid, kOtherGuid, kSampleGuid, "South", "Roof"));
  EXPECT_TRUE(copy->Layer() == &layer && copy->HasChildren() == 0);
  // Its own heap copies.
  EXPECT_TRUE(copy->Sectionname() != src.Sectionname() &&
              copy->StoredLayername() != src.StoredLayername());
  EXPECT_TRUE(copy->GetSmartObjectList() != nullptr &&
              copy->GetSmartObjectList() != src.GetSmartObjectList());

  Curve3D dst = MakeCurve(9, 9, 8, 8);
  dst.Layer(&own_layer);
  dst.Sectionname("Mine");
  dst.FillPattern(3);
  dst.AddExclusion(&child);
  EXPECT_EQ(dst.Set(&src), &dst);
  ExpectDecoratedGeometry(dst);
  // Set keeps the fill pattern, kind, selection and frozen flag, but takes the segment position.
  EXPECT_THAT(Fields(dst),
              ElementsAre(4, 2, 1, 5, 3, 77, 3, 2, kEntityUnknown, 0, 1, 0, 6105, -1, kStateAdded));
  EXPECT_THAT(Texts(dst),
              ElementsAre("Ridge", kSampleGuid, kOtherGuid, kSampleGuid, "Mine", "Own"));
  EXPECT_EQ(dst.HasExclusions(), 1);

  // From a plain source, Set (assignment here) empties the item list and GUIDs.
  dst.State(kStateUnchanged);
  dst = MakeCurve(1, 1, 2, 2);
  EXPECT_EQ(dst.GetSmartObjectList(), nullptr);
  EXPECT_THAT(Texts(dst), ElementsAre("", "", "", "", "Mine", "Own"));
  EXPECT_EQ(dst.State(), kStateGeometryChanged);
  dst.State(kStateUnchanged);
  EXPECT_TRUE(dst.Set(nullptr) == &dst && dst.Set(&dst) == &dst);
  EXPECT_EQ(dst.State(), kStateUnchanged);  // nothing to copy
}

// ---- Reference lists ----------------------------------------------------------------------

TEST(Curve3D, ReferenceListsComeAndGoWithTheirFirstAndLastEntityAndPlaceChildren) {
  Curve3D a, b;
  Curve3D d1 = MakeCurve(-1, 5, 1, 5), d2 = MakeCurve(0, 0, 0, -2);
  Curve3D parent = MakeCurve(0, 0, 2, 2);
  // The counts after each call: no duplicate, no self, no null; removing an unlisted one
  // changes nothing; the list goes with its last entity.
  EXPECT_THAT(
      (std::vector{parent.AddChild(&a, true), parent.AddChild(&b, true), parent.AddChild(&a, true),
                   parent.AddChild(&parent, true), parent.AddChild(nullptr, true),
                   parent.RemoveChild(&a), parent.RemoveChild(&a), parent.RemoveChild(&b)}),
      ElementsAre(1, 2, 2, 2, 2, 1, 1, 0));
  EXPECT_THAT((std::vector{parent.AddExclusion(&parent), parent.AddExclusion(&a),
                           parent.AddExclusion(&a), parent.RemoveExclusion(&a)}),
              ElementsAre(0, 1, 1, 0));
  EXPECT_TRUE(parent.GetChildList() == nullptr && parent.GetExcludeList() == nullptr);
  EXPECT_THAT((std::vector{parent.AddDimension(&d1), parent.AddDimension(&d1),
                           parent.AddDimension(&parent), parent.AddDimension(&d2)}),
              ElementsAre(1, 1, 1, 2));

  // The box with dimensions takes in theirs; gathering copies the list.
  Box3D box;
  EXPECT_THAT(*parent.Box(1, &box), BoxIs(-1, -2, 0, 2, 5, 0));
  EXPECT_THAT(*parent.Box(0, &box), BoxIs(0, 0, 0, 2, 2, 0));
  Dblclist gathered;
  EXPECT_EQ(parent.GetAssociatedDimensions(&gathered)->Num(), 2);
  gathered.Clear(0);
  EXPECT_THAT((std::vector{parent.RemoveDimension(&d1), parent.RemoveDimension(&d1),
                           parent.RemoveDimension(&d2)}),
              ElementsAre(1, 1, 0));
  EXPECT_EQ(parent.GetAssociatedDimensions(nullptr), nullptr);

  parent.AddChild(&a, true);
  parent.AddExclusion(&a);
  EXPECT_EQ(parent.RemoveChild(&a), 0);
  EXPECT_EQ(parent.HasExclusions(), 0);  // removing a child removes its exclusion

  // A child not keeping its position takes it from the parent.
  Curve3D placed = MakeCurve(0, 0, 1, 1);
  const Point3D offset(3, 4, 0);
  placed.LocalSpt(&offset);
  parent.Spt(10, 20, 0);
  parent.AddChild(&placed, false);
  // Spt goes to the parent's Spt + LocalSpt; Ept follows by the same offset.
  EXPECT_THAT(placed, EndsAre(13, 24, 14, 25));
  EXPECT_THAT(BoxOf(placed), BoxIs(13, 24, 0, 14, 25, 0));
  parent.Spt(11, 21, 0);  // a new start point refreshes the children's offsets
  EXPECT_THAT(*placed.LocalSpt(), PointIs(2, 3, 0));

  // Clearing or destroying never deletes what the lists refer to.
  const int live = TestCurve::Live();
  TestCurve child, opening, dimension;
  {
    Curve3D cleared, destroyed;
    for (Curve3D* e : {&cleared, &destroyed}) {
      e->AddChild(&child, true);
      e->AddExclusion(&opening);
      e->AddDimension(&dimension);
    }
    EXPECT_THAT(
        (std::vector{cleared.ClearChildren(), cleared.ClearExclusions(), cleared.ClearDimensions(),
                     cleared.HasChildren(), cleared.HasExclusions(), cleared.Dimensions()}),
        ElementsAre(1, 1, 1, 0, 0, 0));
  }
  EXPECT_EQ(TestCurve::Live(), live + 3);
}

// ---- Transformations ----------------------------------------------------------------------

TEST(Curve3D, TransformationsMoveThePointsAndTheUnselectedChildrenOfASelectedParentOnce) {
  Curve3D loose = MakeCurve(5, 5, 6, 5), selected_child = MakeCurve(7, 7, 8, 7);
  Curve3D parent = MakeCurve(0, 0, 1, 0);
  selected_child.Selected(1);
  parent.AddChild(&selected_child, true);
  parent.AddChild(&loose, true);
  parent.Selected(1);

  const Point3D v(2, 3, 0);
  parent.Translate(&v, true);
  EXPECT_THAT(parent, EndsAre(2, 3, 3, 3));
  EXPECT_THAT(BoxOf(parent), BoxIs(2, 3, 0, 3, 3, 0));
  EXPECT_THAT(*parent.LocalSpt(), PointIs(2, 3, 0));  // moveLocal
  EXPECT_THAT(loose, EndsAre(7, 8, 8, 8));
  // Offsets recorded when added (keepPosition), unchanged: children move with moveLocal false.
  EXPECT_THAT(*loose.LocalSpt(), PointIs(5, 5, 0));
  EXPECT_THAT(*loose.LocalEpt(), PointIs(6, 5, 0));
  EXPECT_EQ(loose.IsSelected(), 0);  // unmarked again
  // A selected child is moved by the caller's own walk, not by its parent.
  EXPECT_THAT(selected_child, EndsAre(7, 7, 8, 7));

  // A child that refers back to its selected parent does not move it a second time.
  loose.AddChild(&parent, true);
  parent.Translate(&v, false);
  EXPECT_THAT(parent, EndsAre(4, 6, 5, 6));
  EXPECT_THAT(loose, EndsAre(9, 11, 10, 11));

  parent.Selected(0);
  parent.State(kStateUnchanged);
  parent.Translate(&v, false);
  EXPECT_THAT(loose, EndsAre(9, 11, 10, 11));  // an unselected parent moves alone
  EXPECT_EQ(parent.State(), kStateChanged);

  // Rotate, Mirror and Scale move the points and the children.
  Curve3D child = MakeCurve(1, 2, 1, 3);
  Curve3D turned = MakeCurve(2, 0, 4, 0);
  turned.AddChild(&child, true);
  turned.Selected(1);
  const Point3D centre(1, 0, 0);
  turned.Rotate_cs(&centre, &kZAxis, 0.0, 1.0);  // a quarter turn
  EXPECT_THAT(turned, EndsNear(1, 1, 1, 3, kTol));
  EXPECT_THAT(*BoxOf(turned).Maxpt(), PointNear(1, 3, 0, kTol));
  EXPECT_THAT(child, EndsNear(-1, 0, -2, 0, kTol));
  EXPECT_EQ(turned.State(), kStateChanged);
  turned.Rotate(&centre, &kZAxis, std::numbers::pi);  // radians
  EXPECT_THAT(turned, EndsNear(1, -1, 1, -3, kTol));

  Curve3D mirrored = MakeCurve(0, 0, 3, 2);
  mirrored.AddChild(&child, true);
  mirrored.Selected(1);
  const Point3D normal(1, 0, 0);
  mirrored.Mirror(&normal, 1.0);  // the plane x = 1
  EXPECT_THAT(mirrored, EndsAre(2, 0, -1, 2));
  EXPECT_THAT(BoxOf(mirrored), BoxIs(-1, 0, 0, 2, 2, 0));
  EXPECT_THAT(child, EndsNear(-1, 0, -2, 0, kTol));
  EXPECT_EQ(mirrored.State(), kStateGeometryChanged);

  // Scaling leaves the children in place but measures their offsets from the new start point.
  mirrored.State(kStateUnchanged);
  mirrored.Scale(&centre, 2.0);
  EXPECT_THAT(mirrored, EndsAre(3, 0, -3, 4));
  EXPECT_THAT(*child.LocalSpt(), PointNear(-4, 0, 0, kTol));  // it was (-1, 0)
  EXPECT_EQ(mirrored.State(), kStateGeometryChanged);
  const Point3D factors(1, 3, 1);
  mirrored.Scale(&centre, &factors);
  EXPECT_THAT(mirrored, EndsAre(3, 0, -3, 12));
}

TEST(Curve3D, ZeroKeepsNameExclusionsAndGuidsAndSizeSettersScaleAboutTheLowCorner) {
  LayerBag layer("L");
  Curve3D opening, child, dimension;
  Curve3D e = MakeCurve(1, 2, 3, 4);
  Decorate(e, &layer);
  e.AddExclusion(&opening);
  e.AddChild(&child, true);
  e.AddDimension(&dimension);
  TSmartObjectList items(new TSmartObject());
  e.SetSmartObjectList(&items);

  e.Zero();
  EXPECT_THAT(e, EndsAre(0, 0, 0, 0));
  EXPECT_THAT(BoxOf(e), BoxIs(0, 0, 0, 0, 0, 0));
  // TFlag, Segment, legacy type and State are reset; the rest stays.
  EXPECT_THAT(Fields(e),
              ElementsAre(4, 2, 1, 5, 7, 77, 3, 0, kEntityArc, 1, 0, 1, 0, -1, kStateUnchanged));
  EXPECT_THAT(Texts(e), ElementsAre("Ridge", kSampleGuid, kOtherGuid, kSampleGuid, "South", "-"));
  EXPECT_THAT((std::vector{e.HasChildren(), e.Dimensions(), e.HasExclusions()}),
              ElementsAre(0, 0, 1));
  EXPECT_TRUE(e.LegacyPitch() == 0.0 && e.Layer() == nullptr && e.GetSmartObjectList() == nullptr);

  // Size setters scale about the low corner.
  e.Spt(2, 1, 0);
  e.Ept(4, 5, 0);
  EXPECT_EQ(e.SetWidth(6.0), 6.0);
  EXPECT_THAT(e, EndsAre(2, 1, 8, 5));
  e.SetHeight(2.0);
  EXPECT_THAT(e, EndsAre(2, 1, 8, 3));
  Curve3D flat = MakeCurve(0, 0, 3, 0);
  flat.SetHeight(5.0);  // no height to scale
  flat.SetDepth(2.0);
  EXPECT_THAT(flat, EndsAre(0, 0, 3, 0));
  EXPECT_EQ(flat.State(), kStateGeometryChanged);

  Curve3D sloped = MakeCurve(0, 0, 3, 4);
  sloped.SetLength(10.0);
  EXPECT_THAT(sloped, EndsNear(0, 0, 6, 8, kTol));
  Curve3D point = MakeCurve(2, 3, 2, 3);
  EXPECT_EQ(point.SetLength(5.0), 5.0);  // no length to scale: Ept moves along x
  EXPECT_THAT(point, EndsAre(2, 3, 7, 3));
  EXPECT_THAT(BoxOf(point), BoxIs(2, 3, 0, 7, 3, 0));
}

// ---- Geometric relations ------------------------------------------------------------------

TEST(Curve3D, IntersectionsMeetInfiniteLinesOrTheOtherEntityAndIsConnectedTriesThisEndFirst) {
  // This entity runs from (0,0) to (2,0). {other x1, y1, x2, y2, crossing x or kApart, on other}
  constexpr double kApart = -99;
  const double cases[][6] = {{1, -1, 1, 1, 1, 1},
                             {1, 1, 1, 2, 1, 0},           // beyond the other's end
                             {1, 0, 1, 2, 1, 1},           // at the other's end
                             {5, -1, 5, 1, 5, 1},          // beyond this entity: still found
                             {5, 1, 0, 1, kApart, 0},      // parallel
                             {0, 0, 2, 5e-12, kApart, 0},  // a cross product of exactly 1e-11
                             {0, 0, 2, 1e-11, 0, 1}};
  Curve3D a = MakeCurve(0, 0, 2, 0);
  for (const auto& [x1, y1, x2, y2, x, on_other] : cases) {
    Curve3D other = MakeCurve(x1, y1, x2, y2);
    Point3D out(9, 9, 9);
    ASSERT_EQ(a.Intersect2D(&other, &out) != nullptr, x != kApart) << x1 << ", " << y1;
    EXPECT_EQ(a.Intersect2DSeg(&other, &out) != nullptr, on_other != 0) << x1 << ", " << y1;
    if (x == kApart) continue;
    EXPECT_THAT(out, PointNear(x, 0, 0, kTol)) << x1 << ", " << y1;
  }
  EXPECT_TRUE(a.Intersect2D(nullptr, a.Spt()) == nullptr && a.Intersect2D(&a, nullptr) == nullptr);

  // IsConnected tries this end first.
  // This entity runs from (0,0) to (1,0). {other x1, y1, x2, y2, x of the meeting end or kApart}
  const double ends[][5] = {{1, 0, 1, 1, 1},          // Ept meets the other's Spt
                            {1, 1, 1, 0, 1},          // Ept meets the other's Ept
                            {5, 5, 0, 0, 0},          // Spt meets the other's Ept
                            {0, 0, 5, 5, 0},          // Spt meets the other's Spt
                            {0, 0, 1, 0, 1},          // both meet: Ept with Ept comes first
                            {1, 0, 0, 0, 1},          // both meet: Ept with Spt comes first
                            {0.5, 0, 2, 2, kApart}};  // touching the middle is not connected
  Curve3D e = MakeCurve(0, 0, 1, 0);
  for (const auto& [x1, y1, x2, y2, x] : ends) {
    Curve3D other = MakeCurve(x1, y1, x2, y2);
    Point3D at(kApart, 0, 0);
    EXPECT_EQ(e.IsConnected(&other, &at), x != kApart) << x1 << ", " << y1;
    EXPECT_THAT(at, PointIs(x, 0, 0)) << x1 << ", " << y1;
  }
  EXPECT_TRUE(e.IsConnected(&e, nullptr) && !e.IsConnected(nullptr, nullptr));
}

TEST(Curve3D, IdentityOrderingDirectionVerticesAndEndPointSetters) {
  Curve3D a = MakeCurve(0, 0, 1, 1);
  Curve3D near_a = MakeCurve(5e-12, 0, 1, 1 - 5e-12);
  Curve3D off_a = MakeCurve(2e-11, 0, 1, 1);
  EXPECT_TRUE(a.Ident(&near_a) && a == near_a);
  EXPECT_FALSE(a.Ident(&off_a) || a == off_a || a.Ident(nullptr));
  near_a.Type(kEntityLine);  // same place, other kind
  EXPECT_TRUE(!a.Ident(&near_a) && a == near_a);

  // Start points compared exactly: z first, then y, then x.
  Curve3D ordered[] = {Curve3D(0, 9, -1, 0, 0, 0, 0, 0, 1, -1, -2), MakeCurve(9, 0, 0, 0),
                       MakeCurve(0, 1, 0, 0), MakeCurve(1, 1, 0, 0)};
  for (int i = 0; i < 3; ++i)
    EXPECT_TRUE(ordered[i] < ordered[i + 1] && !(ordered[i + 1] < ordered[i])) << i;
  EXPECT_FALSE(a < a);

  // XYangle of another entity: its direction less this one's, counter-clockwise, 0 to 360.
  Curve3D down = MakeCurve(0, 0, 0, -1);
  EXPECT_NEAR(a.XYangle(&down), 225.0, 1e-9);
  EXPECT_NEAR(down.XYangle(&a), 135.0, 1e-9);

  Curve3D e = MakeCurve(0, 0, 4, 2);
  Point3D end(4, 2 + 5e-12, 0), middle(2, 1, 0);
  EXPECT_TRUE(e.IsVertex(&end));
  EXPECT_FALSE(e.IsVertex(&middle) || e.IsVertex(nullptr) || e.IsClosed());
  EXPECT_EQ(e.IsInside(&middle) + e.IsInside(static_cast<Point3D*>(nullptr)), 1);

  const Point3D p(5e-13, -3, 0);
  EXPECT_EQ(e.Spt(&p), e.Spt());
  e.Ept(7, 1e-13, 0);
  EXPECT_THAT(e, EndsAre(0, -3, 7, 0));
  EXPECT_THAT(BoxOf(e), BoxIs(0, -3, 0, 7, 0, 0));
  EXPECT_EQ(e.State(), kStateGeometryChanged);
  EXPECT_TRUE(e.Spt(nullptr) == nullptr && e.Ept(nullptr) == nullptr);
  e.Ept(0, -3, 0);
  EXPECT_TRUE(e.IsClosed());
}
