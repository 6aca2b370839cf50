#include "ui/host/QtTrayIcon.h"

#include <QCursor>

#include "ui/host/ErrorBoundary.h"

namespace ferrowick::ui {

namespace {
constexpr int kAreaPollMs = 2000;

}  // namespace

// A middle click pops nothing up, but reaches the window like any other message.
int QtTrayIcon::messageFor(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::Trigger:
      return TrayMsg::LeftButtonUp;
    case QSystemTrayIcon::DoubleClick:
      return TrayMsg::LeftDoubleClick;
    case QSystemTrayIcon::Context:
      return TrayMsg::RightButtonUp;
    case QSystemTrayIcon::MiddleClick:
      return TrayMsg::MiddleButtonUp;
    default:
      return 0;
  }
}

QtTrayIcon::QtTrayIcon() {
  QObject::connect(&icon_, &QSystemTrayIcon::activated,
                   [this](QSystemTrayIcon::ActivationReason reason) {
                     const int message = messageFor(reason);
                     if (message == 0 || !onMessage) return;
                     ErrorBoundary::fire([&] { onMessage(message); });
                   });
  areaWatch_.setInterval(kAreaPollMs);
  QObject::connect(&areaWatch_, &QTimer::timeout, [this] { watchForArea(); });
}

void QtTrayIcon::add(const QIcon& icon, const QString& tip) {
  if (added_) return;
  added_ = true;
  icon_.setIcon(icon);
  icon_.setToolTip(tip);
  icon_.show();
  if (!areaAvailable()) areaWatch_.start();
}

bool QtTrayIcon::areaAvailable() const { return QSystemTrayIcon::isSystemTrayAvailable(); }

// Registering again once the area exists puts the icon into it.
void QtTrayIcon::watchForArea() {
  if (!areaAvailable()) return;
  areaWatch_.stop();
  icon_.hide();
  icon_.show();
}

void QtTrayIcon::popUp(QMenu& menu) { menu.exec(QCursor::pos()); }

}  // namespace ferrowick::ui
