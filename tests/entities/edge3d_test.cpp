// Pitched edges (double-line walls and parapets) and roof edges (overhang lines) on real roof
// outlines: placement, the side they go to, caps, mitred corners and rebuilds.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
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
constexpr int kParapetWall = 6113;
constexpr int kInteriorWall = 6133;

// ---- Items ----

TSmartObject* Wall(const char* width) {
  return With(Item(kInteriorWall, "Wall"), "Width", kPropWidth, kDataTypeDouble, width);
}

// show == nullptr leaves "Show double line" absent.
TSmartObject* Parapet(const char* width, const char* show = nullptr) {
  TSmartObject* so =
      With(Item(kParapetWall, "Parapet"), "Width", kPropWidth, kDataTypeDouble, width);
  if (show != nullptr) With(so, "Show double line", kPropDoubleLine, kDataTypeInteger, show);
  return so;
}

TSmartObject* RoofEdgeItem(const char* overhang) {
  return With(Item(6105, "Eave"), "Overhang", kPropOverhang, kDataTypeDouble, overhang);
}

// ---- An owner with an independent inside test ----

// Points along a side in running order, the end left out (the next side starts there).
void AppendSide(Curve3D* s, std::vector<Point3D>& poly) {
  Curve3D* geometry = s;
  if (s->Type() == kEntityEdge) {
    Curve3D* base = static_cast<Edge3D*>(s)->GetBase();
    if (base != nullptr && base->Type() == kEntityArc) geometry = base;
  }
  if (geometry->Type() != kEntityArc) {
    poly.push_back(Point3D(s->Spt()));
    return;
  }
  auto* arc = static_cast<Arc3D*>(geometry);
  const Point3D* c = arc->Ctr();
  const double a = std::atan2(arc->Spt()->y - c->y, arc->Spt()->x - c->x);
  const double b = std::atan2(arc->Ept()->y - c->y, arc->Ept()->x - c->x);
  double sweep = b - a;
  if (arc->AngDir() == kArcCounterClockwise) {
    while (sweep <= 0)
      sweep += 2 * kPi;
  } else {
    while (sweep >= 0)
      sweep -= 2 * kPi;
  }
  const double r = arc->Radius();
  for (int i = 0; i < 90; ++i) {
    const double t = a + sweep * i / 90.0;
    poly.push_back(Point3D(c->x + r * std::cos(t), c->y + r * std::sin(t), 0));
  }
}

std::vector<Point3D> PlanPolygon(Multi3D& m) {
  std::vector<Point3D> poly;
  for (Dblcitem* it = m.GetCurveList()->Head(); it != nullptr; it = it->Next())
    AppendSide(it->Obj(), poly);
  return poly;
}

bool CrossingInside(const std::vector<Point3D>& poly, const Point3D& p) {
  bool inside = false;
  for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const Point3D &a = poly[i], &b = poly[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
      inside = !inside;
  }
  return inside;
}

// The outline's own vote is tested elsewhere; here the side decision of the edges is checked
// against a plain crossing count over the outline sides.
class PlanOwner : public Multi3D {
 public:
  int IsInsideEdge(Point3D* p, bool /*useEdge*/) override {
    if (p == nullptr || !IsClosed()) return 0;
    return CrossingInside(PlanPolygon(*this), *p) ? 1 : 0;
  }
};

double Shoelace(const std::vector<Point3D>& poly) {
  double twice = 0;
  for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++)
    twice += poly[j].x * poly[i].y - poly[i].x * poly[j].y;
  return std::fabs(twice) / 2;
}

// ---- Building outlines whose sides carry items ----

using Dress = std::function<void(Curve3D&)>;
const Dress kPlain = nullptr;

Dress Dressed(std::function<TSmartObject*()> item) {
  return [item](Curve3D& e) { Attach(e, {item()}); };
}

enum class SideKind { kEdge, kRoofEdge };

// The closed polygon through the corners; side i runs from corner i to corner i+1. A dressed
// side becomes a pitched edge (or roof edge) carrying the item; a plain side stays a line.
template <class Owner = PlanOwner>
std::unique_ptr<Owner> Edged(const std::vector<Corner>& corners, const std::vector<Dress>& dress,
                             SideKind kind = SideKind::kEdge) {
  auto m = std::make_unique<Owner>();
  for (size_t i = 0; i < corners.size(); ++i) {
    const Point3D a = At(corners[i]), b = At(corners[(i + 1) % corners.size()]);
    Line3D line(&a, &b);
    Curve3D* side = nullptr;
    if (i < dress.size() && dress[i]) {
      side = kind == SideKind::kEdge ? static_cast<Curve3D*>(new Edge3D(&line))
                                     : static_cast<Curve3D*>(new REdge3D(&line));
      dress[i](*side);
    } else {
      side = new Line3D(&a, &b);
    }
    m->Add(side);
  }
  return m;
}

