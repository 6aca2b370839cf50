#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace ferrowick::testing {

// An HTTP server of the test's own on 127.0.0.1, at a port the system chooses. It reads
// each request up to its blank line, then writes the scripted raw response and closes the
// connection; without a response it holds every connection open and never answers.
class LoopbackServer {
 public:
  explicit LoopbackServer(std::optional<std::string> response);
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;
  ~LoopbackServer();

  // "http://127.0.0.1:<port>" followed by `path`.
  std::string url(const std::string& path) const;
  int connections() const { return connections_; }
  std::vector<std::string> requests() const;

 private:
  void serve();
  void answer(int client);

  std::optional<std::string> response_;
  int listener_ = -1;
  int stopPipe_[2] = {-1, -1};
  int port_ = 0;
  std::atomic<int> connections_{0};
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::vector<int> held_;
  std::thread thread_;
};

}  // namespace ferrowick::testing
