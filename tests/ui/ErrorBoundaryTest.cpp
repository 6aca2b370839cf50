#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QTest>
#include <QWidget>
#include <functional>
#include <new>
#include <stdexcept>

#include "QtApplication.h"
#include "runtime/RuntimeError.h"
#include "support/ScriptedHost.h"
#include "ui/host/ErrorBoundary.h"
#include "ui/host/controls/QtButton.h"
#include "ui/host/controls/QtLabel.h"
#include "ui/host/controls/QtMenuItem.h"
#include "ui/host/controls/QtTimer.h"

namespace ferrowick::ui {
namespace {

using Thrower = std::function<void()>;

class ErrorBoundaryTest : public testing::QtTest {
 protected:
  testing::ScriptedMessageBoxes boxes_;
  ErrorBoundary boundary_{boxes_, "Ferrowick"};
  QWidget window_;
};

// Each kind of control the toolkit drives, made to fire a handler that throws; the failure
// ends in one critical box and the next event is handled as usual.
TEST_F(ErrorBoundaryTest, HandlersFailuresEndInACriticalBoxAndTheProgramGoesOn) {
  QtButton button(&window_);
  QtLabel label(&window_);
  QAction action(&window_);
  QtMenuItem item(&action);
  QtTimer timer(0, false);
  label.widget().resize(40, 20);

  struct Case {
    std::function<void(Thrower)> bind;
    std::function<void()> fire;
    Thrower thrower;
    std::string shown;
  };
  const Case cases[] = {
      {[&](Thrower t) { button.onClick = t; }, [&] { button.widget().click(); },
       [] { runtime::raise(runtime::Err::FileNotFound); }, "53\nFile not found"},
      {[&](Thrower t) { item.onClick = t; }, [&] { action.trigger(); },
       [] { throw std::runtime_error("stack exhausted"); }, "51\nstack exhausted"},
      {[&](Thrower t) { label.onClick = t; },
       [&] { QTest::mouseClick(&label.widget(), Qt::LeftButton); }, [] { throw std::bad_alloc(); },
       "7\nOut of memory"},
      {[&](Thrower t) { timer.onTimer = t; },
       [&] {
         timer.setEnabled(true);
         QCoreApplication::processEvents();
         timer.setEnabled(false);
       },
       [] { throw 42; }, "51\nInternal error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown);
    int calls = 0;
    c.bind([&, thrower = c.thrower] {
      if (++calls == 1) thrower();
    });
    boxes_.shown.clear();
    c.fire();
    c.fire();
    EXPECT_EQ(calls, 2);
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].text, c.shown);
    EXPECT_EQ(boxes_.shown[0].style, runtime::MsgStyle::Critical);
    EXPECT_EQ(boxes_.shown[0].caption, "Ferrowick");
  }
}

// An inner boundary reports while it lives; the outer one takes over again after it.
TEST_F(ErrorBoundaryTest, TheNewestBoundaryReports) {
  testing::ScriptedMessageBoxes inner;
  {
    const ErrorBoundary nested(inner, "Inner");
    ErrorBoundary::run([] { runtime::raise(runtime::Err::DiskFull); });
  }
  ErrorBoundary::run([] { runtime::raise(runtime::Err::DiskFull); });
  ASSERT_EQ(inner.shown.size(), 1u);
  EXPECT_EQ(inner.shown[0].caption, "Inner");
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].text, "61\nDisk full");
}

}  // namespace
}  // namespace ferrowick::ui
