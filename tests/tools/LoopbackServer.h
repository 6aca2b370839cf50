#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace ferrowick::testing {

// An HTTP server on 127.0.0.1 that answers a request for the version file with the scripted
// raw response and closes; without a response it never answers. Other requests get nothing.
class LoopbackServer {
 public:
  explicit LoopbackServer(std::optional<std::string> response)
      : response_(std::move(response)), listener_(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    auto* any = reinterpret_cast<sockaddr*>(&address);
    if (bind(listener_, any, length) != 0 || listen(listener_, 8) != 0 ||
        getsockname(listener_, any, &length) != 0)
      throw std::runtime_error("no loopback server");
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
  }
  ~LoopbackServer() {
    shutdown(listener_, SHUT_RDWR);  // ends the waiting accept
    thread_.join();
    for (int client : held_) close(client);
    close(listener_);
  }

  std::string url() const {
    return "http://127.0.0.1:" + std::to_string(port_) + "/updates/ferrowick.txt";
  }
  int connections() const { return connections_; }

 private:
  void serve() {
    for (int client; (client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
      std::string request;
      char buffer[4096];
      for (ssize_t got = 0; request.find("\r\n\r\n") == std::string::npos &&
                            (got = read(client, buffer, sizeof buffer)) > 0;)
        request.append(buffer, static_cast<std::size_t>(got));
      ++connections_;
      if (request.rfind("GET /updates/ferrowick.txt HTTP/1.1\r\n", 0) != 0) {
        close(client);
        continue;
      }
      if (!response_) {
        held_.push_back(client);
        continue;
      }
      // The responses are small enough for one send.
      send(client, response_->data(), response_->size(), MSG_NOSIGNAL);
      shutdown(client, SHUT_WR);
      close(client);
    }
  }

  std::optional<std::string> response_;
  int listener_;
  int port_ = 0;
  std::atomic<int> connections_{0};
  std::vector<int> held_;
  std::thread thread_;
};

}  // namespace ferrowick::testing
