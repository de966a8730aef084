// The Qt surface draws like the device context the card drawings expect:
// lines without their end point, exact fills, text placed by its top and its
// left or right edge, clipping, and a printer's resolution.

#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

#include "render/DrawingTools.h"
#include "render/PreviewFont.h"
#include "render/QtSurface.h"

using namespace varnok;

namespace {

bool IsBlack(const QImage& image, int x, int y) {
    return image.pixelColor(x, y) == Qt::black;
}

bool IsWhite(const QImage& image, int x, int y) {
    return image.pixelColor(x, y) == Qt::white;
}

QImage WhiteImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// The columns where any pixel of the image differs from white.
QPair<int, int> InkColumns(const QImage& image) {
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixelColor(x, y) != Qt::white) {
                if (first < 0) {
                    first = x;
                }
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

QPair<int, int> InkRows(const QImage& image) {
    return InkColumns(image.transformed(QTransform().rotate(90)).mirrored(true, false));
}

}  // namespace

class QtSurfaceTest : public QObject {
    Q_OBJECT

private slots:
    // A substitute for the dialog font is sized so its cell fits the room;
    // a face the system has keeps the size it was given.
    void previewFontFitsOnlyASubstitute() {
        const FontSpec missing{"MS Sans Serif", -13, 400, 0};
        QVERIFY(QFontInfo(SurfaceFont(missing, 96)).family() != QStringLiteral("MS Sans Serif"));
        // Sizes the fitting works out rather than loads must be the ones the
        // desktop gives: at the dialog's sizes on screens of one and two scales.
        for (int designed : {13, 16, 26}) {
            for (int room = 9; room <= 2 * designed; room += 1 + designed / 13) {
                FontSpec wanted = missing;
                wanted.height = -designed;
                const QString what = QStringLiteral("%1 in %2").arg(designed).arg(room);
                const FontSpec fitted = FitPreviewFont(wanted, room);
                QVERIFY2(fitted.height < 0 && fitted.height >= -designed, qPrintable(what));
                const QFontMetrics metrics(SurfaceFont(fitted, 96));
                QVERIFY2(metrics.ascent() + metrics.descent() <= room, qPrintable(what));
                FontSpec larger = fitted;
                larger.height -= 1;
                const QFontMetrics next(SurfaceFont(larger, 96));
                QVERIFY2(fitted.height == -designed || next.ascent() + next.descent() > room,
                         qPrintable(what));
                QCOMPARE(fitted.face, missing.face);
                QCOMPARE(fitted.weight, missing.weight);
            }
        }
        QCOMPARE(FitPreviewFont(missing, 0), missing);  // nothing fits: as designed
        const FontSpec tiny{"MS Sans Serif", -1, 400, 0};
        QCOMPARE(FitPreviewFont(tiny, 0), tiny);  // no smaller size to try

        const FontSpec present{QFontInfo(SurfaceFont(missing, 96)).family().toStdString(), -13, 400,
                               0};
        QCOMPARE(FitPreviewFont(present, 9), present);
    }

    void imageReportsItsResolution() {
        QImage image = WhiteImage(10, 10);
        image.setDotsPerMeterX(11811);  // 300 dpi
        image.setDotsPerMeterY(3780);   // 96 dpi
        QPainter painter(&image);
        QtSurface surface(painter);
        QCOMPARE(surface.dpiX(), 300);
        QCOMPARE(surface.dpiY(), 96);
    }

    void linesLeaveOutTheirEndPoint() {
        QImage image = WhiteImage(40, 40);
        {
            QPainter painter(&image);
            QtSurface surface(painter);
            surface.SelectPen(Pen{0});
            surface.MoveTo(5, 10);
            surface.LineTo(20, 10);  // right
            surface.MoveTo(30, 30);
            surface.LineTo(30, 20);  // up
        }
        QVERIFY(IsBlack(image, 5, 10));
        QVERIFY(IsBlack(image, 19, 10));
        QVERIFY(IsWhite(image, 20, 10));
        QVERIFY(IsWhite(image, 4, 10));
        QVERIFY(IsWhite(image, 12, 9));  // one pixel thin
        QVERIFY(IsWhite(image, 12, 11));
        QVERIFY(IsBlack(image, 30, 30));
        QVERIFY(IsBlack(image, 30, 21));
        QVERIFY(IsWhite(image, 30, 20));
    }

