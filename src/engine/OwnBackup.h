#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/fs/FileSystem.h"

namespace ferrowick::engine {

// Where a run's own backup lies, so that a source folder walked with its subfolders never
// backs up the earlier backups inside it. The walk knows the destination by its device
// and inode, however it is reached; items already in the source list are judged by path,
// the destination as typed and as it resolves.
class OwnBackup {
 public:
  // `destination`: the destination box's text; `items`: the source items. Paths count as
  // the backup's only while the destination lies inside one of the folder items.
  OwnBackup(runtime::FileSystem& fs, const std::string& destination,
            const std::vector<std::string>& items);

  const std::optional<runtime::FileSystem::FolderId>& id() const { return id_; }

  // The folder (ending in "/") or file is the destination or lies below it.
  bool holds(std::string_view path) const;

 private:
  std::optional<runtime::FileSystem::FolderId> id_;
  std::vector<std::string> prefixes_;  // each ending in "/"
};

}  // namespace ferrowick::engine
