#pragma once
// The companion program's text scrambling of the publisher and details files.

#include <cstdint>

namespace varnok {

// The companion's fixed scramble base: the byte at position i of a scrambled
// field is stored raised by i + ScrambleBase (modulo 256).
constexpr uint8_t ScrambleBase = 0x25;

}  // namespace varnok
