#pragma once
// The application's current printer: it starts as the system's default printer
// and changes only through the printer setup; every print goes to it without a
// further question. The system is asked for its default only when a printer is
// first needed, so that start-up does not wait for the print system.

#include <memory>

class QPrinter;
class QWidget;

namespace varnok {

class CurrentPrinter {
public:
    CurrentPrinter();
    ~CurrentPrinter();
    CurrentPrinter(const CurrentPrinter&) = delete;
    CurrentPrinter& operator=(const CurrentPrinter&) = delete;

    // The printer every print goes to, or nullptr when there is none. The first
    // call takes the system's default printer.
    QPrinter* printer();
    // Whether the system has been asked for its printer yet.
    bool lookedUp() const { return lookedUp_; }

    // Qt's print dialog used as the printer setup (no page range, selection or
    // print-to-file choices). On OK the chosen printer and its settings become
    // the current printer; on cancel nothing changes. True on OK.
    bool RunPrinterSetup(QWidget* parent);

    // Replaces the current printer (nullptr: no printer); for tests and start-up.
    void SetPrinter(std::unique_ptr<QPrinter> printer);

private:
    void LookUpDefault();

    std::unique_ptr<QPrinter> printer_;
    bool lookedUp_ = false;
};

}  // namespace varnok
