#pragma once

#include <optional>
#include <string>

#include "runtime/fs/DestinationTree.h"

namespace ferrowick::runtime {
class RuntimeError;
struct CopiedFile;
struct MsgStyle;
enum class MsgAnswer;
}  // namespace ferrowick::runtime

namespace ferrowick::services {
class modMakeDirs;
}

namespace ferrowick::engine {

struct EngineContext;
enum class CopyStep;    // CopyRunSteps.h
enum class AfterError;  // CopyRunSteps.h
class SourceList;
class RunFileList;

// The copy run: the source list becomes the run file list, every listed file is copied
// into `BackupDir` below a folder that mirrors its source folder, progress shows in the
// main window's status labels, the log records each file, and copy errors are asked about.
class CopyRun {
 public:
  CopyRun(EngineContext& context, SourceList& sources, RunFileList& runFiles,
          services::modMakeDirs& makeDirs);

  // Returns at once while another run is in progress.
  void RunBackup();

  // The text after the last "/"; empty when there is none or the path ends in one.
  static std::string GetFileName(const std::string& path);

  // `BackupDir` followed by everything after the first "/" of the folder, created when
  // missing. Nothing when it cannot be created (CreatePath has shown why); the empty
  // string when the folder holds no "/".
  std::optional<std::string> MakeDestDir(const std::string& sourceFolder);

  // The log's place: dravonk.log in the program's application-data folder.
  static std::string LogPath();

 private:
  struct Run;  // CopyRunState.h

  // One step; returns the next. Each phase of the run has its own.
  CopyStep perform(CopyStep step, Run& run);
  CopyStep prepare(CopyStep step, Run& run);
  CopyStep collect(CopyStep step, Run& run);
  CopyStep walkList(CopyStep step, Run& run);
  CopyStep copyOne(CopyStep step, Run& run);
  CopyStep finish(CopyStep step, Run& run);

  bool destinationUsable();
  void makeDestinationRoot(Run& run);
  void startCollecting(Run& run);
  CopyStep collectSourceItem(Run& run);
  CopyStep nextEntry(Run& run);
  void startFile(Run& run);
  CopyStep findDestinationFolder(Run& run);
  void showFileStatus(Run& run);
  void logSummary(Run& run);
  void clearStatusLabels();

  // The error handler: logs the error, decides, and says where the run goes next.
  CopyStep recover(CopyStep step, Run& run, const runtime::RuntimeError& error);
  void logError(CopyStep step, Run& run, const runtime::RuntimeError& error);
  AfterError decide(CopyStep step, Run& run, const runtime::RuntimeError& error);
  AfterError ask(const std::string& text, runtime::MsgStyle style);
  std::optional<AfterError> retryReadOnly(Run& run);
  CopyStep sourceItemFailed(CopyStep step, Run& run, const runtime::RuntimeError& error);
  CopyStep logFailed(CopyStep step, Run& run, const runtime::RuntimeError& error);
  std::string headingFor(const runtime::RuntimeError& error) const;
  bool clearReadOnlyTarget(Run& run);
  bool flushCopies(Run& run);
  runtime::CopiedFile copyFile(Run& run);
  void takeDestDir(Run& run, const std::string& folder);

  bool logging() const;
  void openLog(Run& run);
  bool incremental() const;
  void write(Run& run, const std::string& text);
  void writeLine(Run& run, const std::string& text);
  runtime::MsgAnswer message(const std::string& text, runtime::MsgStyle style);
  void commitArchiveRecords();

  std::string mirrorOf(const std::string& sourceFolder) const;
  // The current file's source folder: its path less its name.
  static std::string sourceFolder(const Run& run);
  // A path as the log shows it: a line break inside a name cannot start a line of its own.
  static std::string logName(std::string path);
  static std::string errorEntry(const runtime::RuntimeError& error);
  std::string errorText(const Run& run) const;
  std::string progressText(Run& run) const;
  std::string summaryText(const Run& run);

  EngineContext& ctx_;
  SourceList& sources_;
  RunFileList& runFiles_;
  services::modMakeDirs& makeDirs_;
  // The run's destination, walked without following links below the folder picked.
  runtime::DestinationTree tree_;
  // The destination folder this run last found or made; files of one folder come
  // together, so each folder is looked at once.
  std::string madeFolder_;
  // The folder MakeDestDir made a moment ago, empty, until the copies into it are told.
  std::string madeEmpty_;
};

}  // namespace ferrowick::engine
