#include <gtest/gtest.h>

#include <vector>

#include "MainWindowFixture.h"
#include "runtime/RuntimeError.h"

namespace ferrowick::testing {
namespace {

using Strings = std::vector<std::string>;

Strings itemsOf(runtime::ComboBox& box) {
  Strings items;
  for (std::size_t i = 0; i < box.count(); ++i) items.push_back(box.item(i));
  return items;
}

TEST_F(MainWindowTest, LoadSetsCaptionsFromTheLanguageTable) {
  ui::frmMain& w = makeWindow();
  // Side links and the pages they open carry the same texts; links are numbered apart
  // from their pages. Sunday is box 1 and takes the last weekday text.
  const std::pair<std::string, int> captions[] = {
      {w.Hyperlink1_.caption(), 237},      {w.xt1().title(), 237},
      {w.Hyperlink2_.caption(), 238},      {w.xt2().title(), 238},
      {w.Hyperlink5_.caption(), 239},      {w.xt3().title(), 239},
      {w.Hyperlink4_.caption(), 240},      {w.xt4().title(), 240},
      {w.Hyperlink3_.caption(), 241},      {w.xt5().title(), 241},
      {w.Hyperlink7_.caption(), 242},      {w.Hyperlink6_.caption(), 222},
      {w.chkDays_[0].caption(), 273},      {w.Command6_.caption(), 252},
      {w.Command3_.caption(), 252},        {w.Command5_.caption(), 276},
      {w.Command4_.caption(), 276},        {w.lblAlwaysTime(0).caption(), 261},
      {w.lblAlwaysTime(1).caption(), 261}, {w.Frame1_.caption(), 281},
      {w.Frame2_.caption(), 262},          {w.optAnd_.caption(), 283},
      {w.Option3_.caption(), 258},         {w.cmdClrSoucre_.caption(), 251},
      {w.cmdLog_.caption(), 288},          {w.Label10().caption(), 256},
      {w.Label7_.caption(), 234},          {w.sprupd_.caption(), 234},
      {w.mnuFile_.caption(), 224},         {w.mnuHelp_.caption(), 229},
      {w.mnuEnd_.caption(), 222},          {w.mnuQuit_.caption(), 222},
      {w.Label5_.caption(), 135},          {w.Label16_.caption(), 255},
      {w.chkServ_.caption(), 227}};
  for (const auto& [caption, index] : captions) EXPECT_EQ(caption, text(index));
  for (std::size_t box = 1; box < 7; ++box) {
    EXPECT_EQ(w.chkDays_[box].caption(), text(266 + static_cast<int>(box)));
  }
  EXPECT_EQ(w.Label9_.caption(), text(119) + " 1.20");
  EXPECT_EQ(w.Label11().caption(), "");  // the status lines of a run are not the load's

  // A missing text leaves its caption empty.
  lang.setText(239, "");
  lang.setText(119, "");
  ui::frmMain& next = makeWindow();
  EXPECT_EQ(next.Hyperlink5_.caption() + next.xt3().title(), "");
  EXPECT_EQ(next.Label9_.caption(), " 1.20");
}

TEST_F(MainWindowTest, LoadFillsTheChoiceListsAndChoosesStoredLanguageAndNoSeparator) {
  storeLanguage("Polish");
  ui::frmMain& w = makeWindow(false);
  Strings separators;
  w.cmbSep_.onChange = [&] { separators.push_back(w.cmbSep().text()); };
  w.Form_Load();
  EXPECT_EQ(itemsOf(w.optLang_), (Strings{"English", "Polish", "Deutsch"}));
  EXPECT_EQ(w.optLang_.text(), "Polish");
  EXPECT_EQ(itemsOf(w.cmbSep()), (Strings{"Space", "-", "None"}));
  // Chosen once, with its change handling, as a user's pick would be.
  EXPECT_EQ(separators, Strings{"None"});

  // A stored language that is no item leaves the choice empty.
  storeLanguage("Klingon");
  EXPECT_EQ(makeWindow().optLang_.text(), "");
  EXPECT_EQ(window->optLang_.count(), 3u);
}

}  // namespace
}  // namespace ferrowick::testing

