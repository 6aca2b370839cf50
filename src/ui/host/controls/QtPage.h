#pragma once

#include <QPointer>
#include <string>

#include "runtime/controls/Controls.h"
#include "ui/host/controls/PageWidget.h"

namespace ferrowick::ui {

// One page of the five-page container: a title and a visibility flag. The flag is the
// page's own, so it reads the same while the window itself is hidden.
class QtPage : public runtime::Page {
 public:
  QtPage(QWidget* parent, bool visible);
  QtPage(const QtPage&) = delete;
  QtPage& operator=(const QtPage&) = delete;

  bool visible() const override;
  void setVisible(bool visible) override;
  std::string title() const override { return title_; }
  void setTitle(const std::string& title) override;

  PageWidget& widget() const { return *widget_; }

 private:
  QPointer<PageWidget> widget_;
  std::string title_;
};

}  // namespace ferrowick::ui
