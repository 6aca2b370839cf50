#pragma once

#include <filesystem>

namespace ferrowick::runtime {

// The user's home folder: $HOME, or the password database's entry when it is unset.
std::filesystem::path homeFolder();

// $XDG_CONFIG_HOME, or ~/.config when it is unset, empty or not an absolute path.
std::filesystem::path configHome();

// $XDG_DATA_HOME, or ~/.local/share when it is unset, empty or not an absolute path.
std::filesystem::path dataHome();

// $XDG_RUNTIME_DIR when it is set to an absolute path, else the empty path.
std::filesystem::path runtimeDir();

}  // namespace ferrowick::runtime
