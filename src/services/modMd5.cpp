#include "services/modMd5.h"

#include <fcntl.h>
#include <openssl/evp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <exception>
#include <memory>

#include "runtime/Faults.h"
#include "runtime/UniqueFd.h"

namespace ferrowick::services::modMd5 {

namespace {

struct DigestFree {
  void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};

std::string lowerHex(const unsigned char* bytes, unsigned int count) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(std::size_t{count} * 2);
  for (unsigned int i = 0; i < count; ++i) {
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 0x0F];
  }
  return text;
}

std::string hashOpenFile(int fd, const std::string& path, runtime::Faults* faults) {
  std::unique_ptr<EVP_MD_CTX, DigestFree> context(EVP_MD_CTX_new());
  if (!context || EVP_DigestInit_ex(context.get(), EVP_md5(), nullptr) != 1) return {};
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  const std::unique_ptr<unsigned char[]> block(new unsigned char[kBlockSize]);
  for (;;) {
    if (faults != nullptr) faults->check(runtime::FaultPoint::ReadBlock, path);
    const ssize_t got = ::read(fd, block.get(), kBlockSize);
    if (got < 0) {
      if (errno == EINTR) continue;
      return {};
    }
    if (got == 0) break;
    if (EVP_DigestUpdate(context.get(), block.get(), static_cast<std::size_t>(got)) != 1) {
      return {};
    }
  }
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (EVP_DigestFinal_ex(context.get(), digest, &length) != 1) return {};
  return lowerHex(digest, length);
}

}  // namespace

std::string FileMD5(const std::string& path, runtime::Faults* faults) {
  if (path.empty()) return {};
  try {
    if (faults != nullptr) faults->check(runtime::FaultPoint::OpenRead, path);
    // Non-blocking, so that a named pipe cannot hang the window; only ordinary files
    // are read.
    const runtime::UniqueFd file(
        ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!file) return {};
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return {};
    return hashOpenFile(file.get(), path, faults);
  } catch (const std::exception&) {
    // A planned fault, or no memory for the block: no sum.
    return {};
  }
}

}  // namespace ferrowick::services::modMd5
