#include "ui/host/controls/EventLabel.h"

#include <QKeyEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace ferrowick::ui {

EventLabel::EventLabel(QWidget* parent) : ClickableWidget<QLabel>(parent) {
  setTextFormat(Qt::PlainText);
}

void EventLabel::makeKeyboardLink() {
  keyboardLink_ = true;
  setFocusPolicy(Qt::TabFocus);
}

void EventLabel::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (keyboardLink_ && event->modifiers() == Qt::NoModifier &&
      (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
    event->accept();
    if (clicked) clicked();
    return;
  }
  QLabel::keyPressEvent(event);
}

void EventLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (!keyboardLink_ || !hasFocus()) return;
  QStylePainter painter(this);
  QStyleOptionFocusRect option;
  option.initFrom(this);
  option.rect = contentsRect();
  painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

}  // namespace ferrowick::ui
