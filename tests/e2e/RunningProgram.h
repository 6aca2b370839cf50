#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

namespace ferrowick::testing {

// The real program binary, started offscreen in the current test's sandbox with the
// tests' probe loaded: its message boxes and pickers are answered and written to `log`,
// its main window's state is written to `state` while it runs.
class RunningProgram {
 public:
  explicit RunningProgram(const std::string& name);
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  std::string log() const;
  std::string state() const;
  // True while the process has not ended.
  bool running();
  // Waits for the end, at most `limit`; the exit status, or -1 when still running.
  int waitForExit(std::chrono::milliseconds limit = std::chrono::seconds(20));

 private:
  std::filesystem::path log_;
  std::filesystem::path state_;
  pid_t pid_ = -1;
  int status_ = -1;
};

// Polls `condition` until it holds or `limit` passes; true when it held.
bool eventually(const std::function<bool()>& condition,
                std::chrono::milliseconds limit = std::chrono::seconds(20));

}  // namespace ferrowick::testing
