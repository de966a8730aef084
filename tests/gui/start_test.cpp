// How the program finds its data folder at start: the current folder, a folder
// named on the command line, or the desktop's way (the folder chosen last, or
// the folder chooser); and --help and --version, which need no display.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "CardCongregation.h"
#include "DialogDriving.h"
#include "app/CCardDlg.h"
#include "app/CommandLine.h"
#include "app/DataFolder.h"
#include "app/LastDataFolder.h"
#include "data/CPublisherListBox.h"
#include "platform/DialogBuilder.h"
#include "platform/MessageBox.h"
#include "platform/ProfileFile.h"
#include "platform/ResourceIds.h"
#include "platform/WorkingFolder.h"
#include "support/TempFolder.h"

using namespace varnok;
using namespace varnok::test;

namespace {

// The card congregation with a single, other publisher.
CompanionData OtherCongregation(const std::string& password = " ") {
    CompanionData data = CardCongregation(password);
    data.publishers.publishers.resize(1);
    data.publishers.publishers[0].firstName = "Carla";
    data.publishers.publishers[0].lastName = "Neri";
    return data;
}

QString Canonical(const std::filesystem::path& path) {
    return QDir(QString::fromStdString(path.string())).canonicalPath();
}

// What the real program did: its exit status (-1 when it did not end by
// itself) and what it wrote on standard error.
struct ProgramRun {
    int status = -1;
    std::string errors;
};

// Runs the program with arguments passed as the bytes given (a name that is
// not UTF-8 reaches it as it is), without a display.
ProgramRun RunProgram(const std::vector<std::string>& arguments) {
    std::vector<std::string> words{VARNOK_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    // Not a TempFolder: that would make itself the current folder meanwhile.
    char errors[] = "/tmp/varnok-stderr-XXXXXX";
    const int errorsFile = mkstemp(errors);
    if (errorsFile < 0) {
        return {};
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, errorsFile, 2);
    std::vector<std::string> environment{"DISPLAY=", "QT_QPA_PLATFORM=offscreen"};
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        if (entry.rfind("DISPLAY=", 0) != 0 && entry.rfind("QT_QPA_PLATFORM=", 0) != 0 &&
            entry.rfind("WAYLAND_DISPLAY=", 0) != 0) {
            environment.push_back(entry);
        }
    }
    std::vector<char*> envp;
    for (std::string& entry : environment) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    pid_t child = 0;
    ProgramRun run;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        if (waitpid(child, &status, 0) == child && WIFEXITED(status)) {
            run.status = WEXITSTATUS(status);
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    char buffer[4096];
    ssize_t got = 0;
    lseek(errorsFile, 0, SEEK_SET);
    while ((got = read(errorsFile, buffer, sizeof buffer)) > 0) {
        run.errors.append(buffer, static_cast<size_t>(got));
    }
    close(errorsFile);
    unlink(errors);
    return run;
}

}  // namespace

class StartTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void withoutArgumentsTheCurrentFolderIsTheDataFolder();
    void aFolderArgumentOpensThatFolder();
    void aFolderArgumentWinsOverTheDesktopOption();
    void aMissingFolderOrTwoFoldersEndTheProgram();
    void desktopOptionOpensTheRememberedFolderWithoutAsking();
    void desktopOptionAsksWithoutARememberedFolder();
    void desktopOptionAsksWhenTheRememberedFolderLostItsData();
    void cancellingTheChooserWritesNothing();
    void helpAndVersionPrintWithoutADisplay();
    void aFolderWithoutTheDataEndsTheProgramAndStaysUntouched();
    void desktopStartTellsAFolderWithoutTheDataAndAsksAgain();
    void aFolderNamedInLatin1Opens();
    void theOpenWindowHasLoadedNoImagePlugIn();

private:
    // Runs the command line as main() gets it.
    int Take(const QStringList& arguments, StartOptions& start);
    int TakeBytes(const std::vector<std::string>& arguments, StartOptions& start);
    // Opens the card window on the current folder; its list's entries.
    QStringList EntriesOfANewWindow();
    // Runs the desktop start while `drive` handles the folder chooser, if any.
    bool DesktopStart(const std::function<void(QFileDialog&)>& drive, bool* asked);
    ProfileFile Profile() const { return ProfileFile((root_->path() / "varnok.INI").string()); }

    std::unique_ptr<TempFolder> root_;
    std::filesystem::path one_;
    std::filesystem::path two_;
    std::filesystem::path empty_;
    QStringList messages_;
};

