#include "widgets/client_image_win.h"

#include "widgets/system_error_win.h"

namespace kiv {
namespace {

HBRUSH BackgroundBrush(HWND window) {
    const auto brush = static_cast<UINT_PTR>(GetClassLongPtrW(window, GCLP_HBRBACKGROUND));
    // A class may name a system colour as its index plus one.
    if (brush > 0 && brush <= COLOR_MENUBAR + 1) return GetSysColorBrush(static_cast<int>(brush - 1));
    return brush ? reinterpret_cast<HBRUSH>(brush) : GetSysColorBrush(COLOR_BTNFACE);
}

RECT InClientOf(HWND root, RECT screen) {
    MapWindowPoints(nullptr, root, reinterpret_cast<POINT*>(&screen), 2);
    return screen;
}

// Paints the children of `parent` whose client area shows through `visible`
// (in the root's client coordinates), back-most first.
void PaintChildren(HWND root, HWND parent, HDC dc, const RECT& visible) {
    HWND first = GetWindow(parent, GW_CHILD);
    for (HWND child = first ? GetWindow(first, GW_HWNDLAST) : nullptr; child; child = GetWindow(child, GW_HWNDPREV)) {
        if (!(GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT frame{};
        GetWindowRect(child, &frame);
        frame = InClientOf(root, frame);
        RECT shown{};
        if (!IntersectRect(&shown, &frame, &visible)) continue;
        RECT client{};
        GetClientRect(child, &client);
        POINT origin{0, 0};
        MapWindowPoints(child, root, &origin, 1);
        const RECT clientInRoot{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};

        const int saved = SaveDC(dc);
        IntersectClipRect(dc, shown.left, shown.top, shown.right, shown.bottom);
        if (!EqualRect(&frame, &clientInRoot)) {  // borders or scroll bars
            SetViewportOrgEx(dc, frame.left, frame.top, nullptr);
            SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT);
        }
        SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
        IntersectClipRect(dc, 0, 0, client.right, client.bottom);
        SendMessageW(child, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        SendMessageW(child, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        RestoreDC(dc, saved);

        RECT inner{};
        if (IntersectRect(&inner, &shown, &clientInRoot)) PaintChildren(root, child, dc, inner);
    }
}

}  // namespace

ClientImage PaintClientImage(HWND window) {
    ClientImage image;
    RECT client{};
    GetClientRect(window, &client);
    image.width = client.right;
    image.height = client.bottom;
    if (image.width <= 0 || image.height <= 0) throw std::runtime_error("The window has no area to print");

    BITMAPINFOHEADER& header = image.info.bmiHeader;
    header.biSize = sizeof header;
    header.biWidth = image.width;
    header.biHeight = -image.height;  // top row first
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    void* bits = nullptr;
    image.bitmap.reset(CreateDIBSection(nullptr, &image.info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!image.bitmap || !bits) throw SystemError(GetLastError() ? GetLastError() : ERROR_NOT_ENOUGH_MEMORY);
    image.bits = bits;

    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc) throw SystemError(GetLastError() ? GetLastError() : ERROR_NOT_ENOUGH_MEMORY);
    {
        SelectGuard select(dc.get(), image.bitmap.get());
        FillRect(dc.get(), &client, BackgroundBrush(window));
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
        PaintChildren(window, window, dc.get(), client);
    }
    GdiFlush();
    return image;
}

}  // namespace kiv
