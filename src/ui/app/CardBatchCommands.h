#pragma once
// The card window's commands for many pages at once, offered in its context
// menu and menu bar: the list's publishers printed in one job, their cards
// brought up to date (each card's due and changed rows, one job), and the
// selected card or the whole list saved as a PDF file, one page per publisher.

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <vector>

class QAction;
class QMenu;
class QPrinter;
class QWidget;

namespace varnok {

class CardState;
class CPublisherListBox;
struct PrintOutcome;

class CardBatchCommands : public QObject {
    Q_OBJECT
public:
    // `listTitle` names what the list shows (the group button's text);
    // `printer` gives the printer every print goes to (nullptr: none).
    CardBatchCommands(QWidget& window, CardState& state, const CPublisherListBox& list,
                      std::function<QPrinter*()> printer, std::function<QString()> listTitle);

    void AddTo(QMenu& menu) const;

    // Told what became of every print the commands send (the window's line).
    std::function<void(const PrintOutcome&)> reportPrint;
    // The same for "Aggiorna le schede dell'elenco", with the rows it printed.
    std::function<void(const PrintOutcome&, int rows)> reportUpdate;
    // Before anything goes to a printer: false, having said why, while the
    // companion's files differ from the data shown.
    std::function<bool()> dataIsCurrent;
    // After pages reached a printer and went into the print register.
    std::function<void()> pagesRecorded;

    QAction* printListAction() const { return actions_[0]; }
    QAction* saveCardPdfAction() const { return actions_[1]; }
    QAction* saveListPdfAction() const { return actions_[2]; }
    QAction* updateListAction() const { return updateList_; }

    void OnPrintList();
    // "Aggiorna le schede dell'elenco".
    void OnUpdateListCards();
    void OnSaveCardPdf();
    void OnSaveListPdf();

private:
    QAction* AddAction(const char* name, int textId, void (CardBatchCommands::*handler)());
    // Asks for the PDF's name and writes the pages; false when nothing was written.
    bool SavePdf(const std::vector<int>& publishers, const QString& title);
    QString CardTitle() const;
    // False, having said so, when nothing is ticked to go on the pages.
    bool HasSomethingToDraw() const;
    // The listed publishers, or none, having said why, when there is nothing to draw.
    std::vector<int> ListToDraw() const;
    // Records the pages' rows (each publisher's own `rows` when given) when
    // `outcome` says they reached a printer's queue.
    void Record(const std::vector<int>& publishers, const QPrinter& printer,
                const PrintOutcome& outcome, const std::vector<std::array<bool, 12>>& rows = {});

    QWidget& window_;
    CardState& state_;
    const CPublisherListBox& list_;
    std::function<QPrinter*()> printer_;
    std::function<QString()> listTitle_;
    std::vector<QAction*> actions_;
    QAction* updateList_ = nullptr;
};

}  // namespace varnok
