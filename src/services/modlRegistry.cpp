#include "services/modlRegistry.h"

#include <vector>

#include "runtime/registry/RegistryStore.h"

namespace ferrowick::services {

modlRegistry::modlRegistry(runtime::RegistryStore& store) : store_(store) {}

void modlRegistry::SaveRegString(runtime::HKey rootKey, const std::string& keyPath,
                                 const std::string& valueName, const std::string& value) {
  runtime::HKey key = 0;
  store_.createKey(rootKey, keyPath, runtime::KEY_ALL_ACCESS, key);
  std::vector<std::uint8_t> data(value.begin(), value.end());
  data.push_back(0);
  store_.setValue(key, valueName, runtime::REG_SZ, data.data(),
                  static_cast<std::uint32_t>(data.size()));
  store_.closeKey(key);
}

void modlRegistry::DeleteRegValue(runtime::HKey rootKey, const std::string& keyPath,
                                  const std::string& valueName) {
  runtime::HKey key = 0;
  store_.openKey(rootKey, keyPath, runtime::KEY_ALL_ACCESS, key);
  store_.deleteValue(key, valueName);
  store_.closeKey(key);
}

}  // namespace ferrowick::services