// The counter-clockwise 10 x 10 square.
const std::vector<Corner> kSquare = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
std::vector<Corner> LPlanCorners() {
  return {{0, 0}, {40, 0}, {40, 20}, {20, 20}, {20, 40}, {0, 40}};
}

// The same square drawn clockwise: bottom side first, from right to left.
const std::vector<Corner> kSquareCw = {{10, 0}, {0, 0}, {0, 10}, {10, 10}};

Edge3D* EdgeAt(Multi3D& m, int n) {
  return static_cast<Edge3D*>(m.Segment(n));
}

// Resets every edge, then joins the segments in the given (1-based) order, as a rebuild does.
void ConnectInOrder(Multi3D& m, const std::vector<int>& order) {
  const int n = m.Nodes();
  for (int k = 1; k <= n; ++k) {
    Curve3D* s = m.Segment(k);
    if (s->Type() == kEntityEdge) static_cast<Edge3D*>(s)->ResetEdge();
    if (s->Type() == kEntityREdge) static_cast<REdge3D*>(s)->ResetEdge();
  }
  for (int k : order)
    m.Segment(k)->Connect(m.Segment(k == 1 ? n : k - 1), m.Segment(k == n ? 1 : k + 1), &m);
}

void ConnectAll(Multi3D& m) {
  std::vector<int> order;
  for (int k = 1; k <= m.Nodes(); ++k)
    order.push_back(k);
  ConnectInOrder(m, order);
}

void ExpectAt(const Point3D* p, double x, double y) {
  ASSERT_NE(p, nullptr);
  EXPECT_NEAR(p->x, x, kTol);
  EXPECT_NEAR(p->y, y, kTol);
}

std::unique_ptr<Edge3D> LoneEdge(Corner a, Corner b, TSmartObject* item) {
  const Point3D pa = At(a), pb = At(b);
  Line3D line(&pa, &pb);
  auto e = std::make_unique<Edge3D>(&line);
  if (item != nullptr) Attach(*e, {item});
  return e;
}

}  // namespace

// ---- Mid-line walls ----

TEST(Edge3D, WallIsCentredOnTheSideWithItsWidthBetweenTheLines) {
  struct Case {
    Corner a, b;
    const char* width;
    double w;
  };
  const Case cases[] = {
      {{0, 0}, {10, 0}, "1.0", 1.0},  // the documented wall: lines at y = +0.5 and -0.5
      {{0, 0}, {0, 8}, "2.5", 2.5},   // +90 of a side going up is -x
      {{2, 1}, {8, 9}, "0.4", 0.4},   // diagonal
  };
  for (const Case& c : cases) {
    auto e = LoneEdge(c.a, c.b, Wall(c.width));
    ASSERT_TRUE(e->Connect(nullptr, nullptr, nullptr));
    const double len = std::hypot(c.b.first - c.a.first, c.b.second - c.a.second);
    const double nx = -(c.b.second - c.a.second) / len, ny = (c.b.first - c.a.first) / len;
    ExpectAt(e->GetBase()->Spt(), c.a.first + nx * c.w / 2, c.a.second + ny * c.w / 2);
    ExpectAt(e->GetBase()->Ept(), c.b.first + nx * c.w / 2, c.b.second + ny * c.w / 2);
    ExpectAt(e->GetEdge()->Spt(), c.a.first - nx * c.w / 2, c.a.second - ny * c.w / 2);
    ExpectAt(e->GetEdge()->Ept(), c.b.first - nx * c.w / 2, c.b.second - ny * c.w / 2);
    // The entity itself stays on the outline side.
    ExpectAt(e->Spt(), c.a.first, c.a.second);
    // Both ends are open: each gets a cap across the double line.
    ASSERT_NE(e->Cap1(), nullptr);
    ASSERT_NE(e->Cap2(), nullptr);
    EXPECT_NEAR(e->Cap1()->Length(0), c.w, kTol);
    ExpectAt(e->Cap1()->Spt(), e->GetBase()->Spt()->x, e->GetBase()->Spt()->y);
    ExpectAt(e->Cap2()->Ept(), e->GetBase()->Ept()->x, e->GetBase()->Ept()->y);
  }
}

