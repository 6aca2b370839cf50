#include "services/modMakeDirs.h"

#include <sys/stat.h>

#include "runtime/App.h"
#include "runtime/Host.h"
#include "runtime/RuntimeError.h"
#include "runtime/fs/DestinationTree.h"
#include "runtime/fs/FileSystem.h"
#include "services/modLanguage.h"

namespace ferrowick::services {

namespace {
void dropTrailingSeparators(std::string& path) {
  while (!path.empty() && path.back() == '/') path.pop_back();
}

bool namesFolder(const std::string& path) {
  struct stat info {};
  return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// One level of the walk: the name up to and including its separator. A piece that so
// far holds only the leading separator of an absolute path keeps going, so "/a/b" gives
// "/a/" and "b".
std::string nextPiece(const std::string& path, std::size_t& position) {
  std::string piece;
  while (position < path.size()) {
    const char c = path[position++];
    piece += c;
    if (c == '/' && piece != "/" && piece != "//") break;
  }
  return piece;
}
}  // namespace

modMakeDirs::modMakeDirs(const runtime::App& app, runtime::MessageBoxes& messages,
                         const modLanguage& lang, runtime::FileSystem& fs)
    : app_(app), messages_(messages), lang_(lang), fs_(fs) {}

// A path can never hold a NUL, so stripping one only trims the surrounding spaces.
bool modMakeDirs::CreatePath(std::string path) {
  std::string s = StripNulls(path);
  if (tree_ != nullptr && tree_->contains(s)) {
    if (tree_->walk(s) != runtime::DestinationTree::Level::Failed) return true;
    dropTrailingSeparators(s);
    reportFailure(s);
    return false;
  }
  if (FolderExists(s) || s == "/") return true;
  dropTrailingSeparators(s);

  // Levels are taken exactly as written: a folder name may end in a space here, so only
  // the whole path loses its surrounding spaces.
  std::string accumulated;
  std::size_t position = 0;
  while (position < s.size()) {
    accumulated += nextPiece(s, position);
    dropTrailingSeparators(accumulated);
    if (!namesFolder(accumulated) && !makeLevel(accumulated)) {
      reportFailure(s);
      return false;
    }
    accumulated += '/';
  }
  if (FolderExists(accumulated)) return true;
  reportFailure(s);
  return false;
}

bool modMakeDirs::FolderExists(const std::string& path) {
  std::string tested = StripNulls(path);
  if (tested.empty()) return false;
  if (tested.back() == '/') tested.pop_back();
  return namesFolder(tested.empty() ? std::string("/") : tested);
}

bool modMakeDirs::CreateFolder(const std::string& path) {
  std::string level = StripNulls(path);
  if (FolderExists(level)) return true;
  if (!level.empty() && level.back() == '/') level.pop_back();
  return makeLevel(level);
}

int modMakeDirs::CountSubstrings(const std::string& text, const std::string& part) {
  if (part.empty()) return 0;
  int count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) {
    ++count;
  }
  return count;
}

std::string modMakeDirs::StripNulls(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  std::string stripped = text.substr(first, text.find_last_not_of(' ') - first + 1);
  const auto nul = stripped.find('\0');
  if (nul != std::string::npos) stripped.erase(nul);
  return stripped;
}

bool modMakeDirs::makeLevel(const std::string& path) {
  if (path.empty()) return false;
  try {
    fs_.makeFolder(path);
    return true;
  } catch (const runtime::RuntimeError&) {
    return false;
  }
}

// Nothing in the walk raises: a level that cannot be made is a plain false, so the
// line after the path that would carry an error's description stays empty.
void modMakeDirs::reportFailure(const std::string& path) {
  messages_.show(lang_.text(Text::CannotCreateFolder) + " '" + path + "'\r",
                 runtime::MsgIcon::Exclamation, app_.title());
}

}  // namespace ferrowick::services
