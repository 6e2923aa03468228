#pragma once
// A minimal entity for container tests: it carries a value, and a process-wide counter of live
// instances shows whether a list deleted, kept or copied its entities.

#include <new>

#include "entities/curve3d.h"

class TestCurve final : public Curve3D {
 public:
  explicit TestCurve(int value = 0) : value_(value) { ++live_; }
  TestCurve(const TestCurve& other) : Curve3D(other), value_(other.value_) { ++live_; }
  TestCurve& operator=(const TestCurve&) = delete;
  ~TestCurve() override { --live_; }

  Curve3D* Copy() override { return new (std::nothrow) TestCurve(*this); }

  int Value() const { return value_; }
  void Value(int value) { value_ = value; }

  static int Live() { return live_; }

 private:
  int value_;
  static inline int live_ = 0;
};

// The value of an entity known to be a TestCurve; -1 for null so a missing entity shows up in a
// comparison instead of crashing the test.
inline int ValueOf(const Curve3D* entity) {
  const auto* curve = static_cast<const TestCurve*>(entity);
  return curve != nullptr ? curve->Value() : -1;
}
