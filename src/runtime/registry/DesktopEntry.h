#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ferrowick::runtime {

// The escaping rules of desktop entry files that the autostart entries need.

// A value of type string: backslash, line feed, tab and carriage return escaped, and a
// leading space written as "\s".
std::string escapeDesktopString(std::string_view text);
std::string unescapeDesktopString(std::string_view value);

// The Exec value that starts `program` with no arguments: the program quoted when it
// holds a reserved character (with ", `, $ and \ escaped inside the quotes), "%" as
// "%%", then escaped as a string.
std::string desktopExecFor(std::string_view program);

// The arguments of an Exec value, quotes and escapes removed. Field codes other than
// "%%" are kept as they stand.
std::vector<std::string> desktopExecArguments(std::string_view value);

}  // namespace ferrowick::runtime
