#pragma once

#include <QTimer>

#include "runtime/controls/Controls.h"
#include "ui/host/controls/ConnectionGuard.h"

namespace ferrowick::ui {

// A window's timer: an interval in milliseconds, an enabled flag and a tick handler.
class QtTimer {
 public:
  QtTimer(int intervalMs, bool enabled);
  QtTimer(const QtTimer&) = delete;
  QtTimer& operator=(const QtTimer&) = delete;

  int interval() const { return timer_.interval(); }
  void setInterval(int intervalMs) { timer_.setInterval(intervalMs); }
  bool enabled() const { return timer_.isActive(); }
  void setEnabled(bool enabled);

  runtime::Handler onTimer;

 private:
  QTimer timer_;
  ConnectionGuard connections_;
};

}  // namespace ferrowick::ui
