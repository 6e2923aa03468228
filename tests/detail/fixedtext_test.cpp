#include "detail/fixedtext.h"

#include <gtest/gtest.h>

TEST(CopyFixedText, CutsToTheFieldAndTerminates) {
  char field[6];
  EXPECT_STREQ(CopyFixedText(field, "Roof A"), "Roof ");
  EXPECT_STREQ(CopyFixedText(field, "Hip"), "Hip");
  EXPECT_STREQ(CopyFixedText(field, nullptr), "");
}

TEST(CopyFixedText, OverlappingSourceIsSafe) {
  char field[8] = "abcdefg";
  EXPECT_STREQ(CopyFixedText(field, 8, field + 2), "cdefg");
}

TEST(CopyFixedText, ZeroSizeOrNullDestinationWritesNothing) {
  char field[2] = "x";
  EXPECT_EQ(CopyFixedText(field, 0, "abc"), field);
  EXPECT_STREQ(field, "x");
  EXPECT_EQ(CopyFixedText(nullptr, 4, "abc"), nullptr);
}
