#include <gtest/gtest.h>

#include <QObject>
#include <chrono>

#include "QtApplication.h"
#include "ui/host/QtHost.h"

namespace ferrowick::ui {
namespace {

using namespace std::chrono_literals;

class QtEventLoopTest : public testing::QtTest {};

// A run yields after every file; events are processed at most once per interval, counted
// from the end of the last processing, so a slow handler still leaves the run its time.
TEST_F(QtEventLoopTest, ProcessesEventsAtMostOncePerIntervalAfterTheLastProcessing) {
  constexpr std::chrono::milliseconds interval = QtEventLoop::kInterval;
  std::chrono::steady_clock::time_point now{};
  QtEventLoop loop{[&] { return now; }};
  QObject receiver;
  bool pending = false;
  struct Step {
    std::chrono::milliseconds later;
    bool processes;
  };
  // Each handler that runs takes most of an interval.
  const Step steps[] = {
      {0ms, true}, {interval - 1ms, false}, {1ms, true}, {0ms, false}, {interval, true}};
  for (const Step& step : steps) {
    if (!pending) {
      pending = true;
      QMetaObject::invokeMethod(
          &receiver,
          [&] {
            pending = false;
            now += interval - 2ms;
          },
          Qt::QueuedConnection);
    }
    now += step.later;
    loop.yield();
    EXPECT_EQ(!pending, step.processes) << "at " << (now.time_since_epoch() / 1ms) << " ms";
  }
}

}  // namespace
}  // namespace ferrowick::ui
