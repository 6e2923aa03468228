#include "settings/units.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <system_error>

namespace {

// Feet-and-inches marks of the text forms.
constexpr char kFeetMark = '\'';
constexpr char kInchMark = '"';
constexpr char kDecimalPoint = '.';
constexpr char kFractionStart = '-';
constexpr char kFractionBar = '/';

// Decimals printed by FormatDouble.
constexpr int kFormatDoubleDecimals = 3;

bool IsImperial(int unit) {
  return unit == kUnitFeet || unit == kUnitInches;
}

bool IsSplittableUnit(int unit) {
  return unit >= kUnitFeet && unit <= kUnitCentimetres;
}

// How many minor units make one major unit: inches per foot, centimetres per metre, or their
// squares. Only kind 0 is an area; every other kind splits like a length.
double MinorCount(int kind, int unit) {
  const bool area = kind == kMeasureArea;
  if (IsImperial(unit)) return area ? kSquareInchesPerSquareFoot : kInchesPerFoot;
  return area ? kSquareCentimetresPerSquareMetre : kCentimetresPerMetre;
}

// Lengths. Conversions that involve feet or inches go through feet, which performs the same
// operations in the same order as the published conversion table (v / 12 * 0.3048 for inches to
// metres); metric pairs are scaled directly.
bool IsLengthUnit(int unit) {
  return IsSplittableUnit(unit) || unit == kUnitMillimetres;
}

double LengthToFeet(double v, int unit) {
  switch (unit) {
    case kUnitMetres:
      return v / kMetresPerFoot;
    case kUnitInches:
      return v / kInchesPerFoot;
    case kUnitCentimetres:
      return v / kCentimetresPerMetre / kMetresPerFoot;
    case kUnitMillimetres:
      return v / kMillimetresPerMetre / kMetresPerFoot;
    default:
      return v;
  }
}

double FeetToLength(double feet, int unit) {
  switch (unit) {
    case kUnitMetres:
      return feet * kMetresPerFoot;
    case kUnitInches:
      return feet * kInchesPerFoot;
    case kUnitCentimetres:
      return feet * kMetresPerFoot * kCentimetresPerMetre;
    case kUnitMillimetres:
      return feet * kMetresPerFoot * kMillimetresPerMetre;
    default:
      return feet;
  }
}

double ConvertLength(double v, int from, int to) {
  if (from == to || !IsLengthUnit(from) || !IsLengthUnit(to)) return v;
  // Millimetres convert only to feet, and only feet, metres and inches convert to millimetres.
  if (from == kUnitMillimetres && to != kUnitFeet) return v;
  if (to == kUnitMillimetres && from == kUnitCentimetres) return v;
  if (from == kUnitMetres && to == kUnitCentimetres) return v * kCentimetresPerMetre;
  if (from == kUnitCentimetres && to == kUnitMetres) return v / kCentimetresPerMetre;
  if (from == kUnitMetres && to == kUnitMillimetres) return v * kMillimetresPerMetre;
  return FeetToLength(LengthToFeet(v, from), to);
}

// Areas, built the same way around square feet.
double AreaToSquareFeet(double v, int unit) {
  switch (unit) {
    case kUnitMetres:
      return v / kSquareMetresPerSquareFoot;
    case kUnitInches:
      return v / kSquareInchesPerSquareFoot;
    case kUnitCentimetres:
      return v / kSquareCentimetresPerSquareMetre / kSquareMetresPerSquareFoot;
    default:
      return v;
  }
}

double SquareFeetToArea(double squareFeet, int unit) {
  switch (unit) {
    case kUnitMetres:
      return squareFeet * kSquareMetresPerSquareFoot;
    case kUnitInches:
      return squareFeet * kSquareInchesPerSquareFoot;
    case kUnitCentimetres:
      return squareFeet * kSquareMetresPerSquareFoot * kSquareCentimetresPerSquareMetre;
    default:
      return squareFeet;
  }
}

double ConvertArea(double v, int from, int to) {
  if (from == to || !IsSplittableUnit(from) || !IsSplittableUnit(to)) return v;
  if (from == kUnitMetres && to == kUnitCentimetres) return v * kSquareCentimetresPerSquareMetre;
  if (from == kUnitCentimetres && to == kUnitMetres) return v / kSquareCentimetresPerSquareMetre;
  return SquareFeetToArea(AreaToSquareFeet(v, from), to);
}

// Truncation toward zero to a 32-bit integer that cannot overflow: out-of-range values saturate
// and NaN reads as 0.
int TruncateToInt(double v) {
  if (std::isnan(v)) return 0;
  if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(v);
}

// Appends the decimal text of n at out; returns the new end. The caller sized the buffer.
char* AppendInt(char* out, char* end, int n) {
  return std::to_chars(out, end, n).ptr;
}

void WriteFeetInches(char* buffer, int feet, int inches, bool omitZero) {
  char* const end = buffer + kUnitTextBufferSize - 1;
  char* out = buffer;
  const bool feetOnly = omitZero && feet != 0 && inches == 0;
  const bool inchesOnly = omitZero && feet == 0;
  if (!inchesOnly) {
    out = AppendInt(out, end, feet);
    *out++ = kFeetMark;
  }
  if (!feetOnly) {
    if (!inchesOnly) *out++ = ' ';
    out = AppendInt(out, end, inches);
    *out++ = kInchMark;
  }
  *out = '\0';
}

// Reads the number at the start of text the way a typed number is read: leading blanks skipped,
// an optional sign, digits with an optional decimal point and exponent, stopping at the first
// character that cannot continue it. Nothing readable, or a value that is not finite, gives 0.
double ReadNumber(const char* text) {
  while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r' || *text == '\v' ||
         *text == '\f')
    ++text;
  if (*text == '+' && text[1] != '-' && text[1] != '+') ++text;
  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(text, text + std::strlen(text), value);
  if (ec != std::errc() || !std::isfinite(value)) return 0.0;
  return value;
}

