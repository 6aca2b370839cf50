#include "services/modRegistry2.h"

#include <exception>
#include <vector>

#include "runtime/NumberReader.h"
#include "runtime/registry/RegistryStore.h"

namespace ferrowick::services {

using runtime::HKey;
using runtime::RegStatus;

namespace {

bool isBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

std::string hexPairs(const std::vector<std::uint8_t>& bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (const std::uint8_t byte : bytes) {
    if (!text.empty()) text += ' ';
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  return text;
}

// Closes the key however the write ends.
class KeyCloser {
 public:
  KeyCloser(runtime::RegistryStore& store, HKey key) : store_(store), key_(key) {}
  ~KeyCloser() { store_.closeKey(key_); }
  KeyCloser(const KeyCloser&) = delete;
  KeyCloser& operator=(const KeyCloser&) = delete;

 private:
  runtime::RegistryStore& store_;
  HKey key_;
};

}  // namespace

modRegistry2::modRegistry2(runtime::RegistryStore& store) : store_(store) {}

std::string modRegistry2::BuildKeyPath(const std::string& baseKey, const std::string& appName,
                                       const std::string& section) {
  std::string joined = baseKey;
  for (const std::string* part : {&appName, &section}) {
    if (part->empty()) continue;
    if (!joined.empty()) joined += '\\';
    joined += *part;
  }
  std::string path;
  path.reserve(joined.size());
  for (const char c : joined) {
    if (c == '\\' && !path.empty() && path.back() == '\\') continue;
    path += c;
  }
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

RegValue modRegistry2::ReadRegValue(const std::string& appName, const std::string& section,
                                    const std::string& valueName, const std::string& defaultValue,
                                    HKey rootKey, const std::string& baseKey, bool writeAccess) {
  try {
    const std::string keyPath = BuildKeyPath(baseKey, appName, section);
    // Not tested: when the key is missing the handle stays 0 and the query fails.
    HKey key = 0;
    store_.openKey(rootKey, keyPath, writeAccess ? kWriteAccess : runtime::KEY_READ, key);
    RegValue value;
    std::uint32_t type = 0;
    QueryValueEx(key, valueName, value, type);
    if (!value.hasValue() || isBlank(value.text())) value = defaultValue;
    store_.closeKey(key);
    return value;
  } catch (const std::exception&) {
    return defaultValue;
  }
}

bool modRegistry2::WriteRegValue(const std::string& appName, const std::string& section,
                                 const std::string& valueName, const std::string& value,
                                 HKey rootKey, const std::string& baseKey,
                                 std::uint32_t valueType) {
  try {
    const std::string keyPath = BuildKeyPath(baseKey, appName, section);
    HKey key = 0;
    std::uint32_t disposition = 0;
    store_.createKey(rootKey, keyPath, kWriteAccess, key, &disposition);
    const KeyCloser closer(store_, key);
    SetValueEx(key, valueName, valueType, value);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

RegStatus modRegistry2::QueryValueEx(HKey key, const std::string& valueName, RegValue& value,
                                     std::uint32_t& valueType) {
  value = std::string();
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  RegStatus status = store_.queryValue(key, valueName, &type, nullptr, &size);
  if (status != runtime::ERROR_SUCCESS) return status;
  valueType = type;

  switch (type) {
    case runtime::REG_SZ:
    case runtime::REG_EXPAND_SZ:
    case runtime::REG_BINARY: {
      std::vector<std::uint8_t> buffer(size, 0);
      status = store_.queryValue(key, valueName, nullptr, buffer.data(), &size);
      if (status != runtime::ERROR_SUCCESS) {
        value = RegValue();
        break;
      }
      buffer.resize(size);
      if (type == runtime::REG_BINARY) {
        value = hexPairs(buffer);
      } else if (size > 0) {
        // The stored text ends in its NUL; a string of no bytes at all stays "".
        value = std::string(buffer.begin(), buffer.end() - 1);
      }
      break;
    }
    case runtime::REG_DWORD:
    case runtime::REG_DWORD_BIG_ENDIAN: {
      // Memory order, little-endian, for both DWORD types: no swap.
      std::uint8_t bytes[4] = {};
      size = sizeof bytes;
      status = store_.queryValue(key, valueName, nullptr, bytes, &size);
      if (status == runtime::ERROR_SUCCESS) {
        const std::uint32_t raw = std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 |
                                  std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24;
        value = RegValue(static_cast<std::int32_t>(raw));
      }
      break;
    }
    default:
      status = -1;
  }
  return status;
}

RegStatus modRegistry2::SetValueEx(HKey key, const std::string& valueName, std::uint32_t valueType,
                                   const RegValue& value) {
  switch (valueType) {
    case runtime::REG_SZ:
    case runtime::REG_EXPAND_SZ: {
      const std::string text = value.text();
      std::vector<std::uint8_t> data(text.begin(), text.end());
      data.push_back(0);
      return store_.setValue(key, valueName, valueType, data.data(),
                             static_cast<std::uint32_t>(data.size()));
    }
    case runtime::REG_DWORD:
    case runtime::REG_DWORD_BIG_ENDIAN: {
      std::int32_t number = 0;
      if (value.isNumber())
        number = value.number();
      else if (value.hasValue())
        number = runtime::textToInt32(value.text());
      const auto raw = static_cast<std::uint32_t>(number);
      const std::uint8_t data[4] = {
          static_cast<std::uint8_t>(raw), static_cast<std::uint8_t>(raw >> 8),
          static_cast<std::uint8_t>(raw >> 16), static_cast<std::uint8_t>(raw >> 24)};
      return store_.setValue(key, valueName, valueType, data, 4);
    }
    default:
      return runtime::ERROR_SUCCESS;
  }
}

}  // namespace ferrowick::services
