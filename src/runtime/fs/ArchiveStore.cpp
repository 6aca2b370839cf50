#include "runtime/fs/ArchiveStore.h"

#include <sqlite3.h>

#include "runtime/RuntimeError.h"

namespace ferrowick::runtime {

namespace {
std::int64_t mtimeNs(const struct stat& st) {
  return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
}

// A store that cannot be opened or written is a device error for the caller.
[[noreturn]] void fail() { raise(Err::DeviceIOError); }
}  // namespace

ArchiveStore::ArchiveStore(const std::filesystem::path& database) {
  std::error_code ec;
  std::filesystem::create_directories(database.parent_path(), ec);
  if (sqlite3_open(database.c_str(), &db_) != SQLITE_OK) {
    sqlite3_close(db_);
    db_ = nullptr;
    fail();
  }
  sqlite3_busy_timeout(db_, 2000);
  exec("PRAGMA journal_mode=WAL");
  exec("PRAGMA synchronous=NORMAL");
  exec(
      "CREATE TABLE IF NOT EXISTS cleared (path TEXT PRIMARY KEY, size INTEGER, "
      "mtime_ns INTEGER, dev INTEGER, ino INTEGER)");
  if (sqlite3_prepare_v2(db_, "SELECT size, mtime_ns, dev, ino FROM cleared WHERE path=?1", -1,
                         &find_, nullptr) != SQLITE_OK ||
      sqlite3_prepare_v2(db_, "INSERT OR REPLACE INTO cleared VALUES (?1, ?2, ?3, ?4, ?5)", -1,
                         &upsert_, nullptr) != SQLITE_OK ||
      sqlite3_prepare_v2(db_, "DELETE FROM cleared WHERE path=?1", -1, &remove_, nullptr) !=
          SQLITE_OK) {
    fail();
  }
}

ArchiveStore::~ArchiveStore() {
  sqlite3_finalize(find_);
  sqlite3_finalize(upsert_);
  sqlite3_finalize(remove_);
  sqlite3_close(db_);
}

void ArchiveStore::exec(const char* sql) {
  if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) fail();
}

bool ArchiveStore::isArchiveSet(const std::string& path, const struct stat& st) {
  sqlite3_reset(find_);
  sqlite3_bind_text(find_, 1, path.c_str(), static_cast<int>(path.size()), SQLITE_TRANSIENT);
  bool set = true;
  const int rc = sqlite3_step(find_);
  if (rc == SQLITE_ROW) {
    set = !(sqlite3_column_int64(find_, 0) == st.st_size &&
            sqlite3_column_int64(find_, 1) == mtimeNs(st) &&
            sqlite3_column_int64(find_, 2) == static_cast<std::int64_t>(st.st_dev) &&
            sqlite3_column_int64(find_, 3) == static_cast<std::int64_t>(st.st_ino));
  } else if (rc != SQLITE_DONE) {
    sqlite3_reset(find_);
    fail();
  }
  sqlite3_reset(find_);
  return set;
}

void ArchiveStore::clearArchive(const std::string& path, const struct stat& st) {
  sqlite3_reset(upsert_);
  sqlite3_bind_text(upsert_, 1, path.c_str(), static_cast<int>(path.size()), SQLITE_TRANSIENT);
  sqlite3_bind_int64(upsert_, 2, st.st_size);
  sqlite3_bind_int64(upsert_, 3, mtimeNs(st));
  sqlite3_bind_int64(upsert_, 4, static_cast<std::int64_t>(st.st_dev));
  sqlite3_bind_int64(upsert_, 5, static_cast<std::int64_t>(st.st_ino));
  const int rc = sqlite3_step(upsert_);
  sqlite3_reset(upsert_);
  if (rc != SQLITE_DONE) fail();
}

void ArchiveStore::setArchive(const std::string& path) {
  sqlite3_reset(remove_);
  sqlite3_bind_text(remove_, 1, path.c_str(), static_cast<int>(path.size()), SQLITE_TRANSIENT);
  const int rc = sqlite3_step(remove_);
  sqlite3_reset(remove_);
  if (rc != SQLITE_DONE) fail();
}

}  // namespace ferrowick::runtime
