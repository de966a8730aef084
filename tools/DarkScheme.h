#pragma once
// A dark desktop scheme as desktops set one (Fusion with dark window, base and
// button colours), for the pictures of the card window and the tests that
// check the window under it.

#include <QPalette>

namespace varnok {

QPalette DarkPalette();
// Fusion's style in DarkPalette() for the whole application.
void UseDarkScheme();

}  // namespace varnok
