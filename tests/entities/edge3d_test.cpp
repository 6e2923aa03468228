// Pitched edges (double-line walls and parapets) and roof edges (overhang lines) on real roof
// outlines: placement, the side they go to, caps, mitred corners and rebuilds.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include <cstdlib>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <tuple>
#include <utility>

#include <vector>

#include "entities/arc3d.h"
#include "entities/edge3d.h"
#include "entities/line3d.h"
#include "entities/multi3d.h"
#include "entities/redge3d.h"
#include "support/outline_builders.h"
#include "support/smartobject_builders.h"
#include "takeoff/ttgattribute.h"

namespace {

constexpr double kTol = 1e-9;
constexpr double kPi = 3.14159265358979323846;

// Item makers; an empty one leaves a side plain. show == nullptr leaves "Show double line" out.
using ItemFn = std::function<TSmartObject*()>;
ItemFn DoubleLine(int type, const char* width, const char* show) {
  return [=] {
    TSmartObject* so = With(Item(type, "Wall"), "Width", kPropWidth, kDataTypeDouble, width);
    return show ? With(so, "Show double line", kPropDoubleLine, kDataTypeInteger, show) : so;
  };
}
const auto Wall = [](const char* w, const char* show = nullptr) {
  return DoubleLine(6133, w, show);
};
const auto Parapet = [](const char* w, const char* show = nullptr) {
  return DoubleLine(6113, w, show);
};
const auto Eave = [](const char* tag, int prop, const char* value) -> ItemFn {
  return [=] { return With(Item(6105, "Eave"), tag, prop, kDataTypeDouble, value); };
};
const auto Overhang = [](const char* value) { return Eave("Overhang", kPropOverhang, value); };

// Points along a side in running order, the end left out; arcs are sampled.
void AppendSide(Curve3D* s, std::vector<Point3D>& poly) {
  Curve3D* g = s->Type() == kEntityEdge ? static_cast<Edge3D*>(s)->GetBase() : s;
  if (g == nullptr || g->Type() != kEntityArc) return poly.push_back(Point3D(s->Spt()));
  auto* arc = static_cast<Arc3D*>(g);
  const Point3D* c = arc->Ctr();
  const double a = std::atan2(arc->Spt()->y - c->y, arc->Spt()->x - c->x);
  double sweep = std::atan2(arc->Ept()->y - c->y, arc->Ept()->x - c->x) - a;
  const double turn = arc->AngDir() == kArcCounterClockwise ? 2 * kPi : -2 * kPi;
  while (sweep * turn <= 0)
    sweep += turn;
  for (int i = 0; i < 90; ++i)
    poly.push_back(Point3D(c->x + arc->Radius() * std::cos(a + sweep * i / 90.0),
                           c->y + arc->Radius() * std::sin(a + sweep * i / 90.0), 0));
}

// The outline's own vote is tested elsewhere; here the edges' side decision is checked against
// a plain crossing count over the outline sides.
class PlanOwner : public Multi3D {
 public:
  int IsInsideEdge(Point3D* p, bool /*useEdge*/) override {
    if (p == nullptr || !IsClosed()) return 0;
    std::vector<Point3D> poly;
    for (Dblcitem* it = GetCurveList()->Head(); it != nullptr; it = it->Next())
      AppendSide(it->Obj(), poly);
    bool inside = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
      const Point3D &a = poly[i], &b = poly[j];
      if ((a.y > p->y) != (b.y > p->y) && p->x < (b.x - a.x) * (p->y - a.y) / (b.y - a.y) + a.x)
        inside = !inside;
    }
    return inside ? 1 : 0;
  }
};

// The closed polygon through the corners; side i runs from corner i to corner i+1. A side with
// an item becomes a pitched edge (or roof edge) carrying it; the others stay lines.
template <class Owner = PlanOwner>
std::unique_ptr<Owner> Edged(const std::vector<Corner>& corners, const std::vector<ItemFn>& items,
                             bool roofEdges = false) {
  auto m = std::make_unique<Owner>();
  for (size_t i = 0; i < corners.size(); ++i) {
    const Point3D a = At(corners[i]), b = At(corners[(i + 1) % corners.size()]);
    Line3D line(&a, &b);
    if (i >= items.size() || !items[i]) {
      m->Add(new Line3D(&a, &b));
      continue;
    }
    Curve3D* side = roofEdges ? static_cast<Curve3D*>(new REdge3D(&line)) : new Edge3D(&line);
    Attach(*side, {items[i]()});
    m->Add(side);
  }
  return m;
}

