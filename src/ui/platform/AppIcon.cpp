#include "AppIcon.h"

// Resources of a static library must be registered by name before first use.
static void InitIconResource() {
    Q_INIT_RESOURCE(icons);
}

namespace varnok {

QIcon AppIcon() {
    InitIconResource();
    return QIcon(QStringLiteral(":/varnok/icon.png"));
}

}  // namespace varnok
