#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <random>
#include <thread>

#include "CopyRunFixture.h"

namespace ferrowick::engine {
namespace {

using testing::readFile;

Strings filesBelow(const fs::path& folder) {
  Strings found;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (!entry.is_directory()) found.push_back(fs::relative(entry.path(), folder).string());
  std::sort(found.begin(), found.end());
  return found;
}

// Runs are killed at random moments, each followed by a complete run: whatever a kill
// interrupted, the backup ends equal to the sources and holds no temporary file.
TEST_F(CopyRunTest, RunsKilledAtRandomMomentsLeaveAWholeBackup) {
  constexpr int kFolders = 200, kFiles = 100, kKills = 20;
  // On tmpfs where there is one: what is tested is the order of the steps, not the disk.
  std::string base = "/dev/shm/ferrowick-crash-XXXXXX";
  if (::mkdtemp(base.data()) == nullptr) base = (root / "crash").string();
  struct Remove {
    fs::path at;
    ~Remove() {
      std::error_code ec;
      fs::remove_all(at, ec);
    }
  } remove{base};
  const fs::path tree = fs::path(base) / "t", backup = fs::path(base) / "backup";
  window.txtDest_.setText(backup.string());
  std::mt19937 random(20261207);
  const auto content = [&](int size) {
    return std::string(static_cast<std::size_t>(size), 'a' + static_cast<char>(random() % 26));
  };
  for (int f = 0; f < kFolders; ++f) {
    const fs::path folder = tree / ("d" + std::to_string(f));
    for (int n = 0; n < kFiles; ++n) testing::writeFile(folder / std::to_string(n), content(2048));
    addItem(folder.string() + "/*.*");
  }
  // A run in a child process, killed after `killAfter` unless it is null; true when the
  // run ended by itself without a box.
  const auto runInChild = [&](bool incrementalRun,
                              std::optional<std::chrono::microseconds> killAfter) {
    window.chkIncr_.setValue(incrementalRun ? runtime::CheckState::Checked
                                            : runtime::CheckState::Unchecked);
    const pid_t child = ::fork();
    if (child == 0) {
      copyRun.RunBackup();
      ::_exit(host.messages.shown.empty() ? 0 : 3);
    }
    if (killAfter) {
      std::this_thread::sleep_for(*killAfter);
      ::kill(child, SIGKILL);
    }
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  };
  const auto started = std::chrono::steady_clock::now();
  ASSERT_TRUE(runInChild(false, std::nullopt));
  const auto fullRun = std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now() - started);

  for (int kill = 0; kill < kKills; ++kill) {
    // Some sources change, so that the killed run replaces earlier copies.
    for (int n = 0; n < 500; ++n)
      testing::writeFile(
          tree / ("d" + std::to_string(random() % kFolders)) / std::to_string(random() % kFiles),
          content(1024 + static_cast<int>(random() % 4096)));
    const std::chrono::microseconds at(random() % static_cast<unsigned>(fullRun.count() + 1));
    runInChild(kill % 2 == 0, at);
    ASSERT_TRUE(runInChild(true, std::nullopt)) << "after kill " << kill;
  }

  const fs::path copied = backup / tree.relative_path();
  const Strings originals = filesBelow(tree), copies = filesBelow(copied);
  ASSERT_EQ(copies, originals);  // no temporary file anywhere
  for (const auto& name : originals)
    ASSERT_EQ(readFile(copied / name), readFile(tree / name)) << name;
}

}  // namespace
}  // namespace ferrowick::engine
