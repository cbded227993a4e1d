// Every message box of the program goes through here, so tests can answer
// them without a person.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace kiv {

using MessageBoxHandler =
    std::function<int(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type)>;

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type);

// Installs a replacement for the system's box and returns the previous one;
// an empty handler brings the system's box back.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// Marks a modal box of the program as open for as long as it lives. The
// boxes' own message loops go on dispatching to the windows beneath them,
// which may ask whether one is open.
class ModalBoxScope {
public:
    ModalBoxScope() noexcept;
    ModalBoxScope(const ModalBoxScope&) = delete;
    ModalBoxScope& operator=(const ModalBoxScope&) = delete;
    ~ModalBoxScope();
};

int OpenModalBoxes() noexcept;

}  // namespace kiv
