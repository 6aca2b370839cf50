#include "ui/host/Application.h"

#include "ui/host/ErrorBoundary.h"

namespace ferrowick::ui {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
  const ErrorBoundary::Delivery delivery;
  return QApplication::notify(receiver, event);
}

}  // namespace ferrowick::ui
