#include "runtime/registry/RegistryHive.h"

#include <charconv>

namespace ferrowick::runtime {

namespace {

constexpr char kHex[] = "0123456789abcdef";

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string escapeName(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '%' || c == '"' || c == '[' || c == ']') {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    } else {
      out += c;
    }
  }
  return out;
}

std::optional<std::string> unescapeName(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    const int high = hexValue(text[i + 1]);
    const int low = hexValue(text[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}

std::optional<std::vector<std::uint8_t>> parseHex(std::string_view text) {
  if (text.size() % 2 != 0) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  bytes.reserve(text.size() / 2);
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const int high = hexValue(text[i]);
    const int low = hexValue(text[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
  }
  return bytes;
}

// `"name"=type:hex`
std::optional<RegistryValue> parseValueLine(std::string_view line) {
  const std::size_t close = line.find('"', 1);
  if (close == std::string_view::npos || close + 1 >= line.size() || line[close + 1] != '=')
    return std::nullopt;
  auto name = unescapeName(line.substr(1, close - 1));
  if (!name) return std::nullopt;
  const std::string_view rest = line.substr(close + 2);
  const std::size_t colon = rest.find(':');
  if (colon == std::string_view::npos || colon == 0) return std::nullopt;
  std::uint32_t type = 0;
  const auto [end, ec] = std::from_chars(rest.data(), rest.data() + colon, type);
  if (ec != std::errc() || end != rest.data() + colon) return std::nullopt;
  auto data = parseHex(rest.substr(colon + 1));
  if (!data) return std::nullopt;
  return RegistryValue{std::move(*name), type, std::move(*data)};
}

}  // namespace

std::string RegistryHive::fold(std::string_view name) {
  std::string out(name);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::optional<std::string> RegistryHive::normalizePath(std::string_view path) {
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  if (path.empty()) return std::string();
  // What is left may not begin or end with a separator, nor hold two in a row.
  if (path.front() == '\\' || path.back() == '\\' || path.find("\\\\") != std::string_view::npos) {
    return std::nullopt;
  }
  return std::string(path);
}

bool RegistryHive::exists(std::string_view path) const {
  return path.empty() || keys_.count(fold(path)) != 0;
}

RegistryKey* RegistryHive::find(std::string_view path) {
  const auto it = keys_.find(fold(path));
  return it == keys_.end() ? nullptr : &it->second;
}

bool RegistryHive::create(std::string_view path) {
  if (path.empty()) return false;
  bool created = false;
  std::size_t end = 0;
  do {
    end = path.find('\\', end);
    const std::string_view level = path.substr(0, end);
    created = keys_.try_emplace(fold(level), RegistryKey{std::string(level), {}}).second;
    if (end != std::string_view::npos) ++end;
  } while (end != std::string_view::npos);
  return created;
}

bool RegistryHive::hasSubkeys(const std::string& foldedPath) const {
  const std::string prefix = foldedPath + '\\';
  const auto it = keys_.lower_bound(prefix);
  return it != keys_.end() && it->first.compare(0, prefix.size(), prefix) == 0;
}

RegistryHive RegistryHive::parse(std::string_view text) {
  RegistryHive hive;
  RegistryKey* current = nullptr;
  while (!text.empty()) {
    const std::size_t eol = text.find('\n');
    std::string_view line = text.substr(0, eol);
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == ';') continue;

    if (line.front() == '[') {
      current = nullptr;
      if (line.back() != ']' || line.size() < 3) continue;
      const auto name = unescapeName(line.substr(1, line.size() - 2));
      if (!name) continue;
      const auto path = normalizePath(*name);
      if (!path || path->empty()) continue;
      hive.create(*path);
      current = hive.find(*path);
    } else if (line.front() == '"' && current != nullptr) {
      if (auto value = parseValueLine(line)) {
        auto folded = fold(value->name);
        current->values.insert_or_assign(std::move(folded), std::move(*value));
      }
    }
  }
  return hive;
}

std::string RegistryHive::serialize(std::string_view title) const {
  std::string out = "; ";
  out += title;
  out += '\n';
  for (const auto& [folded, key] : keys_) {
    // Levels above other keys come back by themselves when the file is read.
    if (key.values.empty() && hasSubkeys(folded)) continue;
    out += "\n[" + escapeName(key.path) + "]\n";
    for (const auto& [foldedName, value] : key.values) {
      out += '"' + escapeName(value.name) + "\"=" + std::to_string(value.type) + ':';
      for (const std::uint8_t byte : value.data) {
        out += kHex[byte >> 4];
        out += kHex[byte & 0x0F];
      }
      out += '\n';
    }
  }
  return out;
}

}  // namespace ferrowick::runtime
