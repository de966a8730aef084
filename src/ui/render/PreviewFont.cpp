#include "PreviewFont.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>

#include "platform/DialogBuilder.h"
#include "platform/DialogTemplate.h"
#include "platform/ResourceIds.h"
#include "render/CardSheet.h"
#include "render/QtSurface.h"

namespace varnok {
namespace {

constexpr int kScreenDpi = 96;  // only a cell height, which needs no resolution

int BodyPreviewHeight(const DialogTemplate& cardWindow) {
    const DialogUnits units(DialogFont(cardWindow));
    for (const ControlTemplate& c : cardWindow.controls) {
        if (c.id == idc::card::kBodyPreview) {
            return units.Map(c.x, c.y, c.width, c.height).height();
        }
    }
    return 0;
}

}  // namespace

FontSpec FitPreviewFont(const FontSpec& designed, int room) {
    const QFont font = SurfaceFont(designed, kScreenDpi);
    const QString face = QString::fromStdString(designed.face);
    if (designed.height >= 0 || QFontInfo(font).family().compare(face, Qt::CaseInsensitive) == 0) {
        return designed;
    }
    FontSpec fitted = designed;
    for (int size = -designed.height; size > 0; --size) {
        fitted.height = -size;
        const QFontMetrics metrics(SurfaceFont(fitted, kScreenDpi));
        if (metrics.ascent() + metrics.descent() <= room) {
            return fitted;
        }
    }
    return designed;
}

FontSpec CardWindowPreviewFont() {
    FontSpec designed{"MS Sans Serif", -13, 400, 0};
    const DialogTemplate* cardWindow = FindDialogTemplate(idd::kCardWindow);
    if (cardWindow == nullptr) {
        return designed;
    }
    designed.face = cardWindow->fontFace;
    designed.height = -DialogFont(*cardWindow).pixelSize();
    return FitPreviewFont(designed,
                          BodyPreviewTextRoom(Rect{0, 0, 0, BodyPreviewHeight(*cardWindow)}));
}

}  // namespace varnok
