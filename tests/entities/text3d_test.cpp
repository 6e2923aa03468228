#include "entities/text3d.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <numbers>

#include "entities/multi3d.h"
#include "support/geometry_matchers.h"

namespace {

constexpr double kTol = 1e-9;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// A one-line text at (x, y) in 12 points, upright.
std::unique_ptr<Text3D> MakeText(const char* line, double x = 0.0, double y = 0.0) {
  const Point3D at(x, y, 0.0);
  return std::make_unique<Text3D>(&at, line, 12.0, 0.0);
}

Box3D BoxOf(Text3D& t) {
  return *t.Box(0, nullptr);
}

}  // namespace

TEST(Text3D, NewTextHasTheDefaultFontAndNoBox) {
  const int live = Text3D::LiveCount();
  Text3D t(kTextFrame, 3);
  EXPECT_EQ(Text3D::LiveCount(), live + 1);
  EXPECT_STREQ(t.Name(0, nullptr), "text");
  const LOGFONTA* f = t.GetFont();
  EXPECT_EQ(f->lfHeight, -12);
  EXPECT_EQ(f->lfWeight, 400);
  EXPECT_STREQ(t.FontName(), "Arial");
  EXPECT_EQ(t.Pointsize(), 10.0);
  EXPECT_EQ(t.TextHeight(), 0.0);
  // Without lines there is nothing to measure or to pick.
  EXPECT_FALSE(t.CalcTextBox(nullptr));
  EXPECT_EQ(t.GetTextBox(), nullptr);
  Point3D origin;
  EXPECT_EQ(t.IsNear(&origin, 1.0, 100.0), kNotNear);
  EXPECT_EQ(t.IsInside(&origin), 0);
}

TEST(Text3D, LinesApiHandlesNullAndOutOfRangeIndices) {
  Text3D t;
  t.Settext(nullptr);
  t.AddLine(nullptr);
  t.SetTextLine(0, nullptr);
  t.SetTextLine(-1, "negative");
  EXPECT_EQ(t.NumLines(), 0);
  t.SetTextLine(1000000, "appended");  // past the end appends
  t.AddLine("second");
  t.SetTextLine(0, "first");
  ASSERT_EQ(t.NumLines(), 2);
  EXPECT_STREQ(t.GetText(0), "first");
  EXPECT_STREQ(t.GetText(1), "second");
  EXPECT_EQ(t.GetText(2), nullptr);
  EXPECT_EQ(t.GetText(-1), nullptr);
  EXPECT_EQ(t.TextLength(), 5);
  char buffer[4] = {'x', 'x', 'x', 'x'};
  EXPECT_STREQ(t.GetText(buffer, sizeof(buffer), 1), "sec");
  EXPECT_EQ(t.GetText(buffer, 0, 1), nullptr);
  EXPECT_EQ(t.GetText(buffer, 4, 7), nullptr);
  t.Settext("only");
  EXPECT_STREQ(t.GetText(0), "only");
  t.ClearText();
  EXPECT_EQ(t.NumLines(), 0);
  EXPECT_EQ(t.GetTextBox(), nullptr);
}

TEST(Text3D, SizeInPointsAndHeightFollowEachOther) {
  Text3D t;
  t.SetFontSize(12);
  EXPECT_NEAR(t.TextHeight(), 12.0 / 72.0, 1e-15);
  EXPECT_EQ(t.State(), kStateChanged);
  t.SetFontSize(30);
  t.SetHeight(12.0 / 72.0);
  EXPECT_NEAR(t.Pointsize(), 12.0, 1e-12);
  EXPECT_EQ(t.FontSize(), 12);
  t.SetFontSize(12.5);
  EXPECT_EQ(t.FontSize(), 13);  // halves round up
  t.SetFontSize(12.49);
  EXPECT_EQ(t.FontSize(), 12);
  for (double bad : {kNaN, kInf, -1.0}) {
    t.SetFontSize(bad);
    t.SetHeight(bad);
    t.SetTextHeight(bad);
  }
  EXPECT_EQ(t.Pointsize(), 12.49);
  EXPECT_NEAR(t.TextHeight(), 12.49 / 72.0, 1e-15);
  // The plain setters leave the other value alone.
  t.Pointsize(20);
  t.SetTextHeight(0.5);
  EXPECT_EQ(t.Pointsize(), 20.0);
  EXPECT_EQ(t.TextHeight(), 0.5);
}

