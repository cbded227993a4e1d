// PNG files of pixmaps: 8-bit RGBA, not interlaced, no filtering.
#pragma once

#include <cstdint>
#include <vector>

#include "resources/artwork.h"

namespace kiv {

// Throws std::invalid_argument for an empty pixmap or one whose pixel count
// does not match its size.
std::vector<std::uint8_t> EncodePng(const Pixmap& image);

}  // namespace kiv
