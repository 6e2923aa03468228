#include "settings/hostglobals.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>

#include "detail/fixedtext.h"
#include "geometry/point3d.h"
#include "platform/win32.h"
#include "settings/tgtransbuf.h"

namespace {

// Characters the exchange format does not accept in table names.
constexpr char kDxfNameReplaced[] = "!@#%^&*()+=|\\{[}]:;<,>.?/ `~\"'";

bool IsReplacedInDxfName(char c) {
  return c != '\0' && std::strchr(kDxfNameReplaced, c) != nullptr;
}

// The drawing settings are one unprotected record: the viewport and painting both run on the
// host's window thread.
struct DrawingSettings {
  double scale = 1.0;
  double stretch = 1.0;
  Point3D offset;
};

DrawingSettings& TheDrawingSettings() {
  static DrawingSettings settings;
  return settings;
}

constexpr int kUsualPixelsPerInch = 96;
int pixels_per_inch = kUsualPixelsPerInch;

// A text the host hands over: absent until set, and absent again after a null is set.
class HostText {
 public:
  const char* Get() const { return text_ ? text_->c_str() : nullptr; }
  const char* Set(const char* text) {
    // The new copy is made before the old one goes, so setting a text from its own getter works.
    if (text == nullptr) {
      text_.reset();
    } else {
      text_ = std::string(text);
    }
    return Get();
  }

 private:
  std::optional<std::string> text_;
};

// Every other value the host hands over, in one unprotected record (see DrawingSettings).
struct HostValues {
  int debug_mask = 0;
  bool debug_draw = false;
  bool ascii_export_enabled = false;
  int digitizing = 0;
  int rubber_banding = 1;
  int loading = 0;
  int segment_inflation = 0;
  TDefaults* program_defaults = nullptr;
  TGTransBuf* transfer_buffer = nullptr;
  int process_help = 1;
  HostText help_file_name;
  HostText ini_file_name;
  HostText app_name;
  HostText prog_dir;
  int drawing_units = 0;
  HWND main_window = nullptr;
  HWND drawing_window = nullptr;
  HINSTANCE app_instance = nullptr;
};

HostValues& TheHostValues() {
  static HostValues values;
  return values;
}

constexpr char kErrorCaption[] = "Error";
constexpr char kAppNameSuffix[] = " - Digitizer";
constexpr char kVersionPrefix[] = " v.";
constexpr char kVersion[] = "5.1.18.1";
// Appending; text mode is the C library's default, so line ends follow the platform.
constexpr char kDebugLogMode[] = "a+";
constexpr int kTGObjectAnswer = 42;

bool IsFolderSeparator(char c) {
  return c == '/' || c == '\\';
}

// The local time with its milliseconds, as the debug log writes it.
struct LogTime {
  std::tm calendar{};
  int milliseconds = 0;
};

LogTime LocalLogTime() {
  using std::chrono::system_clock;
  const system_clock::time_point now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  LogTime result;
  const auto since_second = now - system_clock::from_time_t(seconds);
  result.milliseconds =
      static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(since_second).count());
  if (result.milliseconds < 0 || result.milliseconds > 999) result.milliseconds = 0;
#ifdef _WIN32
  localtime_s(&result.calendar, &seconds);
#else
  localtime_r(&seconds, &result.calendar);
#endif
  return result;
}

}  // namespace

char* ConvertDXFName(const char* src, char* dst, size_t dstSize) {
  if (src == nullptr || dst == nullptr || dstSize == 0) return nullptr;
  size_t length = std::strlen(src);
  if (length > dstSize - 1) length = dstSize - 1;
  std::memmove(dst, src, length);
  dst[length] = '\0';
  for (size_t i = 0; i < length; ++i) {
    if (IsReplacedInDxfName(dst[i])) dst[i] = '_';
  }
  CharUpperBuffA(dst, static_cast<DWORD>(length));
  return dst;
}

