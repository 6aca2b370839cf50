#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <utility>

#include "runtime/RuntimeError.h"
#include "runtime/fs/ArchiveStore.h"
#include "runtime/fs/CopyFolder.h"
#include "runtime/fs/FileSystem.h"

// A run's archive records are written in batches, one transaction each, instead of one
// transaction a file. A record says "this file is copied, skip it until it changes", so a
// record must never outlive its copy: a crash that kept the record but lost the copy's
// data would leave the file out of every later run. Hence a batch commits only after
// every file system that got one of its copies has been synced. A crash before the commit
// loses records only, and each of those files is simply copied once more next time; WAL
// with synchronous=NORMAL may likewise lose the last commits at a power loss, never keep
// part of one. A flush writes out every other program's data on that file system as well,
// so batches are long: they commit by elapsed time or bytes copied (see CommitCadence),
// before a box, and at the run's closing flush.

namespace ferrowick::runtime {

void FileSystem::beginArchiveBatch() { batching_ = true; }

void FileSystem::clearArchive(const std::string& path, const struct stat& asRead) {
  faults_.check(FaultPoint::SetAttributes, path);
  if (!S_ISREG(asRead.st_mode)) return;
  ArchiveStore& store = archive();
  if (!batching_) {
    store.clearArchive(path, asRead);
    return;
  }
  // A transaction that has only read so far is ended, so that the writes start from the
  // newest state even when another program wrote meanwhile.
  if (batched_ == 0) {
    store.commit();
    batchOpened_ = cadence_.now();
  }
  store.begin();
  store.clearArchive(path, asRead);
  ++batched_;
  if (commitDue()) commitArchiveBatch();
}

bool FileSystem::commitDue() const {
  return bytesUnflushed_ >= cadence_.bytes || cadence_.now() - batchOpened_ >= cadence_.every;
}

void FileSystem::commitArchiveBatch() {
  batched_ = 0;
  // Without records waiting, the copies wait for the run's closing flush.
  if (!archive_ || !archive_->inTransaction()) return;
  try {
    syncCopies();
  } catch (const RuntimeError&) {
    archive_->rollback();
    throw;
  }
  try {
    archive_->commit();
  } catch (const RuntimeError&) {
    archive_->rollback();
    throw;
  }
}

// Records waiting in a batch are committed only after the same flush, never before it.
void FileSystem::flushCopies() {
  if (archive_ && archive_->inTransaction()) {
    commitArchiveBatch();
  } else {
    syncCopies();
  }
}

void FileSystem::syncCopies() {
  bytesUnflushed_ = 0;
  std::vector<SyncFolder> folders;
  folders.swap(syncFolders_);
  std::optional<RuntimeError> failure;
  for (auto& folder : folders) {
    if (!failure) {
      try {
        faults_.check(FaultPoint::Flush, folder.path);
        if (::syncfs(folder.fd.get()) != 0) raiseErrno(errno, folder.path);
      } catch (const RuntimeError& error) {
        failure = error;
      }
    } else {
      ::syncfs(folder.fd.get());
    }
    folder.fd.reset();
  }
  if (failure) throw *failure;
}

void FileSystem::endArchiveBatch() {
  batching_ = false;
  commitArchiveBatch();
}

void FileSystem::noteCopy(CopyFolder& folder, std::uint64_t bytes) {
  bytesUnflushed_ += bytes;
  ++copiesNoted_;
  const dev_t device = folder.device();
  for (const auto& held : syncFolders_) {
    if (held.device == device) return;
  }
  // syncfs needs a descriptor that can read; the held one only names the folder.
  UniqueFd fd(::openat(folder.fd_.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd) raiseErrno(errno, folder.path_);
  syncFolders_.push_back({device, std::move(fd), folder.path_});
}

// A removed record must not wait in a batch: the file would count as copied meanwhile.
void FileSystem::recordRemoved() {
  if (batching_) commitArchiveBatch();
}

void FileSystem::dropSyncFolders() noexcept { syncFolders_.clear(); }

}  // namespace ferrowick::runtime
