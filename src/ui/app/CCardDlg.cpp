#include "CCardDlg.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <utility>

#include "app/CardBatchCommands.h"
#include "app/CardWindowLook.h"
#include "app/DataFolder.h"
#include "app/DataFolderWatcher.h"
#include "data/CPublisherListBox.h"
#include "dialogs/CAboutDlg.h"
#include "dialogs/CPasswordDlg.h"
#include "layout/COptionsDlg.h"
#include "layout/OptionsRules.h"
#include "platform/AfterFirstPaint.h"
#include "platform/AppIcon.h"
#include "platform/Clock.h"
#include "platform/DialogBuilder.h"
#include "platform/Edition.h"
#include "platform/MessageBox.h"
#include "platform/Messages.h"
#include "platform/RepeatedKeyGuard.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"
#include "render/CBodyPreview.h"
#include "render/CHeaderPreview.h"
#include "render/CurrentPrinter.h"
#include "render/PreviewFont.h"
#include "render/PrintJob.h"

namespace varnok {

CCardDlg::CCardDlg(std::string profilePath, CurrentPrinter* printer, QWidget* parent)
    : QDialog(parent), profile_(std::move(profilePath)), printer_(printer) {
    MessageBox::InstallAsCoreHandler();
    BuildControls();
    MakeMainWindow(*this);
    OnInitDialog();
}

void CCardDlg::BuildControls() {
    const DialogTemplate& t = *FindDialogTemplate(idd::kCardWindow);
    BuildDialog(*this, t, [this](const ControlTemplate& c, QWidget* parent) -> QWidget* {
        switch (c.id) {
            case idc::card::kPublisherList:
                return list_ = new CPublisherListBox(parent);
            case idc::card::kHeaderPreview:
                return headerPreview_ = new CHeaderPreview(state_, parent);
            case idc::card::kBodyPreview:
                return bodyPreview_ = new CBodyPreview(state_, parent);
            default:
                return nullptr;
        }
    });
    state_.windowFont = CardWindowPreviewFont();
    groupButton_ = Control<QPushButton>(*this, idc::card::kGroupButton);
    printButton_ = Control<QPushButton>(*this, idc::card::kPrintButton);
    for (int row = 0; row < 12; ++row) {
        monthBoxes_[row] = Control<QCheckBox>(*this, idc::card::kFirstMonthBox + row);
        connect(monthBoxes_[row], &QCheckBox::toggled, this,
                [this, row](bool ticked) { OnMonthBox(row, ticked); });
    }
    connect(Control<QCheckBox>(*this, idc::card::kPrintHeaderBox), &QCheckBox::toggled, this,
            &CCardDlg::OnHeaderBox);
    feedbackLine_ = Control<QLabel>(*this, idc::card::kPrintFeedbackLine);
    // A mouse press makes the pressed entry current before it is selected, so
    // the window follows the settled selection, not the current row.
    connect(list_, &CPublisherListBox::itemSelectionChanged, this, [this] {
        state_.useLongName = true;
        RefreshSelection();
    });
    connect(list_, &CPublisherListBox::characterTyped, this, &CCardDlg::RefreshSelection);
    connect(Control<QCheckBox>(*this, idc::card::kWholeCardBox), &QCheckBox::toggled, this,
            &CCardDlg::OnWholeCardBox);
    batchCommands_ = new CardBatchCommands(
        *this, state_, *list_, [this] { return CurrentQPrinter(); },
        [this] { return FromCodePage(state_.groups.GroupButtonText()); });
    batchCommands_->reportPrint = [this](const PrintOutcome& outcome) {
        ReportPrint(outcome, PrintKind::Cards);
    };
    batchCommands_->reportUpdate = [this](const PrintOutcome& outcome, int rows) {
        ReportUpdate(outcome, rows);
    };
    batchCommands_->dataIsCurrent = [this] { return DataIsCurrent(); };
    batchCommands_->pagesRecorded = [this] {
        UpdateMonthTips();
        RepaintPreviews();
        ShowFeedback();
    };
    watcher_ = new DataFolderWatcher(this);
    connect(watcher_, &DataFolderWatcher::settled, this, &CCardDlg::ReloadData);
    connect(groupButton_, &QPushButton::clicked, this, &CCardDlg::OnGroupButton);
    connect(Control<QPushButton>(*this, idc::card::kOptionsButton), &QPushButton::clicked, this,
            &CCardDlg::OnOptions);
    new RepeatedKeyGuard(*this, *printButton_);
}

void CCardDlg::OnInitDialog() {
    headerPreview_->ResetClientRect();
    bodyPreview_->ResetClientRect();
    groupButton_->setText(FromCodePage(state_.groups.GroupButtonText()));

    // Window managers own the title bar's menu here, so the about entry lives
    // in the window's context menu (and on F1).
    QString aboutText = FromCodePage(ResString(ids::kAboutCommand));
    if (!aboutText.isEmpty()) {
        aboutAction_ = new QAction(aboutText, this);
        aboutAction_->setShortcut(QKeySequence(Qt::Key_F1));
        aboutAction_->setShortcutContext(Qt::WindowShortcut);
        connect(aboutAction_, &QAction::triggered, this, &CCardDlg::OnAbout);
        addAction(aboutAction_);
    }
    // The icon waits for the window's first picture, which does not show it.
    RunAfterFirstPaint(*bodyPreview_, [this] {
        setWindowIcon(AppIcon());
        if (QApplication::windowIcon().isNull()) {
            QApplication::setWindowIcon(AppIcon());  // the later dialogs' too
        }
    });
    sheetAction_ = new QAction(FromCodePage(ResString(ids::kAlignmentSheet)), this);
    connect(sheetAction_, &QAction::triggered, this, &CCardDlg::OnAlignmentSheet);
    selectDueAction_ = new QAction(FromCodePage(ResString(ids::kSelectDueMonthsCommand)), this);
    selectDueAction_->setObjectName(QStringLiteral("selectDueMonths"));
    connect(selectDueAction_, &QAction::triggered, this, &CCardDlg::OnSelectDueMonths);
    BuildMenuBar();

    state_.OpenCard(Today(), profile_,
                    [this](const std::string& expected) { return AskPassword(expected); });
    if (printer_ != nullptr) {
        // Only named here: the print system is asked once both previews are
        // painted, so that start-up never waits for it.
        printer_->Remember(PrinterOf(state_.settings));
        RunAfterFirstPaint(*bodyPreview_, [this] { LookUpPrinterAtStart(); });
    }
    FillPublisherList();
    SetHiddenBoxes();

    if (state_.accessDenied) {
        // Closed before it is shown: nothing has been loaded that needs saving.
        state_.table.ReleasePublisherTable();
        closedAtStart_ = true;
        setResult(QDialog::Rejected);
        return;
    }
    openingNotice_ = state_.layoutFile.notice();
    for (const std::string& more :
         {state_.printRegister.notice(),
          state_.readOverlappedWrite ? ResString(ids::kDataReadDuringWrite) : std::string()}) {
        if (!more.empty()) {
            openingNotice_ += (openingNotice_.empty() ? "" : "\n\n") + more;
        }
    }
    SetTitle();
    printButton_->setEnabled(false);
    list_->setFocus();
    // Watching waits for the first picture too; what changes before then is
    // found when it starts, against the stamp of what was read.
    watcher_->Remember(state_.loadedStamp);
    RunAfterFirstPaint(*bodyPreview_, [this] { watcher_->Watch(state_.loadedStamp); });
}

bool CCardDlg::AskPassword(const std::string& expected) {
    CPasswordDlg prompt(expected);
    prompt.exec();
    return prompt.success();
}

void CCardDlg::FillPublisherList() {
    list_->Fill(state_.groups.FillPublisherList(state_.table, state_.reportMonth, state_.reportSlot,
                                                state_.settings.fnSort != 0));
    RefreshSelection();
    list_->setFocus();
}

void CCardDlg::RefreshSelection() {
    state_.selectedPublisher = list_->SelectedPublisher();
    state_.UpdateMarks();
    UpdateMonthTips();
    RepaintPreviews();
    ShowFeedback();
}

// A month box already printed on this card says when and where, and what
// changed since, below its own tip.
void CCardDlg::UpdateMonthTips() {
    for (int row = 0; row < 12; ++row) {
        if (monthTips_[row].isEmpty()) {
            monthTips_[row] = monthBoxes_[row]->toolTip();
        }
        const std::string extra = PrintedRowTip(state_.selectedMarks, row);
        monthBoxes_[row]->setToolTip(extra.empty() ? monthTips_[row]
                                                   : monthTips_[row] + QLatin1Char('\n') +
                                                         FromCodePage(extra));
    }
}

void CCardDlg::RepaintPreviews() {
    headerPreview_->update();
    bodyPreview_->update();
}

void CCardDlg::SetHiddenBoxes() {
    auto box = [this](int id) { return Control<QCheckBox>(*this, id); };
    box(idc::card::kLastNameFirstBox)->setChecked(state_.settings.lastNameFirst != 0);
    box(idc::card::kSexBox)->setChecked(false);
    bool firstVersion = state_.settings.cardVersion == 0;
    for (int id : {idc::card::kPrintHeaderBox, idc::card::kWholeCardBox, idc::card::kLastYearBox}) {
        if (!firstVersion) {
            box(id)->setChecked(false);
        }
        box(id)->setEnabled(firstVersion);
    }
    box(idc::card::kUseLongNameBox)->setEnabled(firstVersion);
    // The whole card is offered where the card version allows it.
    box(idc::card::kWholeCardBox)->setVisible(firstVersion);
}

// The open folder after the card version, so that two windows on two
// congregations' folders are told apart.
void CCardDlg::SetTitle() {
    std::string title = ResString(ids::kProgramName) + " - " +
                        ResString(ids::kFirstCardVersion + state_.settings.cardVersion);
    setWindowTitle(FromCodePage(title) + QStringLiteral(" - ") +
                   QDir::toNativeSeparators(FolderForDisplay(CurrentDataFolder())));
}

void CCardDlg::OnGroupButton() {
    state_.groups.AdvanceGroupMode(state_.table.groupCount());
    groupButton_->setText(FromCodePage(state_.groups.GroupButtonText()));
    FillPublisherList();
    list_->setFocus();
}

void CCardDlg::OnMonthBox(int row, bool ticked) {
    state_.monthTicked[row] = ticked;
    RepaintPreviews();
    UpdatePrintButton();
}

void CCardDlg::OnWholeCardBox(bool ticked) {
    state_.wholeCard = ticked;
    UpdatePrintButton();
}

// Runs the options dialog on copies of the settings and layout and takes them
// back on OK. Once anything has changed (now or in an earlier run) the list,
// the hidden boxes, the title and the previews are rebuilt.
void CCardDlg::OnOptions() {
    CardSettings& settings = state_.settings;
    COptionsDlg options(OptionsFromSettings(settings, state_.layout), this);
    options.portuguese = EditionTraitsOf(state_.editionCode).firstNameSort;
    options.layoutFile = &state_.layoutFile;
    options.chooseDataFolder = [](QWidget* parent) {
        return ChooseDataFolder(parent, CurrentDataFolder());
    };
    // The printer setup changes the printer at once; "Annulla" takes it back.
    // Its margins come with the printer: its own, or those of every printer
    // without its own.
    CardSettings working = settings;
    if (printer_ != nullptr) {
        printer_->StartOptions();
        options.printerSetup = [this, &options, &working](QWidget* parent) {
            if (!printer_->RunPrinterSetup(parent)) {
                return false;
            }
            SetMargins(working, options.marginTop, options.marginLeft);
            UsePrinter(working, printer_->Choice(), profile_);
            options.marginTop = working.marginTop;
            options.marginLeft = working.marginLeft;
            return true;
        };
    }
    options.printAlignmentSheet = [this](QWidget* parent, const OptionsValues& values) {
        CardSettings settings = state_.settings;
        settings.cardVersion = values.cardVersion;
        settings.marginTop = values.marginTop;
        settings.marginLeft = values.marginLeft;
        PrintSheet(parent, settings, values.layout);
    };
    const bool accepted = options.exec() == QDialog::Accepted;
    const bool printerChanged = printer_ != nullptr && printer_->EndOptions(accepted);
    if (accepted) {
        if (printerChanged) {
            TakePrinterBack(working);
        }
        // The margins go to the printer that has them (TakeOptionsBack then
        // finds them as they are and only notes a change).
        const CardSettings before = settings;
        SetMargins(settings, options.marginTop, options.marginLeft);
        if (TakeOptionsBack(options.values(), settings, state_.layout, state_.settingsChanged,
                            state_.editionCode)) {
            SortPublishersByName(state_.table, settings.fnSort != 0);
        }
        if (!(settings == before)) {
            state_.settingsChanged = true;
        }
        if (printerChanged) {
            SetFeedback(PrinterInUseText());
        }
    }
    if (state_.settingsChanged) {
        FillPublisherList();
        SetHiddenBoxes();
        SetTitle();
        RefreshSelection();
    }
    if (!options.dataFolder.empty()) {
        ChangeDataFolder(options.dataFolder);
    }
    list_->setFocus();
}

bool CCardDlg::ChangeDataFolder(const std::string& folder) {
    // Nothing is read from a folder without the congregation's data, nor written into it.
    if (!IsDataFolder(folder)) {
        MessageBox::Show(NotADataFolderText(folder), this);
        return false;
    }
    // Saved as closing saves it: only when changed, asking when another copy changed it.
    state_.layoutFile.Save(state_.layout, state_.settings.cardVersion);
    state_.printRegister.Save();
    const std::string previous = CurrentDataFolder();
    if (!EnterDataFolder(folder)) {
        return false;
    }
    // The new folder opens through the start-up routine, on a card of its own,
    // so a refused password leaves everything here as it was.
    CardState fresh;
    fresh.OpenCard(Today(), profile_,
                   [this](const std::string& expected) { return AskPassword(expected); });
    if (fresh.accessDenied) {
        EnterDataFolder(previous);
        return false;
    }
    // The settings are the window's own, changed or not; the rest is the new folder's.
    state_.table = std::move(fresh.table);
    state_.details = std::move(fresh.details);
    state_.remarks = std::move(fresh.remarks);
    state_.loadedStamp = fresh.loadedStamp;
    state_.printRegister = std::move(fresh.printRegister);
    state_.FixReportDate(Today());
    if (EditionTraitsOf(state_.editionCode).firstNameSort && state_.table.recordCount() >= 1) {
        SortPublishersByName(state_.table, state_.settings.fnSort != 0);
    }
    // The new folder's layout file is the one the keeper follows from now on.
    if (fresh.settings.cardVersion == state_.settings.cardVersion) {
        state_.layout = fresh.layout;
        state_.layoutFile = std::move(fresh.layoutFile);
    } else {
        state_.layoutFile = LayoutKeeper{};
        state_.layoutFile.Load(state_.layout, state_.settings.cardVersion);
    }
    state_.useLongName = true;
    state_.groups = SelectionGroups{};
    groupButton_->setText(FromCodePage(state_.groups.GroupButtonText()));
    for (QCheckBox* box : monthBoxes_) {
        box->setChecked(false);
    }
    FillPublisherList();
    SetHiddenBoxes();
    SetTitle();
    printButton_->setEnabled(false);
    RememberDataFolder(profile_);
    watcher_->Watch(state_.loadedStamp);
    return true;
}

void CCardDlg::OnChooseDataFolder() {
    const std::string folder = ChooseDataFolder(this, CurrentDataFolder());
    if (!folder.empty()) {
        ChangeDataFolder(folder);
    }
    list_->setFocus();
}

void CCardDlg::OnAbout() {
    CAboutDlg about(this);
    about.directoryText = FolderForDisplay(CurrentDataFolder());
    about.exec();
}

// The focus goes back to the list only when a card was sent.
void CCardDlg::accept() {
    if (!DataIsCurrent()) {
        return;
    }
    QPrinter* printer = CurrentQPrinter();
    const PrintOutcome outcome = PrintSelectedCard(state_, printer, this);
    ReportPrint(outcome, PrintKind::Card);
    if (!outcome.Reached()) {
        return;
    }
    // The page reached a printer's queue: its rows go into the print
    // register. A PDF file is no card, and is not recorded.
    if (printer != nullptr && !printer->printerName().isEmpty() &&
        printer->outputFileName().isEmpty()) {
        state_.RecordPrintedPages({state_.selectedPublisher}, ToCodePage(outcome.destination),
                                  Today());
        UpdateMonthTips();
        RepaintPreviews();
        ShowFeedback();
    }
    list_->setFocus();
}

void CCardDlg::reject() {
    if (closedAtStart_) {
        QDialog::reject();
        return;
    }
    state_.table.ReleasePublisherTable();
    state_.SaveAtClosing(profile_);
    QDialog::reject();
}

void CCardDlg::SaveQuietly() {
    if (closedAtStart_ || !isVisible()) {
        return;
    }
    // No box can be answered now: failures go to standard error, and a layout
    // file another copy changed is left to that copy.
    auto toStderr = [](const std::string& text) {
        const QByteArray bytes = (QCoreApplication::applicationName() + QStringLiteral(": ") +
                                  FromCodePage(text) + QLatin1Char('\n'))
                                     .toLocal8Bit();
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    };
    const MessageHandler messages = SetMessageHandler(toStderr);
    const QuestionHandler questions = SetQuestionHandler([toStderr](const std::string& text) {
        toStderr(text);
        return false;
    });
    state_.SaveAtClosing(profile_);
    SetQuestionHandler(questions);
    SetMessageHandler(messages);
}

int CCardDlg::exec() {
    if (closedAtStart_) {
        return QDialog::Rejected;
    }
    return QDialog::exec();
}

void CCardDlg::setVisible(bool visible) {
    if (visible && closedAtStart_) {
        return;  // a refused password ends the program without any window
    }
    QDialog::setVisible(visible);
    if (visible && !openingNotice_.empty()) {
        // Told once the window is on the screen, over it.
        QTimer::singleShot(0, this, [this, text = std::exchange(openingNotice_, {})] {
            MessageBox::Show(FromCodePage(text), this);
        });
    }
}

void CCardDlg::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(sheetAction_);
    batchCommands_->AddTo(menu);
    menu.addAction(selectDueAction_);
    if (aboutAction_ != nullptr) {
        menu.addSeparator();
        menu.addAction(aboutAction_);
    }
    menu.exec(event->globalPos());
}

}  // namespace varnok
