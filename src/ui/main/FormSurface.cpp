#include "ui/main/FormSurface.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/host/controls/Fire.h"
#include "ui/main/Artwork.h"

namespace ferrowick::ui {

FormSurface::FormSurface(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAutoFillBackground(true);
}

void FormSurface::resizeEvent(QResizeEvent*) {
  banner_ = artwork::banner(QSize(width(), artwork::kBannerHeight), devicePixelRatioF());
}

void FormSurface::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, banner_);
}

void FormSurface::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  fire(moved);
}

}  // namespace ferrowick::ui
