#pragma once

#include <string_view>

// Sections, keys and words of the settings file, shared by its reader and its writer.
namespace ferrowick::engine::settings_keys {

inline constexpr std::string_view kWhen = "When";
inline constexpr std::string_view kAlwaysAt = "AlwaysAt";
inline constexpr std::string_view kEach = "Each";
inline constexpr std::string_view kDefault = "Default";
inline constexpr std::string_view kDays = "Days";

inline constexpr std::string_view kLog = "Log";
inline constexpr std::string_view kSave = "Save";

inline constexpr std::string_view kBackup = "Backup";
inline constexpr std::string_view kIncremental = "Incremental";

inline constexpr std::string_view kDestination = "Destination";
inline constexpr std::string_view kCustom = "Custom";
inline constexpr std::string_view kCustomName = "CustomName";
inline constexpr std::string_view kAnd = "And";
inline constexpr std::string_view kOr = "Or";
inline constexpr std::string_view kDateSeparator = "DateSeperator";
inline constexpr std::string_view kDatedDirectories = "DatedDirectories";
inline constexpr std::string_view kBaseDir = "BaseDir";

inline constexpr std::string_view kOptions = "Options";
inline constexpr std::string_view kLoadWin = "LoadWin";

inline constexpr std::string_view kEntries = "Entries";

inline constexpr std::string_view kTrue = "True";
inline constexpr std::string_view kFalse = "False";
// A time field with nothing entered, as it reads and as it is stored.
inline constexpr std::string_view kEmptyField = "__:__";
inline constexpr std::string_view kUnsetTime = "???";

}  // namespace ferrowick::engine::settings_keys
