#pragma once

#include <QSystemTrayIcon>
#include <QTimer>

#include "ui/host/TrayIcon.h"

namespace ferrowick::ui {

// The notification-area icon through QSystemTrayIcon. Click, double-click and the
// context click arrive as the messages 514, 515 and 517.
class QtTrayIcon : public TrayIcon {
 public:
  QtTrayIcon();

  void add(const QIcon& icon, const QString& tip) override;
  bool areaAvailable() const override;
  void popUp(QMenu& menu) override;

 private:
  void watchForArea();

  QSystemTrayIcon icon_;
  // Polls for a notification area that appears after the icon was added (as at log-on).
  QTimer areaWatch_;
  bool added_ = false;
};

}  // namespace ferrowick::ui