TEST(Edge3D, NoWidthOrHiddenDoubleLineLeavesNoEdgeAndNoCaps) {
  const std::function<TSmartObject*()> items[] = {
      [] { return static_cast<TSmartObject*>(nullptr); },
      [] { return Wall("0"); },
      [] { return Parapet("0"); },
      [] { return Parapet("1.0", "0"); },
      [] { return With(Wall("1.0"), "Show double line", kPropDoubleLine, kDataTypeInteger, "0"); },
  };
  for (const auto& item : items) {
    auto e = LoneEdge({0, 0}, {10, 0}, item());
    e->Connect(nullptr, nullptr, nullptr);
    EXPECT_EQ(e->Cap1(), nullptr);
    EXPECT_EQ(e->Cap2(), nullptr);
    ExpectAt(e->GetEdge()->Spt(), 0, 0);
    ExpectAt(e->GetEdge()->Ept(), 10, 0);
    ExpectAt(e->GetBase()->Spt(), 0, 0);
  }
  // A hidden double line still counts as lying outside.
  auto hidden = LoneEdge({0, 0}, {10, 0}, Parapet("1.0", "0"));
  EXPECT_FALSE(hidden->ShowEdge());
  EXPECT_TRUE(hidden->Out());
}

TEST(Edge3D, WallsAllRoundMitreBothFacesAtEveryCorner) {
  auto m = Edged(kSquare, std::vector<Dress>(4, Dressed([] { return Wall("1.0"); })));
  ConnectAll(*m);
  // Base faces run inside (+90 of a counter-clockwise side), edge faces outside.
  const double inner[4][2] = {{0.5, 0.5}, {9.5, 0.5}, {9.5, 9.5}, {0.5, 9.5}};
  const double outer[4][2] = {{-0.5, -0.5}, {10.5, -0.5}, {10.5, 10.5}, {-0.5, 10.5}};
  for (int k = 1; k <= 4; ++k) {
    Edge3D* e = EdgeAt(*m, k);
    ExpectAt(e->GetBase()->Spt(), inner[k - 1][0], inner[k - 1][1]);
    ExpectAt(e->GetBase()->Ept(), inner[k % 4][0], inner[k % 4][1]);
    ExpectAt(e->GetEdge()->Spt(), outer[k - 1][0], outer[k - 1][1]);
    ExpectAt(e->GetEdge()->Ept(), outer[k % 4][0], outer[k % 4][1]);
    EXPECT_EQ(e->Cap1(), nullptr);
    EXPECT_EQ(e->Cap2(), nullptr);
  }
}

TEST(Edge3D, WallFollowedByPlainLineGetsAnEndCap) {
  auto m = Edged(kSquare, {Dressed([] { return Wall("1.0"); })});
  ConnectAll(*m);
  Edge3D* wall = EdgeAt(*m, 1);
  ASSERT_NE(wall->Cap2(), nullptr);
  ExpectAt(wall->Cap2()->Spt(), 10, -0.5);
  ExpectAt(wall->Cap2()->Ept(), 10, 0.5);
  ASSERT_NE(wall->Cap1(), nullptr);
  // The plain neighbours are not touched by a double line.
  ExpectAt(m->Segment(2)->Spt(), 10, 0);
  ExpectAt(m->Segment(4)->Ept(), 0, 0);
}

// ---- One-sided parapet walls ----

TEST(Edge3D, ParapetSideFollowsShowDoubleLineOnBothWindings) {
  struct Case {
    const std::vector<Corner>* corners;
    const char* show;
    double y;
  };
  const Case cases[] = {
      {&kSquare, "1", -1.0},   {&kSquare, "-1", 1.0},   {&kSquare, nullptr, -1.0},
      {&kSquareCw, "1", -1.0}, {&kSquareCw, "-1", 1.0},
  };
  for (const Case& c : cases) {
    const char* show = c.show;
    auto m = Edged(*c.corners, {Dressed([show] { return Parapet("1.0", show); })});
    ConnectAll(*m);
    Edge3D* e = EdgeAt(*m, 1);
    EXPECT_NEAR(e->GetEdge()->Spt()->y, c.y, kTol) << (show ? show : "absent");
    EXPECT_NEAR(e->GetEdge()->Ept()->y, c.y, kTol);
    // A one-sided wall keeps its base on the side.
    EXPECT_NEAR(e->GetBase()->Spt()->y, 0.0, kTol);
    EXPECT_EQ(e->Out(), c.y < 0);
    EXPECT_FALSE(e->IsMidLineEdge());
  }
}

TEST(Edge3D, ParapetWithoutOwnerGoesToThePlusNinetySide) {
  for (const char* show : {"1", "-1"}) {
    auto e = LoneEdge({0, 0}, {10, 0}, Parapet("1.5", show));
    e->Connect(nullptr, nullptr, nullptr);
    EXPECT_NEAR(e->GetEdge()->Spt()->y, 1.5, kTol) << show;
  }
}

