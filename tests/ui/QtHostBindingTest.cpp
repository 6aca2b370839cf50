#include <gtest/gtest.h>

#include <QString>

#include "support/Sandbox.h"
#include "ui/host/FolderStart.h"

namespace ferrowick::testing {
namespace {

TEST(FolderPickerStart, OpensInAnExistingFolderOnly) {
  const QString root = QString::fromStdString(Sandbox::root().string());
  writeFile(Sandbox::root() / "home/backup/file.txt", "x");
  const QString home = root + "/home";
  const std::pair<QString, QString> cases[] = {
      {root + "/home/backup", root + "/home/backup"},
      {root + "/home/backup/", root + "/home/backup"},
      {root + "/home/backup/gone/deeper", root + "/home/backup"},
      {root + "/home/backup/file.txt", root + "/home/backup"},
      {"Start path to browse from", home},
      {"", home},
  };
  for (const auto& [requested, expected] : cases) {
    EXPECT_EQ(ui::existingFolderToStartIn(requested), expected) << requested.toStdString();
  }
}

}  // namespace
}  // namespace ferrowick::testing
