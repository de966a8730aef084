#include "PrintedCard.h"

#include <QPrinter>
#include <QRectF>
#include <QTest>
#include <algorithm>
#include <vector>

#include "app/CardState.h"
#include "layout/CardLayout.h"
#include "layout/InchText.h"

namespace varnok::test {
namespace {

constexpr uint16_t kMarioId = 101;

enum class Edge { Right, Left };

struct ExpectedWord {
    int row;
    QString text;
    int column;  // layout slot
    Edge edge;
};

// Mario Rossi's words by row, as his data gives them (ticked or not).
const std::vector<ExpectedWord>& MarioWords() {
    static const std::vector<ExpectedWord> words = {
        {0, QStringLiteral("3"), studiesX, Edge::Right},
        {1, QStringLiteral("2"), studiesX, Edge::Right},
        {1, QStringLiteral("50"), hoursX, Edge::Right},
        {2, QStringLiteral("70"), hoursX, Edge::Right},
        {3, QStringLiteral("11"), studiesX, Edge::Right},
        {4, QStringLiteral("7"), studiesX, Edge::Right},
        {4, QStringLiteral("5"), hoursX, Edge::Right},
        {4, QStringLiteral("Gennaio"), remarksX, Edge::Left},
        {6, QStringLiteral("Malato"), remarksX, Edge::Left},
        {11, QStringLiteral("4"), studiesX, Edge::Right},
        {11, QStringLiteral("19"), hoursX, Edge::Right},
    };
    return words;
}

// The remarks' words after their first, which only need to stand in their row.
const std::vector<ExpectedWord>& MarioRemarkTails() {
    static const std::vector<ExpectedWord> words = {
        {4, QStringLiteral("sospeso"), remarksX, Edge::Left},
        {6, QStringLiteral("tutto"), remarksX, Edge::Left},
        {6, QStringLiteral("il"), remarksX, Edge::Left},
        {6, QStringLiteral("mese"), remarksX, Edge::Left},
    };
    return words;
}

// Participation and auxiliary pioneer marks by row.
constexpr std::array<bool, 12> kParticipated = {true,  true,  true,  true,  true,  false,
                                                false, false, false, false, false, true};
constexpr std::array<bool, 12> kAuxPioneer = {false, true,  false, false, false, false,
                                              false, false, false, false, false, false};

// Positions on the paper, in points, of what the page draws in printer dots.
struct PaperGeometry {
    PageFrame frame;
    int originX = 0;
    int bodyTopY = 0;
    int rowHeight = 0;
    const CardLayout* layout = nullptr;

    double X(int dots) const { return frame.printableTopLeft.x() + dots * 72.0 / frame.dpiX; }
    double Y(int dots) const { return frame.printableTopLeft.y() + dots * 72.0 / frame.dpiY; }
    int ColumnDots(int slot) const {
        return originX + InchTextToDevice(frame.dpiX, layout->Slot(slot));
    }
    double ColumnX(int slot) const { return X(ColumnDots(slot)); }
    double RowTop(int row) const { return Y(bodyTopY + row * rowHeight); }
    // The 1/7-inch box whose bottom-right corner stands at the column and mid-row.
    QRectF Box(int row, int slot) const {
        const int right = ColumnDots(slot);
        const int bottom = bodyTopY + (row + 1) * rowHeight - rowHeight / 2;
        return QRectF(QPointF(X(right - frame.dpiX / 7), Y(bottom - frame.dpiY / 7)),
                      QPointF(X(right), Y(bottom)));
    }
};

PaperGeometry GeometryOf(const CardState& state, const PageFrame& frame) {
    PaperGeometry g;
    g.frame = frame;
    g.layout = &state.layout;
    g.originX = InchTextToDevice(frame.dpiX, state.settings.marginLeft);
    const int originY = InchTextToDevice(frame.dpiY, state.settings.marginTop);
    g.bodyTopY = originY + InchTextToDevice(frame.dpiY, state.layout.Slot(bodyTop));
    g.rowHeight = InchTextToDevice(frame.dpiY, state.layout.Slot(bodyHeight)) / 12;
    return g;
}

QRect PixelRect(const QRectF& points, double dpi, int grow) {
    const double k = dpi / 72.0;
    return QRect(QPoint(static_cast<int>(points.left() * k) - grow,
                        static_cast<int>(points.top() * k) - grow),
                 QPoint(static_cast<int>(points.right() * k) + grow,
                        static_cast<int>(points.bottom() * k) + grow));
}

int DarkPixels(const QImage& image, const QRect& area) {
    int count = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                ++count;
            }
        }
    }
    return count;
}

