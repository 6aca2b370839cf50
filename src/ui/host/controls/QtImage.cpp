#include "ui/host/controls/QtImage.h"

#include "ui/host/controls/Fire.h"

namespace ferrowick::ui {

QtImage::QtImage(QWidget* parent) : widget_(new ImageWidget(parent)) {
  widget_->clicked = [this] { fire(onClick); };
  widget_->moved = [this] { fire(onMouseMove); };
}

QtImage::~QtImage() {
  if (widget_ == nullptr) return;
  widget_->clicked = nullptr;
  widget_->moved = nullptr;
}

}  // namespace ferrowick::ui
