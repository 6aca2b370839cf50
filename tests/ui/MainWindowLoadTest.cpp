#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "MainWindowFixture.h"
#include "runtime/RuntimeError.h"
#include "support/ListItems.h"

namespace ferrowick::testing {
namespace {

using Strings = std::vector<std::string>;

TEST_F(MainWindowTest, LoadSetsCaptionsFromTheLanguageTable) {
  ui::frmMain& w = makeWindow();
  // Sunday is box 0 and takes the last weekday text.
  EXPECT_EQ(w.chkDays_[0].caption() + "|" + w.chkDays_[1].caption(), text(273) + "|" + text(267));
  EXPECT_EQ(w.Label9_.caption(), text(119) + " 1.20");

  lang.setText(119, "");  // a missing text leaves its caption empty
  EXPECT_EQ(makeWindow().Label9_.caption(), " 1.20");
}

TEST_F(MainWindowTest, LoadFillsTheChoiceListsAndChoosesStoredLanguageAndNoSeparator) {
  storeLanguage("Polish");
  ui::frmMain& w = makeWindow(false);
  Strings separators;
  w.cmbSep_.onChange = [&] { separators.push_back(w.cmbSep().text()); };
  w.Form_Load();
  EXPECT_EQ(itemsOf(w.optLang_), (Strings{"English", "Polish", "Deutsch"}));
  EXPECT_EQ(w.optLang_.text(), "Polish");
  EXPECT_EQ(separators, Strings{"None"});  // chosen once, as a user's pick would be
}

// Each step sees what the steps before it did, and nothing of the steps after it; the
// folder items are expanded last (the icon sees one source).
TEST_F(MainWindowTest, LoadRunsItsStepsInOrder) {
  const auto docs = Sandbox::root() / "docs";
  writeFile(docs / "inner/a.txt", "a");
  writeFile(appData("dravonk.ini"),
            "[Backup]\r\nIncremental=True\r\n[Entries]\r\n0=" + docs.string() + "/*.*\r\n");
  ui::frmMain& w = makeWindow(false);
  Strings steps;
  w.cmbSep_.onChange = [&] { steps.push_back("separator after caption " + w.mnuEnd_.caption()); };
  const auto repaint = w.systemMenu().onRepaint;
  w.systemMenu().onRepaint = [&] {
    const bool ticked = w.chkIncr().value() == runtime::CheckState::Checked;
    steps.push_back(std::string("lock with increment ") + (ticked ? "ticked" : "unticked"));
    repaint();
  };
  w.chkIncr_.onClick = [&] {
    const bool closes = w.systemMenu().closeAllowed();
    steps.push_back(std::string("settings while close is ") + (closes ? "on" : "off"));
  };
  tray.onAdd = [&] {
    steps.push_back("icon with sources " + std::to_string(w.lstSource().count()));
  };
  w.Form_Load();
  EXPECT_EQ(steps, (Strings{"separator after caption " + text(222), "lock with increment unticked",
                            "settings while close is off", "icon with sources 1"}));
}

// An unexpected error ends the load in one orderly box and leaves the settings file as it was;
// a failing expansion is reported and the load goes on.
TEST_F(MainWindowTest, ErrorsDuringTheLoadEndInABox) {
  const std::string settings = "[Backup]\r\nIncremental=True\r\n";
  writeFile(appData("dravonk.ini"), settings);
  ui::frmMain& w = makeWindow(false);
  w.cmbSep_.onChange = [] { runtime::raise(runtime::Err::Overflow); };
  w.Form_Load();
  EXPECT_EQ(readFile(appData("dravonk.ini")), settings);

  // A subfolder that cannot be listed at the load's expansion costs only what lies below
  // it, silently: the run names it when it gets there.
  const std::string data = (Sandbox::root() / "data").string();
  for (const char* below : {"/bad/under", "/good/under"})
    std::filesystem::create_directories(data + below);
  writeFile(appData("dravonk.ini"), "[Entries]\r\n0=" + data + "/*.*\r\n");
  fs.faults().inject(runtime::FaultPoint::List, runtime::Err::DeviceUnavailable, "/data/bad", 9);
  ui::frmMain& loaded = makeWindow();
  EXPECT_EQ(itemsOf(loaded.lstSource()), (Strings{data + "/*.*", data + "/bad/*.*",
                                                  data + "/good/*.*", data + "/good/under/*.*"}));
  ASSERT_EQ(scripted.messages.shown.size(), 1u);
  EXPECT_EQ(scripted.messages.shown[0].text, "6\nOverflow");
}

}  // namespace
}  // namespace ferrowick::testing
