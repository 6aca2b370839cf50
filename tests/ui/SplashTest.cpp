#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "ui/main/frmSplash.h"

namespace ferrowick::testing {
namespace {

class SplashTest : public MainWindowTest {
 protected:
  SplashTest() {
    writeFile(Sandbox::root() / "program/languages/English/English.txt", "100 Starting\r\n");
    storeLanguage("English");
  }

  ui::frmSplash& makeSplash() {
    program = std::make_unique<runtime::App>("Ferrowick", (Sandbox::root() / "program").string(),
                                             "ferrowick", runtime::Version{}, false);
    splashLang = std::make_unique<services::modLanguage>(*program, scripted.host, registry, fs);
    splash = std::make_unique<ui::frmSplash>(
        ui::frmSplashContext{{*program, scripted.host, *splashLang},
                             [this] { splashLang->LoadLanguage(); },
                             [this]() -> ui::frmMain& {
                               ++mainUses;
                               return window ? *window : makeWindow();
                             }});
    return *splash;
  }

  std::unique_ptr<runtime::App> program;
  std::unique_ptr<services::modLanguage> splashLang;
  std::unique_ptr<ui::frmSplash> splash;
  int mainUses = 0;
};

TEST_F(SplashTest, ThirdTickHandsOverToTheMainWindow) {
  ASSERT_FALSE(std::filesystem::exists(appData("")));
  ui::frmSplash& s = makeSplash();
  ASSERT_TRUE(s.Form_Initialize());
  s.Form_Load();
  s.show();
  EXPECT_EQ(s.Label2_.caption(), "Starting");
  EXPECT_TRUE(std::filesystem::is_directory(appData("")));
  s.tmrTime_Timer();
  s.tmrTime_Timer();
  EXPECT_EQ(mainUses, 0);
  s.tmrTime_Timer();
  EXPECT_EQ(mainUses, 1);
  EXPECT_TRUE(!s.isVisible() && window->isVisible());
}

}  // namespace
}  // namespace ferrowick::testing
