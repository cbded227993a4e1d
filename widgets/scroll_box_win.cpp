#include "widgets/scroll_box_win.h"

#include <windowsx.h>

#include <algorithm>

#include "widgets/color_win.h"

namespace kiv {
namespace {
constexpr wchar_t kClassName[] = L"KivScrollBox";
constexpr int kLineStep = 16;
}  // namespace

void TScrollBox::Create(HWND parent, int id) {
    registerClass(kClassName, 0, nullptr);
    create(kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL, 0, 0, 0, 0, 0,
           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
    ShowScrollBar(hwnd(), SB_BOTH, FALSE);
}

void TScrollBox::SetColor(TColor color) {
    color_ = color;
    brush_.reset();
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

namespace {
// The bars are the system's own, so their thickness is the system's at the box's DPI.
int BarMetric(HWND hwnd, int index) noexcept {
    using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
    static const auto forDpi = reinterpret_cast<GetSystemMetricsForDpiFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
    if (forDpi && hwnd) return forDpi(index, WindowDpi(hwnd));
    return GetSystemMetrics(index);
}
}  // namespace

int TScrollBox::HorzScrollBarHeight() const noexcept { return BarMetric(hwnd(), SM_CYHSCROLL); }
int TScrollBox::VertScrollBarWidth() const noexcept { return BarMetric(hwnd(), SM_CXVSCROLL); }

void TScrollBox::UpdateScrollBars() {
    if (!hwnd() || updating_) return;
    updating_ = true;
    RECT content{};
    if (content_) GetWindowRect(content_, &content);
    const int contentWidth = content.right - content.left;
    const int contentHeight = content.bottom - content.top;
    // Showing one bar takes room from the other direction, so decide from the
    // whole window area first and settle both bars together.
    RECT window{};
    GetWindowRect(hwnd(), &window);
    const int fullWidth = window.right - window.left;
    const int fullHeight = window.bottom - window.top;
    const int hBar = HorzScrollBarHeight();
    const int vBar = VertScrollBarWidth();
    bool needH = contentWidth > fullWidth;
    bool needV = contentHeight > fullHeight;
    if (needH && !needV) needV = contentHeight > fullHeight - hBar;
    if (needV && !needH) needH = contentWidth > fullWidth - vBar;
    const int clientWidth = fullWidth - (needV ? vBar : 0);
    const int clientHeight = fullHeight - (needH ? hBar : 0);

    posX_ = needH ? std::clamp(posX_, 0, contentWidth - clientWidth) : 0;
    posY_ = needV ? std::clamp(posY_, 0, contentHeight - clientHeight) : 0;

    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = contentWidth - 1;
    si.nPage = static_cast<UINT>(std::max(clientWidth, 0));
    si.nPos = posX_;
    ShowScrollBar(hwnd(), SB_HORZ, needH);
    if (needH) SetScrollInfo(hwnd(), SB_HORZ, &si, TRUE);
    si.nMax = contentHeight - 1;
    si.nPage = static_cast<UINT>(std::max(clientHeight, 0));
    si.nPos = posY_;
    ShowScrollBar(hwnd(), SB_VERT, needV);
    if (needV) SetScrollInfo(hwnd(), SB_VERT, &si, TRUE);
    PlaceContent();
    updating_ = false;
}

void TScrollBox::PlaceContent() noexcept {
    if (content_) SetWindowPos(content_, nullptr, -posX_, -posY_, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TScrollBox::Scroll(int bar, WORD request) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    if (!GetScrollInfo(hwnd(), bar, &si)) return;
    int pos = si.nPos;
    const int page = static_cast<int>(si.nPage);
    switch (request) {
        case SB_LINEUP: pos -= kLineStep; break;
        case SB_LINEDOWN: pos += kLineStep; break;
        case SB_PAGEUP: pos -= page; break;
        case SB_PAGEDOWN: pos += page; break;
        case SB_THUMBTRACK:  // the content follows the thumb while it is dragged
        case SB_THUMBPOSITION: pos = si.nTrackPos; break;
        case SB_TOP: pos = si.nMin; break;
        case SB_BOTTOM: pos = si.nMax; break;
        default: return;
    }
    pos = std::clamp(pos, si.nMin, std::max(si.nMin, si.nMax - page + 1));
    si.fMask = SIF_POS;
    si.nPos = pos;
    SetScrollInfo(hwnd(), bar, &si, TRUE);
    (bar == SB_HORZ ? posX_ : posY_) = pos;
    PlaceContent();
}

std::optional<LRESULT> TScrollBox::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_HSCROLL: Scroll(SB_HORZ, LOWORD(wp)); return 0;
        case WM_VSCROLL: Scroll(SB_VERT, LOWORD(wp)); return 0;
        case WM_SIZE: UpdateScrollBars(); return 0;
        case WM_ERASEBKGND: {
            if (!brush_) brush_.reset(CreateSolidBrush(ColorToRGB(color_)));
            RECT rc;
            GetClientRect(hwnd(), &rc);
            FillRect(reinterpret_cast<HDC>(wp), &rc, brush_.get());
            return 1;
        }
        case WM_SYSCOLORCHANGE: brush_.reset(); return std::nullopt;
        case WM_NOTIFY:
        case WM_COMMAND:
            // The content's own parent handles its notifications; pass others up.
            return SendMessageW(GetParent(hwnd()), msg, wp, lp);
        default: return std::nullopt;
    }
}

}  // namespace kiv
