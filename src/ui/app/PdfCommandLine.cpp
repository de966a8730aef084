#include "PdfCommandLine.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <cstring>

#include "app/PdfExportCommand.h"
#include "app/ProfileLocation.h"
#include "layout/CardSettings.h"
#include "platform/Edition.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"

namespace varnok {
namespace {

QString Text(int id) {
    return FromCodePage(ResString(id));
}

bool AsksForExport(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        for (const char* option : {"--pdf", "--group", "--whole-card", "--months"}) {
            const size_t length = std::strlen(option);
            if (std::strncmp(argv[i], option, length) == 0 &&
                (argv[i][length] == '\0' || argv[i][length] == '=')) {
                return true;
            }
        }
    }
    return false;
}

int Mistake(const QString& message) {
    const QByteArray bytes = (QStringLiteral("varnok: ") + message + '\n').toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    return 2;
}

}  // namespace

int TakePdfCommandLine(int argc, char** argv) {
    if (!AsksForExport(argc, argv)) {
        return -1;
    }
    // Fonts and the PDF writer need a GUI application, but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("varnok"));

    QCommandLineParser parser;
    parser.setApplicationDescription(Text(ids::kPdfAbout));
    const QCommandLineOption pdf(QStringLiteral("pdf"), Text(ids::kPdfOptionHelp),
                                 Text(ids::kPdfOptionValue));
    const QCommandLineOption group(QStringLiteral("group"), Text(ids::kGroupOptionHelp),
                                   QStringLiteral("N"));
    const QCommandLineOption wholeCard(QStringLiteral("whole-card"),
                                       Text(ids::kWholeCardOptionHelp));
    const QCommandLineOption months(QStringLiteral("months"), Text(ids::kMonthsOptionHelp),
                                    QStringLiteral("set,ott,..."));
    parser.addOptions({pdf, group, wholeCard, months});
    parser.addPositionalArgument(QStringLiteral("CARTELLA"), Text(ids::kPdfAbout),
                                 QStringLiteral("[CARTELLA]"));
    if (!parser.parse(QCoreApplication::arguments())) {
        return Mistake(parser.errorText());
    }
    if (!parser.isSet(pdf)) {
        return Mistake(Text(ids::kPdfOnlyOptions));
    }
    PdfExportRequest request;
    // The file is named from the caller's folder, before the data folder is entered.
    request.output = QFileInfo(parser.value(pdf)).absoluteFilePath();
    request.wholeCard = parser.isSet(wholeCard);
    if (parser.isSet(months)) {
        QString unknown;
        if (!ParseMonthNames(parser.value(months), request.months, unknown)) {
            return Mistake(Text(ids::kUnknownMonth).arg(unknown));
        }
    }
    if (!request.wholeCard && request.months == std::array<bool, 12>{}) {
        return Mistake(Text(ids::kNothingToExport));
    }
    if (parser.isSet(group)) {
        bool number = false;
        request.group = parser.value(group).toInt(&number);
        if (!number || request.group < 1) {
            return Mistake(Text(ids::kBadGroupNumber).arg(parser.value(group)));
        }
    }
    const QStringList folders = parser.positionalArguments();
    if (folders.size() > 1 || (folders.size() == 1 && !QDir::setCurrent(folders.first()))) {
        return Mistake(Text(ids::kNoDataFolder).arg(folders.join(QLatin1Char(' '))));
    }
    ApplyEditionLocale(EditionCode());
    const std::string profile =
        ProfilePathFor(QCoreApplication::applicationFilePath().toStdString());
    return RunPdfExport(request, profile);
}

}  // namespace varnok
