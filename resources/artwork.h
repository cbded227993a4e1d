// The program's pictures, drawn from code at whatever size the screen needs.
#pragma once

#include <cstdint>
#include <vector>

namespace kiv {

// 0xAARRGGBB, row-major, top row first. Alpha is straight; a fully
// transparent pixel is always 0 so it reads the same premultiplied.
struct Pixmap {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint32_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Transparent pixmap of the given size (negative sizes give an empty one).
Pixmap MakePixmap(int width, int height);

// The same picture with every colour multiplied by its alpha, as the
// system's alpha blending (menu pictures, AlphaBlend) reads it.
Pixmap Premultiplied(Pixmap pixmap);

// A tear-off calendar page, square, any size from 16 up.
Pixmap AppIcon(int size);

// The toolbar's images side by side, each size x size.
enum class ToolbarImage { Today, GoToYear, Options, Exit };
constexpr int kToolbarImageCount = 4;
Pixmap ToolbarStrip(int size);

// The menus' images side by side, each size x size.
enum class MenuImage { Today, GoToYear, Help, Print, Options, Show, Exit };
constexpr int kMenuImageCount = 7;
Pixmap MenuStrip(int size);
// One of them alone.
Pixmap MenuImagePixmap(MenuImage image, int size);

// The tray icon's digits 0-9 side by side in ten equal cells, white strokes
// on black, the last column of every cell black. For a 16-pixel icon they
// are drawn pixel for pixel: Large 70x9 (glyphs 6x9), Small 60x8 (5x8),
// SmallBold 60x7 (5x7, two-pixel-wide strokes). For a larger icon the same
// digits are drawn from strokes in glyphs scaled by iconSize / 16, with
// strokes of one width throughout.
enum class DigitStrip { Large, Small, SmallBold };
Pixmap DigitStripImage(DigitStrip strip, int iconSize = 16);

// A glyph's size and stroke width in a strip for an icon of the given size;
// a bold glyph's upright strokes are `smear` pixels wider.
struct DigitGlyphSize {
    int width, height, stroke, smear;
};
DigitGlyphSize DigitGlyphSizeFor(DigitStrip strip, int iconSize);

// A length laid out for a 16-pixel icon, for an icon of `iconSize` pixels
// (rounded to the nearest pixel, halves up).
constexpr int ScaleIconLength(int at16, int iconSize) { return (at16 * iconSize + 8) / 16; }

// The square calendar pages the tray's day number is printed on, 16 pixels
// or more. Both are opaque; the small one stands on a magenta ground that
// the icon leaves out.
Pixmap EmptyCalendarPage(int size = 16);
Pixmap EmptyCalendarPageSmall(int size = 16);

}  // namespace kiv