TEST(Text3D, TransformsCarryBothPointsAndKeepTheAngleInOneTurn) {
  Text3D t;
  EXPECT_EQ(t.SetAngle(-90), 270.0);
  const Point3D centre, up(0, 0, 1), align(2, 0, 0);
  t.Spt(1, 0, 0);
  t.Alignment(kAlignLeft, &align);
  t.Rotate(&centre, &up, 3 * std::numbers::pi / 2);
  EXPECT_NEAR(t.Angle(), 180.0, 1e-9);
  EXPECT_THAT(*t.Spt(), PointNear(0, -1, 0, 1e-12));
  EXPECT_THAT(*t.AlignPoint(), PointNear(0, -2, 0, 1e-12));
  t.Rotate_cs(&centre, &up, 0.0, 1.0);  // a quarter turn
  EXPECT_NEAR(t.Angle(), 270.0, 1e-9);
  t.Rotate(&centre, &up, kNaN);
  EXPECT_NEAR(t.Angle(), 270.0, 1e-9);
  // A mirrored text is never drawn mirrored: only its points move.
  const Point3D xNormal(1, 0, 0);
  t.Mirror(&xNormal, 0.0);
  EXPECT_NEAR(t.Angle(), 270.0, 1e-9);
  EXPECT_THAT(*t.AlignPoint(), PointNear(-2, 0, 0, 1e-12));
  EXPECT_EQ(t.Angle(-30.0), -30.0);  // as given
  EXPECT_EQ(t.Rotation(400), 400.0);
  const Point3D v(1, 1, 0);
  t.Translate(&v, false);
  t.Scale(&centre, 2.0);
  EXPECT_THAT(*t.AlignPoint(), PointNear(-2, 2, 0, 1e-12));
  EXPECT_THAT(*t.Spt(), PointNear(0, 2, 0, 1e-12));
}

TEST(Text3D, SetFontForcesPrecisionsAndStyleBitsRoundTrip) {
  Text3D t(kTextFrame);
  LOGFONTA f{};
  f.lfWeight = 600;
  f.lfItalic = 1;
  f.lfCharSet = 2;
  std::memset(f.lfFaceName, 'F', sizeof(f.lfFaceName));  // no terminator
  t.SetFont(&f, 24, -1);
  EXPECT_EQ(t.GetFont()->lfOutPrecision, 7);
  EXPECT_EQ(t.GetFont()->lfClipPrecision, 16);
  EXPECT_EQ(t.Attributes(), kTextFrame | kTextBold | kTextItalic);  // flags -1 kept
  EXPECT_EQ(std::strlen(t.FontName()), 31u);
  EXPECT_NEAR(t.TextHeight(), 24.0 / 72.0, 1e-15);
  t.SetFont(&f, kNaN, 0);
  t.SetFont(nullptr, 10, 5);
  EXPECT_EQ(t.Pointsize(), 24.0);
  EXPECT_EQ(t.Flags(), 0);
  t.SetFontName("Courier New");
  EXPECT_STREQ(t.FontName(), "Courier New");
  EXPECT_EQ(t.GetFont()->lfCharSet, 0);
  f.lfWeight = 500;
  t.SetFont(&f, 12, -1);
  EXPECT_EQ(t.Attributes() & kTextBold, 0);
  for (int bits : {kTextBold | kTextItalic, kTextUnderline | kTextStrikeOut | kTextFrame}) {
    EXPECT_EQ(t.Attributes(bits), bits);
    EXPECT_EQ(t.GetFont()->lfWeight, (bits & kTextBold) != 0 ? 700 : 400);
  }
}

