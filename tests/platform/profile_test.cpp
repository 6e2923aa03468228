// The private-profile functions against small ini files in a fresh temporary folder.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/host.h"
#include "platform/win32.h"

namespace {

namespace fs = std::filesystem;

class PrivateProfile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("tegolux_profile_" + std::to_string(getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    SetWindowsDirectory(nullptr);
    fs::remove_all(folder_);
  }

  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
  void WriteRaw(const std::string& name, const std::string& text) const {
    std::ofstream(PathOf(name), std::ios::binary) << text;
  }
  std::string ReadRaw(const std::string& name) const {
    std::ifstream in(PathOf(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::string Get(const char* section, const char* key, const char* fallback,
                  const std::string& file) const {
    char buffer[128];
    GetPrivateProfileStringA(section, key, fallback, buffer, sizeof(buffer), file.c_str());
    return buffer;
  }
  int Int(const char* key, int fallback, const std::string& file) const {
    return static_cast<int>(GetPrivateProfileIntA("main", key, fallback, file.c_str()));
  }

  fs::path folder_;
};

constexpr const char* kReadSample =
    "; a comment\r\n"
    "[Main]\r\n"
    "  Name  =  \"  quoted value \"  \r\n"
    "name=second\r\n"
    "Count= 42abc\r\nNeg=-17\r\nPlus=+8\r\nHex=0x1F\r\nJunk=abc\r\nEmpty=\r\n"
    "Wrap=4294967297\r\nSingle='x'\r\nOdd=\"half\r\n"
    "[other]\r\n"
    ";hidden=1\r\n"
    "key=v\r\n";

TEST_F(PrivateProfile, ReadsWithWin32Rules) {
  WriteRaw("crlf.ini", kReadSample);
  const std::string file = PathOf("crlf.ini");
  // Case-blind names, the first key wins, blanks outside one pair of quotes trimmed.
  EXPECT_EQ(Get("MAIN", "NAME", "d", file), "  quoted value ");
  EXPECT_EQ(Get("main", "Single", "d", file), "x");
  EXPECT_EQ(Get("main", "Odd", "d", file), "\"half");
  EXPECT_EQ(Get("main", "Empty", "d", file), "");
  // Defaults: missing key, section and file; trailing blanks of the default dropped.
  EXPECT_EQ(Get("main", "nothing", "dflt  ", file), "dflt");
  EXPECT_EQ(Get("absent", "Name", nullptr, file), "");
  EXPECT_EQ(Get("main", "Name", "d", PathOf("missing.ini")), "d");
  EXPECT_EQ(Get("other", ";hidden", "d", file), "d");  // a comment is never a key

  // Results are cut to the buffer; the count excludes the terminator.
  char small[5] = "????";
  EXPECT_EQ(GetPrivateProfileStringA("main", "Name", "", small, 5, file.c_str()), 4u);
  EXPECT_STREQ(small, "  qu");
  char one[1] = {'?'};
  EXPECT_EQ(GetPrivateProfileStringA("main", "Name", "", one, 1, file.c_str()), 0u);
  EXPECT_EQ(one[0], '\0');
  EXPECT_EQ(GetPrivateProfileStringA("main", "Name", "", nullptr, 10, file.c_str()), 0u);

  // Lists: names each ending in a null, the list ending in one more.
  char list[32];
  EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "", list, sizeof(list), file.c_str()), 11u);
  EXPECT_EQ(std::string(list, 12), std::string("Main\0other\0\0", 12));
  EXPECT_EQ(GetPrivateProfileStringA("OTHER", nullptr, "", list, sizeof(list), file.c_str()), 4u);
  EXPECT_EQ(std::string(list, 5), std::string("key\0\0", 5));
  // Cut short: the last name truncated, still followed by two nulls; the count is size - 2.
  EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "", list, 8, file.c_str()), 6u);
  EXPECT_EQ(std::string(list, 8), std::string("Main\0o\0\0", 8));

  // The same text with bare line feeds reads the same.
  std::string unix_text = kReadSample;
  for (size_t at; (at = unix_text.find('\r')) != std::string::npos;)
    unix_text.erase(at, 1);
  WriteRaw("lf.ini", unix_text);
  EXPECT_EQ(Get("Main", "name", "d", PathOf("lf.ini")), "  quoted value ");
  EXPECT_EQ(Get("other", "key", "d", PathOf("lf.ini")), "v");
}

