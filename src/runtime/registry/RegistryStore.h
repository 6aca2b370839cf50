#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "runtime/Faults.h"
#include "runtime/RuntimeError.h"
#include "runtime/registry/AutostartEntries.h"
#include "runtime/registry/RegistryHive.h"
#include "runtime/registry/RegistryTypes.h"

namespace ferrowick::runtime {

// The registry of this system: one text file per root key (HKEY_CURRENT_USER and
// HKEY_LOCAL_MACHINE) in the store's folder, each written whole through a temporary file
// and a rename. The values of the start-up Run key, under either root, are the desktop's
// autostart entries instead.
//
// The calls follow the registry's own: they take and give key handles, return a status
// (ERROR_SUCCESS, or the registry's error number) and never raise. A file that is damaged
// gives what it still holds intact; one that cannot be read reads as holding nothing and
// is never written over.
class RegistryStore {
 public:
  RegistryStore(std::filesystem::path folder, std::filesystem::path autostartFolder);
  // The user's store: $XDG_CONFIG_HOME/Halvorne, entries in $XDG_CONFIG_HOME/autostart.
  static RegistryStore forCurrentUser();

  // Opens an existing key below `key` (a root or an open handle). `result` is 0 unless
  // the call succeeds.
  RegStatus openKey(HKey key, std::string_view subKey, std::uint32_t access, HKey& result);
  // Opens the key, creating it and every missing level above it first.
  RegStatus createKey(HKey key, std::string_view subKey, std::uint32_t access, HKey& result,
                      std::uint32_t* disposition = nullptr);
  // With `data` null, gives only the type and the size in bytes. With a buffer of
  // `*size` bytes, copies the data, or gives ERROR_MORE_DATA and the size needed.
  RegStatus queryValue(HKey key, std::string_view name, std::uint32_t* type, std::uint8_t* data,
                       std::uint32_t* size);
  RegStatus setValue(HKey key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                     std::uint32_t size);
  RegStatus deleteValue(HKey key, std::string_view name);
  RegStatus closeKey(HKey key);

  // ReplaceFile fails a write of the store or of an autostart entry, DeleteEntry the
  // deletion of an entry.
  Faults& faults() noexcept { return faults_; }
  // The error behind the last change that could not be stored, kept until cleared: a
  // caller that must never show a setting as stored looks here after its writes.
  const std::optional<RuntimeError>& writeError() const noexcept { return writeError_; }
  void clearWriteError() noexcept { writeError_.reset(); }
  std::filesystem::path fileOf(HKey root) const;

 private:
  struct OpenKey {
    HKey root;
    std::string path;
    std::uint32_t access;
  };
  struct Loaded {
    RegistryHive hive;
    bool readable;
  };

  std::optional<OpenKey> resolve(HKey key) const;
  RegStatus keyBelow(HKey key, std::string_view subKey, OpenKey& target) const;
  HKey newHandle(OpenKey key);
  Loaded load(HKey root) const;
  RegStatus save(HKey root, const RegistryHive& hive);
  RegStatus setRunValue(std::string_view name, std::uint32_t type, const std::uint8_t* data,
                        std::uint32_t size);
  RegStatus deleteRunValue(std::string_view name);
  RegStatus failed(const RuntimeError& error);

  std::filesystem::path folder_;
  AutostartEntries autostart_;
  Faults faults_;
  std::optional<RuntimeError> writeError_;
  std::unordered_map<HKey, OpenKey> handles_;
  HKey nextHandle_ = 0x100;
};

}  // namespace ferrowick::runtime
