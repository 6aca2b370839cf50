#pragma once

#include <QString>
#include <QTranslator>
#include <string>

namespace ferrowick::ui {

// Qt's own texts (standard buttons, the file and folder dialogs) in the program's
// language, from the translations that come with Qt.
class QtTranslations {
 public:
  QtTranslations() = default;
  QtTranslations(const QtTranslations&) = delete;
  QtTranslations& operator=(const QtTranslations&) = delete;
  ~QtTranslations();

  // Qt's name for a program language; empty for English and any language Qt's own
  // texts are not switched for.
  static QString localeFor(const std::string& language);
  // Replaces the texts loaded before; a language without Qt translations leaves Qt's
  // English.
  void load(const std::string& language);

 private:
  void unload();

  QTranslator translator_;
  bool installed_ = false;
};

}  // namespace ferrowick::ui
