#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SettingsFixture.h"
#include "engine/Validation.h"

namespace ferrowick::engine::testing {
namespace {

using runtime::MsgAnswer::No;
using runtime::MsgAnswer::Yes;
using runtime::MsgStyle::Critical;

class CheckSettings : public EngineTest {
 protected:
  CheckSettings() {
    window.lstSource_.addItem("/home/ann/*.*");
    window.txtDest_.setText("/media/usb/");
  }
  bool check() { return Validation(ctx).CheckSettings(); }
  void expectOnly(const std::string& text, int style) {
    ASSERT_EQ(host.messages.shown.size(), 1u);
    EXPECT_EQ(host.messages.shown[0].text, text);
    EXPECT_EQ(host.messages.shown[0].style, style);
    EXPECT_EQ(host.messages.shown[0].caption, "Ferrowick");
  }
};

TEST_F(CheckSettings, SoundSettingsPassSilently) {
  window.optAlways_.setValue(true);
  window.MaskEdBox1_.setText("07:30");
  EXPECT_FALSE(check());
  EXPECT_TRUE(host.messages.shown.empty());
  EXPECT_EQ(window.txtDest_.focusCount, 0);
}

TEST_F(CheckSettings, AnEmptyListComesFirst) {
  window.lstSource_.clear();
  window.txtDest_.setText("");
  window.optAlways_.setValue(true);
  EXPECT_TRUE(check());
  expectOnly("text 203", Critical);
  EXPECT_EQ(window.txtDest_.focusCount, 0);
}

TEST_F(CheckSettings, AnEmptyDestinationTakesTheFocus) {
  window.txtDest_.setText("");
  EXPECT_TRUE(check());
  expectOnly("text 204", Critical);
  EXPECT_EQ(window.txtDest_.focusCount, 1);
}

TEST_F(CheckSettings, TheRootAsDestinationIsAskedAbout) {
  window.txtDest_.setText("/");
  host.messages.answer(No);
  EXPECT_TRUE(check());
  expectOnly("text 205\n\ntext 206", 52);
  EXPECT_EQ(window.txtDest_.focusCount, 1);

  // Yes ends the checks: the empty time field of the chosen rule is not looked at.
  host.messages.shown.clear();
  window.optAlways_.setValue(true);
  host.messages.answer(Yes);
  EXPECT_FALSE(check());
  EXPECT_EQ(host.messages.shown.size(), 1u);
  EXPECT_EQ(window.txtDest_.focusCount, 1);
}

TEST_F(CheckSettings, OnlyTheExactRootIsAskedAbout) {
  for (const char* destination : {"/media", "/home/ann/", "//", " /", "/ "}) {
    window.txtDest_.setText(destination);
    EXPECT_FALSE(check()) << destination;
  }
  EXPECT_TRUE(host.messages.shown.empty());
}

TEST_F(CheckSettings, TheChosenRuleNeedsItsTime) {
  window.optAlways_.setValue(true);
  EXPECT_TRUE(check());
  expectOnly("text 207", Critical);

  host.messages.shown.clear();
  window.optEach_.setValue(true);
  window.MaskEdBox1_.setText("__:__");
  EXPECT_TRUE(check());
  expectOnly("text 208", Critical);

  // A partly filled field is not empty; the other rule's empty field does not count.
  host.messages.shown.clear();
  window.MaskEdBox2_.setText("1_:__");
  EXPECT_FALSE(check());
  EXPECT_TRUE(host.messages.shown.empty());
  EXPECT_EQ(window.txtDest_.focusCount, 0);
}

}  // namespace
}  // namespace ferrowick::engine::testing
