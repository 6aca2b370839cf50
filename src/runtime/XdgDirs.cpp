#include "runtime/XdgDirs.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace ferrowick::runtime {

namespace {

std::filesystem::path absoluteFromEnvironment(const char* variable) {
  const char* value = std::getenv(variable);
  if (value == nullptr || *value != '/') return {};
  return value;
}

}  // namespace

std::filesystem::path homeFolder() {
  if (auto home = absoluteFromEnvironment("HOME"); !home.empty()) return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr)
    return entry->pw_dir;
  return "/";
}

std::filesystem::path configHome() {
  if (auto config = absoluteFromEnvironment("XDG_CONFIG_HOME"); !config.empty()) return config;
  return homeFolder() / ".config";
}

std::filesystem::path dataHome() {
  if (auto data = absoluteFromEnvironment("XDG_DATA_HOME"); !data.empty()) return data;
  return homeFolder() / ".local/share";
}

std::filesystem::path runtimeDir() { return absoluteFromEnvironment("XDG_RUNTIME_DIR"); }

}  // namespace ferrowick::runtime
