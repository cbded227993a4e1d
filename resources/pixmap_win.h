// Pixmaps turned into the GDI and common-control objects that show them.
#pragma once

#include "resources/artwork.h"
#include "widgets/handles_win.h"

namespace kiv {

// A 32-bit top-down DIB section holding the pixmap's pixels (straight alpha).
// Throws std::system_error when the system cannot create it.
UniqueBitmap CreateDibFromPixmap(const Pixmap& pixmap);
// The same with premultiplied alpha, as menus and AlphaBlend take it.
UniqueBitmap CreatePremultipliedDib(const Pixmap& pixmap);

// An image list of the square images laid side by side in the strip
// (strip.width / imageSize of them), using their alpha channel.
UniqueImageList CreateImageList(const Pixmap& strip, int imageSize);

// An icon of the pixmap's size; its transparent pixels are transparent.
UniqueIcon CreateIconFromPixmap(const Pixmap& pixmap);

// The program's icon from its resources, drawn for size x size pixels.
UniqueIcon LoadProgramIcon(int size);

}  // namespace kiv
