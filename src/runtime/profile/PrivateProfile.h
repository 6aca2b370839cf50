#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace ferrowick::runtime {

class Faults;

// The system's one-call profile functions, each reading (and writing) the whole file.
// Code that reads or writes many keys uses ProfileDocument instead.

// Copies at most `size` - 1 bytes of the value into `returned` and returns the count. A
// missing section or key (or a file that cannot be read) gives `defaultValue`, cut the
// same way; an empty value gives 0.
std::size_t GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, std::string& returned,
                                    std::size_t size, const std::filesystem::path& file,
                                    Faults* faults = nullptr);

// Creates the file and the section when missing and replaces the value of an existing
// key; the file is replaced whole. Returns 0 when the write fails, else 1.
int WritePrivateProfileString(std::string_view section, std::string_view key,
                              std::string_view value, const std::filesystem::path& file,
                              Faults* faults = nullptr);

}  // namespace ferrowick::runtime
