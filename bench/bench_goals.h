#pragma once
// Performance goals that relate benchmarks of one run: "A reaches at least r times the
// throughput of B", or "A reaches at least n bytes per second". Throughput is bytes per second,
// or items per second for benchmarks that count items. The reporter prints the
// ordinary console table, then one line per goal.

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

struct ThroughputGoal {
  std::string name;      // benchmark measured
  std::string baseline;  // benchmark compared with; empty for an absolute goal
  double minimum = 0.0;  // ratio to the baseline, or bytes per second
};

// Registers a goal; call from a static initialiser next to the benchmarks it concerns.
bool AddThroughputGoal(ThroughputGoal goal);

class GoalReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;
  // Prints every goal with the measured figures; returns true when all were met.
  bool PrintGoals() const;

 private:
  std::map<std::string, double> throughput_;
};
