#include "runtime/fs/DestinationTree.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "runtime/Faults.h"
#include "runtime/RuntimeError.h"
#include "runtime/fs/CopyFolder.h"

namespace ferrowick::runtime {

namespace {
// O_DIRECTORY with O_NOFOLLOW refuses a link at the name (ENOTDIR), even with O_PATH.
constexpr int kLevelFlags = O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
}  // namespace

void DestinationTree::open(const std::string& root) {
  close();
  UniqueFd fd(::open(root.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (!fd) raiseErrno(errno, root);
  rootFd_ = std::move(fd);
  root_ = root;
  if (root_.empty() || root_.back() != '/') root_ += '/';
}

void DestinationTree::close() noexcept {
  forgetLevels();
  rootFd_.reset();
  root_.clear();
}

bool DestinationTree::contains(const std::string& folder) const {
  return rootFd_ && (folder.starts_with(root_) || folder + '/' == root_);
}

void DestinationTree::handTo(CopyFolder& into, const std::string& folder, bool madeEmpty) const {
  if (!madeEmpty && into.holdsAdopted(folder)) return;
  UniqueFd fd(::fcntl(this->folder(), F_DUPFD_CLOEXEC, 0));
  if (!fd) raiseErrno(errno, folder);
  into.adopt(folder, std::move(fd), madeEmpty);
}

void DestinationTree::forgetLevels() noexcept { keepLevels(0); }

void DestinationTree::keepLevels(std::size_t count) noexcept {
  while (levels_.size() > count) levels_.pop_back();
}

DestinationTree::Level DestinationTree::walk(const std::string& folder, bool make) {
  if (!rootFd_ || !folder.starts_with(root_)) return Level::Failed;
  std::vector<std::string> names;
  for (std::size_t at = root_.size(); at < folder.size();) {
    auto end = folder.find('/', at);
    if (end == std::string::npos) end = folder.size();
    if (end > at) names.emplace_back(folder, at, end - at);
    at = end + 1;
  }
  for (const auto& name : names) {
    if (name == "." || name == "..") return Level::Failed;
  }
  bool gone = false;
  const Level level = walkFrom(names, make, gone);
  if (level != Level::Failed || !gone) return level;
  // A held level may have been removed (and perhaps made again) since: walked afresh from
  // the picked folder, which is taken by its path again, with the same rules.
  const std::string root = root_;
  try {
    open(root);
  } catch (const RuntimeError&) {
    return Level::Failed;
  }
  return walkFrom(names, make, gone);
}

DestinationTree::Level DestinationTree::walkFrom(const std::vector<std::string>& names, bool make,
                                                 bool& gone) {
  std::size_t keep = 0;
  while (keep < levels_.size() && keep < names.size() && levels_[keep].name == names[keep]) {
    ++keep;
  }
  keepLevels(keep);
  gone = false;
  Level last = Level::Found;
  std::string path = root_;
  for (std::size_t at = 0; at < keep; ++at) path += names[at] + '/';
  for (std::size_t at = keep; at < names.size(); ++at) {
    const std::string& name = names[at];
    const int parent = (at == 0 ? rootFd_ : levels_[at - 1].fd).get();
    path += name;
    bool made = false;
    UniqueFd fd(::openat(parent, name.c_str(), kLevelFlags));
    if (!fd && errno == ENOENT && make) {
      try {
        faults_.check(FaultPoint::MakeFolder, path);
      } catch (const RuntimeError&) {
        return Level::Failed;
      }
      if (::mkdirat(parent, name.c_str(), 0777) == 0) {
        made = true;
      } else if (errno != EEXIST) {
        gone = errno == ENOENT;
        return Level::Failed;
      }
      fd.reset(::openat(parent, name.c_str(), kLevelFlags));
    }
    if (!fd) {
      gone = errno == ENOENT && make;
      return Level::Failed;
    }
    levels_.push_back({name, std::move(fd)});
    path += '/';
    last = made ? Level::Made : Level::Found;
  }
  return last;
}

}  // namespace ferrowick::runtime
