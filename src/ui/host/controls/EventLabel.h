#pragma once

#include <QLabel>

#include "ui/host/controls/Clickable.h"

namespace ferrowick::ui {

// A label that reports the pointer moving over it and clicks on it, as the link-style
// labels need. Text is always plain: language texts are never read as markup.
class EventLabel : public ClickableWidget<QLabel> {
 public:
  explicit EventLabel(QWidget* parent);

  // Makes the label a link the keyboard can use: Tab stops at it, it shows the focus,
  // and Enter, Return or Space click it.
  void makeKeyboardLink();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool keyboardLink_ = false;
};

}  // namespace ferrowick::ui
