#include "services/modLinki.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "runtime/App.h"
#include "runtime/Host.h"
#include "services/MakerAddress.h"
#include "services/StoredLanguage.h"
#include "services/modRegistry2.h"

namespace ferrowick::services {

namespace fs = std::filesystem;

namespace {

bool sameIgnoringAsciiCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) {
      return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The documents are named in lower case while the shipped folders carry the language
// names ("languages/English"): each level of `relative` below `base` is matched without
// regard to ASCII case. A level that matches nothing keeps its name, so a missing
// document gives a path the shell reports as not found.
fs::path findCaseInsensitive(const fs::path& base, const fs::path& relative) {
  fs::path found = base;
  for (const fs::path& part : relative) {
    std::error_code error;
    fs::path next = found / part;
    if (!fs::exists(next, error)) {
      for (fs::directory_iterator it(found, error), end; !error && it != end; it.increment(error)) {
        if (sameIgnoringAsciiCase(it->path().filename().string(), part.string())) {
          next = it->path();
          break;
        }
      }
    }
    found = std::move(next);
  }
  return found;
}

}  // namespace

modLinki::modLinki(const runtime::App& app, modRegistry2& registry, runtime::Shell& shell)
    : app_(app), registry_(registry), shell_(shell) {}

int modLinki::OpenLink(const std::string& target) {
  // A failure to open is the shell's result to give; nothing is raised to the caller.
  try {
    return shell_.open(target);
  } catch (const std::exception&) {
    return 0;
  }
}

// Three separate reads and tests, not an else-chain: a language saved in between is
// seen by the next test.
template <class Open>
void modLinki::forStoredLanguage(const Targets& targets, Open open) {
  try {
    if (storedLanguage(registry_, app_.title()) == "English") open(targets.english);
    if (storedLanguage(registry_, app_.title()) == "Polish") open(targets.polish);
    if (storedLanguage(registry_, app_.title()) == "Deutsch") open(targets.deutsch);
  } catch (const std::exception&) {
    // The openers never fail their callers.
  }
}

void modLinki::openWebPage(const Targets& paths) {
  forStoredLanguage(
      paths, [this](const char* path) { OpenLink(std::string(kMakerScheme) + kMakerHost + path); });
}

void modLinki::openDocument(const Targets& suffixes) {
  forStoredLanguage(suffixes, [this](const char* suffix) {
    OpenLink(findCaseInsensitive(app_.path(), fs::path(suffix).relative_path()).string());
  });
}

void modLinki::OpenHomePage() { openWebPage({"/en", "/pl", "/de"}); }

void modLinki::OpenReadme() {
  openDocument({"/languages/english/readme.txt", "/languages/polish/readme.txt",
                "/languages/deutsch/readme.txt"});
}

void modLinki::OpenUpdatePage() {
  openWebPage({"/en/products/ferrowick/update.html", "/pl/produkty/ferrowick/update.html",
               "/de/products/ferrowick/update.html"});
}

void modLinki::OpenLicenseAgreement() {
  openDocument({"/languages/english/license.txt", "/languages/polish/license.txt",
                "/languages/deutsch/license.txt"});
}

void modLinki::OpenSupportPage() {
  openWebPage({"/en/support.html", "/pl/wsparcie.html", "/de/support.html"});
}

void modLinki::OpenForumPage() { openWebPage({"/forum", "/forum", "/forum"}); }

void modLinki::OpenContactPage() {
  openWebPage({"/en/contact.html", "/pl/kontakt.html", "/de/contact.html"});
}

}  // namespace ferrowick::services
