#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "platform/Edition.h"

// The program's own catalogues are built into it from res/translations.
static void InitTranslationResource() {
    Q_INIT_RESOURCE(translations);
}

namespace varnok {
namespace {

bool Install(QCoreApplication& application, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(&application);
    if (!translator->load(name, folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace

bool InstallQtTranslations(QCoreApplication& application) {
    const QString language = QString::fromStdString(EditionLanguage(EditionCode()));
    if (language.isEmpty()) {
        return false;
    }
    InitTranslationResource();
    // "qtbase_<language>" holds the texts of every Qt module the program uses
    // (core, widgets, printing); "qt_<language>" would add the catalogues of
    // every other Qt module installed, for nothing.
    const bool qt = Install(application, QStringLiteral("qtbase_") + language,
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    // Ours fills what Qt's leaves in English (parts of the printer setup). Installed
    // last, it is asked first, so it holds only texts Qt's catalogue lacks.
    Install(application, QStringLiteral("varnok_") + language,
            QStringLiteral(":/varnok/translations"));
    return qt;
}

}  // namespace varnok
