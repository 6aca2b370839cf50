#include <gtest/gtest.h>

#include <string>

#include "RunningProgram.h"
#include "runtime/registry/RegistryStore.h"
#include "runtime/registry/RegistryTypes.h"
#include "services/modRegistry2.h"
#include "support/Sandbox.h"

namespace ferrowick::testing {
namespace {

bool has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

const std::string kShownOpen = "window|visible=1|minimized=0";
const std::string kCritical = "box|3|Ferrowick|";

class StartUp : public ::testing::Test {
 protected:
  runtime::RegistryStore store = runtime::RegistryStore::forCurrentUser();
  services::modRegistry2 registry{store};
};

// The first copy asks for a language once and stores English; a second copy is refused.
TEST_F(StartUp, FirstStartAsksOnceStoresEnglishAndASecondCopyIsRefused) {
  RunningProgram first("first");
  ASSERT_TRUE(eventually([&] { return has(first.state(), kShownOpen); })) << first.log();
  EXPECT_EQ(first.log(), kCritical + "Error: Failed loading selected language.\n");
  EXPECT_EQ(registry
                .ReadRegValue("Ferrowick", "Settings", "curLang", "", runtime::HKEY_CURRENT_USER,
                              "SOFTWARE\\Halvorne")
                .text(),
            "English");
  EXPECT_TRUE(
      std::filesystem::is_directory(Sandbox::root() / "home/.local/share/Halvorne/Ferrowick"));
  RunningProgram second("second");
  EXPECT_EQ(second.waitForExit(), 0);
  EXPECT_EQ(second.log(), kCritical +
                              "Ferrowick is already running.\\nLook for its icon in the "
                              "notification area.\n");
  EXPECT_FALSE(has(second.state(), "window|"));
  EXPECT_TRUE(first.running());
}

TEST_F(StartUp, WithASettingsFileTheWindowGoesOutOfTheWayWithTheSettingsLoaded) {
  registry.WriteRegValue("Ferrowick", "Settings", "curLang", "English", runtime::HKEY_CURRENT_USER,
                         "SOFTWARE\\Halvorne", runtime::REG_SZ);
  const auto docs = Sandbox::root() / "docs";
  writeFile(docs / "inner/a.txt", "a");
  writeFile(Sandbox::root() / "home/.local/share/Halvorne/Ferrowick/dravonk.ini",
            "[Backup]\r\nIncremental=True\r\n[Entries]\r\n0=" + docs.string() + "/*.*\r\n");
  RunningProgram program("first");
  // Hidden beside its icon, or minimised where the desktop has no notification area.
  ASSERT_TRUE(eventually([&] {
    const std::string state = program.state();
    return has(state, "window|visible=0") || has(state, "minimized=1");
  })) << program.state();
  const std::string state = program.state();
  EXPECT_TRUE(has(state, "list|" + docs.string() + "/*.*\n"));
  EXPECT_TRUE(has(state, "list|" + docs.string() + "/inner/*.*\n"));
  EXPECT_TRUE(has(state, "check|Incremental: copy only changed files|2\n"));
  EXPECT_EQ(program.log(), "");
}

}  // namespace
}  // namespace ferrowick::testing
