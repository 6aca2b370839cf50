#include "engine/CopyRun.h"
#include "engine/CopyRunValues.h"
#include "engine/EngineContext.h"
#include "runtime/Formats.h"
#include "runtime/Host.h"
#include "runtime/RuntimeError.h"
#include "services/modLanguage.h"

// The texts the copy run composes for its labels, its log and its error boxes.

namespace ferrowick::engine {

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
      return ctx_.lang.text(195);
    case runtime::Err::PathNotFound:
      return ctx_.lang.text(200);
    case runtime::Err::PermissionDenied:
      return ctx_.lang.text(198);
    case runtime::Err::BadFileNameOrNumber:
      return ctx_.lang.text(194);
    default:
      return std::to_string(error.number()) + ": " + error.description();
  }
}

// A file that failed before its folder was found names the target it was going to.
std::string CopyRun::errorText(const Run& run) const {
  const services::modLanguage& lang = ctx_.lang;
  std::string target = run.destFolder;
  if (target.empty() && !run.sourcePath.empty() && !run.fileName.empty()) {
    target = mirrorOf(run.sourcePath.substr(0, run.sourcePath.size() - run.fileName.size()));
  }
  return "\n\n" + lang.text(192) + "\n" + run.sourcePath + "\n" + lang.text(183) + "\n" + target +
         run.fileName + "\n\n" + lang.text(193);
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
  text.append(lang.text(185)).append(" ").append(std::to_string(run.entryIndex)).append(" ");
  text.append(lang.text(187)).append(" ").append(std::to_string(run.entryCount));
  text.append(lang.text(186)).append(run.shownMegabytes);
  return text;
}

std::string CopyRun::summaryText(const Run& run) {
  const services::modLanguage& lang = ctx_.lang;
  const runtime::DateTime now = ctx_.host.clock.now();
  return lang.text(188) + " " + std::to_string(run.copiedFiles) + " " + lang.text(189) + " " +
         runtime::standardNumber(megabytes(run.copiedBytes)) + " Mb, " + lang.text(191) + " " +
         runtime::shortTime(run.start) + " " + lang.text(183) + " " + runtime::shortTime(now) +
         " | " + runtime::shortDate(run.start) + ".";
}

}  // namespace ferrowick::engine
