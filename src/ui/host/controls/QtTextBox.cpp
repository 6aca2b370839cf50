#include "ui/host/controls/QtTextBox.h"

#include "runtime/RuntimeError.h"
#include "runtime/controls/MemoryControls.h"
#include "ui/host/controls/Fire.h"

namespace ferrowick::ui {

QtTextBox::QtTextBox(QWidget* parent, const std::string& text)
    : widget_(new QLineEdit(QString::fromStdString(text), parent)) {
  connections_.add(QObject::connect(widget_, &QLineEdit::textChanged, [this] { fire(onChange); }));
}

std::string QtTextBox::text() const { return widget_->text().toStdString(); }

void QtTextBox::setText(const std::string& text) {
  ErrorBoundary::fromCode([&] { widget_->setText(QString::fromStdString(text)); });
}

void QtTextBox::setFocus() { widget_->setFocus(Qt::OtherFocusReason); }

QtMaskedEdit::QtMaskedEdit(QWidget* parent) : QtTextBox(parent) {
  widget().setInputMask(QStringLiteral("99:99;_"));
}

// Qt's own text() drops the prompt characters (an empty field reads ":"); the field's
// text is what it shows.
std::string QtMaskedEdit::text() const { return widget().displayText().toStdString(); }

void QtMaskedEdit::setText(const std::string& text) {
  if (!runtime::fitsTimeMask(text)) runtime::raise(runtime::Err::InvalidPropertyValue);
  QtTextBox::setText(text);
}

}  // namespace ferrowick::ui
