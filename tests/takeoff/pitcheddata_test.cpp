// Pitched subunits on real roof shapes (gable, hip, L and T plans): the refusals of building one,
// its span, the end points where its sides turn back, the placed line, and the collector of hip,
// valley and ridge lines.

#include "takeoff/pitcheddata.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/host.h"
#include "support/outline_builders.h"
#include "support/smartobject_builders.h"

namespace {

constexpr double kTol = 1e-9;

// Message boxes shown while it lives, as "text|caption|flags".
struct BoxRecorder {
  std::vector<std::string> boxes;
  BoxRecorder() { SetMessageBoxHandler(Record, &boxes); }
  ~BoxRecorder() { SetMessageBoxHandler(nullptr, nullptr); }
  static int Record(HWND, const char* text, const char* caption, UINT flags, void* context) {
    static_cast<std::vector<std::string>*>(context)->push_back(std::string(text) + "|" + caption +
                                                               "|" + std::to_string(flags));
    return IDOK;
  }
};

std::string Shown(const char* text) {
  return std::string(text) + "|BuildSubUnit|" + std::to_string(MB_OK);
}

TSmartObject* EaveItem(double pitch, double slope, double overhang, double height) {
  TSmartObject* so = Item(6105, "Eave");
  With(so, "Pitch", kPropPitch, kDataTypeDouble, std::to_string(pitch).c_str());
  With(so, "Slope Length", kPropEaveSlopeLength, kDataTypeDouble, std::to_string(slope).c_str());
  With(so, "Overhang", kPropOverhang, kDataTypeDouble, std::to_string(overhang).c_str());
  return With(so, "Height", kPropHeight, kDataTypeDouble, std::to_string(height).c_str());
}

TSmartObject* RakeItem(int datatype) {
  return With(Item(6107, "Rake"), "Pitch", kPropPitch, datatype, "0");
}

std::string AttrText(Curve3D* e, int proptype) {
  char buffer[50] = {};
  e->GetAttr(kPropSourceUser, proptype, buffer);
  return buffer;
}

double Attr(Curve3D* e, int proptype) {
  return std::atof(AttrText(e, proptype).c_str());
}

// Selects the given sides (1-based) and numbers every side 101, 102...
void Select(Multi3D& m, std::initializer_list<int> sides) {
  for (int n = 1; Curve3D* s = m.Segment(n); ++n)
    s->Id(100 + n, 0);
  for (int n : sides)
    m.Segment(n)->Selected(1);
}

// A gable plane through four corners: side 1 is the picked eave (pitch 6, slope length 11,
// overhang 1), side 3 the facing eave (overhang 1), sides 2 and 4 rake edges; all selected.
std::unique_ptr<Multi3D> Gable(const std::vector<Corner>& corners) {
  auto m = PolygonOutline(corners);
  Attach(*m->Segment(1), {EaveItem(6, 11, 1, 0)});
  Attach(*m->Segment(2), {RakeItem(kDataTypeDouble)});
  Attach(*m->Segment(3), {EaveItem(0, 0, 1, 0)});
  Attach(*m->Segment(4), {RakeItem(kDataTypeString)});
  Select(*m, {1, 2, 3, 4});
  return m;
}

void ExpectLine(Curve3D* e, Corner s, Corner t) {
  ASSERT_NE(e, nullptr);
  EXPECT_NEAR(e->Spt()->x, s.first, kTol);
  EXPECT_NEAR(e->Spt()->y, s.second, kTol);
  EXPECT_NEAR(e->Ept()->x, t.first, kTol);
  EXPECT_NEAR(e->Ept()->y, t.second, kTol);
}

}  // namespace

