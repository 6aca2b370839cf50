#include "services/modLanguage.h"

#include <algorithm>
#include <exception>
#include <string_view>

#include "runtime/App.h"
#include "runtime/Host.h"
#include "runtime/NumberReader.h"
#include "runtime/RuntimeError.h"
#include "runtime/TextLines.h"
#include "runtime/fs/FileSystem.h"
#include "services/StoredLanguage.h"

namespace ferrowick::services {

namespace {

bool validIndex(std::int64_t index) {
  return static_cast<std::uint64_t>(index) < modLanguage::kEntries;
}

// Bytes taken by the first `count` characters; the files are UTF-8, and a character's
// continuation bytes belong to it.
std::size_t prefixBytes(std::string_view line, std::size_t count) {
  std::size_t pos = 0;
  for (std::size_t n = 0; n < count && pos < line.size(); ++n) {
    ++pos;
    while (pos < line.size() && (static_cast<unsigned char>(line[pos]) & 0xC0) == 0x80) ++pos;
  }
  return pos;
}

}  // namespace

modLanguage::modLanguage(const runtime::App& app, runtime::Host& host, modRegistry2& registry,
                         runtime::FileSystem& fs)
    : app_(app), host_(host), registry_(registry), fs_(fs) {}

const std::string& modLanguage::text(std::int64_t index) const {
  static const std::string none;
  return validIndex(index) ? LangStrings_[static_cast<std::size_t>(index)] : none;
}

void modLanguage::setText(std::int64_t index, std::string text) {
  if (validIndex(index)) LangStrings_[static_cast<std::size_t>(index)] = std::move(text);
}

void modLanguage::LoadLanguage() {
  if (storedLanguage(registry_, app_.title()).empty()) {
    // Nothing here may stop the start-up: a failing step is passed over.
    try {
      host_.messages.show("Error: Failed loading selected language.", runtime::MsgIcon::Critical,
                          app_.title());
    } catch (const std::exception&) {
    }
    storeLanguage(registry_, app_.title(), "English");
  }
  const std::string folder = storedLanguage(registry_, app_.title());
  const std::string file = storedLanguage(registry_, app_.title());
  LoadLanguageFile(app_.path() + "/languages/" + folder + "/" + file + ".txt");
}

modLanguage::FileLoad modLanguage::LoadLanguageFile(const std::string& path) {
  if (path.empty()) return FileLoad::NoFile;
  bool exists = false;
  try {
    exists = fs_.fileExists(path);
  } catch (const runtime::RuntimeError&) {
    // A file that cannot even be looked at is no file to load.
  }
  if (!exists) return FileLoad::NoFile;

  try {
    runtime::TextLineReader reader(path, fs_.faults());
    std::string line;
    while (reader.next(line)) loadLine(line);
  } catch (const runtime::RuntimeError&) {
    // A file that stops reading keeps what was loaded before; there is no end to wait for.
  }
  return FileLoad::Loaded;
}

void modLanguage::loadLine(const std::string& line) {
  if (!line.empty() && line.front() == ';') return;
  if (line.find_first_not_of(' ') == std::string::npos) return;

  const std::string_view view(line);
  std::string text(view.substr(prefixBytes(view, 4)));
  std::replace(text.begin(), text.end(), '_', '\r');
  try {
    const std::int32_t index = runtime::toInt32(runtime::Val(view.substr(0, prefixBytes(view, 3))));
    setText(index, std::move(text));
  } catch (const runtime::RuntimeError&) {
    // An index too large to convert changes nothing, like any other index outside the table.
  }
}

}  // namespace ferrowick::services
