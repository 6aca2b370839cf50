#include <string_view>
#include <utility>
#include <vector>

#include "engine/CopyRun.h"
#include "engine/CopyRunState.h"
#include "engine/CopyRunSteps.h"
#include "engine/EngineContext.h"
#include "engine/EngineState.h"
#include "engine/MainWindowView.h"
#include "engine/RunFileList.h"
#include "engine/SourceList.h"
#include "runtime/App.h"
#include "runtime/Host.h"
#include "runtime/RuntimeError.h"
#include "runtime/fs/FileSystem.h"
#include "services/modLanguage.h"
#include "services/modMakeDirs.h"

// The copy run's steps, one function for each phase of the run.

namespace ferrowick::engine {

using runtime::RuntimeError;
using runtime::Err::PathNotFound;
using services::Text;

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

CopyStep CopyRun::perform(CopyStep step, Run& run) {
  switch (phaseOf(step)) {
    case CopyPhase::Prepare:
      return prepare(step, run);
    case CopyPhase::Collect:
      return collect(step, run);
    case CopyPhase::WalkList:
      return walkList(step, run);
    case CopyPhase::CopyOne:
      return copyOne(step, run);
    case CopyPhase::Finish:
      return finish(step, run);
  }
  return CopyStep::Done;
}

CopyStep CopyRun::prepare(CopyStep step, Run& run) {
  MainWindowView& view = ctx_.view;
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
      view.form().setCaption(ctx_.lang.text(Text::PreparingFileList));
      break;
    case CopyStep::TakeDestination:
      if (!destinationUsable()) return CopyStep::LogSummary;
      break;
    case CopyStep::MakeDestinationRoot:
      makeDestinationRoot(run);
      break;
    case CopyStep::EndDestinationWithSeparator: {
      std::string& destination = ctx_.state.BackupDir;
      if (destination.empty() || destination.back() != '/') destination += '/';
      break;
    }
    default:
      break;
  }
  return following(step);
}

// Nothing is ever written relative to the current folder, and a "." or ".." level would
// lead out of the folder picked: a name the file system rejects. A refused destination
// ends the run with the caption every finished run leaves.
bool CopyRun::destinationUsable() {
  std::string& destination = ctx_.state.BackupDir;
  destination = ctx_.view.txtDest().text();
  std::string heading;
  runtime::MsgIcon icon = runtime::MsgIcon::Critical;
  if (destination.empty() || destination.front() != '/') {
    heading = ctx_.lang.text(Text::PathNotFound);
  } else if (hasDotLevel(destination)) {
    heading = ctx_.lang.text(Text::InvalidFileName);
    icon = runtime::MsgIcon::Exclamation;
  } else {
    return true;
  }
  message(heading + "\n\n" + destination, icon);
  ctx_.view.form().setCaption(ctx_.lang.text(Text::BackupTitle));
  return false;
}

void CopyRun::makeDestinationRoot(Run& run) {
  const std::string& destination = ctx_.state.BackupDir;
  // Named by the boxes of a root that cannot be made.
  run.subject = destination;
  run.destFolder = destination;
  // One level only: a missing parent is an error for the handler.
  if (!services::modMakeDirs::FolderExists(destination)) ctx_.fs.makeFolder(destination);
  tree_.open(destination);
  run.destFolder.clear();
}

CopyStep CopyRun::collect(CopyStep step, Run& run) {
  switch (step) {
    case CopyStep::StartCollecting:
      startCollecting(run);
      break;
    case CopyStep::CollectSourceItem:
      return collectSourceItem(run);
    default:
      break;
  }
  return following(step);
}

void CopyRun::startCollecting(Run& run) {
  runtime::ListBox& list = ctx_.view.lstSource();
  runtime::FileSystem& fs = ctx_.fs;
  run.itemCount = list.count();
  run.nextItem = 0;
  // The archive lookups of the listing read in the batch's transaction as well.
  std::vector<std::string> items;
  items.reserve(run.itemCount);
  for (std::size_t i = 0; i < run.itemCount; ++i) items.push_back(list.item(i));
  run.ownBackup.emplace(fs, ctx_.state.BackupDir, items);
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
}

// Repeats once for each source item, then goes on.
CopyStep CopyRun::collectSourceItem(Run& run) {
  runtime::ListBox& list = ctx_.view.lstSource();
  // A message box of the collection lets other handlers edit the list meanwhile.
  if (run.nextItem >= run.itemCount || run.nextItem >= list.count()) {
    return following(CopyStep::CollectSourceItem);
  }
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
    runFiles_.AddSourceFolderFiles(run.subject, incremental());
  } else {
    runFiles_.AddSourceFile(item);
  }
  return CopyStep::CollectSourceItem;
}