const std::vector<Corner> kSquare = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
// The same square drawn clockwise: bottom side first, from right to left.
const std::vector<Corner> kSquareCw = {{10, 0}, {0, 0}, {0, 10}, {10, 10}};

const auto EdgeAt = [](Multi3D& m, int n) { return static_cast<Edge3D*>(m.Segment(n)); };

// Resets every edge, then joins the segments in the given (1-based) order, as a rebuild does.
// An empty order joins them all in turn.
void ConnectInOrder(Multi3D& m, std::vector<int> order = {}) {
  const int n = m.Nodes();
  for (int k = 1; k <= n; ++k) {
    Curve3D* s = m.Segment(k);
    if (s->Type() == kEntityEdge) static_cast<Edge3D*>(s)->ResetEdge();
    if (s->Type() == kEntityREdge) static_cast<REdge3D*>(s)->ResetEdge();
  }
  for (int k = order.empty() ? 1 : n + 1; k <= n; ++k)
    order.push_back(k);
  for (int k : order)
    m.Segment(k)->Connect(m.Segment(k == 1 ? n : k - 1), m.Segment(k == n ? 1 : k + 1), &m);
}

std::vector<Point3D> EdgeStarts(Multi3D& m) {
  std::vector<Point3D> starts;
  for (int k = 1; k <= m.Nodes(); ++k)
    starts.push_back(Point3D(EdgeAt(m, k)->GetEdge()->Spt()));
  return starts;
}

void ExpectAt(const Point3D* p, double x, double y) {
  ASSERT_NE(p, nullptr);
  EXPECT_NEAR(p->x, x, kTol);
  EXPECT_NEAR(p->y, y, kTol);
}
// Each point against its (x, y); the failure names the point's place in the list.
void ExpectAt(std::initializer_list<std::pair<const Point3D*, std::pair<double, double>>> points) {
  int n = 0;
  for (const auto& [p, want] : points) {
    SCOPED_TRACE(++n);
    ExpectAt(p, want.first, want.second);
  }
}

// Which ends of the double line are closed by a cap: "10" is a cap at the start only.
const auto Caps = [](Edge3D* e) {
  return std::string{e->Cap1() ? '1' : '0', e->Cap2() ? '1' : '0'};
};

std::unique_ptr<Edge3D> LoneEdge(Corner a, Corner b, const ItemFn& item) {
  const Point3D pa = At(a), pb = At(b);
  Line3D line(&pa, &pb);
  auto e = std::make_unique<Edge3D>(&line);
  if (item) Attach(*e, {item()});
  return e;
}

}  // namespace

// ---- Mid-line walls ----

TEST(Edge3D, WallIsCentredOnTheSideWithItsWidthBetweenTheLines) {
  const std::tuple<Corner, Corner, const char*> cases[] = {
      {{0, 0}, {10, 0}, "1.0"}, {{0, 0}, {0, 8}, "2.5"}, {{2, 1}, {8, 9}, "0.4"}};
  for (const auto& [a, b, width] : cases) {
    auto e = LoneEdge(a, b, Wall(width));
    const double w = std::atof(width);
    ASSERT_TRUE(e->Connect(nullptr, nullptr, nullptr));
    const double dx = b.first - a.first, dy = b.second - a.second;
    const double len = std::hypot(dx, dy), nx = -dy / len * w / 2, ny = dx / len * w / 2;
    // Base on the +90 side, edge on the other, the entity itself on the outline side.
    ExpectAt({{e->GetBase()->Spt(), {a.first + nx, a.second + ny}},
              {e->GetBase()->Ept(), {b.first + nx, b.second + ny}},
              {e->GetEdge()->Spt(), {a.first - nx, a.second - ny}},
              {e->GetEdge()->Ept(), {b.first - nx, b.second - ny}},
              {e->Spt(), {a.first, a.second}}});
    // Both ends are open: each gets a cap across the double line.
    ASSERT_EQ(Caps(e.get()), "11");
    EXPECT_NEAR(e->Cap1()->Length(0), w, kTol);
    ExpectAt({{e->Cap1()->Spt(), {a.first + nx, a.second + ny}},
              {e->Cap2()->Ept(), {b.first + nx, b.second + ny}}});
  }
}