namespace ferrowick::testing {
namespace {

// The load reads the settings into the controls and then expands the folder items.
TEST_F(MainWindowTest, LoadReadsTheSettingsAndExpandsTheSources) {
  const auto docs = Sandbox::root() / "docs";
  writeFile(docs / "inner/a.txt", "a");
  writeFile(Sandbox::root() / "home/.local/share/Halvorne/Ferrowick/dravonk.ini",
            "[Backup]\r\nIncremental=True\r\n[Entries]\r\n0=" + docs.string() + "/*.*\r\n");
  ui::frmMain& w = makeWindow();
  EXPECT_EQ(w.txtDest().text(), "/");
  EXPECT_EQ(w.chkIncr().value(), runtime::CheckState::Checked);
  ASSERT_EQ(w.lstSource().count(), 2u);
  EXPECT_EQ(w.lstSource().item(0), docs.string() + "/*.*");
  EXPECT_EQ(w.lstSource().item(1), docs.string() + "/inner/*.*");
}

// Each step sees what the steps before it did, and nothing of the steps after it.
TEST_F(MainWindowTest, LoadRunsItsStepsInOrder) {
  const auto docs = Sandbox::root() / "docs";
  writeFile(docs / "inner/a.txt", "a");
  writeFile(Sandbox::root() / "home/.local/share/Halvorne/Ferrowick/dravonk.ini",
            "[Backup]\r\nIncremental=True\r\n[Entries]\r\n0=" + docs.string() + "/*.*\r\n");
  ui::frmMain& w = makeWindow(false);
  std::vector<std::string> steps;
  w.cmbSep_.onChange = [&] { steps.push_back("separator after caption " + w.mnuEnd_.caption()); };
  const auto repaint = w.systemMenu().onRepaint;
  w.systemMenu().onRepaint = [&] {
    steps.push_back("lock with increment " + std::to_string(w.chkIncr().value()));
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
  EXPECT_EQ(steps, (Strings{"separator after caption " + text(222), "lock with increment 0",
                            "settings while close is off", "icon with sources 1"}));
  EXPECT_EQ(w.lstSource().count(), 2u);  // expanded last
}

// An error the load does not expect ends it in one orderly box, and the settings file
// stays as it was.
TEST_F(MainWindowTest, AnErrorDuringTheLoadEndsItInABoxAndLeavesTheSettingsFile) {
  const auto ini = Sandbox::root() / "home/.local/share/Halvorne/Ferrowick/dravonk.ini";
  const std::string settings = "[Backup]\r\nIncremental=True\r\n";
  writeFile(ini, settings);
  ui::frmMain& w = makeWindow(false);
  w.cmbSep_.onChange = [] { runtime::raise(runtime::Err::Overflow); };
  w.Form_Load();
  ASSERT_EQ(scripted.messages.shown.size(), 1u);
  EXPECT_EQ(scripted.messages.shown[0].text, "6\nOverflow");
  EXPECT_EQ(scripted.messages.shown[0].style, runtime::MsgStyle::Critical);
  EXPECT_EQ(readFile(ini), settings);
}

TEST_F(MainWindowTest, AFailingExpansionAtLoadIsReportedAndTheLoadGoesOn) {
  writeFile(Sandbox::root() / "home/.local/share/Halvorne/Ferrowick/dravonk.ini",
            "[Entries]\r\n0=/data/*.*\r\n");
  fs.faults().inject(runtime::FaultPoint::List, runtime::Err::DeviceUnavailable, "/data");
  ui::frmMain& w = makeWindow();
  EXPECT_EQ(w.lstSource().count(), 1u);
  ASSERT_EQ(scripted.messages.shown.size(), 1u);
  EXPECT_EQ(scripted.messages.shown[0].text, "68\nDevice unavailable");
  EXPECT_EQ(scripted.messages.shown[0].style, runtime::MsgStyle::Critical);
}

}  // namespace
}  // namespace ferrowick::testing
