#include "engine/RunFileList.h"

#include "engine/EngineContext.h"
#include "engine/EngineState.h"
#include "runtime/App.h"
#include "runtime/Host.h"
#include "runtime/RuntimeError.h"
#include "runtime/fs/FileSystem.h"

namespace ferrowick::engine {

RunFileList::RunFileList(EngineContext& context) : ctx_(context) {}

void RunFileList::AddSourceFile(const std::string& path) {
  std::vector<SourceFileEntry>& files = ctx_.state.SourceFiles;
  files.back().Path = path;
  files.back().Size = ctx_.fs.fileLength(path);
  files.emplace_back();
}

void RunFileList::AddSourceFolderFiles(const std::string& folder) {
  std::string pattern = folder;
  if (pattern.empty() || pattern.back() != '*') pattern += "*.*";
  // The folder is everything up to the pattern's last separator, whatever the pattern.
  const auto slash = pattern.rfind('/');
  const std::string folderPath = slash == std::string::npos ? "" : pattern.substr(0, slash + 1);

  std::vector<SourceFileEntry>& files = ctx_.state.SourceFiles;
  // The slot that was last takes the first file; a folder without files leaves it empty.
  std::size_t slot = files.size() - 1;
  files.emplace_back();
  try {
    for (const std::string& name : ctx_.fs.list(pattern, false)) {
      SourceFileEntry& entry = files[slot];
      entry.Path = folderPath + name;
      entry.Size = ctx_.fs.fileLength(entry.Path);
      if (slot + 1 == files.size()) files.emplace_back();
      slot = files.size() - 1;
    }
  } catch (const runtime::RuntimeError& e) {
    ctx_.host.messages.show(std::to_string(e.number()) + ":" + e.description(),
                            runtime::MsgStyle::Critical, ctx_.app.title());
  }
}

void RunFileList::Reset() { ctx_.state.SourceFiles.assign(1, SourceFileEntry{}); }

}  // namespace ferrowick::engine
