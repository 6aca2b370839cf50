#include "runtime/fs/TemporaryFiles.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <random>

#include "runtime/RuntimeError.h"
#include "runtime/fs/DirectoryEntries.h"

namespace ferrowick::runtime {

namespace {
constexpr std::size_t kSuffix = 6;
constexpr int kAttempts = 8;

// Between its creation and the lock another process's sweep may have taken it.
bool lockedWhileNamed(const UniqueFd& fd) {
  struct stat st {};
  return lockTemporary(fd.get()) && ::fstat(fd.get(), &st) == 0 && st.st_nlink > 0;
}
}  // namespace

bool lockTemporary(int fd) { return ::flock(fd, LOCK_EX | LOCK_NB) == 0; }

UniqueFd createLockedTemporary(std::string& pattern) {
  const std::string base = pattern;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    pattern = base;
    UniqueFd fd(::mkostemp(pattern.data(), O_CLOEXEC));
    if (!fd) return fd;
    if (lockedWhileNamed(fd)) return fd;
  }
  errno = EEXIST;
  return UniqueFd();
}

void fillTemporarySuffix(std::string& pattern) {
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  thread_local std::mt19937_64 random{std::random_device{}()};
  if (pattern.size() < kSuffix) return;
  for (std::size_t at = pattern.size() - kSuffix; at < pattern.size(); ++at) {
    pattern[at] = kLetters[random() % (sizeof(kLetters) - 1)];
  }
}

UniqueFd createLockedTemporaryAt(int folder, std::string& pattern) {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    fillTemporarySuffix(pattern);
    UniqueFd fd(::openat(folder, pattern.c_str(),
                         O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!fd) {
      if (errno == EEXIST) continue;
      return fd;
    }
    if (lockedWhileNamed(fd)) return fd;
  }
  errno = EEXIST;
  return UniqueFd();
}

namespace {
void removeIfStale(int folderFd, const dirent& entry,
                   const std::function<bool(std::string_view name)>& isOurs) {
  if (!isOurs(entry.d_name)) return;
  const UniqueFd fd(
      ::openat(folderFd, entry.d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (!fd) return;
  struct stat held {};
  struct stat named {};
  // Locked: its writer is still at work. The name must still be this file: its writer
  // may have renamed it into place and let go meanwhile.
  if (::fstat(fd.get(), &held) == 0 && S_ISREG(held.st_mode) && lockTemporary(fd.get()) &&
      ::fstatat(folderFd, entry.d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
      named.st_dev == held.st_dev && named.st_ino == held.st_ino) {
    ::unlinkat(folderFd, entry.d_name, 0);
  }
}
}  // namespace

void removeStaleTemporariesAt(int folder,
                              const std::function<bool(std::string_view name)>& isOurs) {
  try {
    forEachEntryAt(
        folder, [&](int folderFd, const dirent& entry) { removeIfStale(folderFd, entry, isOurs); });
  } catch (const RuntimeError&) {
    // A folder that cannot be listed keeps what it holds.
  }
}

void removeStaleTemporaries(const std::string& folder,
                            const std::function<bool(std::string_view name)>& isOurs) {
  try {
    forEachEntry(
        folder, [&](int folderFd, const dirent& entry) { removeIfStale(folderFd, entry, isOurs); });
  } catch (const RuntimeError&) {
    // A folder that cannot be listed keeps what it holds.
  }
}

bool endsInTemporarySuffix(std::string_view name) {
  if (name.size() < kSuffix) return false;
  for (const char c : name.substr(name.size() - kSuffix)) {
    if (std::isalnum(static_cast<unsigned char>(c)) == 0) return false;
  }
  return true;
}

}  // namespace ferrowick::runtime
