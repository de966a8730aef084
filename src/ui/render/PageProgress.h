#pragma once
// The progress of a run of pages: a window-modal QProgressDialog with a Cancel
// button, moved on after every page. Each page takes a few milliseconds, so
// the dialog and its button are served many times within every 100 ms.

#include <QProgressDialog>

namespace varnok {

class PageProgress {
public:
    PageProgress(QWidget* parent, const QString& label, int pages);

    // The run's pageDone: false once the user has pressed Cancel.
    bool operator()(int done);
    QProgressDialog& dialog() { return dialog_; }

private:
    QString label_;
    QProgressDialog dialog_;
};

}  // namespace varnok
