// The program defaults: starting values, finding or creating the profile, and the round trip
// through it. Module and Windows folders are fresh temporary folders.

#include "settings/tdefaults.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "detail/fixedtext.h"
#include "platform/host.h"
#include "settings/hostglobals.h"

namespace {

namespace fs = std::filesystem;

class ProgramDefaults : public ::testing::Test {
 protected:
  void SetUp() override {
    if (GetProgDir() != nullptr) saved_prog_dir_ = GetProgDir();
    root_ = fs::temp_directory_path() /
            ("tegolux_defaults_" + std::to_string(getpid()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "module");
    fs::create_directories(root_ / "win");
    module_ = (root_ / "module").string();
    win_ = (root_ / "win").string();
    SetProgDir(module_.c_str());
    SetWindowsDirectory(win_.c_str());
  }
  void TearDown() override {
    SetProgDir(saved_prog_dir_ ? saved_prog_dir_->c_str() : nullptr);
    SetWindowsDirectory(nullptr);
    fs::remove_all(root_);
  }

  std::string Value(const char* section, const char* key, const std::string& file) const {
    char buffer[256];
    GetPrivateProfileStringA(section, key, "<none>", buffer, sizeof(buffer), file.c_str());
    return buffer;
  }

  std::optional<std::string> saved_prog_dir_;
  fs::path root_;
  std::string module_;
  std::string win_;
};

TEST_F(ProgramDefaults, StartValuesAndFreshInstallation) {
  TDefaults d;
  EXPECT_STREQ(d.iniPath, "C:\\Tegolux\\tegolux.ini");
  EXPECT_STREQ(d.defaultTemplate, "C:\\Tegolux\\Templates\\t8x14l.tgg");

  // No profile anywhere: it is created in the Windows folder, the folders follow the module.
  d.LoadProfile();
  const std::string created = win_ + "\\tegolux.ini";
  EXPECT_STREQ(d.iniPath, created.c_str());
  EXPECT_TRUE(fs::exists(root_ / "win" / "tegolux.ini"));
  EXPECT_FALSE(fs::exists(root_ / "module" / "tegolux.ini"));
  EXPECT_STREQ(d.progDir, module_.c_str());
  EXPECT_EQ(d.lastImageDir, module_ + "\\Photos");
  EXPECT_EQ(d.defaultLibrary, module_ + "\\Symbols\\roof_5.sbl");
  EXPECT_EQ(d.defaultSmartObjects, module_ + "\\tegolux_5.tpl");
  EXPECT_STREQ(d.smartObjectTemplates, d.defaultSmartObjects);
  EXPECT_STREQ(d.defaultFont, "Graphite Light");
  EXPECT_EQ(d.windowWidth, 640);
  EXPECT_EQ(d.symbolBrowserSize.cy, 343);
  EXPECT_DOUBLE_EQ(d.scaleUnits[1], 40.0);
  EXPECT_DOUBLE_EQ(d.digiScaleUnits[1], 4.0);

  // Written formats: four decimals in at least six characters, integers as "%d".
  EXPECT_EQ(Value("defaults", "OrthoAngle", created), "15.0000");
  EXPECT_EQ(Value("defaults", "DimSnapDistance", created), "0.1250");
  EXPECT_EQ(Value("defaults", "ScaleUnits", created), "1.0000 40.0000");
  EXPECT_EQ(Value("main", "PropertyDialogPos", created), "53 73");
  EXPECT_EQ(Value("digitizer", "DigiMenu", created), "0 0 0 0");
  EXPECT_EQ(Value("main", "ProgDir", created), module_);
}

TEST_F(ProgramDefaults, SaveAndLoadRoundTrip) {
  TDefaults d;
  d.LoadProfile();
  d.windowPosX = -12;
  d.orthoAngle = 22.5;
  d.scaleUnits[1] = 96.0;
  d.snapUnit = Point3D(0.5, 0.25, 0.0);
  d.digiScale = 0.5;
  d.digiScaleUnits[1] = 2.0;
  d.digiWorkspace = RECT{1, 2, 3, 4};
  d.units = 3;
  CopyFixedText(d.defaultFont, "Arial Narrow");
  CopyFixedText(d.lastImageDir, "D:\\Pics");
  ASSERT_TRUE(d.SaveProfile());

  TDefaults e;
  e.LoadProfile();
  EXPECT_STREQ(e.iniPath, d.iniPath);
  EXPECT_EQ(e.windowPosX, -12);
  EXPECT_DOUBLE_EQ(e.orthoAngle, 22.5);
  EXPECT_DOUBLE_EQ(e.scaleUnits[1], 96.0);
  EXPECT_DOUBLE_EQ(e.snapUnit.y, 0.25);
  EXPECT_DOUBLE_EQ(e.digiScaleUnits[1], 2.0);
  EXPECT_EQ(e.digiWorkspace.bottom, 4);
  EXPECT_EQ(e.units, 3);
  EXPECT_STREQ(e.defaultFont, "Arial Narrow");
  EXPECT_STREQ(e.lastImageDir, "D:\\Pics");

  // A profile beside the module is preferred to the one in the Windows folder.
  std::ofstream(root_ / "module" / "tegolux.ini") << "[main]\nWindowWidth=800\n";
  TDefaults f;
  f.LoadProfile();
  EXPECT_EQ(f.iniPath, module_ + "\\tegolux.ini");
  EXPECT_EQ(f.windowWidth, 800);
  EXPECT_EQ(f.windowPosX, 0);

  // A profile that cannot be written reports it.
  CopyFixedText(f.iniPath, (root_ / "missing" / "x.ini").string().c_str());
  EXPECT_FALSE(f.SaveProfile());
}

TEST_F(ProgramDefaults, ReadingRules) {
  const std::string file = win_ + "/tegolux.ini";
  std::ofstream(file)
      << "[main]\nProgDir=E:\\Roofs\nDefaultTemplate=main.tgg\n"
         "DefaultSmartObjects=so.tpl\n"
         "[defaults]\nDefaultTemplate=defaults.tgg\nOrthoAngle=abc\nScaleUnits=2.5\n"
         "[digitizer]\nDigiScale=0.5\nDigiScaleUnits=1.0 4.0\nDigiMenu=0x10 -5 7\n";
  TDefaults d;
  d.LoadProfile();
  EXPECT_STREQ(d.defaultTemplate, "defaults.tgg");  // the "defaults" section wins
  EXPECT_STREQ(d.smartObjectTemplates, "so.tpl");
  EXPECT_STREQ(d.lastDrawingDir, "E:\\Roofs\\Drawings");  // built from the folder just read
  EXPECT_DOUBLE_EQ(d.orthoAngle, 15.0);                   // unreadable: unchanged
  EXPECT_DOUBLE_EQ(d.scaleUnits[0], 2.5);                 // a partial pair keeps the rest
  EXPECT_DOUBLE_EQ(d.scaleUnits[1], 40.0);
  EXPECT_DOUBLE_EQ(d.digiScaleUnits[1], 2.0);  // 1/4 is not 0.5: rebuilt from the scale
  EXPECT_EQ(d.digiMenu.left, 16);
  EXPECT_EQ(d.digiMenu.top, -5);
  EXPECT_EQ(d.digiMenu.right, 7);

  // A save keeps the "defaults" copy current, so the new value is what comes back.
  CopyFixedText(d.defaultTemplate, "t2.tgg");
  ASSERT_TRUE(d.SaveProfile());
  TDefaults e;
  e.LoadProfile();
  EXPECT_STREQ(e.defaultTemplate, "t2.tgg");

  // The single-key saves write nothing else.
  const std::string only = (root_ / "only.ini").string();
  CopyFixedText(e.iniPath, only.c_str());
  CopyFixedText(e.defaultLibrary, "lib.sbl");
  CopyFixedText(e.lastDrawingDir, "F:\\Jobs");
  ASSERT_TRUE(e.SaveLibName());
  ASSERT_TRUE(e.SaveLastDir());
  char list[64];
  EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "", list, sizeof(list), only.c_str()), 5u);
  EXPECT_STREQ(list, "main");
  EXPECT_EQ(Value("main", "DefaultLibrary", only), "lib.sbl");
  EXPECT_EQ(Value("main", "LastDrawingDir", only), "F:\\Jobs");
  EXPECT_EQ(Value("main", "ProgDir", only), "<none>");
}

}  // namespace
