#include "runtime/fs/PathParts.h"

namespace ferrowick::runtime {

std::pair<std::string, std::string> splitPattern(const std::string& pattern) {
  const auto slash = pattern.rfind('/');
  if (slash == std::string::npos) return {".", pattern};
  std::string folder = pattern.substr(0, slash);
  if (folder.empty()) folder = "/";
  return {folder, pattern.substr(slash + 1)};
}

std::string joinPath(const std::string& folder, const std::string& name) {
  std::string joined;
  joined.reserve(folder.size() + 1 + name.size());
  joined.append(folder);
  if (joined.empty() || joined.back() != '/') joined.push_back('/');
  joined.append(name);
  return joined;
}

std::string lastComponent(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string_view folderPart(std::string_view path) {
  const auto slash = path.rfind('/');
  if (slash == std::string_view::npos) return ".";
  return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

std::string_view namePart(std::string_view path) {
  const auto slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool isHiddenName(std::string_view name) {
  return !name.empty() && name.front() == '.' && name != "." && name != "..";
}

}  // namespace ferrowick::runtime
