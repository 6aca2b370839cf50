// Times FileMD5 against `md5sum` on one file (1 GiB unless a size in MiB is given), in
// the same run: a warm-up pass puts the file in the page cache, then each tool hashes it
// three times, alternating, and the best times are compared. Also prints the resident
// memory that hashing adds to the process: the peak during the first hash, less the size
// before it. Prints the figures; never fails on timing.
//   bench_md5 [MiB]

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "services/modMd5.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A field of /proc/self/status in KiB.
long statusKiB(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(field + ":", 0) == 0) return std::atol(line.c_str() + field.size() + 1);
  }
  return -1;
}

// Starts the peak-resident figure afresh from the current size.
void resetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

struct Md5sumRun {
  std::string sum;
  double seconds = 0;
  long peakKiB = 0;
};

Md5sumRun md5sum(const fs::path& path) {
  int out[2];
  if (::pipe(out) != 0) throw std::runtime_error("pipe failed");
  const Clock::time_point start = Clock::now();
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::close(out[0]);
    ::close(out[1]);
    ::execlp("md5sum", "md5sum", path.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(out[1]);
  std::string text;
  char buffer[256];
  for (ssize_t got; (got = ::read(out[0], buffer, sizeof buffer)) > 0;) {
    text.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(out[0]);
  int status = 0;
  rusage usage{};
  if (child < 0 || ::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    throw std::runtime_error("md5sum failed");
  }
  Md5sumRun run;
  run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  run.sum = text.substr(0, 32);
  run.peakKiB = usage.ru_maxrss;
  return run;
}

}  // namespace

int main(int argc, char** argv) {
  const long mib = argc > 1 ? std::atol(argv[1]) : 1024;
  if (mib < 0) {
    std::fprintf(stderr, "usage: bench_md5 [MiB]\n");
    return 2;
  }
  const fs::path folder =
      fs::temp_directory_path() / ("ferrowick-md5-" + std::to_string(::getpid()));
  try {
    fs::create_directories(folder);
    ferrowick::bench::printFileSystem(folder);
    const fs::path file = folder / "data.bin";
    ferrowick::bench::writeBytes(file, static_cast<std::size_t>(mib) << 20, 0);
    // The first hash in the process shows the memory hashing adds (later ones reuse the
    // freed block); both tools then read from the page cache.
    const long before = statusKiB("VmRSS");
    resetPeak();
    const std::string warm = ferrowick::services::modMd5::FileMD5(file.string());
    const long addedKiB = statusKiB("VmHWM") - before;

    double ours = 1e300;
    double theirs = 1e300;
    long md5sumPeakKiB = 0;
    std::string sum;
    Md5sumRun reference;
    for (int round = 0; round < 3; ++round) {
      const Clock::time_point start = Clock::now();
      sum = ferrowick::services::modMd5::FileMD5(file.string());
      ours = std::min(ours, std::chrono::duration<double>(Clock::now() - start).count());
      reference = md5sum(file);
      theirs = std::min(theirs, reference.seconds);
      md5sumPeakKiB = std::max(md5sumPeakKiB, reference.peakKiB);
    }
    const double megabytes = static_cast<double>(mib);
    std::printf("MD5 of %ld MiB\n", mib);
    std::printf("  FileMD5  %8.3f s  %8.1f MiB/s  adds %ld KiB resident (block %zu KiB)\n", ours,
                megabytes / ours, addedKiB, ferrowick::services::modMd5::kBlockSize >> 10);
    std::printf("  md5sum   %8.3f s  %8.1f MiB/s  peak %ld KiB resident (whole process)\n", theirs,
                megabytes / theirs, md5sumPeakKiB);
    std::printf("  ratio FileMD5 / md5sum: %.3f (below 1 is faster)\n", ours / theirs);
    std::printf("  sums %s: %s\n", sum == reference.sum && sum == warm ? "agree" : "DIFFER",
                sum.c_str());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_md5: %s\n", error.what());
    fs::remove_all(folder);
    return 1;
  }
  fs::remove_all(folder);
  return 0;
}
