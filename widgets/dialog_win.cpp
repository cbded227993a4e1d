#include "widgets/dialog_win.h"

#include <stdexcept>

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

INT_PTR Dialog::RunModal(HWND owner, DWORD style, const std::wstring& caption) {
    if (hwnd_) throw std::logic_error("The dialog is already showing");
    owner_ = owner;
    const DialogTemplate frame(style, 0, 0, caption, nullptr, 0);
    ModalBoxScope open;
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), frame.get(), owner, &Dialog::procedure,
                                                   reinterpret_cast<LPARAM>(this));
    if (result == -1) throw std::runtime_error("Cannot show a dialog box");
    return result;
}

void Dialog::End(INT_PTR result) noexcept {
    if (hwnd_) EndDialog(hwnd_, result);
}

std::optional<INT_PTR> Dialog::onMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }

void Dialog::onCommand(WORD id, WORD, HWND) {
    if (id == IDCANCEL) End(IDCANCEL);
}

std::optional<LRESULT> Dialog::onNotify(const NMHDR&) { return std::nullopt; }

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
        // Over a window hidden in the tray the dialog stands for the program
        // on the taskbar, or the user could lose it behind other windows.
        if (self->owner_ && !IsWindowVisible(self->owner_))
            SetWindowLongPtrW(h, GWL_EXSTYLE, GetWindowLongPtrW(h, GWL_EXSTYLE) | WS_EX_APPWINDOW);
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
