#pragma once

#include <QPointer>
#include <QRadioButton>
#include <string>

#include "runtime/controls/Controls.h"
#include "ui/host/controls/ConnectionGuard.h"

namespace ferrowick::ui {

// An option button. The options with the same parent widget form one group: selecting
// one clears the others. Its click handler runs only when it becomes selected, by the
// user or by code; selecting it again or clearing it from code runs nothing.
class QtOptionButton : public runtime::OptionButton {
 public:
  explicit QtOptionButton(QWidget* container, bool selected = false);
  QtOptionButton(const QtOptionButton&) = delete;
  QtOptionButton& operator=(const QtOptionButton&) = delete;

  bool value() const override;
  void setValue(bool selected) override;
  void setCaption(const std::string& caption) override;
  std::string caption() const { return caption_; }

  QRadioButton& widget() const { return *widget_; }

  runtime::Handler onClick;

 private:
  QPointer<QRadioButton> widget_;
  std::string caption_;
  ConnectionGuard connections_;
};

}  // namespace ferrowick::ui
