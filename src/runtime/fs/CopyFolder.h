#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/UniqueFd.h"

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

  // The folder at that path was made (empty) by the caller a moment ago: until this holder
  // lets go of it, only the copies made through it put anything there, so a copy need not
  // look for an earlier target first.
  void madeJustNow(std::string_view folderPath);

  // Holds the folder that a walk of the destination tree opened (`fd`): the
  // copies into it are made relative to it, and it is never opened again by its path.
  // `madeEmpty` as for madeJustNow.
  void adopt(std::string_view folderPath, UniqueFd fd, bool madeEmpty);
  // Holds a folder adopted for that path.
  bool holdsAdopted(std::string_view folderPath) const;

  // The held folder is no longer in the tree (removed while it was held).
  bool removed() const;

 private:
  friend class FileSystem;

  // The folder's descriptor, opened unless it is the one held already (a path without a
  // separator is taken relative to the current folder). Raises the runtime's error.
  int open(std::string_view folderPath, const std::string& target);
  bool holds(std::string_view folderPath) const { return fd_.valid() && folderPath == path_; }
  // Adopted from a walk: another folder must be walked to, not opened by its path.
  bool adopted() const { return adopted_; }
  // The file system the folder is on; read once per folder.
  dev_t device();
  bool madeEmpty() const { return madeEmpty_; }
  // The permission bits a new file in the folder may not get as asked: the umask's, or
  // all of them where a default access list decides instead. The umask is read once for
  // as long as this holder lives (one run); the access list once per folder, or for a
  // folder made just now, once per parent: it has its parent's default list then.
  mode_t bitsTaken();

  // Lets go of the folder, keeping its parent and what is kept for the run.
  void drop() noexcept;
  UniqueFd openByPath();

  std::string path_;
  UniqueFd fd_;
  // The parent of the folders held one after another: a sibling of the folder before is
  // opened from it by its name, not along its whole path again.
  std::string parentPath_;
  UniqueFd parentFd_;
  bool parentTried_ = false;  // parentPath_ was the parent before; opened at its next child
  bool deviceKnown_ = false;
  dev_t device_ = 0;
  std::string made_;
  bool madeEmpty_ = false;
  bool adopted_ = false;
  bool bitsKnown_ = false;
  mode_t bitsTaken_ = 0;
  // Kept when the holder lets go of a folder.
  bool maskKnown_ = false;
  mode_t mask_ = 0;
  std::string listParent_;  // the parent whose default list was read last
  bool parentListed_ = false;
  // The count of copies made (FileSystem) when the folder was last found unchanged since
  // the run's listing began; 0 when it was not.
  std::uint64_t unchangedAtCopy_ = 0;
};

}  // namespace ferrowick::runtime
