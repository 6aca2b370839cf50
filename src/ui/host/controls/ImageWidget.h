#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>

namespace ferrowick::ui {

// Shows a picture at its own size and reports pointer moves and clicks over it.
class ImageWidget : public QWidget {
 public:
  explicit ImageWidget(QWidget* parent);

  const QPixmap& picture() const { return picture_; }
  void setPicture(const QPixmap& picture);

  std::function<void()> moved;
  std::function<void()> clicked;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QPixmap picture_;
  bool pressed_ = false;
};

}  // namespace ferrowick::ui
