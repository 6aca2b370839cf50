#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "SettingsFixture.h"
#include "engine/Validation.h"

namespace ferrowick::engine::testing {
namespace {

class CheckSettings : public EngineTest {
 protected:
  CheckSettings() {
    window.lstSource_.addItem("/home/ann/*.*");
    window.txtDest_.setText("/media/usb/");
  }
  // The verdict, each box shown as style:text, and "focus" when the destination took it.
  std::string check(std::optional<runtime::MsgAnswer> answer = std::nullopt) {
    host.messages.shown.clear();
    if (answer) host.messages.answer(*answer);
    const int focus = window.txtDest_.focusCount;
    std::string outcome = Validation(ctx).CheckSettings() == Check::Stop ? "stop" : "go";
    for (const auto& shown : host.messages.shown) {
      outcome +=
          " " + ferrowick::testing::styleName(shown.style) + ":" + shown.text + "/" + shown.caption;
    }
    return outcome + (window.txtDest_.focusCount != focus ? " focus" : "");
  }
};

TEST_F(CheckSettings, EachCheckInTurnStopsTheRunWithItsMessage) {
  window.optAlways_.setValue(true);
  window.MaskEdBox1_.setText("__:__");
  EXPECT_EQ(check(), "stop Critical:text 207/Ferrowick");
  window.optEach_.setValue(true);
  EXPECT_EQ(check(), "stop Critical:text 208/Ferrowick");
  window.MaskEdBox2_.setText("1_:__");  // partly filled is not empty
  EXPECT_EQ(check(), "go");

  window.txtDest_.setText("/");
  EXPECT_EQ(check(runtime::MsgAnswer::No),
            "stop YesNo+Exclamation:text 205\n\ntext 206/Ferrowick focus");
  // Yes ends the checks: the chosen rule's empty time is not looked at.
  window.optAlways_.setValue(true);
  EXPECT_EQ(check(runtime::MsgAnswer::Yes), "go YesNo+Exclamation:text 205\n\ntext 206/Ferrowick");

  window.txtDest_.setText("");
  EXPECT_EQ(check(), "stop Critical:text 204/Ferrowick focus");
  window.lstSource_.clear();  // an empty list comes first
  EXPECT_EQ(check(), "stop Critical:text 203/Ferrowick");

  window.lstSource_.addItem("/home/ann/*.*");
  window.MaskEdBox1_.setText("07:30");
  window.txtDest_.setText("//");  // only the exact root is asked about
  EXPECT_EQ(check(), "go");
}

}  // namespace
}  // namespace ferrowick::engine::testing
