#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// What the copy-run benchmarks share: running reference tools, timing, one headless copy
// run as the main window starts it, and the peak memory of a piece of work.
namespace ferrowick::bench {

namespace fs = std::filesystem;

struct Timing {
  double wall = 0;
  double cpu = 0;    // user and system time of whichever process did the work
  long peakKiB = 0;  // the peak resident memory of a run in a fresh process, else 0
};

// A scratch folder below TMPDIR (so a run can go to tmpfs) that also holds the program's
// own files: HOME and XDG_DATA_HOME point into it.
fs::path makeScratch();
// The same below `base` instead.
fs::path makeScratch(const fs::path& base);

// Runs a reference tool; throws when it fails.
void run(const std::vector<std::string>& argv);

// Wall time and the CPU time of this process and its children, after a sync.
Timing measure(const std::function<void()>& work);

// One headless copy run of the folder item `tree` into `dest`, with the log on, keeping
// its archive records in `archive`. It is made ready before it starts, so that a timing
// can leave the set-up out; start() throws when the run shows a message.
class HeadlessRun {
 public:
  HeadlessRun(const fs::path& work, const fs::path& archive, const fs::path& tree,
              const fs::path& dest, bool incremental);
  ~HeadlessRun();
  HeadlessRun(const HeadlessRun&) = delete;
  HeadlessRun& operator=(const HeadlessRun&) = delete;
  void start();

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

// A headless run, made ready and started at once.
void copyRun(const fs::path& work, const fs::path& archive, const fs::path& tree,
             const fs::path& dest, bool incremental);

// The same run in a fresh process: the benchmark executes itself again with the run's
// arguments, so that the run's peak memory is its own and not the benchmark's heap as
// well. Times it as measure() does, with the peak in KiB. Every benchmark that uses it
// calls serveFreshRun() first thing in main().
Timing freshCopyRun(const fs::path& work, const fs::path& archive, const fs::path& tree,
                    const fs::path& dest, bool incremental);
// When this process was started by freshCopyRun, does the run and returns the exit status.
std::optional<int> serveFreshRun(int argc, char** argv);

// The file system `path` is on, as its kind and, for ext4, whether it has a journal.
std::string fileSystemOf(const fs::path& path);
// Prints it in one line, so that every figure can be read with it.
void printFileSystem(const fs::path& path);

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
Rounds interleave(const std::string& what, const std::vector<Tool>& tools, int rounds,
                  bool warmUp);
// Each tool's wall time min/median/max, its median CPU time and, when measured, its
// median peak; then the first tool against each of the others.
void printRounds(const std::string& what, const Rounds& rounds);
// Round by round ratios of `a` to `b` (they ran in the same round), min/median/max of
// wall time, and the ratio of their median CPU times.
void printRatio(const std::string& what, const Rounds& rounds, const std::string& a,
                const std::string& b);
// Bytes a file from the median peaks of runs over two tree sizes: what the difference in
// files costs, without the fixed part of a process.
void printBytesPerFile(const std::string& what, std::size_t fewer, const std::vector<Timing>& few,
                       std::size_t more, const std::vector<Timing>& many);

void writeBytes(const fs::path& path, std::size_t size, unsigned seed);

double median(std::vector<double> values);

}  // namespace ferrowick::bench
