#pragma once
// The program's one command line: the data folder to open, the desktop's
// folder option, the export to PDF, --help and --version. It is read before
// any window exists, so nothing it does needs a display. Each further option
// gets its QCommandLineOption here and its value in StartOptions.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <string>

#include "app/PdfExportCommand.h"

namespace varnok {

// What the command line asks of the program when it runs.
struct StartOptions {
    QString dataFolder;       // "" = the current folder, as always
    std::string folderBytes;  // the same in the system's bytes, as the command line gave it
    bool askFolder = false;   // the desktop's way: the last folder, or the chooser
    bool exportPdf = false;   // write `pdf` and end, without a window
    PdfExportRequest pdf;
};

class CommandLine {
public:
    enum class Outcome { Run, ExportPdf, ShowHelp, ShowVersion, Error };

    CommandLine();

    // `arguments` as the program got them, the program's name first.
    Outcome Parse(const QStringList& arguments);
    const StartOptions& options() const { return options_; }

    // Prints what an outcome other than Run or ExportPdf asks for (help and
    // version on `out`, a mistake on `err`) and returns the program's exit status.
    int Report(Outcome outcome, std::FILE* out, std::FILE* err) const;

private:
    // The export's options into options_.pdf; false with error_ set on a mistake.
    bool TakePdfOptions();

    QCommandLineParser parser_;
    QCommandLineOption help_;
    QCommandLineOption version_;
    QCommandLineOption askFolder_;
    QCommandLineOption pdf_;
    QCommandLineOption group_;
    QCommandLineOption wholeCard_;
    QCommandLineOption months_;
    StartOptions options_;
    QString error_;
};

// The command-line arguments of main() as text.
QStringList ArgumentsOf(int argc, char** argv);

// The bytes of the argument of main() that reads as `text` (the whole
// argument, or what follows "=" in "--option=value"): Qt reads arguments as
// UTF-8, so a name in other bytes is found again here. The last such argument;
// `text` itself when none reads so.
std::string ArgumentBytes(int argc, char** argv, const QString& text);

// Reads main()'s command line into `start` and enters the data folder it
// names. Returns -1 when the program is to open its window; otherwise it has
// run the export to PDF, or printed the help, the version or the mistake, and
// returns the exit status. Needs no display: without an application it makes
// a console one for Qt's texts, and the export an offscreen one.
int TakeCommandLine(int argc, char** argv, StartOptions& start);

}  // namespace varnok
