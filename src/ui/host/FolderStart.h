#pragma once

#include <QString>

namespace ferrowick::ui {

// The folder a folder picker opens in for `requested`: the folder itself when it exists,
// else its nearest existing parent, else the home folder. A picker started on anything
// else shows the text in its name field as if it were a folder to choose.
QString existingFolderToStartIn(const QString& requested);

}  // namespace ferrowick::ui
