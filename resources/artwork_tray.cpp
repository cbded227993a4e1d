// The tray's date icon pictures: three strips of digits and two empty
// calendar pages, drawn pixel for pixel at their one size.
#include <array>
#include <string_view>

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

}  // namespace

Pixmap DigitStripImage(DigitStrip strip) {
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

Pixmap EmptyCalendarPage() {
    Pixmap p = MakePixmap(16, 16);
    for (std::uint32_t& c : p.pixels) c = kPageWhite;
    Row(p, 0, Rgb(153, 115, 107), Rgb(183, 163, 159), 15);
    Row(p, 1, kDarkRed, kDarkRed, 15);
    Row(p, 2, Rgb(153, 115, 107), Rgb(153, 115, 107), 15);
    return p;
}

Pixmap EmptyCalendarPageSmall() {
    Pixmap p = MakePixmap(16, 16);
    for (std::uint32_t& c : p.pixels) c = kMagenta;
    Row(p, 0, kDarkRed, Rgb(175, 133, 131), 14);
    Row(p, 1, Rgb(147, 38, 38), Rgb(156, 92, 90), 14);
    Row(p, 2, Rgb(211, 184, 184), Rgb(193, 166, 166), 14);
    const std::uint32_t grey = Rgb(208, 208, 208);
    for (int y = 3; y <= 14; ++y) Row(p, y, kPageWhite, grey, 14);
    for (int x = 1; x <= 13; ++x) p.at(x, 15) = grey;
    return p;
}

}  // namespace kiv
