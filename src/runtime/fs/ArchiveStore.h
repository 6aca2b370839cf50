#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace ferrowick::runtime {

// Linux files have no archive attribute: clearing it records the file as it is now
// (size, modification time, device, inode); the attribute reads as set again as soon as
// no record matches the file. Source files themselves are never touched.
class ArchiveStore {
 public:
  explicit ArchiveStore(const std::filesystem::path& database);
  ~ArchiveStore();
  ArchiveStore(const ArchiveStore&) = delete;
  ArchiveStore& operator=(const ArchiveStore&) = delete;

  bool isArchiveSet(const std::string& path, const struct stat& st);
  void clearArchive(const std::string& path, const struct stat& st);
  void setArchive(const std::string& path);

 private:
  void exec(const char* sql);

  sqlite3* db_ = nullptr;
  sqlite3_stmt* find_ = nullptr;
  sqlite3_stmt* upsert_ = nullptr;
  sqlite3_stmt* remove_ = nullptr;
};

}  // namespace ferrowick::runtime
