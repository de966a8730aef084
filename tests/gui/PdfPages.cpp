#include "PdfPages.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace varnok::test {
namespace {

QByteArray RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        return {};
    }
    return process.readAllStandardOutput();
}

double Attribute(const QString& tag, const QString& name) {
    QRegularExpression pattern(name + QStringLiteral("=\"([-0-9.]+)\""));
    QRegularExpressionMatch match = pattern.match(tag);
    return match.hasMatch() ? match.captured(1).toDouble() : 0.0;
}

QString Unescape(const QString& html) {
    QString text = html;
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    text.replace(QStringLiteral("&#39;"), QStringLiteral("'"));
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text;
}

}  // namespace

QList<PdfPage> ReadPdfPages(const QString& pdfPath) {
    const QString html = QString::fromUtf8(RunTool(
        QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")}));
    QList<PdfPage> pages;
    static const QRegularExpression tag(
        QStringLiteral("<page ([^>]*)>|<word ([^>]*)>([^<]*)</word>"));
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        QRegularExpressionMatch match = it.next();
        if (!match.captured(1).isEmpty()) {
            PdfPage page;
            page.width = Attribute(match.captured(1), QStringLiteral("width"));
            page.height = Attribute(match.captured(1), QStringLiteral("height"));
            pages.append(page);
        } else if (!pages.isEmpty()) {
            const QString attributes = match.captured(2);
            const double xMin = Attribute(attributes, QStringLiteral("xMin"));
            const double yMin = Attribute(attributes, QStringLiteral("yMin"));
            const double xMax = Attribute(attributes, QStringLiteral("xMax"));
            const double yMax = Attribute(attributes, QStringLiteral("yMax"));
            pages.last().words.append(
                {Unescape(match.captured(3)), QRectF(QPointF(xMin, yMin), QPointF(xMax, yMax))});
        }
    }
    return pages;
}

QImage RenderPdfPage(const QString& pdfPath, int dpi, int page) {
    QTemporaryDir dir;
    if (!dir.isValid()) {
        return {};
    }
    const QString stem = dir.filePath(QStringLiteral("page"));
    const QString number = QString::number(page);
    RunTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-png"), QStringLiteral("-gray"), QStringLiteral("-singlefile"),
             QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), number,
             QStringLiteral("-l"), number, pdfPath, stem});
    return QImage(stem + QStringLiteral(".png"));
}

QList<PdfWord> WordsNamed(const PdfPage& page, const QString& text) {
    QList<PdfWord> found;
    for (const PdfWord& word : page.words) {
        if (word.text == text) {
            found.append(word);
        }
    }
    return found;
}

}  // namespace varnok::test
