#include "PdfExportCommand.h"

#include <QApplication>
#include <QFile>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "app/CCardApp.h"
#include "app/CardState.h"
#include "platform/Clock.h"
#include "platform/Edition.h"
#include "platform/ProfileFile.h"
#include "platform/ResourceIds.h"
#include "platform/SecretInput.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"
#include "render/PageRun.h"
#include "render/WholeCard.h"

namespace varnok {
namespace {

QString Text(int id) {
    return FromCodePage(ResString(id));
}

int Fail(const QString& message) {
    const QByteArray bytes =
        (QCoreApplication::applicationName() + QStringLiteral(": ") + message + '\n').toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    return 1;
}

// A script gives the password on standard input; at a terminal it is asked
// for on standard error and typed unseen.
bool PasswordFromInput(const std::string& expected) {
    const QByteArray prompt = (QCoreApplication::applicationName() + QStringLiteral(": ") +
                               FromCodePage(ResString(ids::kPasswordPrompt)) + QStringLiteral(": "))
                                  .toLocal8Bit();
    std::string line;
    if (!ReadSecretLine(prompt.toStdString(), line)) {
        return false;
    }
    return ToCodePage(QString::fromLocal8Bit(line.c_str())) == expected;
}

}  // namespace

bool ParseMonthNames(const QString& text, std::array<bool, 12>& rows, QString& unknown) {
    rows = {};
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString name = part.trimmed();
        bool found = false;
        for (int row = 0; row < 12 && !found; ++row) {
            const QString month = Text(ids::kJanuaryShort + CardSheet::RowMonth(row));
            if (name.compare(month, Qt::CaseInsensitive) == 0) {
                rows[row] = found = true;
            }
        }
        if (!found) {
            unknown = name;
            return false;
        }
    }
    return true;
}

int RunPdfExport(const PdfExportRequest& request, const std::string& profilePath) {
    const std::string target = request.outputBytes.empty()
                                   ? QFile::encodeName(request.output).toStdString()
                                   : request.outputBytes;
    // The program's own settings, whatever the profile is called.
    std::error_code error;
    if (std::filesystem::equivalent(target, profilePath, error)) {
        return Fail(FromCodePage(SaveFailureText(target, kProtectedFile)));
    }
    CardState state;
    if (!state.OpenCard(Today(), ProfileFile(profilePath), PasswordFromInput)) {
        return Fail(QStringLiteral("Couldn't allocate memory"));
    }
    if (state.accessDenied) {
        return Fail(Text(ids::kPasswordWrong));
    }
    // The first fill decides whether there are unassigned publishers, as in the window.
    std::vector<ListEntry> entries = state.groups.FillPublisherList(
        state.table, state.reportMonth, state.reportSlot, state.settings.fnSort != 0);
    if (request.group != 0) {
        if (!state.groups.SelectGroup(request.group, state.table.groupCount())) {
            return Fail(Text(ids::kNoSuchGroup).arg(request.group));
        }
        entries = state.groups.FillPublisherList(state.table, state.reportMonth, state.reportSlot,
                                                 state.settings.fnSort != 0);
    }
    if (entries.empty()) {
        return Fail(Text(ids::kListEmpty));
    }
    state.wholeCard = request.wholeCard;
    state.monthTicked = request.months;

    PageRun run;
    run.pageCount = static_cast<int>(entries.size());
    run.drawPage = [&state, &entries](int page, Surface& surface) {
        DrawPrintedPage(state.CardSheetFor(entries[page].publisher), surface);
    };
    const QString title = Text(ids::kListTitle).arg(FromCodePage(state.groups.GroupButtonText()));
    SaveResult failure;
    if (WritePdf(target, title, run, &failure) != RunResult::done) {
        return Fail(FromCodePage(SaveFailureText(target, failure.error)));
    }
    return 0;
}

int ExportPdfWithoutDisplay(int argc, char** argv, const PdfExportRequest& request) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    ApplyEditionLocale(EditionCode());
    return RunPdfExport(request, CCardApp::ProfilePath());
}

}  // namespace varnok
