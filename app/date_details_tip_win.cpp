#include "app/date_details_tip_win.h"

#include <commctrl.h>

#include "widgets/window_win.h"

namespace kiv {

void DateDetailsTip::Create(HWND tool) { tool_ = tool; }

void DateDetailsTip::MakeTip() {
    // Owned by the tool's top-level window, so that it goes with it.
    tip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0,
                               0, 0, GetAncestor(tool_, GA_ROOT), nullptr, GetModuleHandleW(nullptr), nullptr));
    if (!tip_) return;
    // A maximum width makes the tip break its lines, at CR LF too.
    SendMessageW(tip_.get(), TTM_SETMAXTIPWIDTH, 0, ScaleForDpi(400, WindowDpi(tool_)));
    SendMessageW(tip_.get(), TTM_SETDELAYTIME, TTDT_AUTOPOP, 15000);
    Send(TTM_ADDTOOLW);
}

void DateDetailsTip::SetText(const std::wstring& text) {
    if (text == text_) return;
    text_ = text;
    Send(TTM_UPDATETIPTEXTW);
}

void DateDetailsTip::Preview(const MSG& msg) {
    if (tip_ || !tool_ || msg.message != WM_MOUSEMOVE || msg.hwnd != tool_) return;
    MakeTip();
    // The tip hears the mouse from the next move on; this one is passed on,
    // so that a mouse resting where it came in shows the tip too.
    if (tip_) SendMessageW(tip_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void DateDetailsTip::Send(UINT message) {
    if (!tip_) return;
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(tool_);
    tool.uId = reinterpret_cast<UINT_PTR>(tool_);
    tool.lpszText = const_cast<wchar_t*>(text_.c_str());
    SendMessageW(tip_.get(), message, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace kiv
