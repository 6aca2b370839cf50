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

// An item of a sorted list: its folded text, and when it was added, so that the list's
// own sort puts equal texts in the order they came, as one-at-a-time adds do.
class SortedItem : public QListWidgetItem {
 public:
  static constexpr int kType = QListWidgetItem::UserType + 1;

  SortedItem(const std::string& text, std::uint64_t serial)
      : QListWidgetItem(QString::fromStdString(text), nullptr, kType),
        key_(runtime::sortKey(text)),
        serial_(serial) {}

  bool operator<(const QListWidgetItem& other) const override {
    if (other.type() != kType) return QListWidgetItem::operator<(other);
    const auto& item = static_cast<const SortedItem&>(other);
    const int order = key_.compare(item.key_);
    return order != 0 ? order < 0 : serial_ < item.serial_;
  }

  const std::string& key() const { return key_; }

 private:
  std::string key_;
  std::uint64_t serial_;
};

const std::string& keyOf(const QListWidgetItem* item) {
  return static_cast<const SortedItem*>(item)->key();
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

QListWidgetItem* QtListBox::make(const std::string& item) {
  if (!sorted_) return new QListWidgetItem(QString::fromStdString(item));
  return new SortedItem(item, added_++);
}

void QtListBox::addItem(const std::string& item) {
  QListWidgetItem* entry = make(item);
  quietly(quiet_, [&] {
    if (!sorted_) {
      widget_->addItem(entry);
      return;
    }
    // A new item goes after every item that does not sort after it.
    const std::string& key = keyOf(entry);
    int low = 0;
    int high = widget_->count();
    while (low < high) {
      const int mid = low + (high - low) / 2;
      if (key < keyOf(widget_->item(mid))) {
        high = mid;
      } else {
        low = mid + 1;
      }
    }
    widget_->insertItem(low, entry);
  });
}

void QtListBox::addItems(const std::vector<std::string>& items) {
  // Appending and then sorting once keeps the selection and the current item, which the
  // model carries through its sort.
  quietly(quiet_, [&] {
    bool inOrder = true;
    for (const std::string& item : items) {
      QListWidgetItem* entry = make(item);
      const int last = widget_->count() - 1;
      if (sorted_ && last >= 0 && *entry < *widget_->item(last)) inOrder = false;
      widget_->addItem(entry);
    }
    if (!inOrder) widget_->sortItems(Qt::AscendingOrder);
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
