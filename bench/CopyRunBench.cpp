// Times a full copy run with the log on against `cp -r` of the same tree, in the same
// process: 20,000 files of 4 KiB in 200 folders, and 4 files of 256 MiB. Each tool runs
// once to warm the page cache, then several times, alternating, each time into a fresh
// destination after a sync; the best and the median warm runs are compared. Prints the
// figures and never fails on timing.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/CopyRun.h"
#include "engine/EngineContext.h"
#include "engine/EngineState.h"
#include "engine/MemoryMainWindow.h"
#include "engine/RunFileList.h"
#include "engine/SourceList.h"
#include "runtime/App.h"
#include "runtime/fs/FileSystem.h"
#include "runtime/registry/RegistryStore.h"
#include "services/modLanguage.h"
#include "services/modMakeDirs.h"
#include "services/modRegistry2.h"
#include "support/ScriptedHost.h"

namespace {

namespace fs = std::filesystem;
using namespace ferrowick;
using Clock = std::chrono::steady_clock;

void writeBytes(const fs::path& path, std::size_t size, unsigned seed) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) throw std::runtime_error("cannot create " + path.string());
  std::vector<unsigned char> block(std::min<std::size_t>(size, std::size_t{1} << 20));
  for (std::size_t i = 0; i < block.size(); ++i) {
    block[i] = static_cast<unsigned char>((i * 2654435761u + seed) >> 13);
  }
  for (std::size_t done = 0; done < size;) {
    const std::size_t n = std::min(block.size(), size - done);
    block[0] = static_cast<unsigned char>(done >> 20);  // no two blocks alike
    if (::write(fd, block.data(), n) != static_cast<ssize_t>(n)) {
      ::close(fd);
      throw std::runtime_error("cannot write " + path.string());
    }
    done += n;
  }
  ::close(fd);
}

void run(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    ::execvp(args[0], args.data());
    ::_exit(127);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    throw std::runtime_error(argv[0] + " failed");
  }
}

struct Timing {
  double wall = 0;
  double cpu = 0;  // user and system time of whichever process did the work
};

double cpuSeconds(int who) {
  rusage usage{};
  ::getrusage(who, &usage);
  const auto toSeconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  return toSeconds(usage.ru_utime) + toSeconds(usage.ru_stime);
}

// Wall time and the CPU time of this process and its children. Other work on the machine
// shows in the wall time far more than in the CPU time.
Timing measure(const std::function<void()>& work) {
  ::sync();
  const double cpuBefore = cpuSeconds(RUSAGE_SELF) + cpuSeconds(RUSAGE_CHILDREN);
  const auto start = Clock::now();
  work();
  Timing timing;
  timing.wall = std::chrono::duration<double>(Clock::now() - start).count();
  timing.cpu = cpuSeconds(RUSAGE_SELF) + cpuSeconds(RUSAGE_CHILDREN) - cpuBefore;
  return timing;
}

// One headless copy run of `tree` into `dest`, as the main window would start it.
void copyRun(const fs::path& work, const fs::path& tree, const fs::path& dest) {
  testing::ScriptedHost host;
  runtime::App app{"Ferrowick", work.string(), "ferrowick", {}, false};
  runtime::FileSystem files{work / "archive.db"};
  runtime::RegistryStore store{work / "registry", work / "autostart"};
  services::modRegistry2 registry{store};
  services::modLanguage lang{app, host.host, registry, files};
  for (int n = 177; n <= 200; ++n) lang.setText(n, "text " + std::to_string(n));
  engine::MemoryMainWindow window;
  engine::EngineState state;
  engine::EngineContext ctx{app, host.host, files, lang, window, state};
  engine::SourceList sources{ctx};
  engine::RunFileList runFiles{ctx};
  services::modMakeDirs makeDirs{app, host.messages, lang, files};
  engine::CopyRun copy{ctx, sources, runFiles, makeDirs};

  window.lstSource_.addItem(tree.string() + "/*.*");
  window.txtDest_.setText(dest.string());
  window.chkLog_.setValue(runtime::CheckState::Checked);
  copy.RunBackup();
  if (!host.messages.shown.empty()) {
    throw std::runtime_error("the run showed a message: " + host.messages.shown[0].text);
  }
}

