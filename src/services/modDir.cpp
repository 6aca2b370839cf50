#include "services/modDir.h"

#include <sys/stat.h>

namespace ferrowick::services::modDir {

namespace {
// The drive part of a path: the root of an absolute path, nothing for a relative one.
std::string driveName(const std::string& path) { return path.starts_with('/') ? "/" : ""; }

bool driveExists(const std::string& drive) { return drive == "/"; }

bool folderExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
}  // namespace

bool EnsureFolderPath(std::string path) {
  if (!driveExists(driveName(path))) return false;
  if (path.back() != '/') path += '/';

  std::string prefix;
  for (auto at = path.find('/'); at != std::string::npos; at = path.find('/')) {
    prefix += path.substr(0, at + 1);
    path.erase(0, at + 1);
    // An existing level fails here and is found below, as any other failure would be.
    ::mkdir(prefix.c_str(), 0700);
    if (!driveExists(prefix) && !folderExists(prefix)) return false;
  }
  return true;
}

}  // namespace ferrowick::services::modDir
