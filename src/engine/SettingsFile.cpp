#include "engine/SettingsFile.h"

#include "engine/EngineContext.h"
#include "runtime/App.h"
#include "runtime/Host.h"
#include "runtime/RuntimeError.h"
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

void SettingsFile::reportError(const runtime::RuntimeError& error, std::string_view separator,
                               int style) {
  ctx_.host.messages.show(
      std::to_string(error.number()) + std::string(separator) + error.description(), style,
      ctx_.app.title());
}

}  // namespace ferrowick::engine