void VerifyWords(const PdfPage& page, const CardState& state, const PaperGeometry& g,
                 QList<QRectF>& inked) {
    int expectedCount = 0;
    for (const auto* list : {&MarioWords(), &MarioRemarkTails()}) {
        for (const ExpectedWord& word : *list) {
            const QList<PdfWord> found = WordsNamed(page, word.text);
            if (!state.monthTicked[word.row]) {
                QVERIFY2(found.isEmpty(), qPrintable(QStringLiteral("\"%1\" of a cleared month "
                                                                    "was printed")
                                                         .arg(word.text)));
                continue;
            }
            ++expectedCount;
            QVERIFY2(
                found.size() == 1,
                qPrintable(
                    QStringLiteral("\"%1\" printed %2 times").arg(word.text).arg(found.size())));
            const QRectF box = found.first().box;
            inked.append(box);
            QVERIFY2(qAbs(box.top() - g.RowTop(word.row)) < 2.5,
                     qPrintable(QStringLiteral("\"%1\" top %2, row top %3")
                                    .arg(word.text)
                                    .arg(box.top())
                                    .arg(g.RowTop(word.row))));
            if (list == &MarioWords()) {
                const double edge = word.edge == Edge::Right ? box.right() : box.left();
                QVERIFY2(qAbs(edge - g.ColumnX(word.column)) < 1.5,
                         qPrintable(QStringLiteral("\"%1\" edge %2, column %3")
                                        .arg(word.text)
                                        .arg(edge)
                                        .arg(g.ColumnX(word.column))));
            }
        }
    }
    QCOMPARE(page.words.size(), expectedCount);
}

void VerifyBoxes(const QImage& image, double dpi, const CardState& state, const PaperGeometry& g,
                 QList<QRectF>& inked) {
    for (int row = 0; row < 12; ++row) {
        for (int slot : {participatedX, auxPioneerX}) {
            const QRectF box = g.Box(row, slot);
            const bool marked = slot == participatedX ? kParticipated[row] : kAuxPioneer[row];
            const QRectF inner = box.adjusted(box.width() / 4, box.height() / 4, -box.width() / 4,
                                              -box.height() / 4);
            const QString where = QStringLiteral("row %1 column %2").arg(row).arg(slot);
            if (!state.monthTicked[row]) {
                QVERIFY2(DarkPixels(image, PixelRect(box, dpi, 3)) == 0,
                         qPrintable(where + QStringLiteral(": a cleared month has a box")));
                continue;
            }
            inked.append(box);
            // The outline: ink on the box's edge, and ink inside only when marked.
            QVERIFY2(DarkPixels(image, PixelRect(box, dpi, 2)) >
                         DarkPixels(image, PixelRect(inner, dpi, 0)),
                     qPrintable(where + QStringLiteral(": no box outline")));
            QVERIFY2((DarkPixels(image, PixelRect(inner, dpi, 0)) > 0) == marked,
                     qPrintable(where + (marked ? QStringLiteral(": tick missing")
                                                : QStringLiteral(": unexpected tick"))));
        }
    }
}

// Any ink outside the expected words and boxes would be a line, label or total.
void VerifyNothingElse(const QImage& image, double dpi, const QList<QRectF>& inked) {
    QImage rest = image.convertToFormat(QImage::Format_Grayscale8);
    for (const QRectF& area : inked) {
        const QRect pixels = PixelRect(area, dpi, 3).intersected(rest.rect());
        for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
            for (int x = pixels.left(); x <= pixels.right(); ++x) {
                rest.setPixel(x, y, qRgb(255, 255, 255));
            }
        }
    }
    QCOMPARE(DarkPixels(rest, rest.rect()), 0);
}

}  // namespace

