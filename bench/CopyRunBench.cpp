// Times full copy runs with the log on (which end with their copies flushed to the disk)
// against `cp -a`, `cp -a` followed by `sync -f` of the destination, and `rsync -a` of the
// same tree, in the same process, on tmpfs (/dev/shm) and on the disk (TMPDIR, else /tmp):
// 20,000 files of 4 KiB in 200 folders, and 4 files of 256 MiB. On the small tree on tmpfs
// it also times the first incremental run (empty archive) against the full run, the
// incremental run with nothing changed against `rsync -a` with nothing to do, and measures
// a full run's peak memory. Each tool runs once to warm the page cache, then several times
// in turns, each time into a fresh destination after a sync. Prints the figures and never
// fails on timing.

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

struct Tool {
  std::string name;
  std::function<void(const fs::path& dest)> copy;
};

// Runs every tool once cold, then `rounds` times in rotating order, and prints each
// tool's best and median against the first tool (ours).
void compare(const char* what, const fs::path& work, const std::vector<Tool>& tools, int rounds,
             bool removeEachRun) {
  int serial = 0;
  std::vector<fs::path> left;
  const auto timeTool = [&](const Tool& tool) {
    const fs::path dest = work / ("out-" + std::to_string(++serial));
    const Timing timing = measure([&] { tool.copy(dest); });
    if (removeEachRun) {
      fs::remove_all(dest);
    } else {
      left.push_back(dest);
    }
    return timing;
  };
  std::map<std::string, std::vector<double>> wall, cpu;
  for (int round = -1; round < rounds; ++round) {
    std::printf("%-12s %-5s", what, round < 0 ? "cold" : "warm");
    for (std::size_t k = 0; k < tools.size(); ++k) {
      // Rotating the order keeps any tool from always following the same one.
      const Tool& tool = tools[(k + static_cast<std::size_t>(round + 1)) % tools.size()];
      const Timing timing = timeTool(tool);
      std::printf("  %s %.3f s", tool.name.c_str(), timing.wall);
      if (round < 0) continue;
      wall[tool.name].push_back(timing.wall);
      cpu[tool.name].push_back(timing.cpu);
    }
    std::printf("\n");
  }
  const std::string& ours = tools.front().name;
  for (std::size_t k = 1; k < tools.size(); ++k) {
    const std::string& other = tools[k].name;
    std::printf("%-12s %s / %s: best wall %.2f, median wall %.2f, median cpu %.2f\n", what,
                ours.c_str(), other.c_str(), best(wall[ours]) / best(wall[other]),
                median(wall[ours]) / median(wall[other]), median(cpu[ours]) / median(cpu[other]));
  }
  std::printf("%-12s medians:", what);
  for (const Tool& tool : tools) {
    std::printf("  %s %.3f s (cpu %.3f)", tool.name.c_str(), median(wall[tool.name]),
                median(cpu[tool.name]));
  }
  std::printf("\n");
  for (const fs::path& dest : left) fs::remove_all(dest);
}

std::vector<Tool> fullRunTools(const fs::path& work, const fs::path& tree) {
  const std::string source = tree.string();
  return {
      {"copy run", [=](const fs::path& d) { copyRun(work, work / "archive.db", tree, d, false); }},
      {"cp -a",
       [=](const fs::path& d) {
         run({"cp", "-a", source, d.string()});
       }},
      {"cp -a+sync",
       [=](const fs::path& d) {
         run({"cp", "-a", source, d.string()});
         run({"sync", "-f", d.string()});
       }},
      {"rsync -a",
       [=](const fs::path& d) {
         run({"rsync", "-a", source + "/", d.string()});
       }},
  };
}

