#include "ui/host/controls/PageWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace ferrowick::ui {

PageWidget::PageWidget(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_StyledBackground, false);
}

void PageWidget::setTitle(const QString& title) {
  if (title == title_) return;
  title_ = title;
  update();
}

int PageWidget::tabHeight() { return 22; }

// The page keeps pointer moves over it; they are not moves over the window's surface.
void PageWidget::mouseMoveEvent(QMouseEvent* event) { event->accept(); }

void PageWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, true);
  const QPalette& colours = palette();
  const QColor edge = colours.color(QPalette::Mid);

  QFont bold = font();
  bold.setBold(true);
  const int textWidth = QFontMetrics(bold).horizontalAdvance(title_);
  const int tabWidth = std::min(width() - 2, std::max(96, textWidth + 28));
  const int top = tabHeight() - 1;

  // The body: a light panel under the tab.
  const QRectF body(0.5, top + 0.5, width() - 1.0, height() - top - 1.0);
  painter.setPen(edge);
  painter.setBrush(colours.color(QPalette::Window).lighter(104));
  painter.drawRoundedRect(body, 3, 3);

  // The tab, open towards the body.
  QPainterPath tab;
  tab.moveTo(0.5, top + 1.0);
  tab.lineTo(0.5, 4.5);
  tab.quadTo(0.5, 0.5, 4.5, 0.5);
  tab.lineTo(tabWidth - 4.5, 0.5);
  tab.quadTo(tabWidth - 0.5, 0.5, tabWidth - 0.5, 4.5);
  tab.lineTo(tabWidth - 0.5, top + 1.0);
  painter.setBrush(colours.color(QPalette::Window).lighter(104));
  painter.drawPath(tab);
  painter.setPen(Qt::NoPen);
  painter.drawRect(QRectF(1.0, top - 0.5, tabWidth - 2.0, 2.0));

  painter.setPen(colours.color(QPalette::WindowText));
  painter.setFont(bold);
  painter.drawText(QRect(0, 0, tabWidth, top + 1), Qt::AlignCenter,
                   painter.fontMetrics().elidedText(title_, Qt::ElideRight, tabWidth - 12));
}

}  // namespace ferrowick::ui
