#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/TimeOfDay.h"

namespace ferrowick::engine {

struct SourceFileEntry {
  std::string Path;  // empty in an empty slot
  std::uint64_t Size = 0;
};

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
  std::vector<SourceFileEntry> SourceFiles{SourceFileEntry{}};

  // Copy run.
  std::string BackupDir;
  bool RunInProgress = false;
};

}  // namespace ferrowick::engine
