// Scaling of the copy run, measured against reference tools in the same run; prints the
// figures and never fails on timing. Set TMPDIR to run on tmpfs.
//
// bench_scale [folders] [files]
//   folders (80,000): trees of 1/8, 1/4, 1/2 and all of that many folders, one 1 KiB file
//     in each, copied by a full run and by `cp -r`: the cost per folder must stay flat.
//   files (1,000,000; 0 skips): one tree of that many empty files, 1,000 to a folder: a
//     full run against `cp -r`, then the first and the unchanged incremental runs against
//     `rsync -a`, each run's peak memory with it.
// bench_scale profile <folders> [runs]
//   only full runs over a tree of that many one-file folders, for a profiler to watch.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchSupport.h"

namespace {

using namespace ferrowick::bench;

// `count` folders in groups of 1,000, each holding one file of `size` bytes.
void makeTree(const fs::path& root, std::size_t count, std::size_t groupSize, std::size_t size) {
  for (std::size_t i = 0; i < count; ++i) {
    const fs::path folder =
        root / ("g" + std::to_string(i / groupSize)) / ("d" + std::to_string(i));
    fs::create_directories(folder);
    writeBytes(folder / "f.dat", size, static_cast<unsigned>(i));
  }
}

double bestOfTwo(const std::function<void(const fs::path&)>& copy, const fs::path& work) {
  double fastest = 0;
  for (int round = 0; round < 2; ++round) {
    const fs::path dest = work / "out";
    const double took = measure([&] { copy(dest); }).wall;
    fastest = round == 0 || took < fastest ? took : fastest;
    fs::remove_all(dest);
  }
  return fastest;
}

void folderHeavy(const fs::path& work, std::size_t folders) {
  for (const std::size_t part : {8u, 4u, 2u, 1u}) {
    const std::size_t count = folders / part;
    if (count == 0) continue;
    const fs::path tree = work / "folders";
    makeTree(tree, count, 1000, 1024);
    const double cp = bestOfTwo(
        [&](const fs::path& d) {
          run({"cp", "-r", tree.string(), d.string()});
        },
        work);
    const double ours = bestOfTwo(
        [&](const fs::path& d) { copyRun(work, work / "archive-folders", tree, d, false); }, work);
    const double perFolder = 1e6 / static_cast<double>(count);
    std::printf(
        "%7zu folders: copy run %7.3f s (%5.1f us a folder), cp -r %7.3f s (%5.1f us a "
        "folder), ratio %.2f\n",
        count, ours, ours * perFolder, cp, cp * perFolder, ours / cp);
    std::fflush(stdout);
    fs::remove_all(tree);
  }
}

struct Measured {
  double wall = 0;
  Peak peak;
};

// One copy run in a child process: its wall time and its peak memory.
Measured measuredRun(const fs::path& work, const fs::path& archive, const fs::path& tree,
                     const fs::path& dest, bool incremental) {
  Measured measured;
  measured.wall = measure([&] {
                    measured.peak =
                        peakMemory([&] { copyRun(work, archive, tree, dest, incremental); });
                  }).wall;
  return measured;
}

void manyFiles(const fs::path& work, std::size_t files) {
  const fs::path tree = work / "files";
  for (std::size_t folder = 0; folder * 1000 < files; ++folder) {
    const fs::path path = tree / ("d" + std::to_string(folder));
    fs::create_directories(path);
    for (std::size_t f = folder * 1000; f < files && f < (folder + 1) * 1000; ++f) {
      writeBytes(path / ("f" + std::to_string(f)), 0, 0);
    }
  }
  const auto show = [&](const char* what, const Measured& ours, const char* tool, double theirs) {
    std::printf(
        "%-22s copy run %7.3f s, %-8s %7.3f s, ratio %.2f; peak %ld KiB (%ld at start, "
        "%.0f B a file)\n",
        what, ours.wall, tool, theirs, ours.wall / theirs, ours.peak.peakKiB, ours.peak.startKiB,
        static_cast<double>(ours.peak.peakKiB - ours.peak.startKiB) * 1024.0 /
            static_cast<double>(files));
    std::fflush(stdout);
  };
  std::printf("%zu empty files in folders of 1,000\n", files);

  const fs::path cpDest = work / "cp";
  const double cp = measure([&] { run({"cp", "-r", tree.string(), cpDest.string()}); }).wall;
  fs::remove_all(cpDest);
  const fs::path fullDest = work / "full";
  show("full run", measuredRun(work, work / "archive-full", tree, fullDest, false), "cp -r", cp);
  fs::remove_all(fullDest);

  // Three copies of the tree at once would pass the inode limit of a default tmpfs: rsync's
  // copy goes before the copy run's are made.
  const fs::path rsyncDest = work / "rsync";
  const std::vector<std::string> rsync{"rsync", "-a", tree.string() + "/", rsyncDest.string()};
  const double rsyncFirst = measure([&] { run(rsync); }).wall;
  const double rsyncAgain = measure([&] { run(rsync); }).wall;
  fs::remove_all(rsyncDest);
  const fs::path incrDest = work / "incremental";
  const fs::path archive = work / "archive-incremental";
  show("first incremental run", measuredRun(work, archive, tree, incrDest, true), "rsync -a",
       rsyncFirst);
  show("unchanged incremental", measuredRun(work, archive, tree, incrDest, true), "rsync -a",
       rsyncAgain);
  fs::remove_all(incrDest);
  fs::remove_all(tree);
}

std::size_t argument(int argc, char** argv, int index, std::size_t fallback) {
  return argc > index ? std::strtoul(argv[index], nullptr, 10) : fallback;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 && std::string(argv[1]) == "profile") {
    const fs::path work = makeScratch();
    makeTree(work / "folders", argument(argc, argv, 2, 10000), 1000, 1024);
    for (std::size_t n = argument(argc, argv, 3, 3); n > 0; --n) {
      fs::remove_all(work / "out");
      copyRun(work, work / "archive-profiled", work / "folders", work / "out", false);
    }
    fs::remove_all(work);
    return 0;
  }
  const std::size_t folders = argument(argc, argv, 1, 80000);
  const std::size_t files = argument(argc, argv, 2, 1000000);
  int status = 0;
  fs::path work;
  try {
    work = makeScratch();
    folderHeavy(work, folders);
    if (files > 0) manyFiles(work, files);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench failed: %s\n", e.what());
    status = 1;
  }
  std::error_code ec;
  if (!work.empty()) fs::remove_all(work, ec);
  return status;
}
