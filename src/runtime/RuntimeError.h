#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace ferrowick::runtime {

// The numbered run-time errors that file, conversion and list operations raise, and the
// numbers shown for failures that carry none of their own.
namespace Err {
inline constexpr int InvalidProcedureCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int TypeMismatch = 13;
inline constexpr int InternalError = 51;
inline constexpr int BadFileNameOrNumber = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int FileAlreadyOpen = 55;
inline constexpr int DeviceIOError = 57;
inline constexpr int FileAlreadyExists = 58;
inline constexpr int DiskFull = 61;
inline constexpr int DeviceUnavailable = 68;
inline constexpr int PermissionDenied = 70;
inline constexpr int DiskNotReady = 71;
inline constexpr int PathFileAccessError = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int InvalidPropertyValue = 380;
}  // namespace Err

// The description text the runtime gives for an error number.
std::string errorDescription(int number);

class RuntimeError : public std::runtime_error {
 public:
  explicit RuntimeError(int number);
  RuntimeError(int number, std::string description);

  int number() const noexcept { return number_; }
  const std::string& description() const noexcept { return description_; }

 private:
  int number_;
  std::string description_;
};

[[noreturn]] void raise(int number);

// Maps an errno value to the runtime's number. ENOENT is 53 for a missing file and
// 76 when the parent folder itself is missing.
int errorFromErrno(int err, bool parentMissing = false);

// Raises the error for errno `err` from an operation on `path`; decides between 53 and 76
// by looking at the path's parent.
[[noreturn]] void raiseErrno(int err, const std::filesystem::path& path);

}  // namespace ferrowick::runtime
