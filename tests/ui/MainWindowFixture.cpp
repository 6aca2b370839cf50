#include "MainWindowFixture.h"

namespace ferrowick::testing {

std::string text(int index) { return "text " + std::to_string(index); }

MainWindowTest::MainWindowTest() {
  for (int index = 0; index < static_cast<int>(services::modLanguage::kEntries); ++index) {
    lang.setText(index, text(index));
  }
}

ui::frmMain& MainWindowTest::makeWindow(bool load) {
  window = std::make_unique<ui::frmMain>(
      ui::frmMainContext{app, scripted.host, lang, registry, [this] { ++ends; }});
  if (load) window->Form_Load();
  return *window;
}

void MainWindowTest::storeLanguage(const std::string& name) {
  registry.WriteRegValue(app.title(), "Settings", "curLang", name, runtime::HKEY_CURRENT_USER,
                         "SOFTWARE\\Halvorne", runtime::REG_SZ);
}

}  // namespace ferrowick::testing
