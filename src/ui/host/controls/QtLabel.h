#pragma once

#include <QPointer>
#include <string>

#include "runtime/controls/Controls.h"
#include "ui/host/controls/EventLabel.h"

namespace ferrowick::ui {

// A label control. Its caption reads back exactly as it was set; a carriage return in it
// shows as a line break.
class QtLabel : public runtime::Label {
 public:
  explicit QtLabel(QWidget* parent);
  QtLabel(const QtLabel&) = delete;
  QtLabel& operator=(const QtLabel&) = delete;
  ~QtLabel() override;

  std::string caption() const override { return caption_; }
  void setCaption(const std::string& caption) override;

  bool underline() const;
  void setUnderline(bool underline);

  EventLabel& widget() const { return *widget_; }

  runtime::Handler onClick;
  runtime::Handler onMouseMove;

 private:
  QPointer<EventLabel> widget_;
  std::string caption_;
};

}  // namespace ferrowick::ui
