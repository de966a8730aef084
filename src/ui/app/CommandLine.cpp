#include "CommandLine.h"

#include <QCoreApplication>
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
      askFolder_(QStringLiteral("ask-folder"), Text(ids::kAskFolderHelp)) {
    parser_.setApplicationDescription(Text(ids::kCommandLineAbout));
    parser_.addOption(help_);
    parser_.addOption(version_);
    parser_.addOption(askFolder_);
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
    const QStringList folders = parser_.positionalArguments();
    if (folders.size() > 1) {
        error_ = Text(ids::kOneFolderOnly);
        return Outcome::Error;
    }
    options_.dataFolder = folders.value(0);
    options_.askFolder = parser_.isSet(askFolder_);
    return Outcome::Run;
}

int CommandLine::Report(Outcome outcome, std::FILE* out, std::FILE* err) const {
    switch (outcome) {
        case Outcome::Run:
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

int TakeCommandLine(int argc, char** argv, StartOptions& start) {
    CommandLine commandLine;
    const CommandLine::Outcome outcome = commandLine.Parse(ArgumentsOf(argc, argv));
    if (outcome == CommandLine::Outcome::Run) {
        start = commandLine.options();
        if (start.dataFolder.isEmpty()) {
            return -1;
        }
        // A folder named on the command line wins over the desktop's option.
        start.askFolder = false;
        if (EnterDataFolder(start.dataFolder)) {
            return -1;
        }
        Print(stderr, QCoreApplication::applicationName() + QStringLiteral(": ") +
                          Text(ids::kDataFolderMissing).arg(start.dataFolder) + QLatin1Char('\n'));
        return 2;
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
