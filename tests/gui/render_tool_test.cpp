// varnok-render end to end: it reads a data folder written by the companion
// files writer and its PDF carries each figure where the card layout puts it
// (pdftotext -bbox); it writes nothing into the data folder and refuses bad
// arguments.

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "companion/CompanionFiles.h"
#include "gui/PdfPages.h"
#include "support/TempFolder.h"

using namespace varnok::companion;
using namespace varnok::test;

namespace {

// Points on the page of a position in printer dots.
double Points(int dots, int dpi) {
    return dots * 72.0 / dpi;
}

struct Run {
    int exitCode = -1;
    QString output;
    QString errors;
};

Run RunTool(const QStringList& arguments) {
    QProcess process;
    process.start(VARNOK_RENDER_PATH, arguments);
    Run run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.errors = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

// One pioneer with figures in September 2026 and August 2027.
CompanionData PioneerCongregation() {
    PublisherData anna;
    anna.firstName = "Anna";
    anna.lastName = "Rossi";
    anna.publisherId = 11;
    anna.personFlags = kFemaleFlag;
    anna.SetMonth(8, 0, 2, 70, 5, true);  // September 2026, regular pioneer
    anna.SetMonth(9, 0, 2, 61, 4, true);  // October 2026, not ticked below
    anna.SetMonth(7, 1, 2, 55, 3, true);  // August 2027
    CompanionData data;
    data.publishers.publishers = {anna};
    data.remarks = {{"Trasferito", 9, 26, 11}};
    return data;
}

QStringList FolderListing(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

void ExpectWordAt(const PdfPage& page, const QString& text, double right, double top) {
    const QList<PdfWord> words = WordsNamed(page, text);
    QVERIFY2(words.size() == 1, qPrintable(text));
    QVERIFY2(
        qAbs(words[0].box.right() - right) < 0.5,
        qPrintable(
            QString("%1 right %2, expected %3").arg(text).arg(words[0].box.right()).arg(right)));
    QVERIFY2(
        qAbs(words[0].box.top() - top) < 0.5,
        qPrintable(QString("%1 top %2, expected %3").arg(text).arg(words[0].box.top()).arg(top)));
}

}  // namespace

class RenderToolTest : public QObject {
    Q_OBJECT

private slots:
    void figuresStandWhereTheLayoutPutsThem() {
        TempFolder data;
        WriteCompanionFiles(data.path(), PioneerCongregation());
        const QString folder = QString::fromStdString(data.path().string());
        const QStringList before = FolderListing(folder);
        QTemporaryDir out;
        const Run run = RunTool({folder, "-o", out.path(), "--date", "2026-12-08", "-p",
                                 "Rossi, Anna", "--months", "9,8", "-r", "300"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(FolderListing(folder), before);

        const QList<PdfPage> pages = ReadPdfPages(out.filePath("page.pdf"));
        QCOMPARE(pages.size(), 1);
        const PdfPage& page = pages[0];
        // Version-0 layout at 300 dpi, margins 0.00 and 0.20: September's texts
        // top at 786, August's at 1633; studies right at 840, hours at 1365,
        // the remark from 1455.
        ExpectWordAt(page, "5", Points(840, 300), Points(786, 300));
        ExpectWordAt(page, "70", Points(1365, 300), Points(786, 300));
        ExpectWordAt(page, "3", Points(840, 300), Points(1633, 300));
        ExpectWordAt(page, "55", Points(1365, 300), Points(1633, 300));
        const QList<PdfWord> remark = WordsNamed(page, "Trasferito");
        QCOMPARE(remark.size(), 1);
        QVERIFY(qAbs(remark[0].box.left() - Points(1455, 300)) < 1.0);
        // October is not ticked: its figures are not on the page.
        QCOMPARE(page.words.size(), 5);

        QImage header(out.filePath("header.png"));
        QImage body(out.filePath("body.png"));
        QVERIFY(!header.isNull());
        QVERIFY(!body.isNull());
        QVERIFY(run.output.contains(QString("(%1x%2)").arg(body.width()).arg(body.height())));
        QVERIFY(header.width() > body.width());
    }

    void profileMarginsAndLayoutFileOfTheDataFolder() {
        TempFolder data;
        WriteCompanionFiles(data.path(), PioneerCongregation());
        data.WriteFile("varnok.INI", "[Margins]\nTop=0.50\nLeft=0.00\n");
        // The layout file with the body a tenth of an inch lower (bodyTop "2.72").
        std::string layout(400, '\0');
        const char* texts[] = {"2.72", "3.10", "1.60", "2.60", "3.35",
                               "4.35", "3.30", "3.30", "4.65"};
        for (int j = 0; j < 9; ++j) {
            layout.replace(8 * (40 + j), 4, texts[j]);
        }
        data.WriteFile("cplot.dat", layout);
        const QString folder = QString::fromStdString(data.path().string());
        const QStringList before = FolderListing(folder);
        QTemporaryDir out;
        const Run run = RunTool(
            {folder, "-o", out.path(), "--date", "2026-12-08", "--months", "9", "-r", "600"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(FolderListing(folder), before);
        QCOMPARE(QString::fromStdString(data.ReadFile("cplot.dat")).size(), 400);
        const QList<PdfPage> pages = ReadPdfPages(out.filePath("page.pdf"));
        QCOMPARE(pages.size(), 1);
        // 600 dpi: top 300 + 1632, studies right at 0 + 1560.
        ExpectWordAt(pages[0], "5", Points(1560, 600), Points(1932, 600));

        // Margins on the command line win over the profile's.
        const Run moved = RunTool({folder, "-o", out.path(), "--date", "2026-12-08", "--months",
                                   "9", "-r", "600", "--margin-top", "0", "--margin-left", "1"});
        QCOMPARE(moved.exitCode, 0);
        const QList<PdfPage> again = ReadPdfPages(out.filePath("page.pdf"));
        QCOMPARE(again.size(), 1);
        ExpectWordAt(again[0], "5", Points(2160, 600), Points(1632, 600));
    }

    void badArgumentsAreRefused() {
        TempFolder data;
        WriteCompanionFiles(data.path(), PioneerCongregation());
        const QString folder = QString::fromStdString(data.path().string());
        QTemporaryDir out;
        struct Case {
            QStringList arguments;
            QString message;
        };
        const QList<Case> cases = {
            {{}, "data folder is missing"},
            {{out.filePath("none")}, "is not a folder"},
            {{folder}, "output folder is the data folder"},  // the current folder
            {{folder, "-o", out.path(), "--date", "8/12/2026"}, "--date"},
            {{folder, "-o", out.path(), "-p", "7"}, "no record 7"},
            {{folder, "-o", out.path(), "-p", "Mario Verdi"}, "no publisher named"},
            {{folder, "-o", out.path(), "--months", "0"}, "--months"},
            {{folder, "-o", out.path(), "--margin-left", "1,25"}, "--margin-left"},
            {{folder, "-o", out.path(), "-r", "many"}, "--resolution"},
        };
        for (const Case& c : cases) {
            const Run run = RunTool(c.arguments);
            QVERIFY2(run.exitCode == 2, qPrintable(c.arguments.join(' ')));
            QVERIFY2(run.errors.contains(c.message), qPrintable(run.errors));
        }
        QVERIFY(QDir(out.path()).entryList(QDir::Files).isEmpty());
        QCOMPARE(FolderListing(folder).size(), 4);

        const Run help = RunTool({"--help"});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.output.contains("page.pdf"));
    }

    void passwordOfTheData() {
        TempFolder data;
        CompanionData congregation = PioneerCongregation();
        congregation.publishers.password = "segreto";
        WriteCompanionFiles(data.path(), congregation);
        const QString folder = QString::fromStdString(data.path().string());
        QTemporaryDir out;
        const Run refused = RunTool({folder, "-o", out.path()});
        QCOMPARE(refused.exitCode, 2);
        QVERIFY(refused.errors.contains("--password"));
        const Run wrong = RunTool({folder, "-o", out.path(), "--password", "altro"});
        QCOMPARE(wrong.exitCode, 2);
        const Run given = RunTool({folder, "-o", out.path(), "--password", "segreto"});
        QCOMPARE(given.exitCode, 0);
        QVERIFY(QFile::exists(out.filePath("page.pdf")));
    }
};

QTEST_MAIN(RenderToolTest)
#include "render_tool_test.moc"
