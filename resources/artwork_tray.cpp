// The tray's date icon pictures: three strips of digits and two empty
// calendar pages, drawn pixel for pixel for a 16-pixel icon and from
// strokes and bands for the larger ones.
#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "resources/artwork.h"
#include "resources/artwork_paint.h"

namespace kiv {
namespace {

using Rows = std::array<std::string_view, 9>;

// 6 x 9, one-pixel strokes.
constexpr std::array<Rows, 10> kLargeDigits = {{
    {".####.", "#....#", "#....#", "#....#", "#....#", "#....#", "#....#", "#....#", ".####."},
    {"...#..", "..##..", ".#.#..", "...#..", "...#..", "...#..", "...#..", "...#..", ".#####"},
    {".####.", "#....#", ".....#", ".....#", "....#.", "...#..", "..#...", ".#....", "######"},
    {".####.", "#....#", ".....#", ".....#", "..###.", ".....#", ".....#", "#....#", ".####."},
    {"....#.", "...##.", "..#.#.", ".#..#.", "#...#.", "######", "....#.", "....#.", "....#."},
    {"######", "#.....", "#.....", "#####.", ".....#", ".....#", ".....#", "#....#", ".####."},
    {"..###.", ".#....", "#.....", "#.....", "#####.", "#....#", "#....#", "#....#", ".####."},
    {"######", ".....#", "....#.", "....#.", "...#..", "...#..", "..#...", "..#...", "..#..."},
    {".####.", "#....#", "#....#", "#....#", ".####.", "#....#", "#....#", "#....#", ".####."},
    {".####.", "#....#", "#....#", "#....#", ".#####", ".....#", ".....#", "....#.", ".###.."},
}};

// 5 x 8, one-pixel strokes.
constexpr std::array<Rows, 10> kSmallDigits = {{
    {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},
    {"..#..", ".##..", "#.#..", "..#..", "..#..", "..#..", "..#..", "#####"},
    {".###.", "#...#", "....#", "....#", "...#.", "..#..", ".#...", "#####"},
    {".###.", "#...#", "....#", "..##.", "....#", "....#", "#...#", ".###."},
    {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#.", "...#."},
    {"#####", "#....", "#....", "####.", "....#", "....#", "#...#", ".###."},
    {".###.", "#....", "#....", "####.", "#...#", "#...#", "#...#", ".###."},
    {"#####", "....#", "...#.", "...#.", "..#..", "..#..", "..#..", "..#.."},
    {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", "#...#", ".###."},
    {".###.", "#...#", "#...#", "#...#", ".####", "....#", "....#", ".###."},
}};

// 5 x 7, two-pixel-wide strokes.
constexpr std::array<Rows, 10> kSmallBoldDigits = {{
    {".###.", "##.##", "##.##", "##.##", "##.##", "##.##", ".###."},
    {".##..", "###..", ".##..", ".##..", ".##..", ".##..", "####."},
    {".###.", "##.##", "...##", "..##.", ".##..", "##...", "#####"},
    {"####.", "...##", "...##", ".###.", "...##", "...##", "####."},
    {"##.##", "##.##", "##.##", "#####", "...##", "...##", "...##"},
    {"#####", "##...", "####.", "...##", "...##", "##.##", ".###."},
    {".###.", "##...", "####.", "##.##", "##.##", "##.##", ".###."},
    {"#####", "...##", "..##.", "..##.", ".##..", ".##..", ".##.."},
    {".###.", "##.##", "##.##", ".###.", "##.##", "##.##", ".###."},
    {".###.", "##.##", "##.##", "##.##", ".####", "...##", ".###."},
}};

struct StripLayout {
    const std::array<Rows, 10>* digits;
    int cellWidth, height;
};

constexpr std::uint32_t Rgb(int r, int g, int b) {
    return Opaque(static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b));
}

constexpr std::uint32_t kStripInk = Opaque(0xFFFFFF);
constexpr std::uint32_t kStripGround = Opaque(0x000000);
constexpr std::uint32_t kPageWhite = Opaque(0xFFFFFF);
constexpr std::uint32_t kDarkRed = Rgb(128, 0, 0);
constexpr std::uint32_t kMagenta = Rgb(255, 0, 255);

void Row(Pixmap& p, int y, std::uint32_t inner, std::uint32_t ends, int last) {
    for (int x = 0; x <= last; ++x) p.at(x, y) = inner;
    p.at(0, y) = ends;
    p.at(last, y) = ends;
}

// The digits as stroke centre lines on a grid 4 wide and 8 high, each a
// list of polylines: the shapes of the hand-drawn ones, corners cut.
struct Point {
    double u, v;
};
using Polyline = std::vector<Point>;
const std::vector<Polyline>& DigitStrokes(int digit) {
    static const std::vector<Polyline> kDigits[10] = {
        {{{1, 0}, {3, 0}, {4, 1}, {4, 7}, {3, 8}, {1, 8}, {0, 7}, {0, 1}, {1, 0}}},
        {{{0, 2}, {2, 0}, {2, 8}}, {{0, 8}, {4, 8}}},
        {{{0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 3}, {0, 7.5}, {0, 8}, {4, 8}}},
        {{{0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 3}, {3, 4}, {1.5, 4}},
         {{3, 4}, {4, 5}, {4, 7}, {3, 8}, {1, 8}, {0, 7}}},
        {{{3, 8}, {3, 0}, {0, 5}, {4, 5}}},
        {{{4, 0}, {0, 0}, {0, 3.5}, {3, 3.5}, {4, 4.5}, {4, 7}, {3, 8}, {1, 8}, {0, 7}}},
        {{{3.5, 0}, {1, 0}, {0, 1}, {0, 7}, {1, 8}, {3, 8}, {4, 7}, {4, 4.5}, {3, 3.5}, {0, 3.5}}},
        {{{0, 0}, {4, 0}, {4, 1}, {2, 5}, {2, 8}}},
        {{{1, 3.5}, {0, 2.5}, {0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 2.5}, {3, 3.5}, {1, 3.5}, {0, 4.5}, {0, 7},
          {1, 8}, {3, 8}, {4, 7}, {4, 4.5}, {3, 3.5}}},
        {{{0.5, 8}, {3, 8}, {4, 7}, {4, 1}, {3, 0}, {1, 0}, {0, 1}, {0, 3.5}, {1, 4.5}, {4, 4.5}}},
    };
    return kDigits[digit];
}

// Draws a digit's strokes into the glyph box at (x0, 0). Every stroke
// centre is put on the pixel grid (on pixel centres for an odd width, on
// pixel edges for an even one) so that straight strokes come out exactly
// `stroke` pixels across.
// A hair narrower than the stroke, so that the pixels whose centres lie
// exactly on a diagonal stroke's edge stay out and the stroke keeps its width.
constexpr double kHairline = 1e-6;

void DrawDigitStrokes(Pixmap& p, int digit, int x0, const DigitGlyphSize& glyph) {
    const double half = glyph.stroke / 2.0;
    const int width = glyph.width - glyph.smear;
    const auto at = [&](Point g) {
        return PointF{x0 + half + std::lround(g.u / 4 * (width - glyph.stroke)),
                      half + std::lround(g.v / 8 * (glyph.height - glyph.stroke))};
    };
    const double r = half - kHairline;
    for (const Polyline& line : DigitStrokes(digit))
        for (std::size_t i = 0; i + 1 < line.size(); ++i) {
            const PointF a = at(line[i]), b = at(line[i + 1]);
            const double vx = b.x - a.x, vy = b.y - a.y, len = std::hypot(vx, vy);
            // Joints are round; the ends of a line are square, reaching
            // half a stroke past its last point.
            const double before = i == 0 ? r : 0, after = i + 2 == line.size() ? r : 0;
            for (int y = 0; y < glyph.height; ++y)
                for (int x = x0; x < x0 + width; ++x) {
                    const double px = x + 0.5 - a.x, py = y + 0.5 - a.y;
                    const double along = len > 0 ? (px * vx + py * vy) / len : 0;
                    const double across = len > 0 ? std::abs(px * vy - py * vx) / len : std::hypot(px, py);
                    bool in = false;
                    if (along >= -before && along <= len + after)
                        in = across < r;
                    if (!in) in = std::hypot(px, py) < r || std::hypot(x + 0.5 - b.x, y + 0.5 - b.y) < r;
                    for (int d = 0; in && d <= glyph.smear; ++d) p.at(x + d, y) = kStripInk;
                }
        }
}

// The rows where the header's three bands of a 16-pixel page end, scaled.
std::array<int, 3> HeaderBands(int size) {
    return {ScaleIconLength(1, size), ScaleIconLength(2, size), ScaleIconLength(3, size)};
}

int BandOf(int y, const std::array<int, 3>& bands) {
    int band = 0;
    while (band < 3 && y >= bands[static_cast<std::size_t>(band)]) ++band;
    return band;
}

void RequireIconSize(int size) {
    if (size < 16) throw std::out_of_range("an icon is 16 pixels or more");
}

}  // namespace

DigitGlyphSize DigitGlyphSizeFor(DigitStrip strip, int iconSize) {
    RequireIconSize(iconSize);
    static constexpr DigitGlyphSize kAt16[] = {{6, 9, 1, 0}, {5, 8, 1, 0}, {5, 7, 1, 1}};
    const DigitGlyphSize base = kAt16[static_cast<int>(strip)];
    // Bold digits are the plain ones struck twice, side by side: their
    // upright strokes twice as wide as the level ones, as at 16 pixels.
    const bool bold = strip == DigitStrip::SmallBold;
    const int stroke = bold ? iconSize / 16 : ScaleIconLength(base.stroke, iconSize);
    return {ScaleIconLength(base.width, iconSize), ScaleIconLength(base.height, iconSize), stroke,
            bold ? stroke : 0};
}

Pixmap DigitStripImage(DigitStrip strip, int iconSize) {
    RequireIconSize(iconSize);
    if (iconSize != 16) {
        const DigitGlyphSize glyph = DigitGlyphSizeFor(strip, iconSize);
        const int cell = glyph.width + 1;
        Pixmap p = MakePixmap(cell * 10, glyph.height);
        for (std::uint32_t& c : p.pixels) c = kStripGround;
        for (int digit = 0; digit < 10; ++digit) DrawDigitStrokes(p, digit, digit * cell, glyph);
        return p;
    }
    static constexpr StripLayout kLayouts[] = {
        {&kLargeDigits, 7, 9}, {&kSmallDigits, 6, 8}, {&kSmallBoldDigits, 6, 7}};
    const StripLayout& layout = kLayouts[static_cast<int>(strip)];
    Pixmap p = MakePixmap(layout.cellWidth * 10, layout.height);
    for (std::uint32_t& c : p.pixels) c = kStripGround;
    for (int digit = 0; digit < 10; ++digit)
        for (int y = 0; y < layout.height; ++y) {
            const std::string_view row = (*layout.digits)[static_cast<std::size_t>(digit)][static_cast<std::size_t>(y)];
            for (std::size_t x = 0; x < row.size(); ++x)
                if (row[x] == '#') p.at(digit * layout.cellWidth + static_cast<int>(x), y) = kStripInk;
        }
    return p;
}

Pixmap EmptyCalendarPage(int size) {
    RequireIconSize(size);
    Pixmap p = MakePixmap(size, size);
    for (std::uint32_t& c : p.pixels) c = kPageWhite;
    const std::array<int, 3> bands = HeaderBands(size);
    const std::uint32_t edge = Rgb(153, 115, 107);
    for (int y = 0; y < bands[2]; ++y) {
        const int band = BandOf(y, bands);
        if (band == 0)
            Row(p, y, edge, Rgb(183, 163, 159), size - 1);
        else
            Row(p, y, band == 1 ? kDarkRed : edge, band == 1 ? kDarkRed : edge, size - 1);
    }
    return p;
}

Pixmap EmptyCalendarPageSmall(int size) {
    RequireIconSize(size);
    Pixmap p = MakePixmap(size, size);
    for (std::uint32_t& c : p.pixels) c = kMagenta;
    // The page leaves a strip of the ground on its right, a pixel per 16.
    const int last = size - 1 - ScaleIconLength(1, size);
    const std::array<int, 3> bands = HeaderBands(size);
    static const std::uint32_t kHeader[3][2] = {{kDarkRed, Rgb(175, 133, 131)},
                                                {Rgb(147, 38, 38), Rgb(156, 92, 90)},
                                                {Rgb(211, 184, 184), Rgb(193, 166, 166)}};
    const std::uint32_t grey = Rgb(208, 208, 208);
    for (int y = 0; y < size - 1; ++y) {
        const int band = BandOf(y, bands);
        if (band < 3)
            Row(p, y, kHeader[band][0], kHeader[band][1], last);
        else
            Row(p, y, kPageWhite, grey, last);
    }
    for (int x = 1; x < last; ++x) p.at(x, size - 1) = grey;
    return p;
}

}  // namespace kiv
