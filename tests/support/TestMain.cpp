#include <gtest/gtest.h>

#include "support/Sandbox.h"

namespace {
class SandboxListener : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { ferrowick::testing::Sandbox::enter(); }
  void OnTestEnd(const ::testing::TestInfo&) override { ferrowick::testing::Sandbox::leave(); }
};
}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new SandboxListener);
  return RUN_ALL_TESTS();
}
