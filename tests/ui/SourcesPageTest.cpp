#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "MainWindowFixture.h"
#include "runtime/RuntimeError.h"
#include "support/ListItems.h"

namespace ferrowick::testing {
namespace {

using Strings = std::vector<std::string>;

class SourcesPageTest : public MainWindowTest {
 protected:
  SourcesPageTest() {
    writeFile(src / "b.txt", "b");
    writeFile(src / "A.txt", "a");
    writeFile(src / ".hidden", "h");
    writeFile(src / "sub/c.txt", "c");
  }
  void fill(ui::frmMain& w, const Strings& items) {
    for (const auto& item : items) w.lstSource().addItem(item);
  }

  std::filesystem::path src = Sandbox::root() / "src";
};

TEST_F(SourcesPageTest, BrowsingTrimsTheStartAndMovesTheListsOnlyOnAChoice) {
  ui::frmMain& w = makeWindow();
  EXPECT_EQ(w.dirSource().path(), "/");  // right after start, at the path box's folder
  w.BrowseForFolders_.widget().click();  // cancelled
  w.txtStart_.setText(src.string() + "/");
  scripted.folders.choose(src.string());
  w.BrowseForFolders_.widget().click();
  ASSERT_EQ(scripted.folders.calls.size(), 2u);
  EXPECT_EQ(scripted.folders.calls[0].start, "Start path to browse from");
  EXPECT_EQ(scripted.folders.calls[1].start, src.string());
  EXPECT_EQ(w.txtStart_.text(), src.string());
  EXPECT_EQ(itemsOf(w.fileSource()), (Strings{"A.txt", "b.txt"}));

  // A half-typed path leaves both lists; they follow once it names a folder again.
  w.txtSelected_.setText(src.string() + "/su");
  EXPECT_EQ(w.dirSource().path(), src.string());
  w.txtSelected_.setText((src / "sub").string());
  EXPECT_EQ(itemsOf(w.fileSource()), Strings{"c.txt"});
}

TEST_F(SourcesPageTest, AddButtonsAddTheShownFolderWithOrWithoutSubfoldersOrTheChosenFiles) {
  ui::frmMain& w = makeWindow();
  w.txtSelected_.setText(src.string());
  w.chkIncSub_.setValue(runtime::CheckState::Unchecked);
  w.cmdAddDir_.widget().click();
  w.fileSource().setSelected(1, true);
  w.cmdAddFile_.widget().click();
  EXPECT_EQ(itemsOf(w.lstSource()), (Strings{src.string() + "/*.*", src.string() + "/b.txt"}));

  // A path box naming no folder adds nothing, not the folder the lists were left at.
  w.lstSource().clear();
  w.txtSelected_.setText(src.string() + "/missing");
  w.cmdAddDir_.widget().click();
  EXPECT_EQ(w.lstSource().count(), 0u);
  EXPECT_EQ(scripted.messages.all(), Strings{"Ferrowick|Critical|76\nPath not found"});

  // Nor does a relative path, even one that leads to a folder from the current folder:
  // it would mean another folder wherever the program starts.
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(src);
  w.txtSelected_.setText("sub");
  w.cmdAddDir_.widget().click();
  std::filesystem::current_path(before);
  EXPECT_EQ(w.dirSource().path(), src.string());
  EXPECT_EQ(itemsOf(w.fileSource()), (Strings{"A.txt", "b.txt"}));
  EXPECT_EQ(w.lstSource().count(), 0u);
  EXPECT_EQ(scripted.messages.all(), Strings(2, "Ferrowick|Critical|76\nPath not found"));
}

TEST_F(SourcesPageTest, RemoveTakesTheSelectedEntriesAndTheLastOneTheSettingsFile) {
  ui::frmMain& w = makeWindow();
  writeFile(appData("dravonk.ini"), "[Log]\r\nSave=True\r\n");
  writeFile(appData("dravonk.bak"), "old");
  fill(w, {"/a", "/b", "/c"});
  for (std::size_t i : {0u, 2u}) w.lstSource().setSelected(i, true);
  w.cmdExclude_.widget().click();
  EXPECT_EQ(itemsOf(w.lstSource()), Strings{"/b"});
  EXPECT_TRUE(std::filesystem::exists(appData("dravonk.ini")));
  w.lstSource().setSelected(0, true);
  w.cmdExclude_.widget().click();
  EXPECT_FALSE(std::filesystem::exists(appData("dravonk.ini")));
  EXPECT_TRUE(std::filesystem::exists(appData("dravonk.bak")));
}

// Clearing deletes the settings file; with none there is nothing to report.
TEST_F(SourcesPageTest, AFailedDeletionIsReportedOnceNamingTheFileAndTheEntriesStayRemoved) {
  ui::frmMain& w = makeWindow();
  fill(w, {"/a", "/b"});
  w.cmdClrSoucre_.widget().click();
  const std::string ini = appData("dravonk.ini").string();
  writeFile(ini, "x");
  // An unavailable device is reported by its own text.
  for (int number : {runtime::Err::DeviceUnavailable, runtime::Err::PermissionDenied}) {
    fill(w, {"/a"});
    fs.faults().inject(runtime::FaultPoint::Delete, number, "dravonk.ini");
    w.cmdClrSoucre_.widget().click();
    EXPECT_EQ(w.lstSource().count(), 0u);
  }
  EXPECT_TRUE(std::filesystem::exists(ini));
  std::filesystem::remove(ini);
  std::filesystem::create_directory(ini);
  fill(w, {"/a"});
  w.cmdClrSoucre_.widget().click();
  EXPECT_EQ(scripted.messages.all(),
            (Strings{"Ferrowick|Critical|" + text(199) + "\n\n" + ini,
                     "Ferrowick|Critical|70\nPermission denied\n\n" + ini,
                     "Ferrowick|Critical|75\nPath/File access error\n\n" + ini}));
}

}  // namespace
}  // namespace ferrowick::testing
