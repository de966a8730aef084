#include "CBodyPreview.h"

#include <QStringList>

#include "app/CardState.h"
#include "platform/TextCodec.h"
#include "render/PreviewText.h"

namespace varnok {

void CBodyPreview::Draw(CardState& state, const Rect& client, Surface& surface) {
    CardSheet sheet = state.CardSheetFor(state.selectedPublisher);
    sheet.rowMarks = state.selectedMarks.marks;
    DrawBodyPreview(sheet, client, surface);
}

QString CBodyPreview::ContentText(const CardState& state) const {
    QStringList lines;
    for (const std::string& line : BodyPreviewLines(state.CardSheetFor(state.selectedPublisher))) {
        lines << FromCodePage(line);
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace varnok
