#include "engine/CopyRun.h"

#include <utility>

#include "engine/CopyRunState.h"
#include "engine/CopyRunSteps.h"

#include "engine/EngineContext.h"
#include "engine/EngineState.h"
#include "engine/MainWindowView.h"
#include "runtime/App.h"
#include "runtime/Formats.h"
#include "runtime/Host.h"
#include "runtime/RuntimeError.h"
#include "runtime/fs/FileSystem.h"
#include "services/modLanguage.h"
#include "services/modMakeDirs.h"
#include "services/modPathUsers.h"

namespace ferrowick::engine {

using runtime::RuntimeError;
using runtime::Err::PathNotFound;
using services::Text;

CopyRun::CopyRun(EngineContext& context, SourceList& sources, RunFileList& runFiles,
                 services::modMakeDirs& makeDirs)
    : ctx_(context),
      sources_(sources),
      runFiles_(runFiles),
      makeDirs_(makeDirs),
      tree_(context.fs.faults()) {}

std::string CopyRun::GetFileName(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return path.substr(slash + 1);
}

std::string CopyRun::sourceFolder(const Run& run) {
  return run.sourcePath.substr(0, run.sourcePath.size() - run.fileName.size());
}

std::string CopyRun::mirrorOf(const std::string& sourceFolder) const {
  const auto slash = sourceFolder.find('/');
  if (slash == std::string::npos) return {};
  return ctx_.state.BackupDir + sourceFolder.substr(slash + 1);
}

// Every level below the destination is opened from its parent, never through a link; the
// levels the folder shares with the one before stay open, so a sibling costs one open.
std::optional<std::string> CopyRun::MakeDestDir(const std::string& sourceFolder) {
  using Level = runtime::DestinationTree::Level;
  std::string folder = mirrorOf(sourceFolder);
  if (folder.empty() || folder == madeFolder_) return folder;
  Level level = tree_.walk(folder);
  if (level == Level::Failed) {
    commitArchiveRecords();  // CreatePath may show a box
    if (!makeDirs_.CreatePath(folder)) return std::nullopt;
    level = Level::Found;
  }
  // What earlier copies into it left when their process was killed.
  if (level == Level::Found && tree_.isOpen()) ctx_.fs.removeStaleCopies(tree_.folder());
  madeEmpty_ = level == Level::Made ? folder : std::string();
  madeFolder_ = folder;
  return folder;
}

std::string CopyRun::LogPath() {
  const std::string folder = services::modPathUsers::AppDataFolder();
  // Never a log at the file-system root when the application-data folder is unavailable.
  if (folder.empty()) runtime::raise(PathNotFound);
  return folder + "/dravonk.log";
}

namespace {
// What a run holds while it lasts, given back however it ends.
struct InProgress {
  bool& flag;
  ~InProgress() { flag = false; }
};

// Nothing of the destination stays held, or walked through, once the run has ended.
struct TreeHeld {
  runtime::DestinationTree& tree;
  services::modMakeDirs& makeDirs;
  TreeHeld(runtime::DestinationTree& held, services::modMakeDirs& walker)
      : tree(held), makeDirs(walker) {
    makeDirs.walkBelow(&tree);
  }
  TreeHeld(const TreeHeld&) = delete;
  TreeHeld& operator=(const TreeHeld&) = delete;
  ~TreeHeld() {
    makeDirs.walkBelow(nullptr);
    tree.close();
  }
};

// Only an error that escapes the handler leaves a batch of archive records open here.
struct ArchiveBatch {
  runtime::FileSystem& fs;
  ~ArchiveBatch() {
    try {
      fs.endArchiveBatch();
    } catch (const RuntimeError&) {
      // Records not written only mean another copy of those files next time.
    }
  }
};
}  // namespace

void CopyRun::RunBackup() {
  EngineState& state = ctx_.state;
  if (state.RunInProgress) return;
  state.RunInProgress = true;
  const InProgress inProgress{state.RunInProgress};

  Run run(ctx_.fs.faults());
  madeFolder_.clear();
  madeEmpty_.clear();
  const TreeHeld treeHeld(tree_, makeDirs_);
  const ArchiveBatch archiveBatch{ctx_.fs};
  CopyStep step = CopyStep::ShowBusyPointer;
  while (step != CopyStep::Done) {
    try {
      step = perform(step, run);
    } catch (const RuntimeError& error) {
      step = recover(step, run, error);
    }
  }
}

bool CopyRun::logging() const { return ctx_.view.chkLog().value() == runtime::CheckState::Checked; }

bool CopyRun::incremental() const {
  return ctx_.view.chkIncr().value() == runtime::CheckState::Checked;
}

// Only a log that this run opened is written: ticking the box during a run takes effect
// at the next run.
void CopyRun::write(Run& run, const std::string& text) {
  if (!logging() || !run.log.isOpen()) return;
  run.logFailed = true;
  run.log.write(text);
  run.logFailed = false;
}

void CopyRun::writeLine(Run& run, const std::string& text) {
  if (!logging() || !run.log.isOpen()) return;
  run.logFailed = true;
  run.log.writeLine(text);
  run.logFailed = false;
}

// Entries for source items that failed while the list was built follow the header.
void CopyRun::openLog(Run& run) {
  if (const auto setAside = ctx_.fs.takeArchiveSetAside()) {
    run.earlyLog.insert(run.earlyLog.begin(),
                        errorEntry(RuntimeError(runtime::Err::DeviceIOError)) + ": " +
                            logName(setAside->database) + " (" + setAside->reason +
                            "; set aside as " + GetFileName(setAside->database) + ".damaged)");
  }
  if (logging()) {
    run.logFailed = true;
    run.log.open(LogPath());
    run.log.writeLine(ctx_.lang.text(Text::LogStarted) + " " +
                      runtime::generalDateTime(ctx_.host.clock.now()));
    run.log.writeLine();
    for (const std::string& entry : run.earlyLog) run.log.writeLine(entry);
    run.logFailed = false;
  }
  run.earlyLog.clear();
}

// A folder this run made or found earlier may have been removed since: it is walked to,
// and made, again, once, for the file that finds it gone. The window stays responsive
// during one large file as well: another run is refused meanwhile, list edits leave this
// run's own list alone, and a close ends the process, with it the unnamed copy being
// written.
runtime::CopiedFile CopyRun::copyFile(Run& run) {
  const std::string target = run.destFolder + run.fileName;
  const runtime::FileSystem::ChunkDone yield = [this] { ctx_.host.loop.yield(); };
  try {
    return ctx_.fs.copyFile(run.sourcePath, target, run.source, run.destination, yield);
  } catch (const RuntimeError&) {
    if (!run.destination.removed()) throw;
    madeFolder_.clear();
    run.destination.release();
    tree_.forgetLevels();
    if (MakeDestDir(sourceFolder(run)) != run.destFolder) throw;
    takeDestDir(run, run.destFolder);
    return ctx_.fs.copyFile(run.sourcePath, target, run.source, run.destination, yield);
  }
}

// A folder MakeDestDir has just made holds nothing yet: its copies need not look for
// earlier targets.
void CopyRun::takeDestDir(Run& run, const std::string& folder) {
  run.destFolder = folder;
  const bool made = !madeEmpty_.empty() && madeEmpty_ == folder;
  madeEmpty_.clear();
  if (tree_.isOpen()) {
    tree_.handTo(run.destination, folder, made);
  } else if (made) {
    run.destination.madeJustNow(folder);
  }
}

// Flushed before the summary, so that a finished run is on the disk. A failure is reported
// as a copy's is, naming the destination.
bool CopyRun::flushCopies(Run& run) {
  try {
    ctx_.fs.flushCopies();
    return true;
  } catch (const RuntimeError& error) {
    // The box names the destination, not the file copied last.
    std::string sourcePath = std::exchange(run.sourcePath, std::string());
    run.destFolder = ctx_.state.BackupDir;
    run.fileName.clear();
    recover(CopyStep::LogSummary, run, error);
    run.sourcePath = std::move(sourcePath);
    return false;
  }
}

}  // namespace ferrowick::engine
