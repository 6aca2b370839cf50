#include "engine/CopyRun.h"

#include <utility>

#include "engine/CopyRunSteps.h"
#include "engine/CopyRunValues.h"

#include "engine/EngineContext.h"
#include "engine/EngineState.h"
#include "engine/MainWindowView.h"
#include "engine/RunFileList.h"
#include "engine/SourceList.h"
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

namespace {
bool hasDotLevel(const std::string& path) {
  for (std::size_t at = 0; at <= path.size();) {
    auto end = path.find('/', at);
    if (end == std::string::npos) end = path.size();
    const std::string_view level(path.data() + at, end - at);
    if (level == "." || level == "..") return true;
    at = end + 1;
  }
  return false;
}
}  // namespace

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

void CopyRun::RunBackup() {
  EngineState& state = ctx_.state;
  if (state.RunInProgress) return;
  state.RunInProgress = true;
  struct InProgress {
    bool& flag;
    ~InProgress() { flag = false; }
  } inProgress{state.RunInProgress};

  Run run(ctx_.fs.faults());
  madeFolder_.clear();
  madeEmpty_.clear();
  // Nothing of the destination stays held, or walked through, once the run has ended.
  struct TreeHeld {
    runtime::DestinationTree& tree;
    services::modMakeDirs& makeDirs;
    ~TreeHeld() {
      makeDirs.walkBelow(nullptr);
      tree.close();
    }
  } treeHeld{tree_, makeDirs_};
  makeDirs_.walkBelow(&tree_);
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
  } archiveBatch{ctx_.fs};
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

CopyStep CopyRun::following(CopyStep step) {
  const std::size_t next = positionInRun(step) + 1;
  return next < kCopyRunOrder.size() ? kCopyRunOrder[next] : CopyStep::Done;
}

bool CopyRun::isFileStep(CopyStep step) {
  const std::size_t position = positionInRun(step);
  return position >= positionInRun(CopyStep::StartFile) &&
         position <= positionInRun(CopyStep::ShowFileStatus);
}

