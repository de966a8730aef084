#pragma once
// The font of the card window's previews. Where the dialog font is only a
// substitute, its characters can be taller than the rows the previews were
// drawn for, so the substitute is made small enough to show whole letters.

#include "render/Surface.h"

namespace varnok {

// `designed` with the largest character height, up to its own, at which the
// substitute's character cell fits `room` pixels. The real face keeps its
// size, and so does a substitute when no size fits.
FontSpec FitPreviewFont(const FontSpec& designed, int room);

// The card window's font for its previews: its dialog font (idd::kCardWindow),
// fitted to the body preview's rows. The dialog units stay those of the
// dialog font.
FontSpec CardWindowPreviewFont();

}  // namespace varnok
