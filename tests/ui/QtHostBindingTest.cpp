#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "MainWindowFixture.h"
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
    runtime::MsgAnswer answer;
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
    EXPECT_EQ(boxes.show("Copy again?", runtime::MsgButtons::YesNo, "Ferrowick"), c.answer);
    EXPECT_EQ(owner, c.owner);
  }
}

TEST_F(MainWindowTest, EveryBoxShowsItsWholeTextInEveryLanguage) {
  std::string path = "/home/ann";
  for (const char* folder : {"Dokumente", "Projekte-2026", "Kundenarchiv", "Rechnungen_und_Belege"})
    path += std::string("/") + folder;
  while (path.size() < 200) path += "/Zusammenfassung";
  path.resize(200);
  using runtime::MsgButtons;
  using runtime::MsgIcon;
  ui::QtMessageBoxes boxes;
  for (const std::string language : {"English", "Polish", "Deutsch"}) {
    ASSERT_EQ(lang.LoadLanguageFile(FERROWICK_SOURCE_DIR "/languages/" + language + "/" + language +
                                    ".txt"),
              services::modLanguage::FileLoad::Loaded);
    const auto t = [&](int index) { return lang.text(index); };
    const std::string copyError =
        "\n\n" + t(192) + "\n" + path + "\n" + t(183) + "\n" + path + "\n\n" + t(193);
    std::vector<std::pair<std::string, runtime::MsgStyle>> shown = {
        {t(144), MsgButtons::YesNo | MsgIcon::Question},
        {t(177) + " '" + path + "'\r", MsgIcon::Exclamation},
        {t(178) + "\n\n" + path + "/*.*", MsgIcon::Exclamation},
        {t(197) + copyError, MsgButtons::YesNo | MsgIcon::Exclamation},
        {"75: Path/File access error" + copyError, MsgButtons::YesNo | MsgIcon::Critical},
        {t(200) + "\n\n" + path, MsgIcon::Critical},
        {t(201) + "\n" + t(202) + " " + path + "/*.*", MsgIcon::Critical},
        {t(205) + "\n\n" + t(206), MsgButtons::YesNo | MsgIcon::Exclamation},
        {"Error: Failed loading selected language.", MsgIcon::Critical},
        {"76\nPath not found", MsgIcon::Critical}};
    for (int i : {101, 199, 203, 204, 207, 208}) shown.emplace_back(t(i), MsgIcon::Critical);
    for (int i : {146, 211, 212, 226}) shown.emplace_back(t(i), MsgIcon::Information);
    for (int i : {194, 195}) shown.emplace_back(t(i) + "\n\n" + path, MsgIcon::Exclamation);
    for (int i : {196, 198, 199, 200})
      shown.emplace_back(t(i) + copyError, MsgButtons::YesNo | MsgIcon::Critical);
    for (const auto& [text, style] : shown) {
      SCOPED_TRACE(language + ": " + text.substr(0, 40));
      bool whole = false;
      QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        // A wrapping label needs its least width and, at its width, its height.
        const QSize needed = label->wordWrap() ? QSize(label->minimumSizeHint().width(),
                                                       label->heightForWidth(label->width()))
                                               : label->sizeHint();
        whole = label->text() == ui::displayText(text) && needed.width() <= label->width() &&
                needed.height() <= label->height();
        box->buttons().front()->click();
      });
      boxes.show(text, style, "Ferrowick");
      EXPECT_TRUE(whole);
    }
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
