#pragma once

#include <QPointer>
#include <QWidget>
#include <string>

#include "runtime/controls/Controls.h"

namespace ferrowick::ui {

// A top-level window as the program's code sees it: its caption and a repaint.
class QtWindow : public runtime::Window {
 public:
  explicit QtWindow(QWidget& window) : window_(&window) {}

  std::string caption() const override;
  void setCaption(const std::string& caption) override;
  void refresh() override;

 private:
  QPointer<QWidget> window_;
};

}  // namespace ferrowick::ui
