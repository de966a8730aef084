#pragma once
// The application object: finds the settings profile, applies the edition,
// opens the data folder the desktop asks for, and runs the card window; the
// program ends when it closes. It owns the application's current printer.

#include "render/CurrentPrinter.h"

namespace varnok {

class CCardApp {
public:
    // Runs the whole program: the card window, until it closes.
    // `askFolder`: the desktop's start, on the folder chosen last or one
    // picked now; cancelling the choice ends the program before any window.
    void InitInstance(bool askFolder = false);

private:
    CurrentPrinter printer_;
};

}  // namespace varnok
