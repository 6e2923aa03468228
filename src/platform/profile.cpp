// The Win32 private-profile functions over ini files: reading strings and integers, and writing
// or deleting keys and sections. A write rewrites the whole file through a temporary file in the
// same folder, so a failure part way never leaves a half-written profile behind.

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/win32.h"

#ifndef _WIN32

#include <unistd.h>

namespace {

// The pieces one after another. Built by appending: GCC 12 warns wrongly (-Wrestrict) about
// operator+ on a literal and a string at -O3.
template <typename... Pieces>
std::string Joined(const Pieces&... pieces) {
  std::string out;
  (out.append(pieces), ...);
  return out;
}

// Files this layer creates use the Windows line end so that they read the same everywhere;
// existing files keep the line end of their first line.
constexpr std::string_view kWindowsLineEnd = "\r\n";
constexpr std::string_view kUnixLineEnd = "\n";
constexpr char kCommentMark = ';';

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

// One pair of matching quotes around a value is not part of it.
std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

// Names and values are single lines: anything from a line break on would become lines of its own.
std::string_view FirstLine(const char* text) {
  const std::string_view all(text);
  return all.substr(0, all.find_first_of("\r\n"));
}

enum class LineKind { kOther, kSection, kKey };

struct ParsedLine {
  LineKind kind = LineKind::kOther;
  std::string_view name;
  std::string_view value;
};

// Blank lines, comments and lines without '=' outside a header are kept but never match.
ParsedLine ParseLine(std::string_view line) {
  ParsedLine parsed;
  const std::string_view text = Trim(line);
  if (text.empty() || text.front() == kCommentMark) return parsed;
  if (text.front() == '[') {
    const std::string_view inside = text.substr(1);
    parsed.kind = LineKind::kSection;
    parsed.name = Trim(inside.substr(0, inside.find(']')));
    return parsed;
  }
  const size_t equals = text.find('=');
  if (equals == std::string_view::npos) return parsed;
  parsed.kind = LineKind::kKey;
  parsed.name = Trim(text.substr(0, equals));
  parsed.value = Trim(text.substr(equals + 1));
  return parsed;
}

// A profile held as its lines (without line ends) so that a write changes only the lines it must.
struct Profile {
  std::vector<std::string> lines;
  std::string_view line_end = kWindowsLineEnd;
};

// A section: its header line and the line after its last line.
struct SectionRange {
  size_t header = std::string::npos;
  size_t end = std::string::npos;
  bool Found() const { return header != std::string::npos; }
};

bool HasFolder(std::string_view name) {
  return name.find_first_of("/\\") != std::string_view::npos ||
         (name.size() >= 2 && name[1] == ':');
}

// A bare file name lives in the Windows directory; either separator names a folder.
std::string ResolvePath(const char* file_name) {
  std::string path(file_name);
  if (!HasFolder(path)) {
    char folder[MAX_PATH] = "";
    const UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
    if (length > 0 && length < MAX_PATH) path = Joined(std::string_view(folder), "/", path);
  }
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

bool UsableFileName(const char* file_name) {
  return file_name != nullptr && file_name[0] != '\0';
}

enum class ReadResult { kRead, kMissing, kFailed };

// A missing file reads as an empty profile; one that exists but cannot be read must not be
// written over with what little a write would put in it.
ReadResult ReadProfile(const std::string& path, Profile& profile) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::error_code error;
    const bool exists = std::filesystem::exists(path, error);
    return exists || error ? ReadResult::kFailed : ReadResult::kMissing;
  }
  const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return ReadResult::kFailed;
  size_t start = 0;
  while (start < content.size()) {
    size_t stop = content.find('\n', start);
    if (stop == std::string::npos) stop = content.size();
    std::string line = content.substr(start, stop - start);
    const bool carriage_return = !line.empty() && line.back() == '\r';
    if (carriage_return) line.pop_back();
    if (profile.lines.empty() && stop < content.size())
      profile.line_end = carriage_return ? kWindowsLineEnd : kUnixLineEnd;
    profile.lines.push_back(std::move(line));
    start = stop + 1;
  }
  return ReadResult::kRead;
}

std::string TemporaryName(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  return Joined(path, ".tmp", std::to_string(static_cast<long>(getpid())), "-",
                std::to_string(counter.fetch_add(1)));
}

