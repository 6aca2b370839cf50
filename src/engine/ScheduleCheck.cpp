#include "engine/ScheduleCheck.h"

#include <utility>

#include "engine/EngineContext.h"
#include "engine/EngineState.h"
#include "engine/MainWindowView.h"
#include "runtime/App.h"
#include "runtime/Host.h"
#include "runtime/RuntimeError.h"
#include "services/modLanguage.h"

namespace ferrowick::engine {

using services::Text;

ScheduleCheck::ScheduleCheck(EngineContext& context, std::function<void()> refreshSourceList,
                             std::function<void()> runBackup)
    : ctx_(context),
      refreshSourceList_(std::move(refreshSourceList)),
      runBackup_(std::move(runBackup)) {}

bool ScheduleCheck::chosen(Rule rule) const {
  MainWindowView& view = ctx_.view;
  const EngineState& state = ctx_.state;
  return rule == Rule::AlwaysAt ? view.optAlways().value() && state.AlwaysAtTime.isSet()
                                : view.optEach().value() && state.EachInterval.isSet();
}

void ScheduleCheck::guarded(const std::function<void()>& check) {
  try {
    check();
  } catch (const runtime::RuntimeError& error) {
    if (error.number() == runtime::Err::TypeMismatch) return;
    ctx_.host.messages.show(std::to_string(error.number()) + "\n" + error.description(),
                            runtime::MsgButtons::OkOnly, ctx_.app.title());
  }
}

void ScheduleCheck::CheckSchedule(std::optional<TimeOfDay> minute) {
  const EngineState& state = ctx_.state;
  const auto now = [&] { return minute ? *minute : TimeOfDay::at(ctx_.host.clock.now()); };
  guarded([&] {
    const std::string caption = ctx_.view.form().caption();
    if (chosen(Rule::AlwaysAt) && now() == state.AlwaysAtTime) {
      scheduledRun(Rule::AlwaysAt, caption);
      minute.reset();
    }
    // Counted from the end of the last run, which the rule above may just have moved.
    if (chosen(Rule::Each) && now() == state.EachInterval + state.LastRunTime) {
      scheduledRun(Rule::Each, caption);
    }
  });
}

void ScheduleCheck::StartDeferredRun() {
  if (!deferred_ || ctx_.state.RunInProgress) return;
  const Rule rule = *std::exchange(deferred_, std::nullopt);
  // The user may have chosen another rule, or none, meanwhile.
  if (!chosen(rule)) return;
  guarded([&] { scheduledRun(rule, ctx_.view.form().caption()); });
}

void ScheduleCheck::scheduledRun(Rule rule, const std::string& keptCaption) {
  // A check made while a run yields to the event loop holds the rule over until that run
  // has ended; refusing it would stall the interval rule until the same minute tomorrow.
  if (ctx_.state.RunInProgress) {
    deferred_ = rule;
    return;
  }
  runtime::Window& form = ctx_.view.form();
  refreshSourceList_();
  form.setCaption(ctx_.lang.text(Text::BackupTitle));
  form.refresh();
  runBackup_();
  ctx_.state.LastRunTime = TimeOfDay::at(ctx_.host.clock.now());
  form.setCaption(keptCaption);
  form.refresh();
}

}  // namespace ferrowick::engine
