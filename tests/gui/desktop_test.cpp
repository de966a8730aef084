// The program on today's desktops: the previews read as a paper card under a
// light and a dark palette, and screen readers find a name on every control of
// every dialog, reach each by Tab, and read the previews' content.

#include <QAccessible>
#include <QApplication>
#include <QPalette>
#include <QStyleFactory>
#include <QStyledItemDelegate>
#include <QTest>
#include <QtMath>
#include <memory>

#include "CardCongregation.h"
#include "DarkScheme.h"
#include "DialogDriving.h"
#include "app/CCardDlg.h"
#include "data/CPublisherListBox.h"
#include "dialogs/CAboutDlg.h"
#include "dialogs/CPasswordDlg.h"
#include "layout/CLayoutDetailsDlg.h"
#include "layout/COptionsDlg.h"
#include "layout/CardLayout.h"
#include "layout/UpDownControl.h"
#include "platform/DialogBuilder.h"
#include "platform/MessageBox.h"
#include "platform/ResourceIds.h"
#include "platform/TextCodec.h"
#include "render/CBodyPreview.h"
#include "render/CHeaderPreview.h"
#include "render/PreviewControl.h"
#include "render/QtSurface.h"
#include "support/RecordingSurface.h"
#include "support/TempFolder.h"

using namespace varnok;
using namespace varnok::test;

namespace {

bool IsInk(QColor c) {
    return c.lightness() <= 90;
}
bool IsFace(QColor c) {
    return c.lightness() >= 150;
}

// Parses `SelectFont "face" height weight charset` and `TextOut Align x y "text"`.
struct Call {
    QString kind;
    QStringList words;
    QString quoted;
};
Call Parse(const std::string& line) {
    const QString text = QString::fromLatin1(line.c_str());
    Call call;
    const qsizetype quote = text.indexOf(QLatin1Char('"'));
    const QString head = quote < 0 ? text : text.left(quote);
    call.words = head.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    call.kind = call.words.value(0);
    if (quote >= 0) {
        const qsizetype end = text.indexOf(QLatin1Char('"'), quote + 1);
        call.quoted = text.mid(quote + 1, end - quote - 1);
        call.words += text.mid(end + 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }
    return call;
}

// Every line the drawing draws is ink where it stands, and every text stands
// on the card face with ink in it.
void ExpectReadable(const QImage& image, const RecordingSurface& recording, int dpiY) {
    int facePixels = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            facePixels += IsFace(image.pixelColor(x, y)) ? 1 : 0;
        }
    }
    QVERIFY2(facePixels * 10 > image.width() * image.height() * 7, "the face is not light");
    QFont font;
    QPoint at;
    int lines = 0, texts = 0;
    for (const std::string& line : recording.calls()) {
        const Call call = Parse(line);
        if (call.kind == "SelectFont") {
            font = SurfaceFont(FontSpec{call.quoted.toStdString(), call.words.value(1).toInt(),
                                        call.words.value(2).toInt(), call.words.value(3).toInt()},
                               dpiY);
        } else if (call.kind == "MoveTo") {
            at = QPoint(call.words[1].toInt(), call.words[2].toInt());
        } else if (call.kind == "LineTo") {
            const QPoint to(call.words[1].toInt(), call.words[2].toInt());
            const QPoint middle = (at + to) / 2;
            at = to;
            if (!image.rect().contains(middle)) {
                continue;
            }
            ++lines;
            QVERIFY2(IsInk(image.pixelColor(middle)),
                     qPrintable(QString("no ink at %1,%2").arg(middle.x()).arg(middle.y())));
        } else if (call.kind == "TextOut" && !call.quoted.trimmed().isEmpty()) {
            const QFontMetrics metrics(font);
            const int width = metrics.horizontalAdvance(FromCodePage(call.quoted.toStdString()));
            const int x = call.words[2].toInt();
            const int y = call.words[3].toInt();
            QRect box(call.words[1] == "RightTop" ? x - width : x, y, width, metrics.height());
            box = box.intersected(image.rect());
            if (box.isEmpty()) {
                continue;
            }
            ++texts;
            int ink = 0, face = 0;
            for (int py = box.top(); py <= box.bottom(); ++py) {
                for (int px = box.left(); px <= box.right(); ++px) {
                    ink += IsInk(image.pixelColor(px, py)) ? 1 : 0;
                    face += IsFace(image.pixelColor(px, py)) ? 1 : 0;
                }
            }
            QVERIFY2(ink > 0 && face * 2 > box.width() * box.height(),
                     qPrintable(QString("\"%1\" is not dark on the face").arg(call.quoted)));
        }
    }
    QVERIFY(lines > 0);
    QVERIFY(texts > 0);
}

