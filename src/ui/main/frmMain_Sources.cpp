// The sources page: the path box with its folder and file lists, adding, removing and
// clearing source items.
#include <algorithm>

#include "runtime/App.h"
#include "runtime/Host.h"
#include "runtime/RuntimeError.h"
#include "runtime/fs/FileSystem.h"
#include "services/modBrowseFolder.h"
#include "services/modLanguage.h"
#include "ui/main/frmMain.h"

namespace ferrowick::ui {

void frmMain::wireSources() {
  BrowseForFolders_.onClick = [this] { BrowseForFolders_Click(); };
  txtSelected_.onChange = [this] { txtSelected_Change(); };
  cmdAddDir_.onClick = [this] { cmdAddDir_Click(); };
  cmdAddFile_.onClick = [this] { cmdAddFile_Click(); };
  cmdExclude_.onClick = [this] { cmdExclude_Click(); };
  cmdClrSoucre_.onClick = [this] { cmdClrSoucre_Click(); };
  lstSource_.onClick = [this] { lstSource_Click(); };
}

void frmMain::initSourcesPage() {
  dirSource_.setPath(txtSelected_.text());
  dirSource_Change();
}

std::string frmMain::browseStart() {
  std::string start = txtStart_.text();
  if (!start.empty() && start.back() == '/') start.pop_back();
  txtStart_.setText(start);
  return start;
}

void frmMain::criticalBox(int number, const std::string& description) {
  context_.host.messages.show(std::to_string(number) + "\n" + description,
                              runtime::MsgIcon::Critical, context_.app.title());
}

// An unavailable device has a message of its own; a box about a file names it.
void frmMain::sourcesErrorBox(int number, const std::string& description, const std::string& file) {
  const std::string named = file.empty() ? std::string() : "\n\n" + file;
  if (number == runtime::Err::DeviceUnavailable) {
    context_.host.messages.show(context_.lang.text(services::Text::DiskNotReady) + named,
                                runtime::MsgIcon::Critical, context_.app.title());
  } else {
    criticalBox(number, description + named);
  }
}

void frmMain::BrowseForFolders_Click() {
  const std::string chosen = services::modBrowseFolder::BrowseForFolder(
      context_.host.folders, context_.lang, browseStart());
  if (!chosen.empty()) txtSelected_.setText(chosen);
}

// The lists follow the path box only while it names a folder, so a half-typed path
// leaves them where they were. Only an absolute path names a folder: a relative one would
// mean another folder wherever the program starts.
void frmMain::txtSelected_Change() {
  const std::string path = txtSelected_.text();
  if (path.empty() || path.front() != '/') return;
  try {
    if ((context_.fs.getAttributes(path) & runtime::Attr::Directory) == 0) return;
  } catch (const runtime::RuntimeError&) {
    return;
  }
  if (dirSource_.path() == path) return;
  dirSource_.setPath(path);
  dirSource_Change();
}

// The file list shows the path box's folder, sorted as a file list box shows it; a
// folder that cannot be listed shows no files.
void frmMain::dirSource_Change() {
  std::string pattern = txtSelected_.text();
  if (pattern.empty() || pattern.back() != '/') pattern += '/';
  pattern += "*.*";
  std::vector<std::string> names;
  try {
    names = context_.fs.list(pattern, false);
  } catch (const runtime::RuntimeError&) {
    names.clear();
  }
  std::sort(names.begin(), names.end(), runtime::sortsBefore);
  fileSource_.clear();
  for (const std::string& name : names) fileSource_.addItem(name);
}

// The folder list stays at the last folder the path box named; adding it while the box
// names no folder would add a folder the user did not ask for, possibly the whole root.
void frmMain::cmdAddDir_Click() {
  if (dirSource_.path() != txtSelected_.text()) {
    criticalBox(runtime::Err::PathNotFound, runtime::errorDescription(runtime::Err::PathNotFound));
    return;
  }
  engine_.sources.AddSelectedSources(false, chkIncSub_.value() == runtime::CheckState::Checked);
}

void frmMain::cmdAddFile_Click() { engine_.sources.AddSelectedSources(true, false); }

void frmMain::deleteSettingsFile() {
  if (const auto failure = engine_.settings.DeleteSettingsFile()) {
    sourcesErrorBox(failure->number, failure->description, failure->file);
  }
}

void frmMain::cmdExclude_Click() {
  try {
    for (std::size_t i = lstSource_.count(); i-- > 0;) {
      if (lstSource_.selected(i)) lstSource_.removeItem(i);
    }
    if (lstSource_.count() == 0) deleteSettingsFile();
  } catch (const runtime::RuntimeError& error) {
    sourcesErrorBox(error.number(), error.description());
  }
}

void frmMain::cmdClrSoucre_Click() {
  lstSource_.clear();
  deleteSettingsFile();
}

void frmMain::lstSource_Click() {
  cmdExclude_.setEnabled(!lstSource_.widget().selectedItems().isEmpty());
}

}  // namespace ferrowick::ui
