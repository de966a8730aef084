#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "platform/Edition.h"

namespace varnok {

bool InstallQtTranslations(QCoreApplication& application) {
    const QString language = QString::fromStdString(EditionLanguage(EditionCode()));
    if (language.isEmpty()) {
        return false;
    }
    // "qt_<language>" gathers the catalogues of every Qt module installed.
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qt_") + language,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace varnok
