#include "BenchSupport.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/resource.h>
#include <sys/statfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

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

namespace ferrowick::bench {

namespace {

double cpuSeconds(int who) {
  rusage usage{};
  ::getrusage(who, &usage);
  const auto toSeconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  return toSeconds(usage.ru_utime) + toSeconds(usage.ru_stime);
}

// Runs a program to its end and returns its own resource use; throws when it fails.
rusage runChild(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    ::execvp(args[0], args.data());
    ::_exit(127);
  }
  int status = 0;
  rusage usage{};
  if (child < 0 || ::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    throw std::runtime_error(argv[0] + " failed");
  }
  return usage;
}

constexpr const char* kFreshRun = "--fresh-copy-run";

// The mount table's entry for the mount that holds `path`: its device and type.
struct Mount {
  std::string device;
  std::string type;
};

Mount mountOf(const fs::path& path) {
  std::error_code ec;
  const std::string target = fs::weakly_canonical(path, ec).string();
  std::ifstream mounts("/proc/self/mounts");
  Mount found;
  std::size_t longest = 0;
  for (std::string device, point, type, rest; mounts >> device >> point >> type;) {
    std::getline(mounts, rest);
    const bool holds = target == point || (target.starts_with(point) &&
                                           (point == "/" || target[point.size()] == '/'));
    // A later mount on the same point hides the earlier one.
    if (holds && point.size() >= longest) {
      longest = point.size();
      found = {device, type};
    }
  }
  return found;
}

// "journaled", "no journal", or empty when the system does not say.
std::string ext4Journal(const std::string& device) {
  std::error_code ec;
  const fs::path real = fs::canonical(device, ec);
  if (ec) return {};
  std::ifstream task("/sys/fs/ext4/" + real.filename().string() + "/journal_task");
  std::string line;
  if (!std::getline(task, line)) return {};
  return line == "<none>" ? "no journal" : "journaled";
}

double ratioOf(double a, double b) { return b > 0 ? a / b : 0; }

}  // namespace

fs::path makeScratch() { return makeScratch(fs::temp_directory_path()); }

fs::path makeScratch(const fs::path& base) {
  std::string pattern = (base / "ferrowick-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  const fs::path work = pattern;
  ::setenv("XDG_DATA_HOME", (work / "data").c_str(), 1);
  ::setenv("HOME", work.c_str(), 1);
  return work;
}

void run(const std::vector<std::string>& argv) { runChild(argv); }

Timing measure(const std::function<void()>& work) {
  ::sync();
  const double cpuBefore = cpuSeconds(RUSAGE_SELF) + cpuSeconds(RUSAGE_CHILDREN);
  const auto start = std::chrono::steady_clock::now();
  work();
  Timing timing;
  timing.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  timing.cpu = cpuSeconds(RUSAGE_SELF) + cpuSeconds(RUSAGE_CHILDREN) - cpuBefore;
  return timing;
}

struct HeadlessRun::Parts {
  Parts(const fs::path& work, const fs::path& archive)
      : app{"Ferrowick", work.string(), "ferrowick", {}, false},
        files{archive},
        store{work / "registry", work / "autostart"},
        registry{store},
        lang{app, host.host, registry, files} {}

  testing::ScriptedHost host;
  runtime::App app;
  runtime::FileSystem files;
  runtime::RegistryStore store;
  services::modRegistry2 registry;
  services::modLanguage lang;
  engine::MemoryMainWindow window;
  engine::EngineState state;
  engine::EngineContext ctx{app, host.host, files, lang, window, state};
  engine::SourceList sources{ctx};
  engine::RunFileList runFiles{ctx};
  services::modMakeDirs makeDirs{app, host.messages, lang, files};
  engine::CopyRun copy{ctx, sources, runFiles, makeDirs};
};

HeadlessRun::HeadlessRun(const fs::path& work, const fs::path& archive, const fs::path& tree,
                         const fs::path& dest, bool incremental)
    : parts_(std::make_unique<Parts>(work, archive)) {
  for (int n = 177; n <= 200; ++n) parts_->lang.setText(n, "text " + std::to_string(n));
  engine::MemoryMainWindow& window = parts_->window;
  window.lstSource_.addItem(tree.string() + "/*.*");
  window.txtDest_.setText(dest.string());
  window.chkLog_.setValue(runtime::CheckState::Checked);
  if (incremental) window.chkIncr_.setValue(runtime::CheckState::Checked);
}

HeadlessRun::~HeadlessRun() = default;

void HeadlessRun::start() {
  parts_->copy.RunBackup();
  const auto& shown = parts_->host.messages.shown;
  if (!shown.empty()) throw std::runtime_error("the run showed a message: " + shown[0].text);
}

void copyRun(const fs::path& work, const fs::path& archive, const fs::path& tree,
             const fs::path& dest, bool incremental) {
  HeadlessRun(work, archive, tree, dest, incremental).start();
}

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

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

Timing freshCopyRun(const fs::path& work, const fs::path& archive, const fs::path& tree,
                    const fs::path& dest, bool incremental) {
  const std::vector<std::string> argv{
      "/proc/self/exe", kFreshRun,     work.string(),          archive.string(),
      tree.string(),    dest.string(), incremental ? "1" : "0"};
  long peakKiB = 0;
  Timing timing = measure([&] { peakKiB = runChild(argv).ru_maxrss; });
  timing.peakKiB = peakKiB;
  return timing;
}

std::optional<int> serveFreshRun(int argc, char** argv) {
  if (argc != 7 || std::string(argv[1]) != kFreshRun) return std::nullopt;
  try {
    copyRun(argv[2], argv[3], argv[4], argv[5], std::string(argv[6]) == "1");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}

std::string fileSystemOf(const fs::path& path) {
  struct statfs info{};
  if (::statfs(path.c_str(), &info) != 0) return "unknown";
  if (info.f_type == TMPFS_MAGIC) return "tmpfs";
  const Mount mount = mountOf(path);
  if (info.f_type == EXT4_SUPER_MAGIC) {  // ext2, ext3 and ext4 share it
    const std::string type = mount.type.empty() ? "ext2/3/4" : mount.type;
    const std::string journal = ext4Journal(mount.device);
    return journal.empty() ? type : type + ", " + journal;
  }
  if (!mount.type.empty()) return mount.type;
  char hex[32];
  std::snprintf(hex, sizeof hex, "type 0x%lx", static_cast<unsigned long>(info.f_type));
  return hex;
}

void printFileSystem(const fs::path& path) {
  const std::string kind = fileSystemOf(path);
  std::printf("file system of %s: %s\n", path.c_str(), kind.c_str());
  // After a mass delete such a file system skips the freed inodes for a while, so that
  // its times follow the delete history more than the tools.
  if (kind.ends_with("no journal")) {
    std::printf("(disk figures belong on a journaled ext4; these are for comparison only)\n");
  }
  std::fflush(stdout);
}

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

void printRounds(const std::string& what, const Rounds& rounds) {
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

}  // namespace ferrowick::bench
