#include "runtime/TextLines.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "runtime/RuntimeError.h"

namespace ferrowick::runtime {

TextLineReader::TextLineReader(const std::string& path, Faults& faults)
    : path_(path), faults_(faults) {
  faults_.check(FaultPoint::OpenText, path_);
  // Non-blocking, so that a pipe without a writer cannot stop the open itself.
  fd_.reset(::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!fd_) raiseErrno(errno, path_);
  struct stat info {};
  if (::fstat(fd_.get(), &info) != 0) raiseErrno(errno, path_);
  if (!S_ISREG(info.st_mode)) raise(Err::PathFileAccessError);
}

TextLineReader::~TextLineReader() = default;

bool TextLineReader::fill() {
  if (eof_) return false;
  for (;;) {
    const ssize_t got = ::read(fd_.get(), buffer_.data(), buffer_.size());
    if (got > 0) {
      begin_ = 0;
      end_ = static_cast<std::size_t>(got);
      return true;
    }
    if (got == 0) {
      eof_ = true;
      return false;
    }
    if (errno != EINTR) raiseErrno(errno, path_);
  }
}

bool TextLineReader::next(std::string& line) {
  faults_.check(FaultPoint::ReadLine, path_);
  line.clear();
  bool any = false;
  for (;;) {
    if (begin_ == end_ && !fill()) return any;
    if (skipLineFeed_) {
      skipLineFeed_ = false;
      if (buffer_[begin_] == '\n') {
        ++begin_;
        continue;
      }
    }
    any = true;
    const char* start = buffer_.data() + begin_;
    const char* stop = buffer_.data() + end_;
    const char* cr = start;
    while (cr != stop && *cr != '\r') ++cr;
    line.append(start, cr);
    begin_ += static_cast<std::size_t>(cr - start);
    if (cr != stop) {
      ++begin_;
      skipLineFeed_ = true;
      return true;
    }
  }
}

}  // namespace ferrowick::runtime
