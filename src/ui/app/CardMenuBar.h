#pragma once
// The card window's menu bar: a row of flat buttons, each opening its menu,
// with Alt and the underlined letter. Qt's own menu bar would build an
// extension button whose icon Qt decodes by guessing its format, which loads
// every image plug-in at start; these buttons carry no icon.

#include <QWidget>

class QHBoxLayout;
class QMenu;
class QPushButton;

namespace varnok {

class CardMenuBar : public QWidget {
    Q_OBJECT
public:
    explicit CardMenuBar(QWidget* parent);

    // A menu under a button titled `title` ("S&cheda"), after the others.
    QMenu* AddMenu(const QString& title, const QString& name);
    // The buttons, from the left.
    QList<QPushButton*> titles() const { return titles_; }

protected:
    // Left and Right in an open menu go on to the neighbouring menu, as in a
    // desktop menu bar.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QHBoxLayout* row_;
    QList<QPushButton*> titles_;
};

}  // namespace varnok
