// A picture of a window's client area with all its child controls, painted
// into a bitmap by the windows themselves rather than copied from the screen,
// so that parts covered by other windows come out as they are meant to look.
#pragma once

#include <windows.h>

#include "widgets/handles_win.h"

namespace kiv {

struct ClientImage {
    UniqueBitmap bitmap;  // a 32-bit top-down DIB section
    BITMAPINFO info{};    // describes `bits`
    const void* bits = nullptr;
    int width = 0;
    int height = 0;
};

// The client area filled with the window's background brush, then each
// visible child painted in place (frame, background and client, front-most
// last), each clipped to what its parents show of it.
ClientImage PaintClientImage(HWND window);

}  // namespace kiv
