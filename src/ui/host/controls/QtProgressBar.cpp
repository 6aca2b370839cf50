#include "ui/host/controls/QtProgressBar.h"

namespace ferrowick::ui {

QtProgressBar::QtProgressBar(QWidget* parent, int min, int max)
    : widget_(new QProgressBar(parent)) {
  widget_->setRange(min, max);
  widget_->setValue(min);
  widget_->setTextVisible(false);
}

}  // namespace ferrowick::ui
