#include "AppIcon.h"

#include <QImageReader>
#include <QPixmap>

// Resources of a static library must be registered by name before first use.
static void InitIconResource() {
    Q_INIT_RESOURCE(icons);
}

namespace varnok {

// Decoded once, by the PNG reader named outright: a reader left to guess the
// format would load every image plug-in (SVG, JPEG, GIF, ...) to ask each.
QIcon AppIcon() {
    static const QIcon* icon = [] {
        InitIconResource();
        QImageReader reader(QStringLiteral(":/varnok/icon.png"), "png");
        reader.setAutoDetectImageFormat(false);
        // Kept for the life of the process, never destroyed after the application.
        return new QIcon(QPixmap::fromImage(reader.read()));
    }();
    return *icon;
}

}  // namespace varnok
