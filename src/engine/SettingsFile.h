#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ferrowick::runtime {
class ProfileDocument;
class RuntimeError;
struct MsgStyle;
}  // namespace ferrowick::runtime

namespace ferrowick::engine {

struct EngineContext;

// The settings file dravonk.ini and its previous version dravonk.bak in the program's
// application-data folder. The settings live in the main window's controls; the file is
// their store between runs.
class SettingsFile {
 public:
  static constexpr std::string_view kFileName = "dravonk.ini";
  static constexpr std::string_view kPreviousName = "dravonk.bak";

  explicit SettingsFile(EngineContext& context);

  // Reads the file into the window's controls (each value set as a user's edit would,
  // so the controls' handlers run) and into the engine's schedule times. A file that is
  // missing or holds no settings is loaded from, and restored from, its previous version.
  // Reports its own errors and goes on with the next value.
  void LoadSettings();

  // Writes every setting afresh; the file it replaces becomes the previous version when it
  // holds settings. A save that fails leaves the settings file as it was.
  void SaveSettings();

  // Why the settings file could not be deleted, and the file for the message.
  struct DeletionFailure {
    int number;
    std::string description;
    std::string file;
  };

  // Deletes the settings file. Without an application-data folder or a file there is
  // nothing to delete and nothing to report.
  std::optional<DeletionFailure> DeleteSettingsFile();

  // The two files' paths, computed afresh for each use. Raise 76 (Path not found) when
  // the application-data folder cannot be had.
  std::string settingsPath() const;
  std::string previousPath() const;

 private:
  // The bytes of an ordinary file at `path` that holds any of the sections a save writes;
  // nothing when there is no file there or it holds none (it is damaged). Raises 75 for
  // anything else at the path, and the error of a read that fails.
  std::optional<std::string> storedSettings(const std::string& path) const;
  // The file's path for a message, also where the application-data folder cannot be had.
  std::string shownPath(std::string_view name) const;
  void reportError(const runtime::RuntimeError& error, std::string_view separator,
                   runtime::MsgStyle style, const std::string& file = {});

  // Load.
  void runStep(const std::function<void()>& step, const std::string& file = {});
  runtime::ProfileDocument readOrRestore();
  std::optional<std::string> value(const runtime::ProfileDocument& document,
                                   std::string_view section, std::string_view key) const;
  void loadWhen(const runtime::ProfileDocument& document);
  void loadOptions(const runtime::ProfileDocument& document);
  bool loadBaseDir(const runtime::ProfileDocument& document);
  void loadDestination(const runtime::ProfileDocument& document);
  void loadEntries(const runtime::ProfileDocument& document);
  void tickWeekdays(std::string_view mask);

  // Save.
  void writeSettings(runtime::ProfileDocument& document);
  bool writeEntries(runtime::ProfileDocument& document);
  void replaceFile(const runtime::ProfileDocument& document);
  void reportEntryFailure(const std::string& item);

  EngineContext& ctx_;
};

}  // namespace ferrowick::engine
