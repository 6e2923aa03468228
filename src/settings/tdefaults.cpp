// The program defaults: their starting values, and reading and writing them through the
// private-profile functions. Numbers are written and read without regard to the process locale.

#include "settings/tdefaults.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <system_error>

#include "detail/fixedtext.h"
#include "settings/hostglobals.h"

namespace {

constexpr const char* kMainSection = "main";
constexpr const char* kDefaultsSection = "defaults";
constexpr const char* kDigitizerSection = "digitizer";

constexpr const char* kDefaultProgDir = "C:\\Tegolux";
constexpr const char* kProfileFileName = "tegolux.ini";
constexpr const char* kFolderSeparator = "\\";
constexpr const char* kDrawingsFolder = "\\Drawings";
constexpr const char* kImagesFolder = "\\Photos";
constexpr const char* kEplansFolder = "\\Eplans";
constexpr const char* kTemplatesFolder = "\\Templates";
constexpr const char* kLibraryFile = "\\Symbols\\roof_5.sbl";
constexpr const char* kSmartObjectsFile = "\\tegolux_5.tpl";
constexpr const char* kTemplateFile = "\\Templates\\t8x14l.tgg";
constexpr const char* kDefaultSendWindow = "Quotara";
constexpr const char* kDefaultFontName = "Graphite Light";

// A digitizer scale that differs from its units' ratio by more than this rebuilds the units.
constexpr double kDigiScaleTolerance = 0.05;

// Numbers are written with four decimals in a field of at least six characters.
constexpr int kNumberDecimals = 4;
constexpr size_t kNumberWidth = 6;

// Room for a key list of the "defaults" section.
constexpr DWORD kKeyListSize = 4096;

// folder + middle + tail into a fixed field, cut to the field. dst must not be one of the parts.
template <size_t N>
void JoinPath(char (&dst)[N], const char* folder, const char* middle, const char* tail = "") {
  size_t length = 0;
  for (const char* part : {folder, middle, tail}) {
    const size_t room = N - 1 - length;
    const size_t take = std::min(std::strlen(part), room);
    std::memcpy(dst + length, part, take);
    length += take;
  }
  dst[length] = '\0';
}

bool FileExists(const char* path) {
  std::string name(path);
#ifndef _WIN32
  std::replace(name.begin(), name.end(), '\\', '/');
#endif
  std::error_code error;
  return !name.empty() && std::filesystem::is_regular_file(name, error);
}

int ClampToInt(long value) {
  return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

// Reads up to count integers the way sscanf's "%d" (base 10) or "%i" (base 0) does: stops at the
// first one that does not parse, leaving it and the rest unchanged.
void ScanInts(const char* text, int* values, int count, int base) {
  for (int i = 0; i < count; ++i) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, base);
    if (end == text) return;
    values[i] = ClampToInt(value);
    text = end;
  }
}

// The same for "%lf".
void ScanDoubles(const char* text, double* values, int count) {
  const char* const stop = text + std::strlen(text);
  for (int i = 0; i < count; ++i) {
    while (text < stop && std::strchr(" \t\r\n\v\f", *text) != nullptr)
      ++text;
    if (text < stop && *text == '+' && text + 1 < stop && text[1] != '-') ++text;
    double value = 0.0;
    const std::from_chars_result result = std::from_chars(text, stop, value);
    if (result.ec != std::errc{}) return;
    values[i] = value;
    text = result.ptr;
  }
}

std::string FormatNumber(double value) {
  char buffer[512];
  const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof(buffer), value,
                                                    std::chars_format::fixed, kNumberDecimals);
  std::string text = result.ec == std::errc{} ? std::string(buffer, result.ptr) : "0.0000";
  if (text.size() < kNumberWidth) text.insert(0, kNumberWidth - text.size(), ' ');
  return text;
}

std::string FormatNumbers(double first, double second) {
  return FormatNumber(first) + " " + FormatNumber(second);
}

std::string FormatInts(const int* values, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += ' ';
    text += std::to_string(values[i]);
  }
  return text;
}