TEST(PitchedData, FilesLinesByTypeOnceAndFindsThemByNumber) {
  Line3D hipValley(0, 0, 0, 10, 10, 0), hip(40, 0, 0, 30, 10, 0), ridge(10, 10, 0, 30, 10, 0);
  Line3D plain(0, 0, 0, 1, 0, 0);
  auto numbered = [](int type, const char* number) {
    return With(Item(type, "Line"), "No.", kPropLineNumber, kDataTypeInteger, number);
  };
  Attach(hipValley, {numbered(6102, "2"), Item(6103, "Valley")});
  Attach(hip, {numbered(6102, "2")});
  Attach(ridge, {numbered(6104, "1")});
  PitchedData data;
  for (Curve3D* e : {&hipValley, &hip, &ridge, &hipValley, &plain})
    data.AddCurve(e);
  data.AddCurve(nullptr);
  EXPECT_EQ(data.Hips().Num(), 2);
  EXPECT_EQ(data.Valleys().Num(), 1);
  EXPECT_EQ(data.Ridges().Num(), 1);
  EXPECT_EQ(data.GetHip(2), &hipValley);  // the first of two with the same number
  EXPECT_EQ(data.GetValley(2), &hipValley);
  EXPECT_EQ(data.GetRidge(1), &ridge);
  EXPECT_EQ(data.GetRidge(2), nullptr);
  EXPECT_EQ(data.GetHip(1), nullptr);
}

TEST(PitchedSubunit, RefusesWithoutEaveOrWithoutSlopeLengthAndPitch) {
  Dblclist lines;
  BoxRecorder r;
  auto roof = RectangleOutline(0, 0, 40, 20);
  EXPECT_FALSE(BuildSubunit(1, roof.get(), &lines));
  EXPECT_FALSE(BuildSubunit(1, nullptr, &lines));
  // Pitch 6 and no slope length; the other selected eave with one runs at 90 degrees.
  Attach(*roof->Segment(1), {With(Item(6105, "Eave"), "Pitch", kPropPitch, kDataTypeDouble, "6")});
  Attach(*roof->Segment(2), {EaveItem(6, 20, 0, 0)});
  Select(*roof, {1, 2});
  EXPECT_FALSE(BuildSubunit(1, roof.get(), &lines));
  const std::string noEave = Shown("Side eave not selected");
  EXPECT_EQ(r.boxes, (std::vector<std::string>{
                         noEave, noEave, Shown("Either Slope Length or Pitch must be entered")}));
  EXPECT_EQ(lines.Num(), 0);
}

TEST(PitchedSubunit, SpanIsDistanceToFacingEavePlusOverhangsLessTheHeightCorrection) {
  auto gable = Gable({{0, 0}, {40, 0}, {40, 20}, {0, 20}});
  Curve3D* eave = gable->Segment(1);
  EXPECT_NEAR(GetSubunitSpan(gable.get(), eave, 6), 20 + 1 + 1, kTol);
  // Heights 0 and 3, slope lengths 10 and 5: the slope difference runs sqrt(5^2 - 3^2) = 4 in plan.
  Attach(*eave, {EaveItem(6, 10, 1, 0)});
  Attach(*gable->Segment(3), {EaveItem(6, 5, 1, 3)});
  EXPECT_NEAR(GetSubunitSpan(gable.get(), eave, 6), 22 - 4, kTol);
  // A height difference larger than the slope difference has no plan run: the plain distance.
  Attach(*gable->Segment(3), {EaveItem(6, 5, 1, 8)});
  EXPECT_NEAR(GetSubunitSpan(gable.get(), eave, 6), 22, kTol);
  EXPECT_EQ(GetSubunitSpan(nullptr, eave, 6), 0.0);
  EXPECT_EQ(GetSubunitSpan(gable.get(), nullptr, 6), 0.0);

  // L plan: two eaves face the bottom one, at 20 and at 40. Without slope lengths the last
  // counts; the first with a slope length wins over it.
  auto plan = LPlan();
  Attach(*plan->Segment(1), {EaveItem(6, 10, 0, 0)});
  Attach(*plan->Segment(3), {EaveItem(6, 0, 0, 0)});
  Attach(*plan->Segment(5), {EaveItem(6, 0, 0, 0)});
  Select(*plan, {1, 3, 5});
  EXPECT_NEAR(GetSubunitSpan(plan.get(), plan->Segment(1), 6), 40, kTol);
  Attach(*plan->Segment(5), {EaveItem(6, 10, 0, 0)});
  EXPECT_NEAR(GetSubunitSpan(plan.get(), plan->Segment(1), 6), 40, kTol);
  Attach(*plan->Segment(3), {EaveItem(6, 10, 0, 0)});
  EXPECT_NEAR(GetSubunitSpan(plan.get(), plan->Segment(1), 6), 20, kTol);

  // No facing eave: the longest selected side not running against the eave. The upper eave
  // (20 long, running at 180) has the bottom side (40, an eave-less side at 0) selected too,
  // which runs opposite and is passed over; the right side is 20 long.
  auto hip = LPlan();
  Select(*hip, {3, 1, 2});
  EXPECT_NEAR(GetSubunitSpan(hip.get(), hip->Segment(3), 6), 20, kTol);
  hip->Segment(6)->Selected(1);
  EXPECT_NEAR(GetSubunitSpan(hip.get(), hip->Segment(3), 6), 40, kTol);
}

