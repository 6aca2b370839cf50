#pragma once

#include <QPointer>

#include "runtime/controls/Controls.h"
#include "ui/host/controls/ImageWidget.h"

namespace ferrowick::ui {

// An image control: a picture, a visibility flag, and pointer handlers.
class QtImage {
 public:
  explicit QtImage(QWidget* parent);
  QtImage(const QtImage&) = delete;
  QtImage& operator=(const QtImage&) = delete;
  ~QtImage();

  // The image's own flag, which reads the same while its window is hidden.
  bool visible() const { return !widget_->isHidden(); }
  void setVisible(bool visible) { widget_->setVisible(visible); }

  ImageWidget& widget() const { return *widget_; }

  runtime::Handler onClick;
  runtime::Handler onMouseMove;

 private:
  QPointer<ImageWidget> widget_;
};

}  // namespace ferrowick::ui
