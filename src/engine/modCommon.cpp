#include "engine/modCommon.h"

#include "runtime/Host.h"

namespace ferrowick::engine {

modCommon::modCommon(const runtime::App& app, runtime::Host& host, runtime::FileSystem& fs,
                     const services::modLanguage& lang, MainWindowView& view)
    : context_{app, host, fs, lang, view, state},
      makeDirs_(app, host.messages, lang, fs),
      sources(context_),
      runFiles(context_),
      copyRun(context_, sources, runFiles, makeDirs_),
      settings(context_),
      validation(context_),
      schedule(
          context_, [this] { sources.RefreshSourceList(); },
          [this] {
            destination.ComposeForRun();
            copyRun.RunBackup();
          }),
      destination(context_),
      scheduleDay(
          context_, [this](TimeOfDay minute) { schedule.CheckSchedule(minute); },
          [this] { schedule.StartDeferredRun(); }) {}

}  // namespace ferrowick::engine