TEST(Edge3D, NoWidthOrHiddenDoubleLineLeavesNoEdgeAndNoCaps) {
  for (const ItemFn& item :
       {ItemFn(), Wall("0"), Parapet("0"), Parapet("1.0", "0"), Wall("1.0", "0")}) {
    auto e = LoneEdge({0, 0}, {10, 0}, item);
    e->Connect(nullptr, nullptr, nullptr);
    EXPECT_EQ(Caps(e.get()), "00");
    ExpectAt({{e->GetEdge()->Spt(), {0, 0}},
              {e->GetEdge()->Ept(), {10, 0}},
              {e->GetBase()->Spt(), {0, 0}}});
  }
  // A hidden double line still counts as lying outside.
  auto hidden = LoneEdge({0, 0}, {10, 0}, Parapet("1.0", "0"));
  EXPECT_FALSE(hidden->ShowEdge());
  EXPECT_TRUE(hidden->Out());
}

TEST(Edge3D, WallsAllRoundMitreBothFacesAtEveryCorner) {
  auto m = Edged(kSquare, std::vector<ItemFn>(4, Wall("1.0")));
  ConnectInOrder(*m);
  // Base faces run inside (+90 of a counter-clockwise side), edge faces outside.
  const double in[4][2] = {{0.5, 0.5}, {9.5, 0.5}, {9.5, 9.5}, {0.5, 9.5}};
  const double out[4][2] = {{-0.5, -0.5}, {10.5, -0.5}, {10.5, 10.5}, {-0.5, 10.5}};
  for (int k = 1; k <= 4; ++k) {
    Edge3D* e = EdgeAt(*m, k);
    ExpectAt({{e->GetBase()->Spt(), {in[k - 1][0], in[k - 1][1]}},
              {e->GetBase()->Ept(), {in[k % 4][0], in[k % 4][1]}},
              {e->GetEdge()->Spt(), {out[k - 1][0], out[k - 1][1]}},
              {e->GetEdge()->Ept(), {out[k % 4][0], out[k % 4][1]}}});
    EXPECT_EQ(Caps(e), "00");
  }
}

TEST(Edge3D, WallFollowedByPlainLineGetsAnEndCapAndLeavesTheLineAlone) {
  auto m = Edged(kSquare, {Wall("1.0")});
  ConnectInOrder(*m);
  Edge3D* wall = EdgeAt(*m, 1);
  ASSERT_EQ(Caps(wall), "11");
  ExpectAt({{wall->Cap2()->Spt(), {10, -0.5}},
            {wall->Cap2()->Ept(), {10, 0.5}},
            {m->Segment(2)->Spt(), {10, 0}},
            {m->Segment(4)->Ept(), {0, 0}}});
}

// ---- One-sided parapet walls ----

TEST(Edge3D, ParapetSideFollowsShowDoubleLineOnBothWindings) {
  const std::tuple<const std::vector<Corner>*, const char*, double> cases[] = {
      {&kSquare, "1", -1.0},
      {&kSquare, "-1", 1.0},
      {&kSquare, nullptr, -1.0},
      {&kSquareCw, "1", -1.0},
      {&kSquareCw, "-1", 1.0}};
  for (const auto& [corners, show, y] : cases) {
    SCOPED_TRACE(show ? show : "absent");
    auto m = Edged(*corners, {Parapet("1.0", show)});
    ConnectInOrder(*m);
    Edge3D* e = EdgeAt(*m, 1);
    EXPECT_NEAR(e->GetEdge()->Spt()->y, y, kTol);
    EXPECT_NEAR(e->GetEdge()->Ept()->y, y, kTol);
    EXPECT_NEAR(e->GetBase()->Spt()->y, 0.0, kTol);  // a one-sided wall keeps its base
    EXPECT_EQ(e->Out(), y < 0);
    EXPECT_FALSE(e->IsMidLineEdge());
  }
  // Without an owner there is no inside: the edge goes to the +90 side.
  for (const char* show : {"1", "-1"}) {
    auto e = LoneEdge({0, 0}, {10, 0}, Parapet("1.5", show));
    e->Connect(nullptr, nullptr, nullptr);
    EXPECT_NEAR(e->GetEdge()->Spt()->y, 1.5, kTol) << show;
  }
}

TEST(Edge3D, ParapetEdgeIsThinAndSolidWhateverTheSideStyle) {
  const Point3D a(0, 0, 0), b(10, 0, 0);
  Line3D dashed(&a, &b, 3, 2, 1);
  Attach(dashed, {Parapet("1.0")()});
  Edge3D e(&dashed);
  EXPECT_EQ(e.GetEdge()->GetLinetype(), 0);
  EXPECT_EQ(e.GetEdge()->Thickness(), 1);
  EXPECT_EQ(e.GetBase()->GetLinetype(), 2);
  // The parts answer to the entity for takeoff: only the entity carries the item.
  EXPECT_EQ(e.HasSmartObject(), 1);
  EXPECT_EQ(e.GetBase()->HasSmartObject(), 0);
}

