// Dimensions: the measure as text, the text's placement, the dimension line's side, the
// association with the measured entity (both directions and either side destroyed first) and
// deep copies.
#include "entities/dimension3d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>

#include "entities/arc3d.h"
#include "entities/line3d.h"
#include "settings/units.h"

namespace {

constexpr double kTol = 1e-9;

// A dimension measuring line, its dimension line through defpt (dx, dy), text in 12 points.
std::unique_ptr<Dimension3D> Measure(Curve3D* line, double dx, double dy) {
  const Point3D defpt(dx, dy, 0.0);
  return std::make_unique<Dimension3D>(line->Spt(), line->Ept(), &defpt, 0, 12.0, line);
}

std::string TextOf(Dimension3D& d) {
  const char* t = d.GetText()->GetText(0);
  return t != nullptr ? t : "<none>";
}

// The measured line takes a new length; the dimension is then recalculated from it.
// The line tells its dimensions when it changes: no recalculation is asked for here.
void Relength(Line3D& line, Dimension3D& /*d*/, double length) {
  line.Ept(length, 0.0, 0.0);
}

}  // namespace

TEST(Dimension3D, NewDimensionAndZeroLengthMeasure) {
  const int live = Dimension3D::LiveCount();
  Dimension3D d;
  EXPECT_EQ(Dimension3D::LiveCount(), live + 1);
  EXPECT_EQ(d.Type(), kEntityDimension);
  EXPECT_STREQ(d.Name(0, nullptr), "Dimension");
  EXPECT_EQ(d.Obj(), nullptr);
  EXPECT_EQ(d.ObjHandle(), 0);
  EXPECT_EQ(d.Distance(), 0.0);
  EXPECT_FALSE(d.IsTextLocked());
  EXPECT_FALSE(d.FeetInchDisplay());
  // Both measured points at the origin: nothing to measure.
  EXPECT_EQ(d.ReCalc(0.0), 0);
  EXPECT_EQ(d.ReCalc(5.0), 0);
  EXPECT_EQ(d.Distance(), 5.0);  // a non-zero distance is stored even so
  // Units and feet-and-inches only store.
  EXPECT_EQ(d.SetUnits(kUnitMetres), kUnitMetres);
  EXPECT_TRUE(d.SetFeetInchDisplay(true));
  EXPECT_EQ(d.GetUnits(), kUnitMetres);
}

TEST(Dimension3D, DecimalTextDropsTrailingZeros) {
  Line3D line(0.0, 0.0, 0.0, 3.1, 0.0, 0.0);
  auto d = Measure(&line, 3.1, 2.0);
  EXPECT_EQ(TextOf(*d), "3.1");
  Relength(line, *d, 3.0);
  EXPECT_EQ(TextOf(*d), "3");
  Relength(line, *d, 12.5);
  EXPECT_EQ(TextOf(*d), "12.5");
  Relength(line, *d, 10.999);  // two decimals round up to a whole number
  EXPECT_EQ(TextOf(*d), "11");
  // 10 ft is 3.048 m, shown with two decimals.
  d->SetUnits(kUnitMetres);
  Relength(line, *d, 10.0);
  EXPECT_EQ(TextOf(*d), "3.05");
  // Metres never show feet and inches: 10.5 ft = 3.2004 m.
  d->SetFeetInchDisplay(true);
  Relength(line, *d, 10.5);
  EXPECT_EQ(TextOf(*d), "3.2");
}

TEST(Dimension3D, FeetAndInchesRoundAndCarry) {
  Line3D line(0.0, 0.0, 0.0, 10.5, 0.0, 0.0);
  auto d = Measure(&line, 10.5, 2.0);
  d->SetFeetInchDisplay(true);
  d->ReCalc(0.0);
  EXPECT_EQ(TextOf(*d), "10' 6\"");
  Relength(line, *d, 10.999);  // 11.988 inches round to 12 and carry into the feet
  EXPECT_EQ(TextOf(*d), "11'");
  Relength(line, *d, 10.0);
  EXPECT_EQ(TextOf(*d), "10'");
  // Inches as the unit still show feet and inches of the measure.
  d->SetUnits(kUnitInches);
  Relength(line, *d, 2.25);
  EXPECT_EQ(TextOf(*d), "2' 3\"");
  // A measure too large for whole feet falls back to decimals instead of overflowing.
  Relength(line, *d, 1e12);
  EXPECT_EQ(TextOf(*d), "12000000000000");
}

TEST(Dimension3D, LockedTextKeepsItsContent) {
  Line3D line(0.0, 0.0, 0.0, 10.5, 0.0, 0.0);
  auto d = Measure(&line, 10.5, 2.0);
  EXPECT_TRUE(d->LockText(true));
  EXPECT_TRUE(d->IsTextLocked());
  Relength(line, *d, 20.0);
  EXPECT_EQ(TextOf(*d), "10.5");
  EXPECT_NEAR(d->Length(0), 20.0, kTol);  // the measure itself follows the line
  d->LockText(false);
  EXPECT_EQ(TextOf(*d), "20");
}