void StartTest::init() {
    root_ = std::make_unique<TempFolder>();
    one_ = root_->path() / "uno";
    two_ = root_->path() / "due dati";
    empty_ = root_->path() / "vuota";
    for (const auto& folder : {one_, two_, empty_}) {
        std::filesystem::create_directories(folder);
    }
    WriteCompanionFiles(one_, CardCongregation());
    WriteCompanionFiles(two_, OtherCongregation());
    messages_.clear();
    MessageBox::SetRecorder(&messages_);
    SetClockForTesting(kCardWindowDate);
}

void StartTest::cleanup() {
    MessageBox::SetRecorder(nullptr);
    SetClockForTesting(std::nullopt);
    root_.reset();
}

int StartTest::Take(const QStringList& arguments, StartOptions& start) {
    std::vector<std::string> bytes;
    for (const QString& argument : arguments) {
        bytes.push_back(argument.toLocal8Bit().toStdString());
    }
    return TakeBytes(bytes, start);
}

int StartTest::TakeBytes(const std::vector<std::string>& arguments, StartOptions& start) {
    std::vector<std::string> bytes = arguments;
    std::vector<char*> argv;
    for (std::string& b : bytes) {
        argv.push_back(b.data());
    }
    argv.push_back(nullptr);
    return TakeCommandLine(static_cast<int>(bytes.size()), argv.data(), start);
}

QStringList StartTest::EntriesOfANewWindow() {
    CCardDlg window((root_->path() / "varnok.INI").string());
    QStringList texts;
    auto* list = Control<CPublisherListBox>(window, idc::card::kPublisherList);
    for (int row = 0; row < list->count(); ++row) {
        texts << list->model()->index(row, 0).data().toString();
    }
    window.reject();
    return texts;
}

bool StartTest::DesktopStart(const std::function<void(QFileDialog&)>& drive, bool* asked) {
    bool opened = false;
    *asked = false;
    QTimer poll;
    poll.setInterval(5);
    poll.callOnTimeout([&] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (chooser == nullptr) {
            return;
        }
        poll.stop();
        *asked = true;
        drive(*chooser);
        if (chooser->isVisible()) {
            chooser->reject();  // never leave the test hanging
        }
    });
    poll.start();
    opened = OpenLastOrChosenFolder(Profile());
    return opened;
}

void StartTest::withoutArgumentsTheCurrentFolderIsTheDataFolder() {
    QDir::setCurrent(QString::fromStdString(one_.string()));
    StartOptions start;
    QCOMPARE(Take({"varnok"}, start), -1);
    QVERIFY(start.dataFolder.isEmpty());
    QVERIFY(!start.askFolder);
    QCOMPARE(QDir::currentPath(), Canonical(one_));
    QCOMPARE(EntriesOfANewWindow().size(), 5);

    // An empty folder stays the data folder, as always.
    QDir::setCurrent(QString::fromStdString(empty_.string()));
    QCOMPARE(Take({"varnok"}, start), -1);
    QVERIFY(EntriesOfANewWindow().isEmpty());
    QVERIFY(std::filesystem::exists(empty_ / "cplot.dat"));
}

void StartTest::aFolderArgumentOpensThatFolder() {
    StartOptions start;
    QCOMPARE(Take({"varnok", QString::fromStdString(two_.string())}, start), -1);
    QCOMPARE(QDir::currentPath(), Canonical(two_));
    QCOMPARE(EntriesOfANewWindow(), QStringList{"Neri, Carla"});
    QVERIFY(std::filesystem::exists(two_ / "cplot.dat"));
    QVERIFY(!std::filesystem::exists(root_->path() / "cplot.dat"));
    // Naming a folder is not choosing one on the desktop: nothing is remembered.
    QVERIFY(!std::filesystem::exists(root_->path() / "varnok.INI"));

    // A relative name counts from the current folder.
    QDir::setCurrent(QString::fromStdString(root_->path().string()));
    QCOMPARE(Take({"varnok", "uno"}, start), -1);
    QCOMPARE(QDir::currentPath(), Canonical(one_));
}

void StartTest::aFolderArgumentWinsOverTheDesktopOption() {
    SaveLastDataFolder(Profile(), one_.string());
    StartOptions start;
    QCOMPARE(Take({"varnok", "--ask-folder", QString::fromStdString(two_.string())}, start), -1);
    QVERIFY(!start.askFolder);
    QCOMPARE(QDir::currentPath(), Canonical(two_));

    QCOMPARE(Take({"varnok", "--ask-folder"}, start), -1);
    QVERIFY(start.askFolder);
    QVERIFY(start.dataFolder.isEmpty());
}

