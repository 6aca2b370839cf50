#include "ui/host/controls/QtLabel.h"

#include "ui/host/QtHost.h"
#include "ui/host/controls/Fire.h"

namespace ferrowick::ui {

QtLabel::QtLabel(QWidget* parent) : widget_(new EventLabel(parent)) {
  widget_->clicked = [this] { fire(onClick); };
  widget_->moved = [this] { fire(onMouseMove); };
}

QtLabel::~QtLabel() {
  if (widget_ == nullptr) return;
  widget_->clicked = nullptr;
  widget_->moved = nullptr;
}

void QtLabel::setCaption(const std::string& caption) {
  caption_ = caption;
  widget_->setText(displayText(caption));
}

bool QtLabel::underline() const { return widget_->font().underline(); }

void QtLabel::setUnderline(bool underline) {
  QFont font = widget_->font();
  if (font.underline() == underline) return;
  font.setUnderline(underline);
  widget_->setFont(font);
}

}  // namespace ferrowick::ui
