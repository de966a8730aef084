// varnok-render: draws one publisher's card from a data folder without the card
// window: the header and body previews as PNG pictures at the sizes of the card
// window's preview controls, and the printed page as a PDF. It only reads the
// data folder; the pictures go to an output folder of their own.

#include <QApplication>
#include <QCommandLineParser>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPalette>
#include <QPrinter>

#include <array>
#include <cstdio>
#include <fstream>
#include <optional>

#include "app/CardState.h"
#include "app/PasswordPrompt.h"
#include "data/PublisherList.h"
#include "layout/CardLayout.h"
#include "layout/InchText.h"
#include "platform/Clock.h"
#include "platform/DialogBuilder.h"
#include "platform/DialogTemplate.h"
#include "platform/Edition.h"
#include "platform/Messages.h"
#include "platform/ProfileFile.h"
#include "platform/ResourceIds.h"
#include "platform/TextCodec.h"
#include "render/PreviewFont.h"
#include "render/QtSurface.h"

using namespace varnok;

namespace {

constexpr char kProfileName[] = "varnok.INI";

// A command-line mistake: reported with a hint and exit status 2.
struct UsageError {
    QString message;
};

// A failure while working: exit status 1.
struct RunError {
    QString message;
};

struct Options {
    QString dataFolder;
    QString outputFolder;
    QDate date;
    QString publisher;
    std::array<bool, 12> rows{};  // September .. August
    std::optional<std::string> marginTop;
    std::optional<std::string> marginLeft;
    QString profile;
    QString layout;
    QString password;
    int resolution = 300;
    QPageSize paper{QPageSize::A4};
};

void DefineOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        "Draws a publisher's card of form S-21 from a companion data folder, as the card window\n"
        "shows and prints it, without opening the window:\n"
        "  header.png  the header preview (name, dates, status boxes),\n"
        "  body.png    the body preview (the service year's table),\n"
        "  page.pdf    the printed page: the ticked months' figures placed by the card layout.\n"
        "The PNG pictures have the pixel sizes of the card window's preview controls: the\n"
        "template's dialog units in the font \"MS Sans Serif\" 10 pt at 96 dpi.\n"
        "The data folder is only read; nothing is written into it.");
    parser.addHelpOption();
    parser.addPositionalArgument("folder", "The companion program's data folder.");
    parser.addOptions({
        {{"o", "output"},
         "Folder for header.png, body.png and page.pdf (default: the current "
         "folder; it must not be the data folder).",
         "dir"},
        {{"d", "date"},
         "The day the card window is opened, YYYY-MM-DD (default: today). The "
         "report month is the month before it.",
         "date"},
        {{"p", "publisher"},
         "Record index (0 = none; default: the first publisher) or name (\"First Last\" or "
         "\"Last, First\", any case) of the publisher.",
         "who"},
        {{"m", "months"},
         "Ticked months for the page: \"all\" (default), \"none\", or calendar "
         "month numbers 1-12 separated by commas (9 = September).",
         "list"},
        {"margin-top", "Top margin, an inch text like 0.00 (default: the profile's).", "inches"},
        {"margin-left", "Left margin, an inch text like 0.20 (default: the profile's).", "inches"},
        {"profile",
         QString("Settings profile (default: %1 in the data folder, if there).").arg(kProfileName),
         "file"},
        {"layout",
         "A 400-byte layout file (default: the card version's cplot.dat in the data "
         "folder, else the version's default layout).",
         "file"},
        {"password", "The data's password, when it carries one.", "text"},
        {{"r", "resolution"}, "Dots per inch of the printed page (default 300).", "dpi"},
        {"paper", "Paper size of the page: A4 (default) or Letter.", "size"},
    });
}

