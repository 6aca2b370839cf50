#include "ui/host/controls/ImageWidget.h"

#include <QMouseEvent>
#include <QPainter>

namespace ferrowick::ui {

ImageWidget::ImageWidget(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }

void ImageWidget::setPicture(const QPixmap& picture) {
  picture_ = picture;
  update();
}

void ImageWidget::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  painter.drawPixmap(0, 0, picture_);
}

void ImageWidget::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  if (moved) moved();
}

void ImageWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  pressed_ = true;
  event->accept();
}

void ImageWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  pressed_ = false;
  event->accept();
  if (rect().contains(event->position().toPoint()) && clicked) clicked();
}

}  // namespace ferrowick::ui