// The digitizer's scale units must agree with its scale; when they do not (or give no ratio)
// they are rebuilt from the scale, unless the scale itself gives no units to rebuild.
void MatchDigitizerUnits(double scale, double units[2]) {
  if (units[1] != 0.0) {
    const double ratio = units[0] / units[1];
    if (std::isfinite(ratio) && std::fabs(scale - ratio) <= kDigiScaleTolerance) return;
  }
  if (scale == 0.0 || !std::isfinite(scale)) return;
  units[0] = 1.0;
  units[1] = 1.0 / scale;
}

// Reads keys of one profile file, each keeping the current value when the key is missing or
// its text does not parse.
class ProfileReader {
 public:
  explicit ProfileReader(const char* file) : file_(file) {}

  template <size_t N>
  void Text(const char* section, const char* key, char (&field)[N]) const {
    char value[N];
    GetPrivateProfileStringA(section, key, field, value, N, file_);
    CopyFixedText(field, value);
  }

  void Int(const char* section, const char* key, int& field) const {
    field = static_cast<int>(GetPrivateProfileIntA(section, key, field, file_));
  }

  void Ints(const char* section, const char* key, int* fields, int count, int base = 10) const {
    char value[kDefaultsPathSize];
    if (GetPrivateProfileStringA(section, key, "", value, sizeof(value), file_) == 0) return;
    ScanInts(value, fields, count, base);
  }

  void Point(const char* section, const char* key, POINT& point) const {
    int values[2] = {point.x, point.y};
    Ints(section, key, values, 2);
    point.x = values[0];
    point.y = values[1];
  }

  void Size(const char* section, const char* key, SIZE& size) const {
    int values[2] = {size.cx, size.cy};
    Ints(section, key, values, 2);
    size.cx = values[0];
    size.cy = values[1];
  }

  void Rect(const char* section, const char* key, RECT& rect) const {
    int values[4] = {rect.left, rect.top, rect.right, rect.bottom};
    Ints(section, key, values, 4, 0);
    rect = RECT{values[0], values[1], values[2], values[3]};
  }

  void Numbers(const char* section, const char* key, double* fields, int count) const {
    char value[kDefaultsPathSize];
    if (GetPrivateProfileStringA(section, key, "", value, sizeof(value), file_) == 0) return;
    ScanDoubles(value, fields, count);
  }

  void PlanPoint(const char* section, const char* key, Point3D& point) const {
    double values[2] = {point.x, point.y};
    Numbers(section, key, values, 2);
    point.x = values[0];
    point.y = values[1];
    point.z = 0.0;
  }

 private:
  const char* file_;
};

// Writes keys into one profile file and remembers whether every write succeeded.
class ProfileWriter {
 public:
  explicit ProfileWriter(const char* file) : file_(file) {}

  void Text(const char* section, const char* key, const char* value) {
    if (WritePrivateProfileStringA(section, key, value, file_) == FALSE) ok_ = false;
  }
  void Text(const char* section, const char* key, const std::string& value) {
    Text(section, key, value.c_str());
  }
  void Int(const char* section, const char* key, int value) {
    Text(section, key, std::to_string(value));
  }
  void Point(const char* section, const char* key, const POINT& point) {
    const int values[2] = {point.x, point.y};
    Text(section, key, FormatInts(values, 2));
  }
  void Size(const char* section, const char* key, const SIZE& size) {
    const int values[2] = {size.cx, size.cy};
    Text(section, key, FormatInts(values, 2));
  }
  void Rect(const char* section, const char* key, const RECT& rect) {
    const int values[4] = {rect.left, rect.top, rect.right, rect.bottom};
    Text(section, key, FormatInts(values, 4));
  }
  void Number(const char* section, const char* key, double value) {
    Text(section, key, FormatNumber(value));
  }
  void Numbers(const char* section, const char* key, double first, double second) {
    Text(section, key, FormatNumbers(first, second));
  }

  bool SectionHasKey(const char* section, const char* key) const {
    char list[kKeyListSize];
    const DWORD length = GetPrivateProfileStringA(section, nullptr, "", list, kKeyListSize, file_);
    for (DWORD at = 0; at < length; at += static_cast<DWORD>(std::strlen(list + at)) + 1)
      if (lstrcmpiA(list + at, key) == 0) return true;
    return false;
  }

