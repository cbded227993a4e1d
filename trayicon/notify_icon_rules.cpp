#include "trayicon/notify_icon_rules.h"

namespace kiv {

TrayCallback ClassifyTrayCallback(std::intptr_t lParam) noexcept {
    switch (lParam) {
        case 0x200: return TrayCallback::MouseMove;  // WM_MOUSEMOVE
        case 0x201: return TrayCallback::Click;      // WM_LBUTTONDOWN
        case 0x203: return TrayCallback::DblClick;   // WM_LBUTTONDBLCLK
        case 0x205: return TrayCallback::PopupMenu;  // WM_RBUTTONUP
        case 0x402: return TrayCallback::BalloonShow;
        case 0x403: return TrayCallback::BalloonHide;
        case 0x404: return TrayCallback::BalloonTimeout;
        case 0x405: return TrayCallback::BalloonClick;
        default: return TrayCallback::PassOn;
    }
}

NotifyIconDataLayout NotifyIconDataLayoutFor(unsigned major, unsigned minor) noexcept {
    if (major < 5) return NotifyIconDataLayout::Version1;
    if (major == 5 && minor == 0) return NotifyIconDataLayout::Version2;
    return NotifyIconDataLayout::Full;
}

std::size_t ToolTipLimit(unsigned major) noexcept { return major < 5 ? 63 : 127; }

std::wstring ClipToolTip(std::wstring_view text, unsigned major) {
    std::size_t n = ToolTipLimit(major);
    if (text.size() <= n) return std::wstring(text);
    const wchar_t last = text[n - 1];
    if (last >= 0xD800 && last <= 0xDBFF) --n;  // a high surrogate whose partner is cut off
    return std::wstring(text.substr(0, n));
}

}  // namespace kiv
