#include "resources/menu_images_win.h"

#include "resources/artwork.h"
#include "resources/pixmap_win.h"

namespace kiv {

int MenuImageSizeForDpi(UINT dpi) noexcept { return MulDiv(16, static_cast<int>(dpi ? dpi : 96), 96); }

HBITMAP MenuImages::Bitmap(int image) {
    if (bitmaps_.empty()) {
        for (int i = 0; i < kMenuImageCount; ++i)
            bitmaps_.push_back(CreatePremultipliedDib(MenuImagePixmap(static_cast<MenuImage>(i), size_)));
        bitmaps_.push_back(CreatePremultipliedDib(MakePixmap(size_, size_)));
    }
    const bool known = image >= 0 && image < kMenuImageCount;
    return bitmaps_[static_cast<std::size_t>(known ? image : kMenuImageCount)].get();
}

void MenuImages::Put(HMENU menu, UINT position, int image) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP;
    info.hbmpItem = Bitmap(image);
    SetMenuItemInfoW(menu, position, TRUE, &info);
}

void MenuImages::Attach(HMENU menu, UINT position, int image) {
    Put(menu, position, image);
    items_.push_back({menu, position, image});
}

void MenuImages::SetDpi(UINT dpi) {
    if (dpi == dpi_ && !bitmaps_.empty()) return;
    dpi_ = dpi;
    size_ = MenuImageSizeForDpi(dpi);
    // The items take the new pictures before the old ones are freed.
    std::vector<UniqueBitmap> old = std::move(bitmaps_);
    bitmaps_.clear();
    for (const Item& item : items_) Put(item.menu, item.position, item.image);
}

}  // namespace kiv
