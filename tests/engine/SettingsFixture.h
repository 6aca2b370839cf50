#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "EngineRig.h"
#include "engine/SettingsFile.h"
#include "runtime/RuntimeError.h"
#include "support/RaisedError.h"
#include "support/Sandbox.h"

namespace ferrowick::engine::testing {

// A message box as ScriptedMessageBoxes::all() gives it.
inline std::string shownBox(runtime::MsgStyle style, const std::string& text,
                            const std::string& caption = "Ferrowick") {
  return caption + "|" + ferrowick::testing::styleName(style) + "|" + text;
}

using ferrowick::testing::raisedError;

// The text in UTF-16 with its byte-order mark, as some editors save it.
inline std::string utf16(std::string_view text) {
  std::string wide = "\xff\xfe";
  for (const char c : text) wide += std::string{c, '\0'};
  return wide;
}

class EngineTest : public ::testing::Test, public ferrowick::testing::EngineRig {
 protected:
  EngineTest() {
    for (int index : {180, 201, 202, 203, 204, 205, 206, 207, 208}) {
      lang.setText(index, "text " + std::to_string(index));
    }
  }

  std::filesystem::path folder() const {
    return std::filesystem::path(std::getenv("XDG_DATA_HOME")) / "Halvorne" / "Ferrowick";
  }
  std::filesystem::path iniPath() const { return folder() / "dravonk.ini"; }
  std::filesystem::path bakPath() const { return folder() / "dravonk.bak"; }

  void writeIni(const std::string& bytes) { ferrowick::testing::writeFile(iniPath(), bytes); }
  std::string ini() const { return ferrowick::testing::readFile(iniPath()); }
  std::string bak() const { return ferrowick::testing::readFile(bakPath()); }
};

}  // namespace ferrowick::engine::testing
