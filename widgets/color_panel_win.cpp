#include "widgets/color_panel_win.h"

#include "widgets/color_win.h"
#include "widgets/handles_win.h"

namespace kiv {

void TColorPanel::Create(HWND parent, int id, int x, int y, int width, int height) {
    registerClass(kClassName, 0, nullptr);
    create(kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, x, y, width, height, parent,
           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

void TColorPanel::SetColor(TColor color) {
    color_ = color;
    if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void TColorPanel::Click() {
    HWND parent = GetParent(hwnd());
    if (parent)
        SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd()), BN_CLICKED),
                     reinterpret_cast<LPARAM>(hwnd()));
}

void TColorPanel::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    RECT r{};
    GetClientRect(hwnd(), &r);
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    UniqueBrush fill(CreateSolidBrush(ColorToRGB(color_)));
    FillRect(dc, &r, fill.get());
    if (GetFocus() == hwnd()) {
        InflateRect(&r, -2, -2);
        DrawFocusRect(dc, &r);
    }
    EndPaint(hwnd(), &ps);
}

std::optional<LRESULT> TColorPanel::onMessage(UINT msg, WPARAM wp, LPARAM) {
    switch (msg) {
        case WM_PAINT: Paint(); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_SETCURSOR:
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(hwnd(), nullptr, FALSE);
            return 0;
        case WM_GETDLGCODE: return DLGC_WANTCHARS;
        case WM_LBUTTONDOWN:
            pressed_ = true;
            return 0;
        case WM_LBUTTONUP:
            if (pressed_) {
                pressed_ = false;
                Click();
            }
            return 0;
        case WM_KEYUP:
            if (wp == VK_SPACE) Click();
            return 0;
        default: return std::nullopt;
    }
}

}  // namespace kiv
