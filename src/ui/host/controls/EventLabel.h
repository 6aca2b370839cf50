#pragma once

#include <QLabel>
#include <functional>

namespace ferrowick::ui {

// A label that reports the pointer moving over it and clicks on it, as the link-style
// labels need. Text is always plain: language texts are never read as markup.
class EventLabel : public QLabel {
 public:
  explicit EventLabel(QWidget* parent);

  std::function<void()> moved;
  std::function<void()> clicked;

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;
};

}  // namespace ferrowick::ui