// The inches part of typed text: a number, optionally followed by a fraction written after the
// last hyphen with the last slash (6-1/2). A fraction with a zero denominator adds nothing.
double ReadMinor(const char* text) {
  double minor = ReadNumber(text);
  const char* const hyphen = std::strrchr(text, kFractionStart);
  if (hyphen == nullptr) return minor;
  const char* const bar = std::strrchr(hyphen, kFractionBar);
  if (bar == nullptr) return minor;
  const double numerator = ReadNumber(hyphen + 1);
  const double denominator = ReadNumber(bar + 1);
  if (denominator != 0.0) minor += numerator / denominator;
  return minor;
}

}  // namespace

double ConvertVal(double value, int kind, int fromUnit, int toUnit) {
  if (kind == kMeasureLength) return ConvertLength(value, fromUnit, toUnit);
  if (kind == kMeasureArea) return ConvertArea(value, fromUnit, toUnit);
  return value;
}

double Round(double value, int mode) {
  switch (mode) {
    case kRoundDown:
      return std::floor(value);
    case kRoundUp:
      return std::ceil(value);
    case kRoundHalfUpTruncated:
      return TruncateToInt(value + 0.5);
    default:
      return value;
  }
}

double UnitToDec(double whole, double minor, int kind, int unit, int toUnit) {
  if (!IsSplittableUnit(unit)) return 0.0;
  return ConvertVal(whole + minor / MinorCount(kind, unit), kind, unit, toUnit);
}

void DecToUnit(double value, double& whole, double& minor, int kind, int fromUnit, int toUnit) {
  const double v = ConvertVal(value, kind, fromUnit, toUnit);
  if (v == 0.0) return;
  const bool area = kind == kMeasureArea;
  if (IsSplittableUnit(toUnit)) {
    const double count = MinorCount(kind, toUnit);
    // Feet and metres hold the major unit already; inches and centimetres hold the minor one.
    const bool givenInMajor = toUnit == kUnitFeet || toUnit == kUnitMetres;
    if (givenInMajor) {
      whole = std::trunc(v);
      minor = area ? (v - whole) * count : std::abs(v - whole) * count;
    } else {
      whole = std::trunc(v / count);
      minor = area ? v - count * whole : std::abs(v - count * whole);
    }
  }
  // With no major part left, the minor part shows the sign of the value: -0' 6" stays negative.
  // Set the sign rather than multiply by it, so an area's minor part, already negative, is not
  // flipped back to positive.
  if (whole == 0.0) minor = std::copysign(std::abs(minor), v);
}

char* FormatUnits(double value, char* buffer, int kind, int fromUnit, int toUnit, bool omitZero) {
  if (buffer == nullptr) return nullptr;
  double whole = 0.0;
  double minor = 0.0;
  DecToUnit(value, whole, minor, kind, fromUnit, toUnit);
  int feet = TruncateToInt(whole);
  int inches = 0;
  const int roundedInches = TruncateToInt(std::abs(minor) + 0.5);
  if (roundedInches == static_cast<int>(kInchesPerFoot)) {
    // 11.5 inches or more make a whole foot, away from zero.
    const bool negative = feet != 0 ? feet < 0 : minor < 0.0;
    if (negative) {
      feet = feet == INT_MIN ? feet : feet - 1;
    } else {
      feet = feet == INT_MAX ? feet : feet + 1;
    }
  } else {
    inches = minor >= 0.0 ? TruncateToInt(minor + 0.5) : TruncateToInt(minor - 0.5);
  }
  WriteFeetInches(buffer, feet, inches, omitZero);
  return buffer;
}

char* FormatDouble(double value, char* buffer) {
  if (buffer == nullptr) return nullptr;
  // Large enough for the fixed form of any double (309 digits and the decimals).
  char text[400];
  auto [end, ec] = std::to_chars(text, text + sizeof(text), value, std::chars_format::fixed,
                                 kFormatDoubleDecimals);
  size_t length = ec == std::errc() ? static_cast<size_t>(end - text) : 0;
  if (length > 0 && text[length - 1] == '0') --length;
  if (length == 0 || length >= static_cast<size_t>(kUnitTextBufferSize)) {
    // Too long for the caller's buffer: the scientific form always fits.
    end = std::to_chars(text, text + sizeof(text), value, std::chars_format::scientific,
                        kFormatDoubleDecimals)
              .ptr;
    length = static_cast<size_t>(end - text);
  }
  std::memcpy(buffer, text, length);
  buffer[length] = '\0';
  return buffer;
}

double UnitStringToDec(char* text, int kind, int unit, int toUnit) {
  if (text == nullptr) return 0.0;
  double whole = ReadNumber(text);
  double minor = 0.0;
  if (const char* feetMark = std::strchr(text, kFeetMark)) {
    minor = ReadMinor(feetMark + 1);
  } else if (std::strchr(text, kInchMark) != nullptr) {
    whole = 0.0;
    minor = ReadMinor(text);
  } else if (char* point = std::strchr(text, kDecimalPoint)) {
    // Typed 5.6 means five feet six inches: the point is taken for the feet mark, in the
    // caller's text too, so it shows the way it was read.
    *point = kFeetMark;
    whole = ReadNumber(text);
    minor = ReadMinor(point + 1);
  } else {
    return UnitToDec(whole, 0.0, kind, unit, toUnit);
  }
  return UnitToDec(whole, minor, kind, unit, toUnit);
}
