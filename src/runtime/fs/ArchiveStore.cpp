#include "runtime/fs/ArchiveStore.h"

#include <sqlite3.h>

#include <string_view>

#include "runtime/RuntimeError.h"

namespace ferrowick::runtime {

// The records are keyed by path alone: without a rowid each one is a single B-tree entry
// instead of a table row and an index entry, which halves the writes of a first run.
#define CLEARED_COLUMNS \
  "(path TEXT PRIMARY KEY, size INTEGER, mtime_ns INTEGER, dev INTEGER, ino INTEGER)"

namespace {
std::int64_t mtimeNs(const struct stat& st) {
  return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
}
}  // namespace

void ArchiveStore::CloseDatabase::operator()(sqlite3* db) const { sqlite3_close(db); }

void ArchiveStore::FinalizeStatement::operator()(sqlite3_stmt* statement) const {
  sqlite3_finalize(statement);
}

ArchiveStore::ArchiveStore(const std::filesystem::path& database) {
  std::error_code ec;
  std::filesystem::create_directories(database.parent_path(), ec);
  sqlite3* opened = nullptr;
  // One thread uses the connection at a time: SQLite need not lock it at every call.
  const int rc =
      sqlite3_open_v2(database.c_str(), &opened,
                      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
  // Even a failed open hands back a handle that must be closed.
  db_.reset(opened);
  if (rc != SQLITE_OK) fail(rc);
  sqlite3_busy_timeout(db_.get(), 2000);
  checkIntegrity();
  exec("PRAGMA journal_mode=WAL");
  exec("PRAGMA synchronous=NORMAL");
  exec("CREATE TABLE IF NOT EXISTS cleared " CLEARED_COLUMNS " WITHOUT ROWID");
  migrateRowidTable();
  find_ = prepare("SELECT size, mtime_ns, dev, ino FROM cleared WHERE path=?1");
  range_ = prepare(
      "SELECT path, size, mtime_ns, dev, ino FROM cleared WHERE path>=?1 AND path<?2 ORDER BY "
      "path");
  upsert_ = prepare("INSERT OR REPLACE INTO cleared VALUES (?1, ?2, ?3, ?4, ?5)");
  remove_ = prepare("DELETE FROM cleared WHERE path=?1");
}

ArchiveStore::~ArchiveStore() = default;

// A store written by an earlier version keeps its records in a rowid table: they move to
// the new layout in one transaction, so that a failure leaves the old table as it was.
void ArchiveStore::migrateRowidTable() {
  const auto rowidLayout = [this] {
    const Statement layout = prepare("SELECT sql FROM sqlite_master WHERE name='cleared'");
    const int rc = sqlite3_step(layout.get());
    if (rc != SQLITE_ROW) {
      if (rc != SQLITE_DONE) fail(rc);
      return false;
    }
    const auto* sql = reinterpret_cast<const char*>(sqlite3_column_text(layout.get(), 0));
    return sql != nullptr && std::string_view(sql).find("WITHOUT ROWID") == std::string_view::npos;
  };
  if (!rowidLayout()) return;
  exec("BEGIN IMMEDIATE");
  try {
    // Looked at again under the lock: another process may have moved them meanwhile.
    if (rowidLayout()) {
      exec("CREATE TABLE cleared_moved " CLEARED_COLUMNS " WITHOUT ROWID");
      exec("INSERT INTO cleared_moved SELECT path, size, mtime_ns, dev, ino FROM cleared");
      exec("DROP TABLE cleared");
      exec("ALTER TABLE cleared_moved RENAME TO cleared");
    }
    exec("COMMIT");
  } catch (const RuntimeError&) {
    rollback();
    throw;
  }
}

// Reads every page once: a file cut short or overwritten fails here, at the start.
void ArchiveStore::checkIntegrity() {
  const Statement check = prepare("PRAGMA quick_check(1)");
  const int rc = sqlite3_step(check.get());
  if (rc != SQLITE_ROW) fail(rc);
  const auto* verdict = reinterpret_cast<const char*>(sqlite3_column_text(check.get(), 0));
  if (verdict == nullptr || std::string_view(verdict) != "ok") {
    throw DamagedStore(verdict != nullptr ? verdict : sqlite3_errstr(SQLITE_CORRUPT));
  }
}

// A full disk is a full disk, whether SQLite noticed it itself or the system told it so.
void ArchiveStore::fail(int code) const {
  if ((code & 0xff) == SQLITE_NOTADB || (code & 0xff) == SQLITE_CORRUPT) {
    throw DamagedStore(sqlite3_errstr(code));
  }
  if ((code & 0xff) == SQLITE_FULL) raise(Err::DiskFull);
  // Where the system refused, its answer goes by the runtime's table like any other file's.
  if (((code & 0xff) == SQLITE_IOERR || (code & 0xff) == SQLITE_CANTOPEN) && db_) {
    const int err = sqlite3_system_errno(db_.get());
    if (err != 0) raise(errorFromErrno(err));
  }
  raise(Err::DeviceIOError);
}

void ArchiveStore::exec(const char* sql) {
  const int rc = sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) fail(rc);
}

ArchiveStore::Statement ArchiveStore::prepare(const char* sql) {
  sqlite3_stmt* statement = nullptr;
  const int rc = sqlite3_prepare_v2(db_.get(), sql, -1, &statement, nullptr);
  Statement owned(statement);
  if (rc != SQLITE_OK) fail(rc);
  return owned;
}

bool ArchiveStore::isArchiveSet(const std::string& path, const struct stat& st) {
  sqlite3_stmt* find = find_.get();
  sqlite3_reset(find);
  sqlite3_bind_text(find, 1, path.c_str(), static_cast<int>(path.size()), SQLITE_TRANSIENT);
  bool set = true;
  const int rc = sqlite3_step(find);
  if (rc == SQLITE_ROW) {
    set = !(sqlite3_column_int64(find, 0) == st.st_size &&
            sqlite3_column_int64(find, 1) == mtimeNs(st) &&
            sqlite3_column_int64(find, 2) == static_cast<std::int64_t>(st.st_dev) &&
            sqlite3_column_int64(find, 3) == static_cast<std::int64_t>(st.st_ino));
  } else if (rc != SQLITE_DONE) {
    sqlite3_reset(find);
    fail(rc);
  }
  sqlite3_reset(find);
  return set;
}

bool ArchiveStore::matches(const Record& record, const struct stat& st) {
  return record.size == st.st_size && record.mtimeNs == mtimeNs(st) &&
         record.dev == static_cast<std::int64_t>(st.st_dev) &&
         record.ino == static_cast<std::int64_t>(st.st_ino);
}

// Paths compare byte by byte, so the records below a folder are one range of the key, and
// those of a subfolder one range inside it: each subfolder met is stepped over with a new
// range instead of being read through, so a folder costs one read plus one a subfolder
// with records, not every record of its subtree.
std::vector<ArchiveStore::Record> ArchiveStore::recordsIn(const std::string& folder) {
  std::vector<Record> records;
  if (folder.empty() || folder.back() != '/') return records;
  // The first key past every path that starts with the folder.
  std::string past = folder;
  past.back() = '/' + 1;
  std::string from = folder;
  sqlite3_stmt* range = range_.get();
  for (bool more = true; more;) {
    more = false;
    sqlite3_reset(range);
    sqlite3_bind_text(range, 1, from.data(), static_cast<int>(from.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(range, 2, past.data(), static_cast<int>(past.size()), SQLITE_TRANSIENT);
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(range)) == SQLITE_ROW) {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(range, 0));
      const std::string_view path(text, static_cast<std::size_t>(sqlite3_column_bytes(range, 0)));
      const std::string_view name = path.substr(folder.size());
      const auto slash = name.find('/');
      if (slash != std::string_view::npos) {
        from.assign(path.substr(0, folder.size() + slash)).push_back('/' + 1);
        more = true;
        break;
      }
      records.push_back({std::string(name), sqlite3_column_int64(range, 1),
                         sqlite3_column_int64(range, 2), sqlite3_column_int64(range, 3),
                         sqlite3_column_int64(range, 4)});
    }
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
      sqlite3_reset(range);
      fail(rc);
    }
  }
  sqlite3_reset(range);
  return records;
}

