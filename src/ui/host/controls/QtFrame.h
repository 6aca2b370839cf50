#pragma once

#include <QGroupBox>
#include <QPointer>
#include <string>

namespace ferrowick::ui {

// A frame: a captioned box around controls. Disabling it disables everything inside.
class QtFrame {
 public:
  explicit QtFrame(QWidget* parent) : widget_(new QGroupBox(parent)) {}
  QtFrame(const QtFrame&) = delete;
  QtFrame& operator=(const QtFrame&) = delete;

  std::string caption() const { return caption_; }
  void setCaption(const std::string& caption);
  bool enabled() const { return widget_->isEnabled(); }
  void setEnabled(bool enabled) { widget_->setEnabled(enabled); }

  QGroupBox& widget() const { return *widget_; }

 private:
  QPointer<QGroupBox> widget_;
  std::string caption_;
};

}  // namespace ferrowick::ui