bool CopyRun::isFinishing(CopyStep step) {
  return positionInRun(step) >= positionInRun(CopyStep::LogSummary);
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
    const std::string folder =
        run.sourcePath.substr(0, run.sourcePath.size() - run.fileName.size());
    if (MakeDestDir(folder) != run.destFolder) throw;
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

CopyStep CopyRun::perform(CopyStep step, Run& run) {
  MainWindowView& view = ctx_.view;
  EngineState& state = ctx_.state;
  const services::modLanguage& lang = ctx_.lang;
  runtime::FileSystem& fs = ctx_.fs;

  const auto entryAt = [&]() -> SourceFileEntry {
    // A list that shrank meanwhile (settings loaded during a yield) has nothing more.
    if (run.entryIndex + 1 >= state.SourceFiles.size()) return {};
    return state.SourceFiles[run.entryIndex];
  };

  switch (step) {
    case CopyStep::ShowBusyPointer:
      ctx_.host.pointer.setBusy(true);
      // Taken again below; a run that ends before then still shows its own times.
      run.start = ctx_.host.clock.now();
      break;
    case CopyStep::ExpandSourceFolders:
      sources_.RefreshSourceList();
      break;
    case CopyStep::ShowInformationPage:
      view.xt1().setVisible(true);
      view.xt4().setVisible(false);
      break;
    case CopyStep::NoteStartTime:
      run.start = ctx_.host.clock.now();
      break;
    case CopyStep::ShowPreparingCaption:
      view.form().setCaption(lang.text(Text::PreparingFileList));
      break;
    case CopyStep::TakeDestination:
      state.BackupDir = view.txtDest().text();
      // Nothing is ever written relative to the current folder.
      if (state.BackupDir.empty() || state.BackupDir.front() != '/') {
        message(lang.text(Text::PathNotFound) + "\n\n" + state.BackupDir,
                runtime::MsgStyle::Critical);
        // Ends with the caption every finished run leaves.
        view.form().setCaption(lang.text(Text::BackupTitle));
        return CopyStep::LogSummary;
      }
      // A "." or ".." level would lead out of the folder picked: a name the file system
      // rejects.
      if (hasDotLevel(state.BackupDir)) {
        message(lang.text(Text::InvalidFileName) + "\n\n" + state.BackupDir,
                runtime::MsgStyle::Exclamation);
        view.form().setCaption(lang.text(Text::BackupTitle));
        return CopyStep::LogSummary;
      }
      break;
    case CopyStep::MakeDestinationRoot:
      // Named by the boxes of a root that cannot be made.
      run.subject = state.BackupDir;
      run.destFolder = state.BackupDir;
      // One level only: a missing parent is an error for the handler.
      if (!services::modMakeDirs::FolderExists(state.BackupDir)) fs.makeFolder(state.BackupDir);
      tree_.open(state.BackupDir);
      run.destFolder.clear();
      break;
    case CopyStep::EndDestinationWithSeparator:
      if (state.BackupDir.empty() || state.BackupDir.back() != '/') state.BackupDir += '/';
      break;
    case CopyStep::StartCollecting:
      run.itemCount = view.lstSource().count();
      run.nextItem = 0;
      // The archive lookups of the listing read in the batch's transaction as well.
      {
        std::vector<std::string> items;
        items.reserve(run.itemCount);
        for (std::size_t i = 0; i < run.itemCount; ++i) items.push_back(view.lstSource().item(i));
        run.ownBackup.emplace(fs, state.BackupDir, items);
      }
      if (incremental()) {
        // A damaged archive database is set aside now, before the first file asks it.
        try {
          fs.openArchive();
        } catch (const RuntimeError&) {
          // Reported by each file that needs it, as any other failure of the store.
        }
        fs.beginArchiveBatch();
      }
      fs.noteListingStart();
      break;
    case CopyStep::CollectSourceItem: {
      runtime::ListBox& list = view.lstSource();
      // A message box of the collection lets other handlers edit the list meanwhile.
      if (run.nextItem >= run.itemCount || run.nextItem >= list.count()) break;
      const std::string item = list.item(run.nextItem++);
      const bool folderItem = !item.empty() && item.back() == '*';
      run.subject = item;
      if (folderItem) {
        // A folder item less its "*.*".
        if (item.size() < 3) runtime::raise(runtime::Err::InvalidProcedureCall);
        run.subject.resize(item.size() - 3);
      }
      // A path that is not absolute would name another source wherever the program starts:
      // it names none.
      if (run.subject.empty() || run.subject.front() != '/') {
        runtime::raise(folderItem ? PathNotFound : runtime::Err::FileNotFound);
      }
      if (run.ownBackup && run.ownBackup->holds(run.subject)) return CopyStep::CollectSourceItem;
      if (folderItem) {
        runFiles_.CollectFolderFiles(run.subject, incremental());
      } else {
        runFiles_.AddSourceFile(item);
      }
      return CopyStep::CollectSourceItem;
    }
    case CopyStep::ShowRunningCaption:
      run.subject = run.sourcePath;
      view.form().setCaption(lang.text(Text::BackupTitle));
      break;
    case CopyStep::OpenLog:
      openLog(run);
      break;
    case CopyStep::ShowStatusHeadings:
      view.Label10().setCaption(lang.text(Text::CopyingFiles));
      view.Label12().setCaption(lang.text(Text::To));
      break;
    case CopyStep::CountEntries:
      run.entryCount = state.SourceFiles.empty() ? 0 : state.SourceFiles.size() - 1;
      run.nextEntry = 0;
      if (incremental()) fs.beginArchiveBatch();
      fs.noteListingStart();
      break;
    case CopyStep::NextEntry:
      if (run.nextEntry >= run.entryCount) return CopyStep::LogSummary;
      run.entryIndex = run.nextEntry++;
      run.firstStart = true;
      run.restartedForReadOnly = false;
      ctx_.host.loop.yield();
      break;
    case CopyStep::SkipEmptySlot:
      if (run.entryIndex + 1 >= state.SourceFiles.size() ||
          state.SourceFiles.emptySlot(run.entryIndex)) {
        return CopyStep::NextEntry;
      }
      break;
    case CopyStep::StartFile: {
      // A file's first start in incremental mode takes the attributes its folder's listing
      // read, where it read them (a change since waits for the next run; a file gone since
      // is reported as before); a file item's first start and every restart read them
      // afresh. A full run copies whatever the attributes are, so it does not read them:
      // a vanished file then fails once, at its copy.
      const SourceFileEntry entry = entryAt();
      const bool firstStart = std::exchange(run.firstStart, false);
      run.sourcePath = entry.Path;
      run.subject = run.sourcePath;
      run.fileName = GetFileName(run.sourcePath);
      run.destFolder.clear();
      run.copied = {};
      if (!incremental()) {
        run.attributes = 0;
      } else if (firstStart && entry.Attributes) {
        // A file gone since the listing is still reported at its turn.
        fs.checkPresent(run.sourcePath, run.source);
        run.attributes = *entry.Attributes;
      } else {
        run.attributes = fs.getAttributes(run.sourcePath, run.source);
      }
      break;
    }
    case CopyStep::TakeFileName:
      run.fileName = GetFileName(run.sourcePath);
      if (run.fileName.empty()) return CopyStep::LogSummary;
      break;
    case CopyStep::FindDestinationFolder: {
      if (incremental() && run.attributes == 0) return CopyStep::ShowFileStatus;
      const std::string folder =
          run.sourcePath.substr(0, run.sourcePath.size() - run.fileName.size());
      const auto made = MakeDestDir(folder);
      if (!made || made->empty()) {
        // No folder to copy into: a failed copy, never a copy below the current folder.
        run.destFolder = mirrorOf(folder);
        runtime::raise(PathNotFound);
      }
      takeDestDir(run, *made);
      break;
    }
    case CopyStep::CopyFile:
      run.copied = copyFile(run);
      break;
    case CopyStep::LogFile:
      write(run, logName(run.sourcePath) + " >> " + logName(run.destFolder + run.fileName) +
                     lang.text(Text::LogCopied));
      break;
    case CopyStep::ClearArchive:
      // Recorded as the copy read the file: a change during the copy leaves the archive set.
      if (incremental() && (run.attributes & runtime::Attr::Archive) != 0) {
        fs.clearArchive(run.sourcePath, run.copied.source);
      }
      break;
    case CopyStep::LogOk:
      writeLine(run, "[OK]");
      break;
    case CopyStep::AddBytes:
      // The length the copy found, not another look at a file that may change meanwhile.
      run.copiedBytes += run.copied.bytes;
      break;
    case CopyStep::CountFile:
      ++run.copiedFiles;
      break;
    case CopyStep::ShowFileStatus: {
      // A file that was skipped or failed before its folder was made shows its own target.
      std::string target =
          run.destFolder.empty()
              ? mirrorOf(run.sourcePath.substr(0, run.sourcePath.size() - run.fileName.size()))
              : run.destFolder;
      target += run.fileName;
      view.Label11().setCaption(run.sourcePath);
      view.Label13().setCaption(target);
      view.Label14().setCaption(progressText(run));
      return CopyStep::NextEntry;
    }
    case CopyStep::LogSummary:
      flushCopies(run);
      run.summary = summaryText(run);
      if (!run.sourcePath.empty()) {
        writeLine(run, "");
        writeLine(run, run.summary);
      }
      break;
    case CopyStep::CommitArchiveRecords:
      fs.endArchiveBatch();
      break;
    case CopyStep::CloseLog:
      // What waits is written now: a failure is the log's own.
      run.logFailed = true;
      run.log.close();
      run.logFailed = false;
      break;
    case CopyStep::ShowEndLabel:
      view.Label10().setCaption(lang.text(Text::Ready));
      break;
    case CopyStep::ClearStatusLabels:
      view.Label11().setCaption("");
      view.Label12().setCaption("");
      view.Label13().setCaption("");
      break;
    case CopyStep::ShowSummary:
      if (run.summary.empty()) run.summary = summaryText(run);
      view.Label14().setCaption(run.summary);
      break;
    case CopyStep::EmptyRunFileList:
      runFiles_.Reset();
      break;
    case CopyStep::RestorePointer:
      ctx_.host.pointer.setBusy(false);
      break;
    case CopyStep::Done:
      return CopyStep::Done;
  }
  return following(step);
}

}  // namespace ferrowick::engine
