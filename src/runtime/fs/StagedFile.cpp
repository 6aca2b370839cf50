#include "runtime/fs/StagedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "runtime/Faults.h"
#include "runtime/RuntimeError.h"
#include "runtime/fs/TemporaryFiles.h"
#include "runtime/fs/WriteAll.h"

namespace ferrowick::runtime {

namespace {

// Makes the rename itself survive a crash; a folder that refuses fsync changes nothing.
void syncFolder(const std::filesystem::path& folder) {
  const UniqueFd fd(
      ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd) ::fsync(fd.get());
}

}  // namespace

StagedFile::StagedFile(std::filesystem::path target, std::string_view bytes, Faults* faults,
                       std::optional<mode_t> mode)
    : target_(std::move(target)), faults_(faults) {
  // A hidden name, so that the half-made file never counts as an ordinary file.
  const std::string prefix = "." + target_.filename().string() + ".";
  const std::filesystem::path folder = target_.parent_path();
  // What an earlier writer of this file left when it was killed.
  removeStaleTemporaries(folder.empty() ? "." : folder.string(), [&](std::string_view name) {
    return name.size() == prefix.size() + 6 && name.starts_with(prefix) &&
           endsInTemporarySuffix(name);
  });
  std::string name = (folder / (prefix + "XXXXXX")).string();
  fd_ = createLockedTemporary(name);
  if (!fd_) raiseErrno(errno, target_);
  temporary_ = std::filesystem::path(name);

  try {
    struct stat existing {};
    if (mode) {
      if (::fchmod(fd_.get(), *mode) != 0) raiseErrno(errno, temporary_);
    } else if (::stat(target_.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
      ::fchmod(fd_.get(), existing.st_mode & 07777);
    }
    const std::size_t half = bytes.size() / 2;
    writeAll(fd_.get(), bytes.substr(0, half), temporary_);
    if (faults_ != nullptr) faults_->check(FaultPoint::StageFile, target_.string());
    writeAll(fd_.get(), bytes.substr(half), temporary_);
    if (::fsync(fd_.get()) != 0) raiseErrno(errno, temporary_);
  } catch (...) {
    discard();
    throw;
  }
}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : target_(std::move(other.target_)),
      temporary_(std::move(other.temporary_)),
      faults_(other.faults_),
      fd_(std::move(other.fd_)) {
  other.temporary_.clear();
}

StagedFile::~StagedFile() { discard(); }

void StagedFile::discard() noexcept {
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
  fd_.reset();
}

// The file stays open, and so locked, until it has its target's name.
void StagedFile::commit() {
  if (temporary_.empty()) raise(Err::BadFileNameOrNumber);
  if (faults_ != nullptr) faults_->check(FaultPoint::CommitFile, target_.string());
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) raiseErrno(errno, target_);
  temporary_.clear();
  fd_.reset();
  syncFolder(target_.parent_path());
}

}  // namespace ferrowick::runtime
