#pragma once
// Lets a dialog's word-wrapped static texts show every line. The templates give
// most texts the height of one line; with the fonts that stand in for the
// template's font the longer texts need a second line, which the free space
// below them takes.

class QWidget;

namespace varnok {

void ShowWholeLabels(QWidget& dialog);

}  // namespace varnok
