#include "ui/host/controls/QtTimer.h"

#include "ui/host/controls/Fire.h"

namespace ferrowick::ui {

QtTimer::QtTimer(int intervalMs, bool enabled) {
  timer_.setInterval(intervalMs);
  connections_.add(QObject::connect(&timer_, &QTimer::timeout, [this] { fire(onTimer); }));
  setEnabled(enabled);
}

void QtTimer::setEnabled(bool enabled) {
  if (enabled == timer_.isActive()) return;
  if (enabled) {
    timer_.start();
  } else {
    timer_.stop();
  }
}

}  // namespace ferrowick::ui
