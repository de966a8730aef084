// The card window's menu bar: every command of the window, the ones of its
// context menu included, reachable with the mouse and with Alt and a letter.
// The bar sits above the template's controls, which move down by its height
// so that they keep their places in the client area below it.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

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

}  // namespace

void CCardDlg::BuildMenuBar() {
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName(QStringLiteral("menuBar"));
    menuBar_->setNativeMenuBar(false);  // inside the window, above its controls

    QMenu* card = menuBar_->addMenu(Text(ids::kCardMenu));
    card->setObjectName(QStringLiteral("cardMenu"));
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

    QMenu* list = menuBar_->addMenu(Text(ids::kListMenu));
    list->setObjectName(QStringLiteral("listMenu"));
    AddEntry(*list, "menuPrintList", ids::kPrintListMenuItem, batchCommands_->printListAction());
    AddEntry(*list, "menuUpdateListCards", ids::kUpdateListCardsCommand,
             batchCommands_->updateListAction());
    AddEntry(*list, "menuSaveListPdf", ids::kSaveListPdfMenuItem,
             batchCommands_->saveListPdfAction());

    if (aboutAction_ != nullptr) {
        QMenu* help = menuBar_->addMenu(Text(ids::kHelpMenu));
        help->setObjectName(QStringLiteral("helpMenu"));
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