TEST(Edge3D, ParapetsAtARightAngleShareOneCornerWhateverTheOrder) {
  // An empty order is the outline's own rebuild, with the outline's own inside test.
  for (const char* show : {"1", "-1"}) {
    for (const std::vector<int>& order :
         {std::vector<int>{1, 2, 3, 4}, {4, 3, 2, 1}, {2, 1, 4, 3}, {2, 2, 1}, {}}) {
      SCOPED_TRACE(std::string(show) + (order.empty() ? " rebuild" : " by hand"));
      std::unique_ptr<Multi3D> m;
      if (order.empty())
        (m = Edged<Multi3D>(kSquare, {Parapet("1.0", show), Parapet("1.0", show)}))->RecalcEdges();
      if (!order.empty())
        ConnectInOrder(*(m = Edged(kSquare, {Parapet("1.0", show), Parapet("1.0", show)})), order);
      const double d = show[0] == '-' ? -1.0 : 1.0;
      Edge3D *bottom = EdgeAt(*m, 1), *right = EdgeAt(*m, 2);
      ExpectAt({{bottom->GetEdge()->Ept(), {10 + d, -d}}, {right->GetEdge()->Spt(), {10 + d, -d}}});
      // Next to the plain sides the double lines are closed by caps.
      EXPECT_EQ(Caps(bottom), "10");
      ASSERT_EQ(Caps(right), "01");
      ExpectAt({{right->Cap2()->Spt(), {10 + d, 10}}, {right->Cap2()->Ept(), {10, 10}}});
    }
  }
}

TEST(Edge3D, ParapetsAllRoundEncloseTheWidenedOrShrunkSquare) {
  for (const char* show : {"1", "-1"}) {
    auto m = Edged(kSquare, std::vector<ItemFn>(4, Parapet("1.0", show)));
    ConnectInOrder(*m);
    const double d = show[0] == '-' ? -1.0 : 1.0;  // outward grows the square, inward shrinks it
    for (int k = 1; k <= 4; ++k) {
      const auto [x, y] = kSquare[k - 1];
      EXPECT_EQ(Caps(EdgeAt(*m, k)), "00");
      ExpectAt(EdgeAt(*m, k)->GetEdge()->Spt(), x + (x > 5 ? d : -d), y + (y > 5 ? d : -d));
      EXPECT_TRUE(EdgeAt(*m, k)->GetEdge()->Ept()->ident(EdgeAt(*m, k % 4 + 1)->GetEdge()->Spt()));
    }
  }
}

TEST(Edge3D, NearlyCollinearEdgesKeepTheirCapsUpToThreeDegrees) {
  for (const double degrees : {0.0, 2.99, 3.01, 30.0}) {
    const bool mitred = degrees > 3;
    const double t = degrees * kPi / 180.0;
    auto first = LoneEdge({0, 0}, {5, 0}, Parapet("1.0"));
    auto second = LoneEdge({5, 0}, {5 + 5 * std::cos(t), 5 * std::sin(t)}, Parapet("1.0"));
    first->Connect(nullptr, second.get(), nullptr);
    second->Connect(first.get(), nullptr, nullptr);
    EXPECT_EQ(Caps(first.get()), mitred ? "10" : "11") << degrees;
    EXPECT_EQ(Caps(second.get()), mitred ? "01" : "11") << degrees;
    const Point3D corner = mitred ? Point3D(second->GetEdge()->Spt()) : Point3D(5, 1, 0);
    EXPECT_TRUE(first->GetEdge()->Ept()->ident(&corner)) << degrees;
  }
}

TEST(Edge3D, EdgesOnDifferentSidesOrOfDifferentKindsAreCappedNotMitred) {
  // The other side of the outline, centred on the side, same kind with another width.
  const std::pair<ItemFn, bool> cases[] = {
      {Parapet("1.0", "-1"), false}, {Wall("1.0"), false}, {Parapet("2.0"), true}};
  for (const auto& [second, mitred] : cases) {
    auto m = Edged(kSquare, {Parapet("1.0"), second});
    ConnectInOrder(*m);
    EXPECT_EQ(Caps(EdgeAt(*m, 1)), mitred ? "10" : "11");
    EXPECT_EQ(Caps(EdgeAt(*m, 2)), mitred ? "01" : "11");
  }
}

