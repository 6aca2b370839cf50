#include <gtest/gtest.h>

#include <cerrno>
#include <utility>

#include "runtime/Faults.h"
#include "runtime/TestChecks.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

using testing::raisedError;

TEST(RuntimeErrors, ErrnoMapsToTheRuntimeNumbers) {
  const std::pair<int, int> cases[] = {
      {ENOENT, Err::FileNotFound},     {EACCES, Err::PermissionDenied},
      {EPERM, Err::PermissionDenied},  {ENOSPC, Err::DiskFull},
      {EDQUOT, Err::DiskFull},         {EIO, Err::DeviceIOError},
      {ENXIO, Err::DeviceUnavailable}, {EEXIST, Err::PathFileAccessError},
      {ENOTDIR, Err::PathNotFound}};
  for (const auto& [code, number] : cases) EXPECT_EQ(errorFromErrno(code), number) << code;
  EXPECT_EQ(errorFromErrno(ENOENT, true), Err::PathNotFound);
  EXPECT_EQ(RuntimeError(Err::PathFileAccessError).description(), "Path/File access error");
  EXPECT_EQ(RuntimeError(Err::DeviceIOError).description(), "Device I/O error");

  // A missing file whose folder is missing too is a missing path.
  const auto root = testing::Sandbox::root();
  EXPECT_EQ(raisedError([&] { raiseErrno(ENOENT, root / "missing.txt"); }), Err::FileNotFound);
  EXPECT_EQ(raisedError([&] { raiseErrno(ENOENT, root / "nowhere/missing.txt"); }),
            Err::PathNotFound);
}

TEST(Faults, PlannedFailureHitsOnlyItsOperationPathAndCount) {
  Faults faults;
  faults.inject(FaultPoint::Copy, Err::DiskFull, "/b", 2, 1);
  EXPECT_EQ(raisedError([&] { faults.check(FaultPoint::Copy, "/a"); }), 0);
  EXPECT_EQ(raisedError([&] { faults.check(FaultPoint::List, "/b"); }), 0);
  // Skipped once, then raised twice.
  for (const int expected : {0, Err::DiskFull, Err::DiskFull, 0}) {
    EXPECT_EQ(raisedError([&] { faults.check(FaultPoint::Copy, "/b"); }), expected);
  }
}

}  // namespace
}  // namespace ferrowick::runtime