bool SaveProfile(const std::string& path, const Profile& profile) {
  const std::string temporary = TemporaryName(path);
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    for (const std::string& line : profile.lines) {
      out.write(line.data(), static_cast<std::streamsize>(line.size()));
      out.write(profile.line_end.data(), static_cast<std::streamsize>(profile.line_end.size()));
    }
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (!error) return true;
  std::error_code ignored;
  std::filesystem::remove(temporary, ignored);
  return false;
}

// The first section of that name; later sections of the same name are never consulted.
SectionRange FindSection(const Profile& profile, std::string_view section) {
  SectionRange range;
  for (size_t i = 0; i < profile.lines.size(); ++i) {
    const ParsedLine line = ParseLine(profile.lines[i]);
    if (line.kind != LineKind::kSection) continue;
    if (range.Found()) {
      range.end = i;
      return range;
    }
    if (SameName(line.name, section)) range.header = i;
  }
  if (range.Found()) range.end = profile.lines.size();
  return range;
}

size_t FindKey(const Profile& profile, const SectionRange& range, std::string_view key) {
  for (size_t i = range.header + 1; i < range.end; ++i) {
    const ParsedLine line = ParseLine(profile.lines[i]);
    if (line.kind == LineKind::kKey && SameName(line.name, key)) return i;
  }
  return std::string::npos;
}

DWORD CopyValue(std::string_view value, LPSTR buffer, DWORD size) {
  const size_t length = std::min<size_t>(value.size(), size - 1);
  if (length > 0) std::memcpy(buffer, value.data(), length);
  buffer[length] = '\0';
  return static_cast<DWORD>(length);
}

// A list of names, each ending with a null, the list with one more. Cut short, the last name is
// truncated and still followed by two nulls, and the count is size - 2, as Win32 does.
DWORD CopyList(const std::vector<std::string_view>& names, LPSTR buffer, DWORD size) {
  std::string joined;
  for (std::string_view name : names) {
    joined.append(name);
    joined.push_back('\0');
  }
  if (joined.size() + 1 <= size) {
    if (!joined.empty()) std::memcpy(buffer, joined.data(), joined.size());
    buffer[joined.size()] = '\0';
    if (joined.empty() && size >= 2) buffer[1] = '\0';
    return static_cast<DWORD>(joined.size());
  }
  if (size < 2) {
    buffer[0] = '\0';
    return 0;
  }
  std::memcpy(buffer, joined.data(), size - 2);
  buffer[size - 2] = '\0';
  buffer[size - 1] = '\0';
  return size - 2;
}

std::vector<std::string_view> SectionNames(const Profile& profile) {
  std::vector<std::string_view> names;
  for (const std::string& text : profile.lines) {
    const ParsedLine line = ParseLine(text);
    if (line.kind == LineKind::kSection) names.push_back(line.name);
  }
  return names;
}

std::vector<std::string_view> KeyNames(const Profile& profile, const SectionRange& range) {
  std::vector<std::string_view> names;
  if (!range.Found()) return names;
  for (size_t i = range.header + 1; i < range.end; ++i) {
    const ParsedLine line = ParseLine(profile.lines[i]);
    if (line.kind == LineKind::kKey) names.push_back(line.name);
  }
  return names;
}

// The value of the key, unquoted, or false when the file, section or key is missing.
bool LookUpValue(LPCSTR section, LPCSTR key, LPCSTR file_name, std::string& value) {
  if (section == nullptr || key == nullptr || !UsableFileName(file_name)) return false;
  Profile profile;
  if (ReadProfile(ResolvePath(file_name), profile) != ReadResult::kRead) return false;
  const SectionRange range = FindSection(profile, section);
  if (!range.Found()) return false;
  const size_t line = FindKey(profile, range, key);
  if (line == std::string::npos) return false;
  value = Unquote(ParseLine(profile.lines[line]).value);
  return true;
}

// Integers read the way Win32 converts them: an optional sign, an optional 0x, 0o or 0b base
// prefix, digits up to the first character that is not one, and wrap-around past 32 bits.
UINT ParseProfileInteger(std::string_view text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  unsigned base = 10;
  if (i + 1 < text.size() && text[i] == '0') {
    const char prefix = LowerAscii(text[i + 1]);
    base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 10;
    if (base != 10) i += 2;
  }
  uint32_t result = 0;
  for (; i < text.size(); ++i) {
    const char c = LowerAscii(text[i]);
    unsigned digit = base;
    if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
    if (digit >= base) break;
    result = result * base + digit;
  }
  return negative ? 0u - result : result;
}

