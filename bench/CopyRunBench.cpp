// Times full copy runs with the log on (which end with their copies flushed to the disk)
// against `cp -a`, `cp -a` followed by `sync -f` of the destination, and `rsync -a` of the
// same tree, on tmpfs (/dev/shm) and on the disk (TMPDIR, else /tmp; disk figures belong
// on a journaled ext4), naming each file system: 20,000 files of 4 KiB in 200 folders, and
// 4 files of 256 MiB. On the small tree it also times the first incremental run (empty
// archive) against the full run and the incremental run with nothing changed against
// `rsync -a` with nothing to do; on tmpfs, the peak memory of full runs over a quarter of
// the small tree and over all of it gives the bytes a file. Every copy run is a fresh
// process, so its peak is its own. Each comparison runs once to warm the page cache, then
// in rounds whose order rotates, each run into a destination cleared untimed before it,
// and prints min/median/max. Prints the figures and never fails on timing.
//
//   bench_copyrun [small|large|all [folders]]    folders of 100 files in the small tree
//   bench_copyrun profile <full|first|unchanged> [runs]

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchSupport.h"

namespace {

using namespace ferrowick::bench;

// Clears the one destination all tools share untimed, so that no more than one copy of
// a tree is kept at a time, then times `copy` into it.
Tool cleared(std::string name, const fs::path& dest, std::function<void()> copy) {
  return {std::move(name), [=] {
            fs::remove_all(dest);
            return measure(copy);
          }};
}

std::vector<Tool> fullRunTools(const fs::path& work, const fs::path& tree) {
  const std::string source = tree.string();
  const fs::path dest = work / "out";
  const std::string d = dest.string();
  const fs::path archive = work / "archive.db";
  return {
      {"full run",
       [=] {
         fs::remove_all(dest);
         return freshCopyRun(work, archive, tree, dest, false);
       }},
      cleared("cp -a", dest,
              [=] {
                run({"cp", "-a", source, d});
              }),
      cleared("cp -a+sync -f", dest,
              [=] {
                run({"cp", "-a", source, d});
                run({"sync", "-f", d});
              }),
      cleared("rsync -a", dest,
              [=] {
                run({"rsync", "-a", source + "/", d});
              }),
  };
}

void compare(const std::string& what, const std::vector<Tool>& tools, int rounds) {
  printRounds(what, interleave(what, tools, rounds, true));
}

void incrementalRuns(const std::string& label, const fs::path& work, const fs::path& tree,
                     int rounds) {
  // Every first incremental run starts with an empty archive of its own.
  const fs::path dest = work / "out";
  const fs::path archive = work / "archive-first";
  const auto fresh = [=](std::string name, bool incremental) {
    return Tool{std::move(name), [=] {
                  fs::remove_all(dest);
                  fs::remove(archive);
                  return freshCopyRun(work, archive, tree, dest, incremental);
                }};
  };
  compare("first incr " + label, {fresh("first incremental", true), fresh("full run", false)},
          rounds);
  fs::remove_all(dest);

  // Nothing changed since the last run: the same destination and archive every time.
  const fs::path ours = work / "unchanged-run";
  const fs::path theirs = work / "unchanged-rsync";
  const fs::path kept = work / "archive-unchanged";
  const std::vector<std::string> rsync{"rsync", "-a", tree.string() + "/", theirs.string()};
  copyRun(work, kept, tree, ours, true);
  run(rsync);
  compare("unchanged " + label,
          {{"incremental run", [=] { return freshCopyRun(work, kept, tree, ours, true); }},
           {"rsync -a", [=] { return measure([&] { run(rsync); }); }}},
          rounds);
  fs::remove_all(ours);
  fs::remove_all(theirs);
}

// `folders` folders of 100 files of 4 KiB.
void makeSmallTree(const fs::path& tree, int folders) {
  for (int d = 0; d < folders; ++d) {
    const fs::path folder = tree / ("d" + std::to_string(d));
    fs::create_directories(folder);
    for (int f = 0; f < 100; ++f) {
      writeBytes(folder / ("f" + std::to_string(f) + ".dat"), 4096,
                 static_cast<unsigned>(d * 100 + f));
    }
  }
}

// Full runs over a quarter of the tree and over all of it, each in a fresh process: the
// difference in their peaks is what a file costs.
void peakPerFile(const fs::path& work, const fs::path& tree, int folders, int rounds) {
  const fs::path quarter = work / "quarter";
  makeSmallTree(quarter, folders / 4);
  const fs::path dest = work / "out";
  const fs::path archive = work / "archive-peak";
  const auto fullRun = [&](std::string name, const fs::path& source) {
    return Tool{std::move(name), [=] {
                  fs::remove_all(dest);
                  fs::remove(archive);
                  return freshCopyRun(work, archive, source, dest, false);
                }};
  };
  const Rounds peaks =
      interleave("peak", {fullRun("quarter", quarter), fullRun("whole", tree)}, rounds, false);
  printBytesPerFile("peak", static_cast<std::size_t>(folders / 4) * 100, peaks.of("quarter"),
                    static_cast<std::size_t>(folders) * 100, peaks.of("whole"));
  fs::remove_all(dest);
  fs::remove_all(quarter);
}

// Only runs of one kind on the small tree, `runs` times, for a profiler to watch: "full",
// "first" (first incremental) or "unchanged" (incremental with nothing changed).
void runsToProfile(const fs::path& work, const fs::path& tree, const std::string& kind, int runs) {
  const fs::path archive = work / "archive-profiled";
  const fs::path dest = work / "profiled";
  if (kind == "unchanged") copyRun(work, archive, tree, dest, true);
  for (int n = 0; n < runs; ++n) {
    if (kind != "unchanged") {
      fs::remove_all(dest);
      fs::remove(archive);
    }
    copyRun(work, archive, tree, dest, kind != "full");
  }
}

// The small and the large tree on one file system, below `base`.
void onFileSystem(const fs::path& base, const std::string& only, bool first, int folders) {
  const fs::path work = makeScratch(base);
  printFileSystem(work);
  const std::string kind = fileSystemOf(work);
  const std::string label = kind.substr(0, kind.find(','));
  try {
    if (only != "large") {
      const fs::path tree = work / "small";
      makeSmallTree(tree, folders);
      compare("small " + label, fullRunTools(work, tree), 5);
      incrementalRuns(label, work, tree, 4);
      if (first) peakPerFile(work, tree, folders, 3);
      fs::remove_all(tree);
    }
    if (only != "small") {
      const fs::path tree = work / "large";
      fs::create_directories(tree);
      for (int f = 0; f < 4; ++f) {
        writeBytes(tree / ("f" + std::to_string(f) + ".dat"), std::size_t{256} << 20,
                   static_cast<unsigned>(f));
      }
      compare("large " + label, fullRunTools(work, tree), 3);
    }
  } catch (...) {
    std::error_code ec;
    fs::remove_all(work, ec);
    throw;
  }
  fs::remove_all(work);
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto status = serveFreshRun(argc, argv)) return *status;
  // "small" or "large" runs one tree only, "all" both; a number after it is the small
  // tree's folders of 100 files (200). "profile <kind> [runs]": see runsToProfile.
  const std::string only = argc > 1 && std::string(argv[1]) != "all" ? argv[1] : "";
  const int folders = argc > 2 && only != "profile" ? std::max(4, std::atoi(argv[2])) : 200;
  try {
    if (only == "profile") {
      const fs::path work = makeScratch();
      const fs::path small = work / "small";
      makeSmallTree(small, folders);
      runsToProfile(work, small, argc > 2 ? argv[2] : "full", argc > 3 ? std::atoi(argv[3]) : 3);
      fs::remove_all(work);
      return 0;
    }
    onFileSystem("/dev/shm", only, true, folders);
    onFileSystem(fs::temp_directory_path(), only, false, folders);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench failed: %s\n", e.what());
    return 1;
  }
  return 0;
}