TEST(PitchedSubunit, EndPointsPairSidesThatTurnBack) {
  // Gable: the bottom eave is followed (past the rake) by the top side running back.
  auto gable = Gable({{0, 0}, {40, 0}, {40, 20}, {0, 20}});
  Point3D p[4];
  p[2].set(-1, -1, 0);
  ASSERT_TRUE(GetSubunitEndPoints(gable.get(), 0, 180, &p[0], &p[1], &p[2], &p[3]));
  EXPECT_TRUE(p[0] == Point3D(40, 0, 0) && p[0].Id() == 101);
  EXPECT_TRUE(p[1] == Point3D(40, 20, 0) && p[1].Id() == 103);
  EXPECT_TRUE(p[2] == Point3D(-1, -1, 0));  // one pair ends it: no wrapped walk
  EXPECT_TRUE(GetSubunitEndPoints(gable.get(), 0, 180, nullptr, nullptr, nullptr, nullptr));

  // T plan: the bar's eave (side 3) turns back at the top (side 5), which turns back at side 7.
  auto t = TPlan();
  Select(*t, {1, 2, 3, 4, 5, 6, 7, 8});
  ASSERT_TRUE(GetSubunitEndPoints(t.get(), 0, 180, &p[0], &p[1], &p[2], &p[3]));
  EXPECT_TRUE(p[0] == Point3D(60, 30, 0) && p[1] == Point3D(60, 50, 0));
  EXPECT_TRUE(p[2] == Point3D(0, 50, 0) && p[3] == Point3D(0, 30, 0));
  EXPECT_EQ(p[2].Id(), 105);
  EXPECT_EQ(p[3].Id(), 107);

  // Only the rakes of a hip roof selected: nothing runs along the eave.
  auto hip = RectangleOutline(0, 0, 40, 20);
  Select(*hip, {2, 4});
  EXPECT_FALSE(GetSubunitEndPoints(hip.get(), 0, 180, &p[0], &p[1], &p[2], &p[3]));
  EXPECT_FALSE(GetSubunitEndPoints(nullptr, 0, 180, &p[0], &p[1], &p[2], &p[3]));

  // Wrapped: a side at 193 (13 off 180, no candidate) then one at 9 (the candidate, facing it
  // at 184): only the walk that starts again finds the pair, stored as p3 and p4.
  const double r = kRadiansPerDegreeAsStored;
  auto wrapped =
      OutlineOf({LineFrom({40, 20}, {40 + 40 * std::cos(193 * r), 20 + 40 * std::sin(193 * r)}),
                 LineFrom({0, 0}, {40 * std::cos(9 * r), 40 * std::sin(9 * r)})});
  Select(*wrapped, {1, 2});
  Point3D q[4];
  q[0].set(-1, -1, 0);
  ASSERT_TRUE(GetSubunitEndPoints(wrapped.get(), 0, 180, &q[0], &q[1], &q[2], &q[3]));
  EXPECT_TRUE(q[0] == Point3D(-1, -1, 0));
  EXPECT_NEAR(q[2].x, 40 * std::cos(9 * r), kTol);
  EXPECT_TRUE(q[3] == Point3D(40, 20, 0) && q[2].Id() == 102 && q[3].Id() == 101);
}

