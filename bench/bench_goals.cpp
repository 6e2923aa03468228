#include "bench_goals.h"

#include <cstdio>

namespace {

std::vector<ThroughputGoal>& Goals() {
  static std::vector<ThroughputGoal> goals;
  return goals;
}

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
    const auto counter = run.counters.find("bytes_per_second");
    if (counter == run.counters.end()) continue;
    bytes_per_second_[run.benchmark_name()] = counter->second.value;
  }
  ConsoleReporter::ReportRuns(runs);
}

bool GoalReporter::PrintGoals() const {
  bool allMet = true;
  for (const ThroughputGoal& goal : Goals()) {
    const auto measured = bytes_per_second_.find(goal.name);
    if (measured == bytes_per_second_.end()) continue;
    if (goal.baseline.empty()) {
      const bool met = measured->second >= goal.minimum;
      allMet = allMet && met;
      std::printf("goal %-40s %9.1f MB/s (want >= %.1f MB/s): %s\n", goal.name.c_str(),
                  MegabytesPerSecond(measured->second), MegabytesPerSecond(goal.minimum),
                  met ? "met" : "NOT MET");
      continue;
    }
    const auto baseline = bytes_per_second_.find(goal.baseline);
    if (baseline == bytes_per_second_.end() || baseline->second <= 0.0) continue;
    const double ratio = measured->second / baseline->second;
    const bool met = ratio >= goal.minimum;
    allMet = allMet && met;
    std::printf("goal %-40s %9.1f MB/s = %.0f%% of %s (%.1f MB/s; want >= %.0f%%): %s\n",
                goal.name.c_str(), MegabytesPerSecond(measured->second), ratio * 100.0,
                goal.baseline.c_str(), MegabytesPerSecond(baseline->second), goal.minimum * 100.0,
                met ? "met" : "NOT MET");
  }
  return allMet;
}
