#pragma once
// The options dialog (idd::kOptions): margins, date format, card version, the
// two main body measurements with their spin arrows, the default layout, the
// layout details and the printer setup. It edits a copy of the options
// values, which the caller takes back after OK.

#include <QDialog>
#include <functional>
#include <string>

#include "layout/CardLayout.h"
#include "layout/LayoutKeeper.h"
#include "layout/OptionsRules.h"
#include "platform/DialogTemplate.h"

class QLabel;
class QLineEdit;

namespace varnok {

class UpDownControl;

// The values edited are the dialog's own OptionsValues members: given to the
// constructor (or set one by one) before it runs, read back after OK.
class COptionsDlg : public QDialog, public OptionsValues {
    Q_OBJECT

public:
    explicit COptionsDlg(QWidget* parent = nullptr);
    explicit COptionsDlg(const OptionsValues& values, QWidget* parent = nullptr);

    const OptionsValues& values() const { return *this; }
    // The card layout being edited, not QWidget::layout().
    using OptionsValues::layout;

    bool portuguese = false;  // the edition with the first-name order option
    // The card versions offered in the list (ids::kCardVersionCount in this edition).
    int versionCount = cardVersionCount();
    // The application's printer setup, run by "Impost. di stampa". True when
    // a printer was chosen; the margin boxes then show marginTop and
    // marginLeft, which it may have set to that printer's margins.
    std::function<bool(QWidget*)> printerSetup;
    // The data folder chooser, run by "&Cartella dei dati" (shown only when
    // set); it returns "" when cancelled. A folder picked there ends the
    // dialog as OK does and is given back in `dataFolder`.
    // The folder is in the system's bytes.
    std::function<std::string(QWidget*)> chooseDataFolder;
    std::string dataFolder;
    // The card window's layout keeper, through which a card version change
    // saves and loads; without one the dialog keeps its own.
    LayoutKeeper* layoutFile = nullptr;
    // Prints the alignment sheet at the dialog's margins, card version and layout.
    std::function<void(QWidget*, const OptionsValues&)> printAlignmentSheet;

    void accept() override;
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* MakeControl(const ControlTemplate& c, QWidget* parent);
    void OnInitDialog();
    void RefreshSpins();
    void OnSpin(int slot, QLabel* buddy, int delta, int low, int high);
    bool OnMarginFocusLost(QLineEdit* box, std::string& margin);
    bool TakeFocusedMargin();
    void OnDateFormat(int format);
    void OnPrinterSetup();
    void OnDataFolder();
    void OnRestoreDefaults();
    void OnLayoutDetails();
    void OnCardVersionSelected(int row);
    void SetUpAlignmentControls();
    void OnAlignmentSheet();
    bool OnAddReadings();

    QLineEdit* topBox_ = nullptr;
    QLineEdit* leftBox_ = nullptr;
    UpDownControl* topSpin_ = nullptr;
    UpDownControl* heightSpin_ = nullptr;
    QLabel* topBuddy_ = nullptr;
    QLabel* heightBuddy_ = nullptr;
    QLabel* pendingBuddy_ = nullptr;
    bool initialised_ = false;
    bool ending_ = false;
    bool checkingMargin_ = false;
    LayoutKeeper ownLayoutFile_;
};

}  // namespace varnok
