#pragma once
// The card window's commands for many pages at once, offered in its context
// menu: the list's publishers printed in one job, and the selected card or the
// whole list saved as a PDF file, one page per publisher.

#include <QObject>
#include <QString>
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
    CardBatchCommands(QWidget& window, const CardState& state, const CPublisherListBox& list,
                      std::function<QPrinter*()> printer, std::function<QString()> listTitle);

    void AddTo(QMenu& menu) const;

    // Told what became of every print the commands send (the window's line).
    std::function<void(const PrintOutcome&)> reportPrint;

    void OnPrintList();
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

    QWidget& window_;
    const CardState& state_;
    const CPublisherListBox& list_;
    std::function<QPrinter*()> printer_;
    std::function<QString()> listTitle_;
    std::vector<QAction*> actions_;
};

}  // namespace varnok
