#include <gtest/gtest.h>

#include "LanguageRig.h"
#include "services/modBrowseFolder.h"

namespace ferrowick::services::testing {
namespace {

TEST(BrowseForFolder, OpensOnTheStartFolderWithItsTitle) {
  LanguageRig rig;
  rig.lang.setText(209, "Choose a folder");
  const std::string start = "/home/ann/Dokumente/Übersicht";
  rig.scripted.folders.choose("/media/usb");
  EXPECT_EQ(modBrowseFolder::BrowseForFolder(rig.scripted.folders, rig.lang, start), "/media/usb");
  ASSERT_EQ(rig.scripted.folders.calls.size(), 1u);
  EXPECT_EQ(rig.scripted.folders.calls[0].title, "Choose a folder");
  EXPECT_EQ(rig.scripted.folders.calls[0].start, start);
}

}  // namespace
}  // namespace ferrowick::services::testing
