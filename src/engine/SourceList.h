#pragma once

#include <string>
#include <unordered_set>
#include <vector>

namespace ferrowick::engine {

struct EngineContext;
class OwnBackup;

// The source list `lstSource`: adding the chosen folder, its subfolders or the chosen
// files, and expanding every folder item into items for its subfolders before a run.
// Folder items are the folder, "/", then "*.*" ("/*.*" for the root); file items are
// full paths. No item is added twice (exact, case-sensitive comparison).
class SourceList {
 public:
  explicit SourceList(EngineContext& context);

  // The folder of `dirSource`: with `addFiles`, the files selected in `fileSource`;
  // otherwise the folder itself, after its subfolders when `withSubfolders`. Each
  // rejected duplicate gets a message; a failure ends the work with a message.
  void AddSelectedSources(bool addFiles, bool withSubfolders);

  // Appends to SubfolderList every plain folder below `path` (attribute word exactly
  // Directory), in pre-order, siblings in listing order, without a trailing separator.
  // A path without a trailing separator is itself recorded first. A link to a folder is
  // not a plain folder: it is neither recorded nor entered, so no link can make the walk
  // go round in a circle. Raises RuntimeError.
  void CollectSubfolders(const std::string& path);

  // Adds, silently, an item for every current subfolder of every folder item present
  // when it starts. Never removes an item. A folder that cannot be listed is passed over:
  // the run reports it when it lists the folder's files. Items that are not absolute
  // paths, and the destination with everything below it, are not walked.
  void RefreshSourceList();

 private:
  class Items;

  // The duplicate rule: `item` is one of the items of `lstSource` (exact comparison), as
  // the operation's `items` hold them.
  static bool IsInSourceList(const Items& items, const std::string& item);
  // With `own`, a folder that cannot be listed is passed over, and the backup is left out.
  void collect(const std::string& start, std::unordered_set<std::string>* walked,
               const OwnBackup* own = nullptr);
  void offer(Items& items, const std::string& candidate);
  std::vector<std::string> takeSubfolders();

  EngineContext& ctx_;
};

}  // namespace ferrowick::engine
