#include "ui/host/controls/QtListBox.h"

#include <utility>

#include "runtime/RuntimeError.h"
#include "runtime/controls/MemoryControls.h"
#include "ui/host/controls/Fire.h"

namespace ferrowick::ui {

namespace {
// Runs `work` with the selection signal muted, restoring the earlier state after.
template <typename Work>
void quietly(bool& quiet, Work&& work) {
  const bool before = std::exchange(quiet, true);
  std::forward<Work>(work)();
  quiet = before;
}
}  // namespace

QtListBox::QtListBox(QWidget* parent, bool sorted, QAbstractItemView::SelectionMode mode)
    : widget_(new QListWidget(parent)), sorted_(sorted) {
  widget_->setSelectionMode(mode);
  connections_.add(QObject::connect(widget_, &QListWidget::itemSelectionChanged, [this] {
    if (!quiet_) fire(onClick);
  }));
}

std::size_t QtListBox::count() const { return static_cast<std::size_t>(widget_->count()); }

QListWidgetItem* QtListBox::at(std::size_t index) const {
  if (index >= count()) runtime::raise(runtime::Err::InvalidProcedureCall);
  return widget_->item(static_cast<int>(index));
}

std::string QtListBox::item(std::size_t index) const { return at(index)->text().toStdString(); }

void QtListBox::addItem(const std::string& item) {
  const QString text = QString::fromStdString(item);
  quietly(quiet_, [&] {
    if (!sorted_) {
      widget_->addItem(text);
      return;
    }
    // A new item goes after every item that does not sort after it.
    int low = 0;
    int high = widget_->count();
    while (low < high) {
      const int mid = low + (high - low) / 2;
      if (runtime::sortsBefore(item, widget_->item(mid)->text().toStdString())) {
        high = mid;
      } else {
        low = mid + 1;
      }
    }
    widget_->insertItem(low, text);
  });
}

void QtListBox::removeItem(std::size_t index) {
  QListWidgetItem* entry = at(index);
  quietly(quiet_, [&] { delete entry; });
}

void QtListBox::clear() {
  quietly(quiet_, [&] { widget_->clear(); });
}

bool QtListBox::selected(std::size_t index) const { return at(index)->isSelected(); }

void QtListBox::setSelected(std::size_t index, bool selected) {
  QListWidgetItem* entry = at(index);
  ErrorBoundary::fromCode([&] { entry->setSelected(selected); });
}

}  // namespace ferrowick::ui
