#pragma once

#include <QWidget>
#include <memory>

#include "runtime/net/HttpTransfer.h"
#include "ui/host/controls/QtTimer.h"

namespace ferrowick::ui {

// The hidden update form that the main window loads once, a second after start-up. It
// holds a timer and a transfer control but performs no check, and it is never shown.
// It belongs to the main window and goes with it: being hidden and owned, it never keeps
// the program running once the main window has ended it.
class frmAutoUpd : public QWidget {
 public:
  frmAutoUpd(std::unique_ptr<runtime::HttpTransfer> Inet, QWidget* owner);
  ~frmAutoUpd() override;

  // What the main window's start-up timer does: create the form under `owner` and run
  // its load, without showing it.
  static frmAutoUpd* LoadHidden(std::unique_ptr<runtime::HttpTransfer> Inet, QWidget* owner);

  void Form_Load();
  // The form's timer runs from its load; its ticks have no effect.
  void Timer1_Timer() {}
  void Form_Unload();

  QtTimer Timer1_{600, false};

 private:
  std::unique_ptr<runtime::HttpTransfer> Inet_;
};

}  // namespace ferrowick::ui
