#include "BenchSupport.h"

#include <fcntl.h>
#include <sys/resource.h>
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

Timing freshCopyRun(const fs::path& work, const fs::path& archive, const fs::path& tree,
                    const fs::path& dest, bool incremental) {
  const std::vector<std::string> argv{"/proc/self/exe",       kFreshRun,     work.string(),
                                      archive.string(),       tree.string(), dest.string(),
                                      incremental ? "1" : "0"};
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

}  // namespace ferrowick::bench