char* ConvertDXFName(const char* src, char* dst) {
  if (src == nullptr || dst == nullptr) return nullptr;
  return ConvertDXFName(src, dst, std::strlen(src) + 1);
}

bool ValidateGuid(const char* text) {
  return text != nullptr && text[0] != '\0' && std::strstr(text, "000000") == nullptr;
}

void SetDrawingSettings(double scale, double stretch, const Point3D* offset) {
  DrawingSettings& settings = TheDrawingSettings();
  settings.scale = scale;
  settings.stretch = stretch;
  if (offset != nullptr) settings.offset = *offset;
}

void GetDrawingSettings(double* scale, double* stretch, Point3D* offset) {
  const DrawingSettings& settings = TheDrawingSettings();
  if (scale != nullptr) *scale = settings.scale;
  if (stretch != nullptr) *stretch = settings.stretch;
  if (offset != nullptr) *offset = settings.offset;
}

int GetLogPixelsInch() {
  return pixels_per_inch;
}

int SetLogPixelsInch() {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return pixels_per_inch;
  const int read = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  if (read > 0) pixels_per_inch = read;
  return pixels_per_inch;
}

int Debug() {
  return TheHostValues().debug_mask;
}

int Debug(int bits) {
  return TheHostValues().debug_mask |= bits;
}

bool DebugDraw() {
  return TheHostValues().debug_draw;
}

bool DebugDraw(bool on) {
  return TheHostValues().debug_draw = on;
}

bool TOAsciiExportEnabled() {
  return TheHostValues().ascii_export_enabled;
}

bool TOAsciiExportEnabled(bool on) {
  return TheHostValues().ascii_export_enabled = on;
}

int GetDigiDrawing() {
  return TheHostValues().digitizing;
}

int SetDigiDrawing(int on, int rubberBanding) {
  TheHostValues().rubber_banding = rubberBanding;
  return TheHostValues().digitizing = on;
}

int RubberBanding() {
  return TheHostValues().rubber_banding;
}

int RubberBanding(int n) {
  return TheHostValues().rubber_banding = n;
}

int GetIsLoading() {
  return TheHostValues().loading;
}

int SetIsLoading(int n) {
  return TheHostValues().loading = n;
}

int GetLWSegmentInflation() {
  return TheHostValues().segment_inflation;
}

int SetLWSegmentInflation(int n) {
  return TheHostValues().segment_inflation = n;
}

TDefaults* GetProgramDefaults() {
  return TheHostValues().program_defaults;
}

TDefaults* SetProgramDefaults(TDefaults* defaults) {
  return TheHostValues().program_defaults = defaults;
}

TGTransBuf* GetTransferBuffer() {
  return TheHostValues().transfer_buffer;
}

TGTransBuf* SetTransferBuffer(TGTransBuf* buffer) {
  return TheHostValues().transfer_buffer = buffer;
}

int GetProcessHelp() {
  return TheHostValues().process_help;
}

int SetProcessHelp(int n) {
  return TheHostValues().process_help = n;
}

const char* GetHelpFileName() {
  return TheHostValues().help_file_name.Get();
}

const char* SetHelpFileName(const char* name) {
  return TheHostValues().help_file_name.Set(name);
}

const char* GetIniFileName() {
  return TheHostValues().ini_file_name.Get();
}

const char* SetIniFileName(const char* name) {
  return TheHostValues().ini_file_name.Set(name);
}

const char* GetAppName() {
  return TheHostValues().app_name.Get();
}

const char* SetAppName(const char* name) {
  return TheHostValues().app_name.Set(name);
}

const char* GetProgDir() {
  return TheHostValues().prog_dir.Get();
}

const char* SetProgDir(const char* folder) {
  return TheHostValues().prog_dir.Set(folder);
}

int GetDrawingUnits() {
  return TheHostValues().drawing_units;
}

int SetDrawingUnits(int n) {
  return TheHostValues().drawing_units = n;
}

HWND GetMainHwnd() {
  return TheHostValues().main_window;
}

HWND SetMainHwnd(HWND window) {
  return TheHostValues().main_window = window;
}

