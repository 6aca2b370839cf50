#include "engine/CopyRun.h"
#include "engine/CopyRunState.h"
#include "engine/EngineContext.h"
#include "runtime/Formats.h"
#include "runtime/Host.h"
#include "runtime/RuntimeError.h"
#include "services/modLanguage.h"

// The texts the copy run composes for its labels, its log and its error boxes.

namespace ferrowick::engine {

using services::Text;

namespace {
double megabytes(std::uint64_t bytes) { return static_cast<double>(bytes) / 1024.0 / 1024.0; }
}  // namespace

std::string CopyRun::logName(std::string path) {
  for (char& c : path) {
    if (c == '\r' || c == '\n') c = '?';
  }
  return path;
}

std::string CopyRun::errorEntry(const runtime::RuntimeError& error) {
  return "ERROR: " + std::to_string(error.number()) + " - " + error.description();
}

// The message of a failure that names one path: the failure's own text where it has one.
std::string CopyRun::headingFor(const runtime::RuntimeError& error) const {
  switch (error.number()) {
    case runtime::Err::FileNotFound:
      return ctx_.lang.text(Text::FileNotFound);
    case runtime::Err::PathNotFound:
      return ctx_.lang.text(Text::PathNotFound);
    case runtime::Err::PermissionDenied:
      return ctx_.lang.text(Text::PermissionDenied);
    case runtime::Err::BadFileNameOrNumber:
      return ctx_.lang.text(Text::InvalidFileName);
    default:
      return std::to_string(error.number()) + ": " + error.description();
  }
}

// A file that failed before its folder was found names the target it was going to.
std::string CopyRun::errorText(const Run& run) const {
  const services::modLanguage& lang = ctx_.lang;
  std::string target = run.destFolder;
  if (target.empty() && !run.sourcePath.empty() && !run.fileName.empty()) {
    target = mirrorOf(sourceFolder(run));
  }
  return "\n\n" + lang.text(Text::CopyError) + "\n" + run.sourcePath + "\n" + lang.text(Text::To) +
         "\n" + target + run.fileName + "\n\n" + lang.text(Text::RetryFile);
}

// Built for every file, skipped ones included: the megabytes are formatted again only
// once more bytes were copied.
std::string CopyRun::progressText(Run& run) const {
  const services::modLanguage& lang = ctx_.lang;
  if (run.shownMegabytes.empty() || run.shownBytes != run.copiedBytes) {
    run.shownBytes = run.copiedBytes;
    run.shownMegabytes = runtime::standardNumber(megabytes(run.copiedBytes)) + " Mb";
  }
  std::string text;
  text.reserve(64);
  text.append(lang.text(Text::ProgressFile)).append(" ");
  text.append(std::to_string(run.entryIndex)).append(" ");
  text.append(lang.text(Text::ProgressOf)).append(" ").append(std::to_string(run.entryCount));
  text.append(lang.text(Text::ProgressCopiedSoFar)).append(run.shownMegabytes);
  return text;
}

std::string CopyRun::summaryText(const Run& run) {
  const services::modLanguage& lang = ctx_.lang;
  const runtime::DateTime now = ctx_.host.clock.now();
  return lang.text(Text::BackupFinished) + " " + std::to_string(run.copiedFiles) + " " +
         lang.text(Text::TotalSize) + " " + runtime::standardNumber(megabytes(run.copiedBytes)) +
         " Mb, " + lang.text(Text::From) + " " + runtime::shortTime(run.start) + " " +
         lang.text(Text::To) + " " + runtime::shortTime(now) + " | " +
         runtime::shortDate(run.start) + ".";
}

}  // namespace ferrowick::engine
