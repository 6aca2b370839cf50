#include "MainWindowFixture.h"

namespace ferrowick::testing {

std::string text(int index) { return "text " + std::to_string(index); }

std::size_t occurrences(const std::string& whole, const std::string& part) {
  std::size_t count = 0;
  for (auto at = whole.find(part); at != std::string::npos; at = whole.find(part, at + 1)) ++count;
  return count;
}

MainWindowTest::MainWindowTest() {
  for (int index = 0; index < static_cast<int>(services::modLanguage::kEntries); ++index) {
    lang.setText(index, text(index));
  }
}

ui::frmMain& MainWindowTest::makeWindow(bool load) {
  window = std::make_unique<ui::frmMain>(
      ui::frmMainContext{app, scripted.host, lang, registry, fs, [this] { ++ends; }, store, files,
                         [this] {
                           ++transfers;
                           return std::make_unique<IdleTransfer>();
                         },
                         &tray});
  if (load) window->Form_Load();
  return *window;
}

void MainWindowTest::storeLanguage(const std::string& name) {
  registry.WriteRegValue(app.title(), "Settings", "curLang", name, runtime::HKEY_CURRENT_USER,
                         "SOFTWARE\\Halvorne", runtime::REG_SZ);
}

std::filesystem::path MainWindowTest::appData(const std::string& name) {
  return Sandbox::root() / "home/.local/share/Halvorne/Ferrowick" / name;
}

std::vector<bool> pages(ui::frmMain& w) {
  return {w.xt1().visible(), w.xt2().visible(), w.xt3().visible(), w.xt4().visible(),
          w.xt5().visible()};
}

std::vector<bool> bars(ui::frmMain& w) {
  std::vector<bool> shown;
  for (int bar = 1; bar <= 7; ++bar) shown.push_back(w.z(bar).visible());
  return shown;
}

std::vector<bool> underlines(ui::frmMain& w) {
  std::vector<bool> on;
  for (int link = 1; link <= 7; ++link) on.push_back(w.Hyperlink(link).underline());
  return on;
}

std::vector<bool> only(int index, std::size_t size) {
  std::vector<bool> flags(size, false);
  if (index > 0) flags[static_cast<std::size_t>(index - 1)] = true;
  return flags;
}

}  // namespace ferrowick::testing
