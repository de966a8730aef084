// The card window while the companion program changes its files: the data read
// again once they settle, with the same publisher, group and ticked boxes; no
// print from data older than the files; and a publisher file rewritten in
// place, piece by piece, never showing or printing a torn name or figure.

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <atomic>
#include <chrono>
#include <fstream>
#include <memory>
#include <thread>

#include "CardCongregation.h"
#include "PdfPages.h"
#include "app/CCardDlg.h"
#include "app/DataFolderWatcher.h"
#include "data/CPublisherListBox.h"
#include "platform/DialogBuilder.h"
#include "platform/MessageBox.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"
#include "render/BodyCells.h"
#include "render/CurrentPrinter.h"
#include "support/TempFolder.h"

using namespace varnok;
using namespace varnok::test;

namespace {

constexpr LocalDate kTenTwo{2026, 12, 8, 10, 2};
constexpr int kNovemberRow = 2;
constexpr int kOctoberRow = 1;

QString Text(int id) {
    return FromCodePage(ResString(id));
}

// A congregation of `count` publishers whose names and November figures all
// carry the version's mark, so that a table mixing two versions shows at once.
CompanionData Version(const std::string& name, uint16_t studies, int count = 60) {
    CompanionData data;
    for (int i = 0; i < count; ++i) {
        PublisherData p;
        p.firstName = name + std::to_string(i);
        p.lastName = name;
        p.publisherId = static_cast<uint16_t>(11 + i);
        p.SetMonth(10, 0, 0, 10, studies, true);  // November 2026
        data.publishers.publishers.push_back(p);
    }
    return data;
}

}  // namespace

class CardReloadTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void changedFilesAreReadAgainKeepingPublisherGroupAndTicks();
    void aPrintWhileAChangeIsPendingPrintsNothingAndShowsTheNewData();
    void aFileRewrittenInPiecesNeverShowsOrPrintsATornTable();

private:
    std::unique_ptr<CCardDlg> OpenWindow();
    QStringList Entries(CCardDlg& window) const;
    QString PdfPath() const;
    void Select(CCardDlg& window, const QString& entry);

    std::unique_ptr<TempFolder> folder_;
    std::unique_ptr<CurrentPrinter> printer_;
    QStringList messages_;
};

void CardReloadTest::init() {
    folder_ = std::make_unique<TempFolder>();
    messages_.clear();
    MessageBox::SetRecorder(&messages_);
    SetClockForTesting(kTenTwo);
    WriteCompanionFiles(folder_->path(), CardCongregation());
}

void CardReloadTest::cleanup() {
    printer_.reset();
    MessageBox::SetRecorder(nullptr);
    SetClockForTesting(std::nullopt);
    folder_.reset();
}

QString CardReloadTest::PdfPath() const {
    return QString::fromStdString((folder_->path() / "card.pdf").string());
}

std::unique_ptr<CCardDlg> CardReloadTest::OpenWindow() {
    printer_ = std::make_unique<CurrentPrinter>();
    auto pdf = std::make_unique<QPrinter>(QPrinter::HighResolution);
    pdf->setOutputFormat(QPrinter::PdfFormat);
    pdf->setOutputFileName(PdfPath());
    printer_->SetPrinter(std::move(pdf));
    auto window =
        std::make_unique<CCardDlg>((folder_->path() / "varnok.INI").string(), printer_.get());
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) {
        return nullptr;
    }
    return window;
}

QStringList CardReloadTest::Entries(CCardDlg& window) const {
    QStringList texts;
    auto* list = Control<CPublisherListBox>(window, idc::card::kPublisherList);
    for (int row = 0; row < list->count(); ++row) {
        texts << list->model()->index(row, 0).data().toString();
    }
    return texts;
}

void CardReloadTest::Select(CCardDlg& window, const QString& entry) {
    auto* list = Control<CPublisherListBox>(window, idc::card::kPublisherList);
    const QModelIndexList found = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole,
                                                       entry, -1, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(found.first()).center());
}

