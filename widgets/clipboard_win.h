// Putting text on the clipboard.
#pragma once

#include <windows.h>

#include <string>

namespace kiv {

// Replaces what the clipboard holds with the text (CF_UNICODETEXT); false
// when the clipboard could not be had.
bool CopyTextToClipboard(HWND owner, const std::wstring& text) noexcept;

}  // namespace kiv
