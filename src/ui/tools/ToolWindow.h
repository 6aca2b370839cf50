#pragma once

#include <QPointer>
#include <QWidget>

namespace ferrowick::ui {

// Opens a tool window's one instance, modeless and owned by `owner`: loads a fresh one
// when none is loaded (never opened, or closed since), else brings the loaded one forward.
template <class Window, class Context>
Window& openToolWindow(QPointer<Window>& instance, QWidget* owner, const Context& context) {
  if (instance.isNull()) instance = new Window(owner, context);
  instance->Show();
  return *instance;
}

}  // namespace ferrowick::ui