CompanionData PrintedCardCongregation() {
    CompanionData data;
    PublisherData mario;
    mario.firstName = "Mario";
    mario.lastName = "Rossi";
    mario.publisherId = kMarioId;
    // The header: male, ministerial servant, baptized with no hope letter.
    mario.birthDate = "03021970";
    mario.baptismDate = "06151995";
    mario.personFlags = 0x21;
    mario.SetMonth(8, 0, 0, 12, 3, true);   // September 2026: hours of a publisher are not shown
    mario.SetMonth(8, 1, 0, 0, 88, true);   // September 2027: another service year
    mario.SetMonth(9, 0, 1, 50, 2, true);   // October: auxiliary pioneer
    mario.SetMonth(10, 0, 2, 70, 0, true);  // November: regular pioneer
    mario.SetMonth(11, 0, 0, 0, 11, true);  // December
    mario.SetMonth(0, 1, 3, 5, 7, true);    // January 2027: special pioneer
    mario.SetMonth(7, 1, 3, 19, 4, true);   // August 2027
    PublisherData blank;
    blank.publisherId = 102;
    data.publishers.publishers = {mario, blank};
    data.remarks = {
        {"Gennaio sospeso", 1, 27, kMarioId},
        {"Malato tutto il mese", 3, 27, kMarioId},
    };
    return data;
}

std::array<bool, 12> PrintedCardTicks() {
    std::array<bool, 12> ticks{};
    for (int row : {0, 1, 2, 6, 7, 11}) {
        ticks[row] = true;
    }
    return ticks;
}

PageFrame PrintableFrame(const QPrinter& printer) {
    PageFrame frame;
    frame.printableTopLeft = printer.pageLayout().paintRect(QPageLayout::Point).topLeft();
    frame.dpiX = printer.logicalDpiX();
    frame.dpiY = printer.logicalDpiY();
    return frame;
}

void VerifyPrintedCard(const QString& pdfPath, const CardState& state, const PageFrame& frame) {
    const QList<PdfPage> pages = ReadPdfPages(pdfPath);
    QCOMPARE(pages.size(), 1);
    const PaperGeometry g = GeometryOf(state, frame);
    QList<QRectF> inked;
    VerifyWords(pages.first(), state, g, inked);
    if (QTest::currentTestFailed()) {
        return;
    }
    constexpr int kDpi = 100;
    const QImage image = RenderPdfPage(pdfPath, kDpi);
    QVERIFY(!image.isNull());
    VerifyBoxes(image, kDpi, state, g, inked);
    if (QTest::currentTestFailed()) {
        return;
    }
    VerifyNothingElse(image, kDpi, inked);
}

void VerifyPrintedHeader(const QString& pdfPath, const CardState& state, const PageFrame& frame) {
    const QList<PdfPage> pages = ReadPdfPages(pdfPath);
    QCOMPARE(pages.size(), 1);
    const PaperGeometry g = GeometryOf(state, frame);
    const int originY = InchTextToDevice(frame.dpiY, state.settings.marginTop);
    struct Field {
        QString word;  // the first word of the field
        int xSlot;
    };
    const Field fields[] = {
        {QStringLiteral("Mario"), nameX},
        {QStringLiteral("03/02/1970"), birthDateX},
        {QStringLiteral("06/15/1995"), baptismDateX},
        {QStringLiteral("A.P."), anointedX},
    };
    auto slotTop = [&](int xSlot) {
        return g.Y(originY + InchTextToDevice(frame.dpiY, state.layout.Slot(xSlot + 1)));
    };
    auto expectAt = [&](const PdfWord& word, int xSlot) {
        QVERIFY2(qAbs(word.box.left() - g.ColumnX(xSlot)) < 1.5 &&
                     qAbs(word.box.top() - slotTop(xSlot)) < 2.5,
                 qPrintable(QStringLiteral("\"%1\" at %2,%3; slot %4 at %5,%6")
                                .arg(word.text)
                                .arg(word.box.left())
                                .arg(word.box.top())
                                .arg(xSlot)
                                .arg(g.ColumnX(xSlot))
                                .arg(slotTop(xSlot))));
    };
    for (const Field& field : fields) {
        const QList<PdfWord> found = WordsNamed(pages.first(), field.word);
        QVERIFY2(found.size() == 1, qPrintable(field.word));
        expectAt(found.first(), field.xSlot);
    }
    // An "X" in the card's own boxes: male and ministerial servant, no other.
    QList<PdfWord> marks = WordsNamed(pages.first(), QStringLiteral("X"));
    QCOMPARE(marks.size(), 2);
    std::sort(marks.begin(), marks.end(),
              [](const PdfWord& a, const PdfWord& b) { return a.box.left() < b.box.left(); });
    expectAt(marks[0], ministerialServantX);
    expectAt(marks[1], maleX);
    QCOMPARE(WordsNamed(pages.first(), QStringLiteral("Rossi")).size(), 1);
}

}  // namespace varnok::test
