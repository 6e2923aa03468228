// Pitched subunits: building one sloped plane from a roof outline's selected eave, its span and
// end points, and the collector of hip, valley and ridge lines.

#include "takeoff/pitcheddata.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <vector>

#include "entities/curve3d.h"
#include "entities/line3d.h"
#include "entities/multi3d.h"
#include "geometry/point3d.h"
#include "platform/win32.h"
#include "takeoff/ttgattribute.h"

namespace {

// Item types looked for on the sides of a roof.
constexpr int kHipType = 6102;
constexpr int kValleyType = 6103;
constexpr int kRidgeType = 6104;
constexpr int kEaveType = 6105;
constexpr int kRakeEdgeType = 6107;

constexpr const char* kCaption = "BuildSubUnit";
constexpr const char* kNoEaveText = "Side eave not selected";
constexpr const char* kNoSlopeOrPitchText = "Either Slope Length or Pitch must be entered";
constexpr const char* kNoSpanText = "Unable to determine span";
constexpr const char* kNoEndPointsText = "Unable to detemine endpoints";

// Angular tolerances, in degrees.
constexpr double kSecondEaveTolerance = 5.0;    // a second eave standing in for the picked one
constexpr double kOppositeEaveTolerance = 2.0;  // an eave facing the picked one
constexpr double kCrossSideTolerance = 10.0;    // sides that do not run opposite the eave
constexpr double kAlongTolerance = 10.0;        // sides running along the eave's directions
constexpr double kTurnBackTolerance = 5.0;      // a side running back against the previous one
constexpr int kParallelTolerance = 5;           // whole degrees, see RunsParallel
constexpr int kHalfTurn = 180;

constexpr double kProbeLength = 0.3;  // how far into the plane the inside test looks
constexpr int kPitchDecimals = 2;
constexpr size_t kPitchWidth = 6;
constexpr int kAttrBufferSize = 50;

double WrapDegrees(double a) {
  if (a >= kFullTurnDegrees) return a - kFullTurnDegrees;
  if (a < 0.0) return a + kFullTurnDegrees;
  return a;
}

double OppositeDirection(double a) {
  return WrapDegrees(a + kHalfTurnDegrees);
}

// How far apart two directions are, going the short way round (0 to 180), so 359 and 1 are 2
// degrees apart.
double DirectionGap(double a, double b) {
  const double gap = std::fmod(std::fabs(a - b), kFullTurnDegrees);
  return gap > kHalfTurnDegrees ? kFullTurnDegrees - gap : gap;
}

// The side's direction against the eave's, in whole degrees, reduced by half turns. The
// remainder keeps the sign of the difference, so every side whose direction is below the
// eave's counts as well: that is the established rule for which sides share the eave's pitch.
bool RunsParallel(double direction, double eaveDirection) {
  // Directions lie within a turn; fmod only keeps a stray value from overflowing the cast.
  const double gap = std::fmod(direction - eaveDirection, kFullTurnDegrees);
  if (!std::isfinite(gap)) return false;
  const int difference = static_cast<int>(gap);
  return difference % kHalfTurn < kParallelTolerance;
}

// An attribute of the side (property source 1) as text; empty when the side has none.
bool ReadAttribute(Curve3D* e, int proptype, char (&buffer)[kAttrBufferSize]) {
  buffer[0] = '\0';
  return e != nullptr && e->GetAttr(kPropSourceUser, proptype, buffer) != 0;
}

const char* SkipSignAndBlanks(const char* text) {
  while (*text == ' ')
    ++text;
  return *text == '+' ? text + 1 : text;
}

// Locale-free, so a host running with a decimal comma reads the same values; 0 when missing.
double ReadDouble(Curve3D* e, int proptype) {
  char buffer[kAttrBufferSize];
  if (!ReadAttribute(e, proptype, buffer)) return 0.0;
  const char* start = SkipSignAndBlanks(buffer);
  double value = 0.0;
  const auto parsed = std::from_chars(start, buffer + std::strlen(buffer), value);
  return parsed.ec == std::errc() && std::isfinite(value) ? value : 0.0;
}

int ReadInteger(Curve3D* e, int proptype) {
  char buffer[kAttrBufferSize];
  if (!ReadAttribute(e, proptype, buffer)) return 0;
  const char* start = SkipSignAndBlanks(buffer);
  int value = 0;
  const auto parsed = std::from_chars(start, buffer + std::strlen(buffer), value);
  return parsed.ec == std::errc() ? value : 0;
}

// The pitch as "%6.2f" writes it, without depending on the locale.
void FormatPitch(double pitch, char (&text)[kAttrBufferSize]) {
  char digits[kAttrBufferSize] = {};
  const auto written = std::to_chars(digits, digits + sizeof(digits) - 1, pitch,
                                     std::chars_format::fixed, kPitchDecimals);
  const size_t length = written.ec == std::errc() ? static_cast<size_t>(written.ptr - digits) : 0;
  const size_t pad = length < kPitchWidth ? kPitchWidth - length : 0;
  std::memset(text, ' ', pad);
  std::memcpy(text + pad, digits, length);
  text[pad + length] = '\0';
}

bool Carries(Curve3D* e, int type) {
  return e->HasSmartObjectType(type) != nullptr;
}

std::vector<Curve3D*> SelectedSides(Multi3D* outline) {
  std::vector<Curve3D*> sides;
  if (outline == nullptr) return sides;
  for (int n = 1; Curve3D* s = outline->Segment(n); ++n)
    if (s->IsSelected() != 0) sides.push_back(s);
  return sides;
}

Point3D Midpoint(Curve3D* e) {
  Point3D mid(e->Spt());
  mid.mid_pt(e->Ept());
  return mid;
}

Point3D Heading(double degrees, double length) {
  const double radians = degrees * kRadiansPerDegreeAsStored;
  return Point3D(std::cos(radians) * length, std::sin(radians) * length, 0.0);
}

// The counter-clockwise turn from one side's direction to the next one's, 0 to under 360.
double TurnBetween(Curve3D* from, Curve3D* to) {
  Point3D a(from->Ept());
  a.sub(from->Spt());
  Point3D b(to->Ept());
  b.sub(to->Spt());
  return a.angle(&b);
}

bool MessageAndFail(const char* text) {
  MessageBoxA(nullptr, text, kCaption, MB_OK);
  return false;
}

// With no usable slope length on the picked eave, another selected eave running the same way
// may carry it; null when none does.
Curve3D* EaveWithSlopeLength(const std::vector<Curve3D*>& sides, double direction) {
  for (size_t i = 1; i < sides.size(); ++i) {
    Curve3D* s = sides[i];
    if (Carries(s, kEaveType) && DirectionGap(s->Angle(), direction) < kSecondEaveTolerance &&
        ReadDouble(s, kPropEaveSlopeLength) > 0.0)
      return s;
  }
  return nullptr;
}

// The first facing eave with a slope length, else the last facing eave (slopeLength 0).
Curve3D* FindOppositeEave(const std::vector<Curve3D*>& sides, Curve3D* eave, double opposite,
                          double& slopeLength) {
  Curve3D* found = nullptr;
  slopeLength = 0.0;
  for (Curve3D* s : sides) {
    if (s == eave || !Carries(s, kEaveType)) continue;
    if (DirectionGap(s->Angle(), opposite) >= kOppositeEaveTolerance) continue;
    found = s;
    const double length = ReadDouble(s, kPropEaveSlopeLength);
    if (length > 0.0) {
      slopeLength = length;
      return s;
    }
  }
  return found;
}

double LongestCrossSide(const std::vector<Curve3D*>& sides, double opposite) {
  double longest = 0.0;
  for (Curve3D* s : sides) {
    if (DirectionGap(s->Angle(), opposite) <= kCrossSideTolerance) continue;
    const double length = s->Length(1);
    if (length > longest) longest = length;
  }
  return longest;
}

void StorePoint(Point3D* out, const Point3D* at, int id) {
  if (out == nullptr) return;
  out->set(at);
  out->Id(id);
}

// One walk over the sides in chain order. A side becomes the candidate after it is examined when
// it runs along d1 or d2; a later side turning back against the candidate makes a pair. Stops
// at the second pair. Returns the pairs stored, counting pairsSoFar (so a walk started at 1
// fills p3 and p4 and stops at its first pair).
int WalkForPairs(const std::vector<Curve3D*>& sides, double d1, double d2, Curve3D*& candidate,
                 int pairsSoFar, Point3D* out[4]) {
  int pairs = pairsSoFar;
  for (Curve3D* s : sides) {
    if (candidate != nullptr &&
        std::fabs(TurnBetween(candidate, s) - kHalfTurnDegrees) < kTurnBackTolerance) {
      StorePoint(out[2 * pairs], candidate->Ept(), candidate->Id());
      StorePoint(out[2 * pairs + 1], s->Spt(), s->Id());
      if (++pairs == 2) return pairs;
    }
    const double direction = s->Angle();
    if (DirectionGap(direction, d1) < kAlongTolerance ||
        DirectionGap(direction, d2) < kAlongTolerance)
      candidate = s;
  }
  return pairs;
}

Curve3D* FirstWithLineNumber(const Dblclist& list, int number) {
  for (Dblcitem* node = list.Head(); node != nullptr; node = node->Next()) {
    Curve3D* e = node->Obj();
    if (e != nullptr && ReadInteger(e, kPropLineNumber) == number) return e;
  }
  return nullptr;
}

}  // namespace

