#include "controls/mLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace mLanguage {

bool InstallQtTranslations()
{
    static QPointer<QTranslator> installed;
    if (installed)
        return true;
    const QLocale::Language language = QLocale::system().language();
    if (language != QLocale::French && language != QLocale::C)
        return false;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    installed = translator;
    return true;
}

} // namespace mLanguage
