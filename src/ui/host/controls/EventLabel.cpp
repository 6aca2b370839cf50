#include "ui/host/controls/EventLabel.h"

namespace ferrowick::ui {

EventLabel::EventLabel(QWidget* parent) : ClickableWidget<QLabel>(parent) {
  setTextFormat(Qt::PlainText);
}

}  // namespace ferrowick::ui
