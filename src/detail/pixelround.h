#pragma once
// Doubles turned into the 32-bit integers of screen coordinates. A hostile coordinate must not
// make the conversion undefined, so values are held inside the 32-bit range and NaN gives 0.

#include <cmath>
#include <limits>

// Toward zero.
inline int TruncToInt(double v) {
  if (std::isnan(v)) return 0;
  constexpr double kMin = std::numeric_limits<int>::min();
  constexpr double kMax = std::numeric_limits<int>::max();
  if (v <= kMin) return std::numeric_limits<int>::min();
  if (v >= kMax) return std::numeric_limits<int>::max();
  return static_cast<int>(v);
}

// The pixel rounding of the coordinate mapping: add 0.5, then truncate toward zero.
inline int RoundPixel(double v) {
  return TruncToInt(v + 0.5);
}