    void thinDiagonalStopsBeforeItsEnd() {
        QImage image = WhiteImage(20, 20);
        {
            QPainter painter(&image);
            QtSurface surface(painter);
            surface.MoveTo(2, 2);
            surface.LineTo(12, 12);
        }
        QVERIFY(IsBlack(image, 2, 2));
        QVERIFY(IsBlack(image, 11, 11));
        QVERIFY(IsWhite(image, 12, 12));
        QVERIFY(IsWhite(image, 3, 2));
    }

    void widePenIsAsThickAsItsWidth() {
        QImage image = WhiteImage(40, 40);
        {
            QPainter painter(&image);
            QtSurface surface(painter);
            surface.SelectPen(Pen{4});
            surface.MoveTo(5, 20);
            surface.LineTo(30, 20);
        }
        const QPair<int, int> rows = InkRows(image);
        QCOMPARE(rows.second - rows.first + 1, 4);
        QCOMPARE(InkColumns(image), qMakePair(5, 29));
    }

    void fillCoversLeftTopUpToRightBottom() {
        QImage image = WhiteImage(100, 60);
        {
            QPainter painter(&image);
            QtSurface surface(painter);
            surface.FillRect(Rect{0, 0, 75, 50}, Color{192, 192, 192});
        }
        const QColor gray(192, 192, 192);
        QCOMPARE(image.pixelColor(0, 0), gray);
        QCOMPARE(image.pixelColor(74, 49), gray);
        QVERIFY(IsWhite(image, 75, 49));
        QVERIFY(IsWhite(image, 74, 50));
    }

    void tickBoxOnScreenIsThirteenDotsSquare() {
        QImage image = WhiteImage(40, 40);
        {
            QPainter painter(&image);
            QtSurface surface(painter);
            DrawTickBox(surface, 30, 30, true, 7);
        }
        // The outline runs from x - 13 to x; its closing line leaves out (x, y) only
        // to have drawn it first.
        QVERIFY(IsBlack(image, 30, 30));
        QVERIFY(IsBlack(image, 17, 30));
        QVERIFY(IsBlack(image, 17, 17));
        QVERIFY(IsBlack(image, 30, 17));
        QVERIFY(IsWhite(image, 16, 30));
        QVERIFY(IsWhite(image, 30, 16));
        QCOMPARE(InkColumns(image), qMakePair(17, 30));
    }

    void rightAlignedTextEndsLeftOfItsPoint() {
        QImage image = WhiteImage(200, 60);
        {
            QPainter painter(&image);
            QtSurface surface(painter);
            surface.SelectFont(FontSpec{"Arial", -20, 400, 0});
            surface.SetTransparentText(true);
            surface.SetTextAlign(TextAlign::RightTop);
            surface.TextOut(150, 10, "1234");
        }
        const QPair<int, int> columns = InkColumns(image);
        QVERIFY(columns.first > 100);
        QVERIFY(columns.second < 150);
        QVERIFY(columns.second >= 145);
        // Digits stand on the text's top: their ink starts a little below y.
        const QPair<int, int> rows = InkRows(image);
        QVERIFY(rows.first >= 10);
        QVERIFY(rows.first <= 16);
        QVERIFY(rows.second < 10 + 20);
    }

    void leftAlignedTextStartsAtItsPoint() {
        QImage image = WhiteImage(200, 60);
        {
            QPainter painter(&image);
            QtSurface surface(painter);
            surface.SelectFont(FontSpec{"Arial", -20, 400, 0});
            surface.SetTransparentText(true);
            surface.TextOut(50, 10, "Set");
        }
        const QPair<int, int> columns = InkColumns(image);
        QVERIFY(columns.first >= 50);
        QVERIFY(columns.first <= 53);
    }

