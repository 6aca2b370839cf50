#include "BenchRounds.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace ferrowick::bench {

namespace {

double ratioOf(double a, double b) { return b > 0 ? a / b : 0; }

}  // namespace

const std::vector<Timing>& Rounds::of(const std::string& name) const {
  const auto at = std::find(names.begin(), names.end(), name);
  if (at == names.end()) throw std::logic_error("no tool " + name);
  return timings[static_cast<std::size_t>(at - names.begin())];
}

Rounds interleave(const std::string& what, const std::vector<Tool>& tools, int rounds,
                  bool warmUp) {
  Rounds result;
  for (const Tool& tool : tools) result.names.push_back(tool.name);
  result.timings.resize(tools.size());
  for (int round = warmUp ? -1 : 0; round < rounds; ++round) {
    std::printf("%-22s %-8s", what.c_str(),
                round < 0 ? "cold" : ("round " + std::to_string(round + 1)).c_str());
    std::fflush(stdout);
    for (std::size_t k = 0; k < tools.size(); ++k) {
      const std::size_t index = (k + static_cast<std::size_t>(round + 1)) % tools.size();
      const Timing timing = tools[index].run();
      std::printf("  %s %.3f s", tools[index].name.c_str(), timing.wall);
      std::fflush(stdout);
      if (round >= 0) result.timings[index].push_back(timing);
    }
    std::printf("\n");
  }
  return result;
}

void printTools(const std::string& what, const Rounds& rounds) {
  for (std::size_t k = 0; k < rounds.names.size(); ++k) {
    std::vector<double> wall, cpu, peak;
    for (const Timing& t : rounds.timings[k]) {
      wall.push_back(t.wall);
      cpu.push_back(t.cpu);
      peak.push_back(static_cast<double>(t.peakKiB));
    }
    if (wall.empty()) continue;
    const auto [low, high] = std::minmax_element(wall.begin(), wall.end());
    std::printf("%-22s %-18s wall min %.3f median %.3f max %.3f s, cpu median %.3f s", what.c_str(),
                rounds.names[k].c_str(), *low, median(wall), *high, median(cpu));
    if (median(peak) > 0) std::printf(", peak median %.0f KiB", median(peak));
    std::printf("\n");
  }
  std::fflush(stdout);
}

void printRounds(const std::string& what, const Rounds& rounds) {
  printTools(what, rounds);
  for (std::size_t k = 1; k < rounds.names.size(); ++k) {
    printRatio(what, rounds, rounds.names[0], rounds.names[k]);
  }
  std::fflush(stdout);
}

void printRatio(const std::string& what, const Rounds& rounds, const std::string& a,
                const std::string& b) {
  const std::vector<Timing>& first = rounds.of(a);
  const std::vector<Timing>& second = rounds.of(b);
  std::vector<double> wall, cpuA, cpuB;
  for (std::size_t i = 0; i < first.size() && i < second.size(); ++i) {
    wall.push_back(ratioOf(first[i].wall, second[i].wall));
    cpuA.push_back(first[i].cpu);
    cpuB.push_back(second[i].cpu);
  }
  if (wall.empty()) return;
  const auto [low, high] = std::minmax_element(wall.begin(), wall.end());
  std::printf("%-22s %s / %s: wall min %.2f median %.2f max %.2f over %zu rounds, cpu %.2f\n",
              what.c_str(), a.c_str(), b.c_str(), *low, median(wall), *high, wall.size(),
              ratioOf(median(cpuA), median(cpuB)));
  std::fflush(stdout);
}

void printBytesPerFile(const std::string& what, std::size_t fewer, const std::vector<Timing>& few,
                       std::size_t more, const std::vector<Timing>& many) {
  const auto medianPeak = [](const std::vector<Timing>& timings) {
    std::vector<double> peaks;
    for (const Timing& t : timings) peaks.push_back(static_cast<double>(t.peakKiB));
    return peaks.empty() ? 0.0 : median(peaks);
  };
  const double low = medianPeak(few), high = medianPeak(many);
  std::printf(
      "%-22s peak memory, fresh processes: %.0f KiB at %zu files, %.0f KiB at %zu files: "
      "%.1f B a file\n",
      what.c_str(), low, fewer, high, more,
      more > fewer ? (high - low) * 1024.0 / static_cast<double>(more - fewer) : 0.0);
  std::fflush(stdout);
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace ferrowick::bench