// ---- PitchedData -------------------------------------------------------------------------

PitchedData::~PitchedData() {
  // The entities belong to the drawing.
  hips_.Clear(0);
  valleys_.Clear(0);
  ridges_.Clear(0);
}

void PitchedData::AddCurve(Curve3D* e) {
  if (e == nullptr) return;
  // Dblclist::Add returns the existing node for an entity it already holds.
  if (Carries(e, kHipType)) hips_.Add(e);
  if (Carries(e, kValleyType)) valleys_.Add(e);
  if (Carries(e, kRidgeType)) ridges_.Add(e);
}

Curve3D* PitchedData::GetHip(int number) const {
  return FirstWithLineNumber(hips_, number);
}

Curve3D* PitchedData::GetValley(int number) const {
  return FirstWithLineNumber(valleys_, number);
}

Curve3D* PitchedData::GetRidge(int number) const {
  return FirstWithLineNumber(ridges_, number);
}

// ---- Span and end points -----------------------------------------------------------------

double GetSubunitSpan(Multi3D* outline, Curve3D* eave, double /*pitch*/) {
  if (outline == nullptr || eave == nullptr) return 0.0;
  const std::vector<Curve3D*> sides = SelectedSides(outline);
  const double opposite = OppositeDirection(eave->Angle());
  double otherSlope = 0.0;
  Curve3D* other = FindOppositeEave(sides, eave, opposite, otherSlope);
  if (other == nullptr) return LongestCrossSide(sides, opposite);

  Line3D eaveLine(eave->Spt(), eave->Ept());
  Point3D otherMid = Midpoint(other);
  double span =
      eaveLine.Dist(&otherMid) + ReadDouble(eave, kPropOverhang) + ReadDouble(other, kPropOverhang);
  const double height = ReadDouble(eave, kPropHeight);
  const double otherHeight = ReadDouble(other, kPropHeight);
  const double slope = ReadDouble(eave, kPropEaveSlopeLength);
  if (height != otherHeight && slope > 0.0 && otherSlope > 0.0) {
    // The plan run of the difference in slope lengths; eaves whose heights differ by more than
    // their slope lengths do contradict each other, and then the plain distance stands.
    const double rise = otherHeight - height;
    const double squared = (slope - otherSlope) * (slope - otherSlope) - rise * rise;
    if (squared >= 0.0) span -= std::sqrt(squared);
  }
  return span > 0.0 && std::isfinite(span) ? span : 0.0;
}

