#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "engine/EngineContext.h"
#include "engine/EngineState.h"
#include "engine/MemoryMainWindow.h"
#include "runtime/App.h"
#include "runtime/fs/FileSystem.h"
#include "runtime/registry/RegistryStore.h"
#include "services/modLanguage.h"
#include "services/modRegistry2.h"
#include "support/Sandbox.h"
#include "support/ScriptedHost.h"

namespace ferrowick::engine::testing {

namespace fs = std::filesystem;

inline constexpr const char* kDuplicateText = "Already a source:";

// The engine as the source list and the run file list see it, over a sandbox tree.
struct SourcesRig {
  SourcesRig() {
    fs::create_directories(root);
    lang.setText(178, kDuplicateText);
  }

  std::vector<std::string> items() const {
    std::vector<std::string> all;
    for (std::size_t i = 0; i < view.lstSource_.count(); ++i) all.push_back(view.lstSource_.item(i));
    return all;
  }

  fs::path root = ferrowick::testing::Sandbox::root() / "src";
  runtime::App app{"Ferrowick", "/opt/ferrowick", "ferrowick", {}, false};
  ferrowick::testing::ScriptedHost scripted;
  runtime::FileSystem files{ferrowick::testing::Sandbox::root() / "archive.db"};
  runtime::RegistryStore store{ferrowick::testing::Sandbox::root() / "registry",
                               ferrowick::testing::Sandbox::root() / "autostart"};
  services::modRegistry2 registry{store};
  services::modLanguage lang{app, scripted.host, registry, files};
  MemoryMainWindow view;
  EngineState state;
  EngineContext ctx{app, scripted.host, files, lang, view, state};
};

// A folder item of a sandbox folder.
inline std::string folderItem(const fs::path& folder) { return folder.string() + "/*.*"; }

// The names in a folder in the order the file system gives them.
inline std::vector<std::string> systemOrder(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  return names;
}

}  // namespace ferrowick::engine::testing
