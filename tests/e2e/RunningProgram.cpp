#include "RunningProgram.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "support/Sandbox.h"

namespace ferrowick::testing {

namespace {
std::string contents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}
}  // namespace

RunningProgram::RunningProgram(const std::string& name)
    : log_(Sandbox::root() / (name + ".log")), state_(Sandbox::root() / (name + ".state")) {
  const std::string output = (Sandbox::root() / (name + ".out")).string();
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("QT_PLUGIN_PATH", FERROWICK_E2E_PLUGINS, 1);
    ::setenv("QT_STYLE_OVERRIDE", "ferrowick-e2e-probe", 1);
    ::setenv("FERROWICK_E2E_LOG", log_.c_str(), 1);
    ::setenv("FERROWICK_E2E_STATE", state_.c_str(), 1);
    const int out = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out >= 0) {
      ::dup2(out, STDOUT_FILENO);
      ::dup2(out, STDERR_FILENO);
    }
    ::execl(FERROWICK_BINARY, FERROWICK_BINARY, static_cast<char*>(nullptr));
    ::_exit(127);
  }
}

RunningProgram::~RunningProgram() {
  if (!running()) return;
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, &status_, 0);
}

std::string RunningProgram::log() const { return contents(log_); }
std::string RunningProgram::state() const { return contents(state_); }

bool RunningProgram::running() {
  if (status_ != -1) return false;
  int status = 0;
  if (::waitpid(pid_, &status, WNOHANG) == 0) return true;
  status_ = status;
  return false;
}

int RunningProgram::waitForExit(std::chrono::milliseconds limit) {
  if (!eventually([this] { return !running(); }, limit)) return -1;
  return WIFEXITED(status_) ? WEXITSTATUS(status_) : 128 + WTERMSIG(status_);
}

bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

}  // namespace ferrowick::testing
