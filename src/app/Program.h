#pragma once

#include <QApplication>
#include <memory>

#include "runtime/App.h"
#include "runtime/InstanceLock.h"
#include "runtime/fs/FileSystem.h"
#include "runtime/net/CurlTransfer.h"
#include "runtime/registry/RegistryStore.h"
#include "services/modLanguage.h"
#include "services/modRegistry2.h"
#include "ui/host/ErrorBoundary.h"
#include "ui/host/QtFileDialog.h"
#include "ui/host/QtHost.h"
#include "ui/host/QtTranslations.h"
#include "ui/host/QtTrayIcon.h"
#include "ui/main/frmMain.h"
#include "ui/main/frmSplash.h"

namespace ferrowick::app {

// The running program: its objects, built once in the order they depend on each other.
// The application object is made before it, by `main`.
class Program {
 public:
  Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  ~Program();

  // Starts through the splash and runs the event loop until the end; a second copy
  // ends after its refusal.
  int run();

 private:
  // Held for the life of the process, so a later start can tell it is not the first.
  runtime::InstanceLock lock_;
  runtime::App app_;
  ui::QtHost qt_;
  // Handlers' failures are shown over the active window, captioned with the program's title.
  ui::ErrorBoundary boundary_;
  runtime::RegistryStore store_;
  services::modRegistry2 registry_;
  runtime::FileSystem fs_;
  services::modLanguage lang_;
  ui::QtTrayIcon tray_;
  ui::QtTranslations qtTexts_;
  ui::QtFileDialog fileDialog_;
  std::unique_ptr<ui::frmMain> main_;
  ui::frmSplash splash_;

  // The main window, created and loaded on its first use.
  ui::frmMain& mainWindow();
};

}  // namespace ferrowick::app
