#include "ui/host/controls/ImageWidget.h"

#include <QPainter>

namespace ferrowick::ui {

void ImageWidget::setPicture(const QPixmap& picture) {
  picture_ = picture;
  update();
}

void ImageWidget::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  painter.drawPixmap(0, 0, picture_);
}

}  // namespace ferrowick::ui
