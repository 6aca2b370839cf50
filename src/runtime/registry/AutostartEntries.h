#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/Faults.h"

namespace ferrowick::runtime {

// The values of the start-up Run key, kept as the desktop's autostart entries: value
// "X" is the file "X.desktop" in the autostart folder, and its text the program that the
// entry starts. An entry that is hidden or disabled is no value.
class AutostartEntries {
 public:
  explicit AutostartEntries(std::filesystem::path folder);

  // A value name that can stand as a file name (no "/", not empty, "." or "..").
  static bool validName(std::string_view name);

  // The command of an enabled entry, or nothing (also when it cannot be read).
  std::optional<std::string> read(std::string_view name, Faults& faults) const;
  // Writes the entry whole; raises the runtime's error when it cannot.
  void write(std::string_view name, std::string_view command, Faults& faults) const;
  // Deletes an enabled entry; false when there is none. Raises when the file stays.
  bool remove(std::string_view name, Faults& faults) const;

 private:
  std::filesystem::path fileOf(std::string_view name) const;

  std::filesystem::path folder_;
};

}  // namespace ferrowick::runtime
