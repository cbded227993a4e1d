#include "trayicon/date_icon.h"

#include <map>
#include <mutex>
#include <stdexcept>
#include <utility>

#include "resources/artwork_paint.h"

namespace kiv {
namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFFu;
constexpr std::uint32_t kWhite24 = Opaque(0xFFFFFF);
constexpr std::uint32_t kBlack24 = Opaque(0x000000);
constexpr std::uint32_t kMagenta24 = Opaque(0xFF00FF);

// 0x00BBGGRR as an opaque 0xAARRGGBB pixel.
std::uint32_t PixelOf(TColor color) {
    const std::uint32_t r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
    return Opaque(r << 16 | g << 8 | b);
}

// A colour that draws as black counts as black, so that the digits are
// never drawn in the colour that is left out.
bool DrawsBlack(TColor color) { return (color & kRgbMask) == 0; }

DigitStrip StripKind(bool small, bool bold) {
    return small ? (bold ? DigitStrip::SmallBold : DigitStrip::Small) : DigitStrip::Large;
}

// Drawn once per size; the map keeps its entries where they are.
const Pixmap& Strip(bool small, bool bold, int iconSize) {
    static std::mutex lock;
    static std::map<std::pair<int, int>, Pixmap> strips;
    const DigitStrip kind = StripKind(small, bold);
    const std::lock_guard<std::mutex> hold(lock);
    auto [it, added] = strips.try_emplace({static_cast<int>(kind), iconSize});
    if (added) it->second = DigitStripImage(kind, iconSize);
    return it->second;
}

const Pixmap& Page(bool small, int size) {
    static std::mutex lock;
    static std::map<std::pair<bool, int>, Pixmap> pages;
    const std::lock_guard<std::mutex> hold(lock);
    auto [it, added] = pages.try_emplace({small, size});
    if (added) it->second = small ? EmptyCalendarPageSmall(size) : EmptyCalendarPage(size);
    return it->second;
}

void Fill(Pixmap& p, std::uint32_t pixel) {
    for (std::uint32_t& c : p.pixels) c = pixel;
}

}  // namespace

void CopyRect(Pixmap& dst, int dx, int dy, const Pixmap& src, int sx, int sy, int width, int height,
              CopyMode mode) {
    for (int y = 0; y < height; ++y) {
        const int ty = dy + y, fy = sy + y;
        if (ty < 0 || ty >= dst.height || fy < 0 || fy >= src.height) continue;
        for (int x = 0; x < width; ++x) {
            const int tx = dx + x, fx = sx + x;
            if (tx < 0 || tx >= dst.width || fx < 0 || fx >= src.width) continue;
            const std::uint32_t s = src.at(fx, fy) & kRgbMask;
            std::uint32_t& d = dst.at(tx, ty);
            switch (mode) {
                case CopyMode::SrcCopy: d = s; break;
                case CopyMode::SrcInvert: d = (d ^ s) & kRgbMask; break;
                case CopyMode::SrcAnd: d = d & s & kRgbMask; break;
            }
            d = Opaque(d);
        }
    }
}

void DrawDigitCell(int digit, bool small, Pixmap& cell, bool bold, const DateIconStyle& style, int iconSize) {
    if (digit < 0 || digit > 9) throw std::out_of_range("a digit is 0 to 9");
    const Pixmap& strip = Strip(small, bold, iconSize);
    const int w = strip.width / 10, h = strip.height;
    if (cell.width != w || cell.height != h) cell = MakePixmap(w, h);
    CopyMode mode = CopyMode::SrcCopy;
    if (style.transparent) {
        if (DrawsBlack(style.color)) {
            Fill(cell, kWhite24);
            mode = CopyMode::SrcInvert;
        } else {
            Fill(cell, PixelOf(style.color));
            mode = CopyMode::SrcAnd;
        }
    }
    CopyRect(cell, 0, 0, strip, w * digit, 0, w, h, mode);
}

DateIconImage ComposeDateIcon(int day, const DateIconStyle& style, int size) {
    if (day < 1 || day > 31) throw std::out_of_range("a day of the month is 1 to 31");
    if (size < 16) throw std::out_of_range("an icon is 16 pixels or more");
    DateIconImage icon;
    icon.picture = MakePixmap(size, size);
    Pixmap& picture = icon.picture;
    Fill(picture, kBlack24);
    if (style.transparent) {
        icon.transparentColor = DrawsBlack(style.color) ? kWhite24 : kBlack24;
        Fill(picture, icon.transparentColor);
    } else {
        icon.transparentColor = kMagenta24;
    }

    // On a page the white strokes of the strip are XOR-ed into the white
    // page, which leaves them black; bare digits are copied as they are.
    // The places are those of the 16-pixel icon, scaled.
    CopyMode mode = CopyMode::SrcCopy;
    const bool small = style.smallNumbers;
    const bool bold = small && style.boldNumbers;
    int y = small ? (bold ? 6 : 5) : 5;
    if (style.transparent) {
        y = small ? y - 1 : 3;
    } else {
        CopyRect(picture, 0, 0, Page(small, size), 0, 0, size, size, CopyMode::SrcCopy);
        mode = CopyMode::SrcInvert;
    }
    y = ScaleIconLength(y, size);
    Pixmap cell;
    DrawDigitCell(day / 10, small, cell, bold, style, size);
    const int tensX = ScaleIconLength(small ? 2 : 1, size);
    CopyRect(picture, tensX, y, cell, 0, 0, cell.width, cell.height, mode);
    const int cellAt16 = small ? 6 : 7;
    DrawDigitCell(day % 10, small, cell, bold, style, size);
    const int unitsX = ScaleIconLength(small ? cellAt16 + 2 : 9, size);
    CopyRect(picture, unitsX, y, cell, 0, 0, cell.width, cell.height, mode);
    return icon;
}

Pixmap DateIconImage::IconPixels() const {
    Pixmap out = picture;
    for (std::uint32_t& c : out.pixels)
        if (c == transparentColor) c = 0;
    return out;
}

std::wstring DateToolTip(std::wstring_view title, std::wstring_view shortDate, std::wstring_view longDate,
                         bool longFormat) {
    std::wstring text(title);
    text += L" \r";
    text += longFormat ? longDate : shortDate;
    return text;
}

}  // namespace kiv
