#include "PreviewFont.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>

#include <algorithm>
#include <cmath>

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

// The character cells of a substitute's sizes. Each size asked of the desktop
// loads the substitute once more, which the window's first paint waits for; a
// scalable face's ascent and descent grow in proportion to its size, so a cell
// is worked out from the sizes already loaded wherever the proportion has held
// and the rounding is not a near thing, and loaded only otherwise.
class SubstituteCells {
public:
    SubstituteCells(const FontSpec& designed, const QFont& designedFont)
        : spec_(designed), size_(-designed.height), metrics_(designedFont) {}

    int DesignedCell() const { return qRound(metrics_.ascent()) + qRound(metrics_.descent()); }

    int CellAt(int size) {
        if (proportional_) {
            const qreal ascent = metrics_.ascent() * size / size_;
            const qreal descent = metrics_.descent() * size / size_;
            if (!NearRounding(ascent) && !NearRounding(descent)) {
                return qRound(ascent) + qRound(descent);
            }
        }
        FontSpec fitted = spec_;
        fitted.height = -size;
        const QFontMetricsF loaded(SurfaceFont(fitted, kScreenDpi));
        proportional_ = Near(loaded.ascent(), metrics_.ascent() * size / size_) &&
                        Near(loaded.descent(), metrics_.descent() * size / size_);
        return qRound(loaded.ascent()) + qRound(loaded.descent());
    }

private:
    static bool Near(qreal a, qreal b) { return std::abs(a - b) < 0.05; }
    static bool NearRounding(qreal v) { return Near(v - std::floor(v), 0.5); }

    FontSpec spec_;
    int size_;
    QFontMetricsF metrics_;
    bool proportional_ = false;  // until a second size has shown it
};

}  // namespace

FontSpec FitPreviewFont(const FontSpec& designed, int room) {
    const QFont font = SurfaceFont(designed, kScreenDpi);
    const QString face = QString::fromStdString(designed.face);
    if (designed.height >= 0 || QFontInfo(font).family().compare(face, Qt::CaseInsensitive) == 0) {
        return designed;
    }
    SubstituteCells cells(designed, font);
    const int designedSize = -designed.height;
    const int designedCell = cells.DesignedCell();
    if (designedCell <= room || designedSize < 2) {
        return designed;  // it fits, or there is no smaller size
    }
    // From the size in proportion to the room, step to the largest that fits;
    // that size is loaded first, so that the steps beside it can be worked out.
    const auto fits = [&](int size) { return cells.CellAt(size) <= room; };
    int size = std::clamp(designedSize * std::max(room, 0) / designedCell, 1, designedSize - 1);
    if (fits(size)) {
        while (size + 1 < designedSize && fits(size + 1)) {
            ++size;
        }
    } else {
        do {
            --size;
        } while (size > 0 && !fits(size));
        if (size == 0) {
            return designed;
        }
    }
    FontSpec fitted = designed;
    fitted.height = -size;
    return fitted;
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