HWND GetDrawingHwnd() {
  return TheHostValues().drawing_window;
}

HWND SetDrawingHwnd(HWND window) {
  return TheHostValues().drawing_window = window;
}

HINSTANCE GetAppInstance() {
  return TheHostValues().app_instance;
}

HINSTANCE SetAppInstance(HINSTANCE instance) {
  return TheHostValues().app_instance = instance;
}

int SetTGTransferBufferData(int flag, double value, int bank) {
  TGTransBuf* buffer = GetTransferBuffer();
  if (buffer == nullptr) return 0;
  buffer->SetData(flag, value, bank);
  return 1;
}

int SetTGTransferBufferDataStr(int flag, const char* text, int bank) {
  TGTransBuf* buffer = GetTransferBuffer();
  if (buffer == nullptr) return 0;
  buffer->SetDataStr(flag, text, bank);
  return 1;
}

char* ConvertDXFFont(const char* src, char* dst, size_t dstSize, int toExchange) {
  if (src == nullptr || dst == nullptr || dstSize == 0) return nullptr;
  size_t length = std::strlen(src);
  if (length > dstSize - 1) length = dstSize - 1;
  std::memmove(dst, src, length);
  dst[length] = '\0';
  const char from = toExchange != 0 ? ' ' : '_';
  const char to = toExchange != 0 ? '_' : ' ';
  for (size_t i = 0; i < length; ++i) {
    if (dst[i] == from) dst[i] = to;
  }
  if (toExchange != 0) CharUpperBuffA(dst, static_cast<DWORD>(length));
  return dst;
}

char* ConvertDXFFont(const char* src, char* dst, int toExchange) {
  if (src == nullptr || dst == nullptr) return nullptr;
  return ConvertDXFFont(src, dst, std::strlen(src) + 1, toExchange);
}

int ErrorMessage(const char* text, const char* caption) {
  return MessageBoxA(nullptr, text, caption != nullptr ? caption : kErrorCaption, MB_OK);
}

int DebugPrint(const char* fileName, const char* text) {
  if (fileName == nullptr) return 0;
  std::string path;
  const char* folder = GetProgDir();
  if (folder != nullptr && folder[0] != '\0') {
    path = folder;
    if (!IsFolderSeparator(path.back())) path += '/';
  }
  path += fileName;
  std::FILE* file = std::fopen(path.c_str(), kDebugLogMode);
  if (file == nullptr) return 0;
  const LogTime now = LocalLogTime();
  std::fprintf(file, "%i/%i/%i %i:%i:%i:%i %s\n", now.calendar.tm_mon + 1, now.calendar.tm_mday,
               now.calendar.tm_year + 1900, now.calendar.tm_hour, now.calendar.tm_min,
               now.calendar.tm_sec, now.milliseconds, text != nullptr ? text : "");
  std::fclose(file);
  return 1;
}

char* GetAppNameVersion(char* buffer, size_t size) {
  if (buffer == nullptr || size == 0) return nullptr;
  const char* name = GetAppName();
  std::string whole = name != nullptr ? name : "";
  whole += kAppNameSuffix;
  whole += kVersionPrefix;
  whole += kVersion;
  return CopyFixedText(buffer, size, whole.c_str());
}

char* GetAppNameVersion(char* buffer) {
  if (buffer == nullptr) return nullptr;
  const char* name = GetAppName();
  const size_t size = (name != nullptr ? std::strlen(name) : 0) + sizeof kAppNameSuffix +
                      sizeof kVersionPrefix + sizeof kVersion - 2;
  return GetAppNameVersion(buffer, size);
}

LoadProgressData::LoadProgressData(int n, const char* source) : count(n) {
  if (source == nullptr) return;
  const size_t size = std::strlen(source) + 1;
  text = new char[size];
  std::memcpy(text, source, size);
}

LoadProgressData::~LoadProgressData() {
  delete[] text;
}

int fnTGObject() {
  return kTGObjectAnswer;
}
