#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Tools timed in interleaved rounds, and the figures printed from them.
namespace ferrowick::bench {

struct Timing {
  double wall = 0;
  double cpu = 0;    // user and system time of whichever process did the work
  long peakKiB = 0;  // the peak resident memory of a run in a fresh process, else 0
};

double median(std::vector<double> values);

// A tool run once a round; the tool times its own run, so that what it sets up or clears
// around the run stays out of the figure.
struct Tool {
  std::string name;
  std::function<Timing()> run;
};

// The timings of interleaved rounds, per tool in the order the tools were given.
struct Rounds {
  std::vector<std::string> names;
  std::vector<std::vector<Timing>> timings;
  const std::vector<Timing>& of(const std::string& name) const;
};

// Runs every tool once cold when `warmUp` (not counted), then `rounds` times, the order
// rotating by one each round so that no tool always runs first or after the same one.
// Prints each round's wall times as it goes.
Rounds interleave(const std::string& what, const std::vector<Tool>& tools, int rounds, bool warmUp);
// Each tool's wall time min/median/max, its median CPU time and, when measured, its
// median peak.
void printTools(const std::string& what, const Rounds& rounds);
// printTools, then the first tool against each of the others.
void printRounds(const std::string& what, const Rounds& rounds);
// Round by round ratios of `a` to `b` (they ran in the same round), min/median/max of
// wall time, and the ratio of their median CPU times.
void printRatio(const std::string& what, const Rounds& rounds, const std::string& a,
                const std::string& b);
// Bytes a file from the median peaks of runs over two tree sizes: what the difference in
// files costs, without the fixed part of a process.
void printBytesPerFile(const std::string& what, std::size_t fewer, const std::vector<Timing>& few,
                       std::size_t more, const std::vector<Timing>& many);

}  // namespace ferrowick::bench
