#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "MainWindowFixture.h"

namespace ferrowick::testing {
namespace {

using runtime::CheckState::Checked;
using Strings = std::vector<std::string>;

class SchedulePageTest : public MainWindowTest {
 protected:
  static std::filesystem::path settings() { return appData("dravonk.ini"); }
  static std::string days(ui::frmMain& w) {
    std::string ticked = w.optDaily().value() ? "daily" : "";
    for (int day = 1; day <= 7; ++day) {
      if (w.chkDays(day).value() == Checked) ticked += " " + std::to_string(day);
    }
    return ticked;
  }
};

TEST_F(SchedulePageTest, OnlyNowRunsAtOnceWithoutACheckOrASave) {
  ui::frmMain& w = makeWindow();
  w.Hyperlink4_Click();
  w.cmdBakNow_.widget().click();
  EXPECT_TRUE(w.xt1().visible());
  EXPECT_FALSE(std::filesystem::exists(settings()));
}

// A time of 00:00 is no time: the schedule never runs at it.
TEST_F(SchedulePageTest, AFailedCheckSavesNothingAndLeadsToWhatIsMissing) {
  const std::tuple<std::string, bool, std::string, std::string, int> cases[] = {
      {"", false, "10:30", text(204), 3},
      {"/backup/", false, "00:00", text(207), 4},
      {"/backup/", true, "00:00", text(208), 4}};
  for (const auto& [destination, each, time, box, page] : cases) {
    SCOPED_TRACE(destination + " " + time);
    ui::frmMain& w = makeWindow();
    w.show();
    w.lstSource().addItem("/data/*.*");
    w.txtDest().setText(destination);
    (each ? w.optEach() : w.optAlways()).setValue(true);
    (each ? w.MaskEdBox2() : w.MaskEdBox1()).setText(time);
    w.Hyperlink4_Click();
    scripted.messages.shown.clear();
    w.cmdBakNow_.widget().click();
    EXPECT_EQ(scripted.messages.all(), Strings{"Ferrowick|Critical|" + box});
    EXPECT_FALSE(std::filesystem::exists(settings()));
    EXPECT_EQ(pages(w), only(page, 5));
    if (page == 3) {
      EXPECT_TRUE(w.txtDest_.widget().isVisible());
      EXPECT_EQ(w.focusWidget(), &w.txtDest_.widget());
    }
  }
}

TEST_F(SchedulePageTest, WeekdayBoxesAndEveryDayClearEachOther) {
  ui::frmMain& w = makeWindow();
  w.chkDays(3).setValue(Checked);
  w.optDaily().setValue(true);
  EXPECT_EQ(days(w), "daily");

  // The load ticks the stored weekdays, which clears every day; no weekdays keep it.
  for (const auto& [mask, expected] : {std::pair{"65", " 1 7"}, std::pair{"0", "daily"}}) {
    writeFile(settings(), std::string("[When]\r\nDays=") + mask + "\r\n");
    EXPECT_EQ(days(makeWindow()), expected);
  }
}

}  // namespace
}  // namespace ferrowick::testing
