#include "engine/SettingsFile.h"

#include <algorithm>
#include <filesystem>

#include "engine/EngineContext.h"
#include "engine/SettingsKeys.h"
#include "runtime/App.h"
#include "runtime/Host.h"
#include "runtime/RuntimeError.h"
#include "runtime/XdgDirs.h"
#include "runtime/fs/FileSystem.h"
#include "runtime/profile/ProfileDocument.h"
#include "services/modPathUsers.h"

namespace ferrowick::engine {

namespace {
std::string inAppDataFolder(std::string_view name) {
  const std::string folder = services::modPathUsers::AppDataFolder();
  // Without its folder the file would land below the file-system root.
  if (folder.empty()) runtime::raise(runtime::Err::PathNotFound);
  return folder + "/" + std::string(name);
}
}  // namespace

SettingsFile::SettingsFile(EngineContext& context) : ctx_(context) {}

std::string SettingsFile::settingsPath() const { return inAppDataFolder(kFileName); }

std::string SettingsFile::previousPath() const { return inAppDataFolder(kPreviousName); }

std::optional<SettingsFile::DeletionFailure> SettingsFile::DeleteSettingsFile() {
  std::string path;
  try {
    path = settingsPath();
  } catch (const runtime::RuntimeError&) {
    return std::nullopt;
  }
  try {
    ctx_.fs.deleteFile(path);
  } catch (const runtime::RuntimeError& error) {
    if (error.number() != runtime::Err::FileNotFound) {
      return DeletionFailure{error.number(), error.description(), path};
    }
  }
  return std::nullopt;
}

std::optional<std::string> SettingsFile::storedSettings(const std::string& path) const {
  using namespace settings_keys;
  using std::filesystem::file_type;
  std::error_code error;
  const file_type type = std::filesystem::status(path, error).type();
  if (type == file_type::not_found) return std::nullopt;
  if (type == file_type::none) runtime::raiseErrno(error.value(), path);
  // Never opened: a pipe would hold the program up.
  if (type != file_type::regular) runtime::raise(runtime::Err::PathFileAccessError);
  std::string bytes = runtime::ProfileDocument::readFile(path, &ctx_.fs.faults());
  const runtime::ProfileDocument document = runtime::ProfileDocument::parse(bytes);
  const std::string_view sections[] = {kWhen, kLog, kBackup, kDestination, kOptions, kEntries};
  if (std::ranges::none_of(sections, [&](auto name) { return document.hasSection(name); })) {
    return std::nullopt;
  }
  return bytes;
}

std::string SettingsFile::shownPath(std::string_view name) const {
  try {
    return inAppDataFolder(name);
  } catch (const runtime::RuntimeError&) {
    // Where the program's folder would be, below the data folder that cannot be had.
    return (runtime::dataHome() / "Halvorne" / "Ferrowick" / name).string();
  }
}

void SettingsFile::reportError(const runtime::RuntimeError& error, std::string_view separator,
                               runtime::MsgStyle style, const std::string& file) {
  ctx_.host.messages.show(std::to_string(error.number()) + std::string(separator) +
                              error.description() + (file.empty() ? "" : "\n\n" + file),
                          style, ctx_.app.title());
}

}  // namespace ferrowick::engine
