#pragma once
// The card window (idd::kCardWindow), the program's one main window: the publisher
// list, the header and body previews, the month boxes and the commands. All
// state and rules live in its CardState; this class wires widgets to them.

#include <QDialog>
#include <array>
#include <string>

#include "app/CardState.h"
#include "platform/ProfileFile.h"

class QAction;
class QCheckBox;
class QLabel;
class QPrinter;
class QPushButton;

namespace varnok {

class CardBatchCommands;
class CardMenuBar;
class CurrentPrinter;
class DataFolderWatcher;
class CPublisherListBox;
class CHeaderPreview;
class CBodyPreview;
struct CardSheet;
struct PrintOutcome;

class CCardDlg : public QDialog {
    Q_OBJECT
public:
    // Builds the window and runs its whole initialisation: data, password,
    // list, settings from `profilePath`, layout. When the password is refused
    // the window is closed at once and never shows. `printer` may be null.
    explicit CCardDlg(std::string profilePath, CurrentPrinter* printer = nullptr,
                      QWidget* parent = nullptr);

    CardState& state() { return state_; }
    // True when the window closed during its initialisation (password refused).
    bool closedAtStart() const { return closedAtStart_; }

    // Takes the list's selection as the selected publisher and repaints both previews.
    void RefreshSelection();
    // Rebuilds the list for the current group mode, selects its first entry
    // and puts the focus on it.
    void FillPublisherList();
    // The hidden check boxes' states for the card version.
    void SetHiddenBoxes();
    // The title: the program's name, the card version's label and the open folder.
    void SetTitle();

    void OnOptions();
    void OnAbout();
    // Opens another data folder: the layout is saved in the folder being left,
    // as closing does, and the new one is loaded as at start-up, its password
    // included. False, with the old folder still open, when the folder cannot
    // be entered, holds no congregation data (the user is told) or its
    // password is refused. `folder` is in the system's bytes.
    bool ChangeDataFolder(const std::string& folder);
    // Prints the alignment sheet at the window's margins and layout.
    void OnAlignmentSheet();
    // "Seleziona i mesi da stampare": ticks exactly the selected card's due
    // and changed rows.
    void OnSelectDueMonths();
    // "Cartella dei dati...": asks for a folder and opens it.
    void OnChooseDataFolder();

    // Reads the companion's files again as at start (see CardState), keeping
    // the selected publisher, the group mode and the ticked boxes, and says so
    // on the feedback line. Run when the watched files changed and settled.
    CardState::Reload ReloadData();
    // Before a print: true while the data shown is the files' as they stand.
    // Otherwise nothing may be printed: the data is read again and the user
    // told to check the card and print again.
    bool DataIsCurrent();
    DataFolderWatcher& watcher() { return *watcher_; }

    // The closing command's saves without any message box (a session's end:
    // failures go to standard error); the window stays open.
    void SaveQuietly();

    int exec() override;
    void setVisible(bool visible) override;

public slots:
    void accept() override;  // "&Stampa": print the ticked months
    void reject() override;  // "&Fatto", Esc, close box: save and close

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void BuildControls();
    void OnInitDialog();
    bool AskPassword(const std::string& expected);
    void OnGroupButton();
    void OnMonthBox(int row, bool ticked);
    void OnWholeCardBox(bool ticked);
    void RepaintPreviews();
    void UpdateMonthTips();
    // The feedback line: the last report (a print, a reload) and, once the
    // print register holds anything, the selected card's due and changed rows.
    void SetFeedback(const QString& report);
    // The line after "Aggiorna le schede dell'elenco", which printed `rows` rows.
    void ReportUpdate(const PrintOutcome& outcome, int rows);
    void ShowFeedback();
    // Selects `publisher` in the list without a selection notice; false when
    // the list does not show it.
    bool SelectInList(int publisher);
    // The menu bar above the template's controls: defined in CardMenuBar.cpp.
    void BuildMenuBar();
    // Printing: defined in CCardDlgPrinting.cpp.
    void OnHeaderBox(bool ticked);
    void UpdatePrintButton();
    // The alignment sheet with the given margins, card version and layout.
    void PrintSheet(QWidget* parent, const CardSettings& settings, const CardLayout& layout);
    enum class PrintKind { Card, Sheet, Cards };
    // The line after every print: what was sent, where, whether it still waits,
    // or that nothing was printed and why.
    void ReportPrint(const PrintOutcome& outcome, PrintKind kind);
    QPrinter* CurrentQPrinter();
    // Looks the printer up, unless a print did already, and says in the line
    // which printer "Stampa" uses, or that the remembered one is missing (or
    // that there is no printer at all).
    void LookUpPrinterAtStart();
    // The line naming the printer in use (or that there is none).
    QString PrinterInUseText();
    // The printer chosen in the options' printer setup, with the margins it
    // brought, becomes the settings' printer.
    void TakePrinterBack(const CardSettings& working);

    CardState state_;
    ProfileFile profile_;
    CurrentPrinter* printer_ = nullptr;
    bool closedAtStart_ = false;
    std::string openingNotice_;  // shown once the window opens

    CPublisherListBox* list_ = nullptr;
    CHeaderPreview* headerPreview_ = nullptr;
    CBodyPreview* bodyPreview_ = nullptr;
    QPushButton* groupButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    std::array<QCheckBox*, 12> monthBoxes_{};
    std::array<QString, 12> monthTips_;  // the boxes' own tips
    QAction* aboutAction_ = nullptr;
    QAction* sheetAction_ = nullptr;
    QAction* selectDueAction_ = nullptr;
    QLabel* feedbackLine_ = nullptr;
    QString feedback_;  // the last report the feedback line gives
    CardBatchCommands* batchCommands_ = nullptr;
    DataFolderWatcher* watcher_ = nullptr;
    CardMenuBar* menuBar_ = nullptr;
};

}  // namespace varnok