TEST(Edge3D, HidingOneDoubleLineGivesItsNeighboursTheirCapsBack) {
  auto m = Edged(kSquare, std::vector<ItemFn>(4, Parapet("1.0")));
  ConnectInOrder(*m);
  Edge3D *bottom = EdgeAt(*m, 1), *right = EdgeAt(*m, 2), *top = EdgeAt(*m, 3);
  Attach(*right, {Parapet("1.0", "0")()});
  // Only the changed side is rebuilt, as when one side is edited.
  right->Connect(bottom, top, m.get());
  EXPECT_EQ(Caps(right), "00");
  ExpectAt({{right->GetEdge()->Spt(), {10, 0}}, {bottom->GetEdge()->Ept(), {10, -1}}});
  ASSERT_EQ(Caps(bottom), "01");
  ExpectAt({{bottom->Cap2()->Ept(), {10, 0}}, {top->GetEdge()->Spt(), {10, 11}}});
  EXPECT_EQ(Caps(top), "10");

  ExpectAt(bottom->GetEdge()->Spt(), -1, -1);  // the far corner is untouched
}

TEST(Edge3D, RebuildingTwiceGivesTheSameCorners) {
  auto m = Edged({{0, 0}, {40, 0}, {40, 20}, {20, 20}, {20, 40}, {0, 40}},
                 std::vector<ItemFn>(6, Parapet("0.5")));
  ConnectInOrder(*m);
  const std::vector<Point3D> first = EdgeStarts(*m);
  ConnectInOrder(*m, {6, 5, 4, 3, 2, 1});
  // The L grown by 0.5 all round (the inner corner moves inward to (20.5, 20.5)).
  const Corner grown[] = {{-0.5, -0.5}, {40.5, -0.5}, {40.5, 20.5},
                          {20.5, 20.5}, {20.5, 40.5}, {-0.5, 40.5}};
  for (int k = 1; k <= 6; ++k) {
    ExpectAt(&first[k - 1], grown[k - 1].first, grown[k - 1].second);
    EXPECT_TRUE(EdgeAt(*m, k)->GetEdge()->Spt()->ident(&first[k - 1])) << k;
    EXPECT_TRUE(EdgeAt(*m, k)->GetEdge()->Ept()->ident(&first[k % 6])) << k;
  }
}

// ---- Arc sides ----

TEST(Edge3D, MidLineArcWallIsTwoConcentricArcs) {
  const Point3D c(0, 0, 0), s(5, 0, 0), e(0, 5, 0);
  Arc3D arc(&c, 5.0, &s, &e, kArcCounterClockwise);
  Attach(arc, {Wall("1.0")()});
  Edge3D edge(&arc);
  ASSERT_EQ(edge.GetBase()->Type(), kEntityArc);
  edge.Connect(nullptr, nullptr, nullptr);
  auto *base = static_cast<Arc3D*>(edge.GetBase()), *face = static_cast<Arc3D*>(edge.GetEdge());
  EXPECT_NEAR(base->Radius(), 5.5, kTol);
  EXPECT_NEAR(face->Radius(), 4.5, kTol);
  ExpectAt({{base->Ctr(), {0, 0}}, {face->Ctr(), {0, 0}}});
  EXPECT_NEAR(edge.Length(0), 5.5 * kPi / 2, 1e-6);
}

TEST(Edge3D, ArcParapetGoesOutsideTheRoofWhicheverWayTheArcBulges) {
  for (bool outward : {true, false}) {
    auto m = std::make_unique<PlanOwner>();
    const auto sides = ArcTopSquare(outward);
    for (Dblcitem* it = sides->GetCurveList()->Head(); it; it = it->Next()) {
      auto* e = new Edge3D(it->Obj());
      Attach(*e, {Parapet("1.0")()});
      m->Add(e);
    }
    ConnectInOrder(*m);
    auto* arcFace = static_cast<Arc3D*>(EdgeAt(*m, 3)->GetEdge());
    // Outside the roof is away from the centre for a bulge, toward it for a dip.
    EXPECT_NEAR(arcFace->Radius(), outward ? 6.0 : 4.0, kTol) << outward;
    if (!outward) continue;
    // The right side's face (x = 11) meets the circle of radius 6 about (5, 10) at y = 10.
    ExpectAt({{EdgeAt(*m, 2)->GetEdge()->Ept(), {11, 10}},
              {arcFace->Spt(), {11, 10}},
              {arcFace->Ept(), {-1, 10}}});
    EXPECT_EQ(EdgeAt(*m, 2)->Cap2(), nullptr);
    EXPECT_EQ(EdgeAt(*m, 3)->Cap1(), nullptr);
  }
}

// ---- Parts, identity and copies ----

