#include "settings/hostglobals.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/host.h"

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

namespace {

using TextGetter = const char* (*)();
using TextSetter = const char* (*)(const char*);

// Puts a host text back as it was when the guard was made.
class TextGuard {
 public:
  TextGuard(TextGetter get, TextSetter set) : set_(set) {
    if (const char* text = get()) saved_ = text;
  }
  ~TextGuard() { set_(saved_ ? saved_->c_str() : nullptr); }

 private:
  TextSetter set_;
  std::optional<std::string> saved_;
};

}  // namespace

TEST(HostGlobals, TextSettersKeepTheirOwnCopy) {
  const std::pair<TextGetter, TextSetter> texts[] = {{GetHelpFileName, SetHelpFileName},
                                                     {GetIniFileName, SetIniFileName},
                                                     {GetAppName, SetAppName},
                                                     {GetProgDir, SetProgDir}};
  for (const auto& [get, set] : texts) {
    TextGuard guard(get, set);
    char source[] = "first";
    const char* stored = set(source);
    ASSERT_NE(stored, nullptr);
    EXPECT_NE(stored, source);
    source[0] = 'x';
    EXPECT_STREQ(get(), "first");
    // Setting the stored text again must copy it before the old copy goes.
    EXPECT_STREQ(set(get()), "first");
    EXPECT_STREQ(set(""), "");
    EXPECT_EQ(set(nullptr), nullptr);
    EXPECT_EQ(get(), nullptr);
  }
}

TEST(HostGlobals, DigitizingSetsRubberBanding) {
  const int digitizing = GetDigiDrawing(), rubber = RubberBanding();
  EXPECT_EQ(rubber, 1);
  EXPECT_EQ(GetProcessHelp(), 1);
  EXPECT_EQ(SetDigiDrawing(1, 0), 1);
  EXPECT_EQ(RubberBanding(), 0);
  SetDigiDrawing(digitizing, rubber);
  EXPECT_EQ(fnTGObject(), 42);
}

TEST(HostGlobals, DebugMaskOnlyGainsBits) {
  // The mask can never be cleared, so it is changed in a child process only.
  EXPECT_EXIT(
      {
        const int before = Debug();
        Debug(1);
        const int after = Debug(4);
        std::_Exit(after == (before | 5) && Debug(0) == after ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

TEST(ConvertDXFFont, ConvertsBothWays) {
  char dst[32];
  EXPECT_STREQ(ConvertDXFFont("Roman simplex_b", dst, 1), "ROMAN_SIMPLEX_B");
  EXPECT_STREQ(ConvertDXFFont("ROMAN_SIMPLEX b", dst, 0), "ROMAN SIMPLEX b");
  EXPECT_STREQ(ConvertDXFFont("ab cd", dst, 3, 1), "AB");
  EXPECT_EQ(ConvertDXFFont(nullptr, dst, 1), nullptr);
}

TEST(HostGlobals, AppNameVersionAndErrorBox) {
  TextGuard guard(GetAppName, SetAppName);
  SetAppName("Tegolux");
  char buffer[64];
  EXPECT_STREQ(GetAppNameVersion(buffer), "Tegolux - Digitizer v.5.1.18.1");
  EXPECT_STREQ(GetAppNameVersion(buffer, 8), "Tegolux");

  struct Box {
    std::string caption;
    UINT flags = 99;
    HWND owner = reinterpret_cast<HWND>(1);
  } box;
  SetMessageBoxHandler(
      [](HWND owner, const char*, const char* caption, UINT flags, void* context) {
        auto* seen = static_cast<Box*>(context);
        *seen = {caption, flags, owner};
        return IDOK;
      },
      &box);
  EXPECT_EQ(ErrorMessage("bad", nullptr), IDOK);
  EXPECT_EQ(box.caption, "Error");
  EXPECT_EQ(box.flags, MB_OK);
  EXPECT_EQ(box.owner, nullptr);
  SetMessageBoxHandler(nullptr, nullptr);
}

TEST(HostGlobals, DebugPrintAppendsDatedLinesInTheProgramFolder) {
  TextGuard guard(GetProgDir, SetProgDir);
  const std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / "glb_debug";
  std::filesystem::create_directories(folder);
  std::filesystem::remove(folder / "trace.log");
  SetProgDir(folder.string().c_str());
  EXPECT_EQ(DebugPrint("trace.log", "first"), 1);
  EXPECT_EQ(DebugPrint("trace.log", "second"), 1);
  std::ifstream log(folder / "trace.log");
  for (const char* expected : {"first", "second"}) {
    std::string line;
    ASSERT_TRUE(std::getline(log, line));
    int month = 0, day = 0, year = 0, hour = -1, minute = -1, second = -1, ms = -1;
    char text[16] = {};
    ASSERT_EQ(std::sscanf(line.c_str(), "%d/%d/%d %d:%d:%d:%d %15s", &month, &day, &year, &hour,
                          &minute, &second, &ms, text),
              8)
        << line;
    EXPECT_TRUE(month >= 1 && month <= 12 && day >= 1 && day <= 31 && year >= 2000) << line;
    EXPECT_TRUE(hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && ms >= 0 && ms < 1000);
    EXPECT_STREQ(text, expected);
  }
  SetProgDir((folder / "missing").string().c_str());
  EXPECT_EQ(DebugPrint("trace.log", "lost"), 0);
  std::filesystem::remove_all(folder);
}

TEST(LoadProgressData, KeepsACopyOfTheText) {
  char text[] = "layers";
  LoadProgressData data(7, text);
  text[0] = 'X';
  EXPECT_EQ(data.count, 7);
  EXPECT_STREQ(data.text, "layers");
  EXPECT_EQ(LoadProgressData(1, nullptr).text, nullptr);
}
