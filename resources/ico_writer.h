// Windows icon files holding several sizes of one picture.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "resources/artwork.h"

namespace kiv {

// Images under 256 pixels become 32-bit BGRA bitmaps with their AND mask
// (what older shells read); a 256-pixel image is stored as PNG, which keeps
// the file small. Throws std::invalid_argument for no images, an image
// larger than 256 pixels or an image whose pixels do not match its size.
std::vector<std::uint8_t> EncodeIco(std::span<const Pixmap> images);

}  // namespace kiv
