#pragma once
// The command line of the export to PDF: `varnok --pdf OUT.pdf [--group N]
// [--whole-card] [--months set,ott,...] [FOLDER]`. It needs no display.

namespace varnok {

// Returns -1 when the command line asks for no export, so the program opens
// its window as usual; otherwise runs the export (or reports the mistake on
// stderr) and returns the exit status: 0 written, 1 failed, 2 a mistake.
int TakePdfCommandLine(int argc, char** argv);

}  // namespace varnok
