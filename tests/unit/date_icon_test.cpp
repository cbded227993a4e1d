#include "trayicon/date_icon.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/artwork_paint.h"

namespace kiv {
namespace {

constexpr TColor kRed = 0x0000FF;  // 0x00BBGGRR

struct Box {
    int x0, x1, y0, y1;
    bool contains(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

struct Variant {
    const char* name;
    bool small, bold, transparent;
    Box tens, units;
};

// Where the glyphs land, by numbers and page.
const Variant kVariants[] = {
    {"large on the page", false, false, false, {1, 6, 5, 13}, {9, 14, 5, 13}},
    {"large bare", false, false, true, {1, 6, 3, 11}, {9, 14, 3, 11}},
    {"large, bold ignored", false, true, false, {1, 6, 5, 13}, {9, 14, 5, 13}},
    {"small on the page", true, false, false, {2, 6, 5, 12}, {8, 12, 5, 12}},
    {"small bare", true, false, true, {2, 6, 4, 11}, {8, 12, 4, 11}},
    {"small bold on the page", true, true, false, {2, 6, 6, 12}, {8, 12, 6, 12}},
    {"small bold bare", true, true, true, {2, 6, 5, 11}, {8, 12, 5, 11}},
};

DateIconStyle StyleOf(const Variant& v, TColor color = kBlack) {
    DateIconStyle s;
    s.smallNumbers = v.small;
    s.boldNumbers = v.bold;
    s.transparent = v.transparent;
    s.color = color;
    return s;
}

// The icon's picture before the digits go on.
Pixmap Ground(const Variant& v, const DateIconImage& icon) {
    if (!v.transparent) return v.small ? EmptyCalendarPageSmall() : EmptyCalendarPage();
    Pixmap p = MakePixmap(16, 16);
    for (auto& c : p.pixels) c = icon.transparentColor;
    return p;
}

bool IsInk(const DateIconImage& icon, const Pixmap& ground, int x, int y) {
    return icon.picture.at(x, y) != ground.at(x, y);
}

// The digit whose strokes are exactly the ink in the box.
int ReadDigit(const DateIconImage& icon, const Pixmap& ground, const Box& box, const Pixmap& strip) {
    const int cell = strip.width / 10;
    for (int d = 0; d < 10; ++d) {
        bool same = true;
        for (int y = box.y0; y <= box.y1 && same; ++y)
            for (int x = box.x0; x <= box.x1 && same; ++x)
                same = IsInk(icon, ground, x, y) == (strip.at(d * cell + x - box.x0, y - box.y0) == Opaque(0xFFFFFF));
        if (same) return d;
    }
    return -1;
}

const Pixmap& StripFor(const Variant& v) {
    static const Pixmap strips[] = {DigitStripImage(DigitStrip::Large), DigitStripImage(DigitStrip::Small),
                                    DigitStripImage(DigitStrip::SmallBold)};
    return strips[v.small ? (v.bold ? 2 : 1) : 0];
}

TEST(DateIcon, EveryDayShowsItsTwoDigitsInTheirPlacesWithALeadingZero) {
    for (const Variant& v : kVariants)
        for (TColor color : {kBlack, kRed})
            for (int day = 1; day <= 31; ++day) {
                SCOPED_TRACE(std::string(v.name) + ", day " + std::to_string(day));
                const DateIconImage icon = ComposeDateIcon(day, StyleOf(v, color));
                const Pixmap ground = Ground(v, icon);
                EXPECT_EQ(ReadDigit(icon, ground, v.tens, StripFor(v)), day / 10);
                EXPECT_EQ(ReadDigit(icon, ground, v.units, StripFor(v)), day % 10);
                for (int y = 0; y < 16; ++y)
                    for (int x = 0; x < 16; ++x)
                        if (!v.tens.contains(x, y) && !v.units.contains(x, y)) {
                            ASSERT_FALSE(IsInk(icon, ground, x, y)) << "ink outside the glyphs at " << x << "," << y;
                        }
            }
}

TEST(DateIcon, OnAPageTheDigitsAreBlackWhateverTheColour) {
    for (const Variant& v : kVariants) {
        if (v.transparent) continue;
        SCOPED_TRACE(v.name);
        const DateIconImage black = ComposeDateIcon(28, StyleOf(v));
        const Pixmap page = Ground(v, black);
        for (TColor color : {kRed, kWhite, TColor{0x00FF00FF}, TColor{0x123456}})
            EXPECT_EQ(ComposeDateIcon(28, StyleOf(v, color)).picture.pixels, black.picture.pixels) << color;
        EXPECT_EQ(black.transparentColor, Opaque(0xFF00FF));
        int ink = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (IsInk(black, page, x, y)) {
                    ++ink;
                    EXPECT_EQ(black.picture.at(x, y), Opaque(0x000000)) << x << "," << y;
                    EXPECT_EQ(page.at(x, y), Opaque(0xFFFFFF)) << "a stroke off the white page";
                }
        EXPECT_GT(ink, 20);
    }
}

TEST(DateIcon, BareDigitsShowInTheirColourAndNothingElseShows) {
    struct Case {
        TColor color;
        std::uint32_t digits, leftOut;
    };
    const Case cases[] = {
        {kBlack, Opaque(0x000000), Opaque(0xFFFFFF)},
        {kRed, Opaque(0xFF0000), Opaque(0x000000)},
        {kWhite, Opaque(0xFFFFFF), Opaque(0x000000)},
        {0x00A0B0C0, Opaque(0xC0B0A0), Opaque(0x000000)},
    };
    for (const Variant& v : kVariants) {
        if (!v.transparent) continue;
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(v.name) + ", colour " + std::to_string(c.color));
            const DateIconImage icon = ComposeDateIcon(18, StyleOf(v, c.color));
            EXPECT_EQ(icon.transparentColor, c.leftOut);
            int digits = 0;
            for (std::uint32_t p : icon.picture.pixels) {
                EXPECT_TRUE(p == c.digits || p == c.leftOut);
                digits += p == c.digits;
            }
            EXPECT_GT(digits, 15);
        }
    }
}

TEST(DateIcon, TheIconLeavesOutExactlyThePixelsInTheTransparentColour) {
    for (const Variant& v : kVariants)
        for (TColor color : {kBlack, kRed}) {
            SCOPED_TRACE(v.name);
            const DateIconImage icon = ComposeDateIcon(31, StyleOf(v, color));
            const Pixmap shown = icon.IconPixels();
            int leftOut = 0;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    // Nothing of a left-out pixel may reach the screen, whatever way it is drawn.
                    if (icon.TransparentAt(x, y)) {
                        ++leftOut;
                        EXPECT_EQ(shown.at(x, y), 0u);
                    } else {
                        EXPECT_EQ(shown.at(x, y), icon.picture.at(x, y));
                    }
                }
            if (!v.transparent) {
                // The large page is opaque; the small one stands on its magenta border.
                EXPECT_EQ(leftOut, v.small ? 18 : 0);
                if (v.small) {
                    EXPECT_TRUE(icon.TransparentAt(15, 7));
                    EXPECT_TRUE(icon.TransparentAt(0, 15));
                    EXPECT_TRUE(icon.TransparentAt(14, 15));
                    EXPECT_FALSE(icon.TransparentAt(7, 15));
                }
            }
        }
}

// At the larger tray sizes every day's two digits are apart, on the white
// of the page or inside the bare icon's edge, and read back as the strip's.
TEST(DateIcon, AtEveryTraySizeTheDigitsStayApartOnThePage) {
    for (int size : {20, 24, 32})
        for (const Variant& v : kVariants)
            for (int day : {1, 10, 18, 28, 30, 31}) {
                SCOPED_TRACE(std::string(v.name) + ", size " + std::to_string(size) + ", day " + std::to_string(day));
                const DateIconImage icon = ComposeDateIcon(day, StyleOf(v, kRed), size);
                ASSERT_EQ(icon.picture.width, size);
                const Pixmap page = v.small ? EmptyCalendarPageSmall(size) : EmptyCalendarPage(size);
                const Pixmap strip = DigitStripImage(v.small ? (v.bold ? DigitStrip::SmallBold : DigitStrip::Small)
                                                             : DigitStrip::Large,
                                                     size);
                std::vector<int> inkColumns(static_cast<std::size_t>(size), 0);
                for (int y = 0; y < size; ++y)
                    for (int x = 0; x < size; ++x) {
                        const bool ink = v.transparent ? !icon.TransparentAt(x, y) : icon.picture.at(x, y) != page.at(x, y);
                        if (!ink) continue;
                        ++inkColumns[static_cast<std::size_t>(x)];
                        if (v.transparent) {
                            EXPECT_TRUE(x > 0 && y > 0 && x < size - 1 && y < size - 1) << x << "," << y;
                        } else {
                            EXPECT_EQ(page.at(x, y), Opaque(0xFFFFFF)) << "a stroke off the white at " << x << "," << y;
                        }
                    }
                // Two runs of inked columns, as wide as a glyph at most, with a gap.
                std::vector<int> runs;
                for (int x = 0, run = 0; x <= size; ++x) {
                    if (x < size && inkColumns[static_cast<std::size_t>(x)]) {
                        ++run;
                    } else if (run) {
                        runs.push_back(run);
                        run = 0;
                    }
                }
                ASSERT_GE(runs.size(), 2u);
                for (int run : runs) EXPECT_LE(run, strip.width / 10 - 1);
            }
}

TEST(DateIcon, NumbersOutsideTheirRangeAreRefused) {
    Pixmap cell;
    EXPECT_THROW(DrawDigitCell(10, true, cell, false, DateIconStyle{}), std::out_of_range);
    EXPECT_THROW(ComposeDateIcon(0, DateIconStyle{}), std::out_of_range);
    EXPECT_THROW(ComposeDateIcon(32, DateIconStyle{}), std::out_of_range);
    EXPECT_THROW(ComposeDateIcon(5, DateIconStyle{}, 12), std::out_of_range);
}

TEST(DateIcon, CopiesCombinePixelsByTheirModeAndStayInsideBothImages) {
    Pixmap dst = MakePixmap(3, 2), src = MakePixmap(2, 2);
    for (auto& c : dst.pixels) c = Opaque(0xF0F0F0);
    src.pixels = {Opaque(0x0F00FF), Opaque(0xFFFFFF), Opaque(0x123456), 0};
    CopyRect(dst, 0, 0, src, 0, 0, 2, 1, CopyMode::SrcInvert);
    EXPECT_EQ(dst.at(0, 0), Opaque(0xFFF00F));
    EXPECT_EQ(dst.at(1, 0), Opaque(0x0F0F0F));
    CopyRect(dst, 0, 1, src, 0, 1, 2, 1, CopyMode::SrcAnd);
    EXPECT_EQ(dst.at(0, 1), Opaque(0x103050));
    EXPECT_EQ(dst.at(1, 1), Opaque(0x000000)) << "a transparent source pixel still counts as black";
    // Reaching past every edge: only the overlap is copied.
    CopyRect(dst, 1, -1, src, 0, 0, 5, 5, CopyMode::SrcCopy);
    EXPECT_EQ(dst.at(1, 0), Opaque(0x123456));
    EXPECT_EQ(dst.at(2, 0), Opaque(0x000000));
    EXPECT_EQ(dst.at(2, 1), Opaque(0xF0F0F0)) << "written from past the source's bottom edge";
    EXPECT_EQ(dst.at(0, 0), Opaque(0xFFF00F));
}

}  // namespace
}  // namespace kiv
