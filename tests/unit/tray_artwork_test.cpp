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
