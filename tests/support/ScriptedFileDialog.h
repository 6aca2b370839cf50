#pragma once

#include <deque>
#include <string>
#include <vector>

#include "runtime/FileDialog.h"

namespace ferrowick::testing {

// Records every file dialog opened and answers from a queue; an empty queue or an
// empty answer is a cancel.
class ScriptedFileDialog : public runtime::FileDialog {
 public:
  struct Call {
    std::string description;
    std::string pattern;
    std::string fileName;
  };
  std::string openFile(const std::string& description, const std::string& pattern,
                       const std::string& fileName) override;
  void choose(std::string file) { choices_.push_back(std::move(file)); }
  void cancel() { choices_.emplace_back(); }

  std::vector<Call> calls;

 private:
  std::deque<std::string> choices_;
};

}  // namespace ferrowick::testing
