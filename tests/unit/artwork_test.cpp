#include "resources/artwork.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "resources/artwork_paint.h"

namespace kiv {
namespace {

// Fully transparent or fully opaque only, and transparent means all zero,
// so the images look the same whether a consumer premultiplies or not.
::testing::AssertionResult CleanAlpha(const Pixmap& p) {
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const std::uint32_t c = p.at(x, y), a = c >> 24;
            if ((a != 0 && a != 255) || (a == 0 && c != 0))
                return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is 0x" << std::hex << c;
        }
    }
    return ::testing::AssertionSuccess();
}

Pixmap Cell(const Pixmap& strip, int index) {
    const int size = strip.height;
    Pixmap cell = MakePixmap(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) cell.at(x, y) = strip.at(index * size + x, y);
    return cell;
}

int OpaqueCount(const Pixmap& p) {
    int n = 0;
    for (std::uint32_t c : p.pixels) n += (c >> 24) != 0;
    return n;
}

TEST(Artwork, TheIconHasItsSizeCleanEdgesAndFillsItsSquare) {
    for (int size : {16, 20, 24, 32, 48, 64, 256}) {
        SCOPED_TRACE("icon " + std::to_string(size));
        Pixmap icon = AppIcon(size);
        ASSERT_EQ(icon.width, size);
        ASSERT_EQ(icon.height, size);
        ASSERT_EQ(icon.pixels.size(), static_cast<std::size_t>(size) * size);
        EXPECT_TRUE(CleanAlpha(icon));
        // A page, not a speck: most of the square is covered, the corners above the header are free.
        EXPECT_GT(OpaqueCount(icon), size * size * 2 / 3);
        EXPECT_EQ(icon.at(0, 0), 0u);
        // The day number is dark ink on the white page.
        int ink = 0;
        for (int y = size / 2; y < size; ++y)
            for (int x = 0; x < size; ++x) ink += (icon.at(x, y) & 0xFFFFFF) == 0x2E3440;
        EXPECT_GT(ink, size * size / 40);
    }
}

TEST(Artwork, StripsHoldDistinctNonEmptyImagesAtEveryScaledSize) {
    for (int size : {16, 20, 24, 32, 40, 48}) {
        SCOPED_TRACE("size " + std::to_string(size));
        const Pixmap toolbar = ToolbarStrip(size), menu = MenuStrip(size);
        ASSERT_EQ(toolbar.width, kToolbarImageCount * size);
        ASSERT_EQ(toolbar.height, size);
        ASSERT_EQ(menu.width, kMenuImageCount * size);
        ASSERT_EQ(menu.height, size);
        EXPECT_TRUE(CleanAlpha(toolbar));
        EXPECT_TRUE(CleanAlpha(menu));
        std::set<std::vector<std::uint32_t>> seen;
        for (int i = 0; i < kMenuImageCount; ++i) {
            Pixmap cell = Cell(menu, i);
            EXPECT_GT(OpaqueCount(cell), size * size / 4) << "menu image " << i;
            seen.insert(cell.pixels);
        }
        EXPECT_EQ(seen.size(), static_cast<std::size_t>(kMenuImageCount)) << "two menu images are the same";
        // A command looks the same on the toolbar and in the menu.
        auto same = [&](ToolbarImage t, MenuImage m) {
            return Cell(toolbar, static_cast<int>(t)).pixels == Cell(menu, static_cast<int>(m)).pixels;
        };
        EXPECT_TRUE(same(ToolbarImage::Today, MenuImage::Today));
        EXPECT_TRUE(same(ToolbarImage::GoToYear, MenuImage::GoToYear));
        EXPECT_TRUE(same(ToolbarImage::Options, MenuImage::Options));
        EXPECT_TRUE(same(ToolbarImage::Exit, MenuImage::Exit));
    }
}

TEST(Artwork, SizesOutsideTheDrawableRangeAreRefused) {
    EXPECT_THROW(AppIcon(0), std::invalid_argument);
    EXPECT_THROW(AppIcon(-16), std::invalid_argument);
    EXPECT_THROW(ToolbarStrip(4), std::invalid_argument);
    EXPECT_THROW(MenuStrip(100000), std::invalid_argument);
    EXPECT_EQ(MakePixmap(-1, 5).pixels.size(), 0u);
}

TEST(ArtworkPaint, ShapesAndCopiesReachingPastTheEdgesAreClipped) {
    Pixmap p = MakePixmap(8, 6);
    Mask m(8, 6);
    m.disc(0, 0, 20);
    m.rect(-5, -5, 100, 2, false);
    m.segment({-10, 5}, {20, 5}, 1);
    Paint(p, m, Opaque(0x112233));
    EXPECT_EQ(p.at(0, 0), 0u);
    EXPECT_EQ(p.at(7, 5), Opaque(0x112233));
    FillRect(p, -3, -3, 5, 5, Opaque(0xFFFFFF));
    EXPECT_EQ(p.at(1, 1), Opaque(0xFFFFFF));
    EXPECT_EQ(p.at(2, 2), Opaque(0x112233));
    Pixmap src = MakePixmap(4, 4);
    FillRect(src, 0, 0, 4, 4, Opaque(0x445566));
    src.at(3, 3) = 0;
    Blit(p, src, 6, 4);   // only the top-left 2x2 lands
    Blit(p, src, -3, -3);  // only the bottom-right pixel would land, and it is transparent
    EXPECT_EQ(p.at(6, 4), Opaque(0x445566));
    EXPECT_EQ(p.at(7, 5), Opaque(0x445566));
    EXPECT_EQ(p.at(0, 0), Opaque(0xFFFFFF));
    EXPECT_THROW(SmallDigit(10), std::out_of_range);
    EXPECT_THROW(LargeDigit(-1), std::out_of_range);
}

TEST(ArtworkPaint, OutlineKeepsItsThicknessAndThinShapesBecomeAllOutline) {
    Pixmap p = MakePixmap(10, 10);
    Mask m(10, 10);
    m.rect(1, 1, 9, 9);
    m.rect(0, 0, 1, 2);  // a sliver one pixel wide
    PaintOutlined(p, m, Opaque(0xFFFFFF), Opaque(0x000000), 2);
    EXPECT_EQ(p.at(0, 0), Opaque(0x000000));
    EXPECT_EQ(p.at(2, 4), Opaque(0x000000));
    EXPECT_EQ(p.at(3, 4), Opaque(0xFFFFFF));
    EXPECT_EQ(p.at(6, 6), Opaque(0xFFFFFF));
    EXPECT_EQ(p.at(7, 6), Opaque(0x000000));
    EXPECT_EQ(p.at(9, 9), 0u);
}

}  // namespace
}  // namespace kiv