  bool Ok() const { return ok_; }

 private:
  const char* file_;
  bool ok_ = true;
};

}  // namespace

TDefaults::TDefaults() {
  CopyFixedText(progDir, kDefaultProgDir);
  CopyFixedText(iniFileName, kProfileFileName);
  JoinPath(iniPath, progDir, kFolderSeparator, iniFileName);
  ResetDefaultPaths();
  CopyFixedText(sendWindow, kDefaultSendWindow);
  CopyFixedText(defaultFont, kDefaultFontName);

  showWindow = 3;
  windowPosX = 0;
  windowPosY = 0;
  windowWidth = 640;
  windowHeight = 480;
  save = 1;

  fontSize = 12;
  currentRoofReset = 0;
  generateRoofLabels = 1;
  promptForRoof = 1;
  pageSize = 1;
  dimSnap = 1;
  dimFeetInch = 1;
  displayFeetInch = 1;
  snap = 0;
  grid = 0;
  fixedGrid = 0;
  margin = 1;
  units = 0;
  ortho = 1;
  zoomInc = 20;
  zoomScrollDir = 1;
  lengthSnap = 0;
  orthoAngle = 15.0;
  lengthSnapUnit = 1.0;
  dimSnapDistance = 0.125;
  userScale = 0.025;
  scaleUnits[0] = 1.0;
  scaleUnits[1] = 40.0;
  snapUnit = Point3D(1.0, 1.0, 0.0);
  gridUnit = Point3D(20.0, 20.0, 0.0);

  segmentDialogPos = POINT{0, 0};
  propertyDialogPos = POINT{53, 73};
  symbolBrowserPos = POINT{136, 224};
  symbolBrowserSize = SIZE{176, 343};
  soBrowserPos = POINT{64, 106};
  soBrowserSize = SIZE{206, 466};
  sectionBrowserPos = POINT{53, 73};
  legendDlgPos = POINT{160, 105};
  legendDlgSize = SIZE{415, 449};
  imagePanDlgPos = POINT{70, 103};
  imagePanDlgSize = SIZE{219, 150};
  legendDlgShowWindow = 1;
  imageDlgShowWindow = 1;

  digiCom = 1;
  digiUnits = 0;
  digiScale = 0.25;
  digiScaleUnits[0] = 1.0;
  digiScaleUnits[1] = 4.0;
  digiMenu = RECT{0, 0, 0, 0};
  digiWorkspace = RECT{0, 0, 0, 0};
}

void TDefaults::ResetDefaultPaths() {
  JoinPath(lastDrawingDir, progDir, kDrawingsFolder);
  JoinPath(lastImageDir, progDir, kImagesFolder);
  JoinPath(lastEplanDir, progDir, kEplansFolder);
  JoinPath(lastTemplateDir, progDir, kTemplatesFolder);
  JoinPath(defaultLibrary, progDir, kLibraryFile);
  JoinPath(defaultSmartObjects, progDir, kSmartObjectsFile);
  CopyFixedText(smartObjectTemplates, defaultSmartObjects);
  JoinPath(defaultTemplate, progDir, kTemplateFile);
}

void TDefaults::FindProfile() {
  const char* module_dir = GetProgDir();
  const bool module_known = module_dir != nullptr && module_dir[0] != '\0';
  if (module_known) {
    JoinPath(iniPath, module_dir, kFolderSeparator, iniFileName);
    if (FileExists(iniPath)) return;
  }
  char windows_dir[kDefaultsPathSize] = "";
  const UINT length = GetWindowsDirectoryA(windows_dir, kDefaultsPathSize);
  if (length == 0 || length >= kDefaultsPathSize) windows_dir[0] = '\0';
  if (windows_dir[0] == '\0')
    CopyFixedText(iniPath, iniFileName);
  else
    JoinPath(iniPath, windows_dir, kFolderSeparator, iniFileName);
  if (FileExists(iniPath)) return;

  // A first run: the folders follow the module wherever it was installed.
  if (module_known && lstrcmpiA(progDir, module_dir) != 0) {
    CopyFixedText(progDir, module_dir);
    ResetDefaultPaths();
  }
  SaveProfile();
}

