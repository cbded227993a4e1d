#include "resources/pixmap_win.h"

#include <cstring>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "resources/resource_ids.h"

namespace kiv {
namespace {

[[noreturn]] void ThrowLastError(const char* what) {
    DWORD code = GetLastError();
    // Some GDI calls fail without setting an error code.
    throw std::system_error(static_cast<int>(code ? code : ERROR_NOT_ENOUGH_MEMORY), std::system_category(), what);
}

void RequireWellFormed(const Pixmap& pixmap) {
    if (pixmap.width <= 0 || pixmap.height <= 0 ||
        pixmap.pixels.size() != static_cast<std::size_t>(pixmap.width) * pixmap.height)
        throw std::invalid_argument("the image has no pixels or the wrong number of them");
}

}  // namespace

UniqueBitmap CreateDibFromPixmap(const Pixmap& pixmap) {
    RequireWellFormed(pixmap);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = pixmap.width;
    info.bmiHeader.biHeight = -pixmap.height;  // top row first, as in the pixmap
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) ThrowLastError("CreateDIBSection");
    // 0xAARRGGBB in memory is the B, G, R, A byte order of a 32-bit DIB.
    std::memcpy(bits, pixmap.pixels.data(), pixmap.pixels.size() * sizeof(std::uint32_t));
    GdiFlush();
    return bitmap;
}

UniqueBitmap CreatePremultipliedDib(const Pixmap& pixmap) { return CreateDibFromPixmap(Premultiplied(pixmap)); }

UniqueImageList CreateImageList(const Pixmap& strip, int imageSize) {
    RequireWellFormed(strip);
    if (imageSize <= 0 || strip.height != imageSize || strip.width % imageSize != 0)
        throw std::invalid_argument("the strip is not a row of square images of that size");
    const int count = strip.width / imageSize;
    UniqueImageList list(ImageList_Create(imageSize, imageSize, ILC_COLOR32, count, 0));
    if (!list) ThrowLastError("ImageList_Create");
    UniqueBitmap bitmap = CreateDibFromPixmap(strip);
    // The list copies the bitmap, so ours is released on return either way.
    if (ImageList_Add(list.get(), bitmap.get(), nullptr) < 0 || ImageList_GetImageCount(list.get()) != count)
        ThrowLastError("ImageList_Add");
    return list;
}

UniqueIcon CreateIconFromPixmap(const Pixmap& pixmap) {
    RequireWellFormed(pixmap);
    UniqueBitmap colour = CreateDibFromPixmap(pixmap);
    // The mask is a monochrome bitmap with rows padded to 16 bits; set bits
    // are transparent. With a 32-bit colour bitmap the alpha channel rules,
    // and the mask serves where alpha is not used.
    const int stride = (pixmap.width + 15) / 16 * 2;
    std::vector<std::uint8_t> maskBits(static_cast<std::size_t>(stride) * pixmap.height, 0);
    for (int y = 0; y < pixmap.height; ++y)
        for (int x = 0; x < pixmap.width; ++x)
            if ((pixmap.at(x, y) >> 24) == 0)
                maskBits[static_cast<std::size_t>(y) * stride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    UniqueBitmap mask(CreateBitmap(pixmap.width, pixmap.height, 1, 1, maskBits.data()));
    if (!mask) ThrowLastError("CreateBitmap");

    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = mask.get();
    info.hbmColor = colour.get();
    // The icon keeps copies: both bitmaps are ours to delete.
    UniqueIcon icon(CreateIconIndirect(&info));
    if (!icon) ThrowLastError("CreateIconIndirect");
    return icon;
}

UniqueIcon LoadProgramIcon(int size) {
    if (size <= 0) throw std::invalid_argument("icon size must be positive");
    UniqueIcon icon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_KIV_CALENDAR),
                                                  IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    if (!icon) ThrowLastError("LoadImage of the program icon");
    return icon;
}

}  // namespace kiv
