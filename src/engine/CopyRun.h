#pragma once

#include <optional>
#include <string>

namespace ferrowick::runtime {
class RuntimeError;
}

namespace ferrowick::services {
class modMakeDirs;
}

namespace ferrowick::engine {

struct EngineContext;
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
  // The run's numbered steps, in their order. The error handler goes on with the step
  // after the failing one, restarts the file, or finishes the run at LogSummary.
  enum class Step {
    Busy,               // 1
    Refresh,            // 2
    ShowPage,           // 3
    StartTime,          // 4
    CaptionPreparing,   // 5
    TakeDestination,    // 6
    MakeDestination,    // 7
    AppendSeparator,    // 8
    CollectStart,       // 9
    Collect,            // 9, one source item each time
    CaptionRunning,     // 10
    OpenLog,            // 11
    StatusLabels,       // 12
    EntryCount,         // 13
    NextEntry,          // 14, 15
    SkipEmpty,          // 16
    ReadAttributes,     // 17, 18: where a file starts and restarts
    TakeFileName,       // 19
    DestinationFolder,  // 20.1, 20.2
    CopyFile,           // 20.3
    LogFile,            // 20.4
    ClearArchive,       // 20.5
    LogOk,              // 20.6
    AddBytes,           // 20.7
    CountFile,          // 20.8
    ShowStatus,         // 20.9
    LogSummary,         // 21
    CloseLog,           // 21
    EndLabel,           // 22
    ClearLabels,        // 23
    ShowSummary,        // 24
    ResetFiles,         // 25
    Pointer,            // 26
    Done,
  };

  struct Run;

  Step perform(Step step, Run& run);
  Step recover(Step step, Run& run, const runtime::RuntimeError& error);
  Step ask(Step step, const std::string& text, int style);
  bool clearReadOnlyTarget(Run& run);

  static bool isFileStep(Step step);
  static bool isFinishing(Step step);
  static Step following(Step step);

  bool logging() const;
  bool incremental() const;
  void write(Run& run, const std::string& text);
  void writeLine(Run& run, const std::string& text);
  int message(const std::string& text, int style);

  std::string mirrorOf(const std::string& sourceFolder) const;
  std::string errorText(const Run& run) const;
  std::string progressText(const Run& run) const;
  std::string summaryText(const Run& run);

  EngineContext& ctx_;
  SourceList& sources_;
  RunFileList& runFiles_;
  services::modMakeDirs& makeDirs_;
  // The destination folder this run last found or made; files of one folder come
  // together, so each folder is looked at once.
  std::string madeFolder_;
};

}  // namespace ferrowick::engine
