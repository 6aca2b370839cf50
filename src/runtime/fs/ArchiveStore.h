#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "runtime/RuntimeError.h"

struct sqlite3;
struct sqlite3_stmt;

namespace ferrowick::runtime {

// Linux files have no archive attribute: clearing it records the file as it is now
// (size, modification time, device, inode); the attribute reads as set again as soon as
// no record matches the file. Source files themselves are never touched.
//
// A store that cannot be read or written raises what the system said by the runtime's
// table (61 when the disk is full), else 57 (device I/O error); one whose file is not a
// sound database raises DamagedStore.
class ArchiveStore {
 public:
  // 57 as well, with the database's own word for what is wrong with it.
  class DamagedStore : public RuntimeError {
   public:
    explicit DamagedStore(std::string reason)
        : RuntimeError(Err::DeviceIOError), reason_(std::move(reason)) {}
    const std::string& reason() const noexcept { return reason_; }

   private:
    std::string reason_;
  };

  // Opens or creates the store and looks through it once, so that damage shows here and
  // not in the middle of a run.
  explicit ArchiveStore(const std::filesystem::path& database);
  ~ArchiveStore();
  ArchiveStore(const ArchiveStore&) = delete;
  ArchiveStore& operator=(const ArchiveStore&) = delete;

  bool isArchiveSet(const std::string& path, const struct stat& st);

  // The records of the files directly in `folder` (a path ending in a separator), in
  // ascending order of name: a few range reads instead of a lookup for each file.
  struct Record {
    std::string name;
    std::int64_t size, mtimeNs, dev, ino;
  };
  std::vector<Record> recordsIn(const std::string& folder);
  // Whether the file as `st` describes it is the one that `record` recorded.
  static bool matches(const Record& record, const struct stat& st);
  void clearArchive(const std::string& path, const struct stat& st);
  void setArchive(const std::string& path);

  // One transaction for the records that follow, until commit() or rollback().
  void begin();
  void commit();
  void rollback() noexcept;
  bool inTransaction() const;

 private:
  struct CloseDatabase {
    void operator()(sqlite3* db) const;
  };
  struct FinalizeStatement {
    void operator()(sqlite3_stmt* statement) const;
  };
  using Database = std::unique_ptr<sqlite3, CloseDatabase>;
  using Statement = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

  void migrateRowidTable();
  void checkIntegrity();
  void exec(const char* sql);
  Statement prepare(const char* sql);
  [[noreturn]] void fail(int code) const;

  // Declared first, so that the statements are finalized before it closes.
  Database db_;
  Statement find_;
  Statement range_;
  Statement upsert_;
  Statement remove_;
};

}  // namespace ferrowick::runtime
