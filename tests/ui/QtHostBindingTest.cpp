#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "runtime/Host.h"
#include "support/Sandbox.h"
#include "support/qt/QtApplication.h"
#include "ui/host/FolderStart.h"
#include "ui/host/QtHost.h"
#include "ui/host/QtTranslations.h"

namespace ferrowick::testing {
namespace {

TEST(FolderPickerStart, OpensInAnExistingFolderOnly) {
  const QString root = QString::fromStdString(Sandbox::root().string());
  writeFile(Sandbox::root() / "home/backup/file.txt", "x");
  const QString home = root + "/home";
  const std::pair<QString, QString> cases[] = {
      {root + "/home/backup/gone/deeper", root + "/home/backup"},
      {root + "/home/backup/file.txt", root + "/home/backup"},
      {"Start path to browse from", home},
  };
  for (const auto& [requested, expected] : cases) {
    EXPECT_EQ(ui::existingFolderToStartIn(requested), expected) << requested.toStdString();
  }
}

// A box comes up over the window the user works in, else over the main window; the
// answer is the button pressed.
TEST_F(QtTest, MessageBoxBelongsToTheActiveWindow) {
  QWidget main, tool;
  main.show();
  tool.show();
  ui::QtMessageBoxes boxes;
  boxes.setParent(&main);
  struct Case {
    QWidget* active;
    QMessageBox::StandardButton pressed;
    QWidget* owner;
    int answer;
  };
  const Case cases[] = {{&tool, QMessageBox::No, &tool, runtime::MsgAnswer::No},
                        {nullptr, QMessageBox::Yes, &main, runtime::MsgAnswer::Yes}};
  for (const Case& c : cases) {
    if (c.active != nullptr) {
      c.active->activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(c.active));
    } else {
      QApplication::setActiveWindow(nullptr);
    }
    QWidget* owner = nullptr;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      owner = box->parentWidget();
      box->button(c.pressed)->click();
    });
    EXPECT_EQ(boxes.show("Copy again?", runtime::MsgStyle::YesNo, "Ferrowick"), c.answer);
    EXPECT_EQ(owner, c.owner);
  }
}

TEST_F(QtTest, QtOwnTextsFollowTheProgramLanguage) {
  const std::pair<std::string, QString> cases[] = {
      {"Polish", "&Tak"}, {"Deutsch", "&Ja"}, {"English", "&Yes"}};
  ui::QtTranslations translations;
  for (const auto& [language, yes] : cases) {
    translations.load(language);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), yes) << language;
  }
}

}  // namespace
}  // namespace ferrowick::testing