TEST_F(PrivateProfile, ReadsIntegersAsWin32Does) {
  WriteRaw("ints.ini", kReadSample);
  const std::string file = PathOf("ints.ini");
  EXPECT_EQ(Int("Count", 5, file), 42);  // stops at the first non-digit
  EXPECT_EQ(Int("Neg", 5, file), -17);
  EXPECT_EQ(Int("Plus", 5, file), 8);
  EXPECT_EQ(Int("Hex", 5, file), 31);
  EXPECT_EQ(Int("Junk", 5, file), 0);   // present but not a number
  EXPECT_EQ(Int("Empty", 5, file), 5);  // an empty value counts as missing
  EXPECT_EQ(Int("Wrap", 5, file), 1);   // 2^32 + 1 wraps to 1
  EXPECT_EQ(Int("missing", -3, file), -3);
  EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA(nullptr, "Count", 7, file.c_str())), 7);
}

TEST_F(PrivateProfile, WritesInPlaceKeepingEveryOtherLine) {
  WriteRaw("w.ini", "; top\n[a]\nx=1\n; about y\ny=2\n\n[b]\nz=3\n");
  const std::string file = PathOf("w.ini");
  EXPECT_TRUE(WritePrivateProfileStringA("A", "X", "10", file.c_str()));     // in place
  EXPECT_TRUE(WritePrivateProfileStringA("a", "new", "n", file.c_str()));    // after the last key
  EXPECT_TRUE(WritePrivateProfileStringA("c", "k", " v ", file.c_str()));    // new section
  EXPECT_TRUE(WritePrivateProfileStringA("b", "z", nullptr, file.c_str()));  // null value deletes
  EXPECT_TRUE(WritePrivateProfileStringA("b", "gone", nullptr, file.c_str()));
  EXPECT_EQ(ReadRaw("w.ini"), "; top\n[a]\nx=10\n; about y\ny=2\nnew=n\n\n[b]\n\n[c]\nk= v \n");
  EXPECT_EQ(Get("c", "k", "d", file), "v");

  // A null key deletes the whole section.
  EXPECT_TRUE(WritePrivateProfileStringA("a", nullptr, nullptr, file.c_str()));
  EXPECT_EQ(ReadRaw("w.ini"), "; top\n[b]\n\n[c]\nk= v \n");

  // A value is one line: a line break cannot smuggle in another key.
  EXPECT_TRUE(WritePrivateProfileStringA("c", "k", "v\r\n[evil]\r\nx=1", file.c_str()));
  EXPECT_EQ(Get("c", "k", "d", file), "v");
  EXPECT_EQ(Get("evil", "x", "d", file), "d");

  // Only the profile is left in the folder: the temporary files were renamed or removed.
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder_))
    ++entries;
  EXPECT_EQ(entries, 1);
}

TEST_F(PrivateProfile, CreatesFilesAndFindsThem) {
  // A new file uses Windows line ends; deleting from a missing file creates nothing.
  const std::string file = PathOf("new.ini");
  EXPECT_TRUE(WritePrivateProfileStringA("s", "k", nullptr, file.c_str()));
  EXPECT_FALSE(fs::exists(file));
  EXPECT_TRUE(WritePrivateProfileStringA("s", "k", "v", file.c_str()));
  EXPECT_EQ(ReadRaw("new.ini"), "[s]\r\nk=v\r\n");

  // Backslashes separate folders too.
  std::string backslashed = PathOf("new.ini");
  backslashed.replace(backslashed.rfind('/'), 1, "\\");
  EXPECT_EQ(Get("S", "K", "d", backslashed), "v");

  // A bare file name lives in the Windows directory.
  ASSERT_TRUE(SetWindowsDirectory(folder_.string().c_str()));
  EXPECT_TRUE(WritePrivateProfileStringA("w", "k", "here", "bare.ini"));
  EXPECT_EQ(Get("w", "k", "d", PathOf("bare.ini")), "here");
  EXPECT_EQ(Get("w", "k", "d", "bare.ini"), "here");

  // Failures: no folder to write into, no file name, no section.
  EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", PathOf("no/such/f.ini").c_str()));
  EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", ""));
  EXPECT_FALSE(WritePrivateProfileStringA(nullptr, "k", "v", file.c_str()));
  EXPECT_EQ(Get("s", "k", "d", ""), "d");
}

}  // namespace
