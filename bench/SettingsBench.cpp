// Saves and loads a settings file of 100,000 source entries through the engine, headless,
// and prints the times next to a plain write and read of the same bytes.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "BenchSupport.h"
#include "engine/EngineContext.h"
#include "engine/EngineState.h"
#include "engine/MemoryMainWindow.h"
#include "engine/SettingsFile.h"
#include "runtime/App.h"
#include "runtime/fs/FileSystem.h"
#include "runtime/registry/RegistryStore.h"
#include "services/modLanguage.h"
#include "services/modRegistry2.h"
#include "support/ScriptedHost.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kEntries = 100000;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Engine {
  explicit Engine(const std::filesystem::path& root)
      : fs(root / "archive.db"),
        store(root / "registry", root / "autostart"),
        registry(store),
        lang(app, host.host, registry, fs),
        ctx{app, host.host, fs, lang, window, state} {}

  ferrowick::testing::ScriptedHost host;
  ferrowick::runtime::App app{"Ferrowick", "/opt/ferrowick", "ferrowick", {}, false};
  ferrowick::runtime::FileSystem fs;
  ferrowick::runtime::RegistryStore store;
  ferrowick::services::modRegistry2 registry;
  ferrowick::services::modLanguage lang;
  ferrowick::engine::MemoryMainWindow window;
  ferrowick::engine::EngineState state;
  ferrowick::engine::EngineContext ctx;
};

double plainWrite(const std::filesystem::path& path, const std::string& bytes) {
  const auto start = Clock::now();
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
      ::fsync(fd) != 0) {
    std::perror("plain write");
    std::exit(1);
  }
  ::close(fd);
  return secondsSince(start);
}

std::string readAll(const std::filesystem::path& path) {
  std::string bytes;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return bytes;
  char buffer[65536];
  ssize_t got = 0;
  while ((got = ::read(fd, buffer, sizeof buffer)) > 0) {
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return bytes;
}

double plainRead(const std::filesystem::path& path) {
  const auto start = Clock::now();
  const std::string bytes = readAll(path);
  const double seconds = secondsSince(start);
  if (bytes.empty()) std::exit(1);
  return seconds;
}

}  // namespace

int main() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ferrowick-bench-XXXXXX");
  if (::mkdtemp(pattern.data()) == nullptr) return 1;
  const std::filesystem::path root = pattern;
  ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
  ferrowick::bench::printFileSystem(root);

  double saveSeconds = 0;
  double loadSeconds = 0;
  std::size_t loaded = 0;
  std::uintmax_t fileSize = 0;
  {
    Engine saver(root);
    char item[96];
    for (int i = 0; i < kEntries; ++i) {
      std::snprintf(item, sizeof item, "/home/ann/Documents/projects/project-%05d/*.*", i);
      saver.window.lstSource_.addItem(item);
    }
    const ferrowick::engine::SettingsFile settings(saver.ctx);
    const std::string ini = settings.settingsPath();
    // Twice, so that the second save also rotates the previous version.
    ferrowick::engine::SettingsFile(saver.ctx).SaveSettings();
    auto start = Clock::now();
    ferrowick::engine::SettingsFile(saver.ctx).SaveSettings();
    saveSeconds = secondsSince(start);
    fileSize = std::filesystem::file_size(ini);

    Engine loader(root);
    start = Clock::now();
    ferrowick::engine::SettingsFile(loader.ctx).LoadSettings();
    loadSeconds = secondsSince(start);
    loaded = loader.window.lstSource_.count();
    if (!saver.host.messages.shown.empty() || !loader.host.messages.shown.empty()) {
      std::fprintf(stderr, "unexpected message: %s\n",
                   (saver.host.messages.shown.empty() ? loader.host.messages.shown
                                                      : saver.host.messages.shown)
                       .front()
                       .text.c_str());
      return 1;
    }

    const std::string bytes = readAll(ini);
    const double writeSeconds = plainWrite(root / "plain.ini", bytes);
    const double readSeconds = plainRead(root / "plain.ini");

    std::printf("settings file: %d entries, %ju bytes, %zu entries loaded\n", kEntries, fileSize,
                loaded);
    std::printf("SaveSettings  %8.4f s   (plain write+fsync of the bytes %8.4f s, x%.1f)\n",
                saveSeconds, writeSeconds, saveSeconds / writeSeconds);
    std::printf("LoadSettings  %8.4f s   (plain read of the bytes        %8.4f s, x%.1f)\n",
                loadSeconds, readSeconds, loadSeconds / readSeconds);
    std::printf("target: each under 0.1 s\n");
  }
  std::filesystem::remove_all(root);
  return loaded == static_cast<std::size_t>(kEntries) ? 0 : 1;
}
