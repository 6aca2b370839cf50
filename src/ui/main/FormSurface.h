#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>

namespace ferrowick::ui {

// The main window's own surface: it carries the banner across the top and reports
// pointer moves that land on the surface itself rather than on one of its controls.
class FormSurface : public QWidget {
 public:
  explicit FormSurface(QWidget* parent);

  std::function<void()> moved;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QPixmap banner_;
};

}  // namespace ferrowick::ui
