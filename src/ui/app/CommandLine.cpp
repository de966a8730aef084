#include "CommandLine.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <memory>

#include "app/DataFolder.h"
#include "platform/QtTranslations.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"

namespace varnok {

namespace {

QString Text(int id) {
    return FromCodePage(ResString(id));
}

void Print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

}  // namespace

CommandLine::CommandLine()
    : help_({QStringLiteral("h"), QStringLiteral("help")}, Text(ids::kHelpHelp)),
      version_({QStringLiteral("v"), QStringLiteral("version")}, Text(ids::kVersionHelp)),
      askFolder_(QStringLiteral("ask-folder"), Text(ids::kAskFolderHelp)),
      pdf_(QStringLiteral("pdf"), Text(ids::kPdfOptionHelp), Text(ids::kPdfOptionValue)),
      group_(QStringLiteral("group"), Text(ids::kGroupOptionHelp), QStringLiteral("N")),
      wholeCard_(QStringLiteral("whole-card"), Text(ids::kWholeCardOptionHelp)),
      months_(QStringLiteral("months"), Text(ids::kMonthsOptionHelp),
              QStringLiteral("set,ott,...")) {
    parser_.setApplicationDescription(Text(ids::kCommandLineAbout) + QLatin1Char('\n') +
                                      Text(ids::kPdfAbout));
    parser_.addOptions({help_, version_, askFolder_, pdf_, group_, wholeCard_, months_});
    parser_.addPositionalArgument(
        Text(ids::kFolderArgument), Text(ids::kFolderArgumentHelp),
        QStringLiteral("[") + Text(ids::kFolderArgument) + QStringLiteral("]"));
}

CommandLine::Outcome CommandLine::Parse(const QStringList& arguments) {
    options_ = StartOptions{};
    error_.clear();
    if (!parser_.parse(arguments)) {
        error_ = parser_.errorText();
        return Outcome::Error;
    }
    if (parser_.isSet(help_)) {
        return Outcome::ShowHelp;
    }
    if (parser_.isSet(version_)) {
        return Outcome::ShowVersion;
    }
    options_.exportPdf = parser_.isSet(pdf_);
    if (options_.exportPdf && !TakePdfOptions()) {
        return Outcome::Error;
    }
    if (!options_.exportPdf &&
        (parser_.isSet(group_) || parser_.isSet(wholeCard_) || parser_.isSet(months_))) {
        error_ = Text(ids::kPdfOnlyOptions);
        return Outcome::Error;
    }
    const QStringList folders = parser_.positionalArguments();
    if (folders.size() > 1) {
        error_ = options_.exportPdf ? Text(ids::kNoDataFolder).arg(folders.join(QLatin1Char(' ')))
                                    : Text(ids::kOneFolderOnly);
        return Outcome::Error;
    }
    options_.dataFolder = folders.value(0);
    options_.askFolder = parser_.isSet(askFolder_);
    return options_.exportPdf ? Outcome::ExportPdf : Outcome::Run;
}

bool CommandLine::TakePdfOptions() {
    PdfExportRequest& request = options_.pdf;
    if (parser_.isSet(askFolder_)) {
        // A script names its data folder; the export never opens the chooser.
        error_ = Text(ids::kAskFolderNotWithPdf);
        return false;
    }
    // The file is named from the caller's folder, before the data folder is entered.
    request.output = QFileInfo(parser_.value(pdf_)).absoluteFilePath();
    request.given = parser_.value(pdf_);
    request.wholeCard = parser_.isSet(wholeCard_);
    if (parser_.isSet(months_)) {
        QString unknown;
        if (!ParseMonthNames(parser_.value(months_), request.months, unknown)) {
            error_ = Text(ids::kUnknownMonth).arg(unknown);
            return false;
        }
    }
    if (!request.wholeCard && request.months == std::array<bool, 12>{}) {
        error_ = Text(ids::kNothingToExport);
        return false;
    }
    if (parser_.isSet(group_)) {
        bool number = false;
        request.group = parser_.value(group_).toInt(&number);
        if (!number || request.group < 1) {
            error_ = Text(ids::kBadGroupNumber).arg(parser_.value(group_));
            return false;
        }
    }
    return true;
}

int CommandLine::Report(Outcome outcome, std::FILE* out, std::FILE* err) const {
    switch (outcome) {
        case Outcome::Run:
        case Outcome::ExportPdf:
            return 0;
        case Outcome::ShowHelp:
            Print(out, parser_.helpText());
            return 0;
        case Outcome::ShowVersion:
            Print(out, QCoreApplication::applicationName() + QLatin1Char(' ') +
                           QCoreApplication::applicationVersion() + QLatin1Char('\n'));
            return 0;
        case Outcome::Error:
            Print(err, QCoreApplication::applicationName() + QStringLiteral(": ") + error_ +
                           QLatin1Char('\n') + Text(ids::kHelpHint) + QLatin1Char('\n'));
            return 2;
    }
    return 2;
}

QStringList ArgumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

std::string ArgumentBytes(int argc, char** argv, const QString& text) {
    for (int i = argc - 1; i >= 1; --i) {
        const std::string argument = argv[i];
        if (QString::fromLocal8Bit(argument) == text) {
            return argument;
        }
        const size_t equals = argument.find('=');
        if (argument.rfind("-", 0) == 0 && equals != std::string::npos &&
            QString::fromLocal8Bit(argument.substr(equals + 1)) == text) {
            return argument.substr(equals + 1);
        }
    }
    return QFile::encodeName(text).toStdString();
}

namespace {

void PrintError(const QString& text) {
    Print(stderr,
          QCoreApplication::applicationName() + QStringLiteral(": ") + text + QLatin1Char('\n'));
}

// The export's file in the system's bytes, whole: named from the caller's
// folder, before the data folder is entered.
std::string OutputBytes(int argc, char** argv, const QString& given) {
    const std::string bytes = ArgumentBytes(argc, argv, given);
    if (bytes.empty() || bytes.front() == '/') {
        return bytes;
    }
    return CurrentDataFolder() + "/" + bytes;
}

}  // namespace

int TakeCommandLine(int argc, char** argv, StartOptions& start) {
    CommandLine commandLine;
    const CommandLine::Outcome outcome = commandLine.Parse(ArgumentsOf(argc, argv));
    if (outcome == CommandLine::Outcome::ExportPdf) {
        start = commandLine.options();
        start.pdf.outputBytes = OutputBytes(argc, argv, start.pdf.given);
        start.folderBytes = start.dataFolder.isEmpty()
                                ? CurrentDataFolder()
                                : ArgumentBytes(argc, argv, start.dataFolder);
        if (!FolderExists(start.folderBytes)) {
            PrintError(Text(ids::kNoDataFolder).arg(FolderForDisplay(start.folderBytes)));
            return 2;
        }
        // The export reads nothing from a folder without the congregation's data.
        if (!IsDataFolder(start.folderBytes)) {
            PrintError(NotADataFolderText(start.folderBytes));
            return 1;
        }
        if (!EnterDataFolder(start.folderBytes)) {
            PrintError(Text(ids::kNoDataFolder).arg(FolderForDisplay(start.folderBytes)));
            return 2;
        }
        return ExportPdfWithoutDisplay(argc, argv, start.pdf);
    }
    if (outcome == CommandLine::Outcome::Run) {
        start = commandLine.options();
        if (start.dataFolder.isEmpty()) {
            return -1;
        }
        // A folder named on the command line wins over the desktop's option.
        start.askFolder = false;
        start.folderBytes = ArgumentBytes(argc, argv, start.dataFolder);
        // Nothing is read from a folder without the congregation's data, nor written into it.
        if (FolderExists(start.folderBytes) && !IsDataFolder(start.folderBytes)) {
            PrintError(NotADataFolderText(start.folderBytes));
            return 1;
        }
        if (!EnterDataFolder(start.folderBytes)) {
            PrintError(Text(ids::kDataFolderMissing).arg(FolderForDisplay(start.folderBytes)));
            return 2;
        }
        return -1;
    }
    // Only what prints is read again, once Qt's own texts (the parser's
    // headings and mistakes) are in the edition's language.
    std::unique_ptr<QCoreApplication> console;
    if (QCoreApplication::instance() == nullptr) {
        console = std::make_unique<QCoreApplication>(argc, argv);
        InstallQtTranslations(*console);
    }
    CommandLine translated;
    return translated.Report(translated.Parse(ArgumentsOf(argc, argv)), stdout, stderr);
}

}  // namespace varnok
