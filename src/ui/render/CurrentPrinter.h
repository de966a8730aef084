#pragma once
// The application's current printer: it starts as the system's default printer
// and changes only through the printer setup; every print goes to it without a
// further question. The system is asked for its default only when a printer is
// first needed, so that start-up does not wait for the print system.

#include <QStringList>
#include <memory>

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
    // printer is found, every call asks the system for its default printer.
    QPrinter* printer();
    // Whether the system has been asked for its printer yet.
    bool lookedUp() const { return lookedUp_; }

    // Qt's print dialog used as the printer setup (no page range, selection or
    // print-to-file choices). On OK the chosen printer and its settings become
    // the current printer; on cancel nothing changes. True on OK.
    bool RunPrinterSetup(QWidget* parent);

    // Replaces the current printer (nullptr: no printer, and none is looked
    // for); for tests and start-up.
    void SetPrinter(std::unique_ptr<QPrinter> printer);

private:
    void LookUpDefault();

    std::unique_ptr<QPrinter> printer_;
    bool lookedUp_ = false;
    bool fixed_ = false;  // set by SetPrinter: never looked up
};

}  // namespace varnok
