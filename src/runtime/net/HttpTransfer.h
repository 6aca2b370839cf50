#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

namespace ferrowick::runtime {

// One HTTP transfer at a time, driven by polling from the user-interface thread: start
// a GET, ask whether it still runs (each ask moves it on), then read what came back.
class HttpTransfer {
 public:
  virtual ~HttpTransfer() = default;

  // Starts a GET of `url` with no request body and no extra request headers, ending any
  // transfer still running. The transfer fails when it takes longer than `timeout` or
  // when the body grows beyond `maxBody` bytes. A transfer that cannot start is over at
  // once, with no headers.
  virtual void get(const std::string& url, std::chrono::milliseconds timeout,
                   std::size_t maxBody) = 0;

  // Works on the transfer for a short moment; true while it has not ended.
  virtual bool stillExecuting() = 0;

  // Every response header line as received, the status line first, each ended by CR LF;
  // empty when no response arrived.
  virtual std::string header() const = 0;

  // The whole body, once the transfer has ended with all of it; nothing when it failed,
  // timed out, was cancelled or outgrew its limit.
  virtual std::optional<std::string> body() const = 0;

  // Ends a running transfer; nothing happens when none runs.
  virtual void cancel() = 0;
};

}  // namespace ferrowick::runtime
