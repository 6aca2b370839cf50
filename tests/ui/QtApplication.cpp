#include "QtApplication.h"

#include <QApplication>

#include "runtime/RuntimeError.h"

namespace ferrowick::testing {

void ensureQtApplication() {
  static int argc = 1;
  static char name[] = "ui_tests";
  static char* argv[] = {name, nullptr};
  // Never destroyed: Qt's own clean-up at exit must not race the test framework's.
  static QApplication* application = new QApplication(argc, argv);
  (void)application;
}

int raisedError(const std::function<void()>& action) {
  try {
    action();
  } catch (const runtime::RuntimeError& error) {
    return error.number();
  }
  return 0;
}

}  // namespace ferrowick::testing
