#include "ui/host/controls/QtMenuItem.h"

#include "ui/host/controls/Fire.h"

namespace ferrowick::ui {

QtMenuItem::QtMenuItem(QAction* action) : action_(action) {
  caption_ = action_->isSeparator() ? "-" : action_->text().toStdString();
  connections_.add(QObject::connect(action_, &QAction::triggered, [this] { fire(onClick); }));
}

void QtMenuItem::setCaption(const std::string& caption) {
  caption_ = caption;
  action_->setText(QString::fromStdString(caption));
}

}  // namespace ferrowick::ui
