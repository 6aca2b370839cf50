#pragma once

#include <QCheckBox>
#include <QPointer>
#include <string>

#include "runtime/controls/Controls.h"
#include "ui/host/controls/ConnectionGuard.h"

namespace ferrowick::ui {

// A check box: unticked, ticked or greyed. Its click handler runs on every change
// of the value, by the user or by code.
class QtCheckBox : public runtime::CheckBox {
 public:
  explicit QtCheckBox(QWidget* parent, runtime::CheckState value = runtime::CheckState::Unchecked);
  QtCheckBox(const QtCheckBox&) = delete;
  QtCheckBox& operator=(const QtCheckBox&) = delete;

  runtime::CheckState value() const override;
  // Raises 380 for a value that names no state.
  void setValue(runtime::CheckState value) override;
  void setCaption(const std::string& caption) override;
  std::string caption() const { return caption_; }

  QCheckBox& widget() const { return *widget_; }

  runtime::Handler onClick;

 private:
  QPointer<QCheckBox> widget_;
  std::string caption_;
  ConnectionGuard connections_;
};

}  // namespace ferrowick::ui