CopyStep CopyRun::walkList(CopyStep step, Run& run) {
  MainWindowView& view = ctx_.view;
  const RunFileListTable& entries = ctx_.state.SourceFiles;
  switch (step) {
    case CopyStep::ShowRunningCaption:
      run.subject = run.sourcePath;
      view.form().setCaption(ctx_.lang.text(Text::BackupTitle));
      break;
    case CopyStep::OpenLog:
      openLog(run);
      break;
    case CopyStep::ShowStatusHeadings:
      view.Label10().setCaption(ctx_.lang.text(Text::CopyingFiles));
      view.Label12().setCaption(ctx_.lang.text(Text::To));
      break;
    case CopyStep::CountEntries:
      // The last slot is the one being written, never a file.
      run.entryCount = entries.size() - 1;
      run.nextEntry = 0;
      // The listing began when the collection did: a file gone since then is reported.
      if (incremental()) ctx_.fs.beginArchiveBatch();
      break;
    case CopyStep::NextEntry:
      return nextEntry(run);
    case CopyStep::SkipEmptySlot:
      if (run.entryIndex + 1 >= entries.size() || entries.emptySlot(run.entryIndex)) {
        return CopyStep::NextEntry;
      }
      break;
    default:
      break;
  }
  return following(step);
}

CopyStep CopyRun::nextEntry(Run& run) {
  if (run.nextEntry >= run.entryCount) return CopyStep::LogSummary;
  run.entryIndex = run.nextEntry++;
  run.firstStart = true;
  run.restartedForReadOnly = false;
  ctx_.host.loop.yield();
  return following(CopyStep::NextEntry);
}

CopyStep CopyRun::copyOne(CopyStep step, Run& run) {
  switch (step) {
    case CopyStep::StartFile:
      startFile(run);
      break;
    case CopyStep::TakeFileName:
      run.fileName = GetFileName(run.sourcePath);
      if (run.fileName.empty()) return CopyStep::LogSummary;
      break;
    case CopyStep::FindDestinationFolder:
      return findDestinationFolder(run);
    case CopyStep::CopyFile:
      run.copied = copyFile(run);
      break;
    case CopyStep::LogFile:
      write(run, logName(run.sourcePath) + " >> " + logName(run.destFolder + run.fileName) +
                     ctx_.lang.text(Text::LogCopied));
      break;
    case CopyStep::ClearArchive:
      // Recorded as the copy read the file: a change during the copy leaves the archive set.
      if (incremental() && (run.attributes & runtime::Attr::Archive) != 0) {
        ctx_.fs.clearArchive(run.sourcePath, run.copied.source);
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
    case CopyStep::ShowFileStatus:
      showFileStatus(run);
      return CopyStep::NextEntry;
    default:
      break;
  }
  return following(step);
}

// A file's first start in incremental mode takes the attributes its folder's listing read,
// where it read them (a change since waits for the next run; a file gone since is reported
// as before); a file item's first start and every restart read them afresh. A full run
// copies whatever the attributes are, so it does not read them: a vanished file then fails
// once, at its copy.
void CopyRun::startFile(Run& run) {
  const RunFileListTable& entries = ctx_.state.SourceFiles;
  // A list that shrank meanwhile (settings loaded during a yield) has nothing more.
  const SourceFileEntry entry =
      run.entryIndex + 1 < entries.size() ? entries[run.entryIndex] : SourceFileEntry{};
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
    ctx_.fs.checkPresent(run.sourcePath, run.source);
    run.attributes = *entry.Attributes;
  } else {
    run.attributes = ctx_.fs.getAttributes(run.sourcePath, run.source);
  }
}

CopyStep CopyRun::findDestinationFolder(Run& run) {
  if (incremental() && run.attributes == 0) return CopyStep::ShowFileStatus;
  const std::string folder = sourceFolder(run);
  const auto made = MakeDestDir(folder);
  if (!made || made->empty()) {
    // No folder to copy into: a failed copy, never a copy below the current folder.
    run.destFolder = mirrorOf(folder);
    runtime::raise(PathNotFound);
  }
  takeDestDir(run, *made);
  return following(CopyStep::FindDestinationFolder);
}

// A file that was skipped or failed before its folder was made shows its own target.
void CopyRun::showFileStatus(Run& run) {
  MainWindowView& view = ctx_.view;
  std::string target = run.destFolder.empty() ? mirrorOf(sourceFolder(run)) : run.destFolder;
  target += run.fileName;
  view.Label11().setCaption(run.sourcePath);
  view.Label13().setCaption(target);
  view.Label14().setCaption(progressText(run));
}

CopyStep CopyRun::finish(CopyStep step, Run& run) {
  MainWindowView& view = ctx_.view;
  switch (step) {
    case CopyStep::LogSummary:
      logSummary(run);
      break;
    case CopyStep::CommitArchiveRecords:
      ctx_.fs.endArchiveBatch();
      break;
    case CopyStep::CloseLog:
      // What waits is written now: a failure is the log's own.
      run.logFailed = true;
      run.log.close();
      run.logFailed = false;
      break;
    case CopyStep::ShowEndLabel:
      view.Label10().setCaption(ctx_.lang.text(Text::Ready));
      break;
    case CopyStep::ClearStatusLabels:
      clearStatusLabels();
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
    default:
      break;
  }
  return following(step);
}

void CopyRun::logSummary(Run& run) {
  flushCopies(run);
  run.summary = summaryText(run);
  if (!run.sourcePath.empty()) {
    writeLine(run, "");
    writeLine(run, run.summary);
  }
}

void CopyRun::clearStatusLabels() {
  ctx_.view.Label11().setCaption("");
  ctx_.view.Label12().setCaption("");
  ctx_.view.Label13().setCaption("");
}

}  // namespace ferrowick::engine
