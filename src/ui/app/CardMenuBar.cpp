// The card window's menu bar: every command of the window, the ones of its
// context menu included, reachable with the mouse, with Alt and a letter, and
// from F10.
// The bar sits above the template's controls, which move down by its height
// so that they keep their places in the client area below it.

#include "app/CardMenuBar.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include "app/CCardDlg.h"
#include "app/CardBatchCommands.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"

namespace varnok {

namespace {

QString Text(int id) {
    return FromCodePage(ResString(id));
}

// An entry that runs what `target` runs, under the menu's own text.
QAction* AddEntry(QMenu& menu, const char* name, int textId, QAction* target) {
    QAction* entry = menu.addAction(Text(textId));
    entry->setObjectName(QString::fromLatin1(name));
    if (target != nullptr) {
        QObject::connect(entry, &QAction::triggered, target, &QAction::trigger);
    }
    return entry;
}

// Screen readers hear the row of titles as the window's menu bar, each title
// a button with its menu.
void InstallMenuBarAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory([](const QString&, QObject* object) -> QAccessibleInterface* {
            if (auto* bar = qobject_cast<CardMenuBar*>(object)) {
                return new QAccessibleWidget(bar, QAccessible::MenuBar);
            }
            return nullptr;
        });
        return true;
    }();
    (void)installed;
}

}  // namespace

CardMenuBar::CardMenuBar(QWidget* parent) : QWidget(parent), row_(new QHBoxLayout(this)) {
    InstallMenuBarAccessibility();
    setObjectName(QStringLiteral("menuBar"));
    row_->setContentsMargins(2, 0, 2, 0);
    row_->setSpacing(0);
    row_->addStretch(1);
    // F10 opens the first menu, as a desktop's menu bar does.
    auto* firstMenu = new QAction(this);
    firstMenu->setShortcut(QKeySequence(Qt::Key_F10));
    firstMenu->setShortcutContext(Qt::WindowShortcut);
    connect(firstMenu, &QAction::triggered, this, [this] {
        if (!titles_.isEmpty()) {
            QTimer::singleShot(0, titles_.first(), &QPushButton::showMenu);
        }
    });
    addAction(firstMenu);
}

QMenu* CardMenuBar::AddMenu(const QString& title, const QString& name) {
    auto* button = new QPushButton(title, this);
    button->setObjectName(name + QStringLiteral("Title"));
    button->setFlat(true);
    // Not a dialog button: Enter still prints, and Tab goes on to the list.
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::NoFocus);
    auto* menu = new QMenu(button);
    menu->setObjectName(name);
    button->setMenu(menu);
    menu->installEventFilter(this);
    row_->insertWidget(static_cast<int>(titles_.size()), button);
    titles_.append(button);
    return menu;
}

bool CardMenuBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Left && key != Qt::Key_Right) {
        return false;
    }
    auto* menu = static_cast<QMenu*>(watched);
    const auto count = titles_.size();
    qsizetype at = 0;
    while (at < count && titles_[at]->menu() != menu) {
        ++at;
    }
    if (at == count || count < 2) {
        return false;
    }
    QPushButton* next = titles_[(at + (key == Qt::Key_Right ? 1 : count - 1)) % count];
    menu->close();
    // The open menu runs its own event loop: the next one opens once it has ended.
    QTimer::singleShot(0, next, &QPushButton::showMenu);
    return true;
}

void CCardDlg::BuildMenuBar() {
    menuBar_ = new CardMenuBar(this);

    QMenu* card = menuBar_->AddMenu(Text(ids::kCardMenu), QStringLiteral("cardMenu"));
    QAction* print = AddEntry(*card, "menuPrint", ids::kPrintMenuItem, nullptr);
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    addAction(print);  // the window's own shortcut, whatever has the focus
    // As the button: only with something ticked to go on the page.
    connect(print, &QAction::triggered, this, [this] {
        if (printButton_->isEnabled()) {
            accept();
        }
    });
    // Shown greyed while the button is; Ctrl+P itself asks the button each time.
    connect(card, &QMenu::aboutToShow, this,
            [this, print] { print->setEnabled(printButton_->isEnabled()); });
    connect(card, &QMenu::aboutToHide, print, [print] { print->setEnabled(true); });
    AddEntry(*card, "menuSelectDueMonths", ids::kSelectDueMonthsCommand, selectDueAction_);
    AddEntry(*card, "menuSaveCardPdf", ids::kSaveCardPdfMenuItem,
             batchCommands_->saveCardPdfAction());
    AddEntry(*card, "menuAlignmentSheet", ids::kAlignmentSheetMenuItem, sheetAction_);
    card->addSeparator();
    QAction* folder = AddEntry(*card, "menuDataFolder", ids::kDataFolderMenuItem, nullptr);
    connect(folder, &QAction::triggered, this, &CCardDlg::OnChooseDataFolder);
    card->addSeparator();
    QAction* close = AddEntry(*card, "menuClose", ids::kCloseMenuItem, nullptr);
    close->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    addAction(close);
    connect(close, &QAction::triggered, this, &CCardDlg::reject);

    QMenu* list = menuBar_->AddMenu(Text(ids::kListMenu), QStringLiteral("listMenu"));
    AddEntry(*list, "menuPrintList", ids::kPrintListMenuItem, batchCommands_->printListAction());
    AddEntry(*list, "menuUpdateListCards", ids::kUpdateListCardsCommand,
             batchCommands_->updateListAction());
    AddEntry(*list, "menuSaveListPdf", ids::kSaveListPdfMenuItem,
             batchCommands_->saveListPdfAction());

    if (aboutAction_ != nullptr) {
        QMenu* help = menuBar_->AddMenu(Text(ids::kHelpMenu), QStringLiteral("helpMenu"));
        AddEntry(*help, "menuAbout", ids::kAboutMenuItem, aboutAction_);
    }

    const int barHeight = menuBar_->sizeHint().height();
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child != menuBar_ && !child->isWindow()) {
            child->move(child->x(), child->y() + barHeight);
        }
    }
    setFixedSize(width(), height() + barHeight);
    menuBar_->setGeometry(0, 0, width(), barHeight);
}

}  // namespace varnok
