#include "ui/host/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace ferrowick::ui {

QtTranslations::~QtTranslations() { unload(); }

QString QtTranslations::localeFor(const std::string& language) {
  if (language == "Polish") return QStringLiteral("pl");
  if (language == "Deutsch") return QStringLiteral("de");
  return {};
}

void QtTranslations::load(const std::string& language) {
  unload();
  const QString locale = localeFor(language);
  if (locale.isEmpty()) return;
  if (!translator_.load(QStringLiteral("qt_") + locale,
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    return;
  }
  installed_ = QCoreApplication::installTranslator(&translator_);
}

void QtTranslations::unload() {
  if (!installed_) return;
  QCoreApplication::removeTranslator(&translator_);
  installed_ = false;
}

}  // namespace ferrowick::ui
