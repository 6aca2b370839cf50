#pragma once

#include <QObject>
#include <QPointer>
#include <string>

#include "runtime/controls/Controls.h"
#include "ui/host/controls/EventLabel.h"

namespace ferrowick::ui {

// A label control. Its caption reads back exactly as it was set; a carriage return in it
// shows as a line break. A long run sets status labels for every file, far more often
// than anything paints them, so the widget takes the newest caption once, before the
// next paint (or whenever the widget itself is asked for); the same caption again is
// no change at all.
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

  EventLabel& widget() const {
    showCaption();
    return *widget_;
  }

  runtime::Handler onClick;
  runtime::Handler onMouseMove;

 private:
  void showCaption() const;

  QPointer<EventLabel> widget_;
  std::string caption_;
  // The widget does not show caption_ yet; a queued call to this label's own object
  // (gone with the label) will show it.
  mutable bool stale_ = false;
  QObject queue_;
};

}  // namespace ferrowick::ui
