#include "ui/host/controls/QtWindow.h"

namespace ferrowick::ui {

std::string QtWindow::caption() const { return window_->windowTitle().toStdString(); }

void QtWindow::setCaption(const std::string& caption) {
  window_->setWindowTitle(QString::fromStdString(caption));
}

void QtWindow::refresh() { window_->repaint(); }

}  // namespace ferrowick::ui
