#pragma once

#include <QSystemTrayIcon>
#include <QTimer>

#include "ui/host/TrayIcon.h"

namespace ferrowick::ui {

// The notification-area icon through QSystemTrayIcon. Click, double-click, the context
// click and the middle click arrive as the messages 514, 515, 517 and 520.
class QtTrayIcon : public TrayIcon {
 public:
  QtTrayIcon();

  void add(const QIcon& icon, const QString& tip) override;
  bool areaAvailable() const override;
  void popUp(QMenu& menu) override;

  // The mouse message an activation of the icon stands for; 0 for none.
  static int messageFor(QSystemTrayIcon::ActivationReason reason);

 private:
  void watchForArea();

  QSystemTrayIcon icon_;
  // Polls for a notification area that appears after the icon was added (as at log-on).
  QTimer areaWatch_;
  bool added_ = false;
};

}  // namespace ferrowick::ui
