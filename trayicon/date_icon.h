// The tray's date icon: today's day of the month as two digits from the
// digit strips, printed on a small calendar page or drawn bare on a
// transparent ground. The pixels are composed here with the raster
// operations of a 24-bit canvas; the window system only wraps them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "widgets/color.h"
#include "resources/artwork.h"

namespace kiv {

// How a copy combines each source pixel with the one under it (24 bits,
// the alpha byte of the result is always opaque).
enum class CopyMode { SrcCopy, SrcInvert, SrcAnd };

// Copies the width x height block of src at (sx, sy) onto dst at (dx, dy);
// the parts outside either image are left out.
void CopyRect(Pixmap& dst, int dx, int dy, const Pixmap& src, int sx, int sy, int width, int height,
              CopyMode mode);

// The settings the icon follows. The colour is an explicit 0x00BBGGRR one:
// a system colour is resolved before it gets here.
struct DateIconStyle {
    bool transparent = false;  // bare digits in `color` instead of the page
    bool smallNumbers = true;
    bool boldNumbers = false;  // small numbers only
    TColor color = kBlack;
};

// Fills `cell` with the picture of one digit, ready to be copied onto the
// icon: the strip's own white-on-black digit, or for a transparent icon the
// digit in the style's colour on the ground the icon is filled with.
void DrawDigitCell(int digit, bool small, Pixmap& cell, bool bold, const DateIconStyle& style, int iconSize = 16);

struct DateIconImage {
    Pixmap picture;                    // square, every pixel opaque, as drawn
    std::uint32_t transparentColor;    // 0xAARRGGBB; the icon leaves these pixels out
    bool TransparentAt(int x, int y) const { return picture.at(x, y) == transparentColor; }
    // The icon as it is shown: the picture, with the transparent pixels
    // cleared to nothing so that no drawing mode lets them through.
    Pixmap IconPixels() const;
};

// The icon for a day of the month (1 to 31; the tens digit is drawn as 0
// for the first nine days), `size` pixels square: 16 at 96 DPI, the
// system's small-icon size above it. The layout of the 16-pixel icon is
// scaled; the digits and the page are drawn at the size itself.
DateIconImage ComposeDateIcon(int day, const DateIconStyle& style, int size = 16);

// The tooltip: the title, a blank and a carriage return, then the date.
std::wstring DateToolTip(std::wstring_view title, std::wstring_view shortDate, std::wstring_view longDate,
                         bool longFormat);

}  // namespace kiv
