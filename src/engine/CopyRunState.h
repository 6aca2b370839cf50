#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/CopyRun.h"
#include "engine/OwnBackup.h"
#include "runtime/DateTime.h"
#include "runtime/TextOutput.h"
#include "runtime/fs/CopyFolder.h"
#include "runtime/fs/FileSystem.h"

namespace ferrowick::engine {

// The state of one run: the file at hand, the counts, the log and the folders held open;
// created empty at each call.
struct CopyRun::Run {
  explicit Run(runtime::Faults& faults) : log(faults) {}

  std::string sourcePath;
  std::string fileName;
  std::string destFolder;
  unsigned attributes = 0;
  runtime::CopiedFile copied;  // what the copy of the current file wrote and read
  std::uint64_t copiedBytes = 0;
  std::uint64_t copiedFiles = 0;
  std::uint64_t shownBytes = 0;  // what shownMegabytes says
  std::string shownMegabytes;
  std::size_t entryCount = 0;
  std::size_t entryIndex = 0;
  std::size_t nextEntry = 0;
  std::size_t itemCount = 0;
  std::size_t nextItem = 0;
  // What the file-not-found and bad-name messages name: the source item while the run
  // file list is built, the current file afterwards.
  std::string subject;
  runtime::DateTime start;
  bool restartedForReadOnly = false;
  bool firstStart = false;  // the current file has not started yet
  std::string summary;
  runtime::TextOutput log;
  // The log's entries for source items that failed before the log opened.
  std::vector<std::string> earlyLog;
  // The error being handled came from the log itself.
  bool logFailed = false;
  // The destination and all below it, which no source item of this run brings in.
  std::optional<OwnBackup> ownBackup;
  // The source and destination folders of the files copied last, held open for the next ones.
  runtime::CopyFolder source;
  runtime::CopyFolder destination;
};

}  // namespace ferrowick::engine
