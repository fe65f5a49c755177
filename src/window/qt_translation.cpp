#include "window/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

// A Linux install ships Qt's texts per module ("qtbase"); windeployqt writes them combined
// into one "qt" catalogue. Either gives the message boxes their 确定.
bool installChineseQtTexts(QCoreApplication& app) {
    const QString directory = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const QString& catalogue : {QStringLiteral("qtbase"), QStringLiteral("qt")}) {
        auto* translator = new QTranslator(&app);
        if (translator->load(QLocale(QLocale::Chinese, QLocale::China), catalogue,
                             QStringLiteral("_"), directory)) {
            return QCoreApplication::installTranslator(translator);
        }
        delete translator;
    }
    return false;
}
