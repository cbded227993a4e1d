// A small modal box that asks the user for one line of text.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace kiv {

// The edited text after OK; defaultText after Cancel, Esc or the close box;
// nothing when the box was ended by the program closing.
std::optional<std::wstring> InputBox(HWND owner, const std::wstring& caption, const std::wstring& prompt,
                                     const std::wstring& defaultText);

// Answers in place of the box: the text for OK, nullopt for Cancel.
using InputBoxHandler = std::function<std::optional<std::wstring>(
    const std::wstring& caption, const std::wstring& prompt, const std::wstring& defaultText)>;

// Installs a replacement for the box and returns the previous one; an empty
// handler brings the box back.
InputBoxHandler SetInputBoxHandler(InputBoxHandler handler);

// Control ids inside the box, beside IDOK and IDCANCEL.
inline constexpr int kInputBoxPromptId = 100;
inline constexpr int kInputBoxEditId = 101;

}  // namespace kiv