std::array<bool, 12> ParseMonths(const QString& text) {
    std::array<bool, 12> rows{};
    const QString list = text.trimmed().toLower();
    if (list == "all") {
        rows.fill(true);
        return rows;
    }
    if (list == "none") {
        return rows;
    }
    for (const QString& item : list.split(',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int month = item.trimmed().toInt(&ok);
        if (!ok || month < 1 || month > 12) {
            throw UsageError{QString("--months: \"%1\" is not a month number 1-12").arg(item)};
        }
        rows[(month + 3) % 12] = true;  // September (9) is row 0
    }
    return rows;
}

std::string ParseMargin(const QString& text, const char* name) {
    std::string inches = ToCodePage(text);
    // The options dialog's check; its message box text gives way to a short line here.
    MessageHandler shown = SetMessageHandler([](const std::string&) {});
    const bool valid = NormalizeInchText(inches);
    SetMessageHandler(shown);
    if (!valid) {
        throw UsageError{
            QString("--%1: \"%2\" is not an inch text from 0.00 to 9.99").arg(name, text)};
    }
    return inches;
}

QString AbsoluteFile(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

Options ParseOptions(const QCommandLineParser& parser) {
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        throw UsageError{positional.isEmpty() ? "the data folder is missing"
                                              : "give exactly one data folder"};
    }
    Options o;
    QFileInfo folder(positional[0]);
    if (!folder.isDir()) {
        throw UsageError{QString("\"%1\" is not a folder").arg(positional[0])};
    }
    o.dataFolder = folder.canonicalFilePath();
    QFileInfo output(parser.isSet("output") ? parser.value("output") : QDir::currentPath());
    if (!output.isDir()) {
        throw UsageError{QString("output folder \"%1\" does not exist").arg(output.filePath())};
    }
    o.outputFolder = output.canonicalFilePath();
    if (o.outputFolder == o.dataFolder) {
        throw UsageError{
            "the output folder is the data folder; the data folder is only read: "
            "choose another folder with --output"};
    }
    o.date = QDate::currentDate();
    if (parser.isSet("date")) {
        o.date = QDate::fromString(parser.value("date"), Qt::ISODate);
        if (!o.date.isValid()) {
            throw UsageError{
                QString("--date: \"%1\" is not a date YYYY-MM-DD").arg(parser.value("date"))};
        }
    }
    o.publisher = parser.value("publisher");
    o.rows = ParseMonths(parser.isSet("months") ? parser.value("months") : "all");
    if (parser.isSet("margin-top")) {
        o.marginTop = ParseMargin(parser.value("margin-top"), "margin-top");
    }
    if (parser.isSet("margin-left")) {
        o.marginLeft = ParseMargin(parser.value("margin-left"), "margin-left");
    }
    if (parser.isSet("profile")) {
        o.profile = AbsoluteFile(parser.value("profile"));
        if (!QFileInfo(o.profile).isFile()) {
            throw UsageError{QString("--profile: no file \"%1\"").arg(parser.value("profile"))};
        }
    } else if (QFileInfo(QDir(o.dataFolder).filePath(kProfileName)).isFile()) {
        o.profile = QDir(o.dataFolder).filePath(kProfileName);
    }
    if (parser.isSet("layout")) {
        o.layout = AbsoluteFile(parser.value("layout"));
    }
    o.password = parser.value("password");
    if (parser.isSet("resolution")) {
        bool ok = false;
        o.resolution = parser.value("resolution").toInt(&ok);
        if (!ok || o.resolution < 72 || o.resolution > 2400) {
            throw UsageError{QString("--resolution: \"%1\" is not a number from 72 to 2400")
                                 .arg(parser.value("resolution"))};
        }
    }
    if (parser.isSet("paper")) {
        const QString paper = parser.value("paper").toLower();
        if (paper == "a4") {
            o.paper = QPageSize(QPageSize::A4);
        } else if (paper == "letter") {
            o.paper = QPageSize(QPageSize::Letter);
        } else {
            throw UsageError{
                QString("--paper: \"%1\" is neither A4 nor Letter").arg(parser.value("paper"))};
        }
    }
    return o;
}

// The record index of the publisher the user named, by number or by name.
int FindPublisher(const PublisherTable& table, const QString& who) {
    if (who.isEmpty()) {
        return table.recordCount() > 1 ? 1 : 0;  // the first publisher, if there is one
    }
    bool isNumber = false;
    const int index = who.toInt(&isNumber);
    if (isNumber) {
        if (index < 0 || index >= std::max(table.recordCount(), 1)) {
            throw UsageError{QString("--publisher: there is no record %1 (the data has %2)")
                                 .arg(index)
                                 .arg(std::max(table.recordCount() - 1, 0))};
        }
        return index;
    }
    const QString wanted = who.simplified();
    for (int pub = 1; pub < table.recordCount(); ++pub) {
        for (bool lastFirst : {false, true}) {
            const QString name = FromCodePage(PublisherName(table, pub, lastFirst)).simplified();
            if (name.compare(wanted, Qt::CaseInsensitive) == 0) {
                return pub;
            }
        }
    }
    throw UsageError{QString("--publisher: no publisher named \"%1\"").arg(who)};
}

// A layout file given in place of the card version's.
void LoadGivenLayout(CardState& state, const Options& o) {
    std::ifstream file(o.layout.toStdString(), std::ios::binary);
    file.read(state.layout.bytes.data(), kCardLayoutSize);
    if (!file || file.gcount() != kCardLayoutSize) {
        throw UsageError{QString("--layout: \"%1\" is not a layout file of %2 bytes")
                             .arg(o.layout)
                             .arg(kCardLayoutSize)};
    }
}

// Reads the data folder into the card window's state as the window does at
// start, then applies what the command line gives in place of the profile's.
void OpenCard(CardState& state, const Options& o) {
    if (!QDir::setCurrent(o.dataFolder)) {
        throw RunError{QString("cannot enter the data folder \"%1\"").arg(o.dataFolder)};
    }
    if (!QFileInfo::exists("tdat9.bin")) {
        std::fprintf(stderr, "varnok-render: warning: no publisher file tdat9.bin in %s\n",
                     qPrintable(o.dataFolder));
    }
    ApplyEditionLocale(EditionCode());
    const std::string given = ToCodePage(o.password);
    // Without a profile every setting keeps its default.
    const ProfileFile profile(o.profile.toStdString());
    const LocalDate day{o.date.year(), o.date.month(), o.date.day()};
    if (!state.OpenCard(day, profile, [&](const std::string& password) {
            PasswordPrompt prompt(password);
            prompt.OnTextChanged(given);
            return prompt.success();
        })) {
        throw RunError{"Couldn't allocate memory"};
    }
    if (state.accessDenied) {
        throw UsageError{o.password.isEmpty()
                             ? "the data carries a password: give it with --password"
                             : "--password: wrong password"};
    }
    if (o.marginTop) {
        state.settings.marginTop = *o.marginTop;
    }
    if (o.marginLeft) {
        state.settings.marginLeft = *o.marginLeft;
    }
    if (!o.layout.isEmpty()) {
        LoadGivenLayout(state, o);
    }
    state.selectedPublisher = FindPublisher(state.table, o.publisher);
    state.monthTicked = o.rows;
}

// A preview control's picture: erased to the window colour, then drawn.
template <typename Draw>
void SavePreview(const QSize& size, const QString& file, Draw draw) {
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);  // 96 dpi, the screen the sizes are measured for
    image.setDotsPerMeterY(3780);
    image.fill(QApplication::palette().color(QPalette::Active, QPalette::Window));
    {
        QPainter painter(&image);
        QtSurface surface(painter);
        draw(Rect{0, 0, size.width(), size.height()}, surface);
    }
    if (!image.save(file, "PNG")) {
        throw RunError{QString("cannot write \"%1\"").arg(file)};
    }
}