TEST(PitchedSubunit, BuildPlacesTheEaveHalfTheSpanIntoThePlaneAndSharesThePitch) {
  // Counter-clockwise gable, eave at the bottom: span 22, the line runs 11 up.
  Dblclist lines;
  BoxRecorder r;
  auto gable = Gable({{0, 0}, {40, 0}, {40, 20}, {0, 20}});
  ASSERT_TRUE(BuildSubunit(7, gable.get(), &lines));
  ASSERT_EQ(lines.Num(), 1);
  ExpectLine(lines.PeekHead(), {0, 11}, {40, 11});
  EXPECT_EQ(lines.PeekHead()->Id(), 7);
  EXPECT_NEAR(Attr(gable->Segment(2), kPropPitch), 6, kTol);
  EXPECT_EQ(AttrText(gable->Segment(4), kPropPitch), "  6.00");
  EXPECT_NEAR(Attr(gable->Segment(3), kPropPitch), 6, kTol);  // the facing eave is parallel

  // Eave at 270 (left side, drawn down): its facing eave runs at 90, 40 away, span 42.
  auto left = Gable({{0, 20}, {0, 0}, {40, 0}, {40, 20}});
  ASSERT_TRUE(BuildSubunit(0, left.get(), &lines));
  ExpectLine(lines.PeekTail(), {21, 20}, {21, 0});
  // Clockwise outline: a quarter turn left of the eave points out, so the line goes right.
  auto clockwise = Gable({{0, 0}, {0, 20}, {40, 20}, {40, 0}});
  ASSERT_TRUE(BuildSubunit(0, clockwise.get(), nullptr));  // no list: nothing kept, no leak
  ASSERT_TRUE(BuildSubunit(0, clockwise.get(), &lines));
  ExpectLine(lines.PeekTail(), {21, 0}, {21, 20});
  EXPECT_TRUE(r.boxes.empty());
}

TEST(PitchedSubunit, BuildTakesSlopeLengthFromASecondEaveAndReportsLaterFailures) {
  // A hip plane whose eave breaks 3 degrees downward (running at 357) half way along.
  const double r = kRadiansPerDegreeAsStored;
  auto roof = PolygonOutline(
      {{0, 0}, {20, 0}, {20 + 20 * std::cos(3 * r), -20 * std::sin(3 * r)}, {30, 20}, {10, 20}});
  Attach(*roof->Segment(1), {EaveItem(6, 0, 0, 0)});
  Attach(*roof->Segment(2), {EaveItem(6, 20, 0, 0)});
  Select(*roof, {1, 2, 4});
  Dblclist lines;
  {
    BoxRecorder boxes;
    EXPECT_TRUE(BuildSubunit(0, roof.get(), &lines));
    EXPECT_TRUE(boxes.boxes.empty());
    Attach(*roof->Segment(2), {EaveItem(6, 0, 0, 0)});
    EXPECT_FALSE(BuildSubunit(0, roof.get(), &lines));
    EXPECT_EQ(boxes.boxes,
              std::vector<std::string>{Shown("Either Slope Length or Pitch must be entered")});
  }
  // Eave and one rake: a span (the longest side) but no side turning back. The rake keeps the
  // pitch it was given before the failure.
  auto gable = RectangleOutline(0, 0, 40, 20);
  Attach(*gable->Segment(1), {EaveItem(5, 11, 0, 0)});
  Attach(*gable->Segment(2), {RakeItem(kDataTypeDouble)});
  Select(*gable, {1, 2});
  BoxRecorder boxes;
  EXPECT_FALSE(BuildSubunit(0, gable.get(), &lines));
  EXPECT_NEAR(Attr(gable->Segment(2), kPropPitch), 5, kTol);
  // Facing eaves 20 apart at heights 0 and 3 with slope lengths 30 and 5: no positive span.
  Attach(*gable->Segment(3), {EaveItem(0, 5, 0, 3)});
  Attach(*gable->Segment(1), {EaveItem(5, 30, 0, 0)});
  Select(*gable, {3});
  EXPECT_FALSE(BuildSubunit(0, gable.get(), &lines));
  EXPECT_EQ(boxes.boxes, (std::vector<std::string>{Shown("Unable to detemine endpoints"),
                                                   Shown("Unable to determine span")}));
  EXPECT_EQ(lines.Num(), 1);
}
