#include "ui/tools/frmMd5.h"

#include <gtest/gtest.h>

#include <QTest>

#include "ToolRig.h"

namespace ferrowick::testing {
namespace {

using Strings = std::vector<std::string>;

class frmMd5Test : public ToolWindowRig<ui::frmMd5> {
 protected:
  ui::frmMd5& open() { return openWith(ui::frmMd5Context{{app, scripted.host, lang}, dialog}); }
  static Strings fields(const ui::frmMd5& w) {
    return {w.Text1_.text(), w.Text3_.text(), w.Text2_.text(), w.Text4_.text()};
  }

  ScriptedFileDialog dialog;
};

// Both buttons share one dialog, which starts at the last file accepted by either; a
// cancel leaves every box as it was, and a file that cannot be read shows no sum.
TEST_F(frmMd5Test, BrowsingFillsItsOwnFrameAndACancelChangesNothing) {
  const std::string a = (Sandbox::root() / "a.txt").string();
  writeFile(a, "abc");
  const std::string missing = (Sandbox::root() / "gone.bin").string();
  const std::string sumA = "900150983cd24fb0d6963f7d28e17f72";
  ui::frmMd5& w = open();
  struct Step {
    int button;
    std::string answer;  // "" cancels
    std::string startsAt;
    Strings shown;
  };
  const Step steps[] = {
      {2, "", "", {"", "", "", ""}},           {1, a, "", {a, sumA, "", ""}},
      {2, "", a, {a, sumA, "", ""}},  // the other frame is not filled with the first file
      {2, missing, a, {a, sumA, missing, ""}}, {1, missing, missing, {missing, "", missing, ""}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.answer + " by " + std::to_string(step.button));
    dialog.calls.clear();
    dialog.choose(step.answer);
    QTest::mouseClick(step.button == 1 ? &w.Command1_.widget() : &w.Command2_.widget(),
                      Qt::LeftButton);
    ASSERT_EQ(dialog.calls.size(), 1u);
    EXPECT_EQ(dialog.calls[0].description + dialog.calls[0].pattern, text(210) + " *.*");
    EXPECT_EQ(dialog.calls[0].fileName, step.startsAt);
    EXPECT_EQ(fields(w), step.shown);
  }
  // Busy while each of the three picks was hashed.
  EXPECT_EQ(scripted.pointer.changes, (std::vector<bool>{true, false, true, false, true, false}));
  QTest::mouseClick(&w.Command4_.widget(), Qt::LeftButton);
  settle();
  EXPECT_TRUE(window.isNull());
}

// Letter case does not count: published sums are often in capitals.
TEST_F(frmMd5Test, OnlyTwoEqualSumsMatchInEitherCase) {
  const std::string sum = "900150983cd24fb0d6963f7d28e17f72";
  const std::string upper = "900150983CD24FB0D6963F7D28E17F72";
  const std::tuple<std::string, std::string, int> cases[] = {
      {sum, sum, 211},       {sum, upper, 211},           {upper, sum, 211},
      {sum, sum + "0", 212}, {sum, "900150983cd24", 212}, {"", "", 212}};
  ui::frmMd5& w = open();
  for (const auto& [first, second, expected] : cases) {
    SCOPED_TRACE(first + " | " + second);
    scripted.messages.shown.clear();
    w.Text3_.setText(first);
    w.Text4_.setText(second);
    QTest::mouseClick(&w.Command3_.widget(), Qt::LeftButton);
    EXPECT_EQ(scripted.messages.all(), Strings{"Ferrowick|Information|" + text(expected)});
  }
}

}  // namespace
}  // namespace ferrowick::testing
