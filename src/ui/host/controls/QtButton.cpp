#include "ui/host/controls/QtButton.h"

#include "ui/host/QtHost.h"
#include "ui/host/controls/Fire.h"

namespace ferrowick::ui {

QtButton::QtButton(QWidget* parent) : widget_(new QPushButton(parent)) {
  widget_->setAutoDefault(false);
  connections_.add(QObject::connect(widget_, &QPushButton::clicked, [this] { fire(onClick); }));
}

void QtButton::setCaption(const std::string& caption) {
  caption_ = caption;
  widget_->setText(displayText(caption));
}

}  // namespace ferrowick::ui
