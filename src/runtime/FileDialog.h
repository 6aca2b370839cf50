#pragma once

#include <string>

namespace ferrowick::runtime {

// The file-open dialog. Qt binds it in the program, a scripted double in the tests.
class FileDialog {
 public:
  virtual ~FileDialog() = default;
  // Modal. Offers one filter, `description` for the files matching `pattern`, and
  // starts at `fileName` (empty: anywhere). The chosen file's path, or the empty string
  // when the user cancels.
  virtual std::string openFile(const std::string& description, const std::string& pattern,
                               const std::string& fileName) = 0;
};

}  // namespace ferrowick::runtime
