#pragma once

#include <string>
#include <utility>

#include "runtime/TestChecks.h"
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
              std::uint32_t type, const Bytes& data) {
    runtime::HKey key = 0;
    store.createKey(root, path, runtime::KEY_ALL_ACCESS, key);
    setRaw(store, key, name, type, data);
    store.closeKey(key);
  }
  // The stored type and bytes; type 0 when there is no such value.
  std::pair<std::uint32_t, Bytes> raw(runtime::HKey root, const std::string& path,
                                      const std::string& name) {
    runtime::HKey key = 0;
    store.openKey(root, path, runtime::KEY_READ, key);
    auto value = rawValue(store, key, name);
    store.closeKey(key);
    return value;
  }
};

}  // namespace ferrowick::testing
