// Times the source list's subfolder walk on generated trees against `find -type d` on
// the same trees, in the same run, and prints the ratios. Never fails on timing.

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "engine/EngineContext.h"
#include "engine/EngineState.h"
#include "engine/MemoryMainWindow.h"
#include "engine/SourceList.h"
#include "runtime/App.h"
#include "runtime/fs/FileSystem.h"
#include "runtime/registry/RegistryStore.h"
#include "services/modLanguage.h"
#include "services/modRegistry2.h"
#include "support/ScriptedHost.h"

namespace {

namespace fs = std::filesystem;
using namespace ferrowick;

double seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The better of two runs: the first warms the page and dentry caches.
double best(const std::function<void()>& work) {
  const double first = seconds(work);
  const double second = seconds(work);
  return first < second ? first : second;
}

double findFolders(const fs::path& root) {
  const std::string command = "find '" + root.string() + "' -type d > /dev/null";
  return best([&] {
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "find failed\n");
  });
}

void makeFolder(const fs::path& path) {
  if (::mkdir(path.c_str(), 0755) != 0) {
    std::perror(path.c_str());
    std::exit(1);
  }
}

// 10 top folders, 10 below each, 199 below each of those: 20,010 folders, with two
// files in each middle folder so the listings hold files too.
std::size_t makeWideTree(const fs::path& root) {
  std::size_t folders = 0;
  makeFolder(root);
  for (int a = 0; a < 10; ++a) {
    const fs::path top = root / ("top" + std::to_string(a));
    makeFolder(top);
    ++folders;
    for (int b = 0; b < 10; ++b) {
      const fs::path middle = top / ("mid" + std::to_string(b));
      makeFolder(middle);
      ++folders;
      for (const char* name : {"notes.txt", "data.bin"}) {
        if (FILE* file = std::fopen((middle / name).c_str(), "w")) std::fclose(file);
      }
      for (int c = 0; c < 199; ++c) {
        makeFolder(middle / ("leaf" + std::to_string(c)));
        ++folders;
      }
    }
  }
  return folders;
}

std::size_t makeFlatTree(const fs::path& root) {
  makeFolder(root);
  for (int i = 0; i < 10000; ++i) makeFolder(root / ("sub" + std::to_string(i)));
  return 10000;
}

struct Engine {
  explicit Engine(const fs::path& scratch)
      : files(scratch / "archive.db"),
        store(scratch / "registry", scratch / "autostart"),
        registry(store),
        lang(app, scripted.host, registry, files) {}

  runtime::App app{"Ferrowick", "/", "ferrowick", {}, false};
  testing::ScriptedHost scripted;
  runtime::FileSystem files;
  runtime::RegistryStore store;
  services::modRegistry2 registry;
  services::modLanguage lang;
  engine::MemoryMainWindow view;
  engine::EngineState state;
  engine::EngineContext ctx{app, scripted.host, files, lang, view, state};
  engine::SourceList sources{ctx};
};

void report(const char* what, double ours, double find, std::size_t items) {
  std::printf("%-44s %8.1f ms  find -type d %7.1f ms  ratio %5.2f  (%zu items)\n", what, ours * 1e3,
              find * 1e3, ours / find, items);
}

}  // namespace

int main() {
  std::string pattern = (fs::temp_directory_path() / "ferrowick-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    std::perror("mkdtemp");
    return 1;
  }
  const fs::path scratch = pattern;
  ferrowick::bench::printFileSystem(scratch);
  const fs::path wide = scratch / "wide";
  const fs::path flat = scratch / "flat";
  const std::size_t wideFolders = makeWideTree(wide);
  const std::size_t flatFolders = makeFlatTree(flat);
  std::printf("trees: %zu folders (three levels), %zu subfolders of one folder\n", wideFolders,
              flatFolders);

  const double findWide = findFolders(wide);
  const double findFlat = findFolders(flat);

  {
    Engine engine(scratch);
    const double walk = best([&] {
      engine.state.SubfolderList.clear();
      engine.sources.CollectSubfolders(wide.string() + "/");
    });
    report("walk alone (CollectSubfolders)", walk, findWide, engine.state.SubfolderList.size());
    engine.state.SubfolderList.clear();
  }
  {
    // One folder item: the refresh adds an item for every folder below it.
    double first = 0;
    std::size_t items = 0;
    for (int run = 0; run < 2; ++run) {
      Engine engine(scratch);
      engine.view.lstSource_.addItem(wide.string() + "/*.*");
      const double took = seconds([&] { engine.sources.RefreshSourceList(); });
      first = run == 0 || took < first ? took : first;
      items = engine.view.lstSource_.count();
    }
    report("refresh, one folder item (adds all)", first, findWide, items);

    // How much of that is the in-memory list box placing each item in sorted order.
    std::vector<std::string> all;
    Engine engine(scratch);
    engine.view.lstSource_.addItem(wide.string() + "/*.*");
    engine.sources.RefreshSourceList();
    for (std::size_t i = 0; i < engine.view.lstSource_.count(); ++i) {
      all.push_back(engine.view.lstSource_.item(i));
    }
    std::shuffle(all.begin(), all.end(), std::mt19937(7));
    const double inserts = best([&] {
      runtime::MemoryListBox list(true);
      for (const auto& item : all) list.addItem(item);
    });
    const double bulk = best([&] {
      runtime::MemoryListBox list(true);
      list.addItems(all);
    });
    std::printf("  the sorted list box: one at a time %.1f ms, as one batch %.1f ms\n",
                inserts * 1e3, bulk * 1e3);
  }
  {
    // Every folder is an item already, as at each later start and run.
    Engine engine(scratch);
    engine.view.lstSource_.addItem(wide.string() + "/*.*");
    engine.sources.RefreshSourceList();
    const double steady = best([&] { engine.sources.RefreshSourceList(); });
    report("refresh, every folder an item", steady, findWide, engine.view.lstSource_.count());
  }
  {
    double add = 0;
    std::size_t items = 0;
    for (int run = 0; run < 2; ++run) {
      Engine engine(scratch);
      engine.view.dirSource_.setPath(flat.string());
      const double took = seconds([&] { engine.sources.AddSelectedSources(false, true); });
      add = run == 0 || took < add ? took : add;
      items = engine.view.lstSource_.count();
    }
    report("add folder with subfolders (10,000)", add, findFlat, items);
  }

  std::error_code ec;
  fs::remove_all(scratch, ec);
  return 0;
}