// The accessible name of `widget`, as a screen reader asks for it.
QString AccessibleName(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

bool IsControl(QWidget* w) {
    return w->focusPolicy() != Qt::NoFocus || qobject_cast<PreviewControl*>(w) ||
           qobject_cast<UpDownControl*>(w);
}

// Every visible control has a name; every one that takes the focus is reached by Tab
// (radio buttons: one of each group, the arrows keep the rest).
void ExpectNamedAndReachable(QDialog& dialog) {
    QVERIFY2(!AccessibleName(&dialog).isEmpty(), qPrintable(dialog.objectName()));
    QVERIFY(ShowActive(dialog));
    QList<QWidget*> reached;
    for (int k = 0; k < 200; ++k) {
        QWidget* focus = QApplication::focusWidget();
        if (focus != nullptr && !reached.contains(focus)) {
            reached << focus;
        }
        QTest::keyClick(focus ? focus : &dialog, Qt::Key_Tab);
    }
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&dialog) || !IsControl(w) || w->parentWidget() != &dialog) {
            continue;
        }
        const QString id = w->objectName() + QLatin1Char(' ') + w->metaObject()->className();
        QVERIFY2(!AccessibleName(w).isEmpty(), qPrintable("unnamed: " + id));
        const bool radio = qobject_cast<QAbstractButton*>(w) && w->inherits("QRadioButton");
        if (w->isEnabled() && !radio) {
            QVERIFY2(reached.contains(w), qPrintable("not reached by Tab: " + id));
        }
    }
}

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void previewsReadAsACardUnderEveryPalette();
    void everyDialogNamesItsControlsAndReachesThemByTab();
    void previewsTellWhatTheyShow();
    void arrowsStepByTheKeyboard();

private:
    std::unique_ptr<CCardDlg> OpenWindow();
    std::unique_ptr<TempFolder> folder_;
    QStringList messages_;
};

void DesktopTest::init() {
    folder_ = std::make_unique<TempFolder>();
    messages_.clear();
    MessageBox::SetRecorder(&messages_);
    SetClockForTesting(kCardWindowDate);
    WriteCompanionFiles(folder_->path(), CardCongregation());
}

void DesktopTest::cleanup() {
    QApplication::setPalette(QApplication::style()->standardPalette());
    MessageBox::SetRecorder(nullptr);
    SetClockForTesting(std::nullopt);
    folder_.reset();
}

std::unique_ptr<CCardDlg> DesktopTest::OpenWindow() {
    return std::make_unique<CCardDlg>((folder_->path() / "varnok.INI").string());
}

void DesktopTest::previewsReadAsACardUnderEveryPalette() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    for (const QPalette& palette : {QApplication::style()->standardPalette(), DarkPalette()}) {
        QApplication::setPalette(palette);
        auto window = OpenWindow();
        // The pioneer, with months ticked: figures, boxes and marks to find.
        QTest::keyClick(Control<CPublisherListBox>(*window, idc::card::kPublisherList),
                        Qt::Key_End);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto* header = Control<CHeaderPreview>(*window, idc::card::kHeaderPreview);
        auto* body = Control<CBodyPreview>(*window, idc::card::kBodyPreview);
        const QImage headerImage = header->grab().toImage();
        const QImage bodyImage = body->grab().toImage();

        RecordingSurface headerRecording(header->logicalDpiX(), header->logicalDpiY());
        DrawHeaderPreview(window->state().SelectedCardSheet(),
                          Rect{0, 0, header->width(), header->height()}, headerRecording);
        RecordingSurface bodyRecording(body->logicalDpiX(), body->logicalDpiY());
        DrawBodyPreview(window->state().CardSheetFor(window->state().selectedPublisher),
                        Rect{0, 0, body->width(), body->height()}, bodyRecording);
        ExpectReadable(headerImage, headerRecording, header->logicalDpiY());
        ExpectReadable(bodyImage, bodyRecording, body->logicalDpiY());
        // Framed on all four edges at every scale a desktop sets, within the control.
        const QColor frame = palette.color(QPalette::Active, QPalette::Dark);
        for (qreal scale : {1.0, 1.5, 2.0}) {
            for (PreviewControl* preview :
                 {static_cast<PreviewControl*>(header), static_cast<PreviewControl*>(body)}) {
                QImage image(preview->size() * scale, QImage::Format_RGB32);
                image.setDevicePixelRatio(scale);
                image.fill(Qt::magenta);
                preview->render(&image);
                const int right = qFloor(preview->width() * scale) - 1;
                const int bottom = qFloor(preview->height() * scale) - 1;
                const QString where =
                    QStringLiteral("%1 at %2").arg(preview->objectName()).arg(scale);
                for (QPoint p : {QPoint(right / 2, 0), QPoint(right / 2, bottom),
                                 QPoint(0, bottom / 2), QPoint(right, bottom / 2)}) {
                    QVERIFY2(image.pixel(p) == frame.rgb(),
                             qPrintable(where + QStringLiteral(" %1,%2 %3")
                                                    .arg(p.x())
                                                    .arg(p.y())
                                                    .arg(image.pixelColor(p).name())));
                }
            }
        }
        // The window itself follows the palette, and the list's rows look as the
        // style's own drawing of rows makes them: selected, current, and the rest.
        QCOMPARE(window->grab().toImage().pixelColor(2, 2), palette.color(QPalette::Window));
        auto* list = Control<CPublisherListBox>(*window, idc::card::kPublisherList);
        window->activateWindow();
        list->setFocus();
        QTRY_VERIFY(list->hasFocus());
        // The congregation's names, then a name too wide for its row (elided).
        for (int fill = 0; fill < 2; ++fill) {
            if (fill == 1) {
                list->Fill({{"Rossi, Mario", 1},
                            {"Santamaria Novella Bertolucci, Massimiliana Giuseppina", 2},
                            {"Verdi, Paolo", 3}});
            }
            list->setCurrentRow(1);
            const QImage rows = list->viewport()->grab().toImage();
            QAbstractItemDelegate* programs = list->itemDelegate();
            QStyledItemDelegate styles;
            list->setItemDelegate(&styles);
            const QImage styleRows = list->viewport()->grab().toImage();
            list->setItemDelegate(programs);
            QCOMPARE(rows, styleRows);
        }
    }
}

