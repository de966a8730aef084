#pragma once
// The options dialog (template 130): margins, date format, card version, the
// two main body measurements with their spin arrows, the default layout, the
// layout details and the printer setup, all on copies the caller takes back
// after OK.

#include <QDialog>
#include <functional>
#include <string>

#include "layout/CardLayout.h"
#include "layout/CardSettings.h"
#include "platform/DialogTemplate.h"

class QLabel;
class QLineEdit;

namespace varnok {

class UpDownControl;

class COptionsDlg : public QDialog {
    Q_OBJECT

public:
    explicit COptionsDlg(QWidget* parent = nullptr);

    // Set by the caller before the dialog runs; read back after OK.
    int dateFormat = 0;
    int cardVersion = 0;
    std::string marginTop = "0.00";
    std::string marginLeft = "0.20";
    CardLayout layout;
    int fnSort = 0;
    bool portuguese = false;  // the edition with the first-name order option
    // The card versions offered in the list (string 146 in this edition).
    int versionCount = cardVersionCount();
    // The application's printer setup, run by "Impost. di stampa".
    std::function<bool(QWidget*)> printerSetup;
    // Prints the alignment sheet at the dialog's margins, card version and
    // layout, given as settings and layout (the rest of the settings as handed in).
    std::function<void(QWidget*, const CardSettings&, const CardLayout&)> printAlignmentSheet;

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
    void OnMarginFocusLost(QLineEdit* box, std::string& margin);
    void OnDateFormat(int format);
    void OnPrinterSetup();
    void OnRestoreDefaults();
    void OnLayoutDetails();
    void OnCardVersionSelected(int row);
    void SetUpAlignmentControls();
    void OnAlignmentSheet();
    void OnAddReadings();

    QLineEdit* topBox_ = nullptr;
    QLineEdit* leftBox_ = nullptr;
    UpDownControl* topSpin_ = nullptr;
    UpDownControl* heightSpin_ = nullptr;
    QLabel* topBuddy_ = nullptr;
    QLabel* heightBuddy_ = nullptr;
    QLabel* pendingBuddy_ = nullptr;
    bool initialised_ = false;
    bool ending_ = false;
};

}  // namespace varnok