TEST(Edge3D, ParapetEdgeIsThinAndSolidWhateverTheSideStyle) {
  const Point3D a(0, 0, 0), b(10, 0, 0);
  Line3D dashed(&a, &b, 3, 2, 1);
  Attach(dashed, {Parapet("1.0")});
  Edge3D e(&dashed);
  EXPECT_EQ(e.GetEdge()->GetLinetype(), 0);
  EXPECT_EQ(e.GetEdge()->Thickness(), 1);
  EXPECT_EQ(e.GetBase()->GetLinetype(), 2);
  // The parts answer to the entity for takeoff: only the entity carries the item.
  EXPECT_EQ(e.HasSmartObject(), 1);
  EXPECT_EQ(e.GetBase()->HasSmartObject(), 0);
}

TEST(Edge3D, ParapetsAtARightAngleShareOneCornerWhateverTheOrder) {
  const std::vector<std::vector<int>> orders = {
      {1, 2, 3, 4}, {4, 3, 2, 1}, {2, 1, 4, 3}, {2, 2, 1}};
  for (const auto& order : orders) {
    auto m = Edged(
        kSquare, {Dressed([] { return Parapet("1.0"); }), Dressed([] { return Parapet("1.0"); })});
    ConnectInOrder(*m, order);
    Edge3D* bottom = EdgeAt(*m, 1);
    Edge3D* right = EdgeAt(*m, 2);
    ExpectAt(bottom->GetEdge()->Ept(), 11, -1);
    ExpectAt(right->GetEdge()->Spt(), 11, -1);
    EXPECT_EQ(bottom->Cap2(), nullptr);
    EXPECT_EQ(right->Cap1(), nullptr);
    // Next to the plain sides the double lines are closed by caps.
    ASSERT_NE(bottom->Cap1(), nullptr);
    ASSERT_NE(right->Cap2(), nullptr);
    ExpectAt(right->Cap2()->Spt(), 11, 10);
    ExpectAt(right->Cap2()->Ept(), 10, 10);
  }
}

TEST(Edge3D, ParapetsAllRoundEncloseTheWidenedSquare) {
  auto m = Edged(kSquare, std::vector<Dress>(4, Dressed([] { return Parapet("1.0"); })));
  ConnectAll(*m);
  std::vector<Point3D> outer;
  for (int k = 1; k <= 4; ++k) {
    Edge3D* e = EdgeAt(*m, k);
    EXPECT_EQ(e->Cap1(), nullptr);
    EXPECT_EQ(e->Cap2(), nullptr);
    EXPECT_TRUE(e->GetEdge()->Ept()->ident(EdgeAt(*m, k % 4 + 1)->GetEdge()->Spt()));
    outer.push_back(Point3D(e->GetEdge()->Spt()));
  }
  EXPECT_NEAR(Shoelace(outer), 144.0, kTol);
  // Inward parapets shrink it instead.
  auto in = Edged(kSquare, std::vector<Dress>(4, Dressed([] { return Parapet("1.0", "-1"); })));
  ConnectAll(*in);
  std::vector<Point3D> inner;
  for (int k = 1; k <= 4; ++k)
    inner.push_back(Point3D(EdgeAt(*in, k)->GetEdge()->Spt()));
  EXPECT_NEAR(Shoelace(inner), 64.0, kTol);
}

TEST(Edge3D, NearlyCollinearEdgesKeepTheirCapsUpToThreeDegrees) {
  struct Case {
    double degrees;
    bool mitred;
  };
  for (const Case c : {Case{0.0, false}, Case{2.99, false}, Case{3.01, true}, Case{30.0, true}}) {
    const double t = c.degrees * kPi / 180.0;
    auto first = LoneEdge({0, 0}, {5, 0}, Parapet("1.0"));
    auto second = LoneEdge({5, 0}, {5 + 5 * std::cos(t), 5 * std::sin(t)}, Parapet("1.0"));
    first->Connect(nullptr, second.get(), nullptr);
    second->Connect(first.get(), nullptr, nullptr);
    EXPECT_EQ(first->Cap2() == nullptr, c.mitred) << c.degrees;
    EXPECT_EQ(second->Cap1() == nullptr, c.mitred) << c.degrees;
    if (c.mitred) {
      EXPECT_TRUE(first->GetEdge()->Ept()->ident(second->GetEdge()->Spt())) << c.degrees;
    } else {
      ExpectAt(first->GetEdge()->Ept(), 5, 1);
    }
  }
}

