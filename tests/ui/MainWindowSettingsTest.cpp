#include <gtest/gtest.h>

#include <QCoreApplication>
#include <filesystem>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "ui/tools/frmMd5.h"
#include "ui/tools/frmUpdate.h"

namespace ferrowick::testing {
namespace {

using Strings = std::vector<std::string>;

std::filesystem::path entry() {
  return Sandbox::root() / "home/.config/autostart/Ferrowick.desktop";
}

std::string storedLanguage(services::modRegistry2& registry) {
  return registry
      .ReadRegValue("Ferrowick", "Settings", "curLang", "<none>", runtime::HKEY_CURRENT_USER,
                    "SOFTWARE\\Halvorne")
      .text();
}

TEST_F(MainWindowTest, StartWithTheSystemBoxWritesAndDeletesTheAutostartEntry) {
  ui::frmMain& w = makeWindow();
  const std::pair<int, bool> steps[] = {{1, true}, {0, false}, {2, true}};
  for (const auto& [value, exists] : steps) {
    w.chkServ_.widget().setCheckState(value == 0   ? Qt::Unchecked
                                      : value == 1 ? Qt::Checked
                                                   : Qt::PartiallyChecked);
    EXPECT_EQ(std::filesystem::exists(entry()), exists) << value;
  }
  EXPECT_NE(readFile(entry()).find("\nExec=/opt/ferrowick/ferrowick\n"), std::string::npos)
      << readFile(entry());
}

TEST_F(MainWindowTest, SettingsLoadWithTheSettingOnWritesTheEntryAgain) {
  for (const char* stored : {"False", "True"}) {
    std::filesystem::remove(entry());
    writeFile(appData("dravonk.ini"), std::string("[Options]\r\nLoadWin=") + stored + "\r\n");
    makeWindow();
    EXPECT_EQ(std::filesystem::exists(entry()), std::string(stored) == "True") << stored;
  }
}

TEST_F(MainWindowTest, LanguageIsStoredOnlyAfterTheMessageIsClosed) {
  storeLanguage("Polish");
  ui::frmMain& w = makeWindow();
  w.optLang_.setText("Deutsch");
  Strings whileOpen;
  scripted.messages.whileOpen = [&](const auto&) { whileOpen.push_back(storedLanguage(registry)); };
  w.Command7_.widget().click();
  ASSERT_EQ(scripted.messages.shown.size(), 1u);
  EXPECT_EQ(scripted.messages.shown[0].text, text(226));
  EXPECT_EQ(whileOpen, Strings{"Polish"});
  EXPECT_EQ(storedLanguage(registry), "Deutsch");
}

TEST_F(MainWindowTest, LogButtonOpensTheLogOnlyWhenThereIsOne) {
  ui::frmMain& w = makeWindow();
  w.cmdLog_.widget().click();
  EXPECT_TRUE(scripted.shell.opened.empty());
  writeFile(appData("dravonk.log"), "x\r\n");
  w.cmdLog_.widget().click();
  EXPECT_EQ(scripted.shell.opened, Strings{appData("dravonk.log").string()});
}

// A tool window has one instance: opening it again shows the loaded one; once closed,
// the next opening loads a new one.
TEST_F(MainWindowTest, ToolMenuItemsOpenOneInstanceEach) {
  ui::frmMain& w = makeWindow();
  w.show();
  w.qwe_.action().trigger();
  QWidget* first = w.md5_.data();
  ASSERT_TRUE(first != nullptr && first->parentWidget() == &w);
  first->hide();
  w.qwe_.action().trigger();
  EXPECT_EQ(w.md5_.data(), first);
  first->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(w.md5_.data(), nullptr);
}

// One update window and one check however it is opened.
TEST_F(MainWindowTest, UpdateFormsLoadOnceAndCheckOnce) {
  ui::frmMain& w = makeWindow();
  w.sprupd_.action().trigger();
  ui::frmUpdate* first = w.update_.data();
  ASSERT_TRUE(first != nullptr && first->isVisible());
  w.Label7_.onClick();
  EXPECT_EQ(w.update_.data(), first);
  first->Timer1_Timer();
  EXPECT_EQ(transfers, 1);
}

}  // namespace
}  // namespace ferrowick::testing
