#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "runtime/fs/StagedFile.h"
#include "runtime/profile/FoldedIndex.h"

namespace ferrowick::runtime {

class Faults;

// An INI profile file in memory: "[Section]" lines and "key=value" lines below them.
// Section and key names match without regard to case; values are kept exactly. Any line
// end is read; CR LF is written. Lines the reader does not understand (comments, text
// without "=") are kept as they stand.
//
// Whitespace around names and values is not part of them, and a value enclosed in a
// matching pair of quotes loses the pair when read. A value that would change on the way
// back is therefore written inside double quotes, so whatever is written reads back the
// same.
class ProfileDocument {
 public:
  // The largest buffer size worth asking for; read() copies at most size - 1 bytes.
  static constexpr std::size_t kDefaultBufferSize = 255;

  ProfileDocument() = default;

  // The file's document; a missing file (or folder) gives an empty one. Any other failure
  // to read raises the runtime's error. Fault name ReadProfile.
  static ProfileDocument load(const std::filesystem::path& file, Faults* faults = nullptr);
  static ProfileDocument parse(std::string_view text);
  // The bytes that load() parses.
  static std::string readFile(const std::filesystem::path& file, Faults* faults = nullptr);

  bool hasSection(std::string_view section) const;

  // The whole value, or nullptr when the section or the key is missing.
  const std::string* find(std::string_view section, std::string_view key) const;

  // As the system's profile read: copies at most `size` - 1 bytes of the value into `out`
  // (never splitting a character) and returns the count; 0 when the section or key is
  // missing or the value is empty.
  std::size_t read(std::string_view section, std::string_view key, std::string& out,
                   std::size_t size = kDefaultBufferSize) const;
  // The cut that read() applies, for any text.
  static std::size_t copyCut(std::string_view value, std::string& out,
                             std::size_t size = kDefaultBufferSize);

  // As the system's profile write: creates the section when missing and replaces the value
  // of an existing key. Returns 0, changing nothing, when the text cannot be stored (a line
  // break or NUL inside, or a name that the file's syntax cannot hold); else 1.
  int write(std::string_view section, std::string_view key, std::string_view value);

  // The file's bytes.
  std::string text() const;

  // Writes the whole document beside the file, ready to replace it (StagedFile).
  StagedFile stage(const std::filesystem::path& file, Faults* faults = nullptr) const;
  // Replaces the file with the document in one step.
  void save(const std::filesystem::path& file, Faults* faults = nullptr) const;

 private:
  struct Line {
    std::string text;   // the line as written, without its line end
    std::string value;  // the value of a key line
    bool isKey = false;
    std::size_t keyStart = 0;  // where a key line's name stands in `text`
    std::size_t keyLength = 0;
    std::string_view key() const { return std::string_view(text).substr(keyStart, keyLength); }
  };
  struct Section {
    std::string header;  // the "[name]" line as written
    std::vector<Line> lines;
    FoldedIndex keys;  // name -> first line with it
    std::size_t findKey(std::string_view key) const;
    std::size_t addKey(std::string_view key, std::size_t line);
  };

  Section& sectionFor(std::string_view name);
  void addLine(std::string_view line);

  std::vector<std::string> preamble_;  // lines before the first section
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> sectionIndex_;  // folded name -> first
};

}  // namespace ferrowick::runtime
