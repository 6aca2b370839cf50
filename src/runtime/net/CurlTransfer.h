#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

#include <curl/curl.h>

#include "runtime/net/HttpTransfer.h"

namespace ferrowick::runtime {

// The HTTP transfer over libcurl's multi interface: nothing blocks for longer than a
// short slice, so the caller can keep the event loop turning between polls.
class CurlTransfer : public HttpTransfer {
 public:
  CurlTransfer();
  CurlTransfer(const CurlTransfer&) = delete;
  CurlTransfer& operator=(const CurlTransfer&) = delete;
  ~CurlTransfer() override;

  void get(const std::string& url, std::chrono::milliseconds timeout, std::size_t maxBody) override;
  bool stillExecuting() override;
  std::string header() const override { return header_; }
  std::optional<std::string> body() const override;
  void cancel() override;

 private:
  static std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* self);
  static std::size_t onBody(char* data, std::size_t size, std::size_t count, void* self);
  void detach();

  CURLM* multi_ = nullptr;
  CURL* easy_ = nullptr;
  bool running_ = false;
  bool complete_ = false;
  std::size_t maxBody_ = 0;
  std::string header_;
  std::string body_;
};

}  // namespace ferrowick::runtime