TEST(Edge3D, ConstructorsMakePartsOnlyForLinesAndOpenArcs) {
  const Point3D a(1, 2, 0), b(4, 6, 0);
  Edge3D fromPoints(&a, &b, 5, 0, 3);
  ASSERT_NE(fromPoints.GetBase(), nullptr);
  EXPECT_EQ(fromPoints.GetEdge()->Thickness(), 3);
  EXPECT_NEAR(fromPoints.Length(0), 5.0, kTol);
  EXPECT_EQ(fromPoints.State(), kStateUnchanged);
  Edge3D empty;
  EXPECT_EQ(empty.GetBase(), nullptr);
  EXPECT_EQ(empty.GetEdge(), nullptr);
  EXPECT_FALSE(empty.Connect(nullptr, nullptr, nullptr));
  Arc3D circle(&a, 3.0);
  EXPECT_EQ(Edge3D(&circle).GetBase(), nullptr);
  EXPECT_EQ(Edge3D(static_cast<Curve3D*>(nullptr)).GetBase(), nullptr);
}

TEST(Edge3D, CountSegsAndLiveCounter) {
  const int before = Edge3D::LiveCount();
  {
    auto e = LoneEdge({0, 0}, {10, 0}, Wall("1.0"));
    EXPECT_EQ(Edge3D::LiveCount(), before + 1);
    EXPECT_EQ(e->GetNum(), before + 1);
    EXPECT_EQ(e->Count(1), 2);
    Dblclist parts;
    EXPECT_EQ(e->GetSegs(&parts), 2);
    parts.Clear(0);
    e->Connect(nullptr, nullptr, nullptr);
    EXPECT_EQ(e->GetSegs(&parts), 4);
    parts.Clear(0);
    EXPECT_EQ(e->GetSegs(nullptr), 0);
  }
  EXPECT_EQ(Edge3D::LiveCount(), before);
}

TEST(Edge3D, PartsAnswerToAValidGuidOfTheEntity) {
  const char* kOwn = "{11111111-2222-3333-4444-555555555555}";
  const char* kEntity = "{6F9619FF-8B86-D011-B42D-00C04FC964FF}";
  auto e = LoneEdge({0, 0}, {10, 0}, nullptr);
  e->GetBase()->Guid(kOwn);
  e->Guid("");
  EXPECT_STREQ(e->GetBase()->Guid(), kOwn);
  e->Guid(kEntity);
  EXPECT_STREQ(e->GetBase()->Guid(), kEntity);
  EXPECT_STREQ(e->GetEdge()->Guid(), kEntity);
  // A never-generated GUID is not handed on.
  auto f = LoneEdge({0, 0}, {10, 0}, nullptr);
  f->Guid("{00000000-0000-0000-0000-000000000000}");
  EXPECT_STREQ(f->GetEdge()->Guid(), "");
}

TEST(Edge3D, CopiesOwnTheirPartsAndKeepTheCorner) {
  auto m = Edged(kSquare, {Parapet("1.0"), Parapet("1.0")});
  ConnectInOrder(*m);
  Edge3D* original = EdgeAt(*m, 1);
  std::unique_ptr<Curve3D> copy(original->Copy());
  auto* e = static_cast<Edge3D*>(copy.get());
  EXPECT_NE(e->GetEdge(), original->GetEdge());
  ExpectAt(e->GetEdge()->Ept(), 11, -1);
  ASSERT_NE(e->Cap1(), nullptr);
  EXPECT_NE(e->Cap1(), original->Cap1());
  EXPECT_TRUE(e->Ident(original));
  m.reset();  // the copy outlives the original
  ExpectAt(e->GetBase()->Spt(), 0, 0);

  Edge3D target;
  target.Set(static_cast<Curve3D*>(e));
  ExpectAt(target.GetEdge()->Ept(), 11, -1);
  EXPECT_EQ(target.Set(static_cast<Edge3D*>(nullptr)), &target);
  // Set from a plain line makes that line the base again.
  const Point3D a(0, 0, 0), b(0, 7, 0);
  Line3D line(&a, &b);
  target.Set(static_cast<Curve3D*>(&line));
  ExpectAt({{target.GetBase()->Ept(), {0, 7}}, {target.GetEdge()->Ept(), {0, 7}}});
  EXPECT_EQ(target.Cap1(), nullptr);
  EXPECT_EQ(target.Type(), kEntityEdge);
}

