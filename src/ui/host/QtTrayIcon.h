#pragma once

#include <QSystemTrayIcon>
#include <QTimer>

#include "ui/host/TrayIcon.h"

namespace ferrowick::ui {

// The notification-area icon through QSystemTrayIcon. Click, double-click, the context
// click and the middle click arrive as the messages 514, 515, 517 and 520. A click is
// held back for the double-click interval: the menu it pops up would otherwise take the
// second click of a double-click.
class QtTrayIcon : public TrayIcon {
 public:
  QtTrayIcon();

  void add(const QIcon& icon, const QString& tip) override;
  bool areaAvailable() const override;
  void popUp(QMenu& menu) override;

  // The mouse message an activation of the icon stands for; 0 for none.
  static int messageFor(QSystemTrayIcon::ActivationReason reason);

  // One activation of the icon, as the desktop reports it.
  void activate(QSystemTrayIcon::ActivationReason reason);
  // How long a click waits for a second one; the desktop's double-click interval unless set.
  void setDoubleClickWait(int ms);

 private:
  void watchForArea();
  void deliver(int message);

  QSystemTrayIcon icon_;
  // Polls for a notification area that appears after the icon was added (as at log-on),
  // or goes away (its panel ended) and perhaps comes back.
  QTimer areaWatch_;
  bool areaShown_ = false;
  // Runs while a click waits to be delivered.
  QTimer pendingClick_;
  bool added_ = false;
};

}  // namespace ferrowick::ui
