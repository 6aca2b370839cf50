#pragma once

#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "runtime/RuntimeError.h"
#include "runtime/registry/RegistryStore.h"
#include "support/RaisedError.h"

namespace ferrowick::testing {

using Bytes = std::vector<std::uint8_t>;

inline std::ptrdiff_t entriesIn(const std::filesystem::path& folder) {
  return std::distance(std::filesystem::directory_iterator(folder), {});
}

inline runtime::RegStatus setRaw(runtime::RegistryStore& store, runtime::HKey key,
                                 const std::string& name, std::uint32_t type, const Bytes& data) {
  return store.setValue(key, name, type, data.data(), static_cast<std::uint32_t>(data.size()));
}

// Read the two-step way (size, then data); type 0 when absent.
inline std::pair<std::uint32_t, Bytes> rawValue(runtime::RegistryStore& store, runtime::HKey key,
                                                const std::string& name) {
  std::uint32_t type = 0, size = 0;
  if (store.queryValue(key, name, &type, nullptr, &size) != runtime::ERROR_SUCCESS) return {0, {}};
  Bytes data(size);
  const bool read = store.queryValue(key, name, nullptr, data.data(), &size) == 0;
  return read ? std::pair{type, data} : std::pair<std::uint32_t, Bytes>{0, {}};
}

}  // namespace ferrowick::testing
