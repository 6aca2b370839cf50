#include "runtime/App.h"

namespace ferrowick::runtime {

App::App(std::string title, std::string path, std::string exeName, Version version,
         bool prevInstance)
    : title_(std::move(title)),
      path_(std::move(path)),
      exeName_(std::move(exeName)),
      version_(version),
      prevInstance_(prevInstance) {
  while (path_.size() > 1 && path_.back() == '/') path_.pop_back();
}

std::string App::versionText() const {
  return std::to_string(version_.major) + "." + std::to_string(version_.minor) +
         std::to_string(version_.revision);
}

}  // namespace ferrowick::runtime
