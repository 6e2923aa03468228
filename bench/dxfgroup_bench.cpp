// Throughput of the group-code stream: writing and reading 100 MB of groups in the text and the
// binary form, against a baseline that only splits the text into lines and parses each code.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "bench_goals.h"
#include "io/dxfgroup.h"

namespace {

constexpr long kTargetBytes = 100L * 1000 * 1000;

// A folder of its own under the system's temporary folder, removed when the program ends.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::error_code ec;
    path_ = std::filesystem::temp_directory_path(ec) /
            ("tegolux-bench-" + std::to_string(static_cast<long>(getpid())));
    std::filesystem::create_directories(path_, ec);
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string File(const char* name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

const ScratchFolder& Scratch() {
  static ScratchFolder folder;
  return folder;
}

// One line entity the way a drawing stores it: keyword, common fields, two points.
int PutLineRecord(DXFGroup& stream, long n) {
  char id[32];
  std::snprintf(id, sizeof id, "%lx", n + 1);
  const double x = 12.5 + static_cast<double>(n % 977) * 0.3333333333333;
  const double y = 7.25 + static_cast<double>(n % 613) * 1.0416666666667;
  int rc = stream.PutKeyword(kDxfLine);
  if (rc == 0) rc = stream.PutString(3, "Line");
  if (rc == 0) rc = stream.PutString(5, id);
  if (rc == 0) rc = stream.PutString(6, "CONTINUOUS");
  if (rc == 0) rc = stream.PutString(8, "ROOF_A");
  if (rc == 0) rc = stream.PutInteger(61, 1);
  if (rc == 0) rc = stream.PutInteger(62, static_cast<short>(n % 16));
  if (rc == 0) rc = stream.PutReal(10, x);
  if (rc == 0) rc = stream.PutReal(20, y);
  if (rc == 0) rc = stream.PutReal(30, 0.0);
  if (rc == 0) rc = stream.PutReal(11, x + 24.0);
  if (rc == 0) rc = stream.PutReal(21, y - 0.5);
  if (rc == 0) rc = stream.PutReal(31, 0.0);
  return rc;
}

// Writes line records until the file holds the target size, then the EOF keyword. Returns the
// file size, or -1 on failure.
long WriteGroupFile(const std::string& path, bool binary) {
  FILE* file = std::fopen(path.c_str(), binary ? "wb" : "w");
  if (file == nullptr) return -1;
  long size = -1;
  {
    DXFGroup stream(file, binary);
    long n = 0;
    int rc = 0;
    while (rc == 0) {
      // Check the size every few thousand records; ftell flushes nothing and is cheap.
      for (int i = 0; i < 4096 && rc == 0; ++i)
        rc = PutLineRecord(stream, n++);
      if (std::ftell(file) >= kTargetBytes) break;
    }
    if (rc == 0) rc = stream.PutKeyword(kDxfEof);
    if (rc == 0) size = std::ftell(file);
  }
  if (std::fclose(file) != 0) return -1;
  return size;
}

const std::string& GroupFile(bool binary) {
  static const std::string text = [] {
    std::string path = Scratch().File("groups.dxf");
    return WriteGroupFile(path, false) > 0 ? path : std::string();
  }();
  static const std::string bin = [] {
    std::string path = Scratch().File("groups.tgg");
    return WriteGroupFile(path, true) > 0 ? path : std::string();
  }();
  return binary ? bin : text;
}

long FileSize(const std::string& path) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  return ec ? -1 : static_cast<long>(size);
}

void BM_WriteGroups(benchmark::State& state, bool binary) {
  const std::string path = Scratch().File(binary ? "write.tgg" : "write.dxf");
  long bytes = 0;
  for (auto _ : state) {
    const long size = WriteGroupFile(path, binary);
    if (size < 0) {
      state.SkipWithError("writing the group file failed");
      return;
    }
    bytes += size;
  }
  state.SetBytesProcessed(bytes);
  std::remove(path.c_str());
}

void BM_ReadGroups(benchmark::State& state, bool binary) {
  const std::string& path = GroupFile(binary);
  const long size = FileSize(path);
  if (path.empty() || size <= 0) {
    state.SkipWithError("the group file could not be written");
    return;
  }
  long groups = 0;
  for (auto _ : state) {
    FILE* file = std::fopen(path.c_str(), binary ? "rb" : "r");
    if (file == nullptr) {
      state.SkipWithError("cannot open the group file");
      return;
    }
    DXFGroup stream(file, binary);
    int rc = 0;
    while ((rc = stream.GetGroup()) == 0)
      ++groups;
    std::fclose(file);
    if (rc != kDxfEnd || stream.Code() != kDxfEof) {
      state.SkipWithError("the reader stopped before the EOF keyword");
      return;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * size);
  state.counters["groups"] =
      benchmark::Counter(static_cast<double>(groups), benchmark::Counter::kAvgIterations);
}

// Only splits the text into lines and parses every code line: the least any text reader does.
void BM_TextBaselineSplitAndParseCodes(benchmark::State& state) {
  const std::string& path = GroupFile(false);
  const long size = FileSize(path);
  if (path.empty() || size <= 0) {
    state.SkipWithError("the group file could not be written");
    return;
  }
  std::vector<char> buffer(64 * 1024);
  for (auto _ : state) {
    FILE* file = std::fopen(path.c_str(), "r");
    if (file == nullptr) {
      state.SkipWithError("cannot open the group file");
      return;
    }
    long codeSum = 0;
    bool codeLine = true;
    size_t kept = 0;  // bytes of an unfinished line carried to the front of the buffer
    for (;;) {
      const size_t got = std::fread(buffer.data() + kept, 1, buffer.size() - kept, file);
      const size_t end = kept + got;
      const char* p = buffer.data();
      const char* const stop = buffer.data() + end;
      for (;;) {
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', stop - p));
        if (nl == nullptr) break;
        if (codeLine) {
          const char* digits = p;
          while (digits < nl && *digits == ' ')
            ++digits;
          int code = 0;
          std::from_chars(digits, nl, code);
          codeSum += code;
        }
        codeLine = !codeLine;
        p = nl + 1;
      }
      kept = static_cast<size_t>(stop - p);
      std::memmove(buffer.data(), p, kept);
      if (got == 0) break;
    }
    std::fclose(file);
    benchmark::DoNotOptimize(codeSum);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * size);
}

// Reading is repeated and judged by the median: one 100 MB pass is short enough for a busy
// machine to move it by a third.
constexpr int kReadRepetitions = 7;

BENCHMARK_CAPTURE(BM_WriteGroups, text, false)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK_CAPTURE(BM_WriteGroups, binary, true)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_TextBaselineSplitAndParseCodes)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(kReadRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_ReadGroups, text, false)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(kReadRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_ReadGroups, binary, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(kReadRepetitions)
    ->ReportAggregatesOnly(true);

const bool kTextGoal =
    AddThroughputGoal({"BM_ReadGroups/text/iterations:1/repeats:7_median",
                       "BM_TextBaselineSplitAndParseCodes/iterations:1/repeats:7_median", 0.5});
const bool kBinaryGoal = AddThroughputGoal(
    {"BM_ReadGroups/binary/iterations:1/repeats:7_median", "", 500.0 * 1000 * 1000});

}  // namespace
