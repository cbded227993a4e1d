#include "widgets/input_box_win.h"

#include <stdexcept>
#include <utility>
#include <vector>

#include "widgets/dialog_template_win.h"
#include "widgets/message_box_win.h"
#include "widgets/window_win.h"

namespace kiv {
namespace {

InputBoxHandler& Handler() {
    static InputBoxHandler handler;
    return handler;
}

struct InputBoxState {
    const std::wstring* prompt;
    const std::wstring* defaultText;
    std::wstring result;
};

std::wstring ControlText(HWND control) {
    int length = GetWindowTextLengthW(control);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    int copied = GetWindowTextW(control, buffer.data(), length + 1);
    return std::wstring(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

INT_PTR CALLBACK InputBoxProcedure(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    INT_PTR handled = FALSE;
    Guarded([&] {
        switch (msg) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dialog, DWLP_USER, lp);
            auto* state = reinterpret_cast<InputBoxState*>(lp);
            SetDlgItemTextW(dialog, kInputBoxPromptId, state->prompt->c_str());
            HWND edit = GetDlgItem(dialog, kInputBoxEditId);
            SetWindowTextW(edit, state->defaultText->c_str());
            SendMessageW(edit, EM_SETSEL, 0, -1);
            SetFocus(edit);
            handled = FALSE;  // the focus is set
            break;
        }
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK) {
                auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(dialog, DWLP_USER));
                state->result = ControlText(GetDlgItem(dialog, kInputBoxEditId));
                EndDialog(dialog, IDOK);
                handled = TRUE;
            } else if (LOWORD(wp) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                handled = TRUE;
            }
            break;
        default:
            break;
        }
    });
    return handled;
}

}  // namespace

std::optional<std::wstring> InputBox(HWND owner, const std::wstring& caption, const std::wstring& prompt,
                                     const std::wstring& defaultText) {
    ModalBoxScope open;
    if (Handler()) return Handler()(caption, prompt, defaultText).value_or(defaultText);

    // In dialog units, so the box grows with its font and the monitor's DPI.
    DialogTemplate box(DS_SHELLFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 240, 62,
                       caption, L"MS Shell Dlg", 8);
    box.addItem(0x0082, kInputBoxPromptId, SS_LEFT | SS_NOPREFIX, 7, 7, 226, 9, L"");
    box.addItem(0x0081, kInputBoxEditId, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 19, 226, 14, L"");
    box.addItem(0x0080, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 129, 41, 50, 14, L"OK");
    box.addItem(0x0080, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 183, 41, 50, 14, L"Cancel");

    InputBoxState state{&prompt, &defaultText, {}};
    INT_PTR answer = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), box.get(), owner, &InputBoxProcedure,
                                             reinterpret_cast<LPARAM>(&state));
    // The box's loop leaves a quit request for the loops around it.
    MSG quit;
    if (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) return std::nullopt;
    if (answer == IDOK) return state.result;
    if (answer == IDCANCEL) return defaultText;
    throw std::runtime_error("Cannot show the input box");
}

InputBoxHandler SetInputBoxHandler(InputBoxHandler handler) { return std::exchange(Handler(), std::move(handler)); }

}  // namespace kiv
