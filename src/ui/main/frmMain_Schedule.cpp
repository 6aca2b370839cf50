// The schedule page: backup now or save the schedule, the every-day choice against the
// weekday boxes, and the day gate.
#include <exception>
#include <new>

#include "engine/Validation.h"
#include "runtime/Host.h"
#include "runtime/RuntimeError.h"
#include "ui/main/frmMain.h"

namespace ferrowick::ui {

void frmMain::wireSchedule() {
  cmdBakNow_.onClick = [this] { cmdBakNow_Click(); };
  for (int day = 1; day <= 7; ++day) {
    chkDays_[static_cast<std::size_t>(day - 1)].onClick = [this, day] { chkDays_Click(day); };
  }
  optDaily_.onClick = [this] { optDaily_Click(); };
  tmrDayGate_.onTimer = [this] { tmrDayGate_Timer(); };
}

// Only now: the run starts at once, nothing validated or saved. A time rule: the
// settings are checked and saved, and the day gate starts the runs. Whatever escapes
// the copy run, the check or the save ends here in a box, and the program goes on.
void frmMain::cmdBakNow_Click() {
  try {
    if (Option3_.value()) {
      engine_.destination.ComposeForRun();
      engine_.copyRun.RunBackup();
    } else if (engine_.validation.CheckSettings() == engine::Check::MaySave) {
      engine_.settings.SaveSettings();
    }
  } catch (const runtime::RuntimeError& error) {
    criticalBox(error.number(), error.description());
  } catch (const std::bad_alloc&) {
    criticalBox(7, "Out of memory");
  } catch (const std::exception& error) {
    criticalBox(runtime::Err::InvalidProcedureCall, error.what());
  }
}

void frmMain::chkDays_Click(int /*index*/) { optDaily_.setValue(false); }

void frmMain::optDaily_Click() {
  for (int day = 1; day <= 7; ++day) chkDays(day).setValue(runtime::CheckState::Unchecked);
  optDaily_.setValue(true);
}

void frmMain::CheckScheduleDay() {
  engine_.scheduleDay.CheckScheduleDay(context_.host.clock.now());
}

void frmMain::tmrDayGate_Timer() { engine_.scheduleDay.Tick(); }

}  // namespace ferrowick::ui
