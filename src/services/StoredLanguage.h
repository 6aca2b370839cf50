#pragma once

#include <string>

namespace ferrowick::services {

class modRegistry2;

// The user's choice of language, kept with the program's settings for the next start.

// The stored language name ("English", "Polish", ...); empty when none is stored.
std::string storedLanguage(modRegistry2& registry, const std::string& appName);

// Stores `name` as the language of the next start; false when it cannot be stored.
bool storeLanguage(modRegistry2& registry, const std::string& appName, const std::string& name);

}  // namespace ferrowick::services
