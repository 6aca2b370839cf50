#include "services/StoredLanguage.h"

#include "runtime/registry/RegistryTypes.h"
#include "services/modRegistry2.h"

namespace ferrowick::services {

namespace {
constexpr const char* kBaseKey = "SOFTWARE\\Halvorne";
constexpr const char* kSection = "Settings";
constexpr const char* kValueName = "curLang";
}  // namespace

std::string storedLanguage(modRegistry2& registry, const std::string& appName) {
  return registry
      .ReadRegValue(appName, kSection, kValueName, "", runtime::HKEY_CURRENT_USER, kBaseKey)
      .text();
}

bool storeLanguage(modRegistry2& registry, const std::string& appName, const std::string& name) {
  return registry.WriteRegValue(appName, kSection, kValueName, name, runtime::HKEY_CURRENT_USER,
                                kBaseKey, runtime::REG_SZ);
}

}  // namespace ferrowick::services
