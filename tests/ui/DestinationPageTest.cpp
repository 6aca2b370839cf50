#include <gtest/gtest.h>

#include <vector>

#include "MainWindowFixture.h"

namespace ferrowick::testing {
namespace {

using runtime::CheckState::Checked;
using runtime::CheckState::Unchecked;

// The clock reads 6 December 2026; the load chooses "None" as separator.
class DestinationPageTest : public MainWindowTest {
 protected:
  static std::string state(ui::frmMain& w) {
    const auto& d = w.engine_.destination;
    return w.txtDest().text() + " |" + (d.bCustName ? " name" : "") + (d.bDated ? " dated" : "") +
           (d.bBoth ? " both" : "");
  }
};

TEST_F(DestinationPageTest, AndOrTickDatedAndJoinOrReplaceTheName) {
  ui::frmMain& w = makeWindow();
  w.chkCustom_.setValue(Checked);
  // Before any name, "and" is offered and joins an empty name with the date.
  EXPECT_TRUE(w.optAnd_.widget().isEnabled());
  w.optAnd().setValue(true);
  EXPECT_EQ(state(w), "/ - 12062026 | dated both");
  w.txtCusDir().setText("Docs");
  w.cmbSep().setText("-");
  EXPECT_EQ(state(w), "/Docs - 12-06-2026 | name dated both");
  w.optOr().setValue(true);
  EXPECT_EQ(state(w), "/12-06-2026 | dated");
  w.txtCusDir().setText("Doc");  // editing the name again makes it win
  EXPECT_EQ(state(w), "/Doc | name dated");
}

TEST_F(DestinationPageTest, ResetAndUntickingNewFolderEndEveryChoiceTheDateJoinIncluded) {
  for (bool reset : {false, true}) {
    SCOPED_TRACE(reset);
    ui::frmMain& w = makeWindow();
    w.chkCustom_.setValue(Checked);
    w.txtCusDir().setText("Docs");
    w.optAnd().setValue(true);
    if (reset) {
      w.cmdReset_.widget().click();
    } else {
      w.chkCustom_.setValue(Unchecked);
    }
    EXPECT_EQ(state(w), "/ |");
    EXPECT_EQ(w.cmbSep().text(), reset ? "" : "None");
    // Ticking again and naming gives the name alone: nothing says "and" any more.
    w.chkCustom_.setValue(Checked);
    w.txtCusDir().setText("X");
    EXPECT_EQ(state(w), "/X | name");
  }
}

TEST_F(DestinationPageTest, TheSettingsLoadEndsAsTheSameEditsByHand) {
  const std::string dir = Sandbox::root().string() + "/base";
  const std::pair<std::string, std::function<void(ui::frmMain&)>> cases[] = {
      {"Custom=True\r\nCustomName=Docs\r\nAnd=True\r\nDatedDirectories=True\r\n"
       "DateSeperator=-\r\n",
       [](ui::frmMain& w) {
         w.chkCustom().setValue(Checked);
         w.txtCusDir().setText("Docs");
         w.optAnd().setValue(true);
         w.chkDated().setValue(Checked);
         w.cmbSep().setText("-");
       }},
      {"Custom=True\r\nCustomName=Docs\r\nOr=True\r\nDateSeperator=Space\r\n",
       [](ui::frmMain& w) {
         w.chkCustom().setValue(Checked);
         w.txtCusDir().setText("Docs");
         w.optOr().setValue(true);
         w.cmbSep().setText("Space");
       }},
  };
  for (const auto& [stored, edits] : cases) {
    SCOPED_TRACE(stored);
    writeFile(appData("dravonk.ini"), "[Destination]\r\nBaseDir=" + dir + "\r\n" + stored);
    const std::string loaded = state(makeWindow());
    std::filesystem::remove(appData("dravonk.ini"));
    std::filesystem::remove(appData("dravonk.bak"));
    ui::frmMain& w = makeWindow();
    w.txtSelected2().setText(dir);
    edits(w);
    EXPECT_EQ(loaded, state(w));
    EXPECT_NE(loaded.find(dir + "/"), std::string::npos);
  }
}

}  // namespace
}  // namespace ferrowick::testing
