#pragma once

#include <array>
#include <string>

#include "runtime/Faults.h"
#include "runtime/UniqueFd.h"

namespace ferrowick::runtime {

// Reads a text file line by line as the language files are written: a carriage return
// followed by a line feed, or a carriage return alone, ends a line; a line feed alone
// does not. The last line needs no ending. Bytes are passed through unchanged.
// Reads in blocks, so a file is never held whole.
class TextLineReader {
 public:
  // OpenText: raises the runtime's error when the file cannot be opened or is not an
  // ordinary file (a folder, a pipe or a device would never deliver an end).
  TextLineReader(const std::string& path, Faults& faults);
  ~TextLineReader();
  TextLineReader(const TextLineReader&) = delete;
  TextLineReader& operator=(const TextLineReader&) = delete;

  // ReadLine: the next line into `line`; false at the end of the file. Raises the
  // runtime's error when reading fails.
  bool next(std::string& line);

 private:
  bool fill();

  std::string path_;
  Faults& faults_;
  UniqueFd fd_;
  std::array<char, 65536> buffer_{};
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool eof_ = false;
  bool skipLineFeed_ = false;  // the last line ended in a carriage return
};

}  // namespace ferrowick::runtime