TEST(Edge3D, EdgesOnDifferentSidesOrOfDifferentKindsAreCappedNotMitred) {
  const std::function<TSmartObject*()> seconds[] = {
      [] { return Parapet("1.0", "-1"); },  // the other side of the outline
      [] { return Wall("1.0"); },           // centred on the side
      [] { return Parapet("2.0"); },        // same kind, other width: still one corner
  };
  const bool mitred[] = {false, false, true};
  for (int i = 0; i < 3; ++i) {
    auto m = Edged(kSquare, {Dressed([] { return Parapet("1.0"); }), Dressed(seconds[i])});
    ConnectAll(*m);
    EXPECT_EQ(EdgeAt(*m, 1)->Cap2() == nullptr, mitred[i]) << i;
    EXPECT_EQ(EdgeAt(*m, 2)->Cap1() == nullptr, mitred[i]) << i;
  }
}

TEST(Edge3D, HidingOneDoubleLineGivesItsNeighboursTheirCapsBack) {
  auto m = Edged(kSquare, std::vector<Dress>(4, Dressed([] { return Parapet("1.0"); })));
  ConnectAll(*m);
  Edge3D* right = EdgeAt(*m, 2);
  Attach(*right, {Parapet("1.0", "0")});
  // Only the changed side is rebuilt, as when one side is edited.
  right->Connect(m->Segment(1), m->Segment(3), m.get());
  EXPECT_EQ(right->Cap1(), nullptr);
  EXPECT_EQ(right->Cap2(), nullptr);
  ExpectAt(right->GetEdge()->Spt(), 10, 0);
  Edge3D* bottom = EdgeAt(*m, 1);
  Edge3D* top = EdgeAt(*m, 3);
  ExpectAt(bottom->GetEdge()->Ept(), 10, -1);
  ASSERT_NE(bottom->Cap2(), nullptr);
  ExpectAt(bottom->Cap2()->Ept(), 10, 0);
  ExpectAt(top->GetEdge()->Spt(), 10, 11);
  ASSERT_NE(top->Cap1(), nullptr);
  // The far corner is untouched.
  ExpectAt(bottom->GetEdge()->Spt(), -1, -1);
}

TEST(Edge3D, RebuildingTwiceGivesTheSameCorners) {
  auto m = Edged(LPlanCorners(), std::vector<Dress>(6, Dressed([] { return Parapet("0.5"); })));
  ConnectAll(*m);
  std::vector<Point3D> first;
  for (int k = 1; k <= 6; ++k)
    first.push_back(Point3D(EdgeAt(*m, k)->GetEdge()->Spt()));
  ConnectInOrder(*m, {6, 5, 4, 3, 2, 1});
  for (int k = 1; k <= 6; ++k) {
    EXPECT_TRUE(EdgeAt(*m, k)->GetEdge()->Spt()->ident(&first[k - 1])) << k;
    EXPECT_TRUE(EdgeAt(*m, k)->GetEdge()->Ept()->ident(&first[k % 6])) << k;
  }
  // The L grown by 0.5 all round (the inner corner moves inward to (20.5, 20.5)).
  const double grown =
      Shoelace({Point3D(-0.5, -0.5, 0), Point3D(40.5, -0.5, 0), Point3D(40.5, 20.5, 0),
                Point3D(20.5, 20.5, 0), Point3D(20.5, 40.5, 0), Point3D(-0.5, 40.5, 0)});
  EXPECT_NEAR(Shoelace(first), grown, kTol);
}

// ---- Arc sides ----

TEST(Edge3D, MidLineArcWallIsTwoConcentricArcs) {
  const Point3D c(0, 0, 0), s(5, 0, 0), e(0, 5, 0);
  Arc3D arc(&c, 5.0, &s, &e, kArcCounterClockwise);
  Attach(arc, {Wall("1.0")});
  Edge3D edge(&arc);
  ASSERT_EQ(edge.GetBase()->Type(), kEntityArc);
  edge.Connect(nullptr, nullptr, nullptr);
  auto* base = static_cast<Arc3D*>(edge.GetBase());
  auto* face = static_cast<Arc3D*>(edge.GetEdge());
  EXPECT_NEAR(base->Radius(), 5.5, kTol);
  EXPECT_NEAR(face->Radius(), 4.5, kTol);
  ExpectAt(base->Ctr(), 0, 0);
  ExpectAt(face->Ctr(), 0, 0);
  EXPECT_NEAR(edge.Length(0), 5.5 * kPi / 2, 1e-6);
}

