// The yardstick of the card window's start-up: a bare Qt dialog with a list
// of 40 names and one widget that paints, shown as a program shows its
// window. Timed from outside with StartupProbe (the painted widget is "painted").
// `varnok_bare_dialog WIDTHxHEIGHT` makes the window that size (the card
// window's, so both fill as many pixels); without it the dialog takes the
// size its two widgets ask for.

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>

namespace {

class PaintedWidget : public QWidget {
public:
    explicit PaintedWidget(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("painted"));
        setMinimumSize(400, 250);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        for (int row = 0; row < 12; ++row) {
            painter.drawLine(0, 20 * row + 10, width(), 20 * row + 10);
            painter.drawText(10, 20 * row + 25, QString::number(row + 1));
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Bare"));
    auto* layout = new QHBoxLayout(&dialog);
    auto* list = new QListWidget(&dialog);
    for (int i = 0; i < 40; ++i) {
        list->addItem(QStringLiteral("Publisher %1").arg(i + 1));
    }
    list->setCurrentRow(0);
    layout->addWidget(list);
    layout->addWidget(new PaintedWidget(&dialog));
    const QStringList size = application.arguments().value(1).split(QLatin1Char('x'));
    if (size.size() == 2) {
        dialog.setFixedSize(size[0].toInt(), size[1].toInt());
    }
    dialog.show();
    return application.exec();
}
