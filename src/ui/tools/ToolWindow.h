#pragma once

#include <QPointer>
#include <QWidget>

namespace ferrowick::ui {

// Shows a tool window and brings it forward; a minimised one comes back to its size, or
// reopening it from the menu would seem to do nothing.
inline void bringForward(QWidget& window) {
  window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
  window.show();
  window.raise();
  window.activateWindow();
}

// A tool window opens over the middle of the window that owns it.
inline void centreOver(QWidget& window, const QWidget* owner) {
  if (owner == nullptr || !owner->isVisible()) return;
  window.move(owner->frameGeometry().center() - window.rect().center());
}

// Opens a tool window's one instance, modeless and owned by `owner`: loads a fresh one
// when none is loaded (never opened, or closed since), else brings the loaded one forward.
template <class Window, class Context>
Window& openToolWindow(QPointer<Window>& instance, QWidget* owner, const Context& context) {
  if (instance.isNull()) {
    instance = new Window(owner, context);
    centreOver(*instance, owner);
  }
  instance->Show();
  return *instance;
}

}  // namespace ferrowick::ui