TEST(Edge3D, ArcParapetGoesOutsideTheRoofWhicheverWayTheArcBulges) {
  for (bool outward : {true, false}) {
    auto m = std::make_unique<PlanOwner>();
    const Point3D p0(0, 0, 0), p1(10, 0, 0), p2(10, 10, 0), p3(0, 10, 0), centre(5, 10, 0);
    Line3D l1(&p0, &p1), l2(&p1, &p2), l4(&p3, &p0);
    Arc3D top(&centre, 5.0, &p2, &p3, outward ? kArcCounterClockwise : kArcClockwise);
    Curve3D* sides[] = {&l1, &l2, &top, &l4};
    for (Curve3D* side : sides) {
      auto* e = new Edge3D(side);
      Attach(*e, {Parapet("1.0")});
      m->Add(e);
    }
    ConnectAll(*m);
    auto* arcFace = static_cast<Arc3D*>(EdgeAt(*m, 3)->GetEdge());
    // Outside the roof is away from the centre for a bulge, toward it for a dip.
    EXPECT_NEAR(arcFace->Radius(), outward ? 6.0 : 4.0, kTol) << outward;
    if (outward) {
      // The right side's face (x = 11) meets the circle of radius 6 about (5, 10) at y = 10.
      ExpectAt(EdgeAt(*m, 2)->GetEdge()->Ept(), 11, 10);
      ExpectAt(arcFace->Spt(), 11, 10);
      ExpectAt(arcFace->Ept(), -1, 10);
      EXPECT_EQ(EdgeAt(*m, 2)->Cap2(), nullptr);
      EXPECT_EQ(EdgeAt(*m, 3)->Cap1(), nullptr);
    }
  }
}

// ---- Parts, identity and copies ----

TEST(Edge3D, ConstructorsMakePartsOnlyForLinesAndOpenArcs) {
  const Point3D a(1, 2, 0), b(4, 6, 0);
  Edge3D fromPoints(&a, &b, 5, 0, 3);
  EXPECT_EQ(fromPoints.Type(), kEntityEdge);
  EXPECT_STREQ(fromPoints.Name(0, nullptr), "edge");
  ASSERT_NE(fromPoints.GetBase(), nullptr);
  EXPECT_EQ(fromPoints.GetEdge()->GetColour(), 5);
  EXPECT_EQ(fromPoints.GetEdge()->Thickness(), 3);
  EXPECT_NEAR(fromPoints.Length(0), 5.0, kTol);
  EXPECT_EQ(fromPoints.State(), kStateUnchanged);

  Edge3D empty;
  EXPECT_EQ(empty.GetBase(), nullptr);
  EXPECT_EQ(empty.GetEdge(), nullptr);
  EXPECT_EQ(empty.GetFillColour(), -1);
  EXPECT_FALSE(empty.Connect(nullptr, nullptr, nullptr));

  Arc3D circle(&a, 3.0);
  Edge3D fromCircle(&circle);
  EXPECT_EQ(fromCircle.GetBase(), nullptr);
  Edge3D fromNull(static_cast<Curve3D*>(nullptr));
  EXPECT_EQ(fromNull.GetBase(), nullptr);
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
  auto e = LoneEdge({0, 0}, {10, 0}, nullptr);
  e->GetBase()->Guid("{11111111-2222-3333-4444-555555555555}");
  e->Guid("");
  EXPECT_STREQ(e->GetBase()->Guid(), "{11111111-2222-3333-4444-555555555555}");
  e->Guid("{6F9619FF-8B86-D011-B42D-00C04FC964FF}");
  EXPECT_STREQ(e->GetBase()->Guid(), "{6F9619FF-8B86-D011-B42D-00C04FC964FF}");
  EXPECT_STREQ(e->GetEdge()->Guid(), "{6F9619FF-8B86-D011-B42D-00C04FC964FF}");
  // A never-generated GUID is not handed on.
  auto f = LoneEdge({0, 0}, {10, 0}, nullptr);
  f->Guid("{00000000-0000-0000-0000-000000000000}");
  EXPECT_STREQ(f->GetEdge()->Guid(), "");
}

TEST(Edge3D, CopiesOwnTheirPartsAndKeepTheCorner) {
  auto m = Edged(kSquare,
                 {Dressed([] { return Parapet("1.0"); }), Dressed([] { return Parapet("1.0"); })});
  ConnectAll(*m);
  std::unique_ptr<Curve3D> copy(EdgeAt(*m, 1)->Copy());
  auto* e = static_cast<Edge3D*>(copy.get());
  EXPECT_NE(e->GetEdge(), EdgeAt(*m, 1)->GetEdge());
  ExpectAt(e->GetEdge()->Ept(), 11, -1);
  ASSERT_NE(e->Cap1(), nullptr);
  EXPECT_NE(e->Cap1(), EdgeAt(*m, 1)->Cap1());
  EXPECT_TRUE(e->Ident(EdgeAt(*m, 1)));
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
  ExpectAt(target.GetBase()->Ept(), 0, 7);
  ExpectAt(target.GetEdge()->Ept(), 0, 7);
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
  ExpectAt(e->GetBase()->Spt(), 0, 0);
  ExpectAt(e->GetEdge()->Ept(), 10, 0);
}