    void opaqueTextPaintsWhiteBehindItself() {
        QImage image(200, 60, QImage::Format_RGB32);
        image.fill(QColor(192, 192, 192));
        {
            QPainter painter(&image);
            QtSurface surface(painter);
            surface.SelectFont(FontSpec{"Arial", -20, 400, 0});
            surface.TextOut(50, 10, "Set");
        }
        QVERIFY(IsWhite(image, 50, 10));
        QCOMPARE(image.pixelColor(49, 10), QColor(192, 192, 192));
    }

    void clippedTextShowsOnlyInsideItsRectangle() {
        QImage image = WhiteImage(200, 60);
        {
            QPainter painter(&image);
            QtSurface surface(painter);
            surface.SelectFont(FontSpec{"Arial", -30, 400, 0});
            surface.SetTransparentText(true);
            surface.TextOutClipped(10, 10, Rect{10, 10, 40, 25}, "MMMMMMMM");
            surface.MoveTo(100, 50);  // the clip is gone afterwards
            surface.LineTo(110, 50);
        }
        const QPair<int, int> columns = InkColumns(image.copy(0, 0, 90, 60));
        QVERIFY(columns.first >= 10);
        QVERIFY(columns.first <= 14);
        QVERIFY(columns.second <= 39);
        QVERIFY(columns.second >= 36);
        const QPair<int, int> rows = InkRows(image.copy(0, 0, 90, 60));
        QVERIFY(rows.first >= 10);
        QCOMPARE(rows.second, 24);  // the glyphs run on below the clip
        QVERIFY(IsBlack(image, 100, 50));
    }

    void codePageTextIsConverted() {
        QImage one = WhiteImage(100, 40);
        QImage other = WhiteImage(100, 40);
        for (QImage* image : {&one, &other}) {
            QPainter painter(image);
            QtSurface surface(painter);
            surface.SelectFont(FontSpec{"Arial", -20, 400, 0});
            surface.TextOut(5, 5, image == &one ? "\xE9" : "e");  // e acute in Windows-1252
        }
        QVERIFY(one != other);
        QVERIFY(InkColumns(one).first >= 0);
    }

    void selectReturnsWhatWasSelected() {
        QImage image = WhiteImage(10, 10);
        QPainter painter(&image);
        QtSurface surface(painter);
        const FontSpec arial{"Arial", -42, 400, 0};
        surface.SelectFont(arial);
        QCOMPARE(surface.SelectFont(FontSpec{"MS Sans Serif", -13, 400, 0}), arial);
        surface.SelectPen(Pen{6});
        QCOMPARE(surface.SelectPen(Pen{2}).width, 6);
        QCOMPARE(surface.SetTextAlign(TextAlign::RightTop), TextAlign::LeftTop);
        QCOMPARE(surface.SetTransparentText(true), false);
    }

    void printerGivesItsResolutionAndPrintsFromTheTopLeft() {
        QTemporaryDir dir;
        const QString path = dir.filePath("page.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setResolution(300);
        printer.setFullPage(false);
        printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        {
            QPainter painter;
            QVERIFY(painter.begin(&printer));
            QtSurface surface(painter);
            QCOMPARE(surface.dpiX(), 300);
            QCOMPARE(surface.dpiY(), 300);
            surface.SelectFont(PrintFont(surface.dpiY(), 0));
            surface.SetTextAlign(TextAlign::RightTop);
            surface.TextOut(840, 786, "5");
            DrawTickBox(surface, 540, 825, true, 7);
            QVERIFY(painter.end());
        }
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.readAll().startsWith("%PDF"));
        QCOMPARE(printer.pageLayout().paintRectPixels(300).topLeft(), QPoint(0, 0));
    }
};

QTEST_MAIN(QtSurfaceTest)
#include "qtsurface_test.moc"
