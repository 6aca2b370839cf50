#pragma once

#include <string>

#include "runtime/registry/RegistryTypes.h"

namespace ferrowick::runtime {
class RegistryStore;
}

namespace ferrowick::services {

// Writes or deletes one string value under a fixed key path. Nothing is reported: a key
// that cannot be created or opened changes nothing.
class modlRegistry {
 public:
  explicit modlRegistry(runtime::RegistryStore& store);

  // Creates the key when missing and stores the text as REG_SZ.
  void SaveRegString(runtime::HKey rootKey, const std::string& keyPath,
                     const std::string& valueName, const std::string& value);
  // A missing key or value changes nothing.
  void DeleteRegValue(runtime::HKey rootKey, const std::string& keyPath,
                      const std::string& valueName);

 private:
  runtime::RegistryStore& store_;
};

}  // namespace ferrowick::services
