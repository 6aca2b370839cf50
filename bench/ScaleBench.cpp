// Scaling of the copy run, measured against reference tools in the same run; prints the
// figures and never fails on timing. Set TMPDIR to choose the file system (a journaled
// ext4 for disk figures); the bench names the one it is on. Each comparison runs its tools
// in interleaved rounds, the order rotating, each into a destination cleared untimed
// before the run; every copy run is a fresh process, so its peak memory is its own.
//
// bench_scale [folders [files [rounds]]]
//   folders (80,000): trees of 1/8, 1/4, 1/2 and all of that many folders, one 1 KiB file
//     in each, copied by a full run and by `cp -r`: the cost per folder must stay flat.
//   files (1,000,000; 0 skips): one tree of that many empty files, 1,000 to a folder: a
//     full run and the first incremental run against `cp -r` and `rsync -a`, then the
//     unchanged incremental run against `rsync -a` with nothing to do; the peak memory of
//     full runs over a quarter of the tree and over all of it gives the bytes a file.
//   rounds (3): rounds of each comparison.
// bench_scale profile <folders> [runs]
//   only full runs over a tree of that many one-file folders, for a profiler to watch.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchSupport.h"

namespace {

using namespace ferrowick::bench;

// Folders `from` to `to` - 1 in groups of 1,000, each holding one file of `size` bytes.
void makeTree(const fs::path& root, std::size_t from, std::size_t to, std::size_t size) {
  for (std::size_t i = from; i < to; ++i) {
    const fs::path folder = root / ("g" + std::to_string(i / 1000)) / ("d" + std::to_string(i));
    fs::create_directories(folder);
    writeBytes(folder / "f.dat", size, static_cast<unsigned>(i));
  }
}

// Files `from` to `to` - 1, empty, 1,000 to a folder.
void makeFiles(const fs::path& root, std::size_t from, std::size_t to) {
  for (std::size_t f = from; f < to; ++f) {
    const fs::path folder = root / ("d" + std::to_string(f / 1000));
    if (f == from || f % 1000 == 0) fs::create_directories(folder);
    writeBytes(folder / ("f" + std::to_string(f)), 0, 0);
  }
}

// Clears `dest` (and `archive`, when given) untimed, then times `copy` into it.
Tool cleared(std::string name, const fs::path& dest, const fs::path& archive,
             std::function<Timing()> copy) {
  return {std::move(name), [=] {
            fs::remove_all(dest);
            if (!archive.empty()) fs::remove(archive);
            return copy();
          }};
}

Tool cpTool(const fs::path& tree, const fs::path& dest) {
  return cleared("cp -r", dest, {}, [=] {
    return measure([&] { run({"cp", "-r", tree.string(), dest.string()}); });
  });
}

Tool rsyncTool(const fs::path& tree, const fs::path& dest, bool clear) {
  const auto copy = [=] {
    return measure([&] { run({"rsync", "-a", tree.string() + "/", dest.string()}); });
  };
  return clear ? cleared("rsync -a", dest, {}, copy) : Tool{"rsync -a", copy};
}

Tool copyRunTool(std::string name, const fs::path& work, const fs::path& tree, const fs::path& dest,
                 const fs::path& archive, bool incremental) {
  return cleared(std::move(name), dest, archive,
                 [=] { return freshCopyRun(work, archive, tree, dest, incremental); });
}

void folderHeavy(const fs::path& work, std::size_t folders, int rounds) {
  const fs::path tree = work / "folders";
  const fs::path dest = work / "out";
  std::size_t made = 0;
  for (const std::size_t part : {8u, 4u, 2u, 1u}) {
    const std::size_t count = folders / part;
    if (count == 0 || count == made) continue;
    makeTree(tree, made, count, 1024);
    made = count;
    const std::string what = std::to_string(count) + " folders";
    const Rounds result =
        interleave(what,
                   {copyRunTool("full run", work, tree, dest, work / "archive-folders", false),
                    cpTool(tree, dest)},
                   rounds, true);
    printRounds(what, result);
    std::vector<double> ours, theirs;
    for (const Timing& t : result.of("full run")) ours.push_back(t.wall);
    for (const Timing& t : result.of("cp -r")) theirs.push_back(t.wall);
    const double perFolder = 1e6 / static_cast<double>(count);
    std::printf("%-22s median a folder: full run %.1f us, cp -r %.1f us\n", what.c_str(),
                median(ours) * perFolder, median(theirs) * perFolder);
  }
  fs::remove_all(dest);
  fs::remove_all(tree);
}

void manyFiles(const fs::path& work, std::size_t files, int rounds) {
  const fs::path tree = work / "files";
  const fs::path dest = work / "out";
  const fs::path archive = work / "archive-files";
  std::printf("%zu empty files in folders of 1,000\n", files);

  // The memory of a quarter of the tree first, then the rest of the tree is added.
  const std::size_t quarter = files / 4;
  std::vector<Timing> quarterPeaks;
  if (quarter > 0) {
    makeFiles(tree, 0, quarter);
    const std::string what = std::to_string(quarter) + " files";
    const Rounds result = interleave(
        what, {copyRunTool("full run", work, tree, dest, archive, false)}, rounds, false);
    printRounds(what, result);
    quarterPeaks = result.of("full run");
  }
  makeFiles(tree, quarter, files);

  const std::string what = std::to_string(files) + " files";
  const Rounds full = interleave(what,
                                 {copyRunTool("full run", work, tree, dest, archive, false),
                                  copyRunTool("first incremental", work, tree, dest, archive, true),
                                  cpTool(tree, dest), rsyncTool(tree, dest, true)},
                                 rounds, false);
  printTools(what, full);
  printRatio(what, full, "full run", "cp -r");
  printRatio(what, full, "full run", "rsync -a");
  printRatio(what, full, "first incremental", "full run");
  printRatio(what, full, "first incremental", "rsync -a");
  if (quarter > 0) printBytesPerFile(what, quarter, quarterPeaks, files, full.of("full run"));
  fs::remove_all(dest);
  fs::remove(archive);

  // Nothing changed since the last run: the copy run's and rsync's copies both stay.
  const fs::path ours = work / "unchanged-run";
  const fs::path theirs = work / "unchanged-rsync";
  const fs::path kept = work / "archive-unchanged";
  freshCopyRun(work, kept, tree, ours, true);
  run({"rsync", "-a", tree.string() + "/", theirs.string()});
  const std::string unchanged = "unchanged " + what;
  const Rounds again =
      interleave(unchanged,
                 {{"incremental run", [&] { return freshCopyRun(work, kept, tree, ours, true); }},
                  rsyncTool(tree, theirs, false)},
                 rounds, false);
  printRounds(unchanged, again);
  fs::remove_all(ours);
  fs::remove_all(theirs);
  fs::remove_all(tree);
}

std::size_t argument(int argc, char** argv, int index, std::size_t fallback) {
  return argc > index ? std::strtoul(argv[index], nullptr, 10) : fallback;
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto status = serveFreshRun(argc, argv)) return *status;
  if (argc > 2 && std::string(argv[1]) == "profile") {
    const fs::path work = makeScratch();
    makeTree(work / "folders", 0, argument(argc, argv, 2, 10000), 1024);
    for (std::size_t n = argument(argc, argv, 3, 3); n > 0; --n) {
      fs::remove_all(work / "out");
      copyRun(work, work / "archive-profiled", work / "folders", work / "out", false);
    }
    fs::remove_all(work);
    return 0;
  }
  const std::size_t folders = argument(argc, argv, 1, 80000);
  const std::size_t files = argument(argc, argv, 2, 1000000);
  const int rounds = std::max(3, static_cast<int>(argument(argc, argv, 3, 3)));
  int status = 0;
  fs::path work;
  try {
    work = makeScratch();
    printFileSystem(work);
    folderHeavy(work, folders, rounds);
    if (files > 0) manyFiles(work, files, rounds);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench failed: %s\n", e.what());
    status = 1;
  }
  std::error_code ec;
  if (!work.empty()) fs::remove_all(work, ec);
  return status;
}