TEST(Dimension3D, TextTurnsToReadUprightAndSitsBelowTheLine) {
  // A dimension pointing into (90, 270] is read from its second point, turned half round.
  const struct {
    double x, y, dimAngle, textAngle;
  } cases[] = {{10, 0, 0, 0},       {0, 10, 90, 90},   {-10, 10, 135, 315}, {-10, 0, 180, 0},
               {-10, -10, 225, 45}, {0, -10, 270, 90}, {10, -10, 315, 315}};
  for (const auto& c : cases) {
    Line3D line(0.0, 0.0, 0.0, c.x, c.y, 0.0);
    auto d = Measure(&line, c.x, c.y);
    EXPECT_NEAR(d->Angle(), c.dimAngle, 1e-9) << c.x << "," << c.y;
    EXPECT_NEAR(d->GetText()->Angle(), c.textAngle, 1e-9) << c.x << "," << c.y;
  }
  // Horizontal, dimension line at y = 2: centred over the middle, half a text height below.
  Line3D flat(0.0, 0.0, 0.0, 10.0, 0.0, 0.0);
  auto d = Measure(&flat, 10.0, 2.0);
  const double h = d->GetText()->Box(0, nullptr)->Height();
  ASSERT_GT(h, 0.0);
  EXPECT_NEAR(d->TextMidPoint()->x, 5.0, kTol);
  EXPECT_NEAR(d->TextMidPoint()->y, 2.0 - h / 2.0, kTol);
  // Upright (90 degrees), dimension line at x = -3: half a text height to the right.
  Line3D up(0.0, 0.0, 0.0, 0.0, 10.0, 0.0);
  auto v = Measure(&up, -3.0, 10.0);
  EXPECT_NEAR(v->TextMidPoint()->x, -3.0 + h / 2.0, 1e-6);  // same text "10", same height
  EXPECT_NEAR(v->TextMidPoint()->y, 5.0, kTol);
}

TEST(Dimension3D, DimensionLineSideAndDistance) {
  Line3D line(0.0, 0.0, 0.0, 10.0, 0.0, 0.0);
  // Distance 0: the line passes through the definition point, now over the second point.
  auto d = Measure(&line, 4.0, 3.0);
  EXPECT_NEAR(d->Defpt()->x, 10.0, kTol);
  EXPECT_NEAR(d->Defpt()->y, 3.0, kTol);
  // A distance keeps the side of the definition point; its sign does not choose the side.
  d->SetDistance(-5.0);
  EXPECT_NEAR(d->Defpt()->y, 5.0, kTol);
  const Point3D below(2.0, -1.0, 0.0);
  d->Defpt(&below);
  EXPECT_NEAR(d->Defpt()->y, -5.0, kTol);
  // The box holds the measured points, the definition point and the text.
  const Box3D* box = d->Box(0, nullptr);
  EXPECT_LE(box->Bottom(), -5.0 - d->GetText()->Box(0, nullptr)->Height() / 2.0);
  EXPECT_NEAR(box->Top(), 0.0, kTol);
  // Picking: on the dimension line, on an extension line, nowhere near, and a zero scale.
  Point3D onLine(5.0, -5.0, 0.0);
  Point3D onExtension(10.0, -2.0, 0.0);
  Point3D far(5.0, 20.0, 0.0);
  EXPECT_NEAR(d->IsNear(&onLine, 1.0, 0.1), 0.0, kTol);
  EXPECT_NEAR(d->IsNear(&onExtension, 1.0, 0.1), 0.0, kTol);
  EXPECT_EQ(d->IsNear(&far, 1.0, 0.1), kNotNear);
  EXPECT_EQ(d->IsNear(&onLine, 0.0, 0.1), kNotNear);
}

TEST(Dimension3D, AssociationIsListedOnBothSides) {
  Line3D line(0.0, 0.0, 0.0, 10.0, 0.0, 0.0);
  line.Id(7, 0);
  auto d = Measure(&line, 10.0, 2.0);
  EXPECT_EQ(d->Obj(), &line);
  EXPECT_EQ(d->ObjHandle(), 7);
  ASSERT_EQ(line.Dimensions(), 1);
  EXPECT_NE(line.GetAssociatedDimensions(nullptr)->Contains(d.get()), nullptr);
  // Moving to another entity leaves the first one's list.
  Line3D other(0.0, 5.0, 0.0, 4.0, 5.0, 0.0);
  d->SetObj(&other);
  EXPECT_EQ(line.Dimensions(), 0);
  EXPECT_EQ(other.Dimensions(), 1);
  EXPECT_NEAR(d->Spt()->y, 5.0, kTol);  // measured points come from the entity
  EXPECT_EQ(TextOf(*d), "4");
  // Dimensions and the dimension itself are never measured: that dissociates.
  Dimension3D plain;
  d->SetObj(&plain);
  EXPECT_EQ(d->Obj(), nullptr);
  EXPECT_EQ(other.Dimensions(), 0);
  EXPECT_EQ(plain.Dimensions(), 0);
  d->SetObj(&line);
  d->SetObj(nullptr);
  EXPECT_EQ(line.GetAssociatedDimensions(nullptr), nullptr);
  EXPECT_EQ(d->ObjHandle(), 0);
}

