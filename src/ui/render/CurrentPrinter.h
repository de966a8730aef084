#pragma once
// The application's current printer: it starts as the printer remembered from
// the last printer setup when its queue still exists, otherwise as the
// system's default printer, and changes only through the printer setup; every
// print goes to it without a further question. The print system is asked only
// when a printer is first needed (or once the window is on the screen), so
// that start-up does not wait for it.

#include <QString>
#include <QStringList>
#include <memory>

#include "layout/CardSettings.h"

class QPrinter;
class QWidget;

namespace varnok {

// The driver's options that the printer setup chose for a queue (tray, manual
// feed, ...), as name and value pairs; empty for a PDF file.
QStringList DriverOptions(const QPrinter& printer);
void SetDriverOptions(QPrinter& printer, const QStringList& options);

class CurrentPrinter {
public:
    CurrentPrinter();
    ~CurrentPrinter();
    CurrentPrinter(const CurrentPrinter&) = delete;
    CurrentPrinter& operator=(const CurrentPrinter&) = delete;

    // The printer every print goes to, or nullptr when there is none. Until a
    // printer is found, every call asks the print system again: for the
    // remembered printer, else for its default.
    QPrinter* printer();
    // Whether the system has been asked for its printer yet.
    bool lookedUp() const { return lookedUp_; }

    // The printer to look for first, with its paper, orientation and driver
    // options, as the profile keeps it (no name: the system's default). Given
    // before the first look-up.
    void Remember(const PrinterChoice& choice) { remembered_ = choice; }
    // The remembered printer's name when the look-up did not find its queue
    // and took the default instead; empty otherwise.
    const QString& missingPrinter() const { return missing_; }
    // The current printer to remember: its queue, paper, orientation and
    // driver options (an empty name while none was chosen by name).
    PrinterChoice Choice() const;

    // Around the options dialog: a printer chosen in its printer setup is
    // taken back when the dialog ends with "Annulla" (keep false). True when
    // the printer changed and was kept.
    void StartOptions();
    bool EndOptions(bool keep);

    // Qt's print dialog used as the printer setup (no page range, selection or
    // print-to-file choices). On OK the chosen printer and its settings become
    // the current printer; on cancel nothing changes. True on OK.
    bool RunPrinterSetup(QWidget* parent);

    // Replaces the current printer (nullptr: no printer, and none is looked
    // for); for tests and start-up.
    void SetPrinter(std::unique_ptr<QPrinter> printer);

private:
    void LookUp();

    std::unique_ptr<QPrinter> printer_;
    bool lookedUp_ = false;
    bool fixed_ = false;   // set by SetPrinter: never looked up
    bool chosen_ = false;  // the printer came from the printer setup or the profile
    PrinterChoice remembered_;
    QString missing_;
    // The printer as it was when the options dialog opened, once its setup changed it.
    bool inOptions_ = false;
    bool changedInOptions_ = false;
    std::unique_ptr<QPrinter> beforeOptions_;
    bool chosenBeforeOptions_ = false;
};

}  // namespace varnok
