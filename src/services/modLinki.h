#pragma once

#include <string>

namespace ferrowick::runtime {
class App;
class Shell;
}  // namespace ferrowick::runtime

namespace ferrowick::services {

class modRegistry2;

// Opens the maker's web pages and the per-language documents beside the program with
// the shell's default handler. Each opener reads the stored language name afresh, so a
// newly saved language changes the targets at once; a name other than "English",
// "Polish" or "Deutsch" (exactly) opens nothing. Nothing is reported to the user.
class modLinki {
 public:
  modLinki(const runtime::App& app, modRegistry2& registry, runtime::Shell& shell);

  // Hands the target to the shell; above 32 means its handler started.
  int OpenLink(const std::string& target);

  void OpenHomePage();
  void OpenReadme();
  void OpenUpdatePage();
  void OpenLicenseAgreement();
  void OpenSupportPage();
  void OpenForumPage();
  void OpenContactPage();

 private:
  struct Targets {
    const char* english;
    const char* polish;
    const char* deutsch;
  };
  void openWebPage(const Targets& paths);
  void openDocument(const Targets& suffixes);
  template <class Open>
  void forStoredLanguage(const Targets& targets, Open open);

  const runtime::App& app_;
  modRegistry2& registry_;
  runtime::Shell& shell_;
};

}  // namespace ferrowick::services
