#include "engine/ScheduleCheck.h"

#include "engine/EngineContext.h"
#include "engine/EngineState.h"
#include "engine/MainWindowView.h"
#include "runtime/App.h"
#include "runtime/Host.h"
#include "runtime/RuntimeError.h"
#include "services/modLanguage.h"

namespace ferrowick::engine {

ScheduleCheck::ScheduleCheck(EngineContext& context, std::function<void()> refreshSourceList,
                             std::function<void()> runBackup)
    : ctx_(context),
      refreshSourceList_(std::move(refreshSourceList)),
      runBackup_(std::move(runBackup)) {}

void ScheduleCheck::CheckSchedule() { check(std::nullopt); }

void ScheduleCheck::CheckScheduleAt(TimeOfDay minute) { check(minute); }

void ScheduleCheck::check(std::optional<TimeOfDay> minute) {
  MainWindowView& view = ctx_.view;
  EngineState& state = ctx_.state;
  const auto now = [&] { return minute ? *minute : TimeOfDay::at(ctx_.host.clock.now()); };
  try {
    const std::string caption = view.form().caption();
    if (view.optAlways().value() && state.AlwaysAtTime.isSet() && now() == state.AlwaysAtTime) {
      scheduledRun(caption);
      minute.reset();
    }
    // Counted from the end of the last run, which the rule above may just have moved.
    if (view.optEach().value() && state.EachInterval.isSet() &&
        now() == state.EachInterval + state.LastRunTime) {
      scheduledRun(caption);
    }
  } catch (const runtime::RuntimeError& error) {
    if (error.number() == runtime::Err::TypeMismatch) return;
    ctx_.host.messages.show(std::to_string(error.number()) + "\n" + error.description(),
                            runtime::MsgStyle::OkOnly, ctx_.app.title());
  }
}

void ScheduleCheck::scheduledRun(const std::string& keptCaption) {
  // A check made while a run yields to the event loop starts nothing and moves nothing.
  if (ctx_.state.RunInProgress) return;
  runtime::Window& form = ctx_.view.form();
  refreshSourceList_();
  form.setCaption(ctx_.lang.text(180));
  form.refresh();
  runBackup_();
  ctx_.state.LastRunTime = TimeOfDay::at(ctx_.host.clock.now());
  form.setCaption(keptCaption);
  form.refresh();
}

}  // namespace ferrowick::engine
