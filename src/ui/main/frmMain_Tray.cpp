// The window's life beside the notification area: the close lock's window side, the
// activation rule, the minimise handling, the tray icon's messages and the close items.
#include <QApplication>
#include <QCloseEvent>
#include <QTimer>
#include <QWindow>
#include <utility>

#include "runtime/App.h"
#include "runtime/Host.h"
#include "ui/host/TrayIcon.h"
#include "ui/host/controls/Fire.h"
#include "ui/main/frmMain.h"
#include "ui/tools/FrmAbout.h"
#include "ui/tools/frmMd5.h"
#include "ui/tools/frmUpdate.h"

namespace ferrowick::ui {

void frmMain::wireTray() {
  mnuRestore_.onClick = [this] { mnuRestore_Click(); };
  mnuQuit_.onClick = [this] { mnuQuit_Click(); };
  mnuEnd_.onClick = [this] { mnuEnd_Click(); };
  systemMenu_.onRepaint = [this] { followCloseItem(); };
  if (context_.tray != nullptr) {
    context_.tray->onMessage = [this](int message) { Tray_MouseMove(message); };
    context_.tray->onAreaChanged = [this](bool available) { notificationAreaChanged(available); };
  }
}

void frmMain::addTrayIcon() {
  if (context_.tray == nullptr) return;
  context_.tray->add(windowIcon(), QString::fromStdString(context_.app.title()));
}

// Hiding needs the icon to come back by: without a notification area the window
// only minimises, so it never ends out of reach.
bool frmMain::canHide() const { return context_.tray != nullptr && context_.tray->areaAvailable(); }

// The title-bar close button follows the system menu's Close item.
void frmMain::followCloseItem() {
  Qt::WindowFlags flags = windowFlags() | Qt::Window | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint;
  flags.setFlag(Qt::WindowCloseButtonHint, systemMenu_.closeAllowed());
  if (flags == windowFlags()) return;
  const bool shown = isVisible();
  setWindowFlags(flags);
  if (shown) show();
}

// The title-bar button and Alt+F4 close only while the system menu carries the close
// command; the program's own close items end it without asking the window.
void frmMain::closeEvent(QCloseEvent* event) {
  if (systemMenu_.closeAllowed()) {
    event->accept();
  } else {
    event->ignore();
  }
}

// The activation rule runs once, at the window's first showing, once the show is done.
// Focus coming back later (from a tool window, a box or a click) changes nothing: the
// rule would hide the window and open the folder picker in the user's hands.
void frmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (activated_) return;
  activated_ = true;
  QTimer::singleShot(0, this, [this] { fire([this] { Form_Activate(); }); });
}

void frmMain::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) fire([this] { Form_Resize(); });
}

void frmMain::Form_Activate() {
  context_.host.loop.yield();
  if (!engine_.state.NoSettingsFile) setWindowState(windowState() | Qt::WindowMinimized);
}

void frmMain::Form_Resize() {
  if (!isMinimized() || quietMinimise_) return;
  // The window system reporting late the minimise that preceded a hide: nothing to do
  // but keep the hidden window normal.
  if (!isVisible()) {
    leaveMinimised();
    return;
  }
  if (canHide()) {
    leaveMinimised();
    hide();
  }
  // After the hide has taken effect, and outside the state change that asked for it.
  QTimer::singleShot(0, this, [this] { openDestinationPicker(); });
}

// A window asked to minimise keeps that request with the window manager, which maps it
// minimised again at its next showing; a window about to hide leaves the minimised state
// first, so that "Open" brings it back as a normal window.
void frmMain::leaveMinimised() {
  quietMinimise_ = true;
  setWindowState(windowState() & ~Qt::WindowMinimized);
  quietMinimise_ = false;
}

void frmMain::openDestinationPicker() { fire(Command1_.onClick); }

// Out of the way without the destination picker: hidden beside the icon, or minimised
// where there is no notification area.
void frmMain::minimiseQuietly() {
  if (canHide()) {
    leaveMinimised();
    hide();
    return;
  }
  quietMinimise_ = true;
  setWindowState(windowState() | Qt::WindowMinimized);
  quietMinimise_ = false;
}

// A hidden window whose notification area went away has nothing left to come back by:
// it comes back minimised. Once an area is back, canHide() lets it hide again.
void frmMain::notificationAreaChanged(bool available) {
  if (available || isVisible()) return;
  quietMinimise_ = true;
  setWindowState(windowState() | Qt::WindowMinimized);
  show();
  quietMinimise_ = false;
}

void frmMain::Tray_MouseMove(int message) {
  clearUnderlines();
  TrayMessage = message;
  if (context_.tray == nullptr) return;
  switch (TrayMessage) {
    case TrayMsg::LeftButtonUp:
      context_.tray->popUp(*mnuPopMenu_);
      break;
    case TrayMsg::LeftDoubleClick:
      mnuRestore_Click();
      break;
    case TrayMsg::RightButtonUp:
      if (isVisible()) activateWindow();
      context_.tray->popUp(*mnuPopMenu_);
      break;
    default:
      break;
  }
}

void frmMain::mnuRestore_Click() {
  setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
}

// Ends the program: a process without a window would be left behind otherwise.
void frmMain::mnuQuit_Click() { context_.endProgram(); }

void frmMain::mnuEnd_Click() { context_.endProgram(); }

}  // namespace ferrowick::ui
