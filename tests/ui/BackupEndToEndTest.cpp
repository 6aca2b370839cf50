#include <gtest/gtest.h>

#include <QtTest/QTest>
#include <filesystem>

#include "MainWindowFixture.h"

namespace ferrowick::testing {
namespace {

class BackupEndToEndTest : public MainWindowTest {
 protected:
  BackupEndToEndTest() {
    writeFile(src / "a.txt", "alpha");
    writeFile(src / "deep/b.txt", "beta");
    std::filesystem::create_directories(dest);
  }
  // Near the left edge, where a box's or an option's mark is.
  static void click(QWidget& widget) {
    QTest::mouseClick(&widget, Qt::LeftButton, {}, QPoint(8, widget.height() / 2));
  }
  static void type(QLineEdit& box, const std::string& text) {
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClick(&box, Qt::Key_Home);
    QTest::keyClicks(&box, QString::fromStdString(text));
  }
  // Sources with subfolders, the destination picked; the window shown on its sources page.
  ui::frmMain& prepare() {
    ui::frmMain& w = makeWindow();
    w.show();
    click(w.Hyperlink2_.widget());
    type(w.txtSelected_.widget(), src.string());
    click(w.cmdAddDir_.widget());
    click(w.Command6_.widget());
    scripted.folders.choose(dest.string());
    click(w.Command1_.widget());
    return w;
  }
  std::filesystem::path mirrored(const std::filesystem::path& folder, const char* file) {
    return folder / std::filesystem::path(src.string().substr(1)) / file;
  }

  std::filesystem::path src = Sandbox::root() / "src";
  std::filesystem::path dest = Sandbox::root() / "dest";
};

TEST_F(BackupEndToEndTest, BackupNowCopiesEveryFileIntoTheDatedMirroredTree) {
  ui::frmMain& w = prepare();
  click(w.chkCustom_.widget());
  type(w.txtCusDir_.widget(), "Docs");
  click(w.optAnd_.widget());
  ASSERT_EQ(w.txtDest().text(), dest.string() + "/Docs - 12062026");
  click(w.Command3_.widget());
  ASSERT_TRUE(w.Option3().value());
  scripted.clock.time.day = 7;  // the run is a day later than the choice
  click(w.cmdBakNow_.widget());

  const auto folder = dest / "Docs - 12072026";
  EXPECT_EQ(readFile(mirrored(folder, "a.txt")), "alpha");
  EXPECT_EQ(readFile(mirrored(folder, "deep/b.txt")), "beta");
}

TEST_F(BackupEndToEndTest, ASavedScheduleRunsOnceInItsMinute) {
  ui::frmMain& w = prepare();
  click(w.Command3_.widget());
  click(w.optAlways_.widget());
  type(w.MaskEdBox1_.widget(), "0916");
  click(w.cmdBakNow_.widget());
  ASSERT_TRUE(std::filesystem::exists(appData("dravonk.ini")));
  ASSERT_FALSE(std::filesystem::exists(mirrored(dest, "a.txt")));

  // The clock stands at 09:15; the timer fires early, late and twice in the minute.
  for (int second : {30, 59}) {
    scripted.clock.time.second = second;
    w.tmrDayGate_Timer();
  }
  EXPECT_FALSE(std::filesystem::exists(mirrored(dest, "a.txt")));
  scripted.clock.time.minute = 16;
  for (int second : {0, 20, 59}) {
    scripted.clock.time.second = second;
    w.tmrDayGate_Timer();
  }
  scripted.clock.time.minute = 17;
  w.tmrDayGate_Timer();
  EXPECT_EQ(readFile(mirrored(dest, "a.txt")), "alpha");
  EXPECT_EQ(occurrences(readFile(appData("dravonk.log")), text(188)), 1u);
}

}  // namespace
}  // namespace ferrowick::testing