TEST(Edge3D, SelectionReachesTheParts) {
  auto e = LoneEdge({0, 0}, {10, 0}, Wall("1.0"));
  e->Connect(nullptr, nullptr, nullptr);
  EXPECT_EQ(e->IsSelected(), 0);
  e->Selected(1);
  EXPECT_EQ(e->Cap1()->IsSelected(), 1);
  EXPECT_EQ(e->GetEdge()->IsSelected(), 1);
  e->Selected(0);
  EXPECT_EQ(e->SelectBase(), 1);
  EXPECT_EQ(e->GetBase()->IsSelected(), 1);
  EXPECT_EQ(e->GetEdge()->IsSelected(), 0);
  EXPECT_EQ(e->IsSelected(), 1);
  e->SelectEdge();
  EXPECT_EQ(e->GetBase()->IsSelected(), 0);
  EXPECT_EQ(e->IsSelected(), 1);
  e->SelectAll();
  EXPECT_EQ(e->GetBase()->IsSelected(), 1);
  EXPECT_EQ(e->GetEdge()->IsSelected(), 1);
}

// ---- Points, box and transformations ----

TEST(Edge3D, TransformationsCarryEdgeAndCapsAlong) {
  struct Case {
    const char* name;
    std::function<void(Curve3D&)> apply;
    std::function<Point3D(Point3D)> map;
  };
  const Point3D origin(0, 0, 0), zAxis(0, 0, 1), yNormal(0, 1, 0), factors(2, 3, 1);
  const Case cases[] = {
      {"translate",
       [](Curve3D& e) {
         const Point3D v(3, 4, 0);
         e.Translate(&v, true);
       },
       [](Point3D p) { return Point3D(p.x + 3, p.y + 4, 0); }},
      {"rotate", [&](Curve3D& e) { e.Rotate(&origin, &zAxis, kPi / 2); },
       [](Point3D p) { return Point3D(-p.y, p.x, 0); }},
      {"mirror", [&](Curve3D& e) { e.Mirror(&yNormal, 0.0); },
       [](Point3D p) { return Point3D(p.x, -p.y, 0); }},
      {"scale", [&](Curve3D& e) { e.Scale(&origin, 2.0); },
       [](Point3D p) { return Point3D(2 * p.x, 2 * p.y, 0); }},
      {"scale axes", [&](Curve3D& e) { e.Scale(&origin, &factors); },
       [](Point3D p) { return Point3D(2 * p.x, 3 * p.y, 0); }},
  };
  for (const Case& c : cases) {
    auto e = LoneEdge({0, 0}, {10, 0}, Wall("1.0"));
    e->Connect(nullptr, nullptr, nullptr);
    const Point3D edgeEnd = c.map(Point3D(10, -0.5, 0));
    const Point3D capStart = c.map(Point3D(0, 0.5, 0));
    const Point3D end = c.map(Point3D(10, 0, 0));
    c.apply(*e);
    ExpectAt(e->GetEdge()->Ept(), edgeEnd.x, edgeEnd.y);
    ExpectAt(e->Cap1()->Spt(), capStart.x, capStart.y);
    ExpectAt(e->Ept(), end.x, end.y);
    // The box covers the whole double line.
    Box3D* box = e->Box(0, nullptr);
    EXPECT_LE(box->Left(), std::min(edgeEnd.x, capStart.x) + kTol) << c.name;
    EXPECT_GE(box->Top(), std::max(edgeEnd.y, capStart.y) - kTol) << c.name;
  }
  Edge3D empty;
  EXPECT_EQ(empty.Translate(nullptr, true), &empty);
  EXPECT_EQ(empty.Rotate_cs(nullptr, nullptr, 1, 0), &empty);
  EXPECT_EQ(empty.Mirror(nullptr, 0), &empty);
}

TEST(Edge3D, EndPointsMoveTheBaseAndNearnessUsesIt) {
  auto e = LoneEdge({0, 0}, {10, 0}, Wall("1.0"));
  e->Ept(10.0, 5.0, 0.0);
  ExpectAt(e->GetBase()->Ept(), 10, 5);
  ExpectAt(e->Ept(), 10, 5);
  EXPECT_EQ(e->Spt(nullptr), nullptr);
  ExpectAt(e->Spt(), 0, 0);
  e->Connect(nullptr, nullptr, nullptr);
  // The base of a wall sits half its width off the side, and picks answer on it.
  const double angle = std::atan2(5.0, 10.0) * 180 / kPi;
  EXPECT_NEAR(e->Angle(), angle, 1e-9);
  Point3D onBase(e->GetBase()->Spt());
  EXPECT_GE(e->IsNear(&onBase, 1.0, 0.01), 0.0);
  Point3D far(0, 50, 0);
  EXPECT_EQ(e->PtOnLine(&far, 1.0, 0.01), kNotNear);
  Edge3D empty;
  EXPECT_EQ(empty.IsNear(&far, 1.0, 100.0), kNotNear);
}

