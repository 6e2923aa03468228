#pragma once
// Stateless conversions between the unit systems values are shown in, splitting a value into a
// major and a minor unit (feet and inches, metres and centimetres), feet-and-inches text both
// ways, rounding, and plain decimals. Drawing coordinates are in feet. All text is written and
// read without regard to the process locale.

// Measure kinds: what a value measures. Any other kind is never converted.
inline constexpr int kMeasureArea = 0;
inline constexpr int kMeasureLength = 1;

// Unit codes. For areas the same codes mean the square units; millimetres exist for lengths only
// and code 4 is not a unit.
inline constexpr int kUnitFeet = 0;
inline constexpr int kUnitMetres = 1;
inline constexpr int kUnitInches = 2;
inline constexpr int kUnitCentimetres = 3;
inline constexpr int kUnitMillimetres = 5;

// Conversion factors, used exactly as given: the area factor is the rounded 0.0929, not the
// exact square of 0.3048, because stored quantities were computed with it.
inline constexpr double kMetresPerFoot = 0.3048;
inline constexpr double kInchesPerFoot = 12.0;
inline constexpr double kCentimetresPerMetre = 100.0;
inline constexpr double kMillimetresPerMetre = 1000.0;
inline constexpr double kSquareMetresPerSquareFoot = 0.0929;
inline constexpr double kSquareInchesPerSquareFoot = 144.0;
inline constexpr double kSquareCentimetresPerSquareMetre = 10000.0;

// Rounding modes of Round.
inline constexpr int kRoundDown = 1;
inline constexpr int kRoundUp = 2;
inline constexpr int kRoundHalfUpTruncated = 3;

// The smallest buffer FormatUnits and FormatDouble may be given.
inline constexpr int kUnitTextBufferSize = 32;

// value converted from fromUnit to toUnit for the measure kind; unchanged when the units are the
// same or the pair has no conversion (code 4, most millimetre pairs, any other kind).
double ConvertVal(double value, int kind, int fromUnit, int toUnit);

// kRoundDown: floor; kRoundUp: ceiling; kRoundHalfUpTruncated: value + 0.5 truncated toward zero
// to a 32-bit integer (so -2.7 gives -2; values past the 32-bit range saturate, NaN gives 0);
// any other mode returns value unchanged.
double Round(double value, int mode);

// Joins a major and a minor part given in unit (feet and inches, metres and centimetres, or their
// squares) into one value and converts it to toUnit. 0.0 for a unit outside 0 to 3.
double UnitToDec(double whole, double minor, int kind, int unit, int toUnit);

// Converts value from fromUnit to toUnit and splits it into a major and a minor part of toUnit.
// A converted value of 0 leaves whole and minor as the caller set them. When the major part is 0
// the minor part carries the sign, so minus six inches reads 0 and -6.
void DecToUnit(double value, double& whole, double& minor, int kind, int fromUnit, int toUnit);

// Writes value, converted and split, as feet-and-inches text (5' 6") into buffer, which holds at
// least kUnitTextBufferSize characters, rounding to whole inches. With omitZero a zero part is
// left out (6" or 7'). Returns buffer (null when buffer is null).
char* FormatUnits(double value, char* buffer, int kind, int fromUnit, int toUnit, bool omitZero);

// Writes value with three decimals, then drops a final 0 digit (2.5 gives 2.50, 2.0 gives 2.00),
// into buffer of at least kUnitTextBufferSize characters. Returns buffer (null when it is null).
// A value too large for the buffer in that form is written as 1.235e+40.
char* FormatDouble(double value, char* buffer);

// Parses typed feet-and-inches text given in unit and returns it in toUnit: 5'6-1/2", 6" (inches
// alone), 5.6 (five feet six inches: the first decimal point in text is replaced by an
// apostrophe), or a bare number of feet. Unreadable numbers count as 0. 0.0 for a null text.
double UnitStringToDec(char* text, int kind, int unit, int toUnit);
