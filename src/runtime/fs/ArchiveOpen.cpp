#include <sys/stat.h>

#include <cerrno>
#include <system_error>
#include <utility>

#include "runtime/RuntimeError.h"
#include "runtime/fs/ArchiveStore.h"
#include "runtime/fs/FileSystem.h"

// A damaged archive database would fail every incremental run, file after file. Its
// records only say which files need no copy: without them every file is copied once, so
// the damaged file is kept aside for a look and the run starts from a new one.

namespace ferrowick::runtime {

namespace {
namespace fs = std::filesystem;

// Moves the database, with the journal files that belong to it, out of the way.
void setAside(const fs::path& database) {
  const fs::path damaged = fs::path(database.string() + ".damaged");
  std::error_code ec;
  fs::remove_all(damaged, ec);
  fs::rename(database, damaged, ec);
  if (ec) raiseErrno(ec.value(), database);
  for (const char* journal : {"-wal", "-shm", "-journal"}) {
    const fs::path beside(database.string() + journal);
    const fs::path moved(damaged.string() + journal);
    fs::remove_all(moved, ec);
    if (fs::exists(fs::symlink_status(beside, ec))) fs::rename(beside, moved, ec);
  }
}
}  // namespace

ArchiveStore& FileSystem::archive() {
  if (archive_) return *archive_;
  faults_.check(FaultPoint::OpenArchive, archiveDatabase_.string());
  // Anything but a file is not opened at all: reading a pipe would wait for ever.
  struct stat st {};
  if (::stat(archiveDatabase_.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) {
      setAside(archiveDatabase_);
      setAside_ = SetAside{archiveDatabase_.string(), "not a file"};
    }
  } else if (errno != ENOENT) {
    raiseErrno(errno, archiveDatabase_);
  }
  try {
    archive_ = std::make_unique<ArchiveStore>(archiveDatabase_);
  } catch (const ArchiveStore::DamagedStore& damaged) {
    setAside(archiveDatabase_);
    setAside_ = SetAside{archiveDatabase_.string(), damaged.reason()};
    archive_ = std::make_unique<ArchiveStore>(archiveDatabase_);
  }
  return *archive_;
}

void FileSystem::openArchive() { archive(); }

std::optional<FileSystem::SetAside> FileSystem::takeArchiveSetAside() {
  return std::exchange(setAside_, std::nullopt);
}

}  // namespace ferrowick::runtime
