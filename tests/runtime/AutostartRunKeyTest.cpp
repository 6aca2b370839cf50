#include <gtest/gtest.h>

#include <cstring>

#include "runtime/RuntimeError.h"
#include "runtime/TestChecks.h"
#include "runtime/registry/RegistryStore.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

using testing::Bytes;
using testing::Sandbox;

constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class RunKeyTest : public ::testing::Test {
 protected:
  void SetUp() override { store.openKey(HKEY_LOCAL_MACHINE, kRun, 0x3F, key); }
  RegStatus set(const std::string& name, const char* text) {
    return testing::setRaw(store, key, name, REG_SZ, Bytes(text, text + std::strlen(text) + 1));
  }
  std::string get(const std::string& name, HKey from = 0) {
    const auto [type, data] = testing::rawValue(store, from == 0 ? key : from, name);
    EXPECT_TRUE(type == 0 || (type == REG_SZ && data.back() == 0)) << type;
    return type == 0 ? "<absent>" : std::string(data.begin(), data.end() - 1);
  }

  std::filesystem::path autostart = Sandbox::root() / "config/autostart";
  RegistryStore store{Sandbox::root() / "config/Halvorne", autostart};
  HKey key = 0;
};

TEST_F(RunKeyTest, ValueIsAnEntryWhoseProgramIsQuotedAndEscapedAsEntriesRequire) {
  const std::tuple<std::string, const char*, const char*> cases[] = {
      {"Ferrowick", "/opt/ferrowick/ferrowick", "Name=Ferrowick\nExec=/opt/ferrowick/ferrowick\n"},
      {"Odd", "/$H `x`\"q\"1%\\s",
       "Name=Odd\nExec=\"/\\\\$H \\\\`x\\\\`\\\\\"q\\\\\"1%%\\\\\\\\s\"\n"},
      {" Lead\tname", "/a;b", "Name=\\sLead\\tname\nExec=\"/a;b\"\n"},
      {"Lines", "x\ny", "Name=Lines\nExec=\"x\\ny\"\n"},
  };
  for (const auto& [name, command, lines] : cases) {
    SCOPED_TRACE(name);
    ASSERT_EQ(set(name, command), ERROR_SUCCESS);
    EXPECT_EQ(testing::readFile(autostart / (name + ".desktop")),
              std::string("[Desktop Entry]\nType=Application\n") + lines);
    EXPECT_EQ(get(name), command);
  }
  for (const char* name : {"", "..", "../escape"})
    EXPECT_EQ(set(name, "/bin/x"), ERROR_INVALID_PARAMETER) << name;
  EXPECT_EQ(testing::setRaw(store, key, "N", REG_DWORD, {1, 0, 0, 0}), ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(std::filesystem::exists(Sandbox::root() / "config/Halvorne"));  // not in the store
}

TEST_F(RunKeyTest, EitherRootInAnyCaseHasTheEnabledEntriesAndAFailedWriteKeepsOne) {
  const std::pair<const char*, const char*> entries[] = {
      {"Off", "[Desktop Entry]\nType=Application\nExec=/bin/off\nHidden=true\n"},
      {"Gnome", "[Desktop Entry]\nExec=/bin/g\nX-GNOME-Autostart-enabled = false\n"},
      {"Other", "# note\n[Desktop Entry]\nExec = \"/x y/run\" -f %U\n[X]\nHidden=true"}};
  for (const auto& [name, text] : entries)
    testing::writeFile(autostart / (std::string(name) + ".desktop"), text);
  HKey user = 0;
  store.openKey(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RUN", 0x3F, user);
  EXPECT_EQ(get("Off") + get("Gnome"), "<absent><absent>");
  // Deleting what reads as absent must not unmask a system-wide entry of that name.
  EXPECT_EQ(store.deleteValue(key, "Off"), ERROR_FILE_NOT_FOUND);
  EXPECT_TRUE(std::filesystem::exists(autostart / "Off.desktop"));

  store.faults().inject(FaultPoint::ReplaceFile, Err::PermissionDenied);
  EXPECT_EQ(set("Other", "/new"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(get("Other", user), "\"/x y/run\" -f %U");
  // An entry that cannot be read is no value, and deleting it leaves its file.
  store.faults().inject(FaultPoint::ReadProfile, Err::DeviceIOError, "Other.desktop", 2);
  EXPECT_EQ(get("Other", user), "<absent>");
  EXPECT_EQ(store.deleteValue(user, "Other"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(store.deleteValue(user, "Other"), ERROR_SUCCESS);
}

}  // namespace
}  // namespace ferrowick::runtime