void TDefaults::LoadProfile() {
  try {
    FindProfile();
    ReadMain();
    ReadDefaults();
    ReadDigitizer();
  } catch (...) {
    // Whatever was read stays; the rest keeps its current value.
  }
}

void TDefaults::ReadMain() {
  const ProfileReader in(iniPath);
  in.Text(kMainSection, "ProgDir", progDir);
  // The folders' defaults follow the program folder just read.
  JoinPath(lastDrawingDir, progDir, kDrawingsFolder);
  JoinPath(lastImageDir, progDir, kImagesFolder);
  JoinPath(lastEplanDir, progDir, kEplansFolder);
  JoinPath(lastTemplateDir, progDir, kTemplatesFolder);
  in.Text(kMainSection, "LastDrawingDir", lastDrawingDir);
  in.Text(kMainSection, "LastImageDir", lastImageDir);
  in.Text(kMainSection, "LastEplanDir", lastEplanDir);
  in.Text(kMainSection, "LastTemplateDir", lastTemplateDir);
  in.Text(kMainSection, "DefaultLibrary", defaultLibrary);
  in.Text(kMainSection, "DefaultSmartObjects", defaultSmartObjects);
  CopyFixedText(smartObjectTemplates, defaultSmartObjects);
  in.Text(kMainSection, "DefaultTemplate", defaultTemplate);
  in.Text(kMainSection, "SendWindow", sendWindow);

  in.Int(kMainSection, "ShowWindow", showWindow);
  in.Int(kMainSection, "WindowPosX", windowPosX);
  in.Int(kMainSection, "WindowPosY", windowPosY);
  in.Int(kMainSection, "WindowWidth", windowWidth);
  in.Int(kMainSection, "WindowHeight", windowHeight);
  in.Int(kMainSection, "Save", save);

  in.Point(kMainSection, "SegmentDialogPos", segmentDialogPos);
  in.Point(kMainSection, "PropertyDialogPos", propertyDialogPos);
  in.Point(kMainSection, "SymbolBrowserPos", symbolBrowserPos);
  in.Size(kMainSection, "SymbolBrowserSize", symbolBrowserSize);
  in.Point(kMainSection, "SOBrowserPos", soBrowserPos);
  in.Size(kMainSection, "SOBrowserSize", soBrowserSize);
  in.Point(kMainSection, "SectionBrowserPos", sectionBrowserPos);
  in.Point(kMainSection, "LegendDlgPos", legendDlgPos);
  in.Size(kMainSection, "LegendDlgSize", legendDlgSize);
  in.Point(kMainSection, "ImagePanDlgPos", imagePanDlgPos);
  in.Size(kMainSection, "ImagePanDlgSize", imagePanDlgSize);
  in.Ints(kMainSection, "LegendDlgShowWindow", &legendDlgShowWindow, 1);
  in.Ints(kMainSection, "ImageDlgShowWindow", &imageDlgShowWindow, 1);
}