void CardReloadTest::changedFilesAreReadAgainKeepingPublisherGroupAndTicks() {
    auto window = OpenWindow();
    QVERIFY(window);
    window->watcher().setSettleMilliseconds(150);
    auto* group = Control<QPushButton>(*window, idc::card::kGroupButton);
    QTest::mouseClick(group, Qt::LeftButton);
    QTest::mouseClick(group, Qt::LeftButton);
    QCOMPARE(group->text(), QStringLiteral("Gruppo 1"));
    QCOMPARE(Entries(*window), (QStringList{"Romano, Luca", "Rossi, Mario"}));
    Select(*window, QStringLiteral("Rossi, Mario"));
    QTest::mouseClick(Control<QCheckBox>(*window, idc::card::kFirstMonthBox + kNovemberRow),
                      Qt::LeftButton);
    auto* line = Control<QLabel>(*window, idc::card::kPrintFeedbackLine);
    QVERIFY(line->text().isEmpty());

    // The companion adds a publisher to the group ahead of Mario Rossi, whose
    // record moves, and corrects his November.
    CompanionData changed = CardCongregation();
    auto& list = changed.publishers.publishers;
    PublisherData newcomer = list[2];
    newcomer.firstName = "Carlo";
    newcomer.lastName = "Rizzo";
    newcomer.publisherId = 40;
    list.insert(list.begin(), newcomer);
    list[3].SetMonth(10, 0, 0, 15, 7, true);
    WriteCompanionFiles(folder_->path(), changed);

    QTRY_COMPARE_WITH_TIMEOUT(line->text(), QStringLiteral("Dati aggiornati alle 10:02"), 10000);
    QVERIFY(messages_.isEmpty());
    QCOMPARE(group->text(), QStringLiteral("Gruppo 1"));
    QCOMPARE(Entries(*window), (QStringList{"Rizzo, Carlo", "Romano, Luca", "Rossi, Mario"}));
    auto* shown = Control<CPublisherListBox>(*window, idc::card::kPublisherList);
    const QModelIndexList selected = shown->selectionModel()->selectedRows();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first().data().toString(), QStringLiteral("Rossi, Mario"));
    QCOMPARE(window->state().ConfiguredName(), std::string("Mario Rossi"));
    QCOMPARE(window->state().selectedPublisher, 4);
    QVERIFY(Control<QCheckBox>(*window, idc::card::kFirstMonthBox + kNovemberRow)->isChecked());
    QVERIFY(!Control<QCheckBox>(*window, idc::card::kFirstMonthBox + kOctoberRow)->isChecked());
    QCOMPARE(ReadBodyCells(window->state().CardSheetFor(4), kNovemberRow).studies, 7);

    // The print carries the new figure.
    QTest::mouseClick(Control<QPushButton>(*window, idc::card::kPrintButton), Qt::LeftButton);
    QVERIFY(messages_.isEmpty());
    const QList<PdfPage> pages = ReadPdfPages(PdfPath());
    QCOMPARE(pages.size(), 1);
    QCOMPARE(WordsNamed(pages.first(), QStringLiteral("7")).size(), 1);
    QVERIFY(WordsNamed(pages.first(), QStringLiteral("2")).isEmpty());

    // The publisher gone: the list's first entry is selected.
    list.erase(list.begin() + 3);
    WriteCompanionFiles(folder_->path(), changed);
    QTRY_COMPARE_WITH_TIMEOUT(Entries(*window), (QStringList{"Rizzo, Carlo", "Romano, Luca"}),
                              10000);
    QCOMPARE(window->state().ConfiguredName(), std::string("Carlo Rizzo"));
}

void CardReloadTest::aPrintWhileAChangeIsPendingPrintsNothingAndShowsTheNewData() {
    auto window = OpenWindow();
    QVERIFY(window);
    // The change is seen but has not settled when the user prints.
    window->watcher().setSettleMilliseconds(600000);
    Select(*window, QStringLiteral("Rossi, Mario"));
    QTest::mouseClick(Control<QCheckBox>(*window, idc::card::kFirstMonthBox + kNovemberRow),
                      Qt::LeftButton);
    CompanionData changed = CardCongregation();
    changed.publishers.publishers[2].SetMonth(10, 0, 0, 15, 7, true);
    WriteCompanionFiles(folder_->path(), changed);
    QVERIFY(window->watcher().ChangePending());

    auto* print = Control<QPushButton>(*window, idc::card::kPrintButton);
    QTest::mouseClick(print, Qt::LeftButton);
    QCOMPARE(messages_, QStringList{Text(ids::kDataChangedBeforePrint)});
    QVERIFY(!QFile::exists(PdfPath()));
    // The new figures are on screen, the ticks as they were.
    QCOMPARE(Control<QLabel>(*window, idc::card::kPrintFeedbackLine)->text(),
             QStringLiteral("Dati aggiornati alle 10:02"));
    QCOMPARE(
        ReadBodyCells(window->state().CardSheetFor(window->state().selectedPublisher), kNovemberRow)
            .studies,
        7);
    QVERIFY(!window->watcher().ChangePending());
    QVERIFY(print->isEnabled());

    QTest::mouseClick(print, Qt::LeftButton);
    QCOMPARE(messages_.size(), 1);
    const QList<PdfPage> pages = ReadPdfPages(PdfPath());
    QCOMPARE(pages.size(), 1);
    QCOMPARE(WordsNamed(pages.first(), QStringLiteral("7")).size(), 1);
}

