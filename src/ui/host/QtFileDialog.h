#pragma once

#include "runtime/FileDialog.h"

namespace ferrowick::ui {

// The file-open dialog, owned by the window that is active when it opens.
class QtFileDialog : public runtime::FileDialog {
 public:
  std::string openFile(const std::string& description, const std::string& pattern,
                       const std::string& fileName) override;
};

}  // namespace ferrowick::ui
