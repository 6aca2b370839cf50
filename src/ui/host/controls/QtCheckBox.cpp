#include "ui/host/controls/QtCheckBox.h"

#include "runtime/RuntimeError.h"
#include "ui/host/QtHost.h"
#include "ui/host/controls/Fire.h"

namespace ferrowick::ui {

namespace {
// Only code greys a box; a user's click on a greyed box ticks it, and clicks then
// toggle between ticked and unticked.
class TwoStateCheckBox : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  void nextCheckState() override {
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
  }
};

Qt::CheckState toQt(runtime::CheckState value) {
  switch (value) {
    case runtime::CheckState::Checked:
      return Qt::Checked;
    case runtime::CheckState::Grayed:
      return Qt::PartiallyChecked;
    default:
      return Qt::Unchecked;
  }
}
}  // namespace

QtCheckBox::QtCheckBox(QWidget* parent, runtime::CheckState value)
    : widget_(new TwoStateCheckBox(parent)) {
  widget_->setCheckState(toQt(value));
  connections_.add(QObject::connect(widget_, &QCheckBox::stateChanged, [this] { fire(onClick); }));
}

runtime::CheckState QtCheckBox::value() const {
  switch (widget_->checkState()) {
    case Qt::Checked:
      return runtime::CheckState::Checked;
    case Qt::PartiallyChecked:
      return runtime::CheckState::Grayed;
    default:
      return runtime::CheckState::Unchecked;
  }
}

void QtCheckBox::setValue(runtime::CheckState value) {
  if (value < runtime::CheckState::Unchecked || value > runtime::CheckState::Grayed) {
    runtime::raise(runtime::Err::InvalidPropertyValue);
  }
  ErrorBoundary::fromCode([&] { widget_->setCheckState(toQt(value)); });
}

void QtCheckBox::setCaption(const std::string& caption) {
  caption_ = caption;
  widget_->setText(displayText(caption));
}

}  // namespace ferrowick::ui
