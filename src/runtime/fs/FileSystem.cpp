#include "runtime/fs/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "runtime/RuntimeError.h"
#include "runtime/fs/ArchiveStore.h"
#include "runtime/fs/CopyFolder.h"
#include "runtime/fs/DirectoryEntries.h"
#include "runtime/fs/PathParts.h"

namespace ferrowick::runtime {

namespace {

// What an entry is once links are followed; a broken link is a "system" entry.
enum class Kind { File, Folder, Other };

Kind kindOf(const struct stat& st) {
  if (S_ISREG(st.st_mode)) return Kind::File;
  if (S_ISDIR(st.st_mode)) return Kind::Folder;
  return Kind::Other;
}

bool hasWildcards(std::string_view name) {
  return name.find_first_of("*?") != std::string_view::npos;
}

// "*.*" matches every name, also those without a dot.
bool matches(const std::string& pattern, const char* name) {
  if (pattern == "*" || pattern == "*.*") return true;
  return fnmatch(pattern.c_str(), name, FNM_PERIOD) == 0;
}

}  // namespace

FileSystem::FileSystem(std::filesystem::path archiveDatabase)
    : archiveDatabase_(std::move(archiveDatabase)) {}

// Records still waiting are dropped with the connection: their copies were never synced.
FileSystem::~FileSystem() { dropSyncFolders(); }

namespace {

// The entries of a listing that `pattern` and `withFolders` ask for, each with the folder's
// descriptor (AT_FDCWD and the whole path for a plain name without wildcards).
void forEachListed(
    const std::string& pattern, bool withFolders,
    const std::function<void(int folderFd, const char* name, const char* listed)>& visit,
    bool missingRaises = false) {
  const auto [folder, namePattern] = splitPattern(pattern);
  const auto wanted = [&](std::string_view name, Kind kind) {
    if (name == "." || name == "..") return withFolders;
    if (isHiddenName(name) || kind == Kind::Other) return false;
    return kind == Kind::File || withFolders;
  };

  if (!hasWildcards(namePattern)) {
    // A plain name lists that one entry, if it is there.
    struct stat st {};
    const std::string path = joinPath(folder, namePattern);
    if (!namePattern.empty() && ::stat(path.c_str(), &st) == 0 && wanted(namePattern, kindOf(st))) {
      visit(AT_FDCWD, path.c_str(), std::string(namePattern).c_str());
    }
    return;
  }

  // A structured binding cannot be captured by every compiler; its reference can.
  forEachEntry(
      folder,
      [&, &nameMask = namePattern](int folderFd, const dirent& entry) {
        if (!matches(nameMask, entry.d_name)) return;
        Kind kind = Kind::Other;
        switch (entry.d_type) {
          case DT_REG:
            kind = Kind::File;
            break;
          case DT_DIR:
            kind = Kind::Folder;
            break;
          case DT_LNK:
          case DT_UNKNOWN: {
            struct stat st {};
            if (::fstatat(folderFd, entry.d_name, &st, 0) == 0) kind = kindOf(st);
            break;
          }
          default:
            break;
        }
        if (wanted(entry.d_name, kind)) visit(folderFd, entry.d_name, entry.d_name);
      },
      missingRaises);
}

}  // namespace

std::vector<std::string> FileSystem::list(const std::string& pattern, bool withFolders) {
  faults_.check(FaultPoint::List, pattern);
  std::vector<std::string> names;
  forEachListed(pattern, withFolders,
                [&](int, const char*, const char* listed) { names.emplace_back(listed); });
  return names;
}

void FileSystem::listFiles(
    const std::string& pattern, bool withArchive,
    const std::function<void(std::string_view name, const Look& look)>& visit) {
  faults_.check(FaultPoint::List, pattern);
  struct Entry {
    FileSystem& fs;
    bool withArchive;
    // The paths of the folder's files start with it, and so do their records' keys.
    std::string folder;
    int folderFd = AT_FDCWD;
    const char* name = nullptr;
    // The folder's records, read at its first file; none when they could not be read.
    std::optional<std::optional<std::vector<ArchiveStore::Record>>> records;

    std::optional<bool> archiveSet(const std::string& path, const struct stat& st) {
      ArchiveStore& store = fs.archive();
      if (fs.batching_) store.begin();
      if (folder.empty() || !path.starts_with(folder) ||
          path.find('/', folder.size()) != std::string::npos) {
        return store.isArchiveSet(path, st);
      }
      if (!records) {
        records.emplace();
        *records = store.recordsIn(folder);
      }
      if (!*records) return std::nullopt;
      const std::string_view file = std::string_view(path).substr(folder.size());
      const auto& held = **records;
      const auto found = std::lower_bound(held.begin(), held.end(), file,
                                          [](const ArchiveStore::Record& record,
                                             std::string_view key) { return record.name < key; });
      return found == held.end() || found->name != file || !ArchiveStore::matches(*found, st);
    }
  } entry{*this, withArchive, pattern.substr(0, pattern.rfind('/') + 1), AT_FDCWD, nullptr, {}};
  // One pointer, so that handing it over allocates nothing.
  const Look look = [at = &entry](const std::string& path) -> ListedFile {
    at->fs.faults_.check(FaultPoint::Length, path);
    struct stat st {};
    if (::fstatat(at->folderFd, at->name, &st, 0) != 0) raiseErrno(errno, path);
    ListedFile listed;
    listed.length = static_cast<std::uint64_t>(st.st_size);
    if (at->withArchive && S_ISREG(st.st_mode)) {
      // A store that cannot be read now is the file's own look's to report, at its turn.
      try {
        if (const auto set = at->archiveSet(path, st)) {
          listed.attributes =
              ((st.st_mode & S_IWUSR) == 0 ? Attr::ReadOnly : 0u) | (*set ? Attr::Archive : 0u);
        }
      } catch (const RuntimeError&) {
        listed.attributes.reset();
      }
    }
    return listed;
  };
  // A source folder that is gone is the run's to report, not an empty folder.
  forEachListed(
      pattern, false,
      [&](int folderFd, const char* name, const char* listed) {
        entry.folderFd = folderFd;
        entry.name = name;
        visit(listed, look);
      },
      true);
}

std::uint64_t FileSystem::fileLength(const std::string& path) {
  faults_.check(FaultPoint::Length, path);
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) raiseErrno(errno, path);
  return static_cast<std::uint64_t>(st.st_size);
}

