#pragma once

#include <QPointer>
#include <QProgressBar>

namespace ferrowick::ui {

// A progress bar: a value within a range, drawn as a filled share of its width.
class QtProgressBar {
 public:
  QtProgressBar(QWidget* parent, int min, int max);
  QtProgressBar(const QtProgressBar&) = delete;
  QtProgressBar& operator=(const QtProgressBar&) = delete;

  int value() const { return widget_->value(); }
  void setValue(int value) { widget_->setValue(value); }

  QProgressBar& widget() const { return *widget_; }

 private:
  QPointer<QProgressBar> widget_;
};

}  // namespace ferrowick::ui
