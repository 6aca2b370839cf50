#include <optional>
#include <utility>

#include "engine/CopyRun.h"
#include "engine/CopyRunState.h"
#include "engine/CopyRunSteps.h"
#include "engine/EngineContext.h"
#include "engine/MainWindowView.h"
#include "runtime/App.h"
#include "runtime/Host.h"
#include "runtime/RuntimeError.h"
#include "runtime/fs/DestinationTree.h"
#include "runtime/fs/FileSystem.h"
#include "services/modLanguage.h"

// The copy run's one error handler: every error of a step arrives here, is logged, is
// decided on, and the phase of the failed step says where the run goes next.

namespace ferrowick::engine {

namespace Err = runtime::Err;
using runtime::MsgButtons;
using runtime::MsgIcon;
using runtime::RuntimeError;
using services::Text;

namespace {
constexpr runtime::MsgStyle kYesNoCritical = MsgButtons::YesNo | MsgIcon::Critical;
constexpr runtime::MsgStyle kYesNoExclamation = MsgButtons::YesNo | MsgIcon::Exclamation;

// Where the run goes after an error, by the phase of the step that failed.
CopyStep whereNext(CopyStep step, AfterError after) {
  switch (phaseOf(step)) {
    case CopyPhase::Prepare:
      // The destination's root alone may be tried again; without it there is nothing to
      // copy into, so nothing goes on.
      if (step == CopyStep::MakeDestinationRoot) {
        return after == AfterError::Retry ? step : CopyStep::LogSummary;
      }
      return after == AfterError::GoOn ? following(step) : CopyStep::LogSummary;
    case CopyPhase::Collect:
      // Going on from a source item is the next item.
      if (after != AfterError::GoOn) return CopyStep::LogSummary;
      return step == CopyStep::CollectSourceItem ? step : following(step);
    case CopyPhase::WalkList:
      return after == AfterError::GoOn ? following(step) : CopyStep::LogSummary;
    case CopyPhase::CopyOne:
      if (after == AfterError::Retry) return CopyStep::StartFile;
      if (after == AfterError::Finish) return CopyStep::LogSummary;
      // A file whose attributes could not be read or whose copy failed is not logged,
      // counted or changed.
      if (step == CopyStep::StartFile || step == CopyStep::CopyFile) {
        return CopyStep::ShowFileStatus;
      }
      return following(step);
    case CopyPhase::Finish:
      // While finishing, the run goes on finishing.
      return following(step);
  }
  return CopyStep::LogSummary;
}
}  // namespace

// A box may stay open for long, and the program may end meanwhile: the archive records of
// the copies made so far are committed first.
void CopyRun::commitArchiveRecords() {
  try {
    ctx_.fs.commitArchiveBatch();
  } catch (const RuntimeError&) {
    // Dropped records only mean another copy of those files next time.
  }
}

runtime::MsgAnswer CopyRun::message(const std::string& text, runtime::MsgStyle style) {
  commitArchiveRecords();
  return ctx_.host.messages.show(text, style, ctx_.app.title());
}

CopyStep CopyRun::recover(CopyStep step, Run& run, const RuntimeError& error) {
  // Whatever went wrong may have taken the folder with it.
  madeFolder_.clear();
  madeEmpty_.clear();
  run.source.release();
  run.destination.release();
  if (std::exchange(run.logFailed, false)) return logFailed(step, run, error);
  if (step == CopyStep::CollectSourceItem) return sourceItemFailed(step, run, error);
  try {
    logError(step, run, error);
  } catch (const RuntimeError& inner) {
    run.logFailed = false;
    return logFailed(step, run, inner);
  }
  return whereNext(step, decide(step, run, error));
}

// The entry goes on the failed file's own line when that is open; otherwise it stands on
// a line of its own that names the file.
void CopyRun::logError(CopyStep step, Run& run, const RuntimeError& error) {
  const std::string entry = errorEntry(error);
  if (phaseOf(step) == CopyPhase::CopyOne && !run.sourcePath.empty() && !run.log.lineOpen()) {
    writeLine(run, entry + ": " + logName(run.sourcePath));
  } else {
    write(run, entry);
  }
}

// A name the file system rejects, or a source gone, is named and passed over; a failure of
// the disk or of access is asked about.
AfterError CopyRun::decide(CopyStep step, Run& run, const RuntimeError& error) {
  const services::modLanguage& lang = ctx_.lang;
  const std::string text = errorText(run);
  switch (error.number()) {
    case Err::InvalidProcedureCall:
      return AfterError::GoOn;
    case Err::BadFileNameOrNumber:
      message(lang.text(Text::InvalidFileName) + "\n\n" + run.subject, MsgIcon::Exclamation);
      return AfterError::GoOn;
    case Err::FileNotFound:
      message(lang.text(Text::FileNotFound) + "\n\n" + run.subject, MsgIcon::Exclamation);
      return AfterError::GoOn;
    case Err::DeviceIOError:
      return ask(lang.text(Text::DeviceIoError) + text, kYesNoCritical);
    case Err::DiskFull:
      return ask(lang.text(Text::DiskFull) + text, kYesNoExclamation);
    case Err::PermissionDenied:
      return ask(lang.text(Text::PermissionDenied) + text, kYesNoCritical);
    case Err::DiskNotReady:
      return ask(lang.text(Text::DiskNotReady) + text, kYesNoCritical);
    case Err::PathNotFound:
      return ask(lang.text(Text::PathNotFound) + text, kYesNoCritical);
    case Err::PathFileAccessError:
      // A read-only target is made writable and the file tried once more; anything else,
      // or the same error again, is asked about.
      if (step == CopyStep::CopyFile && !run.restartedForReadOnly) {
        if (const auto after = retryReadOnly(run)) return *after;
      }
      break;
    default:
      break;
  }
  return ask(std::to_string(error.number()) + ": " + error.description() + text, kYesNoCritical);
}

// Retry once the target is writable again; nothing when it was not read-only after all,
// to be asked about as any other error. A failure of the clear itself ends the run in order.
std::optional<AfterError> CopyRun::retryReadOnly(Run& run) {
  run.restartedForReadOnly = true;
  try {
    if (clearReadOnlyTarget(run)) return AfterError::Retry;
    return std::nullopt;
  } catch (const RuntimeError& inner) {
    message(std::to_string(inner.number()) + ": " + inner.description() + errorText(run),
            MsgIcon::Critical);
    return AfterError::Finish;
  }
}

// A source item that cannot be read costs that item only: it is named, its entry waits for
// the log, and the list goes on with the next item.
CopyStep CopyRun::sourceItemFailed(CopyStep step, Run& run, const RuntimeError& error) {
  run.earlyLog.push_back(errorEntry(error) + ": " + logName(run.subject));
  message(headingFor(error) + "\n\n" + run.subject, MsgIcon::Exclamation);
  return whereNext(step, AfterError::GoOn);
}

// A log that cannot be opened or written is named, not the file at hand; the run then
// finishes in order without it.
CopyStep CopyRun::logFailed(CopyStep step, Run& run, const RuntimeError& error) {
  try {
    run.log.close();
  } catch (const RuntimeError&) {
    // Closed all the same; what it could not write is what the box reports.
  }
  std::string path;
  try {
    path = LogPath();
  } catch (const RuntimeError&) {
    path = "dravonk.log";
  }
  message(headingFor(error) + "\n\n" + path, MsgIcon::Exclamation);
  return whereNext(step, AfterError::Finish);
}

// Yes tries again what failed; any other answer finishes the run.
AfterError CopyRun::ask(const std::string& text, runtime::MsgStyle style) {
  return message(text, style) == runtime::MsgAnswer::Yes ? AfterError::Retry : AfterError::Finish;
}

// The target's own entry in its folder, walked to without links, is looked at and changed,
// never what a link there leads to, and never the source itself.
bool CopyRun::clearReadOnlyTarget(Run& run) {
  if (!tree_.isOpen() ||
      tree_.walk(run.destFolder, false) == runtime::DestinationTree::Level::Failed) {
    return false;
  }
  return ctx_.fs.clearReadOnlyAt(tree_.folder(), run.fileName, run.destFolder + run.fileName,
                                 run.sourcePath);
}

}  // namespace ferrowick::engine
