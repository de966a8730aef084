#pragma once
// The program's icon (resource 128): a small card with ruled rows and a tick.

#include <QIcon>

namespace varnok {

// The icon, decoded at the first call and shared after it.
QIcon AppIcon();

}  // namespace varnok
