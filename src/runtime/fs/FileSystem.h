#pragma once

#include <sys/stat.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/Faults.h"
#include "runtime/UniqueFd.h"

namespace ferrowick::runtime {

// The attribute word of a file or folder.
namespace Attr {
inline constexpr unsigned ReadOnly = 1;
inline constexpr unsigned Hidden = 2;
inline constexpr unsigned System = 4;
inline constexpr unsigned Directory = 16;
inline constexpr unsigned Archive = 32;
}  // namespace Attr

class ArchiveStore;
class CopyFolder;

// What a copy did: the bytes it wrote, and the source as it stood when the copy opened it.
struct CopiedFile {
  std::uint64_t bytes = 0;
  struct stat source {};
};

// The toolkit runtime's file and folder operations over native paths. Every failure is
// a RuntimeError with the runtime's number; `faults()` lets tests plan failures. Each
// operation checks its fault point (named in its comment) before it acts.
class FileSystem {
 public:
  // `archiveDatabase`: where the archive-state records live (created on first use).
  explicit FileSystem(std::filesystem::path archiveDatabase);
  ~FileSystem();
  FileSystem(const FileSystem&) = delete;
  FileSystem& operator=(const FileSystem&) = delete;

  Faults& faults() noexcept { return faults_; }
  // How far apart the calls of a copy's `betweenChunks` are, rounded up to whole chunks.
  void callBetweenChunksEvery(std::uint64_t bytes) noexcept { betweenChunksBytes_ = bytes; }

  // List: the names matching a pattern such as "/data/*.*", in the order the file
  // system returns them. Ordinary files only (no folders, hidden or system files), or
  // with folders as well, "." and ".." included.
  std::vector<std::string> list(const std::string& pattern, bool withFolders);

  // List and Length in one pass: the ordinary files that list(pattern, false) gives, in
  // the same order, each handed to `visit` with a way to look at it from the open folder,
  // given the path it goes by. The look gives its length, and with `withArchive` its
  // attribute word (read-only and archive; the archive records read in the batch's
  // transaction if one is open) unless the records cannot be read. A failure to read a length
  // raises the runtime's error out of the listing; a folder that is not there raises 76.
  struct ListedFile {
    std::uint64_t length = 0;
    std::optional<unsigned> attributes;
  };
  using Look = std::function<ListedFile(const std::string& path)>;
  void listFiles(const std::string& pattern, bool withArchive,
                 const std::function<void(std::string_view name, const Look& look)>& visit);

  // List: the names of the folders directly in `folder`, in the order the file system
  // returns them; not ".", "..", hidden folders, nor links to folders. A folder that is
  // not there lists nothing.
  std::vector<std::string> listFolders(const std::string& folder);

  // Which folder a path leads to, as the open folder's device and inode; nothing when it
  // cannot be opened as a folder.
  struct FolderId {
    dev_t device = 0;
    ino_t inode = 0;
  };
  std::optional<FolderId> folderId(const std::string& path);

  // List and Attributes: those of listFolders whose attribute word is Directory alone,
  // each looked at from the open folder instead of along its whole path; never the folder
  // `leaveOut` (found by device and inode, whatever its name).
  std::vector<std::string> listPlainFolders(const std::string& folder,
                                            const std::optional<FolderId>& leaveOut = {});

  // Length: the file's length in bytes.
  std::uint64_t fileLength(const std::string& path);

  // Exists: an ordinary file (not hidden, not system, not a folder) of that name exists.
  bool fileExists(const std::string& path);

  // Attributes: the attribute word (Attr).
  unsigned getAttributes(const std::string& path);
  // The same for files looked at one after another in the folder that `from` holds open.
  unsigned getAttributes(const std::string& path, CopyFolder& from);
  // Raises what reading the attributes would raise when the file is gone, without reading
  // them. A folder unchanged since the listing began (noteListingStart) still holds every
  // name it listed, so then the folder `from` holds open is looked at, not the file, and
  // only once for its files in a row unless copies were made in between.
  void checkPresent(const std::string& path, CopyFolder& from);
  void noteListingStart();

  // SetAttributes: clears the archive attribute of a file as a copy read it: any change
  // to the file since then sets it again. Between beginArchiveBatch and endArchiveBatch
  // the records wait in one transaction, committed now and then by commitArchiveBatch.
  void clearArchive(const std::string& path, const struct stat& asRead);

  // Opens the archive records' database now, where a run wants to know at its start
  // whether it was damaged. A database that is not a sound one (not a database, cut
  // short, not a file) is set aside under its name with ".damaged" added, replacing an
  // earlier one, and a new one is made.
  void openArchive();
  struct SetAside {
    std::string database;
    std::string reason;
  };
  // The database set aside since the last call, if any.
  std::optional<SetAside> takeArchiveSetAside();