void StartTest::aMissingFolderOrTwoFoldersEndTheProgram() {
    const QString before = QDir::currentPath();
    StartOptions start;
    QCOMPARE(Take({"varnok", QString::fromStdString((root_->path() / "manca").string())}, start),
             2);
    QCOMPARE(Take({"varnok", QString::fromStdString((one_ / "tdat9.bin").string())}, start), 2);
    QCOMPARE(Take({"varnok", "uno", "vuota"}, start), 2);
    QCOMPARE(Take({"varnok", "--nessuna"}, start), 2);
    QCOMPARE(QDir::currentPath(), before);
}

void StartTest::desktopOptionOpensTheRememberedFolderWithoutAsking() {
    SaveLastDataFolder(Profile(), two_.string());
    const std::string profileBefore = root_->ReadFile("varnok.INI");
    bool asked = true;
    QVERIFY(DesktopStart([](QFileDialog&) {}, &asked));
    QVERIFY(!asked);
    QCOMPARE(QDir::currentPath(), Canonical(two_));
    QCOMPARE(EntriesOfANewWindow(), QStringList{"Neri, Carla"});
    QCOMPARE(root_->ReadFile("varnok.INI"), profileBefore);
}

void StartTest::desktopOptionAsksWithoutARememberedFolder() {
    bool asked = false;
    QString title;
    QVERIFY(DesktopStart(
        [&](QFileDialog& chooser) {
            title = chooser.windowTitle();
            QCOMPARE(chooser.fileMode(), QFileDialog::Directory);
            ChooseIn(chooser, two_);
        },
        &asked));
    QVERIFY(asked);
    QCOMPARE(title, QString("Scegli la cartella dei dati"));
    QCOMPARE(QDir::currentPath(), Canonical(two_));
    QCOMPARE(QDir(QString::fromLocal8Bit(LoadLastDataFolder(Profile()))).canonicalPath(),
             Canonical(two_));
    QCOMPARE(EntriesOfANewWindow(), QStringList{"Neri, Carla"});

    // The next desktop start opens it without asking.
    QDir::setCurrent(QString::fromStdString(root_->path().string()));
    QVERIFY(DesktopStart([](QFileDialog&) {}, &asked));
    QVERIFY(!asked);
    QCOMPARE(QDir::currentPath(), Canonical(two_));
}

void StartTest::desktopOptionAsksWhenTheRememberedFolderLostItsData() {
    SaveLastDataFolder(Profile(), empty_.string());
    bool asked = false;
    QString openedAt;
    QVERIFY(DesktopStart(
        [&](QFileDialog& chooser) {
            openedAt = chooser.directory().canonicalPath();
            ChooseIn(chooser, one_);
        },
        &asked));
    QVERIFY(asked);
    QCOMPARE(openedAt, Canonical(empty_));  // the chooser starts where the user was
    QCOMPARE(QDir::currentPath(), Canonical(one_));
    QCOMPARE(EntriesOfANewWindow().size(), 5);
}

void StartTest::cancellingTheChooserWritesNothing() {
    const QString before = QDir::currentPath();
    bool asked = false;
    QVERIFY(!DesktopStart([](QFileDialog& chooser) { chooser.reject(); }, &asked));
    QVERIFY(asked);
    QCOMPARE(QDir::currentPath(), before);
    QVERIFY(!std::filesystem::exists(root_->path() / "varnok.INI"));

    // With a remembered folder that lost its data, the profile stays as it was.
    SaveLastDataFolder(Profile(), (root_->path() / "sparita").string());
    const std::string profileBefore = root_->ReadFile("varnok.INI");
    QVERIFY(!DesktopStart([](QFileDialog& chooser) { chooser.reject(); }, &asked));
    QVERIFY(asked);
    QCOMPARE(root_->ReadFile("varnok.INI"), profileBefore);
    QCOMPARE(QDir::currentPath(), before);
    QCOMPARE(QDir(before).entryList(QDir::Files).size(), 1);  // the profile alone
}

