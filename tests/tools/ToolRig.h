#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

#include "runtime/App.h"
#include "runtime/fs/FileSystem.h"
#include "runtime/registry/RegistryStore.h"
#include "services/modLanguage.h"
#include "services/modRegistry2.h"
#include "support/Sandbox.h"
#include "support/ScriptedHost.h"
#include "support/qt/QtApplication.h"
#include "ui/host/ErrorBoundary.h"
#include "ui/tools/ToolWindow.h"

namespace ferrowick::testing {

// A tool window's surroundings over scripted doubles, with every language entry N
// reading "text N".
class ToolRig : public QtTest {
 protected:
  ToolRig() {
    for (int n = 0; n < 1000; ++n) lang.setText(n, text(n));
  }

  static std::string text(int index) { return "text " + std::to_string(index); }

  static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  static void moveOver(QWidget& widget) {
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), widget.mapToGlobal(QPointF(2, 2)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
  }

  runtime::App app{
      "Ferrowick", (Sandbox::root() / "program").string(), "ferrowick", {1, 2, 0}, false};
  ScriptedHost scripted;
  ui::ErrorBoundary boundary{scripted.messages, "Ferrowick"};
  runtime::RegistryStore store = runtime::RegistryStore::forCurrentUser();
  services::modRegistry2 registry{store};
  runtime::FileSystem fs{Sandbox::root() / "archive.db"};
  services::modLanguage lang{app, scripted.host, registry, fs};
};

// The rig of a tool window the program opens through its menu: the one instance a test
// opens goes with the test.
template <typename Window>
class ToolWindowRig : public ToolRig {
 protected:
  ~ToolWindowRig() override { delete window.data(); }

  template <typename Context>
  Window& openWith(const Context& context) {
    return ui::openToolWindow(window, nullptr, context);
  }

  QPointer<Window> window;
};

}  // namespace ferrowick::testing
