#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/RunFileListTable.h"
#include "engine/TimeOfDay.h"

namespace ferrowick::engine {

// The engine's module state: one object per running program, so each test starts clean.
struct EngineState {
  // Settings file.
  bool NoSettingsFile = false;
  TimeOfDay AlwaysAtTime;
  TimeOfDay EachInterval;
  TimeOfDay LastRunTime;

  // Source list walk: folder paths without a trailing separator.
  std::vector<std::string> SubfolderList;

  // Run file list; the last slot is always empty.
  RunFileListTable SourceFiles;

  // Copy run.
  std::string BackupDir;
  bool RunInProgress = false;
};

}  // namespace ferrowick::engine
