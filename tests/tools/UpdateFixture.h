#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "LoopbackServer.h"
#include "runtime/App.h"
#include "runtime/fs/FileSystem.h"
#include "runtime/registry/RegistryStore.h"
#include "services/modLanguage.h"
#include "services/modRegistry2.h"
#include "support/Sandbox.h"
#include "support/ScriptedHost.h"
#include "ui/QtApplication.h"
#include "ui/host/ErrorBoundary.h"
#include "ui/tools/frmUpdate.h"

namespace ferrowick::testing {

std::string text(int index);

// An update window of version 1.20 over scripted doubles and the real transfer, with
// every language entry N reading "text N".
class UpdateTest : public QtTest {
 protected:
  UpdateTest();

  // The window checks `url`; it is opened as the main window's openers open it.
  ui::frmUpdate& openWindow(const std::string& url,
                            std::chrono::milliseconds timeout = std::chrono::seconds(20));
  // Runs the check as the first tick of Timer1 does, against a server of `response`.
  void checkAgainst(const std::string& response);

  runtime::App app{"Ferrowick", "/opt/ferrowick", "ferrowick", {1, 2, 0}, false};
  ScriptedHost scripted;
  // Failures of handlers the toolkit fires end in the scripted boxes, as in the program.
  ui::ErrorBoundary boundary{scripted.messages, "Ferrowick"};
  runtime::RegistryStore store{Sandbox::root() / "home/.config/Halvorne",
                               Sandbox::root() / "home/.config/autostart"};
  services::modRegistry2 registry{store};
  runtime::FileSystem fs{Sandbox::root() / "archive.db"};
  services::modLanguage lang{app, scripted.host, registry, fs};
  int pagesOpened = 0;
  std::unique_ptr<ui::frmUpdate> window;
};

inline constexpr const char* kVersionPath = "/updates/ferrowick.txt";

}  // namespace ferrowick::testing
