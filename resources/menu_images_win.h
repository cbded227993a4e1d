// The pictures beside menu captions, drawn for the DPI of the window that
// owns the menus and drawn again when that DPI changes.
#pragma once

#include <windows.h>

#include <vector>

#include "widgets/handles_win.h"

namespace kiv {

// 16, 24 and 32 pixels at 96, 144 and 192 DPI: the menu image follows the
// window's DPI, not the system's check-mark size.
int MenuImageSizeForDpi(UINT dpi) noexcept;

class MenuImages {
public:
    // Gives the menu item at `position` the image (a MenuImage index), or,
    // for -1, an empty picture of the same size: items of one menu then
    // reserve the same room, and their shortcuts line up.
    void Attach(HMENU menu, UINT position, int image);
    // Draws the images for the DPI (when it differs from the last) and puts
    // them on every item attached so far.
    void SetDpi(UINT dpi);
    int ImageSize() const noexcept { return size_; }

private:
    HBITMAP Bitmap(int image);
    void Put(HMENU menu, UINT position, int image);

    struct Item {
        HMENU menu;
        UINT position;
        int image;
    };
    std::vector<Item> items_;
    std::vector<UniqueBitmap> bitmaps_;  // one per MenuImage, then the empty one
    UINT dpi_ = 0;
    int size_ = 16;
};

}  // namespace kiv
