#include <gtest/gtest.h>

#include <cerrno>

#include "runtime/Faults.h"
#include "runtime/RuntimeError.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

TEST(RuntimeErrors, ErrnoMapsToTheRuntimeNumbers) {
  EXPECT_EQ(errorFromErrno(ENOENT), Err::FileNotFound);
  EXPECT_EQ(errorFromErrno(ENOENT, true), Err::PathNotFound);
  EXPECT_EQ(errorFromErrno(EACCES), Err::PermissionDenied);
  EXPECT_EQ(errorFromErrno(EPERM), Err::PermissionDenied);
  EXPECT_EQ(errorFromErrno(ENOSPC), Err::DiskFull);
  EXPECT_EQ(errorFromErrno(EDQUOT), Err::DiskFull);
  EXPECT_EQ(errorFromErrno(EIO), Err::DeviceIOError);
  EXPECT_EQ(errorFromErrno(ENXIO), Err::DeviceUnavailable);
  EXPECT_EQ(errorFromErrno(EEXIST), Err::PathFileAccessError);
  EXPECT_EQ(errorFromErrno(ENOTDIR), Err::PathNotFound);
  EXPECT_EQ(RuntimeError(Err::PathFileAccessError).description(), "Path/File access error");
  EXPECT_EQ(RuntimeError(Err::DeviceIOError).description(), "Device I/O error");
}

TEST(RuntimeErrors, MissingParentFolderIsPathNotFound) {
  const auto root = testing::Sandbox::root();
  try {
    raiseErrno(ENOENT, root / "missing.txt");
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), Err::FileNotFound);
  }
  try {
    raiseErrno(ENOENT, root / "nowhere/missing.txt");
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), Err::PathNotFound);
  }
}

TEST(Faults, PlannedFailureHitsOnlyItsOperationPathAndCount) {
  Faults faults;
  faults.inject("copy", Err::DiskFull, "/b", 2, 1);
  EXPECT_NO_THROW(faults.check("copy", "/a"));
  EXPECT_NO_THROW(faults.check("list", "/b"));
  EXPECT_NO_THROW(faults.check("copy", "/b"));  // skipped once
  for (int i = 0; i < 2; ++i) {
    try {
      faults.check("copy", "/b");
      ADD_FAILURE() << "no fault raised";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.number(), Err::DiskFull);
    }
  }
  EXPECT_NO_THROW(faults.check("copy", "/b"));
}

}  // namespace
}  // namespace ferrowick::runtime
