#include "ui/host/controls/QtPage.h"

#include "ui/host/QtHost.h"

namespace ferrowick::ui {

QtPage::QtPage(QWidget* parent, bool visible) : widget_(new PageWidget(parent)) {
  widget_->setVisible(visible);
}

bool QtPage::visible() const { return !widget_->isHidden(); }

void QtPage::setVisible(bool visible) { widget_->setVisible(visible); }

void QtPage::setTitle(const std::string& title) {
  title_ = title;
  widget_->setTitle(displayText(title));
}

}  // namespace ferrowick::ui
