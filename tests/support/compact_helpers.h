#pragma once
// Small helpers that let one assertion cover several values:
//   EXPECT_EQ((TextList{so.GetGuid(), so.SortValue()}), (TextList{kGuidA, nullptr}));
//   ExpectNear({area, length}, {12.25, 5.0}, kTolerance);
// and a loop over both stream forms with the form in the failure message. Braced lists are
// evaluated left to right and each text is copied at once, so calls that change state or reuse
// one buffer may be listed in order.

#include <gtest/gtest.h>

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

// A copy of a C string that tells a null pointer apart from any text.
struct Text {
  Text(const char* s) : null(s == nullptr), text(s != nullptr ? s : "") {}  // NOLINT: implicit
  Text(const std::string& s) : null(false), text(s) {}                      // NOLINT: implicit
  bool operator==(const Text&) const = default;
  bool null;
  std::string text;
};
inline std::ostream& operator<<(std::ostream& os, const Text& t) {
  return t.null ? os << "<null>" : os << '"' << t.text << '"';
}
using TextList = std::vector<Text>;

// Every value within tolerance of its expected one, each reported by its position.
inline void ExpectNear(const std::vector<double>& got, const std::vector<double>& want,
                       double tolerance) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); ++i)
    EXPECT_NEAR(got[i], want[i], tolerance) << "value " << i;
}

// Runs check(binary) for the text form and then the binary form.
template <class Check>
void ForBothForms(Check check) {
  for (const bool binary : {false, true}) {
    SCOPED_TRACE(binary ? "binary" : "text");
    check(binary);
  }
}
