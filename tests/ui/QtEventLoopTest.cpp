#include <gtest/gtest.h>

#include <QObject>
#include <chrono>

#include "support/qt/QtApplication.h"
#include "ui/host/QtHost.h"

namespace ferrowick::ui {
namespace {

using namespace std::chrono_literals;
using QtEventLoopTest = testing::QtTest;

// A run yields after every file; events are processed at most once per interval, counted
// from the end of the last processing, so a slow handler still leaves the run its time.
TEST_F(QtEventLoopTest, ProcessesEventsAtMostOncePerIntervalAfterTheLastProcessing) {
  constexpr std::chrono::milliseconds interval = QtEventLoop::kInterval;
  std::chrono::steady_clock::time_point now{};
  QtEventLoop loop{[&] { return now; }};
  QObject receiver;
  bool pending = false;
  const std::pair<std::chrono::milliseconds, bool> steps[] = {
      {0ms, true}, {interval - 1ms, false}, {1ms, true}, {0ms, false}, {interval, true}};
  for (const auto& [later, processes] : steps) {
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
    now += later;
    loop.yield();
    EXPECT_EQ(!pending, processes) << "at " << (now.time_since_epoch() / 1ms) << " ms";
  }
}

}  // namespace
}  // namespace ferrowick::ui