bool FileSystem::fileExists(const std::string& path) {
  faults_.check(FaultPoint::Exists, path);
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  return S_ISREG(st.st_mode) && !isHiddenName(lastComponent(path));
}

unsigned FileSystem::getAttributes(const std::string& path) {
  faults_.check(FaultPoint::Attributes, path);
  return attributesAt(AT_FDCWD, path.c_str(), path);
}

// A held folder may have been removed (and perhaps made again) since the last file.
unsigned FileSystem::getAttributes(const std::string& path, CopyFolder& from) {
  const std::string_view name = namePart(path);
  if (name.empty()) return getAttributes(path);
  faults_.check(FaultPoint::Attributes, path);
  const bool held = from.holds(folderPart(path));
  const std::string entry(name);
  try {
    return attributesAt(from.open(folderPart(path), path), entry.c_str(), path);
  } catch (const RuntimeError&) {
    if (!held || !from.removed()) throw;
    from.release();
    return attributesAt(from.open(folderPart(path), path), entry.c_str(), path);
  }
}

namespace {
std::int64_t nanoseconds(const timespec& time) {
  return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}
}  // namespace

void FileSystem::noteListingStart() {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  // Folder times come from a clock that may lag this one; a second covers it.
  listedFrom_ = nanoseconds(now) - 1'000'000'000;
}

void FileSystem::checkPresent(const std::string& path, CopyFolder& from) {
  const std::string_view name = namePart(path);
  if (name.empty()) {
    getAttributes(path);
    return;
  }
  const bool held = from.holds(folderPart(path));
  // Files come folder by folder: one look at the folder serves all of its files, until a
  // copy (which takes far longer than a look) has given others time to change it.
  if (held && from.unchangedAtCopy_ == copiesNoted_) return;
  const auto look = [&] {
    const int folder = from.open(folderPart(path), path);
    struct stat st {};
    if (::fstat(folder, &st) == 0 && nanoseconds(st.st_ctim) < listedFrom_) {
      from.unchangedAtCopy_ = copiesNoted_;
      return;
    }
    faults_.check(FaultPoint::Exists, path);
    // The name is the path's tail, so it ends where the path does.
    if (::fstatat(folder, name.data(), &st, AT_SYMLINK_NOFOLLOW) != 0) raiseErrno(errno, path);
  };
  try {
    look();
  } catch (const RuntimeError&) {
    if (!held || !from.removed()) throw;
    from.release();
    look();
  }
}

unsigned FileSystem::attributesAt(int folder, const char* name, const std::string& path) {
  struct stat st {};
  unsigned word = isHiddenName(lastComponent(path)) ? Attr::Hidden : 0u;
  if (::fstatat(folder, name, &st, 0) != 0) {
    const int err = errno;
    struct stat link {};
    // A link that leads nowhere (a missing target, a loop) is a broken link, not an error.
    if ((err == ENOENT || err == ELOOP || err == ENOTDIR) &&
        ::fstatat(folder, name, &link, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(link.st_mode)) {
      return word | Attr::System;
    }
    raiseErrno(err, path);
  }
  // A folder without its write bit is backed up like any other.
  if ((st.st_mode & S_IWUSR) == 0 && !S_ISDIR(st.st_mode)) word |= Attr::ReadOnly;
  switch (kindOf(st)) {
    case Kind::Folder:
      return word | Attr::Directory;
    case Kind::Other:
      return word | Attr::System;
    case Kind::File:
      break;
  }
  ArchiveStore& store = archive();
  // During a batch the lookups share one read transaction instead of locking the
  // database for each file; the batch's first record ends it (see clearArchive).
  if (batching_) store.begin();
  if (store.isArchiveSet(path, st)) word |= Attr::Archive;
  return word;
}

void FileSystem::makeFolder(const std::string& path) {
  faults_.check(FaultPoint::MakeFolder, path);
  if (::mkdir(path.c_str(), 0777) != 0) raiseErrno(errno, path);
}

void FileSystem::deleteFile(const std::string& path) {
  faults_.check(FaultPoint::Delete, path);
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) raiseErrno(errno, path);
  // The read-only attribute guards a file against deletion, even by root, whom the
  // permission bits alone would not stop.
  if (S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0) raise(Err::PathFileAccessError);
  if (::unlink(path.c_str()) != 0) raiseErrno(errno, path);
  if (archive_) {
    archive_->setArchive(path);
    recordRemoved();
  }
}

}  // namespace ferrowick::runtime
