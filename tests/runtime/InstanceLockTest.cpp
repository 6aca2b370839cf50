#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "runtime/InstanceLock.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

using testing::Sandbox;

TEST(InstanceLock, SecondHolderSeesThePreviousInstanceUntilTheFirstEnds) {
  const auto folder = Sandbox::root() / "run";
  {
    InstanceLock first(folder, "App.lock");
    EXPECT_TRUE(first.held());
    EXPECT_FALSE(first.previousInstance());
    // A separate open of the file competes for the lock like another process would.
    InstanceLock second(folder, "App.lock");
    EXPECT_FALSE(second.held());
    EXPECT_TRUE(second.previousInstance());
    EXPECT_FALSE(InstanceLock(folder, "Other.lock").previousInstance());
  }
  EXPECT_TRUE(InstanceLock(folder, "App.lock").held());
  // A folder that cannot be used lets the program start.
  const InstanceLock unusable(Sandbox::root() / "missing", "App.lock");
  EXPECT_FALSE(unusable.held());
  EXPECT_FALSE(unusable.previousInstance());
}

TEST(InstanceLock, ChildProcessFindsTheLockHeld) {
  InstanceLock parent = InstanceLock::forProgram("FerrowickTest");
  ASSERT_TRUE(parent.held());
  EXPECT_TRUE(std::filesystem::exists(Sandbox::root() / "run/FerrowickTest.lock"));
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) ::_exit(InstanceLock::forProgram("FerrowickTest").previousInstance() ? 7 : 3);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 7);
}

TEST(InstanceLock, WithoutRuntimeFolderTheUsersLockLivesInTheTemporaryFolder) {
  ::unsetenv("XDG_RUNTIME_DIR");
  const auto temp = Sandbox::root() / "tmp";
  std::filesystem::create_directory(temp);
  ::setenv("TMPDIR", temp.c_str(), 1);
  {
    const InstanceLock lock = InstanceLock::forProgram("FerrowickTest");
    EXPECT_TRUE(lock.held());
    EXPECT_TRUE(
        std::filesystem::exists(temp / ("FerrowickTest-" + std::to_string(::getuid()) + ".lock")));
    EXPECT_TRUE(InstanceLock::forProgram("FerrowickTest").previousInstance());
  }
  ::unsetenv("TMPDIR");
}

}  // namespace
}  // namespace ferrowick::runtime
