#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <thread>

#include "support/Sandbox.h"

namespace ferrowick::testing {

// True once `condition` holds; false after 20 s.
inline bool eventually(const std::function<bool()>& condition) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// The real program, started offscreen in the test's sandbox with the probe loaded, which
// answers and logs its message boxes and writes its main window's state.
class RunningProgram {
 public:
  explicit RunningProgram(const std::string& name) : files_(Sandbox::root() / name) {
    pid_ = ::fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ > 0) return;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("QT_PLUGIN_PATH", FERROWICK_E2E_PLUGINS, 1);
    ::setenv("QT_STYLE_OVERRIDE", "ferrowick-e2e-probe", 1);
    ::setenv("FERROWICK_E2E_FILES", files_.c_str(), 1);
    ::execl(FERROWICK_BINARY, FERROWICK_BINARY, static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ~RunningProgram() {
    if (!running()) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  std::string log() const { return contents(".log"); }
  std::string state() const { return contents(".state"); }
  bool running() {
    if (!ended_ && ::waitpid(pid_, &status_, WNOHANG) != 0) ended_ = true;
    return !ended_;
  }
  // The exit code, or -1 when it still runs or was killed.
  int waitForExit() {
    const bool ended = eventually([this] { return !running(); });
    return ended && WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
  }

 private:
  std::string contents(const char* suffix) const {
    std::ifstream in(files_.string() + suffix, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  std::filesystem::path files_;
  pid_t pid_ = -1;
  int status_ = 0;
  bool ended_ = false;
};

}  // namespace ferrowick::testing
