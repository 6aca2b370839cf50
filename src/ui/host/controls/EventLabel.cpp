#include "ui/host/controls/EventLabel.h"

#include <QMouseEvent>

namespace ferrowick::ui {

EventLabel::EventLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setMouseTracking(true);
}

void EventLabel::mouseMoveEvent(QMouseEvent* event) {
  // A label with its own mouse handling keeps the move; the form never sees it.
  event->accept();
  if (moved) moved();
}

void EventLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QLabel::mousePressEvent(event);
    return;
  }
  pressed_ = true;
  event->accept();
}

void EventLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) {
    QLabel::mouseReleaseEvent(event);
    return;
  }
  pressed_ = false;
  event->accept();
  // A click is a press and a release on the same label.
  if (rect().contains(event->position().toPoint()) && clicked) clicked();
}

}  // namespace ferrowick::ui
