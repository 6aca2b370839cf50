#include "services/modLinki.h"

#include <gtest/gtest.h>

#include "LanguageRig.h"

namespace ferrowick::services::testing {
namespace {

using ferrowick::testing::Sandbox;
using ferrowick::testing::writeFile;
using Strings = std::vector<std::string>;

class modLinkiTest : public ::testing::Test, protected LanguageRig {
 protected:
  Strings openAll() {
    scripted.shell.opened.clear();
    for (auto open : kOpeners) (links.*open)();
    return scripted.shell.opened;
  }
  std::string program(const std::string& rest) { return app.path() + rest; }

  static constexpr void (modLinki::*kOpeners[])() = {
      &modLinki::OpenHomePage,         &modLinki::OpenReadme,      &modLinki::OpenUpdatePage,
      &modLinki::OpenLicenseAgreement, &modLinki::OpenSupportPage, &modLinki::OpenForumPage,
      &modLinki::OpenContactPage};

  modLinki links{app, registry, scripted.shell};
};

// A document missing from the program folder (Polish) goes to the shell all the same.
TEST_F(modLinkiTest, EachOpenerGivesItsTargetForTheStoredLanguage) {
  scripted.shell.result = 2;
  EXPECT_EQ(openAll(), Strings{});  // no value at all
  for (const char* document : {"readme.txt", "license.txt"})
    writeFile(Sandbox::root() / "program/languages/English" / document, "text");
  const std::string web = "http://www.halvorne.com";
  const std::pair<const char*, Strings> cases[] = {
      {"English",
       {web + "/en", program("/languages/English/readme.txt"),
        web + "/en/products/ferrowick/update.html", program("/languages/English/license.txt"),
        web + "/en/support.html", web + "/forum", web + "/en/contact.html"}},
      {"Polish",
       {web + "/pl", program("/languages/polish/readme.txt"),
        web + "/pl/produkty/ferrowick/update.html", program("/languages/polish/license.txt"),
        web + "/pl/wsparcie.html", web + "/forum", web + "/pl/kontakt.html"}},
      {"english", {}},  // only the exact names open anything
      {"French", {}},
  };
  for (const auto& [language, targets] : cases) {
    SCOPED_TRACE(language);
    registry.WriteRegValue("Ferrowick", "Settings", "curLang", language, runtime::HKEY_CURRENT_USER,
                           "SOFTWARE\\Halvorne", runtime::REG_SZ);
    EXPECT_EQ(openAll(), targets);
  }
  EXPECT_TRUE(scripted.messages.shown.empty());
}

}  // namespace
}  // namespace ferrowick::services::testing
