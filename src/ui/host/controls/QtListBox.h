#pragma once

#include <QListWidget>
#include <QPointer>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/controls/Controls.h"
#include "ui/host/controls/ConnectionGuard.h"

namespace ferrowick::ui {

// A list box. A sorted one places each new item in case-insensitive order. The click
// handler runs when the selection changes, by the user or by setSelected; adding,
// removing and clearing items run nothing.
class QtListBox : public runtime::ListBox {
 public:
  QtListBox(QWidget* parent, bool sorted, QAbstractItemView::SelectionMode mode);
  QtListBox(const QtListBox&) = delete;
  QtListBox& operator=(const QtListBox&) = delete;

  std::size_t count() const override;
  std::string item(std::size_t index) const override;
  void addItem(const std::string& item) override;
  void addItems(const std::vector<std::string>& items) override;
  void removeItem(std::size_t index) override;
  void clear() override;
  bool selected(std::size_t index) const override;
  void setSelected(std::size_t index, bool selected) override;

  QListWidget& widget() const { return *widget_; }

  runtime::Handler onClick;

 private:
  QListWidgetItem* at(std::size_t index) const;
  QListWidgetItem* make(const std::string& item);

  QPointer<QListWidget> widget_;
  bool sorted_;
  bool quiet_ = false;
  std::uint64_t added_ = 0;  // how many items were ever added: the order among equals
  ConnectionGuard connections_;
};

}  // namespace ferrowick::ui
