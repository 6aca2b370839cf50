#include "ui/host/FolderStart.h"

#include <QDir>
#include <QFileInfo>

namespace ferrowick::ui {

// A relative text (such as a field's design text) names no folder: it would resolve
// against whatever the working folder happens to be.
QString existingFolderToStartIn(const QString& requested) {
  if (!QDir::isAbsolutePath(requested)) return QDir::homePath();
  QString folder = QDir::cleanPath(requested);
  while (!QFileInfo(folder).isDir()) {
    const QString parent = QFileInfo(folder).path();
    if (parent == folder) return QDir::homePath();
    folder = parent;
  }
  return folder;
}

}  // namespace ferrowick::ui
