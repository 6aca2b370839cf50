#include "ui/host/controls/QtOptionButton.h"

#include <QButtonGroup>

#include "ui/host/QtHost.h"
#include "ui/host/controls/Fire.h"

namespace ferrowick::ui {

namespace {
// The group of the options whose container is `container`. Qt's automatic exclusivity
// would also take in the options of containers nested inside it, so each container
// gets a group of its own.
QButtonGroup& groupOf(QWidget* container) {
  static const QString kName = QStringLiteral("ferrowick-option-group");
  auto* group = container->findChild<QButtonGroup*>(kName, Qt::FindDirectChildrenOnly);
  if (group == nullptr) {
    group = new QButtonGroup(container);
    group->setObjectName(kName);
    group->setExclusive(true);
  }
  return *group;
}
}  // namespace

QtOptionButton::QtOptionButton(QWidget* container, bool selected)
    : widget_(new QRadioButton(container)) {
  widget_->setAutoExclusive(false);
  widget_->setChecked(selected);
  groupOf(container).addButton(widget_);
  connections_.add(QObject::connect(widget_, &QRadioButton::toggled, [this](bool checked) {
    if (checked) fire(onClick);
  }));
}

bool QtOptionButton::value() const { return widget_->isChecked(); }

void QtOptionButton::setValue(bool selected) {
  if (selected) {
    ErrorBoundary::fromCode([&] { widget_->setChecked(true); });
    return;
  }
  // An exclusive group refuses to clear its selected button; code may leave a group
  // with nothing selected.
  if (!widget_->isChecked()) return;
  QButtonGroup* group = widget_->group();
  group->setExclusive(false);
  widget_->setChecked(false);
  group->setExclusive(true);
}

void QtOptionButton::setCaption(const std::string& caption) {
  caption_ = caption;
  widget_->setText(displayText(caption));
}

}  // namespace ferrowick::ui
