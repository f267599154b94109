#include "ui/main/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace quorlin::ui {

namespace {

QLocale LocaleOf(uint32_t language_id) {
  switch (language_id) {
    case 0x0407:
      return QLocale(QLocale::German, QLocale::Germany);
    case 0x0416:
      return QLocale(QLocale::Portuguese, QLocale::Brazil);
    default:
      return QLocale(QLocale::English, QLocale::UnitedStates);
  }
}

}  // namespace

bool UseQtTranslations(uint32_t language_id) {
  // Owned by the application; gone with it.
  static QPointer<QTranslator> installed;
  if (QCoreApplication::instance() == nullptr) return false;
  if (installed) {
    QCoreApplication::removeTranslator(installed);
    delete installed.data();
  }
  auto translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(LocaleOf(language_id), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  installed = translator;
  return true;
}

}  // namespace quorlin::ui
