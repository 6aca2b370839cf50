#include "FileSystemKind.h"

#include <linux/magic.h>
#include <sys/statfs.h>

#include <cstdio>
#include <fstream>

namespace ferrowick::bench {

namespace fs = std::filesystem;

namespace {

// The mount table's entry for the mount that holds `path`: its device and type.
struct Mount {
  std::string device;
  std::string type;
};

Mount mountOf(const fs::path& path) {
  std::error_code ec;
  const std::string target = fs::weakly_canonical(path, ec).string();
  std::ifstream mounts("/proc/self/mounts");
  Mount found;
  std::size_t longest = 0;
  for (std::string device, point, type, rest; mounts >> device >> point >> type;) {
    std::getline(mounts, rest);
    const bool holds = target == point ||
                       (target.starts_with(point) && (point == "/" || target[point.size()] == '/'));
    // A later mount on the same point hides the earlier one.
    if (holds && point.size() >= longest) {
      longest = point.size();
      found = {device, type};
    }
  }
  return found;
}

// "journaled", "no journal", or empty when the system does not say.
std::string ext4Journal(const std::string& device) {
  std::error_code ec;
  const fs::path real = fs::canonical(device, ec);
  if (ec) return {};
  std::ifstream task("/sys/fs/ext4/" + real.filename().string() + "/journal_task");
  std::string line;
  if (!std::getline(task, line)) return {};
  return line == "<none>" ? "no journal" : "journaled";
}

}  // namespace

std::string fileSystemOf(const fs::path& path) {
  struct statfs info {};
  if (::statfs(path.c_str(), &info) != 0) return "unknown";
  if (info.f_type == TMPFS_MAGIC) return "tmpfs";
  const Mount mount = mountOf(path);
  if (info.f_type == EXT4_SUPER_MAGIC) {  // ext2, ext3 and ext4 share it
    const std::string type = mount.type.empty() ? "ext2/3/4" : mount.type;
    const std::string journal = ext4Journal(mount.device);
    return journal.empty() ? type : type + ", " + journal;
  }
  if (!mount.type.empty()) return mount.type;
  char hex[32];
  std::snprintf(hex, sizeof hex, "type 0x%lx", static_cast<unsigned long>(info.f_type));
  return hex;
}

void printFileSystem(const fs::path& path) {
  const std::string kind = fileSystemOf(path);
  std::printf("file system of %s: %s\n", path.c_str(), kind.c_str());
  // After a mass delete such a file system skips the freed inodes for a while, so that
  // its times follow the delete history more than the tools.
  if (kind.ends_with("no journal")) {
    std::printf("(disk figures belong on a journaled ext4; these are for comparison only)\n");
  }
  std::fflush(stdout);
}

}  // namespace ferrowick::bench
