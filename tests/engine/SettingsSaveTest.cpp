#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <optional>

#include "SettingsFixture.h"

namespace ferrowick::engine::testing {
namespace {

using runtime::CheckState::Checked;
using runtime::MsgStyle::Critical;
using Strings = std::vector<std::string>;

constexpr const char* kCurrent = "[Entries]\r\n0=/current/*.*\r\n";

class SettingsSave : public EngineTest {
 protected:
  void save() { SettingsFile(ctx).SaveSettings(); }
  long filesLeft() const {
    return std::ranges::distance(std::filesystem::directory_iterator(folder()));
  }
};

TEST_F(SettingsSave, WritesEveryKeyInItsOrderAndKeepsTheFileBeforeAsThePreviousVersion) {
  state.AlwaysAtTime = TimeOfDay::of(7, 30);  // an empty field unsets it
  window.optEach_.setValue(true);
  window.txtSelected2_.setText("/media/usb");
  window.cmbSep_.setText("None");
  window.chkDays(3).setValue(Checked);  // every day is chosen: the boxes do not count
  for (const char* item : {"/docs/*.*", "/notes.txt"}) window.lstSource_.addItem(item);
  save();
  EXPECT_EQ(ini(),
            "[When]\r\nAlwaysAt=???\r\nEach=???\r\nDefault=True\r\nDays=0\r\n[Log]\r\nSave=True\r\n"
            "[Backup]\r\nIncremental=False\r\n[Destination]\r\nCustom=False\r\nAnd=False\r\n"
            "Or=False\r\nDateSeperator=None\r\nDatedDirectories=False\r\nBaseDir=/media/usb/\r\n"
            "[Options]\r\nLoadWin=False\r\n[Entries]\r\n0=/docs/*.*\r\n1=/notes.txt\r\n");
  EXPECT_FALSE(state.AlwaysAtTime.isSet());

  // Weekday boxes in any state but unticked count once every day is not chosen (a box's
  // change clears the every-day choice).
  const std::string first = ini();
  for (auto& box : window.chkDays_) box.onClick = [this] { window.optDaily_.setValue(false); };
  window.optAlways_.setValue(true);
  window.MaskEdBox1_.setText("07:30");
  window.MaskEdBox2_.setText("02:00");
  window.chkDays(4).setValue(runtime::CheckState::Grayed);
  window.cmbSep_.setText("");
  save();
  EXPECT_EQ(bak(), first);
  EXPECT_EQ(ini().substr(0, ini().find("[Log]")),
            "[When]\r\nAlwaysAt=07:30\r\nEach=02:00\r\nDefault=False\r\nDays=12\r\n");
  EXPECT_EQ(ini().find("DateSeperator"), std::string::npos);  // an empty separator has no key
  EXPECT_EQ(filesLeft(), 2);                                  // nothing staged stays behind
  const std::string second = ini();

  // A field that holds no time of day ends the save after its own key, and the file stays.
  window.MaskEdBox1_.setText("08:00");
  window.MaskEdBox2_.setText("1_:__");
  save();
  EXPECT_EQ(boxesShown(host.messages), Strings{shownBox(Critical, "13\nType mismatch")});
  EXPECT_EQ(ini(), second);
}

TEST_F(SettingsSave, AFailedSaveNamesTheFirstEntryItCouldNotStoreAndKeepsTheOldSettings) {
  using namespace runtime::Err;
  using runtime::FaultPoint;
  const struct {
    std::optional<FaultPoint> fault;
    int error;
    const char* shown;
    Strings items;
  } cases[] = {{FaultPoint::CommitFile, PermissionDenied, "text 201\ntext 202 /a/*.*", {"/a/*.*"}},
               {std::nullopt, 0, "text 201\ntext 202 /b\nc", {"/a/*.*", "/b\nc", "/c/*.*"}},
               {FaultPoint::StageFile, DiskFull, "61\nDisk full", {}}};  // no entry to name
  for (const auto& failure : cases) {
    SCOPED_TRACE(failure.shown);
    std::filesystem::remove_all(folder());
    writeIni(kCurrent);
    host.messages.shown.clear();
    window.lstSource_.clear();
    for (const auto& item : failure.items) window.lstSource_.addItem(item);
    if (failure.fault) fs.faults().inject(*failure.fault, failure.error);
    save();
    EXPECT_EQ(boxesShown(host.messages), Strings{shownBox(Critical, failure.shown)});
    EXPECT_EQ(filesLeft(), 1);
    EXPECT_EQ(ini(), kCurrent);
  }
}

TEST_F(SettingsSave, RemovesTheTemporaryFilesOfAKilledSaveButNotOneBeingWritten) {
  writeIni(kCurrent);
  const auto stale = folder() / ".dravonk.ini.Ab12Cd", live = folder() / ".dravonk.ini.Xy34Zq";
  ferrowick::testing::writeFile(stale, "partial");
  ferrowick::testing::writeFile(live, "being written");
  const int writer = ::open(live.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(writer, LOCK_EX), 0);
  window.lstSource_.addItem("/a/*.*");
  save();
  ::close(writer);
  EXPECT_FALSE(std::filesystem::exists(stale));
  EXPECT_TRUE(std::filesystem::exists(live));
}

TEST_F(SettingsSave, AValueTheFileCannotHoldFailsTheSaveAndKeepsTheOldSettings) {
  writeIni(kCurrent);
  window.lstSource_.addItem("/a/*.*");
  window.txtCusDir_.setText(std::string("Ho\0me", 5));
  save();
  EXPECT_EQ(boxesShown(host.messages),
            Strings{shownBox(Critical, "5\nInvalid procedure call or argument")});
  EXPECT_EQ(ini(), kCurrent);
}

}  // namespace
}  // namespace ferrowick::engine::testing
