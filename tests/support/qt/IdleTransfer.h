#pragma once

#include <memory>

#include "runtime/net/HttpTransfer.h"

namespace ferrowick::testing {

// A transfer that is over at once with no response: no window test touches the network.
class IdleTransfer : public runtime::HttpTransfer {
 public:
  void get(const std::string&, std::chrono::milliseconds, std::size_t) override {}
  bool stillExecuting() override { return false; }
  std::string header() const override { return {}; }
  std::optional<std::string> body() const override { return std::nullopt; }
  void cancel() override {}
};

}  // namespace ferrowick::testing
