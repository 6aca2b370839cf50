#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "services/Texts.h"

namespace ferrowick::runtime {
class App;
struct Host;
class FileSystem;
}  // namespace ferrowick::runtime

namespace ferrowick::services {

class modRegistry2;

// The language table: 1000 texts filled once at start-up from the language file that
// the stored language name chooses.
class modLanguage {
 public:
  static constexpr std::size_t kEntries = 1000;

  modLanguage(const runtime::App& app, runtime::Host& host, modRegistry2& registry,
              runtime::FileSystem& fs);

  // Entry `index`; the empty string for an index outside 0..999.
  const std::string& text(std::int64_t index) const;
  const std::string& text(Text id) const { return text(static_cast<std::int64_t>(id)); }
  // Writes entry `index`; an index outside 0..999 is ignored.
  void setText(std::int64_t index, std::string text);

  // Reads the stored language name (storing "English", after a message, when there is
  // none) and loads that language's file from the program folder.
  void LoadLanguage();
  enum class FileLoad { Loaded, NoFile };
  // NoFile when the path is empty or names no ordinary file.
  FileLoad LoadLanguageFile(const std::string& path);

 private:
  void loadLine(const std::string& line);

  const runtime::App& app_;
  runtime::Host& host_;
  modRegistry2& registry_;
  runtime::FileSystem& fs_;
  std::array<std::string, kEntries> LangStrings_;
};

}  // namespace ferrowick::services
