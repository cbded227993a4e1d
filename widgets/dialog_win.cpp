#include "widgets/dialog_win.h"

#include <stdexcept>

#include "widgets/application_win.h"
#include "widgets/dialog_template_win.h"
#include "widgets/message_box_win.h"
#include "widgets/window_win.h"

namespace kiv {

Dialog::~Dialog() {
    // A dialog still up when its object goes must not call back into it.
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
        DestroyWindow(hwnd_);
    }
}

INT_PTR Dialog::runModal(HWND owner, DWORD style, const std::wstring& caption) {
    return runModal(owner, DialogTemplate(style, 0, 0, caption, nullptr, 0));
}

INT_PTR Dialog::runModal(HWND owner, const DialogTemplate& frame) {
    if (hwnd_) throw std::logic_error("The dialog is already showing");
    owner_ = owner;
    ModalBoxScope open;
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), frame.get(), owner, &Dialog::procedure,
                                                   reinterpret_cast<LPARAM>(this));
    if (result == -1) throw std::runtime_error("Cannot show a dialog box");
    return result;
}

void Dialog::end(INT_PTR result) noexcept {
    if (hwnd_) EndDialog(hwnd_, result);
}

std::optional<INT_PTR> Dialog::onMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }

void Dialog::onCommand(WORD id, WORD, HWND) {
    if (id == IDCANCEL) end(IDCANCEL);
}

std::optional<LRESULT> Dialog::onNotify(const NMHDR&) { return std::nullopt; }

UINT Dialog::layoutDpi() const noexcept { return WindowDpi(owner_ ? owner_ : hwnd_); }

void Dialog::placeClient(int width, int height, const RECT* suggested) {
    RECT frame{0, 0, width, height};
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE));
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    GetMonitorInfoW(MonitorFromWindow(owner_ ? owner_ : hwnd_, MONITOR_DEFAULTTOPRIMARY), &mi);
    const int outerWidth = frame.right - frame.left;
    const int outerHeight = frame.bottom - frame.top;
    const RECT& area = mi.rcWork;
    const int x = suggested ? suggested->left : area.left + (area.right - area.left - outerWidth) / 2;
    const int y = suggested ? suggested->top : area.top + (area.bottom - area.top - outerHeight) / 2;
    SetWindowPos(hwnd_, nullptr, x, y, outerWidth, outerHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Dialog::standForTheProgram() {
    if (owner_ && IsWindowVisible(owner_)) return;
    // Otherwise the user could lose it behind other windows.
    if (owner_) SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) | WS_EX_APPWINDOW);
    const WORD iconId = Application::instance().iconId();
    if (!iconId) return;
    const auto load = [iconId](int width, int height) {
        return UniqueIcon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId),
                                                        IMAGE_ICON, width, height, LR_DEFAULTCOLOR)));
    };
    bigIcon_ = load(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    smallIcon_ = load(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

INT_PTR Dialog::dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
            onCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
            return TRUE;
        case WM_NOTIFY: {
            const std::optional<LRESULT> result = onNotify(*reinterpret_cast<const NMHDR*>(lp));
            if (!result) return FALSE;
            SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, *result);
            return TRUE;
        }
        default: {
            const std::optional<INT_PTR> handled = onMessage(msg, wp, lp);
            return handled ? *handled : FALSE;
        }
    }
}

INT_PTR CALLBACK Dialog::procedure(HWND h, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    if (msg == WM_INITDIALOG) {
        auto* self = reinterpret_cast<Dialog*>(lp);
        SetWindowLongPtrW(h, DWLP_USER, lp);
        self->hwnd_ = h;
        self->standForTheProgram();
        bool focusFirst = true;
        if (!Guarded([&] { focusFirst = self->onInitDialog(); })) {
            // A dialog that could not be built is not shown half made.
            EndDialog(h, IDABORT);
        }
        return focusFirst ? TRUE : FALSE;
    }
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(h, DWLP_USER));
    if (!self) return FALSE;
    INT_PTR result = FALSE;
    Guarded([&] { result = self->dispatch(msg, wp, lp); });
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(h, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

}  // namespace kiv
