#pragma once

#include <QComboBox>
#include <QPointer>
#include <string>

#include "runtime/controls/Controls.h"
#include "ui/host/controls/ConnectionGuard.h"

namespace ferrowick::ui {

// A choice list: a drop-down of items that offers no typing. Its text is the chosen
// item's, or empty while none is chosen; setting a text chooses the item of that text,
// and a text that names no item leaves nothing chosen. The change handler runs when the
// choice changes, by the user or by code.
class QtComboBox : public runtime::ComboBox {
 public:
  explicit QtComboBox(QWidget* parent);
  QtComboBox(const QtComboBox&) = delete;
  QtComboBox& operator=(const QtComboBox&) = delete;

  std::string text() const override;
  void setText(const std::string& text) override;
  void addItem(const std::string& item) override;
  std::size_t count() const override;
  std::string item(std::size_t index) const override;

  QComboBox& widget() const { return *widget_; }

  runtime::Handler onChange;

 private:
  QPointer<QComboBox> widget_;
  ConnectionGuard connections_;
};

}  // namespace ferrowick::ui
