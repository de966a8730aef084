#pragma once
// The application object: finds the settings profile, applies the edition,
// opens the data folder the desktop asks for, and runs the card window; the
// program ends when it closes. It owns the application's current printer.

#include <string>

#include "render/CurrentPrinter.h"

namespace varnok {

class CCardApp {
public:
    // Runs the whole program: the card window, until it closes.
    // `askFolder`: the desktop's start, on the folder chosen last or one
    // picked now; cancelling the choice ends the program before any window.
    void InitInstance(bool askFolder = false);

    // The settings profile of this program: the user's copy, the one beside
    // the program, or the one installed, by the profile's location rules. The
    // window and the export to PDF both read this one.
    static std::string ProfilePath();

private:
    CurrentPrinter printer_;
};

}  // namespace varnok
