#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "EngineRig.h"
#include "support/ListItems.h"
#include "support/Sandbox.h"

namespace ferrowick::engine::testing {

namespace fs = std::filesystem;

inline constexpr const char* kDuplicateText = "Already a source:";

// The engine as the source list and the run file list see it, over a sandbox tree.
struct SourcesRig : ferrowick::testing::EngineRig {
  SourcesRig() {
    fs::create_directories(root);
    lang.setText(178, kDuplicateText);
  }

  std::vector<std::string> items() const { return ferrowick::testing::itemsOf(window.lstSource_); }

  fs::path root = ferrowick::testing::Sandbox::root() / "src";
};

inline std::string folderItem(const fs::path& folder) { return folder.string() + "/*.*"; }

// The names in a folder in the order the file system gives them.
inline std::vector<std::string> systemOrder(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  return names;
}

}  // namespace ferrowick::engine::testing
