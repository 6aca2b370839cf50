#pragma once

#include <string>

namespace ferrowick::runtime {
class App;
class DestinationTree;
class FileSystem;
class MessageBoxes;
}  // namespace ferrowick::runtime

namespace ferrowick::services {

class modLanguage;

// Creates folder paths level by level for the copy run's mirrored destination folders,
// reporting a failure with a message box. Holds no state of its own.
class modMakeDirs {
 public:
  modMakeDirs(const runtime::App& app, runtime::MessageBoxes& messages, const modLanguage& lang,
              runtime::FileSystem& fs);

  // While a run copies: the levels below its destination folder are walked in `tree`,
  // never through a link. Null afterwards.
  void walkBelow(runtime::DestinationTree* tree) { tree_ = tree; }

  // True when the whole path exists at the end. Every missing level is made, outermost
  // first; levels made before a failure stay. On failure shows language text 177 with
  // the path and returns false.
  bool CreatePath(std::string path);

  // The path (surrounding spaces and one trailing separator ignored) names a folder.
  static bool FolderExists(const std::string& path);

  // Makes one level (the parent must exist); true when it exists already or was made.
  bool CreateFolder(const std::string& path);

  // Non-overlapping occurrences of `part`, found from the left; 0 for an empty part.
  static int CountSubstrings(const std::string& text, const std::string& part);

  // Surrounding spaces removed, then cut before the first NUL character.
  static std::string StripNulls(const std::string& text);

 private:
  bool makeLevel(const std::string& path);
  void reportFailure(const std::string& path);

  const runtime::App& app_;
  runtime::MessageBoxes& messages_;
  const modLanguage& lang_;
  runtime::FileSystem& fs_;
  runtime::DestinationTree* tree_ = nullptr;
};

}  // namespace ferrowick::services
