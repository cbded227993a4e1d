#include "widgets/number_edit_win.h"

#include <commctrl.h>

#include <stdexcept>
#include <utility>
#include <vector>

#include "widgets/number_text.h"

namespace kiv {
namespace {

constexpr DWORD kAlignmentStyles = ES_LEFT | ES_CENTER | ES_RIGHT;

DWORD AlignmentStyle(TNumberEditAlign align) { return align == TNumberEditAlign::neRight ? ES_RIGHT : ES_LEFT; }

}  // namespace

TNumberEdit::TNumberEdit() = default;

TNumberEdit::~TNumberEdit() {
    // Destroying a focused box would report an exit to an owner that may be
    // half gone itself, so the window leaves quietly.
    HWND h = hwnd_;
    releaseWindow();
    if (h && owned_) DestroyWindow(h);
}

void TNumberEdit::releaseWindow() noexcept {
    ownHook_.detach();
    hook_.detach();
    parentHook_.detach();
    hwnd_ = nullptr;
}

void TNumberEdit::hookWindow(HWND edit, bool owned) {
    try {
        if (owned)
            ownHook_.attach(edit);
        else
            hook_.attach(edit);
        if (HWND parent = GetParent(edit); parent && !parentPassesNotices_) parentHook_.attach(parent);
    } catch (...) {
        ownHook_.detach();
        hook_.detach();
        parentHook_.detach();
        throw;
    }
    hwnd_ = edit;
}

void TNumberEdit::Create(HWND parent, int id, int x, int y, int width, int height, DWORD extraStyle) {
    if (hwnd_) {
        std::wstring text = Text();
        HWND old = hwnd_;
        releaseWindow();
        if (owned_) DestroyWindow(old);
        pendingText_ = text;
    }
    Placement placement{parent, id, RECT{x, y, x + width, y + height},
                        WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_NUMBER | AlignmentStyle(align_) | extraStyle,
                        WS_EX_CLIENTEDGE};
    createWindow(placement, pendingText_);
}

void TNumberEdit::createWindow(const Placement& placement, const std::wstring& text) {
    const RECT& r = placement.rect;
    HWND h = CreateWindowExW(placement.exStyle, L"EDIT", text.c_str(), placement.style, r.left, r.top,
                             r.right - r.left, r.bottom - r.top, placement.parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(placement.id)), GetModuleHandleW(nullptr),
                             nullptr);
    if (!h) throw std::runtime_error("Cannot create a number edit box");
    try {
        hookWindow(h, true);
    } catch (...) {
        DestroyWindow(h);
        throw;
    }
    owned_ = true;
    SendMessageW(h, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    if (font_) SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

void TNumberEdit::Attach(HWND edit) {
    if (!edit || !IsWindow(edit)) throw std::invalid_argument("No edit box to attach");
    if (hwnd_) {
        HWND old = hwnd_;
        releaseWindow();
        if (owned_) DestroyWindow(old);
    }
    hookWindow(edit, false);
    owned_ = false;
    const LONG_PTR style = GetWindowLongPtrW(edit, GWL_STYLE);
    align_ = (style & ES_RIGHT) ? TNumberEditAlign::neRight : TNumberEditAlign::neLeft;
    SetWindowLongPtrW(edit, GWL_STYLE, style | ES_NUMBER);
    if (maxLength_) SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    if (font_) SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    Reformat();
}

void TNumberEdit::SetAlign(TNumberEditAlign align) {
    align_ = align;
    if (!hwnd_) return;

    HWND old = hwnd_;
    Placement placement{};
    placement.parent = GetParent(old);
    placement.id = GetDlgCtrlID(old);
    GetWindowRect(old, &placement.rect);
    MapWindowPoints(nullptr, placement.parent, reinterpret_cast<POINT*>(&placement.rect), 2);
    // The read-only, visible, enabled and tab-stop states all live in the style.
    placement.style = (static_cast<DWORD>(GetWindowLongPtrW(old, GWL_STYLE)) & ~kAlignmentStyles) |
                      AlignmentStyle(align) | ES_NUMBER;
    placement.exStyle = static_cast<DWORD>(GetWindowLongPtrW(old, GWL_EXSTYLE));
    std::wstring text = Text();
    bool hadFocus = GetFocus() == old;

    // The old window is let go before the new one exists, so neither its
    // focus loss nor its destruction reaches this box's handlers.
    releaseWindow();
    try {
        createWindow(placement, text);
    } catch (...) {
        hookWindow(old, owned_);
        throw;
    }
    // Right behind the old window in the Z order, which is the tab order.
    SetWindowPos(hwnd_, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // An attached EDIT, too, gives way to its replacement, which this box owns.
    DestroyWindow(old);
    if (hadFocus) SetFocus(hwnd_);
}

void TNumberEdit::SetPadNumber(bool pad) {
    padNumber_ = pad;
    if (pad)
        Reformat();
    else
        SetText(UnpaddedNumberText(Text()));
}

int TNumberEdit::Number() const { return NumberFromText(Text()); }

void TNumberEdit::SetNumber(int number) { SetText(std::to_wstring(number)); }

void TNumberEdit::SetMaxLength(int length) {
    maxLength_ = length < 0 ? 0 : length;
    if (hwnd_) SendMessageW(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

std::wstring TNumberEdit::Text() const {
    if (!hwnd_) return pendingText_;
    int length = GetWindowTextLengthW(hwnd_);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    int copied = GetWindowTextW(hwnd_, buffer.data(), length + 1);
    return std::wstring(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

void TNumberEdit::SetText(const std::wstring& text) {
    if (Text() == text) return;
    if (hwnd_) {
        // The EDIT reports the change to its parent, which passes it on to onTextChanged.
        if (!SetWindowTextW(hwnd_, text.c_str())) throw std::runtime_error("Cannot set the text of a number edit box");
    } else {
        pendingText_ = text;
        onTextChanged();
    }
}

void TNumberEdit::SelectAll() {
    if (hwnd_) SendMessageW(hwnd_, EM_SETSEL, 0, -1);
}

void TNumberEdit::SetFont(HFONT font) {
    font_ = font;
    if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void TNumberEdit::Reformat() {
    if (padNumber_ && !keyIsDown_) SetText(PaddedNumberText(Text(), maxLength_));
}

void TNumberEdit::onTextChanged() {
    if (OnChange) OnChange();
    Reformat();
}

std::optional<LRESULT> TNumberEdit::onEditMessage(UINT msg, WPARAM wp, LPARAM) {
    switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        keyIsDown_ = true;
        if (OnKeyDown) OnKeyDown(static_cast<WORD>(wp));
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        keyIsDown_ = false;
        if (OnKeyUp) OnKeyUp(static_cast<WORD>(wp));
        break;
    case WM_CHAR:
        if (OnKeyPress) {
            bool handled = false;
            OnKeyPress(static_cast<wchar_t>(wp), handled);
            if (handled) return 0;
        }
        break;
    case WM_KILLFOCUS:
        Reformat();
        if (OnExit) OnExit();
        break;
    case WM_NCDESTROY:
        // Gone with its parent: keep the last text so the box still reads.
        pendingText_ = Text();
        parentHook_.detach();
        hwnd_ = nullptr;
        break;
    default:
        break;
    }
    return std::nullopt;
}

std::optional<LRESULT> TNumberEdit::onParentMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND) HandleParentCommand(wp, lp);
    return std::nullopt;
}

bool TNumberEdit::HandleParentCommand(WPARAM wp, LPARAM lp) {
    if (HIWORD(wp) != EN_CHANGE || lp == 0 || reinterpret_cast<HWND>(lp) != hwnd_) return false;
    onTextChanged();
    return true;
}

}  // namespace kiv