void SavePage(const CardSheet& sheet, const Options& o, const QString& file) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setDocName("Card Header");
    printer.setResolution(o.resolution);
    printer.setPageSize(o.paper);
    // The printable area is the whole sheet and starts at (0, 0); the card's own
    // margins place the figures.
    printer.setFullPage(false);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&printer)) {
        throw RunError{QString("cannot write \"%1\"").arg(file)};
    }
    QtSurface surface(painter);
    DrawCardPage(sheet, surface);
    painter.end();
}

QSize ControlSize(const DialogTemplate& t, int id) {
    const DialogUnits units(DialogFont(t));
    for (const ControlTemplate& c : t.controls) {
        if (c.id == id) {
            return units.Map(c.x, c.y, c.width, c.height).size();
        }
    }
    throw RunError{QString("the card window has no control %1").arg(id)};
}

int Run(const Options& o) {
    const QDir out(o.outputFolder);
    const QString headerFile = out.filePath("header.png");
    const QString bodyFile = out.filePath("body.png");
    const QString pageFile = out.filePath("page.pdf");

    const DialogTemplate* cardWindow = FindDialogTemplate(idd::kCardWindow);
    if (cardWindow == nullptr) {
        throw RunError{"the card window's template is missing"};
    }
    CardState state;
    state.windowFont = CardWindowPreviewFont();
    OpenCard(state, o);

    const QSize headerSize = ControlSize(*cardWindow, idc::card::kHeaderPreview);
    const QSize bodySize = ControlSize(*cardWindow, idc::card::kBodyPreview);
    const CardSheet sheet = state.CardSheetFor(state.selectedPublisher);
    SavePreview(headerSize, headerFile,
                [&](const Rect& client, Surface& s) { DrawHeaderPreview(sheet, client, s); });
    SavePreview(bodySize, bodyFile,
                [&](const Rect& client, Surface& s) { DrawBodyPreview(sheet, client, s); });
    SavePage(sheet, o, pageFile);
    std::printf("%s (%dx%d)\n%s (%dx%d)\n%s (%d dpi)\n", qPrintable(headerFile), headerSize.width(),
                headerSize.height(), qPrintable(bodyFile), bodySize.width(), bodySize.height(),
                qPrintable(pageFile), o.resolution);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Drawing needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName("varnok-render");
    SetMessageHandler([](const std::string& text) {
        std::fprintf(stderr, "varnok-render: %s\n", qPrintable(FromCodePage(text)));
    });
    QCommandLineParser parser;
    DefineOptions(parser);
    parser.process(application);  // --help and unknown options end here
    try {
        return Run(ParseOptions(parser));
    } catch (const UsageError& e) {
        std::fprintf(stderr, "varnok-render: %s\nTry 'varnok-render --help'.\n",
                     qPrintable(e.message));
        return 2;
    } catch (const RunError& e) {
        std::fprintf(stderr, "varnok-render: %s\n", qPrintable(e.message));
        return 1;
    }
}
