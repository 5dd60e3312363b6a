// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the benchmarks over a folder of files share: their command line and a
// reporter that gives each benchmark's ratio to a baseline.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

// Takes --files=N and --parent=FOLDER (where the folder is made), passes the
// rest to the benchmark library, and has the repetitions of all benchmarks
// run in random order, so a change of load on the machine during the run
// weighs on all of them alike.
inline void InitializeFolderBenchmark(int argc, char** argv, int& files, std::string& parent) {
  std::vector<char*> rest;
  for (int i = 0; i < argc; ++i) {
    if (std::strncmp(argv[i], "--files=", 8) == 0)
      files = std::atoi(argv[i] + 8);
    else if (std::strncmp(argv[i], "--parent=", 9) == 0)
      parent = argv[i] + 9;
    else
      rest.push_back(argv[i]);
  }
  static char interleave[] = "--benchmark_enable_random_interleaving=true";
  rest.insert(rest.begin() + 1, interleave);
  int restCount = static_cast<int>(rest.size());
  benchmark::Initialize(&restCount, rest.data());
}

// The console table, and for each benchmark (named by the part before its
// first "/") the median and the best of its repetitions, so a program can
// print its ratios to a baseline after the table. On a busy machine the best
// shows the code's own cost; the median shows what a user meets.
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  using TTimes = std::map<std::string, double>;

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const std::string name = run.benchmark_name().substr(0, run.benchmark_name().find('/'));
      const double time = run.GetAdjustedRealTime();
      if (run.run_type == Run::RT_Aggregate) {
        if (run.aggregate_name == "median") FMedian[name] = time;
      } else if (!FBest.count(name) || time < FBest[name]) {
        FBest[name] = time;
      }
    }
  }

  // The two kinds with their labels: {"median", medians}, {"best", bests}.
  std::vector<std::pair<const char*, const TTimes*>> Kinds() const { return {{"median", &FMedian}, {"best", &FBest}}; }

 private:
  TTimes FMedian, FBest;
};