void TDefaults::ReadDefaults() {
  const ProfileReader in(iniPath);
  in.Int(kDefaultsSection, "FontSize", fontSize);
  in.Text(kDefaultsSection, "DefaultFont", defaultFont);
  in.Text(kDefaultsSection, "DefaultLibrary", defaultLibrary);
  in.Text(kDefaultsSection, "DefaultSmartObjects", defaultSmartObjects);
  CopyFixedText(smartObjectTemplates, defaultSmartObjects);
  in.Text(kDefaultsSection, "DefaultTemplate", defaultTemplate);

  in.Int(kDefaultsSection, "CurrentRoofReset", currentRoofReset);
  in.Int(kDefaultsSection, "GenerateRoofLabels", generateRoofLabels);
  in.Int(kDefaultsSection, "PromptForRoof", promptForRoof);
  in.Int(kDefaultsSection, "PageSize", pageSize);
  in.Int(kDefaultsSection, "DimSnap", dimSnap);
  in.Int(kDefaultsSection, "DimFeetInch", dimFeetInch);
  in.Int(kDefaultsSection, "DisplayFeetInch", displayFeetInch);
  in.Int(kDefaultsSection, "Snap", snap);
  in.Int(kDefaultsSection, "Grid", grid);
  in.Int(kDefaultsSection, "FixedGrid", fixedGrid);
  in.Int(kDefaultsSection, "Margin", margin);
  in.Int(kDefaultsSection, "Units", units);
  in.Int(kDefaultsSection, "Ortho", ortho);
  in.Int(kDefaultsSection, "ZoomInc", zoomInc);
  in.Int(kDefaultsSection, "ZoomScrollDir", zoomScrollDir);
  in.Int(kDefaultsSection, "LengthSnap", lengthSnap);

  in.Numbers(kDefaultsSection, "OrthoAngle", &orthoAngle, 1);
  in.Numbers(kDefaultsSection, "LengthSnapUnit", &lengthSnapUnit, 1);
  in.Numbers(kDefaultsSection, "DimSnapDistance", &dimSnapDistance, 1);
  in.Numbers(kDefaultsSection, "UserScale", &userScale, 1);
  in.Numbers(kDefaultsSection, "ScaleUnits", scaleUnits, 2);
  in.PlanPoint(kDefaultsSection, "SnapUnit", snapUnit);
  in.PlanPoint(kDefaultsSection, "GridUnit", gridUnit);
}

void TDefaults::ReadDigitizer() {
  const ProfileReader in(iniPath);
  in.Ints(kDigitizerSection, "DigiCom", &digiCom, 1);
  in.Ints(kDigitizerSection, "DigiUnits", &digiUnits, 1);
  in.Numbers(kDigitizerSection, "DigiScale", &digiScale, 1);
  in.Numbers(kDigitizerSection, "DigiScaleUnits", digiScaleUnits, 2);
  MatchDigitizerUnits(digiScale, digiScaleUnits);
  in.Rect(kDigitizerSection, "DigiMenu", digiMenu);
  in.Rect(kDigitizerSection, "DigiWorkspace", digiWorkspace);
}

bool TDefaults::SaveProfile() {
  try {
    const bool main_ok = WriteMain();
    const bool defaults_ok = WriteDefaults();
    const bool digitizer_ok = WriteDigitizer();
    return main_ok && defaults_ok && digitizer_ok;
  } catch (...) {
    return false;
  }
}

bool TDefaults::WriteDefaultFile(const char* key, const char* value) {
  ProfileWriter out(iniPath);
  out.Text(kMainSection, key, value);
  if (out.SectionHasKey(kDefaultsSection, key)) out.Text(kDefaultsSection, key, value);
  return out.Ok();
}

bool TDefaults::WriteMain() {
  ProfileWriter out(iniPath);
  out.Text(kMainSection, "ProgDir", progDir);
  out.Text(kMainSection, "LastDrawingDir", lastDrawingDir);
  out.Text(kMainSection, "LastImageDir", lastImageDir);
  out.Text(kMainSection, "LastEplanDir", lastEplanDir);
  out.Text(kMainSection, "LastTemplateDir", lastTemplateDir);
  bool ok = WriteDefaultFile("DefaultLibrary", defaultLibrary);
  ok = WriteDefaultFile("DefaultSmartObjects", defaultSmartObjects) && ok;
  ok = WriteDefaultFile("DefaultTemplate", defaultTemplate) && ok;
  out.Text(kMainSection, "SendWindow", sendWindow);

  out.Int(kMainSection, "ShowWindow", showWindow);
  out.Int(kMainSection, "WindowPosX", windowPosX);
  out.Int(kMainSection, "WindowPosY", windowPosY);
  out.Int(kMainSection, "WindowWidth", windowWidth);
  out.Int(kMainSection, "WindowHeight", windowHeight);
  out.Int(kMainSection, "Save", save);

  out.Point(kMainSection, "SegmentDialogPos", segmentDialogPos);
  out.Point(kMainSection, "PropertyDialogPos", propertyDialogPos);
  out.Point(kMainSection, "SymbolBrowserPos", symbolBrowserPos);
  out.Size(kMainSection, "SymbolBrowserSize", symbolBrowserSize);
  out.Point(kMainSection, "SOBrowserPos", soBrowserPos);
  out.Size(kMainSection, "SOBrowserSize", soBrowserSize);
  out.Point(kMainSection, "SectionBrowserPos", sectionBrowserPos);
  out.Point(kMainSection, "LegendDlgPos", legendDlgPos);
  out.Size(kMainSection, "LegendDlgSize", legendDlgSize);
  out.Point(kMainSection, "ImagePanDlgPos", imagePanDlgPos);
  out.Size(kMainSection, "ImagePanDlgSize", imagePanDlgSize);
  out.Int(kMainSection, "LegendDlgShowWindow", legendDlgShowWindow);
  out.Int(kMainSection, "ImageDlgShowWindow", imageDlgShowWindow);
  return out.Ok() && ok;
}

