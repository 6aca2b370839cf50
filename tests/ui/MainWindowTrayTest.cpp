#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <tuple>

#include "MainWindowFixture.h"
#include "ui/host/QtTrayIcon.h"
#include "ui/tools/frmMd5.h"

namespace ferrowick::testing {
namespace {

void settle() {
  for (int round = 0; round < 3; ++round) QCoreApplication::processEvents();
}

struct Outcome {
  bool visible;
  bool minimised;
  // For each opening of the destination picker: was the window visible then?
  std::vector<bool> picker;
  bool operator==(const Outcome&) const = default;
};

class TrayTest : public MainWindowTest {
 protected:
  ui::frmMain& start(bool settingsFile, bool area) {
    if (settingsFile) writeFile(appData("dravonk.ini"), "[Backup]\r\n");
    tray.available = area;
    ui::frmMain& w = makeWindow();
    w.Command1_.onClick = [this] { picker.push_back(window->isVisible()); };
    w.show();
    settle();
    return w;
  }
  // The platform window's state counts: it is the state the window is mapped in again.
  Outcome outcome() {
    return {window->isVisible(),
            window->isMinimized() ||
                window->windowHandle()->windowStates().testFlag(Qt::WindowMinimized),
            picker};
  }

  std::vector<bool> picker;
};

TEST_F(TrayTest, FirstShowingMinimisesOnlyWhenASettingsFileWasFound) {
  const std::tuple<bool, bool, Outcome> cases[] = {
      {false, true, {true, false, {}}},
      {true, true, {false, false, {false}}},  // hidden, not minimised, then the picker
      {true, false, {true, true, {true}}},    // nothing to come back by: minimised only
  };
  for (const auto& [settingsFile, area, expected] : cases) {
    picker.clear();
    Sandbox::leave();
    Sandbox::enter();
    start(settingsFile, area);
    EXPECT_EQ(outcome(), expected) << settingsFile << area;
  }
}

TEST_F(TrayTest, UserMinimiseAndHideLinkWithAndWithoutNotificationArea) {
  const std::tuple<bool, bool, Outcome> cases[] = {
      {true, false, {false, false, {false}}},
      {false, false, {true, true, {true}}},
      {false, true, {true, true, {}}},  // the link minimises where it cannot hide
  };
  for (const auto& [area, byLink, expected] : cases) {
    picker.clear();
    ui::frmMain& w = start(false, area);
    byLink ? w.Hyperlink7_Click() : w.setWindowState(Qt::WindowMinimized);
    settle();
    EXPECT_EQ(outcome(), expected) << area << byLink;
  }
  // A notification area that appears later lets the window hide again.
  tray.available = true;
  window->Hyperlink7_Click();
  EXPECT_FALSE(window->isVisible());
}

TEST_F(TrayTest, IconMessagesPopUpTheMenuOrRestoreTheWindow) {
  const std::tuple<int, std::size_t, bool> cases[] = {
      {514, 1, false}, {515, 0, true}, {512, 0, false}};
  ui::frmMain& w = start(true, true);
  for (const auto& [message, popUps, shown] : cases) {
    w.hide();
    tray.popUps.clear();
    w.Hyperlink3_MouseMove();
    tray.send(message);
    settle();
    EXPECT_EQ(tray.popUps.size(), popUps) << message;
    EXPECT_EQ(w.isVisible(), shown) << message;
    EXPECT_EQ(underlines(w), only(0, 7)) << message;
  }
  EXPECT_EQ(picker.size(), 1u);  // the start-up rule does not run again
}

// Focus back from a tool window runs the activation rule; focus from elsewhere, or a
// window brought back from the tray, does not.
TEST_F(TrayTest, FocusBackFromAToolWindowRunsTheActivationRule) {
  for (const auto& [fromTool, byTray] : {std::pair{true, false}, {false, false}, {true, true}}) {
    Sandbox::leave();
    Sandbox::enter();
    ui::frmMain& w = start(true, true);
    w.mnuRestore_Click();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.qwe_.action().trigger();
    QWidget stranger;
    if (!fromTool) stranger.show();
    QWidget& before = fromTool ? *w.md5_ : stranger;
    before.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&before));
    if (byTray) {
      w.hide();
      w.mnuRestore_Click();
    } else {
      w.activateWindow();
    }
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    settle();
    EXPECT_EQ(w.isVisible(), !fromTool || byTray) << fromTool << byTray;
  }
}

// A click waits for the double-click interval before it pops the menu up, so the second
// click of a double-click reaches the icon.
TEST(QtTrayIcon, ClickWaitsForADoubleClickWhichCancelsIt) {
  ensureQtApplication();
  using Icon = QSystemTrayIcon;
  using Reasons = std::vector<Icon::ActivationReason>;
  const std::pair<Reasons, std::vector<int>> cases[] = {
      {{Icon::Trigger}, {514}},
      {{Icon::Trigger, Icon::Trigger, Icon::DoubleClick}, {515}},
  };
  for (const auto& [reasons, expected] : cases) {
    ui::QtTrayIcon icon;
    icon.setDoubleClickWait(0);
    std::vector<int> messages;
    icon.onMessage = [&](int message) { messages.push_back(message); };
    for (Icon::ActivationReason reason : reasons) icon.activate(reason);
    settle();
    EXPECT_EQ(messages, expected) << reasons.size();
  }
}

TEST_F(TrayTest, TrayIconRestoresAndBothCloseItemsEndTheProgram) {
  ui::frmMain& w = start(true, true);
  EXPECT_EQ(tray.tip, "Ferrowick");
  tray.whilePoppedUp = [&](QMenu&) { w.mnuRestore_.action().trigger(); };
  tray.send(517);
  EXPECT_TRUE(w.isVisible() && !w.isMinimized());

  w.mnuQuit_.action().trigger();
  EXPECT_EQ(ends, 1);
  w.mnuEnd_.action().trigger();
  EXPECT_EQ(ends, 2);
}

TEST_F(TrayTest, CloseRequestsAreRefusedOnceLoadedButOwnClosePathsWork) {
  ui::frmMain& unloaded = makeWindow(false);
  unloaded.show();
  EXPECT_TRUE(unloaded.close());  // nothing locks it before the load

  ui::frmMain& w = start(false, true);
  EXPECT_FALSE(w.close());
  EXPECT_FALSE(w.windowFlags().testFlag(Qt::WindowCloseButtonHint));
  w.Hyperlink6_Click();
  EXPECT_EQ(ends, 1);
}

}  // namespace
}  // namespace ferrowick::testing
