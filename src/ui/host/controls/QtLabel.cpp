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
  if (caption == caption_) return;
  caption_ = caption;
  if (stale_) return;
  stale_ = true;
  // Posted at normal priority, it runs before the low-priority update request that paints.
  QMetaObject::invokeMethod(
      &queue_, [this] { showCaption(); }, Qt::QueuedConnection);
}

void QtLabel::showCaption() const {
  if (!stale_ || widget_ == nullptr) return;
  stale_ = false;
  widget_->setText(displayText(caption_));
}

bool QtLabel::underline() const { return widget_->font().underline(); }

void QtLabel::setUnderline(bool underline) {
  QFont font = widget_->font();
  if (font.underline() == underline) return;
  font.setUnderline(underline);
  widget_->setFont(font);
}

}  // namespace ferrowick::ui
