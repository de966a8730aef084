#pragma once
// The export from the command line: the cards of the list the window shows at
// start (or of one group) written to a PDF file without any window, so that
// secretaries can script it.

#include <QString>
#include <array>
#include <string>

namespace varnok {

struct PdfExportRequest {
    QString output;                 // the PDF file to write
    QString given;                  // its name as the command line gave it
    std::string outputBytes;        // the file in the system's bytes; "" = `output`
    int group = 0;                  // 0: every publisher the list shows at start
    bool wholeCard = false;         // the whole card on plain paper
    std::array<bool, 12> months{};  // rows September .. August
};

// Reads a list like "set,ott" (the card's own month names, any case) into
// rows. On a name the card does not use, returns false with it in `unknown`.
bool ParseMonthNames(const QString& text, std::array<bool, 12>& rows, QString& unknown);

// Opens the current folder as the card window does, with the profile at
// `profilePath`, and writes one page per listed publisher. A password the data
// carries is read from the first line of standard input. Returns the exit
// status: 0 when the file was written; otherwise 1, having said why on stderr.
int RunPdfExport(const PdfExportRequest& request, const std::string& profilePath);

// RunPdfExport in the current folder with the profile the window would use,
// inside an application of its own that needs no screen (fonts and the PDF
// writer want one). `argc` and `argv` are main()'s.
int ExportPdfWithoutDisplay(int argc, char** argv, const PdfExportRequest& request);

}  // namespace varnok
