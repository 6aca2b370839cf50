#include <gtest/gtest.h>

#include "services/RegistryFixture.h"
#include "services/modlRegistry.h"

namespace ferrowick::services {
namespace {

using namespace runtime;
using ferrowick::testing::readFile;

class modlRegistryTest : public ::testing::Test, protected testing::RegistryFixture {
 protected:
  modlRegistry lregistry{store};
};

TEST_F(modlRegistryTest, SavedStringIsDeletedAgainAndDeletingNothingDoesNothing) {
  lregistry.SaveRegString(HKEY_CURRENT_USER, "A\\B", "name", "value");
  EXPECT_EQ(raw(HKEY_CURRENT_USER, "A\\B", "name"),
            std::make_pair(REG_SZ, testing::Bytes{'v', 'a', 'l', 'u', 'e', 0}));
  lregistry.DeleteRegValue(HKEY_CURRENT_USER, "A\\B", "name");
  EXPECT_EQ(raw(HKEY_CURRENT_USER, "A\\B", "name").first, 0u);

  lregistry.SaveRegString(HKEY_CURRENT_USER, "A\\B", "kept", "x");
  const std::string before = readFile(store.fileOf(HKEY_CURRENT_USER));
  lregistry.DeleteRegValue(HKEY_CURRENT_USER, "A\\B", "missing");
  lregistry.DeleteRegValue(HKEY_CURRENT_USER, "No\\Such\\Key", "kept");
  EXPECT_EQ(readFile(store.fileOf(HKEY_CURRENT_USER)), before);
}

}  // namespace
}  // namespace ferrowick::services