TEST(Text3D, SetXScaleKeepsPointsOrHeight) {
  Text3D t;
  t.SetFontSize(12);
  EXPECT_EQ(t.SetXScale(2.0, 1), 2.0);
  EXPECT_EQ(t.Pointsize(), 12.0);
  EXPECT_NEAR(t.TextHeight(), 12.0 / 72.0 / 2.0, 1e-15);
  t.SetXScale(4.0, 2);
  EXPECT_NEAR(t.TextHeight(), 12.0 / 72.0 / 2.0, 1e-15);
  EXPECT_NEAR(t.Pointsize(), 24.0, 1e-12);
  for (double bad : {0.0, -1.0, kNaN, kInf})
    EXPECT_EQ(t.SetXScale(bad, 1), 4.0);
  // Codes 3 and 5 keep the height whatever mode is asked for.
  for (int code : {3, kAlignFitted}) {
    t.Alignment(code, nullptr);
    const double height = t.TextHeight();
    t.SetXScale(t.XScale() * 2.0, 1);
    EXPECT_NEAR(t.TextHeight(), height, 1e-15);
    EXPECT_NEAR(t.Pointsize(), height * t.XScale() * 72.0, 1e-9);
  }
}

TEST(Text3D, BoxIsAnchoredByTheAlignmentCode) {
  auto t = MakeText("Ridge cap", 5.0, 3.0);
  const Box3D left = BoxOf(*t);
  const double width = left.Width();
  EXPECT_GT(width, left.Height());
  EXPECT_NEAR(left.Left(), 5.0, kTol);
  EXPECT_NEAR(left.Top(), 3.0, kTol);  // the first line hangs from the insertion point

  const Point3D align(20.0, 10.0, 0.0);
  t->Alignment(kAlignCentre, &align);
  const Box3D centred = BoxOf(*t);
  EXPECT_NEAR((centred.Left() + centred.Right()) / 2.0, 20.0, kTol);
  EXPECT_NEAR(centred.Width(), width, kTol);
  t->Alignment(kAlignRight, nullptr);
  EXPECT_NEAR(BoxOf(*t).Right(), 20.0, kTol);
  EXPECT_NEAR(BoxOf(*t).Width(), width, kTol);
  t->Alignment(kAlignFitted, nullptr);
  EXPECT_NEAR(BoxOf(*t).Left(), 5.0, kTol);
  t->Alignment(kAlignOwnVertical, nullptr);  // stands on the insertion point
  EXPECT_NEAR(BoxOf(*t).Bottom(), 3.0, kTol);
  EXPECT_NEAR(BoxOf(*t).Height(), left.Height(), kTol);
}

TEST(Text3D, FrameMarginAndScaleChangeTheBoxSize) {
  auto t = MakeText("Valley");
  const Box3D plain = BoxOf(*t);
  t->Attributes(kTextFrame);
  EXPECT_NEAR(BoxOf(*t).Width(), plain.Width() + 0.2, kTol);
  EXPECT_NEAR(BoxOf(*t).Height(), plain.Height() + 0.2, kTol);
  EXPECT_NEAR(BoxOf(*t).Left(), -0.1, kTol);
  t->Attributes(0);
  t->FillColour(2);
  t->Calcbox();
  EXPECT_NEAR(BoxOf(*t).Width(), plain.Width() + 0.2, kTol);
  t->FillColour(-1);
  // At XScale 2 and the same point size everything, margin included, is half as large.
  t->Attributes(kTextFrame);
  t->SetXScale(2.0, 1);
  EXPECT_NEAR(BoxOf(*t).Width(), (plain.Width() + 0.2) / 2.0, kTol);
  // Twice the points: about twice as wide (whole pixels are measured).
  auto big = MakeText("Valley");
  big->SetFontSize(24);
  EXPECT_NEAR(BoxOf(*big).Width() / plain.Width(), 2.0, 0.1);
}

TEST(Text3D, RotatedBoxTurnsAboutTheAnchor) {
  auto t = MakeText("A fairly long label");
  const Box3D upright = BoxOf(*t);
  ASSERT_GT(upright.Width(), upright.Height());
  t->SetAngle(90);
  const Box3D turned = BoxOf(*t);
  // The rectangle right of and below the origin swings up: tall and thin.
  EXPECT_NEAR(turned.Width(), upright.Height(), kTol);
  EXPECT_NEAR(turned.Height(), upright.Width(), kTol);
  EXPECT_NEAR(turned.Left(), 0.0, kTol);
  EXPECT_NEAR(turned.Bottom(), 0.0, kTol);
  Multi3D* outline = t->GetTextBox();
  ASSERT_NE(outline, nullptr);
  EXPECT_EQ(outline->Nodes(), 4);
  EXPECT_TRUE(outline->IsClosed());
  // From the lower left corner of the text, which now lies on the x axis, up to the anchor.
  EXPECT_THAT(*outline->Spt(), PointNear(upright.Height(), 0, 0, kTol));
  ASSERT_NE(outline->Segment(1), nullptr);
  EXPECT_THAT(*outline->Segment(1)->Ept(), PointNear(0, 0, 0, kTol));
}