bool GetSubunitEndPoints(Multi3D* outline, double d1, double d2, Point3D* p1, Point3D* p2,
                         Point3D* p3, Point3D* p4) {
  const std::vector<Curve3D*> sides = SelectedSides(outline);
  Point3D* out[4] = {p1, p2, p3, p4};
  Curve3D* candidate = nullptr;
  if (WalkForPairs(sides, d1, d2, candidate, 0, out) > 0) return true;
  if (candidate == nullptr) return false;
  // A pair that wraps round the end of the chain: a second walk from the first side, keeping the
  // last candidate, whose first pair is stored as the second pair.
  return WalkForPairs(sides, d1, d2, candidate, 1, out) > 1;
}

// ---- Building the subunit ----------------------------------------------------------------

bool BuildSubunit(int id, Multi3D* outline, Dblclist* lines) {
  const std::vector<Curve3D*> sides = SelectedSides(outline);
  if (sides.empty()) return MessageAndFail(kNoEaveText);

  Curve3D* eave = sides.front();
  const double direction = eave->Angle();
  const double opposite = OppositeDirection(direction);
  double slope = ReadDouble(eave, kPropEaveSlopeLength);
  if (slope <= 0.0) {
    if (Curve3D* other = EaveWithSlopeLength(sides, direction)) {
      eave = other;
      slope = ReadDouble(eave, kPropEaveSlopeLength);
    }
  }
  const double pitch = ReadDouble(eave, kPropPitch);
  if (slope <= 0.0 || pitch == 0.0) return MessageAndFail(kNoSlopeOrPitchText);

  const double span = GetSubunitSpan(outline, eave, pitch);
  if (span <= 0.0) return MessageAndFail(kNoSpanText);

  // Written before the end points are checked: a later failure leaves these pitches in place.
  char pitchText[kAttrBufferSize];
  FormatPitch(pitch, pitchText);
  for (Curve3D* s : sides)
    if (Carries(s, kRakeEdgeType) || RunsParallel(s->Angle(), direction))
      s->SetAttr(kPropSourceUser, kPropPitch, pitchText);

  Point3D ends[4];
  if (!GetSubunitEndPoints(outline, direction, opposite, &ends[0], &ends[1], &ends[2], &ends[3]))
    return MessageAndFail(kNoEndPointsText);

  // The probe starts at the eave's midpoint: from a corner it would lie on the neighbouring side
  // (or outside a hipped plane), where the inside test cannot tell.
  const Point3D mid = Midpoint(eave);
  double across = WrapDegrees(direction + kQuarterTurnDegrees);
  Point3D probe = Heading(across, kProbeLength);
  probe.add(&mid);
  if (outline->IsInside(&probe) == 0) across = WrapDegrees(direction - kQuarterTurnDegrees);
  const Point3D offset = Heading(across, span / 2.0);

  auto* placed = new Line3D(eave->Spt(), eave->Ept(), eave->GetColour(), eave->GetLinetype(),
                            eave->Thickness());
  placed->Translate(&offset, true);
  if (id > 0) placed->Id(id, 0);
  if (lines == nullptr || lines->Add(placed) == nullptr) delete placed;
  return true;
}
