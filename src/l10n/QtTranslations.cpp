#include "l10n/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QString>
#include <QTranslator>
#include <filesystem>
#include <optional>

namespace quelmora {

namespace {

// The program's own texts are Russian and Qt's are English: English needs no
// catalogue, every other language the one Qt names after that language
// ("German.lng" is QLocale's "German").
std::optional<QLocale> QtLocaleOf(const std::string& LanguageFile) {
  const QString stem = QString::fromStdString(std::filesystem::path(LanguageFile).stem().string());
  if (stem.isEmpty() || stem.compare(QStringLiteral("English"), Qt::CaseInsensitive) == 0)
    return std::nullopt;
  for (const QLocale& locale :
       QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory))
    if (QLocale::languageToString(locale.language()).compare(stem, Qt::CaseInsensitive) == 0)
      return QLocale(locale.language());
  return std::nullopt;
}

// Installed once at most; a new language replaces its catalogue.
QTranslator& QtCatalogue() {
  static QTranslator catalogue;
  return catalogue;
}

}  // namespace

void ApplyQtTranslations(const std::string& LanguageFile) {
  QTranslator& catalogue = QtCatalogue();
  QCoreApplication::removeTranslator(&catalogue);
  const std::optional<QLocale> locale = QtLocaleOf(LanguageFile);
  // Without the catalogue (package not installed) Qt's texts stay English.
  if (locale && catalogue.load(*locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                               QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&catalogue);
}

}  // namespace quelmora
