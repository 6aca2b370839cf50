#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

namespace ferrowick::runtime {

// A folder held open for the files handled in it one after another, on the source side or
// the destination side of copies: each file then walks one name instead of the folder's
// whole (often long, mirrored) path again. Let go of when it goes, when it is pointed at
// another folder, or by release(), so that nothing keeps a drive busy once the copies are
// done.
class CopyFolder {
 public:
  CopyFolder() = default;
  ~CopyFolder() { release(); }
  CopyFolder(const CopyFolder&) = delete;
  CopyFolder& operator=(const CopyFolder&) = delete;

  void release() noexcept;

 private:
  friend class FileSystem;

  // The folder's descriptor, opened unless it is the one held already (a path without a
  // separator is taken relative to the current folder). Raises the runtime's error.
  int open(std::string_view folderPath, const std::string& target);
  bool holds(std::string_view folderPath) const { return fd_ >= 0 && folderPath == path_; }
  // The held folder is no longer in the tree (removed while it was held).
  bool removed() const;
  // The file system the folder is on; read once per folder.
  dev_t device();

  std::string path_;
  int fd_ = -1;
  bool deviceKnown_ = false;
  dev_t device_ = 0;
};

}  // namespace ferrowick::runtime
