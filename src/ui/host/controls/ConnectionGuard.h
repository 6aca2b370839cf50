#pragma once

#include <QMetaObject>
#include <QObject>
#include <vector>

namespace ferrowick::ui {

// A control wrapper dies before the widget it wraps (the widget belongs to its Qt
// parent), so it drops its signal connections first: a late signal must not reach a
// wrapper that is gone.
class ConnectionGuard {
 public:
  ConnectionGuard() = default;
  ConnectionGuard(const ConnectionGuard&) = delete;
  ConnectionGuard& operator=(const ConnectionGuard&) = delete;
  ~ConnectionGuard() {
    for (const QMetaObject::Connection& connection : connections_) {
      QObject::disconnect(connection);
    }
  }

  void add(QMetaObject::Connection connection) { connections_.push_back(connection); }

 private:
  std::vector<QMetaObject::Connection> connections_;
};

}  // namespace ferrowick::ui
