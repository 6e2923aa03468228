#include "bench_goals.h"

#include <cstdio>

namespace {

std::vector<ThroughputGoal>& Goals() {
  static std::vector<ThroughputGoal> goals;
  return goals;
}

// Throughputs are bytes or items per second; both print in millions.
double MegabytesPerSecond(double bytesPerSecond) {
  return bytesPerSecond / 1e6;
}

}  // namespace

bool AddThroughputGoal(ThroughputGoal goal) {
  Goals().push_back(std::move(goal));
  return true;
}

void GoalReporter::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    if (run.error_occurred) continue;
    // Repeated benchmarks are judged by their median, which a noisy neighbour moves least.
    if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
    auto counter = run.counters.find("bytes_per_second");
    if (counter == run.counters.end()) counter = run.counters.find("items_per_second");
    if (counter == run.counters.end()) continue;
    throughput_[run.benchmark_name()] = counter->second.value;
  }
  ConsoleReporter::ReportRuns(runs);
}

bool GoalReporter::PrintGoals() const {
  bool allMet = true;
  for (const ThroughputGoal& goal : Goals()) {
    const auto measured = throughput_.find(goal.name);
    if (measured == throughput_.end()) continue;
    if (goal.baseline.empty()) {
      const bool met = measured->second >= goal.minimum;
      allMet = allMet && met;
      std::printf("goal %-40s %9.1f MB/s (want >= %.1f MB/s): %s\n", goal.name.c_str(),
                  MegabytesPerSecond(measured->second), MegabytesPerSecond(goal.minimum),
                  met ? "met" : "NOT MET");
      continue;
    }
    const auto baseline = throughput_.find(goal.baseline);
    if (baseline == throughput_.end() || baseline->second <= 0.0) continue;
    const double ratio = measured->second / baseline->second;
    const bool met = ratio >= goal.minimum;
    allMet = allMet && met;
    std::printf("goal %-40s %9.3f M/s = %.0f%% of %s (%.3f M/s; want >= %.0f%%): %s\n",
                goal.name.c_str(), MegabytesPerSecond(measured->second), ratio * 100.0,
                goal.baseline.c_str(), MegabytesPerSecond(baseline->second), goal.minimum * 100.0,
                met ? "met" : "NOT MET");
  }
  return allMet;
}
