#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "EngineRig.h"
#include "engine/CopyRun.h"
#include "engine/RunFileList.h"
#include "engine/SourceList.h"
#include "runtime/RuntimeError.h"
#include "services/modMakeDirs.h"
#include "support/Sandbox.h"

namespace ferrowick::engine {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

// A copy run over a sandbox tree, with the main window in memory and scripted dialogs.
// Language texts 177 to 200 read "<177>" to "<200>", so the compositions show plainly;
// the log box is ticked.
class CopyRunTest : public ::testing::Test, public testing::EngineRig {
 protected:
  CopyRunTest() {
    for (int n = 177; n <= 200; ++n) lang.setText(n, "<" + std::to_string(n) + ">");
    window.chkLog_.setValue(runtime::CheckState::Checked);
    window.txtDest_.setText(dest);
    host.loop.pending = [this] { atYield(); };
  }

  std::string target(const std::string& path) const { return dest + path; }

  std::string file(const std::string& relative, const std::string& bytes) {
    const fs::path path = src / relative;
    testing::writeFile(path, bytes);
    return path.string();
  }

  void addItem(const std::string& item) { window.lstSource_.addItem(item); }

  std::string logPath() const {
    return (root / "home/.local/share/Halvorne/Ferrowick/dravonk.log").string();
  }

  // The boxes shown, in order, each as its style by name, a space and its text.
  Strings shown() const {
    Strings boxes;
    for (const auto& box : host.messages.shown) {
      boxes.push_back(ferrowick::testing::styleName(box.style) + " " + box.text);
    }
    return boxes;
  }

  const std::string header = "<181> 12/06/26 09:15:00\r\n\r\n";
  std::string line(const std::string& path) const { return path + " >> " + target(path) + "<184>"; }
  // The closing summary; the clock stands still at 09:15 on 6 December 2026.
  static std::string summary(int copied, const std::string& megabytes = "0.00") {
    return "<188> " + std::to_string(copied) + " <189> " + megabytes +
           " Mb, <191> 09:15 <183> 09:15 | 12/06/26.";
  }

  std::string errorText(const std::string& source, const std::string& targetPath) const {
    return "\n\n<192>\n" + source + "\n<183>\n" + targetPath + "\n\n<193>";
  }

  // The status lines as each yield finds them (those of the entry before).
  Strings statuses;
  std::function<void()> onYield;
  void atYield() {
    statuses.push_back(window.Label11_.caption() + " | " + window.Label13_.caption() + " | " +
                       window.Label14_.caption());
    if (onYield) onYield();
  }

  const fs::path root = testing::Sandbox::root();
  const fs::path src = root / "src";
  const std::string dest = (root / "backup").string();

  SourceList sources{ctx};
  RunFileList runFiles{ctx};
  services::modMakeDirs makeDirs{app, host.messages, lang, fs};
  CopyRun copyRun{ctx, sources, runFiles, makeDirs};
};

}  // namespace ferrowick::engine
