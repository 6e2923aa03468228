// Runs the selected benchmarks, then prints the goals that compare figures of the same run.

#include <benchmark/benchmark.h>

#include "bench_goals.h"

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  GoalReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  reporter.PrintGoals();
  return 0;
}