  // When the records of a batch commit by themselves: once `every` has passed since the
  // first of them waits, or once the copies made since the last flush reach `bytes`. Each
  // commit costs a flush of every file system that got copies, so it bounds what a crash
  // loses without flushing every few files.
  struct CommitCadence {
    using Clock = std::chrono::steady_clock;
    Clock::duration every = std::chrono::seconds(30);
    std::uint64_t bytes = std::uint64_t{1} << 30;
    std::function<Clock::time_point()> now = &Clock::now;
  };
  void commitArchiveEvery(CommitCadence cadence) { cadence_ = std::move(cadence); }

  // A batch of archive records for the copies made from now on (see clearArchive).
  void beginArchiveBatch();
  // Makes the copies made since the last commit durable, then commits their records; when
  // that fails, the records are dropped (each such file is copied again next time) and
  // the error raised.
  void commitArchiveBatch();
  // Commits what waits and ends the batch.
  void endArchiveBatch();

  // SetAttributes: gives the owner write permission on the regular file at `path`; false,
  // changing nothing, when there is no such file, it is writable already, or it is a link.
  bool clearReadOnly(const std::string& path);
  // The same for the entry `name` of the folder held open by `folder`; `target` names it in
  // errors. False, changing nothing, when that entry is the file at `source` itself.
  bool clearReadOnlyAt(int folder, const std::string& name, const std::string& target,
                       const std::string& source);

  // MakeFolder: creates one folder; the parent must exist.
  void makeFolder(const std::string& path);

  // Copy: copies a file with its permissions and modification time; an existing target
  // is replaced through a temporary file beside it, and a link at the target is replaced,
  // not followed. CopyWrite is checked before each chunk of at most 1 MiB.
  CopiedFile copyFile(const std::string& source, const std::string& target);
  // The same, for copies one after another into the same folder, which `into` holds open,
  // and from the same folder, which `from` holds open. `betweenChunks`, when given, is
  // called each time another 32 MiB (see callBetweenChunksEvery) of the file are written
  // and more follows, so that a caller can keep its window responsive during one large file.
  using ChunkDone = std::function<void()>;
  CopiedFile copyFile(const std::string& source, const std::string& target, CopyFolder& into);
  CopiedFile copyFile(const std::string& source, const std::string& target, CopyFolder& from,
                      CopyFolder& into, const ChunkDone& betweenChunks = {});

  // Removes the temporary files that copies into `folder` left when their process was
  // killed; those of copies still being written stay. Never fails.
  void removeStaleCopies(const std::string& folder);
  void removeStaleCopies(int folder);

  // Flush: puts every copy made since the last flush (or commit of archive records) on
  // the disk, one syncfs for each file system that received one, and commits the archive
  // records that wait for them. Raises the first failure, naming the folder it concerns.
  void flushCopies();

  // Delete of files.
  void deleteFile(const std::string& path);

 private:
  // Nanoseconds since the epoch, less a margin for the file system's coarse clock.
  std::int64_t listedFrom_ = 0;
  ArchiveStore& archive();
  CopiedFile copyInto(const std::string& source, const std::string& target, CopyFolder& from,
                      CopyFolder& into, const ChunkDone& betweenChunks);
  unsigned attributesAt(int folder, const char* name, const std::string& path);
  // Remembers the file system of a copy whose record may join the batch, and its size.
  void noteCopy(CopyFolder& folder, std::uint64_t bytes);
  bool commitDue() const;
  void recordRemoved();
  void dropSyncFolders() noexcept;
  // Syncs the file systems of syncFolders_ and lets go of them; raises the first failure.
  void syncCopies();

  std::filesystem::path archiveDatabase_;
  std::unique_ptr<ArchiveStore> archive_;
  std::optional<SetAside> setAside_;
  Faults faults_;
  std::uint64_t betweenChunksBytes_ = std::uint64_t{32} << 20;
  bool batching_ = false;
  std::size_t batched_ = 0;
  CommitCadence cadence_;
  // When the oldest record that waits joined the batch.
  CommitCadence::Clock::time_point batchOpened_{};
  std::uint64_t bytesUnflushed_ = 0;
  // Counts the copies made, from 1 (see CopyFolder::unchangedAtCopy_).
  std::uint64_t copiesNoted_ = 1;
  // One open folder on each file system that got a copy since the last flush.
  struct SyncFolder {
    dev_t device;
    UniqueFd fd;
    std::string path;
  };
  std::vector<SyncFolder> syncFolders_;
};

}  // namespace ferrowick::runtime
