#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// What the copy-run benchmarks share: running reference tools, timing, one headless copy
// run as the main window starts it, and the peak memory of a piece of work.
namespace ferrowick::bench {

namespace fs = std::filesystem;

struct Timing {
  double wall = 0;
  double cpu = 0;  // user and system time of whichever process did the work
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

// The peak resident memory of `work` run in a child process, and the child's resident
// memory when it began (what it shares with this process), in KiB.
struct Peak {
  long startKiB = 0;
  long peakKiB = 0;
};
Peak peakMemory(const std::function<void()>& work);

void writeBytes(const fs::path& path, std::size_t size, unsigned seed);

double median(std::vector<double> values);
double best(const std::vector<double>& values);

}  // namespace ferrowick::bench
