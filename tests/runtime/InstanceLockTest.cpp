#include <gtest/gtest.h>

#include "runtime/InstanceLock.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

using testing::Sandbox;

TEST(InstanceLock, SecondHolderSeesThePreviousInstanceUntilTheFirstEnds) {
  const auto folder = Sandbox::root() / "run";  // the sandbox's XDG_RUNTIME_DIR
  {
    const InstanceLock first = InstanceLock::forProgram("App");
    EXPECT_TRUE(first.held() && !first.previousInstance());
    // A separate open of the file competes for the lock like another process would.
    const InstanceLock second(folder, "App.lock");
    EXPECT_TRUE(!second.held() && second.previousInstance());
  }
  EXPECT_TRUE(InstanceLock(folder, "App.lock").held());
  const InstanceLock unusable(Sandbox::root() / "missing", "App.lock");
  EXPECT_FALSE(unusable.held() || unusable.previousInstance());
}

}  // namespace
}  // namespace ferrowick::runtime