void StartTest::helpAndVersionPrintWithoutADisplay() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    environment.remove("WAYLAND_DISPLAY");
    environment.insert("DISPLAY", "");
    auto run = [&](const QStringList& arguments, QByteArray& out, QByteArray& err) {
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(VARNOK_PATH), arguments);
        if (!program.waitForFinished(30000)) {
            program.kill();
            return -1;
        }
        out = program.readAllStandardOutput();
        err = program.readAllStandardError();
        return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    };
    QByteArray out;
    QByteArray err;
    QCOMPARE(run({"--version"}, out, err), 0);
    QCOMPARE(out, QByteArray("varnok " VARNOK_VERSION "\n"));

    QCOMPARE(run({"--help"}, out, err), 0);
    QVERIFY2(out.contains("--ask-folder"), out.constData());
    QVERIFY(out.contains("--version"));
    QVERIFY(out.contains("[cartella]"));
    QVERIFY(out.contains("Opzioni:"));  // Qt's own heading, in Italian
    // The export to PDF is the same program's: its options are listed too.
    for (const char* option : {"--pdf <file>", "--group <N>", "--whole-card", "--months"}) {
        QVERIFY2(out.contains(option), option);
    }

    QCOMPARE(run({"--sbagliata"}, out, err), 2);
    QVERIFY(out.isEmpty());
    QVERIFY2(err.contains("sbagliata"), err.constData());
    QCOMPARE(run({"--whole-card"}, out, err), 2);
    QVERIFY(out.isEmpty());
    QVERIFY2(err.contains("--pdf"), err.constData());
    QCOMPARE(run({"--pdf"}, out, err), 2);  // the file is missing
    QVERIFY(!err.isEmpty());
    QCOMPARE(run({"/cartella/che/non/esiste"}, out, err), 2);
    QVERIFY(err.contains("/cartella/che/non/esiste"));
}

// A folder without tdat9.bin, named on the command line, ends the program
// with status 1 and a message naming the folder and the file; the export too.
// Nothing is written into it and the current folder stays.
void StartTest::aFolderWithoutTheDataEndsTheProgramAndStaysUntouched() {
    const QString before = QDir::currentPath();
    StartOptions start;
    QCOMPARE(Take({"varnok", QString::fromStdString(empty_.string())}, start), 1);
    QCOMPARE(QDir::currentPath(), before);
    QDir::setCurrent(QString::fromStdString(root_->path().string()));
    QCOMPARE(Take({"varnok", "vuota"}, start), 1);
    QCOMPARE(QDir::currentPath(), Canonical(root_->path()));

    const std::string pdf = (root_->path() / "schede.pdf").string();
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{empty_.string()},
          std::vector<std::string>{"--pdf", pdf, "--whole-card", empty_.string()}}) {
        const ProgramRun run = RunProgram(arguments);
        QCOMPARE(run.status, 1);
        QVERIFY2(run.errors.find(empty_.string()) != std::string::npos, run.errors.c_str());
        QVERIFY2(run.errors.find("tdat9.bin") != std::string::npos, run.errors.c_str());
    }
    QVERIFY(!std::filesystem::exists(pdf));
    QVERIFY(std::filesystem::is_empty(empty_));
    QVERIFY(!std::filesystem::exists(root_->path() / "varnok.INI"));

    // A data folder works as before.
    QCOMPARE(RunProgram({"--pdf", pdf, "--whole-card", one_.string()}).status, 0);
    QVERIFY(std::filesystem::exists(pdf));
}

// The desktop's first start: a folder picked without tdat9.bin is told and
// the chooser comes again there; only the data folder picked next is
// remembered, and nothing was written into the other.
void StartTest::desktopStartTellsAFolderWithoutTheDataAndAsksAgain() {
    int choosers = 0;
    bool busy = false;
    QString secondAt;
    QTimer poll;
    poll.setInterval(5);
    poll.callOnTimeout([&] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (busy || chooser == nullptr || !chooser->isVisible()) {
            return;
        }
        busy = true;
        if (++choosers == 1) {
            ChooseIn(*chooser, empty_);
        } else {
            secondAt = chooser->directory().canonicalPath();
            ChooseIn(*chooser, one_);
        }
        if (chooser->isVisible() && choosers > 2) {
            chooser->reject();
        }
        busy = false;
    });
    poll.start();
    const bool opened = OpenLastOrChosenFolder(Profile());
    poll.stop();
    QVERIFY(opened);
    QCOMPARE(choosers, 2);
    QCOMPARE(secondAt, Canonical(empty_));
    QCOMPARE(messages_.size(), 1);
    QVERIFY2(messages_[0].contains(QString::fromStdString(empty_.string())),
             qPrintable(messages_[0]));
    QVERIFY(messages_[0].contains(QStringLiteral("tdat9.bin")));
    QCOMPARE(QDir::currentPath(), Canonical(one_));
    QCOMPARE(QDir(QString::fromLocal8Bit(LoadLastDataFolder(Profile()))).canonicalPath(),
             Canonical(one_));
    QVERIFY(std::filesystem::is_empty(empty_));

    // A remembered folder that has lost its data is not opened either.
    SaveLastDataFolder(Profile(), empty_.string());
    QDir::setCurrent(QString::fromStdString(root_->path().string()));
    choosers = 0;
    poll.start();
    QVERIFY(OpenLastOrChosenFolder(Profile()));
    poll.stop();
    QCOMPARE(choosers, 2);
    QVERIFY(std::filesystem::is_empty(empty_));
}

