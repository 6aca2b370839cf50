#pragma once

#include <QPointer>
#include <QPushButton>
#include <string>

#include "runtime/controls/Controls.h"
#include "ui/host/controls/ConnectionGuard.h"

namespace ferrowick::ui {

// A command button: a caption and a click handler.
class QtButton {
 public:
  explicit QtButton(QWidget* parent);
  QtButton(const QtButton&) = delete;
  QtButton& operator=(const QtButton&) = delete;

  std::string caption() const { return caption_; }
  void setCaption(const std::string& caption);
  bool enabled() const { return widget_->isEnabled(); }
  void setEnabled(bool enabled) { widget_->setEnabled(enabled); }

  QPushButton& widget() const { return *widget_; }

  runtime::Handler onClick;

 private:
  QPointer<QPushButton> widget_;
  std::string caption_;
  ConnectionGuard connections_;
};

}  // namespace ferrowick::ui
