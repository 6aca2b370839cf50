#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
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

TEST_F(MainWindowTest, StartWithTheSystemBoxAndItsStoredSettingWriteAndDeleteTheEntry) {
  for (const char* stored : {"False", "True"}) {
    writeFile(appData("dravonk.ini"), std::string("[Options]\r\nLoadWin=") + stored + "\r\n");
    makeWindow();
    EXPECT_EQ(std::filesystem::exists(entry()), std::string(stored) == "True") << stored;
  }
  const std::pair<Qt::CheckState, bool> steps[] = {{Qt::Unchecked, false},
                                                   {Qt::Checked, true},
                                                   {Qt::Unchecked, false},
                                                   {Qt::PartiallyChecked, true}};
  for (const auto& [state, exists] : steps) {
    window->chkServ_.widget().setCheckState(state);
    EXPECT_EQ(std::filesystem::exists(entry()), exists) << state;
  }
  EXPECT_NE(readFile(entry()).find("\nExec=/opt/ferrowick/ferrowick\n"), std::string::npos)
      << readFile(entry());
}

TEST_F(MainWindowTest, StartWithTheSystemThatCannotBeStoredIsReportedAndShownAsStored) {
  const auto autostart = Sandbox::root() / "home/.config/autostart";
  const std::tuple<bool, int, std::string> cases[] = {{false, 76, "76\nPath not found"},
                                                      {false, 61, "61\nDisk full"},
                                                      {true, 70, "70\nPermission denied"}};
  for (const auto& [untick, number, box] : cases) {
    SCOPED_TRACE(number);
    ui::frmMain& w = makeWindow();
    std::filesystem::remove_all(autostart);
    if (untick) {
      w.chkServ_.widget().setCheckState(Qt::Checked);
      store.faults().inject(runtime::FaultPoint::DeleteEntry, number);
    } else if (number == 76) {
      writeFile(autostart, "not a folder");
    } else {
      store.faults().inject(runtime::FaultPoint::ReplaceFile, number);
    }
    scripted.messages.shown.clear();
    w.chkServ_.widget().setCheckState(untick ? Qt::Unchecked : Qt::Checked);
    EXPECT_EQ(scripted.messages.all(), Strings{"Ferrowick|Critical|" + box});
    EXPECT_EQ(w.chkServ_.value(),
              untick ? runtime::CheckState::Checked : runtime::CheckState::Unchecked);
    EXPECT_EQ(std::filesystem::exists(entry()), untick);
  }
}

TEST_F(MainWindowTest, LanguageIsStoredBeforeItsMessageOrItsFailureIsShownInstead) {
  const std::tuple<bool, std::string, std::string> cases[] = {{false, text(226), "Deutsch"},
                                                              {true, "61\nDisk full", "Polish"}};
  for (const auto& [full, box, stored] : cases) {
    storeLanguage("Polish");
    ui::frmMain& w = makeWindow();
    w.optLang_.setText("Deutsch");
    if (full) store.faults().inject(runtime::FaultPoint::ReplaceFile, 61, "current-user");
    Strings whileOpen;
    scripted.messages.shown.clear();
    scripted.messages.whileOpen = [&](const auto&) {
      whileOpen.push_back(storedLanguage(registry));
    };
    w.Command7_.widget().click();
    scripted.messages.whileOpen = nullptr;
    ASSERT_EQ(scripted.messages.shown.size(), 1u) << full;
    EXPECT_EQ(scripted.messages.shown[0].text, box);
    EXPECT_EQ(whileOpen, Strings{stored});
    EXPECT_EQ(storedLanguage(registry), stored);
  }
}

TEST_F(MainWindowTest, LogButtonOpensTheLogOnlyWhenThereIsOne) {
  ui::frmMain& w = makeWindow();
  w.cmdLog_.widget().click();
  EXPECT_TRUE(scripted.shell.opened.empty());
  writeFile(appData("dravonk.log"), "x\r\n");
  w.cmdLog_.widget().click();
  EXPECT_EQ(scripted.shell.opened, Strings{appData("dravonk.log").string()});
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
