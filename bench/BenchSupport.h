#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BenchRounds.h"
#include "FileSystemKind.h"

// What the copy-run benchmarks share: running reference tools, timing, one headless copy
// run as the main window starts it, and the same run in a fresh process.
namespace ferrowick::bench {

namespace fs = std::filesystem;

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

void writeBytes(const fs::path& path, std::size_t size, unsigned seed);

}  // namespace ferrowick::bench
