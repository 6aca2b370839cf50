#include "support/qt/QtApplication.h"

#include "ui/host/Application.h"

namespace ferrowick::testing {

void ensureQtApplication() {
  static int argc = 1;
  static char name[] = "ui_tests";
  static char* argv[] = {name, nullptr};
  // Never destroyed: Qt's own clean-up at exit must not race the test framework's.
  static QApplication* application = new ui::Application(argc, argv);
  (void)application;
}

}  // namespace ferrowick::testing
