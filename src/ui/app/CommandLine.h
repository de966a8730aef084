#pragma once
// The program's command line: the data folder to open, the desktop's folder
// option, --help and --version. It is read before any window exists, so the
// answers that only print need no display. Each further option gets its
// QCommandLineOption here and its value in StartOptions.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <cstdio>

namespace varnok {

// What the command line asks of the program when it runs.
struct StartOptions {
    QString dataFolder;      // "" = the current folder, as always
    bool askFolder = false;  // the desktop's way: the last folder, or the chooser
};

class CommandLine {
public:
    enum class Outcome { Run, ShowHelp, ShowVersion, Error };

    CommandLine();

    // `arguments` as the program got them, the program's name first.
    Outcome Parse(const QStringList& arguments);
    const StartOptions& options() const { return options_; }

    // Prints what an outcome other than Run asks for (help and version on
    // `out`, a mistake on `err`) and returns the program's exit status.
    int Report(Outcome outcome, std::FILE* out, std::FILE* err) const;

private:
    QCommandLineParser parser_;
    QCommandLineOption help_;
    QCommandLineOption version_;
    QCommandLineOption askFolder_;
    StartOptions options_;
    QString error_;
};

// The command-line arguments of main() as text.
QStringList ArgumentsOf(int argc, char** argv);

// Reads main()'s command line into `start` and enters the data folder it
// names. Returns -1 when the program is to run; otherwise it has printed the
// help, the version or the mistake and returns the exit status. Needs no
// display: without an application it makes a console one for Qt's texts.
int TakeCommandLine(int argc, char** argv, StartOptions& start);

}  // namespace varnok