// The companion rewrites tdat9.bin in place in 512-byte pieces, over and over,
// while the window reads it again and prints. Every table the window shows or
// prints from is one version whole: its names and figures all of one kind.
void CardReloadTest::aFileRewrittenInPiecesNeverShowsOrPrintsATornTable() {
    const CompanionData before = Version("Vecchio", 3);
    const CompanionData after = Version("Nuovo", 8);
    WriteCompanionFiles(folder_->path(), before);
    const std::string oldBytes = PublisherFileBytes(before.publishers);
    const std::string newBytes = PublisherFileBytes(after.publishers);
    QCOMPARE(oldBytes.size(), newBytes.size());
    std::this_thread::sleep_for(std::chrono::milliseconds(30));

    auto window = OpenWindow();
    QVERIFY(window);
    window->watcher().setSettleMilliseconds(100);
    QTest::mouseClick(Control<QCheckBox>(*window, idc::card::kFirstMonthBox + kNovemberRow),
                      Qt::LeftButton);
    Control<QCheckBox>(*window, idc::card::kPrintHeaderBox)->setChecked(true);

    std::atomic<bool> stop{false};
    std::thread writer([&] {
        const std::string path = (folder_->path() / "tdat9.bin").string();
        for (int pass = 0; !stop; ++pass) {
            const std::string& bytes = pass % 2 == 0 ? newBytes : oldBytes;
            std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
            for (size_t at = 0; at < bytes.size() && !stop; at += 512) {
                file.seekp(static_cast<std::streamoff>(at));
                file.write(bytes.data() + at,
                           static_cast<std::streamsize>(std::min<size_t>(512, bytes.size() - at)));
                file.flush();
                std::this_thread::yield();
            }
            // Now and then the companion rests, long enough for a whole read.
            std::this_thread::sleep_for(std::chrono::milliseconds(pass % 4 == 0 ? 250 : 2));
        }
        // It ends on the new version.
        std::ofstream(path, std::ios::binary | std::ios::trunc) << newBytes;
    });

    // The table the window shows: one version's names, each publisher's
    // figures of that same version.
    auto checkWhole = [&](const char* when) -> QString {
        const QStringList entries = Entries(*window);
        if (entries.size() != 60) {
            return QStringLiteral("%1: %2 entries").arg(when).arg(entries.size());
        }
        const QString kind = entries.first().section(QLatin1Char(','), 0, 0);
        if (kind != QStringLiteral("Vecchio") && kind != QStringLiteral("Nuovo")) {
            return QStringLiteral("%1: %2").arg(when, entries.first());
        }
        const int studies = kind == QStringLiteral("Vecchio") ? 3 : 8;
        const CardState& state = window->state();
        for (int row = 0; row < entries.size(); ++row) {
            const QString expected = QStringLiteral("%1, %1%2").arg(kind).arg(row);
            if (!entries.contains(expected)) {
                return QStringLiteral("%1: no %2 among %3").arg(when, expected, entries.join('|'));
            }
        }
        for (int publisher = 1; publisher < state.table.recordCount(); ++publisher) {
            if (ReadBodyCells(state.CardSheetFor(publisher), kNovemberRow).studies != studies) {
                return QStringLiteral("%1: %2 with torn figures").arg(when, kind);
            }
        }
        return {};
    };

    int reloads = 0;
    int printed = 0;
    int refused = 0;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(2500);
    while (std::chrono::steady_clock::now() < until) {
        if (window->ReloadData() == CardState::Reload::Done) {
            ++reloads;
        }
        const QString torn = checkWhole("after a reload");
        QVERIFY2(torn.isEmpty(), qPrintable(torn));
        QTest::qWait(5);
        // A print: refused while the files differ from the data shown, and
        // otherwise a page of one version.
        QFile::remove(PdfPath());
        const qsizetype told = messages_.size();
        QTest::mouseClick(Control<QPushButton>(*window, idc::card::kPrintButton), Qt::LeftButton);
        if (messages_.size() > told) {
            ++refused;
            QVERIFY(!QFile::exists(PdfPath()));
        } else {
            const QList<PdfPage> pages = ReadPdfPages(PdfPath());
            QCOMPARE(pages.size(), 1);
            const bool old = !WordsNamed(pages.first(), QStringLiteral("Vecchio")).isEmpty();
            const bool fresh = !WordsNamed(pages.first(), QStringLiteral("Nuovo")).isEmpty();
            QVERIFY(old != fresh);
            const QString figure = QString::number(old ? 3 : 8);
            const QString other = QString::number(old ? 8 : 3);
            QCOMPARE(WordsNamed(pages.first(), figure).size(), 1);
            QVERIFY(WordsNamed(pages.first(), other).isEmpty());
            ++printed;
        }
        const QString tornAfterPrint = checkWhole("after a print");
        QVERIFY2(tornAfterPrint.isEmpty(), qPrintable(tornAfterPrint));
    }
    stop = true;
    writer.join();
    // Once the companion is done, the window settles on the new version.
    QTRY_VERIFY_WITH_TIMEOUT(Entries(*window).value(0).startsWith(QStringLiteral("Nuovo")), 10000);
    QTRY_VERIFY(!window->watcher().ChangePending());
    QVERIFY(checkWhole("at the end").isEmpty());
    qInfo("%d whole reloads, %d prints, %d prints refused", reloads, printed, refused);
    QVERIFY(reloads > 0);
    QVERIFY(refused > 0);
}

QTEST_MAIN(CardReloadTest)
#include "card_reload_test.moc"
