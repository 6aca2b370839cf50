#include "ui/host/controls/QtFrame.h"

#include "ui/host/QtHost.h"

namespace ferrowick::ui {

void QtFrame::setCaption(const std::string& caption) {
  caption_ = caption;
  widget_->setTitle(displayText(caption));
}

}  // namespace ferrowick::ui
