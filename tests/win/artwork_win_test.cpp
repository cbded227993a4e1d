#include "resources/pixmap_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "resources/artwork.h"

namespace kiv {
namespace {

// Reads a bitmap back as 32-bit top-down pixels.
Pixmap ReadBitmap(HBITMAP bitmap) {
    BITMAP info{};
    if (!GetObjectW(bitmap, sizeof info, &info)) return {};
    Pixmap p = MakePixmap(info.bmWidth, info.bmHeight);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = info.bmWidth;
    bi.bmiHeader.biHeight = -info.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    WindowDc screen(nullptr);
    if (GetDIBits(screen.get(), bitmap, 0, info.bmHeight, p.pixels.data(), &bi, DIB_RGB_COLORS) != info.bmHeight)
        return {};
    return p;
}

struct IconBitmaps {
    UniqueBitmap colour, mask;
};

IconBitmaps IconParts(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {};
    // GetIconInfo hands over copies that the caller must delete.
    return {UniqueBitmap(info.hbmColor), UniqueBitmap(info.hbmMask)};
}

// Colour bitmaps of icons may carry anything under fully transparent pixels.
void ExpectSamePixels(const Pixmap& actual, const Pixmap& expected) {
    ASSERT_EQ(actual.width, expected.width);
    ASSERT_EQ(actual.height, expected.height);
    int differences = 0;
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            std::uint32_t a = actual.at(x, y), e = expected.at(x, y);
            if ((e >> 24) == 0 ? (a >> 24) != 0 : a != e) {
                if (++differences <= 5)
                    ADD_FAILURE() << "pixel " << x << "," << y << ": 0x" << std::hex << a << " instead of 0x" << e;
            }
        }
    }
    EXPECT_EQ(differences, 0);
}

TEST(ProgramIcon, LoadsFromTheResourcesWithTheDrawnPixels) {
    for (int size : {16, 32, 48, 256}) {
        SCOPED_TRACE("size " + std::to_string(size));
        UniqueIcon icon = LoadProgramIcon(size);
        ASSERT_TRUE(icon);
        IconBitmaps parts = IconParts(icon.get());
        ASSERT_TRUE(parts.colour) << "a 32-bit icon has a colour bitmap";
        ExpectSamePixels(ReadBitmap(parts.colour.get()), AppIcon(size));
    }
}

TEST(PixmapConversion, IconsAndBitmapsCarryThePixelsAndTheTransparency) {
    Pixmap p = ToolbarStrip(16);
    UniqueBitmap dib = CreateDibFromPixmap(p);
    ASSERT_TRUE(dib);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectW(dib.get(), sizeof section, &section), static_cast<int>(sizeof section));
    EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
    EXPECT_EQ(section.dsBm.bmWidth, 64);
    ASSERT_NE(section.dsBm.bmBits, nullptr);
    // The first row in memory is the top row.
    EXPECT_EQ(std::memcmp(section.dsBm.bmBits, p.pixels.data(), 64 * 4), 0);

    Pixmap icon = AppIcon(24);
    UniqueIcon h = CreateIconFromPixmap(icon);
    ASSERT_TRUE(h);
    IconBitmaps parts = IconParts(h.get());
    ASSERT_TRUE(parts.colour);
    ASSERT_TRUE(parts.mask);
    ExpectSamePixels(ReadBitmap(parts.colour.get()), icon);
    // The mask's set bits are the transparent pixels; drawn as monochrome they read white.
    Pixmap mask = ReadBitmap(parts.mask.get());
    ASSERT_EQ(mask.width, 24);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x)
            ASSERT_EQ((mask.at(x, y) & 0xFFFFFF) != 0, (icon.at(x, y) >> 24) == 0) << x << "," << y;

    Pixmap malformed = MakePixmap(4, 4);
    malformed.pixels.resize(3);
    EXPECT_THROW(CreateIconFromPixmap(malformed), std::invalid_argument);
    EXPECT_THROW(CreateDibFromPixmap(Pixmap{}), std::invalid_argument);
}

TEST(PixmapConversion, ImageListsHoldOneImagePerSquareOfTheStrip) {
    for (int size : {16, 20, 24, 32, 48}) {
        SCOPED_TRACE("size " + std::to_string(size));
        UniqueImageList toolbar = CreateImageList(ToolbarStrip(size), size);
        UniqueImageList menu = CreateImageList(MenuStrip(size), size);
        ASSERT_TRUE(toolbar);
        ASSERT_TRUE(menu);
        EXPECT_EQ(ImageList_GetImageCount(toolbar.get()), kToolbarImageCount);
        EXPECT_EQ(ImageList_GetImageCount(menu.get()), kMenuImageCount);
        int cx = 0, cy = 0;
        ASSERT_TRUE(ImageList_GetIconSize(menu.get(), &cx, &cy));
        EXPECT_EQ(cx, size);
        EXPECT_EQ(cy, size);
    }
    // Handing the 24-pixel strip to a 16-pixel list would silently cut the images.
    EXPECT_THROW(CreateImageList(ToolbarStrip(24), 16), std::invalid_argument);
    EXPECT_THROW(CreateImageList(ToolbarStrip(16), 0), std::invalid_argument);
}

TEST(PixmapConversion, RepeatedConversionsReleaseEveryObject) {
    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD userBefore = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    const Pixmap icon = AppIcon(32), strip = MenuStrip(16);
    for (int i = 0; i < 300; ++i) {
        UniqueBitmap dib = CreateDibFromPixmap(icon);
        HBITMAP raw = dib.get();
        ASSERT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_BITMAP));
        dib.reset();
        ASSERT_EQ(GetObjectType(raw), 0u) << "the owner deleted the bitmap";

        UniqueIcon h = CreateIconFromPixmap(icon);
        ICONINFO info{};
        HICON rawIcon = h.get();
        ASSERT_TRUE(GetIconInfo(rawIcon, &info));
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        h.reset();
        ASSERT_FALSE(GetIconInfo(rawIcon, &info)) << "the owner destroyed the icon";

        UniqueImageList list = CreateImageList(strip, 16);
        ASSERT_TRUE(list);
        UniqueIcon loaded = LoadProgramIcon(48);
        ASSERT_TRUE(loaded);
    }
    // Wine does not count GUI objects (it reports 0); Windows does, and the
    // loop above would have left hundreds behind if anything leaked.
    const DWORD gdiAfter = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD userAfter = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (gdiBefore != 0) {
        EXPECT_LE(gdiAfter, gdiBefore + 10);
    }
    if (userBefore != 0) {
        EXPECT_LE(userAfter, userBefore + 10);
    }
}

}  // namespace
}  // namespace kiv
