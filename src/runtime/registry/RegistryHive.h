#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ferrowick::runtime {

struct RegistryValue {
  std::string name;  // as first written
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
};

struct RegistryKey {
  std::string path;                             // as first written
  std::map<std::string, RegistryValue> values;  // by folded name
};

// The keys of one root key. Key paths are key names joined by single backslashes,
// relative to the root (the root itself is the empty path and always exists); names
// of keys and values are compared without regard to ASCII case, and keep the case
// they were created with.
//
// Text form, one line each, in UTF-8 as stored:
//   [SOFTWARE\Halvorne\Ferrowick\Settings]
//   "curLang"=1:456e676c69736800
// a key, then its values as name, type number and data bytes in hex. Control
// characters, "%", quotes and brackets inside names are written as %XX. Lines that
// do not parse are ignored, so a damaged file still yields what it holds intact.
class RegistryHive {
 public:
  static std::string fold(std::string_view name);
  // A key path with empty key names (a leading or doubled backslash) is no path; one
  // trailing backslash is allowed and dropped.
  static std::optional<std::string> normalizePath(std::string_view path);

  bool exists(std::string_view path) const;
  RegistryKey* find(std::string_view path);
  // Creates the key and every missing level above it; true when the key itself is new.
  bool create(std::string_view path);

  static RegistryHive parse(std::string_view text);
  std::string serialize(std::string_view title) const;

 private:
  bool hasSubkeys(const std::string& foldedPath) const;

  std::map<std::string, RegistryKey> keys_;  // by folded path
};

}  // namespace ferrowick::runtime