BOOL DeleteSection(Profile& profile, const SectionRange& range, const std::string& path) {
  if (!range.Found()) return TRUE;
  profile.lines.erase(profile.lines.begin() + static_cast<std::ptrdiff_t>(range.header),
                      profile.lines.begin() + static_cast<std::ptrdiff_t>(range.end));
  return SaveProfile(path, profile) ? TRUE : FALSE;
}

BOOL DeleteKey(Profile& profile, const SectionRange& range, std::string_view key,
               const std::string& path) {
  if (!range.Found()) return TRUE;
  const size_t line = FindKey(profile, range, key);
  if (line == std::string::npos) return TRUE;
  profile.lines.erase(profile.lines.begin() + static_cast<std::ptrdiff_t>(line));
  return SaveProfile(path, profile) ? TRUE : FALSE;
}

// Replaces the key's line in place, or adds it after the section's last key (after the header
// for a section without keys), or appends a new section at the end of the file.
void PutKey(Profile& profile, std::string_view section, std::string_view key,
            std::string_view value) {
  const SectionRange range = FindSection(profile, section);
  if (!range.Found()) {
    if (!profile.lines.empty() && !Trim(profile.lines.back()).empty()) profile.lines.emplace_back();
    profile.lines.push_back(Joined("[", section, "]"));
    profile.lines.push_back(Joined(key, "=", value));
    return;
  }
  const size_t existing = FindKey(profile, range, key);
  if (existing != std::string::npos) {
    // The key keeps the spelling the file gave it.
    const std::string name(ParseLine(profile.lines[existing]).name);
    profile.lines[existing] = Joined(name, "=", value);
    return;
  }
  size_t insert_at = range.header + 1;
  for (size_t i = range.header + 1; i < range.end; ++i)
    if (ParseLine(profile.lines[i]).kind == LineKind::kKey) insert_at = i + 1;
  profile.lines.insert(profile.lines.begin() + static_cast<std::ptrdiff_t>(insert_at),
                       Joined(key, "=", value));
}

}  // namespace

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR default_value, LPSTR buffer,
                               DWORD size, LPCSTR file_name) {
  if (buffer == nullptr || size == 0) return 0;
  try {
    Profile profile;
    if (UsableFileName(file_name)) ReadProfile(ResolvePath(file_name), profile);
    if (section == nullptr) return CopyList(SectionNames(profile), buffer, size);
    const SectionRange range = FindSection(profile, section);
    if (key == nullptr) return CopyList(KeyNames(profile, range), buffer, size);
    if (range.Found()) {
      const size_t line = FindKey(profile, range, key);
      if (line != std::string::npos)
        return CopyValue(Unquote(ParseLine(profile.lines[line]).value), buffer, size);
    }
    // Win32 drops trailing blanks from the default.
    std::string_view fallback = default_value == nullptr ? "" : default_value;
    while (!fallback.empty() && IsBlank(fallback.back()))
      fallback.remove_suffix(1);
    return CopyValue(fallback, buffer, size);
  } catch (...) {
    buffer[0] = '\0';
    return 0;
  }
}

UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, int default_value, LPCSTR file_name) {
  const UINT fallback = static_cast<UINT>(default_value);
  try {
    std::string value;
    if (!LookUpValue(section, key, file_name, value) || value.empty()) return fallback;
    return ParseProfileInteger(value);
  } catch (...) {
    return fallback;
  }
}

BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file_name) {
  // With everything null Win32 only flushes its cache, and nothing is cached here.
  if (section == nullptr) return key == nullptr && value == nullptr ? TRUE : FALSE;
  if (!UsableFileName(file_name)) return FALSE;
  try {
    const std::string path = ResolvePath(file_name);
    Profile profile;
    if (ReadProfile(path, profile) == ReadResult::kFailed) return FALSE;
    const std::string_view section_name = FirstLine(section);
    if (key == nullptr) return DeleteSection(profile, FindSection(profile, section_name), path);
    const std::string_view key_name = FirstLine(key);
    if (value == nullptr)
      return DeleteKey(profile, FindSection(profile, section_name), key_name, path);
    PutKey(profile, section_name, key_name, FirstLine(value));
    return SaveProfile(path, profile) ? TRUE : FALSE;
  } catch (...) {
    return FALSE;
  }
}

#endif  // _WIN32
