#pragma once

#include <string>

namespace ferrowick::engine {

struct EngineContext;

// The files one copy run copies (EngineState::SourceFiles). The list always ends in one
// empty slot; a folder that yields no file leaves an empty slot inside it. Readers skip
// empty paths.
class RunFileList {
 public:
  explicit RunFileList(EngineContext& context);

  // Appends the file with its length. A length that cannot be read raises RuntimeError
  // to the caller; the path is then left in the last slot, which no reader visits.
  void AddSourceFile(const std::string& path);

  // Appends the ordinary files directly in a folder (a path ending in "/", or a pattern
  // ending in "*"), in listing order; with `withArchive` each with its attribute word as
  // the listing read it. A failure (a folder that is gone or cannot be listed) raises
  // RuntimeError to the caller, which reports the item; entries collected before stay.
  void AddSourceFolderFiles(const std::string& folder, bool withArchive = false);

  // Back to the empty list: one empty slot.
  void Reset();

 private:
  EngineContext& ctx_;
};

}  // namespace ferrowick::engine