bool TDefaults::WriteDefaults() {
  ProfileWriter out(iniPath);
  out.Int(kDefaultsSection, "FontSize", fontSize);
  out.Text(kDefaultsSection, "DefaultFont", defaultFont);
  out.Int(kDefaultsSection, "CurrentRoofReset", currentRoofReset);
  out.Int(kDefaultsSection, "GenerateRoofLabels", generateRoofLabels);
  out.Int(kDefaultsSection, "PromptForRoof", promptForRoof);
  out.Int(kDefaultsSection, "PageSize", pageSize);
  out.Int(kDefaultsSection, "DimSnap", dimSnap);
  out.Int(kDefaultsSection, "DimFeetInch", dimFeetInch);
  out.Int(kDefaultsSection, "DisplayFeetInch", displayFeetInch);
  out.Int(kDefaultsSection, "Snap", snap);
  out.Int(kDefaultsSection, "Grid", grid);
  out.Int(kDefaultsSection, "FixedGrid", fixedGrid);
  out.Int(kDefaultsSection, "Margin", margin);
  out.Int(kDefaultsSection, "Units", units);
  out.Int(kDefaultsSection, "Ortho", ortho);
  out.Int(kDefaultsSection, "ZoomInc", zoomInc);
  out.Int(kDefaultsSection, "ZoomScrollDir", zoomScrollDir);
  out.Int(kDefaultsSection, "LengthSnap", lengthSnap);

  out.Number(kDefaultsSection, "OrthoAngle", orthoAngle);
  out.Number(kDefaultsSection, "LengthSnapUnit", lengthSnapUnit);
  out.Number(kDefaultsSection, "DimSnapDistance", dimSnapDistance);
  out.Number(kDefaultsSection, "UserScale", userScale);
  out.Numbers(kDefaultsSection, "ScaleUnits", scaleUnits[0], scaleUnits[1]);
  out.Numbers(kDefaultsSection, "SnapUnit", snapUnit.x, snapUnit.y);
  out.Numbers(kDefaultsSection, "GridUnit", gridUnit.x, gridUnit.y);
  return out.Ok();
}

bool TDefaults::WriteDigitizer() {
  ProfileWriter out(iniPath);
  out.Int(kDigitizerSection, "DigiCom", digiCom);
  out.Int(kDigitizerSection, "DigiUnits", digiUnits);
  out.Number(kDigitizerSection, "DigiScale", digiScale);
  out.Numbers(kDigitizerSection, "DigiScaleUnits", digiScaleUnits[0], digiScaleUnits[1]);
  out.Rect(kDigitizerSection, "DigiMenu", digiMenu);
  out.Rect(kDigitizerSection, "DigiWorkspace", digiWorkspace);
  return out.Ok();
}

bool TDefaults::SaveLibName() {
  try {
    return WriteDefaultFile("DefaultLibrary", defaultLibrary);
  } catch (...) {
    return false;
  }
}

bool TDefaults::SaveLastDir() {
  try {
    ProfileWriter out(iniPath);
    out.Text(kMainSection, "LastDrawingDir", lastDrawingDir);
    return out.Ok();
  } catch (...) {
    return false;
  }
}
