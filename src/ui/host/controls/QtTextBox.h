#pragma once

#include <QLineEdit>
#include <QPointer>
#include <string>

#include "runtime/controls/Controls.h"
#include "ui/host/controls/ConnectionGuard.h"

namespace ferrowick::ui {

// A one-line text box. Its change handler runs on every change of the text, typed or
// set by code, at once.
class QtTextBox : public runtime::TextBox {
 public:
  explicit QtTextBox(QWidget* parent, const std::string& text = {});
  QtTextBox(const QtTextBox&) = delete;
  QtTextBox& operator=(const QtTextBox&) = delete;

  std::string text() const override;
  void setText(const std::string& text) override;
  void setFocus() override;

  QLineEdit& widget() const { return *widget_; }

  runtime::Handler onChange;

 private:
  QPointer<QLineEdit> widget_;
  ConnectionGuard connections_;
};

// The "##:##" time field with "_" as its prompt: its text reads "__:__" while empty.
class QtMaskedEdit : public QtTextBox {
 public:
  explicit QtMaskedEdit(QWidget* parent);

  std::string text() const override;
  // Raises 380 for a text that does not fit the mask.
  void setText(const std::string& text) override;
};

}  // namespace ferrowick::ui
