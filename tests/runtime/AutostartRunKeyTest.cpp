#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "runtime/RuntimeError.h"
#include "runtime/TestChecks.h"
#include "runtime/registry/DesktopEntry.h"
#include "runtime/registry/RegistryStore.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

using testing::Sandbox;

class RunKeyTest : public ::testing::Test {
 protected:
  std::filesystem::path autostart = Sandbox::root() / "config/autostart";
  RegistryStore store{Sandbox::root() / "config/Halvorne", autostart};

  HKey runKey(HKey root = HKEY_LOCAL_MACHINE,
              const char* path = "Software\\Microsoft\\Windows\\CurrentVersion\\Run") {
    HKey key = 0;
    EXPECT_EQ(store.openKey(root, path, KEY_ALL_ACCESS, key), ERROR_SUCCESS);
    return key;
  }
  RegStatus set(HKey key, const std::string& name, const std::string& text) {
    testing::Bytes data(text.begin(), text.end());
    data.push_back(0);
    return testing::setRaw(store, key, name, REG_SZ, data);
  }
  // The value's text without its NUL, or "<absent>".
  std::string get(HKey key, const std::string& name) {
    const auto [type, data] = testing::rawValue(store, key, name);
    if (type == 0) return "<absent>";
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(data.back(), 0);
    return std::string(data.begin(), data.end() - 1);
  }
  std::string entry(const std::string& name) {
    return testing::readFile(autostart / (name + ".desktop"));
  }
};

TEST_F(RunKeyTest, ValueIsAnAutostartEntryUnderEitherRootAndAnyCase) {
  const HKey key = runKey();
  ASSERT_EQ(set(key, "Ferrowick", "/opt/ferrowick/ferrowick"), ERROR_SUCCESS);
  EXPECT_EQ(entry("Ferrowick"),
            "[Desktop Entry]\nType=Application\nName=Ferrowick\nExec=/opt/ferrowick/ferrowick\n");
  EXPECT_EQ(get(key, "Ferrowick"), "/opt/ferrowick/ferrowick");
  EXPECT_EQ(get(runKey(HKEY_CURRENT_USER, "SOFTWARE\\microsoft\\WINDOWS\\currentversion\\run\\"),
                "Ferrowick"),
            "/opt/ferrowick/ferrowick");
  // Nothing of it lands in the store's own files.
  EXPECT_FALSE(std::filesystem::exists(Sandbox::root() / "config/Halvorne"));
  store.faults().inject("replaceFile", Err::PermissionDenied);
  EXPECT_EQ(set(key, "Ferrowick", "/new"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(get(key, "Ferrowick"), "/opt/ferrowick/ferrowick");  // a failed write keeps it

  EXPECT_EQ(store.deleteValue(key, "Ferrowick"), ERROR_SUCCESS);
  EXPECT_FALSE(std::filesystem::exists(autostart / "Ferrowick.desktop"));
  EXPECT_EQ(get(key, "Ferrowick"), "<absent>");
  EXPECT_EQ(store.deleteValue(key, "Ferrowick"), ERROR_FILE_NOT_FOUND);
}

TEST_F(RunKeyTest, ProgramPathIsQuotedAndEscapedAsEntriesRequire) {
  const HKey key = runKey();
  const std::string path = "/home/ann/My Apps/$HOME `x` \"q\" 100%/back\\slash/ferrowick";
  ASSERT_EQ(set(key, "Ferrowick", path), ERROR_SUCCESS);
  EXPECT_NE(entry("Ferrowick")
                .find("\nExec=\"/home/ann/My Apps/\\\\$HOME \\\\`x\\\\` \\\\\"q\\\\\" "
                      "100%%/back\\\\\\\\slash/ferrowick\"\n"),
            std::string::npos)
      << entry("Ferrowick");
  EXPECT_EQ(get(key, "Ferrowick"), path);

  ASSERT_EQ(set(key, " Lead\tname", "/a;b"), ERROR_SUCCESS);
  EXPECT_EQ(entry(" Lead\tname"),
            "[Desktop Entry]\nType=Application\nName=\\sLead\\tname\nExec=\"/a;b\"\n");
  EXPECT_EQ(get(key, " Lead\tname"), "/a;b");
}

TEST_F(RunKeyTest, HiddenOrDisabledEntryIsNoValueAndIsLeftAlone) {
  const HKey key = runKey();
  testing::writeFile(autostart / "Off.desktop",
                     "[Desktop Entry]\nType=Application\nExec=/bin/off\nHidden=true\n");
  testing::writeFile(autostart / "Gnome.desktop",
                     "[Desktop Entry]\nExec=/bin/g\nX-GNOME-Autostart-enabled = false\n");
  testing::writeFile(autostart / "Other.desktop",
                     "# comment\n[Desktop Entry]\nExec = \"/opt/x y/run\" --flag %U\n"
                     "[Desktop Action New]\nHidden=true\n");
  EXPECT_EQ(get(key, "Off"), "<absent>");
  EXPECT_EQ(get(key, "Gnome"), "<absent>");
  EXPECT_EQ(get(key, "Other"), "\"/opt/x y/run\" --flag %U");
  // Deleting what reads as absent must not unmask a system-wide entry of that name.
  EXPECT_EQ(store.deleteValue(key, "Off"), ERROR_FILE_NOT_FOUND);
  EXPECT_TRUE(std::filesystem::exists(autostart / "Off.desktop"));

  // Setting the value writes a fresh, enabled entry.
  ASSERT_EQ(set(key, "Off", "/bin/on"), ERROR_SUCCESS);
  EXPECT_EQ(get(key, "Off"), "/bin/on");
}

TEST_F(RunKeyTest, NamesThatCannotBeFileNamesAndNonTextValuesAreRefused) {
  const HKey key = runKey();
  for (const char* name : {"", ".", "..", "../escape", "a/b"}) {
    EXPECT_EQ(set(key, name, "/bin/x"), ERROR_INVALID_PARAMETER) << name;
    EXPECT_EQ(get(key, name), "<absent>");
  }
  const std::uint8_t number[4] = {1, 0, 0, 0};
  EXPECT_EQ(store.setValue(key, "Number", REG_DWORD, number, 4), ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(std::filesystem::exists(Sandbox::root() / "config/escape.desktop"));
  EXPECT_FALSE(std::filesystem::exists(autostart / "Number.desktop"));
}

TEST(DesktopExec, ArgumentsComeBackFromQuotingAndEscapes) {
  using Args = std::vector<std::string>;
  EXPECT_EQ(desktopExecArguments("a  b\\tc"), (Args{"a", "b", "c"}));
  EXPECT_EQ(desktopExecArguments("\"\" x"), (Args{"", "x"}));
  EXPECT_EQ(desktopExecArguments("\"a\\\\\\\\b \\\\$c\" 50%%"), (Args{"a\\b $c", "50%"}));
  EXPECT_EQ(desktopExecArguments(desktopExecFor("")), Args{""});
  EXPECT_EQ(desktopExecArguments(desktopExecFor("x\ny")), Args{"x\ny"});
}

}  // namespace
}  // namespace ferrowick::runtime
