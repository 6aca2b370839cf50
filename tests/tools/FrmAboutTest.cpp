#include "ui/tools/FrmAbout.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QTest>

#include "ToolRig.h"
#include "services/modLinki.h"
#include "ui/host/QtHost.h"

namespace ferrowick::testing {
namespace {

using Strings = std::vector<std::string>;

class FrmAboutTest : public ToolWindowRig<ui::FrmAbout> {
 protected:
  ui::FrmAbout& open() { return openWith(ui::FrmAboutContext{{app, scripted.host, lang}, links}); }

  services::modLinki links{app, registry, scripted.shell};
};

TEST_F(FrmAboutTest, LoadShowsTheVersionAndTheComputerName) {
  ui::FrmAbout& w = open();
  EXPECT_EQ(w.Label1_.caption(), "1.20");
  char host[256] = {};
  ASSERT_EQ(::gethostname(host, sizeof host - 1), 0);
  EXPECT_EQ(w.Label4_.caption(), host);
}

// The underline follows the last link the pointer crossed; the background and plain texts
// keep it.
TEST_F(FrmAboutTest, TheUnderlineAndTheHandFollowTheHoveredLink) {
  ui::FrmAbout& w = open();
  for (std::size_t i = 0; i < w.links().size(); ++i) {
    moveOver(w.links()[i]->widget());
    moveOver(w);
    moveOver(w.Label6_.widget());
    for (std::size_t j = 0; j < w.links().size(); ++j)
      EXPECT_EQ(w.links()[j]->underline(), i == j) << i << " then " << j;
    EXPECT_EQ(w.links()[i]->widget().cursor().shape(), Qt::PointingHandCursor);
  }
}

// Links leave the window open; the version text, OK and Escape close it, and the next opening
// starts afresh. While loaded, opening again reaches the one instance and restores it.
TEST_F(FrmAboutTest, EachLinkOpensItsPageAndTheVersionTextOkAndEscapeCloseTheWindow) {
  registry.WriteRegValue("Ferrowick", "Settings", "curLang", "Deutsch", runtime::HKEY_CURRENT_USER,
                         "SOFTWARE\\Halvorne", runtime::REG_SZ);
  ui::FrmAbout& w = open();
  for (ui::QtLabel* link : w.links()) QTest::mouseClick(&link->widget(), Qt::LeftButton);
  settle();
  EXPECT_EQ(scripted.shell.opened,
            (Strings{"http://www.halvorne.com/de", "http://www.halvorne.com/de/support.html",
                     "http://www.halvorne.com/forum", "http://www.halvorne.com/de/contact.html"}));
  w.setWindowState(Qt::WindowMinimized);
  ASSERT_EQ(&open(), &w);
  EXPECT_FALSE(w.isMinimized());
  QTest::mouseClick(&w.Label1_.widget(), Qt::LeftButton);
  settle();
  EXPECT_TRUE(window.isNull());
  QTest::mouseClick(&open().Command3_.widget(), Qt::LeftButton);
  settle();
  EXPECT_TRUE(window.isNull());
  QTest::keyClick(&open().Command3_.widget(), Qt::Key_Escape);  // from the focused button
  settle();
  EXPECT_TRUE(window.isNull());
}

// What the program hands a missing document opens nothing.
TEST_F(FrmAboutTest, TheShellRefusesAMissingDocument) {
  EXPECT_LE(ui::QtShell().open((Sandbox::root() / "program/languages/english/readme.txt").string()),
            32);
}

}  // namespace
}  // namespace ferrowick::testing
