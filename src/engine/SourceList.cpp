#include "engine/SourceList.h"

#include <utility>

#include "engine/EngineContext.h"
#include "engine/EngineState.h"
#include "engine/MainWindowView.h"
#include "engine/OwnBackup.h"
#include "runtime/App.h"
#include "runtime/BusyScope.h"
#include "runtime/Host.h"
#include "runtime/RuntimeError.h"
#include "runtime/fs/FileSystem.h"
#include "services/modLanguage.h"

namespace ferrowick::engine {

using services::Text;

namespace {
constexpr const char* kFolderItemEnd = "/*.*";

bool isFolderItem(const std::string& item) { return item.ends_with(kFolderItemEnd); }
}  // namespace

// The items of `lstSource` as a set for the duplicate test, kept in step with what this
// operation adds. New items wait in a batch that goes into the list in one merge.
class SourceList::Items {
 public:
  explicit Items(runtime::ListBox& list) : list_(list) { reload(); }

  bool contains(const std::string& item) const { return set_.contains(item); }

  void add(const std::string& item) {
    pending_.push_back(item);
    set_.insert(item);
  }

  // Puts the waiting items into the list; before anything else can see the list.
  void flush() {
    if (pending_.empty()) return;
    list_.addItems(pending_);
    pending_.clear();
  }

  // A message box runs other handlers while it is open; they may have changed the list.
  void reload() {
    set_.clear();
    const std::size_t count = list_.count();
    set_.reserve(count);
    for (std::size_t i = 0; i < count; ++i) set_.insert(list_.item(i));
  }

 private:
  runtime::ListBox& list_;
  std::unordered_set<std::string> set_;
  std::vector<std::string> pending_;
};

SourceList::SourceList(EngineContext& context) : ctx_(context) {}

void SourceList::AddSelectedSources(bool addFiles, bool withSubfolders) {
  const runtime::BusyScope busy(ctx_.host.pointer);
  try {
    std::string folder = ctx_.view.dirSource().path();
    // Only an absolute path names the same folder wherever the program starts.
    if (folder.empty() || folder.front() != '/') runtime::raise(runtime::Err::PathNotFound);
    if (folder.back() != '/') folder += '/';
    Items items(ctx_.view.lstSource());

    if (addFiles) {
      runtime::ListBox& files = ctx_.view.fileSource();
      for (std::size_t k = 0; k < files.count(); ++k) {
        if (files.selected(k)) offer(items, folder + files.item(k));
      }
      items.flush();
      return;
    }
    if (withSubfolders) {
      CollectSubfolders(folder);
      for (const std::string& subfolder : takeSubfolders()) {
        offer(items, subfolder + kFolderItemEnd);
      }
    }
    offer(items, folder + "*.*");
    items.flush();
  } catch (const runtime::RuntimeError& e) {
    ctx_.state.SubfolderList.clear();
    ctx_.host.messages.show(std::to_string(e.number()) + "\n" + e.description(),
                            runtime::MsgIcon::Critical, ctx_.app.title());
  }
}

void SourceList::offer(Items& items, const std::string& candidate) {
  if (!IsInSourceList(items, candidate)) {
    items.add(candidate);
    return;
  }
  // The message box lets other handlers run: they see every item offered so far.
  items.flush();
  ctx_.host.messages.show(ctx_.lang.text(Text::AlreadyInSourceList) + "\n\n" + candidate,
                          runtime::MsgIcon::Exclamation, ctx_.app.title());
  items.reload();
}

bool SourceList::IsInSourceList(const Items& items, const std::string& item) {
  return items.contains(item);
}

void SourceList::CollectSubfolders(const std::string& path) { collect(path, nullptr); }

void SourceList::RefreshSourceList() {
  runtime::ListBox& list = ctx_.view.lstSource();
  std::vector<std::string> present;
  present.reserve(list.count());
  for (std::size_t i = 0; i < list.count(); ++i) present.push_back(list.item(i));
  Items items(list);
  const OwnBackup own(ctx_.fs, ctx_.view.txtDest().text(), present);

  // Folders whose whole subtree this pass has collected. An item below a folder item is
  // walked once, not once more for each folder item above it.
  std::unordered_set<std::string> walked;
  try {
    for (const std::string& item : present) {
      if (!isFolderItem(item) || item.front() != '/') continue;
      const std::string folder = item.substr(0, item.size() - 3);
      if (walked.contains(folder) || own.holds(folder)) continue;
      collect(folder, &walked, &own);
      for (const std::string& subfolder : takeSubfolders()) {
        const std::string candidate = subfolder + kFolderItemEnd;
        if (!IsInSourceList(items, candidate)) items.add(candidate);
      }
    }
  } catch (...) {
    // The folders found before the failure stay added.
    items.flush();
    ctx_.state.SubfolderList.clear();
    throw;
  }
  items.flush();
}

// Pre-order walk below `start`, each folder listed once. With `walked`, a folder already
// in it is recorded but not entered again, and every folder finished here is added.
void SourceList::collect(const std::string& start, std::unordered_set<std::string>* walked,
                         const OwnBackup* own) {
  if (start.empty()) return;
  std::vector<std::string>& found = ctx_.state.SubfolderList;
  std::string folder = start;
  if (folder.back() != '/') {
    found.push_back(folder);
    folder += '/';
  }

  struct Level {
    std::string folder;  // with its trailing separator
    std::vector<std::string> subfolders;
    std::size_t next = 0;
  };
  const auto plainSubfolders = [this, own](const std::string& parent) {
    if (own == nullptr) return ctx_.fs.listPlainFolders(parent);
    try {
      return ctx_.fs.listPlainFolders(parent, own->id());
    } catch (const runtime::RuntimeError&) {
      return std::vector<std::string>{};
    }
  };

  std::vector<Level> stack;
  std::vector<std::string> top = plainSubfolders(folder);
  stack.push_back({std::move(folder), std::move(top)});
  while (!stack.empty()) {
    Level& level = stack.back();
    if (level.next == level.subfolders.size()) {
      if (walked != nullptr) walked->insert(std::move(level.folder));
      stack.pop_back();
      continue;
    }
    std::string path = level.folder + level.subfolders[level.next++];
    found.push_back(path);
    path += '/';
    if (walked != nullptr && walked->contains(path)) continue;
    std::vector<std::string> below = plainSubfolders(path);
    stack.push_back({std::move(path), std::move(below)});
  }
}

std::vector<std::string> SourceList::takeSubfolders() {
  return std::exchange(ctx_.state.SubfolderList, {});
}

}  // namespace ferrowick::engine
