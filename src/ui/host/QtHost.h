#pragma once

#include <QPointer>
#include <QWidget>
#include <chrono>
#include <functional>
#include <optional>

#include "runtime/Host.h"

namespace ferrowick::ui {

// Qt bindings of the runtime's outside-world interfaces.

class QtMessageBoxes : public runtime::MessageBoxes {
 public:
  // Boxes are owned by the program's active window, else by `parent` when one is set
  // (the main window, once it exists).
  void setParent(QWidget* parent) { parent_ = parent; }
  runtime::MsgAnswer show(const std::string& text, runtime::MsgStyle style,
                          const std::string& caption) override;

 private:
  QPointer<QWidget> parent_;
};

// A long piece of work yields once per small step; processing (and painting) every time
// would cost far more than the steps. Events are processed at most once per interval,
// counted from the end of the last processing, which keeps handlers and timers running
// and the window painted with what it shows now.
class QtEventLoop : public runtime::EventLoop {
 public:
  using Now = std::function<std::chrono::steady_clock::time_point()>;
  static constexpr std::chrono::milliseconds kInterval{10};

  explicit QtEventLoop(Now now = &std::chrono::steady_clock::now) : now_(std::move(now)) {}
  void yield() override;

 private:
  Now now_;
  std::optional<std::chrono::steady_clock::time_point> processed_;
};

class SystemClock : public runtime::Clock {
 public:
  runtime::DateTime now() override;
};

class QtBusyPointer : public runtime::BusyPointer {
 public:
  void setBusy(bool busy) override;

 private:
  bool busy_ = false;
};

class QtShell : public runtime::Shell {
 public:
  int open(const std::string& target) override;
};

class QtFolderPicker : public runtime::FolderPicker {
 public:
  void setParent(QWidget* parent) { parent_ = parent; }
  std::string browse(const std::string& title, const std::string& startFolder) override;

 private:
  QPointer<QWidget> parent_;
};

// The whole set, as the program binds it.
class QtHost {
 public:
  QtHost();
  runtime::Host& host() { return host_; }
  void setMainWindow(QWidget* window);

  QtMessageBoxes messages;
  QtEventLoop loop;
  SystemClock clock;
  QtBusyPointer pointer;
  QtShell shell;
  QtFolderPicker folders;

 private:
  runtime::Host host_;
};

// A carriage return inside a text is a line break wherever it is shown.
QString displayText(const std::string& text);

}  // namespace ferrowick::ui
