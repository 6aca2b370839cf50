#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedTray.h"
#include "runtime/App.h"
#include "runtime/fs/FileSystem.h"
#include "runtime/registry/RegistryStore.h"
#include "services/modLanguage.h"
#include "services/modRegistry2.h"
#include "support/Sandbox.h"
#include "support/ScriptedHost.h"
#include "support/qt/IdleTransfer.h"
#include "support/qt/QtApplication.h"
#include "ui/host/ErrorBoundary.h"
#include "ui/main/frmMain.h"

namespace ferrowick::testing {

// A main window over scripted doubles, with every language entry N reading "text N".
class MainWindowTest : public QtTest {
 protected:
  MainWindowTest();

  ui::frmMain& makeWindow(bool load = true);
  void storeLanguage(const std::string& name);
  static std::filesystem::path appData(const std::string& name);

  runtime::App app{"Ferrowick", "/opt/ferrowick", "ferrowick", {1, 2, 0}, false};
  ScriptedHost scripted;
  ui::ErrorBoundary boundary{scripted.messages, "Ferrowick"};
  ScriptedTray tray;
  runtime::RegistryStore store{Sandbox::root() / "home/.config/Halvorne",
                               Sandbox::root() / "home/.config/autostart"};
  services::modRegistry2 registry{store};
  runtime::FileSystem fs{Sandbox::root() / "archive.db"};
  services::modLanguage lang{app, scripted.host, registry, fs};
  ScriptedFileDialog files;
  int ends = 0;
  int transfers = 0;  // HTTP transfers the window made
  std::unique_ptr<ui::frmMain> window;
};

std::string text(int index);
std::size_t occurrences(const std::string& whole, const std::string& part);

// Which of pages xt1..xt5, bars z1..z7 and links 1..7 (underlined) are on.
std::vector<bool> pages(ui::frmMain& w);
std::vector<bool> bars(ui::frmMain& w);
std::vector<bool> underlines(ui::frmMain& w);
// `size` flags with only the `index`-th (from 1) on; none for index 0.
std::vector<bool> only(int index, std::size_t size);

}  // namespace ferrowick::testing
