#pragma once

#include <cstdint>
#include <string>

#include "runtime/registry/RegistryTypes.h"
#include "services/RegValue.h"

namespace ferrowick::runtime {
class RegistryStore;
}

namespace ferrowick::services {

// Reads and writes values under a key path joined from a base key, an application name
// and a section. Shows no message and gives no error to its caller: a value that cannot
// be read comes back as the caller's default.
class modRegistry2 {
 public:
  // The access that writes ask for: query, set, create and enumerate subkeys, notify,
  // create link; not the standard rights.
  static constexpr std::uint32_t kWriteAccess = 0x3F;

  explicit modRegistry2(runtime::RegistryStore& store);

  // Joins the non-empty parts with "\", folds runs of backslashes into one, then turns
  // every "/" into "\" (so a "/" beside a "\" leaves two of them).
  static std::string BuildKeyPath(const std::string& baseKey, const std::string& appName,
                                  const std::string& section);

  // The value, or `defaultValue` when it is missing, unreadable, of an unsupported type,
  // or text that is empty or only spaces. Never creates a key.
  RegValue ReadRegValue(const std::string& appName, const std::string& section,
                        const std::string& valueName, const std::string& defaultValue,
                        runtime::HKey rootKey, const std::string& baseKey,
                        bool writeAccess = false);

  // Creates the key when missing and writes the value; false only when the value cannot
  // be converted to the type (a DWORD type given text that is no number, or too large).
  bool WriteRegValue(const std::string& appName, const std::string& section,
                     const std::string& valueName, const std::string& value, runtime::HKey rootKey,
                     const std::string& baseKey, std::uint32_t valueType);

  // Reads one value of an open key: text for the string types, the bytes as upper-case
  // hex pairs for REG_BINARY, the integer for the DWORD types; -1 for other types.
  // Returns the status of the last registry call.
  runtime::RegStatus QueryValueEx(runtime::HKey key, const std::string& valueName, RegValue& value,
                                  std::uint32_t& valueType);

  // Writes one value of an open key in its byte form; REG_BINARY and other types write
  // nothing and return 0. Raises 13 or 6 when a DWORD type gets no number.
  runtime::RegStatus SetValueEx(runtime::HKey key, const std::string& valueName,
                                std::uint32_t valueType, const RegValue& value);

 private:
  runtime::RegistryStore& store_;
};

}  // namespace ferrowick::services
