#include <cstdlib>

#include "app/Program.h"
#include "runtime/App.h"
#include "ui/host/Application.h"
#include "ui/host/ErrorBoundary.h"
#include "ui/host/QtHost.h"

// A failure while the program starts, before the event loop runs, is shown in a box of its
// own; the program then ends with a failure status. Later ones stop at the handler.
int main(int argc, char* argv[]) {
  ferrowick::ui::Application application(argc, argv);
  ferrowick::ui::QtMessageBoxes boxes;
  const ferrowick::ui::ErrorBoundary boundary(boxes, ferrowick::runtime::kAppTitle);
  int status = EXIT_FAILURE;
  ferrowick::ui::ErrorBoundary::run([&] {
    ferrowick::app::Program program;
    status = program.run();
  });
  return status;
}
