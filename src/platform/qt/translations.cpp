#include "platform/qt/translations.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vesko {

void installChineseTranslations(QApplication& app) {
  const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  for (const char* name : {"qt_zh_CN"}) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QString::fromLatin1(name), dir))
      QCoreApplication::installTranslator(translator);
    else
      delete translator;
  }
  QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
}

}  // namespace vesko