TEST(Text3D, LinesStackDownwardsAtTheWidestWidth) {
  auto wide = MakeText("The widest line here");
  auto narrow = MakeText("short");
  const Box3D one = BoxOf(*wide);
  auto both = MakeText("short");
  both->AddLine("The widest line here");
  both->AddLine("");
  const Box3D three = BoxOf(*both);
  EXPECT_NEAR(three.Width(), one.Width(), kTol);
  EXPECT_GT(one.Width(), BoxOf(*narrow).Width());
  EXPECT_NEAR(three.Height(), 3 * one.Height() + 2 * 0.02, kTol);
  EXPECT_NEAR(three.Top(), 0.0, kTol);
}

TEST(Text3D, CopiesAreDeepAndIndependent) {
  auto t = MakeText("Eave");
  t->AddLine("Drip edge");
  const Point3D align(1, 1, 0);
  t->Alignment(kAlignCentre, &align);
  t->Attributes(kTextItalic);
  const int live = Text3D::LiveCount();
  std::unique_ptr<Curve3D> copy(t->Copy());
  auto* text = dynamic_cast<Text3D*>(copy.get());
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(Text3D::LiveCount(), live + 1);
  EXPECT_TRUE(text->Ident(t.get()));
  ASSERT_NE(text->GetTextBox(), nullptr);
  EXPECT_NE(text->GetTextBox(), t->GetTextBox());
  const double width = BoxOf(*text).Width();
  t->Settext("changed");
  t->SetFontName("Courier New");
  EXPECT_FALSE(text->Ident(t.get()));
  EXPECT_STREQ(text->GetText(1), "Drip edge");
  EXPECT_STREQ(text->FontName(), "Arial");
  EXPECT_EQ(text->Attributes(), kTextItalic);
  EXPECT_NEAR(BoxOf(*text).Width(), width, kTol);
  Text3D assigned;
  assigned = *text;
  EXPECT_TRUE(assigned.Ident(text));
  EXPECT_EQ(Text3D(static_cast<const Text3D*>(nullptr)).Type(), kEntityText);
}

TEST(Text3D, NearInsideTheBoxAndWithinTheToleranceOfItsEdge) {
  auto t = MakeText("Hip", 10.0, 10.0);
  t->SetAngle(30);
  // The middle of the text: half the width along the baseline direction, half the height
  // below it.
  const Box3D upright = BoxOf(*MakeText("Hip"));
  const double w = upright.Width(), h = upright.Height();
  const double a = 30 * std::numbers::pi / 180;
  Point3D middle(10 + w / 2 * std::cos(a) + h / 2 * std::sin(a),
                 10 + w / 2 * std::sin(a) - h / 2 * std::cos(a), 0);
  EXPECT_EQ(t->IsNear(&middle, 1.0, 0.0), 0.0);
  EXPECT_EQ(t->IsInside(&middle), 1);
  // Straight out from the first line's top edge, 0.5 away; the pick size is 1 at zoom 2.
  Point3D out(10 + w / 2 * std::cos(a) - 0.5 * std::sin(a),
              10 + w / 2 * std::sin(a) + 0.5 * std::cos(a), 0);
  EXPECT_NEAR(t->IsNear(&out, 2.0, 1.0 + 1e-9), 0.5, 1e-9);
  EXPECT_EQ(t->IsNear(&out, 2.0, 1.0 - 1e-6), kNotNear);
  EXPECT_EQ(t->IsInside(&out), 0);
  EXPECT_EQ(t->IsNear(&out, 0.0, 1.0), kNotNear);
}
