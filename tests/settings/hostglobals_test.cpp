#include "settings/hostglobals.h"

#include <gtest/gtest.h>

#include <string>

TEST(ConvertDXFName, ReplacesBlanksAndDotsAndUpperCases) {
  char dst[32];
  EXPECT_STREQ(ConvertDXFName("my layer.1", dst), "MY_LAYER_1");
}

TEST(ConvertDXFName, ReplacesEveryCharacterOfTheSet) {
  const std::string replaced = "!@#%^&*()+=|\\{[}]:;<,>.?/ `~\"'";
  char dst[64];
  ConvertDXFName(replaced.c_str(), dst);
  EXPECT_EQ(std::string(dst), std::string(replaced.size(), '_'));
}

TEST(ConvertDXFName, KeepsCharactersOutsideTheSet) {
  char dst[64];
  // Dollar, minus and underscore are legal in exchange-format names; bytes above 127 are left
  // as they are (upper-casing is ASCII only).
  EXPECT_STREQ(ConvertDXFName("$format-a_b9\xe9", dst), "$FORMAT-A_B9\xe9");
}

TEST(ConvertDXFName, WorksInPlace) {
  char name[] = "roof a";
  EXPECT_EQ(ConvertDXFName(name, name), name);
  EXPECT_STREQ(name, "ROOF_A");
}

TEST(ConvertDXFName, SizedFormCutsToTheBuffer) {
  char dst[5];
  EXPECT_STREQ(ConvertDXFName("abc.defgh", dst, sizeof dst), "ABC_");
  EXPECT_EQ(ConvertDXFName("abc", dst, 0), nullptr);
}

TEST(ConvertDXFName, NullArgumentsGiveNull) {
  char dst[4] = "x";
  EXPECT_EQ(ConvertDXFName(nullptr, dst), nullptr);
  EXPECT_STREQ(dst, "x");
  EXPECT_EQ(ConvertDXFName("a", nullptr), nullptr);
}

TEST(ConvertDXFName, EmptyNameStaysEmpty) {
  char dst[4] = "zz";
  EXPECT_STREQ(ConvertDXFName("", dst), "");
}

TEST(ValidateGuid, RejectsNullEmptyAndSixZeros) {
  EXPECT_FALSE(ValidateGuid(nullptr));
  EXPECT_FALSE(ValidateGuid(""));
  EXPECT_FALSE(ValidateGuid("{00000000-0000-0000-0000-000000000000}"));
  EXPECT_FALSE(ValidateGuid("{12345678-9ABC-DEF0-1234-567000000ABC}"));
  EXPECT_TRUE(ValidateGuid("{12345678-9ABC-DEF0-1234-56700000ABCD}"));
  EXPECT_TRUE(ValidateGuid("x"));
}