TEST(Edge3D, ResetEdgeKeepsTheEdgeIdAndPutsTheBaseBackOnTheSide) {
  auto e = LoneEdge({0, 0}, {10, 0}, Wall("2.0"));
  e->GetEdge()->Id(77, 0);
  e->Connect(nullptr, nullptr, nullptr);
  ASSERT_NEAR(e->GetBase()->Spt()->y, 1.0, kTol);
  e->ResetEdge();
  EXPECT_EQ(e->GetEdge()->Id(), 77);
  EXPECT_EQ(e->Cap1(), nullptr);
  ExpectAt({{e->GetBase()->Spt(), {0, 0}}, {e->GetEdge()->Ept(), {10, 0}}});
}

TEST(Edge3D, SelectionReachesTheParts) {
  auto e = LoneEdge({0, 0}, {10, 0}, Wall("1.0"));
  e->Connect(nullptr, nullptr, nullptr);
  // Selection flags of base, edge and entity, then of the first cap.
  const auto flags = [&e] {
    std::string f;
    for (Curve3D* c :
         std::initializer_list<Curve3D*>{e->GetBase(), e->GetEdge(), e.get(), e->Cap1()})
      f += std::to_string(c->IsSelected());
    return f;
  };
  EXPECT_EQ(flags(), "0000");
  e->Selected(1);
  EXPECT_EQ(flags(), "1111");
  e->Selected(0);
  EXPECT_EQ(e->SelectBase(), 1);
  EXPECT_EQ(flags().substr(0, 3), "101");
  e->SelectEdge();
  EXPECT_EQ(flags().substr(0, 3), "011");
  e->SelectAll();
  EXPECT_EQ(flags().substr(0, 3), "111");
}

// ---- Points, box and transformations ----

TEST(Edge3D, TransformationsCarryEdgeAndCapsAlong) {
  const Point3D origin(0, 0, 0), zAxis(0, 0, 1), yNormal(0, 1, 0), factors(2, 3, 1), v(3, 4, 0);
  // Each as x' = a x + b y + c, y' = d x + e y + f.
  const std::tuple<const char*, std::function<void(Curve3D&)>, std::array<double, 6>> cases[] = {
      {"translate", [&](Curve3D& e) { e.Translate(&v, true); }, {1, 0, 3, 0, 1, 4}},
      {"rotate", [&](Curve3D& e) { e.Rotate(&origin, &zAxis, kPi / 2); }, {0, -1, 0, 1, 0, 0}},
      {"mirror", [&](Curve3D& e) { e.Mirror(&yNormal, 0.0); }, {1, 0, 0, 0, -1, 0}},
      {"scale", [&](Curve3D& e) { e.Scale(&origin, 2.0); }, {2, 0, 0, 0, 2, 0}},
      {"scale axes", [&](Curve3D& e) { e.Scale(&origin, &factors); }, {2, 0, 0, 0, 3, 0}}};
  for (const auto& [name, apply, t] : cases) {
    SCOPED_TRACE(name);
    const std::array<double, 6>& m = t;
    const auto map = [&m](double x, double y) {
      return Point3D(m[0] * x + m[1] * y + m[2], m[3] * x + m[4] * y + m[5], 0);
    };
    auto e = LoneEdge({0, 0}, {10, 0}, Wall("1.0"));
    e->Connect(nullptr, nullptr, nullptr);
    const Point3D edgeEnd = map(10, -0.5), capStart = map(0, 0.5), end = map(10, 0);
    apply(*e);
    ExpectAt({{e->GetEdge()->Ept(), {edgeEnd.x, edgeEnd.y}},
              {e->Cap1()->Spt(), {capStart.x, capStart.y}},
              {e->Ept(), {end.x, end.y}}});
    // The box covers the whole double line.
    Box3D* box = e->Box(0, nullptr);
    EXPECT_LE(box->Left(), std::min(edgeEnd.x, capStart.x) + kTol);
    EXPECT_GE(box->Top(), std::max(edgeEnd.y, capStart.y) - kTol);
  }
  Edge3D empty;
  EXPECT_EQ(empty.Translate(nullptr, true), &empty);
  EXPECT_EQ(empty.Rotate_cs(nullptr, nullptr, 1, 0), &empty);
  EXPECT_EQ(empty.Mirror(nullptr, 0), &empty);
}