// "Forlì" in Latin-1 bytes, as an old USB stick names it: it opens from the
// argument, from the profile's last folder and from the chooser, for the
// window (which shows the name readably) and for the export.
void StartTest::aFolderNamedInLatin1Opens() {
    const std::string latin = (root_->path() / "Forl\xec").string();
    std::filesystem::create_directories(latin);
    WriteCompanionFiles(latin, OtherCongregation());

    StartOptions start;
    QCOMPARE(TakeBytes({"varnok", latin}, start), -1);
    QCOMPARE(WorkingFolder(), latin);
    {
        CCardDlg window((root_->path() / "varnok.INI").string());
        QVERIFY2(window.windowTitle().endsWith(QString::fromStdString(root_->path().string()) +
                                               QString::fromUtf8("/Forl\u00ec")),
                 qPrintable(window.windowTitle()));
    }
    QCOMPARE(EntriesOfANewWindow(), QStringList{"Neri, Carla"});
    QVERIFY(std::filesystem::exists(std::filesystem::path(latin) / "cplot.dat"));

    // The last folder kept in the profile.
    QDir::setCurrent(QString::fromStdString(root_->path().string()));
    SaveLastDataFolder(Profile(), latin);
    bool asked = true;
    QVERIFY(DesktopStart([](QFileDialog&) {}, &asked));
    QVERIFY(!asked);
    QCOMPARE(WorkingFolder(), latin);

    // The chooser: Qt names the folder with U+FFFD for the byte that is not
    // UTF-8, as the desktop's own chooser hands it back; its bytes are found again.
    std::filesystem::remove(root_->path() / "varnok.INI");
    QDir::setCurrent(QString::fromStdString(root_->path().string()));
    QVERIFY(DesktopStart(
        [&](QFileDialog& chooser) {
            chooser.setDirectory(QString::fromStdString(root_->path().string()));
            chooser.selectFile(QFile::decodeName(QByteArray::fromStdString(latin)));
            QMetaObject::invokeMethod(&chooser, "accept");
        },
        &asked));
    QVERIFY(asked);
    QCOMPARE(WorkingFolder(), latin);
    QCOMPARE(LoadLastDataFolder(Profile()), latin);

    // The export, from elsewhere.
    QDir::setCurrent(QString::fromStdString(root_->path().string()));
    const std::string pdf = latin + "/schede.pdf";
    const ProgramRun run = RunProgram({"--pdf", pdf, "--whole-card", latin});
    QCOMPARE(run.status, 0);
    QVERIFY2(std::filesystem::exists(pdf), run.errors.c_str());
}

// The window's icon is decoded by the PNG reader named outright: a reader left
// to guess would load every image plug-in (and with them QtSvg and libjpeg).
void StartTest::theOpenWindowHasLoadedNoImagePlugIn() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(VARNOK_PATH), {QString::fromStdString(one_.string())});
    QVERIFY(program.waitForStarted());
    const QString maps = QStringLiteral("/proc/%1/maps").arg(program.processId());
    auto loaded = [&maps] {
        QFile file(maps);
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
    };
    // The platform plug-in is there once the application is made; the window
    // and its icon follow within moments.
    QTRY_VERIFY_WITH_TIMEOUT(loaded().contains(QStringLiteral("libqoffscreen")), 10000);
    QTest::qWait(1500);
    const QString libraries = loaded();
    program.terminate();
    QVERIFY(program.waitForFinished(10000));
    QVERIFY2(!libraries.contains(QStringLiteral("/imageformats/")), qPrintable(libraries));
    QVERIFY(!libraries.contains(QStringLiteral("libQt6Svg")));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
}

QTEST_MAIN(StartTest)
#include "start_test.moc"
