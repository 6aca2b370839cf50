#include "ui/host/QtTrayIcon.h"

#include <QCursor>
#include <QGuiApplication>
#include <QStyleHints>

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
                   [this](QSystemTrayIcon::ActivationReason reason) { activate(reason); });
  pendingClick_.setSingleShot(true);
  pendingClick_.setInterval(QGuiApplication::styleHints()->mouseDoubleClickInterval());
  QObject::connect(&pendingClick_, &QTimer::timeout, [this] { deliver(TrayMsg::LeftButtonUp); });
  areaWatch_.setInterval(kAreaPollMs);
  QObject::connect(&areaWatch_, &QTimer::timeout, [this] { watchForArea(); });
}

// The second click of a double-click reports a click too; it joins the one waiting. Any
// other click replaces the waiting one, whose menu would pop up over the new click's.
void QtTrayIcon::activate(QSystemTrayIcon::ActivationReason reason) {
  if (reason == QSystemTrayIcon::Trigger) {
    if (!pendingClick_.isActive()) pendingClick_.start();
    return;
  }
  pendingClick_.stop();
  deliver(messageFor(reason));
}

void QtTrayIcon::setDoubleClickWait(int ms) { pendingClick_.setInterval(ms); }

void QtTrayIcon::deliver(int message) {
  if (message == 0 || !onMessage) return;
  ErrorBoundary::fire([&] { onMessage(message); });
}

void QtTrayIcon::add(const QIcon& icon, const QString& tip) {
  if (added_) return;
  added_ = true;
  icon_.setIcon(icon);
  icon_.setToolTip(tip);
  icon_.show();
  areaShown_ = areaAvailable();
  areaWatch_.start();
}

bool QtTrayIcon::areaAvailable() const { return QSystemTrayIcon::isSystemTrayAvailable(); }

// Registering again once the area exists puts the icon into it.
void QtTrayIcon::watchForArea() {
  const bool available = areaAvailable();
  if (available == areaShown_) return;
  areaShown_ = available;
  if (available) {
    icon_.hide();
    icon_.show();
  }
  if (onAreaChanged) ErrorBoundary::fire([&] { onAreaChanged(available); });
}

void QtTrayIcon::popUp(QMenu& menu) { menu.exec(QCursor::pos()); }

}  // namespace ferrowick::ui
