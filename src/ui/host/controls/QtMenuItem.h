#pragma once

#include <QAction>
#include <QPointer>
#include <string>

#include "runtime/controls/Controls.h"
#include "ui/host/controls/ConnectionGuard.h"

namespace ferrowick::ui {

// A menu or menu item: a caption and a click handler. A menu is the item that opens it.
class QtMenuItem {
 public:
  explicit QtMenuItem(QAction* action);
  QtMenuItem(const QtMenuItem&) = delete;
  QtMenuItem& operator=(const QtMenuItem&) = delete;

  std::string caption() const { return caption_; }
  void setCaption(const std::string& caption);

  QAction& action() const { return *action_; }

  runtime::Handler onClick;

 private:
  QPointer<QAction> action_;
  std::string caption_;
  ConnectionGuard connections_;
};

}  // namespace ferrowick::ui