// ---- Roof edges ----

TEST(REdge3D, OverhangOnTheTopSideRunsTheNeighboursOutToIt) {
  auto m = Edged(kSquare, {kPlain, kPlain, Dressed([] { return RoofEdgeItem("2.0"); })},
                 SideKind::kRoofEdge);
  ConnectAll(*m);
  auto* top = static_cast<REdge3D*>(m->Segment(3));
  EXPECT_DOUBLE_EQ(top->Overhang(), 2.0);
  ExpectAt(top->GetEdge()->Spt(), 10, 12);
  ExpectAt(top->GetEdge()->Ept(), 0, 12);
  ExpectAt(top->Spt(), 10, 10);  // the side itself stays
  ExpectAt(m->Segment(2)->Ept(), 10, 12);
  ExpectAt(m->Segment(4)->Spt(), 0, 12);
  // The far ends of the neighbours stay.
  ExpectAt(m->Segment(2)->Spt(), 10, 0);
}

TEST(REdge3D, RoofEdgesAtACornerMeetOnTheirOverhangLines) {
  auto m = Edged(kSquare, {kPlain, Dressed([] { return RoofEdgeItem("1.0"); }), Dressed([] {
                             return RoofEdgeItem("2.0");
                           })},
                 SideKind::kRoofEdge);
  for (const auto& order : {std::vector<int>{1, 2, 3, 4}, std::vector<int>{3, 2, 4, 1}}) {
    ConnectInOrder(*m, order);
    auto* right = static_cast<REdge3D*>(m->Segment(2));
    auto* top = static_cast<REdge3D*>(m->Segment(3));
    ExpectAt(right->GetEdge()->Ept(), 11, 12);
    ExpectAt(top->GetEdge()->Spt(), 11, 12);
    ExpectAt(right->GetEdge()->Spt(), 11, 0);
  }
}

TEST(REdge3D, NoOverhangLeavesEdgeOnTheLineAndNeighboursAlone) {
  auto m =
      Edged(kSquare, {kPlain, kPlain, Dressed([] {
                        return With(Item(6105, "Eave"), "Pitch", kPropPitch, kDataTypeDouble, "4");
                      })},
            SideKind::kRoofEdge);
  ConnectAll(*m);
  auto* top = static_cast<REdge3D*>(m->Segment(3));
  EXPECT_EQ(top->Overhang(), 0.0);
  ExpectAt(top->GetEdge()->Spt(), 10, 10);
  ExpectAt(m->Segment(2)->Ept(), 10, 10);
}

TEST(REdge3D, ConstructorsForceADashedThinLineAndKeepTheStyleOnTheEdge) {
  const Point3D a(0, 0, 0), b(10, 0, 0);
  REdge3D r(&a, &b, 4, 0, 3);
  EXPECT_EQ(r.Type(), kEntityREdge);
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
  const Point3D a(0, 0, 0), b(10, 0, 0);
  REdge3D r(&a, &b, 0, 0, 1);
  Attach(r, {RoofEdgeItem("1.5")});
  EXPECT_TRUE(r.Connect(nullptr, nullptr, nullptr));
  ExpectAt(r.GetEdge()->Spt(), 0, 1.5);
  const Point3D v(1, 1, 0);
  r.Translate(&v, true);
  ExpectAt(r.GetEdge()->Spt(), 1, 2.5);
  const Point3D yNormal(0, 1, 0);
  r.Mirror(&yNormal, 0.0);
  ExpectAt(r.GetEdge()->Spt(), 1, -2.5);
  ExpectAt(r.Spt(), 1, -1);
  r.ResetEdge();
  ExpectAt(r.GetEdge()->Spt(), 1, -1);
}

// ---- Through the outline itself ----

TEST(Edge3D, OutlineRebuildPlacesParapetsOutsideAndMitresTheirCorner) {
  for (const char* show : {"1", "-1"}) {
    auto m = Edged<Multi3D>(kSquare, {Dressed([show] { return Parapet("1.0", show); }),
                                      Dressed([show] { return Parapet("1.0", show); })});
    ASSERT_TRUE(m->IsClosed());
    m->RecalcEdges();
    const double off = show[0] == '-' ? -1.0 : 1.0;
    Edge3D* bottom = EdgeAt(*m, 1);
    Edge3D* right = EdgeAt(*m, 2);
    ExpectAt(bottom->GetEdge()->Ept(), 10 + off, -off);
    ExpectAt(right->GetEdge()->Spt(), 10 + off, -off);
    EXPECT_EQ(bottom->Cap2(), nullptr);
    EXPECT_NE(bottom->Cap1(), nullptr);
  }
}
