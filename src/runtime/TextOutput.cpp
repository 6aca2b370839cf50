#include "runtime/TextOutput.h"

#include <fcntl.h>

#include <cerrno>
#include <utility>

#include "runtime/Faults.h"
#include "runtime/RuntimeError.h"
#include "runtime/fs/WriteAll.h"

namespace ferrowick::runtime {

TextOutput::~TextOutput() {
  if (!fd_) return;
  try {
    close();
  } catch (const RuntimeError&) {
    // Nobody is left to tell; the file itself is closed either way.
  }
}

void TextOutput::open(const std::string& path) {
  faults_.check(FaultPoint::OpenOutput, path);
  if (fd_) raise(Err::FileAlreadyOpen);
  UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (!fd) raiseErrno(errno, path);
  fd_ = std::move(fd);
  path_ = path;
  pending_.clear();
}

void TextOutput::write(std::string_view text) {
  faults_.check(FaultPoint::WriteOutput, path_);
  if (!fd_) raise(Err::BadFileNameOrNumber);
  pending_.append(text);
}

// A finished line goes to the file at once, in one write, so that what a run logged
// survives the process being killed.
void TextOutput::writeLine(std::string_view text) {
  faults_.check(FaultPoint::WriteOutput, path_);
  if (!fd_) raise(Err::BadFileNameOrNumber);
  pending_.append(text);
  pending_.append("\r\n");
  flush();
}

void TextOutput::flush() {
  try {
    writeAll(fd_.get(), pending_, path_);
  } catch (const RuntimeError&) {
    // What did not fit is dropped, as a full disk would drop it anyway; the next write
    // starts clean instead of failing on the same bytes again.
    pending_.clear();
    throw;
  }
  pending_.clear();
}

void TextOutput::close() {
  if (!fd_) return;
  try {
    flush();
  } catch (const RuntimeError&) {
    fd_.reset();
    throw;
  }
  if (const int err = fd_.close(); err != 0) raiseErrno(err, path_);
}

}  // namespace ferrowick::runtime
