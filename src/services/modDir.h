#pragma once

#include <string>

namespace ferrowick::services::modDir {

// Creates every missing level of `path`, outermost first, silently. True when every
// level exists afterwards. The only "drive" is the root "/", so a relative path gives
// false and creates nothing. Levels are made with mode 0700: the program's private
// folder is what this is for.
bool EnsureFolderPath(std::string path);

}  // namespace ferrowick::services::modDir
