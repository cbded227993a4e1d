#include "widgets/input_box_win.h"

#include <stdexcept>
#include <utility>
#include <vector>

#include "widgets/dialog_template_win.h"
#include "widgets/dialog_win.h"
#include "widgets/font_win.h"
#include "widgets/message_box_win.h"

namespace kiv {
namespace {

InputBoxHandler& Handler() {
    static InputBoxHandler handler;
    return handler;
}

std::wstring ControlText(HWND control) {
    int length = GetWindowTextLengthW(control);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    int copied = GetWindowTextW(control, buffer.data(), length + 1);
    return std::wstring(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

class InputDialog final : public Dialog {
public:
    InputDialog(const std::wstring& prompt, const std::wstring& defaultText)
        : prompt_(prompt), defaultText_(defaultText) {}

    const std::wstring& text() const noexcept { return text_; }

protected:
    bool onInitDialog() override {
        SetDlgItemTextW(hwnd(), kInputBoxPromptId, prompt_.c_str());
        HWND edit = GetDlgItem(hwnd(), kInputBoxEditId);
        // The edit keeps its place, as tall as its line needs.
        RECT place{};
        GetWindowRect(edit, &place);
        MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&place), 2);
        CentreSingleLineBox(edit, place.left, place.top, place.right - place.left, place.bottom - place.top);
        SetWindowTextW(edit, defaultText_.c_str());
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SetFocus(edit);
        return false;  // the focus is set
    }
    void onCommand(WORD id, WORD code, HWND control) override {
        if (id != IDOK) {
            Dialog::onCommand(id, code, control);
            return;
        }
        text_ = ControlText(GetDlgItem(hwnd(), kInputBoxEditId));
        end(IDOK);
    }

private:
    const std::wstring& prompt_;
    const std::wstring& defaultText_;
    std::wstring text_;
};

}  // namespace

std::optional<std::wstring> InputBox(HWND owner, const std::wstring& caption, const std::wstring& prompt,
                                     const std::wstring& defaultText) {
    ModalBoxScope open;
    if (Handler()) return Handler()(caption, prompt, defaultText).value_or(defaultText);

    // In dialog units, so the box grows with its font and the monitor's DPI.
    DialogTemplate box(DS_SHELLFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 240, 62,
                       caption, L"MS Shell Dlg", 8);
    using C = SystemClass;
    box.addItem(C::Static, kInputBoxPromptId, SS_LEFT | SS_NOPREFIX, 7, 7, 226, 9, L"");
    box.addItem(C::Edit, kInputBoxEditId, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 19, 226, 14, L"");
    box.addItem(C::Button, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 129, 41, 50, 14, L"OK");
    box.addItem(C::Button, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 183, 41, 50, 14, L"Cancel");

    InputDialog dialog(prompt, defaultText);
    const INT_PTR answer = dialog.runModal(owner, box);
    // The box's loop leaves a quit request for the loops around it.
    MSG quit;
    if (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) return std::nullopt;
    if (answer == IDOK) return dialog.text();
    if (answer == IDCANCEL) return defaultText;
    throw std::runtime_error("Cannot show the input box");
}

InputBoxHandler SetInputBoxHandler(InputBoxHandler handler) { return std::exchange(Handler(), std::move(handler)); }

}  // namespace kiv
