#pragma once

#include <QLabel>

#include "ui/host/controls/Clickable.h"

namespace ferrowick::ui {

// A label that reports the pointer moving over it and clicks on it, as the link-style
// labels need. Text is always plain: language texts are never read as markup.
class EventLabel : public ClickableWidget<QLabel> {
 public:
  explicit EventLabel(QWidget* parent);
};

}  // namespace ferrowick::ui
