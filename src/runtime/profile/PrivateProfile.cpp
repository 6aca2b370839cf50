#include "runtime/profile/PrivateProfile.h"

#include "runtime/RuntimeError.h"
#include "runtime/profile/ProfileDocument.h"

namespace ferrowick::runtime {

std::size_t GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, std::string& returned,
                                    std::size_t size, const std::filesystem::path& file,
                                    Faults* faults) {
  try {
    const ProfileDocument document = ProfileDocument::load(file, faults);
    if (document.find(section, key) != nullptr) {
      return document.read(section, key, returned, size);
    }
  } catch (const RuntimeError&) {
    // An unreadable file reads as one without the key.
  }
  return ProfileDocument::copyCut(defaultValue, returned, size);
}

int WritePrivateProfileString(std::string_view section, std::string_view key,
                              std::string_view value, const std::filesystem::path& file,
                              Faults* faults) {
  try {
    ProfileDocument document = ProfileDocument::load(file, faults);
    if (document.write(section, key, value) == 0) return 0;
    document.save(file, faults);
    return 1;
  } catch (const RuntimeError&) {
    return 0;
  }
}

}  // namespace ferrowick::runtime
