#pragma once
// Helpers for tests of the group-code stream: a temporary file made from given bytes, the bytes
// a writer produced, builders for binary group bytes, and a compact transcript of groups read.

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <source_location>
#include <string>
#include <vector>

#include "io/dxfgroup.h"

// A temporary file that removes itself; optionally filled with bytes and rewound for reading.
class ScratchFile {
 public:
  ScratchFile() : file_(std::tmpfile()) {}
  explicit ScratchFile(const std::string& bytes) : ScratchFile() {
    if (file_ == nullptr) return;
    std::fwrite(bytes.data(), 1, bytes.size(), file_);
    std::rewind(file_);
  }
  ~ScratchFile() {
    if (file_ != nullptr) std::fclose(file_);
  }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  FILE* get() const { return file_; }

  // Everything written to the file so far.
  std::string Contents() const {
    std::string bytes;
    if (file_ == nullptr) return bytes;
    std::fflush(file_);
    std::rewind(file_);
    char chunk[4096];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file_)) > 0)
      bytes.append(chunk, got);
    return bytes;
  }

 private:
  FILE* file_;
};

// A stream that reads the given bytes.
struct StreamOver {
  StreamOver(const std::string& bytes, bool binary) : file(bytes), stream(file.get(), binary) {}
  ScratchFile file;
  DXFGroup stream;
};

// Runs `write` on a fresh stream of the given form and returns the bytes it wrote.
template <class Writer>
std::string WrittenBytes(bool binary, Writer&& write) {
  ScratchFile file;
  {
    DXFGroup stream(file.get(), binary);
    write(stream);
  }
  return file.Contents();
}

// Binary group bytes built by hand, independent of the writer under test; join them with +.
namespace bin {
inline std::string Int(int16_t value) {
  const auto bits = static_cast<uint16_t>(value);
  return {static_cast<char>(bits & 0xFF), static_cast<char>(bits >> 8)};
}
inline std::string Code(uint8_t code) {
  return std::string(1, static_cast<char>(code));
}
// The 255 escape followed by a 2-byte code.
inline std::string Escaped(uint16_t code) {
  return Code(255) + Int(static_cast<int16_t>(code));
}
inline std::string Real(double value) {
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  std::string bytes;
  for (int i = 0; i < 8; ++i)
    bytes += static_cast<char>((bits >> (8 * i)) & 0xFF);
  return bytes;
}
// The characters and the terminating zero byte.
inline std::string Str(const std::string& text) {
  return text + '\0';
}
}  // namespace bin

// The shortest text that reads back as exactly this double ("-0" for negative zero).
inline std::string RealText(double value) {
  char text[32] = {};
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

// Reads one group per entry of `want` and describes each the way its entry is written:
// "<result>", then " <code>" if the entry names a code, then " " and the fields the entry names,
// separated by '|': s<string value>, l<line buffer>, i<integer>, r<real as RealText>. Examples:
// "12", "7 1504", "0 70 i-300", "0 100 lraw|sROOF". Comparing reals by RealText is exact, which
// is right here: binary reals keep every bit, and text reading rounds correctly.
inline std::vector<std::string> ReadGroups(DXFGroup& stream, const std::vector<std::string>& want) {
  std::vector<std::string> got;
  for (const std::string& entry : want) {
    std::string line = std::to_string(stream.GetGroup());
    const size_t codeAt = entry.find(' ');
    if (codeAt != std::string::npos) line.append(" ").append(std::to_string(stream.Code()));
    size_t field = codeAt == std::string::npos ? codeAt : entry.find(' ', codeAt + 1);
    char separator = ' ';
    while (field != std::string::npos && field + 1 < entry.size()) {
      const char letter = entry[field + 1];
      line += separator;
      line += letter;
      if (letter == 's') line += stream.StringValue();
      if (letter == 'l') line += stream.LineBuffer();
      if (letter == 'i') line += std::to_string(stream.IntValue());
      if (letter == 'r') line += RealText(stream.RealValue());
      field = entry.find('|', field + 1);
      separator = '|';
    }
    got.push_back(line);
  }
  return got;
}

// Expects the groups read next to match `want` (see ReadGroups); a failure names the caller and
// the 1-based number of the group.
inline void ExpectGroups(DXFGroup& stream, const std::vector<std::string>& want,
                         std::source_location where = std::source_location::current()) {
  const testing::ScopedTrace trace(where.file_name(), static_cast<int>(where.line()), "groups");
  const std::vector<std::string> got = ReadGroups(stream, want);
  for (size_t i = 0; i < want.size(); ++i)
    EXPECT_EQ(got[i], want[i]) << "group " << i + 1;
}

// The same for a fresh stream over the given bytes.
inline void ExpectGroups(const std::string& bytes, bool binary,
                         const std::vector<std::string>& want,
                         std::source_location where = std::source_location::current()) {
  StreamOver in(bytes, binary);
  ExpectGroups(in.stream, want, where);
}
