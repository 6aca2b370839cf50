#include "engine/CopyRun.h"

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

CopyRun::CopyRun(EngineContext& context, SourceList& sources, RunFileList& runFiles,
                 services::modMakeDirs& makeDirs)
    : ctx_(context), sources_(sources), runFiles_(runFiles), makeDirs_(makeDirs) {}

std::string CopyRun::GetFileName(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return path.substr(slash + 1);
}

std::string CopyRun::mirrorOf(const std::string& sourceFolder) const {
  const auto slash = sourceFolder.find('/');
  if (slash == std::string::npos) return {};
  return ctx_.state.BackupDir + sourceFolder.substr(slash + 1);
}

std::optional<std::string> CopyRun::MakeDestDir(const std::string& sourceFolder) {
  std::string folder = mirrorOf(sourceFolder);
  if (folder.empty() || folder == madeFolder_) return folder;
  if (!services::modMakeDirs::FolderExists(folder) && !makeDirs_.CreatePath(folder)) {
    return std::nullopt;
  }
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
  Step step = Step::Busy;
  while (step != Step::Done) {
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
  if (logging() && run.log.isOpen()) run.log.write(text);
}

void CopyRun::writeLine(Run& run, const std::string& text) {
  if (logging() && run.log.isOpen()) run.log.writeLine(text);
}

CopyRun::Step CopyRun::following(Step step) {
  return static_cast<Step>(static_cast<int>(step) + 1);
}

bool CopyRun::isFileStep(Step step) {
  return step >= Step::ReadAttributes && step <= Step::ShowStatus;
}

bool CopyRun::isFinishing(Step step) { return step >= Step::LogSummary; }

CopyRun::Step CopyRun::perform(Step step, Run& run) {
  MainWindowView& view = ctx_.view;
  EngineState& state = ctx_.state;
  const services::modLanguage& lang = ctx_.lang;
  runtime::FileSystem& fs = ctx_.fs;

  const auto entryPath = [&]() -> std::string {
    // A list that shrank meanwhile (settings loaded during a yield) has nothing more.
    if (run.entryIndex + 1 >= state.SourceFiles.size()) return {};
    return state.SourceFiles[run.entryIndex].Path;
  };

  switch (step) {
    case Step::Busy:
      ctx_.host.pointer.setBusy(true);
      break;
    case Step::Refresh:
      sources_.RefreshSourceList();
      break;
    case Step::ShowPage:
      view.xt1().setVisible(true);
      view.xt4().setVisible(false);
      break;
    case Step::StartTime:
      run.start = ctx_.host.clock.now();
      break;
    case Step::CaptionPreparing:
      view.form().setCaption(lang.text(179));
      break;
    case Step::TakeDestination:
      state.BackupDir = view.txtDest().text();
      break;
    case Step::MakeDestination:
      // One level only: a missing parent is an error for the handler.
      if (!services::modMakeDirs::FolderExists(state.BackupDir)) fs.makeFolder(state.BackupDir);
      break;
    case Step::AppendSeparator:
      if (state.BackupDir.empty() || state.BackupDir.back() != '/') state.BackupDir += '/';
      break;
    case Step::CollectStart:
      run.itemCount = view.lstSource().count();
      run.nextItem = 0;
      break;
    case Step::Collect: {
      runtime::ListBox& list = view.lstSource();
      // A message box of the collection lets other handlers edit the list meanwhile.
      if (run.nextItem >= run.itemCount || run.nextItem >= list.count()) break;
      const std::string item = list.item(run.nextItem++);
      run.subject = item;
      if (!item.empty() && item.back() == '*') {
        // A folder item less its "*.*".
        if (item.size() < 3) runtime::raise(runtime::Err::InvalidProcedureCall);
        runFiles_.AddSourceFolderFiles(item.substr(0, item.size() - 3));
      } else {
        runFiles_.AddSourceFile(item);
      }
      return Step::Collect;
    }
    case Step::CaptionRunning:
      run.subject = run.sourcePath;
      view.form().setCaption(lang.text(180));
      break;
    case Step::OpenLog:
      if (logging()) {
        run.log.open(LogPath());
        run.log.writeLine(lang.text(181) + " " + runtime::generalDateTime(ctx_.host.clock.now()));
        run.log.writeLine();
      }
      break;
    case Step::StatusLabels:
      view.Label10().setCaption(lang.text(182));
      view.Label12().setCaption(lang.text(183));
      break;
    case Step::EntryCount:
      run.entryCount = state.SourceFiles.empty() ? 0 : state.SourceFiles.size() - 1;
      run.nextEntry = 0;
      break;
    case Step::NextEntry:
      if (run.nextEntry >= run.entryCount) return Step::LogSummary;
      run.entryIndex = run.nextEntry++;
      run.restartedForReadOnly = false;
      ctx_.host.loop.yield();
      break;
    case Step::SkipEmpty:
      if (entryPath().empty()) return Step::NextEntry;
      break;
    case Step::ReadAttributes:
      // Every start and restart of a file in incremental mode reads its attributes
      // afresh. A full run copies whatever the attributes are, so it does not read them:
      // a vanished file then fails once, at its copy.
      run.sourcePath = entryPath();
      run.subject = run.sourcePath;
      run.fileName = GetFileName(run.sourcePath);
      run.destFolder.clear();
      run.attributes = incremental() ? fs.getAttributes(run.sourcePath) : 0;
      break;
    case Step::TakeFileName:
      run.fileName = GetFileName(run.sourcePath);
      if (run.fileName.empty()) return Step::LogSummary;
      break;
    case Step::DestinationFolder: {
      if (incremental() && run.attributes == 0) return Step::ShowStatus;
      const std::string folder =
          run.sourcePath.substr(0, run.sourcePath.size() - run.fileName.size());
      const auto made = MakeDestDir(folder);
      if (!made || made->empty()) {
        // No folder to copy into: a failed copy, never a copy below the current folder.
        run.destFolder = mirrorOf(folder);
        runtime::raise(PathNotFound);
      }
      run.destFolder = *made;
      break;
    }
    case Step::CopyFile:
      run.fileLength = fs.copyFile(run.sourcePath, run.destFolder + run.fileName);
      break;
    case Step::LogFile:
      write(run, run.sourcePath + " >> " + run.destFolder + run.fileName + lang.text(184));
      break;
    case Step::ClearArchive:
      // Below 32 the word goes negative and the setter refuses it with 5, passed over.
      if (incremental() && run.attributes != runtime::Attr::ReadOnly) {
        fs.setAttributes(run.sourcePath, static_cast<long>(run.attributes) - 32);
      }
      break;
    case Step::LogOk:
      writeLine(run, "[OK]");
      break;
    case Step::AddBytes:
      // The length the copy found, not another look at a file that may change meanwhile.
      run.copiedBytes += run.fileLength;
      break;
    case Step::CountFile:
      ++run.copiedFiles;
      break;
    case Step::ShowStatus: {
      // A file that was skipped or failed before its folder was made shows its own target.
      const std::string folder =
          run.sourcePath.substr(0, run.sourcePath.size() - run.fileName.size());
      const std::string target =
          (run.destFolder.empty() ? mirrorOf(folder) : run.destFolder) + run.fileName;
      view.Label11().setCaption(run.sourcePath);
      view.Label13().setCaption(target);
      view.Label14().setCaption(progressText(run));
      return Step::NextEntry;
    }
    case Step::LogSummary:
      run.summary = summaryText(run);
      if (!run.sourcePath.empty()) {
        writeLine(run, "");
        writeLine(run, run.summary);
      }
      break;
    case Step::CloseLog:
      run.log.close();
      break;
    case Step::EndLabel:
      view.Label10().setCaption(lang.text(190));
      break;
    case Step::ClearLabels:
      view.Label11().setCaption("");
      view.Label12().setCaption("");
      view.Label13().setCaption("");
      break;
    case Step::ShowSummary:
      if (run.summary.empty()) run.summary = summaryText(run);
      view.Label14().setCaption(run.summary);
      break;
    case Step::ResetFiles:
      runFiles_.Reset();
      break;
    case Step::Pointer:
      ctx_.host.pointer.setBusy(false);
      break;
    case Step::Done:
      return Step::Done;
  }
  return following(step);
}

}  // namespace ferrowick::engine