void incrementalRuns(const fs::path& work, const fs::path& tree, int rounds) {
  // Every first incremental run starts with an archive of its own, empty.
  int archives = 0;
  const auto freshArchive = [&] { return work / ("archive-" + std::to_string(++archives)); };
  compare("first incr", work,
          {{"first incremental",
            [&](const fs::path& d) { copyRun(work, freshArchive(), tree, d, true); }},
           {"full run", [&](const fs::path& d) { copyRun(work, freshArchive(), tree, d, false); }}},
          rounds, false);

  // Nothing changed since the last run: the same destination and archive every time.
  const fs::path ours = work / "unchanged-run";
  const fs::path theirs = work / "unchanged-rsync";
  const fs::path archive = work / "archive-unchanged";
  copyRun(work, archive, tree, ours, true);
  run({"rsync", "-a", tree.string() + "/", theirs.string()});
  compare("unchanged", work,
          {{"incremental run", [&](const fs::path&) { copyRun(work, archive, tree, ours, true); }},
           {"rsync -a",
            [&](const fs::path&) {
              run({"rsync", "-a", tree.string() + "/", theirs.string()});
            }}},
          rounds, false);
  fs::remove_all(ours);
  fs::remove_all(theirs);
}

void peakOfFullRun(const fs::path& work, const fs::path& tree, std::size_t files) {
  const fs::path dest = work / "peak";
  const Peak peak = peakMemory([&] { copyRun(work, work / "archive-peak", tree, dest, false); });
  std::printf(
      "peak memory of a full run over %zu files: %ld KiB (%ld KiB at start, %.0f B a file)\n",
      files, peak.peakKiB, peak.startKiB,
      static_cast<double>(peak.peakKiB - peak.startKiB) * 1024.0 / static_cast<double>(files));
  fs::remove_all(dest);
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
void onFileSystem(const char* label, const fs::path& base, const std::string& only, bool first) {
  const fs::path work = makeScratch(base);
  std::printf("== %s: %s\n", label, work.c_str());
  const std::string small = std::string("small ") + label, large = std::string("large ") + label;
  try {
    if (only != "large") {
      const fs::path tree = work / "small";
      for (int d = 0; d < 200; ++d) {
        const fs::path folder = tree / ("d" + std::to_string(d));
        fs::create_directories(folder);
        for (int f = 0; f < 100; ++f) {
          writeBytes(folder / ("f" + std::to_string(f) + ".dat"), 4096,
                     static_cast<unsigned>(d * 100 + f));
        }
      }
      compare(small.c_str(), work, fullRunTools(work, tree), 5, false);
      if (first) {
        incrementalRuns(work, tree, 4);
        peakOfFullRun(work, tree, 20000);
      }
      fs::remove_all(tree);
    }
    if (only != "small") {
      const fs::path tree = work / "large";
      fs::create_directories(tree);
      for (int f = 0; f < 4; ++f) {
        writeBytes(tree / ("f" + std::to_string(f) + ".dat"), std::size_t{256} << 20,
                   static_cast<unsigned>(f));
      }
      compare(large.c_str(), work, fullRunTools(work, tree), 3, true);
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
  // "small" or "large" runs one tree only; "profile <kind> [runs]" see runsToProfile.
  const std::string only = argc > 1 ? argv[1] : "";
  try {
    if (only == "profile") {
      const fs::path work = makeScratch();
      const fs::path small = work / "small";
      for (int d = 0; d < 200; ++d) {
        const fs::path folder = small / ("d" + std::to_string(d));
        fs::create_directories(folder);
        for (int f = 0; f < 100; ++f) {
          writeBytes(folder / ("f" + std::to_string(f) + ".dat"), 4096,
                     static_cast<unsigned>(d * 100 + f));
        }
      }
      runsToProfile(work, small, argc > 2 ? argv[2] : "full", argc > 3 ? std::atoi(argv[3]) : 3);
      fs::remove_all(work);
      return 0;
    }
    onFileSystem("tmpfs", "/dev/shm", only, true);
    onFileSystem("disk", fs::temp_directory_path(), only, false);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench failed: %s\n", e.what());
    return 1;
  }
  return 0;
}
