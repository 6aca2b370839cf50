#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTimer>

#include "runtime/net/CurlTransfer.h"
#include "support/qt/QtApplication.h"
#include "ui/tools/frmAutoUpd.h"

namespace ferrowick::testing {
namespace {

TEST_F(QtTest, TheHiddenFormStaysHiddenAndEndsWithTheMainWindow) {
  auto* main = new QWidget;
  main->show();
  QPointer<ui::frmAutoUpd> form =
      ui::frmAutoUpd::LoadHidden(std::make_unique<runtime::CurlTransfer>(), main);
  EXPECT_EQ(form->Timer1_.enabled() ? form->Timer1_.interval() : 0, 600);

  // Closing the last shown window ends the event loop although the form is loaded.
  QTimer::singleShot(0, main, [main] { main->close(); });
  QTimer::singleShot(10000, [] { QApplication::exit(1); });  // only if the loop hangs
  EXPECT_EQ(QApplication::exec(), 0);
  ASSERT_FALSE(form.isNull());
  EXPECT_FALSE(form->isVisible());

  delete main;
  EXPECT_TRUE(form.isNull());
}

}  // namespace
}  // namespace ferrowick::testing
