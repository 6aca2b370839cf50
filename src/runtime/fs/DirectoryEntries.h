#pragma once

#include <dirent.h>

#include <functional>
#include <string>

namespace ferrowick::runtime {

// Calls `visit` for every entry of `folder` in the order the file system returns them,
// with the folder's descriptor for stat calls relative to it. A folder that is not there
// has no entries, or with `missingRaises` is path not found; any other failure raises
// the runtime's error.
void forEachEntry(const std::string& folder,
                  const std::function<void(int folderFd, const dirent& entry)>& visit,
                  bool missingRaises = false);

// The same for the folder held open by `folder` (which may be opened by path only).
void forEachEntryAt(int folder,
                    const std::function<void(int folderFd, const dirent& entry)>& visit);

}  // namespace ferrowick::runtime
