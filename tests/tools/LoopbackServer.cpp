#include "LoopbackServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace ferrowick::testing {

namespace {
void check(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(what);
}

// Waits for `fd` or the stop pipe; false once the server is stopping.
bool waitFor(int fd, int stop) {
  pollfd fds[2] = {{fd, POLLIN, 0}, {stop, POLLIN, 0}};
  while (poll(fds, 2, -1) < 0) {
  }
  return (fds[1].revents & POLLIN) == 0;
}
}  // namespace

LoopbackServer::LoopbackServer(std::optional<std::string> response)
    : response_(std::move(response)) {
  listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  check(listener_ >= 0, "socket");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  check(bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0, "bind");
  check(listen(listener_, 8) == 0, "listen");
  socklen_t length = sizeof address;
  check(getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) == 0, "getsockname");
  port_ = ntohs(address.sin_port);
  check(pipe2(stopPipe_, O_CLOEXEC) == 0, "pipe");
  thread_ = std::thread([this] { serve(); });
}

LoopbackServer::~LoopbackServer() {
  const char stop = 's';
  (void)!write(stopPipe_[1], &stop, 1);
  thread_.join();
  for (int client : held_) close(client);
  close(listener_);
  close(stopPipe_[0]);
  close(stopPipe_[1]);
}

std::string LoopbackServer::url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> LoopbackServer::requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

void LoopbackServer::serve() {
  while (waitFor(listener_, stopPipe_[0])) {
    const int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) continue;
    ++connections_;
    answer(client);
  }
}

void LoopbackServer::answer(int client) {
  std::string request;
  char buffer[4096];
  while (request.find("\r\n\r\n") == std::string::npos && waitFor(client, stopPipe_[0])) {
    const ssize_t got = read(client, buffer, sizeof buffer);
    if (got <= 0) break;
    request.append(buffer, static_cast<std::size_t>(got));
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(request);
  }
  if (!response_) {
    held_.push_back(client);
    return;
  }
  std::size_t sent = 0;
  while (sent < response_->size()) {
    const ssize_t wrote =
        send(client, response_->data() + sent, response_->size() - sent, MSG_NOSIGNAL);
    if (wrote <= 0) break;
    sent += static_cast<std::size_t>(wrote);
  }
  shutdown(client, SHUT_WR);
  close(client);
}

}  // namespace ferrowick::testing
