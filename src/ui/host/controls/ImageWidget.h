#pragma once

#include <QPixmap>
#include <QWidget>

#include "ui/host/controls/Clickable.h"

namespace ferrowick::ui {

// Shows a picture at its own size and reports pointer moves and clicks over it.
class ImageWidget : public ClickableWidget<QWidget> {
 public:
  using ClickableWidget<QWidget>::ClickableWidget;

  const QPixmap& picture() const { return picture_; }
  void setPicture(const QPixmap& picture);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap picture_;
};

}  // namespace ferrowick::ui
