#include "engine/OwnBackup.h"

#include <filesystem>
#include <system_error>

namespace ferrowick::engine {

namespace {
constexpr std::string_view kFolderItemEnd = "/*.*";

std::string withSeparator(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}
}  // namespace

OwnBackup::OwnBackup(runtime::FileSystem& fs, const std::string& destination,
                     const std::vector<std::string>& items) {
  // A relative destination is refused by the run; "/" lies inside no source folder.
  if (destination.empty() || destination.front() != '/') return;
  id_ = fs.folderId(destination);
  std::vector<std::string> candidates{withSeparator(destination)};
  std::error_code ec;
  const std::filesystem::path resolved = std::filesystem::canonical(destination, ec);
  if (!ec) candidates.push_back(withSeparator(resolved.string()));

  for (const std::string& item : items) {
    if (!item.ends_with(kFolderItemEnd) || item.front() != '/') continue;
    const std::string_view folder(item.data(), item.size() - 3);
    for (const std::string& candidate : candidates) {
      if (candidate.size() > folder.size() && candidate.starts_with(folder)) {
        prefixes_ = candidates;
        return;
      }
    }
  }
}

bool OwnBackup::holds(std::string_view path) const {
  for (const std::string& prefix : prefixes_) {
    if (path.starts_with(prefix)) return true;
  }
  return false;
}

}  // namespace ferrowick::engine
