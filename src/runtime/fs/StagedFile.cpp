#include "runtime/fs/StagedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "runtime/Faults.h"
#include "runtime/RuntimeError.h"

namespace ferrowick::runtime {

namespace {

void writeAll(int fd, const char* data, std::size_t size, const std::filesystem::path& path) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      raiseErrno(errno, path);
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
}

// Makes the rename itself survive a crash; a folder that refuses fsync changes nothing.
void syncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

StagedFile::StagedFile(std::filesystem::path target, std::string_view bytes, Faults* faults,
                       std::optional<mode_t> mode)
    : target_(std::move(target)), faults_(faults) {
  // A hidden name, so that the half-made file never counts as an ordinary file.
  const std::filesystem::path pattern =
      target_.parent_path() / ("." + target_.filename().string() + ".XXXXXX");
  std::string name = pattern.string();
  std::vector<char> buffer(name.begin(), name.end());
  buffer.push_back('\0');
  const int fd = ::mkostemp(buffer.data(), O_CLOEXEC);
  if (fd < 0) raiseErrno(errno, target_);
  temporary_ = std::filesystem::path(buffer.data());

  try {
    struct stat existing {};
    if (mode) {
      if (::fchmod(fd, *mode) != 0) raiseErrno(errno, temporary_);
    } else if (::stat(target_.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
      ::fchmod(fd, existing.st_mode & 07777);
    }
    const std::size_t half = bytes.size() / 2;
    writeAll(fd, bytes.data(), half, temporary_);
    if (faults_ != nullptr) faults_->check(FaultPoint::StageFile, target_.string());
    writeAll(fd, bytes.data() + half, bytes.size() - half, temporary_);
    if (::fsync(fd) != 0) raiseErrno(errno, temporary_);
    if (::close(fd) != 0) {
      const int err = errno;
      ::unlink(temporary_.c_str());
      temporary_.clear();
      raiseErrno(err, target_);
    }
  } catch (...) {
    if (!temporary_.empty()) {
      ::close(fd);
      ::unlink(temporary_.c_str());
      temporary_.clear();
    }
    throw;
  }
}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : target_(std::move(other.target_)),
      temporary_(std::move(other.temporary_)),
      faults_(other.faults_) {
  other.temporary_.clear();
}

StagedFile::~StagedFile() {
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

void StagedFile::commit() {
  if (temporary_.empty()) raise(Err::BadFileNameOrNumber);
  if (faults_ != nullptr) faults_->check(FaultPoint::CommitFile, target_.string());
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) raiseErrno(errno, target_);
  temporary_.clear();
  syncFolder(target_.parent_path());
}

}  // namespace ferrowick::runtime
