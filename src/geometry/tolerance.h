#pragma once
// The two tolerances of the geometry kernel. Every comparison in the engine that means "zero"
// or "the same point" goes through these.

// A coordinate whose absolute value is at most this is snapped to exactly 0.0.
inline constexpr double kSnapTolerance = 1e-12;

// Two points are the same point when each coordinate differs by at most this.
inline constexpr double kIdentTolerance = 1e-11;
