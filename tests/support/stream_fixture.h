#pragma once
// Helpers for tests of the group-code stream: a temporary file made from given bytes, the bytes
// a writer produced, and a builder for binary group bytes.

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

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

// Builds binary group bytes by hand, independent of the writer under test.
class BinaryBytes {
 public:
  BinaryBytes& Code(uint8_t code) {
    bytes_.push_back(static_cast<char>(code));
    return *this;
  }
  // The 255 escape followed by a 2-byte code.
  BinaryBytes& Escaped(uint16_t code) {
    Code(255);
    return Int(static_cast<int16_t>(code));
  }
  BinaryBytes& Int(int16_t value) {
    const uint16_t bits = static_cast<uint16_t>(value);
    bytes_.push_back(static_cast<char>(bits & 0xFF));
    bytes_.push_back(static_cast<char>(bits >> 8));
    return *this;
  }
  BinaryBytes& Real(double value) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 8; ++i)
      bytes_.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
    return *this;
  }
  // The characters and the terminating zero byte.
  BinaryBytes& String(const std::string& text) {
    bytes_.append(text);
    bytes_.push_back('\0');
    return *this;
  }
  // Bytes as they are, without a terminator (for cut-off files).
  BinaryBytes& Raw(const std::string& bytes) {
    bytes_.append(bytes);
    return *this;
  }
  const std::string& str() const { return bytes_; }

 private:
  std::string bytes_;
};
