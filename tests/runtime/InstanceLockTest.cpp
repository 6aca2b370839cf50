#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

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
  // A folder that cannot be used lets the program start.
  const InstanceLock unusable(Sandbox::root() / "missing", "App.lock");
  EXPECT_FALSE(unusable.held() || unusable.previousInstance());
}

TEST(InstanceLock, WithoutRuntimeFolderTheUsersLockLivesInTheTemporaryFolder) {
  ::unsetenv("XDG_RUNTIME_DIR");
  ::setenv("TMPDIR", Sandbox::root().c_str(), 1);
  const InstanceLock lock = InstanceLock::forProgram("A");
  ::unsetenv("TMPDIR");
  EXPECT_TRUE(lock.held());
  EXPECT_TRUE(
      std::filesystem::exists(Sandbox::root() / ("A-" + std::to_string(::getuid()) + ".lock")));
}

TEST(InstanceLock, OfManyCopiesStartingAtOnceExactlyOneHoldsTheLock) {
  constexpr std::size_t kCopies = 16;
  std::vector<std::unique_ptr<InstanceLock>> locks(kCopies);
  std::vector<std::thread> copies;
  for (auto& lock : locks) {
    copies.emplace_back(
        [&lock] { lock = std::make_unique<InstanceLock>(InstanceLock::forProgram("Race")); });
  }
  for (auto& copy : copies) copy.join();
  const auto held = std::count_if(locks.begin(), locks.end(), [](auto& l) { return l->held(); });
  const auto refused =
      std::count_if(locks.begin(), locks.end(), [](auto& l) { return l->previousInstance(); });
  EXPECT_EQ(held, 1);
  EXPECT_EQ(refused, static_cast<long>(kCopies) - 1);
}

}  // namespace
}  // namespace ferrowick::runtime