TEST(Edge3D, EndPointsMoveTheBaseAndNearnessUsesIt) {
  auto e = LoneEdge({0, 0}, {10, 0}, Wall("1.0"));
  e->Ept(10.0, 5.0, 0.0);
  ExpectAt({{e->GetBase()->Ept(), {10, 5}}, {e->Ept(), {10, 5}}});
  EXPECT_EQ(e->Spt(nullptr), nullptr);
  e->Connect(nullptr, nullptr, nullptr);
  // The base of a wall sits half its width off the side, and picks answer on it.
  EXPECT_NEAR(e->Angle(), std::atan2(5.0, 10.0) * 180 / kPi, 1e-9);
  Point3D onBase(e->GetBase()->Spt()), far(0, 50, 0);
  EXPECT_GE(e->IsNear(&onBase, 1.0, 0.01), 0.0);
  EXPECT_EQ(e->PtOnLine(&far, 1.0, 0.01), kNotNear);
  EXPECT_EQ(Edge3D().IsNear(&far, 1.0, 100.0), kNotNear);
}

// ---- Roof edges ----

TEST(REdge3D, OverhangOnTheTopSideRunsTheNeighboursOutToIt) {
  // No overhang (only a pitch) leaves the edge on the line and the neighbours alone.
  const std::pair<ItemFn, double> cases[] = {{Overhang("2.0"), 2.0},
                                             {Eave("Pitch", kPropPitch, "4"), 0.0}};
  for (const auto& [item, overhang] : cases) {
    auto m = Edged(kSquare, {ItemFn(), ItemFn(), item}, true);
    ConnectInOrder(*m);
    auto* top = static_cast<REdge3D*>(m->Segment(3));
    const double y = 10 + overhang;
    EXPECT_DOUBLE_EQ(top->Overhang(), overhang);
    ExpectAt({{top->GetEdge()->Spt(), {10, y}}, {top->GetEdge()->Ept(), {0, y}}});
    ExpectAt(top->Spt(), 10, 10);  // the side itself stays
    ExpectAt({{m->Segment(2)->Ept(), {10, y}}, {m->Segment(4)->Spt(), {0, y}}});
    ExpectAt(m->Segment(2)->Spt(), 10, 0);  // the neighbours' far ends stay
  }
}

TEST(REdge3D, RoofEdgesAtACornerMeetOnTheirOverhangLines) {
  auto m = Edged(kSquare, {ItemFn(), Overhang("1.0"), Overhang("2.0")}, true);
  for (const std::vector<int>& order : {std::vector<int>{1, 2, 3, 4}, {3, 2, 4, 1}}) {
    ConnectInOrder(*m, order);
    auto* right = static_cast<REdge3D*>(m->Segment(2));
    ExpectAt({{right->GetEdge()->Ept(), {11, 12}},
              {static_cast<REdge3D*>(m->Segment(3))->GetEdge()->Spt(), {11, 12}},
              {right->GetEdge()->Spt(), {11, 0}}});
  }
}

TEST(REdge3D, ConstructorsForceADashedThinLineAndKeepTheStyleOnTheEdge) {
  const Point3D a(0, 0, 0), b(10, 0, 0);
  REdge3D r(&a, &b, 4, 0, 3);
  EXPECT_EQ(r.GetLinetype(), 1);
  EXPECT_EQ(r.Thickness(), 1);
  EXPECT_EQ(r.GetEdge()->Thickness(), 3);
  ExpectAt(r.GetEdge()->Ept(), 10, 0);
  REdge3D plain;
  EXPECT_EQ(plain.GetLinetype(), 1);
  ASSERT_NE(plain.GetEdge(), nullptr);
  const int before = REdge3D::LiveCount();
  {
    std::unique_ptr<Curve3D> copy(r.Copy());
    EXPECT_EQ(REdge3D::LiveCount(), before + 1);
    EXPECT_NE(static_cast<REdge3D*>(copy.get())->GetEdge(), r.GetEdge());
    EXPECT_TRUE(copy->Ident(&r));
  }
  EXPECT_EQ(REdge3D::LiveCount(), before);
}

TEST(REdge3D, WithoutOwnerTheOverhangGoesToThePlusNinetySideAndMovesAlong) {
  const Point3D a(0, 0, 0), b(10, 0, 0), v(1, 1, 0), yNormal(0, 1, 0);
  REdge3D r(&a, &b, 0, 0, 1);
  Attach(r, {Overhang("1.5")()});
  EXPECT_TRUE(r.Connect(nullptr, nullptr, nullptr));
  ExpectAt(r.GetEdge()->Spt(), 0, 1.5);
  r.Translate(&v, true);
  ExpectAt(r.GetEdge()->Spt(), 1, 2.5);
  r.Mirror(&yNormal, 0.0);
  ExpectAt({{r.GetEdge()->Spt(), {1, -2.5}}, {r.Spt(), {1, -1}}});
  r.ResetEdge();
  ExpectAt(r.GetEdge()->Spt(), 1, -1);
}
