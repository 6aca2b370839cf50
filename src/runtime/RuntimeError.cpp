#include "runtime/RuntimeError.h"

#include <cerrno>
#include <system_error>

namespace ferrowick::runtime {

std::string errorDescription(int number) {
  switch (number) {
    case Err::InvalidProcedureCall:
      return "Invalid procedure call or argument";
    case Err::Overflow:
      return "Overflow";
    case Err::OutOfMemory:
      return "Out of memory";
    case Err::SubscriptOutOfRange:
      return "Subscript out of range";
    case Err::TypeMismatch:
      return "Type mismatch";
    case Err::InternalError:
      return "Internal error";
    case Err::BadFileNameOrNumber:
      return "Bad file name or number";
    case Err::FileNotFound:
      return "File not found";
    case Err::FileAlreadyOpen:
      return "File already open";
    case Err::DeviceIOError:
      return "Device I/O error";
    case Err::FileAlreadyExists:
      return "File already exists";
    case Err::DiskFull:
      return "Disk full";
    case Err::DeviceUnavailable:
      return "Device unavailable";
    case Err::PermissionDenied:
      return "Permission denied";
    case Err::DiskNotReady:
      return "Disk not ready";
    case Err::PathFileAccessError:
      return "Path/File access error";
    case Err::PathNotFound:
      return "Path not found";
    case Err::InvalidPropertyValue:
      return "Invalid property value";
    default:
      return "Application-defined or object-defined error";
  }
}

RuntimeError::RuntimeError(int number) : RuntimeError(number, errorDescription(number)) {}

RuntimeError::RuntimeError(int number, std::string description)
    : std::runtime_error(std::to_string(number) + " " + description),
      number_(number),
      description_(std::move(description)) {}

void raise(int number) { throw RuntimeError(number); }

int errorFromErrno(int err, bool parentMissing) {
  switch (err) {
    case ENOENT:
      return parentMissing ? Err::PathNotFound : Err::FileNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
      return Err::PermissionDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return Err::DiskFull;
    case EIO:
      return Err::DeviceIOError;
    case ENODEV:
    case ENXIO:
      return Err::DeviceUnavailable;
    case EEXIST:
    case EISDIR:
    case ETXTBSY:
      return Err::PathFileAccessError;
    case ENOTDIR:
    case ELOOP:
      return Err::PathNotFound;
    case ENAMETOOLONG:
    case EINVAL:
      return Err::BadFileNameOrNumber;
    case EBUSY:
      return Err::FileAlreadyOpen;
    case EAGAIN:
      return Err::DiskNotReady;
    default:
      return Err::DeviceIOError;
  }
}

void raiseErrno(int err, const std::filesystem::path& path) {
  bool parentMissing = false;
  if (err == ENOENT && path.has_parent_path()) {
    std::error_code ec;
    parentMissing = !std::filesystem::is_directory(path.parent_path(), ec);
  }
  raise(errorFromErrno(err, parentMissing));
}

}  // namespace ferrowick::runtime
