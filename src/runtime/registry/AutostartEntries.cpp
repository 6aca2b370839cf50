#include "runtime/registry/AutostartEntries.h"

#include <unistd.h>

#include <cerrno>
#include <sstream>
#include <vector>

#include "runtime/AtomicFile.h"
#include "runtime/RuntimeError.h"
#include "runtime/profile/ProfileDocument.h"
#include "runtime/registry/DesktopEntry.h"

namespace ferrowick::runtime {

namespace {

// Entries are a few lines; anything far larger is not one of them.
constexpr std::uintmax_t kMaxEntrySize = 1 << 20;

std::string_view trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

struct EntryFields {
  std::optional<std::string> exec;
  bool hidden = false;
  bool disabled = false;
};

EntryFields parseEntry(std::istream& in) {
  EntryFields fields;
  bool inMainGroup = false;
  std::string raw;
  while (std::getline(in, raw)) {
    const std::string_view line = trim(raw);
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      inMainGroup = line == "[Desktop Entry]";
      continue;
    }
    const std::size_t eq = line.find('=');
    if (!inMainGroup || eq == std::string_view::npos) continue;
    const std::string_view key = trim(line.substr(0, eq));
    const std::string_view value = trim(line.substr(eq + 1));
    if (key == "Exec")
      fields.exec = std::string(value);
    else if (key == "Hidden")
      fields.hidden = value == "true";
    else if (key == "X-GNOME-Autostart-enabled")
      fields.disabled = value == "false";
  }
  return fields;
}

std::string commandFrom(const std::vector<std::string>& arguments) {
  if (arguments.size() == 1) return arguments.front();
  std::string command;
  for (const auto& argument : arguments) {
    if (!command.empty()) command += ' ';
    const bool spaced = argument.find_first_of(" \t") != std::string::npos;
    command += spaced ? '"' + argument + '"' : argument;
  }
  return command;
}

}  // namespace

AutostartEntries::AutostartEntries(std::filesystem::path folder) : folder_(std::move(folder)) {}

bool AutostartEntries::validName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

std::filesystem::path AutostartEntries::fileOf(std::string_view name) const {
  return folder_ / (std::string(name) + ".desktop");
}

std::optional<std::string> AutostartEntries::read(std::string_view name, Faults& faults) const {
  if (!validName(name)) return std::nullopt;
  const auto path = fileOf(name);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  if (std::filesystem::file_size(path, ec) > kMaxEntrySize || ec) return std::nullopt;
  std::istringstream in;
  try {
    in.str(ProfileDocument::readFile(path, &faults));
  } catch (const RuntimeError&) {
    // An entry that cannot be read starts nothing at log-in: it is no value.
    return std::nullopt;
  }
  const EntryFields fields = parseEntry(in);
  if (fields.hidden || fields.disabled || !fields.exec) return std::nullopt;
  return commandFrom(desktopExecArguments(*fields.exec));
}

void AutostartEntries::write(std::string_view name, std::string_view command,
                             Faults& faults) const {
  if (!validName(name)) raise(Err::BadFileNameOrNumber);
  std::error_code ec;
  std::filesystem::create_directories(folder_, ec);
  if (ec) raiseErrno(ec.value(), folder_);
  const std::string entry = "[Desktop Entry]\nType=Application\nName=" + escapeDesktopString(name) +
                            "\nExec=" + desktopExecFor(command) + "\n";
  replaceFile(fileOf(name), entry, 0644, &faults);
}

bool AutostartEntries::remove(std::string_view name, Faults& faults) const {
  if (!read(name, faults)) return false;
  const auto path = fileOf(name);
  faults.check(FaultPoint::DeleteEntry, path.string());
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) raiseErrno(errno, path);
  return true;
}

}  // namespace ferrowick::runtime
