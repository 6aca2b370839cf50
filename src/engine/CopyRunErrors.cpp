#include <utility>

#include "engine/CopyRun.h"
#include "engine/CopyRunSteps.h"
#include "engine/CopyRunValues.h"
#include "engine/EngineContext.h"
#include "engine/MainWindowView.h"
#include "runtime/App.h"
#include "runtime/Host.h"
#include "runtime/RuntimeError.h"
#include "runtime/fs/DestinationTree.h"
#include "runtime/fs/FileSystem.h"
#include "services/modLanguage.h"

// The copy run's one error handler: every error of a step arrives here, is logged, and
// decides where the run goes on.

namespace ferrowick::engine {

namespace Err = runtime::Err;
namespace MsgStyle = runtime::MsgStyle;
using runtime::RuntimeError;
using services::Text;

namespace {
constexpr int kYesNoCritical = MsgStyle::YesNo | MsgStyle::Critical;
constexpr int kYesNoExclamation = MsgStyle::YesNo | MsgStyle::Exclamation;
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

int CopyRun::message(const std::string& text, int style) {
  commitArchiveRecords();
  return ctx_.host.messages.show(text, style, ctx_.app.title());
}

CopyStep CopyRun::recover(CopyStep step, Run& run, const RuntimeError& error) {
  const services::modLanguage& lang = ctx_.lang;
  const std::string text = errorText(run);
  const int number = error.number();
  // Whatever went wrong may have taken the folder with it.
  madeFolder_.clear();
  madeEmpty_.clear();
  run.source.release();
  run.destination.release();
  if (std::exchange(run.logFailed, false)) return logFailed(step, run, error);
  if (step == CopyStep::CollectSourceItem) return sourceItemFailed(run, error);

  // The handler itself failing (the log entry, the read-only clear) ends the run in order.
  const auto handlerFailed = [&](const RuntimeError& inner) {
    message(std::to_string(inner.number()) + ": " + inner.description() + errorText(run),
            MsgStyle::Critical);
    return isFinishing(step) ? following(step) : CopyStep::LogSummary;
  };
  // Passed over: the step after the failing one, except that a file whose attributes
  // could not be read or whose copy failed is not logged, counted or changed.
  const auto goOn = [&] {
    // Without its destination folder the run has nothing to copy into.
    if (step == CopyStep::MakeDestinationRoot) return CopyStep::LogSummary;
    if (step == CopyStep::CollectSourceItem) return CopyStep::CollectSourceItem;
    if (step == CopyStep::StartFile || step == CopyStep::CopyFile) return CopyStep::ShowFileStatus;
    return following(step);
  };

  try {
    // The entry goes on the failed file's own line when that is open; otherwise it stands
    // on a line of its own that names the file.
    const std::string entry = errorEntry(error);
    if (isFileStep(step) && !run.sourcePath.empty() && !run.log.lineOpen()) {
      writeLine(run, entry + ": " + logName(run.sourcePath));
    } else {
      write(run, entry);
    }
  } catch (const RuntimeError& inner) {
    run.logFailed = false;
    return logFailed(step, run, inner);
  }

  switch (number) {
    case Err::InvalidProcedureCall:
      return goOn();
    case Err::BadFileNameOrNumber:
      message(lang.text(Text::InvalidFileName) + "\n\n" + run.subject, MsgStyle::Exclamation);
      return goOn();
    case Err::FileNotFound:
      message(lang.text(Text::FileNotFound) + "\n\n" + run.subject, MsgStyle::Exclamation);
      return goOn();
    case Err::DeviceIOError:
      return ask(step, lang.text(Text::DeviceIoError) + text, kYesNoCritical);
    case Err::DiskFull:
      return ask(step, lang.text(Text::DiskFull) + text, kYesNoExclamation);
    case Err::PermissionDenied:
      return ask(step, lang.text(Text::PermissionDenied) + text, kYesNoCritical);
    case Err::DiskNotReady:
      return ask(step, lang.text(Text::DiskNotReady) + text, kYesNoCritical);
    case Err::PathNotFound:
      return ask(step, lang.text(Text::PathNotFound) + text, kYesNoCritical);
    case Err::PathFileAccessError:
      // A read-only target is made writable and the file tried once more; anything else,
      // or the same error again, is asked about.
      if (step == CopyStep::CopyFile && !run.restartedForReadOnly) {
        run.restartedForReadOnly = true;
        try {
          if (clearReadOnlyTarget(run)) return CopyStep::StartFile;
        } catch (const RuntimeError& inner) {
          return handlerFailed(inner);
        }
      }
      break;
    default:
      break;
  }
  return ask(step, std::to_string(number) + ": " + error.description() + text, kYesNoCritical);
}

// A source item that cannot be read costs that item only: it is named, its entry waits for
// the log, and the list goes on with the next item.
CopyStep CopyRun::sourceItemFailed(Run& run, const RuntimeError& error) {
  run.earlyLog.push_back(errorEntry(error) + ": " + logName(run.subject));
  message(headingFor(error) + "\n\n" + run.subject, MsgStyle::Exclamation);
  return CopyStep::CollectSourceItem;
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
  message(headingFor(error) + "\n\n" + path, MsgStyle::Exclamation);
  return isFinishing(step) ? following(step) : CopyStep::LogSummary;
}

// Yes tries the current file again; any other answer, and any answer outside the file
// steps, finishes the run. While finishing, the run goes on finishing.
CopyStep CopyRun::ask(CopyStep step, const std::string& text, int style) {
  const int answer = message(text, style);
  if (isFinishing(step)) return following(step);
  if (answer == runtime::MsgAnswer::Yes && isFileStep(step)) return CopyStep::StartFile;
  if (answer == runtime::MsgAnswer::Yes && step == CopyStep::MakeDestinationRoot) return step;
  return CopyStep::LogSummary;
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