void ArchiveStore::clearArchive(const std::string& path, const struct stat& st) {
  sqlite3_stmt* upsert = upsert_.get();
  sqlite3_reset(upsert);
  sqlite3_bind_text(upsert, 1, path.c_str(), static_cast<int>(path.size()), SQLITE_TRANSIENT);
  sqlite3_bind_int64(upsert, 2, st.st_size);
  sqlite3_bind_int64(upsert, 3, mtimeNs(st));
  sqlite3_bind_int64(upsert, 4, static_cast<std::int64_t>(st.st_dev));
  sqlite3_bind_int64(upsert, 5, static_cast<std::int64_t>(st.st_ino));
  const int rc = sqlite3_step(upsert);
  sqlite3_reset(upsert);
  if (rc != SQLITE_DONE) fail(rc);
}

void ArchiveStore::setArchive(const std::string& path) {
  sqlite3_stmt* remove = remove_.get();
  sqlite3_reset(remove);
  sqlite3_bind_text(remove, 1, path.c_str(), static_cast<int>(path.size()), SQLITE_TRANSIENT);
  const int rc = sqlite3_step(remove);
  sqlite3_reset(remove);
  if (rc != SQLITE_DONE) fail(rc);
}

void ArchiveStore::begin() {
  if (!inTransaction()) exec("BEGIN");
}

void ArchiveStore::commit() {
  if (inTransaction()) exec("COMMIT");
}

void ArchiveStore::rollback() noexcept {
  if (inTransaction()) sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
}

bool ArchiveStore::inTransaction() const { return sqlite3_get_autocommit(db_.get()) == 0; }

}  // namespace ferrowick::runtime
