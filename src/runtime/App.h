#pragma once

#include <string>

namespace ferrowick::runtime {

struct Version {
  int major = 1;
  int minor = 2;
  int revision = 0;
};

// The application object: what the program knows about itself.
class App {
 public:
  App(std::string title, std::string path, std::string exeName, Version version, bool prevInstance);

  const std::string& title() const noexcept { return title_; }
  // The program folder, without a trailing separator.
  const std::string& path() const noexcept { return path_; }
  const std::string& exeName() const noexcept { return exeName_; }
  const Version& version() const noexcept { return version_; }
  bool prevInstance() const noexcept { return prevInstance_; }

  // Major, ".", minor and revision with no separator between them: 1.2.0 gives "1.20".
  std::string versionText() const;

 private:
  std::string title_;
  std::string path_;
  std::string exeName_;
  Version version_;
  bool prevInstance_;
};

inline constexpr const char* kAppTitle = "Ferrowick";

}  // namespace ferrowick::runtime
