#pragma once

#include <string>
#include <string_view>

#include "runtime/UniqueFd.h"

namespace ferrowick::runtime {

class Faults;

// A text file opened for output: created, or emptied when it exists. Texts are written
// as they are (UTF-8); a line ends with CR LF and reaches the file as soon as it ends.
// Every failure is a numbered RuntimeError; tests plan failures through the fault points
// OpenOutput and WriteOutput.
class TextOutput {
 public:
  explicit TextOutput(Faults& faults) : faults_(faults) {}
  ~TextOutput();
  TextOutput(const TextOutput&) = delete;
  TextOutput& operator=(const TextOutput&) = delete;

  // 55 while a file is already open.
  void open(const std::string& path);
  bool isOpen() const noexcept { return fd_.valid(); }
  // Text was written since the last line end.
  bool lineOpen() const noexcept { return !pending_.empty(); }

  // Writes without a line end. 52 when no file is open.
  void write(std::string_view text);
  // Writes the text, then the line end.
  void writeLine(std::string_view text = {});

  // Writes out what is pending and closes; the file is closed even when that fails.
  // Does nothing when no file is open.
  void close();

 private:
  void flush();

  Faults& faults_;
  std::string path_;
  std::string pending_;
  UniqueFd fd_;
};

}  // namespace ferrowick::runtime
