#include "runtime/net/CurlTransfer.h"

#include <string_view>

namespace ferrowick::runtime {

namespace {
// The longest single wait for the sockets: short enough that the event loop keeps the
// windows responsive, long enough that the poll does not spin.
constexpr int kSliceMs = 10;
// Headers beyond this are no answer this program can use; the transfer fails.
constexpr std::size_t kMaxHeader = 64 * 1024;

void initialiseOnce() {
  static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  (void)initialised;
}
}  // namespace

CurlTransfer::CurlTransfer() { initialiseOnce(); }

CurlTransfer::~CurlTransfer() {
  detach();
  if (easy_ != nullptr) curl_easy_cleanup(easy_);
  if (multi_ != nullptr) curl_multi_cleanup(multi_);
}

void CurlTransfer::get(const std::string& url, std::chrono::milliseconds timeout,
                       std::size_t maxBody) {
  cancel();
  header_.clear();
  body_.clear();
  complete_ = false;
  maxBody_ = maxBody;
  if (multi_ == nullptr) multi_ = curl_multi_init();
  if (easy_ == nullptr) easy_ = curl_easy_init();
  if (multi_ == nullptr || easy_ == nullptr) return;

  curl_easy_reset(easy_);
  curl_easy_setopt(easy_, CURLOPT_URL, url.c_str());
  curl_easy_setopt(easy_, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy_, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy_, CURLOPT_TIMEOUT_MS, static_cast<long>(timeout.count()));
  curl_easy_setopt(easy_, CURLOPT_HEADERFUNCTION, &CurlTransfer::onHeader);
  curl_easy_setopt(easy_, CURLOPT_HEADERDATA, this);
  curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &CurlTransfer::onBody);
  curl_easy_setopt(easy_, CURLOPT_WRITEDATA, this);
  running_ = curl_multi_add_handle(multi_, easy_) == CURLM_OK;
}

bool CurlTransfer::stillExecuting() {
  if (!running_) return false;
  int active = 0;
  curl_multi_perform(multi_, &active);
  if (active > 0) {
    curl_multi_poll(multi_, nullptr, 0, kSliceMs, nullptr);
    curl_multi_perform(multi_, &active);
  }
  int queued = 0;
  while (CURLMsg* message = curl_multi_info_read(multi_, &queued)) {
    if (message->msg == CURLMSG_DONE && message->easy_handle == easy_) {
      complete_ = message->data.result == CURLE_OK;
      detach();
    }
  }
  return running_;
}

std::optional<std::string> CurlTransfer::body() const {
  if (running_ || !complete_) return std::nullopt;
  return body_;
}

void CurlTransfer::cancel() {
  if (!running_) return;
  complete_ = false;
  detach();
}

void CurlTransfer::detach() {
  if (!running_) return;
  curl_multi_remove_handle(multi_, easy_);
  running_ = false;
}

std::size_t CurlTransfer::onHeader(char* data, std::size_t size, std::size_t count, void* self) {
  auto& transfer = *static_cast<CurlTransfer*>(self);
  const std::size_t length = size * count;
  if (transfer.header_.size() + length > kMaxHeader) return 0;
  const std::string_view line(data, length);
  // The blank line closing the header block is no header line.
  if (line != "\r\n" && line != "\n") transfer.header_.append(line);
  return length;
}

std::size_t CurlTransfer::onBody(char* data, std::size_t size, std::size_t count, void* self) {
  auto& transfer = *static_cast<CurlTransfer*>(self);
  const std::size_t length = size * count;
  if (length > transfer.maxBody_ - transfer.body_.size()) return 0;
  transfer.body_.append(data, length);
  return length;
}

}  // namespace ferrowick::runtime