void discard(const fs::path& destination) {
  fs::remove_all(destination);
  ::sync();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Alternates the two tools so that neither always finds the other's writeback under way.
// Every run writes into a destination of its own. Many small files are removed only after
// all rounds: ext4 makes new files slowly for a while after many have been deleted. A
// large tree is removed (and flushed) right after its run, so that gigabytes of dirty
// pages left by one run do not throttle the next.
void compare(const char* name, const fs::path& work, const fs::path& tree, int rounds,
             bool removeEachRun) {
  int serial = 0;
  const auto fresh = [&](const char* tool) {
    return work / ("out-" + std::string(tool) + "-" + std::to_string(++serial));
  };
  const auto timeCp = [&] {
    const fs::path dest = fresh("cp");
    const Timing timing = measure([&] { run({"cp", "-r", tree.string(), dest.string()}); });
    if (removeEachRun) discard(dest);
    return timing;
  };
  const auto timeRun = [&] {
    const fs::path dest = fresh("run");
    const Timing timing = measure([&] { copyRun(work, tree, dest); });
    if (removeEachRun) discard(dest);
    return timing;
  };
  const auto print = [&](const char* what, const Timing& cp, const Timing& ours) {
    std::printf("%-12s %-7s cp -r %6.3f s (cpu %6.3f), copy run %6.3f s (cpu %6.3f)\n", name, what,
                cp.wall, cp.cpu, ours.wall, ours.cpu);
  };
  // A first round of each fills the page cache with the sources; it is not counted.
  const Timing cpCold = timeCp();
  const Timing runCold = timeRun();
  print("cold", cpCold, runCold);
  std::vector<double> cpWall, runWall, cpCpu, runCpu;
  for (int round = 0; round < rounds; ++round) {
    Timing cp, ours;
    if (round % 2 == 0) {
      cp = timeCp();
      ours = timeRun();
    } else {
      ours = timeRun();
      cp = timeCp();
    }
    print("warm", cp, ours);
    cpWall.push_back(cp.wall);
    runWall.push_back(ours.wall);
    cpCpu.push_back(cp.cpu);
    runCpu.push_back(ours.cpu);
  }
  const auto best = [](const std::vector<double>& v) {
    return *std::min_element(v.begin(), v.end());
  };
  std::printf("%-12s best    wall: cp -r %.3f s, copy run %.3f s, ratio %.2f\n", name, best(cpWall),
              best(runWall), best(runWall) / best(cpWall));
  std::printf("%-12s median  wall: cp -r %.3f s, copy run %.3f s, ratio %.2f\n", name,
              median(cpWall), median(runWall), median(runWall) / median(cpWall));
  std::printf("%-12s median  cpu:  cp -r %.3f s, copy run %.3f s, ratio %.2f\n", name,
              median(cpCpu), median(runCpu), median(runCpu) / median(cpCpu));
  for (int n = 1; n <= serial; ++n) {
    fs::remove_all(work / ("out-cp-" + std::to_string(n)));
    fs::remove_all(work / ("out-run-" + std::to_string(n)));
  }
}

}  // namespace

int main(int argc, char** argv) {
  // "small" or "large" runs one tree only, for profiling.
  const std::string only = argc > 1 ? argv[1] : "";
  std::string pattern = (fs::temp_directory_path() / "ferrowick-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) return 1;
  const fs::path work = pattern;
  // The log and everything else the program keeps go below the bench's own folder.
  ::setenv("XDG_DATA_HOME", (work / "data").c_str(), 1);
  ::setenv("HOME", work.c_str(), 1);

  int status = 0;
  try {
    const fs::path small = work / "small";
    if (only != "large") {
      for (int d = 0; d < 200; ++d) {
        const fs::path folder = small / ("d" + std::to_string(d));
        fs::create_directories(folder);
        for (int f = 0; f < 100; ++f) {
          writeBytes(folder / ("f" + std::to_string(f) + ".dat"), 4096,
                     static_cast<unsigned>(d * 100 + f));
        }
      }
      compare("small files", work, small, 4, false);
      fs::remove_all(small);
    }
    if (only != "small") {
      const fs::path large = work / "large";
      fs::create_directories(large);
      for (int f = 0; f < 4; ++f) {
        writeBytes(large / ("f" + std::to_string(f) + ".dat"), std::size_t{256} << 20,
                   static_cast<unsigned>(f));
      }
      compare("large files", work, large, 4, true);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench failed: %s\n", e.what());
    status = 1;
  }
  std::error_code ec;
  fs::remove_all(work, ec);
  return status;
}
