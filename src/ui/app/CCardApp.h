#pragma once
// The application object: finds the settings profile beside the executable,
// applies the edition, runs the card window modally; the program ends when it
// closes. It owns the application's current printer.

#include "render/CurrentPrinter.h"

namespace varnok {

class CCardApp {
public:
    // Runs the whole program: the card window, until it closes.
    void InitInstance();

private:
    CurrentPrinter printer_;
};

}  // namespace varnok
