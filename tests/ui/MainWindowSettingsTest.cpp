#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "services/modLinki.h"
#include "ui/tools/frmAutoUpd.h"

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
  // Each step: the box's new value, then whether the entry exists.
  const std::pair<int, bool> steps[] = {{1, true}, {0, false}, {0, false}, {2, true}};
  for (const auto& [value, exists] : steps) {
    w.chkServ_.widget().setCheckState(value == 0   ? Qt::Unchecked
                                      : value == 1 ? Qt::Checked
                                                   : Qt::PartiallyChecked);
    EXPECT_EQ(std::filesystem::exists(entry()), exists) << value;
  }
  // The entry starts the program's own executable, nothing appended.
  EXPECT_NE(readFile(entry()).find("\nExec=/opt/ferrowick/ferrowick\n"), std::string::npos)
      << readFile(entry());
  EXPECT_TRUE(scripted.messages.shown.empty());
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
  EXPECT_EQ(scripted.messages.shown[0].style, runtime::MsgStyle::Information);
  EXPECT_EQ(scripted.messages.shown[0].caption, "Ferrowick");
  EXPECT_EQ(whileOpen, Strings{"Polish"});
  EXPECT_EQ(storedLanguage(registry), "Deutsch");
  // Nothing is reloaded: the window keeps the texts it has.
  EXPECT_EQ(w.Command7_.caption(), text(243));
}

TEST_F(MainWindowTest, LogButtonOpensTheLogOnlyWhenThereIsOne) {
  ui::frmMain& w = makeWindow();
  w.cmdLog_.widget().click();
  EXPECT_TRUE(scripted.shell.opened.empty());
  writeFile(appData("dravonk.log"), "x\r\n");
  w.cmdLog_.widget().click();
  EXPECT_EQ(scripted.shell.opened, Strings{appData("dravonk.log").string()});
  EXPECT_TRUE(scripted.messages.shown.empty());
}

TEST_F(MainWindowTest, HelpMenuItemsOpenTheirDocumentOrPage) {
  storeLanguage("Deutsch");
  ui::frmMain& w = makeWindow();
  RecordingShell expected;
  services::modLinki links{app, registry, expected};
  const std::pair<ui::QtMenuItem*, std::function<void()>> items[] = {
      {&w.read1_, [&] { links.OpenReadme(); }},
      {&w.licen1_, [&] { links.OpenLicenseAgreement(); }},
      {&w.stww_, [&] { links.OpenHomePage(); }}};
  for (const auto& [item, open] : items) {
    scripted.shell.opened.clear();
    expected.opened.clear();
    item->action().trigger();
    open();
    ASSERT_EQ(expected.opened.size(), 1u);
    EXPECT_EQ(scripted.shell.opened, expected.opened);
  }
}

// Each tool window has one instance, owned by the main window: opening it again shows
// the loaded one; once closed, the next opening loads a new one.
TEST_F(MainWindowTest, ToolMenuItemsOpenOneInstanceEach) {
  ui::frmMain& w = makeWindow();
  w.show();
  const std::pair<ui::QtMenuItem*, std::function<QWidget*()>> tools[] = {
      {&w.qwe_, [&] { return w.md5_.data(); }}, {&w.oprog_, [&] { return w.about_.data(); }}};
  for (const auto& [item, instance] : tools) {
    item->action().trigger();
    QWidget* first = instance();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->parentWidget() == &w && first->isVisible());
    // Owned by the main window, over the middle of it.
    EXPECT_TRUE(first->windowFlags().testFlag(Qt::Dialog));
    EXPECT_LE((first->frameGeometry().center() - w.frameGeometry().center()).manhattanLength(), 10);
    first->hide();
    item->action().trigger();
    EXPECT_EQ(instance(), first);
    EXPECT_TRUE(first->isVisible());
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(instance(), nullptr);
    item->action().trigger();
    EXPECT_NE(instance(), nullptr);
  }
}

// The menu item, the label and the picture reach one update window; opening it again while
// it is shown starts no second check. A second after start the hidden update form is
// loaded once.
TEST_F(MainWindowTest, UpdateFormsLoadOnceAndCheckOnce) {
  ui::frmMain& w = makeWindow();
  w.sprupd_.action().trigger();
  ui::frmUpdate* first = w.update_.data();
  ASSERT_TRUE(first != nullptr && first->isVisible());
  w.Label7_.onClick();
  w.Image2_.onClick();
  EXPECT_EQ(w.update_.data(), first);
  first->Timer1_Timer();
  EXPECT_EQ(transfers, 1);

  w.Timer3_.setEnabled(true);
  w.Timer3_.onTimer();
  EXPECT_FALSE(w.Timer3_.enabled());
  int hidden = 0;
  for (QObject* child : w.children()) {
    if (auto* form = dynamic_cast<ui::frmAutoUpd*>(child)) hidden += !form->isVisible();
  }
  EXPECT_EQ(hidden, 1);
}

TEST_F(MainWindowTest, UpdateLinkShowsTheHandPointerAndUnderlinesNothing) {
  ui::frmMain& w = makeWindow();
  for (QWidget* target :
       {static_cast<QWidget*>(&w.Label7_.widget()), static_cast<QWidget*>(&w.Image2_.widget())}) {
    EXPECT_NE(target->cursor().shape(), Qt::PointingHandCursor);
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), target->mapToGlobal(QPointF(2, 2)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    EXPECT_EQ(target->cursor().shape(), Qt::PointingHandCursor);
  }
  EXPECT_FALSE(w.Label7_.underline());
  EXPECT_EQ(underlines(w), only(0, 7));
}

}  // namespace
}  // namespace ferrowick::testing
