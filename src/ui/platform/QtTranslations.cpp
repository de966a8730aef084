#include "QtTranslations.h"

#include <QCoreApplication>
#include <QFileInfo>
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

QString QtCatalogueFor(const QString& language, const QString& folder) {
    // "qt_<language>" would also open the catalogues of every other Qt module
    // installed, for nothing; it is taken only where it holds the texts itself.
    for (const QString& prefix : {QStringLiteral("qtbase_"), QStringLiteral("qt_")}) {
        if (QFileInfo::exists(folder + QLatin1Char('/') + prefix + language +
                              QStringLiteral(".qm"))) {
            return prefix + language;
        }
    }
    return {};
}

bool InstallQtTranslations(QCoreApplication& application) {
    const QString language = QString::fromStdString(EditionLanguage(EditionCode()));
    if (language.isEmpty()) {
        return false;
    }
    InitTranslationResource();
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QString catalogue = QtCatalogueFor(language, folder);
    const bool qt = !catalogue.isEmpty() && Install(application, catalogue, folder);
    // Ours fills what Qt's leaves in English (parts of the printer setup). Installed
    // last, it is asked first, so it holds only texts Qt's catalogue lacks.
    Install(application, QStringLiteral("varnok_") + language,
            QStringLiteral(":/varnok/translations"));
    return qt;
}

}  // namespace varnok
