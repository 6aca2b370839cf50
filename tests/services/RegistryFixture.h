#pragma once

#include <string>
#include <vector>

#include "runtime/registry/RegistryStore.h"
#include "services/modRegistry2.h"
#include "support/Sandbox.h"

namespace ferrowick::testing {

// A registry store in the test's sandbox with the modules over it.
struct RegistryFixture {
  runtime::RegistryStore store{Sandbox::root() / "home/.config/Halvorne",
                               Sandbox::root() / "home/.config/autostart"};
  services::modRegistry2 registry{store};

  // Writes a raw value of any type, creating the key.
  void putRaw(runtime::HKey root, const std::string& path, const std::string& name,
              std::uint32_t type, const std::vector<std::uint8_t>& data) {
    runtime::HKey key = 0;
    store.createKey(root, path, runtime::KEY_ALL_ACCESS, key);
    store.setValue(key, name, type, data.data(), static_cast<std::uint32_t>(data.size()));
    store.closeKey(key);
  }
  // The stored type and bytes; type 0 when there is no such value.
  std::pair<std::uint32_t, std::vector<std::uint8_t>> raw(runtime::HKey root,
                                                          const std::string& path,
                                                          const std::string& name) {
    runtime::HKey key = 0;
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    store.openKey(root, path, runtime::KEY_READ, key);
    if (store.queryValue(key, name, &type, nullptr, &size) != runtime::ERROR_SUCCESS) {
      store.closeKey(key);
      return {0, {}};
    }
    std::vector<std::uint8_t> data(size);
    store.queryValue(key, name, nullptr, data.data(), &size);
    store.closeKey(key);
    return {type, data};
  }
};

}  // namespace ferrowick::testing
