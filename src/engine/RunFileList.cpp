#include "engine/RunFileList.h"

#include "engine/EngineContext.h"
#include "engine/EngineState.h"
#include "runtime/App.h"
#include "runtime/Host.h"
#include "runtime/RuntimeError.h"
#include "runtime/fs/FileSystem.h"

namespace ferrowick::engine {

namespace {
// A length that cannot be read leaves the path in its slot, with no length.
template <typename ReadLength>
auto lengthOrLeft(RunFileListTable& files, std::size_t slot, const std::string& path,
                  const ReadLength& read) {
  try {
    return read();
  } catch (...) {
    files.put(slot, path, 0);
    throw;
  }
}
}  // namespace

RunFileList::RunFileList(EngineContext& context) : ctx_(context) {}

void RunFileList::AddSourceFile(const std::string& path) {
  RunFileListTable& files = ctx_.state.SourceFiles;
  const std::size_t last = files.size() - 1;
  files.put(last, path, lengthOrLeft(files, last, path, [&] { return ctx_.fs.fileLength(path); }));
  files.grow();
}

void RunFileList::AddSourceFolderFiles(const std::string& folder, bool withArchive) {
  std::string pattern = folder;
  if (pattern.empty() || pattern.back() != '*') pattern += "*.*";
  // The folder is everything up to the pattern's last separator, whatever the pattern.
  const auto slash = pattern.rfind('/');
  const std::string folderPath = slash == std::string::npos ? "" : pattern.substr(0, slash + 1);

  RunFileListTable& files = ctx_.state.SourceFiles;
  // The slot that was last takes the first file; a folder without files leaves it empty.
  std::size_t slot = files.size() - 1;
  files.grow();
  std::string path;
  ctx_.fs.listFiles(
      pattern, withArchive, [&](std::string_view name, const runtime::FileSystem::Look& look) {
        path.assign(folderPath).append(name);
        const auto listed = lengthOrLeft(files, slot, path, [&] { return look(path); });
        files.put(slot, path, listed.length, listed.attributes);
        if (slot + 1 == files.size()) files.grow();
        slot = files.size() - 1;
      });
}

void RunFileList::Reset() { ctx_.state.SourceFiles.reset(); }

}  // namespace ferrowick::engine
