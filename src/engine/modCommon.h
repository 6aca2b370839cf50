#pragma once

#include "engine/CopyRun.h"
#include "engine/DestinationName.h"
#include "engine/EngineContext.h"
#include "engine/EngineState.h"
#include "engine/RunFileList.h"
#include "engine/ScheduleCheck.h"
#include "engine/ScheduleDay.h"
#include "engine/SettingsFile.h"
#include "engine/SourceList.h"
#include "engine/Validation.h"
#include "services/modMakeDirs.h"

namespace ferrowick::engine {

// The backup engine as the main window uses it: one object that owns the engine's state
// and its routines, wired to each other.
class modCommon {
 public:
  modCommon(const runtime::App& app, runtime::Host& host, runtime::FileSystem& fs,
            const services::modLanguage& lang, MainWindowView& view);
  modCommon(const modCommon&) = delete;
  modCommon& operator=(const modCommon&) = delete;

  // Members are declared in the order they are built: each routine needs the ones above.
  EngineState state;

 private:
  EngineContext context_;
  services::modMakeDirs makeDirs_;

 public:
  SourceList sources;
  RunFileList runFiles;
  CopyRun copyRun;
  SettingsFile settings;
  Validation validation;
  ScheduleCheck schedule;
  // The destination preview and its naming flags.
  DestinationName destination;
  ScheduleDay scheduleDay;
};

}  // namespace ferrowick::engine
