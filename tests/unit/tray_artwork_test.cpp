#include <gtest/gtest.h>

#include <set>
#include <string>

#include "resources/artwork.h"
#include "resources/artwork_paint.h"

namespace kiv {
namespace {

constexpr std::uint32_t kWhite = Opaque(0xFFFFFF), kBlack = Opaque(0x000000);

TEST(TrayArtwork, DigitStripsHoldTenGlyphsInTheirAreasWithTheirStrokes) {
    struct Case {
        DigitStrip strip;
        int width, height, glyphWidth;
        bool bold;
    };
    const Case cases[] = {{DigitStrip::Large, 70, 9, 6, false},
                          {DigitStrip::Small, 60, 8, 5, false},
                          {DigitStrip::SmallBold, 60, 7, 5, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE("strip " + std::to_string(c.width) + "x" + std::to_string(c.height));
        const Pixmap p = DigitStripImage(c.strip);
        ASSERT_EQ(p.width, c.width);
        ASSERT_EQ(p.height, c.height);
        const int cell = c.width / 10;
        std::set<std::string> shapes;
        for (int d = 0; d < 10; ++d) {
            std::string shape;
            bool top = false, bottom = false;
            for (int y = 0; y < c.height; ++y)
                for (int x = 0; x < cell; ++x) {
                    const std::uint32_t px = p.at(d * cell + x, y);
                    ASSERT_TRUE(px == kWhite || px == kBlack) << d;
                    const bool ink = px == kWhite;
                    shape += ink ? '#' : '.';
                    if (x >= c.glyphWidth) {
                        EXPECT_FALSE(ink) << "digit " << d << " spills into the spacing";
                    }
                    top |= ink && y == 0;
                    bottom |= ink && y == c.height - 1;
                    if (!ink || x + 1 >= cell) continue;
                    if (c.bold) {
                        // Two pixels wide: no stroke is a lone pixel across.
                        const bool left = x > 0 && p.at(d * cell + x - 1, y) == kWhite;
                        EXPECT_TRUE(left || p.at(d * cell + x + 1, y) == kWhite) << d << " at " << x << "," << y;
                    } else if (y + 1 < c.height) {
                        // One pixel wide: no 2x2 block of ink anywhere.
                        EXPECT_FALSE(p.at(d * cell + x + 1, y) == kWhite && p.at(d * cell + x, y + 1) == kWhite &&
                                     p.at(d * cell + x + 1, y + 1) == kWhite)
                            << d << " at " << x << "," << y;
                    }
                }
            EXPECT_TRUE(top && bottom) << "digit " << d << " does not use every row";
            shapes.insert(shape);
        }
        EXPECT_EQ(shapes.size(), 10u) << "two digits look the same";
    }
}

// Drawn from strokes for the larger icons: every upright stroke as wide as
// the glyph's stroke (twice struck for bold), every level one as tall, and
// ten different digits that fill their glyph's height.
TEST(TrayArtwork, LargerStripsDrawEveryStrokeAtOneWidth) {
    for (int size : {20, 24, 28, 32})
        for (DigitStrip strip : {DigitStrip::Large, DigitStrip::Small, DigitStrip::SmallBold}) {
            const DigitGlyphSize glyph = DigitGlyphSizeFor(strip, size);
            SCOPED_TRACE("size " + std::to_string(size) + ", glyph " + std::to_string(glyph.width) + "x" +
                         std::to_string(glyph.height));
            const Pixmap p = DigitStripImage(strip, size);
            ASSERT_EQ(p.width, (glyph.width + 1) * 10);
            ASSERT_EQ(p.height, glyph.height);
            EXPECT_EQ(glyph.height, ScaleIconLength(strip == DigitStrip::Large ? 9 : strip == DigitStrip::Small ? 8 : 7, size));
            const int cell = glyph.width + 1;
            const auto ink = [&](int d, int x, int y) {
                return x >= 0 && y >= 0 && x < glyph.width && y < glyph.height && p.at(d * cell + x, y) == kWhite;
            };
            // The width of the run of ink through (x, y), across or down.
            const auto run = [&](int d, int x, int y, int dx, int dy) {
                int from = 0, to = 0;
                while (ink(d, x - (from + 1) * dx, y - (from + 1) * dy)) ++from;
                while (ink(d, x + (to + 1) * dx, y + (to + 1) * dy)) ++to;
                return from + to + 1;
            };
            std::set<std::string> shapes;
            for (int d = 0; d < 10; ++d) {
                std::string shape;
                for (int y = 0; y < glyph.height; ++y)
                    for (int x = 0; x < cell; ++x) {
                        shape += ink(d, x, y) ? '#' : '.';
                        if (x == glyph.width) {
                            EXPECT_NE(p.at(d * cell + x, y), kWhite) << "digit " << d << " spills";
                        }
                        if (!ink(d, x, y)) continue;
                        // No sliver thinner than the stroke, either way.
                        EXPECT_GE(run(d, x, y, 1, 0), glyph.stroke + glyph.smear) << d << " at " << x << "," << y;
                        EXPECT_GE(run(d, x, y, 0, 1), glyph.stroke) << d << " at " << x << "," << y;
                    }
                EXPECT_TRUE(ink(d, glyph.width / 2, 0) || ink(d, glyph.width / 2 + 1, 0) || d == 4) << d;
                shapes.insert(shape);
            }
            EXPECT_EQ(shapes.size(), 10u);
            // The sides of the 0 and the stem of the 1 are exactly one stroke.
            const int middle = glyph.height / 2;
            EXPECT_EQ(run(0, 0, middle, 1, 0), glyph.stroke + glyph.smear);
            EXPECT_EQ(run(0, glyph.width - 1, middle, 1, 0), glyph.stroke + glyph.smear);
            EXPECT_EQ(run(0, glyph.width / 2, 0, 0, 1), glyph.stroke);
            int stem = 0;
            for (int x = 0; x < glyph.width; ++x) stem += ink(1, x, middle);
            EXPECT_EQ(stem, glyph.stroke + glyph.smear);
        }
}

TEST(TrayArtwork, TheEmptyPagesHaveTheirHeaderColoursAndAWhiteFieldForTheDigits) {
    auto rgb = [](int r, int g, int b) { return Opaque(static_cast<std::uint32_t>(r << 16 | g << 8 | b)); };
    const Pixmap large = EmptyCalendarPage();
    ASSERT_EQ(large.width, 16);
    ASSERT_EQ(large.height, 16);
    EXPECT_EQ(large.at(0, 0), rgb(183, 163, 159));
    EXPECT_EQ(large.at(15, 0), rgb(183, 163, 159));
    EXPECT_EQ(large.at(7, 0), rgb(153, 115, 107));
    for (int x : {0, 8, 15}) {
        EXPECT_EQ(large.at(x, 1), rgb(128, 0, 0));
        EXPECT_EQ(large.at(x, 2), rgb(153, 115, 107));
    }
    for (int y = 3; y < 16; ++y)
        for (int x = 0; x < 16; ++x) EXPECT_EQ(large.at(x, y), kWhite) << x << "," << y;

    const Pixmap small = EmptyCalendarPageSmall();
    ASSERT_EQ(small.width, 16);
    ASSERT_EQ(small.height, 16);
    const std::uint32_t magenta = rgb(255, 0, 255), grey = rgb(208, 208, 208);
    const std::uint32_t header[3][2] = {{rgb(128, 0, 0), rgb(175, 133, 131)},
                                        {rgb(147, 38, 38), rgb(156, 92, 90)},
                                        {rgb(211, 184, 184), rgb(193, 166, 166)}};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            std::uint32_t want;
            if (x == 15 || (y == 15 && (x == 0 || x == 14)))
                want = magenta;
            else if (y < 3)
                want = header[y][x == 0 || x == 14 ? 1 : 0];
            else if (y == 15 || x == 0 || x == 14)
                want = grey;
            else
                want = kWhite;
            EXPECT_EQ(small.at(x, y), want) << x << "," << y;
        }
}

}  // namespace
}  // namespace kiv
