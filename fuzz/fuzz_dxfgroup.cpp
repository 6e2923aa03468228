// Feeds arbitrary bytes to the group-code stream. The first byte chooses the form (even: text,
// odd: binary) and whether groups are pushed back; every group read is written again in both
// forms, so hostile values also pass through the writer.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "io/dxfgroup.h"

namespace {

// A write-only stream that discards everything: the writer runs for real without a file.
ssize_t DiscardWrite(void*, const char*, size_t size) {
  return static_cast<ssize_t>(size);
}

FILE* OpenDiscardingStream() {
  cookie_io_functions_t functions{};
  functions.write = DiscardWrite;
  return fopencookie(nullptr, "w", functions);
}

// Writes the current group of `from` to a throw-away stream of the given form.
void WriteBack(const DXFGroup& from, DXFGroup& to) {
  to.Code(from.Code());
  to.IntValue(from.IntValue());
  to.RealValue(from.RealValue());
  to.StringValue(from.StringValue());
  to.PutGroup();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const uint8_t control = data[0];
  std::vector<uint8_t> input(data + 1, data + size);
  FILE* in = fmemopen(input.data(), input.size(), "rb");
  if (in == nullptr) return 0;
  FILE* sink = OpenDiscardingStream();

  DXFGroup reader(in, (control & 1) != 0);
  DXFGroup textWriter(sink, false);
  DXFGroup binaryWriter(sink, true);
  // Every successful read consumes at least one byte, so this bound is never the one that
  // stops a correct reader; it only guards against a reader that stops advancing.
  const size_t maxGroups = input.size() + 16;
  bool pushedBack = false;
  for (size_t i = 0; i < maxGroups; ++i) {
    if (reader.GetGroup() != 0) break;
    if (sink != nullptr) {
      WriteBack(reader, textWriter);
      WriteBack(reader, binaryWriter);
    }
    // Push every few groups back once, as the file reader does at record boundaries.
    if ((control & 2) != 0 && !pushedBack && i % 3 == 0) {
      reader.Requeue();
      pushedBack = true;
    } else {
      pushedBack = false;
    }
  }
  if (sink != nullptr) std::fclose(sink);
  std::fclose(in);
  return 0;
}
