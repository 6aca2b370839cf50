#pragma once

#include <QFrame>
#include <QWidget>
#include <functional>

#include "ui/host/controls/QtImage.h"
#include "ui/host/controls/QtLabel.h"
#include "ui/host/controls/QtTimer.h"
#include "ui/tools/WindowContext.h"

namespace ferrowick::ui {

class frmMain;

// What the splash works with, handed in by whoever creates it.
struct frmSplashContext : WindowContext {
  // Loads the language `lang` answers with.
  std::function<void()> loadLanguage;
  // The main window, created and loaded on its first use.
  std::function<frmMain&()> mainWindow;
};

// The start-up object: loads the language, refuses a second running copy, makes the
// application-data folder, shows one line for three ticks and opens the main window.
class frmSplash : public QWidget {
 public:
  explicit frmSplash(frmSplashContext context);

  // Loads the language. False when another copy is running: the refusal has been shown
  // and the program is to end, showing nothing else.
  bool Form_Initialize();
  void Form_Load();
  void tmrTime_Timer();

  QtImage Image39_{this};
  QFrame* Line2_ = new QFrame(this);
  QtLabel Label2_{this};
  QtTimer tmrTime_{900, true};
  // Ticks of `tmrTime` since the load.
  int TickCount = 0;

 private:
  void layOut();

  frmSplashContext context_;
};

}  // namespace ferrowick::ui