void DesktopTest::everyDialogNamesItsControlsAndReachesThemByTab() {
    auto window = OpenWindow();
    ExpectNamedAndReachable(*window);
    CardLayout layout;
    LoadDefaultLayout(layout, 0);
    COptionsDlg options;
    options.layout = layout;
    ExpectNamedAndReachable(options);
    options.hide();
    CLayoutDetailsDlg details;
    details.layout = layout;
    ExpectNamedAndReachable(details);
    details.hide();
    // The 24 header boxes say which slot and which axis.
    QCOMPARE(Control<QWidget>(details, idc::details::kFirstHeaderXBox)->accessibleName(),
             QString("Nome, X"));
    QCOMPARE(Control<QWidget>(details, idc::details::kFirstHeaderYBox)->accessibleName(),
             QString("Nome, Y"));
    CPasswordDlg password("segreto");
    ExpectNamedAndReachable(password);
    password.hide();
    CAboutDlg about;
    ExpectNamedAndReachable(about);
    about.hide();
}

void DesktopTest::previewsTellWhatTheyShow() {
    auto window = OpenWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto* header = Control<CHeaderPreview>(*window, idc::card::kHeaderPreview);
    auto* body = Control<CBodyPreview>(*window, idc::card::kBodyPreview);
    QAccessibleInterface* headerFace = QAccessible::queryAccessibleInterface(header);
    QAccessibleInterface* bodyFace = QAccessible::queryAccessibleInterface(body);
    QCOMPARE(headerFace->text(QAccessible::Name), QString("Intestazione della scheda"));
    const QString headerText = headerFace->text(QAccessible::Value);
    QVERIFY2(headerText.contains(QString("Bianchi")), qPrintable(headerText));
    QVERIFY2(headerText.contains(QString("Maschio")), qPrintable(headerText));
    QCOMPARE(headerFace->textInterface()->text(0, headerFace->textInterface()->characterCount()),
             headerText);
    const QStringList lines = bodyFace->text(QAccessible::Value).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 12);
    QVERIFY2(lines[0].startsWith(QString("Settembre")), qPrintable(lines[0]));
    // October 2026: one study, twelve hours.
    QVERIFY2(lines[1].startsWith(QString("Ottobre: ")) && lines[1].contains(QString("Studi: 1")),
             qPrintable(lines[1]));
    // Another publisher, another text.
    QTest::keyClick(Control<CPublisherListBox>(*window, idc::card::kPublisherList), Qt::Key_End);
    QVERIFY(headerFace->text(QAccessible::Value).contains(QString("Xeri")));
}

void DesktopTest::arrowsStepByTheKeyboard() {
    CardLayout layout;
    LoadDefaultLayout(layout, 0);
    COptionsDlg options;
    options.layout = layout;
    QVERIFY(ShowActive(options));
    auto* spin = Control<UpDownControl>(options, idc::options::kBodyTopSpin);
    auto* value = qobject_cast<QLabel*>(spin->buddy());
    const QString before = value->text();
    spin->setFocus(Qt::TabFocusReason);
    QTest::keyClick(spin, Qt::Key_Up);
    QVERIFY(value->text() != before);
    QTest::keyClick(spin, Qt::Key_Down);
    QCOMPARE(value->text(), before);
    QCOMPARE(spin->accessibleName(), QString("Margine superiore del modulo"));
}

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
