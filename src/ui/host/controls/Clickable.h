#pragma once

#include <QMouseEvent>
#include <QWidget>
#include <functional>

namespace ferrowick::ui {

// Pointer handling shared by the controls that report moves and clicks: every move is
// reported, and a left press followed by a left release inside the widget is a click.
// No Q_OBJECT here (moc cannot handle templates); the concrete classes add it if needed.
template <class Base>
class ClickableWidget : public Base {
 public:
  explicit ClickableWidget(QWidget* parent) : Base(parent) { this->setMouseTracking(true); }

  std::function<void()> moved;
  std::function<void()> clicked;

 protected:
  void mouseMoveEvent(QMouseEvent* event) override {
    // A control with its own mouse handling keeps the move; the form never sees it.
    event->accept();
    if (moved) moved();
  }

  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) {
      Base::mousePressEvent(event);
      return;
    }
    pressed_ = true;
    event->accept();
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton || !pressed_) {
      Base::mouseReleaseEvent(event);
      return;
    }
    pressed_ = false;
    event->accept();
    // A click is a press and a release on the same control.
    if (this->rect().contains(event->position().toPoint()) && clicked) clicked();
  }

 private:
  bool pressed_ = false;
};

}  // namespace ferrowick::ui
