#include "ui/host/QtFileDialog.h"

#include <QApplication>
#include <QFileDialog>

namespace ferrowick::ui {

std::string QtFileDialog::openFile(const std::string& description, const std::string& pattern,
                                   const std::string& fileName) {
  // "*.*" means every file; here a file name need not hold a dot.
  const QString files = pattern == "*.*" ? QStringLiteral("*") : QString::fromStdString(pattern);
  const QString filter =
      QString::fromStdString(description).trimmed() + QStringLiteral(" (") + files + ')';
  return QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(),
                                      QString::fromStdString(fileName), filter)
      .toStdString();
}

}  // namespace ferrowick::ui