TEST(Dimension3D, EitherSideMayBeDestroyedFirst) {
  // The dimension goes first: the line's list forgets it.
  auto line = std::make_unique<Line3D>(0.0, 0.0, 0.0, 10.0, 0.0, 0.0);
  auto d = Measure(line.get(), 10.0, 2.0);
  d.reset();
  EXPECT_EQ(line->Dimensions(), 0);
  EXPECT_EQ(line->GetAssociatedDimensions(nullptr), nullptr);
  // The line goes first: the dimension becomes unassociated and keeps working on its own.
  d = Measure(line.get(), 10.0, 3.0);
  line.reset();
  EXPECT_EQ(d->Obj(), nullptr);
  EXPECT_EQ(d->ObjHandle(), 0);
  EXPECT_EQ(d->ReCalc(0.0), 1);
  EXPECT_NEAR(d->Length(0), 10.0, kTol);
  EXPECT_EQ(TextOf(*d), "10");  // the last text stays
  const Point3D v(1.0, 0.0, 0.0);
  d->Translate(&v, false);
  EXPECT_NEAR(d->Spt()->x, 1.0, kTol);
}

TEST(Dimension3D, DeepCopyIsIndependentAndUnassociated) {
  Line3D line(0.0, 0.0, 0.0, 10.0, 0.0, 0.0);
  line.Id(3, 0);
  auto d = Measure(&line, 10.0, 2.0);
  d->SetDistance(4.0);
  std::unique_ptr<Curve3D> c(d->Copy());
  auto* copy = dynamic_cast<Dimension3D*>(c.get());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Obj(), nullptr);
  EXPECT_EQ(copy->ObjHandle(), 3);  // kept for binding again
  EXPECT_EQ(line.Dimensions(), 1);
  EXPECT_NE(copy->GetText(), d->GetText());
  EXPECT_EQ(TextOf(*copy), "10");
  EXPECT_TRUE(copy->Ident(d.get()));
  EXPECT_EQ(copy->Distance(), 4.0);
  copy->GetText()->Settext("changed");
  EXPECT_EQ(TextOf(*d), "10");
  EXPECT_FALSE(copy->Ident(d.get()));
  d.reset();
  EXPECT_EQ(TextOf(*copy), "changed");
}

TEST(Dimension3D, TransformationsMovePointsAndKeepTheTextUpright) {
  Dimension3D d;
  const Point3D a(0.0, 0.0, 0.0), b(10.0, 0.0, 0.0), up(0.0, 0.0, 1.0);
  d.Spt(&a);
  d.Ept(&b);
  d.SetDistance(2.0);
  EXPECT_NEAR(d.Defpt()->y, 2.0, kTol);
  // A half turn points the dimension left: the text is turned back to read upright.
  d.Rotate(&a, &up, std::numbers::pi);
  EXPECT_NEAR(d.Angle(), 180.0, 1e-6);
  EXPECT_NEAR(std::remainder(d.GetText()->Angle(), 360.0), 0.0, 1e-6);
  EXPECT_NEAR(d.Defpt()->y, -2.0, 1e-9);
  // Scaling scales the offset of the dimension line.
  d.Scale(&a, 2.0);
  EXPECT_NEAR(d.Distance(), 4.0, 1e-9);
  EXPECT_NEAR(d.Defpt()->y, -4.0, 1e-9);
  // An associated dimension goes back onto its line when moved alone.
  Line3D line(0.0, 0.0, 0.0, 10.0, 0.0, 0.0);
  auto m = Measure(&line, 10.0, 2.0);
  const Point3D v(3.0, 1.0, 0.0);
  m->Translate(&v, false);
  EXPECT_NEAR(m->Spt()->x, 0.0, kTol);
  EXPECT_NEAR(m->Defpt()->y, 2.0, kTol);
}

TEST(Dimension3D, AssociatedArcIsMeasuredAlongItsRadius) {
  const Point3D c(0.0, 0.0, 0.0), s(10.0, 0.0, 0.0), e(0.0, 10.0, 0.0);
  Arc3D arc(&c, 10.0, &s, &e, kArcCounterClockwise);
  auto d = Measure(&arc, 0.0, 12.0);
  // A quarter of a circle of radius 10: 5 pi = 15.708.
  EXPECT_EQ(TextOf(*d), "15.71");
  d->SetDistance(3.0);
  EXPECT_NEAR(d->Defpt()->y, 13.0, kTol);
  // The text sits near the middle of the arc, carried out to radius 13.
  const double h = d->GetText()->Box(0, nullptr)->Height();
  const Point3D middle(13.0 / std::numbers::sqrt2, 13.0 / std::numbers::sqrt2, 0.0);
  EXPECT_LE(d->TextMidPoint()->dist(&middle), h);
}
