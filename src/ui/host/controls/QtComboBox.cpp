#include "ui/host/controls/QtComboBox.h"

#include <QSignalBlocker>

#include "runtime/RuntimeError.h"
#include "ui/host/controls/Fire.h"

namespace ferrowick::ui {

QtComboBox::QtComboBox(QWidget* parent) : widget_(new QComboBox(parent)) {
  widget_->setEditable(false);
  connections_.add(
      QObject::connect(widget_, &QComboBox::currentIndexChanged, [this] { fire(onChange); }));
}

std::string QtComboBox::text() const {
  return widget_->currentIndex() < 0 ? std::string() : widget_->currentText().toStdString();
}

void QtComboBox::setText(const std::string& text) {
  const int index = widget_->findText(QString::fromStdString(text), Qt::MatchExactly);
  ErrorBoundary::fromCode([&] { widget_->setCurrentIndex(index); });
}

void QtComboBox::addItem(const std::string& item) {
  // Qt chooses the first item added to an empty list; adding items chooses nothing here.
  const QSignalBlocker blocker(widget_.data());
  const int chosen = widget_->currentIndex();
  widget_->addItem(QString::fromStdString(item));
  widget_->setCurrentIndex(chosen);
}

std::size_t QtComboBox::count() const { return static_cast<std::size_t>(widget_->count()); }

std::string QtComboBox::item(std::size_t index) const {
  if (index >= count()) runtime::raise(runtime::Err::InvalidProcedureCall);
  return widget_->itemText(static_cast<int>(index)).toStdString();
}

}  // namespace ferrowick::ui
