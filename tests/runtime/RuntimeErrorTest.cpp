#include <gtest/gtest.h>

#include <cerrno>

#include "runtime/Faults.h"
#include "runtime/TestChecks.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

using testing::raisedError;

TEST(RuntimeErrors, ErrnoMapsToTheRuntimeNumbers) {
  const std::pair<int, int> cases[] = {
      {EPERM, Err::PermissionDenied},  {EDQUOT, Err::DiskFull},
      {ENXIO, Err::DeviceUnavailable}, {EEXIST, Err::PathFileAccessError},
      {ENOTDIR, Err::PathNotFound},    {ENOENT, Err::FileNotFound}};
  for (const auto& [code, number] : cases) EXPECT_EQ(errorFromErrno(code), number) << code;
  EXPECT_EQ(RuntimeError(Err::PathFileAccessError).description(), "Path/File access error");

  // A missing file whose folder is missing too is a missing path.
  const auto root = testing::Sandbox::root();
  EXPECT_EQ(raisedError([&] { raiseErrno(ENOENT, root / "missing.txt"); }), Err::FileNotFound);
  EXPECT_EQ(raisedError([&] { raiseErrno(ENOENT, root / "nowhere/missing.txt"); }),
            Err::PathNotFound);
}

}  // namespace
}  // namespace ferrowick::runtime
