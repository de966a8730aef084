#pragma once
// The program's icon (resource 128): a small card with ruled rows and a tick.

#include <QIcon>

namespace varnok {

QIcon AppIcon();

}  // namespace varnok
