#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "runtime/RuntimeError.h"
#include "support/RaisedError.h"
#include "support/ScriptedHost.h"
#include "support/qt/QtApplication.h"
#include "ui/host/ErrorBoundary.h"
#include "ui/host/controls/QtButton.h"
#include "ui/host/controls/QtLabel.h"
#include "ui/host/controls/QtTextBox.h"
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
  QtTimer timer(0, false);
  button.widget().resize(40, 20);
  label.widget().resize(40, 20);

  struct Case {
    std::function<void(Thrower)> bind;
    std::function<void()> fire;
    Thrower thrower;
    std::string shown;
  };
  const Case cases[] = {
      {[&](Thrower t) { button.onClick = t; },
       [&] { QTest::mouseClick(&button.widget(), Qt::LeftButton); },
       [] { runtime::raise(runtime::Err::FileNotFound); }, "53\nFile not found"},
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
    EXPECT_EQ(boxes_.all(), std::vector<std::string>{"Ferrowick|Critical|" + c.shown});
  }
}

// A handler that program code starts passes its failure to that code; a handler started by
// an event inside a running handler's box stops its own.
TEST_F(ErrorBoundaryTest, AHandlerStartedByCodePassesItsFailureToTheCode) {
  QtTextBox text(&window_);
  QtButton button(&window_), other(&window_);
  button.widget().resize(40, 20);
  other.widget().resize(40, 20);
  text.onChange = [] { runtime::raise(runtime::Err::Overflow); };

  int caught = 0;
  button.onClick = [&] {
    caught = testing::raisedError([&] { text.setText("b"); });
    boxes_.show("question", runtime::MsgButtons::YesNo, "Ferrowick");
  };
  other.onClick = [] { runtime::raise(runtime::Err::DiskFull); };
  boxes_.whileOpen = [&](const testing::ScriptedMessageBoxes::Shown& shown) {
    if (shown.text == "question") QTest::mouseClick(&other.widget(), Qt::LeftButton);
  };
  QTest::mouseClick(&button.widget(), Qt::LeftButton);
  EXPECT_EQ(caught, runtime::Err::Overflow);
  ASSERT_EQ(boxes_.shown.size(), 2u);
  EXPECT_EQ(boxes_.shown[1].text, "61\nDisk full");
}

// Code that calls the toolkit without `fromCode` leaves no one to take the failure: it stops
// at the handler, and the toolkit finishes the call (later receivers of the signal run).
TEST_F(ErrorBoundaryTest, AFailureNeverUnwindsThroughACallMadeWithoutFromCode) {
  QtButton button(&window_);
  button.onClick = [] { runtime::raise(runtime::Err::DiskFull); };
  bool later = false;
  QObject::connect(&button.widget(), &QPushButton::clicked, [&] { later = true; });
  button.widget().click();
  EXPECT_TRUE(later);
  EXPECT_EQ(boxes_.all(), std::vector<std::string>{"Ferrowick|Critical|61\nDisk full"});
}

}  // namespace
}  // namespace ferrowick::ui
