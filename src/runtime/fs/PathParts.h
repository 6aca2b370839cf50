#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace ferrowick::runtime {

// "/data/*.*" gives {"/data", "*.*"}; "*.txt" gives {".", "*.txt"}; "/*.*" gives {"/", "*.*"}.
std::pair<std::string, std::string> splitPattern(const std::string& pattern);

// The folder joined with a name by one separator.
std::string joinPath(const std::string& folder, const std::string& name);

// The text after the last "/" (the whole text when there is none).
std::string lastComponent(const std::string& path);

// A file's folder and its name in it, without copying: "/a/b" gives "/a" and "b", "/b"
// gives "/" and "b", "b" gives "." and "b".
std::string_view folderPart(std::string_view path);
std::string_view namePart(std::string_view path);

// A name beginning with "." is hidden; "." and ".." themselves are not.
bool isHiddenName(std::string_view name);

}  // namespace ferrowick::runtime
