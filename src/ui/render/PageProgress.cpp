#include "PageProgress.h"

#include <QCoreApplication>

#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"

namespace varnok {

PageProgress::PageProgress(QWidget* parent, const QString& label, int pages)
    : label_(label),
      dialog_(label, FromCodePage(ResString(ids::kCancelProgress)), 0, pages, parent) {
    dialog_.setObjectName(QStringLiteral("pageProgress"));
    dialog_.setWindowTitle(parent != nullptr ? parent->windowTitle() : label);
    dialog_.setWindowModality(Qt::WindowModal);
    dialog_.setAutoClose(false);
    dialog_.setAutoReset(false);
    dialog_.setMinimumDuration(0);
    dialog_.setValue(0);
}

bool PageProgress::operator()(int done) {
    dialog_.setLabelText(
        label_ + QLatin1Char('\n') +
        FromCodePage(ResString(ids::kCardOfCards)).arg(done).arg(dialog_.maximum()));
    dialog_.setValue(done);
    // The dialog skips its own event handling until it has shown itself; a
    // click on Cancel counts from the first page on.
    QCoreApplication::processEvents();
    return !dialog_.wasCanceled();
}

}  // namespace varnok
